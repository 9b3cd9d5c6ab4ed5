// One full scan pass of the window entries: BeginWindowScan and one update per window, as the
// refresh tick runs it ten times a second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "navigator/app_win_store.h"

namespace {

struct StillDesktop : navigator::Desktop {
  navigator::ScreenLayout Screen() override { return {1, {0, 0, 1920, 1040}, {0, 0, 1920, 1080}}; }
  navigator::WindowHandle RootOwner(navigator::WindowHandle w) override { return w; }
  navigator::FrameMargins Margins(navigator::WindowHandle) override { return {}; }
  void SetOuterSize(navigator::WindowHandle, core::Size) override {}
  void ReleaseShot(navigator::ShotHandle) override {}
};

struct BenchWindow {
  navigator::WindowHandle wnd;
  std::string caption;
  std::string cls;
  core::Rect rect;
};

void BM_ScanPass(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  StillDesktop desktop;
  navigator::AppWinStore store(desktop);
  for (int i = 0; i < 20; ++i) {
    store.Remembered().Remember("RememberedClass" + std::to_string(i), core::packSize(800, 600));
  }
  std::vector<BenchWindow> wins;
  for (int i = 0; i < n; ++i) {
    const int32_t x = (i % 20) * 150 - 1000;
    const int32_t y = (i / 20) * 120 - 300;
    wins.push_back({static_cast<navigator::WindowHandle>(0x10000 + 4 * i),
                    "Window caption number " + std::to_string(i), "ApplicationClass" + std::to_string(i % 7),
                    {x, y, x + 800, y + 600}});
  }
  // Windows listed in reverse Z order each pass, so every search walks the old list.
  bool reverse = false;
  for (auto _ : state) {
    store.BeginWindowScan();
    for (int k = 0; k < n; ++k) {
      const BenchWindow& w = wins[reverse ? n - 1 - k : k];
      store.UpdateWindowEntry(w.wnd, w.caption, w.cls, w.rect, k == 0, false, 0);
    }
    reverse = !reverse;
    benchmark::DoNotOptimize(store.Changed());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_ScanPass)->Arg(10)->Arg(50)->Arg(200);

}  // namespace
