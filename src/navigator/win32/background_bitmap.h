#pragma once
// Loading the navigator's background picture into its bitmap: a Windows bitmap file drawn by GDI,
// a JPEG through our decoder, each into a 32-bit DIB section. The file is checked first, so a
// damaged or huge one is refused before anything is allocated; the bitmap is replaced only by a
// complete picture and keeps what it held otherwise.
#include <windows.h>

#include <string>

#include "navigator/background_picture.h"
#include "navigator/win32/navigator_bitmap.h"

namespace navigator {

enum class PictureLoad {
  Loaded,
  NotAPicture,  // the extension is none of the pictures'
  Failed,       // unreadable, damaged, too large, or out of memory
};

// Never throws.
PictureLoad LoadBackgroundPicture(const std::string& path, NavigatorBitmap& bitmap);

// A 32-bit top-down DIB section of the picture; null when it cannot be made.
HBITMAP BitmapOfPicture(const RgbPicture& picture);

}  // namespace navigator
