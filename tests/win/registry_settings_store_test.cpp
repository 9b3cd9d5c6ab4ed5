// The registry settings store against the real registry, in a scratch key of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "scroller/settings_codec.h"
#include "scroller/win32/registry_settings_store.h"

namespace {

using scroller::KeyOpening;
using scroller::ReadStatus;
using scroller::RegistrySettingsStore;

constexpr char kScratchParent[] = "Software\\TavelmoorTest";

class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  std::string path;

  void SetUp() override {
    path = std::string(kScratchParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
  }

  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // only when no other run uses it
  }

  bool KeyExists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // A value of any type and content, written past the store.
  void PutRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

TEST_F(RegistrySettingsStoreTest, OpeningForReadingNeverCreates) {
  RegistrySettingsStore store(HKEY_CURRENT_USER, path);
  EXPECT_EQ(store.OpenForReading(), KeyOpening::Unavailable);
  EXPECT_FALSE(KeyExists());
  EXPECT_EQ(store.ReadInteger("Any").status, ReadStatus::Missing);
  EXPECT_FALSE(store.WriteInteger("Any", 1));

  EXPECT_EQ(store.OpenOrCreate(), KeyOpening::Created);
  EXPECT_TRUE(KeyExists());
  EXPECT_EQ(store.OpenOrCreate(), KeyOpening::Opened);

  RegistrySettingsStore fromRoot(HKEY_CURRENT_USER, "\\" + path);  // a leading backslash means the root
  EXPECT_EQ(fromRoot.OpenForReading(), KeyOpening::Opened);
  EXPECT_FALSE(fromRoot.WriteInteger("Any", 1));  // read-only
  EXPECT_FALSE(fromRoot.HasValue("Any"));
}

TEST_F(RegistrySettingsStoreTest, ValuesRoundTripAndNamesIgnoreCase) {
  RegistrySettingsStore store(HKEY_CURRENT_USER, path);
  ASSERT_EQ(store.OpenOrCreate(), KeyOpening::Created);
  const std::string longText(4000, 'x');
  for (int32_t v : {0, 1, -5, INT32_MIN, INT32_MAX}) {
    ASSERT_TRUE(store.WriteInteger("KeyMode", v));
    const auto read = store.ReadInteger("keymode");
    EXPECT_EQ(read.status, ReadStatus::Ok) << v;
    EXPECT_EQ(read.value, v);
  }
  for (const std::string& t : {std::string(), std::string("C:\\pictures\\sky.bmp"), longText}) {
    ASSERT_TRUE(store.WriteText("Background", t));
    const auto read = store.ReadText("BACKGROUND");
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.value, t);
  }
  EXPECT_TRUE(store.HasValue("background"));
  EXPECT_FALSE(store.HasValue("PosNum"));
  EXPECT_EQ(store.ReadText("PosNum").status, ReadStatus::Missing);
  EXPECT_EQ(store.ReadInteger("PosNum").status, ReadStatus::Missing);
}

TEST_F(RegistrySettingsStoreTest, ValuesOfAnotherTypeOrSizeAreMistyped) {
  const DWORD dword = 7;
  const uint64_t qword = 7;
  const char text[] = "7";
  const uint16_t shortDword = 7;
  PutRaw("Dword", REG_DWORD, &dword, sizeof dword);
  PutRaw("Qword", REG_QWORD, &qword, sizeof qword);
  PutRaw("Binary", REG_BINARY, &dword, sizeof dword);
  PutRaw("Text", REG_SZ, text, sizeof text);
  PutRaw("Expand", REG_EXPAND_SZ, text, sizeof text);
  PutRaw("Multi", REG_MULTI_SZ, "7\0\0", 3);
  PutRaw("ShortDword", REG_DWORD, &shortDword, sizeof shortDword);
  const std::string huge(RegistrySettingsStore::kMaxTextBytes + 10, 'y');
  PutRaw("Huge", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));

  RegistrySettingsStore store(HKEY_CURRENT_USER, path);
  ASSERT_EQ(store.OpenForReading(), KeyOpening::Opened);
  struct Case {
    const char* name;
    ReadStatus asInteger;
    ReadStatus asText;
  };
  const Case cases[] = {
      {"Dword", ReadStatus::Ok, ReadStatus::WrongType},
      {"Qword", ReadStatus::WrongType, ReadStatus::WrongType},
      {"Binary", ReadStatus::WrongType, ReadStatus::WrongType},
      {"Text", ReadStatus::WrongType, ReadStatus::Ok},
      {"Expand", ReadStatus::WrongType, ReadStatus::Ok},
      {"Multi", ReadStatus::WrongType, ReadStatus::WrongType},
      {"ShortDword", ReadStatus::WrongType, ReadStatus::WrongType},
      {"Huge", ReadStatus::WrongType, ReadStatus::WrongType},
      {"Absent", ReadStatus::Missing, ReadStatus::Missing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(store.ReadInteger(c.name).status, c.asInteger) << c.name;
    EXPECT_EQ(store.ReadText(c.name).status, c.asText) << c.name;
  }
}

TEST_F(RegistrySettingsStoreTest, TextsWithoutTerminatorOrWithAnEmbeddedOneReadUpToIt) {
  PutRaw("Unterminated", REG_SZ, "abc", 3);
  PutRaw("Embedded", REG_SZ, "ab\0cd", 6);
  RegistrySettingsStore store(HKEY_CURRENT_USER, path);
  ASSERT_EQ(store.OpenForReading(), KeyOpening::Opened);
  EXPECT_EQ(store.ReadText("Unterminated").value, "abc");
  EXPECT_EQ(store.ReadText("Embedded").value, "ab");
}

