#pragma once
// Which Windows the program runs on. Set once at start-up, before any form exists, and never
// changed afterwards.
namespace platform {

// Windows 10 or later: geometry works on the visible frame, the virtual-desktop test is on.
extern bool IsWin10;
// Windows 8 or later: the desktop window manager's answers are used (cloaked windows).
extern bool IsWin8;

}  // namespace platform
