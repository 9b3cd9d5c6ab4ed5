#include "scroller/move_tick.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <set>
#include <vector>

#include "core/private_messages.h"
#include "scroller/message_dispatch.h"

namespace {

using core::Point;
using core::Rect;
using navigator::ScrollRoom;
using scroller::BandSide;
using scroller::EngineOptions;
using scroller::EngineState;
using scroller::MoveTickFacts;
using scroller::WindowHandle;

constexpr Rect kScreen{0, 0, 1920, 1080};

// Windows at known places. A window in `slow` holds the moves sent to it until Wake, as the
// thread of a busy application does with an asynchronous SetWindowPos; `onMove` runs inside a
// move, where nested messages arrive.
struct FakeDesk : scroller::MoveEnvironment {
  MoveTickFacts facts{kScreen, false, false, false, {}};
  std::map<WindowHandle, Point> at;
  std::set<WindowHandle> unreadable;
  std::set<WindowHandle> slow;
  std::map<WindowHandle, std::vector<Point>> queued;
  std::vector<WindowHandle> order;
  std::function<void(WindowHandle)> onMove;

  int factsAsked = 0;
  MoveTickFacts Facts() override {
    ++factsAsked;
    return facts;
  }
  std::optional<Point> VisibleTopLeft(WindowHandle w) override {
    if (unreadable.count(w) || !at.count(w)) return std::nullopt;
    return at[w];
  }
  void MoveVisibleTo(WindowHandle w, Point p) override {
    order.push_back(w);
    if (slow.count(w)) {
      queued[w].push_back(p);
    } else {
      at[w] = p;
    }
    if (onMove) onMove(w);
  }
  // The busy thread gets round to `n` of its queued moves (all when n < 0).
  void Wake(WindowHandle w, int n = -1) {
    auto& q = queued[w];
    const std::size_t take = n < 0 ? q.size() : std::min<std::size_t>(q.size(), n);
    for (std::size_t i = 0; i < take; ++i) at[w] = q[i];
    q.erase(q.begin(), q.begin() + static_cast<std::ptrdiff_t>(take));
    if (n < 0) slow.erase(w);
  }
};

struct MoveTick : ::testing::Test {
  EngineState s;
  EngineOptions o;
  ScrollRoom room;
  scroller::ScrollLists lists;
  FakeDesk desk;
  scroller::MoveLedger ledger;

  MoveTick() { o.Sticky = 0; }

  // A fresh start for the next row of a table.
  void Reset() {
    lists.Clear();
    desk = {};
    s = {};
    ledger = {};
    room = {};
  }

  void List(std::initializer_list<WindowHandle> windows) {
    for (WindowHandle w : windows) {
      lists.Append(w, "text");
      desk.at[w] = {static_cast<int32_t>(w) * 10, 100};
    }
  }
  scroller::MoveOutcome Tick() { return scroller::RunMoveTick(s, o, room, lists, desk, ledger); }
  scroller::MoveTickPlan Plan() { return scroller::PlanMoveTick(s, o, desk.facts, room); }
};

TEST(MoveFlags, PlaceOnlyWithoutWaiting) {
  EXPECT_EQ(scroller::kScrollMoveFlags, 0x0001u | 0x0004u | 0x0010u | 0x4000u);
}

// At the left border the windows move right (a negative step), so the viewport goes left.
TEST_F(MoveTick, BorderBandStepPerSpeed) {
  const int32_t steps[] = {288, 232, 176, 120, 64, 8};
  for (int speed = 4; speed <= 9; ++speed) {
    o.ScrollSpeed = speed;
    o.ReverseFactor = 1;
    EXPECT_EQ(scroller::BorderBandStep(o), -steps[speed - 4]) << speed;
    o.ReverseFactor = -1;
    EXPECT_EQ(scroller::BorderBandStep(o), steps[speed - 4]) << speed;
  }
  // Speed 9, left band: every window moves 8 pixels right per tick.
  o.ScrollSpeed = 9;
  o.ReverseFactor = 1;
  o.BorderScroll = true;
  List({1});
  s.CursorX = 3;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{18, 100}));
}

