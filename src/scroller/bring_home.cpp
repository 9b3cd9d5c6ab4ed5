#include "scroller/bring_home.h"

#include <algorithm>
#include <vector>

namespace scroller {

std::optional<core::Bounds> HomeBoundsFor(const std::optional<core::Rect>& visible,
                                                     const core::Rect& workArea) {
  if (!visible) return std::nullopt;
  int64_t width = visible->width();
  int64_t height = visible->height();
  // Nothing is enlarged; a work area without a size is no measure.
  if (workArea.width() > 0 && workArea.width() < width) width = workArea.width();
  if (workArea.height() > 0 && workArea.height() < height) height = workArea.height();
  return core::Bounds{workArea.left, workArea.top, core::clampToInt32(width),
                                 core::clampToInt32(height)};
}

int BringWindowsHome(const ScrollLists& lists, HomeDesk& desk) {
  if (lists.Handles.empty()) return 0;
  const std::vector<WindowHandle> snapshot = lists.Handles;
  int moved = 0;
  for (const WindowHandle window : snapshot) {
    if (!lists.Contains(window)) continue;
    if (desk.IsMinimized(window)) {
      desk.Restore(window);
      if (!lists.Contains(window)) continue;
    }
    const std::optional<core::Bounds> home =
        HomeBoundsFor(desk.VisibleRect(window), desk.WorkArea());
    if (!home) continue;
    desk.SetBoundsVisible(window, *home);
    ++moved;
  }
  desk.Pause(kHomeRedrawPauseMs);
  for (const WindowHandle window : snapshot) {
    if (lists.Contains(window) && desk.VisibleRect(window)) desk.Redraw(window);
  }
  return moved;
}

bool OutOfReach(const core::Rect& frame, std::span<const core::Rect> workAreas) {
  return std::none_of(workAreas.begin(), workAreas.end(),
                      [&](const core::Rect& area) { return core::intersectionArea(frame, area) > 0; });
}

int BringStrandedWindowsHome(std::span<const WindowHandle> windows, HomeDesk& desk) {
  int moved = 0;
  const std::vector<core::Rect> areas = desk.WorkAreas();
  for (const WindowHandle window : windows) {
    if (desk.IsMinimized(window)) continue;
    const std::optional<core::Rect> frame = desk.VisibleRect(window);
    if (!frame || !OutOfReach(*frame, areas)) continue;
    if (const std::optional<core::Bounds> home = HomeBoundsFor(frame, desk.WorkArea())) {
      desk.SetBoundsVisible(window, *home);
      ++moved;
    }
  }
  return moved;
}

}  // namespace scroller
