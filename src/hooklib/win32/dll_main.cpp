// Loading into and unloading from a process. Nothing is looked up or sent here: a cross-process
// message under the loader lock can deadlock the application, so the first hook call does the
// start-up look-up instead.
#include "hook_life.h"
#include "hook_state.h"
#include "subclasses.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  using namespace hooklib;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_module = instance;
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved not null) the hook and its witness go with the process.
      if (!reserved) {
        // Released by FreeLibrary while its hook is still set (the host skipped UnHookCBT): remove
        // the hook so that no thread calls into the unloaded module, and its witness so that no
        // subclass made under it elsewhere outlives it.
        RemoveOwnHook();
        // A library with subclasses is pinned and never gets here; this empties the table only.
        RemoveAllSubclasses();
      }
      break;
    default:
      break;
  }
  return TRUE;
}