// The band's sides, its widths (8 pixels left and top, 7 right and bottom) and the corners,
// where the first side in the order left, top, right, bottom wins and assigns one component.
TEST_F(MoveTick, BorderBandAssignsOneComponent) {
  o.BorderScroll = true;
  o.ScrollSpeed = 9;  // 8 pixels
  const struct {
    Point cursor;
    BandSide side;
    int32_t dx, dy;
  } cases[] = {
      {{7, 500}, BandSide::Left, -8, 5},     {{8, 500}, BandSide::None, 3, 5},
      {{500, 7}, BandSide::Top, 3, -8},      {{500, 8}, BandSide::None, 3, 5},
      {{1913, 500}, BandSide::Right, 8, 5},  {{1912, 500}, BandSide::None, 3, 5},
      {{500, 1073}, BandSide::Bottom, 3, 8}, {{500, 1072}, BandSide::None, 3, 5},
      {{0, 0}, BandSide::Left, -8, 5},       {{0, 1079}, BandSide::Left, -8, 5},
      {{1919, 0}, BandSide::Top, 3, -8},     {{1919, 1079}, BandSide::Right, 8, 5},
  };
  for (const auto& c : cases) {
    s = {};
    s.PendingDX = 3;
    s.PendingDY = 5;
    s.CursorX = c.cursor.x;
    s.CursorY = c.cursor.y;
    const scroller::MoveTickPlan plan = Plan();
    EXPECT_EQ(plan.band, c.side) << c.cursor.x << "," << c.cursor.y;
    EXPECT_EQ(plan.stepX, c.dx) << c.cursor.x << "," << c.cursor.y;
    EXPECT_EQ(plan.stepY, c.dy) << c.cursor.x << "," << c.cursor.y;
  }
}

TEST_F(MoveTick, BorderBandOffWhenLockedPausedOrUnset) {
  s.CursorX = 0;
  for (int which = 0; which < 3; ++which) {
    o.BorderScroll = which != 0;
    s.MenuScrollLockChecked = which == 1;
    s.ScrollPaused = which == 2;
    EXPECT_EQ(scroller::BorderBandAt(s, o, kScreen), BandSide::None) << which;
  }
}

TEST_F(MoveTick, CooldownCountsDownOnEveryTickEvenWhenNothingMoves) {
  s.PageCooldown = 2;
  s.StickyCount = 3;
  s.PendingDX = 50;
  EXPECT_FALSE(Plan().moves);
  EXPECT_EQ(s.PageCooldown, 1);
  Plan();
  Plan();
  EXPECT_EQ(s.PageCooldown, 0);
  EXPECT_EQ(s.PendingDX, 50);  // the sticky wait keeps it pending
}

// With nothing pending, no border band and nobody owed a move, a timer tick asks the platform
// nothing; any one of them makes it read the facts again.
TEST_F(MoveTick, AnIdleTickAsksThePlatformNothing) {
  List({1});
  s.PageCooldown = 2;
  EXPECT_EQ(Tick().ticks, 1);
  EXPECT_EQ(desk.factsAsked, 0);
  EXPECT_EQ(s.PageCooldown, 1) << "the cooldown still counts";

  o.BorderScroll = true;
  Tick();
  EXPECT_EQ(desk.factsAsked, 1) << "the band may assign a step";
  o.BorderScroll = false;
  s.PendingDY = 4;
  Tick();
  EXPECT_EQ(desk.factsAsked, 2);
  EXPECT_EQ(desk.at[1], (Point{10, 96}));
}

