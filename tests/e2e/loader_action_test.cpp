// The 64-bit extension from outside: the tray item and the check box start the loader from the
// program's folder and end it, the check mark follows the loader's window, and the user's choice
// survives a restart without a show ever ending the loader it asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/private_messages.h"
#include "support/loader_windows.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"

namespace {

using namespace std::chrono_literals;
using e2e::EndLoaders;
using e2e::LoaderWindows;
using e2e::SettingsKey;
using tvmtest::WaitUntil;

constexpr UINT kTrayLoad64Command = 1004;  // fourth item of the tray menu
constexpr const char* kBoxCaption = "Load 64bit extention for making 64bit windows bigger than your screen.    ";

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

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

TEST_F(LoaderAction, TheTrayItemStartsAndEndsTheLoaderAndTheBoxShowsIt) {
  WriteSettings();
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  HWND box = e2e::FindControlByCaption(panel, "Button", kBoxCaption);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(IsWindowVisible(box) || !IsWindowVisible(panel)) << "shown on 64-bit Windows";
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
