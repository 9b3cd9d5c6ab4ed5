// The stored background picture as the real program loads it at start-up: a good picture turns
// the option on, a damaged one leaves the program running with the option off.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "pictures/picture_files.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"

namespace {

using namespace std::chrono_literals;
using e2e::SettingsKey;
using e2e::Tavelmoor;
using e2e::Text;

constexpr const char* kBackgroundBox = "Set background wallpaper for overview.    ";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";

std::optional<std::string> ReadWallpaper() {
  char value[MAX_PATH * 4] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(value);
}

void SetWallpaper(const std::optional<std::string>& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  if (path) {
    RegSetValueExA(key, "Wallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(path->c_str()),
                   static_cast<DWORD>(path->size() + 1));
  } else {
    RegDeleteValueA(key, "Wallpaper");
  }
  RegCloseKey(key);
}

class Background : public ::testing::Test {
 protected:
  void SetUp() override { wallpaper_ = ReadWallpaper(); }
  void TearDown() override {
    e2e::EndAllInstances();
    SetWallpaper(wallpaper_);
    for (const auto& f : files_) DeleteFileA(f.c_str());
  }

  std::string Write(const char* name, const std::vector<uint8_t>& bytes) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    EXPECT_TRUE(pictures::WriteFile(path, bytes));
    files_.push_back(path);
    return path;
  }

  // Starts the program with "Background" stored as `stored`; answers whether the option is on
  // once the program has settled.
  bool StartWithBackground(Tavelmoor& program, const std::string& stored) {
    SettingsKey::Write(e2e::WithValues(e2e::FirstStartSet(), {Text("Background", stored)}));
    HWND panel = program.StartSettled(1300ms);
    EXPECT_NE(panel, nullptr) << "the program did not settle";
    if (!panel) return false;
    HWND box = e2e::FindControlByCaption(panel, "Button", kBackgroundBox);
    EXPECT_NE(box, nullptr);
    return box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  static std::vector<uint8_t> Jpeg() {
    return pictures::EncodeJpeg(320, 200, pictures::TwoHalves(320, 200, {200, 40, 40}, {40, 40, 200}));
  }

  e2e::CleanSettings clean_;
  std::optional<std::string> wallpaper_;
  std::vector<std::string> files_;
};

TEST_F(Background, AStoredJpegTurnsTheOptionOn) {
  Tavelmoor program;
  EXPECT_TRUE(StartWithBackground(program, Write("tvm_e2e_background.jpg", Jpeg())));
  EXPECT_TRUE(program.Process().Running());
  EXPECT_EQ(SettingsKey::Text("Background"), files_.back()) << "the path stays stored";
}

TEST_F(Background, TheStoredDefaultTakesTheDesktopWallpaper) {
  const auto bmp = pictures::EncodeBmp24(64, 48, pictures::TwoHalves(64, 48, {0, 160, 0}, {160, 160, 0}));
  SetWallpaper(Write("tvm_e2e_wallpaper.bmp", bmp));
  Tavelmoor program;
  EXPECT_TRUE(StartWithBackground(program, "default"));
}

// Each damaged picture: no crash, no hang, no message box; the option is simply off.
TEST_F(Background, ADamagedStoredPictureLeavesTheProgramRunningWithTheOptionOff) {
  const auto jpeg = Jpeg();
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
  };
  const Case cases[] = {
      {"tvm_e2e_truncated.jpg", pictures::Prefix(jpeg, jpeg.size() / 3)},
      {"tvm_e2e_garbage.jpg", pictures::Garbage(5000)},
      {"tvm_e2e_huge.jpg", pictures::WithFrameSize(jpeg, 60000, 60000)},
  };
  for (const Case& c : cases) {
    Tavelmoor program;
    EXPECT_FALSE(StartWithBackground(program, Write(c.name, c.file))) << c.name;
    EXPECT_TRUE(program.Process().Running()) << c.name;
    EXPECT_EQ(e2e::FindDialogWithText(program.Id(), ""), nullptr) << c.name << ": no message";
    e2e::EndAllInstances();
  }
}

}  // namespace