// The clamp: lower bound first, then the upper, and which limits make it apply.
TEST_F(MoveTick, ClampToTheRoomWhenLimitsApply) {
  const struct {
    const char* what;
    bool doLimit;
    int32_t limitX, limitY;
    bool shift, ctrl, navVisible, useShift;
    ScrollRoom room;
    int32_t dx, dy;
    bool applies;
    int32_t wantX, wantY;
  } cases[] = {
      {"fixed width", false, 200, 0, false, false, false, true, {0, 200, 0, 0}, 300, 10, true, 200, 0},
      {"DoLimit", true, 0, 0, false, false, false, true, {-50, 50, -5, 5}, -300, 10, true, -50, 5},
      {"lower above upper ends at upper", true, 0, 0, false, false, false, true, {100, 40, 0, 0},
       10, 0, true, 40, 0},
      {"negative limits are none", false, -5, -7, false, false, false, true, {0, 0, 0, 0}, 300, 10,
       false, 300, 10},
      {"Shift+Ctrl overrides", false, 200, 0, true, true, false, true, {0, 200, 0, 0}, 300, 0,
       false, 300, 0},
      {"not while the navigator shows", false, 200, 0, true, true, true, true, {0, 200, 0, 0}, 300,
       0, true, 200, 0},
      {"not with chords off", false, 200, 0, true, true, false, false, {0, 200, 0, 0}, 300, 0, true,
       200, 0},
      {"Shift alone is no override", false, 200, 0, true, false, false, true, {0, 200, 0, 0}, 300,
       0, true, 200, 0},
  };
  for (const auto& c : cases) {
    s = {};
    o.DoLimit = c.doLimit;
    o.UseShift = c.useShift;
    desk.facts.Limits = {c.limitX, c.limitY};
    desk.facts.ShiftHeld = c.shift;
    desk.facts.CtrlHeld = c.ctrl;
    desk.facts.NavigatorVisible = c.navVisible;
    room = c.room;
    s.PendingDX = c.dx;
    s.PendingDY = c.dy;
    const scroller::MoveTickPlan plan = Plan();
    EXPECT_EQ(plan.limitsApply, c.applies) << c.what;
    EXPECT_EQ(plan.stepX, c.wantX) << c.what;
    EXPECT_EQ(plan.stepY, c.wantY) << c.what;
  }
}

TEST_F(MoveTick, FixedWidthClampsMovesAndShiftsTheRoom) {
  List({1, 2});
  desk.facts.Limits.LimitX = 200;
  room = {0, 200, 0, 0};
  s.PendingDX = 300;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{10 - 200, 100}));
  EXPECT_EQ(desk.at[2], (Point{20 - 200, 100}));
  EXPECT_EQ(room, (ScrollRoom{-200, 0, 0, 0}));
  EXPECT_EQ(s.PendingDX, 0);

  s.PendingDX = 50;  // no room left to the right
  EXPECT_EQ(Tick().windowsMoved, 0);
  EXPECT_EQ(desk.at[1], (Point{-190, 100}));

  // Shift+Ctrl moves past the limit and leaves the room as it is.
  o.UseShift = true;
  desk.facts.ShiftHeld = desk.facts.CtrlHeld = true;
  s.PendingDX = 300;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{-490, 100}));
  EXPECT_EQ(room, (ScrollRoom{-200, 0, 0, 0}));
}

// A step on a disabled axis waits; the next step that passes the gate moves the windows only on
// the enabled axis, shifts the room by both and clears both.
TEST_F(MoveTick, DisabledAxisKeepsItsStepUntilAnotherMoves) {
  List({1});
  o.DoXMove = 0;
  o.DoLimit = true;
  room = {-1000, 1000, -1000, 1000};
  s.PendingDX = 40;
  EXPECT_EQ(Tick().windowsMoved, 0);
  EXPECT_EQ(s.PendingDX, 40);
  EXPECT_EQ(desk.at[1], (Point{10, 100}));

  s.PendingDY = 25;
  EXPECT_EQ(Tick().windowsMoved, 1);
  EXPECT_EQ(desk.at[1], (Point{10, 75}));
  EXPECT_EQ(room, (ScrollRoom{-1040, 960, -1025, 975}));
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(s.PendingDY, 0);
}

TEST_F(MoveTick, StickyWaitHoldsTheStep) {
  List({1});
  s.StickyCount = 2;
  s.PendingDX = 30;
  EXPECT_EQ(Tick().windowsMoved, 0);
  EXPECT_EQ(s.PendingDX, 30);
  s.StickyCount = -1;
  EXPECT_EQ(Tick().windowsMoved, 1);
  EXPECT_EQ(desk.at[1], (Point{-20, 100}));
}

TEST_F(MoveTick, EmptyListStillShiftsTheRoomAndClearsTheStep) {
  o.DoLimit = true;
  room = {-100, 100, -100, 100};
  s.PendingDX = 30;
  s.PendingDY = -20;
  EXPECT_EQ(Tick().windowsMoved, 0);
  EXPECT_EQ(room, (ScrollRoom{-130, 70, -80, 120}));
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(s.PendingDY, 0);
}

