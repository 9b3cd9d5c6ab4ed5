#include "navigator/scroll_room.h"

#include <algorithm>

namespace navigator {

core::Rect ReferenceArea(const ScreenLayout& screen) {
  return screen.monitorCount <= 1 ? screen.workArea : screen.virtualScreen;
}

void WidenRoom(ScrollRoom& room, const core::Rect& window, const core::Rect& area) {
  // Windows may sit near the 32-bit limits after long scrolling: subtract in 64 bits.
  room.ScrollMinX = std::min(room.ScrollMinX, core::clampToInt32(int64_t{window.left} - area.left));
  room.ScrollMinY = std::min(room.ScrollMinY, core::clampToInt32(int64_t{window.top} - area.top));
  room.ScrollMaxX = std::max(room.ScrollMaxX, core::clampToInt32(int64_t{window.right} - area.right));
  room.ScrollMaxY =
      std::max(room.ScrollMaxY, core::clampToInt32(int64_t{window.bottom} - area.bottom));
}

}  // namespace navigator
