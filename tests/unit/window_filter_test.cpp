#include "scroller/window_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using core::Rect;
using scroller::ExitVerdict;
using scroller::ScanVerdict;
using scroller::WindowHandle;
using scroller::WindowInfoFacts;

constexpr WindowHandle kWindow = 0x100;
constexpr WindowHandle kPanel = 0x200;
constexpr WindowHandle kShell = 0x300;
constexpr WindowHandle kDesktop = 0x400;
constexpr WindowHandle kMoving = 0x500;
constexpr uint32_t kVisible = scroller::kStyleVisible;

// A window whose facts are fixed up front; every query is recorded in order.
struct FakeWindow : scroller::ExitScanWindow {
  WindowHandle handle = kWindow;
  std::optional<WindowInfoFacts> info = WindowInfoFacts{kVisible, {10, 40, 790, 590}};
  std::optional<bool> cloaked = false;
  std::string cls = "Notepad";
  std::string title = "Untitled - Notepad";
  std::optional<Rect> frame = Rect{0, 0, 800, 600};
  bool onCurrentDesktop = true;
  bool ownProcess = false;
  std::vector<std::string> asked;

  WindowHandle Handle() const override { return handle; }
  std::optional<WindowInfoFacts> Info() override { return note("Info"), info; }
  std::optional<bool> Cloaked() override { return note("Cloaked"), cloaked; }
  std::string ClassName() override { return note("ClassName"), cls; }
  std::string Title() override { return note("Title"), title; }
  std::optional<Rect> VisibleFrame() override { return note("VisibleFrame"), frame; }
  bool OnCurrentVirtualDesktop() override { return note("VirtualDesktop"), onCurrentDesktop; }
  bool OwnedByThisProcess() override { return note("OwnProcess"), ownProcess; }
  void RestoreMinimized() override { note("Restore"); }

  void note(const char* what) { asked.emplace_back(what); }
};

// The lists the contexts point into.
struct Scene {
  std::vector<WindowHandle> excluded;
  std::vector<WindowHandle> listed;
  std::vector<std::string> userClasses;
  bool cloakTestOn = true;
  WindowHandle moveSize = 0;

  scroller::ScanContext Scan() const {
    return {kPanel, kShell, kDesktop, moveSize, cloakTestOn, excluded, listed, userClasses,
            Rect{0, 0, 1920, 1080}};
  }
  scroller::ExitScanContext Exit() const {
    return {kPanel, kShell, kDesktop, moveSize, excluded, listed};
  }
};

using Tweak = std::function<void(FakeWindow&, Scene&)>;

