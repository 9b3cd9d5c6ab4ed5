// Which window is shot after a scan, and the overview's plan of what a painting draws.
#include "navigator/shot_order.h"

#include <gtest/gtest.h>

#include "navigator/overview_plan.h"
#include "navigator_fixture.h"

namespace {

using core::Rect;
using navigator::ShotFacts;
using navigator::ShotTurn;
using navigator::tAppWin;
using navtest::Entries;

const Rect kScreen{0, 0, 1920, 1080};

navtest::WindowHandle WndOf(const tAppWin* e) { return e ? e->Wnd : 0; }

TEST(ShotOrder, OnePerScanTopmostFirstAndOnlyWhileTheNavigatorIsHidden) {
  Entries entries;
  entries.Scan({{1, {0, 0, 100, 100}}, {2, {200, 0, 300, 100}}, {3, {400, 0, 500, 100}}});
  const ShotFacts on{.showGlyphs = true, .navigatorVisible = false, .virtualScreen = kScreen};
  std::vector<navtest::WindowHandle> order;
  for (int scan = 0; scan < 4; ++scan) {
    tAppWin* e = ShotTurn(entries.store, on);
    order.push_back(WndOf(e));
    if (e) navigator::ShotTaken(entries.store, *e, 0x100 + e->Wnd, navigator::ShotSizeFor(e->WindowRect));
  }
  EXPECT_EQ(order, (std::vector<navtest::WindowHandle>{1, 2, 3, 0}));
  EXPECT_LT(entries.Entry(1)->ShotVersion, entries.Entry(2)->ShotVersion) << "painters cache shots by version";
  EXPECT_LT(entries.Entry(2)->ShotVersion, entries.Entry(3)->ShotVersion);
  EXPECT_EQ(entries.Entry(2)->ShotSize, (core::Size{50, 50}));
  EXPECT_TRUE(entries.Entry(3)->HasShot);
  EXPECT_FALSE(entries.Entry(3)->WantShot);

  navigator::RequestShot(entries.store, 2);
  ShotFacts visible = on;
  visible.navigatorVisible = true;
  EXPECT_EQ(ShotTurn(entries.store, visible), nullptr) << "the navigator would be in the picture";
  ShotFacts off = on;
  off.showGlyphs = false;
  EXPECT_EQ(ShotTurn(entries.store, off), nullptr);
  tAppWin* again = ShotTurn(entries.store, on);
  EXPECT_EQ(WndOf(again), 2u) << "asked for anew";
  if (again) navigator::ShotTaken(entries.store, *again, 0x202, navigator::ShotSizeFor(again->WindowRect));
  EXPECT_GT(entries.Entry(2)->ShotVersion, entries.Entry(3)->ShotVersion) << "a retaken shot is new";
  navigator::RequestShot(entries.store, 99);
  EXPECT_EQ(ShotTurn(entries.store, on), nullptr) << "an unlisted window asks for nothing";
}

TEST(ShotOrder, AWindowIsShotOnlyWithinEightPixelsOfTheVirtualScreen) {
  struct Case {
    Rect window;
    bool inside;
  } cases[] = {
      {{-8, 0, 100, 100}, true},       {{-9, 0, 100, 100}, false},    {{0, -8, 100, 100}, true},
      {{0, -9, 100, 100}, false},      {{1820, 0, 1928, 100}, true},  {{1820, 0, 1929, 100}, false},
      {{0, 980, 100, 1088}, true},     {{0, 980, 100, 1089}, false},  {{-32000, 0, -31000, 100}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(navigator::InsideForShot(c.window, kScreen), c.inside) << c.window.left;
}

TEST(ShotOrder, AShotIsHalfTheWindowWithOddPixelsDropped) {
  EXPECT_EQ(navigator::ShotSizeFor({0, 0, 801, 601}), (core::Size{400, 300}));
  EXPECT_EQ(navigator::ShotSizeFor({0, 0, 1, 1}), (core::Size{0, 0}));
  EXPECT_EQ(navigator::ShotSizeFor({10, 10, 0, 0}), (core::Size{0, 0})) << "an inverted frame gives nothing";
}

TEST(ShotOrder, AScanThatDidNotMeetEveryWindowAgainRaisesChangedWhateverTheOptions) {
  Entries entries;
  entries.Scan({{1, {0, 0, 100, 100}}, {2, {200, 0, 300, 100}}});
  entries.Scan({{1, {0, 0, 100, 100}}, {2, {200, 0, 300, 100}}});
  ASSERT_FALSE(entries.store.Changed());
  ShotTurn(entries.store, ShotFacts{.showGlyphs = false, .virtualScreen = kScreen});
  EXPECT_FALSE(entries.store.Changed());
  entries.Scan({{1, {0, 0, 100, 100}}});
  ShotTurn(entries.store, ShotFacts{.showGlyphs = false, .virtualScreen = kScreen});
  EXPECT_TRUE(entries.store.Changed()) << "window 2 was not met again";
}

TEST(OverviewPlan, DrawsThePreviousScanWhileTheCurrentOneHoldsFewerEntries) {
  Entries entries;
  entries.Scan({{1, {0, 0, 100, 100}}, {2, {200, 0, 300, 100}}, {3, {400, 0, 500, 100}}});
  entries.store.BeginWindowScan();
  entries.store.UpdateWindowEntry(2, "c", "C", {200, 0, 300, 100}, false, false, 0);
  const navigator::OverviewFacts facts{kScreen, 1, 1, {1920, 1080}};
  navigator::OverviewPlan plan = PlanOverview(entries.store, facts);
  EXPECT_TRUE(plan.fromOldEntries);
  ASSERT_EQ(plan.entries.size(), 2u);
  EXPECT_EQ(plan.entries[0].entry->Wnd, 1u);
  EXPECT_EQ(plan.entries[1].entry->Wnd, 3u);

  entries.store.UpdateWindowEntry(1, "c", "C", {0, 0, 100, 100}, false, false, 0);
  plan = PlanOverview(entries.store, facts);
  EXPECT_FALSE(plan.fromOldEntries) << "more entries than the previous scan left";
  ASSERT_EQ(plan.entries.size(), 2u);
  EXPECT_EQ(plan.entries[0].entry->Wnd, 2u);
  EXPECT_EQ(plan.entries[1].panelRect, navigator::ToPanel(plan.extent, facts.panel, Rect{0, 0, 100, 100}));
}

TEST(OverviewPlan, AWindowFarOutIsDrawnWholeInsideThePanel) {
  Entries entries;
  // A known window may wander far beyond where a new one is taken.
  entries.Scan({{1, {-5000, -5000, -4000, -4000}}, {2, {100, 100, 200, 200}}});
  entries.Scan({{1, {-32000, -32000, -31000, -31500}}, {2, {31000, 31000, 32000, 32000}}});
  const navigator::OverviewFacts facts{kScreen, 1, 1, {640, 360}};
  const navigator::OverviewPlan plan = PlanOverview(entries.store, facts);
  for (const navigator::PlannedEntry& p : plan.entries) {
    EXPECT_GE(p.panelRect.left, 0);
    EXPECT_GE(p.panelRect.top, 0);
    EXPECT_LE(p.panelRect.right, 640);
    EXPECT_LE(p.panelRect.bottom, 360);
    EXPECT_LT(p.panelRect.left, p.panelRect.right);
  }
  EXPECT_EQ(plan.entries[0].panelRect.top, 0);
  EXPECT_EQ(plan.entries[1].panelRect.bottom, 359) << "the extent ends one past the last window's edge";
}

}  // namespace