TEST_F(MoveTick, BottomOfTheZOrderMovesFirstAndUnreadableIsSkipped) {
  List({1, 2, 3, 4});
  desk.unreadable.insert(2);
  s.PendingDY = 10;
  EXPECT_EQ(Tick().windowsMoved, 3);
  EXPECT_EQ(desk.order, (std::vector<WindowHandle>{4, 3, 1}));
}

TEST_F(MoveTick, ShuttingDownMovesNothing) {
  List({1});
  const core::ProgramEnd ending{core::EndPhase::Ending};
  s.end = &ending;
  s.PendingDX = 10;
  EXPECT_EQ(Tick().ticks, 0);
  EXPECT_EQ(desk.at[1], (Point{10, 100}));
}

// The hook library's release arrives while a window is being moved. Whichever entry it drops,
// that entry is not moved afterwards, and every other window moves exactly once.
TEST_F(MoveTick, NestedReleaseDuringTheWalk) {
  for (WindowHandle released : {1, 2, 3, 4}) {
    for (WindowHandle during : {1, 2, 3, 4}) {
      Reset();
      List({1, 2, 3, 4});
      std::vector<WindowHandle> excluded;
      scroller::PanelLife life{true};
      scroller::PanelContext ctx{s, lists, excluded, life};
      bool sent = false;
      desk.onMove = [&](WindowHandle w) {
        if (w == during && !sent) {
          sent = true;
          scroller::DispatchPanelMessage(msg::WM_HOOK_RELEASED, released, 0, ctx);
        }
      };
      s.PendingDX = 5;
      Tick();
      // Moving order is 4, 3, 2, 1: a window released before its turn stays where it was.
      const bool releasedBeforeItsTurn = released < during;
      std::map<WindowHandle, int> moves;
      for (WindowHandle w : desk.order) ++moves[w];
      for (WindowHandle w : {1, 2, 3, 4}) {
        const int want = (w == released && releasedBeforeItsTurn) ? 0 : 1;
        EXPECT_EQ(moves[w], want) << "release " << released << " while moving " << during
                                  << ", window " << w;
      }
      EXPECT_FALSE(lists.Contains(released));
      EXPECT_EQ(lists.Texts.size(), 3u);
    }
  }
}

// A WM_SCROLL_BY sent while windows are being moved is not applied half-way: the running walk
// finishes with its own step, then the request runs as a whole tick of its own.
TEST_F(MoveTick, NestedScrollRequestIsDeferredToAWholeTick) {
  List({1, 2, 3});
  std::vector<WindowHandle> excluded;
  scroller::PanelLife life{true};
  scroller::PanelContext ctx{s, lists, excluded, life};
  int nested = 0;
  std::vector<Point> seenAtRequest;
  desk.onMove = [&](WindowHandle w) {
    if (w == 2 && nested < 2) {
      ++nested;
      const scroller::DispatchResult r =
          scroller::DispatchPanelMessage(msg::WM_SCROLL_BY, 7, static_cast<intptr_t>(-3), ctx);
      EXPECT_EQ(r.action, scroller::PanelAction::None);  // deferred, not run here
      if (nested == 1) seenAtRequest = {desk.at[1], desk.at[2], desk.at[3]};
    }
  };
  s.PendingDX = 100;
  const scroller::MoveOutcome out = Tick();
  // At the first request window 1 had not moved yet and 2 and 3 had moved by 100 only.
  EXPECT_EQ(seenAtRequest,
            (std::vector<Point>{{10, 100}, {20 - 100, 100}, {30 - 100, 100}}));
  EXPECT_EQ(out.ticks, 3);
  EXPECT_EQ(out.windowsMoved, 9);
  // All three moved by the first step and by both nested requests, the same for each.
  EXPECT_EQ(desk.at[1], (Point{10 - 100 - 14, 106}));
  EXPECT_EQ(desk.at[2], (Point{20 - 100 - 14, 106}));
  EXPECT_EQ(desk.at[3], (Point{30 - 100 - 14, 106}));
  EXPECT_FALSE(s.TickDeferred);
  EXPECT_FALSE(s.MoveInProgress);
  EXPECT_EQ(s.PendingDX, 0);
}

