#pragma once
// What the program decides at start-up before any window exists.
#include <cstdint>

namespace app {

struct PlatformSwitches {
  bool isWin8 = false;   // desktop window manager: cloaked windows, DwmGetWindowAttribute
  bool isWin10 = false;  // visible-frame geometry and the virtual-desktop test
  friend bool operator==(const PlatformSwitches&, const PlatformSwitches&) = default;
};

// From the server information's major version field; only its low four bits count.
PlatformSwitches SwitchesForMajorVersion(uint32_t versionMajorField);

enum class StartupRole {
  ExitMessenger,    // started with a parameter: asks a running instance to end, shows nothing
  ShowMessenger,    // started plainly while an instance runs: asks it to show its panel
  RunningInstance,  // the one instance that creates the control panel
};

StartupRole DecideRole(int parameterCount, bool instanceRunning);

}  // namespace app
