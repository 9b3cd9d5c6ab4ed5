// The desktop stays rigid under load: many windows of another process, scroll requests posted
// faster than the windows take their moves, windows coming and going meanwhile and a window
// whose thread stops for a while; every window ends moved by exactly the sum of the steps.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <map>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "support/test_windows.h"
#include "support/window_lists.h"

namespace {

using namespace std::chrono_literals;
using e2e::Ask;
using e2e::SettingsKey;
using e2e::TestWindows;
using e2e::PostScrollBy;
using e2e::TopLeft;
using e2e::WindowSpec;
using tvmtest::WaitUntil;

class RigidDesktop : public e2e::ScrollingScenario {
 protected:
  void SetUp() override {
    ScrollingScenario::SetUp();
    WriteSettings();
  }

  // `count` windows in a grid right of the middle of the screen, clear of the pointer.
  bool StartGrid(int count) {
    std::vector<WindowSpec> specs;
    for (int i = 0; i < count; ++i) {
      WindowSpec s;
      s.id = "w" + std::to_string(i);
      s.title = "Rigid " + s.id;
      s.x = 500 + (i % 8) * 70;
      s.y = 150 + (i / 8) * 150;
      s.width = 120;
      s.height = 90;
      specs.push_back(s);
    }
    return StartWindows(specs);
  }

  // Windows "a", "b", "c", ... side by side at `xs`, one class unless `classes` says otherwise.
  bool StartRow(const std::vector<int>& xs, const std::vector<std::string>& classes = {}) {
    std::vector<WindowSpec> specs;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      WindowSpec s;
      s.id = std::string(1, static_cast<char>('a' + i));
      s.title = "Row " + s.id;
      if (i < classes.size() && !classes[i].empty()) s.className = classes[i];
      s.x = xs[i];
      s.y = 300 + 40 * static_cast<int>(i);
      s.width = 200;
      s.height = 150;
      specs.push_back(s);
    }
    return StartWindows(specs);
  }

  // Where the tracked windows stand, as offsets from the first: what must not change.
  std::vector<std::pair<LONG, LONG>> Offsets() const {
    const auto now = Positions();
    std::vector<std::pair<LONG, LONG>> out;
    const POINT first = now.begin()->second;
    for (const auto& [id, p] : now) out.emplace_back(p.x - first.x, p.y - first.y);
    return out;
  }

  bool AllInsideTheWindowRange() const {
    for (const auto& [id, p] : Positions()) {
      if (p.x < core::kMinWindowPosition || p.x > core::kMaxWindowPosition || p.y < core::kMinWindowPosition ||
          p.y > core::kMaxWindowPosition) {
        return false;
      }
    }
    return true;
  }

  // Starts the program and waits until it has listed every tracked window; the panel, or null
  // when either did not happen.
  HWND StartListed() {
    HWND panel = StartSettled();
    if (panel && !WaitAllListed(panel)) {
      ADD_FAILURE() << "not every window was listed";
      return nullptr;
    }
    return panel;
  }

  // Waits until a scan has listed every steady window: one-pixel steps until one step has moved
  // them all, then back by as many. Each step is waited for until every window has taken it, not
  // chased with more steps while slow threads (an emulated machine's) are still taking it; a
  // window listed only after some steps stayed put for them and ends that many pixels right.
  bool WaitAllListed(HWND panel) {
    int probes = 0;
    const bool listed = WaitUntil(
        [&] {
          const auto before = Positions();
          PostScrollBy(panel, 1, 0);
          ++probes;
          return WaitMovedBy(before, -1, 0, 2s);
        },
        30s, 1ms);
    const auto last = Positions();
    PostScrollBy(panel, -probes, 0);
    return listed && WaitMovedBy(last, probes, 0, 10s);
  }
};