TEST_F(MoveTick, EndlessNestedRequestsStayPendingForTheTimer) {
  List({1});
  std::vector<WindowHandle> excluded;
  scroller::PanelLife life{true};
  scroller::PanelContext ctx{s, lists, excluded, life};
  desk.onMove = [&](WindowHandle) { scroller::DispatchPanelMessage(msg::WM_SCROLL_BY, 1, 0, ctx); };
  s.PendingDX = 1;
  EXPECT_EQ(Tick().ticks, scroller::kMaxDeferredTicks + 1);
  EXPECT_EQ(s.PendingDX, 1);
  EXPECT_FALSE(s.TickDeferred);
}

TEST_F(MoveTick, BatchDefersAScrollRequestUntilItEnds) {
  List({1});
  std::vector<WindowHandle> excluded;
  scroller::PanelLife life{true};
  scroller::PanelContext ctx{s, lists, excluded, life};
  {
    scroller::MoveBatch arranging(s);
    scroller::DispatchPanelMessage(msg::WM_SCROLL_BY, 10, 0, ctx);
    EXPECT_EQ(scroller::RunDeferredTick(s, o, room, lists, desk, ledger).ticks, 0);
  }
  EXPECT_EQ(scroller::RunDeferredTick(s, o, room, lists, desk, ledger).windowsMoved, 1);
  EXPECT_EQ(desk.at[1], (Point{0, 100}));
}

// A busy window that has not yet taken its moves when the next ticks read it still ends exactly
// where the others' step puts it: targets follow on from the places already sent to it.
TEST_F(MoveTick, SlowWindowNeitherLosesNorGainsAStep) {
  List({1, 2});
  desk.slow.insert(2);
  for (int i = 0; i < 3; ++i) {
    s.PendingDX = 10;
    Tick();
  }
  desk.Wake(2, 1);  // takes one of three, then the next tick reads it
  s.PendingDX = 10;
  Tick();
  desk.Wake(2);
  EXPECT_EQ(desk.at[1], (Point{10 - 40, 100}));
  EXPECT_EQ(desk.at[2], (Point{20 - 40, 100}));
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(desk.at[2], (Point{20 - 50, 100}));
}

// A step and its way back while the window has taken neither: the way back is owed while the
// first move is on its way, and goes once the window has taken it, even with no step pending.
TEST_F(MoveTick, SlowWindowSentBackToWhereItStandsKeepsItsPlace) {
  List({1, 2});
  desk.slow.insert(2);
  s.PendingDX = 1;
  Tick();
  s.PendingDX = -1;
  Tick();
  EXPECT_EQ(desk.queued[2].size(), 1u);
  desk.Wake(2);
  Tick();
  desk.Wake(2);
  EXPECT_EQ(desk.at[2], (Point{20, 100}));
  s.PendingDX = 25;
  Tick();
  desk.Wake(2);
  EXPECT_EQ(desk.at[1], (Point{10 - 25, 100}));
  EXPECT_EQ(desk.at[2], (Point{20 - 25, 100}));
}

