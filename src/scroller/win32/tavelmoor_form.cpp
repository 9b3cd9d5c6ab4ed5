#include "scroller/win32/tavelmoor_form.h"

#include <algorithm>

#include "core/private_messages.h"
#include "forms/control_panel_form.h"
#include "toolkit/application.h"
#include "toolkit/message_dialog.h"
#include "toolkit/page_control.h"
#include "toolkit/standard_controls.h"
#include "navigator/win32/screen_metrics.h"
#include "navigator/win32/virtual_desktops.h"
#include "scroller/win32/engine_host.h"
#include "scroller/win32/navigator_link.h"
#include "scroller/win32/window_lists_tab.h"
#include "scroller/win32/window_scan.h"

namespace scroller {

TTavelmoorForm* TavelmoorForm = nullptr;

namespace {

constexpr const char* kExitQuestion =
    "It is recommened to close all applications before closing Tavelmoor.\r\n"
    "Are you sure you want to exit?";
constexpr const char* kHookLibraryMissing = "Tavelmoor.dll is missing, please reinstall!";
constexpr const char* kTrayHint = "Tavelmoor Wanderpane, right click for options.";
constexpr int kStartupActions = 4;

BOOL CALLBACK MonitorSizeProc(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* form = reinterpret_cast<TTavelmoorForm*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    form->MinMonitorWidth = std::min<int>(form->MinMonitorWidth, info.rcMonitor.right - info.rcMonitor.left);
    form->MinMonitorHeight = std::min<int>(form->MinMonitorHeight, info.rcMonitor.bottom - info.rcMonitor.top);
  }
  return TRUE;
}

}  // namespace

TTavelmoorForm::TTavelmoorForm() : tk::TForm(forms::ControlPanelForm()) {
  RefreshTimer.SetInterval(100);
  MoveTimer.SetInterval(60);
  CustomTimer.OnTimer = [this] { CustomTimerTimer(); };
  Engine = std::make_unique<EngineHost>();
  MoveTimer.OnTimer = [this] { MoveTimerTimer(*this); };
  RefreshTimer.OnTimer = [this] {
    if (!RefreshTickBeforeScan(*this)) return;
    {
      // Scroll requests arriving while the scan waits on a window would move a half-built list:
      // they are held and run after it.
      MoveBatch held(Engine->State);
      RunScanTick(*this);
    }
    RefreshTickAfterScan(*this);
  };
  BindWindowListsTab(*this);
  BindOptionHandlers();

  ExitAction.Caption = "E&xit";
  ExitAction.OnExecute = [this] { ExitActionExecute(); };
  ShowAction.Caption = "&Show";
  ShowAction.OnExecute = [this] { ShowActionExecute(); };
  Action64bit.Caption = "Load &64bit extension";
  Action64bit.Hint = "Load this if you want to resize 64bit programs.";

  tk::TMenuItem showItem;
  showItem.Name = "ShowTavelmoor1";
  showItem.Action = &ShowAction;
  TrayPopupMenu.Add(showItem);
  tk::TMenuItem exitItem;
  exitItem.Name = "Exit1";
  exitItem.Action = &ExitAction;
  TrayPopupMenu.Add(exitItem);

  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  theTrayIcon = std::make_unique<tk::TTrayIcon>(icon, kTrayHint, &TrayPopupMenu);
  theTrayIcon->SetVisible(true);
}

TTavelmoorForm::~TTavelmoorForm() {
  if (TavelmoorForm == this) TavelmoorForm = nullptr;
}

void TTavelmoorForm::MeasureMonitors() {
  MinMonitorWidth = 16000;
  MinMonitorHeight = 16000;
  EnumDisplayMonitors(nullptr, nullptr, MonitorSizeProc, reinterpret_cast<LPARAM>(this));
}

void TTavelmoorForm::FormCreate() {
  Sleep(100);
  MeasureMonitors();
  CursorX = 16;
  CursorY = 16;
  Closing = false;
  ScrollPaused = false;

  if (!Hook.Load(ident::HookLibraryFile)) tk::ShowMessage(kHookLibraryMissing);

  IsWow64 = DetectWow64();
  Action64bit.Enabled = IsWow64;
  Action64bit.Visible = IsWow64;

  NavRefreshCountdown = 10;
  CreateNavigator(*this);
  UserClick = false;
  Get<tk::TPageControl>("PageControl1").SetTabIndex(1);
  LoadSettings();
  CopyOptionFields();
  PassSettingsToNavigator(*this);

  LastX = -123456;
  RawInputSize = 40;
  ShellWnd = GetShellWindow();
  DesktopWnd = GetDesktopWindow();
  ScrollList.clear();
  ExcludedWindows.clear();
  ScrollListText.clear();
  WinInfo.cbSize = 60;
  GuiInfo.cbSize = 48;

  MoveSizeWnd = nullptr;
  ArrangeCountdown = -1;
  AutoScrollTarget = nullptr;
  RunCreationScan(*this);

  // Mouse motion reaches the panel also while it is hidden and another program is in front.
  RawDevice.usUsagePage = 1;
  RawDevice.usUsage = 2;
  RawDevice.dwFlags = RIDEV_INPUTSINK;
  RawDevice.hwndTarget = Handle();
  RegisterRawInputDevices(&RawDevice, 1, sizeof RawDevice);

  RefreshTimer.SetEnabled(true);
  MoveTimer.SetEnabled(true);
  UserClick = true;
  Get<tk::TComboBox>("ComboBoxHelp").SetItemIndex(0);
  ComboBoxHelpChange();
  Sleep(100);

  creationFinished_ = true;
  if (EngineCreationFinished(*this)) exitRequestedDuringCreation_ = true;
  // A second instance asked us to end while our start-up dialogs were open.
  if (exitRequestedDuringCreation_) RequestEnd();
}

