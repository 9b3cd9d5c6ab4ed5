#include "scroller/move_tick.h"

#include <gtest/gtest.h>

#include <deque>
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

// Windows at known places, each with a thread that takes what is sent to it in order: moves and
// questions. A window in `busy` holds them until Wake, as the thread of a busy application does;
// an answered question waits in `answers` until Deliver, as a posted message waits for the
// program's message loop. What the application makes of a move is `application` (by default it
// takes it). `onMove` runs inside a move, where nested messages arrive.
struct FakeDesk : scroller::MoveEnvironment {
  struct Sent {
    std::optional<Point> move;
    navigator::Ticket ticket = 0;  // a question when there is no move
  };
  MoveTickFacts facts{kScreen, false, false, false, {}};
  std::map<WindowHandle, Point> at;
  std::set<WindowHandle> unreadable;
  std::set<WindowHandle> busy;
  std::set<WindowHandle> hung;  // IsHungAppWindow's answer
  std::set<WindowHandle> gone;
  std::map<WindowHandle, std::deque<Sent>> queued;
  std::deque<std::pair<WindowHandle, navigator::Ticket>> answers;
  std::map<WindowHandle, std::function<Point(Point now, Point asked)>> application;
  std::vector<WindowHandle> order;  // the moves sent
  std::map<WindowHandle, int> questions;
  std::function<void(WindowHandle)> onMove;
  uint32_t now = 1000;

  int factsAsked = 0;
  MoveTickFacts Facts() override {
    ++factsAsked;
    return facts;
  }
  Rect VirtualScreen() override { return facts.VirtualScreen; }
  std::optional<Point> VisibleTopLeft(WindowHandle w) override {
    if (unreadable.count(w) || gone.count(w) || !at.count(w)) return std::nullopt;
    return at[w];
  }
  void MoveVisibleTo(WindowHandle w, Point p) override {
    order.push_back(w);
    queued[w].push_back({p, 0});
    Run(w);
    if (onMove) onMove(w);
  }
  bool Ask(WindowHandle w, navigator::Ticket t) override {
    if (gone.count(w)) return false;
    ++questions[w];
    queued[w].push_back({std::nullopt, t});
    Run(w);
    return true;
  }
  bool Hung(WindowHandle w) override { return hung.count(w) != 0; }
  uint32_t NowMs() override { return now; }

  // The window's thread takes what it has been sent, `n` items at most (all when n < 0).
  void Run(WindowHandle w, int n = -1) {
    if (busy.count(w) && n < 0) return;
    auto& q = queued[w];
    for (int taken = 0; !q.empty() && (n < 0 || taken < n); ++taken) {
      const Sent item = q.front();
      q.pop_front();
      if (item.move) {
        const auto app = application.find(w);
        at[w] = app == application.end() ? *item.move : app->second(at[w], *item.move);
      } else {
        answers.push_back({w, item.ticket});
      }
    }
  }
  void Wake(WindowHandle w, int n = -1) {
    if (n < 0) busy.erase(w);
    Run(w, n);
  }
  std::size_t MovesQueued(WindowHandle w) {
    std::size_t n = 0;
    for (const Sent& item : queued[w]) n += item.move ? 1 : 0;
    return n;
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
  // The answers that have come back, handed to the engine as its message loop does, until none
  // is left: the moves they release and what follows them.
  scroller::MoveOutcome Deliver() {
    scroller::MoveOutcome out;
    while (!desk.answers.empty()) {
      const auto [w, t] = desk.answers.front();
      desk.answers.pop_front();
      const scroller::MoveOutcome more = scroller::AnswerArrived(s, o, room, lists, desk, ledger, w, t);
      out.windowsMoved += more.windowsMoved;
      out.ticks += more.ticks;
    }
    return out;
  }
  // One timer tick, and the answers that come back before the next.
  scroller::MoveOutcome Tick() {
    scroller::MoveOutcome out = scroller::RunMoveTick(s, o, room, lists, desk, ledger);
    const scroller::MoveOutcome after = Deliver();
    out.windowsMoved += after.windowsMoved;
    out.ticks += after.ticks;
    return out;
  }
  scroller::MoveTickPlan Plan() { return scroller::PlanMoveTick(s, o, desk.facts, room); }
};

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

// A WM_SCROLL_BY sent while windows are being moved is not applied half-way: the running moves
// finish with their own step, then the request runs as a whole tick of its own.
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
  Tick();
  // At the first request window 1 had not moved yet and 2 and 3 had moved by 100 only.
  EXPECT_EQ(seenAtRequest,
            (std::vector<Point>{{10, 100}, {20 - 100, 100}, {30 - 100, 100}}));
  EXPECT_EQ(nested, 2);
  // All three moved by the first step and by both nested requests, the same for each.
  EXPECT_EQ(desk.at[1], (Point{10 - 100 - 14, 106}));
  EXPECT_EQ(desk.at[2], (Point{20 - 100 - 14, 106}));
  EXPECT_EQ(desk.at[3], (Point{30 - 100 - 14, 106}));
  EXPECT_FALSE(s.TickDeferred);
  EXPECT_FALSE(s.MoveInProgress);
  EXPECT_EQ(s.PendingDX, 0);
}

