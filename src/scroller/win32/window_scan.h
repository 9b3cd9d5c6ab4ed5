#pragma once
// The window scan: every top-level window, top of the Z order first, is tested by the exclusion
// rules; the windows that scroll go into the scroll list and every accepted window is handed to
// the navigator's entries.
#include <windows.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace navigator {
class TNavigator;
}

namespace scroller {

class ScanCache;
class TTavelmoorForm;

// A window's icon query must not wait longer than this on its application.
inline constexpr UINT kIconQueryTimeoutMs = 50;

struct ScanSetup {
  HWND controlPanel = nullptr;
  HWND shellWnd = nullptr;
  HWND desktopWnd = nullptr;
  HWND moveSizeWnd = nullptr;
  HWND foregroundWnd = nullptr;
  // The process whose windows (message boxes, dialogs) never scroll: this one.
  DWORD ownProcessId = GetCurrentProcessId();
  std::vector<std::string> nonScrollingClasses;  // the user's, matched ignoring case
  // What scans keep of windows from one to the next; null: every fact is read afresh.
  ScanCache* cache = nullptr;
};

struct ScanLists {
  std::vector<HWND>& scrollList;
  std::vector<std::string>& scrollListText;
  const std::vector<HWND>& excludedWindows;
};

struct ScanOutcome {
  bool menuOrMaximized = false;
  // The class of each window listed in this scan, as read.
  std::vector<std::pair<HWND, std::string>> listedClasses;
};

// One scan: empties the lists, starts the navigator's scan, enumerates. `navigator` may be null
// (then no entries are kept).
ScanOutcome RunWindowScan(const ScanSetup& setup, ScanLists lists, navigator::TNavigator* navigator);

// The control panel's scans: at creation, and on the refresh tick, which has read the foreground
// window and `MoveSizeWnd` for it.
void RunCreationScan(TTavelmoorForm& panel);
void RunScanTick(TTavelmoorForm& panel);

// State of the last scan, read by the refresh tick and the Scrolling Windows tab.
extern HWND ForegroundWnd;
extern bool MenuOrMaximized;
extern bool MenuOrMaximizedSeen;
// The class of a window the last scan listed; empty when it listed no such window.
std::string ListedClassOf(HWND window);

}  // namespace scroller
