// The kept screen measures against what Windows reports.
#include "platform/screen_metrics.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

void ExpectAsWindowsReports(const platform::ScreenMetrics& m) {
  EXPECT_EQ(m.monitorCount, GetSystemMetrics(SM_CMONITORS));
  EXPECT_EQ(m.virtualScreen.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(m.virtualScreen.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(m.virtualScreen.width(), GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(m.virtualScreen.height(), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_EQ(m.primary.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(m.primary.height, GetSystemMetrics(SM_CYSCREEN));
}

TEST(ScreenMetrics, AreWhatWindowsReportsBeforeAndAfterADisplayChange) {
  platform::ScreenMetricsCache cache;
  ExpectAsWindowsReports(cache.Current());
  ExpectAsWindowsReports(cache.Current());  // kept
  cache.Forget();
  ExpectAsWindowsReports(cache.Current());
}

}  // namespace
