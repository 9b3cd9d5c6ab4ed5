#include "scroller/win32/move_environment.h"

#include "navigator/visible_frame.h"
#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"

namespace scroller {
namespace {

using platform::ToHwnd;

bool Held(int key) { return GetKeyState(key) < 0; }

}  // namespace

void MoveVisibleFrameNoWait(HWND window, core::Point topLeft) {
  // The invisible resize borders (Windows 10) are added back as the navigator's geometry says.
  navigator::FrameMargins m;
  navigator::GetFrameMargins(window, &m.left, &m.top, &m.right, &m.bottom);
  const core::Point p = navigator::WindowPosForVisible(m, topLeft);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, kScrollMoveFlags);
}

MoveTickFacts Win32MoveEnvironment::Facts() {
  MoveTickFacts f;
  f.VirtualScreen = screen_.Current().virtualScreen;
  f.ShiftHeld = Held(VK_SHIFT);
  f.CtrlHeld = Held(VK_CONTROL);
  f.NavigatorVisible = navigator_ && IsWindowVisible(navigator_);
  if (limits_) f.Limits = *limits_;
  return f;
}

std::optional<core::Point> Win32MoveEnvironment::VisibleTopLeft(WindowHandle window) {
  RECT r{};
  if (!navigator::GetVisibleWindowRect(ToHwnd(window), &r)) return std::nullopt;
  return core::Point{r.left, r.top};
}

void Win32MoveEnvironment::MoveVisibleTo(WindowHandle window, core::Point topLeft) {
  MoveVisibleFrameNoWait(ToHwnd(window), topLeft);
  if (moved_ && moved_->size() < kMaxMovedWindowsKept) moved_->insert(window);
}

}  // namespace scroller
