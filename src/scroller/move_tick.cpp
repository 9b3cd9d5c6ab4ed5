#include "scroller/move_tick.h"

#include <algorithm>

namespace scroller {
namespace {

bool GatePasses(const EngineState& s, const EngineOptions& o) {
  return (XAxisOf(o) == 1 && s.PendingDX != 0) || (YAxisOf(o) == 1 && s.PendingDY != 0);
}

// One window of a walk as read before anything is asked of it.
struct Sighting {
  WindowHandle window;
  core::Point seen;
};

// The listed windows whose place can be read, bottom of the Z order first.
std::vector<Sighting> ReadWalk(const ScrollLists& lists, MoveEnvironment& env) {
  std::vector<Sighting> walk;
  walk.reserve(lists.Handles.size());
  for (auto it = lists.Handles.rbegin(); it != lists.Handles.rend(); ++it) {
    if (const std::optional<core::Point> seen = env.VisibleTopLeft(*it)) walk.push_back({*it, *seen});
  }
  return walk;
}

// The step cut at the coordinate range for the windows of `walk`, where they are meant to stand.
core::Point CutForWalk(const std::vector<Sighting>& walk, const MoveLedger& ledger, const core::Rect& screen,
                       int32_t moveX, int32_t moveY) {
  if (moveX == 0 && moveY == 0) return {};
  std::vector<WindowReach> reach;
  reach.reserve(walk.size());
  for (const Sighting& w : walk) {
    const MoveLedger::Meant m = ledger.MeantFor(w.window, w.seen);
    reach.push_back({m.x, m.y, ledger.ParkingOf(w.window, w.seen, screen)});
  }
  return CutToWindowRange(reach, moveX, moveY);
}

void Ask(WindowHandle window, Ticket ticket, MoveEnvironment& env, MoveLedger& ledger) {
  if (!env.Ask(window, ticket)) ledger.Forget(window);
}

// Owes every window of the walk the step and asks those with no question on their way. A window
// released by a nested message meanwhile is left out.
void OweWalk(const std::vector<Sighting>& walk, const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger,
             core::Point move, const core::Rect& screen, uint32_t now) {
  for (const Sighting& w : walk) {
    if (!lists.Contains(w.window)) continue;
    if (const std::optional<Ticket> t = ledger.Owe(w.window, w.seen, move.x, move.y, screen, now)) {
      Ask(w.window, *t, env, ledger);
    }
  }
  ledger.Retain(lists.Handles);
}

// Sends a window that has answered what it is owed, from where it stands now; true when a move
// went. One no longer listed (excluded, released, in a move or size loop), hidden or minimized is
// not moved: what it is owed waits while it may be listed again.
bool SendOne(WindowHandle w, const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger,
             const core::Rect& screen) {
  const std::optional<core::Point> seen = lists.Contains(w) ? env.VisibleTopLeft(w) : std::nullopt;
  if (!seen) {
    ledger.Hold(w);
    return false;
  }
  const std::optional<core::Point> to = ledger.Take(w, *seen, screen);
  if (!to) return false;
  env.MoveVisibleTo(w, *to);
  return true;
}

// Sends every window that has answered what it is owed, bottom of the Z order first.
int SendDue(EngineState& s, const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (!ledger.HasDue()) return 0;
  const core::Rect screen = env.VirtualScreen();
  std::vector<WindowHandle> due = ledger.Due();
  std::vector<WindowHandle> ordered;
  ordered.reserve(due.size());
  std::sort(due.begin(), due.end());
  for (auto it = lists.Handles.rbegin(); it != lists.Handles.rend(); ++it) {
    if (std::binary_search(due.begin(), due.end(), *it)) ordered.push_back(*it);
  }
  // The unlisted ones are held.
  for (const WindowHandle w : due) {
    if (!lists.Contains(w)) ledger.Hold(w);
  }
  int moved = 0;
  MoveBatch batch(s);
  // A nested message may release a window meanwhile: SendOne asks the list again.
  for (const WindowHandle w : ordered) moved += SendOne(w, lists, env, ledger, screen) ? 1 : 0;
  return moved;
}

// Questions overdue though the window's thread runs are asked again; a hung thread is given
// another while before it is looked at again.
void AskOverdue(MoveEnvironment& env, MoveLedger& ledger, uint32_t now) {
  for (const WindowHandle w : ledger.Unanswered(now)) {
    if (env.Hung(w)) {
      ledger.KeepWaiting(w, now);
    } else {
      Ask(w, ledger.AskAgain(w, now), env, ledger);
    }
  }
}

// No step pending, no band that could assign one, no window due a move and no answer overdue:
// the tick would read the platform's facts only to move nothing. The common case, 16 times a
// second.
bool NothingToDo(const EngineState& s, const EngineOptions& o, const MoveLedger& ledger, uint32_t now) {
  return s.PendingDX == 0 && s.PendingDY == 0 && !o.BorderScroll && !ledger.HasDue() &&
         !ledger.AnyUnanswered(now);
}

// Takes the step out of the state before any window is touched: what nested messages write
// from now on is theirs and runs in a tick of its own.
void ConsumeStep(EngineState& s) {
  s.PendingDX = 0;
  s.PendingDY = 0;
}

MoveOutcome RunTicks(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                     const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger,
                     MoveOutcome out) {
  while (out.ticks < kMaxDeferredTicks + 1) {
    s.TickDeferred = false;
    const uint32_t now = env.NowMs();
    if (NothingToDo(s, o, ledger, now)) {
      // The idle timer tick: only the cooldown counts; the platform is not asked.
      if (s.PageCooldown > 0) --s.PageCooldown;
      ++out.ticks;
      break;
    }
    AskOverdue(env, ledger, now);
    const MoveTickFacts facts = env.Facts();
    const MoveTickPlan plan = PlanMoveTick(s, o, facts, room);
    ++out.ticks;
    if (!plan.moves) {
      out.windowsMoved += SendDue(s, lists, env, ledger);
      break;
    }
    ConsumeStep(s);
    const std::vector<Sighting> walk = ReadWalk(lists, env);
    const core::Point move = CutForWalk(walk, ledger, facts.VirtualScreen, plan.moveX, plan.moveY);
    // The room shifts by the step applied: on an axis that moves windows, the step as cut.
    if (plan.limitsApply) {
      ShiftRoom(room, XAxisOf(o) == 1 ? move.x : plan.stepX, YAxisOf(o) == 1 ? move.y : plan.stepY);
    }
    OweWalk(walk, lists, env, ledger, move, facts.VirtualScreen, now);
    // Windows that answered before this step take it now with what they were owed.
    out.windowsMoved += SendDue(s, lists, env, ledger);
    if (!s.TickDeferred || Ending(s)) break;
  }
  // Whatever is still asked for waits, pending, for the next timer tick.
  s.TickDeferred = false;
  return out;
}

}  // namespace

int32_t BorderBandStep(const EngineOptions& o) {
  return (56 * SpeedOf(o) - 512) * ReverseOf(o);
}

BandSide BorderBandAt(const EngineState& s, const EngineOptions& o, const core::Rect& v) {
  if (s.MenuScrollLockChecked || !o.BorderScroll || s.ScrollPaused) return BandSide::None;
  const int64_t x = s.CursorX;
  const int64_t y = s.CursorY;
  if (x < int64_t{v.left} + kBorderBandWidth) return BandSide::Left;
  if (y < int64_t{v.top} + kBorderBandWidth) return BandSide::Top;
  if (x > int64_t{v.right} - kBorderBandWidth) return BandSide::Right;
  if (y > int64_t{v.bottom} - kBorderBandWidth) return BandSide::Bottom;
  return BandSide::None;
}

bool LimitsApply(const EngineOptions& o, const MoveTickFacts& f) {
  const bool limited = o.DoLimit || f.Limits.FixesScrollRoom();
  const bool overridden = !f.NavigatorVisible && o.UseShift && f.ShiftHeld && f.CtrlHeld;
  return limited && !overridden;
}

MoveTickPlan PlanMoveTick(EngineState& s, const EngineOptions& o, const MoveTickFacts& f,
                          const navigator::ScrollRoom& room) {
  MoveTickPlan plan;
  plan.band = BorderBandAt(s, o, f.VirtualScreen);
  const int32_t band = BorderBandStep(o);
  switch (plan.band) {
    case BandSide::Left: s.PendingDX = band; break;
    case BandSide::Top: s.PendingDY = band; break;
    case BandSide::Right: s.PendingDX = -band; break;
    case BandSide::Bottom: s.PendingDY = -band; break;
    case BandSide::None: break;
  }
  if (s.PageCooldown > 0) --s.PageCooldown;

  plan.limitsApply = LimitsApply(o, f);
  if (plan.limitsApply) {
    s.PendingDX = ClampToRoom(s.PendingDX, room.ScrollMinX, room.ScrollMaxX);
    s.PendingDY = ClampToRoom(s.PendingDY, room.ScrollMinY, room.ScrollMaxY);
  }
  plan.stepX = s.PendingDX;
  plan.stepY = s.PendingDY;
  plan.moves = GatePasses(s, o) && s.StickyCount <= 0;
  if (plan.moves) {
    plan.moveX = s.PendingDX * XAxisOf(o);
    plan.moveY = s.PendingDY * YAxisOf(o);
  }
  return plan;
}

void ShiftRoom(navigator::ScrollRoom& room, int32_t stepX, int32_t stepY) {
  room.ScrollMinX = core::clampToInt32(int64_t{room.ScrollMinX} - stepX);
  room.ScrollMinY = core::clampToInt32(int64_t{room.ScrollMinY} - stepY);
  room.ScrollMaxX = core::clampToInt32(int64_t{room.ScrollMaxX} - stepX);
  room.ScrollMaxY = core::clampToInt32(int64_t{room.ScrollMaxY} - stepY);
}

namespace {

// The part of `move` in its direction that keeps inside the window range every window not parked
// on this axis.
int32_t CutAxis(std::span<const WindowReach> windows, int32_t move, int64_t WindowReach::*place,
                bool navigator::Parking::*parked) {
  if (move == 0) return 0;
  int64_t allowed = move > 0 ? int64_t{move} : -int64_t{move};
  for (const WindowReach& w : windows) {
    if (w.parked.*parked) continue;
    const int64_t v = w.*place;
    // A positive step lowers the coordinate.
    const int64_t room = move > 0 ? v - core::kMinWindowPosition : core::kMaxWindowPosition - v;
    allowed = std::min(allowed, std::max<int64_t>(room, 0));
  }
  return static_cast<int32_t>(move > 0 ? allowed : -allowed);
}

}  // namespace

core::Point CutToWindowRange(std::span<const WindowReach> windows, int32_t moveX, int32_t moveY) {
  return {CutAxis(windows, moveX, &WindowReach::x, &navigator::Parking::x),
          CutAxis(windows, moveY, &WindowReach::y, &navigator::Parking::y)};
}

MoveOutcome RunMoveTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                        const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (Ending(s)) return {};
  if (s.MoveInProgress) {
    s.TickDeferred = true;
    return {};
  }
  return RunTicks(s, o, room, lists, env, ledger, {});
}

