#include "navigator/layout_matching.h"
#include "navigator/string_similarity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using core::Bounds;
using navigator::KeepOnDesktop;
using navigator::LayoutPlacer;
using navigator::PlannedPlacement;
using navigator::SavedPlace;
using navigator::tAppWin;
using navigator::WindowHandle;

class LayoutPlacerTest : public testing::Test {
 protected:
  tAppWin* Add(WindowHandle wnd, std::string cls, std::string caption) {
    auto e = std::make_unique<tAppWin>();
    e->Wnd = wnd;
    e->WinClass = std::move(cls);
    e->Caption = std::move(caption);
    entries.push_back(e.get());
    owned.push_back(std::move(e));
    return entries.back();
  }
  static SavedPlace Record(std::string caption, std::string cls = "Ed", int32_t left = 10) {
    return {std::move(caption), std::move(cls), {left, 20, 300, 400}};
  }
  static PlannedPlacement To(WindowHandle w, int32_t left = 10) { return {w, {left, 20, 300, 400}}; }

  struct Expected {
    std::size_t index = 0;
    bool exact = false;
    double score = -1.0;
  };
  // The window scoring every entry of the class in turn takes: the first with the exact caption,
  // else the first of the highest scores.
  Expected ByScoringEvery(const std::string& saved) const {
    Expected e;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i]->Caption == saved) return {i, true, 100.0};
      const double s = navigator::StringSimilarity(entries[i]->Caption, saved);
      if (s > e.score) e = {i, false, s};
    }
    return e;
  }

  std::vector<std::unique_ptr<tAppWin>> owned;
  std::vector<tAppWin*> entries;
  std::vector<tAppWin*> candidates;
};

