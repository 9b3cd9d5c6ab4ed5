// Tavelmoor: start-up, the single instance, and the end of the program.
#include <windows.h>
#include <objbase.h>

#include <cstdlib>

#include "app/startup_decisions.h"
#include "app/win32/platform_setup.h"
#include "platform/optional_apis.h"
#include "core/private_messages.h"
#include "navigator/win32/desktop_model.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The virtual-desktop manager needs a single-threaded apartment on the GUI thread.
  const HRESULT com = CoInitialize(nullptr);
  app::ReadWindowsVersion();
  const HMODULE dwmLibrary = platform::BindOptionalApis();

  // Hidden panels count too: a running instance usually sits in the notification area.
  const HWND prevInstanceWnd = FindWindowExA(nullptr, nullptr, ident::ControlPanelClass, ident::ControlPanelTitle);

  {
    // What the forms share outlives them: it is made first and goes last.
    navigator::DesktopModel model;
    tk::TApplication application;
    application.SetTitle(ident::ApplicationTitle);
    switch (app::DecideRole(__argc - 1, prevInstanceWnd != nullptr)) {
      case app::StartupRole::ExitMessenger:
        if (prevInstanceWnd) PostMessageA(prevInstanceWnd, msg::WM_INSTANCE_EXIT, 0, 0);
        Sleep(100);
        application.Terminate();
        break;
      case app::StartupRole::ShowMessenger:
        PostMessageA(prevInstanceWnd, msg::WM_INSTANCE_SHOW, 0, 0);
        application.Terminate();
        break;
      case app::StartupRole::RunningInstance:
        // The panel makes the navigator and the set-size dialog after itself, so that they are
        // destroyed before it.
        application.CreateForm<scroller::TTavelmoorForm>(model, application.End());
        break;
    }
    application.Run();
  }

  if (SUCCEEDED(com)) CoUninitialize();
  if (dwmLibrary) FreeLibrary(dwmLibrary);
  return 0;
}
