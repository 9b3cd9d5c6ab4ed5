// One instance per desktop: how a start behaves with and without a running instance, and how
// the program ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/private_messages.h"
#include "support/tavelmoor_process.h"

namespace {

using namespace std::chrono_literals;
using e2e::Tavelmoor;
using tvmtest::WaitUntil;

constexpr UINT kTrayShowCommand = 1001;  // first item of the tray menu
constexpr UINT kTrayExitCommand = 1002;  // second item of the tray menu
constexpr const char* kExitQuestion = "Are you sure you want to exit?";

// The program alone in a folder of its own, without the hook library beside it.
std::string LonelyProgramFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "tvm-nodll-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  EXPECT_TRUE(CopyFileA(tvmtest::BinFile("Tavelmoor.exe").c_str(), (folder + "\\Tavelmoor.exe").c_str(), FALSE));
  return folder;
}

void RemoveLonelyProgramFolder(const std::string& folder) {
  DeleteFileA((folder + "\\Tavelmoor.exe").c_str());
  RemoveDirectoryA(folder.c_str());
}

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { e2e::EndAllInstances(); }
  void TearDown() override { e2e::EndAllInstances(); }

  // Starts the running instance and waits until it has settled hidden in the notification area.
  HWND StartSettled(Tavelmoor& program) {
    HWND panel = program.StartSettled();
    EXPECT_NE(panel, nullptr) << "the program did not settle in the notification area";
    return panel;
  }
};

TEST_F(Startup, TheRunningInstanceSettlesHiddenWithItsPanelFindable) {
  Tavelmoor program;
  HWND panel = StartSettled(program);
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(program.Process().Running());
  // Found hidden, in any letter case, as other programs and the hook libraries look for it.
  for (auto [cls, title] : {std::pair{"TTavelmoorForm", "Tavelmoor ControlPanel"},
                            std::pair{"ttavelmoorform", "tavelmoor controlpanel"},
                            std::pair{"TTAVELMOORFORM", "TAVELMOOR CONTROLPANEL"}}) {
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, cls, title), panel) << cls << " / " << title;
  }
  RECT client{};
  GetClientRect(panel, &client);
  EXPECT_EQ(client.right, MulDiv(951, 96, 144));
  EXPECT_EQ(client.bottom, MulDiv(730, 96, 144));
  EXPECT_TRUE(GetWindowLongA(panel, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongA(panel, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
}

TEST_F(Startup, ASecondPlainStartShowsTheRunningPanelAndEnds) {
  Tavelmoor first;
  HWND panel = StartSettled(first);
  ASSERT_NE(panel, nullptr);
  Sleep(1200);  // past the start-up actions, which hide the panel once more

  Tavelmoor second;
  ASSERT_TRUE(second.Start());
  const auto code = second.Process().WaitForExit(10s);
  ASSERT_TRUE(code.has_value()) << "the second start did not end";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) != FALSE; }, 5s));
  EXPECT_TRUE(first.Process().Running());
  EXPECT_EQ(FindWindowExA(nullptr, panel, "TTavelmoorForm", "Tavelmoor ControlPanel"), nullptr)
      << "the second start created a panel of its own";
}

TEST_F(Startup, AStartWithAParameterEndsTheRunningInstanceAndShowsNothing) {
  Tavelmoor first;
  ASSERT_NE(StartSettled(first), nullptr);

  Tavelmoor messenger;
  ASSERT_TRUE(messenger.Start("anything at all"));
  bool showedSomething = false;
  const bool ended = WaitUntil(
      [&] {
        if (!e2e::VisibleWindowsOf(messenger.Id()).empty()) showedSomething = true;
        return !messenger.Process().Running();
      },
      10s, 1ms);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(showedSomething);
  const auto code = first.Process().WaitForExit(15s);
  ASSERT_TRUE(code.has_value()) << "the running instance did not end";
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(e2e::FindControlPanel(), nullptr);
}

TEST_F(Startup, AStartWithAParameterAndNoInstanceEndsAtOnce) {
  Tavelmoor messenger;
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(messenger.Start("/x"));
  const auto code = messenger.Process().WaitForExit(10s);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(e2e::FindControlPanel(), nullptr);
  RecordProperty("milliseconds", static_cast<int>(took.count()));
  std::printf("the exit messenger ended after %lld ms\n", static_cast<long long>(took.count()));
}

// Starts the program from a folder without the hook library: the message it shows about that
// (its start-up pumps messages meanwhile), or null.
HWND StartWithoutHookLibrary(Tavelmoor& program, const std::string& folder) {
  if (!program.Start({}, folder)) return nullptr;
  HWND message = nullptr;
  WaitUntil([&] {
    message = e2e::FindDialogWithText(program.Id(), "Tavelmoor.dll is missing, please reinstall!");
    return message != nullptr;
  }, 10s);
  return message;
}

