#pragma once
// The scrolling engine's own state and the facts it is handed. Every writer of the pending step
// (raw mouse input, the move tick, hot keys, WM_SCROLL_BY, the refresh tick) works on one
// EngineState; the Win32 side owns the instance and gathers the facts.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/window_handle.h"
#include "core/program_end.h"

namespace scroller {

using core::WindowHandle;

// LastX holds this while there is no previous cursor position.
inline constexpr int32_t kNoLastPosition = -123456;

inline constexpr int32_t kMinScrollSpeed = 4;
inline constexpr int32_t kMaxScrollSpeed = 9;

// The option fields the engine reads; the controls' change handlers copy into them.
struct EngineOptions {
  int32_t ScrollSpeed = 6;    // 4..9: lower accelerates sooner and steps further
  int32_t Sticky = 8;         // 0..48 edge events before an edge push scrolls
  int32_t DoXMove = 1;        // 1 = horizontal scrolling on
  int32_t DoYMove = 1;        // 1 = vertical scrolling on
  int32_t ReverseFactor = 1;  // +1 or -1
  bool SuperMode = false;     // always-scroll
  bool UseShift = true;       // the key chords are on
  bool DoLimit = false;
  bool BorderScroll = false;
};

// Options as the arithmetic may rely on them, whatever a stored value or a caller put there.
constexpr int32_t SpeedOf(const EngineOptions& o) {
  return std::clamp(o.ScrollSpeed, kMinScrollSpeed, kMaxScrollSpeed);
}
constexpr int32_t ReverseOf(const EngineOptions& o) { return o.ReverseFactor < 0 ? -1 : 1; }
constexpr int32_t XAxisOf(const EngineOptions& o) { return o.DoXMove == 1 ? 1 : 0; }
constexpr int32_t YAxisOf(const EngineOptions& o) { return o.DoYMove == 1 ? 1 : 0; }

// Keys as GetKeyState reports them at the moment of the event.
struct KeyStates {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool ScrollLock = false;  // toggled on or held
  bool RightButton = false;
};

struct EngineState {
  // The pending step: positive moves the windows left/up, the viewport right/down.
  int32_t PendingDX = 0;
  int32_t PendingDY = 0;
  // 0 idle, above 0 counting edge events, -1 passed. Nothing moves while it is above 0.
  int32_t StickyCount = 0;
  int32_t PageCooldown = 0;  // move ticks until the next page jump may happen
  int32_t CursorX = 16;
  int32_t CursorY = 16;
  int32_t LastX = kNoLastPosition;
  int32_t LastY = 0;

  // The tray's Scroll Lock item: its check mark stops the edge push and the border band.
  bool MenuScrollLockChecked = false;
  bool ScrollLockSeen = false;
  bool ScrollPaused = false;
  bool SavedScrollLock = false;

  // The previous report of an absolute-pointer device, normalised 0..65535.
  bool HaveAbsolutePosition = false;
  int32_t LastAbsoluteX = 0;
  int32_t LastAbsoluteY = 0;

  // Windows are being moved; requests arriving nested meanwhile wait for the move to end.
  bool MoveInProgress = false;
  bool TickDeferred = false;

  // The program's end as the application holds it; once the end is asked for nothing scrolls any
  // more. Null: the program runs.
  const core::ProgramEnd* end = nullptr;
};

constexpr bool Ending(const EngineState& s) { return s.end && s.end->Requested(); }

// The windows that scroll (top of the Z order first) and their display texts, one per handle in
// the same order. A nested WM_HOOK_RELEASED may drop an entry while a walk over it is running:
// walks iterate a copy and ask Contains before touching a window.
struct ScrollLists {
  std::vector<WindowHandle> Handles;
  std::vector<std::string> Texts;

  void Clear() {
    Handles.clear();
    Texts.clear();
  }
  void Append(WindowHandle window, std::string text) {
    Handles.push_back(window);
    Texts.push_back(std::move(text));
  }
  bool Contains(WindowHandle window) const {
    return std::find(Handles.begin(), Handles.end(), window) != Handles.end();
  }
  // Drops the first occurrence and the text at its index; the index it had, or -1.
  int Release(WindowHandle window);
};

// Adds to a pending component without wrapping.
constexpr int32_t AddToStep(int32_t pending, int64_t add) { return core::clampToInt32(pending + add); }

// WM_PAUSE_SCROLL. The sticky wait starts afresh: a count left running would hold back hot keys
// and WM_SCROLL_BY for the whole pause, and a passed one would scroll at once on resume.
void PauseScroll(EngineState& s);
// WM_RESUME_SCROLL.
void ResumeScroll(EngineState& s);
// The user clicked the Scroll Lock item; `checked` is its new check mark.
void ScrollLockItemClicked(EngineState& s, bool checked);

}  // namespace scroller
