#include "scroller/win32/tavelmoor_form.h"

#include <shellapi.h>

#include "core/private_messages.h"
#include "forms/control_panel_form.h"
#include "navigator/navigator_host.h"
#include "navigator/win32/desktop_model.h"
#include "navigator/win32/navigator_form.h"
#include "platform/handles.h"
#include "platform/optional_apis.h"
#include "platform/program_folder.h"
#include "platform/screen_metrics.h"
#include "scroller/win32/navigator_link.h"
#include "scroller/win32/scroll_engine.h"
#include "scroller/win32/window_lists_tab.h"
#include "setsize/win32/min_size_form.h"
#include "toolkit/application.h"
#include "toolkit/message_dialog.h"
#include "toolkit/page_control.h"
#include "toolkit/standard_controls.h"

namespace scroller {

namespace {

constexpr const char* kExitQuestion =
    "It is recommened to close all applications before closing Tavelmoor.\r\n"
    "Are you sure you want to exit?";
constexpr const char* kHookLibraryMissing = "Tavelmoor.dll is missing, please reinstall!";
constexpr const char* kTrayHint = "Tavelmoor Wanderpane, right click for options.";
constexpr int kStartupActions = 4;
constexpr UINT kLoaderAnswerMs = 5000;

}  // namespace

// The panel as the navigator's painting and mouse see it.
class TTavelmoorForm::Host final : public navigator::NavigatorHost {
 public:
  explicit Host(TTavelmoorForm& panel) : panel_(panel) {}
  int32_t DoXMove() const override { return panel_.Options.DoXMove; }
  int32_t DoYMove() const override { return panel_.Options.DoYMove; }
  bool ShowGlyphs() const override { return panel_.Options.ShowGlyphs; }
  void SetPendingDX(int32_t dx) override { panel_.Engine->SetPendingDX(dx); }
  void SetPendingDY(int32_t dy) override { panel_.Engine->SetPendingDY(dy); }
  void RepaintSoon() override { panel_.Engine->RepaintNavigatorSoon(); }
  void MoveWindowBy(navigator::WindowHandle window, core::Point seen, int64_t dx, int64_t dy) override {
    panel_.Engine->MoveWindowBy(window, seen, dx, dy);
  }
  void WindowsPlaced(std::span<const navigator::Placement> placed) override { panel_.Engine->WindowsPlaced(placed); }

 private:
  TTavelmoorForm& panel_;
};

// The engine's view of the panel.
class TTavelmoorForm::View final : public PanelView {
 public:
  explicit View(TTavelmoorForm& form) : form_(form) {}

  HWND Handle() const override { return form_.Handle(); }
  bool Visible() const override { return form_.Visible(); }
  void Show() override { form_.Show(); }
  void Hide() override { form_.Hide(); }
  bool HideSetSizeDialog() override { return form_.HideSetSizeDialog(); }
  void End() override { form_.RequestEnd(); }
  const OptionFields& Options() const override { return form_.Options; }
  uint32_t HookHandle() const override { return form_.Hook.HookHandle(); }
  void SetLoaderRunning(bool running) override {
    form_.Action64bit.Checked = running;
    form_.Get<tk::TCheckBox>("CheckBox64ext").ShowChecked(running);
  }
  void ScrollLockItemChanged(bool checked) override { form_.TrayPopupMenu.Item("menuScrollLock").Checked = checked; }

