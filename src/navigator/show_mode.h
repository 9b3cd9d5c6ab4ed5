#pragma once
// How the navigator was last opened, which decides what closes it: one opened by the key chord
// closes when the chord is let go, one opened from the tray icon at the next mouse release.

namespace navigator {

enum class ShowMode { ByChord, FromTray };

}  // namespace navigator
