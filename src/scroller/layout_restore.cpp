#include "scroller/layout_restore.h"

namespace scroller {

RestorePlan PlanLayoutRestore(std::span<navigator::tAppWin* const> entries, const StoredLayout& stored,
                              const RestoreFacts& facts) {
  RestorePlan plan;
  // The second pass's scratch list of the windows still free: the restore's own.
  std::vector<navigator::tAppWin*> candidates;
  const bool fixedRoom = facts.limits.FixesScrollRoom();
  navigator::ScrollRoom room = facts.room;
  {
    navigator::LayoutPlacer placer(entries, candidates);
    placer.PlaceSavedRects();
    if (stored.present) {
      for (const navigator::SavedPlace& record : stored.records) placer.PlaceSavedWindow(record);
      if (stored.recordsComplete) {
        for (const navigator::SavedPlace& record : stored.records) placer.PlaceSavedWindowFuzzy(record);
      }
      // A damaged origin leaves the room as it was rather than half restored.
      if (stored.recordsComplete && fixedRoom && stored.originComplete) {
        room.ScrollMinX = stored.winxmin.value_or(room.ScrollMinX);
        room.ScrollMinY = stored.winymin.value_or(room.ScrollMinY);
        room.ScrollMaxX = core::clampToInt32(int64_t{room.ScrollMinX} + facts.limits.LimitX);
        room.ScrollMaxY = core::clampToInt32(int64_t{room.ScrollMinY} + facts.limits.LimitY);
        plan.room = room;
      }
    }
    plan.moves = placer.TakeMoves();
  }
  const core::Rect desktop = navigator::RestoreDesktop(facts.area, fixedRoom, room.ScrollMinX, room.ScrollMaxX,
                                                       room.ScrollMinY, room.ScrollMaxY);
  for (navigator::PlannedPlacement& m : plan.moves) m.bounds = navigator::KeepOnDesktop(m.bounds, desktop);
  if (stored.error) plan.error = DescribeLayoutError(*stored.error);
  return plan;
}

std::vector<navigator::SavedPlace> RecordsOf(std::span<navigator::tAppWin* const> entries) {
  std::vector<navigator::SavedPlace> out;
  out.reserve(entries.size());
  for (const navigator::tAppWin* e : entries) {
    const core::Rect& r = e->WindowRect;
    out.push_back({e->Caption, e->WinClass, core::BoundsOf(r)});
  }
  return out;
}

void TakeSavedRects(std::span<navigator::tAppWin* const> entries, std::size_t count) {
  for (std::size_t i = 0; i < count && i < entries.size(); ++i) {
    entries[i]->SavedRect = entries[i]->WindowRect;
    entries[i]->HasSavedRect = true;
  }
}

}  // namespace scroller
