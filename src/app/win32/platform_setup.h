#pragma once
#include <windows.h>

namespace app {

// Reads the Windows major version and sets the platform switches; on failure both stay off.
void ReadWindowsVersion();

}  // namespace app
