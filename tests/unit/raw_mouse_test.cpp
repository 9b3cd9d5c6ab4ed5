#include "scroller/raw_mouse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

using core::Point;
using core::Rect;
using scroller::EngineOptions;
using scroller::EngineState;
using scroller::KeyStates;
using scroller::RawMouseInput;
using scroller::RawMousePath;

// Two monitors: 1920x1080 on the left, 1920x1440 to its right, tops aligned.
constexpr Rect kVirtual{-1920, 0, 1920, 1440};
constexpr int32_t kLeft = -1920, kRight = 1919, kTop = 0, kBottom = 1439;

struct RawMouse : ::testing::Test {
  EngineState s;
  EngineOptions o;

  RawMouse() { o.Sticky = 0; }

  RawMouseInput Input(Point cursor, int32_t lx, int32_t ly, KeyStates keys = {}) {
    RawMouseInput in;
    in.event.lLastX = lx;
    in.event.lLastY = ly;
    in.keys = keys;
    in.cursor = cursor;
    in.screen.VirtualScreen = kVirtual;
    in.screen.PrimaryMonitor = {1920, 1080};
    in.screen.MinMonitorWidth = 1920;
    in.screen.MinMonitorHeight = 1080;
    in.ScrollAllowed = true;
    return in;
  }
  RawMousePath Feed(Point cursor, int32_t lx, int32_t ly, KeyStates keys = {}) {
    return scroller::HandleRawMouse(s, o, Input(cursor, lx, ly, keys)).path;
  }
};

// Edge pushes by speed and push size at the right edge: slow pushes follow the mouse, fast ones
// go up to eight times as far, and a lower speed setting accelerates sooner.
TEST_F(RawMouse, EdgePushAcceleratesWithMouseSpeed) {
  const int counts[] = {1, 2, 5, 10, 20, 40, 80};
  const struct {
    int speed;
    int32_t steps[7];
  } table[] = {
      {4, {1, 2, 7, 26, 160, 320, 640}}, {5, {1, 2, 5, 14, 53, 320, 640}},
      {6, {1, 2, 5, 11, 29, 106, 640}},  {7, {1, 2, 5, 10, 23, 58, 213}},
      {8, {1, 2, 5, 10, 21, 47, 116}},   {9, {1, 2, 5, 10, 20, 43, 94}},
  };
  for (const auto& row : table) {
    for (int i = 0; i < 7; ++i) {
      s = {};
      o.ScrollSpeed = row.speed;
      ASSERT_EQ(Feed({kRight, 500}, counts[i], 0), RawMousePath::EdgePush);
      EXPECT_EQ(s.PendingDX, row.steps[i]) << "speed " << row.speed << ", " << counts[i] << " counts";
      EXPECT_EQ(s.PendingDY, 0);
    }
  }
}

// Each border of the virtual screen, pushed outwards or along it, and the places that are not
// a border: one pixel inside, and the bottom of the shorter monitor.
TEST_F(RawMouse, EdgePushAtEachBorder) {
  const struct {
    const char* what;
    Point cursor;
    int32_t lx, ly;
    RawMousePath path;
    int32_t dx, dy;
  } cases[] = {
      {"left, outwards", {kLeft, 500}, -10, 0, RawMousePath::EdgePush, -11, 0},
      {"left, inwards", {kLeft, 500}, 10, 0, RawMousePath::AwayFromEdge, 0, 0},
      {"right, outwards", {kRight, 500}, 10, 0, RawMousePath::EdgePush, 11, 0},
      {"right, still on that axis", {kRight, 500}, 0, 3, RawMousePath::EdgePush, 0, 0},
      {"top, outwards", {0, kTop}, 0, -10, RawMousePath::EdgePush, 0, -11},
      {"top, along it to the right", {0, kTop}, 10, 0, RawMousePath::EdgePush, 0, 0},
      // A leftward motion has no vertical part: the top still counts.
      {"top, along it to the left", {0, kTop}, -10, 0, RawMousePath::EdgePush, 0, 0},
      {"bottom, outwards", {0, kBottom}, 0, 40, RawMousePath::EdgePush, 0, 106},
      {"bottom-right corner", {kRight, kBottom}, 10, 10, RawMousePath::EdgePush, 14, 14},
      {"one pixel inside the right", {kRight - 1, 500}, 10, 0, RawMousePath::AwayFromEdge, 0, 0},
      {"bottom of the shorter monitor", {-100, 1079}, 0, 10, RawMousePath::AwayFromEdge, 0, 0},
  };
  for (const auto& c : cases) {
    s = {};
    EXPECT_EQ(Feed(c.cursor, c.lx, c.ly), c.path) << c.what;
    EXPECT_EQ(s.PendingDX, c.dx) << c.what;
    EXPECT_EQ(s.PendingDY, c.dy) << c.what;
  }
}

