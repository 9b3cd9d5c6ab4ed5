#include "navigator/visible_frame.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using core::Bounds;
using core::Rect;
using navigator::DesktopAnswer;
using navigator::FrameMargins;
using navigator::FrameMode;

TEST(VisibleFrame, ModeNeedsWindows10AndTheBoundQuery) {
  EXPECT_EQ(navigator::FrameModeFor(true, true), FrameMode::VisibleFrame);
  EXPECT_EQ(navigator::FrameModeFor(true, false), FrameMode::WindowRect);
  EXPECT_EQ(navigator::FrameModeFor(false, true), FrameMode::WindowRect);
}

TEST(VisibleFrame, MarginsAndVisibleRect) {
  struct Case {
    const char* name;
    FrameMode mode;
    std::optional<Rect> window;
    std::optional<Rect> frame;
    FrameMargins margins;
    std::optional<Rect> visible;
  };
  const Rect outer{93, 50, 907, 657};
  const Rect inner{100, 50, 900, 650};
  const std::vector<Case> cases = {
      {"windows 10 borders", FrameMode::VisibleFrame, outer, inner, {7, 0, 7, 7}, inner},
      {"uneven borders", FrameMode::VisibleFrame, Rect{-20, -30, 500, 400},
       Rect{-12, -29, 497, 390}, {8, 1, 3, 10}, Rect{-12, -29, 497, 390}},
      {"before windows 10 the frame is ignored", FrameMode::WindowRect, outer, inner, {}, outer},
      // Without this fallback every window would be left out of the scan.
      {"failing frame query", FrameMode::VisibleFrame, outer, std::nullopt, {}, outer},
      {"window rect fails too", FrameMode::VisibleFrame, std::nullopt, std::nullopt, {}, std::nullopt},
      {"window rect fails alone: no margins", FrameMode::VisibleFrame, std::nullopt, inner, {}, inner},
      {"margins far apart do not overflow", FrameMode::VisibleFrame,
       Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, Rect{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN},
       {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, Rect{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(navigator::MarginsOf(c.mode, c.window, c.frame), c.margins);
    EXPECT_EQ(navigator::VisibleRectOf(c.mode, c.window, c.frame), c.visible);
  }
}

TEST(VisibleFrame, VisibleBoundsBecomeWindowBounds) {
  const FrameMargins m{7, 0, 7, 7};
  EXPECT_EQ(navigator::WindowBoundsForVisible(m, {100, 50, 800, 600}), (Bounds{93, 50, 814, 607}));
  EXPECT_EQ(navigator::WindowPosForVisible(m, {100, 50}), (core::Point{93, 50}));
  // No margins: the coordinates pass unchanged.
  EXPECT_EQ(navigator::WindowBoundsForVisible({}, {-5, 7, 64, 32000}), (Bounds{-5, 7, 64, 32000}));
  // Near the 32-bit limits the result is clamped, not wrapped.
  EXPECT_EQ(navigator::WindowBoundsForVisible(m, {INT32_MIN, 0, INT32_MAX, 10}),
            (Bounds{INT32_MIN, 0, INT32_MAX, 17}));
}

// Reading a window's visible frame and setting it again leaves the window as it was.
TEST(VisibleFrame, RoundTripKeepsTheWindow) {
  const Rect outers[] = {{93, 50, 907, 657}, {-3007, -2000, -1993, 1207}, {0, 0, 64, 64}};
  const Rect inners[] = {{100, 50, 900, 650}, {-3000, -1999, -2000, 1200}, {0, 0, 64, 64}};
  for (FrameMode mode : {FrameMode::VisibleFrame, FrameMode::WindowRect}) {
    for (std::size_t i = 0; i < std::size(outers); ++i) {
      SCOPED_TRACE(i);
      const auto m = navigator::MarginsOf(mode, outers[i], inners[i]);
      const auto v = navigator::VisibleRectOf(mode, outers[i], inners[i]);
      ASSERT_TRUE(v);
      const Bounds visible{v->left, v->top, static_cast<int32_t>(v->width()),
                                 static_cast<int32_t>(v->height())};
      const Bounds set = navigator::WindowBoundsForVisible(m, visible);
      EXPECT_EQ(set, (Bounds{outers[i].left, outers[i].top,
                                   static_cast<int32_t>(outers[i].width()),
                                   static_cast<int32_t>(outers[i].height())}));
    }
  }
}

TEST(VirtualDesktop, DecisionTable) {
  struct Case {
    bool isWin10;
    bool managerCreated;
    DesktopAnswer answer;
    bool onCurrent;
    bool asked;
  };
  const Case cases[] = {
      {false, false, DesktopAnswer::OnOther, true, false},
      {false, true, DesktopAnswer::OnOther, true, false},
      // A manager that could not be created leaves the test off.
      {true, false, DesktopAnswer::OnOther, true, false},
      {true, true, DesktopAnswer::OnCurrent, true, true},
      {true, true, DesktopAnswer::OnOther, false, true},
      {true, true, DesktopAnswer::QueryFailed, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.isWin10 << c.managerCreated << int(c.answer));
    bool asked = false;
    const bool on = navigator::IsOnCurrentDesktop(c.isWin10, c.managerCreated, [&] {
      asked = true;
      return c.answer;
    });
    EXPECT_EQ(on, c.onCurrent);
    EXPECT_EQ(asked, c.asked);
  }
}

TEST(VirtualDesktop, ManagerIsCreatedOnceAndOnlyOnWindows10) {
  EXPECT_TRUE(navigator::WantsDesktopManager(true, false));
  EXPECT_FALSE(navigator::WantsDesktopManager(true, true));
  EXPECT_FALSE(navigator::WantsDesktopManager(false, false));
}

}  // namespace
