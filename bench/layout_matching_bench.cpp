// Matching a saved layout of 200 records onto 200 windows: both placement passes and the
// scoring, as a restore runs them (the registry reading and the moves are not in it). Three
// desktops: captions unchanged (every record placed by its exact caption), every caption changed
// a little in 20 classes of 10 windows, and the worst case, every caption changed in one class
// (each record of the second pass scores every window still unplaced).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "scroller/layout_restore.h"

namespace {

struct Desk {
  std::vector<std::unique_ptr<navigator::tAppWin>> owned;
  std::vector<navigator::tAppWin*> entries;
  scroller::StoredLayout stored;
};

// `classes` classes; captions as the application might title its windows.
Desk MakeDesk(int n, int classes, bool captionsChanged) {
  Desk d;
  d.stored.present = true;
  d.stored.recordsComplete = true;
  for (int i = 0; i < n; ++i) {
    const std::string cls = "ApplicationClass" + std::to_string(i % classes);
    const std::string caption = "Quarterly report " + std::to_string(1000 + i * 7) + ".docx - Document Editor";
    d.stored.records.push_back({caption, cls, (i % 20) * 150, (i / 20) * 120, 800, 600});
    auto e = std::make_unique<navigator::tAppWin>();
    e->Wnd = static_cast<navigator::WindowHandle>(0x10000 + 4 * i);
    e->WinClass = cls;
    // The windows were met in another order than saved.
    e->Caption = captionsChanged ? "*" + caption : caption;
    d.entries.push_back(e.get());
    d.owned.push_back(std::move(e));
  }
  std::reverse(d.entries.begin(), d.entries.end());
  return d;
}

void Run(benchmark::State& state, int classes, bool changed) {
  Desk d = MakeDesk(static_cast<int>(state.range(0)), classes, changed);
  const scroller::RestoreFacts facts{.room = {}, .limits = {}, .area = {0, 0, 1920, 1040}};
  std::vector<navigator::tAppWin*> candidates;
  for (auto _ : state) {
    scroller::RestorePlan plan = scroller::PlanLayoutRestore(d.entries, candidates, d.stored, facts);
    benchmark::DoNotOptimize(plan.moves.data());
  }
}

void BM_LayoutMatchExactCaptions(benchmark::State& state) { Run(state, 20, false); }
void BM_LayoutMatchChangedCaptions20Classes(benchmark::State& state) { Run(state, 20, true); }
void BM_LayoutMatchChangedCaptionsOneClass(benchmark::State& state) { Run(state, 1, true); }

}  // namespace

BENCHMARK(BM_LayoutMatchExactCaptions)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchChangedCaptions20Classes)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchChangedCaptionsOneClass)->Arg(200)->Unit(benchmark::kMillisecond);
