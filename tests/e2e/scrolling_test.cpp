// Scrolling seen from outside: test windows of another process move when the mouse pushes at a
// border, on the hot keys and on WM_SCROLL_BY; exclusions, pauses, releases in the middle of a
// move, hung applications, and every window brought home when the program ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "core/private_messages.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "support/test_windows.h"
#include "support/window_lists.h"

namespace {

using namespace std::chrono_literals;
using e2e::SettingsKey;
using e2e::SettingValue;
using e2e::ScrollBy;
using e2e::Tavelmoor;
using e2e::TopLeft;
using e2e::TestWindows;
using e2e::Ask;
using e2e::PressCtrlShift;
using e2e::WindowSpec;
using e2e::WorkArea;
using tvmtest::WaitUntil;
namespace flag = e2e::flag;

constexpr const char* kKeptClass = "TvmKeptWindow";  // in the user's non-scrolling classes
constexpr UINT kTrayExitCommand = 1002;
constexpr UINT kTrayScrollLockCommand = 1003;

SIZE SizeOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

std::string Text(POINT p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

void MoveMouseBy(int dx, int dy) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &in, sizeof in);
}

class Scrolling : public e2e::ScrollingScenario {
 protected:
  // The quiet key with the class of the kept test windows among the non-scrolling ones.
  void WriteSettings(const std::vector<SettingValue>& changes = {}) {
    ScrollingScenario::WriteSettings(changes, {kKeptClass});
  }

  // Waits until a scan has put `probe` into the scroll list: one-pixel scrolls until it follows,
  // then back to where it stood.
  bool WaitListed(HWND panel, HWND probe) {
    const POINT start = TopLeft(probe);
    const bool listed = WaitUntil(
        [&] {
          const LONG x = TopLeft(probe).x;
          ScrollBy(panel, 1, 0);
          return WaitUntil([&] { return TopLeft(probe).x != x; }, 150ms);
        },
        5s, 1ms);
    const int moved = start.x - TopLeft(probe).x;
    if (moved) ScrollBy(panel, -moved, 0);
    WaitUntil([&] { return TopLeft(probe).x == start.x; }, 2s);
    // The other windows may still be taking the way back.
    WaitUntil(
        [&] {
          const auto seen = Positions();
          Sleep(100);
          const auto now = Positions();
          return std::equal(seen.begin(), seen.end(), now.begin(), [](const auto& a, const auto& b) {
            return a.second.x == b.second.x && a.second.y == b.second.y;
          });
        },
        2s, 1ms);
    // A window activated late (after the panel went to the tray) is a new activation to the
    // refresh tick, which drops a waiting step: let it pass before anything scrolls.
    WaitUntil(
        [] {
          HWND seen = GetForegroundWindow();
          Sleep(300);
          return GetForegroundWindow() == seen;
        },
        3s, 1ms);
    return listed;
  }

};

WindowSpec Plain(const std::string& id, int x, int y, int w = 200, int h = 150) {
  WindowSpec s;
  s.id = id;
  s.title = "Scroll " + id;
  s.x = x, s.y = y, s.width = w, s.height = h;
  return s;
}

TEST_F(Scrolling, PushingAtEachBorderScrollsEveryWindowByTheMotion) {
  WriteSettings();
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300), Plain("b", 600, 400)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));

  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  // At speed 6 an event of 2 counts adds 2 pixels; the windows move against the push.
  constexpr int kEvents = 10;
  constexpr int kCounts = 2;
  constexpr int kMoved = kEvents * 2;
  struct Case {
    const char* border;
    POINT cursor;
    int mouseX, mouseY;
    int windowsX, windowsY;
  };
  const Case cases[] = {
      {"left", {0, height / 2}, -kCounts, 0, kMoved, 0},
      {"right", {width - 1, height / 2}, kCounts, 0, -kMoved, 0},
      {"top", {width / 2, 0}, 0, -kCounts, 0, kMoved},
      {"bottom", {width / 2, height - 1}, 0, kCounts, 0, -kMoved},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.border);
    SetCursorPos(c.cursor.x, c.cursor.y);
    Sleep(300);
    const auto before = Positions({"a", "b"});
    for (int i = 0; i < kEvents; ++i) {
      MoveMouseBy(c.mouseX, c.mouseY);
      Sleep(5);
    }
    EXPECT_TRUE(WaitMovedBy(before, c.windowsX, c.windowsY)) << Describe(before);
    Sleep(300);  // and no further
    EXPECT_TRUE(WaitMovedBy(before, c.windowsX, c.windowsY, 0ms)) << Describe(before);
    // Away from the border nothing scrolls.
    SetCursorPos(width / 2, height / 2);
    Sleep(200);
    const auto away = Positions({"a", "b"});
    for (int i = 0; i < 5; ++i) MoveMouseBy(c.mouseX, c.mouseY);
    Sleep(300);
    EXPECT_TRUE(WaitMovedBy(away, 0, 0, 0ms)) << Describe(away);
  }
}

