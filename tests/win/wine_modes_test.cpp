// The test session offers both Windows modes the program adapts to.
#include <windows.h>
#include <lm.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/startup_decisions.h"

namespace {

TEST(WineModes, ReportedVersionMatchesTheSessionMode) {
  const char* mode = std::getenv("TVM_WINE_MODE");
  const std::string expected = mode ? mode : "default";
  SERVER_INFO_101* info = nullptr;
  ASSERT_EQ(NetServerGetInfo(nullptr, 101, reinterpret_cast<LPBYTE*>(&info)), NERR_Success);
  const app::PlatformSwitches switches = app::SwitchesForMajorVersion(info->sv101_version_major);
  NetApiBufferFree(info);
  if (expected == "win10") {
    EXPECT_TRUE(switches.isWin10);
    EXPECT_TRUE(switches.isWin8);
  } else {
    EXPECT_FALSE(switches.isWin10);
    EXPECT_FALSE(switches.isWin8);
  }
}

}  // namespace
