// A dialog shown after the message loop has been told to end (the final save's error at exit)
// must stay until the user closes it, and the end must still come afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "toolkit/message_dialog.h"

namespace {

using namespace std::chrono_literals;

// The quit request, if one is pending, taken out of the queue.
std::optional<WPARAM> TakeQuit() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return std::nullopt;
  return msg.wParam;
}

BOOL CALLBACK FindOwnDialog(HWND wnd, LPARAM data) {
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  char name[16] = {};
  GetClassNameA(wnd, name, sizeof name);
  if (pid == GetCurrentProcessId() && lstrcmpA(name, "#32770") == 0 && IsWindowVisible(wnd)) {
    *reinterpret_cast<HWND*>(data) = wnd;
    return FALSE;
  }
  return TRUE;
}

TEST(PendingQuit, AHoldTakesTheQuitOutAndPostsItAgainWithItsCode) {
  PostQuitMessage(7);
  {
    tk::PendingQuitHold hold;
    EXPECT_TRUE(hold.Held());
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  }
  EXPECT_EQ(TakeQuit(), WPARAM{7});

  {
    tk::PendingQuitHold hold;
    EXPECT_FALSE(hold.Held());
  }
  EXPECT_EQ(TakeQuit(), std::nullopt) << "a hold without a pending quit posted one";
}

TEST(PendingQuit, ADialogShownWhileAQuitIsPendingStaysUntilClosed) {
  std::atomic<bool> found{false};
  std::atomic<bool> stayed{false};
  std::thread user([&] {
    const auto until = std::chrono::steady_clock::now() + 5s;
    HWND dialog = nullptr;
    while (!dialog && std::chrono::steady_clock::now() < until) {
      EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(&dialog));
      if (!dialog) std::this_thread::sleep_for(20ms);
    }
    if (!dialog) return;
    found = true;
    std::this_thread::sleep_for(300ms);
    stayed = IsWindow(dialog) && IsWindowVisible(dialog);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });

  PostQuitMessage(0);
  tk::MessageDlg("The settings could not be saved.", tk::DialogType::Error, tk::ButtonOk);
  user.join();

  EXPECT_TRUE(found) << "the dialog closed before anyone could see it";
  EXPECT_TRUE(stayed);
  EXPECT_EQ(TakeQuit(), WPARAM{0}) << "the quit request was lost";
}

}  // namespace
