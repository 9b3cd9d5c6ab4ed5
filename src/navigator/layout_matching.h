#pragma once
// Matching a saved window layout to the live windows. A restore first puts back the windows that
// still have the rectangle saved on their entry, then hands the saved records over one at a time,
// in two passes: the first takes the window of the record's class with exactly the record's
// caption, or else the only one of that class still unplaced; the second does the same and, among
// two or more unplaced windows of the class, takes the one whose caption is most like the record's
// (StringSimilarity, the live caption first; ties go to the window met first). A candidate whose
// score is bounded below the winner's (CaptionSearch) is not scored, and keeps the MatchScore of
// 0.0 it got as a candidate. Each caption is upper-cased once per restore.
//
// Nothing moves here: the placer marks each entry it takes as Placed and plans the move, and the
// caller makes the moves once the plan is complete. A move can run the control panel's window
// procedure nested, and a WM_HOOK_RELEASED answered then forgets entries; with the plan made
// first, no entry is touched after any window has moved.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "navigator/app_win.h"
#include "navigator/caption_search.h"
#include "navigator/remembered_sizes.h"
#include "navigator/visible_frame.h"

namespace navigator {

// One saved record: the caption and class a window had, and its visible frame then.
struct SavedPlace {
  std::string caption;
  std::string winClass;
  core::Bounds bounds;  // of the visible frame
  friend bool operator==(const SavedPlace&, const SavedPlace&) = default;
};

// A window and the place and size its visible frame is given (MoveWindowVisible).
struct PlannedPlacement {
  WindowHandle window = 0;
  core::Bounds bounds;
  friend bool operator==(const PlannedPlacement&, const PlannedPlacement&) = default;
};

class LayoutPlacer {
 public:
  // `entries` in scan order; `candidates` the navigator's working list, which owns nothing and
  // is empty again whenever no placement runs.
  LayoutPlacer(std::span<tAppWin* const> entries, std::vector<tAppWin*>& candidates);
  ~LayoutPlacer();
  LayoutPlacer(const LayoutPlacer&) = delete;
  LayoutPlacer& operator=(const LayoutPlacer&) = delete;

  // Every entry with a saved rectangle goes back there and is Placed; every other is unplaced.
  void PlaceSavedRects();
  // The first pass.
  void PlaceSavedWindow(const SavedPlace& saved);
  // The second pass.
  void PlaceSavedWindowFuzzy(const SavedPlace& saved);

  const std::vector<PlannedPlacement>& Moves() const { return moves_; }
  std::vector<PlannedPlacement> TakeMoves() { return std::move(moves_); }

 private:
  // Steps shared by both passes; true when an entry was taken.
  bool PlaceExactOrOnly(const SavedPlace& saved);
  void Take(tAppWin* entry, const SavedPlace& saved);
  // The caption of entries_[i], prepared at its first use in this restore.
  const PreparedCaption& Prepared(std::size_t i);

  std::span<tAppWin* const> entries_;
  std::vector<tAppWin*>& candidates_;
  std::vector<std::size_t> candidateEntries_;  // beside candidates_: where each is in entries_
  std::vector<PlannedPlacement> moves_;
  std::vector<std::optional<PreparedCaption>> prepared_;  // beside entries_
  CaptionSearch search_;
  std::vector<const PreparedCaption*> candidateCaptions_;
};

// The largest width or height a restore gives a window, as for forced sizes.
inline constexpr int32_t kMaxRestoredExtent = core::kMaxForcedExtent;
// How much of a restored window stays on the desktop at least, in each direction (all of a
// smaller window).
inline constexpr int32_t kMinRestoredOverlap = 64;

// The virtual desktop the scroll room allows, in screen pixels: `area` (the reference area the
// room is measured against) widened by the room. Without a fixed desktop size the room follows
// the windows, so the desktop is the area widened by the largest window extent on every side.
core::Rect RestoreDesktop(const core::Rect& area, bool fixedRoom, int32_t minX, int32_t maxX, int32_t minY,
                          int32_t maxY);

// The saved frame as a restore may set it: the size within 0..kMaxRestoredExtent, and the place
// moved just far enough that the window keeps kMinRestoredOverlap pixels (or all of itself) on
// `desktop` in each direction, and within the window range.
core::Bounds KeepOnDesktop(const core::Bounds& saved, const core::Rect& desktop);

}  // namespace navigator
