#include "navigator/string_similarity.h"

#include <algorithm>
#include <limits>

namespace navigator {

// The parts left and right of a run are counted in any order: the count is their sum. A list of
// parts still to count instead of recursion keeps deep splits of long texts off the stack.
int MatchCounter::Count(std::string_view a, std::string_view b, std::size_t lo1, std::size_t hi1, std::size_t lo2,
                        std::size_t hi2) {
  a_ = a;
  b_ = b;
  pending_.clear();
  pending_.push_back({lo1, hi1, lo2, hi2});
  std::size_t total = 0;
  while (!pending_.empty()) {
    const Ranges r = pending_.back();
    pending_.pop_back();
    if (r.hi1 <= r.lo1 || r.hi2 <= r.lo2) continue;
    const Run run = Longest(r);
    if (run.length == 0) continue;
    total += run.length;
    pending_.push_back({run.i + run.length, r.hi1, run.j + run.length, r.hi2});
    pending_.push_back({r.lo1, run.i, r.lo2, run.j});
  }
  return static_cast<int>(total);
}

MatchCounter::Run MatchCounter::Longest(const Ranges& r) {
  // No run is longer than the shorter range.
  const std::size_t longest = std::min(r.hi1 - r.lo1, r.hi2 - r.lo2);
  if (longest <= std::numeric_limits<uint8_t>::max()) return LongestWith(r, rows8_);
  if (longest <= std::numeric_limits<uint16_t>::max()) return LongestWith(r, rows16_);
  return LongestWith(r, rows32_);
}

// The longest common run; of several, the one starting first in the first text, then first in
// the second. Runs are found by where they end, row by row: for one length, ends in that order
// are starts in that order, and only a strictly longer run replaces the one found. Within a row
// that is the first cell holding the row's greatest length, so a row is filled without a branch
// and searched only when it beats the run found.
template <typename Cell>
MatchCounter::Run MatchCounter::LongestWith(const Ranges& r, std::vector<Cell>& rows) {
  const std::size_t width = r.hi2 - r.lo2;
  const std::size_t longest = std::min(r.hi1 - r.lo1, width);
  if (rows.size() < 2 * (width + 1)) rows.resize(2 * (width + 1));
  // Cell j + 1 of a row: the length of the common run ending at a_[i] and b_[lo2 + j]; cell 0
  // stands left of the range and stays 0.
  Cell* prev = rows.data();
  Cell* cur = rows.data() + width + 1;
  std::fill(prev, prev + width + 1, Cell{0});
  cur[0] = 0;
  const auto* b = reinterpret_cast<const unsigned char*>(b_.data()) + r.lo2;
  Run best;
  for (std::size_t i = r.lo1; i < r.hi1; ++i) {
    const auto c = static_cast<unsigned char>(a_[i]);
    Cell rowLongest = 0;
    for (std::size_t j = 0; j < width; ++j) {
      const Cell same = static_cast<Cell>(0 - static_cast<Cell>(b[j] == c));  // all ones or none
      const Cell k = static_cast<Cell>((prev[j] + 1) & same);
      cur[j + 1] = k;
      rowLongest = std::max(rowLongest, k);
    }
    if (rowLongest > best.length) {
      std::size_t end = 1;
      while (cur[end] != rowLongest) ++end;
      best = {i + 1 - rowLongest, r.lo2 + end - rowLongest, rowLongest};
      if (best.length == longest) break;  // nothing later can be strictly longer
    }
    std::swap(prev, cur);
  }
  return best;
}

double MatchCounter::Similarity(std::string_view upperA, std::string_view upperB) {
  if (upperA == upperB) return 100.0;
  if (upperA.empty() || upperB.empty()) return 0.0;
  return SimilarityOf(Count(upperA, upperB), upperA.size(), upperB.size());
}

std::string UpperCaseAToZ(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return out;
}

int CountMatchingChars(std::string_view a, std::string_view b, int from1, int to1, int from2, int to2) {
  if (to1 < from1 || to2 < from2 || from1 <= 0 || from2 <= 0) return 0;
  // Positions past the ends of the texts hold nothing to match.
  const std::size_t hi1 = std::min(static_cast<std::size_t>(to1), a.size());
  const std::size_t hi2 = std::min(static_cast<std::size_t>(to2), b.size());
  const std::size_t lo1 = static_cast<std::size_t>(from1) - 1;
  const std::size_t lo2 = static_cast<std::size_t>(from2) - 1;
  if (hi1 <= lo1 || hi2 <= lo2) return 0;
  MatchCounter counter;
  return counter.Count(a, b, lo1, hi1, lo2, hi2);
}

double StringSimilarity(std::string_view a, std::string_view b) {
  MatchCounter counter;
  return counter.Similarity(UpperCaseAToZ(a), UpperCaseAToZ(b));
}

}  // namespace navigator
