// The control panel's settings in the registry: read once into the controls at creation, so that
// each control's handler runs as if the user had set it, and written back from the fields.
#include <span>

#include "navigator/win32/desktop_model.h"
#include "scroller/option_table.h"
#include "scroller/win32/registry_settings_store.h"
#include "scroller/win32/scroll_engine.h"
#include "scroller/win32/window_lists_tab.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/application.h"
#include "toolkit/message_dialog.h"
#include "toolkit/standard_controls.h"
#include "toolkit/track_bar.h"

namespace scroller {

void TTavelmoorForm::LoadSettings() {
  RegistrySettingsStore settings(HKEY_CURRENT_USER, kSettingsKeyPath);
  RegistrySettingsStore desktop(HKEY_CURRENT_USER, kDesktopKeyPath);
  RegistrySettingsStore machine(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
  const StoredSettings stored = scroller::LoadSettings(LoadSources{
      .settings = settings,
      .desktop = desktop,
      .machine = machine,
      .fileExists =
          [](const std::string& path) {
            const DWORD attributes = GetFileAttributesA(path.c_str());
            return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
          },
  });
  ApplyStoredSettings(stored);
  if (stored.settingsChanged) model_.Changes().Mark();
  LoaderFileName = stored.loaderFileName;
}

// The fixed desktop size is the model's, the 64-bit choice the panel's.
KeptValues TTavelmoorForm::KeptOf() {
  const navigator::DesktopLimits& limits = model_.Entries().Limits();
  return {.LimitX = limits.LimitX,
          .LimitY = limits.LimitY,
          .Load64AtShow = Load64AtShow,
          .ScrollLockChecked = Engine->ScrollLockChecked()};
}

void TTavelmoorForm::Keep(const KeptValues& kept) {
  const navigator::DesktopLimits limits{kept.LimitX, kept.LimitY};
  // A fixed desktop size gives the room the windows may scroll through from the start.
  Engine->SetFixedDesktop(limits, limits.FixesScrollRoom() ? navigator::ScrollRoom{0, kept.LimitX, 0, kept.LimitY}
                                                           : model_.Entries().Room());
  Load64AtShow = kept.Load64AtShow;
  // The Scroll Lock item's check mark is the engine's and is never loaded.
}

// In the order the values were read: a control set earlier may run a handler that a later one
// relies on.
void TTavelmoorForm::ApplyStoredSettings(const StoredSettings& s) {
  KeptValues kept = KeptOf();
  OptionFields unused;
  for (std::size_t i : std::span(kReadOrder.rows.data(), kReadOrder.count)) {
    const OptionRow& row = kOptionTable[i];
    if (!s.states[i]) continue;
    const int32_t state = *s.states[i];
    switch (row.kind) {
      case OptionKind::TrackBar: Get<tk::TTrackBar>(row.control).SetPosition(state); break;
      case OptionKind::CheckBox: Get<tk::TCheckBox>(row.control).SetChecked(state != 0); break;
      case OptionKind::Value: SetFieldState(row, state, unused, kept); break;
      default: break;
    }
  }
  Keep(kept);

  BackgroundFile = s.backgroundFile;
  std::vector<std::string>& nonScrolling = Engine->NonScrollingClasses();
  nonScrolling.insert(nonScrolling.end(), s.excludedClasses.begin(), s.excludedClasses.end());
  listsTab_->ShowNonScrollingClasses();
  std::vector<std::string> classes;
  std::vector<core::PackedSize> sizes;
  for (const RememberedSize& r : s.rememberedSizes) {
    classes.push_back(r.windowClass);
    sizes.push_back(r.size);
  }
  model_.Entries().Remembered().Assign(std::move(classes), std::move(sizes));
  if (s.useBackground) {
    SetUseBackground(*s.useBackground);
    const bool userClick = UserClick;
    UserClick = false;
    Get<tk::TCheckBox>("BackgroundCheckBox").SetChecked(*s.useBackground);
    UserClick = userClick;
  }
}

void TTavelmoorForm::SaveSettings() {
  SettingsToSave values{
      .options = Options,
      .kept = KeptOf(),
      .background = BackgroundFile,
      .excludedClasses = Engine->NonScrollingClasses(),
  };
  const navigator::RememberedSizes& remembered = model_.Entries().Remembered();
  const auto& classes = remembered.Classes();
  const auto& sizes = remembered.Sizes();
  // A class stored without its size is not written: the pairs stay whole.
  for (size_t i = 0; i < classes.size() && i < sizes.size(); ++i) values.rememberedSizes.push_back({classes[i], sizes[i]});
  RegistrySettingsStore store(HKEY_CURRENT_USER, kSettingsKeyPath);
  // A failed save leaves the changes pending, so the next hide tries again. The save at exit is
  // the last chance: its failure is always told.
  const bool finalSave = end_.phase == core::EndPhase::Ended;
  const SaveOutcome outcome = scroller::SaveSettings(store, values, model_.Changes());
  if (const auto text = SaveNotice.After(outcome, finalSave)) {
    tk::MessageDlg(*text, tk::DialogType::Error, tk::ButtonOk);
  }
}

}  // namespace scroller
