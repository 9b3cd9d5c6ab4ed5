// The desktop stays rigid under load: many windows of another process, scroll requests posted
// faster than the windows take their moves, windows coming and going meanwhile and a window
// whose thread stops for a while; every window ends moved by exactly the sum of the steps.
#include <windows.h>

#include <gtest/gtest.h>

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

  // Waits until a scan has listed every steady window: one-pixel steps until all have followed,
  // then back by as many.
  bool WaitAllListed(HWND panel) {
    const auto start = Positions();
    int probes = 0;
    const bool listed = WaitUntil(
        [&] {
          PostScrollBy(panel, 1, 0);
          ++probes;
          return WaitUntil(
              [&] {
                const auto now = Positions();
                for (const auto& [id, p] : start) {
                  if (now.at(id).x != p.x - probes) return false;
                }
                return true;
              },
              300ms);
        },
        8s, 1ms);
    PostScrollBy(panel, -probes, 0);
    return listed && WaitMovedBy(start, 0, 0, 3s);
  }
};

// Steps posted faster than 40 windows of one program take their moves, while windows of that
// program come and go: every steady window ends moved by exactly the sum of the steps.
TEST_F(RigidDesktop, AFastBurstMovesEveryWindowByTheSumWhileWindowsComeAndGo) {
  ASSERT_TRUE(StartGrid(40));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitAllListed(panel)) << "not every window was listed";
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

// A window whose thread stops (a program held in a debugger) while far more steps than it may
// have posted go by: once it answers again it catches up, with no further step.
TEST_F(RigidDesktop, AWindowWhoseThreadStoppedCatchesUpWhenItWakes) {
  ASSERT_TRUE(StartGrid(8));
  HWND sleeper = windows_.Create("w0", RECT{560, 700, 680, 790}, true);
  ASSERT_NE(sleeper, nullptr);
  Track("sleeper", sleeper);
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(WaitAllListed(panel)) << "not every window was listed";
  const auto before = Positions();
  TestWindows::SleepThread(sleeper, 2500);
  Sleep(100);
  int64_t sum = 0;
  for (int i = 0; i < 1200; ++i) {
    const int dx = i % 2 == 0 ? 2 : -1;
    PostScrollBy(panel, dx, 0);
    sum += dx;
    if (i % 100 == 99) Sleep(20);
  }
  std::map<std::string, POINT> awake = before;
  awake.erase("sleeper");
  EXPECT_TRUE(WaitMovedBy(awake, -sum, 0, 5s)) << Describe(before);
  EXPECT_NE(TopLeft(sleeper).x, before.at("sleeper").x - sum) << "the window did not sleep through the steps";
  EXPECT_TRUE(WaitMovedBy(before, -sum, 0, 8s)) << Describe(before);
}

}  // namespace
