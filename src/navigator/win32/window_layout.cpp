#include "navigator/win32/window_layout.h"

#include "navigator/win32/navigator_form.h"
#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"
#include "toolkit/application.h"

namespace navigator {
namespace {

// Busy for the length of a run, and as before however the run ends.
class BusyWhileArranging {
 public:
  explicit BusyWhileArranging(TNavigator& nav) : nav_(nav), was_(nav.Busy) { nav_.Busy = true; }
  ~BusyWhileArranging() { nav_.Busy = was_; }
  BusyWhileArranging(const BusyWhileArranging&) = delete;
  BusyWhileArranging& operator=(const BusyWhileArranging&) = delete;

 private:
  TNavigator& nav_;
  bool was_;
};

}  // namespace

void ApplyArrangeMoves(std::span<const ArrangeMove> moves) {
  for (const ArrangeMove& m : moves) {
    SetWindowPosVisibleNoWait(platform::ToHwnd(m.window), m.visibleTopLeft);
  }
}

void ApplyPlacements(std::span<const PlannedPlacement> moves) {
  for (const PlannedPlacement& m : moves) {
    MoveWindowVisibleNoWait(platform::ToHwnd(m.window), m.bounds);
  }
}

void TNavigator::ArrangeWindows(bool row, HWND moveSizeWnd) {
  const ArrangeFacts facts{.row = row,
                           .screen = model_.Screen().Fresh().virtualScreen,
                           .moveSizeWnd = ToHandle(moveSizeWnd),
                           .dragMoved = DragMoved(),
                           .busy = Suspended()};
  const std::vector<tAppWin*> entries = Store().EntriesSnapshot();
  const ArrangementPlan plan = PlanArrangement(facts, entries, Store().ActiveEntry());
  if (plan.chosenActive) Store().SetActiveEntry(plan.chosenActive);
  if (plan.outcome != ArrangeOutcome::Arranged) return;
  // From here on only the plan's handles are used: the entries may go while windows move.
  BusyWhileArranging busy(*this);
  ApplyArrangeMoves(plan.moves);
  std::vector<Placement> placed;
  placed.reserve(plan.moves.size());
  for (const ArrangeMove& m : plan.moves) placed.push_back({m.window, m.visibleTopLeft});
  Host().WindowsPlaced(placed);
}

}  // namespace navigator