// Steps posted faster than 40 windows of one program take their moves, while windows of that
// program come and go: every steady window ends moved by exactly the sum of the steps.
TEST_F(RigidDesktop, AFastBurstMovesEveryWindowByTheSumWhileWindowsComeAndGo) {
  ASSERT_TRUE(StartGrid(40));
  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  // Some windows take each move more slowly still.
  for (int i = 0; i < 40; i += 5) ASSERT_TRUE(TestWindows::SetMoveDelay(Tracked("w" + std::to_string(i)), 2));
  const auto before = Positions();
  std::vector<HWND> passing;
  int64_t sumX = 0, sumY = 0;
  for (int i = 0; i < 150; ++i) {
    const int dy = i % 3 == 0 ? -1 : 0;
    PostScrollBy(panel, 3, dy);
    sumX += 3;
    sumY += dy;
    if (i % 15 == 0) {
      HWND made = windows_.Create("w0", RECT{100 + 8 * i, 950, 100 + 8 * i + 100, 1010});
      EXPECT_NE(made, nullptr);
      passing.push_back(made);
    }
    if (i % 15 == 7 && passing.size() > 1) {
      TestWindows::Destroy(passing.front());
      passing.erase(passing.begin());
    }
    Sleep(5);
  }
  EXPECT_TRUE(WaitMovedBy(before, -sumX, -sumY, 10s)) << Describe(before);
  Sleep(300);  // and no further
  EXPECT_TRUE(WaitMovedBy(before, -sumX, -sumY, 0ms)) << Describe(before);
}

// A busy desktop: 40 steady windows of one program (one of them hung for 15 s meanwhile), 90 idle
// windows of another and a third program making and destroying windows, while steps arrive in
// bursts 10 ms apart and back to back. The windows' threads fall far behind the ticks; every
// listed window still ends moved by exactly the sum, the hung one once it answers again.
TEST_F(RigidDesktop, ManyWindowsUnderFastStepsEndMovedByExactlyTheSum) {
  ASSERT_TRUE(StartGrid(40));
  std::vector<WindowSpec> idleSpecs;
  for (int i = 0; i < 90; ++i) {
    WindowSpec s;
    s.id = "idle" + std::to_string(i);
    s.title = "Idle " + std::to_string(i);
    s.x = 20 + (i % 10) * 60;
    s.y = 300 + (i / 10) * 60;
    s.width = 80;
    s.height = 50;
    idleSpecs.push_back(s);
  }
  TestWindows idle;
  ASSERT_TRUE(idle.Start(idleSpecs)) << idle.Error();
  for (const WindowSpec& s : idleSpecs) Track(s.id, idle.Window(s.id));
  WindowSpec churnSpec;
  churnSpec.id = "churn";
  churnSpec.title = "Churn";
  churnSpec.x = 60;
  churnSpec.y = 900;
  churnSpec.width = 100;
  churnSpec.height = 60;
  TestWindows churn;
  ASSERT_TRUE(churn.Start({churnSpec})) << churn.Error();
  HWND sleeper = windows_.Create("w0", RECT{560, 880, 680, 970}, true);
  ASSERT_NE(sleeper, nullptr);
  Track("sleeper", sleeper);

  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  // The steady program is busy between its messages: its thread takes 100 moves a second at
  // most, between two and three for each of its 40 windows, far fewer than the steps they get.
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(TestWindows::SetMoveDelay(Tracked("w" + std::to_string(i)), 10));
  const auto before = Positions();
  TestWindows::SleepThread(sleeper, 15000);
  Sleep(100);

  std::vector<HWND> passing;
  auto stirChurn = [&](int i) {
    if (i % 10 == 0) {
      HWND made = churn.Create("churn", RECT{200 + 5 * (i % 100), 960, 300 + 5 * (i % 100), 1010});
      if (made) passing.push_back(made);
    }
    if (i % 10 == 5 && passing.size() > 2) {
      TestWindows::Destroy(passing.front());
      passing.erase(passing.begin());
    }
  };
  int64_t sum = 0;
  for (int i = 0; i < 150; ++i) {  // 10 ms apart
    PostScrollBy(panel, 3, 0);
    sum += 3;
    stirChurn(i);
    Sleep(10);
  }
  for (int i = 0; i < 150; ++i) {  // back to back
    PostScrollBy(panel, -1, 0);
    sum -= 1;
    stirChurn(i);
  }
  ASSERT_EQ(sum, 300);

  std::map<std::string, POINT> awake = before;
  awake.erase("sleeper");
  // Under load the program itself takes a while to work through the requests; the windows keep
  // up with it, none more than one move behind.
  EXPECT_TRUE(WaitMovedBy(awake, -sum, 0, 30s)) << Describe(awake);
  EXPECT_TRUE(WaitMovedBy(before, -sum, 0, 30s)) << Describe(before);
  Sleep(500);  // and no further
  EXPECT_TRUE(WaitMovedBy(before, -sum, 0, 0ms)) << Describe(before);
}

