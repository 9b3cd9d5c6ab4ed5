#include "scroller/win32/raw_input_reader.h"

#include "platform/screen_metrics.h"
#include "scroller/win32/move_environment.h"

namespace scroller {

bool RegisterRawMouse(HWND window, RAWINPUTDEVICE& device) {
  device.usUsagePage = 1;
  device.usUsage = 2;
  device.dwFlags = RIDEV_INPUTSINK;
  device.hwndTarget = window;
  return RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
}

RawMouseEvent ReadRawMouse(HRAWINPUT input) {
  RawMouseEvent e;
  e.DataRead = false;
  RAWINPUT record{};
  UINT size = sizeof record;
  const UINT got = GetRawInputData(input, RID_INPUT, &record, &size, sizeof(RAWINPUTHEADER));
  if (got == static_cast<UINT>(-1) || got < sizeof(RAWINPUTHEADER) + sizeof(RAWMOUSE)) return e;
  if (record.header.dwType != RIM_TYPEMOUSE) return e;
  e.DataRead = true;
  e.usFlags = record.data.mouse.usFlags;
  e.lLastX = record.data.mouse.lLastX;
  e.lLastY = record.data.mouse.lLastY;
  return e;
}

KeyStates ReadKeyStates() {
  KeyStates k;
  k.Shift = GetKeyState(VK_SHIFT) < 0;
  k.Ctrl = GetKeyState(VK_CONTROL) < 0;
  k.Alt = GetKeyState(VK_MENU) < 0;
  k.RightButton = GetKeyState(VK_RBUTTON) < 0;
  k.ScrollLock = GetKeyState(VK_SCROLL) != 0;
  return k;
}

ScreenFacts ReadScreenFacts(platform::ScreenMetricsCache& cache, int minMonitorWidth, int minMonitorHeight) {
  ScreenFacts s;
  const platform::ScreenMetrics& screen = cache.Current();
  s.VirtualScreen = screen.virtualScreen;
  s.PrimaryMonitor = {screen.primary.width, screen.primary.height};
  s.MinMonitorWidth = minMonitorWidth;
  s.MinMonitorHeight = minMonitorHeight;
  return s;
}

}  // namespace scroller
