/* Keeps the Wine desktop of a test session alive between test processes: without a process on
   it, the desktop closes after each program and the next start pays about a second to reopen it.
   Its only window is message-only, so no window list ever sees it. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance; (void)previous; (void)commandLine; (void)show;
  CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
  MSG m;
  while (GetMessageA(&m, NULL, 0, 0) > 0) DispatchMessageA(&m);
  return 0;
}
