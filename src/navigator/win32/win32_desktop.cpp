#include "navigator/win32/win32_desktop.h"

#include "navigator/win32/window_geometry.h"

namespace navigator {

ScreenLayout Win32Desktop::Screen() {
  ScreenLayout s;
  s.monitorCount = GetSystemMetrics(SM_CMONITORS);
  RECT work{};
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    s.workArea = {work.left, work.top, work.right, work.bottom};
  } else {
    s.workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  const int64_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int64_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  s.virtualScreen = {static_cast<int32_t>(left), static_cast<int32_t>(top),
                     core::clampToInt32(left + GetSystemMetrics(SM_CXVIRTUALSCREEN)),
                     core::clampToInt32(top + GetSystemMetrics(SM_CYVIRTUALSCREEN))};
  return s;
}

WindowHandle Win32Desktop::RootOwner(WindowHandle window) {
  return ToHandle(GetAncestor(ToHwnd(window), GA_ROOTOWNER));
}

void Win32Desktop::MoveWindowVisible(WindowHandle window, const WindowBounds& visible) {
  MoveWindowVisibleNoWait(ToHwnd(window), visible.x, visible.y, visible.width, visible.height);
}

void Win32Desktop::ReleaseShot(ShotHandle shot) {
  if (shot != 0) DeleteObject(reinterpret_cast<HBITMAP>(shot));
}

}  // namespace navigator
