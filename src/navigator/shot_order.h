#pragma once
// Which window the navigator takes a screen shot of after a scan: at most one per scan, the
// topmost entry that wants one and lies on the screen, and only while the navigator is hidden
// (a shot copies whatever the screen shows there). Shots are half the window's size.
#include <vector>

#include "core/geometry.h"
#include "navigator/app_win.h"
#include "navigator/app_win_store.h"

namespace navigator {

// How far a window may reach beyond the virtual screen and still be shot.
inline constexpr int64_t kShotSlack = 8;

struct ShotFacts {
  bool showGlyphs = false;
  bool navigatorVisible = false;
  core::Rect virtualScreen;
};

bool InsideForShot(const core::Rect& window, const core::Rect& virtualScreen);

// Half the visible frame on each axis, an odd pixel dropped; nothing for an empty frame.
core::Size ShotSizeFor(const core::Rect& window);

// The shot step that ends every scan: the entry to shoot now (null when none), and the store's
// Changed raised when a window of the previous scan was not met again, whatever the options.
tAppWin* ShotTurn(AppWinStore& store, const ShotFacts& facts);

// A new shot is wanted of the window; an unlisted one changes nothing.
void RequestShot(AppWinStore& store, WindowHandle window);

// The shot has been taken (or tried: a failed copy still counts as taken).
void ShotTaken(AppWinStore& store, tAppWin& entry, ShotHandle shot, core::Size size);

}  // namespace navigator
