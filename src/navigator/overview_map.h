#pragma once
// The overview's mapping between screen and navigator coordinates: which part of the screen
// coordinate space the navigator shows (the extent), how a screen point lands in the navigator,
// and where the viewport (the virtual screen itself) is drawn. An extent is a core::Rect in screen
// coordinates, its right and bottom one past the last shown pixel, as the painting leaves them.
//
// Every product and quotient runs in 64 bits and saturates to 32 bits: windows far out (±32000
// and beyond), a desktop of one pixel and a navigator of width or height 0 map without overflow
// or a division by zero.
#include <cstdint>
#include <span>

#include "core/geometry.h"

namespace navigator {

// a * b / c truncating toward zero; a product beyond 64 bits saturates, c == 0 gives 0, and the
// result is clamped to 32 bits.
int32_t MulDivSaturated(int64_t a, int64_t b, int64_t c);

// The extent before it is widened by the windows: the virtual screen with a margin of a sixteenth
// of its size on each side of an axis that scrolls (`doXMove`, `doYMove` are 0 or 1).
core::Rect ScreenExtent(const core::Rect& virtualScreen, int32_t doXMove, int32_t doYMove);

// The whole extent: the screen extent widened by every window so that each is drawn whole, then
// padded along one axis to the navigator's proportions. A panel of width or height 0 is not fitted.
core::Rect OverviewExtent(const core::Rect& virtualScreen, int32_t doXMove, int32_t doYMove,
                          std::span<const core::Rect> windows, core::Size panel);

// A screen point in navigator coordinates; (0, 0) for an extent of no width or height.
core::Point ToPanel(const core::Rect& e, core::Size panel, core::Point screen);
// A rectangle mapped corner by corner.
core::Rect ToPanel(const core::Rect& e, core::Size panel, const core::Rect& screen);

// The viewport as drawn: the virtual screen with its right and bottom edges inclusive, mapped,
// and its centre.
struct Viewport {
  core::Rect rect;  // vx1, vy1, vx2, vy2
  core::Point center;
};
Viewport ViewportOf(const core::Rect& e, core::Size panel, const core::Rect& virtualScreen);

}  // namespace navigator
