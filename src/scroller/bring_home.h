#pragma once
// Bringing windows home before the program ends: every window of the scroll list is put at the
// top-left corner of the primary work area, shrunk to the work area where it is larger, so that
// none stays out of reach. Which windows the exit scan collects is decided in window_filter.h.
#include <optional>
#include <span>
#include <vector>

#include "core/geometry.h"
#include "navigator/visible_frame.h"
#include "scroller/engine_state.h"

namespace scroller {

inline constexpr int kHomeRedrawPauseMs = 100;

// The visible frame a window gets at home; nullopt when its frame could not be read (it stays).
// A work area reported without a size shrinks nothing.
std::optional<core::Bounds> HomeBoundsFor(const std::optional<core::Rect>& visible,
                                                     const core::Rect& workArea);

// What bringing home needs of the platform. Calls that reach another process's window must not
// wait on a hung one, and may run nested messages (a WM_HOOK_RELEASED drops a window from the
// list meanwhile).
class HomeDesk {
 public:
  virtual ~HomeDesk() = default;
  virtual core::Rect WorkArea() = 0;  // the primary work area, read afresh for each window
  virtual std::vector<core::Rect> WorkAreas() = 0;  // every monitor's
  virtual bool IsMinimized(WindowHandle window) = 0;
  virtual void Restore(WindowHandle window) = 0;  // OpenIcon
  virtual std::optional<core::Rect> VisibleRect(WindowHandle window) = 0;
  // Place and size of the visible frame; no Z-order change, no activation.
  virtual void SetBoundsVisible(WindowHandle window, const core::Bounds& bounds) = 0;
  virtual void Pause(int milliseconds) = 0;
  virtual void Redraw(WindowHandle window) = 0;  // RDW_INVALIDATE | RDW_ALLCHILDREN
};

// Moves every window of the list home, top of the Z order first: a minimized one is restored
// first (else it would return to its off-screen place when restored later), then one pause for
// all, then a repaint of each window still readable. Walks a copy of the list and skips windows
// released meanwhile, so none is skipped or moved twice when an entry drops out. Returns the
// number of windows moved; an empty list returns at once without the pause.
int BringWindowsHome(const ScrollLists& lists, HomeDesk& desk);

// Whether a frame lies wholly outside every work area: the user cannot reach it.
bool OutOfReach(const core::Rect& frame, std::span<const core::Rect> workAreas);

// Windows this run moved that the exit's own collection leaves out (excluded by message, hidden):
// each one that lies out of reach goes home too, without being shown or restored; a minimized
// one is left, since moving it would not move the place it is restored to. Returns the number
// moved.
int BringStrandedWindowsHome(std::span<const WindowHandle> windows, HomeDesk& desk);

}  // namespace scroller
