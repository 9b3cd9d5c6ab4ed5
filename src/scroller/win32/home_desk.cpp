#include "scroller/win32/home_desk.h"

#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"
#include "platform/work_area.h"
#include "scroller/window_filter.h"

namespace scroller {
namespace {

using platform::ToHandle;
using platform::ToHwnd;

bool Answers(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kHomeAnswerTimeoutMs, &ignored) != 0;
}

class ExitScanFacts final : public ExitScanWindow {
 public:
  explicit ExitScanFacts(HWND window) : window_(window) {}

  WindowHandle Handle() const override { return ToHandle(window_); }
  std::optional<WindowInfoFacts> Info() override {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    if (!GetWindowInfo(window_, &info)) return std::nullopt;
    return WindowInfoFacts{info.dwStyle,
                           {info.rcClient.left, info.rcClient.top, info.rcClient.right, info.rcClient.bottom}};
  }
  std::optional<bool> Cloaked() override { return false; }
  std::string ClassName() override {
    char name[128] = {};
    if (GetClassNameA(window_, name, 127) <= 0) return {};
    return name;
  }
  std::string Title() override { return {}; }
  std::optional<core::Rect> VisibleFrame() override { return navigator::VisibleFrameOf(window_); }
  bool OnCurrentVirtualDesktop() override { return true; }
  bool OwnedByThisProcess() override { return false; }
  void RestoreMinimized() override { RestoreWithoutWaiting(window_); }

 private:
  HWND window_;
};

struct ExitScanRun {
  const ExitScanSetup& setup;
  std::vector<WindowHandle> list;
  HWND shellWnd;
  HWND desktopWnd;
};

BOOL CALLBACK ExitScanWindowProc(HWND window, LPARAM data) {
  auto* run = reinterpret_cast<ExitScanRun*>(data);
  try {
    ExitScanContext ctx;
    ctx.controlPanel = ToHandle(run->setup.controlPanel);
    ctx.shellWnd = ToHandle(run->shellWnd);
    ctx.desktopWnd = ToHandle(run->desktopWnd);
    ctx.moveSizeWnd = ToHandle(run->setup.moveSizeWnd);
    // Both are the run's own: nothing nested can change them under the decision.
    ctx.excludedWindows = run->setup.excludedWindows;
    ctx.scrollList = run->list;
    ExitScanFacts facts(window);
    if (DecideExitScan(facts, ctx).verdict == ExitVerdict::Collect) run->list.push_back(ToHandle(window));
  } catch (...) {
    // A window that cannot be taken is left where it is; the others still go home.
  }
  return TRUE;
}

}  // namespace

void RestoreWithoutWaiting(HWND window) {
  if (Answers(window)) {
    OpenIcon(window);
  } else {
    ShowWindowAsync(window, SW_RESTORE);
  }
}

core::Rect Win32HomeDesk::WorkArea() { return platform::PrimaryWorkArea(); }

std::vector<core::Rect> Win32HomeDesk::WorkAreas() { return platform::MonitorWorkAreas(); }

bool Win32HomeDesk::IsMinimized(WindowHandle window) { return IsIconic(ToHwnd(window)) != FALSE; }

void Win32HomeDesk::Restore(WindowHandle window) { RestoreWithoutWaiting(ToHwnd(window)); }

std::optional<core::Rect> Win32HomeDesk::VisibleRect(WindowHandle window) {
  const HWND w = ToHwnd(window);
  if (IsIconic(w)) {
    // A restore only posted to a hung window has not happened yet: its restored place counts.
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    if (GetWindowPlacement(w, &p)) {
      return platform::ToRect(p.rcNormalPosition);
    }
  }
  return navigator::VisibleFrameOf(w);
}

void Win32HomeDesk::SetBoundsVisible(WindowHandle window, const core::Bounds& b) {
  navigator::MoveWindowVisibleNoWait(ToHwnd(window), b);
}

void Win32HomeDesk::Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void Win32HomeDesk::Redraw(WindowHandle window) {
  RedrawWindow(ToHwnd(window), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

std::vector<WindowHandle> RunExitScan(const ExitScanSetup& setup) {
  ExitScanRun run{setup, {}, GetShellWindow(), GetDesktopWindow()};
  EnumWindows(ExitScanWindowProc, reinterpret_cast<LPARAM>(&run));
  return std::move(run.list);
}

}  // namespace scroller
