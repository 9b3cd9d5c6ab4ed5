#include "scroller/settings_codec.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fake_settings_store.h"

namespace {

using scroller::LoadSettings;
using scroller::RememberedSize;
using scroller::SaveOutcome;
using scroller::SaveSettings;
using scroller::SettingsToSave;
using scroller::StoredSettings;
using testing_support::FakeSettingsStore;

class SettingsCodec : public ::testing::Test {
 protected:
  FakeSettingsStore settings;
  FakeSettingsStore desktop;
  FakeSettingsStore machine;
  std::set<std::string> files{"C:\\pictures\\sky.bmp", "C:\\wall\\paper.jpg"};

  SettingsCodec() { machine.exists = false; }

  StoredSettings Load() {
    return LoadSettings({settings, desktop, machine,
                         [this](const std::string& path) { return files.contains(path); }});
  }

  // A key as a save leaves it, every option away from its default.
  static SettingsToSave Unusual() {
    SettingsToSave v;
    v.refreshRate = 135;
    v.scrollSpeed = 9;
    v.reversed = true;
    v.superMode = v.useKeys = v.menuMode = v.doLimit = v.showGlyphs = v.autoArrange = true;
    v.borderScroll = v.smallScreen = v.autoCenter = v.doYMove = true;
    v.scrollLockChecked = true;
    v.autoScroll = v.useShift = v.doXMove = false;
    v.load64AtShow = true;
    v.limitX = 3000;
    v.limitY = 0;
    v.background = "C:\\pictures\\sky.bmp";
    v.stickyMode = 24;
    v.excludedClasses = {"Notepad", "ConsoleWindowClass"};
    v.rememberedSizes = {{"Chrome_WidgetWin_1", core::packSize(2400, 1600)}, {"Edit", core::packSize(64, 32000)}};
    return v;
  }

  void SaveUnusual() {
    bool changed = true;
    ASSERT_EQ(SaveSettings(settings, Unusual(), changed), SaveOutcome::Saved);
    ASSERT_FALSE(changed);
  }
};

TEST_F(SettingsCodec, RoundTripKeepsEverythingAndAsksForNoSave) {
  settings.exists = false;
  SaveUnusual();
  const StoredSettings s = Load();

  EXPECT_FALSE(s.settingsChanged);
  EXPECT_EQ(s.refreshRate, 135);
  EXPECT_EQ(s.scrollSpeed, 9);
  EXPECT_EQ(s.stickyMode, 24);
  for (auto flag : {s.reversed, s.superMode, s.useKeys, s.menuMode, s.doLimit, s.showGlyphs, s.autoArrange,
                    s.borderScroll, s.smallScreen, s.autoCenter, s.doYMove, s.load64AtShow}) {
    EXPECT_EQ(flag, true);
  }
  for (auto flag : {s.autoScroll, s.useShift, s.doXMove}) EXPECT_EQ(flag, false);
  EXPECT_EQ(s.limitX, 3000);
  EXPECT_EQ(s.limitY, 0);
  EXPECT_TRUE(s.fixesScrollRoom());
  EXPECT_EQ(s.backgroundSetting, "C:\\pictures\\sky.bmp");
  EXPECT_EQ(s.backgroundFile, "C:\\pictures\\sky.bmp");
  EXPECT_EQ(s.useBackground, true);
  EXPECT_EQ(s.excludedClasses, Unusual().excludedClasses);
  EXPECT_EQ(s.rememberedSizes, Unusual().rememberedSizes);
  EXPECT_EQ(settings.GetInteger("SysScroll"), 0);
  EXPECT_EQ(settings.GetInteger("PosNum"), 0);
}

TEST_F(SettingsCodec, SaveWritesTheCompleteSetInItsOrder) {
  SettingsToSave v;
  v.excludedClasses = {"A", "B"};
  v.rememberedSizes = {{"C", core::packSize(800, 600)}};
  bool changed = true;
  ASSERT_EQ(SaveSettings(settings, v, changed), SaveOutcome::Saved);

  const std::vector<std::string> expected = {
      "PosNum",     "RefreshRate", "ScrollSpeed", "Reverse",    "SuperMode",   "KeyMode",
      "AltKey",     "MenuMode",    "DoLimit",     "ShowGlyphs", "AutoArrange", "BorderScroll",
      "SysScroll",  "SmallScreen", "AutoScroll",  "AutoCenter", "UseShift",    "RepaintMode",
      "x64",        "DoXMove",     "DoYMove",     "LimitX",     "LimitY",      "Background",
      "StickyMode", "ExcludeNum",  "Exclude0",    "Exclude1",   "RememberNum", "RemC0",
      "RemS0"};
  EXPECT_EQ(settings.writtenNames, expected);
  // The defaults, as a first start writes them.
  const std::pair<const char*, int32_t> defaults[] = {
      {"RefreshRate", 60}, {"ScrollSpeed", 6}, {"Reverse", 1},  {"SysScroll", 1},  {"AutoScroll", 1},
      {"UseShift", 1},     {"DoXMove", 1},     {"DoYMove", 0},  {"StickyMode", 8}, {"x64", 0},
      {"AltKey", 0},       {"RepaintMode", 0}, {"LimitX", 0},   {"ExcludeNum", 2}, {"RememberNum", 1}};
  for (const auto& [name, value] : defaults) EXPECT_EQ(settings.GetInteger(name), value) << name;
  EXPECT_EQ(settings.GetText("Background"), "");
  EXPECT_EQ(settings.GetInteger("RemS0"), static_cast<int32_t>(core::packSize(800, 600)));
}

TEST_F(SettingsCodec, SaveLeavesAnExistingLayoutCountAlone) {
  settings.Put("PosNum", 7);
  bool changed = true;
  ASSERT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::Saved);
  EXPECT_EQ(settings.GetInteger("PosNum"), 7);
  EXPECT_EQ(settings.writtenNames.front(), "RefreshRate");
}