TEST(WindowFilter, ScanRules) {
  struct Case {
    const char* name;
    Tweak tweak;
    ScanVerdict verdict;
    bool menuOrMaximized = false;
  };
  const uint32_t kMax = kVisible | scroller::kStyleMaximize;
  const std::vector<Case> cases = {
      {"ordinary window", [](FakeWindow&, Scene&) {}, ScanVerdict::Scrolls},
      {"window info fails", [](FakeWindow& w, Scene&) { w.info.reset(); }, ScanVerdict::NoWindowInfo},
      {"not visible", [](FakeWindow& w, Scene&) { w.info->style = 0; }, ScanVerdict::Invisible},
      {"minimized", [](FakeWindow& w, Scene&) { w.info->style |= scroller::kStyleMinimize; },
       ScanVerdict::Minimized},
      {"cloaked", [](FakeWindow& w, Scene&) { w.cloaked = true; }, ScanVerdict::Cloaked},
      {"cloaked query fails: not cloaked", [](FakeWindow& w, Scene&) { w.cloaked.reset(); },
       ScanVerdict::Scrolls},
      {"cloaked but test off",
       [](FakeWindow& w, Scene& s) { w.cloaked = true; s.cloakTestOn = false; },
       ScanVerdict::Scrolls},
      {"no visible frame", [](FakeWindow& w, Scene&) { w.frame.reset(); },
       ScanVerdict::NoVisibleFrame},
      {"3 wide", [](FakeWindow& w, Scene&) { w.frame = Rect{5, 5, 8, 100}; }, ScanVerdict::TooSmall},
      {"3 high", [](FakeWindow& w, Scene&) { w.frame = Rect{5, 5, 100, 8}; }, ScanVerdict::TooSmall},
      {"4 x 4", [](FakeWindow& w, Scene&) { w.frame = Rect{5, 5, 9, 9}; }, ScanVerdict::Scrolls},
      {"extreme coordinates do not overflow the size test",
       [](FakeWindow& w, Scene&) { w.frame = Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}; },
       ScanVerdict::Scrolls},
      {"already listed", [](FakeWindow&, Scene& s) { s.listed = {7, kWindow}; },
       ScanVerdict::AlreadyListed},
      {"excluded by message", [](FakeWindow&, Scene& s) { s.excluded = {kWindow}; },
       ScanVerdict::Excluded},
      {"user class in other case", [](FakeWindow&, Scene& s) { s.userClasses = {"x", "NOTEPAD"}; },
       ScanVerdict::UserNonScrolling},
      {"user class is not a prefix match", [](FakeWindow&, Scene& s) { s.userClasses = {"Note"}; },
       ScanVerdict::Scrolls},
      {"shell window", [](FakeWindow& w, Scene&) { w.handle = kShell; }, ScanVerdict::ShellOrDesktop},
      {"desktop window", [](FakeWindow& w, Scene&) { w.handle = kDesktop; },
       ScanVerdict::ShellOrDesktop},
      {"taskbar", [](FakeWindow& w, Scene&) { w.cls = "Shell_TrayWnd"; }, ScanVerdict::FixedClass},
      {"program's own form class", [](FakeWindow& w, Scene&) { w.cls = "TTavelmoorForm"; },
       ScanVerdict::FixedClass},
      {"last fixed class", [](FakeWindow& w, Scene&) { w.cls = "wndclass NumLock OSD"; },
       ScanVerdict::FixedClass},
      {"fixed list compares case", [](FakeWindow& w, Scene&) { w.cls = "progman"; },
       ScanVerdict::Scrolls},
      {"same text as user class matches any case",
       [](FakeWindow& w, Scene& s) { w.cls = "progman"; s.userClasses = {"Progman"}; },
       ScanVerdict::UserNonScrolling},
      {"control panel", [](FakeWindow& w, Scene&) { w.handle = kPanel; w.cls = "tTavelmoorForm"; },
       ScanVerdict::ControlPanel},
      {"own message box", [](FakeWindow& w, Scene&) { w.cls = "#32770"; w.ownProcess = true; },
       ScanVerdict::OwnProcess},
      {"other virtual desktop", [](FakeWindow& w, Scene&) { w.onCurrentDesktop = false; },
       ScanVerdict::OtherVirtualDesktop},
      {"empty title", [](FakeWindow& w, Scene&) { w.title.clear(); }, ScanVerdict::EmptyTitle},
      {"moved or sized window", [](FakeWindow&, Scene& s) { s.moveSize = kMoving; },
       ScanVerdict::Scrolls},
      {"the moved window itself",
       [](FakeWindow& w, Scene& s) { w.handle = kMoving; s.moveSize = kMoving; },
       ScanVerdict::NavigatorOnly},
      // Menus hold scrolling back whatever the later rules decide, but only once visible and
      // not cloaked.
      {"menu without title", [](FakeWindow& w, Scene&) { w.cls = "#32768"; w.title.clear(); },
       ScanVerdict::EmptyTitle, true},
      {"menu excluded", [](FakeWindow& w, Scene& s) { w.cls = "#32768"; s.excluded = {kWindow}; },
       ScanVerdict::Excluded, true},
      {"start menu host", [](FakeWindow& w, Scene&) { w.cls = "CV2ControlHost"; },
       ScanVerdict::FixedClass, true},
      {"BaseBar scrolls", [](FakeWindow& w, Scene&) { w.cls = "BaseBar"; }, ScanVerdict::Scrolls, true},
      {"menu class compares case", [](FakeWindow& w, Scene&) { w.cls = "basebar"; },
       ScanVerdict::Scrolls, false},
      {"minimized menu",
       [](FakeWindow& w, Scene&) { w.cls = "#32768"; w.info->style |= scroller::kStyleMinimize; },
       ScanVerdict::Minimized, false},
      {"cloaked menu", [](FakeWindow& w, Scene&) { w.cls = "#32768"; w.cloaked = true; },
       ScanVerdict::Cloaked, false},
      {"maximized on screen", [&](FakeWindow& w, Scene&) { w.info->style = kMax; },
       ScanVerdict::Scrolls, true},
      {"maximized one pixel over every edge",
       [&](FakeWindow& w, Scene&) { w.info = WindowInfoFacts{kMax, {-1, -1, 1921, 1081}}; },
       ScanVerdict::Scrolls, true},
      {"maximized two pixels over",
       [&](FakeWindow& w, Scene&) { w.info = WindowInfoFacts{kMax, {-2, 0, 1920, 1080}}; },
       ScanVerdict::Scrolls, false},
      {"maximized scrolled off",
       [&](FakeWindow& w, Scene&) { w.info = WindowInfoFacts{kMax, {-3000, 0, -1080, 1080}}; },
       ScanVerdict::Scrolls, false},
      {"maximized but excluded",
       [&](FakeWindow& w, Scene& s) { w.info->style = kMax; s.excluded = {kWindow}; },
       ScanVerdict::Excluded, false},
      {"maximized window being moved",
       [&](FakeWindow& w, Scene& s) { w.info->style = kMax; w.handle = kMoving; s.moveSize = kMoving; },
       ScanVerdict::NavigatorOnly, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow w;
    Scene s;
    c.tweak(w, s);
    const auto d = scroller::DecideScan(w, s.Scan());
    EXPECT_EQ(ToString(d.verdict), std::string(ToString(c.verdict)));
    EXPECT_EQ(d.menuOrMaximized, c.menuOrMaximized);
  }
}

