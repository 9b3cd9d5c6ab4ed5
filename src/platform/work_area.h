#pragma once
#include <vector>

#include "core/geometry.h"

namespace platform {

// The primary monitor's work area (without the taskbar); the whole primary monitor when Windows
// does not say.
core::Rect PrimaryWorkArea();

// Every monitor's work area; the primary one alone when the monitors cannot be listed.
std::vector<core::Rect> MonitorWorkAreas();

}  // namespace platform
