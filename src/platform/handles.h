#pragma once
// The one place where Win32's handle and rectangle types meet the platform-free ones: the logic
// names windows by an integer handle and works on core::Rect / core::Point / core::Bounds.
#include <windows.h>

#include <cstdint>

#include "core/geometry.h"
#include "core/window_handle.h"

namespace platform {

using core::WindowHandle;
static_assert(sizeof(HWND) == sizeof(WindowHandle));

inline WindowHandle ToHandle(HWND w) { return reinterpret_cast<WindowHandle>(w); }
inline HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }

inline core::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const core::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline core::Point ToPoint(const POINT& p) { return {p.x, p.y}; }

// SetWindowPos and MoveWindow with the place and size as one value.
inline BOOL SetWindowBounds(HWND w, const core::Bounds& b, UINT flags) {
  return SetWindowPos(w, nullptr, b.x, b.y, b.width, b.height, flags);
}
inline BOOL MoveWindowTo(HWND w, const core::Bounds& b, BOOL repaint) {
  return MoveWindow(w, b.x, b.y, b.width, b.height, repaint);
}

}  // namespace platform
