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

// No desktop or machine key.
StoredSettings LoadAlone(FakeSettingsStore& key,
                         std::function<bool(const std::string&)> fileExists = nullptr) {
  FakeSettingsStore none;
  none.exists = false;
  return LoadSettings({key, none, none, std::move(fileExists)});
}

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
    auto& o = v.options;
    o.RefreshRate = 135;
    o.ScrollSpeed = 9;
    o.ReverseFactor = -1;
    o.SuperMode = o.UseKeys = o.MenuMode = o.DoLimit = o.ShowGlyphs = o.AutoArrange = true;
    o.BorderScroll = o.SmallScreen = o.AutoCenter = true;
    o.DoYMove = 1;
    v.kept.ScrollLockChecked = true;
    o.AutoScroll = o.UseShift = false;
    o.DoXMove = 0;
    v.kept.Load64AtShow = true;
    v.kept.LimitX = 3000;
    v.kept.LimitY = 0;
    v.background = "C:\\pictures\\sky.bmp";
    o.Sticky = 24;
    v.excludedClasses = {"Notepad", "ConsoleWindowClass"};
    v.rememberedSizes = {{"Chrome_WidgetWin_1", core::packSize(2400, 1600)}, {"Edit", core::packSize(64, 32000)}};
    return v;
  }

  // A fresh key holding what a save of Unusual() writes.
  static FakeSettingsStore UnusualKey() {
    FakeSettingsStore key;
    core::SettingsChanges changed;
    changed.Mark();
    EXPECT_EQ(SaveSettings(key, Unusual(), changed), SaveOutcome::Saved);
    return key;
  }

  void SaveUnusual() {
    core::SettingsChanges changed;
    changed.Mark();
    ASSERT_EQ(SaveSettings(settings, Unusual(), changed), SaveOutcome::Saved);
    ASSERT_FALSE(changed.Pending());
  }
};

TEST_F(SettingsCodec, RoundTripKeepsEverythingAndAsksForNoSave) {
  settings.exists = false;
  SaveUnusual();
  const StoredSettings s = Load();

  EXPECT_FALSE(s.settingsChanged);
  EXPECT_EQ(s.State("RefreshRate"), 135);
  EXPECT_EQ(s.State("ScrollSpeed"), 9);
  EXPECT_EQ(s.State("StickyMode"), 24);
  for (const char* flag : {"Reverse", "SuperMode", "KeyMode", "MenuMode", "DoLimit", "ShowGlyphs", "AutoArrange",
                           "BorderScroll", "SmallScreen", "AutoCenter", "DoYMove", "x64"}) {
    EXPECT_EQ(s.Checked(flag), true) << flag;
  }
  for (const char* flag : {"AutoScroll", "UseShift", "DoXMove"}) EXPECT_EQ(s.Checked(flag), false) << flag;
  EXPECT_EQ(s.State("LimitX"), 3000);
  EXPECT_EQ(s.State("LimitY"), 0);
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
  core::SettingsChanges changed;
  changed.Mark();
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
  core::SettingsChanges changed;
  changed.Mark();
  ASSERT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::Saved);
  EXPECT_EQ(settings.GetInteger("PosNum"), 7);
  EXPECT_EQ(settings.writtenNames.front(), "RefreshRate");
}

TEST_F(SettingsCodec, SaveOnlyWhileChangedAndKeepsTheFlagWhenItFails) {
  core::SettingsChanges changed;
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::NothingToSave);
  EXPECT_EQ(settings.createOpens + settings.readOpens, 0);

  settings.exists = false;
  settings.canCreate = false;
  changed.Mark();
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::KeyUnavailable);
  EXPECT_TRUE(changed.Pending());  // retried at the next hide

  settings.canCreate = true;
  settings.failWriteOf = "dolimit";
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::WriteFailed);
  EXPECT_TRUE(changed.Pending());
  EXPECT_EQ(settings.writtenNames.back(), "MenuMode");
  EXPECT_FALSE(settings.Get("StickyMode").has_value());

  settings.failWriteOf.reset();
  EXPECT_EQ(SaveSettings(settings, SettingsToSave{}, changed), SaveOutcome::Saved);
  EXPECT_FALSE(changed.Pending());
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
    const StoredSettings s = LoadAlone(fresh);
    EXPECT_TRUE(s.settingsChanged) << c.what;
    EXPECT_FALSE(s.State("RefreshRate").has_value()) << c.what;
    EXPECT_FALSE(s.useBackground.has_value()) << c.what;
    EXPECT_EQ(fresh.exists, c.existsAfter) << c.what;
    EXPECT_EQ(fresh.ValueCount(), 0u) << c.what;
  }
}

