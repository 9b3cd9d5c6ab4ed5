#include "app/win32/platform_setup.h"

#include <lm.h>

#include <string>

#include "app/startup_decisions.h"
#include "navigator/win32/platform_switches.h"

namespace app {

void ReadWindowsVersion() {
  SERVER_INFO_101* info = nullptr;
  if (NetServerGetInfo(nullptr, 101, reinterpret_cast<LPBYTE*>(&info)) != NERR_Success) return;
  if (!info) return;
  const PlatformSwitches switches = SwitchesForMajorVersion(info->sv101_version_major);
  NetApiBufferFree(info);
  navigator::IsWin10 = switches.isWin10;
  navigator::IsWin8 = switches.isWin8;
}

HMODULE BindDesktopWindowManager() {
  if (!navigator::IsWin8) return nullptr;
  // From the system folder only: never a dwmapi.dll that happens to lie beside the program.
  char folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder) + "\\dwmapi.dll";
  HMODULE library = LoadLibraryA(path.c_str());
  if (!library) return nullptr;
  navigator::DwmGetWindowAttributeProc = reinterpret_cast<navigator::DwmGetWindowAttributeFn>(
      reinterpret_cast<void*>(GetProcAddress(library, "DwmGetWindowAttribute")));
  return library;
}

}  // namespace app
