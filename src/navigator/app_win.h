#pragma once
// One window as the scans have met it. Entries outlive a single scan and carry what other parts
// of the program store in them (forced size, saved place, screen shot) from scan to scan.
#include <cstdint>
#include <string>

#include "core/geometry.h"
#include "core/window_handle.h"

namespace navigator {

using core::WindowHandle;
using IconHandle = std::uintptr_t;  // another application's; never destroyed here
using ShotHandle = std::uintptr_t;  // the entry's screen-shot bitmap; owned by the entry

struct tAppWin {
  IconHandle Icon = 0;
  double MatchScore = 0.0;
  core::Rect WindowRect;  // visible frame as the latest scan saw it
  core::Rect PanelRect;   // where the navigator last drew it
  bool PanelDrawn = false;  // PanelRect holds a place the navigator drew it at
  core::Rect SavedRect;
  ShotHandle Shot = 0;
  core::Size ShotSize;  // of the bitmap in Shot
  uint64_t ShotVersion = 0;  // new for every shot taken, unique across entries
  std::string Caption;
  std::string WinClass;
  WindowHandle Wnd = 0;
  core::PackedSize ForcedSize = core::kNoForcedSize;
  bool InMoveSize = false;
  bool IsForeground = false;
  bool HasSavedRect = false;
  bool Placed = false;
  bool Arrangeable = false;
  bool HasShot = false;
  bool WantShot = true;
};

}  // namespace navigator