TEST_F(RawMouse, SuperModeEdgePushMovesBothAxes) {
  o.SuperMode = true;
  Feed({kRight, 500}, 10, 10);
  EXPECT_EQ(s.PendingDX, 14);
  EXPECT_EQ(s.PendingDY, 14);
}

TEST_F(RawMouse, ReverseTestsTheEdgeBeforeReversingTheStep) {
  o.ReverseFactor = -1;
  EXPECT_EQ(Feed({kRight, 500}, 10, 0), RawMousePath::EdgePush);
  EXPECT_EQ(s.PendingDX, -11);
}

// The sticky wait: the ninth edge event passes it; until then the step holds only the latest
// event and nothing may move; a step away from the edge starts it afresh.
TEST_F(RawMouse, StickyWaitCountsEdgeEventsThenAccumulates) {
  o.Sticky = 8;
  Feed({kRight, 500}, 1, 0);
  EXPECT_EQ(s.StickyCount, 8);
  for (int i = 2; i <= 8; ++i) {
    Feed({kRight, 500}, 1, 0);
    EXPECT_EQ(s.StickyCount, 8 - (i - 1)) << "event " << i;
    EXPECT_EQ(s.PendingDX, 1) << "event " << i;
  }
  Feed({kRight, 500}, 1, 0);
  EXPECT_EQ(s.StickyCount, -1);  // the ninth event passes the wait
  EXPECT_EQ(s.PendingDX, 1);
  Feed({kRight, 500}, 1, 0);
  Feed({kRight, 500}, 1, 0);
  EXPECT_EQ(s.StickyCount, -1);
  EXPECT_EQ(s.PendingDX, 3);

  Feed({kRight - 5, 500}, -1, 0);
  EXPECT_EQ(s.StickyCount, 0);
  EXPECT_EQ(s.PendingDX, 0);
}

TEST_F(RawMouse, BriefTouchOfTheEdgeNeverScrolls) {
  o.Sticky = 8;
  for (int i = 0; i < 5; ++i) Feed({kRight, 500}, 3, 0);
  EXPECT_GT(s.StickyCount, 0);
  Feed({kRight - 2, 500}, -2, 0);
  EXPECT_EQ(s.StickyCount, 0);
  EXPECT_EQ(s.PendingDX, 0);
}

TEST_F(RawMouse, AlwaysScrollSkipsTheStickyWait) {
  o.Sticky = 8;
  o.SuperMode = true;
  Feed({kRight, 500}, 1, 0);
  Feed({kRight, 500}, 1, 0);
  EXPECT_EQ(s.StickyCount, 0);
  EXPECT_EQ(s.PendingDX, 2);
}

TEST_F(RawMouse, PageJumpByTheSmallestMonitorThenCooldown) {
  const KeyStates ctrlAlt{.Ctrl = true, .Alt = true};
  o.DoYMove = 0;
  s.PendingDY = 7;
  EXPECT_EQ(Feed({100, 100}, 5, 1, ctrlAlt), RawMousePath::PageJump);
  EXPECT_EQ(s.PendingDX, 1920);
  EXPECT_EQ(s.PendingDY, 0);
  EXPECT_EQ(s.PageCooldown, 6);
  // During the cooldown the motion takes the other paths.
  EXPECT_EQ(Feed({110, 100}, 5, 1, ctrlAlt), RawMousePath::AwayFromEdge);
  EXPECT_EQ(s.PendingDX, 1920);
}

