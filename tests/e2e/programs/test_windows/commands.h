#pragma once
// Messages a scenario sends to a test window to change the desktop while Tavelmoor scrolls it.
// They are handled on the receiving window's thread.
#include <windows.h>

namespace tvmtw {

// Post it: the window's thread sleeps wParam milliseconds, as a program stopped in a debugger,
// and on waking does what lParam says (a SleepThen) before it takes its next message.
inline constexpr UINT kCommandSleep = WM_APP + 0x200;
enum SleepThen : LPARAM {
  kThenNothing = 0,
  kThenMoveItselfLeft10 = 1,  // the application moves its window 10 pixels left
  kThenMinimize = 2,          // the application minimizes its window
};
// Send it: every later move of this window waits wParam milliseconds first, as a window whose
// thread is busy between its messages.
inline constexpr UINT kCommandMoveDelay = WM_APP + 0x201;
// Send it: a new titled window, wParam = MAKEWPARAM(x, y), lParam = MAKELPARAM(width, height);
// the answer is its handle (0 on failure). kCommandCreateOwnThread puts it on a new thread of
// its own that answers messages, so that it can be made to sleep alone.
inline constexpr UINT kCommandCreate = WM_APP + 0x202;
inline constexpr UINT kCommandCreateOwnThread = WM_APP + 0x203;
// Post it: the window destroys itself.
inline constexpr UINT kCommandDestroy = WM_APP + 0x204;
// Send it: the answer is how many size changes the window has been asked for since it was shown
// (WM_WINDOWPOSCHANGING without SWP_NOSIZE), whether or not its size changed.
inline constexpr UINT kCommandSizeRequests = WM_APP + 0x205;
// Send it: the window's own process shows it with ShowWindow(wParam), SW_HIDE for instance.
inline constexpr UINT kCommandShow = WM_APP + 0x206;
// Send it: how the window's application takes the moves asked of it from now on (a MoveAnswer in
// wParam; lParam is the x it holds its window at).
inline constexpr UINT kCommandMoveAnswer = WM_APP + 0x207;
enum MoveAnswer : WPARAM {
  kTakesMoves = 0,
  kRefusesOneMove = 1,  // the next move gets SWP_NOMOVE, later ones go through
  kHoldsAtX = 2,        // every move keeps the window at x = lParam
};
// Send it: the application moves its window by wParam, lParam pixels (signed), at once.
inline constexpr UINT kCommandMoveItself = WM_APP + 0x208;

}  // namespace tvmtw
