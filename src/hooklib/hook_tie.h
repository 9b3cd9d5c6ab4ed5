#pragma once
// Which hook a process's subclasses belong to, with nothing shared between processes.
//
// Every setter of a hook (the program for Tavelmoor.dll, each running loader for TVM64.dll, in any
// user's session) owns a witness: a message-only window of the thread that set the hook, named
// after the library, its bitness and the hook. Windows frees a thread's windows together with its
// hooks, and UnHookCBT destroys the witness before it removes the hook, so a witness exists for
// exactly as long as its hook is set.
//
// A process ties the subclasses it makes to one witness and each subclass carries that tie: the
// witness of the hook this process set, else that of the hook whose handle its setter answered,
// else that of any hook of this library. Once the tie's witness is found gone, the tie ends and
// every subclass made under it removes itself at its next message; a hook made by another setter
// coming or going leaves the tie alone. A later hook call makes a new tie, and the windows are
// subclassed anew under it.
//
// Holds() is read at every message of a subclassed window and costs nothing; whether a witness
// still exists (one platform call) is asked only where a subclass is about to act, and at each
// hook call, which does nothing of ours while the process has no tie.
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace hooklib {

// A witness window's handle; 0 is none.
using Witness = std::uintptr_t;

// Where a process looks for the witness of a new tie, in this order.
enum class WitnessSource {
  OwnHook,       // the hook this process set
  AnsweredHook,  // the hook whose handle the process's setter (control panel or loader) answered
  AnyHook,       // any hook of this library that another process set
};
inline constexpr WitnessSource kWitnessOrder[] = {WitnessSource::OwnHook, WitnessSource::AnsweredHook,
                                                  WitnessSource::AnyHook};

class WitnessFacts {
 public:
  virtual ~WitnessFacts() = default;
  // The witness from that source; 0 when it has none.
  virtual Witness Find(WitnessSource source) = 0;
  virtual bool Exists(Witness witness) = 0;
};

// The tie of one process, shared by its threads: one word, changed at once.
class HookTie {
 public:
  HookTie() = default;
  HookTie(const HookTie&) = delete;
  HookTie& operator=(const HookTie&) = delete;

  // Whether a subclass made under `tie` still belongs to the live tie; asks nothing.
  bool Holds(Witness tie) const { return tie != 0 && live_.load(std::memory_order_acquire) == tie; }
  // Holds, and the witness still exists; a witness found gone ends the tie.
  bool Confirm(Witness tie, WitnessFacts& facts);
  // The tie a hook call acts under: the live one while its witness exists, else a new one to the
  // first witness of kWitnessOrder that exists; 0 when there is none, which ends the old tie.
  Witness Current(WitnessFacts& facts);
  // This process removes the hook of that witness: a tie to it ends, any other stays.
  void End(Witness witness);

 private:
  static_assert(std::atomic<Witness>::is_always_lock_free);
  std::atomic<Witness> live_{0};
};

// A witness's name, e.g. "TVM64.dll 64-bit hook 0002004A": the hook by the low 32 bits of its
// handle, which are all that a handle holds in either bitness.
std::string WitnessName(std::string_view library, unsigned bits, uint32_t hook);
// Whether the name is that of a witness of this library and bitness, of any hook.
bool IsWitnessName(std::string_view name, std::string_view library, unsigned bits);

}  // namespace hooklib
