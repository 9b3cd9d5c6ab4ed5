#pragma once
// The visible frame of a window and the conversion between it and the window rectangle. From
// Windows 10 on the window rectangle includes invisible resize borders; every place and size this
// program measures or sets is the visible frame, and the borders are added back before a move.
// Also the Windows virtual-desktop test's decisions.
#include <cstdint>
#include <optional>

#include "core/geometry.h"

namespace navigator {

enum class FrameMode {
  WindowRect,    // before Windows 10, or the frame attribute query is not bound
  VisibleFrame,  // the desktop window manager's extended frame bounds
};

FrameMode FrameModeFor(bool isWin10, bool frameQueryBound);

// How far the visible frame lies inside the window rectangle on each side.
struct FrameMargins {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

// Margins from the two rectangles as read now; either read failing gives no margins, so a move
// passes its coordinates on unchanged.
FrameMargins MarginsOf(FrameMode mode, std::optional<core::Rect> windowRect,
                       std::optional<core::Rect> extendedFrame);

// The visible frame of a window. A failing frame query falls back to the window rectangle:
// otherwise no window would ever be scanned or moved. nullopt when nothing could be read.
std::optional<core::Rect> VisibleRectOf(FrameMode mode, std::optional<core::Rect> windowRect,
                                        std::optional<core::Rect> extendedFrame);

// Where the window rectangle must go so that its visible frame lands at (x, y).
core::Point WindowPosForVisible(const FrameMargins& m, core::Point visibleTopLeft);

// The window rectangle to set so that the visible frame gets this place and size.
core::Bounds WindowBoundsForVisible(const FrameMargins& m, const core::Bounds& visible);

// --- Windows virtual desktops ---

enum class DesktopAnswer { OnCurrent, OnOther, QueryFailed };

// The shell's manager is created once, only from Windows 10 on.
bool WantsDesktopManager(bool isWin10, bool managerCreated);

// The test runs only from Windows 10 on with a manager; a manager that could not be created
// leaves it off for the whole run.
bool VirtualDesktopTestOn(bool isWin10, bool managerCreated);

// A failing query (a window destroyed meanwhile) counts as on the current desktop.
constexpr bool CountsAsOnCurrentDesktop(DesktopAnswer a) { return a != DesktopAnswer::OnOther; }

// The whole test; `ask` queries the manager and is called only while the test is on.
template <class Ask>
bool IsOnCurrentDesktop(bool isWin10, bool managerCreated, Ask&& ask) {
  if (!VirtualDesktopTestOn(isWin10, managerCreated)) return true;
  return CountsAsOnCurrentDesktop(ask());
}

}  // namespace navigator
