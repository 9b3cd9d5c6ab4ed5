#pragma once
// The window entries' view of the real desktop.
#include <windows.h>

#include "navigator/app_win_store.h"

namespace navigator {

class Win32Desktop final : public Desktop {
 public:
  ScreenLayout Screen() override;
  WindowHandle RootOwner(WindowHandle window) override;
  // The scan's size imposition: never waits on the window's thread, so a hung application
  // cannot stall the scan.
  void MoveWindowVisible(WindowHandle window, const WindowBounds& visible) override;
  void ReleaseShot(ShotHandle shot) override;
};

inline HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }
inline WindowHandle ToHandle(HWND w) { return reinterpret_cast<WindowHandle>(w); }

}  // namespace navigator