TEST_F(Scrolling, TheStickyWaitHoldsABriefPushBack) {
  WriteSettings({e2e::Dword("StickyMode", 8)});
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  SetCursorPos(0, 500);
  Sleep(300);
  const auto before = Positions({"a"});
  // Eight edge events start and count the wait down: nothing moves.
  for (int i = 0; i < 8; ++i) {
    MoveMouseBy(-2, 0);
    Sleep(5);
  }
  Sleep(400);
  EXPECT_TRUE(WaitMovedBy(before, 0, 0, 0ms)) << Describe(before);
  // The ninth passes it: from then on every event scrolls, the ninth's own motion included (the
  // step held only the latest motion while the wait counted).
  for (int i = 0; i < 5; ++i) {
    MoveMouseBy(-2, 0);
    Sleep(5);
  }
  EXPECT_TRUE(WaitMovedBy(before, 5 * 2, 0)) << Describe(before);
}

TEST_F(Scrolling, ScrollByMovesExactlyTheScrollingWindows) {
  WriteSettings();
  WindowSpec kept = Plain("kept", 500, 500);
  kept.className = kKeptClass;
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300), Plain("b", 600, 400), kept}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));

  struct Case {
    int dx, dy;
  };
  for (const Case c : {Case{30, -20}, Case{-45, 0}, Case{0, 70}, Case{-2000, -1500}, Case{2015, 1450}}) {
    SCOPED_TRACE(std::to_string(c.dx) + ", " + std::to_string(c.dy));
    const auto scrolling = Positions({"a", "b"});
    const auto standing = Positions({"kept"});
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(ScrollBy(panel, c.dx, c.dy));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms);
    // A positive step moves the windows left and up.
    EXPECT_TRUE(WaitMovedBy(scrolling, -c.dx, -c.dy)) << Describe(scrolling);
    EXPECT_TRUE(WaitMovedBy(standing, 0, 0, 0ms)) << Describe(standing);
  }
}

TEST_F(Scrolling, AStepOnADisabledAxisMovesNothingOnIt) {
  WriteSettings({e2e::Dword("DoYMove", 0)});
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  const auto before = Positions({"a"});
  ASSERT_TRUE(ScrollBy(panel, 25, 40));
  EXPECT_TRUE(WaitMovedBy(before, -25, 0)) << Describe(before);
  // Only vertical: it stays pending, nothing moves.
  const auto after = Positions({"a"});
  ASSERT_TRUE(ScrollBy(panel, 0, 40));
  Sleep(400);
  EXPECT_TRUE(WaitMovedBy(after, 0, 0, 0ms)) << Describe(after);
}

TEST_F(Scrolling, AnExcludedWindowStaysAndScrollsAgainWhenIncluded) {
  WriteSettings();
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300), Plain("c", 600, 400)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  HWND c = windows_.Window("c");
  ASSERT_TRUE(WaitListed(panel, c));

  // Twice: it is listed once, and one include undoes it.
  PostMessageA(panel, msg::WM_EXCLUDE_WINDOW, reinterpret_cast<WPARAM>(c), 0);
  PostMessageA(panel, msg::WM_EXCLUDE_WINDOW, reinterpret_cast<WPARAM>(c), 0);
  // The next scan leaves it out: probe until a step moves "a" but not "c".
  bool left = WaitUntil(
      [&] {
        const auto before = Positions({"a", "c"});
        ScrollBy(panel, 3, 0);
        WaitUntil([&] { return TopLeft(windows_.Window("a")).x != before.at("a").x; }, 500ms);
        return TopLeft(c).x == before.at("c").x;
      },
      3s);
  ASSERT_TRUE(left) << "the excluded window kept scrolling";
  Sleep(300);  // several scans later it is still out
  auto before = Positions({"a", "c"});
  ASSERT_TRUE(ScrollBy(panel, 40, 10));
  EXPECT_TRUE(WaitMovedBy({{"a", before.at("a")}}, -40, -10)) << Describe(before);
  EXPECT_TRUE(WaitMovedBy({{"c", before.at("c")}}, 0, 0, 0ms)) << Describe(before);

  PostMessageA(panel, msg::WM_INCLUDE_WINDOW, reinterpret_cast<WPARAM>(c), 0);
  EXPECT_TRUE(WaitListed(panel, c)) << "the included window does not scroll again";
  before = Positions({"a", "c"});
  ASSERT_TRUE(ScrollBy(panel, -35, 0));
  EXPECT_TRUE(WaitMovedBy(before, 35, 0)) << Describe(before);
}

