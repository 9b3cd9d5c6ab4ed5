#include "navigator/common_subsequence.h"

#include <algorithm>
#include <array>
#include <bit>

namespace navigator {
namespace {

constexpr std::size_t kBytes = 256;

// One step over a character whose places in the pattern are `where`: a zero bit of `row` marks a
// pattern position that ends one more step of a longest subsequence so far. Adding the kept bits
// to the row carries each run of ones up to the next match; the part taken away needs no borrow,
// being a subset of the row.
inline void Step(uint64_t* row, const uint64_t* where, std::size_t words) {
  uint64_t carry = 0;
  for (std::size_t w = 0; w < words; ++w) {
    const uint64_t v = row[w];
    const uint64_t u = v & where[w];
    const uint64_t sum = v + u;
    const uint64_t total = sum + carry;
    carry = static_cast<uint64_t>(sum < v) | static_cast<uint64_t>(total < sum);
    row[w] = total | (v & ~u);
  }
}

int ZerosBelow(const uint64_t* row, std::size_t words, std::size_t length) {
  std::size_t ones = 0;
  for (std::size_t w = 0; w < words; ++w) {
    uint64_t v = row[w];
    const std::size_t bits = std::min<std::size_t>(64, length - 64 * w);
    if (bits < 64) v &= (uint64_t{1} << bits) - 1;
    ones += static_cast<std::size_t>(std::popcount(v));
  }
  return static_cast<int>(length - ones);
}

// The usual widths get a row the compiler keeps in registers.
template <std::size_t Words>
int Run(const uint64_t* where, std::string_view text, std::size_t length) {
  std::array<uint64_t, Words> row;
  row.fill(~uint64_t{0});
  for (const char c : text) Step(row.data(), where + static_cast<unsigned char>(c) * Words, Words);
  return ZerosBelow(row.data(), Words, length);
}

}  // namespace

void CommonSubsequence::SetPattern(std::string_view pattern) {
  length_ = pattern.size();
  words_ = (length_ + 63) / 64;
  where_.assign(kBytes * words_, 0);
  for (std::size_t p = 0; p < length_; ++p) {
    where_[static_cast<unsigned char>(pattern[p]) * words_ + p / 64] |= uint64_t{1} << (p % 64);
  }
}

int CommonSubsequence::LengthWith(std::string_view text) {
  if (length_ == 0 || text.empty()) return 0;
  switch (words_) {
    case 1: return Run<1>(where_.data(), text, length_);
    case 2: return Run<2>(where_.data(), text, length_);
    case 3: return Run<3>(where_.data(), text, length_);
    case 4: return Run<4>(where_.data(), text, length_);
    default: break;
  }
  row_.assign(words_, ~uint64_t{0});
  for (const char c : text) Step(row_.data(), where_.data() + static_cast<unsigned char>(c) * words_, words_);
  return ZerosBelow(row_.data(), words_, length_);
}

int LongestCommonSubsequence(std::string_view a, std::string_view b) {
  CommonSubsequence s;
  s.SetPattern(b);
  return s.LengthWith(a);
}

}  // namespace navigator
