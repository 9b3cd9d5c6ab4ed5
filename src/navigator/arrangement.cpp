#include "navigator/arrangement.h"

#include <algorithm>

#include "navigator/overview_map.h"

namespace navigator {
namespace {

struct Placing {
  WindowHandle window;
  int64_t edge;    // left in a row, top in a column
  int64_t extent;  // width in a row, height in a column
};

}  // namespace

ArrangementPlan PlanArrangement(const ArrangeFacts& facts, std::span<tAppWin* const> entries, tAppWin* active) {
  ArrangementPlan plan;
  if (facts.moveSizeWnd != 0) {
    plan.outcome = ArrangeOutcome::MoveSizeLoop;
    return plan;
  }
  if (facts.dragMoved) {
    plan.outcome = ArrangeOutcome::DragMoved;
    return plan;
  }
  if (entries.size() < 2) {
    plan.outcome = ArrangeOutcome::TooFewEntries;
    return plan;
  }
  if (facts.busy) {
    plan.outcome = ArrangeOutcome::Busy;
    return plan;
  }
  if (active == nullptr) {
    active = entries.front();
    plan.chosenActive = active;
  }
  if (!active->Arrangeable) {
    plan.outcome = ArrangeOutcome::ActiveNotArrangeable;
    return plan;
  }

  const core::Rect a = active->WindowRect;
  const bool row = facts.row;
  std::vector<Placing> before;
  std::vector<Placing> after;
  for (const tAppWin* e : entries) {
    if (e == active || !e->Arrangeable) continue;
    const core::Rect& r = e->WindowRect;
    const Placing p{e->Wnd, row ? r.left : r.top, row ? r.width() : r.height()};
    (p.edge < (row ? a.left : a.top) ? before : after).push_back(p);
  }
  // Nearest to the active window first; equal edges keep the Z order, the higher window nearer.
  std::stable_sort(before.begin(), before.end(), [](const Placing& x, const Placing& y) { return x.edge > y.edge; });
  std::stable_sort(after.begin(), after.end(), [](const Placing& x, const Placing& y) { return x.edge < y.edge; });

  // A row longer than the room on its side is drawn together to fit: each window then overlaps
  // the one before by the same share, in the same order, and a second run places them the same.
  const int64_t margin = row ? facts.screen.width() : facts.screen.height();
  const int64_t lowest = int64_t{core::kMinWindowPosition} + margin;
  const int64_t highest = int64_t{core::kMaxWindowPosition} - margin;
  auto place = [&](WindowHandle w, int64_t edge) {
    const int32_t at = static_cast<int32_t>(edge);
    plan.moves.push_back({w, row ? core::Point{at, a.top} : core::Point{a.left, at}});
  };
  // Where the window whose extents before it (nearest the active window first) add up to `run`
  // goes, on a side with `room` for `needed`.
  auto drawnTogether = [](int64_t run, int64_t room, int64_t needed) {
    return needed <= room ? run : MulDivSaturated(run, room, needed);
  };
  const int64_t activeEdge = row ? a.left : a.top;
  int64_t needed = 0;
  for (const Placing& p : before) needed += p.extent;
  if (const int64_t room = activeEdge - lowest; room > 0) {
    int64_t run = 0;
    for (const Placing& p : before) {
      run += p.extent;
      place(p.window, activeEdge - drawnTogether(run, room, needed));
    }
  }
  const int64_t activeEnd = row ? a.right : a.bottom;
  needed = 0;
  for (const Placing& p : after) needed += p.extent;
  if (const int64_t room = highest - activeEnd; room >= 0 && !after.empty()) {
    // On this side the last window's edge is what must stay in the room.
    const int64_t span = needed - after.back().extent;
    int64_t run = 0;
    for (const Placing& p : after) {
      place(p.window, activeEnd + drawnTogether(run, room, span));
      run += p.extent;
    }
  }
  return plan;
}

}  // namespace navigator
