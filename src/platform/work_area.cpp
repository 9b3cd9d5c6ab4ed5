#include "platform/work_area.h"

#include <windows.h>

#include "platform/handles.h"

namespace platform {

core::Rect PrimaryWorkArea() {
  RECT r{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) {
    r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return ToRect(r);
}

}  // namespace platform
