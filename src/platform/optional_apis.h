#pragma once
// Entry points that not every Windows has, bound in one place: those of the libraries every
// process of ours has loaded from its start (kernel32, user32, comctl32) as the program starts,
// dwmapi's once the start-up has read the Windows version. A null pointer means absent, and every
// caller has its fallback for that.
#include <windows.h>
#include <commctrl.h>

namespace platform {

struct OptionalApis {
  using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

  // From the system folder's dwmapi.dll, and only from Windows 8 on.
  DwmGetWindowAttributeFn DwmGetWindowAttribute = nullptr;
  IsWow64ProcessFn IsWow64Process = nullptr;
  // Windows 10 (1607 on): a window's own DPI and the frame for it.
  GetDpiForWindowFn GetDpiForWindow = nullptr;
  AdjustWindowRectExForDpiFn AdjustWindowRectExForDpi = nullptr;
  // Common controls 6 only.
  TaskDialogIndirectFn TaskDialogIndirect = nullptr;
};

extern OptionalApis Apis;

// Binds dwmapi's entry points; run once the platform switches are set. Returns dwmapi.dll, to be
// released at the very end, or nullptr.
HMODULE BindOptionalApis();

// True when this 32-bit program runs on 64-bit Windows. Absent or refusing, it is taken for
// 32-bit Windows rather than stopping the start-up.
bool RunsOnWow64();

}  // namespace platform
