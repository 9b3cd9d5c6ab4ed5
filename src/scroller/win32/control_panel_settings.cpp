// The control panel's settings in the registry: read once into the controls at creation, so that
// each control's handler runs as if the user had set it, and written back from the fields.
#include "navigator/win32/navigator_form.h"
#include "scroller/win32/registry_settings_store.h"
#include "scroller/win32/scroll_engine.h"
#include "scroller/win32/window_lists_tab.h"
#include "scroller/win32/tavelmoor_form.h"
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
  if (stored.settingsChanged) SettingsChanged = true;
  LoaderFileName = stored.loaderFileName;
}

// In the order the values were read: a control set earlier may run a handler that a later one
// relies on.
void TTavelmoorForm::ApplyStoredSettings(const StoredSettings& s) {
  auto position = [this](const char* name, const std::optional<int32_t>& value) {
    if (value) Get<tk::TTrackBar>(name).SetPosition(*value);
  };
  auto check = [this](const char* name, const std::optional<bool>& value) {
    if (value) Get<tk::TCheckBox>(name).SetChecked(*value);
  };
  position("RefreshRateBar", s.refreshRate);
  position("ScrollSpeedBar", s.scrollSpeed);
  check("SuperCheckBox", s.superMode);
  check("DoMoveXCheckBox", s.doXMove);
  check("DoMoveYCheckBox", s.doYMove);
  check("ReverseCheckBox", s.reversed);
  check("UseKeysCheckBox", s.useKeys);
  check("InMenuCheckBox", s.menuMode);
  check("LimitCheckBox", s.doLimit);
  check("CaptureCheckBox", s.showGlyphs);
  check("ArrangeCheckBox", s.autoArrange);
  check("CheckBoxBorderScroll", s.borderScroll);
  check("CheckBoxSmallScreen", s.smallScreen);
  check("AutoScrollCheckBox", s.autoScroll);
  check("AutoCenterCheckBox", s.autoCenter);
  check("ShiftCheckBox", s.useShift);
  position("StickyTrackBar", s.stickyMode);

  if (s.limitX) LimitX = *s.limitX;
  if (s.limitY) LimitY = *s.limitY;
  if (s.load64AtShow) Load64AtShow = *s.load64AtShow;
  BackgroundFile = s.backgroundFile;
  std::vector<std::string>& classes = Engine->NonScrollingClasses();
  classes.insert(classes.end(), s.excludedClasses.begin(), s.excludedClasses.end());
  listsTab_->ShowNonScrollingClasses();
  RememberedSizes.insert(RememberedSizes.end(), s.rememberedSizes.begin(), s.rememberedSizes.end());
  if (s.useBackground) {
    UseBackground = *s.useBackground;
    const bool userClick = UserClick;
    UserClick = false;
    Get<tk::TCheckBox>("BackgroundCheckBox").SetChecked(*s.useBackground);
    UserClick = userClick;
  }
}

void TTavelmoorForm::SaveSettings() {
  SettingsToSave values{
      .refreshRate = Get<tk::TTrackBar>("RefreshRateBar").Position(),
      .scrollSpeed = Get<tk::TTrackBar>("ScrollSpeedBar").Position(),
      .reversed = Options.ReverseFactor < 0,
      .superMode = Options.SuperMode,
      .useKeys = Options.UseKeys,
      .menuMode = Options.MenuMode,
      .doLimit = Options.DoLimit,
      .showGlyphs = Options.ShowGlyphs,
      .autoArrange = Options.AutoArrange,
      .borderScroll = Options.BorderScroll,
      .scrollLockChecked = Engine->ScrollLockChecked(),
      .smallScreen = Options.SmallScreen,
      .autoScroll = Options.AutoScroll,
      .autoCenter = Options.AutoCenter,
      .useShift = Options.UseShift,
      .load64AtShow = Load64AtShow,
      .doXMove = Options.DoXMove == 1,
      .doYMove = Options.DoYMove == 1,
      .limitX = LimitX,
      .limitY = LimitY,
      .background = BackgroundFile,
      .stickyMode = Get<tk::TTrackBar>("StickyTrackBar").Position(),
      .excludedClasses = Engine->NonScrollingClasses(),
      .rememberedSizes = RememberedSizes,
  };
  // Once the navigator exists it owns the remembered sizes and the fixed desktop size, which
  // the set-size dialog changes there.
  if (navigator::Navigator && navigator::Navigator->Store()) {
    const navigator::AppWinStore& store = *navigator::Navigator->Store();
    const auto& classes = store.Remembered().Classes();
    const auto& sizes = store.Remembered().Sizes();
    values.rememberedSizes.clear();
    // A class stored without its size is not written: the pairs stay whole.
    for (size_t i = 0; i < classes.size() && i < sizes.size(); ++i) {
      values.rememberedSizes.push_back({classes[i], sizes[i]});
    }
    values.limitX = navigator::Navigator->Store()->Limits().LimitX;
    values.limitY = navigator::Navigator->Store()->Limits().LimitY;
  }
  RegistrySettingsStore store(HKEY_CURRENT_USER, kSettingsKeyPath);
  // A failed save leaves SettingsChanged set, so the next hide tries again.
  scroller::SaveSettings(store, values, SettingsChanged);
}

}  // namespace scroller
