// The Options and Help tabs: each option control's handler copies the control into its field and
// marks the options changed.
#include "forms/help_texts.h"
#include "scroller/win32/scroll_engine.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/message_dialog.h"
#include "toolkit/standard_controls.h"
#include "toolkit/track_bar.h"

namespace scroller {

bool SettingsChanged = false;
std::string LoaderFileName;

void TTavelmoorForm::BindOptionHandlers() {
  auto bar = [this](const char* name, std::function<void(int)> copy) {
    auto& control = Get<tk::TTrackBar>(name);
    control.OnChange = [&control, copy] {
      copy(control.Position());
      SettingsChanged = true;
    };
  };
  bar("ScrollSpeedBar", [this](int p) { Options.ScrollSpeed = p; });
  bar("RefreshRateBar", [this](int p) { MoveTimer.SetInterval(p); });
  bar("StickyTrackBar", [this](int p) { Options.Sticky = p; });

  auto box = [this](const char* name, bool& field) {
    auto& control = Get<tk::TCheckBox>(name);
    control.OnClick = [&control, &field] {
      field = control.Checked();
      SettingsChanged = true;
    };
  };
  box("AutoScrollCheckBox", Options.AutoScroll);
  box("AutoCenterCheckBox", Options.AutoCenter);
  box("ShiftCheckBox", Options.UseShift);
  box("CaptureCheckBox", Options.ShowGlyphs);
  box("ArrangeCheckBox", Options.AutoArrange);
  box("InMenuCheckBox", Options.MenuMode);
  // Registers the keyboard-scrolling hot keys, all four or none.
  auto& useKeys = Get<tk::TCheckBox>("UseKeysCheckBox");
  useKeys.OnClick = [this, &useKeys] {
    const UseKeysOutcome out = Engine->KeyboardScrollingClicked(Options.UseKeys, useKeys.Checked());
    Options.UseKeys = out.UseKeys;
    SettingsChanged = true;
    if (out.ShowInUseMessage) tk::ShowMessage(kHotKeysInUseMessage);
    // Runs this handler again, which then only marks the options changed.
    if (out.UncheckBox) useKeys.SetChecked(false);
  };
  box("SuperCheckBox", Options.SuperMode);
  box("LimitCheckBox", Options.DoLimit);
  box("CheckBoxBorderScroll", Options.BorderScroll);
  box("CheckBoxSmallScreen", Options.SmallScreen);

  // The axes are factors of every step: a change is one only when the factor changes.
  auto axis = [this](const char* name, int32_t& field) {
    auto& control = Get<tk::TCheckBox>(name);
    control.OnClick = [&control, &field] {
      const int32_t value = control.Checked() ? 1 : 0;
      if (value != field) SettingsChanged = true;
      field = value;
    };
  };
  axis("DoMoveXCheckBox", Options.DoXMove);
  axis("DoMoveYCheckBox", Options.DoYMove);

  auto& reverse = Get<tk::TCheckBox>("ReverseCheckBox");
  reverse.OnClick = [this, &reverse] {
    Options.ReverseFactor = reverse.Checked() ? -1 : 1;
    SettingsChanged = true;
  };

  // Only the chosen picture is kept; set from code while UserClick is clear, it marks nothing.
  auto& background = Get<tk::TCheckBox>("BackgroundCheckBox");
  background.OnClick = [this, &background] {
    UseBackground = background.Checked() && !BackgroundFile.empty();
    if (UserClick) SettingsChanged = true;
  };

  Get<tk::TComboBox>("ComboBoxHelp").OnChange = [this] { ComboBoxHelpChange(); };
}

void TTavelmoorForm::CopyOptionFields() {
  auto checked = [this](const char* name) { return Get<tk::TCheckBox>(name).Checked(); };
  MoveTimer.SetInterval(Get<tk::TTrackBar>("RefreshRateBar").Position());
  Options.ScrollSpeed = Get<tk::TTrackBar>("ScrollSpeedBar").Position();
  Options.SuperMode = checked("SuperCheckBox");
  Options.DoXMove = checked("DoMoveXCheckBox") ? 1 : 0;
  Options.DoYMove = checked("DoMoveYCheckBox") ? 1 : 0;
  Options.ReverseFactor = checked("ReverseCheckBox") ? -1 : 1;
  Options.UseKeys = checked("UseKeysCheckBox");
  Options.MenuMode = checked("InMenuCheckBox");
  Options.DoLimit = checked("LimitCheckBox");
  Options.ShowGlyphs = checked("CaptureCheckBox");
  Options.AutoArrange = checked("ArrangeCheckBox");
  Options.BorderScroll = checked("CheckBoxBorderScroll");
  Options.SmallScreen = checked("CheckBoxSmallScreen");
  Options.AutoScroll = checked("AutoScrollCheckBox");
  Options.AutoCenter = checked("AutoCenterCheckBox");
  Options.UseShift = checked("ShiftCheckBox");
  Options.Sticky = Get<tk::TTrackBar>("StickyTrackBar").Position();
  UseBackground = checked("BackgroundCheckBox");
}

void TTavelmoorForm::ComboBoxHelpChange() {
  const char* text = forms::HelpText(Get<tk::TComboBox>("ComboBoxHelp").ItemIndex());
  if (text) Get<tk::TLabel>("LabelHelp").SetCaption(text);
}

}  // namespace scroller
