#pragma once
// Per-process state of the hook library. Every process that loads the library has its own copy,
// and nothing is shared between processes: what a process knows of other processes' hooks it
// learns from their witness windows (hook_life.h). The hook procedure runs on whichever thread
// raises a CBT event and the subclass procedure on each window's own thread, so everything here is
// atomic or guarded (subclasses.cpp).
#include <windows.h>

#include <atomic>

namespace hooklib {

// The library's own module, as the loader passed it to DllMain.
inline HINSTANCE g_module = nullptr;

// The hook that SetHookCBT set in this process; null while none is set.
inline std::atomic<HHOOK> g_hook{nullptr};

// Holds an SRW lock exclusively for its scope.
class ExclusiveLock {
 public:
  explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

 private:
  SRWLOCK& lock_;
};

// The WH_CBT hook procedure (cbt_hook.cpp).
LRESULT CALLBACK CbtHookProc(int code, WPARAM wParam, LPARAM lParam);

}  // namespace hooklib
