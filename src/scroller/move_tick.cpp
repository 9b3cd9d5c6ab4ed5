#include "scroller/move_tick.h"

#include <algorithm>

namespace scroller {
namespace {

bool GatePasses(const EngineState& s, const EngineOptions& o) {
  return (XAxisOf(o) == 1 && s.PendingDX != 0) || (YAxisOf(o) == 1 && s.PendingDY != 0);
}

// Moves every window of the list by (moveX, moveY), bottom of the Z order first; with `owedOnly`,
// only the windows owed earlier steps, by what they are owed. The walk is over a copy; a window
// released meanwhile is not moved, and none is moved twice.
int MoveAll(EngineState& s, const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger,
            int32_t moveX, int32_t moveY, bool owedOnly = false) {
  const std::vector<WindowHandle> snapshot = lists.Handles;
  int moved = 0;
  {
    MoveBatch batch(s);
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
      const WindowHandle window = *it;
      if (!lists.Contains(window)) continue;
      if (owedOnly && !ledger.Owes(window)) continue;
      const std::optional<core::Point> seen = env.VisibleTopLeft(window);
      if (!seen) continue;
      const std::optional<core::Point> target = ledger.Advance(window, *seen, moveX, moveY);
      if (!target) continue;
      env.MoveVisibleTo(window, *target);
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
      // Windows that had all the moves they may have outstanding while the others moved get
      // what they are owed once they have taken some.
      if (ledger.Owes()) out.windowsMoved += MoveAll(s, lists, env, ledger, 0, 0, true);
      break;
    }
    ConsumeStep(s);
    if (plan.limitsApply) ShiftRoom(room, plan.stepX, plan.stepY);
    out.windowsMoved += MoveAll(s, lists, env, ledger, plan.moveX, plan.moveY);
    if (!s.TickDeferred || s.ShuttingDown) break;
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

MoveOutcome RunMoveTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                        const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (s.ShuttingDown) return {};
  if (s.MoveInProgress) {
    s.TickDeferred = true;
    return {};
  }
  return RunTicks(s, o, room, lists, env, ledger, {});
}

MoveOutcome ApplyPendingScroll(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                               const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (s.ShuttingDown || !GatePasses(s, o)) return {};
  if (s.MoveInProgress) {
    s.TickDeferred = true;
    return {};
  }
  const int32_t moveX = s.PendingDX * XAxisOf(o);
  const int32_t moveY = s.PendingDY * YAxisOf(o);
  ConsumeStep(s);
  s.TickDeferred = false;
  MoveOutcome out;
  out.windowsMoved = MoveAll(s, lists, env, ledger, moveX, moveY);
  if (s.TickDeferred && !s.ShuttingDown) return RunTicks(s, o, room, lists, env, ledger, out);
  s.TickDeferred = false;
  return out;
}

MoveOutcome RunDeferredTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                            const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger) {
  if (!s.TickDeferred || s.MoveInProgress) return {};
  return RunMoveTick(s, o, room, lists, env, ledger);
}

}  // namespace scroller
