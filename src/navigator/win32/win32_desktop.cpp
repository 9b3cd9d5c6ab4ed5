#include "navigator/win32/win32_desktop.h"

#include "navigator/win32/window_geometry.h"

namespace navigator {

ScreenLayout Win32Desktop::Screen() {
  const platform::ScreenMetrics& screen = screen_.Current();
  ScreenLayout s;
  s.monitorCount = screen.monitorCount;
  RECT work{};
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    s.workArea = {work.left, work.top, work.right, work.bottom};
  } else {
    s.workArea = {0, 0, screen.primary.width, screen.primary.height};
  }
  s.virtualScreen = screen.virtualScreen;
  return s;
}

WindowHandle Win32Desktop::RootOwner(WindowHandle window) {
  return ToHandle(GetAncestor(ToHwnd(window), GA_ROOTOWNER));
}

FrameMargins Win32Desktop::Margins(WindowHandle window) { return FrameMarginsOf(ToHwnd(window)); }

void Win32Desktop::SetOuterSize(WindowHandle window, core::Size outer) {
  SetWindowSizeNoWait(ToHwnd(window), outer);
}

void Win32Desktop::ReleaseShot(ShotHandle shot) {
  if (shot != 0) DeleteObject(reinterpret_cast<HBITMAP>(shot));
}

}  // namespace navigator
