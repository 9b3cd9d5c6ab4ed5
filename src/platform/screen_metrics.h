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

// One per program, in the desktop model.
class ScreenMetricsCache {
 public:
  const ScreenMetrics& Current();
  // Asked of Windows now (and kept): for the uses that must see the screen as it is, such as a
  // dialog's or a panel's size and place, where a second-old measure will not do.
  const ScreenMetrics& Fresh();
  // The display has changed: the next use asks Windows again.
  void Forget() { valid_ = false; }

 private:
  ScreenMetrics metrics_;
  unsigned long long readAt_ = 0;
  bool valid_ = false;
};

}  // namespace platform
