#include "toolkit/window_class.h"

#include "toolkit/guard.h"

namespace tk {
namespace {

LRESULT CALLBACK FormClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* handler = reinterpret_cast<WindowHandler*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!handler) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] {
    result = handler->HandleMessage(hwnd, msg, wParam, lParam);
    handled = true;
  });
  return handled ? result : DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterOnce() {
  static const ATOM atom = [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FormClassProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
    wc.hIconSm = wc.hIcon;
    wc.lpszClassName = kFormClassName;
    return RegisterClassExA(&wc);
  }();
  (void)atom;
}

}  // namespace

HWND CreateFormClassWindow(WindowHandler* handler, DWORD exStyle, const char* title, DWORD style,
                           int x, int y, int width, int height, HWND parent) {
  RegisterOnce();
  return CreateWindowExA(exStyle, kFormClassName, title, style, x, y, width, height, parent,
                         nullptr, GetModuleHandleA(nullptr), handler);
}

}  // namespace tk
