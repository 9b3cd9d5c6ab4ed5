// Forced sizes larger than the screen, for real: the program remembers a size for a window class,
// its scan gives a new window of that class the size, and the hook library inside the window's
// process lets the window take it and keeps it there when another process resizes the window.
// Both bitnesses: a test window of a 32-bit process (hooked by "Tavelmoor.dll", which the program
// loads) and Wine's own 64-bit Notepad (hooked by TVM64.dll through the loader the tray starts;
// a 64-bit build of the program hooks it with its own "Tavelmoor.dll" and starts no loader).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "support/loader_windows.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "support/window_lists.h"
#include "win_support/process_helpers.h"

namespace {

using namespace std::chrono_literals;
using e2e::EndLoaders;
using e2e::SettingsKey;
using tvmtest::SizeOf;
using tvmtest::TouchAsAUser;
using tvmtest::WaitUntil;

constexpr UINT kTrayLoad64Command = 1004;
constexpr int kForcedWidth = 3000;   // the screen is 1280 x 1024
constexpr int kForcedHeight = 2500;
constexpr const char* kTestClass = "TvmForcedSizeWindow";
constexpr const char* kNotepadClass = "Notepad";


bool HasForcedSize(HWND w) {
  const SIZE s = SizeOf(w);
  return s.cx == kForcedWidth && s.cy == kForcedHeight;
}

std::string SizeText(HWND w) {
  const SIZE s = SizeOf(w);
  return std::to_string(s.cx) + " x " + std::to_string(s.cy);
}

// The hook subclasses a window at an event of its own while it shows (activation, focus,
// minimizing, a move or size start). A window shown without activation, or activated before it
// was visible, gets one when the user first touches it: here, minimized and restored.

// The top-level window of that class in the process, once it shows.
HWND WaitForShownWindow(DWORD pid, const char* cls, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = tvmtest::FindProcessWindow(pid, cls, nullptr);
        return found && IsWindowVisible(found);
      },
      timeout);
  return found && IsWindowVisible(found) ? found : nullptr;
}

class ForcedSize : public e2e::ScrollingScenario {
 protected:
  void SetUp() override {
    ScrollingScenario::SetUp();
    EndLoaders();
    ASSERT_TRUE(e2e::CreateMachineKey());
    const auto size = static_cast<int32_t>(core::packSize(kForcedWidth, kForcedHeight));
    std::vector<std::string> excluded;
    if (!trayClass_.empty()) excluded.push_back(trayClass_);
    SettingsKey::Write(e2e::WithValues(e2e::SettingsWith(excluded, {{kTestClass, size}, {kNotepadClass, size}}),
                                       {e2e::Dword("StickyMode", 0)}));
  }
  void TearDown() override {
    notepad_.Reset();
    ScrollingScenario::TearDown();
    EndLoaders();
    e2e::DeleteMachineKey();
  }

  // Another process resizes the window to a size that fits the screen; the synchronous
  // SetWindowPos returns once the window has handled it, before any scan could put it back.
  void ExpectKeepsSizeAgainst(HWND w, int width, int height) {
    ASSERT_TRUE(SetWindowPos(w, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(HasForcedSize(w)) << "resized to " << width << " x " << height << ", it is " << SizeText(w);
    ASSERT_TRUE(MoveWindow(w, 20, 30, width, height, TRUE));
    EXPECT_TRUE(HasForcedSize(w)) << "MoveWindow to " << width << " x " << height << ", it is " << SizeText(w);
  }

  tvmtest::ProcessGuard notepad_;
};

TEST_F(ForcedSize, AWindowOfA32BitProcessTakesASizeLargerThanTheScreenAndKeepsIt) {
  ASSERT_NE(StartSettled(), nullptr);
  // Started after the hook: every event of its windows reaches the hook library.
  ASSERT_TRUE(StartWindows({{.id = "big", .className = kTestClass, .title = "forced size", .x = 100, .y = 100,
                             .width = 400, .height = 300}}));
  HWND w = Tracked("big");
  TouchAsAUser(w);
  ASSERT_TRUE(WaitUntil([&] { return HasForcedSize(w); }, 5s)) << "the window is " << SizeText(w);
  ExpectKeepsSizeAgainst(w, 500, 400);
  ExpectKeepsSizeAgainst(w, 4000, 3500);
}

TEST_F(ForcedSize, Wines64BitNotepadTakesASizeLargerThanTheScreenAndKeepsIt) {
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  // The hook that reaches 64-bit processes, which answers only once it is set: the loader's, or
  // a 64-bit program's own.
  HWND hookOwner = panel;
  if (!e2e::TestsThe64BitProgram()) {
    PostMessageA(e2e::FindApplicationWindow(program_.Id()), WM_COMMAND, kTrayLoad64Command, 0);
    ASSERT_TRUE(WaitUntil(
        [&] {
          return (hookOwner = FindWindowExA(nullptr, nullptr, ident::LoaderWindowClass, ident::LoaderWindowTitle));
        },
        5s))
        << "the tray action did not start the loader";
  }
  DWORD_PTR hook = 0;
  ASSERT_TRUE(SendMessageTimeoutA(hookOwner, msg::WM_HOOK_GET_HANDLE, 0, 0, SMTO_ABORTIFHUNG, 3000, &hook));
  ASSERT_NE(hook, 0u);

  ASSERT_TRUE(notepad_.Start("C:\\windows\\notepad.exe", {}, nullptr, SW_SHOWNORMAL))
      << "error " << notepad_.LastError();
  BOOL wow64 = TRUE;
  ASSERT_TRUE(IsWow64Process(notepad_.Handle(), &wow64));
  ASSERT_FALSE(wow64) << "this Notepad is not a 64-bit process";
  HWND w = WaitForShownWindow(notepad_.Id(), kNotepadClass, 10s);
  ASSERT_NE(w, nullptr) << "Notepad shows no window";
  TouchAsAUser(w);
  ASSERT_TRUE(WaitUntil([&] { return HasForcedSize(w); }, 5s)) << "Notepad is " << SizeText(w);
  ExpectKeepsSizeAgainst(w, 500, 400);
  ExpectKeepsSizeAgainst(w, 4000, 3500);
}

}  // namespace
