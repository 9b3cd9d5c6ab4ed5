#include "navigator/layout_matching.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "navigator/string_similarity.h"

namespace navigator {

LayoutPlacer::LayoutPlacer(std::span<tAppWin* const> entries, std::vector<tAppWin*>& candidates)
    : entries_(entries), candidates_(candidates) {
  candidates_.clear();
}

// Between placements the list means nothing; emptied, it can point at no freed entry.
LayoutPlacer::~LayoutPlacer() { candidates_.clear(); }

void LayoutPlacer::PlaceSavedRects() {
  candidates_.clear();
  for (tAppWin* e : entries_) {
    e->Placed = e->HasSavedRect;
    if (!e->HasSavedRect) continue;
    const core::Rect& r = e->SavedRect;
    moves_.push_back({e->Wnd,
                      {r.left, r.top, core::clampToInt32(r.width()), core::clampToInt32(r.height())}});
  }
}

void LayoutPlacer::Take(tAppWin* entry, const SavedPlace& saved) {
  entry->Placed = true;
  moves_.push_back({entry->Wnd, {saved.left, saved.top, saved.width, saved.height}});
}

bool LayoutPlacer::PlaceExactOrOnly(const SavedPlace& saved) {
  candidates_.clear();
  for (tAppWin* e : entries_) {
    if (e->WinClass != saved.winClass || e->Placed) continue;
    if (e->Caption == saved.caption) {
      Take(e, saved);
      candidates_.clear();
      return true;
    }
    candidates_.push_back(e);
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

namespace {

using Histogram = std::array<uint16_t, 256>;

// Captions are cut to far fewer than 65535 characters before they get here.
Histogram UpperHistogram(std::string_view text) {
  Histogram h{};
  for (unsigned char c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
    ++h[c];
  }
  return h;
}

// No similarity can pass this: matching characters are at most the characters the two texts
// share, counted with repetition. Same denominator as the score, so never below it.
double SimilarityBound(const Histogram& a, std::size_t lengthA, const Histogram& b, std::size_t lengthB) {
  if (lengthA + lengthB == 0) return 100.0;
  int64_t shared = 0;
  for (std::size_t c = 0; c < a.size(); ++c) shared += std::min(a[c], b[c]);
  return static_cast<double>(200 * shared) / static_cast<double>(lengthA + lengthB);
}

}  // namespace

void LayoutPlacer::PlaceSavedWindowFuzzy(const SavedPlace& saved) {
  if (PlaceExactOrOnly(saved) || candidates_.size() < 2) {
    candidates_.clear();
    return;
  }
  // The candidate with the highest score, the first of equal ones. Scores are computed in the
  // order of their bounds, highest first, and only while a bound could still beat the best: the
  // choice is the one scoring every candidate in turn would make, at a fraction of the cost.
  const Histogram savedHistogram = UpperHistogram(saved.caption);
  struct Bounded {
    std::size_t index;
    double bound;
  };
  std::vector<Bounded> order;
  order.reserve(candidates_.size());
  for (std::size_t i = 0; i < candidates_.size(); ++i) {
    const std::string& caption = candidates_[i]->Caption;
    order.push_back({i, SimilarityBound(UpperHistogram(caption), caption.size(), savedHistogram, saved.caption.size())});
  }
  std::stable_sort(order.begin(), order.end(), [](const Bounded& x, const Bounded& y) { return x.bound > y.bound; });
  std::size_t best = candidates_.size();
  double bestScore = -1.0;
  for (const Bounded& b : order) {
    if (b.bound < bestScore) break;
    if (b.bound == bestScore && b.index > best) continue;
    tAppWin* c = candidates_[b.index];
    c->MatchScore = StringSimilarity(c->Caption, saved.caption);
    if (c->MatchScore > bestScore || (c->MatchScore == bestScore && b.index < best)) {
      best = b.index;
      bestScore = c->MatchScore;
    }
  }
  Take(candidates_[best], saved);
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

WindowBounds KeepOnDesktop(const WindowBounds& saved, const core::Rect& desktop) {
  WindowBounds b = saved;
  b.width = std::clamp(b.width, 0, kMaxRestoredExtent);
  b.height = std::clamp(b.height, 0, kMaxRestoredExtent);
  // Never past the coordinate range, where the platform would clamp the window and the desktop
  // come apart.
  b.x = core::clampToWindowRange(KeepSpanOn(b.x, b.width, desktop.left, desktop.right));
  b.y = core::clampToWindowRange(KeepSpanOn(b.y, b.height, desktop.top, desktop.bottom));
  return b;
}

}  // namespace navigator
