#pragma once
// The library's hook as every process that has the library loaded sees it (hooklib/hook_record.h):
// the process that sets the hook records it in the library's shared data, and hooked processes
// ask whether it is still set.
#include <windows.h>

namespace hooklib {

// SetHookCBT has set the hook on the calling thread: recorded for every process.
void PublishHook();
// The hook this process recorded is removed (UnHookCBT, or the library leaves the process).
void WithdrawHook();

// The record alone: costs nothing, asked at every message of a subclassed window.
bool HookIsSet();
// Also asks whether the thread that set the hook still runs (one kernel call): asked where a
// subclass is about to act on its window and before a window is subclassed.
bool HookIsSetAndSetterRuns();

}  // namespace hooklib
