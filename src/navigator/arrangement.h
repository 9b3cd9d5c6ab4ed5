#pragma once
// Arranging windows side by side: the other applications' main windows line up edge to edge
// beside the active window, in a row when horizontal scrolling is on, else in a column. The
// active window stays; the others keep their sizes and only move.
//
// The plan is made from the entries before anything moves and holds only window handles and
// places: a move can run the control panel's window procedure nested, and a WM_HOOK_RELEASED
// answered then forgets entries, so no entry may be read once the moves have begun.
#include <cstdint>
#include <span>
#include <vector>

#include "core/geometry.h"
#include "navigator/app_win.h"

namespace navigator {

struct ArrangeFacts {
  bool row = true;              // DoXMove = 1
  core::Rect screen;            // the virtual screen
  WindowHandle moveSizeWnd = 0;  // the window in a move or size loop, 0 when none
  bool dragMoved = false;        // a navigator drag has left its dead zone
  bool busy = false;             // the navigator's Busy
};

// Why an arrangement moves nothing; Arranged when it has a plan (which may still be empty).
enum class ArrangeOutcome {
  Arranged,
  MoveSizeLoop,
  DragMoved,
  TooFewEntries,
  Busy,
  ActiveNotArrangeable,
};

struct ArrangeMove {
  WindowHandle window = 0;
  core::Point visibleTopLeft;  // where the window's visible frame goes
  friend bool operator==(const ArrangeMove&, const ArrangeMove&) = default;
};

struct ArrangementPlan {
  ArrangeOutcome outcome = ArrangeOutcome::Arranged;
  // The active entry the run chose because none was set (the top entry); it stays chosen until
  // the next scan. Null when one was set already or the run stopped before choosing.
  tAppWin* chosenActive = nullptr;
  std::vector<ArrangeMove> moves;  // in the order they are to be made
};

// `entries` top of the Z order first; `active` the active entry or null. A row (column) stays one
// virtual screen's width (height) inside the coordinate range at either end, so that the desktop
// can always scroll: a side with too little room for its windows draws them together, each
// overlapping the one before by the same share, in order, so that none is stacked on another.
ArrangementPlan PlanArrangement(const ArrangeFacts& facts, std::span<tAppWin* const> entries, tAppWin* active);

}  // namespace navigator
