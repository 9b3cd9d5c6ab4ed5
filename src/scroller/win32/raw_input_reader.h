#pragma once
// Reading one WM_INPUT's mouse record and the facts the raw mouse handling needs with it.
#include <windows.h>

#include "platform/screen_metrics.h"
#include "scroller/raw_mouse.h"

namespace scroller {

// Mouse motion reaches `window` also while it is hidden and another program is in front.
bool RegisterRawMouse(HWND window, RAWINPUTDEVICE& device);

// The record behind a WM_INPUT handle. The size offered is set afresh on every call (the call
// writes the size it needed into it), so one short or failed read never spoils the next ones.
// DataRead is false unless a whole mouse record arrived.
RawMouseEvent ReadRawMouse(HRAWINPUT input);

// GetKeyState of Shift, Ctrl, Alt, the right button (held) and Scroll Lock (toggled or held).
KeyStates ReadKeyStates();

// The virtual screen, the primary monitor and the page size as measured at creation.
ScreenFacts ReadScreenFacts(platform::ScreenMetricsCache& cache, int minMonitorWidth, int minMonitorHeight);

}  // namespace scroller
