#include "navigator/win32/window_geometry.h"

#include <optional>

#include "navigator/visible_frame.h"
#include "platform/handles.h"
#include "platform/optional_apis.h"
#include "platform/platform_switches.h"

namespace navigator {
namespace {

constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

using platform::ToRect;

FrameMode Mode() { return FrameModeFor(platform::IsWin10, platform::Apis.DwmGetWindowAttribute != nullptr); }

std::optional<core::Rect> WindowRectOf(HWND window) {
  RECT r{};
  if (!GetWindowRect(window, &r)) return std::nullopt;
  return ToRect(r);
}

std::optional<core::Rect> ExtendedFrameOf(HWND window) {
  if (!platform::Apis.DwmGetWindowAttribute) return std::nullopt;
  RECT r{};
  if (platform::Apis.DwmGetWindowAttribute(window, kExtendedFrameBounds, &r, sizeof r) != S_OK) return std::nullopt;
  return ToRect(r);
}

FrameMargins MarginsNow(HWND window) {
  if (Mode() != FrameMode::VisibleFrame) return {};
  return MarginsOf(FrameMode::VisibleFrame, WindowRectOf(window), ExtendedFrameOf(window));
}

core::Bounds OuterBounds(HWND window, const core::Bounds& visible) {
  return WindowBoundsForVisible(MarginsNow(window), visible);
}

// A window of another thread is moved without waiting for that thread.
UINT NoWait(HWND window, UINT flags) {
  return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ? flags | SWP_ASYNCWINDOWPOS : flags;
}

void PlaceVisibleTopLeft(HWND window, core::Point topLeft, UINT flags) {
  const core::Point p = WindowPosForVisible(MarginsNow(window), topLeft);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, flags);
}

constexpr UINT kPlaceOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

std::optional<core::Rect> VisibleFrameOf(HWND window) {
  const FrameMode mode = Mode();
  // The frame query first: a window that has gone fails both, and one the query cannot answer
  // still has its window rectangle.
  std::optional<core::Rect> frame = mode == FrameMode::VisibleFrame ? ExtendedFrameOf(window) : std::nullopt;
  return VisibleRectOf(mode, frame ? std::nullopt : WindowRectOf(window), frame);
}

FrameMargins FrameMarginsOf(HWND window) { return MarginsNow(window); }

void SetWindowPosVisible(HWND window, core::Point topLeft) { PlaceVisibleTopLeft(window, topLeft, kPlaceOnly); }

void SetWindowPosVisibleNoWait(HWND window, core::Point topLeft) {
  PlaceVisibleTopLeft(window, topLeft, NoWait(window, kPlaceOnly));
}

void SetWindowBoundsVisible(HWND window, const core::Bounds& visible) {
  platform::SetWindowBounds(window, OuterBounds(window, visible), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveWindowVisible(HWND window, const core::Bounds& visible) {
  platform::MoveWindowTo(window, OuterBounds(window, visible), TRUE);
}

void SetWindowSizeNoWait(HWND window, core::Size outer) {
  SetWindowPos(window, nullptr, 0, 0, outer.width, outer.height, NoWait(window, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
}

void MoveWindowVisibleNoWait(HWND window, const core::Bounds& visible) {
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    MoveWindowVisible(window, visible);
    return;
  }
  platform::SetWindowBounds(window, OuterBounds(window, visible), SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

}  // namespace navigator
