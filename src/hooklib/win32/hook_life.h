#pragma once
// The hooks this process's subclasses are tied to (hooklib/hook_tie.h): the witness of the hook
// this process sets, and the tie that its subclasses are made and act under.
#include <windows.h>

#include "hooklib/hook_tie.h"

namespace hooklib {

// SetHookCBT: sets the hook on the calling thread with its witness beside it; the hook that was
// set already if there is one; null when either could not be made.
HHOOK SetOwnHook();
// UnHookCBT, or the library leaves the process with its hook still set: the witness goes first,
// with the tie of this process's subclasses to it, so that a hook call still on its way anywhere
// subclasses nothing more; then the hook.
void RemoveOwnHook();

// The tie each hook call acts and makes its subclasses under; 0 when no hook of this library is
// set. Asks whether the witness exists (one call); a tie made anew looks the witnesses up, and may
// ask the setter for its hook handle first.
Witness TieForHookCall();
// Asked at every message of a subclassed window: costs nothing.
bool TieHolds(Witness tie);
// Asked where a subclass is about to act on its window: also whether the witness exists (one
// call).
bool TieConfirmed(Witness tie);

}  // namespace hooklib
