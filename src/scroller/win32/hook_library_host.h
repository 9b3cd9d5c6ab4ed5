#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "hooklib/win32/hook_api.h"

namespace scroller {

// The program's side of the 32-bit hook library: loading it, setting and removing its hook.
class HookLibraryHost {
 public:
  // Loads the library from the program's own folder; false when it is missing there.
  bool Load(const std::string& fileName);
  // Sets the hook unless it is set already; a failed attempt can be repeated.
  void SetHook();
  // Removes the hook and releases the library; safe to call when neither is there.
  void Release();

  bool Loaded() const { return HookLibrary != nullptr; }
  uint32_t HookHandle() const { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hookHandle_)); }

  HMODULE HookLibrary = nullptr;
  hooklib::SetHookCBTProc SetHookCBT = nullptr;
  hooklib::UnHookCBTProc UnHookCBT = nullptr;

 private:
  HHOOK hookHandle_ = nullptr;
};

}  // namespace scroller
