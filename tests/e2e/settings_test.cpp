// The options in the registry as the running program reads and writes them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"

namespace {

using namespace std::chrono_literals;
using e2e::Dword;
using e2e::SettingsKey;
using e2e::SettingValue;
using e2e::Tavelmoor;
using e2e::Text;
using tvmtest::WaitUntil;

// Every value a save writes, with what a first start writes for it.
const std::vector<SettingValue> kDefaults = e2e::FirstStartSet();

// A complete key in which every option differs from its default (the hot keys stay off so the
// scenario does not depend on which chords are free).
const std::vector<SettingValue> kChanged = {
    Dword("PosNum", 0),      Dword("RefreshRate", 135), Dword("ScrollSpeed", 9), Dword("Reverse", 0),
    Dword("SuperMode", 1),   Dword("KeyMode", 0),       Dword("AltKey", 0),      Dword("MenuMode", 1),
    Dword("DoLimit", 1),     Dword("ShowGlyphs", 1),    Dword("AutoArrange", 0), Dword("BorderScroll", 1),
    Dword("SysScroll", 1),   Dword("SmallScreen", 1),   Dword("AutoScroll", 0),  Dword("AutoCenter", 1),
    Dword("UseShift", 0),    Dword("RepaintMode", 0),   Dword("x64", 1),         Dword("DoXMove", 0),
    Dword("DoYMove", 1),     Dword("LimitX", 1000),     Dword("LimitY", 500),    Text("Background", ""),
    Dword("StickyMode", 20), Dword("ExcludeNum", 2),    Text("Exclude0", "Notepad"),
    Text("Exclude1", "Shell_TrayWnd"),                  Dword("RememberNum", 1), Text("RemC0", "TvmTestWindow"),
    Dword("RemS0", static_cast<int32_t>(core::packSize(800, 600))),
};

void ExpectKeyHolds(const std::vector<SettingValue>& values) {
  for (const auto& v : values) {
    if (v.isText) {
      EXPECT_EQ(SettingsKey::Text(v.name), v.text) << v.name;
    } else {
      EXPECT_EQ(SettingsKey::Dword(v.name), v.number) << v.name;
    }
  }
}

class Settings : public ::testing::Test {
 protected:
  // Nothing reads "AltKey": it comes back only when a save writes the set from the fields, so its
  // absence shows that no save ran.
  static void WriteWithoutAltKey(const std::vector<SettingValue>& values) {
    SettingsKey::Write(values);
    SettingsKey::DeleteValue("AltKey");
  }

  // Starts the program and waits until it has shown its panel and hidden it again; the start-up
  // actions, which hide once more, have run when this returns.
  HWND StartSettled() {
    HWND panel = program_.StartSettled(1300ms);
    EXPECT_NE(panel, nullptr) << "the program did not settle in the notification area";
    return panel;
  }

  // Shows the panel as a second start does.
  void ShowPanel(HWND panel) {
    Tavelmoor second;
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) != FALSE; }, 5s));
  }

  void HidePanel(HWND panel) {
    PostMessageA(panel, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(panel); }, 5s));
    // The save runs after the window is hidden, in the same handler: a message sent now is
    // answered only once that handler has finished.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  }

  bool Checked(HWND panel, const char* caption) {
    HWND box = e2e::FindControlByCaption(panel, "Button", caption);
    EXPECT_NE(box, nullptr) << caption;
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  // The program's error box about a failed save, or null.
  HWND SaveErrorBox() { return e2e::FindDialogWithText(program_.Id(), "The settings could not be saved."); }

  e2e::CleanSettings clean_;
  Tavelmoor program_;
};

TEST_F(Settings, AFirstStartWritesTheCompleteDefaultSetAtTheFirstHide) {
  StartSettled();
  ExpectKeyHolds(kDefaults);
  EXPECT_FALSE(SettingsKey::Has("Exclude0"));
}

TEST_F(Settings, AStoredKeyComesBackIntoTheControlsAndTheFields) {
  WriteWithoutAltKey(kChanged);
  HWND panel = StartSettled();
  // A build that offers the 64-bit extension (the 32-bit program under WoW64) tries to start the
  // loader for "x64" at its first show; with no machine key the loader's file is unknown, so the
  // choice is dropped and saved as 0. A build that does not offer it keeps the value untouched.
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(program_.Process().Handle(), &wow64));
  std::vector<SettingValue> expected = kChanged;
  if (wow64) {
    for (SettingValue& v : expected) {
      if (v.name == "x64") v.number = 0;
    }
  }
  ExpectKeyHolds(expected);

  struct Box {
    const char* caption;
    bool checked;
  };
  const Box boxes[] = {
      {"Always scroll desktop when moving the mouse.    ", true},
      {"Reverse the Scrolling direction.    ", true},
      {"Do not scroll when opening a menu or when a maximized window is active.    ", true},
      {"Limit the virtual desktop size to the space used by your windows.    ", true},
      {"Show real window look on the navigation panel.    ", true},
      {"Enable scrolling for virtual machines, touch screen computers and KVM software.   ", true},
      {"Display a small navigation screen.    ", true},
      {"Enable auto scrolling when a window is activated.    ", false},
      {"Center window on primary display when activated.    ", true},
      {"Enable 'Shift+Ctrl' and 'Ctrl+Alt' scrolling.    ", false},
      {"Enable scrolling in horizontal direction.    ", false},
      {"Enable scrolling in vertical direction.    ", true},
  };
  for (const auto& box : boxes) EXPECT_EQ(Checked(panel, box.caption), box.checked) << box.caption;
  const auto bars = e2e::TrackBarsOf(panel);
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(SendMessageA(bars[0], TBM_GETPOS, 0, 0), 9);    // speed
  EXPECT_EQ(SendMessageA(bars[1], TBM_GETPOS, 0, 0), 135);  // refresh
  EXPECT_EQ(SendMessageA(bars[2], TBM_GETPOS, 0, 0), 20);   // sticky
  EXPECT_EQ(e2e::ListBoxItems(e2e::NonScrollingListBox(panel)),
            (std::vector<std::string>{"Notepad", "Shell_TrayWnd"}));
}

