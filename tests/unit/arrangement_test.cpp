#include "navigator/arrangement.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using core::Point;
using core::Rect;
using navigator::ArrangeFacts;
using navigator::ArrangeMove;
using navigator::ArrangeOutcome;
using navigator::PlanArrangement;
using navigator::tAppWin;
using navigator::WindowHandle;

struct Win {
  WindowHandle wnd;
  Rect rect;
  bool arrangeable = true;
};

struct Case {
  const char* name;
  ArrangeFacts facts = {};
  std::vector<Win> windows;   // top of the Z order first
  int active = 0;             // index into windows; -1: no active entry
  ArrangeOutcome outcome = ArrangeOutcome::Arranged;
  std::vector<ArrangeMove> moves = {};
  int chosenActive = -1;      // index the run chose as active, -1 none
};

// (left, top, width, height) for brevity.
Rect R(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }

const Rect kActive{500, 100, 1300, 700};

// Windows on each side at one edge, of one size, so that only their order tells where each goes:
// nearest the active window in Z order. An unstable sort keeps short runs in order too (std::sort
// sorts up to 16 elements by insertion), so it takes more windows than that to tell them apart.
Case EqualEdges(const char* name, int perSide) {
  Case c{.name = name};
  c.windows.push_back({1, kActive});
  for (int i = 0; i < perSide; ++i) c.windows.push_back({static_cast<WindowHandle>(100 + i), R(0, 0, 100, 300)});
  for (int i = 0; i < perSide; ++i) c.windows.push_back({static_cast<WindowHandle>(200 + i), R(900, 0, 100, 300)});
  for (int i = 0; i < perSide; ++i) c.moves.push_back({static_cast<WindowHandle>(100 + i), {400 - 100 * i, 100}});
  for (int i = 0; i < perSide; ++i) c.moves.push_back({static_cast<WindowHandle>(200 + i), {1300 + 100 * i, 100}});
  return c;
}

// Twelve windows 8000 pixels wide, lined up beside the active one, are wider than the coordinate
// range: they are drawn together, one screen's width clear of the range's end, each at its own
// place in their order; none is stacked on another.
Case TwelveWideWindows() {
  Case c{.name = "row: twelve windows 8000 pixels wide", .facts = {.screen = {0, 0, 1280, 1024}}};
  c.windows.push_back({1, R(0, 100, 8000, 600)});
  for (int i = 1; i < 12; ++i) c.windows.push_back({static_cast<WindowHandle>(10 + i), R(i * 100, 0, 8000, 300)});
  const int64_t room = core::kMaxWindowPosition - 1280 - 8000;
  for (int i = 1; i < 12; ++i) {
    const int64_t run = int64_t{8000} * (i - 1);
    c.moves.push_back({static_cast<WindowHandle>(10 + i), {static_cast<int32_t>(8000 + run * room / 80000), 100}});
  }
  return c;
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {.name = "row: the example of four windows around the active one",
       .windows = {{1, kActive}, {11, R(400, 50, 250, 300)}, {12, R(100, 0, 300, 300)}, {13, R(800, 9, 400, 300)},
                   {14, R(1500, 5, 200, 300)}},
       .moves = {{11, {250, 100}}, {12, {-50, 100}}, {13, {1300, 100}}, {14, {1700, 100}}}},
      {.name = "row: a left equal to the active window's goes after it",
       .windows = {{1, kActive}, {11, R(500, 300, 100, 300)}},
       .moves = {{11, {1300, 100}}}},
      {.name = "row: equal edges keep the Z order, the higher window nearer",
       .windows = {{1, kActive}, {11, R(0, 0, 100, 300)}, {12, R(0, 0, 200, 300)}, {13, R(900, 0, 100, 300)},
                   {14, R(900, 0, 200, 300)}},
       .moves = {{11, {400, 100}}, {12, {200, 100}}, {13, {1300, 100}}, {14, {1400, 100}}}},
      {.name = "row: past the coordinate range, a side draws its windows together to stay inside",
       .windows = {{1, R(30000, 100, 2000, 600)}, {11, R(33000, 0, 1000, 300)}, {12, R(34000, 0, 500, 300)},
                   {13, R(0, 0, 64000, 300)}},
       .moves = {{13, {core::kMinWindowPosition, 100}}, {11, {32000, 100}}, {12, {core::kMaxWindowPosition, 100}}}},
      {.name = "row: the row stays one screen inside the range, so that the desktop can still scroll",
       .facts = {.screen = {0, 0, 1280, 1024}},
       .windows = {{1, R(30000, 100, 700, 600)}, {11, R(31000, 0, 100, 300)}, {12, R(31500, 0, 100, 300)},
                   {13, R(29000, 0, 100, 300)}},
       .moves = {{13, {29900, 100}}, {11, {30700, 100}}, {12, {30800, 100}}}},
      {.name = "row: a side with too little room draws its windows together, in order, the last at the edge",
       .facts = {.screen = {0, 0, 1280, 1024}},
       .windows = {{1, R(30000, 100, 700, 600)}, {11, R(31000, 0, 100, 300)}, {12, R(31500, 0, 100, 300)},
                   {14, R(31600, 0, 1000, 300)}, {15, R(31700, 0, 400, 300)}},
       .moves = {{11, {30700, 100}}, {12, {30700 + 100 * 531 / 1200, 100}}, {14, {30700 + 200 * 531 / 1200, 100}},
                 {15, {core::kMaxWindowPosition - 1280, 100}}}},
      TwelveWideWindows(),
      {.name = "column: the column stops one screen's height inside the range",
       .facts = {.row = false, .screen = {0, 0, 1280, 1024}},
       .windows = {{1, R(0, -31000, 100, 300)}, {11, R(0, -31500, 100, 300)}, {12, R(0, -32000, 100, 300)}},
       .moves = {{11, {0, -31000 - 300 * 488 / 600}}, {12, {0, core::kMinWindowPosition + 1024}}}},
      {.name = "row: windows that are not arrangeable keep their places and leave no gap",
       .windows = {{1, kActive}, {11, R(1400, 0, 100, 300), false}, {12, R(1600, 0, 100, 300)}},
       .moves = {{12, {1300, 100}}}},
      {.name = "row: the active window need not be the top one",
       .windows = {{11, R(0, 0, 100, 300)}, {1, kActive}},
       .active = 1,
       .moves = {{11, {400, 100}}}},
      {.name = "column: vertical edges, the active window's left",
       .facts = {.row = false},
       .windows = {{1, kActive}, {11, R(0, 50, 100, 300)}, {12, R(0, 10, 100, 200)}, {13, R(7, 100, 50, 250)},
                   {14, R(9, 800, 50, 60)}},
       .moves = {{11, {500, -200}}, {12, {500, -400}}, {13, {500, 700}}, {14, {500, 950}}}},
      {.name = "column: ties behind",
       .facts = {.row = false},
       .windows = {{1, kActive}, {11, R(0, 50, 100, 300)}, {12, R(0, 50, 100, 200)}},
       .moves = {{11, {500, -200}}, {12, {500, -400}}}},
      {.name = "no active entry: the top entry becomes the active one",
       .windows = {{1, kActive}, {11, R(0, 0, 100, 300)}},
       .active = -1,
       .moves = {{11, {400, 100}}},
       .chosenActive = 0},
      {.name = "no active entry and the top entry not arrangeable: nothing moves",
       .windows = {{1, kActive, false}, {11, R(0, 0, 100, 300)}},
       .active = -1,
       .outcome = ArrangeOutcome::ActiveNotArrangeable,
       .chosenActive = 0},
      {.name = "the active window not arrangeable",
       .windows = {{11, R(0, 0, 100, 300)}, {1, kActive, false}},
       .active = 1,
       .outcome = ArrangeOutcome::ActiveNotArrangeable},
      {.name = "a single entry",
       .windows = {{1, kActive}},
       .active = -1,
       .outcome = ArrangeOutcome::TooFewEntries},
      {.name = "a window in a move or size loop comes first",
       .facts = {.moveSizeWnd = 11, .dragMoved = true, .busy = true},
       .windows = {{1, kActive}},
       .outcome = ArrangeOutcome::MoveSizeLoop},
      {.name = "a navigator drag that has moved",
       .facts = {.dragMoved = true, .busy = true},
       .windows = {{1, kActive}},
       .outcome = ArrangeOutcome::DragMoved},
      {.name = "fewer than two entries before busy",
       .facts = {.busy = true},
       .windows = {{1, kActive}},
       .outcome = ArrangeOutcome::TooFewEntries},
      {.name = "busy",
       .facts = {.busy = true},
       .windows = {{1, kActive}, {11, R(0, 0, 100, 300)}},
       .active = -1,
       .outcome = ArrangeOutcome::Busy},
      {.name = "far edges neither wrap nor go outside the window range",
       .windows = {{1, {INT32_MIN + 10, 0, INT32_MIN + 20, 300}}, {11, {INT32_MIN, 0, INT32_MIN + 5, 300}},
                   {12, {INT32_MIN, 0, INT32_MAX, 300}}},
       .moves = {}},
      EqualEdges("row: forty equal edges a side keep the Z order", 40),
  };
  return cases;
}

