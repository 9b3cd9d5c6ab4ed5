#include "navigator/string_similarity.h"

#include <algorithm>
#include <vector>

namespace navigator {
namespace {

struct Run {
  int i = 0;  // 0-based start in the first text
  int j = 0;
  int length = 0;
};

// The two texts of one count and a row buffer shared by all its levels.
class Matcher {
 public:
  Matcher(std::string_view a, std::string_view b) : a_(a), b_(b), prev_(b.size() + 1), cur_(b.size() + 1) {}

  // Half-open, 0-based ranges [lo1, hi1) and [lo2, hi2).
  int Count(int lo1, int hi1, int lo2, int hi2) {
    if (hi1 <= lo1 || hi2 <= lo2) return 0;
    const Run run = Longest(lo1, hi1, lo2, hi2);
    if (run.length == 0) return 0;
    return run.length + Count(run.i + run.length, hi1, run.j + run.length, hi2) + Count(lo1, run.i, lo2, run.j);
  }

 private:
  // The longest common run; of several, the one starting first in the first text, then first in
  // the second. Runs are found by where they end, row by row: for one length, ends in that order
  // are starts in that order, and only a strictly longer run replaces the one found.
  Run Longest(int lo1, int hi1, int lo2, int hi2) {
    Run best;
    std::fill(prev_.begin() + lo2, prev_.begin() + hi2 + 1, 0);
    for (int i = lo1; i < hi1; ++i) {
      cur_[lo2] = 0;
      for (int j = lo2; j < hi2; ++j) {
        // cur_[j + 1]: length of the common run ending at a_[i], b_[j].
        const int k = a_[i] == b_[j] ? prev_[j] + 1 : 0;
        cur_[j + 1] = k;
        if (k > best.length) best = {i - k + 1, j - k + 1, k};
      }
      std::swap(prev_, cur_);
    }
    return best;
  }

  std::string_view a_;
  std::string_view b_;
  std::vector<int> prev_;
  std::vector<int> cur_;
};

}  // namespace

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
  if (to1 > static_cast<int>(a.size())) to1 = static_cast<int>(a.size());
  if (to2 > static_cast<int>(b.size())) to2 = static_cast<int>(b.size());
  Matcher m(a, b);
  return m.Count(from1 - 1, to1, from2 - 1, to2);
}

double StringSimilarity(std::string_view a, std::string_view b) {
  const std::string upperA = UpperCaseAToZ(a);
  const std::string upperB = UpperCaseAToZ(b);
  if (upperA == upperB) return 100.0;
  if (upperA.empty() || upperB.empty()) return 0.0;
  const int lengthA = static_cast<int>(upperA.size());
  const int lengthB = static_cast<int>(upperB.size());
  const int matching = CountMatchingChars(upperA, upperB, 1, lengthA, 1, lengthB);
  return static_cast<double>(200 * static_cast<long long>(matching)) / static_cast<double>(lengthA + lengthB);
}

}  // namespace navigator
