#pragma once
// Screen geometry shared by every room. Rectangles follow the Win32 convention: right and bottom
// are exclusive, so width = right - left. Coordinates are 32-bit like Win32's; anything that adds,
// subtracts or multiplies them goes through the 64-bit helpers below and is clamped back.
#include <algorithm>
#include <cstdint>
#include <limits>

namespace core {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Clamps a 64-bit intermediate result into the 32-bit coordinate range.
constexpr int32_t clampToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// The lower bound first, then the upper: bounds that cross give the upper one (where std::clamp
// would be undefined). A scroll room can cross after it has shifted.
template <class T>
constexpr T clampLowThenHigh(T v, T lo, T hi) {
  if (v < lo) v = lo;
  if (v > hi) v = hi;
  return v;
}

// Where the program puts a window's visible top-left corner: inside the platform's 16-bit range
// (-32768..32767, which Wine clamps SetWindowPos to and WM_MOVE packs positions in), with room
// left for invisible resize borders and for the client area's offset from the frame. A window
// carried past it would stop where the platform clamps it while the others go on.
inline constexpr int32_t kMinWindowPosition = -32768 + 256;
inline constexpr int32_t kMaxWindowPosition = 32767 - 256;

constexpr int32_t clampToWindowRange(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, kMinWindowPosition, kMaxWindowPosition));
}
constexpr Point clampToWindowRange(Point p) { return {clampToWindowRange(p.x), clampToWindowRange(p.y)}; }

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  constexpr int64_t width() const { return int64_t{right} - left; }
  constexpr int64_t height() const { return int64_t{bottom} - top; }
  // The extents as a Size, each clamped into 32 bits.
  constexpr Size size() const { return {clampToInt32(width()), clampToInt32(height())}; }
  constexpr bool empty() const { return width() <= 0 || height() <= 0; }
  constexpr Rect offset(int64_t dx, int64_t dy) const {
    return {clampToInt32(left + dx), clampToInt32(top + dy), clampToInt32(right + dx),
            clampToInt32(bottom + dy)};
  }
  constexpr bool contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A window's place and size as SetWindowPos and MoveWindow take them.
struct Bounds {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

// A rectangle's place and size, each extent clamped into 32 bits.
constexpr Bounds BoundsOf(const Rect& r) {
  const Size s = r.size();
  return {r.left, r.top, s.width, s.height};
}

// Area of the overlap of two rectangles, 0 when they do not meet. Each extent reaches 2^32 - 1, so
// the product of two can pass the int64_t range: such an area saturates at its maximum, which still
// compares as the largest.
constexpr int64_t intersectionArea(const Rect& a, const Rect& b) {
  const int64_t w = int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
  const int64_t h = int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
  if (w <= 0 || h <= 0) return 0;
  constexpr int64_t kMaxArea = std::numeric_limits<int64_t>::max();
  return w > kMaxArea / h ? kMaxArea : w * h;
}

// A forced window size as it crosses process boundaries: width in the low 16 bits, height in the
// high 16 bits; 0 means none.
using PackedSize = uint32_t;
inline constexpr PackedSize kNoForcedSize = 0;
// The answer to a hook library's size question while the program is ending.
inline constexpr PackedSize kStopTracking = 0xFFFFFFFFu;

constexpr PackedSize packSize(uint32_t width, uint32_t height) {
  return (width & 0xFFFFu) | ((height & 0xFFFFu) << 16);
}
constexpr uint32_t packedWidth(PackedSize s) { return s & 0xFFFFu; }
constexpr uint32_t packedHeight(PackedSize s) { return s >> 16; }

// Widths and heights a forced size may have, however it was come by (typed into the set-size
// dialog, stored in the settings, remembered for a class); anything else is refused or ignored
// rather than imposed.
inline constexpr int32_t kMinForcedExtent = 64;
inline constexpr int32_t kMaxForcedExtent = 32000;

constexpr bool IsUsableForcedSize(int64_t width, int64_t height) {
  return width >= kMinForcedExtent && width <= kMaxForcedExtent && height >= kMinForcedExtent &&
         height <= kMaxForcedExtent;
}
constexpr bool IsUsableForcedSize(PackedSize s) { return IsUsableForcedSize(packedWidth(s), packedHeight(s)); }

}  // namespace core