// A sender that asks at every move never makes one answer's handling run away: each runs a few
// ticks at most, and once the requests stop, every one of them has moved the windows exactly.
TEST_F(MoveTick, EndlessNestedRequestsNeverRunAway) {
  List({1, 2});
  std::vector<WindowHandle> excluded;
  scroller::PanelLife life{true};
  scroller::PanelContext ctx{s, lists, excluded, life};
  int requests = 0;
  desk.onMove = [&](WindowHandle) {
    ++requests;
    scroller::DispatchPanelMessage(msg::WM_SCROLL_BY, 1, 0, ctx);
  };
  s.PendingDX = 1;
  scroller::RunMoveTick(s, o, room, lists, desk, ledger);
  for (int i = 0; i < 500 && !desk.answers.empty(); ++i) {
    const auto [w, t] = desk.answers.front();
    desk.answers.pop_front();
    EXPECT_LE(scroller::AnswerArrived(s, o, room, lists, desk, ledger, w, t).ticks, scroller::kMaxDeferredTicks + 1);
  }
  desk.onMove = nullptr;
  Deliver();
  while (s.PendingDX != 0) Tick();  // what waited for the timer
  EXPECT_EQ(desk.at[1].x, 10 - 1 - requests);
  EXPECT_EQ(desk.at[2].x, 20 - 1 - requests);
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
  scroller::RunDeferredTick(s, o, room, lists, desk, ledger);
  EXPECT_EQ(Deliver().windowsMoved, 1);
  EXPECT_EQ(desk.at[1], (Point{0, 100}));
}

// An answer that arrives while another batch of moves runs is sent by the deferred tick after it.
TEST_F(MoveTick, AnAnswerDuringABatchIsSentAfterIt) {
  List({1});
  s.PendingDX = 10;
  scroller::RunMoveTick(s, o, room, lists, desk, ledger);
  {
    scroller::MoveBatch arranging(s);
    EXPECT_EQ(Deliver().windowsMoved, 0);
  }
  EXPECT_EQ(scroller::RunDeferredTick(s, o, room, lists, desk, ledger).windowsMoved, 1);
  EXPECT_EQ(desk.at[1], (Point{0, 100}));
}

// A busy window is owed the steps while it takes nothing, is sent them as one move once it has
// answered, and never holds more than one of our moves and one question.
TEST_F(MoveTick, ABusyWindowTakesWhatItIsOwedInOneMoveOnceItAnswers) {
  List({1, 2});
  desk.busy.insert(2);
  for (int i = 0; i < 3; ++i) {
    s.PendingDX = 10;
    Tick();
  }
  EXPECT_EQ(desk.at[1], (Point{10 - 30, 100}));
  EXPECT_EQ(desk.at[2], (Point{20, 100}));
  EXPECT_EQ(desk.MovesQueued(2), 0u) << "a window that has not answered is sent no move";
  EXPECT_EQ(desk.questions[2], 1);
  desk.Wake(2);
  EXPECT_EQ(Deliver().windowsMoved, 1);
  EXPECT_EQ(desk.at[2], (Point{20 - 30, 100}));
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{10 - 40, 100}));
  EXPECT_EQ(desk.at[2], (Point{20 - 40, 100}));
}

