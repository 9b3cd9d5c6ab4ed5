// One move tick over the scroll list: plan, clamp, ledger and the walk, with a desk that only
// records places, so the figure is the engine's own cost per tick.
#include <benchmark/benchmark.h>

#include <unordered_map>

#include "scroller/move_tick.h"

namespace {

struct StillDesk : scroller::MoveEnvironment {
  std::unordered_map<scroller::WindowHandle, core::Point> at;
  scroller::MoveTickFacts Facts() override {
    return {{0, 0, 1920, 1080}, false, false, false, {4000, 2000}};
  }
  std::optional<core::Point> VisibleTopLeft(scroller::WindowHandle w) override { return at[w]; }
  void MoveVisibleTo(scroller::WindowHandle w, core::Point p) override { at[w] = p; }
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
  for (auto _ : state) {
    s.PendingDX = step;
    s.PendingDY = -step;
    step = -step;  // back and forth, so the room never runs out
    benchmark::DoNotOptimize(scroller::RunMoveTick(s, o, room, lists, desk, ledger));
  }
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_MoveTick)->Arg(10)->Arg(50)->Arg(200);

}  // namespace
