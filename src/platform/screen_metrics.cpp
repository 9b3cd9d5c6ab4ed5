#include "platform/screen_metrics.h"

#include <windows.h>

#include <cstdint>

namespace platform {
namespace {

constexpr ULONGLONG kLongestKeptMs = 1000;

ScreenMetrics g_metrics;
ULONGLONG g_readAt = 0;
bool g_valid = false;

ScreenMetrics Read() {
  ScreenMetrics m;
  m.monitorCount = GetSystemMetrics(SM_CMONITORS);
  const int64_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int64_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  m.virtualScreen = {core::clampToInt32(left), core::clampToInt32(top),
                     core::clampToInt32(left + GetSystemMetrics(SM_CXVIRTUALSCREEN)),
                     core::clampToInt32(top + GetSystemMetrics(SM_CYVIRTUALSCREEN))};
  m.primary = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return m;
}

}  // namespace

const ScreenMetrics& CurrentScreenMetrics() {
  const ULONGLONG now = GetTickCount64();
  if (!g_valid || now - g_readAt >= kLongestKeptMs) {
    g_metrics = Read();
    g_readAt = now;
    g_valid = true;
  }
  return g_metrics;
}

void ForgetScreenMetrics() { g_valid = false; }

}  // namespace platform
