#pragma once
// What the hook tests share: one of our hook libraries loaded by full path from the output folder
// with its two exports (the hook removed and the library released when it goes), and a sizable
// titled window of the calling thread that the hook has had its chance to subclass.
#include <windows.h>

#include "hooklib/win32/hook_api.h"
#include "win_support/process_helpers.h"

namespace tvmtest {

class HookModule {
 public:
  explicit HookModule(const char* file) {
    module_ = LoadLibraryExA(BinFile(file).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module_) return;
    set = reinterpret_cast<hooklib::SetHookCBTProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, hooklib::SetHookExport)));
    unhook = reinterpret_cast<hooklib::UnHookCBTProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, hooklib::UnHookExport)));
  }
  ~HookModule() {
    if (unhook) unhook();
    Release();
  }
  HookModule(const HookModule&) = delete;
  HookModule& operator=(const HookModule&) = delete;

  bool Loaded() const { return module_ && set && unhook; }
  // Lets the library go as a host that skips UnHookCBT does; the exports are gone with it.
  void Release() {
    set = nullptr;
    unhook = nullptr;
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }

  hooklib::SetHookCBTProc set = nullptr;
  hooklib::UnHookCBTProc unhook = nullptr;

 private:
  HMODULE module_ = nullptr;
};

// Shown, then minimized and restored: an event of its thread on which the hook subclasses it.
inline HWND TouchedWindowOfThisThread(const char* title) {
  HWND w = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr, nullptr,
                           nullptr);
  if (w) {
    ShowWindow(w, SW_SHOWNORMAL);
    TouchAsAUser(w);
  }
  return w;
}

}  // namespace tvmtest
