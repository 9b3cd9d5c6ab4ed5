#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "scroller/option_fields.h"
#include "scroller/settings_codec.h"
#include "scroller/win32/hook_library_host.h"
#include "toolkit/action.h"
#include "toolkit/form.h"
#include "toolkit/popup_menu.h"
#include "toolkit/timer.h"
#include "toolkit/tray_icon.h"

namespace scroller {

class EngineHost;

// The control panel: the program's main form and the owner of the scrolling engine. Closing its
// window only hides it; the program ends through the exit action or a second instance.
class TTavelmoorForm final : public tk::TForm {
 public:
  TTavelmoorForm();
  ~TTavelmoorForm() override;

  // Life cycle.
  bool Closing = false;    // the program's end has been requested
  bool ShownOnce = false;  // the first show has run
  bool UserClick = false;  // false while the program itself sets controls

  // The option fields: the engine and the navigator read these, never the controls.
  OptionFields Options;

  // Stored with the options.
  std::string BackgroundFile;
  bool UseBackground = false;
  bool Load64AtShow = false;
  bool ScrollLockChecked = false;  // the tray menu's Scroll Lock item
  int32_t LimitX = 0;
  int32_t LimitY = 0;
  std::vector<RememberedSize> RememberedSizes;
  SaveFailureNotice SaveNotice;  // which failed saves are told

  // Registry: read once at creation, written at every hide while SettingsChanged is set.
  void LoadSettings();
  void SaveSettings();

  // Engine start values (the engine's own state lives with its parts).
  int MinMonitorWidth = 16000;
  int MinMonitorHeight = 16000;
  int CursorX = 16;
  int CursorY = 16;
  int LastX = -123456;
  UINT RawInputSize = 40;
  RAWINPUTDEVICE RawDevice{};
  int NavRefreshCountdown = 10;
  int ArrangeCountdown = -1;
  HWND AutoScrollTarget = nullptr;
  bool ScrollPaused = false;
  HWND ShellWnd = nullptr;
  HWND DesktopWnd = nullptr;
  HWND MoveSizeWnd = nullptr;
  std::vector<HWND> ScrollList;
  std::vector<HWND> ExcludedWindows;
  std::vector<std::string> ScrollListText;
  WINDOWINFO WinInfo{};
  GUITHREADINFO GuiInfo{};

  HookLibraryHost Hook;
  // The scrolling engine's state; lives as long as the form.
  std::unique_ptr<EngineHost> Engine;
  bool IsWow64 = false;

  tk::TTimer RefreshTimer;
  tk::TTimer MoveTimer;
  tk::TTimer CustomTimer;

  tk::TAction ExitAction;
  tk::TAction ShowAction;
  tk::TAction Action64bit;
  tk::TPopupMenu TrayPopupMenu;
  std::unique_ptr<tk::TTrayIcon> theTrayIcon;

  void ExitActionExecute();
  void ShowActionExecute();
  void CustomTimerTimer();
  void ScheduleStartupActions();

  // True from the end of FormCreate until shut-down begins.
  bool Ready() const { return creationFinished_ && !shutDownStarted_; }

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormHide() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(tk::CloseAction& action) override;
  void FormDestroy() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // Option controls.
  void BindOptionHandlers();
  void CopyOptionFields();
  void ApplyStoredSettings(const StoredSettings& stored);
  void ComboBoxHelpChange();

  void RequestEnd();
  void MeasureMonitors();
  LRESULT HandlePrivateMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

  bool creationFinished_ = false;
  bool exitRequestedDuringCreation_ = false;
  bool shutDownStarted_ = false;
};

// An option changed since the last save.
extern bool SettingsChanged;
// The 64-bit loader's file name, known only when the machine-wide key exists.
extern std::string LoaderFileName;

// The control panel, like the forms' unit-level variables.
extern TTavelmoorForm* TavelmoorForm;

}  // namespace scroller
