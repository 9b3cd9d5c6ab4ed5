#pragma once
// The length of the longest common subsequence of two texts, found bit-parallel: one pass over a
// text costs a few word operations per character and per 64 characters of the pattern.
//
// It bounds the caption similarity from above: the runs the matching count takes lie in the
// same order in both texts (each part left of a run is left of it in both, each part right of it
// right in both), so together they are a common subsequence, never longer than the longest one.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace navigator {

class CommonSubsequence {
 public:
  // The text every later length is taken against; compared byte for byte as given.
  void SetPattern(std::string_view pattern);
  // The longest common subsequence of the pattern and `text`.
  int LengthWith(std::string_view text);

 private:
  std::size_t length_ = 0;
  std::size_t words_ = 0;
  // Per byte value, `words_` words: bit p is set where the pattern holds that byte at p.
  std::vector<uint64_t> where_;
  std::vector<uint64_t> row_;
};

int LongestCommonSubsequence(std::string_view a, std::string_view b);

}  // namespace navigator
