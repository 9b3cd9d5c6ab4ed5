#pragma once
// The platform side of the move tick: what a tick reads of the desktop, and how one window is
// put in its new place.
#include <windows.h>

#include <optional>

#include "core/geometry.h"
#include "navigator/scroll_room.h"
#include "scroller/move_tick.h"

namespace scroller {

// The bounding rectangle of all monitors.
core::Rect VirtualScreenRect();

// Puts the visible frame's top-left corner of `window` at `topLeft` with kScrollMoveFlags: no size,
// Z-order or activation change, and no wait for the window's thread, so a hung application
// holds up neither the tick nor the other windows. Every scroll move goes through here.
void MoveVisibleFrameNoWait(HWND window, core::Point topLeft);

class Win32MoveEnvironment final : public MoveEnvironment {
 public:
  // `limits`: the fixed virtual-desktop size as the navigator holds it (read at every tick).
  Win32MoveEnvironment(const navigator::DesktopLimits* limits, HWND navigatorWindow)
      : limits_(limits), navigator_(navigatorWindow) {}

  MoveTickFacts Facts() override;
  std::optional<core::Point> VisibleTopLeft(WindowHandle window) override;
  void MoveVisibleTo(WindowHandle window, core::Point topLeft) override;

 private:
  const navigator::DesktopLimits* limits_;
  HWND navigator_;
};

}  // namespace scroller
