#include "navigator/move_ledger.h"

#include <algorithm>

namespace navigator {
namespace {

// The part of what an axis is owed that the range lets the window take from `seen`; what is left
// stays owed. A window already outside the range is carried no further out.
int32_t TakeAxis(int32_t seen, int64_t& owed) {
  const int64_t wanted = int64_t{seen} - owed;
  const int64_t lo = std::min<int64_t>(seen, core::kMinWindowPosition);
  const int64_t hi = std::max<int64_t>(seen, core::kMaxWindowPosition);
  const int64_t to = std::clamp(wanted, lo, hi);
  owed -= int64_t{seen} - to;
  return static_cast<int32_t>(to);
}

}  // namespace

bool MoveLedger::Overdue(const Account& a, uint32_t nowMs) {
  // Unsigned difference: the tick count wraps after 49 days.
  return a.asked && nowMs - a.askedAt >= kAnswerPatienceMs;
}

Parking MoveLedger::ParkedAt(core::Point p, const core::Rect& screen) {
  return {p.x < int64_t{screen.left} - kParkedDistance || p.x > int64_t{screen.right} + kParkedDistance,
          p.y < int64_t{screen.top} - kParkedDistance || p.y > int64_t{screen.bottom} + kParkedDistance};
}

Ticket MoveLedger::Ask(Account& a, uint32_t nowMs) {
  a.asked = true;
  a.askedAt = nowMs;
  a.ticket = nextTicket_++;
  if (nextTicket_ == 0) nextTicket_ = 1;  // 0 is no ticket
  return a.ticket;
}

std::optional<Ticket> MoveLedger::Owe(WindowHandle window, core::Point seen, int64_t stepX, int64_t stepY,
                                      const core::Rect& screen, uint32_t nowMs) {
  const auto [it, fresh] = accounts_.try_emplace(window);
  Account& a = it->second;
  if (fresh) {
    a.left = seen;
    a.parked = ParkedAt(seen, screen);
  }
  a.owedX += stepX;
  a.owedY += stepY;
  if (a.asked || a.answered || (a.owedX == 0 && a.owedY == 0)) return std::nullopt;
  return Ask(a, nowMs);
}

void MoveLedger::Placed(WindowHandle window, core::Point placed) {
  Account& a = accounts_[window];
  a.owedX = 0;
  a.owedY = 0;
  a.left = placed;
  a.moveOnItsWay = true;
  a.answered = false;
  // A question on its way went before this move: its answer does not tell that it arrived.
  if (a.asked) a.askAgain = true;
}

AnswerFollowUp MoveLedger::Answered(WindowHandle window, Ticket ticket, uint32_t nowMs) {
  const auto it = accounts_.find(window);
  if (it == accounts_.end() || !it->second.asked || it->second.ticket != ticket) return {};
  Account& a = it->second;
  a.asked = false;
  if (a.askAgain) {
    a.askAgain = false;
    return {.askAgain = Ask(a, nowMs)};
  }
  a.moveOnItsWay = false;
  if (a.owedX == 0 && a.owedY == 0) return {};
  a.answered = true;
  return {.moveNow = true};
}

std::vector<WindowHandle> MoveLedger::Due() const {
  std::vector<WindowHandle> due;
  for (const auto& [window, a] : accounts_) {
    if (a.answered) due.push_back(window);
  }
  return due;
}

bool MoveLedger::HasDue() const {
  return std::any_of(accounts_.begin(), accounts_.end(), [](const auto& e) { return e.second.answered; });
}

std::optional<core::Point> MoveLedger::Take(WindowHandle window, core::Point seen, const core::Rect& screen) {
  const auto it = accounts_.find(window);
  if (it == accounts_.end() || !it->second.answered) return std::nullopt;
  Account& a = it->second;
  a.answered = false;
  if (seen != a.left) a.parked = ParkedAt(seen, screen);
  const core::Point to{TakeAxis(seen.x, a.owedX), TakeAxis(seen.y, a.owedY)};
  a.left = to;
  if (to == seen) return std::nullopt;
  // The next step's question tells when it has arrived.
  a.moveOnItsWay = true;
  return to;
}

void MoveLedger::Hold(WindowHandle window) {
  const auto it = accounts_.find(window);
  if (it != accounts_.end()) it->second.answered = false;
}

MoveLedger::Meant MoveLedger::MeantFor(WindowHandle window, core::Point seen) const {
  const auto it = accounts_.find(window);
  if (it == accounts_.end()) return {seen.x, seen.y};
  const Account& a = it->second;
  const core::Point base = a.moveOnItsWay ? a.left : seen;
  return {int64_t{base.x} - a.owedX, int64_t{base.y} - a.owedY};
}

Parking MoveLedger::ParkingOf(WindowHandle window, core::Point seen, const core::Rect& screen) const {
  const auto it = accounts_.find(window);
  if (it == accounts_.end()) return ParkedAt(seen, screen);
  const Account& a = it->second;
  // Seen elsewhere than where it was left, with nothing of ours on its way: somebody else has
  // placed it there.
  if (!a.moveOnItsWay && seen != a.left) return ParkedAt(seen, screen);
  return a.parked;
}

std::vector<WindowHandle> MoveLedger::Unanswered(uint32_t nowMs) const {
  std::vector<WindowHandle> waiting;
  for (const auto& [window, a] : accounts_) {
    if (Overdue(a, nowMs)) waiting.push_back(window);
  }
  return waiting;
}

bool MoveLedger::AnyUnanswered(uint32_t nowMs) const {
  return std::any_of(accounts_.begin(), accounts_.end(),
                     [nowMs](const auto& e) { return Overdue(e.second, nowMs); });
}

void MoveLedger::KeepWaiting(WindowHandle window, uint32_t nowMs) {
  const auto it = accounts_.find(window);
  if (it != accounts_.end()) it->second.askedAt = nowMs;
}

Ticket MoveLedger::AskAgain(WindowHandle window, uint32_t nowMs) {
  const auto it = accounts_.find(window);
  if (it == accounts_.end()) return 0;
  return Ask(it->second, nowMs);
}

void MoveLedger::Retain(std::span<const WindowHandle> windows) {
  std::vector<WindowHandle> listed(windows.begin(), windows.end());
  std::sort(listed.begin(), listed.end());
  for (auto it = accounts_.begin(); it != accounts_.end();) {
    Account& a = it->second;
    if (std::binary_search(listed.begin(), listed.end(), it->first)) {
      a.absentWalks = 0;
    } else if (++a.absentWalks > kAbsentWalksKept && !a.asked) {
      it = accounts_.erase(it);
      continue;
    }
    ++it;
  }
}

void MoveLedger::Forget(WindowHandle window) { accounts_.erase(window); }

bool MoveLedger::Asked(WindowHandle window) const {
  const auto it = accounts_.find(window);
  return it != accounts_.end() && it->second.asked;
}

bool MoveLedger::Owes(WindowHandle window) const {
  const auto it = accounts_.find(window);
  return it != accounts_.end() && (it->second.owedX != 0 || it->second.owedY != 0);
}

}  // namespace navigator