TEST_F(RegistrySettingsStoreTest, AKeyThatCannotBeCreatedIsUnavailable) {
  // A root that is no longer open: neither opening nor creating can succeed.
  HKEY gone = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &gone, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(gone);
  RegistrySettingsStore store(gone, "Child");
  EXPECT_EQ(store.OpenOrCreate(), KeyOpening::Unavailable);
  EXPECT_EQ(store.OpenForReading(), KeyOpening::Unavailable);
  EXPECT_FALSE(store.WriteText("Background", "x"));

  core::SettingsChanges changed;
  changed.Mark();
  EXPECT_EQ(scroller::SaveSettings(store, scroller::SettingsToSave{}, changed),
            scroller::SaveOutcome::KeyUnavailable);
  EXPECT_TRUE(changed.Pending());
}

TEST_F(RegistrySettingsStoreTest, TheCodecRoundTripsThroughTheRegistry) {
  scroller::SettingsToSave saved;
  saved.options.RefreshRate = 90;
  saved.options.ReverseFactor = -1;
  saved.kept.Load64AtShow = true;
  saved.kept.LimitY = 2000;
  saved.background = "none";
  saved.excludedClasses = {"Notepad", ""};
  saved.rememberedSizes = {{"ConsoleWindowClass", core::packSize(1800, 1200)}};
  RegistrySettingsStore settings(HKEY_CURRENT_USER, path);
  core::SettingsChanges changed;
  changed.Mark();
  ASSERT_EQ(scroller::SaveSettings(settings, saved, changed), scroller::SaveOutcome::Saved);
  EXPECT_FALSE(changed.Pending());

  RegistrySettingsStore desktop(HKEY_CURRENT_USER, path + "\\NoDesktop");
  RegistrySettingsStore machine(HKEY_CURRENT_USER, path + "\\NoMachine");
  const auto s = scroller::LoadSettings({settings, desktop, machine, nullptr});
  EXPECT_FALSE(s.settingsChanged);
  EXPECT_EQ(s.State("RefreshRate"), 90);
  EXPECT_EQ(s.Checked("Reverse"), true);
  EXPECT_EQ(s.Checked("x64"), true);
  EXPECT_EQ(s.State("LimitY"), 2000);
  EXPECT_EQ(s.backgroundSetting, "none");
  EXPECT_EQ(s.useBackground, false);
  EXPECT_EQ(s.excludedClasses, saved.excludedClasses);
  EXPECT_EQ(s.rememberedSizes, saved.rememberedSizes);
  EXPECT_EQ(s.loaderFileName, "");
  EXPECT_TRUE(settings.HasValue("PosNum"));
  // A load creates only the settings key, never the keys it merely reads.
  EXPECT_EQ(desktop.OpenForReading(), KeyOpening::Unavailable);
  EXPECT_EQ(machine.OpenForReading(), KeyOpening::Unavailable);
}

// Texts that other tools store as expandable ones ("Wallpaper" often is) are texts all the same,
// read as stored; before, one of them ended the whole load.
TEST_F(RegistrySettingsStoreTest, ExpandableTextsReadAsTextAndTheLoadGoesOn) {
  scroller::SettingsToSave saved;
  saved.excludedClasses = {"Notepad", "Edit"};
  saved.rememberedSizes = {{"ConsoleWindowClass", core::packSize(1800, 1200)}};
  {
    RegistrySettingsStore settings(HKEY_CURRENT_USER, path);
    core::SettingsChanges changed;
    changed.Mark();
    ASSERT_EQ(scroller::SaveSettings(settings, saved, changed), scroller::SaveOutcome::Saved);
  }
  const char background[] = "%SystemRoot%\\none.bmp";
  const char excluded[] = "Shell_TrayWnd";
  PutRaw("Background", REG_EXPAND_SZ, background, sizeof background);
  PutRaw("Exclude1", REG_EXPAND_SZ, excluded, sizeof excluded);
  const std::string desktopPath = path + "\\Desktop";
  const char wallpaper[] = "%SystemRoot%\\wall.bmp";
  {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, desktopPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Wallpaper", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(wallpaper), sizeof wallpaper);
    RegCloseKey(key);
  }

  RegistrySettingsStore settings(HKEY_CURRENT_USER, path);
  RegistrySettingsStore desktop(HKEY_CURRENT_USER, desktopPath);
  RegistrySettingsStore machine(HKEY_CURRENT_USER, path + "\\NoMachine");
  std::string askedFor;
  auto s = scroller::LoadSettings({settings, desktop, machine, [&](const std::string& p) {
                                     askedFor = p;
                                     return true;
                                   }});
  EXPECT_FALSE(s.settingsChanged);
  EXPECT_EQ(s.backgroundSetting, background);
  EXPECT_EQ(s.excludedClasses, (std::vector<std::string>{"Notepad", "Shell_TrayWnd"}));
  EXPECT_EQ(s.rememberedSizes, saved.rememberedSizes);
  EXPECT_EQ(s.useBackground, true);

  // The wallpaper behind "default", likewise.
  PutRaw("Background", REG_SZ, "default", 8);
  s = scroller::LoadSettings({settings, desktop, machine, [&](const std::string& p) {
                                askedFor = p;
                                return true;
                              }});
  EXPECT_FALSE(s.settingsChanged);
  EXPECT_EQ(askedFor, wallpaper);
  EXPECT_EQ(s.backgroundFile, wallpaper);
}

}  // namespace
