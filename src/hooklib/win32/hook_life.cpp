#include "hook_life.h"

#include <atomic>
#include <string>

#include "core/private_messages.h"
#include "hook_state.h"
#include "peers.h"
#include "platform/handles.h"

namespace hooklib {
namespace {

#ifdef TVM_HOOK_REPORTS_TO_LOADER
constexpr const char* kLibraryFile = ident::HookLibrary64File;
#else
constexpr const char* kLibraryFile = ident::HookLibraryFile;
#endif
constexpr unsigned kBits = sizeof(void*) * 8;
// A system class: the witness runs none of our code, so one left behind (UnHookCBT from another
// thread, see RemoveOwnHook) never calls into an unloaded library.
constexpr const char* kWitnessClass = "Static";

using platform::ToHandle;
using platform::ToHwnd;

// The witness of the hook this process set; null while it set none.
std::atomic<HWND> g_ownWitness{nullptr};
HookTie g_tie;

std::string NameOf(HHOOK hook) {
  return WitnessName(kLibraryFile, kBits, static_cast<uint32_t>(reinterpret_cast<std::uintptr_t>(hook)));
}

HWND FindWitness(HWND after, const char* name) { return FindWindowExA(HWND_MESSAGE, after, kWitnessClass, name); }

// The names are read of other processes' windows only: the platform reads those without sending
// a message, which a hung thread of this process could hold up.
HWND AnotherProcessesWitness() {
  HWND w = nullptr;
  while ((w = FindWitness(w, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == GetCurrentProcessId()) continue;
    char name[64] = {};
    const int n = GetWindowTextA(w, name, static_cast<int>(sizeof name));
    if (n > 0 && IsWitnessName({name, static_cast<std::size_t>(n)}, kLibraryFile, kBits)) return w;
  }
  return nullptr;
}

HWND AnsweredHooksWitness() {
  // The setter is asked first where it has not answered yet, but only while some hook's witness
  // exists: a hook left without one (its setter killed) asks nothing.
  if (!AnsweredHook() && AnotherProcessesWitness()) AskHookHandle();
  HHOOK hook = AnsweredHook();
  if (!hook) return nullptr;
  HWND w = FindWitness(nullptr, NameOf(hook).c_str());
  // The answer names a hook that has gone: the setter is asked again.
  if (!w) ForgetAnsweredHook(hook);
  return w;
}

class LiveWitnesses : public WitnessFacts {
 public:
  Witness Find(WitnessSource source) override {
    switch (source) {
      case WitnessSource::OwnHook: return ToHandle(g_ownWitness.load(std::memory_order_acquire));
      case WitnessSource::AnsweredHook: return ToHandle(AnsweredHooksWitness());
      case WitnessSource::AnyHook: return ToHandle(AnotherProcessesWitness());
    }
    return 0;
  }
  bool Exists(Witness witness) override { return IsWindow(ToHwnd(witness)) != FALSE; }
};

}  // namespace

HHOOK SetOwnHook() {
  if (HHOOK current = g_hook.load(std::memory_order_acquire)) return current;
  // The witness comes first, so that the hook's first calls in this process find it; it is named
  // once the hook's handle is known, and until then no other process takes it for a hook's.
  HWND witness = CreateWindowExA(0, kWitnessClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!witness) return nullptr;
  HHOOK hook = SetWindowsHookExA(WH_CBT, CbtHookProc, g_module, 0);
  HHOOK expected = nullptr;
  if (!hook || !g_hook.compare_exchange_strong(expected, hook, std::memory_order_acq_rel)) {
    // Not set, or another thread set one meanwhile: keep that one.
    if (hook) UnhookWindowsHookEx(hook);
    DestroyWindow(witness);
    return expected;
  }
  g_ownWitness.store(witness, std::memory_order_release);
  if (!SetWindowTextA(witness, NameOf(hook).c_str())) {
    // No other process could tie a subclass to it.
    RemoveOwnHook();
    return nullptr;
  }
  return hook;
}

void RemoveOwnHook() {
  HHOOK hook = g_hook.exchange(nullptr, std::memory_order_acq_rel);
  if (!hook) return;
  if (HWND witness = g_ownWitness.exchange(nullptr, std::memory_order_acq_rel)) {
    g_tie.End(ToHandle(witness));
    // Only its own thread may destroy it. Any other thread asks that thread without waiting
    // (this may run in DllMain), and the witness goes at that thread's next message or its end.
    if (GetWindowThreadProcessId(witness, nullptr) == GetCurrentThreadId()) {
      DestroyWindow(witness);
    } else {
      PostMessageA(witness, WM_CLOSE, 0, 0);
    }
  }
  UnhookWindowsHookEx(hook);
}

Witness TieForHookCall() {
  LiveWitnesses facts;
  return g_tie.Current(facts);
}

bool TieHolds(Witness tie) { return g_tie.Holds(tie); }

bool TieConfirmed(Witness tie) {
  LiveWitnesses facts;
  return g_tie.Confirm(tie, facts);
}

}  // namespace hooklib
