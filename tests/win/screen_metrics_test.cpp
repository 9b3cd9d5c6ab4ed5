// The kept screen measures against what Windows reports.
#include "navigator/win32/screen_metrics.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

void ExpectAsWindowsReports(const navigator::ScreenMetrics& m) {
  EXPECT_EQ(m.monitorCount, GetSystemMetrics(SM_CMONITORS));
  EXPECT_EQ(m.virtualScreen.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(m.virtualScreen.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(m.virtualScreen.width(), GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(m.virtualScreen.height(), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_EQ(m.primary.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(m.primary.height, GetSystemMetrics(SM_CYSCREEN));
}

TEST(ScreenMetrics, AreWhatWindowsReportsBeforeAndAfterADisplayChange) {
  navigator::ForgetScreenMetrics();
  ExpectAsWindowsReports(navigator::CurrentScreenMetrics());
  ExpectAsWindowsReports(navigator::CurrentScreenMetrics());  // kept
  navigator::ForgetScreenMetrics();
  ExpectAsWindowsReports(navigator::CurrentScreenMetrics());
}

}  // namespace
