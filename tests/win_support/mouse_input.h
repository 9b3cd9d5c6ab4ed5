#pragma once
// The mouse as a user moves it, through SendInput: the pointer to a screen point (absolute, no
// acceleration), a button, the wheel. The window under the pointer gets the messages.
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace tvmtest {

inline void PointerTo(int x, int y) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((int64_t{x} - left) * 65535 / std::max<int64_t>(width - 1, 1));
  in.mi.dy = static_cast<LONG>((int64_t{y} - top) * 65535 / std::max<int64_t>(height - 1, 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  SendInput(1, &in, sizeof in);
}

// MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP, ...
inline void Button(DWORD flag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flag;
  SendInput(1, &in, sizeof in);
}

inline void Wheel(int delta) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.mouseData = static_cast<DWORD>(delta);
  in.mi.dwFlags = MOUSEEVENTF_WHEEL;
  SendInput(1, &in, sizeof in);
}

}  // namespace tvmtest
