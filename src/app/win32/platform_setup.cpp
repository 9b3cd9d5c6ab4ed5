#include "app/win32/platform_setup.h"

#include <lm.h>

#include "app/startup_decisions.h"
#include "platform/platform_switches.h"

namespace app {

void ReadWindowsVersion() {
  SERVER_INFO_101* info = nullptr;
  if (NetServerGetInfo(nullptr, 101, reinterpret_cast<LPBYTE*>(&info)) != NERR_Success) return;
  if (!info) return;
  const PlatformSwitches switches = SwitchesForMajorVersion(info->sv101_version_major);
  NetApiBufferFree(info);
  platform::IsWin10 = switches.isWin10;
  platform::IsWin8 = switches.isWin8;
}

}  // namespace app