// A window hung for long (stopped in a debugger while the user scrolls on) never has more than one
// move and one question queued; it ends exactly where the others' steps put it, whatever the count.
TEST_F(MoveTick, HungWindowCatchesUpWhateverTheCount) {
  const struct {
    const char* what;
    int hungSteps;      // steps, alternately +2 and -1, while it takes nothing
    int wakingSteps;    // steps after it wakes, while it takes `perTick` messages per tick
    int perTick;
  } cases[] = {
      {"woken after 1200 steps, none after", 1200, 0, 0},
      {"woken slowly while steps go on", 2000, 60, 1},
      {"two steps", 2, 0, 0},
      {"woken one message at a time while steps go on", 50, 50, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    List({1, 2});
    desk.busy.insert(2);
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
    EXPECT_LE(mostQueued, 2u) << "one move and one question";
    desk.Wake(2);
    Deliver();
    desk.Wake(2);
    Deliver();
    EXPECT_EQ(desk.at[1], (Point{static_cast<int32_t>(10 - sum), 100}));
    EXPECT_EQ(desk.at[2], (Point{static_cast<int32_t>(20 - sum), 100}));
    EXPECT_FALSE(ledger.Owes(2));
    EXPECT_EQ(Tick().windowsMoved, 0);  // nothing more to send
  }
}

// What an application makes of our moves, and where its windows end: each window follows every
// step it was listed for from where it and its application left it. A refused or altered move is
// the application's answer for that window and that step alone; its peers never notice.
TEST_F(MoveTick, ApplicationsThatRefuseHoldOrMoveTheirWindowsLoseNoStepOfTheOthers) {
  using App = std::function<Point(Point, Point)>;
  const auto takes = [](Point, Point asked) { return asked; };
  const struct {
    const char* what;
    std::function<void(FakeDesk&, int step)> before;  // runs before each of the six steps
    App app;
    Point end;  // of window 2, which starts at (20, 100); its peers end at (-590, 100) and (-570, 100)
  } cases[] = {
      {"takes every move", nullptr, takes, {20 - 600, 100}},
      {"refuses one move (SWP_NOMOVE once), then takes them again",
       nullptr,
       [refused = false](Point now, Point asked) mutable {
         if (refused) return asked;
         refused = true;
         return now;
       },
       {20 - 500, 100}},
      {"holds its window at x = 300", nullptr, [](Point now, Point) { return Point{300, now.y}; }, {300, 100}},
      {"moves it 10 further while busy, before taking our messages",
       [](FakeDesk& d, int step) {
         if (step == 0) d.busy.insert(2);
         if (step == 5) {
           d.at[2].x -= 10;
           d.Wake(2);
         }
       },
       takes,
       {20 - 10 - 600, 100}},
      {"moves it 10 further while not busy, between two steps",
       [](FakeDesk& d, int step) {
         if (step == 3) d.at[2].x -= 10;
       },
       takes,
       {20 - 10 - 600, 100}},
      {"busy through five steps, then takes them",
       [](FakeDesk& d, int step) {
         if (step == 0) d.busy.insert(2);
         if (step == 5) d.Wake(2);
       },
       takes,
       {20 - 600, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    List({1, 2, 3});
    desk.application[2] = c.app;
    for (int step = 0; step < 6; ++step) {
      if (c.before) c.before(desk, step);
      s.PendingDX = 100;
      Tick();
    }
    desk.Wake(2);
    Deliver();
    EXPECT_EQ(desk.at[1], (Point{10 - 600, 100}));
    EXPECT_EQ(desk.at[3], (Point{30 - 600, 100}));
    EXPECT_EQ(desk.at[2], c.end);
  }
}

// A window minimized (or hidden) with steps owed is not moved meanwhile, and misses the steps
// while it is not readable; shown again, it takes what it was owed and follows the others.
TEST_F(MoveTick, AWindowMinimizedWithStepsOwedTakesThemWhenRestored) {
  List({1, 2});
  desk.busy.insert(2);
  for (int i = 0; i < 3; ++i) {
    s.PendingDX = 100;
    Tick();
  }
  desk.unreadable.insert(2);  // it minimizes itself before taking our question
  desk.Wake(2);
  Deliver();
  EXPECT_EQ(desk.at[2], (Point{20, 100})) << "a minimized window is not moved";
  s.PendingDX = 100;
  Tick();  // missed: not readable
  desk.unreadable.erase(2);
  s.PendingDX = 100;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{10 - 500, 100}));
  EXPECT_EQ(desk.at[2], (Point{20 - 400, 100})) << "the three owed and the last; the one while minimized missed";
}

// An answer that never comes back while the window's thread runs is asked for again after a while;
// a hung thread is not, and its question waits.
TEST_F(MoveTick, AQuestionLeftUnansweredIsAskedAgainUnlessTheThreadIsHung) {
  List({1, 2});
  s.PendingDX = 10;
  scroller::RunMoveTick(s, o, room, lists, desk, ledger);
  desk.answers.clear();  // both answers lost
  desk.hung.insert(1);
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{10, 100}));
  EXPECT_EQ(desk.at[2], (Point{20, 100}));
  desk.now += navigator::kAnswerPatienceMs - 1;
  EXPECT_EQ(Tick().windowsMoved, 0) << "not yet";
  desk.now += 1;
  Tick();
  EXPECT_EQ(desk.at[2], (Point{20 - 20, 100}));
  EXPECT_EQ(desk.questions[1], 1) << "a hung thread is not asked again";
  EXPECT_EQ(desk.at[1], (Point{10, 100}));
  desk.hung.clear();
  desk.now += navigator::kAnswerPatienceMs;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{10 - 20, 100}));
  EXPECT_EQ(Tick().windowsMoved, 0);
}

