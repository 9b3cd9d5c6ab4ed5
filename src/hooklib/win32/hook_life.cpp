#include "hook_life.h"

#include <atomic>
#include <optional>

#include "hook_state.h"
#include "hooklib/hook_record.h"

namespace hooklib {
namespace {

// One record for every process that maps this library file: the section is shared (and so
// writable by any of them; it holds nothing but the setter's thread).
__attribute__((section(".tvmshr"), shared)) constinit HookRecord g_record;

// What this process recorded; thread 0 while it recorded nothing.
std::atomic<HookSetter> g_published{HookSetter{}};

// The setter thread this process watches, opened once per setter: a kernel handle, so that a
// question costs one call and no look-up.
struct WatchedSetter {
  HookSetter setter;
  HANDLE thread = nullptr;
  bool ended = false;
};
SRWLOCK g_watchLock = SRWLOCK_INIT;
WatchedSetter g_watched;

std::optional<uint32_t> StartedLow(HANDLE thread) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetThreadTimes(thread, &created, &exited, &kernel, &user)) return std::nullopt;
  return created.dwLowDateTime;
}

WatchedSetter Watch(HookSetter setter) {
  WatchedSetter w{setter, OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, setter.thread)};
  if (!w.thread) {
    // No thread of that id any more; a thread we may not open (another user's) cannot be told,
    // and the record alone decides.
    w.ended = GetLastError() == ERROR_INVALID_PARAMETER;
    return w;
  }
  const std::optional<uint32_t> started = StartedLow(w.thread);
  // A thread started at another time wears the id of one that has ended.
  if (started && *started != setter.startedLow) w.ended = true;
  return w;
}

bool SetterEnded(HookSetter setter) {
  ExclusiveLock lock(g_watchLock);
  if (!(g_watched.setter == setter)) {
    if (g_watched.thread) CloseHandle(g_watched.thread);
    g_watched = Watch(setter);
  }
  if (!g_watched.ended && g_watched.thread && WaitForSingleObject(g_watched.thread, 0) == WAIT_OBJECT_0) {
    g_watched.ended = true;
  }
  return g_watched.ended;
}

HookSetter ThisThread() {
  HookSetter self{GetCurrentThreadId(), 0};
  if (const std::optional<uint32_t> started = StartedLow(GetCurrentThread())) self.startedLow = *started;
  return self;
}

}  // namespace

void PublishHook() {
  const HookSetter self = ThisThread();
  g_published.store(self, std::memory_order_release);
  g_record.Publish(self);
}

void WithdrawHook() {
  const HookSetter mine = g_published.exchange(HookSetter{}, std::memory_order_acq_rel);
  if (mine.thread != 0) g_record.Withdraw(mine);
}

bool HookIsSet() {
  return CheckHook(g_record, false, [](HookSetter) { return false; }) == HookLife::Set;
}

bool HookIsSetAndSetterRuns() { return CheckHook(g_record, true, SetterEnded) == HookLife::Set; }

}  // namespace hooklib
