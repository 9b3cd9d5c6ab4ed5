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
// Moves do not wait for the window's thread, so a busy window may not have taken its last move
// when the next tick reads its place. MoveLedger keeps at most one move on its way to each window;
// the steps that come meanwhile are owed to it and go as one move once it stands where the move
// on its way puts it. A window read while a move is on its way is then either where it was or
// where it is going, so its next target follows on from where it is meant to be: at any rate of
// steps and any number of windows, a slow window neither loses nor gains a step, its thread
// never has more than one of our moves queued, and a hung one catches up with one move.
//
// Every step is cut so that no listed window leaves the platform's coordinate range: one step for
// all, as a fixed desktop size cuts it, or the desktop would come apart at the range's edge.
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

// SetWindowPos flags of a scroll move: the place only, never the size, the Z order or the
// activation, and without waiting for the window's thread.
inline constexpr uint32_t kSwpNoSize = 0x0001;
inline constexpr uint32_t kSwpNoZOrder = 0x0004;
inline constexpr uint32_t kSwpNoActivate = 0x0010;
inline constexpr uint32_t kSwpAsyncWindowPos = 0x4000;
inline constexpr uint32_t kScrollMoveFlags =
    kSwpNoSize | kSwpNoZOrder | kSwpNoActivate | kSwpAsyncWindowPos;

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

// The step (moveX, moveY) cut so that every window meant to stand at one of `places` stays
// within the window range: on each axis the largest part of the step, in its direction, that
// keeps them all inside. A window already outside lets no part of the step carry it further out.
core::Point CutToWindowRange(std::span<const core::Point> places, int32_t moveX, int32_t moveY);

// The ledger of moves on their way (shared with the navigator's window drag).
using navigator::MovedTopLeft;
using navigator::MoveLedger;

// The platform side of a move.
class MoveEnvironment {
 public:
  virtual ~MoveEnvironment() = default;
  virtual MoveTickFacts Facts() = 0;
  // The visible frame's top-left corner; nullopt when it cannot be read (the window is skipped).
  virtual std::optional<core::Point> VisibleTopLeft(WindowHandle window) = 0;
  // Puts the visible frame's top-left corner there with kScrollMoveFlags. May run nested
  // messages that change `lists` and the engine state.
  virtual void MoveVisibleTo(WindowHandle window, core::Point topLeft) = 0;
};

struct MoveOutcome {
  int ticks = 0;          // whole ticks run, deferred ones included
  int windowsMoved = 0;   // moves sent
};

// One move-timer tick (and WM_SCROLL_BY's tick), followed by the ticks nested requests deferred.
// A tick that moves nothing sends the windows that are owed steps what they can take now.
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

// Runs the tick a nested request deferred, if any and no move is in progress.
MoveOutcome RunDeferredTick(EngineState& s, const EngineOptions& o, navigator::ScrollRoom& room,
                            const ScrollLists& lists, MoveEnvironment& env, MoveLedger& ledger);

}  // namespace scroller
