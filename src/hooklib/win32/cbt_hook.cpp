// The WH_CBT hook procedure. For now a pure pass-through: it takes no decision of its own and
// always hands the event on, returning what the next hook returned, so no CBT event is ever
// vetoed. The peer look-up and the subclassing of the full library grow here; the decisions they
// take from window facts go into the platform-free tvm_hooklib_logic (src/hooklib/*.cpp).
#include "hook_state.h"

namespace hooklib {

LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
  // The handle is ignored by CallNextHookEx on every Windows since NT; in hooked processes other
  // than the one that set the hook it is null, which is fine for that reason.
  return CallNextHookEx(g_hook.load(std::memory_order_acquire), code, wParam, lParam);
}

}  // namespace hooklib
