// Loading into and unloading from a process. The stand-in
// only records its module handle; the per-process start-up of the full library (peer look-up,
// subclass tables) and the removal of every subclass at unload will be called from here.
#include "hook_state.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  using namespace hooklib;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_module = instance;
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // Released by FreeLibrary while its hook is still set (the host skipped UnHookCBT): remove
      // the hook so that no thread calls into the unloaded module. At process exit (reserved not
      // null) the system removes the hook itself.
      if (!reserved) {
        if (HHOOK hook = g_hook.exchange(nullptr)) UnhookWindowsHookEx(hook);
      }
      break;
    default:
      break;
  }
  return TRUE;
}
