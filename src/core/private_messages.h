#pragma once
// The window messages by which a second instance, the hook libraries, the 64-bit loader and outside
// programs talk to the control panel (and it to the loader). Numbers are fixed: other programs
// send them.
#include <cstdint>

namespace msg {

inline constexpr uint32_t kAppBase = 0x8000;  // WM_APP
// The range the program's own messages are numbered in.
constexpr bool IsPrivate(uint32_t message) { return message >= kAppBase && message <= kAppBase + 0x3F; }

inline constexpr uint32_t WM_HOOK_PANEL_MISSING = kAppBase + 1;
inline constexpr uint32_t WM_PANEL_HIDE = kAppBase + 2;
inline constexpr uint32_t WM_INSTANCE_EXIT = kAppBase + 4;
inline constexpr uint32_t WM_INSTANCE_SHOW = kAppBase + 5;
inline constexpr uint32_t WM_HOOK_GET_HANDLE = kAppBase + 6;
inline constexpr uint32_t WM_HOOK_SUBCLASSED = kAppBase + 7;
inline constexpr uint32_t WM_HOOK_RELEASED = kAppBase + 8;
inline constexpr uint32_t WM_HOOK_GET_SIZE = kAppBase + 11;
inline constexpr uint32_t WM_LOADER_QUIT = kAppBase + 12;
inline constexpr uint32_t WM_SCROLL_BY = kAppBase + 20;
inline constexpr uint32_t WM_EXCLUDE_WINDOW = kAppBase + 22;
inline constexpr uint32_t WM_INCLUDE_WINDOW = kAppBase + 23;
inline constexpr uint32_t WM_PAUSE_SCROLL = kAppBase + 24;
inline constexpr uint32_t WM_RESUME_SCROLL = kAppBase + 25;
// Posted by the program to its own control panel, wParam = a window, lParam = a ticket: the
// window's thread has answered the question asked after the moves sent to it.
inline constexpr uint32_t WM_MOVES_TAKEN = kAppBase + 26;

// WM_PRINT with wParam 0 (no device context) to a window the hook library has subclassed is the
// library's own control message, answered with lParam; with this lParam the subclass removes
// itself without a report.
inline constexpr intptr_t kPrintRemovesSubclass = 2;

}  // namespace msg

// How the program's windows and the 64-bit loader's window are found.
namespace ident {

inline constexpr const char* ControlPanelClass = "TTavelmoorForm";
inline constexpr const char* ControlPanelTitle = "Tavelmoor ControlPanel";
inline constexpr const char* ApplicationTitle = "Tavelmoor Wanderpane";
inline constexpr const char* LoaderWindowClass = "tTVM64Form";
inline constexpr const char* LoaderWindowTitle = "TVM64LDR";
inline constexpr const char* HookLibraryFile = "Tavelmoor.dll";
inline constexpr const char* HookLibrary64File = "TVM64.dll";
inline constexpr const char* LoaderFile = "tvm64.exe";

}  // namespace ident
