#include "toolkit/dpi.h"

namespace tk {
namespace {

template <class Proc>
Proc User32Proc(const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

int DpiOfWindow(HWND hwnd) {
  using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Proc<GetDpiForWindowProc>("GetDpiForWindow");
  if (getDpiForWindow && hwnd) {
    if (const UINT dpi = getDpiForWindow(hwnd); dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi) {
  using AdjustProc = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Proc<AdjustProc>("AdjustWindowRectExForDpi");
  if (adjust && adjust(rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

}  // namespace tk