TEST_F(RawMouse, PageJumpDirectionAndConditions) {
  const KeyStates ctrlAlt{.Ctrl = true, .Alt = true};
  const struct {
    const char* what;
    int32_t lx, ly;
    KeyStates keys;
    int doX, doY, reverse;
    bool useShift;
    RawMousePath path;
    int32_t dx, dy;
  } cases[] = {
      {"left", -3, 0, ctrlAlt, 1, 1, 1, true, RawMousePath::PageJump, -1920, 0},
      {"down", 1, 4, ctrlAlt, 1, 1, 1, true, RawMousePath::PageJump, 0, 1080},
      {"up", 0, -3, ctrlAlt, 1, 1, 1, true, RawMousePath::PageJump, 0, -1080},
      {"reversed", 3, 0, ctrlAlt, 1, 1, -1, true, RawMousePath::PageJump, -1920, 0},
      {"equal: cooldown only", 3, 3, ctrlAlt, 0, 0, 1, true, RawMousePath::PageJump, 0, 0},
      {"two counts are not enough", 2, 2, ctrlAlt, 1, 1, 1, true, RawMousePath::AwayFromEdge, 0, 0},
      {"Shift held too", 5, 0, {.Shift = true, .Ctrl = true, .Alt = true}, 1, 1, 1, true,
       RawMousePath::AwayFromEdge, 0, 0},
      {"chords off", 5, 0, ctrlAlt, 1, 1, 1, false, RawMousePath::AwayFromEdge, 0, 0},
  };
  for (const auto& c : cases) {
    s = {};
    o.DoXMove = c.doX;
    o.DoYMove = c.doY;
    o.ReverseFactor = c.reverse;
    o.UseShift = c.useShift;
    EXPECT_EQ(Feed({100, 100}, c.lx, c.ly, c.keys), c.path) << c.what;
    EXPECT_EQ(s.PendingDX, c.dx) << c.what;
    EXPECT_EQ(s.PendingDY, c.dy) << c.what;
    EXPECT_EQ(s.PageCooldown, c.path == RawMousePath::PageJump ? 6 : 0) << c.what;
  }
}

// Always-scroll follows the cursor; the option and the Shift+Ctrl chord switch it on or off,
// and its limits: a first event after a scan, a still cursor, and jumps of 100 pixels or more.
TEST_F(RawMouse, AlwaysScrollFollowsTheCursorWithinItsLimits) {
  const KeyStates shiftCtrl{.Shift = true, .Ctrl = true};
  const struct {
    const char* what;
    bool superMode;
    KeyStates keys;
    bool useShift;
    int reverse;
    bool haveLast;
    Point from, to;
    int32_t dx, dy;
  } cases[] = {
      {"option on", true, {}, true, 1, true, {500, 500}, {505, 497}, 5, -3},
      {"chord with option off", false, shiftCtrl, true, 1, true, {500, 500}, {505, 497}, 5, -3},
      {"chord with option on turns it off", true, shiftCtrl, true, 1, true, {500, 500}, {505, 497}, 0, 0},
      {"chord with Alt is no chord", false, {.Shift = true, .Ctrl = true, .Alt = true}, true, 1,
       true, {500, 500}, {505, 497}, 0, 0},
      {"chord while chords are off", false, shiftCtrl, false, 1, true, {500, 500}, {505, 497}, 0, 0},
      {"reversed", true, {}, true, -1, true, {500, 500}, {505, 497}, -5, 3},
      {"no previous position", true, {}, true, 1, false, {500, 500}, {505, 497}, 0, 0},
      {"cursor did not move", true, {}, true, 1, true, {500, 500}, {500, 500}, 0, 0},
      {"99 pixels is followed", true, {}, true, 1, true, {500, 500}, {599, 500}, 99, 0},
      {"100 pixels is a jump", true, {}, true, 1, true, {500, 500}, {600, 500}, 0, 0},
      {"vertical jump", true, {}, true, 1, true, {500, 500}, {510, 400}, 0, 0},
  };
  for (const auto& c : cases) {
    s = {};
    o.SuperMode = c.superMode;
    o.UseShift = c.useShift;
    o.ReverseFactor = c.reverse;
    if (c.haveLast) {
      s.LastX = c.from.x;
      s.LastY = c.from.y;
    }
    EXPECT_EQ(Feed(c.to, 1, 1, c.keys), RawMousePath::AwayFromEdge) << c.what;
    EXPECT_EQ(s.PendingDX, c.dx) << c.what;
    EXPECT_EQ(s.PendingDY, c.dy) << c.what;
    EXPECT_EQ(s.LastX, c.to.x) << c.what;
  }
}

