// The library's two exports. Exported by the .def file under exactly these
// names, undecorated on both architectures.
#include "hook_api.h"
#include "hook_life.h"

// Sets the system-wide CBT hook (all threads of the desktop) and returns its handle; 0 when it
// could not be set. While a hook is set, a further call returns that one instead of setting a
// second hook and losing the first.
extern "C" HHOOK WINAPI SetHookCBT() { return hooklib::SetOwnHook(); }

// Removes the hook if one is set; afterwards none is set in any case.
extern "C" void WINAPI UnHookCBT() { hooklib::RemoveOwnHook(); }
