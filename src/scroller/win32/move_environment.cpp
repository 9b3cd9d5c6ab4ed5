#include "scroller/win32/move_environment.h"

#include <atomic>

#include "core/private_messages.h"
#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"

namespace scroller {
namespace {

using platform::ToHwnd;

bool Held(int key) { return GetKeyState(key) < 0; }

std::atomic<HWND> g_answerWindow{nullptr};

// Runs on the program's thread, at its next look at its messages, possibly inside a call that
// waits for another window: it only passes the answer on, to be handled from the message loop.
void CALLBACK MovesTaken(HWND window, UINT, ULONG_PTR ticket, LRESULT) {
  if (HWND to = g_answerWindow.load()) {
    PostMessageA(to, msg::WM_MOVES_TAKEN, reinterpret_cast<WPARAM>(window), static_cast<LPARAM>(ticket));
  }
}

}  // namespace

void SetMoveAnswerWindow(HWND window) { g_answerWindow.store(window); }

MoveTickFacts Win32MoveEnvironment::Facts() {
  MoveTickFacts f;
  f.VirtualScreen = screen_.Current().virtualScreen;
  f.ShiftHeld = Held(VK_SHIFT);
  f.CtrlHeld = Held(VK_CONTROL);
  f.NavigatorVisible = navigator_ && IsWindowVisible(navigator_);
  if (limits_) f.Limits = *limits_;
  return f;
}

core::Rect Win32MoveEnvironment::VirtualScreen() { return screen_.Current().virtualScreen; }

std::optional<core::Point> Win32MoveEnvironment::VisibleTopLeft(WindowHandle window) {
  // A window hidden or minimized meanwhile is not moved: a minimized one would take the move as
  // its icon's place and lose it when restored.
  const LONG style = GetWindowLongA(ToHwnd(window), GWL_STYLE);
  if (!(style & WS_VISIBLE) || (style & WS_MINIMIZE)) return std::nullopt;
  const std::optional<core::Rect> frame = navigator::VisibleFrameOf(ToHwnd(window));
  if (!frame) return std::nullopt;
  return core::Point{frame->left, frame->top};
}

void Win32MoveEnvironment::MoveVisibleTo(WindowHandle window, core::Point topLeft) {
  navigator::SetWindowPosVisibleNoWait(ToHwnd(window), topLeft);
  if (moved_ && moved_->size() < kMaxMovedWindowsKept) moved_->insert(window);
}

bool Win32MoveEnvironment::Ask(WindowHandle window, Ticket ticket) {
  // The window's thread takes sent messages in order: it answers once it has taken our moves.
  return SendMessageCallbackA(ToHwnd(window), WM_NULL, 0, 0, MovesTaken, ticket) != FALSE;
}

bool Win32MoveEnvironment::Hung(WindowHandle window) { return IsHungAppWindow(ToHwnd(window)) != FALSE; }

uint32_t Win32MoveEnvironment::NowMs() { return GetTickCount(); }

}  // namespace scroller
