#include "support/loader_windows.h"

#include <chrono>

#include "core/private_messages.h"
#include "win_support/process_helpers.h"

namespace e2e {

using namespace std::chrono_literals;

void EndLoaders() {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, nullptr, ident::LoaderWindowClass, ident::LoaderWindowTitle)) != nullptr) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(w, msg::WM_LOADER_QUIT, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    if (!tvmtest::WaitUntil([&] { return !IsWindow(w); }, 3s)) break;
  }
}

int LoaderWindows() {
  int n = 0;
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, ident::LoaderWindowClass, ident::LoaderWindowTitle)) != nullptr) ++n;
  return n;
}

bool CreateMachineKey() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tavelmoor", 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void DeleteMachineKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Tavelmoor"); }

}  // namespace e2e
