#pragma once
#include <windows.h>

// Set once at start-up, before any form exists, and never changed afterwards.
namespace navigator {

// Windows 10 or later: geometry works on the visible frame, the virtual-desktop test is on.
extern bool IsWin10;
// Windows 8 or later: the desktop window manager's answers are used (cloaked windows).
extern bool IsWin8;

using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
// Empty when not bound; every use then counts as a failed call.
extern DwmGetWindowAttributeFn DwmGetWindowAttributeProc;

}  // namespace navigator
