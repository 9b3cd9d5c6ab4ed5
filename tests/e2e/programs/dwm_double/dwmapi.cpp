// A stand-in for the system's dwmapi.dll under Wine, which lacks the answers scenarios need. It
// reads what to answer from the window properties test_windows.exe sets.
#include <windows.h>

#include "programs/window_marks.h"

namespace {

constexpr DWORD kCloaked = 14;             // DWMWA_CLOAKED
constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

int Margin(HWND hwnd, int side) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(hwnd, tvmtw::kFrameMarginProperties[side])));
}

}  // namespace

extern "C" HRESULT WINAPI DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  if (!value) return E_INVALIDARG;
  if (attribute == kCloaked) {
    if (size != sizeof(DWORD)) return E_INVALIDARG;
    if (!IsWindow(hwnd)) return HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE);
    *static_cast<DWORD*>(value) = GetPropA(hwnd, tvmtw::kCloakedProperty) ? 1 : 0;
    return S_OK;
  }
  if (attribute == kExtendedFrameBounds) {
    if (size != sizeof(RECT)) return E_INVALIDARG;
    RECT r{};
    if (!GetWindowRect(hwnd, &r)) return HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE);
    r.left += Margin(hwnd, 0);
    r.top += Margin(hwnd, 1);
    r.right -= Margin(hwnd, 2);
    r.bottom -= Margin(hwnd, 3);
    *static_cast<RECT*>(value) = r;
    return S_OK;
  }
  return E_INVALIDARG;
}
