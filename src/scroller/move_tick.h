#pragma once
// The move tick: the one place where the pending step turns into window moves. The border band
// assigns its step, the page-jump cooldown counts down, the step is clamped to the scroll room,
// every scrolling window moves by it (bottom of the Z order first) and the room shifts.
//
// Moving another application's window can run the control panel's window procedure nested. So:
// the step is taken out of EngineState before the first window is touched, the list is walked as
// a copy and each window is asked for again before it moves (a nested WM_HOOK_RELEASED drops it),
// and a nested scroll request only records itself (TickDeferred); it runs as a whole tick of its
// own once the walk has ended.
//
// Moves do not wait for the window's thread, so a busy application takes them late, and a
// window's place is no proof of what became of a move. Every mover's steps go through one
// MoveLedger: the walk owes each listed window the step and asks it a question; a window is moved
// once its thread has answered, from where it stands then, by all it is owed. So at any
// rate of steps and any number of windows a slow window neither loses nor gains a step, its thread
// never holds more than one of our moves, a hung one catches up with one move when it wakes, and
// a window whose application refuses or alters a move keeps its own place for that step only.
//
// Every step is cut so that no listed window leaves the platform's coordinate range: one step for
// all, as a fixed desktop size cuts it, or the desktop would come apart at the range's edge. A
// window its application parked far out does not count (move_ledger.h): the range stops it alone.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/geometry.h"
#include "navigator/move_ledger.h"
#include "navigator/scroll_room.h"
#include "scroller/engine_state.h"

namespace scroller {

// The band is 8 pixels wide at the left and top, 7 at the right and bottom.
inline constexpr int32_t kBorderBandWidth = 8;

// Nested requests run as whole ticks after the walk; a sender that keeps asking during every
// walk gets this many, and the rest stays pending for the next timer tick.
inline constexpr int kMaxDeferredTicks = 8;

// What a tick reads of the platform, afresh for every tick.
struct MoveTickFacts {
  core::Rect VirtualScreen;
  bool ShiftHeld = false;
  bool CtrlHeld = false;
  bool NavigatorVisible = false;
  navigator::DesktopLimits Limits;
};

// The band's step per tick, as assigned at the left and top: -288 pixels at speed 4 up to -8
// at speed 9 (windows move right or down, so the viewport goes towards the border).
int32_t BorderBandStep(const EngineOptions& o);

enum class BandSide { None, Left, Top, Right, Bottom };

// Which band the cursor is in, in the order left, top, right, bottom; None while the band is off,
// the Scroll Lock item is checked or scrolling is paused.
BandSide BorderBandAt(const EngineState& s, const EngineOptions& o, const core::Rect& virtualScreen);

// The scroll room holds the step when a limit is set, except while the user overrides it with
// Shift+Ctrl (navigator hidden). Decided once per tick, so the clamp and the room shift agree.
bool LimitsApply(const EngineOptions& o, const MoveTickFacts& f);

// Lower bound first, then the upper: a lower bound above the upper ends at the upper.
constexpr int32_t ClampToRoom(int32_t v, int32_t lo, int32_t hi) { return core::clampLowThenHigh(v, lo, hi); }

struct MoveTickPlan {
  BandSide band = BandSide::None;
  bool limitsApply = false;
  bool moves = false;     // passed the move gate
  int32_t stepX = 0;      // the pending step after the clamp: what the room shifts by
  int32_t stepY = 0;
  int32_t moveX = 0;      // what every window moves by; 0 on a disabled axis
  int32_t moveY = 0;
};

// Border band, cooldown and clamp, applied to `s`; then the move gate. Moves nothing and leaves
// the step pending when the gate fails.
MoveTickPlan PlanMoveTick(EngineState& s, const EngineOptions& o, const MoveTickFacts& f,
                          const navigator::ScrollRoom& room);

// The bounds move by the pending step itself, also on a disabled axis.
void ShiftRoom(navigator::ScrollRoom& room, int32_t stepX, int32_t stepY);

// Where a window of the walk is meant to stand, and whether it is parked on each axis.
struct WindowReach {
  int64_t x = 0;
  int64_t y = 0;
  navigator::Parking parked;
};

// The step (moveX, moveY) cut so that every window stays within the window range: on each axis the
// largest part of the step, in its direction, that keeps inside all the windows not parked on that
// axis. A window already outside lets no part of the step carry it further out.
core::Point CutToWindowRange(std::span<const WindowReach> windows, int32_t moveX, int32_t moveY);

// The one account per window of every mover's steps.
using navigator::MoveLedger;
using navigator::Ticket;

// The platform side of a move.
class MoveEnvironment {
 public:
  virtual ~MoveEnvironment() = default;
  virtual MoveTickFacts Facts() = 0;
  // The bounding rectangle of all monitors: where parking is judged from.
  virtual core::Rect VirtualScreen() = 0;
  // The visible frame's top-left corner; nullopt when it cannot be read or the window is hidden or
  // minimized now (it is not moved).
  virtual std::optional<core::Point> VisibleTopLeft(WindowHandle window) = 0;
  // Puts the visible frame's top-left corner there: the place only, never the size, the Z order
  // or the activation, and without waiting for the window's thread. May run nested messages that
  // change `lists` and the engine state.
  virtual void MoveVisibleTo(WindowHandle window, core::Point topLeft) = 0;
  // Sends the window the question; its thread answers with the ticket (AnswerArrived) once it has
  // taken everything sent to it before. False when the window is gone.
  virtual bool Ask(WindowHandle window, Ticket ticket) = 0;
  // Whether the window's thread has stopped taking messages for a while.
  virtual bool Hung(WindowHandle window) = 0;
  // A millisecond count that wraps (GetTickCount).
  virtual uint32_t NowMs() = 0;
};

struct MoveOutcome {
  int ticks = 0;          // whole ticks run, deferred ones included
  int windowsMoved = 0;   // moves sent
};

// One move-timer tick (and WM_SCROLL_BY's tick), followed by the ticks nested requests deferred.
// A tick also sends the windows that have answered what they are owed, and asks again the
// windows whose answer is overdue though their thread runs.
MoveOutcome RunMoveTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                        const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger);

