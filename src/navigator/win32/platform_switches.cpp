#include "navigator/win32/platform_switches.h"

namespace navigator {

bool IsWin10 = false;
bool IsWin8 = false;
DwmGetWindowAttributeFn DwmGetWindowAttributeProc = nullptr;

}  // namespace navigator
