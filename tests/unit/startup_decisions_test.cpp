#include "app/startup_decisions.h"

#include <gtest/gtest.h>

namespace {

using app::PlatformSwitches;
using app::StartupRole;

TEST(StartupDecisions, VersionBits) {
  struct Case { uint32_t field; PlatformSwitches expected; };
  const Case cases[] = {
      {0, {false, false}},   {6, {false, false}},   {7, {false, false}},
      {8, {true, false}},    {9, {true, false}},    {10, {true, true}},
      {15, {true, true}},    {0x16, {false, false}},  // 22: low nibble 6
      {0xF8, {true, false}},  // high bits are flags, not version
      {0x1A, {true, true}},  {0xFFFFFFF7u, {false, false}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::SwitchesForMajorVersion(c.field), c.expected) << "field " << c.field;
  }
}

TEST(StartupDecisions, RoleByParametersAndRunningInstance) {
  struct Case { int params; bool running; StartupRole role; };
  const Case cases[] = {
      {0, false, StartupRole::RunningInstance},
      {0, true, StartupRole::ShowMessenger},
      {1, true, StartupRole::ExitMessenger},
      {1, false, StartupRole::ExitMessenger},  // nothing to end: still never becomes an instance
      {3, true, StartupRole::ExitMessenger},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::DecideRole(c.params, c.running), c.role) << c.params << " " << c.running;
  }
}

}  // namespace
