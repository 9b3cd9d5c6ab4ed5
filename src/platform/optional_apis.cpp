#include "platform/optional_apis.h"

#include <string>

#include "platform/platform_switches.h"

namespace platform {
namespace {

template <class Fn>
Fn Bind(HMODULE library, const char* name) {
  return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

// The libraries loaded with the process: nothing is loaded here.
OptionalApis LoadedWithTheProcess() {
  OptionalApis a;
  a.IsWow64Process = Bind<OptionalApis::IsWow64ProcessFn>(GetModuleHandleA("kernel32.dll"), "IsWow64Process");
  HMODULE user32 = GetModuleHandleA("user32.dll");
  a.GetDpiForWindow = Bind<OptionalApis::GetDpiForWindowFn>(user32, "GetDpiForWindow");
  a.AdjustWindowRectExForDpi = Bind<OptionalApis::AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
  a.TaskDialogIndirect =
      Bind<OptionalApis::TaskDialogIndirectFn>(GetModuleHandleA("comctl32.dll"), "TaskDialogIndirect");
  return a;
}

// From the system folder only: never a dwmapi.dll that happens to lie beside the program.
HMODULE LoadDesktopWindowManager() {
  char folder[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder) + "\\dwmapi.dll").c_str());
}

}  // namespace

OptionalApis Apis = LoadedWithTheProcess();

HMODULE BindOptionalApis() {
  if (!IsWin8) return nullptr;
  HMODULE dwm = LoadDesktopWindowManager();
  Apis.DwmGetWindowAttribute = Bind<OptionalApis::DwmGetWindowAttributeFn>(dwm, "DwmGetWindowAttribute");
  return dwm;
}

bool RunsOnWow64() {
  if (!Apis.IsWow64Process) return false;
  BOOL flag = FALSE;
  if (!Apis.IsWow64Process(GetCurrentProcess(), &flag)) return false;
  return flag != FALSE;
}

}  // namespace platform
