#include "platform/screen_metrics.h"

#include <windows.h>

#include <cstdint>

namespace platform {
namespace {

constexpr ULONGLONG kLongestKeptMs = 1000;

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

const ScreenMetrics& ScreenMetricsCache::Current() {
  if (!valid_ || GetTickCount64() - readAt_ >= kLongestKeptMs) return Fresh();
  return metrics_;
}

const ScreenMetrics& ScreenMetricsCache::Fresh() {
  metrics_ = Read();
  readAt_ = GetTickCount64();
  valid_ = true;
  return metrics_;
}

}  // namespace platform
