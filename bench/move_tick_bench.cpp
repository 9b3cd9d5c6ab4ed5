// One scroll step over the scroll list: the move tick (plan, clamp, cut, ledger, the questions) and
// the answers that follow it (each window's move), with a desk that answers at once and only
// records places, so the figure is the engine's own cost per step.
#include <benchmark/benchmark.h>

#include <unordered_map>
#include <vector>

#include "scroller/move_tick.h"

namespace {

struct StillDesk : scroller::MoveEnvironment {
  std::unordered_map<scroller::WindowHandle, core::Point> at;
  std::vector<std::pair<scroller::WindowHandle, scroller::Ticket>> answers;
  scroller::MoveTickFacts Facts() override {
    return {{0, 0, 1920, 1080}, false, false, false, {4000, 2000}};
  }
  core::Rect VirtualScreen() override { return {0, 0, 1920, 1080}; }
  std::optional<core::Point> VisibleTopLeft(scroller::WindowHandle w) override { return at[w]; }
  void MoveVisibleTo(scroller::WindowHandle w, core::Point p) override { at[w] = p; }
  bool Ask(scroller::WindowHandle w, scroller::Ticket t) override {
    answers.emplace_back(w, t);
    return true;
  }
  bool Hung(scroller::WindowHandle) override { return false; }
  uint32_t NowMs() override { return 0; }
};

void BM_MoveTick(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  scroller::EngineState s;
  scroller::EngineOptions o;
  o.BorderScroll = true;
  navigator::ScrollRoom room{-1000000, 1000000, -1000000, 1000000};
  scroller::ScrollLists lists;
  StillDesk desk;
  scroller::MoveLedger ledger;
  for (int i = 0; i < n; ++i) {
    const auto w = static_cast<scroller::WindowHandle>(0x10000 + 4 * i);
    lists.Append(w, "ApplicationClass (Window caption)");
    desk.at[w] = {(i % 20) * 150 - 1000, (i / 20) * 120 - 300};
  }
  int32_t step = 7;
  std::vector<std::pair<scroller::WindowHandle, scroller::Ticket>> answers;
  for (auto _ : state) {
    s.PendingDX = step;
    s.PendingDY = -step;
    step = -step;  // back and forth, so the room never runs out
    benchmark::DoNotOptimize(scroller::RunMoveTick(s, o, room, lists, desk, ledger));
    // Each window's answer to its question, and its move.
    answers.swap(desk.answers);
    desk.answers.clear();
    for (const auto& [w, t] : answers) scroller::AnswerArrived(s, o, room, lists, desk, ledger, w, t);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_MoveTick)->Arg(10)->Arg(50)->Arg(200);

}  // namespace
