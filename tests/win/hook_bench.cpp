// hook_bench.exe: what the hook library adds to a hooked application. A window of another
// (32-bit) process is resized 1000 times with SetWindowPos, each size different from the last,
// first without our hook, then subclassed by "Tavelmoor.dll", in the same run; a second window
// of that process that the hook never subclasses is measured alongside as a control of drift.
// The control panel double answers "no forced size", so every size change happens and asks it.
// Printed; not a test (nothing fails on time). Run it in the Wine test session:
//   TVM_WINE_SESSION=<session> TVM_WINE_MODE=default tools/wine-run <build>/tests/win/hook_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/private_messages.h"
#include "hooklib/win32/hook_api.h"
#include "support/test_windows.h"
#include "win_support/panel_double.h"
#include "win_support/process_helpers.h"

using Clock = std::chrono::steady_clock;

namespace {

constexpr int kResizes = 1000;
// The two windows take turns in rounds of 100 size changes, so that both meet the same drift of
// the machine (under Wine a call's cost varies a lot from one second to the next).
constexpr int kRounds = 10;
constexpr int kPerRound = kResizes / kRounds;

// Milliseconds for kPerRound size changes of the window.
double TimeResizes(HWND w) {
  const auto start = Clock::now();
  for (int i = 0; i < kPerRound; ++i) {
    SetWindowPos(w, nullptr, 0, 0, 400 + (i % 2) * 20 + (i % 7), 300 + (i % 3), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Sum(const std::vector<double>& v) {
  double s = 0;
  for (double x : v) s += x;
  return s;
}

// Per round, the measured window's time against the control window's of the same round.
std::vector<double> Ratios(const std::vector<double>& measured, const std::vector<double>& control) {
  std::vector<double> out;
  for (std::size_t i = 0; i < measured.size(); ++i) out.push_back(measured[i] / control[i]);
  return out;
}

}  // namespace

int main() {
  tvmtest::PanelDouble panel;
  e2e::TestWindows windows;
  if (!windows.Start({{.id = "hooked", .className = "TvmBenchWindow", .title = "hooked", .x = 40, .y = 40},
                      {.id = "plain", .className = "TvmBenchWindow", .title = "plain", .x = 300, .y = 300}})) {
    std::printf("cannot start the test windows: %s\n", windows.Error().c_str());
    return 1;
  }
  HWND hooked = windows.Window("hooked");
  HWND plain = windows.Window("plain");

  std::vector<double> before, beforeControl, after, afterControl;
  for (int r = 0; r < kRounds; ++r) {
    before.push_back(TimeResizes(hooked));
    beforeControl.push_back(TimeResizes(plain));
  }

  HMODULE library = LoadLibraryExA(tvmtest::BinFile(ident::HookLibraryFile).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  auto set = library ? reinterpret_cast<hooklib::SetHookCBTProc>(
                           reinterpret_cast<void*>(GetProcAddress(library, hooklib::SetHookExport)))
                     : nullptr;
  if (!set || !set()) {
    std::printf("cannot set the hook of %s\n", ident::HookLibraryFile);
    return 1;
  }
  // Minimizing and restoring is an event of the window's thread: the hook subclasses it then.
  tvmtest::TouchAsAUser(hooked);
  const int askedBefore = panel.SizeQuestions();
  for (int r = 0; r < kRounds; ++r) {
    after.push_back(TimeResizes(hooked));
    afterControl.push_back(TimeResizes(plain));
  }
  const int asked = panel.SizeQuestions() - askedBefore;

  const double b = Sum(before), a = Sum(after), bc = Sum(beforeControl), ac = Sum(afterControl);
  const double rb = Median(Ratios(before, beforeControl)), ra = Median(Ratios(after, afterControl));
  std::printf("%d SetWindowPos size changes of a window of another process (%d rounds of %d, taking turns with a\n"
              "control window of the same process that is never subclassed):\n", kResizes, kRounds, kPerRound);
  std::printf("  without our hook:       %8.1f ms (%.1f us each); control window %.1f ms\n", b, 1000 * b / kResizes, bc);
  std::printf("  subclassed by our hook: %8.1f ms (%.1f us each); control window %.1f ms; the control panel asked %d times\n",
              a, 1000 * a / kResizes, ac, asked);
  std::printf("  extra cost of the subclass, against the control window round by round (median): %+.1f %%\n",
              100 * (ra / rb - 1));
  return 0;
}
