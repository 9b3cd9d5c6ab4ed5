#pragma once
// How far the windows may still be scrolled, and the fixed virtual-desktop size.
#include <cstdint>

#include "core/geometry.h"

namespace navigator {

// A horizontal step dx keeps within the room when ScrollMinX <= dx <= ScrollMaxX.
struct ScrollRoom {
  int32_t ScrollMinX = 0;
  int32_t ScrollMaxX = 0;
  int32_t ScrollMinY = 0;
  int32_t ScrollMaxY = 0;
  friend bool operator==(const ScrollRoom&, const ScrollRoom&) = default;
};

// Extra width and height of a fixed virtual desktop beyond the virtual screen; both 0 = not fixed.
struct DesktopLimits {
  int32_t LimitX = 0;
  int32_t LimitY = 0;
  // The scan's test: any non-zero limit fixes the desktop.
  bool FixedSizeInForce() const { return LimitX != 0 || LimitY != 0; }
  // A positive limit fixes the room the desktop may scroll through (negative stored limits mean none).
  bool FixesScrollRoom() const { return LimitX > 0 || LimitY > 0; }
};

// Who sets the scroll room beyond the scans that measure it: the scrolling engine, which the
// settings' load, the set-size dialog and a restored layout ask.
class ScrollRoomSetter {
 public:
  virtual ~ScrollRoomSetter() = default;
  virtual void SetScrollRoom(const ScrollRoom& room) = 0;
  // The fixed desktop size and the room that goes with it, in one.
  virtual void SetFixedDesktop(const DesktopLimits& limits, const ScrollRoom& room) = 0;
};

struct ScreenLayout {
  int monitorCount = 1;
  core::Rect workArea;       // the primary monitor's
  core::Rect virtualScreen;  // all monitors
};

// The room is measured against the work area with one monitor, the virtual screen with more.
core::Rect ReferenceArea(const ScreenLayout& screen);

// Widens the room so that it reaches every edge of `window` beyond `area`; never narrower than 0.
void WidenRoom(ScrollRoom& room, const core::Rect& window, const core::Rect& area);

}  // namespace navigator
