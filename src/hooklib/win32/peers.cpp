#include "peers.h"

#include <atomic>

#include "core/private_messages.h"
#include "hook_state.h"

namespace hooklib {
namespace {

// The 32-bit library is the stand-in the program hooks itself; TVM64.dll reports to its loader.
#ifdef TVM_HOOK_REPORTS_TO_LOADER
constexpr bool kReportsToLoader = true;
#else
constexpr bool kReportsToLoader = false;
#endif

// FindWindowExA matches class names without regard to case.
constexpr const char* kPanelClass = ident::ControlPanelClass;

// A question waits at most this long; a busy program answers well within it.
constexpr UINT kQuestionTimeoutMs = 250;
// A missing hook handle or control panel is asked for, and reported, at most this often.
constexpr ULONGLONG kRetryIntervalMs = 1000;

std::atomic<HWND> g_panel{nullptr};
std::atomic<HWND> g_loader{nullptr};
std::atomic<HHOOK> g_answeredHook{nullptr};
std::atomic<ULONGLONG> g_lastHandleQuestion{0};
std::atomic<ULONGLONG> g_lastMissingReport{0};

HWND LookUpPanel() {
  return FindWindowExA(nullptr, nullptr, kPanelClass, ident::ControlPanelTitle);
}

HWND LookUpLoader() {
  return FindWindowExA(nullptr, nullptr, ident::LoaderWindowClass, ident::LoaderWindowTitle);
}

// The peer slot behind the report window.
std::atomic<HWND>& ReportSlot() { return kReportsToLoader ? g_loader : g_panel; }

// The cached handle, or a fresh look-up while none is known.
HWND Known(std::atomic<HWND>& slot, HWND (*lookUp)()) {
  HWND w = slot.load(std::memory_order_acquire);
  if (!w) {
    w = lookUp();
    if (w) slot.store(w, std::memory_order_release);
  }
  return w;
}

// After a failed send: forget a peer that has gone, so that the next use looks it up again.
bool ForgetIfGone(std::atomic<HWND>& slot, HWND w) {
  if (IsWindow(w)) return false;
  HWND expected = w;
  slot.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
  return true;
}

// One question with a bounded wait; false for a time-out, a hung receiver or a vanished one.
bool Ask(std::atomic<HWND>& slot, HWND (*lookUp)(), UINT message, WPARAM wParam, DWORD_PTR* answer) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    HWND w = Known(slot, lookUp);
    if (!w) return false;
    if (SendMessageTimeoutA(w, message, wParam, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kQuestionTimeoutMs,
                            answer)) {
      return true;
    }
    // A time-out or a hung peer: no answer, and the peer stays known. A peer that has gone (a
    // restarted program) is looked up again at once.
    if (!ForgetIfGone(slot, w)) return false;
  }
  return false;
}

void Report(std::atomic<HWND>& slot, HWND (*lookUp)(), UINT message, WPARAM wParam, LPARAM lParam) {
  HWND w = Known(slot, lookUp);
  if (!w) return;
  if (!SendNotifyMessageA(w, message, wParam, lParam)) ForgetIfGone(slot, w);
}

HWND (*ReportLookUp())() { return kReportsToLoader ? LookUpLoader : LookUpPanel; }

bool Due(std::atomic<ULONGLONG>& last) {
  const ULONGLONG now = GetTickCount64();
  ULONGLONG before = last.load(std::memory_order_relaxed);
  if (before != 0 && now - before < kRetryIntervalMs) return false;
  return last.compare_exchange_strong(before, now, std::memory_order_relaxed);
}

}  // namespace

void FindPeerWindows(bool startUp) {
  HWND panel = Known(g_panel, LookUpPanel);
  HWND loader = kReportsToLoader ? Known(g_loader, LookUpLoader) : nullptr;
  AskHookHandle();
  if (kReportsToLoader && !panel && loader && Due(g_lastMissingReport)) {
    Report(g_loader, LookUpLoader, msg::WM_HOOK_PANEL_MISSING, 0, startUp ? 1 : 2);
  }
}

HWND ControlPanelWnd() { return g_panel.load(std::memory_order_acquire); }
HWND ReportWnd() { return ReportSlot().load(std::memory_order_acquire); }

HHOOK HookHandleForChain() {
  if (HHOOK own = g_hook.load(std::memory_order_acquire)) return own;
  return AnsweredHook();
}

void AskHookHandle() {
  if (g_hook.load(std::memory_order_acquire) || g_answeredHook.load(std::memory_order_acquire)) return;
  if (!Known(ReportSlot(), ReportLookUp()) || !Due(g_lastHandleQuestion)) return;
  DWORD_PTR answer = 0;
  if (Ask(ReportSlot(), ReportLookUp(), msg::WM_HOOK_GET_HANDLE, 0, &answer)) {
    g_answeredHook.store(reinterpret_cast<HHOOK>(answer), std::memory_order_release);
  }
}

HHOOK AnsweredHook() { return g_answeredHook.load(std::memory_order_acquire); }

void ForgetAnsweredHook(HHOOK hook) {
  HHOOK expected = hook;
  g_answeredHook.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
}

SizeAnswer AskForcedSize(HWND window) {
  DWORD_PTR answer = 0;
  const bool answered =
      Ask(g_panel, LookUpPanel, msg::WM_HOOK_GET_SIZE, reinterpret_cast<WPARAM>(window), &answer);
  return DecodeSizeAnswer(answered, static_cast<uint64_t>(answer));
}

void ReportSubclassed(HWND window) {
  // The program takes no notice of it; only the loader is told.
  if (kReportsToLoader) Report(g_loader, LookUpLoader, msg::WM_HOOK_SUBCLASSED, reinterpret_cast<WPARAM>(window), 0);
}

void ReportReleased(HWND window) {
  Report(ReportSlot(), ReportLookUp(), msg::WM_HOOK_RELEASED, reinterpret_cast<WPARAM>(window), 0);
}

}  // namespace hooklib