TEST_F(SettingsCodec, SaveOnlyWhileChangedAndKeepsTheFlagWhenItFails) {
  bool changed = false;
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::NothingToSave);
  EXPECT_EQ(settings.createOpens + settings.readOpens, 0);

  settings.exists = false;
  settings.canCreate = false;
  changed = true;
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::KeyUnavailable);
  EXPECT_TRUE(changed);  // retried at the next hide

  settings.canCreate = true;
  settings.failWriteOf = "dolimit";
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::WriteFailed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(settings.writtenNames.back(), "MenuMode");
  EXPECT_FALSE(settings.Get("StickyMode").has_value());

  settings.failWriteOf.reset();
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::Saved);
  EXPECT_FALSE(changed);
}

TEST_F(SettingsCodec, MissingOrUnusableKeyStartsFromDefaultsAndAsksForASave) {
  struct Case {
    const char* what;
    bool exists;
    bool canCreate;
    bool existsAfter;
  };
  const Case cases[] = {
      {"first start: created empty", false, true, true},
      {"neither opens nor can be created", false, false, false},
  };
  for (const auto& c : cases) {
    FakeSettingsStore fresh;
    fresh.exists = c.exists;
    fresh.canCreate = c.canCreate;
    FakeSettingsStore none;
    none.exists = false;
    const StoredSettings s = LoadSettings({fresh, none, none, nullptr});
    EXPECT_TRUE(s.settingsChanged) << c.what;
    EXPECT_FALSE(s.refreshRate.has_value()) << c.what;
    EXPECT_FALSE(s.useBackground.has_value()) << c.what;
    EXPECT_EQ(fresh.exists, c.existsAfter) << c.what;
    EXPECT_EQ(fresh.ValueCount(), 0u) << c.what;
  }
}

TEST_F(SettingsCodec, AnEmptyKeyIsReadAsNothingWithoutBeingCreated) {
  const StoredSettings s = Load();
  EXPECT_TRUE(s.settingsChanged);
  EXPECT_FALSE(s.refreshRate.has_value());
  EXPECT_EQ(settings.createOpens, 0);
}

// Each step of the reading in its order, and whether a load got to it.
struct ReadStep {
  const char* value;
  std::function<bool(const StoredSettings&)> reached;
};