TEST_F(RawMouse, ScrollLockStopsTheEdgePushOnly) {
  s.MenuScrollLockChecked = true;
  EXPECT_EQ(Feed({kRight, 500}, 10, 0), RawMousePath::AwayFromEdge);
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(Feed({100, 100}, 5, 0, {.Ctrl = true, .Alt = true}), RawMousePath::PageJump);
  EXPECT_EQ(s.PendingDX, 1920);
  s = {};
  s.MenuScrollLockChecked = true;
  o.SuperMode = true;
  s.LastX = 100;
  s.LastY = 100;
  Feed({103, 100}, 3, 0);
  EXPECT_EQ(s.PendingDX, 3);
}

// The Scroll Lock key mirrored into the menu item, and the user's click on the item standing
// until the key has been seen on again.
TEST_F(RawMouse, ScrollLockKeyMirrorsIntoTheMenuItem) {
  auto feed = [&](bool keyOn) {
    RawMouseInput in = Input({100, 100}, 0, 0, {.ScrollLock = keyOn});
    return scroller::HandleRawMouse(s, o, in).ScrollLockItemChanged;
  };
  EXPECT_FALSE(feed(false));  // never seen: the item is left alone
  EXPECT_TRUE(feed(true));
  EXPECT_TRUE(s.MenuScrollLockChecked);
  EXPECT_FALSE(feed(true));
  EXPECT_TRUE(feed(false));
  EXPECT_FALSE(s.MenuScrollLockChecked);

  scroller::ScrollLockItemClicked(s, true);
  EXPECT_FALSE(feed(false));
  EXPECT_TRUE(s.MenuScrollLockChecked);
}

TEST_F(RawMouse, PausedKeepsOnlyMirrorCursorAndDragEnd) {
  o.SuperMode = true;
  s.LastX = 500;
  s.LastY = 500;
  s.ScrollLockSeen = true;
  s.MenuScrollLockChecked = true;
  scroller::PauseScroll(s);
  RawMouseInput in = Input({kRight, 503}, 10, 0);
  in.WindowDragging = true;
  in.DragMoved = true;
  const scroller::RawMouseResult r = scroller::HandleRawMouse(s, o, in);
  EXPECT_EQ(r.path, RawMousePath::Paused);
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(s.PendingDY, 0);
  EXPECT_EQ(s.LastX, 500);  // kept
  EXPECT_EQ(s.CursorX, kRight);
  EXPECT_TRUE(r.EndNavigatorDrag);
  EXPECT_FALSE(s.MenuScrollLockChecked);  // key off and seen: the mirror still runs
  EXPECT_TRUE(s.ScrollPaused);
}

// A pause ends a running sticky wait: left counting, it would hold back hot keys and
// WM_SCROLL_BY for the whole pause; left passed, the edge would scroll at once on resume.
TEST_F(RawMouse, PauseResetsTheStickyEdge) {
  o.Sticky = 8;
  for (int i = 0; i < 3; ++i) Feed({kRight, 500}, 2, 0);
  ASSERT_GT(s.StickyCount, 0);
  scroller::PauseScroll(s);
  EXPECT_EQ(s.StickyCount, 0);
  EXPECT_EQ(s.PendingDX, 0);
  scroller::ResumeScroll(s);
  Feed({kRight, 500}, 2, 0);
  EXPECT_EQ(s.StickyCount, 8);  // the wait starts afresh
}

