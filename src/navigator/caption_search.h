#pragma once
// Which of several captions is most like a saved one: the choice scoring each in turn would make
// (the highest StringSimilarity, the first of equal ones), with most of them never scored.
//
// Every candidate starts with a cheap upper bound of its score, the characters the two captions
// share; the candidate whose bound comes first (the highest, the earlier of equal ones) is looked
// at next, its shared characters tightened to the longest common subsequence, that to its exact
// score. A candidate that comes first with its exact score is the choice: every other one's score
// is at most its bound, which is lower, or equal and of a later candidate, which loses the tie.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "navigator/common_subsequence.h"
#include "navigator/string_similarity.h"

namespace navigator {

// A caption upper-cased in a to z, with how often each byte occurs in it.
class PreparedCaption {
 public:
  explicit PreparedCaption(std::string_view caption);
  std::string_view Text() const { return upper_; }
  // At most the characters the two captions share, counted with repetition.
  friend std::size_t SharedCharacters(const PreparedCaption& a, const PreparedCaption& b);

 private:
  // Counts fit a byte when the caption does; a longer one bounds by its length alone.
  static constexpr std::size_t kCountedLength = 255;
  std::string upper_;
  std::array<uint8_t, 256> counts_{};
};

class CaptionSearch {
 public:
  struct Scored {
    std::size_t index = 0;  // in the candidates
    double score = 0.0;
  };
  // The chosen one of `candidates` (at least one), the live captions, which StringSimilarity
  // takes first.
  Scored MostSimilar(std::span<const PreparedCaption* const> candidates, const PreparedCaption& saved);
  // Every candidate the last search scored, the chosen one among them.
  std::span<const Scored> LastScored() const { return scored_; }

 private:
  enum class Known { SharedCharacters, CommonSubsequence, Score };
  struct Bound {
    double value;
    std::size_t index;
    Known known;
  };

  MatchCounter counter_;
  CommonSubsequence subsequence_;
  std::vector<Bound> queue_;
  std::vector<Scored> scored_;
};

}  // namespace navigator