void TTavelmoorForm::FormShow() {
  Hook.SetHook();
  WindowListsPanelShown(*this);
  if (!ShownOnce) {
    // Without the manager the virtual-desktop test stays off; the first show goes on.
    navigator::CreateDesktopManager();
    ScheduleStartupActions();
    ShownOnce = true;
    PostMessageA(Handle(), msg::WM_PANEL_HIDE, 0, 0);
  }
  ShownOnce = true;
}

void TTavelmoorForm::FormHide() { SaveSettings(); }

void TTavelmoorForm::FormCloseQuery(bool& canClose) {
  canClose = true;
  // Closing the window only hides the panel; forced sizes must keep working until the end.
  if (tk::Application->Terminated()) Closing = true;
}

void TTavelmoorForm::FormClose(tk::CloseAction& action) { action = tk::CloseAction::Hide; }

void TTavelmoorForm::FormDestroy() {
  shutDownStarted_ = true;
  Closing = true;
  MoveTimer.SetEnabled(false);
  RefreshTimer.SetEnabled(false);
  EngineShutDown(*this);
  ScrollListText.clear();
  ExcludedWindows.clear();
  ScrollList.clear();
  Hook.Release();
  Sleep(250);
}

void TTavelmoorForm::ScheduleStartupActions() {
  if (CustomTimer.Enabled()) return;
  CustomTimer.Tag = kStartupActions;
  CustomTimer.SetInterval(1000);
  CustomTimer.SetEnabled(true);
}

void TTavelmoorForm::CustomTimerTimer() {
  CustomTimer.SetEnabled(false);
  if (CustomTimer.Tag == kStartupActions) Hide();
  CustomTimer.Tag = 0;
}

void TTavelmoorForm::ExitActionExecute() {
  if (tk::MessageDlg(kExitQuestion, tk::DialogType::Confirmation, tk::ButtonYes | tk::ButtonCancel) !=
      tk::DialogResult::Yes) {
    return;
  }
  Closing = true;
  BringListedWindowsHome(*this);
  RequestEnd();
}

void TTavelmoorForm::ShowActionExecute() { Show(); }

void TTavelmoorForm::RequestEnd() {
  Closing = true;
  tk::Application->Terminate();
}

LRESULT TTavelmoorForm::HandlePrivateMessage(UINT message, WPARAM, LPARAM, bool& handled) {
  handled = true;
  switch (message) {
    case msg::WM_PANEL_HIDE:
      Hide();
      return 0;
    case msg::WM_INSTANCE_EXIT:
      RequestEnd();
      return 0;
    case msg::WM_INSTANCE_SHOW:
      Show();
      return 0;
    case msg::WM_HOOK_GET_HANDLE:
      return static_cast<LRESULT>(Hook.HookHandle());
    default:
      handled = false;
      return 0;
  }
}

LRESULT TTavelmoorForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DISPLAYCHANGE) navigator::ForgetScreenMetrics();
  LRESULT engineAnswer = 0;
  if (HandleEngineMessage(*this, message, wParam, lParam, engineAnswer)) return engineAnswer;
  const bool isPrivate = message >= msg::kAppBase && message <= msg::kAppBase + 0x3F;
  if (!creationFinished_) {
    // The window is findable while start-up dialogs pump messages: answer nothing yet, but
    // remember an exit request.
    if (message == msg::WM_INSTANCE_EXIT) {
      exitRequestedDuringCreation_ = true;
      return 0;
    }
    if (isPrivate || message == WM_HOTKEY) return 0;
    return tk::TForm::WndProc(message, wParam, lParam);
  }
  if (message == WM_QUERYENDSESSION) {
    Closing = true;
    // No application may save an off-screen place for the next session.
    BringEveryWindowHome(*this);
    return TRUE;
  }
  if (isPrivate) {
    bool handled = false;
    const LRESULT result = HandlePrivateMessage(message, wParam, lParam, handled);
    if (handled) return result;
  }
  return tk::TForm::WndProc(message, wParam, lParam);
}

}  // namespace scroller
