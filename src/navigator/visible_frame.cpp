#include "navigator/visible_frame.h"

namespace navigator {

FrameMode FrameModeFor(bool isWin10, bool frameQueryBound) {
  return (isWin10 && frameQueryBound) ? FrameMode::VisibleFrame : FrameMode::WindowRect;
}

FrameMargins MarginsOf(FrameMode mode, std::optional<core::Rect> windowRect,
                       std::optional<core::Rect> extendedFrame) {
  if (mode != FrameMode::VisibleFrame || !windowRect || !extendedFrame) return {};
  const core::Rect& o = *windowRect;
  const core::Rect& f = *extendedFrame;
  return {core::clampToInt32(int64_t{f.left} - o.left), core::clampToInt32(int64_t{f.top} - o.top),
          core::clampToInt32(int64_t{o.right} - f.right),
          core::clampToInt32(int64_t{o.bottom} - f.bottom)};
}

std::optional<core::Rect> VisibleRectOf(FrameMode mode, std::optional<core::Rect> windowRect,
                                        std::optional<core::Rect> extendedFrame) {
  if (mode == FrameMode::VisibleFrame && extendedFrame) return extendedFrame;
  return windowRect;
}

core::Point WindowPosForVisible(const FrameMargins& m, core::Point visibleTopLeft) {
  return {core::clampToInt32(int64_t{visibleTopLeft.x} - m.left),
          core::clampToInt32(int64_t{visibleTopLeft.y} - m.top)};
}

core::Bounds WindowBoundsForVisible(const FrameMargins& m, const core::Bounds& visible) {
  return {core::clampToInt32(int64_t{visible.x} - m.left),
          core::clampToInt32(int64_t{visible.y} - m.top),
          core::clampToInt32(int64_t{visible.width} + m.left + m.right),
          core::clampToInt32(int64_t{visible.height} + m.top + m.bottom)};
}

bool WantsDesktopManager(bool isWin10, bool managerCreated) { return isWin10 && !managerCreated; }

bool VirtualDesktopTestOn(bool isWin10, bool managerCreated) { return isWin10 && managerCreated; }

}  // namespace navigator
