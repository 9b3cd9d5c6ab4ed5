#include "navigator/common_subsequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "navigator/string_similarity.h"

namespace {

using navigator::CommonSubsequence;
using navigator::LongestCommonSubsequence;

// The textbook table, one cell per pair of prefixes.
int PlainLcs(const std::string& a, const std::string& b) {
  std::vector<int> above(b.size() + 1), row(b.size() + 1);
  for (const char c : a) {
    for (std::size_t j = 0; j < b.size(); ++j) {
      row[j + 1] = c == b[j] ? above[j] + 1 : std::max(above[j + 1], row[j]);
    }
    std::swap(above, row);
  }
  return above[b.size()];
}

TEST(LongestCommonSubsequence, Examples) {
  struct Case {
    std::string a, b;
    int expected;
  };
  const Case cases[] = {
      {"", "", 0},
      {"abc", "", 0},
      {"", "abc", 0},
      {"abc", "abc", 3},
      {"ABCBDAB", "BDCABA", 4},
      {"abc", "xyz", 0},
      // Compared byte for byte: no case folding, bytes above 127 as they are.
      {"abc", "ABC", 0},
      {"\xE4\xFF\x01", "\x01\xE4\xFF", 2},
      // The pattern's length around word borders, the text repeating it.
      {std::string(64, 'a'), std::string(64, 'a'), 64},
      {std::string(65, 'a'), std::string(3, 'a'), 3},
      {std::string(200, 'a'), "b" + std::string(128, 'a') + "b", 128},
      {std::string(300, 'x') + "y", std::string(257, 'x'), 257},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LongestCommonSubsequence(c.a, c.b), c.expected) << "'" << c.a << "' and '" << c.b << "'";
  }
}

class TextMaker {
 public:
  uint32_t Next() { return seed_ = seed_ * 1664525u + 1013904223u; }
  int Below(int n) { return static_cast<int>((Next() >> 8) % static_cast<uint32_t>(n)); }
  std::string Random(int length, const std::string& alphabet) {
    std::string s;
    for (int i = 0; i < length; ++i) s += alphabet[Below(static_cast<int>(alphabet.size()))];
    return s;
  }
  std::string Changed(std::string s, const std::string& alphabet) {
    for (int k = 1 + Below(6); k > 0; --k) {
      const std::size_t at = static_cast<std::size_t>(Below(static_cast<int>(s.size()) + 1));
      switch (Below(3)) {
        case 0: s.insert(at, 1, alphabet[Below(static_cast<int>(alphabet.size()))]); break;
        case 1: if (at < s.size()) s.erase(at, 1); break;
        default: if (at < s.size()) s[at] = alphabet[Below(static_cast<int>(alphabet.size()))]; break;
      }
    }
    return s;
  }

 private:
  uint32_t seed_ = 2024;
};

// The bound of the layout search: never below the measure's matching characters, over random,
// near, few-letter, periodic and long texts, with one pattern table reused from pair to pair
// whatever its width was before.
TEST(LongestCommonSubsequence, IsExactAndBoundsTheMatchingCharacters) {
  const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789-.:()";
  const std::string few = "AB -";
  struct Family {
    const char* what;
    int pairs;
    int minLength, maxLength;
    const std::string* alphabet;
    bool near;       // the first text is the second changed a little
    bool periodic;   // the second text repeats a short unit
    std::size_t liveCut = 0;  // the first text cut to this length
  };
  const Family families[] = {
      {"random captions", 300, 0, 126, &letters, false, false},
      {"changed a little", 300, 1, 126, &letters, true, false},
      {"two letters", 300, 1, 126, &few, false, false},
      {"few letters, changed", 300, 1, 126, &few, true, false},
      {"periodic", 200, 10, 200, &few, true, true},
      {"saved 255 against live 126", 200, 126, 255, &letters, true, false, 126},
      {"past four words", 60, 257, 600, &few, true, false},
  };
  TextMaker make;
  CommonSubsequence reused;
  for (const Family& f : families) {
    SCOPED_TRACE(f.what);
    for (int n = 0; n < f.pairs; ++n) {
      const int length = f.minLength + make.Below(f.maxLength - f.minLength + 1);
      std::string saved;
      if (f.periodic) {
        const std::string unit = make.Random(2 + make.Below(4), *f.alphabet);
        while (static_cast<int>(saved.size()) < length) saved += unit;
        saved.resize(static_cast<std::size_t>(length));
      } else {
        saved = make.Random(length, *f.alphabet);
      }
      std::string live = f.near ? make.Changed(saved, *f.alphabet) : make.Random(make.Below(127), *f.alphabet);
      if (f.liveCut && live.size() > f.liveCut) live.resize(f.liveCut);

      reused.SetPattern(saved);
      const int lcs = reused.LengthWith(live);
      ASSERT_EQ(lcs, PlainLcs(live, saved)) << "'" << live << "' and '" << saved << "'";
      const int matching = navigator::CountMatchingChars(live, saved, 1, static_cast<int>(live.size()), 1,
                                                         static_cast<int>(saved.size()));
      ASSERT_GE(lcs, matching) << "'" << live << "' and '" << saved << "'";
      if (live != saved && !live.empty() && !saved.empty()) {
        EXPECT_GE(navigator::SimilarityOf(lcs, live.size(), saved.size()), navigator::StringSimilarity(live, saved));
      }
    }
  }
}

}  // namespace
