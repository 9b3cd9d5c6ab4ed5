#include "navigator/string_similarity.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using navigator::CountMatchingChars;
using navigator::StringSimilarity;

struct Example {
  const char* a;
  const char* b;
  double expected;
};

// The measure's own examples, and its rules for case, empty texts and accented letters.
TEST(StringSimilarity, WorkedExamplesAndRules) {
  const Example examples[] = {
      {"Page 1 - Viewer", "page 12 - viewer", 200.0 * 15 / 31},
      {"Page 13 - Viewer", "Page 12 - Viewer", 200.0 * 15 / 32},
      {"Page 2 - Viewer", "Page 12 - Viewer", 200.0 * 15 / 31},
      {"Page 21 - Viewer", "Page 12 - Viewer", 200.0 * 15 / 32},
      {"abc", "ABC", 100.0},
      {"", "", 100.0},
      {"abc", "", 0.0},
      {"", "abc", 0.0},
      {"abc", "xyz", 0.0},
      // Not symmetric: the first longest run in the first text wins.
      {"ab", "bacb", 200.0 * 2 / 6},
      {"bacb", "ab", 200.0 * 1 / 6},
      // Only a to z are upper-cased: an accented small letter and its capital do not match.
      {"\xE4", "\xC4", 0.0},
      {"x\xE4", "X\xC4", 200.0 * 1 / 4},
      {"[a]", "{A}", 200.0 * 1 / 6},
  };
  for (const Example& e : examples) {
    EXPECT_DOUBLE_EQ(StringSimilarity(e.a, e.b), e.expected) << "'" << e.a << "' against '" << e.b << "'";
  }
}

TEST(CountMatchingChars, RangesAreOneBasedInclusiveAndInvalidOnesCountNothing) {
  const std::string a = "PAGE 1 - VIEWER";
  const std::string b = "PAGE 12 - VIEWER";
  EXPECT_EQ(CountMatchingChars(a, b, 1, 15, 1, 16), 15);
  // Left of the run " - VIEWER": positions 1..6 and 1..7.
  EXPECT_EQ(CountMatchingChars(a, b, 1, 6, 1, 7), 6);
  EXPECT_EQ(CountMatchingChars(a, b, 7, 15, 8, 16), 9);
  EXPECT_EQ(CountMatchingChars(a, b, 2, 1, 1, 16), 0);
  EXPECT_EQ(CountMatchingChars(a, b, 1, 15, 5, 4), 0);
  EXPECT_EQ(CountMatchingChars(a, b, 0, 15, 1, 16), 0);
  EXPECT_EQ(CountMatchingChars(a, b, 1, 15, 0, 16), 0);
  // Counting compares as given: StringSimilarity upper-cases first.
  EXPECT_EQ(CountMatchingChars("abc", "ABC", 1, 3, 1, 3), 0);
}

struct OracleCase {
  const char* a;
  const char* b;
  int matching;  // -1: decided by the rules for equal and empty texts
  double score;
};

// Pairs scored by an independent matcher (tools/gen-similarity-table.py).
constexpr OracleCase kOracle[] = {
#include "string_similarity_table.inc"
};

TEST(StringSimilarity, AgreesWithAnIndependentMatcherOnRandomPairs) {
  for (const OracleCase& c : kOracle) {
    const std::string a = c.a;
    const std::string b = c.b;
    EXPECT_EQ(StringSimilarity(a, b), c.score) << "'" << a << "' against '" << b << "'";
    if (c.matching >= 0) {
      const std::string upperA = navigator::UpperCaseAToZ(a);
      const std::string upperB = navigator::UpperCaseAToZ(b);
      EXPECT_EQ(CountMatchingChars(upperA, upperB, 1, static_cast<int>(a.size()), 1, static_cast<int>(b.size())),
                c.matching)
          << "'" << a << "' against '" << b << "'";
    }
  }
}

// Long texts the scoring may meet: the cut saved captions against the longest live ones.
TEST(StringSimilarity, LongTextsStayBounded) {
  const std::string a(126, 'a');
  const std::string b(255, 'A');
  EXPECT_DOUBLE_EQ(StringSimilarity(a, b), 200.0 * 126 / (126 + 255));
  std::string mixed;
  for (int i = 0; i < 255; ++i) mixed.push_back(static_cast<char>('a' + i % 7));
  const double s = StringSimilarity(mixed.substr(0, 126), mixed);
  EXPECT_GT(s, 0.0);
  EXPECT_LE(s, 100.0);
  // The cut text is the long one's beginning: one run of 126 matches.
  EXPECT_DOUBLE_EQ(s, 200.0 * 126 / (126 + 255));
}

}  // namespace
