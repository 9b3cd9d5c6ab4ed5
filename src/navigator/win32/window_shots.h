#pragma once
// Screen shots of the windows for the overview: after each scan at most one, of the topmost
// entry that wants one, copied from the screen at half size while the navigator is hidden.
#include <windows.h>

#include "navigator/app_win_store.h"

namespace navigator {

// The shot step that ends every scan (it also raises Changed when a window of the previous scan
// was not met again).
void CaptureNextShot(AppWinStore& store, bool showGlyphs, bool navigatorVisible, const core::Rect& virtualScreen);

// Copies what the screen shows inside the entry's visible frame into its shot at half size. The
// screen DC and every object taken are released before it returns; a failed copy still counts as
// a shot.
void TakeShot(AppWinStore& store, tAppWin& entry);
// The copy itself, without the moment the window gets to paint first.
void CopyShotFromScreen(AppWinStore& store, tAppWin& entry);

}  // namespace navigator
