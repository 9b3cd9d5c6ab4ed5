#pragma once
#include "core/geometry.h"

namespace platform {

// The primary monitor's work area (without the taskbar); the whole primary monitor when Windows
// does not say.
core::Rect PrimaryWorkArea();

}  // namespace platform
