#include "scroller/move_tick.h"

#include <algorithm>

namespace scroller {
namespace {

bool GatePasses(const EngineState& s, const EngineOptions& o) {
  return (XAxisOf(o) == 1 && s.PendingDX != 0) || (YAxisOf(o) == 1 && s.PendingDY != 0);
}

// One window of a walk as read before anything moves: reading calls out to no other window, so
// nothing nested changes the list between the reads.
struct Sighting {
  WindowHandle window;
  core::Point seen;
};

// The listed windows whose place can be read, bottom of the Z order first; with `owedOnly`, only
// those owed earlier steps.
std::vector<Sighting> ReadWalk(const ScrollLists& lists, MoveEnvironment& env, const MoveLedger& ledger,
                               bool owedOnly) {
  std::vector<Sighting> walk;
  walk.reserve(lists.Handles.size());
  for (auto it = lists.Handles.rbegin(); it != lists.Handles.rend(); ++it) {
    if (owedOnly && !ledger.Owes(*it)) continue;
    if (const std::optional<core::Point> seen = env.VisibleTopLeft(*it)) walk.push_back({*it, *seen});
  }
  return walk;
}

// The step cut at the coordinate range for the windows of `walk`, where they are meant to stand.
core::Point CutForWalk(const std::vector<Sighting>& walk, const MoveLedger& ledger, int32_t moveX, int32_t moveY) {
  if (moveX == 0 && moveY == 0) return {};
  std::vector<core::Point> meant;
  meant.reserve(walk.size());
  for (const Sighting& w : walk) meant.push_back(ledger.Meant(w.window, w.seen));
  return CutToWindowRange(meant, moveX, moveY);
}

// Moves every window of the walk by (moveX, moveY), or what it is owed. A window released by a
// nested message meanwhile is not moved, and none is moved twice.
int MoveWalk(EngineState& s, const std::vector<Sighting>& walk, const ScrollLists& lists, MoveEnvironment& env,
             MoveLedger& ledger, core::Point move) {
  int moved = 0;
  {
    MoveBatch batch(s);
    for (const Sighting& w : walk) {
      if (!lists.Contains(w.window)) continue;
      const std::optional<core::Point> target = ledger.Advance(w.window, w.seen, move.x, move.y);
      if (!target) continue;
      env.MoveVisibleTo(w.window, *target);
      ++moved;
    }
  }
  ledger.Retain(lists.Handles);
  return moved;
}

// No step pending, no band that could assign one, and no window owed a step: the tick would read
// the platform's facts only to move nothing. The common case, 16 times a second.
bool NothingToDo(const EngineState& s, const EngineOptions& o, const MoveLedger& ledger) {
  return s.PendingDX == 0 && s.PendingDY == 0 && !o.BorderScroll && !ledger.Owes();
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
    if (NothingToDo(s, o, ledger)) {
      // The idle timer tick: only the cooldown counts; the platform is not asked.
      if (s.PageCooldown > 0) --s.PageCooldown;
      ++out.ticks;
      break;
    }
    const MoveTickFacts facts = env.Facts();
    const MoveTickPlan plan = PlanMoveTick(s, o, facts, room);
    ++out.ticks;
    if (!plan.moves) {
      // Windows that still had a move on its way while the others moved get what they are owed
      // once they have arrived.
      if (ledger.Owes()) out.windowsMoved += MoveWalk(s, ReadWalk(lists, env, ledger, true), lists, env, ledger, {});
      break;
    }
    ConsumeStep(s);
    const std::vector<Sighting> walk = ReadWalk(lists, env, ledger, false);
    const core::Point move = CutForWalk(walk, ledger, plan.moveX, plan.moveY);
    // The room shifts by the step applied: on an axis that moves windows, the step as cut.
    if (plan.limitsApply) {
      ShiftRoom(room, XAxisOf(o) == 1 ? move.x : plan.stepX, YAxisOf(o) == 1 ? move.y : plan.stepY);
    }
    out.windowsMoved += MoveWalk(s, walk, lists, env, ledger, move);
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

// The part of `move` in its direction that keeps every place inside the window range.
int32_t CutAxis(std::span<const core::Point> places, int32_t move, int32_t core::Point::*axis) {
  if (move == 0) return 0;
  int64_t allowed = move > 0 ? int64_t{move} : -int64_t{move};
  for (const core::Point& p : places) {
    const int64_t v = p.*axis;
    // A positive step lowers the coordinate.
    const int64_t room = move > 0 ? v - core::kMinWindowPosition : core::kMaxWindowPosition - v;
    allowed = std::min(allowed, std::max<int64_t>(room, 0));
  }
  return static_cast<int32_t>(move > 0 ? allowed : -allowed);
}

}  // namespace

core::Point CutToWindowRange(std::span<const core::Point> places, int32_t moveX, int32_t moveY) {
  return {CutAxis(places, moveX, &core::Point::x), CutAxis(places, moveY, &core::Point::y)};
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
  const std::vector<Sighting> walk = ReadWalk(lists, env, ledger, false);
  out.windowsMoved = MoveWalk(s, walk, lists, env, ledger, CutForWalk(walk, ledger, moveX, moveY));
  if (s.TickDeferred && !Ending(s)) return RunTicks(s, o, room, lists, env, ledger, out);
  s.TickDeferred = false;
  return out;
}

MoveOutcome RunDeferredTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                            const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (!s.TickDeferred || s.MoveInProgress) return {};
  return RunMoveTick(s, o, room, lists, env, ledger);
}

}  // namespace scroller
