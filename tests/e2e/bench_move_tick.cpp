// Benchmark, not a test: the move tick's cost against test windows of another process, and the
// idle CPU of the running program beside idle test windows. tools/bench-wine runs it and, since
// Wine reports no CPU times of other processes, reads the idle figure from Linux itself.
//   bench_move_tick.exe [move|idle|idle-class-icon|idle-navigator]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "scroller/move_tick.h"
#include "scroller/win32/move_environment.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "support/test_windows.h"
#include "support/window_lists.h"

namespace {

using Clock = std::chrono::steady_clock;

// The same walk with a plain, waiting SetWindowPos, for comparison.
class WaitingEnvironment final : public scroller::MoveEnvironment {
 public:
  explicit WaitingEnvironment(platform::ScreenMetricsCache& screen) : inner_{screen, nullptr, nullptr, nullptr} {}
  scroller::MoveTickFacts Facts() override { return inner_.Facts(); }
  std::optional<core::Point> VisibleTopLeft(scroller::WindowHandle w) override { return inner_.VisibleTopLeft(w); }
  void MoveVisibleTo(scroller::WindowHandle w, core::Point p) override {
    SetWindowPos(reinterpret_cast<HWND>(w), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  scroller::Win32MoveEnvironment inner_;
};

std::vector<e2e::WindowSpec> Specs(int count, bool classIcon = false) {
  std::vector<e2e::WindowSpec> specs;
  for (int i = 0; i < count; ++i) {
    e2e::WindowSpec s;
    s.id = "w" + std::to_string(i);
    s.title = "Bench " + std::to_string(i);
    s.x = 50 + (i * 13) % 900;
    s.y = 50 + (i * 7) % 700;
    if (classIcon) {
      s.className = "TvmIconWindow";
      s.flags = e2e::flag::kClassIcon;
    }
    specs.push_back(s);
  }
  return specs;
}

double MeasureTicks(scroller::MoveEnvironment& env, const scroller::ScrollLists& lists, int ticks) {
  scroller::EngineState s;
  scroller::EngineOptions o;
  o.Sticky = 0;
  navigator::ScrollRoom room;
  scroller::MoveLedger ledger;
  double total = 0;
  for (int i = 0; i < ticks; ++i) {
    s.PendingDX = (i % 2) ? 3 : -3;  // to and fro, so the windows stay on the screen
    const auto start = Clock::now();
    scroller::RunMoveTick(s, o, room, lists, env, ledger);
    total += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    Sleep(30);  // let the windows' thread take the moves, as between timer ticks
  }
  return total / ticks;
}

void MoveTickCosts() {
  std::printf("move tick (mean of 20 ticks)\n%8s %14s %14s %14s %14s\n", "windows", "async ms", "async ms/win",
              "waiting ms", "waiting ms/win");
  for (int count : {10, 50, 200}) {
    e2e::TestWindows windows;
    if (!windows.Start(Specs(count), GetCurrentProcessId(), std::chrono::seconds(60))) {
      std::printf("%8d cannot start the windows: %s\n", count, windows.Error().c_str());
      continue;
    }
    scroller::ScrollLists lists;
    for (int i = 0; i < count; ++i) lists.Append(reinterpret_cast<scroller::WindowHandle>(windows.Window("w" + std::to_string(i))), " ");
    platform::ScreenMetricsCache screen;
    scroller::Win32MoveEnvironment async(screen, nullptr, nullptr, nullptr);
    WaitingEnvironment waiting(screen);
    const double a = MeasureTicks(async, lists, 20);
    const double w = MeasureTicks(waiting, lists, 20);
    std::printf("%8d %14.2f %14.3f %14.2f %14.3f\n", count, a, a / count, w, w / count);
  }
}

bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

double Seconds(const FILETIME& f) {
  ULARGE_INTEGER u;
  u.LowPart = f.dwLowDateTime;
  u.HighPart = f.dwHighDateTime;
  return static_cast<double>(u.QuadPart) / 1e7;
}

double CpuSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  return Seconds(kernel) + Seconds(user);
}

// Windows whose class has no icon are asked for theirs by a message at every scan.
// With `navigatorOpen` the tray icon's click has opened the navigator over the screen, which
// repaints about once a second.
void IdleCpu(bool classIcon, bool navigatorOpen = false) {
  e2e::EndAllInstances();
  std::vector<std::string> excluded;
  if (const std::string tray = e2e::WineTrayClass(); !tray.empty()) excluded.push_back(tray);
  e2e::SettingsKey::Write(e2e::SettingsWith(excluded));
  e2e::TestWindows windows;
  if (!windows.Start(Specs(50, classIcon), GetCurrentProcessId(), std::chrono::seconds(60))) {
    std::printf("idle: cannot start the windows: %s\n", windows.Error().c_str());
    return;
  }
  e2e::Tavelmoor program;
  if (!program.Start() || !program.WaitForPanel()) {
    std::printf("idle: the program did not start\n");
    return;
  }
  Sleep(3000);  // settled in the notification area
  if (navigatorOpen) {
    e2e::PostTrayClick(e2e::FindApplicationWindow(program.Id()));
    Sleep(1000);
  }
  if (UnderWine()) {
    // The outside measures now; the program and the windows stay idle meanwhile.
    std::printf("idle: measuring for 10 s\n");
    std::fflush(stdout);
    Sleep(12000);
  } else {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, program.Id());
    const double before = CpuSeconds(process);
    const auto start = Clock::now();
    Sleep(10000);
    const double after = CpuSeconds(process);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("idle with 50 test windows: %.3f s CPU in %.1f s = %.2f %% of one core\n", after - before, wall,
                100.0 * (after - before) / wall);
    CloseHandle(process);
  }
  e2e::EndAllInstances();
  e2e::SettingsKey::Delete();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  if (what.empty() || what == "move") MoveTickCosts();
  if (what.empty() || what == "idle") IdleCpu(false);
  if (what == "idle-class-icon") IdleCpu(true);
  if (what == "idle-navigator") IdleCpu(false, true);
  return 0;
}