TEST_F(Startup, AMissingHookLibraryIsReportedAndTheProgramGoesOn) {
  const std::string folder = LonelyProgramFolder();

  Tavelmoor program;
  HWND message = StartWithoutHookLibrary(program, folder);
  ASSERT_NE(message, nullptr) << "no message about the missing library";
  e2e::PressDialogButton(message, IDOK);
  HWND panel = program.WaitForPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(panel); }, 5s)) << "the program did not settle";
  EXPECT_TRUE(program.Process().Running());
  // Without a hook there is no hook handle to hand out.
  DWORD_PTR handle = 1;
  ASSERT_TRUE(SendMessageTimeoutA(panel, msg::WM_HOOK_GET_HANDLE, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle));
  EXPECT_EQ(handle, 0u);

  program.Process().Reset();
  RemoveLonelyProgramFolder(folder);
}

TEST_F(Startup, AnExitRequestedWhileStartingIsHonouredOnceStarted) {
  // The start-up message box pumps messages while the panel is already findable.
  const std::string folder = LonelyProgramFolder();
  Tavelmoor program;
  HWND message = StartWithoutHookLibrary(program, folder);
  ASSERT_NE(message, nullptr) << "no message about the missing library";
  HWND panel = program.WaitForPanel(1s);
  ASSERT_NE(panel, nullptr);
  DWORD_PTR answer = 1;
  ASSERT_TRUE(SendMessageTimeoutA(panel, msg::WM_HOOK_GET_HANDLE, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer));
  EXPECT_EQ(answer, 0u) << "private messages are answered 0 until the panel is created";
  PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  Sleep(200);
  EXPECT_TRUE(program.Process().Running()) << "ended in the middle of its creation";
  e2e::PressDialogButton(message, IDOK);
  const auto code = program.Process().WaitForExit(15s);
  ASSERT_TRUE(code.has_value()) << "the exit request was lost";
  EXPECT_EQ(*code, 0u);
  RemoveLonelyProgramFolder(folder);
}

// The tray icon is there before the panel is built: its items do nothing until it is.
TEST_F(Startup, TheTrayMenuWaitsForTheEndOfTheCreation) {
  const std::string folder = LonelyProgramFolder();
  Tavelmoor program;
  HWND message = StartWithoutHookLibrary(program, folder);
  ASSERT_NE(message, nullptr) << "no message about the missing library";
  HWND panel = program.WaitForPanel(1s);
  ASSERT_NE(panel, nullptr);
  HWND app = e2e::FindApplicationWindow(program.Id());
  ASSERT_NE(app, nullptr);
  PostMessageA(app, WM_COMMAND, kTrayShowCommand, 0);
  PostMessageA(app, WM_COMMAND, kTrayExitCommand, 0);
  Sleep(300);
  EXPECT_FALSE(IsWindowVisible(panel)) << "shown before it was built";
  EXPECT_EQ(e2e::FindDialogWithText(program.Id(), "Are you sure you want to exit?"), nullptr);

  e2e::PressDialogButton(message, IDOK);
  EXPECT_TRUE(program.Process().Running());
  // Once built, the same item shows the panel (after the start-up actions have hidden it).
  Sleep(1500);
  PostMessageA(app, WM_COMMAND, kTrayShowCommand, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) != FALSE; }, 5s)) << "the tray's Show did nothing";
  program.Process().Reset();
  RemoveLonelyProgramFolder(folder);
}

TEST_F(Startup, TheHookIsSetAtTheFirstShow) {
  Tavelmoor program;
  HWND panel = StartSettled(program);
  ASSERT_NE(panel, nullptr);
  DWORD_PTR handle = 0;
  ASSERT_TRUE(SendMessageTimeoutA(panel, msg::WM_HOOK_GET_HANDLE, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle));
  EXPECT_NE(handle, 0u);
}

TEST_F(Startup, TheExitItemAsksAndCancelKeepsTheProgramRunning) {
  Tavelmoor program;
  ASSERT_NE(StartSettled(program), nullptr);
  HWND app = e2e::FindApplicationWindow(program.Id());
  ASSERT_NE(app, nullptr);

  PostMessageA(app, WM_COMMAND, kTrayExitCommand, 0);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = e2e::FindDialogWithText(program.Id(), kExitQuestion)) != nullptr; }, 5s));
  EXPECT_NE(e2e::DialogText(question).find("It is recommened to close all applications before closing Tavelmoor."),
            std::string::npos);
  e2e::PressDialogButton(question, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 5s));
  EXPECT_FALSE(program.Process().WaitForExit(500ms).has_value()) << "Cancel ended the program";
}

TEST_F(Startup, TheExitItemAnsweredYesEndsThePrograms) {
  Tavelmoor program;
  HWND panel = StartSettled(program);
  ASSERT_NE(panel, nullptr);
  HWND app = e2e::FindApplicationWindow(program.Id());
  ASSERT_NE(app, nullptr);

  PostMessageA(app, WM_COMMAND, kTrayExitCommand, 0);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = e2e::FindDialogWithText(program.Id(), kExitQuestion)) != nullptr; }, 5s));
  e2e::PressDialogButton(question, IDYES);
  const auto code = program.Process().WaitForExit(15s);
  ASSERT_TRUE(code.has_value()) << "the program did not end";
  EXPECT_EQ(*code, 0u);
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_FALSE(IsWindow(app));
}

}  // namespace
