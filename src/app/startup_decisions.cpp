#include "app/startup_decisions.h"

namespace app {

PlatformSwitches SwitchesForMajorVersion(uint32_t versionMajorField) {
  const uint32_t major = versionMajorField & 0x0Fu;
  return {.isWin8 = major >= 8, .isWin10 = major >= 10};
}

StartupRole DecideRole(int parameterCount, bool instanceRunning) {
  if (parameterCount > 0) return StartupRole::ExitMessenger;
  return instanceRunning ? StartupRole::ShowMessenger : StartupRole::RunningInstance;
}

}  // namespace app