MoveOutcome ApplyPendingScroll(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                               const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (Ending(s) || !GatePasses(s, o)) return {};
  if (s.MoveInProgress) {
    s.TickDeferred = true;
    return {};
  }
  const int32_t moveX = s.PendingDX * XAxisOf(o);
  const int32_t moveY = s.PendingDY * YAxisOf(o);
  ConsumeStep(s);
  s.TickDeferred = false;
  MoveOutcome out;
  const std::vector<Sighting> walk = ReadWalk(lists, env);
  const core::Rect screen = env.VirtualScreen();
  OweWalk(walk, lists, env, ledger, CutForWalk(walk, ledger, screen, moveX, moveY), screen, env.NowMs());
  out.windowsMoved = SendDue(s, lists, env, ledger);
  if (s.TickDeferred && !Ending(s)) return RunTicks(s, o, room, lists, env, ledger, out);
  s.TickDeferred = false;
  return out;
}

MoveOutcome AnswerArrived(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                          const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger,
                          WindowHandle window, Ticket ticket) {
  if (Ending(s)) return {};
  const navigator::AnswerFollowUp follow = ledger.Answered(window, ticket, env.NowMs());
  if (follow.askAgain) Ask(window, *follow.askAgain, env, ledger);
  if (!follow.moveNow) return {};
  if (s.MoveInProgress) {
    // Sent by the deferred tick once the other batch has ended.
    s.TickDeferred = true;
    return {};
  }
  MoveOutcome out;
  {
    MoveBatch batch(s);
    out.windowsMoved = SendOne(window, lists, env, ledger, env.VirtualScreen()) ? 1 : 0;
  }
  if (s.TickDeferred && !Ending(s)) return RunTicks(s, o, room, lists, env, ledger, out);
  s.TickDeferred = false;
  return out;
}

