// The overview's mapping: the extent (margins, widening by the windows, the aspect fit), screen to
// navigator coordinates and the viewport, down to empty and one-pixel desktops, panels of no
// width or height and windows at the ends of the 32-bit range.
#include "navigator/overview_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

using core::Point;
using core::Rect;
using core::Size;
using navigator::MulDivSaturated;
using navigator::OverviewExtent;
using navigator::ToPanel;
using navigator::ViewportOf;

struct ExtentCase {
  const char* name;
  Rect screen;
  int32_t doX = 1, doY = 1;
  std::vector<Rect> windows = {};
  Size panel;
  Rect expected;
};

TEST(OverviewMap, ExtentTable) {
  const ExtentCase cases[] = {
      {.name = "horizontal only, before the fit", .screen = {0, 0, 1920, 1080}, .doX = 1, .doY = 0,
       .panel = {0, 0}, .expected = {-121, -1, 2041, 1081}},
      {.name = "horizontal only, fitted: the height is padded", .screen = {0, 0, 1920, 1080}, .doX = 1,
       .doY = 0, .panel = {1920, 1080}, .expected = {-121, -68, 2041, 1148}},
      {.name = "both axes on a screen-sized panel: already in proportion", .screen = {0, 0, 1920, 1080},
       .panel = {1920, 1080}, .expected = {-121, -68, 2041, 1148}},
      {.name = "a third of the screen, taller than the extent", .screen = {0, 0, 1920, 1080},
       .panel = {640, 480}, .expected = {-121, -270, 2041, 1350}},
      {.name = "neither axis scrolls", .screen = {0, 0, 1920, 1080}, .doX = 0, .doY = 0,
       .panel = {1920, 1080}, .expected = {-1, -1, 1921, 1081}},
      {.name = "a window far right widens, the height is padded both ways", .screen = {0, 0, 1920, 1080},
       .windows = {{3000, 100, 4000, 600}}, .panel = {1920, 1080}, .expected = {-121, -619, 4001, 1699}},
      {.name = "windows at +-32000", .screen = {0, 0, 1920, 1080},
       .windows = {{-32000, -32000, -31000, -31000}, {31000, 31000, 32000, 32000}}, .panel = {1920, 1080},
       .expected = {-56889, -32000, 56890, 32001}},
      {.name = "no desktop at all", .screen = {0, 0, 0, 0}, .panel = {100, 50}, .expected = {-2, -1, 2, 1}},
      {.name = "a desktop of one pixel", .screen = {5, 5, 6, 6}, .panel = {10, 10}, .expected = {4, 4, 7, 7}},
      {.name = "a panel of no height is not fitted", .screen = {0, 0, 1920, 1080}, .panel = {640, 0},
       .expected = {-121, -68, 2041, 1148}},
      {.name = "a panel of no width is not fitted", .screen = {0, 0, 1920, 1080}, .panel = {0, 480},
       .expected = {-121, -68, 2041, 1148}},
      {.name = "a panel of one pixel", .screen = {0, 0, 1920, 1080}, .panel = {1, 1},
       .expected = {-121, -541, 2041, 1621}},
      {.name = "the whole 32-bit range saturates", .screen = {0, 0, 1920, 1080},
       .windows = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}}, .panel = {1920, 1080},
       .expected = {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
  };
  for (const ExtentCase& c : cases) {
    EXPECT_EQ(OverviewExtent(c.screen, c.doX, c.doY, c.windows, c.panel), c.expected) << c.name;
  }
}

struct PointCase {
  const char* name;
  Rect extent;
  Size panel;
  Point screen;
  Point expected;
};

TEST(OverviewMap, ScreenToPanelTable) {
  const PointCase cases[] = {
      {"the extent's corner is the panel's", {-100, -50, 1900, 1050}, {400, 220}, {-100, -50}, {0, 0}},
      {"the far corner", {-100, -50, 1900, 1050}, {400, 220}, {1900, 1050}, {400, 220}},
      {"truncated toward zero", {0, 0, 3, 3}, {2, 2}, {1, 2}, {0, 1}},
      {"left of the extent truncates toward zero, not down", {0, 0, 3, 3}, {2, 2}, {-1, -2}, {0, -1}},
      {"an extent of no width maps to 0", {5, 5, 5, 5}, {400, 220}, {100, 100}, {0, 0}},
      {"a panel of no size maps to 0", {0, 0, 100, 100}, {0, 0}, {50, 50}, {0, 0}},
      {"the far corner of a huge extent", {-56889, -32000, 56890, 32001}, {1920, 1080}, {56890, 32001},
       {1920, 1080}},
      {"beyond 64 bits saturates", {INT_MIN, INT_MIN, INT_MIN + 1, INT_MIN + 1}, {INT_MAX, INT_MAX},
       {INT_MAX, INT_MAX}, {INT_MAX, INT_MAX}},
  };
  for (const PointCase& c : cases) EXPECT_EQ(ToPanel(c.extent, c.panel, c.screen), c.expected) << c.name;
}

TEST(OverviewMap, MulDivSaturatesAndNeverDividesByZero) {
  EXPECT_EQ(MulDivSaturated(3840, 10, 384), 100);
  EXPECT_EQ(MulDivSaturated(-7, 1, 2), -3);
  EXPECT_EQ(MulDivSaturated(5, 5, 0), 0);
  EXPECT_EQ(MulDivSaturated(INT64_MAX, 2, 1), INT_MAX);
  EXPECT_EQ(MulDivSaturated(INT64_MAX, -2, 1), INT_MIN);
  EXPECT_EQ(MulDivSaturated(INT64_MIN, -1, -1), INT_MIN);
  EXPECT_EQ(MulDivSaturated(int64_t{1} << 40, 1, 1), INT_MAX);
}

TEST(OverviewMap, ViewportIsTheVirtualScreenWithInclusiveEdgesAndItsCentre) {
  const Rect screen{0, 0, 1920, 1080};
  const Rect e = OverviewExtent(screen, 1, 1, {}, {1920, 1080});
  const navigator::Viewport v = ViewportOf(e, {1920, 1080}, screen);
  EXPECT_EQ(v.rect, (Rect{107, 60, 1811, 1018}));
  EXPECT_EQ(v.center, (Point{959, 539}));

  // With a window far out the viewport shrinks and stays where the screen is.
  const Rect wide = OverviewExtent(screen, 1, 1, std::vector<Rect>{{-32000, 0, -31000, 500}}, {1920, 1080});
  const navigator::Viewport w = ViewportOf(wide, {1920, 1080}, screen);
  EXPECT_GT(w.rect.left, 1700);
  EXPECT_LE(w.rect.right, 1920);
  EXPECT_EQ(ToPanel(wide, {1920, 1080}, Point{-32000, 0}).x, 0);
}

TEST(OverviewMap, EmptyTinyAndZeroSizedNeverFail) {
  for (const Rect screen : {Rect{0, 0, 0, 0}, Rect{0, 0, 1, 1}, Rect{0, 0, -5, -5}, Rect{INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX}}) {
    for (const Size panel : {Size{0, 0}, Size{1, 1}, Size{0, 300}, Size{300, 0}, Size{INT_MAX, 1}}) {
      const Rect e = OverviewExtent(screen, 1, 1, {}, panel);
      const navigator::Viewport v = ViewportOf(e, panel, screen);
      EXPECT_LE(std::min(v.rect.left, v.rect.right), v.center.x);
      EXPECT_LE(v.center.x, std::max(v.rect.left, v.rect.right));
      (void)ToPanel(e, panel, Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    }
  }
}

}  // namespace