// A window whose thread stops (a program held in a debugger) while many steps go by: it is owed
// them, and once it answers again it catches up, with no further step.
TEST_F(RigidDesktop, AWindowWhoseThreadStoppedCatchesUpWhenItWakes) {
  ASSERT_TRUE(StartGrid(8));
  HWND sleeper = windows_.Create("w0", RECT{560, 700, 680, 790}, true);
  ASSERT_NE(sleeper, nullptr);
  Track("sleeper", sleeper);
  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  const auto before = Positions();
  TestWindows::SleepThread(sleeper, 7000);
  Sleep(100);
  int64_t sum = 0;
  for (int i = 0; i < 1200; ++i) {
    const int dx = i % 2 == 0 ? 2 : -1;
    PostScrollBy(panel, dx, 0);
    sum += dx;
    if (i % 100 == 99) Sleep(20);
  }
  EXPECT_EQ(TopLeft(sleeper).x, before.at("sleeper").x) << "the window did not sleep through the steps";
  std::map<std::string, POINT> awake = before;
  awake.erase("sleeper");
  // Under load the program itself takes a while to work through the requests.
  EXPECT_TRUE(WaitMovedBy(awake, -sum, 0, 20s)) << Describe(before);
  EXPECT_TRUE(WaitMovedBy(before, -sum, 0, 20s)) << Describe(before);
}

// Steps that would carry a window past the platform's coordinate range are cut for all windows
// alike: the windows stop at the range together and come back together, never stacked at the edge.
TEST_F(RigidDesktop, StepsPastTheCoordinateRangeStopEveryWindowTogether) {
  ASSERT_TRUE(StartRow({100, 150, 200}));
  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  const auto offsets = Offsets();
  const auto before = Positions();
  ASSERT_TRUE(e2e::ScrollBy(panel, 20000, 0));
  ASSERT_TRUE(WaitMovedBy(before, -20000, 0)) << Describe(before);
  ASSERT_TRUE(e2e::ScrollBy(panel, 20000, 0));
  // Cut where the first window meets the range.
  const int64_t cut = int64_t{before.at("a").x} - 20000 - core::kMinWindowPosition;
  EXPECT_TRUE(WaitMovedBy(before, -20000 - cut, 0)) << Describe(before);
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(e2e::ScrollBy(panel, -20000, 0));
  EXPECT_TRUE(WaitMovedBy(before, 20000 - cut, 0)) << Describe(before);
  EXPECT_EQ(Offsets(), offsets);
  EXPECT_TRUE(AllInsideTheWindowRange()) << Describe(before);
}

