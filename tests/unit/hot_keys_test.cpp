#include "scroller/hot_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using scroller::EngineOptions;
using scroller::EngineState;
using scroller::Step;

TEST(HotKeys, StepIsAFractionOfTheWorkAreaPerSpeed) {
  const core::Size work{1920, 1040};
  const int32_t across[] = {1920, 960, 480, 240, 120, 60};
  const int32_t down[] = {1040, 520, 260, 130, 65, 32};
  EngineOptions o;
  o.ReverseFactor = -1;  // never applies to hot keys
  for (int speed = 4; speed <= 9; ++speed) {
    o.ScrollSpeed = speed;
    const int i = speed - 4;
    EXPECT_EQ(scroller::HotKeyStep(scroller::kHotKeyLeft, work, o), (Step{-across[i], 0})) << speed;
    EXPECT_EQ(scroller::HotKeyStep(scroller::kHotKeyRight, work, o), (Step{across[i], 0})) << speed;
    EXPECT_EQ(scroller::HotKeyStep(scroller::kHotKeyUp, work, o), (Step{0, -down[i]})) << speed;
    EXPECT_EQ(scroller::HotKeyStep(scroller::kHotKeyDown, work, o), (Step{0, down[i]})) << speed;
  }
}

TEST(HotKeys, AssignsTheStepAndIgnoresOtherIds) {
  EngineState s;
  EngineOptions o;  // speed 6
  s.PendingDX = 33;
  s.PendingDY = 44;
  // Auto-repeat assigns the same step again: one step per move tick, not one per repeat.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(scroller::ApplyHotKey(s, o, scroller::kHotKeyDown, {1920, 1080}));
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(s.PendingDY, 270);
  EXPECT_FALSE(scroller::ApplyHotKey(s, o, 25, {1920, 1080}));
  EXPECT_EQ(s.PendingDY, 270);
  // Nonsense work areas and speeds give no wrong-signed or shifted-out steps.
  o.ScrollSpeed = 99;
  EXPECT_EQ(scroller::HotKeyStep(scroller::kHotKeyRight, {-5, 0}, o), (Step{0, 0}));
  EXPECT_EQ(scroller::HotKeyStep(scroller::kHotKeyRight, {1920, 0}, o), (Step{60, 0}));
}

struct FakeRegistrar : scroller::HotKeyRegistrar {
  int failAt = 0;  // id that fails to register, 0 none
  std::vector<std::string> calls;
  bool Register(int id, uint32_t modifiers, uint32_t vk) override {
    calls.push_back("reg " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                    std::to_string(vk));
    return id != failAt;
  }
  void Unregister(int id) override { calls.push_back("unreg " + std::to_string(id)); }
};

TEST(HotKeys, RegistersAllFourInOrder) {
  FakeRegistrar r;
  const scroller::UseKeysOutcome out = scroller::UseKeysClicked(false, true, r);
  EXPECT_TRUE(out.UseKeys);
  EXPECT_FALSE(out.ShowInUseMessage);
  EXPECT_EQ(r.calls, (std::vector<std::string>{"reg 21 6 65", "reg 22 6 83", "reg 23 6 87",
                                               "reg 24 6 90"}));
}

// One key taken by another program: none of the four stays registered, the message is shown and
// the box unchecked.
TEST(HotKeys, RegistrationIsAllOrNone) {
  for (int failAt = 21; failAt <= 24; ++failAt) {
    FakeRegistrar r;
    r.failAt = failAt;
    const scroller::UseKeysOutcome out = scroller::UseKeysClicked(false, true, r);
    EXPECT_FALSE(out.UseKeys);
    EXPECT_TRUE(out.ShowInUseMessage);
    EXPECT_TRUE(out.UncheckBox);
    std::vector<std::string> want;
    for (int id = 21; id <= failAt; ++id) {
      const char* keys[] = {"65", "83", "87", "90"};
      want.push_back("reg " + std::to_string(id) + " 6 " + keys[id - 21]);
    }
    for (int id = 21; id < failAt; ++id) want.push_back("unreg " + std::to_string(id));
    EXPECT_EQ(r.calls, want) << failAt;
  }
  EXPECT_STREQ(scroller::kHotKeysInUseMessage, "Keyboard scrolling keys in use by other program!");
}

TEST(HotKeys, UncheckingReleasesAllAndMatchingStateDoesNothing) {
  FakeRegistrar r;
  EXPECT_FALSE(scroller::UseKeysClicked(true, false, r).UseKeys);
  EXPECT_EQ(r.calls, (std::vector<std::string>{"unreg 21", "unreg 22", "unreg 23", "unreg 24"}));
  r.calls.clear();
  // The box unchecked after a failure runs the handler again: nothing to do.
  const scroller::UseKeysOutcome again = scroller::UseKeysClicked(false, false, r);
  EXPECT_FALSE(again.UseKeys);
  EXPECT_FALSE(again.ShowInUseMessage);
  EXPECT_TRUE(scroller::UseKeysClicked(true, true, r).UseKeys);
  EXPECT_TRUE(r.calls.empty());
}

}  // namespace
