// Subclassing the candidate windows of a hooked process, and the subclass procedure that lets them
// grow to 32000 x 32000 and keeps them at the size the control panel answers for.
//
// A subclass lasts as long as the hook it was made under: it carries its tie (hook_life.h) as its
// reference data, and once that hook has gone the application is to behave as it did before the
// program ran, with its own size limits and no size questions. A subclass can be removed only on
// its window's own thread, so each one removes itself at its window's next message and passes
// that message on.
//
// A subclass must never outlive the code it points into, and the library may be unloaded on any
// thread, so the first subclass pins the library in the process. It stays loaded for the rest of
// the process's life, also once its last subclass has gone: only code outside it could release it
// safely (the subclass procedure that removes the last subclass returns through the library), and
// a library left loaded costs its pages only and serves a hook that is set again later.
//
// The table is shared by the process's GUI threads; one lock guards it, and no message is sent
// while it is held (SetWindowSubclass and RemoveWindowSubclass send none). The library is pinned
// before that lock is taken: pinning takes the loader lock, which DllMain holds when its detach
// takes the table's lock.
#include "subclasses.h"

#include <commctrl.h>

#include <string>

#include "core/private_messages.h"
#include "hook_life.h"
#include "hook_state.h"
#include "hooklib/subclass_candidate.h"
#include "hooklib/subclass_table.h"
#include "peers.h"
#include "platform/handles.h"

namespace hooklib {
namespace {

SRWLOCK g_tableLock = SRWLOCK_INIT;
SubclassTable g_table;
std::atomic<bool> g_pinned{false};

struct TableLock : ExclusiveLock {
  TableLock() : ExclusiveLock(g_tableLock) {}
};

using platform::ToHandle;
using platform::ToHwnd;

LRESULT CALLBACK SubclassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR refData);

bool PinLibrary() {
  if (g_pinned.load(std::memory_order_acquire)) return true;
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                          reinterpret_cast<LPCSTR>(&SubclassWndProc), &self)) {
    return false;
  }
  g_pinned.store(true, std::memory_order_release);
  return true;
}

// The window's facts for the candidate rules, read from the platform on demand.
class LiveCandidate : public CandidateFacts {
 public:
  explicit LiveCandidate(HWND w) : w_(w) {}
  WindowHandle Handle() const override { return ToHandle(w_); }
  bool Tracked() override {
    TableLock lock;
    return g_table.Tracked(ToHandle(w_));
  }
  std::optional<uint32_t> Style() override {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    if (!GetWindowInfo(w_, &info)) return std::nullopt;
    return static_cast<uint32_t>(info.dwStyle);
  }
  std::string ClassName() override { return Text(GetClassNameA); }
  std::string Title() override { return Text(GetWindowTextA); }
  std::optional<core::Rect> WindowRect() override {
    RECT r{};
    if (!GetWindowRect(w_, &r)) return std::nullopt;
    return platform::ToRect(r);
  }

 private:
  std::string Text(int(WINAPI* read)(HWND, LPSTR, int)) {
    char buffer[kMaxTextLength + 1] = {};
    const int n = read(w_, buffer, static_cast<int>(sizeof buffer));
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  }
  HWND w_;
};

// The default processing of WM_WINDOWPOSCHANGING asks the window for its limits: the answer that
// question got is the answer for the size change too, so one size change asks the control panel
// once, not twice.
struct PendingSizeChange {
  HWND window = nullptr;
  bool answered = false;
  SizeAnswer answer;
};
thread_local PendingSizeChange* t_pending = nullptr;

SizeAnswer AskOnce(HWND window) {
  PendingSizeChange* pending = t_pending;
  if (!pending || pending->window != window) return AskForcedSize(window);
  if (!pending->answered) {
    pending->answer = AskForcedSize(window);
    pending->answered = true;
  }
  return pending->answer;
}

LRESULT OnGetMinMaxInfo(HWND window, LPARAM lParam) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  if (!info) return 0;
  // A subclassed window may grow as large as a forced size may be.
  info->ptMaxTrackSize = {core::kMaxForcedExtent, core::kMaxForcedExtent};
  const SizeAnswer answer = AskOnce(window);
  if (answer.kind == SizeAnswerKind::Forced) {
    info->ptMinTrackSize = {answer.size.width, answer.size.height};
  }
  return 0;
}

