#include "navigator/shot_order.h"

#include <algorithm>

namespace navigator {

bool InsideForShot(const core::Rect& w, const core::Rect& vs) {
  return w.left >= vs.left - kShotSlack && w.right <= vs.right + kShotSlack && w.top >= vs.top - kShotSlack &&
         w.bottom <= vs.bottom + kShotSlack;
}

core::Size ShotSizeFor(const core::Rect& w) {
  return {core::clampToInt32(std::max<int64_t>(w.width(), 0) >> 1),
          core::clampToInt32(std::max<int64_t>(w.height(), 0) >> 1)};
}

tAppWin* ShotTurn(AppWinStore& store, const ShotFacts& facts) {
  tAppWin* chosen = nullptr;
  if (facts.showGlyphs && !facts.navigatorVisible) {
    for (tAppWin* e : store.EntriesSnapshot()) {
      if (e->WantShot && InsideForShot(e->WindowRect, facts.virtualScreen)) {
        chosen = e;
        break;
      }
    }
  }
  if (store.OldEntryCount() > 0) store.MarkChanged();
  return chosen;
}

void RequestShot(AppWinStore& store, WindowHandle window) {
  for (tAppWin* e : store.EntriesSnapshot()) {
    if (e->Wnd == window) {
      e->WantShot = true;
      return;
    }
  }
}

void ShotTaken(AppWinStore& store, tAppWin& entry, ShotHandle shot, core::Size size) {
  // The bitmap may be refilled in place: the version tells a painting that the picture changed.
  entry.ShotVersion = store.NextShotVersion();
  entry.Shot = shot;
  entry.ShotSize = size;
  entry.HasShot = true;
  entry.WantShot = false;
}

}  // namespace navigator
