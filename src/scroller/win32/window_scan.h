#pragma once
// The window scan: every top-level window, top of the Z order first, is tested by the exclusion
// rules; the windows that scroll go into the scroll list and every accepted window is handed to
// the navigator's entries.
#include <windows.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "scroller/engine_state.h"

namespace navigator {
class AppWinStore;
class VirtualDesktops;
}

namespace scroller {

class ScanCache;

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
  // The virtual-desktop test; null: every window is on the current desktop.
  const navigator::VirtualDesktops* desktops = nullptr;
  // The bounding rectangle of all monitors.
  core::Rect virtualScreen;
};

// The scan fills `scroll` afresh; nested messages during it may release windows from it and
// change `excluded`, which is read anew for every window.
struct ScanLists {
  ScrollLists& scroll;
  const std::vector<WindowHandle>& excluded;
};

struct ScanOutcome {
  bool menuOrMaximized = false;
  // The class of each window listed in this scan, as read.
  std::vector<std::pair<WindowHandle, std::string>> listedClasses;

  // The class of a window this scan listed; empty when it listed no such window.
  std::string ClassOf(WindowHandle window) const;
};

// One scan: empties the list, starts the entries' scan, enumerates. `entries` (the navigator's)
// may be null: then no entries are kept.
ScanOutcome RunWindowScan(const ScanSetup& setup, ScanLists lists, navigator::AppWinStore* entries);

}  // namespace scroller
