#pragma once
// One raw mouse event (WM_INPUT) turned into the pending scroll step: the edge push with its
// sticky wait and speed-dependent acceleration, the page jump, always-scroll, and the Scroll Lock
// mirror. Windows move later, on the move tick.
#include <cstdint>

#include "core/geometry.h"
#include "scroller/engine_state.h"

namespace scroller {

// RAWMOUSE.usFlags bits.
inline constexpr uint16_t kMouseMoveAbsolute = 0x01;
inline constexpr uint16_t kMouseVirtualDesktop = 0x02;

// Motion is handled in 16.16 fixed point: one count of a relative mouse is 0x10000.
inline constexpr int64_t kCountScale = 0x10000;
// A page jump needs more than two counts of motion on an axis.
inline constexpr int64_t kPageJumpThreshold = 0x20000;
inline constexpr int32_t kPageJumpCooldown = 6;
// The fastest push moves eight times as far as the mouse did.
inline constexpr int64_t kMinDivisor = 0x2000;
// Always-scroll ignores cursor jumps of this many pixels or more on an axis.
inline constexpr int64_t kMaxFollowJump = 100;

struct RawMouseEvent {
  // GetRawInputData delivered one whole mouse record; otherwise no step comes of it.
  bool DataRead = true;
  uint16_t usFlags = 0;
  int32_t lLastX = 0;  // counts, or the normalised position when absolute
  int32_t lLastY = 0;
};

struct ScreenFacts {
  core::Rect VirtualScreen;  // the bounding rectangle of all monitors
  core::Size PrimaryMonitor;  // what absolute positions span without kMouseVirtualDesktop
  int32_t MinMonitorWidth = 16000;  // the page size
  int32_t MinMonitorHeight = 16000;
};

struct RawMouseInput {
  RawMouseEvent event;
  KeyStates keys;
  core::Point cursor;  // the cursor position now
  ScreenFacts screen;
  bool ScrollAllowed = false;  // the refresh tick's hold-back (MenuMode and the like)
  bool WindowDragging = false;  // the navigator's window drag
  bool DragMoved = false;
};

enum class RawMousePath {
  Paused,      // paused or shutting down: only the mirror and the cursor position
  NoStep,      // scrolling held back or no record read
  PageJump,
  EdgePush,
  AwayFromEdge,
};

struct RawMouseResult {
  RawMousePath path = RawMousePath::NoStep;
  // The navigator's window drag ended outside it: finish it at (CursorX, CursorY).
  bool EndNavigatorDrag = false;
  // MenuScrollLockChecked changed: set the menu item's check mark (without running its OnClick).
  bool ScrollLockItemChanged = false;
};

// The motion of one event in 16.16 fixed point, before ReverseFactor. A relative event gives its
// counts exactly (lLastX and lLastY each scaled by 0x10000, so a leftward motion carries no
// vertical part and button bits never leak into it); an absolute one the change since the
// previous absolute report, in pixels of the area it spans (none for the first report): its
// positions are not motions and would otherwise read as huge pushes. Updates the absolute
// reference. 64-bit throughout, so no device value can wrap.
struct Motion {
  int64_t mx = 0;
  int64_t my = 0;
};
Motion MotionOf(EngineState& s, const RawMouseEvent& e, const ScreenFacts& screen);

// The divisor of the edge push for a motion; never below kMinDivisor.
int64_t EdgeDivisor(const Motion& m, const EngineOptions& o);

RawMouseResult HandleRawMouse(EngineState& s, const EngineOptions& o, const RawMouseInput& in);

}  // namespace scroller
