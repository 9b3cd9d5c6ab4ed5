#include "navigator/move_ledger.h"

#include <algorithm>

namespace navigator {

std::optional<core::Point> MoveLedger::Advance(WindowHandle window, core::Point seen, int32_t moveX,
                                               int32_t moveY) {
  auto it = chains_.find(window);
  if (it != chains_.end()) {
    Chain& c = it->second;
    // Unless it has taken none of them yet.
    if (seen != c.from) {
      // The earliest match keeps the most moves outstanding when a place repeats.
      const auto hit = std::find(c.sent.begin(), c.sent.end(), seen);
      if (hit == c.sent.end()) {
        chains_.erase(it);  // moved by somebody else: start from where it is
        it = chains_.end();
      } else {
        c.from = *hit;
        c.sent.erase(c.sent.begin(), hit + 1);
        if (c.sent.empty() && c.owedX == 0 && c.owedY == 0) {
          chains_.erase(it);  // caught up
          it = chains_.end();
        }
      }
    }
  }
  if (it == chains_.end()) {
    const core::Point target = MovedTopLeft(seen, moveX, moveY);
    if (target == seen) return std::nullopt;
    chains_.emplace(window, Chain{seen, {target}});
    return target;
  }
  Chain& c = it->second;
  c.owedX += moveX;
  c.owedY += moveY;
  if (c.sent.size() >= kMaxOutstanding) return std::nullopt;
  const core::Point base = c.sent.empty() ? c.from : c.sent.back();
  const core::Point target{core::clampToInt32(int64_t{base.x} - c.owedX),
                           core::clampToInt32(int64_t{base.y} - c.owedY)};
  c.owedX = 0;
  c.owedY = 0;
  // With moves outstanding, a target equal to where it stands now is still a move it has to take.
  if (c.sent.empty() && target == seen) {
    chains_.erase(it);
    return std::nullopt;
  }
  c.sent.push_back(target);
  return target;
}

void MoveLedger::Retain(std::span<const WindowHandle> windows) {
  for (auto it = chains_.begin(); it != chains_.end();) {
    Chain& c = it->second;
    if (std::find(windows.begin(), windows.end(), it->first) != windows.end()) {
      c.absentWalks = 0;
    } else if (++c.absentWalks > kAbsentWalksKept) {
      it = chains_.erase(it);
      continue;
    }
    ++it;
  }
}

std::size_t MoveLedger::Tracked() const {
  return static_cast<std::size_t>(
      std::count_if(chains_.begin(), chains_.end(), [](const auto& c) { return c.second.absentWalks == 0; }));
}

std::size_t MoveLedger::Outstanding(WindowHandle window) const {
  const auto it = chains_.find(window);
  return it == chains_.end() ? 0 : it->second.sent.size();
}

bool MoveLedger::Owes(WindowHandle window) const {
  const auto it = chains_.find(window);
  return it != chains_.end() && (it->second.owedX != 0 || it->second.owedY != 0);
}

bool MoveLedger::Owes() const {
  return std::any_of(chains_.begin(), chains_.end(), [](const auto& c) {
    return c.second.absentWalks == 0 && (c.second.owedX != 0 || c.second.owedY != 0);
  });
}

}  // namespace navigator