TEST_F(Scrolling, APauseStopsBorderPushesButNotScrollRequests) {
  WriteSettings();
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  auto push = [] {
    for (int i = 0; i < 10; ++i) {
      MoveMouseBy(-2, 0);
      Sleep(5);
    }
  };

  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(panel, msg::WM_PAUSE_SCROLL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored));
  SetCursorPos(0, 500);
  Sleep(300);
  auto before = Positions({"a"});
  push();
  Sleep(400);
  EXPECT_TRUE(WaitMovedBy(before, 0, 0, 0ms)) << "a paused border push scrolled\n" << Describe(before);
  ASSERT_TRUE(ScrollBy(panel, 20, 0));
  EXPECT_TRUE(WaitMovedBy(before, -20, 0)) << "a scroll request while paused\n" << Describe(before);

  ASSERT_TRUE(SendMessageTimeoutA(panel, msg::WM_RESUME_SCROLL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored));
  before = Positions({"a"});
  push();
  EXPECT_TRUE(WaitMovedBy(before, 20, 0)) << "no border push after the resume\n" << Describe(before);
}

// The tray's Scroll Lock item stops the edge push until it is clicked again.
TEST_F(Scrolling, TheScrollLockItemStopsBorderPushesUntilClickedAgain) {
  WriteSettings();
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  HWND app = e2e::FindApplicationWindow(program_.Id());
  ASSERT_NE(app, nullptr);
  auto push = [] {
    for (int i = 0; i < 10; ++i) {
      MoveMouseBy(-2, 0);
      Sleep(5);
    }
  };

  PostMessageA(app, WM_COMMAND, kTrayScrollLockCommand, 0);
  SetCursorPos(0, 500);
  Sleep(300);
  auto before = Positions({"a"});
  push();
  Sleep(400);
  EXPECT_TRUE(WaitMovedBy(before, 0, 0, 0ms)) << "a border push scrolled under Scroll Lock\n" << Describe(before);

  PostMessageA(app, WM_COMMAND, kTrayScrollLockCommand, 0);
  Sleep(100);
  before = Positions({"a"});
  push();
  EXPECT_TRUE(WaitMovedBy(before, 20, 0)) << "no border push once unchecked\n" << Describe(before);
}

TEST_F(Scrolling, TheHotKeysScrollByAQuarterOfTheWorkArea) {
  WriteSettings({e2e::Dword("KeyMode", 1)});
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300), Plain("b", 600, 400)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  const RECT work = WorkArea();
  const int across = (work.right - work.left) >> 2;  // speed 6
  const int down = (work.bottom - work.top) >> 2;
  struct Case {
    char key;
    int windowsX, windowsY;
  };
  for (const Case c : {Case{'S', -across, 0}, Case{'A', across, 0}, Case{'Z', 0, -down}, Case{'W', 0, down}}) {
    SCOPED_TRACE(std::string("Ctrl+Shift+") + c.key);
    const auto before = Positions({"a", "b"});
    PressCtrlShift(c.key);
    EXPECT_TRUE(WaitMovedBy(before, c.windowsX, c.windowsY)) << Describe(before);
  }
}

