#pragma once
#include <windows.h>

namespace tk {

// Every window the toolkit creates for the program (the application window, forms and their
// containers) is of this class: other programs and the scan identify the program's windows by it.
inline constexpr const char* kFormClassName = "TTavelmoorForm";

// Anything that owns a window of the form class and handles its messages.
class WindowHandler {
 public:
  virtual LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~WindowHandler() = default;
};

// Creates a window of the form class whose messages go to handler (from WM_NCCREATE on).
HWND CreateFormClassWindow(WindowHandler* handler, DWORD exStyle, const char* title, DWORD style,
                           int x, int y, int width, int height, HWND parent);

}  // namespace tk