// The hot keys step a whole work area at speed 4: far more presses than reach the range's edge
// one way and then the other leave the windows one piece, inside the range.
TEST_F(RigidDesktop, HotKeysPastTheCoordinateRangeKeepTheDesktopOnePiece) {
  WriteSettings({e2e::Dword("KeyMode", 1), e2e::Dword("ScrollSpeed", 4)});
  ASSERT_TRUE(StartRow({100, 400, 700}));
  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  const auto offsets = Offsets();
  LONG step = 0;  // what one press moves the windows by
  for (char key : {'S', 'A'}) {
    for (int i = 0; i < 30; ++i) {
      const LONG seen = Positions().at("a").x;
      e2e::PressCtrlShift(key);
      // The next press once this one has moved the windows, or met the range's edge.
      tvmtest::WaitUntil([&] { return Positions().at("a").x != seen; }, 400ms);
      if (step == 0) step = seen - Positions().at("a").x;
    }
    EXPECT_TRUE(tvmtest::WaitUntil([&] { return Offsets() == offsets; }, 3s)) << "after Ctrl+Shift+" << key;
    EXPECT_TRUE(AllInsideTheWindowRange()) << "after Ctrl+Shift+" << key;
    if (key == 'S') EXPECT_EQ(Positions().at("a").x, core::kMinWindowPosition) << "the presses did not reach the edge";
  }
  ASSERT_GT(step, 0);
  EXPECT_EQ(Positions().at("a").x, std::min<int64_t>(core::kMinWindowPosition + 30 * int64_t{step}, core::kMaxWindowPosition - 600));
}

// The hook library's release of a window that still exists (it no longer tracks it) keeps the
// window on the desktop: it moves with every later step and keeps its forced size.
TEST_F(RigidDesktop, AReleasedWindowThatStillExistsKeepsMovingAndKeepsItsSize) {
  WriteSettings({e2e::Dword("RememberNum", 1), e2e::Text("RemC0", "TvmRemembered"),
                 e2e::Dword("RemS0", static_cast<int32_t>(core::packSize(300, 200)))});
  ASSERT_TRUE(StartRow({200, 500, 800}, {"", "TvmRemembered", ""}));
  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  const WPARAM released = reinterpret_cast<WPARAM>(Tracked("b"));
  const LRESULT forced = static_cast<LRESULT>(core::packSize(300, 200));
  ASSERT_TRUE(tvmtest::WaitUntil([&] { return Ask(panel, msg::WM_HOOK_GET_SIZE, released) == forced; }, 3s));
  const auto before = Positions();
  Ask(panel, msg::WM_HOOK_RELEASED, released);
  EXPECT_EQ(Ask(panel, msg::WM_HOOK_GET_SIZE, released), forced) << "the released window's size was forgotten";
  ASSERT_TRUE(e2e::ScrollBy(panel, 100, 0));
  EXPECT_TRUE(WaitMovedBy(before, -100, 0)) << Describe(before);
  ASSERT_TRUE(e2e::ScrollBy(panel, -100, 0));
  EXPECT_TRUE(WaitMovedBy(before, 0, 0)) << Describe(before);
  Sleep(300);
  EXPECT_TRUE(WaitMovedBy(before, 0, 0, 0ms)) << Describe(before);
}

// At the end the windows this run carried away come home even where the end's own collection
// leaves them out: one excluded by another program meanwhile, one hidden by its own (which stays
// hidden until its program shows it again).
TEST_F(RigidDesktop, WindowsCarriedAwayComeHomeAtTheEndAlsoWhenExcludedOrHidden) {
  ASSERT_TRUE(StartRow({150, 650, 950}));
  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  const auto before = Positions();
  ASSERT_TRUE(e2e::ScrollBy(panel, 2000, 0));
  ASSERT_TRUE(WaitMovedBy(before, -2000, 0)) << Describe(before);
  Ask(panel, msg::WM_EXCLUDE_WINDOW, reinterpret_cast<WPARAM>(Tracked("b")));
  ASSERT_TRUE(TestWindows::Show(Tracked("c"), SW_HIDE));
  PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  ASSERT_TRUE(program_.Process().WaitForExit(15s).has_value()) << "the program did not end";
  EXPECT_FALSE(IsWindowVisible(Tracked("c"))) << "the hidden window was shown";
  ASSERT_TRUE(TestWindows::Show(Tracked("c"), SW_SHOWNOACTIVATE));
  const RECT work = e2e::WorkArea();
  for (const char* id : {"a", "b", "c"}) {
    const POINT p = e2e::TopLeft(Tracked(id));
    EXPECT_TRUE(p.x >= work.left && p.x < work.right && p.y >= work.top && p.y < work.bottom)
        << id << " ended at " << p.x << ", " << p.y;
  }
}

