// The set-size dialog from outside: the tray items open it for the active window or for the
// virtual desktop, bad input is told and keeps it open, Apply sizes the window and a remembered
// size reaches the registry and every new window of that class.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "core/private_messages.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"
#include "win_support/process_helpers.h"

namespace {

using namespace std::chrono_literals;
using e2e::SettingsKey;
using tvmtest::SizeOf;
using tvmtest::WaitUntil;

constexpr UINT kTraySetSizeCommand = 1006;     // sixth item of the tray menu
constexpr UINT kTrayVirtualSizeCommand = 1009;  // ninth

std::string TitleOf(HWND w) {
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}


// The dialog's two edit fields, width first.
std::vector<HWND> EditsOf(HWND dialog) {
  std::vector<HWND> edits;
  for (HWND c = FindWindowExA(dialog, nullptr, "Edit", nullptr); c; c = FindWindowExA(dialog, c, "Edit", nullptr)) {
    edits.push_back(c);
  }
  std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top < rb.top;
  });
  return edits;
}

std::string TextOf(HWND edit) {
  char text[64] = {};
  SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

class SetSizeDialog : public e2e::ScrollingScenario {
 protected:
  void SetUp() override {
    ScrollingScenario::SetUp();
    WriteSettings();
    ASSERT_TRUE(StartWindows({{.id = "a", .title = "Sized window", .x = 100, .y = 100, .width = 300, .height = 200}}));
    panel_ = StartSettled();
    ASSERT_NE(panel_, nullptr);
  }

  // Opens the dialog by the tray item; the visible dialog whose title starts with `title`.
  HWND Open(UINT command, const std::string& title) {
    SetForegroundWindow(Tracked("a"));
    PostMessageA(e2e::FindApplicationWindow(program_.Id()), WM_COMMAND, command, 0);
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
          for (HWND w : e2e::VisibleWindowsOf(program_.Id())) {
            if (TitleOf(w).rfind(title, 0) == 0) dialog = w;
          }
          return dialog != nullptr;
        },
        3s);
    return dialog;
  }

  void Enter(HWND dialog, const std::string& width, const std::string& height) {
    const std::vector<HWND> edits = EditsOf(dialog);
    ASSERT_EQ(edits.size(), 2u);
    SendMessageA(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(width.c_str()));
    SendMessageA(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(height.c_str()));
  }

  void Press(HWND dialog, const char* caption) {
    HWND button = e2e::FindControlByCaption(dialog, "Button", caption);
    ASSERT_NE(button, nullptr) << caption;
    PostMessageA(button, BM_CLICK, 0, 0);
  }

  // The message the dialog shows for bad input; it is dismissed, and the dialog stays.
  void ExpectRefused(HWND dialog, const std::string& width, const std::string& height, const std::string& text) {
    SCOPED_TRACE(width + " x " + height);
    Enter(dialog, width, height);
    Press(dialog, "Apply");
    HWND message = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (message = e2e::FindDialogWithText(program_.Id(), text)) != nullptr; }, 3s))
        << "no \"" << text << "\"";
    if (message) e2e::PressDialogButton(message, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(message) || !IsWindowVisible(message); }, 3s));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog closed on bad input";
  }

  HWND panel_ = nullptr;
};

TEST_F(SetSizeDialog, BadInputIsToldAndTheDialogStaysOpen) {
  HWND dialog = Open(kTraySetSizeCommand, "Set size for: Sized window");
  ASSERT_NE(dialog, nullptr) << "the dialog did not open for the active window";
  const std::vector<HWND> edits = EditsOf(dialog);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(TextOf(edits[0]), "300");
  EXPECT_EQ(TextOf(edits[1]), "200");

  ExpectRefused(dialog, "wide", "tall", "Invalid width value!");
  ExpectRefused(dialog, "800", "600px", "Invalid height value!");
  ExpectRefused(dialog, "99999999999", "600", "Invalid width value!");
  ExpectRefused(dialog, "63", "600", "Values out of range!");
  ExpectRefused(dialog, "800", "32001", "Values out of range!");
  EXPECT_EQ(SizeOf(Tracked("a")).cx, 300) << "refused input changed the window";
  EXPECT_FALSE(SettingsKey::Has("RemC0"));

  Press(dialog, "Cancel");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3s));
}

