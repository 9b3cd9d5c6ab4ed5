#pragma once
// Reading and setting other applications' windows by their visible frame. From Windows 10 on the
// window rectangle includes invisible resize borders; these routines add them back before they
// call the platform, so callers work in visible-frame coordinates only. They keep no state:
// margins are read from the window's current state at every call.
#include <windows.h>

#include <optional>

#include "core/geometry.h"
#include "navigator/visible_frame.h"

namespace navigator {

// The visible frame in screen pixels; nothing when it cannot be read (the window has gone). A
// failing frame query falls back to the window rectangle.
std::optional<core::Rect> VisibleFrameOf(HWND window);

// How far the visible frame lies inside the window rectangle; all 0 before Windows 10 or when
// either rectangle cannot be read.
FrameMargins FrameMarginsOf(HWND window);

// Moves the visible frame's top-left corner there; size, Z order and activation unchanged.
void SetWindowPosVisible(HWND window, core::Point topLeft);
// As SetWindowPosVisible, but a window of another thread is moved without waiting for it.
void SetWindowPosVisibleNoWait(HWND window, core::Point topLeft);
// Gives the visible frame this place and size; Z order and activation unchanged.
void SetWindowBoundsVisible(HWND window, const core::Bounds& visible);
// As SetWindowBoundsVisible, through MoveWindow with a repaint.
void MoveWindowVisible(HWND window, const core::Bounds& visible);
// Gives the window this outer size where it stands, without waiting for the window's thread.
void SetWindowSizeNoWait(HWND window, core::Size outer);
// As MoveWindowVisible, but never waits for the window's thread: a window of another thread is
// sized asynchronously, so a hung application cannot stall the caller.
void MoveWindowVisibleNoWait(HWND window, const core::Bounds& visible);

}  // namespace navigator
