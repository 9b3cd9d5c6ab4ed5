#include "navigator/overview_plan.h"

namespace navigator {

OverviewPlan PlanOverview(const AppWinStore& store, const OverviewFacts& f) {
  OverviewPlan plan;
  std::vector<tAppWin*> list = store.EntriesSnapshot();
  if (list.size() < store.OldEntryCount()) {
    list = store.OldEntriesSnapshot();
    plan.fromOldEntries = true;
  }
  std::vector<core::Rect> rects;
  rects.reserve(list.size());
  for (const tAppWin* e : list) rects.push_back(e->WindowRect);
  plan.extent = OverviewExtent(f.virtualScreen, f.doXMove, f.doYMove, rects, f.panel);
  plan.entries.reserve(list.size());
  for (tAppWin* e : list) plan.entries.push_back({e, ToPanel(plan.extent, f.panel, e->WindowRect)});
  plan.viewport = ViewportOf(plan.extent, f.panel, f.virtualScreen);
  return plan;
}

tAppWin* HitEntry(const std::vector<tAppWin*>& entries, core::Point at) {
  for (tAppWin* e : entries) {
    const core::Rect& r = e->PanelRect;
    if (e->PanelDrawn && r.left <= at.x && at.x <= r.right && r.top <= at.y && at.y <= r.bottom) return e;
  }
  return nullptr;
}

}  // namespace navigator
