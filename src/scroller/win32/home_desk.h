#pragma once
// Bringing windows home on Win32: the platform side of BringWindowsHome and the exit scan, which
// collects every visible top-level window (restoring minimized ones) when the program ends.
#include <windows.h>

#include <vector>

#include "scroller/bring_home.h"

namespace scroller {

// A window that does not answer within this time is treated as hung: it is restored and moved
// without waiting for it.
inline constexpr UINT kHomeAnswerTimeoutMs = 100;

class Win32HomeDesk final : public HomeDesk {
 public:
  core::Rect WorkArea() override;
  std::vector<core::Rect> WorkAreas() override;
  bool IsMinimized(WindowHandle window) override;
  void Restore(WindowHandle window) override;
  std::optional<core::Rect> VisibleRect(WindowHandle window) override;
  void SetBoundsVisible(WindowHandle window, const core::Bounds& bounds) override;
  void Pause(int milliseconds) override;
  void Redraw(WindowHandle window) override;
};

// Restores a minimized window: OpenIcon when its application answers, otherwise a restore that
// is only posted to it.
void RestoreWithoutWaiting(HWND window);

struct ExitScanSetup {
  HWND controlPanel = nullptr;
  HWND moveSizeWnd = nullptr;  // as the last refresh tick left it
  // A copy: restoring a minimized window runs nested messages that may change the engine's list.
  std::vector<WindowHandle> excludedWindows;
};

// Every window the exit scan collects, top of the Z order first. The shell window is read afresh.
std::vector<WindowHandle> RunExitScan(const ExitScanSetup& setup);

}  // namespace scroller
