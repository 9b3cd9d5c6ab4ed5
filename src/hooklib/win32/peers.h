#pragma once
// The windows the hook library talks to from inside a hooked process: the control panel, which
// answers size questions, and the peer that holds the hook handle and takes the reports (the
// 64-bit loader's window for TVM64.dll; the control panel itself for the 32-bit library, which the
// program loads and hooks without a loader).
//
// Nothing here may hang the application it runs in: questions use SendMessageTimeout with
// SMTO_ABORTIFHUNG and a time-out means no answer; reports, whose answer nobody reads, are sent
// without waiting. A remembered peer that is no longer a window is forgotten and looked up again,
// so a restarted program or loader is found. Nothing is sent while the library is being loaded
// (DllMain): the first look-up runs in the first hook call.
#include <windows.h>

#include <cstdint>

#include "hooklib/size_answer.h"

namespace hooklib {

// Looks up the peers not known yet and fetches the hook handle when it is missing. `startUp` is
// true for the first call in the process; it becomes WM_HOOK_PANEL_MISSING's lParam (1, else 2).
void FindPeerWindows(bool startUp);

HWND ControlPanelWnd();
HWND ReportWnd();
// What CallNextHookEx is given: the hook set in this process, else the peer's answer (may be 0:
// the next hook is called all the same).
HHOOK HookHandleForChain();
// Asks the report peer for its hook handle (at most once a second) while this process has no
// answer and set no hook of its own.
void AskHookHandle();
// The answer; 0 while there is none.
HHOOK AnsweredHook();
// That answer names a hook that has gone: the peer is asked again.
void ForgetAnsweredHook(HHOOK hook);

// WM_HOOK_GET_SIZE for the window.
SizeAnswer AskForcedSize(HWND window);

// WM_HOOK_SUBCLASSED and WM_HOOK_RELEASED, to the report peer; never waits.
void ReportSubclassed(HWND window);
void ReportReleased(HWND window);

}  // namespace hooklib
