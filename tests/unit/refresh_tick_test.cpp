#include "scroller/refresh_tick.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "scroller/window_filter.h"

namespace {

using core::Bounds;
using core::Rect;
using navigator::ShowMode;
using scroller::ChordAction;
using scroller::GuiView;
using scroller::RefreshState;

struct FakeKeys : scroller::KeyReader {
  std::map<int, bool> held;
  std::vector<int> asked;
  bool Held(int vk) override {
    asked.push_back(vk);
    return held[vk];
  }
};

TEST(RefreshTick, ChordAsksShiftCtrlAltStoppingAtTheFirstKeyUp) {
  FakeKeys keys;
  keys.held = {{0x10, true}, {0x11, false}, {0x12, true}};
  EXPECT_FALSE(scroller::ChordHeld(true, keys));
  EXPECT_EQ(keys.asked, (std::vector<int>{0x10, 0x11}));
  keys.held[0x11] = true;
  keys.asked.clear();
  EXPECT_TRUE(scroller::ChordHeld(true, keys));
  EXPECT_EQ(keys.asked, (std::vector<int>{0x10, 0x11, 0x12}));
  keys.asked.clear();
  EXPECT_FALSE(scroller::ChordHeld(false, keys));
  EXPECT_TRUE(keys.asked.empty());
}

TEST(RefreshTick, ChordOpensAndClosesOnlyItsOwnNavigator) {
  EXPECT_EQ(scroller::DecideChord(true, false, ShowMode::FromTray), ChordAction::ShowNavigator);
  EXPECT_EQ(scroller::DecideChord(true, true, ShowMode::ByChord), ChordAction::GoOn);
  EXPECT_EQ(scroller::DecideChord(false, true, ShowMode::ByChord), ChordAction::HideNavigator);
  EXPECT_EQ(scroller::DecideChord(false, true, ShowMode::FromTray), ChordAction::GoOn);
  EXPECT_EQ(scroller::DecideChord(false, false, ShowMode::ByChord), ChordAction::GoOn);
}

TEST(RefreshTick, NavigatorPlacement) {
  const core::Size monitor{1920, 1080};
  const struct {
    bool small;
    core::Point cursor;
    Bounds want;
  } cases[] = {
      {true, {100, 100}, {0, 0, 640, 360}},
      {true, {1900, 1000}, {1280, 720, 640, 360}},
      {true, {960, 540}, {640, 360, 640, 360}},
      {true, {-5000, 90000}, {0, 720, 640, 360}},
      {false, {960, 540}, {0, 0, 1920, 1080}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(scroller::NavigatorPlacement(c.small, c.cursor, monitor), c.want)
        << c.cursor.x << "," << c.cursor.y;
  }
  EXPECT_EQ(scroller::NavigatorPlacement(true, {10, 10}, {0, 0}), (Bounds{0, 0, 0, 0}));
}

TEST(RefreshTick, QuarterTestAndCentring) {
  const Rect area{0, 0, 1920, 1040};
  const Rect farRight{1770, 100, 2570, 700};
  const Rect quarterIn{1720, 100, 2520, 700};
  const struct {
    const char* what;
    Rect window;
    bool autoScroll, autoCenter;
    bool setStep, applyNow;
    int32_t dx, dy;
  } cases[] = {
      {"hard to see", farRight, true, false, true, false, 1210, -120},
      {"a quarter inside", quarterIn, true, false, false, false, 0, 0},
      {"a quarter inside, centred", quarterIn, true, true, true, true, 1160, -120},
      {"no auto-scroll", farRight, false, true, false, false, 0, 0},
  };
  for (const auto& c : cases) {
    const scroller::AutoScrollDecision d =
        scroller::DecideAutoScroll(c.window, area, c.autoScroll, c.autoCenter);
    EXPECT_EQ(d.setStep, c.setStep) << c.what;
    EXPECT_EQ(d.applyNow, c.applyNow) << c.what;
    EXPECT_EQ(d.dx, c.dx) << c.what;
    EXPECT_EQ(d.dy, c.dy) << c.what;
  }
  EXPECT_TRUE(scroller::HardToSee({-800, 0, -10, 600}, area));
  EXPECT_TRUE(scroller::HardToSee({0, 1000, 800, 1600}, area));
  EXPECT_FALSE(scroller::HardToSee({100, 100, 900, 700}, area));
}

TEST(RefreshTick, TargetIsConsumedWhetherOrNotItCanBeReached) {
  RefreshState r;
  scroller::EngineState s;
  r.AutoScrollTarget = 0x50;
  EXPECT_FALSE(scroller::ScrollToTarget(r, s, std::nullopt, true, true).tickEnds);
  EXPECT_EQ(r.AutoScrollTarget, 0u);

  r.AutoScrollTarget = 0x50;
  const scroller::TargetOutcome out = scroller::ScrollToTarget(
      r, s, scroller::TargetFacts{{1770, 100, 2570, 700}, {0, 0, 1920, 1040}}, true, false);
  EXPECT_TRUE(out.tickEnds);
  EXPECT_FALSE(out.applyNow);
  EXPECT_EQ(s.PendingDX, 1210);
  EXPECT_EQ(s.PendingDY, -120);
  EXPECT_EQ(r.AutoScrollTarget, 0u);
}

TEST(RefreshTick, FailingGuiQueryMeansNoCaptureAndTheLastFlags) {
  RefreshState r;
  GuiView v = scroller::TakeGuiInfo(r, scroller::GuiThreadFacts{scroller::kGuiInMoveSize, 0x7, 0x8});
  EXPECT_TRUE(v.moving);
  EXPECT_EQ(v.capture, 0x7u);
  v = scroller::TakeGuiInfo(r, std::nullopt);
  EXPECT_TRUE(v.moving);
  EXPECT_EQ(v.capture, 0u);
  EXPECT_EQ(r.GuiMoveSize, 0x8u);
}

// A click into a window that captures the mouse counts as its activation when the button comes
// up within six ticks; dragging its title bar or holding on longer does not.
TEST(RefreshTick, CaptureCountdown) {
  constexpr scroller::WindowHandle kApp = 0x100;
  const GuiView captured{kApp, false};
  const GuiView released{0, false};
  const GuiView dragging{kApp, true};
  {
    RefreshState r;
    EXPECT_FALSE(scroller::StepActivation(r, kApp, captured));
    EXPECT_EQ(r.ActivateCountdown, 6);
    r.PrevForeground = kApp;
    EXPECT_FALSE(scroller::StepActivation(r, kApp, captured));
    EXPECT_TRUE(scroller::StepActivation(r, kApp, released));
    EXPECT_EQ(r.ActivateCountdown, 0);
  }
  {
    RefreshState r;
    scroller::StepActivation(r, kApp, captured);
    r.PrevForeground = kApp;
    EXPECT_FALSE(scroller::StepActivation(r, kApp, dragging));
    EXPECT_EQ(r.ActivateCountdown, 0);
  }
  {
    RefreshState r;
    scroller::StepActivation(r, kApp, captured);
    r.PrevForeground = kApp;
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(scroller::StepActivation(r, kApp, captured)) << i;
    EXPECT_EQ(r.ActivateCountdown, 0);
    EXPECT_FALSE(scroller::StepActivation(r, kApp, released));
  }
  {
    // No foreground window and no capture while the previous one was another window.
    RefreshState r;
    r.PrevForeground = kApp;
    scroller::StepActivation(r, 0, released);
    EXPECT_EQ(r.ActivateCountdown, 6);
    r.PrevForeground = 0;
    EXPECT_TRUE(scroller::StepActivation(r, 0, released));
  }
}

TEST(RefreshTick, NewActivationDropsTheStepAndPicksAShownKnownTarget) {
  constexpr scroller::WindowHandle kApp = 0x100;
  const uint32_t shown = scroller::kStyleVisible;
  const struct {
    const char* what;
    scroller::ActivatedWindowFacts facts;
    GuiView gui;
    bool target;
  } cases[] = {
      {"shown and known", {true, shown, true}, {0, false}, true},
      {"info unread", {false, shown, true}, {0, false}, false},
      {"hidden", {true, 0, true}, {0, false}, false},
      {"minimized", {true, shown | scroller::kStyleMinimize, true}, {0, false}, false},
      {"navigator does not know it", {true, shown, false}, {0, false}, false},
      {"holds the capture", {true, shown, true}, {kApp, false}, false},
  };
  for (const auto& c : cases) {
    RefreshState r;
    scroller::EngineState s;
    s.PendingDX = 9;
    s.PendingDY = 9;
    s.LastX = 5;
    scroller::OnNewActivation(r, s, kApp, c.facts, c.gui);
    EXPECT_EQ(s.PendingDX, 0) << c.what;
    EXPECT_EQ(s.PendingDY, 0) << c.what;
    EXPECT_EQ(s.LastX, scroller::kNoLastPosition) << c.what;
    EXPECT_EQ(r.AutoScrollTarget, c.target ? kApp : 0u) << c.what;
  }
  EXPECT_TRUE(scroller::IsNewActivation(2, 1, true, false));
  EXPECT_FALSE(scroller::IsNewActivation(2, 1, false, false));
  EXPECT_FALSE(scroller::IsNewActivation(1, 1, true, false));
  EXPECT_TRUE(scroller::IsNewActivation(1, 1, false, true));
  EXPECT_EQ(scroller::ForegroundFor(0x9, 0x9, 0x3), 0x3u);
  EXPECT_EQ(scroller::ForegroundFor(0x4, 0x9, 0x3), 0x4u);
}

TEST(RefreshTick, ScrollAllowedDuringScan) {
  RefreshState r;
  scroller::EngineState s;
  s.LastX = 7;
  r.GuiFlags = scroller::kGuiPopupMenuMode;
  EXPECT_EQ(scroller::BeginScanTick(r, s, {0, false}, true), 0u);
  EXPECT_FALSE(r.ScrollAllowed);
  EXPECT_EQ(s.LastX, scroller::kNoLastPosition);
  scroller::BeginScanTick(r, s, {0, false}, false);
  EXPECT_TRUE(r.ScrollAllowed);
  scroller::EndScanTick(r, 0, true, true);  // a maximized window on the screen
  EXPECT_FALSE(r.ScrollAllowed);

  // Dragging a window: allowed even with a maximized window, and that window is returned.
  r.GuiFlags = scroller::kGuiInMoveSize | scroller::kGuiInMenuMode;
  r.GuiMoveSize = 0x44;
  EXPECT_EQ(scroller::BeginScanTick(r, s, {0, true}, true), 0x44u);
  scroller::EndScanTick(r, 0x44, true, true);
  EXPECT_TRUE(r.ScrollAllowed);
}

TEST(RefreshTick, NavigatorRefreshCountdown) {
  RefreshState r;
  for (int i = 1; i < 10; ++i) EXPECT_FALSE(scroller::StepNavRefresh(r, true, false)) << i;
  EXPECT_TRUE(scroller::StepNavRefresh(r, true, false));
  EXPECT_EQ(r.NavRefreshCountdown, 10);
  EXPECT_TRUE(scroller::StepNavRefresh(r, true, true));
  // Hidden: counts down to -1 and stays.
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(scroller::StepNavRefresh(r, false, true));
  EXPECT_EQ(r.NavRefreshCountdown, -1);
}

TEST(RefreshTick, AutoArrangeOnTheFourthScanWithoutChange) {
  RefreshState r;
  r.ScrollAllowed = true;
  EXPECT_FALSE(scroller::StepAutoArrange(r, true, true));
  EXPECT_FALSE(scroller::StepAutoArrange(r, true, false));
  EXPECT_FALSE(scroller::StepAutoArrange(r, true, true));  // a change restarts the count
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(scroller::StepAutoArrange(r, true, false)) << i;
  // Held back: the countdown stands still.
  r.ScrollAllowed = false;
  EXPECT_FALSE(scroller::StepAutoArrange(r, true, false));
  EXPECT_EQ(r.ArrangeCountdown, 0);
  r.ScrollAllowed = true;
  EXPECT_TRUE(scroller::StepAutoArrange(r, true, false));
  EXPECT_EQ(r.ArrangeCountdown, -1);
  EXPECT_FALSE(scroller::StepAutoArrange(r, true, false));
  EXPECT_FALSE(scroller::StepAutoArrange(r, false, true));
  EXPECT_EQ(r.ArrangeCountdown, -1);
}

}  // namespace