TEST(WindowFilter, ScanHandsOnWhatItRead) {
  FakeWindow w;
  Scene s;
  const auto d = scroller::DecideScan(w, s.Scan());
  ASSERT_TRUE(scroller::HandedToNavigator(d.verdict));
  EXPECT_EQ(d.className, "Notepad");
  EXPECT_EQ(d.title, "Untitled - Notepad");
  EXPECT_EQ(d.frame, (Rect{0, 0, 800, 600}));
  EXPECT_EQ(scroller::ScrollListText(d.className, d.title), "Notepad (Untitled - Notepad)");
}

// A window left out early costs no further queries, and no fact is asked twice.
TEST(WindowFilter, ScanAsksOnlyUntilARuleDecides) {
  struct Case {
    const char* name;
    Tweak tweak;
    std::vector<std::string> asked;
  };
  const std::vector<std::string> upToFrame = {"Info", "Cloaked", "ClassName", "Title",
                                              "VisibleFrame"};
  const std::vector<Case> cases = {
      {"info fails", [](FakeWindow& w, Scene&) { w.info.reset(); }, {"Info"}},
      {"invisible", [](FakeWindow& w, Scene&) { w.info->style = 0; }, {"Info"}},
      {"minimized", [](FakeWindow& w, Scene&) { w.info->style |= scroller::kStyleMinimize; }, {"Info"}},
      {"cloaked", [](FakeWindow& w, Scene&) { w.cloaked = true; }, {"Info", "Cloaked"}},
      {"too small", [](FakeWindow& w, Scene&) { w.frame = Rect{0, 0, 2, 2}; }, upToFrame},
      {"excluded", [](FakeWindow&, Scene& s) { s.excluded = {kWindow}; }, upToFrame},
      {"fixed class", [](FakeWindow& w, Scene&) { w.cls = "Progman"; }, upToFrame},
      {"control panel", [](FakeWindow& w, Scene&) { w.handle = kPanel; }, upToFrame},
      {"own process", [](FakeWindow& w, Scene&) { w.ownProcess = true; },
       {"Info", "Cloaked", "ClassName", "Title", "VisibleFrame", "OwnProcess"}},
      {"scrolls, cloak test off", [](FakeWindow&, Scene& s) { s.cloakTestOn = false; },
       {"Info", "ClassName", "Title", "VisibleFrame", "OwnProcess", "VirtualDesktop"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow w;
    Scene s;
    c.tweak(w, s);
    scroller::DecideScan(w, s.Scan());
    EXPECT_EQ(w.asked, c.asked);
  }
}

TEST(WindowFilter, ExitScanRules) {
  struct Case {
    const char* name;
    Tweak tweak;
    ExitVerdict verdict;
    bool restored = false;
  };
  const uint32_t kMin = kVisible | scroller::kStyleMinimize;
  const std::vector<Case> cases = {
      {"ordinary window", [](FakeWindow&, Scene&) {}, ExitVerdict::Collect},
      {"info fails", [](FakeWindow& w, Scene&) { w.info.reset(); }, ExitVerdict::NoWindowInfo},
      {"invisible minimized window is left alone",
       [](FakeWindow& w, Scene&) { w.info->style = scroller::kStyleMinimize; }, ExitVerdict::Invisible},
      {"minimized window restored", [&](FakeWindow& w, Scene&) { w.info->style = kMin; },
       ExitVerdict::Collect, true},
      {"minimized and excluded: restored all the same",
       [&](FakeWindow& w, Scene& s) { w.info->style = kMin; s.excluded = {kWindow}; },
       ExitVerdict::Excluded, true},
      {"secondary taskbar", [](FakeWindow& w, Scene&) { w.cls = "Shell_SecondaryTrayWnd"; },
       ExitVerdict::SecondaryTaskbar},
      {"taskbar", [](FakeWindow& w, Scene&) { w.cls = "Shell_TrayWnd"; }, ExitVerdict::Collect},
      {"user class", [](FakeWindow&, Scene& s) { s.userClasses = {"notepad"}; }, ExitVerdict::Collect},
      {"no title", [](FakeWindow& w, Scene&) { w.title.clear(); }, ExitVerdict::Collect},
      {"cloaked", [](FakeWindow& w, Scene&) { w.cloaked = true; }, ExitVerdict::Collect},
      {"other virtual desktop", [](FakeWindow& w, Scene&) { w.onCurrentDesktop = false; },
       ExitVerdict::Collect},
      {"no frame", [](FakeWindow& w, Scene&) { w.frame.reset(); }, ExitVerdict::NoVisibleFrame},
      {"control panel", [](FakeWindow& w, Scene&) { w.handle = kPanel; }, ExitVerdict::ControlPanel},
      {"1 pixel wide", [](FakeWindow& w, Scene&) { w.frame = Rect{0, 0, 1, 50}; }, ExitVerdict::Collect},
      {"no width", [](FakeWindow& w, Scene&) { w.frame = Rect{3, 0, 3, 50}; }, ExitVerdict::NoArea},
      {"no height", [](FakeWindow& w, Scene&) { w.frame = Rect{0, 9, 50, 9}; }, ExitVerdict::NoArea},
      {"excluded", [](FakeWindow&, Scene& s) { s.excluded = {kWindow}; }, ExitVerdict::Excluded},
      {"already listed", [](FakeWindow&, Scene& s) { s.listed = {kWindow}; }, ExitVerdict::AlreadyListed},
      {"shell", [](FakeWindow& w, Scene&) { w.handle = kShell; }, ExitVerdict::ShellDesktopOrMoveSize},
      {"desktop", [](FakeWindow& w, Scene&) { w.handle = kDesktop; },
       ExitVerdict::ShellDesktopOrMoveSize},
      {"moved window", [](FakeWindow& w, Scene& s) { w.handle = kMoving; s.moveSize = kMoving; },
       ExitVerdict::ShellDesktopOrMoveSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow w;
    Scene s;
    c.tweak(w, s);
    const auto d = scroller::DecideExitScan(w, s.Exit());
    EXPECT_EQ(ToString(d.verdict), std::string(ToString(c.verdict)));
    EXPECT_EQ(d.restored, c.restored);
    for (const char* never : {"Cloaked", "Title", "VirtualDesktop", "OwnProcess"}) {
      EXPECT_EQ(std::count(w.asked.begin(), w.asked.end(), never), 0) << never;
    }
  }
}

// The frame is read after the restore, so a restored window is measured where it now is.
TEST(WindowFilter, ExitScanRestoresBeforeReadingTheFrame) {
  FakeWindow w;
  w.info->style |= scroller::kStyleMinimize;
  Scene s;
  scroller::DecideExitScan(w, s.Exit());
  EXPECT_EQ(w.asked, (std::vector<std::string>{"Info", "Restore", "ClassName", "VisibleFrame"}));
}

}  // namespace
