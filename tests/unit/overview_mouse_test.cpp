// The navigator's mouse and wheel: the click step from the viewport's centre, the dead zone, the
// view drag's factors, the window drag along the scrolling axes only, hit testing of drawn
// windows, the release that closes a tray-opened navigator, and entries forgotten by nested
// messages while a press or a drag waits on a window.
#include "navigator/overview_mouse.h"

#include <gtest/gtest.h>

#include <climits>

#include "navigator/overview_plan.h"
#include "navigator_fixture.h"

namespace {

using core::Point;
using core::Rect;
using core::Size;
using navigator::MouseButton;
using navigator::OverviewLayout;
using navigator::OverviewMouse;
using navigator::ShowMode;
using navigator::tAppWin;
using navtest::Entries;
using navtest::FakeHost;
using navtest::FakeSeam;
using Calls = std::vector<std::string>;

class NavigatorMouse : public testing::Test {
 protected:
  // A 384 x 216 navigator showing an extent of 3840 x 2160 with the viewport centred at (192, 108).
  const Size panel{384, 216};
  const OverviewLayout layout{{-960, -540, 2880, 1620}, {192, 108}};

  void Down(MouseButton b, Point at) { mouse.Down(b, at, panel, layout, entries.store, host, seam); }
  void MoveCursorTo(Point p) {
    seam.cursor = p;
    mouse.Move(panel, host, seam);
  }
  void Drawn(navtest::WindowHandle w, Rect panelRect) {
    tAppWin* e = entries.Entry(w);
    e->PanelRect = panelRect;
    e->PanelDrawn = true;
  }

