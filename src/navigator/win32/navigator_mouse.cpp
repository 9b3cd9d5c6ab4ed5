#include "navigator/win32/navigator_mouse.h"

#include <windowsx.h>

#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"

namespace navigator {
namespace {

// A restored window gets this long to take its normal size before anything reads it.
constexpr DWORD kRestoreSettleMs = 60;

}  // namespace

core::Point Win32MouseSeam::CursorPos() {
  POINT p{};
  if (!GetCursorPos(&p)) return {};
  return platform::ToPoint(p);
}

bool Win32MouseSeam::IsZoomed(WindowHandle window) { return ::IsZoomed(platform::ToHwnd(window)) != FALSE; }

void Win32MouseSeam::RestoreNoActivate(WindowHandle window) {
  // ShowWindow would wait until the window's thread has restored it: for ever, if it is hung.
  ShowWindowAsync(platform::ToHwnd(window), SW_SHOWNOACTIVATE);
  Sleep(kRestoreSettleMs);
}

std::optional<core::Rect> Win32MouseSeam::VisibleRect(WindowHandle window) {
  return VisibleFrameOf(platform::ToHwnd(window));
}

void Win32MouseSeam::SetForeground(WindowHandle window) { SetForegroundWindow(platform::ToHwnd(window)); }

void Win32MouseSeam::HideNavigator() {
  if (hide_) hide_();
}

MouseMessage ReadMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  MouseMessage m;
  m.at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  // The form's class takes double clicks, so the second press of a fast pair comes as a double
  // click; to the overview it is a press like any other.
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: m.event = MouseEvent::Down; m.button = MouseButton::Left; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: m.event = MouseEvent::Down; m.button = MouseButton::Right; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK: m.event = MouseEvent::Down; break;
    case WM_MOUSEMOVE: m.event = MouseEvent::Move; break;
    case WM_LBUTTONUP: m.event = MouseEvent::Up; m.button = MouseButton::Left; break;
    case WM_RBUTTONUP: m.event = MouseEvent::Up; m.button = MouseButton::Right; break;
    case WM_MBUTTONUP:
    case WM_XBUTTONUP: m.event = MouseEvent::Up; break;
    case WM_MOUSEWHEEL:
      m.event = MouseEvent::Wheel;
      m.wheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
      break;
    default: break;
  }
  return m;
}

}  // namespace navigator
