#pragma once
// How alike two window captions are, for matching a saved layout to the live windows: twice the
// matching characters over the total length, in percent. The matching characters are counted by
// taking the longest common run, then counting the parts right and left of it the same way.
// Letters a to z count without regard to case; every other byte is compared as it is. The measure
// is not symmetric: of several longest runs the first in the first text wins, so the order of
// the two texts matters (the live caption goes first, the saved one second).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace navigator {

// 0.0 to 100.0; 100.0 for texts equal but for the case of a to z (two empty texts too), 0.0 when
// only one of them is empty.
double StringSimilarity(std::string_view a, std::string_view b);

// The matching characters between positions from1..to1 of `a` and from2..to2 of `b` (1-based,
// inclusive); 0 for an empty or invalid range. The texts are compared as given: StringSimilarity
// upper-cases them first.
int CountMatchingChars(std::string_view a, std::string_view b, int from1, int to1, int from2, int to2);

// Only a to z change, each to its capital.
std::string UpperCaseAToZ(std::string_view text);

// The score `matching` characters give two texts of these lengths that are neither equal nor
// empty. One expression for the score and for any bound on it: a count that is no smaller gives a
// score that is no smaller.
inline double SimilarityOf(int64_t matching, std::size_t lengthA, std::size_t lengthB) {
  return static_cast<double>(200 * matching) / static_cast<double>(lengthA + lengthB);
}

// Counts matching characters, keeping its buffers from one count to the next: scoring many pairs
// allocates nothing once the longest texts have been met.
class MatchCounter {
 public:
  // Of the half-open, 0-based ranges [lo1, hi1) of `a` and [lo2, hi2) of `b`, compared as given;
  // the ranges lie within the texts.
  int Count(std::string_view a, std::string_view b, std::size_t lo1, std::size_t hi1, std::size_t lo2,
            std::size_t hi2);
  int Count(std::string_view a, std::string_view b) { return Count(a, b, 0, a.size(), 0, b.size()); }
  // StringSimilarity of two texts already upper-cased in a to z.
  double Similarity(std::string_view upperA, std::string_view upperB);

 private:
  struct Ranges {
    std::size_t lo1, hi1, lo2, hi2;
  };
  struct Run {
    std::size_t i = 0;  // start in the first text
    std::size_t j = 0;
    std::size_t length = 0;
  };
  Run Longest(const Ranges& r);
  template <typename Cell>
  Run LongestWith(const Ranges& r, std::vector<Cell>& rows);

  std::string_view a_;
  std::string_view b_;
  std::vector<Ranges> pending_;
  // Two rows of run lengths, in the narrowest cell that holds the longest run a range can have.
  std::vector<uint8_t> rows8_;
  std::vector<uint16_t> rows16_;
  std::vector<uint32_t> rows32_;
};

}  // namespace navigator
