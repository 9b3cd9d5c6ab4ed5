// tvm64.exe, our stand-in for the outside 64-bit loader. It owns a hidden top-level
// window of class "tTVM64Form" titled "TVM64LDR", which the program and TVM64 in every hooked
// 64-bit process find with FindWindowExA; it loads TVM64.dll from its own folder, sets the hook
// through SetHookCBT, answers TVM64's messages and ends on WM_LOADER_QUIT.
//
// Order at start: the window is created first, then the hook is set, and only then does the
// message loop run. A message sent to the window is handled only inside the loop, so every
// WM_HOOK_GET_HANDLE sees the final hook handle.
#include <windows.h>

#include <string>

#include "core/private_messages.h"
#include "hooklib/win32/hook_api.h"

namespace {

struct HookLibrary {
  HMODULE module = nullptr;
  hooklib::UnHookCBTProc unhook = nullptr;
  HHOOK handle = nullptr;  // what SetHookCBT returned; 0 when none is set
};

HookLibrary g_library;

// The folder of this program, with a trailing backslash; empty when it cannot be read.
std::string OwnFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Loads TVM64.dll by its full path in the loader's folder and sets the hook. A missing library or
// export leaves the hook handle 0; nothing is reported.
void LoadAndHook() {
  std::string folder = OwnFolder();
  if (folder.empty()) return;
  std::string file = folder + ident::HookLibrary64File;
  g_library.module = LoadLibraryExA(file.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!g_library.module) return;
  auto set = reinterpret_cast<hooklib::SetHookCBTProc>(
      reinterpret_cast<void*>(GetProcAddress(g_library.module, hooklib::SetHookExport)));
  g_library.unhook = reinterpret_cast<hooklib::UnHookCBTProc>(
      reinterpret_cast<void*>(GetProcAddress(g_library.module, hooklib::UnHookExport)));
  if (set) g_library.handle = set();
}

// Removes the hook; safe to call more than once.
void Unhook() {
  if (g_library.handle && g_library.unhook) g_library.unhook();
  g_library.handle = nullptr;
}

// Removes the hook and releases the library; safe to call more than once.
void UnhookAndRelease() {
  Unhook();
  g_library.unhook = nullptr;
  if (g_library.module) FreeLibrary(g_library.module);
  g_library.module = nullptr;
}

LRESULT CALLBACK LoaderWndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case msg::WM_HOOK_GET_HANDLE:
      return reinterpret_cast<LRESULT>(g_library.handle);
    case msg::WM_HOOK_PANEL_MISSING:
    case msg::WM_HOOK_SUBCLASSED:
    case msg::WM_HOOK_RELEASED:
      return 0;
    case msg::WM_LOADER_QUIT:
      // The hook goes first, so no new hook calls ask for the handle; the window goes before the
      // library, so that nothing of the library is left attached to it when it is unloaded.
      Unhook();
      DestroyWindow(wnd);
      UnhookAndRelease();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(wnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = LoaderWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = ident::LoaderWindowClass;
  if (!RegisterClassExA(&wc)) return 1;

  // A real top-level window (not message-only: other processes must find it), never shown. The
  // tool-window style keeps it off the task bar and Alt+Tab should anything ever show it.
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, ident::LoaderWindowClass, ident::LoaderWindowTitle,
                             WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!wnd) return 1;

  LoadAndHook();

  MSG m;
  int result = 0;
  for (;;) {
    BOOL got = GetMessageA(&m, nullptr, 0, 0);
    if (got == 0) {
      result = static_cast<int>(m.wParam);
      break;
    }
    if (got == -1) {
      result = 1;
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  // Ended otherwise than by WM_LOADER_QUIT (for example WM_CLOSE): the hook must still go.
  UnhookAndRelease();
  return result;
}