  Entries entries;
  FakeHost host;
  FakeSeam seam;
  OverviewMouse mouse;
  ShowMode showMode = ShowMode::ByChord;
};

TEST_F(NavigatorMouse, ALeftClickStepsFromTheViewportsCentreToTheClick) {
  struct Case {
    Point at;
    int32_t dx, dy;
  } cases[] = {
      {{192, 108}, 0, 0},
      {{202, 108}, 100, 0},   // 10 navigator pixels of 3840 / 384
      {{182, 98}, -100, -100},
      {{193, 109}, 10, 10},
      {{0, 0}, -1920, -1080},
  };
  for (const Case& c : cases) {
    Down(MouseButton::Left, c.at);
    EXPECT_EQ(host.dx, c.dx) << c.at.x << "," << c.at.y;
    EXPECT_EQ(host.dy, c.dy) << c.at.x << "," << c.at.y;
    mouse.Up(showMode, seam);
  }
}

TEST_F(NavigatorMouse, APressBeforeAnyPaintingOrOnANavigatorOfNoSizeStepsNothing) {
  mouse.Down(MouseButton::Left, {300, 200}, panel, OverviewLayout{}, entries.store, host, seam);
  EXPECT_EQ(host.dx, 0);
  EXPECT_EQ(host.dy, 0);
  mouse.Down(MouseButton::Left, {300, 200}, {0, 0}, layout, entries.store, host, seam);
  EXPECT_EQ(host.dx, 0);
  EXPECT_EQ(host.dy, 0);
  mouse.Down(MouseButton::Left, {INT_MAX, INT_MIN}, {1, 1}, OverviewLayout{{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {}},
             entries.store, host, seam);
  EXPECT_EQ(host.dx, INT_MAX) << "saturated, not wrapped";
  EXPECT_EQ(host.dy, INT_MIN);
}

TEST_F(NavigatorMouse, AViewDragLeavesTheDeadZoneAtThreePixelsThenEveryPixelCounts) {
  seam.cursor = {500, 500};
  Down(MouseButton::Left, {192, 108});
  host.dx.reset();
  host.dy.reset();
  MoveCursorTo({502, 498});
  EXPECT_FALSE(host.dx.has_value()) << "2 pixels on each axis are ignored";
  EXPECT_FALSE(mouse.State().DragMoved);
  MoveCursorTo({503, 500});
  EXPECT_EQ(host.dx, 3 * 80);
  EXPECT_EQ(host.dy, 0);
  EXPECT_TRUE(mouse.State().DragMoved);
  MoveCursorTo({504, 501});
  EXPECT_EQ(host.dx, 80) << "written, not added: 8 navigator pixels' worth per cursor pixel";
  EXPECT_EQ(host.dy, 40) << "4 vertically";
  mouse.Up(showMode, seam);
  host.dx.reset();
  MoveCursorTo({600, 600});
  EXPECT_FALSE(host.dx.has_value()) << "no drag after the release";
}

TEST_F(NavigatorMouse, ARightDragMovesTheHitWindowAlongTheScrollingAxesAndTheReleaseActivatesIt) {
  entries.Scan({{11, {0, 0, 800, 600}}, {12, {100, 100, 900, 700}}});
  Drawn(11, {100, 50, 180, 110});
  Drawn(12, {110, 60, 190, 120});
  seam.frames[11] = {0, 0, 800, 600};
  seam.frames[12] = {100, 100, 900, 700};
  host.doY = 0;
  seam.cursor = {500, 500};
  Down(MouseButton::Right, {150, 80});  // where both overlap: the upper one, first in the list
  EXPECT_EQ(mouse.State().DragWnd, 11u);
  MoveCursorTo({501, 501});
  EXPECT_TRUE(host.moves.empty()) << "inside the dead zone";
  MoveCursorTo({504, 510});
  MoveCursorTo({505, 520});
  mouse.Up(showMode, seam);
  EXPECT_EQ(host.moves, (Calls{"move 11 seen at 0,0 by 40,0", "move 11 seen at 0,0 by 10,0"}))
      << "10 screen pixels per cursor pixel, never vertically while that axis does not scroll; the host "
         "moves the window, as the frame shows it at each step";
  EXPECT_EQ(seam.calls, Calls{"activate 11"});
  EXPECT_FALSE(mouse.State().WindowDragging);
  EXPECT_FALSE(host.dx.has_value()) << "a window drag scrolls nothing";
}

TEST_F(NavigatorMouse, HitTestingTakesTheTopmostDrawnWindowEdgesIncludedAndNeverAnUndrawnOne) {
  entries.Scan({{1, {0, 0, 10, 10}}, {2, {0, 0, 10, 10}}, {3, {0, 0, 10, 10}}});
  const auto list = entries.store.EntriesSnapshot();
  EXPECT_EQ(navigator::HitEntry(list, {0, 0}), nullptr) << "nothing is drawn yet: (0, 0) hits nothing";
  Drawn(2, {10, 10, 50, 40});
  Drawn(3, {30, 30, 90, 90});
  struct Case {
    Point at;
    navtest::WindowHandle expected;  // 0: none
  } cases[] = {
      {{10, 10}, 2}, {{50, 40}, 2}, {{51, 20}, 0}, {{35, 35}, 2}, {{60, 60}, 3},
      {{90, 90}, 3}, {{91, 90}, 0}, {{0, 0}, 0},  {{9, 10}, 0},
  };
  for (const Case& c : cases) {
    const tAppWin* hit = navigator::HitEntry(list, c.at);
    EXPECT_EQ(hit ? hit->Wnd : 0u, c.expected) << c.at.x << "," << c.at.y;
  }
}

TEST_F(NavigatorMouse, ARightPressOutsideEveryWindowStartsNoDrag) {
  entries.Scan({{1, {0, 0, 10, 10}}});
  Down(MouseButton::Right, {0, 0});
  EXPECT_FALSE(mouse.State().WindowDragging);
  mouse.Up(showMode, seam);
  EXPECT_TRUE(seam.calls.empty()) << "no activation without a drag";
}

TEST_F(NavigatorMouse, AReleaseClosesATrayOpenedNavigatorOnlyAndAnyButtonEndsEveryDrag) {
  showMode = ShowMode::ByChord;
  Down(MouseButton::Left, {1, 1});
  mouse.Up(showMode, seam);
  EXPECT_TRUE(seam.calls.empty()) << "the chord's release closes a chord-opened navigator";
  showMode = ShowMode::FromTray;
  Down(MouseButton::Other, {1, 1});
  mouse.Up(showMode, seam);
  EXPECT_EQ(seam.calls, Calls{"hide"});
  EXPECT_EQ(showMode, ShowMode::ByChord);
}

TEST_F(NavigatorMouse, TheWheelWritesItsDeltaToOneAxis) {
  host.dy = 7;
  mouse.Wheel(120, host);
  EXPECT_EQ(host.dx, 120);
  EXPECT_EQ(host.dy, 7) << "untouched";
  host.doX = 0;
  host.dx = 5;
  mouse.Wheel(-240, host);
  EXPECT_EQ(host.dy, -240);
  EXPECT_EQ(host.dx, 5);
}

TEST_F(NavigatorMouse, AMaximizedActiveWindowIsRestoredAtThePressAndTheFirstEntryBecomesActive) {
  entries.Scan({{21, {0, 0, 100, 100}}, {22, {0, 0, 100, 100}}});
  seam.zoomed = {21};
  Down(MouseButton::Other, {0, 0});
  EXPECT_EQ(entries.store.ActiveEntry(), entries.Entry(21));
  EXPECT_EQ(seam.calls, Calls{"restore 21"});
}

TEST_F(NavigatorMouse, TheActiveEntryComesFromThePreviousScanWhileTheCurrentOneHasNone) {
  entries.Scan({{31, {0, 0, 100, 100}}});
  entries.store.BeginWindowScan();  // 31 waits in the previous scan's list
  Down(MouseButton::Other, {0, 0});
  ASSERT_NE(entries.store.ActiveEntry(), nullptr);
  EXPECT_EQ(entries.store.ActiveEntry()->Wnd, 31u);
}

// WM_HOOK_RELEASED arrives while the restore or a drag step waits on the window.
TEST_F(NavigatorMouse, EntriesForgottenDuringACallOutAreNeverTouchedAfterwards) {
  entries.Scan({{41, {0, 0, 100, 100}}, {42, {200, 0, 300, 100}}});
  Drawn(41, {0, 0, 50, 50});
  Drawn(42, {60, 0, 90, 50});
  seam.zoomed = {41};
  seam.frames[41] = {0, 0, 100, 100};
  seam.duringCallOut = [&](navtest::WindowHandle w) { entries.store.ForgetWindow(w); };
  Down(MouseButton::Right, {10, 10});
  EXPECT_FALSE(mouse.State().WindowDragging) << "the entry under the press was forgotten meanwhile";
  EXPECT_EQ(entries.store.ActiveEntry(), nullptr);

  entries.Scan({{43, {0, 0, 100, 100}}});
  Drawn(43, {0, 0, 50, 50});
  seam.frames[43] = {0, 0, 100, 100};
  seam.zoomed.clear();
  seam.cursor = {0, 0};
  host.duringMove = [&](navtest::WindowHandle w) { entries.store.ForgetWindow(w); };
  Down(MouseButton::Right, {10, 10});
  MoveCursorTo({5, 0});  // the move forgets 43
  seam.frames.erase(43);  // and the window is gone
  MoveCursorTo({10, 0});
  mouse.Up(showMode, seam);
  EXPECT_EQ(host.moves, Calls{"move 43 seen at 0,0 by 50,0"}) << "a frame that cannot be read moves nothing";
  EXPECT_EQ(seam.calls, (Calls{"restore 41", "activate 43"})) << "the drag ends at the release";
}

}  // namespace