// A window hung for long (stopped in a debugger while the user scrolls on) never has more than one
// move queued; the rest is owed and sent as one move once it has taken it, so it ends exactly
// where the others' steps put it, whatever the count, also when no step follows.
TEST_F(MoveTick, HungWindowCatchesUpWhateverTheCount) {
  const struct {
    const char* what;
    int hungSteps;      // steps, alternately +2 and -1, while it takes nothing
    int wakingSteps;    // steps after it wakes, while it takes `perTick` moves per tick
    int perTick;
  } cases[] = {
      {"woken after 1200 steps, none after", 1200, 0, 0},
      {"woken slowly while steps go on", 2000, 60, 5},
      {"two steps", 2, 0, 0},
      {"woken one move at a time while steps go on", 50, 50, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    List({1, 2});
    desk.slow.insert(2);
    int64_t sum = 0;
    std::size_t mostQueued = 0;
    auto step = [&](int i) {
      s.PendingDX = i % 2 == 0 ? 2 : -1;
      sum += s.PendingDX;
      Tick();
      mostQueued = std::max(mostQueued, desk.queued[2].size());
    };
    int i = 0;
    for (; i < c.hungSteps; ++i) step(i);
    for (int k = 0; k < c.wakingSteps; ++k, ++i) {
      desk.Wake(2, c.perTick);
      step(i);
    }
    EXPECT_LE(mostQueued, 1u);
    desk.Wake(2);
    Tick();  // the move timer, with no step pending
    EXPECT_EQ(desk.at[1], (Point{static_cast<int32_t>(10 - sum), 100}));
    EXPECT_EQ(desk.at[2], (Point{static_cast<int32_t>(20 - sum), 100}));
    EXPECT_FALSE(ledger.Owes());
    EXPECT_EQ(Tick().windowsMoved, 0);  // nothing more to send
  }
}

// A scan that had not reached a window yet when a walk ran leaves it out of that walk: it misses
// that walk's step, but the moves already sent to it still count once it is listed again.
TEST_F(MoveTick, SlowWindowLeftOutOfOneListKeepsItsMoves) {
  List({1, 2});
  desk.slow.insert(2);
  for (int i = 0; i < 3; ++i) {
    s.PendingDX = 10;
    Tick();
  }
  lists.Clear();
  lists.Append(1, "text");
  s.PendingDX = 10;
  Tick();
  lists.Append(2, "text");
  desk.Wake(2, 2);
  s.PendingDX = 10;
  Tick();
  desk.Wake(2);
  EXPECT_EQ(desk.at[1], (Point{10 - 50, 100}));
  EXPECT_EQ(desk.at[2], (Point{20 - 40, 100}));

  // Kept aside for a while only.
  desk.slow.insert(2);
  s.PendingDX = 10;
  Tick();
  lists.Release(2);
  for (int i = 0; i <= scroller::MoveLedger::kAbsentWalksKept; ++i) {
    s.PendingDX = 1;
    Tick();
  }
  EXPECT_FALSE(ledger.OnItsWay(2));
}

// The desktop stays rigid while windows lag: many windows, some slow, each taking a varying
// share of its queued moves between ticks; the list rebuilt now and then while moves are held (as
// the refresh scan does), with scroll requests arriving meanwhile and during walks. At the end
// every window has moved by exactly the sum of the steps.
TEST_F(MoveTick, ManySlowWindowsEndMovedByTheSum) {
  constexpr int kWindows = 40;
  std::vector<WindowHandle> all;
  for (WindowHandle w = 1; w <= kWindows; ++w) {
    all.push_back(w);
    lists.Append(w, "text");
    desk.at[w] = {static_cast<int32_t>(w) * 10, static_cast<int32_t>(w) * 7};
    if (w % 3 == 0) desk.slow.insert(w);
  }
  const std::map<WindowHandle, Point> start = desk.at;
  std::vector<WindowHandle> excluded;
  scroller::PanelLife life{true};
  scroller::PanelContext ctx{s, lists, excluded, life};
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  int64_t sumX = 0, sumY = 0;
  auto request = [&](int32_t dx, int32_t dy) {
    sumX += dx;
    sumY += dy;
    const scroller::DispatchResult r = scroller::DispatchPanelMessage(
        msg::WM_SCROLL_BY, static_cast<uintptr_t>(static_cast<uint32_t>(dx)), static_cast<intptr_t>(dy), ctx);
    if (r.action == scroller::PanelAction::RunMoveTick) Tick();
  };
  int nestedLeft = 0;
  desk.onMove = [&](WindowHandle) {
    if (nestedLeft > 0 && next(10) == 0) {
      --nestedLeft;
      request(static_cast<int32_t>(next(7)) - 3, 1);
    }
  };
  for (int tick = 0; tick < 600; ++tick) {
    for (WindowHandle w : desk.slow) desk.Wake(w, static_cast<int>(next(4)));
    if (tick % 10 == 9) {
      scroller::MoveBatch scanning(s);
      lists.Clear();
      for (std::size_t k = 0; k < all.size(); ++k) {
        if (k == all.size() / 2) request(3, -1);  // waits for the rebuilt list
        lists.Append(all[k], "text");
      }
    }
    scroller::RunDeferredTick(s, o, room, lists, desk, ledger);
    nestedLeft = tick % 7 == 0 ? 2 : 0;
    request(3, tick % 5 == 0 ? -2 : 0);
  }
  desk.onMove = nullptr;
  for (WindowHandle w : all) desk.Wake(w);
  Tick();
  for (WindowHandle w : all) {
    const Point want{static_cast<int32_t>(start.at(w).x - sumX), static_cast<int32_t>(start.at(w).y - sumY)};
    EXPECT_EQ(desk.at[w], want) << "window " << w;
  }
}

TEST_F(MoveTick, WindowMovedBySomebodyElseStepsFromItsNewPlace) {
  List({1});
  desk.slow.insert(1);
  s.PendingDX = 10;
  Tick();
  desk.queued.clear();
  desk.slow.clear();
  desk.at[1] = {500, 500};  // the user dragged it meanwhile
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{490, 500}));
}