void WindowsPlaced(std::span<const Placement> placed, MoveLedger& ledger) {
  for (const Placement& p : placed) ledger.Placed(p.window, p.topLeft);
}

void MoveWindowBy(WindowHandle window, core::Point seen, int64_t dx, int64_t dy, MoveEnvironment& env,
                  MoveLedger& ledger) {
  // The ledger's steps are scroll steps: a positive one moves the window left and up.
  // A window already outside the range is carried no further out.
  const auto within = [](int64_t meant, int64_t d) {
    return std::clamp(meant + d, std::min<int64_t>(meant, core::kMinWindowPosition),
                      std::max<int64_t>(meant, core::kMaxWindowPosition));
  };
  const MoveLedger::Meant m = ledger.MeantFor(window, seen);
  const int64_t stepX = m.x - within(m.x, dx);
  const int64_t stepY = m.y - within(m.y, dy);
  if (stepX == 0 && stepY == 0) return;
  if (const std::optional<Ticket> t = ledger.Owe(window, seen, stepX, stepY, env.VirtualScreen(), env.NowMs())) {
    Ask(window, *t, env, ledger);
  }
}

MoveOutcome RunDeferredTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                            const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (!s.TickDeferred || s.MoveInProgress) return {};
  return RunMoveTick(s, o, room, lists, env, ledger);
}

}  // namespace scroller
