#include "navigator/layout_matching.h"

#include <algorithm>

namespace navigator {

LayoutPlacer::LayoutPlacer(std::span<tAppWin* const> entries, std::vector<tAppWin*>& candidates)
    : entries_(entries), candidates_(candidates), prepared_(entries.size()) {
  candidates_.clear();
}

// Between placements the list means nothing; emptied, it can point at no freed entry.
LayoutPlacer::~LayoutPlacer() { candidates_.clear(); }

void LayoutPlacer::PlaceSavedRects() {
  candidates_.clear();
  for (tAppWin* e : entries_) {
    e->Placed = e->HasSavedRect;
    if (!e->HasSavedRect) continue;
    moves_.push_back({e->Wnd, core::BoundsOf(e->SavedRect)});
  }
}

void LayoutPlacer::Take(tAppWin* entry, const SavedPlace& saved) {
  entry->Placed = true;
  moves_.push_back({entry->Wnd, saved.bounds});
}

bool LayoutPlacer::PlaceExactOrOnly(const SavedPlace& saved) {
  candidates_.clear();
  candidateEntries_.clear();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    tAppWin* e = entries_[i];
    if (e->WinClass != saved.winClass || e->Placed) continue;
    if (e->Caption == saved.caption) {
      Take(e, saved);
      candidates_.clear();
      return true;
    }
    candidates_.push_back(e);
    candidateEntries_.push_back(i);
    e->MatchScore = 0.0;
  }
  if (candidates_.size() == 1) {
    Take(candidates_.front(), saved);
    candidates_.clear();
    return true;
  }
  return false;
}

void LayoutPlacer::PlaceSavedWindow(const SavedPlace& saved) {
  PlaceExactOrOnly(saved);
  candidates_.clear();
}

const PreparedCaption& LayoutPlacer::Prepared(std::size_t i) {
  if (!prepared_[i]) prepared_[i].emplace(entries_[i]->Caption);
  return *prepared_[i];
}

void LayoutPlacer::PlaceSavedWindowFuzzy(const SavedPlace& saved) {
  if (PlaceExactOrOnly(saved) || candidates_.size() < 2) {
    candidates_.clear();
    return;
  }
  candidateCaptions_.clear();
  for (const std::size_t i : candidateEntries_) candidateCaptions_.push_back(&Prepared(i));
  const CaptionSearch::Scored choice = search_.MostSimilar(candidateCaptions_, PreparedCaption(saved.caption));
  for (const CaptionSearch::Scored& s : search_.LastScored()) candidates_[s.index]->MatchScore = s.score;
  Take(candidates_[choice.index], saved);
  candidates_.clear();
}

core::Rect RestoreDesktop(const core::Rect& area, bool fixedRoom, int32_t minX, int32_t maxX, int32_t minY,
                          int32_t maxY) {
  if (!fixedRoom) {
    minX = minY = -kMaxRestoredExtent;
    maxX = maxY = kMaxRestoredExtent;
  }
  return {core::clampToInt32(int64_t{area.left} + minX), core::clampToInt32(int64_t{area.top} + minY),
          core::clampToInt32(int64_t{area.right} + maxX), core::clampToInt32(int64_t{area.bottom} + maxY)};
}

namespace {

// The start of a span of `extent` so that at least min(extent, kMinRestoredOverlap) of it lies in
// [lo, hi).
int32_t KeepSpanOn(int32_t start, int32_t extent, int32_t lo, int32_t hi) {
  const int64_t overlap = std::min<int64_t>(extent, kMinRestoredOverlap);
  const int64_t first = int64_t{lo} - extent + overlap;  // the window's far edge just inside
  const int64_t last = int64_t{hi} - overlap;            // its near edge just inside
  return core::clampToInt32(core::clampLowThenHigh<int64_t>(start, first, last));
}

}  // namespace

core::Bounds KeepOnDesktop(const core::Bounds& saved, const core::Rect& desktop) {
  core::Bounds b = saved;
  b.width = std::clamp(b.width, 0, kMaxRestoredExtent);
  b.height = std::clamp(b.height, 0, kMaxRestoredExtent);
  // Never past the coordinate range, where the platform would clamp the window and the desktop
  // come apart.
  b.x = core::clampToWindowRange(KeepSpanOn(b.x, b.width, desktop.left, desktop.right));
  b.y = core::clampToWindowRange(KeepSpanOn(b.y, b.height, desktop.top, desktop.bottom));
  return b;
}

}  // namespace navigator
