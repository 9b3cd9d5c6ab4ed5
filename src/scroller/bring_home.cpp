#include "scroller/bring_home.h"

#include <algorithm>
#include <vector>

namespace scroller {

std::optional<navigator::WindowBounds> HomeBoundsFor(const std::optional<core::Rect>& visible,
                                                     const core::Rect& workArea) {
  if (!visible) return std::nullopt;
  int64_t width = visible->width();
  int64_t height = visible->height();
  // Nothing is enlarged; a work area without a size is no measure.
  if (workArea.width() > 0 && workArea.width() < width) width = workArea.width();
  if (workArea.height() > 0 && workArea.height() < height) height = workArea.height();
  return navigator::WindowBounds{workArea.left, workArea.top, core::clampToInt32(width),
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
    const std::optional<navigator::WindowBounds> home =
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

}  // namespace scroller
