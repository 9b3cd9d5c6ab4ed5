#pragma once
// Starting the real Tavelmoor.exe for a scenario and finding what it shows.
#include <windows.h>

#include <string>
#include <vector>

#include "win_support/process_helpers.h"

namespace e2e {

using namespace std::chrono_literals;

// Which build is under test: every test program is built in the same tree as the program it
// starts, so its own bitness is the program's. A 64-bit program hooks 64-bit processes with its
// own hook library and never offers the 64-bit loader.
constexpr bool TestsThe64BitProgram() { return sizeof(void*) == 8; }

// The control panel of whichever instance runs, or null.
HWND FindControlPanel();
// The hidden application window of the process (it receives the tray menu's commands).
HWND FindApplicationWindow(DWORD pid);
// A left click on the tray icon, as the notification area reports it to the icon's window.
void PostTrayClick(HWND application);
// Top-level windows of the process that are visible.
std::vector<HWND> VisibleWindowsOf(DWORD pid);
// The texts a dialog shows: its own title and the texts of its child windows.
std::string DialogText(HWND dialog);
// A visible dialog of the process (class "#32770") whose texts contain `text`.
HWND FindDialogWithText(DWORD pid, const std::string& text);
// Presses a dialog's button by its command identifier (IDOK, IDYES, IDCANCEL, ...).
void PressDialogButton(HWND dialog, int id);

// Ends every running instance (politely first) so that a scenario starts on a clean desktop.
void EndAllInstances();

// A running Tavelmoor.exe, ended when the guard goes.
class Tavelmoor {
 public:
  // Starts the program from `folder` (the output folder by default) with the given parameters.
  bool Start(const std::string& parameters = {}, const std::string& folder = {});
  // Waits until the control panel of this process exists.
  HWND WaitForPanel(std::chrono::milliseconds timeout = 10s);
  // Starts the program and waits until its panel has shown and hidden into the notification area,
  // then `settle` longer (the start-up actions hide it once more after about a second). The panel,
  // or null when any of it did not happen in time.
  HWND StartSettled(std::chrono::milliseconds settle = 0ms);
  tvmtest::ProcessGuard& Process() { return process_; }
  DWORD Id() const { return process_.Id(); }

 private:
  tvmtest::ProcessGuard process_;
};

}  // namespace e2e