LRESULT OnWindowPosChanging(HWND window, WPARAM wParam, LPARAM lParam) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
  PendingSizeChange pending{pos ? pos->hwnd : nullptr};
  PendingSizeChange* outer = t_pending;
  t_pending = &pending;
  DefSubclassProc(window, WM_WINDOWPOSCHANGING, wParam, lParam);
  t_pending = outer;
  // A pure move (every scroll step) carries no size that could be replaced: no question.
  if (!pos || (pos->flags & SWP_NOSIZE)) return 0;
  const SizeAnswer answer = pending.answered ? pending.answer : AskForcedSize(pos->hwnd);
  if (answer.kind == SizeAnswerKind::Forced) {
    pos->cx = answer.size.width;
    pos->cy = answer.size.height;
  }
  return 0;
}

// Whether the subclass acts on the message rather than only passing it on. Where it acts, whether
// its hook's witness exists is asked too; for every other message the tie alone is read.
bool ActsOn(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETMINMAXINFO:
    case WM_SIZING:
      return true;
    case WM_WINDOWPOSCHANGING: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      return pos && !(pos->flags & SWP_NOSIZE);
    }
    case WM_PRINT:
      return wParam == 0;
    default:
      return false;
  }
}

LRESULT CALLBACK SubclassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR tie) {
  if (!(ActsOn(message, wParam, lParam) ? TieConfirmed(tie) : TieHolds(tie))) {
    RemoveSubclass(window);
    return DefSubclassProc(window, message, wParam, lParam);
  }
  switch (message) {
    case WM_GETMINMAXINFO:
      return OnGetMinMaxInfo(window, lParam);
    case WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(window, wParam, lParam);
    case WM_SIZING:
      DefSubclassProc(window, message, wParam, lParam);
      return -1;
    case WM_DESTROY:
      RemoveSubclassAndReport(window);
      return DefSubclassProc(window, message, wParam, lParam);
    case WM_PRINT:
      // Without a device context this is a control message of ours, never the window's.
      if (wParam == 0) {
        if (lParam == msg::kPrintRemovesSubclass) RemoveSubclass(window);
        return lParam;
      }
      return DefSubclassProc(window, message, wParam, lParam);
    default:
      return DefSubclassProc(window, message, wParam, lParam);
  }
}

}  // namespace

bool IsSubclassCandidate(HWND window) {
  LiveCandidate facts(window);
  return hooklib::IsSubclassCandidate(facts, {ToHandle(ControlPanelWnd()), ToHandle(ReportWnd())});
}

void AddSubclass(HWND window, Witness tie) {
  if (!PinLibrary()) return;
  {
    TableLock lock;
    const std::optional<uint64_t> id = g_table.IdForNewSubclass(ToHandle(window));
    if (!id) return;
    if (!SetWindowSubclass(window, SubclassWndProc, static_cast<UINT_PTR>(*id), tie)) return;
    g_table.Record(ToHandle(window), *id);
  }
  ReportSubclassed(window);
}

namespace {

// Forgets the window's subclass and removes it; false when the window had none of ours.
bool Untrack(HWND window) {
  TableLock lock;
  const std::optional<uint64_t> id = g_table.Remove(ToHandle(window));
  if (!id) return false;
  // The record goes even when the removal fails; the pinned library keeps such a subclass safe.
  RemoveWindowSubclass(window, SubclassWndProc, static_cast<UINT_PTR>(*id));
  return true;
}

}  // namespace

void RemoveSubclass(HWND window) { Untrack(window); }

void RemoveSubclassAndReport(HWND window) {
  // Reported once the lock is released: the report is a message to another process.
  if (Untrack(window)) ReportReleased(window);
}

void RemoveAllSubclasses() {
  TableLock lock;
  for (std::size_t i = 0; i < g_table.Count(); ++i) {
    RemoveWindowSubclass(ToHwnd(g_table.WindowAt(i)), SubclassWndProc, static_cast<UINT_PTR>(g_table.IdAt(i)));
  }
  g_table.Clear();
}

}  // namespace hooklib