// What one window's application does while the desktop scrolls, and where that window ends. Its
// peers, two windows of another program, move by every step; the window "b" has a thread of its
// own, so that it alone can be made busy.
struct Misbehaviour {
  const char* name;
  int bx = 400;                           // where "b" starts
  std::vector<int> peerXs = {100, 700};   // where "a" and "c" start
  int step = 100;                         // posted `steps` times, each once the peers have moved
  int steps = 6;
  std::function<void(HWND b)> setUp;                 // once every window is listed
  std::function<void(HWND b, int i)> beforeStep;     // before step i
  int64_t bMovedBy = 0;                   // where "b" ends, from where it started
  bool comesBack = false;                 // then one step back by the sum: everybody at its start
  // The step before which "b" was restored from minimized: it follows every step from there on,
  // and ends at bMovedBy, or short of it by the steps owed before (a move its application took
  // while minimizing itself and then forgot when restored: the application's own doing).
  int restoredBefore = -1;
};

void PrintTo(const Misbehaviour& m, std::ostream* os) { *os << m.name; }

class MisbehavingWindow : public RigidDesktop, public ::testing::WithParamInterface<Misbehaviour> {};

TEST_P(MisbehavingWindow, EndsWhereTheStepsAndItsApplicationPutIt) {
  const Misbehaviour& m = GetParam();
  std::vector<WindowSpec> specs;
  for (std::size_t i = 0; i < m.peerXs.size(); ++i) {
    WindowSpec s;
    s.id = i == 0 ? "a" : "c";
    s.title = "Peer " + s.id;
    s.x = m.peerXs[i];
    s.y = 200 + 250 * static_cast<int>(i);
    s.width = 200;
    s.height = 150;
    specs.push_back(s);
  }
  ASSERT_TRUE(StartWindows(specs));
  HWND b = windows_.Create("a", RECT{m.bx, 420, m.bx + 200, 570}, true);
  ASSERT_NE(b, nullptr);
  Track("b", b);
  HWND panel = StartListed();
  ASSERT_NE(panel, nullptr);
  if (m.setUp) m.setUp(b);
  const auto before = Positions();
  auto peers = before;
  peers.erase("b");
  int64_t restoredAt = 0;
  for (int i = 0; i < m.steps; ++i) {
    if (m.beforeStep) m.beforeStep(b, i);
    if (i == m.restoredBefore) restoredAt = TopLeft(b).x;
    ASSERT_TRUE(e2e::ScrollBy(panel, m.step, 0));
    ASSERT_TRUE(WaitMovedBy(peers, -int64_t{m.step} * (i + 1), 0, 5s)) << "step " << i << "\n" << Describe(before);
  }
  const int64_t want = before.at("b").x + m.bMovedBy;
  const int64_t fromRestore = restoredAt - int64_t{m.step} * (m.steps - m.restoredBefore);
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(b).x == want || (m.restoredBefore >= 0 && TopLeft(b).x == fromRestore); },
                        8s))
      << "b should end at " << want << (m.restoredBefore >= 0 ? " or " + std::to_string(fromRestore) : "") << "\n"
      << Describe(before);
  if (m.comesBack) {
    ASSERT_TRUE(e2e::ScrollBy(panel, -m.step * m.steps, 0));
    EXPECT_TRUE(WaitMovedBy(before, 0, 0, 5s)) << "back by the sum\n" << Describe(before);
  }
}

