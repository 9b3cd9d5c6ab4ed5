#pragma once
// The navigator's background picture before it becomes a bitmap: which files are pictures, how
// large a picture may be, and the checks a file passes before anything is allocated for it. A
// picture file is user input (a path in the registry, or the wallpaper's): a corrupt, truncated
// or huge one must end in a refusal, never in a crash, a hang or a giant allocation.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace navigator {

enum class PictureKind {
  None,    // no extension, or one that is not a picture's: nothing is loaded
  Bitmap,  // ".bmp"
  Jpeg,    // ".jpg", ".jpeg"
};

// The extension of a path, dot included: only the last one counts ("photo.jpeg.bmp" is ".bmp").
// Empty when the file name has no dot, or when its only dot begins the name (".jpg").
std::string_view PictureExtension(std::string_view path);
// Compared without regard to the case of ASCII letters.
PictureKind PictureKindOf(std::string_view path);

// The largest picture taken. The 32-bit program holds a picture twice while converting it (the
// decoded rows and the bitmap), so 2^25 pixels (a 7680 x 4320 screen fits) cost at most about
// 230 MB at once.
inline constexpr int64_t kMaxPictureSide = 32767;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 25;
// A picture file larger than this is not read at all.
inline constexpr uint64_t kMaxPictureFileBytes = uint64_t{128} << 20;

constexpr bool IsAcceptablePictureSize(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// A decoded picture: rows top-down, three bytes (red, green, blue) per pixel, no padding.
struct RgbPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
  bool Empty() const { return width <= 0 || height <= 0; }
};

enum class BitmapFileCheck {
  Usable,
  NotABitmap,  // no "BM" file header, or an info header that no Windows bitmap has
  BadSize,     // width or height 0, or beyond the limits above
  Truncated,   // the file ends before the pixel data the headers announce
};

// Reads the file and info headers of a Windows bitmap file: `head` holds the file's first bytes
// (at least 54 for a complete answer), `fileSize` its whole size.
struct BitmapFileFacts {
  BitmapFileCheck check = BitmapFileCheck::NotABitmap;
  int32_t width = 0;
  int32_t height = 0;  // always positive; a top-down bitmap stores it negative
  // Where a usable file's parts lie, so that no reader works them out again.
  uint32_t infoSize = 0;      // the info header's size, 12 for the oldest one
  uint64_t pixelOffset = 0;   // the pixel data's place in the file, past every header
};
BitmapFileFacts CheckBitmapFile(std::span<const uint8_t> head, uint64_t fileSize);
// How many of a file's first bytes CheckBitmapFile looks at.
inline constexpr std::size_t kBitmapHeadBytes = 54;

enum class FileRead { Read, Unreadable, TooLarge };
// Reads a whole file, of at most kMaxPictureFileBytes, into `bytes`; `bytes` is left alone unless
// the read succeeds.
FileRead ReadPictureFile(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace navigator
