// navigator_bench.exe: the cost of one repaint of the navigator (the whole primary monitor)
// with 10, 50 and 200 windows of another process, drawn and as screen shots, and of one screen
// shot's copy (without the moment the window is given to paint first). Printed; not a test.
// Run it in the Wine test session:
//   TVM_WINE_SESSION=<session> TVM_WINE_MODE=default tools/wine-run <build>/tests/win/navigator_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "navigator/navigator_host.h"
#include "navigator/win32/navigator_form.h"
#include "navigator/win32/window_shots.h"
#include "platform/handles.h"
#include "support/test_windows.h"
#include "unit/navigator_fixture.h"

using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRepaints = 40;

using navtest::FakeHost;

std::vector<e2e::WindowSpec> Specs(int count) {
  std::vector<e2e::WindowSpec> specs;
  for (int i = 0; i < count; ++i) {
    e2e::WindowSpec s;
    s.id = "w" + std::to_string(i);
    s.className = "TvmIconWindow";
    s.flags = e2e::flag::kClassIcon;
    s.title = "Bench window " + std::to_string(i);
    s.x = 20 + (i % 20) * 50;
    s.y = 20 + (i / 20) * 60;
    s.width = 300;
    s.height = 220;
    s.color = 0x102030 * (i % 7 + 1) & 0xFFFFFF;
    specs.push_back(s);
  }
  return specs;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Measure(HWND panel, int count, const e2e::TestWindows& windows) {
  auto nav = std::make_unique<navigator::TNavigator>(panel);
  nav->Created();
  auto host = std::make_unique<FakeHost>();
  FakeHost* h = host.get();
  nav->SetHost(std::move(host));
  nav->Busy = false;
  navigator::AppWinStore& store = *nav->Store();
  store.BeginWindowScan();
  for (int i = 0; i < count; ++i) {
    HWND w = windows.Window("w" + std::to_string(i));
    RECT r{};
    GetWindowRect(w, &r);
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(w, GCLP_HICON));
    store.UpdateWindowEntry(navigator::ToHandle(w), "Bench window " + std::to_string(i), "TvmIconWindow",
                            platform::ToRect(r), i == 0, false, reinterpret_cast<navigator::IconHandle>(icon));
  }
  std::vector<double> shots;
  for (navigator::tAppWin* e : store.EntriesSnapshot()) {
    const auto t0 = Clock::now();
    navigator::CopyShotFromScreen(*e);
    shots.push_back(Ms(Clock::now() - t0));
  }
  nav->Show();
  SetWindowPos(nav->Handle(), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOZORDER | SWP_NOACTIVATE);
  for (const bool glyphs : {false, true}) {
    h->glyphs = glyphs;
    RedrawWindow(nav->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::vector<double> times;
    for (int i = 0; i < kRepaints; ++i) {
      const auto t0 = Clock::now();
      RedrawWindow(nav->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      GdiFlush();
      times.push_back(Ms(Clock::now() - t0));
    }
    std::printf("%3d windows, %-12s one repaint: median %.2f ms, max %.2f ms\n", count,
                glyphs ? "screen shots" : "drawn", Median(times), *std::max_element(times.begin(), times.end()));
  }
  std::printf("%3d windows, one screen shot's copy (300 x 220 at half size): median %.2f ms\n", count, Median(shots));
  nav->Hide();
  nav->Destroying();
}

}  // namespace

int main() {
  HWND panel = CreateWindowExA(0, "STATIC", "bench panel", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  std::printf("navigator %d x %d, %d repaints each\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
              kRepaints);
  for (int count : {10, 50, 200}) {
    e2e::TestWindows windows;
    if (!windows.Start(Specs(count), GetCurrentProcessId(), std::chrono::seconds(60))) {
      std::printf("cannot start %d test windows: %s\n", count, windows.Error().c_str());
      return 1;
    }
    Sleep(300);
    Measure(panel, count, windows);
    windows.End();
  }
  DestroyWindow(panel);
  return 0;
}