TEST_F(SettingsCodec, AnEmptyKeyIsReadAsNothingWithoutBeingCreated) {
  const StoredSettings s = Load();
  EXPECT_TRUE(s.settingsChanged);
  EXPECT_FALSE(s.State("RefreshRate").has_value());
  EXPECT_EQ(settings.createOpens, 0);
}

// Each step of the reading in its order, and whether a load got to it. The options end at the
// first value that stops them; each list is read on its own.
struct ReadStep {
  const char* value;
  std::function<bool(const StoredSettings&)> reached;
  bool list = false;
};

std::vector<ReadStep> ReadOrder() {
  const auto read = [](const char* name) {
    return ReadStep{name, [name](const StoredSettings& s) { return s.State(name).has_value(); }};
  };
  return {
      read("RefreshRate"), read("ScrollSpeed"), read("SuperMode"),  read("DoXMove"),      read("DoYMove"),
      read("Reverse"),     read("KeyMode"),     read("MenuMode"),   read("DoLimit"),      read("ShowGlyphs"),
      read("AutoArrange"), read("BorderScroll"), read("SmallScreen"), read("AutoScroll"), read("AutoCenter"),
      read("UseShift"),    read("StickyMode"),  read("LimitX"),     read("LimitY"),       read("x64"),
      {"Background", [](const StoredSettings& s) { return !s.backgroundSetting.empty(); }},
      {"ExcludeNum", [](const StoredSettings& s) { return !s.excludedClasses.empty(); }, true},
      {"RememberNum", [](const StoredSettings& s) { return !s.rememberedSizes.empty(); }, true},
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
    FakeSettingsStore key = UnusualKey();
    if (c.how == Case::Remove) key.Erase(c.value);
    if (c.how == Case::OtherType) key.PutOtherType(c.value);
    if (c.how == Case::AsText) key.Put(c.value, "1");
    const StoredSettings s = LoadAlone(key, [](const std::string&) { return true; });

    EXPECT_TRUE(s.settingsChanged) << c.value << " " << c.how;
    bool before = true;
    for (const auto& step : steps) {
      const bool broken = std::string(step.value) == c.value;
      if (broken) before = false;
      // A list is lost only when its own count is broken.
      const bool expected = step.list ? !broken : before;
      EXPECT_EQ(step.reached(s), expected) << "broken " << c.value << " (" << c.how << "), step " << step.value;
    }
  }
}

// Today's fault: the one missing value made the write-back replace the user's classes and sizes
// with empty lists.
TEST_F(SettingsCodec, AWriteBackAfterAMissingValueKeepsTheListsAndWritesDefaultsAfterIt) {
  FakeSettingsStore key = UnusualKey();
  key.Erase("AutoCenter");
  const StoredSettings s = LoadAlone(key);
  ASSERT_TRUE(s.settingsChanged);

  // The panel's fields after such a load: the values read, the defaults after them.
  SettingsToSave back;
  for (std::size_t i = 0; i < scroller::kOptionCount; ++i) {
    if (s.states[i]) scroller::SetFieldState(scroller::kOptionTable[i], *s.states[i], back.options, back.kept);
  }
  back.background = s.backgroundFile;
  back.excludedClasses = s.excludedClasses;
  back.rememberedSizes = s.rememberedSizes;
  core::SettingsChanges changed;
  changed.Mark();
  ASSERT_EQ(SaveSettings(key, back, changed), SaveOutcome::Saved);

  EXPECT_EQ(key.GetInteger("ExcludeNum"), 2);
  EXPECT_EQ(key.GetText("Exclude1"), "ConsoleWindowClass");
  EXPECT_EQ(key.GetInteger("RememberNum"), 2);
  EXPECT_EQ(key.GetText("RemC0"), "Chrome_WidgetWin_1");
  EXPECT_EQ(key.GetInteger("RemS1"), static_cast<int32_t>(core::packSize(64, 32000)));
  // Before the gap the stored values, from it on the defaults.
  EXPECT_EQ(key.GetInteger("SmallScreen"), 1);
  EXPECT_EQ(key.GetInteger("AutoCenter"), 0);
  EXPECT_EQ(key.GetInteger("UseShift"), 1);
  EXPECT_EQ(key.GetInteger("StickyMode"), 8);
  EXPECT_EQ(key.GetInteger("LimitX"), 0);
  EXPECT_EQ(key.GetInteger("x64"), 0);
  EXPECT_EQ(key.GetText("Background"), "");
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
    FakeSettingsStore key = UnusualKey();
    key.Put("ExcludeNum", c.excludeNum).Put("RememberNum", c.rememberNum);
    const StoredSettings s = LoadAlone(key);
    EXPECT_EQ(s.excludedClasses.size(), c.excluded) << c.excludeNum;
    EXPECT_EQ(s.rememberedSizes.size(), c.remembered) << c.rememberNum;
    EXPECT_EQ(s.settingsChanged, c.changed) << c.excludeNum << " " << c.rememberNum;
  }
}