std::vector<ReadStep> ReadOrder() {
  const auto opt = [](auto member) {
    return [member](const StoredSettings& s) { return (s.*member).has_value(); };
  };
  return {
      {"RefreshRate", opt(&StoredSettings::refreshRate)},
      {"ScrollSpeed", opt(&StoredSettings::scrollSpeed)},
      {"SuperMode", opt(&StoredSettings::superMode)},
      {"DoXMove", opt(&StoredSettings::doXMove)},
      {"DoYMove", opt(&StoredSettings::doYMove)},
      {"Reverse", opt(&StoredSettings::reversed)},
      {"KeyMode", opt(&StoredSettings::useKeys)},
      {"MenuMode", opt(&StoredSettings::menuMode)},
      {"DoLimit", opt(&StoredSettings::doLimit)},
      {"ShowGlyphs", opt(&StoredSettings::showGlyphs)},
      {"AutoArrange", opt(&StoredSettings::autoArrange)},
      {"BorderScroll", opt(&StoredSettings::borderScroll)},
      {"SmallScreen", opt(&StoredSettings::smallScreen)},
      {"AutoScroll", opt(&StoredSettings::autoScroll)},
      {"AutoCenter", opt(&StoredSettings::autoCenter)},
      {"UseShift", opt(&StoredSettings::useShift)},
      {"StickyMode", opt(&StoredSettings::stickyMode)},
      {"LimitX", opt(&StoredSettings::limitX)},
      {"LimitY", opt(&StoredSettings::limitY)},
      {"x64", opt(&StoredSettings::load64AtShow)},
      {"Background", [](const StoredSettings& s) { return !s.backgroundSetting.empty(); }},
      {"ExcludeNum", [](const StoredSettings& s) { return !s.excludedClasses.empty(); }},
      {"RememberNum", [](const StoredSettings& s) { return !s.rememberedSizes.empty(); }},
      {"(path resolved)", [](const StoredSettings& s) { return s.useBackground.has_value(); }},
  };
}

TEST_F(SettingsCodec, ReadingStopsAtTheFirstMissingOrMistypedValue) {
  struct Case {
    const char* value;
    enum { Remove, OtherType, AsText } how;
  };
  std::vector<Case> cases;
  for (const auto& step : ReadOrder()) {
    const std::string name = step.value;
    if (name == "(path resolved)") continue;
    if (name != "Background") cases.push_back({step.value, Case::Remove});
    cases.push_back({step.value, Case::OtherType});
    if (name != "Background") cases.push_back({step.value, Case::AsText});
  }

  const auto steps = ReadOrder();
  for (const auto& c : cases) {
    FakeSettingsStore key;
    bool changed = true;
    ASSERT_EQ(SaveSettings(key, Unusual(), changed), SaveOutcome::Saved);
    if (c.how == Case::Remove) key.Erase(c.value);
    if (c.how == Case::OtherType) key.PutOtherType(c.value);
    if (c.how == Case::AsText) key.Put(c.value, "1");
    FakeSettingsStore none;
    none.exists = false;
    const StoredSettings s =
        LoadSettings({key, none, none, [](const std::string&) { return true; }});

    EXPECT_TRUE(s.settingsChanged) << c.value << " " << c.how;
    bool before = true;
    for (const auto& step : steps) {
      if (std::string(step.value) == c.value) before = false;
      EXPECT_EQ(step.reached(s), before) << "broken " << c.value << " (" << c.how << "), step " << step.value;
    }
  }
}

TEST_F(SettingsCodec, MissingTextsReadAsEmptyAndTheReadingGoesOn) {
  SaveUnusual();
  settings.Erase("Background");
  settings.Erase("Exclude0");
  settings.Erase("RemC1");
  const StoredSettings s = Load();
  EXPECT_FALSE(s.settingsChanged);
  EXPECT_EQ(s.backgroundFile, "");
  EXPECT_EQ(s.useBackground, false);
  EXPECT_EQ(s.excludedClasses, (std::vector<std::string>{"", "ConsoleWindowClass"}));
  ASSERT_EQ(s.rememberedSizes.size(), 2u);
  EXPECT_EQ(s.rememberedSizes[1], (RememberedSize{"", core::packSize(64, 32000)}));
}

TEST_F(SettingsCodec, AMissingRememberedSizeDropsItsClassToo) {
  SaveUnusual();
  settings.Erase("RemS1");
  const StoredSettings s = Load();
  EXPECT_TRUE(s.settingsChanged);
  EXPECT_EQ(s.rememberedSizes, (std::vector<RememberedSize>{Unusual().rememberedSizes[0]}));
  // The path is resolved only after the lists: it stays as stored.
  EXPECT_EQ(s.backgroundFile, "C:\\pictures\\sky.bmp");
  EXPECT_FALSE(s.useBackground.has_value());
}

