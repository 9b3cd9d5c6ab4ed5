#include "core/geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(Geometry, OffsetNearTheLimitsClampsInsteadOfWrapping) {
  const core::Rect r{kMax - 10, kMin + 10, kMax - 5, kMin + 20};
  EXPECT_EQ(r.offset(100, -100), (core::Rect{kMax, kMin, kMax, kMin}));
  EXPECT_EQ(r.offset(-10, 10), (core::Rect{kMax - 20, kMin + 20, kMax - 15, kMin + 30}));
}

TEST(Geometry, WidthOfAFullRangeRectDoesNotOverflow) {
  const core::Rect r{kMin, kMin, kMax, kMax};
  EXPECT_EQ(r.width(), int64_t{kMax} - kMin);
  EXPECT_FALSE(r.empty());
}

TEST(Geometry, IntersectionArea) {
  constexpr int64_t kFullWidth = int64_t{kMax} - kMin;  // 2^32 - 1
  constexpr int64_t kMaxArea = std::numeric_limits<int64_t>::max();
  struct Case { core::Rect a, b; int64_t area; };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 20, 20}, 25},
      {{0, 0, 10, 10}, {10, 0, 20, 10}, 0},  // touching edges do not overlap
      {{0, 0, 10, 10}, {20, 20, 30, 30}, 0},
      {{10, 10, 0, 0}, {0, 0, 10, 10}, 0},  // an inverted rectangle covers nothing
      // The largest areas that still fit, then the first ones past int64_t, which saturate.
      {{kMin, -1, kMax, kMax}, {kMin, kMin, kMax, kMax}, kFullWidth * (int64_t{kMax} + 1)},
      {{kMin, -2, kMax, kMax}, {kMin, kMin, kMax, kMax}, kMaxArea},
      {{kMin, kMin, kMax, kMax}, {kMin, kMin, kMax, kMax}, kMaxArea},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.a) + " and " + testing::PrintToString(c.b));
    EXPECT_EQ(core::intersectionArea(c.a, c.b), c.area);
    EXPECT_EQ(core::intersectionArea(c.b, c.a), c.area);
  }
}

TEST(Geometry, ValuesPrintByTheirFields) {
  EXPECT_EQ(testing::PrintToString(core::Point{3, -4}), "Point{3, -4}");
  EXPECT_EQ(testing::PrintToString(core::Size{640, 480}), "Size{640 x 480}");
  EXPECT_EQ(testing::PrintToString(core::Rect{1, 2, 3, 4}), "Rect{1, 2, 3, 4}");
}

TEST(Geometry, PackedSizeKeepsSixteenBitsPerAxis) {
  EXPECT_EQ(core::packSize(1920, 1080), 0x04380780u);
  EXPECT_EQ(core::packedWidth(core::packSize(32000, 17)), 32000u);
  EXPECT_EQ(core::packedHeight(core::packSize(32000, 17)), 17u);
  // Oversized values are cut to their axis instead of spilling into the other one.
  EXPECT_EQ(core::packedHeight(core::packSize(0x1FFFF, 5)), 5u);
}

}  // namespace
