#pragma once
// The navigator's background picture as a bitmap the form owns.
#include <windows.h>

#include <cstdint>

namespace navigator {

// Empty until a picture is loaded into it; an empty one is never tiled.
struct NavigatorBitmap {
  HBITMAP handle = nullptr;
  int width = 0;
  int height = 0;
  // New for every picture loaded into this bitmap: what a painting prepared from the picture
  // before is never taken for the next one, even when GDI hands out the old handle again.
  uint64_t version = 0;
  bool Empty() const { return handle == nullptr || width <= 0 || height <= 0; }
};

}  // namespace navigator