TEST_F(SettingsCodec, CorruptCountsAreCappedAndMarkedForRewrite) {
  struct Case {
    int32_t excludeNum;
    int32_t rememberNum;
    size_t excluded;
    size_t remembered;
    bool changed;
  };
  const Case cases[] = {
      {2, 2, 2, 2, false},
      {0x7FFFFFFF, 0, scroller::kMaxNumberedValues, 0, true},
      {0, 0x7FFFFFFF, 0, 2, true},  // the third pair has no size: the reading stops there
      {-1, -2000000000, 0, 0, true},
      {0, 0, 0, 0, false},
  };
  for (const auto& c : cases) {
    FakeSettingsStore key;
    bool changed = true;
    SaveSettings(key, Unusual(), changed);
    key.Put("ExcludeNum", c.excludeNum).Put("RememberNum", c.rememberNum);
    FakeSettingsStore none;
    none.exists = false;
    const StoredSettings s = LoadSettings({key, none, none, nullptr});
    EXPECT_EQ(s.excludedClasses.size(), c.excluded) << c.excludeNum;
    EXPECT_EQ(s.rememberedSizes.size(), c.remembered) << c.rememberNum;
    EXPECT_EQ(s.settingsChanged, c.changed) << c.excludeNum << " " << c.rememberNum;
  }
}

TEST_F(SettingsCodec, ASaveWritesNoMoreNumberedValuesThanALoadReads) {
  SettingsToSave v;
  v.excludedClasses.assign(scroller::kMaxNumberedValues + 5, "X");
  bool changed = true;
  ASSERT_EQ(SaveSettings(settings, v, changed), SaveOutcome::Saved);
  EXPECT_EQ(settings.GetInteger("ExcludeNum"), scroller::kMaxNumberedValues);
  EXPECT_FALSE(settings.Get("Exclude" + std::to_string(scroller::kMaxNumberedValues)).has_value());
}

TEST_F(SettingsCodec, RememberedSizesOutsideTheUsableRangeAreIgnored) {
  struct Case {
    uint32_t packed;
    bool kept;
  };
  const Case cases[] = {
      {core::packSize(64, 64), true},       {core::packSize(32000, 32000), true},
      {core::packSize(63, 500), false},     {core::packSize(500, 63), false},
      {core::packSize(32001, 500), false},  {core::packSize(500, 0xFFFF), false},
      {core::kNoForcedSize, false},         {0xFFFFFFFFu, false},
  };
  for (const auto& c : cases) {
    FakeSettingsStore key;
    bool changed = true;
    SaveSettings(key, Unusual(), changed);
    key.Put("RemS0", static_cast<int32_t>(c.packed));
    FakeSettingsStore none;
    none.exists = false;
    const StoredSettings s = LoadSettings({key, none, none, nullptr});
    ASSERT_EQ(s.rememberedSizes.size(), c.kept ? 2u : 1u) << std::hex << c.packed;
    EXPECT_EQ(s.rememberedSizes[0].windowClass, c.kept ? "Chrome_WidgetWin_1" : "Edit");
    EXPECT_EQ(s.settingsChanged, !c.kept) << std::hex << c.packed;
  }
}

TEST_F(SettingsCodec, LimitsAndTheScrollRoom) {
  struct Case {
    int32_t x, y;
    int32_t readX, readY;
    bool fixes;
    bool changed;
  };
  const Case cases[] = {
      {0, 0, 0, 0, false, false},      {1000, 0, 1000, 0, true, false}, {0, 700, 0, 700, true, false},
      {-5, 0, 0, 0, false, true},      {-5, 400, 0, 400, true, true},
      {INT32_MIN, INT32_MIN, 0, 0, false, true},
  };
  for (const auto& c : cases) {
    FakeSettingsStore key;
    bool changed = true;
    SaveSettings(key, Unusual(), changed);
    key.Put("LimitX", c.x).Put("LimitY", c.y);
    FakeSettingsStore none;
    none.exists = false;
    const StoredSettings s = LoadSettings({key, none, none, nullptr});
    EXPECT_EQ(s.limitX, c.readX) << c.x;
    EXPECT_EQ(s.limitY, c.readY) << c.y;
    EXPECT_EQ(s.fixesScrollRoom(), c.fixes) << c.x << "," << c.y;
    EXPECT_EQ(s.settingsChanged, c.changed) << c.x << "," << c.y;
  }
}