TEST_F(SettingsCodec, ASaveWritesNoMoreNumberedValuesThanALoadReads) {
  SettingsToSave v;
  v.excludedClasses.assign(scroller::kMaxNumberedValues + 5, "X");
  core::SettingsChanges changed;
  changed.Mark();
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
    FakeSettingsStore key = UnusualKey();
    key.Put("RemS0", static_cast<int32_t>(c.packed));
    const StoredSettings s = LoadAlone(key);
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
    FakeSettingsStore key = UnusualKey();
    key.Put("LimitX", c.x).Put("LimitY", c.y);
    const StoredSettings s = LoadAlone(key);
    EXPECT_EQ(s.State("LimitX"), c.readX) << c.x;
    EXPECT_EQ(s.State("LimitY"), c.readY) << c.y;
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
    EXPECT_EQ(s.Checked("SuperMode"), c.flag) << c.stored;
    EXPECT_EQ(s.Checked("x64"), c.flag) << c.stored;
    EXPECT_EQ(s.Checked("Reverse"), c.reversed) << c.stored;
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
  EXPECT_EQ(s.Checked("KeyMode"), false);
  EXPECT_EQ(s.State("RefreshRate"), 45);
  EXPECT_EQ(s.excludedClasses[1], "Shell_TrayWnd");

  core::SettingsChanges changed;
  changed.Mark();
  ASSERT_EQ(SaveSettings(settings, Unusual(), changed), SaveOutcome::Saved);
  EXPECT_EQ(settings.ValueCount(), count);
  EXPECT_EQ(settings.GetInteger("KEYMODE"), 1);
  EXPECT_EQ(settings.StoredName("keymode"), "KeyMode");
}

TEST(SaveFailureNotice, TellsTheFirstFailureOfARunAndAlwaysTheFinalOne) {
  using scroller::SaveFailureNotice;
  struct Step {
    SaveOutcome outcome;
    bool finalSave;
    bool told;
  };
  const Step steps[] = {
      {SaveOutcome::WriteFailed, false, true},
      {SaveOutcome::WriteFailed, false, false},  // the panel hidden again: no second box
      {SaveOutcome::KeyUnavailable, false, false},
      {SaveOutcome::NothingToSave, false, false},
      {SaveOutcome::Saved, false, false},
      {SaveOutcome::KeyUnavailable, false, true},  // a new run of failures after a good save
      {SaveOutcome::WriteFailed, true, true},      // at exit nothing retries
      {SaveOutcome::Saved, true, false},
  };
  SaveFailureNotice notice;
  int index = 0;
  for (const auto& step : steps) {
    const auto text = notice.After(step.outcome, step.finalSave);
    EXPECT_EQ(text.has_value(), step.told) << "step " << index << " " << ::testing::PrintToString(step.outcome);
    if (text) {
      EXPECT_NE(text->find("Software\\Tavelmoor"), std::string::npos) << *text;
    }
    ++index;
  }
}

}  // namespace