TEST_F(Settings, AnUnchangedRunWritesNothing) {
  WriteWithoutAltKey(kDefaults);
  HWND panel = StartSettled();
  ShowPanel(panel);
  HidePanel(panel);
  EXPECT_FALSE(SettingsKey::Has("AltKey")) << "a save ran though no option changed";
}

TEST_F(Settings, AChangeThroughAControlReachesTheRegistryAtTheNextHide) {
  WriteWithoutAltKey(kDefaults);
  HWND panel = StartSettled();
  ShowPanel(panel);

  HWND reverse = e2e::FindControlByCaption(panel, "Button", "Reverse the Scrolling direction.    ");
  ASSERT_NE(reverse, nullptr);
  SendMessageA(reverse, BM_CLICK, 0, 0);
  // A key on the refresh track bar moves it one line (15) to the right.
  HWND refresh = e2e::TrackBarsOf(panel).at(1);
  SendMessageA(refresh, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(refresh, WM_KEYUP, VK_RIGHT, 0);
  EXPECT_FALSE(SettingsKey::Has("AltKey")) << "nothing is written before the hide";

  HidePanel(panel);
  EXPECT_EQ(SettingsKey::Dword("Reverse"), 0);
  EXPECT_EQ(SettingsKey::Dword("RefreshRate"), 75);
  EXPECT_EQ(SettingsKey::Dword("AltKey"), 0);
}

TEST_F(Settings, ACorruptKeyNeitherHangsNorBreaksTheProgram) {
  auto values = kDefaults;
  values.push_back(Dword("ExcludeNum", 2000000000));
  values.push_back(Dword("RememberNum", -7));
  values.push_back(Dword("LimitX", -5));
  SettingsKey::Write(values);
  SettingsKey::Write({Text("Exclude0", "Notepad")});
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(program_.Process().Running());
  // The corrupt counts were corrected, so the set was written again, with sane counts.
  const auto excluded = SettingsKey::Dword("ExcludeNum");
  ASSERT_TRUE(excluded.has_value());
  EXPECT_LE(*excluded, 1000);
  EXPECT_EQ(SettingsKey::Dword("RememberNum"), 0);
  EXPECT_EQ(SettingsKey::Dword("LimitX"), 0);
}

// One missing value ends the reading of the options, and the set is written back whole: the
// user's classes and sizes after the gap must come back with it, not as empty lists.
TEST_F(Settings, AMissingValueLeavesTheListsInTheKey) {
  auto values = kChanged;
  std::erase_if(values, [](const SettingValue& v) { return v.name == "AutoCenter"; });
  SettingsKey::Write(values);
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);

  EXPECT_EQ(SettingsKey::Dword("AutoCenter"), 0) << "the set was not written back";
  EXPECT_EQ(SettingsKey::Dword("UseShift"), 1);    // after the gap: the default
  EXPECT_EQ(SettingsKey::Dword("SmallScreen"), 1);  // before it: as stored
  EXPECT_EQ(SettingsKey::Dword("ExcludeNum"), 2);
  EXPECT_EQ(SettingsKey::Text("Exclude1"), "Shell_TrayWnd");
  EXPECT_EQ(SettingsKey::Dword("RememberNum"), 1);
  EXPECT_EQ(SettingsKey::Text("RemC0"), "TvmTestWindow");
  EXPECT_EQ(e2e::ListBoxItems(e2e::NonScrollingListBox(panel)),
            (std::vector<std::string>{"Notepad", "Shell_TrayWnd"}));
}

// A save that fails keeps the change for the next hide and says so once; the final save at exit
// says so too, and its box stays until the user closes it though the end is already requested.
TEST_F(Settings, AFailedSaveIsToldOnceAtTheHidesAndAlwaysAtExit) {
  WriteWithoutAltKey(kDefaults);
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  ShowPanel(panel);
  HWND reverse = e2e::FindControlByCaption(panel, "Button", "Reverse the Scrolling direction.    ");
  ASSERT_NE(reverse, nullptr);
  SendMessageA(reverse, BM_CLICK, 0, 0);
  ASSERT_TRUE(SettingsKey::MakeReadOnly());

  PostMessageA(panel, WM_CLOSE, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = SaveErrorBox()) != nullptr; }, 5s)) << "the failed save was not told";
  e2e::PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return SaveErrorBox() == nullptr; }, 5s));

  // Still failing, and still not saved: no second box.
  ShowPanel(panel);
  HidePanel(panel);
  EXPECT_EQ(SaveErrorBox(), nullptr);
  EXPECT_FALSE(SettingsKey::Has("AltKey"));

  PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return (box = SaveErrorBox()) != nullptr; }, 10s)) << "the final save was not told";
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(IsWindowVisible(box)) << "the box closed by itself";
  EXPECT_TRUE(program_.Process().Running());
  e2e::PressDialogButton(box, IDOK);
  EXPECT_TRUE(program_.Process().WaitForExit(15s).has_value());
}

}  // namespace
