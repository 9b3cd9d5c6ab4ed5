#pragma once
// The screen's measures as Windows last reported them. Under Wine each measure costs a few
// hundred microseconds to ask, and the move tick, the raw mouse input and the scan need them many
// times a second, so they are kept until the display changes (WM_DISPLAYCHANGE reaches every
// top-level window) and for one second at most.
#include "core/geometry.h"

namespace platform {

struct ScreenMetrics {
  int monitorCount = 1;
  core::Rect virtualScreen;  // the bounding rectangle of all monitors
  core::Size primary;        // the primary monitor's full size
};

const ScreenMetrics& CurrentScreenMetrics();

// The display has changed: the next use asks Windows again.
void ForgetScreenMetrics();

}  // namespace platform