// The navigator's drag and the scroll steps meet at one account: both arrive, however late the
// window's thread takes them.
TEST_F(MoveTick, ADragStepAndAScrollStepAtABusyWindowBothArrive) {
  for (const bool busy : {false, true}) {
    SCOPED_TRACE(busy ? "busy" : "responsive");
    Reset();
    List({1, 2});
    if (busy) desk.busy.insert(2);
    scroller::MoveWindowBy(2, desk.at[2], 135, 0, desk, ledger);
    Deliver();
    s.PendingDX = 100;
    Tick();
    scroller::MoveWindowBy(2, desk.at[2], 0, -7, desk, ledger);
    Deliver();
    desk.Wake(2);
    Deliver();
    EXPECT_EQ(desk.at[1], (Point{10 - 100, 100}));
    EXPECT_EQ(desk.at[2], (Point{20 + 135 - 100, 100 - 7}));
  }
}

// Arrangement and restores place windows themselves: what a window was owed goes, and a move
// sent before the placement never lands after it.
TEST_F(MoveTick, APlacementSupersedesWhatAWindowWasOwed) {
  List({1, 2});
  desk.busy.insert(2);
  s.PendingDX = 100;
  Tick();
  s.PendingDX = 100;
  Tick();
  desk.queued[2].push_back({Point{700, 40}, 0});  // the arrangement's own move, as posted
  const scroller::Placement placed[] = {{2, {700, 40}}};
  scroller::WindowsPlaced(placed, ledger);
  desk.Wake(2);
  Deliver();
  EXPECT_EQ(desk.at[2], (Point{700, 40}));
  s.PendingDX = 5;
  Tick();
  EXPECT_EQ(desk.at[2], (Point{695, 40}));
  EXPECT_EQ(desk.at[1], (Point{10 - 205, 100}));
}

// A scan that had not reached a window yet when a walk ran leaves it out of that walk: it misses
// that walk's step, but what it was owed still counts once it is listed again, and no window no
// longer listed is moved.
TEST_F(MoveTick, AWindowLeftOutOfOneListKeepsWhatItIsOwed) {
  List({1, 2});
  desk.busy.insert(2);
  for (int i = 0; i < 3; ++i) {
    s.PendingDX = 10;
    Tick();
  }
  lists.Clear();
  lists.Append(1, "text");
  desk.Wake(2);
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(desk.at[2], (Point{20, 100})) << "not listed: not moved";
  lists.Append(2, "text");
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{10 - 50, 100}));
  EXPECT_EQ(desk.at[2], (Point{20 - 40, 100}));

  // Kept aside for a while only.
  s.PendingDX = 10;
  desk.busy.insert(2);
  Tick();
  desk.Wake(2);
  lists.Release(2);
  for (int i = 0; i <= scroller::MoveLedger::kAbsentWalksKept; ++i) {
    s.PendingDX = 1;
    Tick();
  }
  EXPECT_EQ(ledger.Tracked(), 1u);
}

