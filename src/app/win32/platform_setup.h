#pragma once
#include <windows.h>

namespace app {

// Reads the Windows major version and sets the platform switches; on failure both stay off.
void ReadWindowsVersion();

// Binds DwmGetWindowAttribute from the system folder's dwmapi.dll when the switches ask for it.
// Returns the library to release at the very end, or nullptr.
HMODULE BindDesktopWindowManager();

}  // namespace app
