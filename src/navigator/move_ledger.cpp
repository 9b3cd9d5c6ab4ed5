#include "navigator/move_ledger.h"

#include <algorithm>

namespace navigator {

core::Point MoveLedger::Meant(WindowHandle window, core::Point seen) const {
  const auto it = flights_.find(window);
  if (it == flights_.end()) return seen;
  const Flight& f = it->second;
  if (seen != f.to && seen != f.from) return seen;  // somebody else moved it
  return {core::clampToInt32(int64_t{f.to.x} - f.owedX), core::clampToInt32(int64_t{f.to.y} - f.owedY)};
}

std::optional<core::Point> MoveLedger::Advance(WindowHandle window, core::Point seen, int32_t moveX,
                                               int32_t moveY) {
  int64_t owedX = moveX;
  int64_t owedY = moveY;
  core::Point base = seen;
  auto it = flights_.find(window);
  if (it != flights_.end()) {
    Flight& f = it->second;
    if (seen == f.to) {
      // Arrived: what it was owed goes with this step.
      owedX += f.owedX;
      owedY += f.owedY;
    } else if (seen == f.from) {
      f.owedX += moveX;
      f.owedY += moveY;
      return std::nullopt;
    }
    // Elsewhere, somebody else moved it: it steps on from there, owing nothing more.
    flights_.erase(it);
  }
  const core::Point target{core::clampToInt32(int64_t{base.x} - owedX), core::clampToInt32(int64_t{base.y} - owedY)};
  if (target == seen) return std::nullopt;
  flights_[window] = Flight{seen, target};
  return target;
}

void MoveLedger::Retain(std::span<const WindowHandle> windows) {
  for (auto it = flights_.begin(); it != flights_.end();) {
    Flight& f = it->second;
    if (std::find(windows.begin(), windows.end(), it->first) != windows.end()) {
      f.absentWalks = 0;
    } else if (++f.absentWalks > kAbsentWalksKept) {
      it = flights_.erase(it);
      continue;
    }
    ++it;
  }
}

std::size_t MoveLedger::Tracked() const {
  return static_cast<std::size_t>(
      std::count_if(flights_.begin(), flights_.end(), [](const auto& f) { return f.second.absentWalks == 0; }));
}

bool MoveLedger::OnItsWay(WindowHandle window) const { return flights_.count(window) != 0; }

bool MoveLedger::Owes(WindowHandle window) const {
  const auto it = flights_.find(window);
  return it != flights_.end() && (it->second.owedX != 0 || it->second.owedY != 0);
}

bool MoveLedger::Owes() const {
  return std::any_of(flights_.begin(), flights_.end(), [](const auto& f) {
    return f.second.absentWalks == 0 && (f.second.owedX != 0 || f.second.owedY != 0);
  });
}

}  // namespace navigator
