#pragma once
// The overview's painting: the background (the picture tiled, or the desktop colour), every
// window of the plan as a drawn window or as its screen shot, and the viewport as a red dashed
// rectangle. It draws into a back buffer and copies that to the window at once, so the picture
// never flickers while it is built.
//
// Every DC and GDI object it takes for one painting is released before it returns; the back
// buffer and the caption font are kept between paintings and released with the painter.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "navigator/app_win_store.h"
#include "navigator/navigator_host.h"
#include "navigator/overview_mouse.h"
#include "navigator/win32/navigator_bitmap.h"

namespace navigator {

struct PaintRequest {
  AppWinStore* store = nullptr;
  NavigatorHost* host = nullptr;
  core::Rect virtualScreen;
  bool useBackground = false;
  NavigatorBitmap background;  // tiled when useBackground and it is not empty
  int fontSizePoints = 0;
};

class OverviewPainter {
 public:
  OverviewPainter() = default;
  ~OverviewPainter();
  OverviewPainter(const OverviewPainter&) = delete;
  OverviewPainter& operator=(const OverviewPainter&) = delete;

  // Paints the client area of `size` into `target` and leaves the extent and the viewport's
  // centre in `layout` and each drawn entry's place in its PanelRect. A panel of no width or
  // height paints nothing and changes nothing.
  void Paint(HDC target, core::Size size, const PaintRequest& request, OverviewLayout& layout);

 private:
  HBITMAP BackBuffer(HDC target, core::Size size);
  // The background picture as a pattern brush, made of the part a panel of `size` shows and kept
  // while the picture and the size stay. Making a brush copies its bitmap; the tiles start at the
  // panel's corner, so nothing of the picture beyond the panel's size is ever seen, and a
  // painting costs the same whatever the picture's size. Null when it cannot be made.
  HBRUSH BackgroundTiles(HDC target, const NavigatorBitmap& picture, core::Size size);
  void DropBackgroundTiles();
  HFONT CaptionFont(HDC target, int points);
  // The entry's shot scaled to `size`, kept while paintings draw it at that size: stretching
  // with HALFTONE costs milliseconds per window, copying a kept one next to nothing.
  HBITMAP ScaledShot(HDC target, const tAppWin& entry, core::Size size);
  void DropUnusedShots();

  struct Scaled {
    uint64_t version = 0;
    core::Size size;
    HBITMAP bitmap = nullptr;
    bool used = false;
  };
  std::vector<Scaled> scaled_;

  struct Tiles {
    HBITMAP picture = nullptr;
    uint64_t version = 0;
    core::Size pictureSize;
    core::Size panel;
    HBRUSH brush = nullptr;
  };
  Tiles tiles_;

  HBITMAP buffer_ = nullptr;
  core::Size bufferSize_;
  HFONT font_ = nullptr;
  int fontPoints_ = 0;
  int fontPixels_ = 0;
};

}  // namespace navigator
