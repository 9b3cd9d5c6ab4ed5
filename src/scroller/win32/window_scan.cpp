#include "scroller/win32/window_scan.h"

#include <algorithm>

#include "navigator/app_win_store.h"
#include "platform/optional_apis.h"
#include "platform/platform_switches.h"
#include "navigator/win32/virtual_desktops.h"
#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"
#include "scroller/scan_cache.h"
#include "scroller/win32/move_environment.h"
#include "scroller/window_filter.h"

namespace scroller {

namespace {

constexpr DWORD kCloakedAttribute = 14;  // DWMWA_CLOAKED
constexpr int kNameBufferCount = 127;    // terminating NUL included

using platform::ToHandle;

// The platform's answers for one window, each asked at most once and only when a rule needs it.
// With a cache, the class name is the one kept for the window's class atom.
class Win32WindowFacts final : public WindowFacts {
 public:
  Win32WindowFacts(HWND window, const ScanSetup& setup)
      : window_(window), ownProcessId_(setup.ownProcessId), cache_(setup.cache), desktops_(setup.desktops) {}

  WindowHandle Handle() const override { return ToHandle(window_); }

  // Every window on the desktop is asked this each scan, most of them hidden, so it asks for
  // the style alone: GetWindowInfo costs several times as much under Wine.
  std::optional<WindowInfoFacts> Info() override {
    SetLastError(ERROR_SUCCESS);
    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    if (style == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
    WindowInfoFacts facts{static_cast<uint32_t>(style), {}};
    if (facts.style & WS_MAXIMIZE) {
      RECT client{};
      if (!GetClientRect(window_, &client)) return std::nullopt;
      SetLastError(ERROR_SUCCESS);
      if (!MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2) && GetLastError() != ERROR_SUCCESS) {
        return std::nullopt;
      }
      facts.client = {client.left, client.top, client.right, client.bottom};
    }
    return facts;
  }

  std::optional<bool> Cloaked() override {
    if (!platform::Apis.DwmGetWindowAttribute) return std::nullopt;
    DWORD cloaked = 0;
    if (platform::Apis.DwmGetWindowAttribute(window_, kCloakedAttribute, &cloaked, sizeof cloaked) != S_OK) {
      return std::nullopt;
    }
    return cloaked != 0;
  }

  // Under Wine the name of another process's window class is two server calls (the atom, then
  // its name); the atom alone is one.
  std::string ClassName() override {
    auto read = [this] { return ReadName(GetClassNameA(window_, buffer_, kNameBufferCount)); };
    if (!cache_) return read();
    return cache_->ClassName(Handle(), static_cast<ClassAtom>(GetClassWord(window_, GCW_ATOM)), read);
  }
  std::string Title() override { return ReadName(GetWindowTextA(window_, buffer_, kNameBufferCount)); }

  std::optional<core::Rect> VisibleFrame() override { return navigator::VisibleFrameOf(window_); }

  bool OnCurrentVirtualDesktop() override { return !desktops_ || desktops_->IsOnCurrentDesktop(window_); }

  bool OwnedByThisProcess() override { return Owner().processId == ownProcessId_; }

  // Read once; every window the scan accepts has been asked it.
  const WindowOwner& Owner() {
    if (!owner_) {
      DWORD process = 0;
      const DWORD thread = GetWindowThreadProcessId(window_, &process);
      owner_ = WindowOwner{process, thread};
    }
    return *owner_;
  }

 private:
  std::string ReadName(int got) {
    if (got <= 0) return {};
    buffer_[kNameBufferCount - 1] = '\0';
    return std::string(buffer_);  // up to the first NUL
  }

  HWND window_;
  DWORD ownProcessId_;
  ScanCache* cache_;
  const navigator::VirtualDesktops* desktops_;
  std::optional<WindowOwner> owner_;
  char buffer_[128] = {};
};

// The class icon, else the window's big icon. A hung application answers nothing: its window
// then has no icon for this scan rather than stalling it.
HICON AskIcon(HWND window) {
  if (const ULONG_PTR icon = GetClassLongPtrA(window, GCLP_HICON)) return reinterpret_cast<HICON>(icon);
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG, kIconQueryTimeoutMs, &answer)) {
    return nullptr;
  }
  return reinterpret_cast<HICON>(answer);
}