TEST_F(RawMouse, HeldBackOrUnreadEventStoresTheCursorOnly) {
  o.SuperMode = true;
  for (bool allowed : {false, true}) {
    s = {};
    s.LastX = 500;
    s.LastY = 500;
    RawMouseInput in = Input({kRight, 505}, 10, 0);
    in.ScrollAllowed = allowed;
    in.event.DataRead = !allowed;
    EXPECT_EQ(scroller::HandleRawMouse(s, o, in).path, RawMousePath::NoStep);
    EXPECT_EQ(s.PendingDX, 0);
    EXPECT_EQ(s.LastX, kRight);
    EXPECT_EQ(s.LastY, 505);
  }
}

TEST_F(RawMouse, NavigatorDragEndsOnlyWhenMovedAndRightButtonUp) {
  for (int mask = 0; mask < 8; ++mask) {
    RawMouseInput in = Input({100, 100}, 0, 0, {.RightButton = (mask & 4) != 0});
    in.WindowDragging = (mask & 1) != 0;
    in.DragMoved = (mask & 2) != 0;
    EXPECT_EQ(scroller::HandleRawMouse(s, o, in).EndNavigatorDrag, mask == 3) << mask;
  }
}

// Positions of an absolute device are not motions: only their change counts, in pixels of the
// area they span, and the first report gives none.
TEST_F(RawMouse, AbsoluteDeviceGivesChangeOfPosition) {
  scroller::ScreenFacts screen;
  screen.VirtualScreen = kVirtual;
  screen.PrimaryMonitor = {1920, 1080};
  scroller::RawMouseEvent e{.usFlags = scroller::kMouseMoveAbsolute, .lLastX = 65535, .lLastY = 0};
  scroller::Motion m = scroller::MotionOf(s, e, screen);
  EXPECT_EQ(m.mx, 0);
  EXPECT_EQ(m.my, 0);
  e.lLastX = 65535 - 1024;
  e.lLastY = 512;
  m = scroller::MotionOf(s, e, screen);
  EXPECT_EQ(m.mx, -1024 * 1920);  // -30 pixels in 16.16
  EXPECT_EQ(m.my, 512 * 1080);
  e.usFlags |= scroller::kMouseVirtualDesktop;
  e.lLastX = 65535;
  m = scroller::MotionOf(s, e, screen);
  EXPECT_EQ(m.mx, 1024 * 3840);

  // Parked at the right edge, repeated reports push nothing.
  s = {};
  RawMouseInput in = Input({kRight, 500}, 65535, 30000);
  in.event.usFlags = scroller::kMouseMoveAbsolute;
  for (int i = 0; i < 3; ++i) scroller::HandleRawMouse(s, o, in);
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(s.PendingDY, 0);
}

TEST_F(RawMouse, ExtremeValuesNeitherWrapNorOverflow) {
  o.ScrollSpeed = 4;
  const int32_t big = std::numeric_limits<int32_t>::max();
  for (int i = 0; i < 4; ++i) Feed({kRight, 500}, big, 0);
  EXPECT_EQ(s.PendingDX, big);
  s = {};
  for (int i = 0; i < 4; ++i) Feed({kLeft, 500}, std::numeric_limits<int32_t>::min(), 0);
  EXPECT_EQ(s.PendingDX, std::numeric_limits<int32_t>::min());

  // A virtual screen reaching the ends of the coordinate range still has its last column.
  s = {};
  RawMouseInput in = Input({big - 1, 0}, 10, 0);
  in.screen.VirtualScreen = {-32000, -32000, big, 32000};
  EXPECT_EQ(scroller::HandleRawMouse(s, o, in).path, RawMousePath::EdgePush);

  // The divisor never falls below its floor, however fast the push.
  EXPECT_EQ(scroller::EdgeDivisor({int64_t{1} << 40, int64_t{1} << 40}, o), scroller::kMinDivisor);
}

}  // namespace
