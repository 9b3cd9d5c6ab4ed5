#include "navigator/app_win_store.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include <algorithm>
#include <functional>
#include <optional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using core::Rect;
using navigator::AppWinStore;
using navigator::IconHandle;
using navigator::ShotHandle;
using navigator::tAppWin;
using navigator::WindowHandle;

constexpr WindowHandle kPanel = 0x999;

struct FakeDesktop : navigator::Desktop {
  navigator::ScreenLayout screen{1, {0, 0, 1920, 1040}, {0, 0, 1920, 1080}};
  std::map<WindowHandle, WindowHandle> owners;  // unlisted windows own themselves
  std::vector<std::pair<WindowHandle, core::Size>> resizes;
  std::vector<ShotHandle> released;
  // Runs inside a resize, as the control panel's window procedure would run nested.
  std::function<void(WindowHandle)> duringMove;

  navigator::ScreenLayout Screen() override { return screen; }
  WindowHandle RootOwner(WindowHandle w) override {
    auto it = owners.find(w);
    return it == owners.end() ? w : it->second;
  }
  navigator::FrameMargins Margins(WindowHandle) override { return {}; }
  void SetOuterSize(WindowHandle w, core::Size outer) override {
    resizes.emplace_back(w, outer);
    if (duringMove) duringMove(w);
  }
  void ReleaseShot(ShotHandle s) override { released.push_back(s); }
};

struct Win {
  WindowHandle wnd;
  Rect rect{100, 100, 900, 700};
  std::string cls = "App";
  std::string caption = "Caption";
  bool foreground = false;
  bool moveSize = false;
  IconHandle icon = 0;
};

class AppWinStoreTest : public testing::Test {
 protected:
  void Scan(const std::vector<Win>& wins) {
    store.BeginWindowScan();
    for (const Win& w : wins) {
      store.UpdateWindowEntry(w.wnd, w.caption, w.cls, w.rect, w.foreground, w.moveSize, w.icon);
    }
  }
  std::vector<WindowHandle> Listed() const {
    std::vector<WindowHandle> out;
    for (tAppWin* e : store.EntriesSnapshot()) out.push_back(e->Wnd);
    return out;
  }
  tAppWin* Entry(WindowHandle w) const {
    for (tAppWin* e : store.EntriesSnapshot()) {
      if (e->Wnd == w) return e;
    }
    return nullptr;
  }
  // Gives every entry a shot handle equal to its window, so a release shows which was freed.
  void TagShots() {
    for (tAppWin* e : store.EntriesSnapshot()) e->Shot = e->Wnd;
  }

  FakeDesktop desktop;
  AppWinStore store{desktop, kPanel};
};

TEST_F(AppWinStoreTest, FirstScanMeetsEveryWindowAsNew) {
  Scan({{1, {0, 0, 500, 400}, "A", "one", true, false, 11}, {2}, {3}});
  EXPECT_TRUE(store.Changed());
  EXPECT_EQ(Listed(), (std::vector<WindowHandle>{1, 2, 3}));
  const tAppWin* e = Entry(1);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->WindowRect, (Rect{0, 0, 500, 400}));
  EXPECT_EQ(e->Caption, "one");
  EXPECT_EQ(e->WinClass, "A");
  EXPECT_EQ(e->Icon, 11u);
  EXPECT_EQ(e->ForcedSize, 0u);
  EXPECT_EQ(store.ActiveEntry(), e);
  for (tAppWin* x : store.EntriesSnapshot()) {
    EXPECT_TRUE(x->WantShot);
    EXPECT_FALSE(x->HasShot);
    EXPECT_FALSE(x->HasSavedRect);
  }
  EXPECT_TRUE(desktop.resizes.empty());
}