TEST_F(Scrolling, AKeyChordTakenByAnotherProgramIsReportedAndNoneOfTheKeysStays) {
  // This process holds Ctrl+Shift+W: the third of the four.
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'W'));
  WriteSettings({e2e::Dword("KeyMode", 1)});
  ASSERT_TRUE(program_.Start());
  HWND message = nullptr;
  const bool shown = WaitUntil(
      [&] { return (message = e2e::FindDialogWithText(program_.Id(), "Keyboard scrolling keys in use by other program!")) != nullptr; },
      10s);
  UnregisterHotKey(nullptr, 1);
  ASSERT_TRUE(shown) << "no message about the taken keys";
  e2e::PressDialogButton(message, IDOK);
  HWND panel = program_.WaitForPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(panel); }, 5s));
  // The two registered before the failure were given back.
  for (char key : {'A', 'S', 'W', 'Z'}) {
    EXPECT_TRUE(RegisterHotKey(nullptr, 10 + key, MOD_CONTROL | MOD_SHIFT, key)) << "Ctrl+Shift+" << key << " still held";
    UnregisterHotKey(nullptr, 10 + key);
  }
  // The option ends unchecked: the next save stores it off.
  PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  ASSERT_TRUE(program_.Process().WaitForExit(15s).has_value());
  EXPECT_EQ(SettingsKey::Dword("KeyMode"), 0);
}

TEST_F(Scrolling, AReleaseReportedInTheMiddleOfAMoveMovesNoWindowTwice) {
  WriteSettings();
  std::vector<WindowSpec> specs;
  std::vector<std::string> ids;
  for (int i = 0; i < 6; ++i) {
    WindowSpec s = Plain("w" + std::to_string(i), 200 + 60 * i, 200 + 40 * i);
    if (i % 2 == 0) s.flags = flag::kReleaseOnMove;
    specs.push_back(s);
    ids.push_back(s.id);
  }
  ASSERT_TRUE(StartWindows(specs));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  // No probe here: a reporting window handles the probe's way back nested inside the probe's own
  // move and ends a step behind, which the next tick makes good; that would blur the check.
  Sleep(500);
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    // Each move releases the reporting windows; the scans of the next few ticks list them again.
    Sleep(400);
    const auto before = Positions(ids);
    ASSERT_TRUE(ScrollBy(panel, 25, 15));
    EXPECT_TRUE(WaitMovedBy(before, -25, -15)) << Describe(before);
    Sleep(200);
    EXPECT_TRUE(WaitMovedBy(before, -25, -15, 0ms)) << Describe(before);
  }
}

TEST_F(Scrolling, AHungWindowHoldsTheOthersUpForNoMoreThanAMoment) {
  WriteSettings();
  WindowSpec hung = Plain("hung", 500, 300);
  hung.flags = flag::kHung;
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300), hung, Plain("b", 700, 500)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    const auto before = Positions({"a", "b"});
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(ScrollBy(panel, 30, 0, 1000)) << "the panel did not answer";
    EXPECT_TRUE(WaitMovedBy(before, -30, 0, 500ms)) << Describe(before);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 700ms);
  }
  // The border push goes on as well.
  SetCursorPos(0, 500);
  Sleep(300);
  const auto before = Positions({"a", "b"});
  for (int i = 0; i < 10; ++i) {
    MoveMouseBy(-2, 0);
    Sleep(5);
  }
  EXPECT_TRUE(WaitMovedBy(before, 20, 0, 1s)) << Describe(before);
  // And the end is not held up by it.
  PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  EXPECT_TRUE(program_.Process().WaitForExit(10s).has_value()) << "the hung window held up the end";
  const RECT work = WorkArea();
  for (const char* id : {"a", "b"}) {
    EXPECT_EQ(TopLeft(windows_.Window(id)).x, work.left) << id;
    EXPECT_EQ(TopLeft(windows_.Window(id)).y, work.top) << id;
  }
}

// How the program is asked to end.
enum class Ending { SecondInstance, TrayExit };

class BringingHome : public Scrolling, public ::testing::WithParamInterface<Ending> {};

