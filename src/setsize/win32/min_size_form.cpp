#include "setsize/win32/min_size_form.h"

#include "forms/min_size_form.h"
#include "navigator/win32/navigator_form.h"
#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"
#include "scroller/win32/settings_changed.h"
#include "setsize/set_size_decisions.h"
#include "toolkit/message_dialog.h"
#include "toolkit/standard_controls.h"

namespace setsize {

TMinSizeForm* MinSizeForm = nullptr;

namespace {

navigator::AppWinStore* Entries() {
  navigator::TNavigator* nav = navigator::Navigator;
  return nav ? nav->Store() : nullptr;
}

ScreenSize VirtualScreen() {
  return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

TMinSizeForm::TMinSizeForm() : tk::TForm(forms::MinSizeForm()) {
  Get<tk::TButton>("Apply").OnClick = [this] { ApplyClick(); };
  Get<tk::TButton>("Button1").OnClick = [this] { CancelClick(); };
  Get<tk::TButton>("Cancel").OnClick = [this] { Hide(); };
}

TMinSizeForm::~TMinSizeForm() {
  if (MinSizeForm == this) MinSizeForm = nullptr;
}

void TMinSizeForm::ShowForWindow() {
  navigator::AppWinStore* store = Entries();
  if (!store || store->EntryCount() == 0) return;
  const navigator::tAppWin* entry = store->ActiveEntryOrDefault();
  if (!entry || IsOwnWindowClass(entry->WinClass)) return;
  const HWND window = platform::ToHwnd(entry->Wnd);
  RECT rect{};
  // A window that is gone has no size to show.
  if (!GetWindowRect(window, &rect)) return;
  Target = window;
  targetClass_ = entry->WinClass;
  SetWindowTextA(Handle(), ("Set size for: " + entry->Caption).c_str());
  Get<tk::TCheckBox>("Remember").SetVisible(true);
  Get<tk::TEdit>("WidthEdit").SetText(std::to_string(int64_t{rect.right} - rect.left));
  Get<tk::TEdit>("HeightEdit").SetText(std::to_string(int64_t{rect.bottom} - rect.top));
  DesktopMode = false;
  Show();
  Get<tk::TEdit>("WidthEdit").Focus();
}

void TMinSizeForm::ShowForDesktop() {
  SetWindowTextA(Handle(), "Set virtual desktop size.");
  Get<tk::TCheckBox>("Remember").SetVisible(false);
  navigator::AppWinStore* store = Entries();
  const DesktopTexts texts = DesktopDialogTexts(store ? store->Limits() : navigator::DesktopLimits{}, VirtualScreen());
  Get<tk::TEdit>("WidthEdit").SetText(std::to_string(texts.width));
  Get<tk::TEdit>("HeightEdit").SetText(std::to_string(texts.height));
  DesktopMode = true;
  Show();
  Get<tk::TEdit>("WidthEdit").Focus();
}

navigator::tAppWin* TMinSizeForm::TargetEntry() const {
  navigator::AppWinStore* store = Entries();
  if (!store || !Target) return nullptr;
  for (navigator::tAppWin* entry : store->EntriesSnapshot()) {
    if (entry->Wnd == platform::ToHandle(Target)) return entry;
  }
  return nullptr;
}

void TMinSizeForm::ApplyClick() {
  const EnteredSize entered =
      ReadEnteredSize(Get<tk::TEdit>("WidthEdit").Text(), Get<tk::TEdit>("HeightEdit").Text());
  if (entered.error != SizeError::None) {
    tk::ShowMessage(ErrorMessage(entered.error));
    return;
  }
  if (!DesktopMode) {
    ApplyWindowSize(entered.width, entered.height);
    return;
  }
  navigator::AppWinStore* store = Entries();
  if (!store) {
    Hide();
    return;
  }
  const auto fixed = FixDesktopSize(entered.width, entered.height, VirtualScreen(), store->Limits(), store->Room());
  if (!fixed) {
    tk::ShowMessage(ErrorMessage(SizeError::OutOfRange));
    return;
  }
  store->Limits() = fixed->limits;
  store->Room() = fixed->room;
  scroller::SettingsChanged = true;
  Hide();
}

void TMinSizeForm::ApplyWindowSize(int32_t width, int32_t height) {
  if (const SizeError error = CheckWindowSize(width, height); error != SizeError::None) {
    tk::ShowMessage(ErrorMessage(error));
    return;
  }
  const core::PackedSize size = core::packSize(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  navigator::AppWinStore* store = Entries();
  if (store && RememberChoice(store->Remembered(), targetClass_, size, Get<tk::TCheckBox>("Remember").Checked())) {
    scroller::SettingsChanged = true;
  }
  // A window no longer listed keeps its size; its class, when remembered, gets the size at the
  // next scan that meets one of its windows.
  if (navigator::tAppWin* entry = TargetEntry()) {
    entry->ForcedSize = size;
    // The forced size is the outer size, as the dialog showed it and the hook imposes it. The
    // window keeps the place it stands at (the scan's may be one a scroll move has left), and
    // its application is not waited for. Nothing of the entry is read after.
    navigator::SetWindowSizeNoWait(Target, width, height);
  }
  Hide();
}

void TMinSizeForm::CancelClick() {
  navigator::AppWinStore* store = Entries();
  if (DesktopMode) {
    // The room is left for the next scan to measure afresh.
    if (store) store->Limits() = navigator::DesktopLimits{};
    scroller::SettingsChanged = true;
    Hide();
    return;
  }
  if (store && store->Remembered().Forget(targetClass_)) scroller::SettingsChanged = true;
  if (navigator::tAppWin* entry = TargetEntry()) {
    entry->ForcedSize = core::kNoForcedSize;
    const ScreenSize screen = VirtualScreen();
    navigator::SetWindowSizeNoWait(Target, screen.width, screen.height);
  }
  Hide();
}

void TMinSizeForm::FormHide() {
  if (OnSaveSettings) OnSaveSettings();
}

bool HideMinSizeForm() {
  if (!MinSizeForm || !MinSizeForm->Visible()) return false;
  MinSizeForm->Hide();
  return true;
}

}  // namespace setsize
