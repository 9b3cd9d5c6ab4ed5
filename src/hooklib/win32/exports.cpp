// The library's two exports. Exported by the .def file under exactly these
// names, undecorated on both architectures.
#include "hook_api.h"
#include "hook_life.h"
#include "hook_state.h"

// Sets the system-wide CBT hook (all threads of the desktop) and returns its handle; 0 when it
// could not be set. While a hook is set, a further call returns that one instead of setting a
// second hook and losing the first.
extern "C" HHOOK WINAPI SetHookCBT() {
  using namespace hooklib;
  if (HHOOK current = g_hook.load(std::memory_order_acquire)) return current;
  HHOOK hook = SetWindowsHookExA(WH_CBT, CbtHookProc, g_module, 0);
  if (!hook) return nullptr;
  HHOOK expected = nullptr;
  if (!g_hook.compare_exchange_strong(expected, hook, std::memory_order_acq_rel)) {
    // Another thread set one meanwhile: keep that one.
    UnhookWindowsHookEx(hook);
    return expected;
  }
  PublishHook();
  return hook;
}

// Removes the hook if one is set; afterwards none is set in any case. The record goes first, so
// that a hook call still on its way in another process subclasses nothing more.
extern "C" void WINAPI UnHookCBT() {
  using namespace hooklib;
  if (HHOOK hook = g_hook.exchange(nullptr, std::memory_order_acq_rel)) {
    WithdrawHook();
    UnhookWindowsHookEx(hook);
  }
}
