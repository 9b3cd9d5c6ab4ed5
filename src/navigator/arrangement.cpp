#include "navigator/arrangement.h"

#include <algorithm>

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

  // Lined up past the coordinate range, windows stop at its edge rather than where the platform
  // would clamp them.
  auto place = [&](WindowHandle w, int64_t edge) {
    const int32_t at = core::clampToWindowRange(edge);
    plan.moves.push_back({w, row ? core::Point{at, a.top} : core::Point{a.left, at}});
  };
  int64_t edge = row ? a.left : a.top;
  for (const Placing& p : before) {
    edge -= p.extent;
    place(p.window, edge);
  }
  edge = row ? a.right : a.bottom;
  for (const Placing& p : after) {
    place(p.window, edge);
    edge += p.extent;
  }
  return plan;
}

}  // namespace navigator