TEST_F(MoveTick, LedgerForgetsWindowsThatLeftTheList) {
  List({1, 2});
  desk.slow = {1, 2};
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(ledger.Tracked(), 2u);
  lists.Release(1);
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(ledger.Tracked(), 1u);
  EXPECT_TRUE(ledger.OnItsWay(2));
  EXPECT_TRUE(ledger.Owes(2));
}

TEST_F(MoveTick, ApplyPendingScrollMovesTheWholeStepOnly) {
  List({1});
  desk.facts.Limits.LimitX = 100;
  room = {0, 100, 0, 0};
  o.BorderScroll = true;
  s.CursorX = 0;  // in the band, which this path ignores
  s.StickyCount = 4;
  s.PageCooldown = 3;
  s.PendingDX = 300;
  s.PendingDY = 20;
  EXPECT_EQ(scroller::ApplyPendingScroll(s, o, room, lists, desk, ledger).windowsMoved, 1);
  EXPECT_EQ(desk.at[1], (Point{10 - 300, 80}));
  EXPECT_EQ(room, (ScrollRoom{0, 100, 0, 0}));
  EXPECT_EQ(s.PageCooldown, 3);
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(s.PendingDY, 0);

  o.DoXMove = 0;
  s.PendingDX = 50;
  EXPECT_EQ(scroller::ApplyPendingScroll(s, o, room, lists, desk, ledger).windowsMoved, 0);
  EXPECT_EQ(s.PendingDX, 50);
}