// A busy application makes each question wait up to the time-out: with a cache it is asked at
// most once a second, so that the scans between do not wait on it.
HICON IconOf(HWND window, Win32WindowFacts& facts, ScanCache* cache) {
  if (!cache) return AskIcon(window);
  return reinterpret_cast<HICON>(
      cache->Icon(facts.Handle(), facts.Owner(), [window] { return reinterpret_cast<IconHandle>(AskIcon(window)); }));
}

struct ScanRun {
  const ScanSetup& setup;
  ScanLists& lists;
  navigator::AppWinStore* entries;
  ScanContext context;
  ScanOutcome outcome;
};

void RefreshContextLists(ScanRun& run) {
  run.context.scrollList = run.lists.scroll.Handles;
  run.context.excludedWindows = run.lists.excluded;
}

void ScanOne(HWND window, ScanRun& run) {
  // The lists may have changed since the last window (a nested message removed a window).
  RefreshContextLists(run);
  Win32WindowFacts facts(window, run.setup);
  const ScanDecision d = DecideScan(facts, run.context);
  if (d.menuOrMaximized) run.outcome.menuOrMaximized = true;
  if (!HandedToNavigator(d.verdict)) return;

  const bool scrolls = d.verdict == ScanVerdict::Scrolls;
  if (scrolls) {
    run.lists.scroll.Append(ToHandle(window), ScrollListText(d.className, d.title));
    run.outcome.listedClasses.emplace_back(ToHandle(window), d.className);
  }
  const HICON icon = IconOf(window, facts, run.setup.cache);
  // While the icon query waited, a nested message may have released this window: it must then
  // get no entry now.
  if (scrolls && !run.lists.scroll.Contains(ToHandle(window))) return;
  if (run.entries) {
    run.entries->UpdateWindowEntry(ToHandle(window), d.title, d.className, d.frame, window == run.setup.foregroundWnd,
                                   window == run.setup.moveSizeWnd && window != nullptr,
                                   reinterpret_cast<navigator::IconHandle>(icon));
  }
}

BOOL CALLBACK ScanWindowProc(HWND window, LPARAM data) {
  auto* run = reinterpret_cast<ScanRun*>(data);
  try {
    ScanOne(window, *run);
  } catch (...) {
    // A window that cannot be taken (memory exhausted for its entry) is left out; the scan goes on.
  }
  return TRUE;
}

}  // namespace

ScanOutcome RunWindowScan(const ScanSetup& setup, ScanLists lists, navigator::AppWinStore* entries) {
  lists.scroll.Clear();
  ScanRun run{setup, lists, entries, {}, {}};
  run.context.controlPanel = ToHandle(setup.controlPanel);
  run.context.shellWnd = ToHandle(setup.shellWnd);
  run.context.desktopWnd = ToHandle(setup.desktopWnd);
  run.context.moveSizeWnd = ToHandle(setup.moveSizeWnd);
  // Before Windows 8, or with the query unbound, no window counts as cloaked.
  run.context.cloakTestOn = platform::IsWin8 && platform::Apis.DwmGetWindowAttribute != nullptr;
  run.context.nonScrollingClasses = setup.nonScrollingClasses;
  run.context.virtualScreen = setup.virtualScreen;
  if (entries) entries->BeginWindowScan();
  if (setup.cache) setup.cache->BeginScan(ScanCache::Clock::now());
  EnumWindows(ScanWindowProc, reinterpret_cast<LPARAM>(&run));
  if (setup.cache) setup.cache->EndScan();
  return std::move(run.outcome);
}

std::string ScanOutcome::ClassOf(WindowHandle window) const {
  for (const auto& [w, className] : listedClasses) {
    if (w == window) return className;
  }
  return {};
}

}  // namespace scroller
