// scan_bench.exe: the cost of one window scan with 10, 50 and 200 windows of another process,
// printed; not a test (nothing fails on time). Run it in the Wine test session:
//   TVM_WINE_SESSION=<session> TVM_WINE_MODE=default tools/wine-run <build>/tests/win/scan_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "navigator/win32/navigator_form.h"
#include "scroller/win32/window_scan.h"
#include "support/test_windows.h"

using Clock = std::chrono::steady_clock;

// Prints what one scan costs with `count` test windows; false when they cannot be started.
bool MeasureScans(HWND panel, int count, bool classIcon) {
  std::vector<e2e::WindowSpec> specs;
  for (int i = 0; i < count; ++i) {
    e2e::WindowSpec s;
    s.id = "w" + std::to_string(i);
    s.className = classIcon ? "TvmIconWindow" : "TvmTestWindow";
    s.title = "Bench window " + std::to_string(i);
    s.x = 20 + (i % 40) * 25;
    s.y = 20 + (i / 40) * 60;
    if (classIcon) s.flags = e2e::flag::kClassIcon;
    specs.push_back(s);
  }
  e2e::TestWindows windows;
  if (!windows.Start(specs, GetCurrentProcessId(), std::chrono::seconds(60))) {
    std::printf("cannot start %d test windows: %s\n", count, windows.Error().c_str());
    return false;
  }
  auto nav = std::make_unique<navigator::TNavigator>(panel);
  nav->Created();
  scroller::ScrollLists lists;
  std::vector<scroller::WindowHandle> excluded;
  scroller::ScanSetup setup;
  setup.controlPanel = panel;
  setup.shellWnd = GetShellWindow();
  setup.desktopWnd = GetDesktopWindow();
  setup.nonScrollingClasses = {"Shell_TrayWnd", "NotepadPlusPlus", "SomeTool"};
  scroller::RunWindowScan(setup, {lists, excluded}, nav->Store());  // first meeting: new entries
  constexpr int kRounds = 50;
  std::vector<double> ms;
  for (int r = 0; r < kRounds; ++r) {
    const auto start = Clock::now();
    scroller::RunWindowScan(setup, {lists, excluded}, nav->Store());
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double v : ms) sum += v;
  std::printf("%3d test windows (%zu listed): one scan mean %.2f ms, median %.2f ms, min %.2f ms, max %.2f ms\n",
              count, lists.Handles.size(), sum / kRounds, ms[kRounds / 2], ms.front(), ms.back());
  nav->Destroying();
  windows.End();
  return true;
}

int main() {
  HWND panel = CreateWindowExA(0, "STATIC", "bench panel", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  // Windows whose class has no icon are asked for theirs with a message to their thread at every
  // scan; most applications' classes have one.
  for (const bool classIcon : {false, true}) {
    std::printf("%s\n", classIcon ? "windows whose class has an icon" : "windows whose class has no icon (asked by WM_GETICON)");
    for (int count : {10, 50, 200}) {
      if (!MeasureScans(panel, count, classIcon)) return 1;
    }
  }
  DestroyWindow(panel);
  return 0;
}
