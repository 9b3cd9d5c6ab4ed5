#pragma once
// Entry points that not every Windows has: bound once at start-up, in one place. A null pointer
// means absent, and every caller has its fallback for that.
#include <windows.h>

namespace platform {

struct OptionalApis {
  using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

  // From the system folder's dwmapi.dll, and only from Windows 8 on.
  DwmGetWindowAttributeFn DwmGetWindowAttribute = nullptr;
  IsWow64ProcessFn IsWow64Process = nullptr;
};

extern OptionalApis Apis;

// Binds every optional entry point; run once the platform switches are set. Returns dwmapi.dll,
// to be released at the very end, or nullptr.
HMODULE BindOptionalApis();

// True when this 32-bit program runs on 64-bit Windows. Absent or refusing, it is taken for
// 32-bit Windows rather than stopping the start-up.
bool RunsOnWow64();

}  // namespace platform
