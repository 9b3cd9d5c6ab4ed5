#include "toolkit/dpi.h"

#include "platform/optional_apis.h"

namespace tk {

int DpiOfWindow(HWND hwnd) {
  if (platform::Apis.GetDpiForWindow && hwnd) {
    if (const UINT dpi = platform::Apis.GetDpiForWindow(hwnd); dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, int dpi) {
  const auto adjust = platform::Apis.AdjustWindowRectExForDpi;
  if (adjust && adjust(rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

}  // namespace tk