// The immediate move of the auto-centring: no band, cooldown, room clamp, sticky gate or room
// shift; the cut at the coordinate range holds here too.
MoveOutcome ApplyPendingScroll(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                               const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger);

// Marks other batches of window moves (arrangement, restores, bringing home), so that a nested
// WM_SCROLL_BY meanwhile is deferred; afterwards call RunDeferredTick.
class MoveBatch {
 public:
  explicit MoveBatch(EngineState& s) : s_(s), was_(s.MoveInProgress) { s.MoveInProgress = true; }
  ~MoveBatch() { s_.MoveInProgress = was_; }
  MoveBatch(const MoveBatch&) = delete;
  MoveBatch& operator=(const MoveBatch&) = delete;

 private:
  EngineState& s_;
  bool was_;
};

// A window's thread answered the question with `ticket`: the window is sent what it is owed now,
// or, while another batch of moves is in progress, by the deferred tick after it.
MoveOutcome AnswerArrived(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                          const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger,
                          WindowHandle window, Ticket ticket);

// Another mover has just sent these windows to these places: what they were owed goes.
using navigator::Placement;
void WindowsPlaced(std::span<const Placement> placed, MoveLedger& ledger);

// A step of another mover (the navigator's window drag) for one window, seen at `seen`: a positive
// step moves it right and down. The step is cut so that the window stays inside the window range.
void MoveWindowBy(WindowHandle window, core::Point seen, int64_t dx, int64_t dy, MoveEnvironment& env,
                  MoveLedger& ledger);

// Runs the tick a nested request deferred, if any and no move is in progress.
MoveOutcome RunDeferredTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                            const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger);

}  // namespace scroller