TEST_F(SettingsCodec, FlagsAreSetOnlyByOneAndReverseByAnythingElse) {
  struct Case {
    int32_t stored;
    bool flag;
    bool reversed;
  };
  const Case cases[] = {{1, true, false}, {0, false, true}, {2, false, true}, {-1, false, true}};
  for (const auto& c : cases) {
    SaveUnusual();
    settings.Put("SuperMode", c.stored).Put("Reverse", c.stored).Put("x64", c.stored);
    const StoredSettings s = Load();
    EXPECT_EQ(s.superMode, c.flag) << c.stored;
    EXPECT_EQ(s.load64AtShow, c.flag) << c.stored;
    EXPECT_EQ(s.reversed, c.reversed) << c.stored;
  }
}

TEST_F(SettingsCodec, BackgroundPathResolution) {
  struct Case {
    const char* stored;
    bool desktopOpens;
    const char* wallpaper;  // nullptr: no such value
    const char* file;
  };
  const Case cases[] = {
      {"default", true, "C:\\wall\\paper.jpg", "C:\\wall\\paper.jpg"},
      {"default", true, "C:\\gone.bmp", ""},
      {"default", true, nullptr, ""},
      {"default", false, "C:\\wall\\paper.jpg", ""},
      {"Default", true, "C:\\wall\\paper.jpg", ""},  // a file name, and no such file
      {"none", true, nullptr, ""},
      {"C:\\pictures\\sky.bmp", true, nullptr, "C:\\pictures\\sky.bmp"},
      {"C:\\pictures\\missing.bmp", true, nullptr, ""},
  };
  for (const auto& c : cases) {
    SaveUnusual();
    settings.Put("Background", c.stored);
    desktop = FakeSettingsStore{};
    desktop.exists = c.desktopOpens;
    if (c.wallpaper) desktop.Put("Wallpaper", c.wallpaper);
    const StoredSettings s = Load();
    EXPECT_EQ(s.backgroundSetting, c.stored);
    EXPECT_EQ(s.backgroundFile, c.file) << c.stored << " / " << (c.wallpaper ? c.wallpaper : "-");
    EXPECT_EQ(s.useBackground, std::string(c.file) != "") << c.stored;
    EXPECT_FALSE(s.settingsChanged) << c.stored;
  }
}

TEST_F(SettingsCodec, AWallpaperOfAnotherTypeEndsTheReadingBeforeThePathIsResolved) {
  SaveUnusual();
  settings.Put("Background", "default");
  desktop.PutOtherType("Wallpaper");
  const StoredSettings s = Load();
  EXPECT_TRUE(s.settingsChanged);
  EXPECT_EQ(s.backgroundFile, "default");
  EXPECT_FALSE(s.useBackground.has_value());
  EXPECT_EQ(s.rememberedSizes.size(), 2u);
}

TEST_F(SettingsCodec, TheLoaderIsKnownExactlyWhenTheMachineKeyOpens) {
  struct Case {
    bool settingsExists;
    bool machineExists;
    const char* loader;
  };
  const Case cases[] = {
      {true, true, "tvm64.exe"}, {false, true, "tvm64.exe"}, {true, false, ""}, {false, false, ""}};
  for (const auto& c : cases) {
    settings = FakeSettingsStore{};
    settings.exists = c.settingsExists;
    machine = FakeSettingsStore{};
    machine.exists = c.machineExists;
    EXPECT_EQ(Load().loaderFileName, c.loader) << c.settingsExists << c.machineExists;
    EXPECT_EQ(machine.createOpens, 0);
  }
}

TEST_F(SettingsCodec, ValueNamesMatchWithoutRegardToCase) {
  SaveUnusual();
  const size_t count = settings.ValueCount();
  // Written as "KeyMode", read as "Keymode": one value. Stored spellings of any case are read.
  settings.Put("keymode", 0).Put("REFRESHRATE", 45).Put("exclude1", "Shell_TrayWnd");
  const StoredSettings s = Load();
  EXPECT_EQ(s.useKeys, false);
  EXPECT_EQ(s.refreshRate, 45);
  EXPECT_EQ(s.excludedClasses[1], "Shell_TrayWnd");

  bool changed = true;
  ASSERT_EQ(SaveSettings(settings, Unusual(), changed), SaveOutcome::Saved);
  EXPECT_EQ(settings.ValueCount(), count);
  EXPECT_EQ(settings.GetInteger("KEYMODE"), 1);
  EXPECT_EQ(settings.StoredName("keymode"), "KeyMode");
}

}  // namespace
