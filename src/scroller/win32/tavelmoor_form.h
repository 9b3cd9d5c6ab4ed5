#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/program_end.h"
#include "scroller/option_fields.h"
#include "scroller/option_table.h"
#include "scroller/settings_codec.h"
#include "scroller/win32/hook_library_host.h"
#include "toolkit/action.h"
#include "toolkit/form.h"
#include "toolkit/popup_menu.h"
#include "toolkit/timer.h"
#include "toolkit/tray_icon.h"

namespace navigator {
class DesktopModel;
class TNavigator;
}  // namespace navigator

namespace setsize {
class TMinSizeForm;
}

namespace scroller {

class ScrollEngine;
class Win32NavigatorView;
class WindowListsTab;

// The control panel: the program's main form and the owner of the scrolling engine. Closing its
// window only hides it; the program ends through the exit action or a second instance.
//
// It creates the navigator and the set-size dialog, and hands them and the engine the desktop
// model, which outlives them all.
//
// Members die in the reverse of their order here, and a call that ends one (the tray icon's
// removal) may run this window's procedure nested: what a member refers to is declared before it,
// so the tray icon goes first and the engine before the views it sees.
class TTavelmoorForm final : public tk::TForm {
  navigator::DesktopModel& model_;
  // The program's end, as the application holds it.
  const core::ProgramEnd& end_;
  class View;
  std::unique_ptr<View> view_;
  std::unique_ptr<Win32NavigatorView> navigatorView_;
  // The set-size dialog while it exists.
  setsize::TMinSizeForm* setSize_ = nullptr;
  // The form's components, before the tray menu whose items are bound to the actions.
  tk::TTimer RefreshTimer{end_};
  tk::TTimer MoveTimer{end_};
  tk::TTimer CustomTimer{end_};
  tk::TAction ExitAction;
  tk::TAction ShowAction;
  tk::TAction ArrangeAction;
  tk::TAction SetSizeAction;
  tk::TAction RestoreAction;
  tk::TAction VirtualAction;

 public:
  TTavelmoorForm(navigator::DesktopModel& model, const core::ProgramEnd& end);
  ~TTavelmoorForm() override;

  // Stored with the options: whether a show starts the 64-bit loader.
  bool Load64AtShow = false;
  // The 64-bit loader's file name, known only when the machine-wide key exists.
  std::string LoaderFileName;

  // The tray menu's items are bound to these.
  tk::TAction Action64bit;
  tk::TAction SaveAction;
  tk::TPopupMenu TrayPopupMenu;

  // Starts the 64-bit loader, or asks the running one to quit.
  void Action64bitExecute();

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormHide() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(tk::CloseAction& action) override;
  void FormDestroy() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // Registry: read once at creation, written at every hide while the model has changes pending.
  void LoadSettings();
  void SaveSettings();

  // The navigator form while it exists.
  navigator::TNavigator* Navigator() const;

  void ExitActionExecute();
  void ShowActionExecute();
  // A left click on the tray icon opens the navigator, or places it again at the cursor.
  void theTrayIconClick();
  // The set-size dialog for the active window, or for the virtual desktop.
  void SetSizeActionExecute();
  void VirtualActionExecute();
  void CustomTimerTimer();
  void ScheduleStartupActions();
  // The window layout (layout_actions.cpp).
  void ArrangeActionExecute();
  void SaveActionExecute();
  void RestoreActionExecute();

  // Life cycle; the program's end is the application's.
  bool ShownOnce = false;  // the first show has run
  bool UserClick = false;  // false while the program itself sets controls

  // The option fields: the engine and the navigator read these, never the controls.
  OptionFields Options;
  // Stored with the options (the remembered sizes and the fixed desktop size are the model's).
  std::string BackgroundFile;  // the background picture's path; the navigator owns UseBackground
  SaveFailureNotice SaveNotice;  // which failed saves are told

  HookLibraryHost Hook;
  // The scrolling engine; lives as long as the form.
  std::unique_ptr<ScrollEngine> Engine;

  // The panel as the navigator sees it.
  class Host;

  // Option controls (control_panel_options.cpp).
  // The state a row's control shows: a track bar's position, 1 or 0 for a check box.
  int32_t ControlState(const OptionRow& row);
  // Copies the row's control into its field; answers whether the field changed.
  bool CopyIntoField(const OptionRow& row);
  void BindOptionHandlers();
  void CopyOptionFields();
  void ApplyStoredSettings(const StoredSettings& stored);
  // What the settings codec keeps outside the option fields (control_panel_settings.cpp).
  KeptValues KeptOf();
  void Keep(const KeptValues& kept);
  // The window layout (layout_actions.cpp): binds the arrange, save and restore actions; checking
  // the auto-arrange box arranges at once, and the engine's auto-arrange countdown arranges
  // through the navigator. Called once the option handlers are bound.
  void ConnectLayoutActions();
  // The tray's and the panel's actions run once creation has finished and until the end is asked.
  bool ActionsMayRun() const;
  void ArrangeWithNavigator();
  void ComboBoxHelpChange();
  void SetUseBackground(bool use);

  void RequestEnd();
  // Hides the navigator and the panel before the set-size dialog opens; false while the dialog
  // cannot open (creation not finished, the end begun).
  bool MakeWayForSetSizeDialog();
  // Hides the set-size dialog when it shows; true when it did.
  bool HideSetSizeDialog();
  // Starts the 64-bit loader hidden, from the program's folder; the user's choice is recorded
  // when it started, and dropped when it could not be. True when it started.
  bool StartLoader();
  // Windows ends the session: the engine stops and brings every window home, the options are
  // saved and the program ends. A cancelled end changes nothing.
  void SessionEnds();

  std::unique_ptr<WindowListsTab> listsTab_;
  // Set when destruction begins: from then on the window procedure answers without the engine.
  bool destroying_ = false;

 public:
  std::unique_ptr<tk::TTrayIcon> theTrayIcon;
};

}  // namespace scroller
