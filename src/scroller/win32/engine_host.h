#pragma once
// The scrolling engine as the control panel runs it: the one EngineState, MoveLedger and
// RefreshState of the form, the window procedure's engine messages, the move timer, the refresh
// tick's parts around the window scan, keyboard scrolling and bringing windows home.
#include <windows.h>

#include <functional>
#include <vector>

#include "navigator/scroll_room.h"
#include "scroller/engine_state.h"
#include "scroller/message_dispatch.h"
#include "scroller/move_tick.h"
#include "scroller/refresh_tick.h"
#include "scroller/scan_cache.h"

namespace scroller {

class TTavelmoorForm;

class EngineHost {
 public:
  EngineState State;
  MoveLedger Ledger;
  RefreshState Refresh;
  ScanCache Scan;
  PanelLife Life;
  HWND LoaderWnd = nullptr;
  // Arrangement lives with the navigator; until it is connected, auto-arrange does nothing.
  std::function<void()> ArrangeWindows;

  // The walks' view of the form's scroll list (handles only). Followed at the start of each walk;
  // a nested release drops a window from both at once.
  ScrollLists& ListsFor(TTavelmoorForm& form);
  // Drops a window from the form's lists (scroll list and texts at the same index).
  static void ReleaseFromForm(TTavelmoorForm& form, HWND window);

  // The scroll room the clamp works on: the navigator's while it exists.
  navigator::ScrollRoom& Room();

 private:
  ScrollLists lists_;
  navigator::ScrollRoom fallbackRoom_;
};

EngineOptions EngineOptionsOf(const TTavelmoorForm& form);

// The window procedure's engine part: WM_INPUT, WM_HOTKEY and the private messages. True when the
// message is done with `answer`; false when it goes to the form's own handling.
bool HandleEngineMessage(TTavelmoorForm& form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);

// End of FormCreate: true when an exit asked for meanwhile must end the program now.
bool EngineCreationFinished(TTavelmoorForm& form);

// The move timer's tick (also run at once for WM_SCROLL_BY).
void MoveTimerTimer(TTavelmoorForm& form);

// The refresh tick around the scan: the part before it says whether this tick scans; the part
// after it runs only on scanning ticks.
bool RefreshTickBeforeScan(TTavelmoorForm& form);
void RefreshTickAfterScan(TTavelmoorForm& form);

// The keyboard-scrolling check box's OnClick.
void UseKeysCheckBoxClick(TTavelmoorForm& form);

// The exit action: every window of the last scan's list goes home.
void BringListedWindowsHome(TTavelmoorForm& form);
// Destruction and the end of the session: every visible top-level window goes home.
void BringEveryWindowHome(TTavelmoorForm& form);
// The start of the destruction: nothing scrolls any more, the hot keys are released, every window
// is brought home. No step keeps a later one from running.
void EngineShutDown(TTavelmoorForm& form);

}  // namespace scroller
