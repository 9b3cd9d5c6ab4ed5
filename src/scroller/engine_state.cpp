#include "scroller/engine_state.h"

#include <cstddef>

namespace scroller {

void PauseScroll(EngineState& s) {
  s.SavedScrollLock = s.MenuScrollLockChecked;
  s.MenuScrollLockChecked = true;
  s.ScrollPaused = true;
  if (s.StickyCount != 0) {
    s.StickyCount = 0;
    s.PendingDX = 0;
    s.PendingDY = 0;
  }
}

void ResumeScroll(EngineState& s) {
  s.MenuScrollLockChecked = s.SavedScrollLock;
  s.ScrollPaused = false;
}

int ScrollLists::Release(WindowHandle window) {
  const auto it = std::find(Handles.begin(), Handles.end(), window);
  if (it == Handles.end()) return -1;
  const auto i = static_cast<std::size_t>(it - Handles.begin());
  Handles.erase(it);
  if (i < Texts.size()) Texts.erase(Texts.begin() + static_cast<std::ptrdiff_t>(i));
  return static_cast<int>(i);
}

void ScrollLockItemClicked(EngineState& s, bool checked) {
  s.MenuScrollLockChecked = checked;
  // Until the key is seen on again, the user's check mark stands.
  s.ScrollLockSeen = false;
}

}  // namespace scroller
