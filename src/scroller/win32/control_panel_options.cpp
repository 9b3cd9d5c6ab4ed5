// The Options and Help tabs: each option control's handler copies the control into its field and
// marks the options changed.
#include <span>

#include "forms/help_texts.h"
#include "navigator/win32/background_bitmap.h"
#include "navigator/win32/desktop_model.h"
#include "navigator/win32/navigator_form.h"
#include "navigator/win32/open_picture_dialog.h"
#include "scroller/background_option.h"
#include "scroller/option_table.h"
#include "scroller/win32/scroll_engine.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/message_dialog.h"
#include "toolkit/standard_controls.h"
#include "toolkit/track_bar.h"

namespace scroller {

int32_t TTavelmoorForm::ControlState(const OptionRow& row) {
  if (row.kind == OptionKind::TrackBar) return Get<tk::TTrackBar>(row.control).Position();
  return Get<tk::TCheckBox>(row.control).Checked() ? 1 : 0;
}

bool TTavelmoorForm::CopyIntoField(const OptionRow& row) {
  KeptValues unused;
  const bool changed = SetFieldState(row, ControlState(row), Options, unused);
  // The move timer's interval is the refresh rate itself.
  if (row.field == OptionField{&OptionFields::RefreshRate}) MoveTimer.SetInterval(Options.RefreshRate);
  return changed;
}

namespace {

// The picture dialog over the panel; pictures go into the navigator's background bitmap.
class Win32BackgroundPictures final : public BackgroundPictures {
 public:
  Win32BackgroundPictures(HWND owner, navigator::TNavigator* navigator) : owner_(owner), navigator_(navigator) {}
  std::optional<std::string> AskForPicture() override { return navigator::AskForBackgroundPicture(owner_); }
  bool LoadPicture(const std::string& path) override {
    return navigator_ &&
           navigator::LoadBackgroundPicture(path, navigator_->BackgroundBitmap) == navigator::PictureLoad::Loaded;
  }

 private:
  HWND owner_;
  navigator::TNavigator* navigator_;
};

}  // namespace

void TTavelmoorForm::SetUseBackground(bool use) {
  if (navigator::TNavigator* nav = Navigator()) nav->UseBackground = use;
}

void TTavelmoorForm::BindOptionHandlers() {
  for (const OptionRow& row : kOptionTable) {
    if (!HasControl(row)) continue;
    auto handler = [this, &row] {
      const bool changed = CopyIntoField(row);
      if (changed || row.handler == OptionHandler::MarksAlways) model_.Changes().Mark();
    };
    if (row.kind == OptionKind::TrackBar) {
      Get<tk::TTrackBar>(row.control).OnChange = handler;
    } else if (row.handler == OptionHandler::HotKeys) {
      // Registers the keyboard-scrolling hot keys, all four or none.
      auto& useKeys = Get<tk::TCheckBox>(row.control);
      useKeys.OnClick = [this, &useKeys] {
        const UseKeysOutcome out = Engine->KeyboardScrollingClicked(Options.UseKeys, useKeys.Checked());
        Options.UseKeys = out.UseKeys;
        model_.Changes().Mark();
        if (out.ShowInUseMessage) tk::ShowMessage(kHotKeysInUseMessage);
        // Runs this handler again, which then only marks the options changed.
        if (out.UncheckBox) useKeys.SetChecked(false);
      };
    } else {
      Get<tk::TCheckBox>(row.control).OnClick = handler;
    }
  }

  // Set from code while UserClick is clear, the box loads the stored picture and marks nothing.
  auto& background = Get<tk::TCheckBox>("BackgroundCheckBox");
  background.OnClick = [this, &background] {
    Win32BackgroundPictures pictures(Handle(), Navigator());
    bool use = false;
    const BackgroundChange change =
        BackgroundCheckBoxChanged(background.Checked(), UserClick, {BackgroundFile, use}, pictures);
    SetUseBackground(use);
    if (change.uncheckBox) background.ShowChecked(false);
    if (change.markChanged) model_.Changes().Mark();
  };

  Get<tk::TComboBox>("ComboBoxHelp").OnChange = [this] { ComboBoxHelpChange(); };
}

void TTavelmoorForm::CopyOptionFields() {
  for (std::size_t i : std::span(kReadOrder.rows.data(), kReadOrder.count)) {
    if (HasControl(kOptionTable[i])) CopyIntoField(kOptionTable[i]);
  }
  SetUseBackground(Get<tk::TCheckBox>("BackgroundCheckBox").Checked());
}

void TTavelmoorForm::ComboBoxHelpChange() {
  const char* text = forms::HelpText(Get<tk::TComboBox>("ComboBoxHelp").ItemIndex());
  if (text) Get<tk::TLabel>("LabelHelp").SetCaption(text);
}

}  // namespace scroller
