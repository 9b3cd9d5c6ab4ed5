#pragma once
// Reading and setting other applications' windows by their visible frame. From Windows 10 on the
// window rectangle includes invisible resize borders; these routines add them back before they
// call the platform, so callers work in visible-frame coordinates only. They keep no state:
// margins are read from the window's current state at every call.
#include <windows.h>

#include "core/geometry.h"

namespace navigator {

// The visible frame in screen pixels; false when nothing could be read (the window has gone).
// A failing frame query falls back to the window rectangle.
bool GetVisibleWindowRect(HWND window, RECT* rect);

// How far the visible frame lies inside the window rectangle; all 0 before Windows 10 or when
// either rectangle cannot be read.
void GetFrameMargins(HWND window, int* left, int* top, int* right, int* bottom);

// Moves the visible frame's top-left corner to (x, y); size, Z order and activation unchanged.
void SetWindowPosVisible(HWND window, int x, int y);
// As SetWindowPosVisible, but a window of another thread is moved asynchronously.
void SetWindowPosVisibleNoWait(HWND window, int x, int y);
// Gives the visible frame this place and size; Z order and activation unchanged.
void SetWindowBoundsVisible(HWND window, const core::Bounds& visible);
// As SetWindowBoundsVisible, through MoveWindow with a repaint.
void MoveWindowVisible(HWND window, const core::Bounds& visible);
// Gives the window this outer size where it stands, without waiting for the window's thread.
void SetWindowSizeNoWait(HWND window, int width, int height);
// As MoveWindowVisible, but never waits for the window's thread: a window of another thread is
// sized asynchronously, so a hung application cannot stall the caller.
void MoveWindowVisibleNoWait(HWND window, const core::Bounds& visible);

}  // namespace navigator