// The entries of a case's windows, owned here.
struct CaseEntries {
  explicit CaseEntries(const Case& c) {
    for (const Win& w : c.windows) {
      auto e = std::make_unique<tAppWin>();
      e->Wnd = w.wnd;
      e->WindowRect = w.rect;
      e->Arrangeable = w.arrangeable;
      entries.push_back(e.get());
      owned.push_back(std::move(e));
    }
  }
  std::vector<std::unique_ptr<tAppWin>> owned;
  std::vector<tAppWin*> entries;
};

TEST(ArrangeWindows, PlansRowsAndColumnsBesideTheActiveWindow) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    CaseEntries made(c);
    const std::vector<tAppWin*>& entries = made.entries;
    tAppWin* active = c.active >= 0 ? entries[c.active] : nullptr;
    const auto plan = PlanArrangement(c.facts, entries, active);
    EXPECT_EQ(plan.outcome, c.outcome);
    EXPECT_EQ(plan.moves, c.moves);
    EXPECT_EQ(plan.chosenActive, c.chosenActive >= 0 ? entries[c.chosenActive] : nullptr);
    // The entries themselves are left as they were: the next scan sees the new places.
    for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i]->WindowRect, c.windows[i].rect);
  }
}

// The program arranges at its first show and again a second later: a row drawn together comes
// out of the second run as it went in, so no window lands on another's place.
TEST(ArrangeWindows, ASecondRunPlacesADrawnTogetherRowTheSame) {
  const Case c = TwelveWideWindows();
  CaseEntries made(c);
  const std::vector<tAppWin*>& entries = made.entries;
  const auto first = PlanArrangement(c.facts, entries, entries.front());
  for (const ArrangeMove& m : first.moves) {
    for (tAppWin* e : entries) {
      if (e->Wnd == m.window) e->WindowRect = R(m.visibleTopLeft.x, m.visibleTopLeft.y, 8000, 300);
    }
  }
  const auto second = PlanArrangement(c.facts, entries, entries.front());
  EXPECT_EQ(second.moves, first.moves);
}

}  // namespace
