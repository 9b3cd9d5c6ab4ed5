#pragma once
// What every scrolling scenario starts with: a clean desktop, a quiet settings key (vertical
// scrolling on, no sticky wait, the keys off, Wine's tray window kept from scrolling), test
// windows of another process and the program settled in the notification area; and where the
// windows stand.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "support/test_windows.h"

namespace e2e {

POINT TopLeft(HWND w);

// WM_SCROLL_BY as an outside program sends it; false when the panel did not answer in time.
bool ScrollBy(HWND panel, int dx, int dy, DWORD timeoutMs = 2000);
// The same, posted: nothing waits for the panel.
void PostScrollBy(HWND panel, int dx, int dy);
// A message sent to the panel as another program sends it; its answer (a failure when none came).
LRESULT Ask(HWND panel, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The primary work area.
RECT WorkArea();
// Ctrl+Shift+`key` pressed and released, as the user types it.
void PressCtrlShift(char key);

class ScrollingScenario : public ::testing::Test {
 protected:
  // Without a window manager the keyboard focus follows the pointer: a window scrolled under it
  // becomes the foreground window, and that activation drops the step still waiting. Between
  // pushes the pointer waits where no test window passes.
  static constexpr POINT kPointerAside{1200, 50};

  void SetUp() override;
  void TearDown() override;

  // The quiet key with `excluded` among the non-scrolling classes, `changes` on top.
  void WriteSettings(const std::vector<SettingValue>& changes = {}, const std::vector<std::string>& excluded = {});
  // Starts the test windows; each is tracked by its id.
  bool StartWindows(const std::vector<WindowSpec>& specs);
  void Track(const std::string& id, HWND window) { tracked_[id] = window; }
  void Untrack(const std::string& id) { tracked_.erase(id); }
  HWND Tracked(const std::string& id) const { return tracked_.at(id); }
  // Starts the program and waits until it sits hidden in the notification area, past the
  // start-up actions.
  HWND StartSettled();

  // Where the tracked windows of `ids` (all of them when empty) stand now.
  std::map<std::string, POINT> Positions(const std::vector<std::string>& ids = {}) const;
  // Every window of `before` at its place there offset by (dx, dy), within `timeout`.
  bool WaitMovedBy(const std::map<std::string, POINT>& before, int64_t dx, int64_t dy,
                   std::chrono::milliseconds timeout = std::chrono::seconds(3)) const;
  std::string Describe(const std::map<std::string, POINT>& before) const;

  std::string trayClass_;
  Tavelmoor program_;
  TestWindows windows_;

 private:
  std::map<std::string, HWND> tracked_;
};

}  // namespace e2e
