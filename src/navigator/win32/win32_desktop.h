#pragma once
// The window entries' view of the real desktop.
#include <windows.h>

#include "navigator/app_win_store.h"
#include "platform/handles.h"
#include "platform/screen_metrics.h"

namespace navigator {

class Win32Desktop final : public Desktop {
 public:
  explicit Win32Desktop(platform::ScreenMetricsCache& screen) : screen_(screen) {}
  ScreenLayout Screen() override;
  WindowHandle RootOwner(WindowHandle window) override;
  FrameMargins Margins(WindowHandle window) override;
  // The scan's size imposition: never waits on the window's thread, so a hung application
  // cannot stall the scan.
  void SetOuterSize(WindowHandle window, core::Size outer) override;
  void ReleaseShot(ShotHandle shot) override;

 private:
  platform::ScreenMetricsCache& screen_;
};

// The navigator's files name windows as the platform room converts them.
using platform::ToHandle;
using platform::ToHwnd;

}  // namespace navigator
