#pragma once
// The hot keys of keyboard scrolling belong to the control panel window.
#include <windows.h>

#include "scroller/hot_keys.h"

namespace scroller {

class Win32HotKeyRegistrar final : public HotKeyRegistrar {
 public:
  explicit Win32HotKeyRegistrar(HWND window) : window_(window) {}
  bool Register(int id, uint32_t modifiers, uint32_t virtualKey) override {
    return RegisterHotKey(window_, id, modifiers, virtualKey) != FALSE;
  }
  // A key that was not registered fails; that is of no concern.
  void Unregister(int id) override { UnregisterHotKey(window_, id); }

 private:
  HWND window_;
};

}  // namespace scroller
