// The 64-bit extension from outside: only a 32-bit program under WoW64 offers it, in the check
// box and the tray menu, and starts the loader for "x64"; there the tray item and the check box
// start the loader from the program's folder and end it, the check mark follows the loader's
// window, and the user's choice survives a restart without a show ever ending the loader it
// asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/private_messages.h"
#include "support/loader_windows.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "toolkit/tray_icon.h"

namespace {

using namespace std::chrono_literals;
using e2e::EndLoaders;
using e2e::LoaderWindows;
using e2e::SettingsKey;
using tvmtest::WaitUntil;

constexpr UINT kTrayLoad64Command = 1004;  // fourth item of the tray menu
constexpr const char* kBoxCaption = "Load 64bit extention for making 64bit windows bigger than your screen.    ";
constexpr const char* kNoLoaderIn64BitBuild =
    "a 64-bit build hooks 64-bit processes with its own hook library and never starts the loader";
// The tray menu's last item, and the title of the dialog it opens.
constexpr int kTrayItemsWithout64 = 8;
constexpr const char* kVirtualSizeTitle = "Set virtual desktop size.";

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
// The control's own state, whether its panel shows or not.
bool Shown(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

std::string TitleOf(HWND w) {
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

HWND OpenMenuOf(DWORD pid) {
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32768", nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

class LoaderAction : public e2e::ScrollingScenario {
 protected:
  void SetUp() override {
    ScrollingScenario::SetUp();
    EndLoaders();
    // The machine-wide key makes the loader's file name known.
    ASSERT_TRUE(e2e::CreateMachineKey());
  }
  void TearDown() override {
    ScrollingScenario::TearDown();
    EndLoaders();
    e2e::DeleteMachineKey();
  }
  HWND App() { return e2e::FindApplicationWindow(program_.Id()); }
};

// Another process cannot read the program's menu, so the test walks it as a user would: the
// last item, reached by the arrow keys, opens its dialog only when the items above it are the
// ones the user should see.
TEST_F(LoaderAction, OnlyA32BitProgramUnderWow64OffersTheExtensionAndStartsItForX64) {
  WriteSettings({e2e::Dword("x64", 1)});
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(program_.Process().Handle(), &wow64));
  const bool offered = wow64 != FALSE;
  EXPECT_EQ(offered, !e2e::TestsThe64BitProgram()) << "Wine runs the 32-bit program under WoW64";

  HWND box = e2e::FindControlByCaption(panel, "Button", kBoxCaption);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Shown(box), offered);
  EXPECT_EQ(IsWindowEnabled(box) != FALSE, offered);

  constexpr UINT kIconId = 1;  // the program's only icon
  PostMessageA(App(), tk::TTrayIcon::CallbackMessage, kIconId, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenuOf(program_.Id())) != nullptr; }, 5s)) << "no tray menu";
  for (int i = 0; i < kTrayItemsWithout64 + (offered ? 1 : 0); ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  HWND dialog = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        for (HWND w : e2e::VisibleWindowsOf(program_.Id())) {
          if (TitleOf(w).rfind(kVirtualSizeTitle, 0) == 0) dialog = w;
        }
        return dialog != nullptr;
      },
      3s))
      << (offered ? "the tray menu lacks the 64-bit item" : "the tray menu shows the 64-bit item");
  if (dialog) PostMessageA(dialog, WM_CLOSE, 0, 0);
  if (HWND still = OpenMenuOf(program_.Id())) PostMessageA(still, WM_KEYDOWN, VK_ESCAPE, 0);

  // "x64" at 1: the first show started the loader, where it is offered.
  if (offered) {
    EXPECT_TRUE(WaitUntil([] { return LoaderWindows() == 1; }, 5s)) << "the first show did not start the loader";
  } else {
    EXPECT_FALSE(WaitUntil([] { return LoaderWindows() != 0; }, 3s)) << "a 64-bit build started the loader";
  }
}

TEST_F(LoaderAction, TheTrayItemStartsAndEndsTheLoaderAndTheBoxShowsIt) {
  if (e2e::TestsThe64BitProgram()) GTEST_SKIP() << kNoLoaderIn64BitBuild;
  WriteSettings();
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  HWND box = e2e::FindControlByCaption(panel, "Button", kBoxCaption);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Shown(box) && IsWindowEnabled(box)) << "offered on 64-bit Windows";
  EXPECT_FALSE(Checked(box));

  PostMessageA(App(), WM_COMMAND, kTrayLoad64Command, 0);
  ASSERT_TRUE(WaitUntil([] { return LoaderWindows() == 1; }, 5s)) << "the loader did not start";
  EXPECT_TRUE(WaitUntil([&] { return Checked(box); }, 2s)) << "the check mark does not follow the loader";

  // The box runs the same action: now it ends the loader.
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return LoaderWindows() == 0; }, 5s)) << "the loader did not end";
  EXPECT_TRUE(WaitUntil([&] { return !Checked(box); }, 2s));
}

TEST_F(LoaderAction, TheChoiceOutlivesTheProgramAndAShowKeepsARunningLoader) {
  if (e2e::TestsThe64BitProgram()) GTEST_SKIP() << kNoLoaderIn64BitBuild;
  WriteSettings();
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  PostMessageA(App(), WM_COMMAND, kTrayLoad64Command, 0);
  ASSERT_TRUE(WaitUntil([] { return LoaderWindows() == 1; }, 5s));
  // The choice reaches the registry at the next hide.
  PostMessageA(panel, msg::WM_INSTANCE_SHOW, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) != FALSE; }, 3s));
  EXPECT_EQ(LoaderWindows(), 1) << "a show ended or doubled the loader the user asked for";
  PostMessageA(panel, msg::WM_PANEL_HIDE, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return SettingsKey::Dword("x64") == 1; }, 3s));

  // A new run: the loader of the last one still runs, and the first show keeps it.
  PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  ASSERT_TRUE(program_.Process().WaitForExit(10s).has_value());
  EXPECT_EQ(LoaderWindows(), 1) << "ending the program ended the loader";
  panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  Sleep(300);
  EXPECT_EQ(LoaderWindows(), 1);
  EXPECT_EQ(SettingsKey::Dword("x64"), 1);
}

}  // namespace
