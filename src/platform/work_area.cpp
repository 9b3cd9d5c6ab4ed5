#include "platform/work_area.h"

#include <windows.h>

#include "platform/handles.h"

namespace platform {
namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) reinterpret_cast<std::vector<core::Rect>*>(data)->push_back(ToRect(info.rcWork));
  return TRUE;
}

}  // namespace

core::Rect PrimaryWorkArea() {
  RECT r{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) {
    r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return ToRect(r);
}

std::vector<core::Rect> MonitorWorkAreas() {
  std::vector<core::Rect> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty()) areas.push_back(PrimaryWorkArea());
  return areas;
}

}  // namespace platform
