#pragma once
// The refresh tick's decisions (every 100 ms): the Shift+Ctrl+Alt navigator chord and where the
// navigator opens, scrolling a newly activated window into view, whether mouse scrolling is
// allowed, and the navigator-repaint, list-refill and auto-arrange countdowns.
// The Win32 side gathers the facts, runs the decisions in the tick's order and applies them.
#include <cstdint>
#include <optional>

#include "core/geometry.h"
#include "navigator/show_mode.h"
#include "scroller/engine_state.h"

namespace scroller {

inline constexpr uint32_t kGuiInMoveSize = 0x2;
inline constexpr uint32_t kGuiInMenuMode = 0x4;
inline constexpr uint32_t kGuiSystemMenuMode = 0x8;
inline constexpr uint32_t kGuiPopupMenuMode = 0x10;

inline constexpr int kActivateTicks = 6;
inline constexpr int kNavRefreshTicks = 10;
inline constexpr int kNavRepaintSoonTicks = 3;
inline constexpr int kArrangeWaitTicks = 3;

inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;

// The tick's own fields.
struct RefreshState {
  bool ScrollAllowed = false;
  WindowHandle PrevForeground = 0;
  int ActivateCountdown = 0;
  WindowHandle AutoScrollTarget = 0;
  int NavRefreshCountdown = kNavRefreshTicks;
  int ArrangeCountdown = -1;
  // Of the last successful GetGUIThreadInfo.
  uint32_t GuiFlags = 0;
  WindowHandle GuiMoveSize = 0;
};

// Timers may still fire once shut-down has begun; their ticks then do nothing.
constexpr bool TickMayRun(const EngineState& s) { return !Ending(s); }

// --- The navigator chord (after the loader probe, which the Win32 side does alone) ---

class KeyReader {
 public:
  virtual ~KeyReader() = default;
  virtual bool Held(int virtualKey) = 0;  // GetKeyState < 0
};

// Shift, Ctrl, Alt, asked in that order and no further than the first key that is up.
bool ChordHeld(bool useShift, KeyReader& keys);

enum class ChordAction {
  GoOn,           // on with the auto-scroll step
  ShowNavigator,  // hide the panel and the set-size dialog (100 ms after each), show and place
                  // the navigator as opened by the chord; the tick ends
  HideNavigator,  // the tick ends
};

ChordAction DecideChord(bool held, bool navigatorVisible, navigator::ShowMode navigatorShowMode);

// The navigator's place and size for a cursor position: a third of the primary
// monitor centred on the cursor and kept inside it (small screen), or the whole monitor.
core::Bounds NavigatorPlacement(bool smallScreen, core::Point cursor, core::Size primaryMonitor);

// --- Scrolling to the target ---

// Where the target is measured: the work area of the monitor nearest the cursor with several
// monitors, the desktop work area with one.
constexpr const core::Rect& MonitorAreaFor(int monitorCount, const core::Rect& nearestWorkArea,
                                           const core::Rect& desktopWorkArea) {
  return monitorCount > 1 ? nearestWorkArea : desktopWorkArea;
}

// Less than a quarter of its width or height lies within the area's span.
bool HardToSee(const core::Rect& window, const core::Rect& area);

struct AutoScrollDecision {
  bool setStep = false;   // PendingDX/DY := dx/dy
  int32_t dx = 0;         // offset of the window's centre from the area's centre
  int32_t dy = 0;
  bool applyNow = false;  // ApplyPendingScroll at once (auto-centre)
};
AutoScrollDecision DecideAutoScroll(const core::Rect& window, const core::Rect& area,
                                    bool autoScroll, bool autoCenter);

// The whole step for a target. `target` is nullopt when it is gone, hidden, minimized or has no
// readable frame: nothing moves and the tick goes on. Otherwise the step is set as decided and
// the tick ends after asking the navigator for a screen shot of the target. The target is
// cleared in both cases.
struct TargetFacts {
  core::Rect frame;
  core::Rect area;
};
struct TargetOutcome {
  bool tickEnds = false;
  bool applyNow = false;  // call ApplyPendingScroll
};
TargetOutcome ScrollToTarget(RefreshState& r, EngineState& s,
                             const std::optional<TargetFacts>& target, bool autoScroll,
                             bool autoCenter);

// --- Foreground, capture and activation ---

// Activating the navigator is not a change of foreground window.
constexpr WindowHandle ForegroundFor(WindowHandle foreground, WindowHandle navigator,
                                     WindowHandle prevForeground) {
  return foreground == navigator ? prevForeground : foreground;
}

struct GuiThreadFacts {
  uint32_t flags = 0;
  WindowHandle capture = 0;
  WindowHandle moveSize = 0;
};

// What the tick uses of GetGUIThreadInfo; a failing call (nullopt) means no capture and the
// flags and move/size window of the last successful call.
struct GuiView {
  WindowHandle capture = 0;
  bool moving = false;
};
GuiView TakeGuiInfo(RefreshState& r, const std::optional<GuiThreadFacts>& facts);

// The capture countdown: a window that became the foreground while holding the capture counts as
// activated at the first of the next six ticks without a capture, unless a move or size loop
// starts first. Returns whether this tick counts as an activation.
bool StepActivation(RefreshState& r, WindowHandle foreground, const GuiView& gui);

// A new activation: a listed window became the foreground, or the countdown said so.
constexpr bool IsNewActivation(WindowHandle foreground, WindowHandle prevForeground,
                               bool foregroundListed, bool activated) {
  return (foreground != prevForeground && foregroundListed) || activated;
}

// On a new activation: the waiting step is dropped, the cursor history forgotten, and the
// window becomes the next tick's target when it is shown, known to the navigator and not
// holding the capture.
struct ActivatedWindowFacts {
  bool infoRead = false;
  uint32_t style = 0;
  bool navigatorHasWindow = false;
};
void OnNewActivation(RefreshState& r, EngineState& s, WindowHandle foreground,
                     const ActivatedWindowFacts& facts, const GuiView& gui);

// --- The scan tick ---

// Before the scan: clears the cursor history and decides ScrollAllowed from the GUI state.
// Returns the move/size window (0 when none).
WindowHandle BeginScanTick(RefreshState& r, EngineState& s, const GuiView& gui, bool menuMode);

// After the scan: a menu or maximized window holds scrolling back (not during a move/size loop).
void EndScanTick(RefreshState& r, WindowHandle moveSizeWnd, bool menuOrMaximized, bool menuMode);

// True when the visible navigator is to be invalidated now.
bool StepNavRefresh(RefreshState& r, bool navigatorVisible, bool navigatorChanged);

// True when ArrangeWindows is to run now: on the fourth scan without a change of the entries.
bool StepAutoArrange(RefreshState& r, bool autoArrange, bool navigatorChanged);

}  // namespace scroller
