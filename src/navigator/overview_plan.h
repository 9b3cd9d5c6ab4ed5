#pragma once
// What one painting of the overview draws and where, decided before anything is drawn: the list
// of entries (the previous scan's while the current one holds fewer), the extent, each entry's
// place in the navigator and the viewport. Also the hit test of a press on a drawn window.
#include <vector>

#include "core/geometry.h"
#include "navigator/app_win.h"
#include "navigator/app_win_store.h"
#include "navigator/overview_map.h"

namespace navigator {

struct PlannedEntry {
  tAppWin* entry = nullptr;
  core::Rect panelRect;  // x1, y1, x2, y2
};

struct OverviewPlan {
  // Top of the Z order first; the painting draws them from the last, so the first lands on top.
  std::vector<PlannedEntry> entries;
  bool fromOldEntries = false;  // the painting asks for an early repaint
  core::Rect extent;
  Viewport viewport;
};

struct OverviewFacts {
  core::Rect virtualScreen;
  int32_t doXMove = 0;
  int32_t doYMove = 0;
  core::Size panel;
};

OverviewPlan PlanOverview(const AppWinStore& store, const OverviewFacts& facts);

// The first entry, top of the Z order first, drawn at a place that contains `at` (edges
// included). Entries never drawn are never hit.
tAppWin* HitEntry(const std::vector<tAppWin*>& entries, core::Point at);

}  // namespace navigator