TEST_P(BringingHome, EveryWindowComesHomeInsideThePrimaryWorkArea) {
  WriteSettings();
  const RECT work = WorkArea();
  const int workWidth = work.right - work.left;
  const int workHeight = work.bottom - work.top;
  WindowSpec minimized = Plain("minimized", 400, 300);
  minimized.flags = flag::kMinimized;
  WindowSpec kept = Plain("kept", 200, 600);
  kept.className = kKeptClass;
  WindowSpec untitled = Plain("untitled", 900, 700);
  untitled.title = "";
  const std::vector<WindowSpec> specs = {
      Plain("a", 300, 300), Plain("b", 600, 400), Plain("big", 50, 50, workWidth + 400, workHeight + 300),
      Plain("thin", 800, 100, 1, 200), minimized, kept, untitled,
  };
  ASSERT_TRUE(StartWindows(specs));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  // Far off the screen first.
  const auto before = Positions({"a", "b"});
  ASSERT_TRUE(ScrollBy(panel, 3000, 2500));
  ASSERT_TRUE(WaitMovedBy(before, -3000, -2500)) << Describe(before);

  if (GetParam() == Ending::SecondInstance) {
    PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  } else {
    HWND app = e2e::FindApplicationWindow(program_.Id());
    ASSERT_NE(app, nullptr);
    PostMessageA(app, WM_COMMAND, kTrayExitCommand, 0);
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (question = e2e::FindDialogWithText(program_.Id(), "Are you sure you want to exit?")) != nullptr; }, 5s));
    e2e::PressDialogButton(question, IDYES);
  }
  ASSERT_TRUE(program_.Process().WaitForExit(15s).has_value()) << "the program did not end";

  for (const WindowSpec& s : specs) {
    SCOPED_TRACE(s.id);
    HWND w = windows_.Window(s.id);
    EXPECT_FALSE(IsIconic(w));
    EXPECT_TRUE(WaitUntil([&] { return TopLeft(w).x == work.left && TopLeft(w).y == work.top; }, 2s))
        << Text(TopLeft(w));
    const SIZE size = SizeOf(w);
    EXPECT_EQ(size.cx, std::min(s.width, workWidth));
    EXPECT_EQ(size.cy, std::min(s.height, workHeight));
  }
}

INSTANTIATE_TEST_SUITE_P(Endings, BringingHome, ::testing::Values(Ending::SecondInstance, Ending::TrayExit),
                         [](const auto& info) { return info.param == Ending::SecondInstance ? "SecondInstance" : "TrayExit"; });


// Windows asks before it ends a session, and another application may still refuse: only the
// real end brings the windows home, saves the options and ends the program.
TEST_F(Scrolling, ACancelledSessionEndChangesNothingAndTheRealOneBringsEveryWindowHome) {
  WriteSettings();
  ASSERT_TRUE(StartWindows({Plain("a", 300, 300), Plain("b", 600, 400)}));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitListed(panel, windows_.Window("a")));
  const auto probe = reinterpret_cast<WPARAM>(windows_.Window("a"));
  const auto stopTracking = static_cast<LRESULT>(static_cast<intptr_t>(0xFFFFFFFFu));

  EXPECT_EQ(Ask(panel, WM_QUERYENDSESSION), TRUE);
  Ask(panel, WM_ENDSESSION, FALSE);
  EXPECT_NE(Ask(panel, msg::WM_HOOK_GET_SIZE, probe), stopTracking) << "a cancelled end stopped the forced sizes";
  auto before = Positions({"a", "b"});
  ASSERT_TRUE(ScrollBy(panel, 400, 300));
  ASSERT_TRUE(WaitMovedBy(before, -400, -300)) << "a cancelled end stopped scrolling\n" << Describe(before);

  // An option changed since the last save reaches the registry at the real end.
  HWND reverse = e2e::FindControlByCaption(panel, "Button", "Reverse the Scrolling direction.    ");
  ASSERT_NE(reverse, nullptr);
  SendMessageA(reverse, BM_CLICK, 0, 0);
  EXPECT_EQ(Ask(panel, WM_QUERYENDSESSION), TRUE);
  Ask(panel, WM_ENDSESSION, TRUE);
  const RECT work = WorkArea();
  for (const char* id : {"a", "b"}) {
    EXPECT_TRUE(WaitUntil([&] { return TopLeft(windows_.Window(id)).x == work.left && TopLeft(windows_.Window(id)).y == work.top; }, 2s))
        << id << " " << Text(TopLeft(windows_.Window(id)));
  }
  EXPECT_EQ(SettingsKey::Dword("Reverse"), 0);
  // Nothing may carry them off again: the program ends on its own.
  before = Positions({"a", "b"});
  ScrollBy(panel, 500, 0, 200);
  EXPECT_TRUE(program_.Process().WaitForExit(10s).has_value()) << "the program did not end with the session";
  EXPECT_TRUE(WaitMovedBy(before, 0, 0, 0ms)) << Describe(before);
}
}  // namespace