TEST_F(LayoutPlacerTest, FirstPassTakesTheExactCaptionOrTheOnlyWindowOfTheClass) {
  struct Step {
    const char* what;
    SavedPlace record;
    std::vector<PlannedPlacement> moves;  // all moves so far
  };
  Add(1, "Ed", "Notes - Ed");
  Add(2, "Ed", "Draft - Ed");
  Add(3, "Ed", "Draft - Ed");
  Add(4, "View", "picture");
  Add(5, "", "no class");
  LayoutPlacer placer(entries, candidates);
  placer.PlaceSavedRects();
  const Step steps[] = {
      {"an exact caption wins over candidates met before it; of two, the first", Record("Draft - Ed"), {To(2)}},
      {"case counts in the exact comparison: two candidates, nothing moves", Record("notes - ed"), {To(2)}},
      {"another class is never taken", Record("Notes - Ed", "ED"), {To(2)}},
      {"the only window of its class, whatever its caption", Record("something", "View", 30), {To(2), To(4, 30)}},
      {"a placed window is never moved again", Record("picture", "View"), {To(2), To(4, 30)}},
      {"an empty class matches only an empty class", Record("x", "", 50), {To(2), To(4, 30), To(5, 50)}},
      {"the exact caption again", Record("Draft - Ed", "Ed", 60), {To(2), To(4, 30), To(5, 50), To(3, 60)}},
      {"now the only unplaced one of its class", Record("zzz", "Ed", 70),
       {To(2), To(4, 30), To(5, 50), To(3, 60), To(1, 70)}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    placer.PlaceSavedWindow(s.record);
    EXPECT_EQ(placer.Moves(), s.moves);
    EXPECT_TRUE(candidates.empty()) << "the working list keeps no entry between placements";
  }
}

TEST_F(LayoutPlacerTest, SecondPassTakesTheMostSimilarCaptionAndTiesGoFirst) {
  struct Case {
    const char* what;
    std::vector<const char*> captions;
    const char* saved;
    WindowHandle taken;
  };
  const Case cases[] = {
      {"the worked example: 93.75 against 96.77", {"Page 13 - Viewer", "Page 2 - Viewer"}, "Page 12 - Viewer", 2},
      {"a tie goes to the first", {"Page 13 - Viewer", "Page 21 - Viewer"}, "Page 12 - Viewer", 1},
      {"no common character: the first is taken all the same", {"abc", "def"}, "xyz", 1},
      {"a caption differing only in case is no exact match but scores 100",
       {"Page 13 - Viewer", "PAGE 12 - VIEWER"}, "Page 12 - Viewer", 2},
      {"the live caption goes first: against 'bacb' 'ab' scores 66.7 and wins over 'b' at 40; the other way "
       "round 'ab' would score 33.3 and lose",
       {"b", "ab"}, "bacb", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    owned.clear();
    entries.clear();
    WindowHandle w = 1;
    for (const char* caption : c.captions) Add(w++, "Ed", caption);
    LayoutPlacer placer(entries, candidates);
    placer.PlaceSavedRects();
    placer.PlaceSavedWindow(Record(c.saved));
    EXPECT_TRUE(placer.Moves().empty()) << "the first pass leaves two or more candidates alone";
    placer.PlaceSavedWindowFuzzy(Record(c.saved));
    EXPECT_EQ(placer.Moves(), std::vector<PlannedPlacement>{To(c.taken)});
    EXPECT_TRUE(candidates.empty());
  }
}

TEST_F(LayoutPlacerTest, SavedRectanglesComeFirstAndArePlaced) {
  tAppWin* kept = Add(1, "Ed", "one");
  kept->HasSavedRect = true;
  kept->SavedRect = {-500, 40, -100, 340};
  tAppWin* fresh = Add(2, "Ed", "two");
  fresh->Placed = true;  // left over from an earlier restore
  LayoutPlacer placer(entries, candidates);
  placer.PlaceSavedRects();
  EXPECT_TRUE(kept->Placed);
  EXPECT_FALSE(fresh->Placed);
  // Its record still takes part: the other window is the only unplaced one of the class.
  placer.PlaceSavedWindow(Record("one"));
  placer.PlaceSavedWindowFuzzy(Record("one"));
  EXPECT_EQ(placer.Moves(), (std::vector<PlannedPlacement>{{1, {-500, 40, 400, 300}}, To(2)}));
}

TEST_F(LayoutPlacerTest, TheTakenCandidateCarriesItsScore) {
  tAppWin* a = Add(1, "Ed", "Page 13 - Viewer");
  tAppWin* b = Add(2, "Ed", "Page 2 - Viewer");
  tAppWin* none = Add(3, "Ed", "zzzz");
  LayoutPlacer placer(entries, candidates);
  placer.PlaceSavedRects();
  placer.PlaceSavedWindowFuzzy(Record("Page 12 - Viewer"));
  EXPECT_DOUBLE_EQ(b->MatchScore, 200.0 * 15 / 31);
  // At most 15 shared characters of 32: 93.75 cannot beat 96.77, so neither is scored.
  EXPECT_EQ(a->MatchScore, 0.0);
  EXPECT_EQ(none->MatchScore, 0.0);
}

// The bounded search must choose as scoring every candidate in turn does: the highest score, the
// first of equal ones. Random captions of a small alphabet give many ties and near ties.
TEST_F(LayoutPlacerTest, TheFuzzyChoiceIsTheOneScoringEveryCandidateMakes) {
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  auto caption = [&] {
    std::string s;
    const int n = static_cast<int>(next() >> 16) % 9;
    for (int i = 0; i < n; ++i) s.push_back("abAB1 -"[(next() >> 16) % 7]);
    return s;
  };
  for (int round = 0; round < 400; ++round) {
    owned.clear();
    entries.clear();
    const int n = 2 + static_cast<int>(next() >> 16) % 8;
    for (int i = 0; i < n; ++i) Add(static_cast<WindowHandle>(i + 1), "Ed", caption());
    const std::string saved = caption();
    const Expected expected = ByScoringEvery(saved);
    LayoutPlacer placer(entries, candidates);
    placer.PlaceSavedRects();
    placer.PlaceSavedWindowFuzzy(Record(saved));
    ASSERT_EQ(placer.Moves().size(), 1u);
    EXPECT_EQ(placer.Moves()[0].window, entries[expected.index]->Wnd)
        << "saved '" << saved << "'" << (expected.exact ? " (exact)" : "") << ", round " << round;
  }
}

// The same over captions as windows have them, and as long as saved records keep them, among
// candidates that are near the saved caption or unrelated to it (in some rounds all of them),
// equal to each other (ties), or differing from it only in case (100).
TEST_F(LayoutPlacerTest, TheFuzzyChoiceOverLongCaptionsIsTheOneScoringEveryCandidateMakes) {
  struct Family {
    const char* what;
    std::size_t minLength, maxLength;  // of the saved caption
    const char* alphabet;              // nullptr: words
    std::size_t liveCut;               // live captions are cut to this length
  };
  const Family families[] = {
      {"browser and editor titles", 60, 126, nullptr, 126},
      {"saved 255 against live 126", 200, 255, nullptr, 126},
      {"four letters", 100, 126, "abAB", 126},
      {"longer than any caption", 256, 400, "ab-", 1000},
  };
  uint32_t seed = 777;
  auto below = [&](std::size_t n) { return static_cast<std::size_t>((seed = seed * 1664525u + 1013904223u) >> 8) % n; };
  auto text = [&](const Family& f, std::size_t length) {
    static const char* const kWords[] = {"Report", "draft",  "v2", "-",      "Notes", "meeting", "(3)",  "Inbox",
                                         "build",  "failed", "#41", "review", "a",     "of",      "Web",  "Browser"};
    std::string s;
    while (s.size() < length) {
      if (f.alphabet) {
        s += f.alphabet[below(std::string_view(f.alphabet).size())];
      } else {
        s += kWords[below(std::size(kWords))];
        s += ' ';
      }
    }
    s.resize(length);
    return s;
  };
  auto changed = [&](std::string s) {
    for (std::size_t k = 1 + below(5); k > 0 && !s.empty(); --k) {
      const std::size_t at = below(s.size());
      switch (below(3)) {
        case 0: s.insert(at, 1, '*'); break;
        case 1: s.erase(at, 1); break;
        default: s[at] = static_cast<char>('a' + below(26)); break;
      }
    }
    return s;
  };
  for (const Family& f : families) {
    SCOPED_TRACE(f.what);
    for (int round = 0; round < 150; ++round) {
      owned.clear();
      entries.clear();
      const std::string saved = text(f, f.minLength + below(f.maxLength - f.minLength + 1));
      const std::size_t n = 2 + below(24);
      const bool caseOnly = below(4) == 0;  // else it would win most rounds
      const bool replaced = below(3) == 0;  // no caption near the saved one
      for (std::size_t i = 0; i < n; ++i) {
        std::string live;
        switch (below(caseOnly ? 6 : 5)) {
          case 0:
          case 1: live = replaced ? text(f, f.minLength + below(f.maxLength - f.minLength + 1)) : changed(saved); break;
          case 2:
            live = i > 0 ? entries[below(i)]->Caption : changed(saved);
            break;
          case 5:
            live = saved;
            for (char& c : live) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c >= 'A' && c <= 'Z' ? c + 32 : c);
            break;
          default: live = text(f, f.minLength + below(f.maxLength - f.minLength + 1)); break;
        }
        if (live.size() > f.liveCut) live.resize(f.liveCut);
        Add(static_cast<WindowHandle>(i + 1), "Ed", live);
      }
      const Expected expected = ByScoringEvery(saved);
      LayoutPlacer placer(entries, candidates);
      placer.PlaceSavedRects();
      placer.PlaceSavedWindowFuzzy(Record(saved));
      ASSERT_EQ(placer.Moves().size(), 1u);
      ASSERT_EQ(placer.Moves()[0].window, entries[expected.index]->Wnd) << "round " << round;
      if (!expected.exact) {
        EXPECT_EQ(entries[expected.index]->MatchScore, expected.score) << "round " << round;
      }
    }
  }
}

// Captions that are anagrams of the saved one share all its characters: only the longer bound
// tells them apart, and the one near the saved caption is the only one scored.
TEST_F(LayoutPlacerTest, AnagramsOfTheSavedCaptionAreNotScored) {
  const std::string saved = "Quarterly report 2024 - Document Editor";
  std::string reversed(saved.rbegin(), saved.rend());
  std::string rotated = saved.substr(7) + saved.substr(0, 7);
  std::string sorted = saved;
  std::sort(sorted.begin(), sorted.end());
  tAppWin* a = Add(1, "Ed", reversed);
  tAppWin* b = Add(2, "Ed", sorted);
  tAppWin* near = Add(3, "Ed", "*" + saved);
  tAppWin* c = Add(4, "Ed", rotated);
  LayoutPlacer placer(entries, candidates);
  placer.PlaceSavedRects();
  placer.PlaceSavedWindowFuzzy(Record(saved));
  EXPECT_EQ(placer.Moves(), std::vector<PlannedPlacement>{To(3)});
  EXPECT_DOUBLE_EQ(near->MatchScore, 200.0 * 39 / 79);
  EXPECT_EQ(a->MatchScore, 0.0);
  EXPECT_EQ(b->MatchScore, 0.0);
  EXPECT_EQ(c->MatchScore, 0.0);
}

TEST(KeepOnDesktop, AWindowKeepsAPartOnTheDesktopAndASaneSize) {
  const core::Rect desktop{-1000, 0, 3000, 2000};
  struct Case {
    const char* what;
    Bounds saved;
    Bounds kept;
  };
  const Case cases[] = {
      {"inside: unchanged", {100, 100, 800, 600}, {100, 100, 800, 600}},
      {"partly outside: unchanged", {-1500, -200, 800, 600}, {-1500, -200, 800, 600}},
      {"wholly left: its right 64 pixels come back", {-5000, 100, 800, 600}, {-1736, 100, 800, 600}},
      {"wholly right and below", {9000, 9000, 800, 600}, {2936, 1936, 800, 600}},
      {"a far corner of the number range", {INT32_MAX, INT32_MIN, 800, 600}, {2936, -536, 800, 600}},
      {"a narrow window stays wholly on", {-5000, 100, 10, 600}, {-1000, 100, 10, 600}},
      {"sizes within 0..32000", {0, 0, -50, 999999}, {0, 0, 0, 32000}},
  };
  for (const Case& c : cases) EXPECT_EQ(KeepOnDesktop(c.saved, desktop), c.kept) << c.what;
  // Without a fixed desktop size the desktop reaches past the coordinate range: the place stays
  // inside the window range all the same.
  const core::Rect free = navigator::RestoreDesktop({0, 0, 1920, 1040}, false, 0, 0, 0, 0);
  EXPECT_EQ(KeepOnDesktop({40000, -40000, 800, 600}, free),
            (Bounds{core::kMaxWindowPosition, core::kMinWindowPosition, 800, 600}));
  EXPECT_EQ(KeepOnDesktop({32000, -32000, 800, 600}, free), (Bounds{32000, -32000, 800, 600}));
}

TEST(RestoreDesktop, IsTheAreaWidenedByTheRoomOrByTheLargestExtent) {
  const core::Rect area{0, 0, 1920, 1040};
  EXPECT_EQ(navigator::RestoreDesktop(area, true, -200, 1000, 0, 500), (core::Rect{-200, 0, 2920, 1540}));
  EXPECT_EQ(navigator::RestoreDesktop(area, false, 0, 0, 0, 0), (core::Rect{-32000, -32000, 33920, 33040}));
  EXPECT_EQ(navigator::RestoreDesktop(area, true, INT32_MIN, INT32_MAX, 0, 0),
            (core::Rect{INT32_MIN, 0, INT32_MAX, 1040}));
}

}  // namespace
