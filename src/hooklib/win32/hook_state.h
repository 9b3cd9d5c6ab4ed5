#pragma once
// Per-process state of the hook library. Every process that loads the library has its own copy
// (the data sections are not shared): the module handle is set on process attach; the hook handle
// is set only in the process that called SetHookCBT.
#include <windows.h>

#include <atomic>

namespace hooklib {

// The library's own module, as the loader passed it to DllMain.
inline HINSTANCE g_module = nullptr;

// The hook that SetHookCBT set in this process; null while none is set. Read by the hook procedure
// on whatever thread raises a CBT event, written by the exports: hence atomic.
inline std::atomic<HHOOK> g_hook{nullptr};

// The WH_CBT hook procedure (cbt_hook.cpp).
LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace hooklib