TEST_F(SetSizeDialog, ARememberedSizeReachesTheRegistryAndNewWindowsOfTheClass) {
  HWND dialog = Open(kTraySetSizeCommand, "Set size for: ");
  ASSERT_NE(dialog, nullptr);
  HWND remember = e2e::FindControlByCaption(dialog, "Button", "Remember size");
  ASSERT_NE(remember, nullptr);
  if (SendMessageA(remember, BM_GETCHECK, 0, 0) != BST_CHECKED) SendMessageA(remember, BM_CLICK, 0, 0);
  Enter(dialog, "800", "600");
  Press(dialog, "Apply");

  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3s)) << "Apply did not close the dialog";
  EXPECT_TRUE(WaitUntil([&] { return SizeOf(Tracked("a")).cx == 800 && SizeOf(Tracked("a")).cy == 600; }, 3s));
  // The hide saved the settings.
  EXPECT_TRUE(WaitUntil([] { return SettingsKey::Dword("RememberNum") == 1; }, 3s));
  EXPECT_EQ(SettingsKey::Text("RemC0"), "TvmTestWindow");
  EXPECT_EQ(SettingsKey::Dword("RemS0"), 600 * 65536 + 800);

  HWND fresh = windows_.Create("a", {400, 300, 400 + 250, 300 + 150});
  ASSERT_NE(fresh, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return SizeOf(fresh).cx == 800 && SizeOf(fresh).cy == 600; }, 3s))
      << "a new window of the class kept " << SizeOf(fresh).cx << " x " << SizeOf(fresh).cy;

  // "Clear resize" forgets the class and gives the window the virtual screen's size. The new window
  // goes first, so that the first one is the dialog's only choice.
  e2e::TestWindows::Destroy(fresh);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(fresh); }, 3s));
  Sleep(300);
  dialog = Open(kTraySetSizeCommand, "Set size for: Sized window");
  ASSERT_NE(dialog, nullptr);
  Press(dialog, "Clear resize");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3s));
  EXPECT_TRUE(WaitUntil([] { return SettingsKey::Dword("RememberNum") == 0; }, 3s));
  const SIZE screen{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  HWND target = Tracked("a");
  EXPECT_TRUE(WaitUntil([&] { return SizeOf(target).cx == screen.cx && SizeOf(target).cy == screen.cy; }, 3s))
      << "the window is " << SizeOf(target).cx << " x " << SizeOf(target).cy;
}

TEST_F(SetSizeDialog, TheVirtualDesktopSizeIsFixedAndCleared) {
  HWND dialog = Open(kTrayVirtualSizeCommand, "Set virtual desktop size.");
  ASSERT_NE(dialog, nullptr);
  const int screenW = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int screenH = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const std::vector<HWND> edits = EditsOf(dialog);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(TextOf(edits[0]), std::to_string(2 * screenW)) << "without a fixed size: twice the screen";
  EXPECT_EQ(TextOf(edits[1]), std::to_string(2 * screenH));
  EXPECT_FALSE(IsWindowVisible(e2e::FindControlByCaption(dialog, "Button", "Remember size")));

  ExpectRefused(dialog, std::to_string(screenW - 1), std::to_string(screenH), "Values out of range!");
  Enter(dialog, std::to_string(screenW + 1000), std::to_string(screenH + 500));
  Press(dialog, "Apply");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3s));
  EXPECT_TRUE(WaitUntil([] { return SettingsKey::Dword("LimitX") == 1000; }, 3s));
  EXPECT_EQ(SettingsKey::Dword("LimitY"), 500);

  dialog = Open(kTrayVirtualSizeCommand, "Set virtual desktop size.");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(EditsOf(dialog).at(0)), std::to_string(screenW + 1000)) << "opens with the fixed size";
  Press(dialog, "Clear resize");
  EXPECT_TRUE(WaitUntil([] { return SettingsKey::Dword("LimitX") == 0 && SettingsKey::Dword("LimitY") == 0; }, 3s));
}

// The panel's Show takes the dialog's place, and the dialog's hide saves.
TEST_F(SetSizeDialog, ShowingThePanelHidesTheDialog) {
  HWND dialog = Open(kTraySetSizeCommand, "Set size for: ");
  ASSERT_NE(dialog, nullptr);
  PostMessageA(panel_, msg::WM_INSTANCE_SHOW, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(panel_) && !IsWindowVisible(dialog); }, 3s));
}

// What users run the program for: a window made larger than the screen keeps that size against
// another program's resizes until "Clear resize" (the hook library imposes it inside the window's
// process).
TEST_F(SetSizeDialog, AWindowLargerThanTheScreenKeepsItsSizeUntilCleared) {
  HWND w = Tracked("a");
  // The hook subclasses a window at an event of its own; under Wine a window shown without
  // activation gets one when the user first touches it.
  tvmtest::TouchAsAUser(w);
  Sleep(300);
  HWND dialog = Open(kTraySetSizeCommand, "Set size for: Sized window");
  ASSERT_NE(dialog, nullptr);
  Enter(dialog, "3000", "2500");
  Press(dialog, "Apply");
  ASSERT_TRUE(WaitUntil([&] { return SizeOf(w).cx == 3000 && SizeOf(w).cy == 2500; }, 3s))
      << "the window is " << SizeOf(w).cx << " x " << SizeOf(w).cy;

  // Another process resizes it; the synchronous call returns once the window has handled it.
  ASSERT_TRUE(SetWindowPos(w, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_EQ(SizeOf(w).cx, 3000) << "the forced size gave way";
  EXPECT_EQ(SizeOf(w).cy, 2500);

  dialog = Open(kTraySetSizeCommand, "Set size for: Sized window");
  ASSERT_NE(dialog, nullptr);
  Press(dialog, "Clear resize");
  const SIZE screen{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  EXPECT_TRUE(WaitUntil([&] { return SizeOf(w).cx == screen.cx && SizeOf(w).cy == screen.cy; }, 3s));
  ASSERT_TRUE(SetWindowPos(w, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_EQ(SizeOf(w).cx, 500) << "the size is still forced after Clear resize";
}

}  // namespace
