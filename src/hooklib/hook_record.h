#pragma once
// Whether the library's hook is set on the desktop, as every process that has the library loaded
// sees it. The process that sets the hook records it here and withdraws the record when it removes
// the hook or lets the library go; the record lives in the library's shared data, one for every
// process that maps this library file. A subclass reads it at each message, so once the hook has
// gone each subclassed window is freed at its next message, on its own thread.
//
// A setter that ends without withdrawing (killed, crashed) leaves its record behind, while Windows
// has removed its hook with the thread that set it. The record therefore names that thread: its id
// and the low half of its creation time, so that a later thread given the same id is not taken for
// it. The first hooked process that finds the thread ended withdraws the record for everyone.
//
// One hook per library file is recorded: the program sets Tavelmoor.dll's, the loader TVM64.dll's.
// Should two processes set hooks through one file, the record names the later one, and once that
// one is withdrawn the subclasses go although the earlier hook is still set.
#include <atomic>
#include <cstdint>
#include <optional>

namespace hooklib {

// The thread that set the hook.
struct HookSetter {
  uint32_t thread = 0;      // never 0 for a real thread
  uint32_t startedLow = 0;  // the low 32 bits of its creation time
  friend bool operator==(const HookSetter&, const HookSetter&) = default;
};

// One word, so that every process reads and changes it at once: it holds in shared memory, where
// no lock of one process guards another's.
class HookRecord {
 public:
  constexpr HookRecord() = default;
  HookRecord(const HookRecord&) = delete;
  HookRecord& operator=(const HookRecord&) = delete;

  // The hook this setter has just set; it replaces any record.
  void Publish(HookSetter setter);
  // Clears the record if it still names this setter: another setter's later hook stays recorded.
  void Withdraw(HookSetter setter);
  // The setter of the hook that is set; nothing when none is.
  std::optional<HookSetter> Current() const;

 private:
  static_assert(std::atomic<uint64_t>::is_always_lock_free, "the record must need no lock");
  std::atomic<uint64_t> word_{0};  // startedLow << 32 | thread; 0: no hook
};

enum class HookLife { Set, Gone };

// `askSetter` false reads the record alone, which costs nothing and is done at every message;
// true also asks `setterEnded(setter)` whether the setter's thread has ended, where a subclass is
// about to act on its window. A setter found ended is withdrawn for every process.
template <class SetterEnded>
HookLife CheckHook(HookRecord& record, bool askSetter, SetterEnded&& setterEnded) {
  const std::optional<HookSetter> setter = record.Current();
  if (!setter) return HookLife::Gone;
  if (askSetter && setterEnded(*setter)) {
    record.Withdraw(*setter);
    return HookLife::Gone;
  }
  return HookLife::Set;
}

}  // namespace hooklib
