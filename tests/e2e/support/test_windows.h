#pragma once
// Test windows of another process for scenarios: starts test_windows.exe with window specs,
// learns each window's handle by its id, and ends the program (the guard ends it at the latest).
#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "programs/test_windows/commands.h"
#include "programs/window_spec.h"
#include "win_support/process_helpers.h"

namespace e2e {

using tvmtw::WindowSpec;
namespace flag {
using namespace tvmtw;  // kTool, kOwned, ... for WindowSpec::flags
}

// test_windows.exe beside e2e_tests.
std::string TestWindowsProgram();

class TestWindows {
 public:
  TestWindows() = default;
  TestWindows(const TestWindows&) = delete;
  TestWindows& operator=(const TestWindows&) = delete;
  ~TestWindows() { End(); }

  // Starts the program and waits until every window exists; false, with Error() saying why,
  // when it did not come up. It watches process `parent` (this one by default) and ends with it.
  bool Start(const std::vector<WindowSpec>& windows, DWORD parent = GetCurrentProcessId(),
             std::chrono::milliseconds timeout = std::chrono::seconds(10));

  // The window of that id; null for an unknown id.
  HWND Window(const std::string& id) const;
  RECT RectOf(const std::string& id) const;
  const std::string& Error() const { return error_; }
  tvmtest::ProcessGuard& Process() { return process_; }

  // A new window made by the thread of window `on`, or by a new thread of its own that answers
  // messages; null when it was not made in time.
  HWND Create(const std::string& on, RECT at, bool ownThread = false) const;
  // Without waiting: the window destroys itself; its thread sleeps `ms` milliseconds.
  static void Destroy(HWND window);
  static void SleepThread(HWND window, DWORD ms, tvmtw::SleepThen then = tvmtw::kThenNothing);
  // How the window's application takes the moves asked of it from now on; false when it did not
  // answer.
  static bool SetMoveAnswer(HWND window, tvmtw::MoveAnswer answer, int heldX = 0);
  // The application moves its window by (dx, dy) at once; false when it did not answer.
  static bool MoveItself(HWND window, int dx, int dy);
  // Every later move of the window waits `ms` milliseconds first; false when it did not answer.
  static bool SetMoveDelay(HWND window, DWORD ms);
  // ShowWindow(window, how) by the window's own process; false when it did not answer.
  static bool Show(HWND window, int how);
  // How many size changes the window has been asked for since it was shown; nothing when it did
  // not answer.
  static std::optional<long> SizeRequests(HWND window);

  // Asks the program to end and waits for it (ending it by force after a while); its exit code.
  std::optional<DWORD> End(std::chrono::milliseconds timeout = std::chrono::seconds(5));

 private:
  tvmtest::ProcessGuard process_;
  HANDLE endEvent_ = nullptr;
  std::map<std::string, HWND> windows_;
  std::string error_;
};

}  // namespace e2e
