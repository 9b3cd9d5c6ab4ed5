#include "setsize/win32/min_size_form.h"

#include "forms/min_size_form.h"
#include "navigator/win32/desktop_model.h"
#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"
#include "setsize/set_size_decisions.h"
#include "toolkit/message_dialog.h"
#include "toolkit/standard_controls.h"

namespace setsize {

TMinSizeForm::TMinSizeForm(navigator::DesktopModel& model, navigator::ScrollRoomSetter& room)
    : tk::TForm(forms::MinSizeForm()), model_(model), room_(room) {
  Get<tk::TButton>("Apply").OnClick = [this] { ApplyClick(); };
  Get<tk::TButton>("Button1").OnClick = [this] { CancelClick(); };
  Get<tk::TButton>("Cancel").OnClick = [this] { Hide(); };
}

TMinSizeForm::~TMinSizeForm() {
  if (OnGone) OnGone();
}

navigator::AppWinStore& TMinSizeForm::Entries() { return model_.Entries(); }

core::Size TMinSizeForm::VirtualScreenSize() {
  return model_.Screen().Fresh().virtualScreen.size();
}

void TMinSizeForm::ShowForWindow() {
  navigator::AppWinStore& store = Entries();
  if (store.EntryCount() == 0) return;
  const navigator::tAppWin* entry = store.ActiveEntryOrDefault();
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
  const DesktopTexts texts = DesktopDialogTexts(Entries().Limits(), VirtualScreenSize());
  Get<tk::TEdit>("WidthEdit").SetText(std::to_string(texts.width));
  Get<tk::TEdit>("HeightEdit").SetText(std::to_string(texts.height));
  DesktopMode = true;
  Show();
  Get<tk::TEdit>("WidthEdit").Focus();
}

navigator::tAppWin* TMinSizeForm::TargetEntry() const {
  if (!Target) return nullptr;
  for (navigator::tAppWin* entry : model_.Entries().EntriesSnapshot()) {
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
  navigator::AppWinStore& store = Entries();
  const auto fixed = FixDesktopSize(entered.width, entered.height, VirtualScreenSize(), store.Limits(), store.Room());
  if (!fixed) {
    tk::ShowMessage(ErrorMessage(SizeError::OutOfRange));
    return;
  }
  room_.SetFixedDesktop(fixed->limits, fixed->room);
  model_.Changes().Mark();
  Hide();
}

void TMinSizeForm::ApplyWindowSize(int32_t width, int32_t height) {
  if (const SizeError error = CheckWindowSize(width, height); error != SizeError::None) {
    tk::ShowMessage(ErrorMessage(error));
    return;
  }
  const core::PackedSize size = core::packSize(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  if (RememberChoice(Entries().Remembered(), targetClass_, size, Get<tk::TCheckBox>("Remember").Checked())) {
    model_.Changes().Mark();
  }
  // A window no longer listed keeps its size; its class, when remembered, gets the size at the
  // next scan that meets one of its windows.
  if (navigator::tAppWin* entry = TargetEntry()) {
    entry->ForcedSize = size;
    // The forced size is the outer size, as the dialog showed it and the hook imposes it. The
    // window keeps the place it stands at (the scan's may be one a scroll move has left), and
    // its application is not waited for. Nothing of the entry is read after.
    navigator::SetWindowSizeNoWait(Target, {width, height});
  }
  Hide();
}

void TMinSizeForm::CancelClick() {
  navigator::AppWinStore& store = Entries();
  if (DesktopMode) {
    // The room is left for the next scan to measure afresh.
    room_.SetFixedDesktop(navigator::DesktopLimits{}, store.Room());
    model_.Changes().Mark();
    Hide();
    return;
  }
  if (store.Remembered().Forget(targetClass_)) model_.Changes().Mark();
  if (navigator::tAppWin* entry = TargetEntry()) {
    entry->ForcedSize = core::kNoForcedSize;
    const core::Size screen = VirtualScreenSize();
    navigator::SetWindowSizeNoWait(Target, screen);
  }
  Hide();
}

void TMinSizeForm::FormHide() {
  if (OnSaveSettings) OnSaveSettings();
}

}  // namespace setsize
