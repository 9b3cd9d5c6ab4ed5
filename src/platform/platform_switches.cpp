#include "platform/platform_switches.h"

namespace platform {

bool IsWin10 = false;
bool IsWin8 = false;

}  // namespace platform