 private:
  TTavelmoorForm& form_;
};

TTavelmoorForm::TTavelmoorForm(navigator::DesktopModel& model, const core::ProgramEnd& end)
    : tk::TForm(forms::ControlPanelForm()),
      model_(model),
      end_(end),
      view_(std::make_unique<View>(*this)),
      navigatorView_(std::make_unique<Win32NavigatorView>()) {
  model_.Entries().SetControlPanel(platform::ToHandle(Handle()));
  Engine = std::make_unique<ScrollEngine>(*view_, *navigatorView_, model_, end_);
  listsTab_ = std::make_unique<WindowListsTab>(*this, *Engine, model_.Changes());
  RefreshTimer.SetInterval(100);
  MoveTimer.SetInterval(60);
  CustomTimer.OnTimer = [this] { CustomTimerTimer(); };
  MoveTimer.OnTimer = [this] { Engine->MoveTick(); };
  RefreshTimer.OnTimer = [this] {
    if (Engine->RefreshTick()) listsTab_->AfterScan(Visible());
  };
  BindOptionHandlers();

  ExitAction.Caption = "E&xit";
  ExitAction.OnExecute = [this] { ExitActionExecute(); };
  ShowAction.Caption = "&Show";
  ShowAction.OnExecute = [this] { ShowActionExecute(); };
  Action64bit.Caption = "Load &64bit extension";
  Action64bit.Hint = "Load this if you want to resize 64bit programs.";
  Action64bit.OnExecute = [this] { Action64bitExecute(); };
  // Bound to the action: it shows the action's state and runs it.
  auto& box64 = Get<tk::TCheckBox>("CheckBox64ext");
  box64.OnClick = [this, &box64] {
    Action64bit.Execute();
    box64.ShowChecked(Action64bit.Checked);
  };

  tk::TMenuItem showItem;
  showItem.Name = "ShowTavelmoor1";
  showItem.Action = &ShowAction;
  TrayPopupMenu.Add(showItem);
  tk::TMenuItem exitItem;
  exitItem.Name = "Exit1";
  exitItem.Action = &ExitAction;
  TrayPopupMenu.Add(exitItem);
  tk::TMenuItem scrollLockItem;
  scrollLockItem.Name = "menuScrollLock";
  scrollLockItem.Caption = "Scroll Lock";
  scrollLockItem.AutoCheck = true;
  scrollLockItem.OnClick = [this] {
    Engine->ScrollLockItemClicked(TrayPopupMenu.Item("menuScrollLock").Checked);
    model_.Changes().Mark();
  };
  TrayPopupMenu.Add(scrollLockItem);
  tk::TMenuItem load64Item;
  load64Item.Name = "Load64bitextension1";
  load64Item.Action = &Action64bit;
  TrayPopupMenu.Add(load64Item);
  struct ActionItem {
    const char* name;
    const char* caption;
    tk::TAction* action;
  };
  const ActionItem actionItems[] = {
      {"Arrangewindows1", "&Arrange windows", &ArrangeAction},
      {"Setwindowsize1", "Set &window size", &SetSizeAction},
      {"Savewindowpositions1", "Save window &positions", &SaveAction},
      {"Restorewindowpositions1", "&Restore window positions", &RestoreAction},
      {"Setvirtualdesktopsize1", "Set &virtual desktop size", &VirtualAction},
  };
  for (const ActionItem& later : actionItems) {
    later.action->Caption = later.caption;
    tk::TMenuItem item;
    item.Name = later.name;
    item.Action = later.action;
    TrayPopupMenu.Add(item);
  }
  SetSizeAction.OnExecute = [this] { SetSizeActionExecute(); };
  VirtualAction.OnExecute = [this] { VirtualActionExecute(); };
  ConnectLayoutActions();

  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  theTrayIcon = std::make_unique<tk::TTrayIcon>(icon, kTrayHint, &TrayPopupMenu);
  theTrayIcon->OnClick = [this] { theTrayIconClick(); };
  theTrayIcon->SetVisible(true);
}

TTavelmoorForm::~TTavelmoorForm() { destroying_ = true; }

navigator::TNavigator* TTavelmoorForm::Navigator() const { return navigatorView_->Live(); }

void TTavelmoorForm::FormCreate() {
  // An earlier instance that a second start has just asked to end is given a moment to bring its
  // windows home and let its hook go before this one scans them.
  Sleep(100);

  if (!Hook.Load(ident::HookLibraryFile)) tk::ShowMessage(kHookLibraryMissing);

  // Only a 32-bit build under WoW64 offers the loader; IsWow64Process answers false to a 64-bit
  // build, whose own hook library reaches the 64-bit processes already: the loader would put a
  // second one into each of them. Without the offer nothing probes for or starts the loader.
  Engine->Start(platform::RunsOnWow64());
  const bool offered = Engine->IsWow64();
  Action64bit.Enabled = offered;
  Action64bit.Visible = offered;
  Get<tk::TCheckBox>("CheckBox64ext").SetVisible(offered);
  Get<tk::TCheckBox>("CheckBox64ext").SetEnabled(offered);

  navigatorView_->Create(model_, Handle(), end_, std::make_unique<Host>(*this), [this] { SaveSettings(); });
  setSize_ = &tk::Application->CreateForm<setsize::TMinSizeForm>(model_, *Engine);
  setSize_->OnSaveSettings = [this] { SaveSettings(); };
  setSize_->OnGone = [this] { setSize_ = nullptr; };
  UserClick = false;
  Get<tk::TPageControl>("PageControl1").SetTabIndex(1);
  LoadSettings();
  CopyOptionFields();

  Engine->CreationScan();
  Engine->RegisterRawMouse();

  RefreshTimer.SetEnabled(true);
  MoveTimer.SetEnabled(true);
  UserClick = true;
  Get<tk::TComboBox>("ComboBoxHelp").SetItemIndex(0);
  ComboBoxHelpChange();
  // The windows the first scan gave a remembered size take it before the first show arranges
  // them.
  Sleep(100);

  // A second instance asked us to end while our start-up dialogs were open.
  if (Engine->FinishCreation()) RequestEnd();
}

void TTavelmoorForm::FormShow() {
  Hook.SetHook();
  listsTab_->PanelShown();
  if (!ShownOnce) {
    // Without the manager the virtual-desktop test stays off; the first show goes on.
    model_.Desktops().CreateDesktopManager();
    // Arranged now, and again with the start-up actions a second later, once the windows still
    // starting with the program have been scanned; the restore then puts the saved ones back.
    ArrangeActionExecute();
    ScheduleStartupActions();
    ShownOnce = true;
    PostMessageA(Handle(), msg::WM_PANEL_HIDE, 0, 0);
  }
  // The user's standing choice: a loader that runs already (from an earlier run too) is kept; one
  // that cannot be started ends the choice, which the next save then stores.
  if (Engine->IsWow64() && Load64AtShow && !Engine->FindLoader() && !StartLoader()) model_.Changes().Mark();
}

void TTavelmoorForm::FormHide() { SaveSettings(); }

// Closing the window only hides the panel (FormClose): forced sizes keep working until the
// program's end.
void TTavelmoorForm::FormCloseQuery(bool& canClose) { canClose = true; }

void TTavelmoorForm::FormClose(tk::CloseAction& action) { action = tk::CloseAction::Hide; }

void TTavelmoorForm::FormDestroy() {
  MoveTimer.SetEnabled(false);
  RefreshTimer.SetEnabled(false);
  Engine->ShutDown();
  Hook.Release();
  // The hooked applications' threads get a moment to take the hook's removal, and drop their
  // subclasses, while this process still holds the library's file.
  Sleep(250);
}

void TTavelmoorForm::SessionEnds() {
  RequestEnd();
  MoveTimer.SetEnabled(false);
  RefreshTimer.SetEnabled(false);
  Engine->ShutDown();
  SaveSettings();
}

void TTavelmoorForm::Action64bitExecute() {
  if (HWND loader = Engine->LoaderWindow()) {
    Load64AtShow = false;
    // Bounded: a hung loader must not hang the panel.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(loader, msg::WM_LOADER_QUIT, 0, 0, SMTO_ABORTIFHUNG, kLoaderAnswerMs, &ignored);
  } else {
    StartLoader();
  }
  model_.Changes().Mark();
}

bool TTavelmoorForm::StartLoader() {
  // The choice stands only while the loader can be started; otherwise "x64" is saved as 0.
  Load64AtShow = false;
  if (LoaderFileName.empty()) return false;
  // By full path: a bare name would run whatever the current directory holds.
  const std::string path = platform::ProgramFolder() + LoaderFileName;
  const auto started = reinterpret_cast<INT_PTR>(ShellExecuteA(Handle(), nullptr, path.c_str(), "", "", SW_HIDE));
  // ShellExecuteA answers a value above 32 when it started the file.
  Load64AtShow = started > 32;
  return Load64AtShow;
}

void TTavelmoorForm::ScheduleStartupActions() {
  if (CustomTimer.Enabled()) return;
  CustomTimer.Tag = kStartupActions;
  CustomTimer.SetInterval(1000);
  CustomTimer.SetEnabled(true);
}

void TTavelmoorForm::CustomTimerTimer() {
  CustomTimer.SetEnabled(false);
  if (CustomTimer.Tag == kStartupActions) {
    CustomTimer.Tag = 0;
    Hide();
    ArrangeActionExecute();
    RestoreActionExecute();
  }
  CustomTimer.Tag = 0;
}

void TTavelmoorForm::ExitActionExecute() {
  // The tray is there before the panel is built; its items wait for the end of the creation.
  if (!Engine->CreationFinished()) return;
  if (tk::MessageDlg(kExitQuestion, tk::DialogType::Confirmation, tk::ButtonYes | tk::ButtonCancel) !=
      tk::DialogResult::Yes) {
    return;
  }
  RequestEnd();
  Engine->BringListedWindowsHome();
}

void TTavelmoorForm::ShowActionExecute() {
  if (!ActionsMayRun()) return;
  Engine->ShowPanel();
}

bool TTavelmoorForm::MakeWayForSetSizeDialog() {
  if (!ActionsMayRun() || !setSize_) return false;
  Engine->MakeWayForSetSizeDialog();
  return true;
}

bool TTavelmoorForm::HideSetSizeDialog() {
  if (!setSize_ || !setSize_->Visible()) return false;
  setSize_->Hide();
  return true;
}

void TTavelmoorForm::SetSizeActionExecute() {
  if (MakeWayForSetSizeDialog()) setSize_->ShowForWindow();
}

void TTavelmoorForm::VirtualActionExecute() {
  if (MakeWayForSetSizeDialog()) setSize_->ShowForDesktop();
}

void TTavelmoorForm::theTrayIconClick() {
  if (!ActionsMayRun()) return;
  Engine->ShowNavigatorFromTray();
}

// The one place the program's end is asked for; every part reads it from the application.
void TTavelmoorForm::RequestEnd() {
  tk::Application->Terminate();
}

LRESULT TTavelmoorForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (destroying_) {
    // The engine, the views it sees and the controls' handlers may be gone already. The hook
    // libraries' questions get "none": no hook handle, and stop tracking the window.
    if (message == msg::WM_HOOK_GET_SIZE) return static_cast<LRESULT>(core::kStopTracking);
    if (msg::IsPrivate(message)) return 0;
    return DefWindowProcA(Handle(), message, wParam, lParam);
  }
  if (message == WM_DISPLAYCHANGE) model_.Screen().Forget();
  LRESULT engineAnswer = 0;
  if (Engine->HandleMessage(message, wParam, lParam, engineAnswer)) return engineAnswer;
  switch (message) {
    case WM_QUERYENDSESSION:
      // Nothing changes yet: the end may still be cancelled by another application.
      return TRUE;
    case WM_ENDSESSION:
      // No application may save an off-screen place for the next session.
      if (wParam && Engine->CreationFinished()) SessionEnds();
      return 0;
    default: return tk::TForm::WndProc(message, wParam, lParam);
  }
}

}  // namespace scroller
