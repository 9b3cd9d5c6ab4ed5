#pragma once
#include <windows.h>

namespace tk {

// The DPI of the monitor a window is on; the system DPI where Windows cannot tell per monitor.
int DpiOfWindow(HWND hwnd);

// AdjustWindowRectEx for a given DPI, where Windows offers it.
void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace tk