// The desktop stays rigid while windows lag: many windows, some busy, each taking a varying
// share of what was sent to it between ticks; the list rebuilt now and then while moves are held
// (as the refresh scan does), with scroll requests arriving meanwhile and during moves. At the
// end every window has moved by exactly the sum of the steps.
TEST_F(MoveTick, ManySlowWindowsEndMovedByTheSum) {
  constexpr int kWindows = 40;
  std::vector<WindowHandle> all;
  for (WindowHandle w = 1; w <= kWindows; ++w) {
    all.push_back(w);
    lists.Append(w, "text");
    desk.at[w] = {static_cast<int32_t>(w) * 10, static_cast<int32_t>(w) * 7};
    if (w % 3 == 0) desk.busy.insert(w);
  }
  const std::map<WindowHandle, Point> start = desk.at;
  const std::set<WindowHandle> slow = desk.busy;
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
    for (WindowHandle w : slow) desk.Wake(w, static_cast<int>(next(4)));
    if (tick % 10 == 9) {
      scroller::MoveBatch scanning(s);
      lists.Clear();
      for (std::size_t k = 0; k < all.size(); ++k) {
        if (k == all.size() / 2) request(3, -1);  // waits for the rebuilt list
        lists.Append(all[k], "text");
      }
    }
    scroller::RunDeferredTick(s, o, room, lists, desk, ledger);
    Deliver();
    nestedLeft = tick % 7 == 0 ? 2 : 0;
    request(3, tick % 5 == 0 ? -2 : 0);
  }
  desk.onMove = nullptr;
  for (int round = 0; round < 3; ++round) {
    for (WindowHandle w : all) desk.Wake(w);
    Deliver();
  }
  for (WindowHandle w : all) {
    const Point want{static_cast<int32_t>(start.at(w).x - sumX), static_cast<int32_t>(start.at(w).y - sumY)};
    EXPECT_EQ(desk.at[w], want) << "window " << w;
  }
}

TEST_F(MoveTick, WindowMovedBySomebodyElseStepsFromItsNewPlace) {
  List({1});
  desk.busy.insert(1);
  s.PendingDX = 10;
  Tick();
  desk.at[1] = {500, 500};  // the user dragged it meanwhile
  desk.Wake(1);
  Deliver();
  s.PendingDX = 10;
  Tick();
  EXPECT_EQ(desk.at[1], (Point{480, 500}));
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
  scroller::ApplyPendingScroll(s, o, room, lists, desk, ledger);
  EXPECT_EQ(Deliver().windowsMoved, 1);
  EXPECT_EQ(desk.at[1], (Point{10 - 300, 80}));
  EXPECT_EQ(room, (ScrollRoom{0, 100, 0, 0}));
  EXPECT_EQ(s.PageCooldown, 3);
  EXPECT_EQ(s.PendingDX, 0);
  EXPECT_EQ(s.PendingDY, 0);

  o.DoXMove = 0;
  s.PendingDX = 50;
  scroller::ApplyPendingScroll(s, o, room, lists, desk, ledger);
  EXPECT_EQ(Deliver().windowsMoved, 0);
  EXPECT_EQ(s.PendingDX, 50);
}