TEST_F(AppWinStoreTest, UnchangedWindowsKeepTheirEntriesInTheNewOrder) {
  Scan({{1}, {2}, {3}});
  TagShots();
  tAppWin* two = Entry(2);
  two->ForcedSize = core::packSize(640, 480);
  two->SavedRect = {1, 2, 3, 4};
  two->HasShot = true;
  two->WantShot = false;

  Scan({{3}, {2}, {1}});
  EXPECT_FALSE(store.Changed());
  EXPECT_EQ(Listed(), (std::vector<WindowHandle>{3, 2, 1}));
  EXPECT_EQ(Entry(2), two);
  EXPECT_EQ(two->ForcedSize, core::packSize(640, 480));
  EXPECT_EQ(two->SavedRect, (Rect{1, 2, 3, 4}));
  EXPECT_TRUE(two->HasShot);
  EXPECT_FALSE(two->WantShot);
  EXPECT_TRUE(desktop.released.empty());
  EXPECT_TRUE(desktop.resizes.empty());  // class not remembered: the forced size is left alone
}

TEST_F(AppWinStoreTest, EachDifferenceOfAKnownWindowMarksChanged) {
  struct Case {
    const char* name;
    std::function<void(Win&)> change;
    std::function<bool(const tAppWin&)> copied;
  };
  const std::vector<Case> cases = {
      {"caption case", [](Win& w) { w.caption = "caption"; },
       [](const tAppWin& e) { return e.Caption == "caption"; }},
      {"right edge", [](Win& w) { w.rect.right += 1; },
       [](const tAppWin& e) { return e.WindowRect.right == 901; }},
      {"foreground", [](Win& w) { w.foreground = true; },
       [](const tAppWin& e) { return e.IsForeground; }},
      {"move or size", [](Win& w) { w.moveSize = true; },
       [](const tAppWin& e) { return e.InMoveSize; }},
      {"icon", [](Win& w) { w.icon = 5; }, [](const tAppWin& e) { return e.Icon == 5; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDesktop d;
    AppWinStore s(d);
    Win w{7};
    s.BeginWindowScan();
    s.UpdateWindowEntry(w.wnd, w.caption, w.cls, w.rect, w.foreground, w.moveSize, w.icon);
    c.change(w);
    s.BeginWindowScan();
    s.UpdateWindowEntry(w.wnd, w.caption, w.cls, w.rect, w.foreground, w.moveSize, w.icon);
    EXPECT_TRUE(s.Changed());
    ASSERT_EQ(s.EntryCount(), 1u);
    EXPECT_TRUE(c.copied(*s.EntryAt(0)));
  }
}

TEST_F(AppWinStoreTest, VanishedEntriesAreFreedAtTheNextScanStart) {
  Scan({{1}, {2}, {3}});
  TagShots();
  Scan({{1}, {3}});
  EXPECT_EQ(store.OldEntryCount(), 1u);
  EXPECT_TRUE(desktop.released.empty());
  EXPECT_FALSE(store.HasWindow(2));
  store.BeginWindowScan();
  EXPECT_EQ(desktop.released, (std::vector<ShotHandle>{2}));
}

TEST_F(AppWinStoreTest, FarOffNewWindowsGetNoEntry) {
  struct Case {
    Rect rect;
    bool entry;
  };
  const Case cases[] = {
      {{-10001, 0, -9000, 500}, false}, {{-10000, 0, -9000, 500}, true},
      {{0, -6001, 500, -5000}, false},  {{0, -6000, 500, -5000}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top);
    FakeDesktop d;
    AppWinStore s(d);
    s.Remembered().Remember("App", core::packSize(300, 300));
    s.BeginWindowScan();
    s.UpdateWindowEntry(1, "t", "App", c.rect, false, false, 0);
    EXPECT_EQ(s.HasWindow(1), c.entry);
    EXPECT_EQ(s.Room() == navigator::ScrollRoom{}, !c.entry);
    EXPECT_EQ(d.resizes.size(), c.entry ? 1u : 0u);  // no entry, no remembered size either
  }
}

TEST_F(AppWinStoreTest, KnownWindowFarOffKeepsItsEntryAndWidensTheRoom) {
  Scan({{1}});
  tAppWin* e = Entry(1);
  Scan({{1, {-15000, 100, -14200, 700}}});
  EXPECT_EQ(Entry(1), e);
  EXPECT_EQ(store.Room().ScrollMinX, -15000);
}

TEST_F(AppWinStoreTest, ScrollRoomAgainstTheReferenceArea) {
  struct Case {
    const char* name;
    int monitors = 1;
    int32_t limitX = 0;
    std::vector<Win> wins;
    navigator::ScrollRoom room;
  };
  const navigator::ScrollRoom preset{-3, 500, -4, 6};
  const std::vector<Case> cases = {
      {.name = "inside the work area",
       .monitors = 1,
       .wins = {{1, {0, 0, 1920, 1040}}, {2, {50, 50, 60, 60}}},
       .room = {}},
      {.name = "below the taskbar with one monitor",
       .monitors = 1,
       .wins = {{1, {0, 500, 800, 1060}}},
       .room = {0, 0, 0, 20}},
      {.name = "two monitors: against the virtual screen",
       .monitors = 2,
       .wins = {{1, {0, 500, 800, 1060}}},
       .room = {}},
      {.name = "widest extent of all windows",
       .monitors = 1,
       .wins = {{1, {-700, 0, 100, 100}}, {2, {-200, -50, 2500, 100}}, {3, {0, 0, 10, 1500}}},
       .room = {-700, 580, -50, 460}},
      {.name = "extreme coordinates clamp",
       .monitors = 1,
       .wins = {{1, {-10000, 0, INT32_MAX, 100}}},
       .room = {-10000, INT32_MAX - 1920, 0, 0}},
      {.name = "fixed size: left alone",
       .monitors = 1,
       .limitX = 500,
       .wins = {{1, {-700, 0, 3000, 2000}}},
       .room = preset},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDesktop d;
    d.screen.monitorCount = c.monitors;
    d.screen.virtualScreen = c.monitors > 1 ? Rect{0, 0, 3840, 1080} : Rect{0, 0, 1920, 1080};
    AppWinStore s(d);
    s.TakeRoomWriter().SetFixedDesktop({c.limitX, 0}, preset);
    for (int pass = 0; pass < 2; ++pass) {  // new windows, then known ones
      s.BeginWindowScan();
      for (const Win& w : c.wins) s.UpdateWindowEntry(w.wnd, w.caption, w.cls, w.rect, false, false, 0);
      EXPECT_EQ(s.Room(), c.room) << "pass " << pass;
    }
  }
}

// The screen is read once per scan: a monitor plugged in between two scans counts from the next.
TEST_F(AppWinStoreTest, TheNextScanMeasuresAgainstTheScreenAsItIsThen) {
  const Win below{1, {0, 500, 800, 1060}};
  Scan({below});
  EXPECT_EQ(store.Room(), (navigator::ScrollRoom{0, 0, 0, 20}));
  desktop.screen.monitorCount = 2;
  desktop.screen.virtualScreen = Rect{0, 0, 3840, 1080};
  Scan({below});
  EXPECT_EQ(store.Room(), (navigator::ScrollRoom{}));
}

TEST_F(AppWinStoreTest, RememberedSizeImposedOnNewWindowsOfTheClassInAnyCase) {
  store.Remembered().Remember("Notepad", core::packSize(1000, 700));
  Scan({{1, {40, 30, 840, 630}, "NOTEPAD"}, {2, {0, 0, 300, 300}, "Other"}});
  ASSERT_EQ(desktop.resizes.size(), 1u);
  EXPECT_EQ(desktop.resizes[0].first, 1u);
  EXPECT_EQ(desktop.resizes[0].second, (core::Size{1000, 700}));
  EXPECT_EQ(Entry(1)->ForcedSize, core::packSize(1000, 700));
  EXPECT_EQ(Entry(1)->WindowRect, (Rect{40, 30, 840, 630}));  // as met, until the next scan
  EXPECT_EQ(Entry(2)->ForcedSize, 0u);

  // The next scan sees the new size: nothing to impose, but the entry changed.
  Scan({{1, {40, 30, 1040, 730}, "NOTEPAD"}, {2, {0, 0, 300, 300}, "Other"}});
  EXPECT_TRUE(store.Changed());
  EXPECT_EQ(desktop.resizes.size(), 1u);

  // Resized by the user: imposed again, at every scan where it differs, where the window stands.
  Scan({{1, {60, 70, 500, 730}, "NOTEPAD"}});
  Scan({{1, {60, 70, 500, 731}, "NOTEPAD"}});
  ASSERT_EQ(desktop.resizes.size(), 3u);
  EXPECT_EQ(desktop.resizes[1].second, (core::Size{1000, 700}));
  EXPECT_EQ(desktop.resizes[2].second, (core::Size{1000, 700}));

  // Once the class is no longer remembered the entry's forced size is not imposed by the scan.
  store.Remembered().Forget("notepad");
  Scan({{1, {60, 70, 500, 731}, "NOTEPAD"}});
  EXPECT_EQ(desktop.resizes.size(), 3u);
  EXPECT_EQ(store.ForcedSizeOf(1), core::packSize(1000, 700));
}

TEST_F(AppWinStoreTest, KnownWindowUsesItsEntrysForcedSize) {
  store.Remembered().Remember("App", core::packSize(1000, 700));
  Scan({{1, {0, 0, 1000, 700}}});
  ASSERT_EQ(desktop.resizes.size(), 1u);  // a new window gets the size even when it has it
  Entry(1)->ForcedSize = core::packSize(1200, 800);  // set by the set-size dialog
  Scan({{1, {0, 0, 1000, 700}}});
  ASSERT_EQ(desktop.resizes.size(), 2u);
  EXPECT_EQ(desktop.resizes[1].second, (core::Size{1200, 800}));
  Entry(1)->ForcedSize = 0;
  Scan({{1, {0, 0, 1000, 700}}});
  EXPECT_EQ(desktop.resizes.size(), 2u);
}

// A window with invisible borders, as from Windows 10 on: the scan sees its visible frame and sets
// the outer size. The scan's resizes do not wait: the window takes them once the scan is over
// (TakeMoves), and inside a hooked application the hook library then replaces the size with the
// forced size the control panel answers (the store's) as the window's outer size.
struct FramedDesktop : FakeDesktop {
  navigator::FrameMargins margins;
  Rect outer;
  bool hooked = true;
  const AppWinStore* store = nullptr;
  std::vector<std::pair<WindowHandle, core::Size>> pending;

  Rect Visible() const {
    return {outer.left + margins.left, outer.top + margins.top, outer.right - margins.right,
            outer.bottom - margins.bottom};
  }
  navigator::FrameMargins Margins(WindowHandle) override { return margins; }
  void SetOuterSize(WindowHandle w, core::Size size) override {
    FakeDesktop::SetOuterSize(w, size);
    pending.emplace_back(w, size);
  }
  void TakeMoves() {
    for (auto [w, size] : pending) {
      const core::PackedSize forced = store->ForcedSizeOf(w);
      if (hooked && core::IsUsableForcedSize(forced)) {
        size = {static_cast<int32_t>(core::packedWidth(forced)), static_cast<int32_t>(core::packedHeight(forced))};
      }
      outer = {outer.left, outer.top, outer.left + size.width, outer.top + size.height};
    }
    pending.clear();
  }
};

struct FramedWindow {
  FramedDesktop desktop;
  AppWinStore store{desktop};
  FramedWindow(navigator::FrameMargins margins, core::PackedSize remembered) {
    desktop.store = &store;
    desktop.margins = margins;
    desktop.outer = {93, 50, 907, 657};
    store.Remembered().Remember("App", remembered);
  }
  void Scan() {
    store.BeginWindowScan();
    store.UpdateWindowEntry(1, "c", "App", desktop.Visible(), false, false, 0);
    desktop.TakeMoves();
  }
};

// The forced size is the window's outer size, as the hook imposes it: the scan leaves a window
// that has it alone, also when its visible frame is smaller by the borders.
TEST(ForcedOuterSize, AHookedFramedWindowIsResizedOnceAtMostNotAtEveryScan) {
  struct Row {
    const char* what;
    navigator::FrameMargins margins;
    Rect outer;  // after its first scan, when the scans below begin
    std::size_t moves;
  };
  const Row rows[] = {
      {"borders, sized by the hook", {7, 0, 7, 7}, {93, 50, 1093, 750}, 0},
      {"borders, sized otherwise", {7, 0, 7, 7}, {93, 50, 693, 550}, 1},
      {"no borders, sized by the hook", {}, {100, 50, 1100, 750}, 0},
      {"no borders, sized otherwise", {}, {100, 50, 700, 550}, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    FramedWindow w(r.margins, core::packSize(1000, 700));
    w.Scan();
    w.desktop.outer = r.outer;
    w.desktop.resizes.clear();
    for (int i = 0; i < 20; ++i) w.Scan();
    EXPECT_EQ(w.desktop.resizes.size(), r.moves);
    EXPECT_EQ(w.desktop.outer.width(), 1000);
    EXPECT_EQ(w.desktop.outer.height(), 700);
  }
}

TEST(ForcedOuterSize, ANewFramedWindowOfARememberedClassTakesItAsItsOuterSizeWhereItStands) {
  FramedWindow w({7, 0, 7, 7}, core::packSize(1000, 700));
  w.desktop.hooked = false;  // not subclassed yet: nothing but the scan sizes it
  w.Scan();
  ASSERT_EQ(w.desktop.resizes.size(), 1u);
  EXPECT_EQ(w.desktop.resizes[0].second, (core::Size{1000, 700}));
  EXPECT_EQ(w.desktop.outer, (Rect{93, 50, 1093, 750}));
  w.Scan();
  EXPECT_EQ(w.desktop.resizes.size(), 1u);
}

// The scan reads a window's place, and a scroll move on its way lands before the scan's resize
// does: the window keeps the scrolled place. A resize that carried the place read would put it
// back, a step off the others.
TEST(ForcedOuterSize, TheScansResizeLeavesAWindowWhereAScrollMoveMeanwhilePutIt) {
  FramedWindow w({7, 0, 7, 7}, core::packSize(1000, 700));
  w.desktop.hooked = false;
  w.desktop.store = &w.store;
  w.store.BeginWindowScan();
  w.store.UpdateWindowEntry(1, "c", "App", w.desktop.Visible(), false, false, 0);
  w.desktop.outer = w.desktop.outer.offset(-300, -20);  // the scroll move is taken first
  w.desktop.TakeMoves();
  EXPECT_EQ(w.desktop.outer, (Rect{93 - 300, 50 - 20, 93 - 300 + 1000, 50 - 20 + 700}));
}

TEST_F(AppWinStoreTest, Arrangeable) {
  desktop.owners[4] = 1;
  Scan({{1, {0, 0, 100, 200}}, {2, {0, 0, 100, 201}}, {3, {0, 500, 100, 1000}},
        {4, {0, 0, 100, 900}}, {kPanel, {0, 0, 100, 900}}});
  EXPECT_FALSE(Entry(1)->Arrangeable);
  EXPECT_TRUE(Entry(2)->Arrangeable);
  EXPECT_TRUE(Entry(3)->Arrangeable);
  EXPECT_FALSE(Entry(4)->Arrangeable);  // owned, a dialog box
  EXPECT_FALSE(Entry(kPanel)->Arrangeable);
}

TEST_F(AppWinStoreTest, ActiveEntryAndLookups) {
  Scan({{1}, {2, {}, "App", "c", true}, {3}});
  tAppWin* two = Entry(2);
  EXPECT_EQ(store.ActiveEntry(), two);

  Scan({{3}, {2}, {1}});  // no foreground window met
  EXPECT_EQ(store.ActiveEntry(), nullptr);
  EXPECT_EQ(store.LastActiveWnd(), 2u);
  EXPECT_EQ(store.ActiveEntryOrDefault(), two);

  Scan({{3}, {1}});  // the last active window is gone: the top entry
  EXPECT_EQ(store.LastActiveWnd(), 2u);
  EXPECT_EQ(store.ActiveEntryOrDefault(), Entry(3));

  Scan({});
  EXPECT_EQ(store.ActiveEntryOrDefault(), nullptr);

  Scan({{1}, {2, {}, "App", "c", true}});
  Entry(2)->ForcedSize = core::packSize(100, 100);
  EXPECT_EQ(store.ForcedSizeOf(2), core::packSize(100, 100));
  EXPECT_EQ(store.ForcedSizeOf(42), 0u);
  store.ForgetWindow(42);
  EXPECT_EQ(store.EntryCount(), 2u);
  store.ForgetWindow(2);
  EXPECT_EQ(store.ActiveEntry(), nullptr);
  EXPECT_FALSE(store.HasWindow(2));
  EXPECT_EQ(store.ForcedSizeOf(2), 0u);
}

// --- Nested calls from a move: the control panel's window procedure runs inside it. ---

TEST_F(AppWinStoreTest, LookupsDuringAScanSeeOnlyWindowsAlreadyMet) {
  store.Remembered().Remember("Big", core::packSize(1000, 700));
  Scan({{1}, {2, {0, 0, 10, 10}, "Big"}, {3}});
  for (WindowHandle w : {1, 2, 3}) Entry(w)->ForcedSize = core::packSize(2000, 1000);
  std::vector<core::PackedSize> seen;
  desktop.duringMove = [&](WindowHandle) {
    for (WindowHandle w : {1, 2, 3}) seen.push_back(store.ForcedSizeOf(w));
  };
  Scan({{1}, {2, {0, 0, 10, 10}, "Big"}, {3}});
  // 1 is met, 2 (the one moving) and 3 are still waiting.
  EXPECT_EQ(seen, (std::vector<core::PackedSize>{core::packSize(2000, 1000), 0, 0}));
}

TEST_F(AppWinStoreTest, WindowForgottenDuringItsOwnResize) {
  store.Remembered().Remember("Big", core::packSize(1000, 700));
  Scan({{1}, {2, {0, 0, 10, 10}, "Big"}, {3}});
  TagShots();
  tAppWin* two = Entry(2);
  desktop.duringMove = [&](WindowHandle w) { store.ForgetWindow(w); };

  Scan({{1}, {2, {0, 0, 10, 10}, "Big", "new caption", true}, {3}});
  EXPECT_EQ(Listed(), (std::vector<WindowHandle>{1, 3}));
  EXPECT_EQ(store.OldEntryCount(), 0u);
  EXPECT_EQ(store.ActiveEntry(), nullptr);
  EXPECT_FALSE(store.IsListed(two));
  EXPECT_TRUE(desktop.released.empty());  // unlinked, not yet freed
  EXPECT_EQ(two->Caption, "Caption");     // still readable, and untouched by the update

  desktop.duringMove = nullptr;
  store.BeginWindowScan();
  EXPECT_EQ(desktop.released, (std::vector<ShotHandle>{2}));
}

TEST_F(AppWinStoreTest, OtherWindowsForgottenDuringAResize) {
  store.Remembered().Remember("Big", core::packSize(1000, 700));
  Scan({{1, {}, "App", "c", true}, {2}, {3, {0, 0, 10, 10}, "Big"}, {4}, {5}});
  TagShots();
  // While 3 is resized: the active entry already met (1) and two waiting entries (2 before 3 in
  // the old list, 4 after it) are released, shifting 3's place in the list.
  desktop.duringMove = [&](WindowHandle) {
    desktop.duringMove = nullptr;
    for (WindowHandle w : {1, 2, 4}) store.ForgetWindow(w);
  };
  Scan({{1, {}, "App", "c", true}, {3, {0, 0, 10, 10}, "Big", "moved"}, {5}, {2}, {4}});
  // 2 and 4 come back as new windows later in the same scan.
  EXPECT_EQ(Listed(), (std::vector<WindowHandle>{3, 5, 2, 4}));
  EXPECT_EQ(Entry(3)->Caption, "moved");
  EXPECT_EQ(Entry(3)->Shot, 3u);  // the same entry carried over
  EXPECT_EQ(store.ActiveEntry(), nullptr);
  EXPECT_TRUE(desktop.released.empty());
  store.BeginWindowScan();
  std::sort(desktop.released.begin(), desktop.released.end());
  EXPECT_EQ(desktop.released, (std::vector<ShotHandle>{1, 2, 4}));
}

TEST_F(AppWinStoreTest, SnapshotSurvivesForgetDuringAWalk) {
  Scan({{1}, {2}, {3}});
  TagShots();
  int visited = 0;
  for (tAppWin* e : store.EntriesSnapshot()) {
    if (!store.IsListed(e)) continue;
    ++visited;
    // As nested releases would: the entry itself, and for the first one a later one too.
    store.ForgetWindow(e->Wnd);
    if (e->Wnd == 1) store.ForgetWindow(2);
  }
  EXPECT_EQ(visited, 2);
  EXPECT_EQ(store.EntryCount(), 0u);
  store.BeginWindowScan();
  EXPECT_EQ(desktop.released.size(), 3u);
}

TEST_F(AppWinStoreTest, NewWindowForgottenDuringItsFirstResizeStillGetsItsEntry) {
  store.Remembered().Remember("Big", core::packSize(1000, 700));
  int forgotten = 0;
  desktop.duringMove = [&](WindowHandle w) {
    store.ForgetWindow(w);
    ++forgotten;
  };
  Scan({{1, {0, 0, 10, 10}, "Big"}});
  EXPECT_EQ(forgotten, 1);
  // It was not listed yet; a window that is really gone drops out at the next scan.
  EXPECT_TRUE(store.HasWindow(1));
  desktop.duringMove = nullptr;
  Scan({});
  EXPECT_EQ(store.EntryCount(), 0u);
}

// --- Remembered sizes ---

TEST(RememberedSizes, LookupIgnoresCaseAndBadData) {
  navigator::RememberedSizes r;
  r.Assign({"Notepad", "NOTEPAD", "Calc", "NoSize"},
           {core::packSize(800, 600), core::packSize(1, 1), core::packSize(63, 600)});
  struct Case {
    const char* cls;
    std::optional<core::PackedSize> size;
  };
  const Case cases[] = {
      {"notepad", core::packSize(800, 600)},  // first match wins
      {"calc", std::nullopt},                 // below 64
      {"nosize", std::nullopt},               // class without a size beside it
      {"Note", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(r.Find(c.cls), c.size) << c.cls;

  EXPECT_TRUE(core::IsUsableForcedSize(core::packSize(64, 32000)));
  EXPECT_FALSE(core::IsUsableForcedSize(core::packSize(32001, 64)));
  EXPECT_FALSE(core::IsUsableForcedSize(0));
}

TEST(RememberedSizes, ChangesKeepTheListsParallel) {
  navigator::RememberedSizes r;
  r.Assign({"A", "B", "C"}, {core::packSize(100, 100), core::packSize(200, 200),
                             core::packSize(300, 300), core::packSize(400, 400)});
  EXPECT_EQ(r.Sizes().size(), 3u);  // a size without a class is dropped

  r.Assign({"A", "B", "C"}, {core::packSize(100, 100)});
  r.Remember("c", core::packSize(333, 333));  // a class that had no size
  EXPECT_EQ(r.Find("C"), core::packSize(333, 333));
  EXPECT_EQ(r.Find("B"), std::nullopt);
  r.Remember("D", core::packSize(444, 444));
  EXPECT_EQ(r.Find("d"), core::packSize(444, 444));
  EXPECT_EQ(r.Classes().size(), r.Sizes().size());

  r.Remember("a", core::packSize(111, 111));  // updates, keeps the stored spelling
  EXPECT_EQ(r.Classes().front(), "A");
  EXPECT_EQ(r.Find("A"), core::packSize(111, 111));

  EXPECT_TRUE(r.Forget("b"));
  EXPECT_FALSE(r.Forget("b"));
  EXPECT_EQ(r.Classes(), (std::vector<std::string>{"A", "C", "D"}));
  EXPECT_EQ(r.Find("C"), core::packSize(333, 333));
  EXPECT_EQ(r.Find("D"), core::packSize(444, 444));
}

// Only the one who took the store's writer (the scrolling engine) can set the room and the fixed
// desktop size; a second taker is refused.
TEST(AppWinStoreRoom, HasOneWriter) {
  FakeDesktop d;
  AppWinStore s(d);
  AppWinStore::RoomWriter writer = s.TakeRoomWriter();
  EXPECT_THROW(s.TakeRoomWriter(), std::logic_error);
  writer.SetFixedDesktop({300, 0}, {0, 300, 0, 0});
  EXPECT_EQ(s.Limits().LimitX, 300);
  EXPECT_EQ(s.Room(), (navigator::ScrollRoom{0, 300, 0, 0}));
}

}  // namespace