const Misbehaviour kMisbehaviours[] = {
    {.name = "RefusesOneMove",
     .setUp = [](HWND b) { ASSERT_TRUE(TestWindows::SetMoveAnswer(b, tvmtw::kRefusesOneMove)); },
     .bMovedBy = -500},
    {.name = "HeldInPlaceWhileThePeersComeFromFarRight",
     .bx = 300,
     .peerXs = {20000, 20400},
     .step = 5000,
     .steps = 8,
     .setUp = [](HWND b) { ASSERT_TRUE(TestWindows::SetMoveAnswer(b, tvmtw::kHoldsAtX, 300)); },
     .bMovedBy = 0},
    {.name = "ParkedTwelvePixelsInsideTheRange",
     .bx = -32500,
     .step = 500,
     .steps = 3,
     .bMovedBy = core::kMinWindowPosition + 32500,
     .comesBack = true},
    {.name = "ParkedBeyondTheRangeByItsApplication",
     .step = 500,
     .steps = 3,
     .setUp =
         [](HWND b) {
           ASSERT_TRUE(TestWindows::MoveItself(b, -32700 - 400, 0));
           ASSERT_TRUE(WaitUntil([&] { return TopLeft(b).x == -32700; }, 3s)) << "it is at " << TopLeft(b).x;
           Sleep(200);  // a scan has seen it there
         },
     .bMovedBy = 0,
     .comesBack = true},
    {.name = "HeldFarOutByItsApplication",
     .bx = -32000,
     .step = 500,
     .steps = 3,
     .setUp = [](HWND b) { ASSERT_TRUE(TestWindows::SetMoveAnswer(b, tvmtw::kHoldsAtX, -32000)); },
     .bMovedBy = 0,
     .comesBack = true},
    {.name = "BusyThroughFiveSteps",
     .steps = 5,
     .beforeStep =
         [](HWND b, int i) {
           if (i == 0) TestWindows::SleepThread(b, 2000);
         },
     .bMovedBy = -500},
    {.name = "MovesItselfOnWakingBeforeTakingOurMoves",
     .steps = 5,
     .beforeStep =
         [](HWND b, int i) {
           if (i == 0) TestWindows::SleepThread(b, 2000, tvmtw::kThenMoveItselfLeft10);
         },
     .bMovedBy = -510},
    {.name = "MovesItselfBetweenSteps",
     .steps = 5,
     .beforeStep =
         [](HWND b, int i) {
           if (i != 2) return;
           const LONG start = TopLeft(b).x;
           // Once it has taken the steps so far.
           ASSERT_TRUE(WaitUntil([&] { return TopLeft(b).x == 400 - 200; }, 3s)) << "from " << start;
           ASSERT_TRUE(TestWindows::MoveItself(b, -10, 0));
         },
     .bMovedBy = -510},
    {.name = "MinimizesItselfWhileBusyAndIsRestored",
     .steps = 5,
     .beforeStep =
         [](HWND b, int i) {
           if (i == 0) TestWindows::SleepThread(b, 1500, tvmtw::kThenMinimize);
           if (i != 3) return;
           ASSERT_TRUE(WaitUntil([&] { return IsIconic(b) != FALSE; }, 5s)) << "it did not minimize itself";
           Sleep(300);
           ASSERT_TRUE(TestWindows::Show(b, SW_SHOWNOACTIVATE));
           Sleep(500);  // the scans list it again
         },
     .bMovedBy = -500,
     .restoredBefore = 3},
};

INSTANTIATE_TEST_SUITE_P(Behaviours, MisbehavingWindow, ::testing::ValuesIn(kMisbehaviours),
                         [](const ::testing::TestParamInfo<Misbehaviour>& info) { return std::string(info.param.name); });

}  // namespace