// The account of one window, event by event.
TEST(MoveLedger, OneQuestionOnItsWayAndEverythingOwedGoesAtTheAnswer) {
  constexpr Rect kScreen{0, 0, 1280, 1024};
  scroller::MoveLedger ledger;
  const std::optional<navigator::Ticket> first = ledger.Owe(7, {100, 50}, 10, 0, kScreen, 0);
  ASSERT_TRUE(first.has_value());
  for (int i = 0; i < 100; ++i) EXPECT_EQ(ledger.Owe(7, {100, 50}, i % 2 == 0 ? 3 : -1, 2, kScreen, 0), std::nullopt);
  EXPECT_EQ(ledger.MeantFor(7, {100, 50}), (navigator::MoveLedger::Meant{100 - 110, 50 - 200}));
  EXPECT_FALSE(ledger.HasDue());
  EXPECT_FALSE(ledger.Answered(7, *first + 1, 0).moveNow) << "a stale ticket counts for nothing";
  EXPECT_TRUE(ledger.Answered(7, *first, 0).moveNow);
  EXPECT_EQ(ledger.Due(), std::vector<WindowHandle>{7});
  // Seen where its application left it, 5 pixels off: everything owed goes on from there.
  EXPECT_EQ(ledger.Take(7, {95, 50}, kScreen), (Point{95 - 110, 50 - 200}));
  EXPECT_FALSE(ledger.Owes(7));
  EXPECT_FALSE(ledger.HasDue());
  EXPECT_EQ(ledger.MeantFor(7, {95, 50}), (navigator::MoveLedger::Meant{-15, -150})) << "the move on its way counts";
  const std::optional<navigator::Ticket> next = ledger.Owe(7, {95, 50}, 1, 0, kScreen, 0);
  ASSERT_TRUE(next.has_value()) << "the next step asks anew";
  EXPECT_EQ(ledger.MeantFor(7, {95, 50}), (navigator::MoveLedger::Meant{-16, -150}));
  EXPECT_TRUE(ledger.Answered(7, *next, 0).moveNow);
  EXPECT_EQ(ledger.MeantFor(7, {-15, -150}), (navigator::MoveLedger::Meant{-16, -150})) << "the answer confirms the move";
}

// A placement by another mover: what was owed goes; a question on its way when it was sent does
// not tell that the placement arrived, so it is asked once more.
TEST(MoveLedger, APlacementClearsWhatIsOwedAndIsAskedAfter) {
  constexpr Rect kScreen{0, 0, 1280, 1024};
  scroller::MoveLedger ledger;
  const navigator::Ticket asked = *ledger.Owe(7, {100, 50}, 10, 0, kScreen, 0);
  ledger.Placed(7, {600, 40});
  EXPECT_FALSE(ledger.Owes(7));
  const navigator::AnswerFollowUp follow = ledger.Answered(7, asked, 0);
  EXPECT_FALSE(follow.moveNow);
  ASSERT_TRUE(follow.askAgain.has_value());
  EXPECT_EQ(ledger.MeantFor(7, {100, 50}), (navigator::MoveLedger::Meant{600, 40}));
  EXPECT_EQ(ledger.Owe(7, {100, 50}, 5, 0, kScreen, 0), std::nullopt) << "the second question is on its way";
  EXPECT_TRUE(ledger.Answered(7, *follow.askAgain, 0).moveNow);
  EXPECT_EQ(ledger.Take(7, {600, 40}, kScreen), (Point{595, 40}));
  // A window placed with nothing on its way waits for the next step's question.
  ledger.Placed(8, {0, 0});
  EXPECT_FALSE(ledger.Asked(8));
  EXPECT_EQ(ledger.MeantFor(8, {300, 300}), (navigator::MoveLedger::Meant{0, 0}));
}

// The range stops a window at its edge and keeps what it could not take; a window its application
// put far outside the screen is parked on that axis, judged where it is first met and again
// wherever somebody else has since placed it.
TEST(MoveLedger, TheRangeHoldsBackWhatAWindowCannotTakeAndParkingIsJudgedWhereItWasPlaced) {
  constexpr Rect kScreen{0, 0, 1280, 1024};
  constexpr int32_t kMin = core::kMinWindowPosition;
  scroller::MoveLedger ledger;
  // A step, its answer and the moves it is due, each answered at once: where the last move went.
  auto stepAndTake = [&](WindowHandle w, Point seen, int64_t dx, int64_t dy) -> std::optional<Point> {
    std::optional<Point> last;
    const std::optional<navigator::Ticket> t = ledger.Owe(w, seen, dx, dy, kScreen, 0);
    if (!t) return last;
    if (ledger.Answered(w, *t, 0).moveNow) last = ledger.Take(w, seen, kScreen);
    return last;
  };
  EXPECT_EQ(ledger.ParkingOf(1, {-32500, 300}, kScreen), (navigator::Parking{true, false}));
  EXPECT_EQ(ledger.ParkingOf(1, {300, 40000 - 20000}, kScreen), (navigator::Parking{false, true}));
  EXPECT_EQ(ledger.ParkingOf(1, {-15000, -15000}, kScreen), (navigator::Parking{false, false}));

  EXPECT_EQ(stepAndTake(1, {-32500, 300}, 500, 0), (Point{kMin, 300}));
  EXPECT_EQ(ledger.ParkingOf(1, {kMin, 300}, kScreen), (navigator::Parking{true, false}));
  EXPECT_EQ(ledger.MeantFor(1, {kMin, 300}), (navigator::MoveLedger::Meant{-33000, 300}));
  EXPECT_EQ(stepAndTake(1, {kMin, 300}, 500, 0), std::nullopt) << "held at the edge";
  EXPECT_EQ(stepAndTake(1, {kMin, 300}, -1500, 0), (Point{-32000, 300})) << "back to its very place";
  EXPECT_FALSE(ledger.Owes(1));

  // Already beyond the range: carried no further out, nor pulled in.
  EXPECT_EQ(stepAndTake(2, {-32700, 0}, 100, 0), std::nullopt);
  EXPECT_EQ(stepAndTake(2, {-32700, 0}, -150, 0), (Point{-32650, 0}));

  // Placed by somebody else near the screen: no longer parked.
  EXPECT_EQ(stepAndTake(1, {400, 300}, 10, 0), (Point{390, 300}));
  EXPECT_EQ(ledger.ParkingOf(1, {390, 300}, kScreen), (navigator::Parking{}));
}