// What one sighting of a window tells the ledger while a move is on its way to it.
TEST(MoveLedger, OneMoveOnItsWayAndTheRestOwed) {
  constexpr Point kFrom{100, 50};
  constexpr Point kTo{90, 50};  // a step of 10
  const struct {
    const char* what;
    Point seen;
    int32_t moveX;
    std::optional<Point> sent;
    Point meantAfter;  // where the ledger then means it to stand, seen where it was seen
  } cases[] = {
      {"still where it was: the step is owed", kFrom, 5, std::nullopt, {85, 50}},
      {"still where it was, no step", kFrom, 0, std::nullopt, kTo},
      {"arrived: the step goes at once", kTo, 5, Point{85, 50}, {85, 50}},
      {"arrived, no step: nothing to send", kTo, 0, std::nullopt, kTo},
      {"moved by somebody else: steps on from there", {400, 300}, 5, Point{395, 300}, {395, 300}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    scroller::MoveLedger ledger;
    ASSERT_EQ(ledger.Advance(7, kFrom, 10, 0), kTo);
    EXPECT_EQ(ledger.Advance(7, c.seen, c.moveX, 0), c.sent);
    EXPECT_EQ(ledger.Meant(7, c.sent ? *c.sent : c.seen), c.meantAfter);
  }
  // Owed steps pile up while the window takes nothing and go as one move once it has arrived.
  scroller::MoveLedger ledger;
  ASSERT_EQ(ledger.Advance(7, kFrom, 10, 0), kTo);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(ledger.Advance(7, kFrom, i % 2 == 0 ? 3 : -1, 2), std::nullopt);
  EXPECT_TRUE(ledger.Owes(7));
  EXPECT_EQ(ledger.Meant(7, kFrom), (Point{90 - 100, 50 - 200}));
  EXPECT_EQ(ledger.Advance(7, kTo, 0, 0), (Point{90 - 100, 50 - 200}));
  EXPECT_FALSE(ledger.Owes(7));
}

// The step is cut so that no window leaves the window range: one cut for all, per axis, in the
// step's direction only.
TEST(CutToWindowRange, EveryWindowStaysInside) {
  constexpr int32_t kMin = core::kMinWindowPosition;
  constexpr int32_t kMax = core::kMaxWindowPosition;
  const struct {
    const char* what;
    std::vector<Point> places;
    Point move;
    Point cut;
  } cases[] = {
      {"far from the edges: whole", {{100, 100}, {200, 300}}, {5000, -7000}, {5000, -7000}},
      {"left edge: the leftmost decides", {{kMin + 30, 0}, {kMin + 10, 0}, {500, 0}}, {50, 0}, {10, 0}},
      {"right edge", {{kMax - 40, 0}, {0, 0}}, {-100, 0}, {-40, 0}},
      {"top edge", {{0, kMin + 5}, {0, 0}}, {0, 20000}, {0, 5}},
      {"bottom edge", {{0, kMax - 1}}, {0, -3}, {0, -1}},
      {"at the edge: nothing further out", {{kMin, kMax}}, {1, -1}, {0, 0}},
      {"at the edge: back in, as far as the range goes", {{kMin, kMax}}, {-70000, 70000}, {kMin - kMax, kMax - kMin}},
      {"already outside: nothing further out, back in", {{kMin - 100, 0}}, {10, 0}, {0, 0}},
      {"already outside, back in", {{kMin - 100, 0}}, {-10, 0}, {-10, 0}},
      {"one axis cut, the other whole", {{kMin + 1, 0}}, {1000, 1000}, {1, 1000}},
      {"no windows: whole", {}, {-2147483647, 2147483647}, {-2147483647, 2147483647}},
      {"the issue's three windows, +20000 twice", {{-19900, 0}, {-19850, 0}, {-19800, 0}}, {20000, 0},
       {-19900 - kMin, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(scroller::CutToWindowRange(c.places, c.move.x, c.move.y), c.cut);
  }
}

// Steps that would carry windows past the range stop all of them at it, and the room (when a
// fixed desktop size holds it) shifts by the step applied; the windows keep their distances.
TEST_F(MoveTick, AStepNeverCarriesAWindowPastTheRange) {
  const struct {
    const char* what;
    bool fixedRoom;
    bool yAxis;
    int32_t step;
  } cases[] = {
      {"left, free desktop", false, false, 20000},
      {"right, free desktop", false, false, -20000},
      {"up, fixed room", true, true, 20000},
      {"down, fixed room", true, true, -20000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    List({1, 2, 3});
    desk.at = {{1, {100, 100}}, {2, {150, 150}}, {3, {200, 200}}};
    if (c.fixedRoom) {
      desk.facts.Limits = {100000, 100000};
      room = {-100000, 100000, -100000, 100000};
    }
    int64_t applied = 0;
    for (int32_t step : {c.step, c.step, -c.step, -c.step, c.step, c.step, c.step}) {
      const Point before = desk.at[1];
      (c.yAxis ? s.PendingDY : s.PendingDX) = step;
      Tick();
      const int64_t moved = c.yAxis ? int64_t{before.y} - desk.at[1].y : int64_t{before.x} - desk.at[1].x;
      applied += moved;
      for (WindowHandle w : {1, 2, 3}) {
        const int32_t v = c.yAxis ? desk.at[w].y : desk.at[w].x;
        EXPECT_GE(v, core::kMinWindowPosition) << "window " << w;
        EXPECT_LE(v, core::kMaxWindowPosition) << "window " << w;
      }
      EXPECT_EQ(desk.at[2].x - desk.at[1].x, 50);
      EXPECT_EQ(desk.at[3].y - desk.at[1].y, 100);
      if (c.fixedRoom) EXPECT_EQ(room.ScrollMaxY, static_cast<int32_t>(100000 - applied));
    }
    EXPECT_NE(applied, 0);
  }
}

TEST_F(MoveTick, TargetsSaturateAtTheCoordinateRange) {
  EXPECT_EQ(scroller::MovedTopLeft({-2147483000, 2147483000}, 5000, -5000),
            (Point{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}));
  ScrollRoom r{std::numeric_limits<int32_t>::min(), 0, 0, std::numeric_limits<int32_t>::max()};
  scroller::ShiftRoom(r, 10, -10);
  EXPECT_EQ(r.ScrollMinX, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(r.ScrollMaxY, std::numeric_limits<int32_t>::max());
}

}  // namespace
