// layout_bench.exe: what a layout restore of 200 saved records onto 200 windows of another
// process costs under Wine (reading the registry, matching, making the moves, and until the
// windows stand there), and an arrangement of 50 windows. Printed; not a test.
//   TVM_WINE_SESSION=<session> TVM_WINE_MODE=default tools/wine-run <build>/tests/win/layout_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "navigator/app_win_store.h"
#include "navigator/arrangement.h"
#include "navigator/win32/win32_desktop.h"
#include "navigator/win32/window_geometry.h"
#include "navigator/win32/window_layout.h"
#include "scroller/layout_codec.h"
#include "scroller/layout_restore.h"
#include "scroller/win32/registry_settings_store.h"
#include "support/test_windows.h"

using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kBenchKey = "Software\\TavelmoorLayoutBench";
constexpr int kRounds = 5;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::vector<e2e::WindowSpec> Specs(int count) {
  std::vector<e2e::WindowSpec> specs;
  for (int i = 0; i < count; ++i) {
    e2e::WindowSpec s;
    s.id = "w" + std::to_string(i);
    s.className = "BenchClass" + std::to_string(i % 20);
    s.title = "Quarterly report " + std::to_string(1000 + 7 * i) + ".docx - Document Editor";
    s.x = 40 + (i % 20) * 30;
    s.y = 40 + (i / 20) * 20;
    s.width = 400;
    s.height = 300;
    specs.push_back(s);
  }
  return specs;
}

// One scan of the test windows into the entries.
void Scan(navigator::AppWinStore& store, const e2e::TestWindows& windows, int count) {
  store.BeginWindowScan();
  for (int i = 0; i < count; ++i) {
    HWND w = windows.Window("w" + std::to_string(i));
    char title[127] = {};
    char cls[127] = {};
    const core::Rect r = navigator::VisibleFrameOf(w).value_or(core::Rect{});
    GetWindowTextA(w, title, sizeof title);
    GetClassNameA(w, cls, sizeof cls);
    store.UpdateWindowEntry(platform::ToHandle(w), title, cls, r, false, false, 0);
  }
}

bool AllAt(const std::vector<navigator::PlannedPlacement>& moves) {
  for (const auto& m : moves) {
    RECT r{};
    GetWindowRect(platform::ToHwnd(m.window), &r);
    if (r.left != m.bounds.x || r.top != m.bounds.y) return false;
  }
  return true;
}

void Scatter(const e2e::TestWindows& windows, int count, int round) {
  for (int i = 0; i < count; ++i) {
    SetWindowPos(windows.Window("w" + std::to_string(i)), nullptr, 700 + (i * 37 + round * 11) % 900,
                 300 + (i * 13) % 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void MeasureRestore(const e2e::TestWindows& windows, int count, bool captionsChanged) {
  platform::ScreenMetricsCache screen;
  navigator::Win32Desktop desktop(screen);
  navigator::AppWinStore store(desktop);
  Scan(store, windows, count);
  {
    scroller::RegistrySettingsStore key(HKEY_CURRENT_USER, kBenchKey);
    scroller::SaveLayout(key, scroller::RecordsOf(store.EntriesSnapshot()), std::nullopt);
  }
  std::vector<double> read, match, post, land;
  for (int round = 0; round < kRounds; ++round) {
    Scatter(windows, count, round);
    Scan(store, windows, count);
    // A restart: no saved rectangles, and with changed captions no record finds its exact one.
    for (navigator::tAppWin* e : store.EntriesSnapshot()) {
      e->HasSavedRect = false;
      if (captionsChanged) e->Caption = "*" + e->Caption;
    }
    const auto t0 = Clock::now();
    scroller::StoredLayout stored;
    {
      scroller::RegistrySettingsStore key(HKEY_CURRENT_USER, kBenchKey);
      if (key.OpenForReading() == scroller::KeyOpening::Opened) stored = scroller::ReadLayout(key, false);
    }
    const auto t1 = Clock::now();
    const scroller::RestoreFacts facts{.room = store.Room(), .limits = store.Limits(),
                                       .area = navigator::ReferenceArea(desktop.Screen())};
    const scroller::RestorePlan plan =
        scroller::PlanLayoutRestore(store.EntriesSnapshot(), stored, facts);
    const auto t2 = Clock::now();
    navigator::ApplyPlacements(plan.moves);
    const auto t3 = Clock::now();
    while (!AllAt(plan.moves) && Clock::now() - t3 < std::chrono::seconds(10)) Sleep(1);
    const auto t4 = Clock::now();
    read.push_back(Ms(t1 - t0));
    match.push_back(Ms(t2 - t1));
    post.push_back(Ms(t3 - t2));
    land.push_back(Ms(t4 - t3));
    if (plan.moves.size() != static_cast<size_t>(count)) std::printf("  (only %zu moves)\n", plan.moves.size());
  }
  std::printf("restore of %d records onto %d windows, captions %s (median of %d):\n", count, count,
              captionsChanged ? "all changed" : "unchanged", kRounds);
  std::printf("  registry read %.1f ms, matching %.2f ms, moves posted %.1f ms; until every window stands there %.1f ms more\n",
              Median(read), Median(match), Median(post), Median(land));
}

void MeasureArrangement(const e2e::TestWindows& windows, int count) {
  platform::ScreenMetricsCache screen;
  navigator::Win32Desktop desktop(screen);
  navigator::AppWinStore store(desktop);
  std::vector<double> plan, post, land;
  for (int round = 0; round < kRounds; ++round) {
    Scatter(windows, count, round);
    Scan(store, windows, count);
    const auto t0 = Clock::now();
    const std::vector<navigator::tAppWin*> entries = store.EntriesSnapshot();
    const navigator::ArrangementPlan p = navigator::PlanArrangement({}, entries, nullptr);
    const auto t1 = Clock::now();
    navigator::ApplyArrangeMoves(p.moves);
    const auto t2 = Clock::now();
    auto placed = [&] {
      for (const auto& m : p.moves) {
        RECT r{};
        GetWindowRect(platform::ToHwnd(m.window), &r);
        if (r.left != m.visibleTopLeft.x || r.top != m.visibleTopLeft.y) return false;
      }
      return true;
    };
    while (!placed() && Clock::now() - t2 < std::chrono::seconds(10)) Sleep(1);
    const auto t3 = Clock::now();
    plan.push_back(Ms(t1 - t0));
    post.push_back(Ms(t2 - t1));
    land.push_back(Ms(t3 - t2));
  }
  std::printf("arrangement of %d windows (median of %d): plan %.3f ms, moves posted %.1f ms; until every window stands there %.1f ms more\n",
              count, kRounds, Median(plan), Median(post), Median(land));
}

}  // namespace

int main() {
  {
    e2e::TestWindows windows;
    if (!windows.Start(Specs(200), GetCurrentProcessId(), std::chrono::seconds(60))) {
      std::printf("cannot start the test windows: %s\n", windows.Error().c_str());
      return 1;
    }
    MeasureRestore(windows, 200, false);
    MeasureRestore(windows, 200, true);
    windows.End();
  }
  {
    e2e::TestWindows windows;
    if (!windows.Start(Specs(50), GetCurrentProcessId(), std::chrono::seconds(60))) {
      std::printf("cannot start the test windows: %s\n", windows.Error().c_str());
      return 1;
    }
    MeasureArrangement(windows, 50);
    windows.End();
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
  return 0;
}