// The step is cut so that no window leaves the window range: one cut for all, per axis, in the
// step's direction only, by the windows not parked on that axis.
TEST(CutToWindowRange, EveryWindowStaysInside) {
  constexpr int32_t kMin = core::kMinWindowPosition;
  constexpr int32_t kMax = core::kMaxWindowPosition;
  using Reach = scroller::WindowReach;
  constexpr navigator::Parking kParkedX{true, false};
  const struct {
    const char* what;
    std::vector<Reach> windows;
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
      {"three windows, +20000 twice", {{-19900, 0}, {-19850, 0}, {-19800, 0}}, {20000, 0}, {-19900 - kMin, 0}},
      {"a parked window does not count on its axis", {{-32500, kMin + 5, kParkedX}, {100, 100}}, {500, 20}, {500, 5}},
      {"parked beyond the range", {{-40000, 0, kParkedX}, {100, 100}}, {500, 0}, {500, 0}},
      {"only parked windows: whole", {{-32700, 0, kParkedX}}, {500, 0}, {500, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(scroller::CutToWindowRange(c.windows, c.move.x, c.move.y), c.cut);
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

// One window far out does not hold the desktop: placed near the range's edge, beyond it, or held
// there by its application, it stops at the edge alone while the others scroll on, and comes back
// to its place when they scroll back.
TEST_F(MoveTick, AParkedWindowDoesNotHoldTheDesktop) {
  constexpr int32_t kMin = core::kMinWindowPosition;
  const struct {
    const char* what;
    Point parked;
    bool held;        // its application keeps it where it is
    Point atTheEdge;  // after three steps of +500
  } cases[] = {
      {"placed 12 pixels inside the range", {-32500, 300}, false, {kMin, 300}},
      {"placed beyond the range", {-32700, 300}, false, {-32700, 300}},
      {"held at -32000 by its application", {-32000, 300}, true, {-32000, 300}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    List({1, 2, 3});
    desk.at[3] = c.parked;
    if (c.held) desk.application[3] = [p = c.parked](Point, Point) { return p; };
    for (int i = 0; i < 3; ++i) {
      s.PendingDX = 500;
      Tick();
    }
    EXPECT_EQ(desk.at[1], (Point{10 - 1500, 100}));
    EXPECT_EQ(desk.at[2], (Point{20 - 1500, 100}));
    EXPECT_EQ(desk.at[3], c.atTheEdge);
    s.PendingDX = -1500;
    Tick();
    EXPECT_EQ(desk.at[1], (Point{10, 100}));
    EXPECT_EQ(desk.at[3], c.parked);
  }
}

TEST_F(MoveTick, TheRoomSaturatesAtTheIntegerRange) {
  ScrollRoom r{std::numeric_limits<int32_t>::min(), 0, 0, std::numeric_limits<int32_t>::max()};
  scroller::ShiftRoom(r, 10, -10);
  EXPECT_EQ(r.ScrollMinX, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(r.ScrollMaxY, std::numeric_limits<int32_t>::max());
}

}  // namespace
