// Benchmark, not a test: the move tick's cost against test windows of another process, and the
// idle CPU of the running program beside idle test windows. tools/bench-wine runs it and, since
// Wine reports no CPU times of other processes, reads the idle figure from Linux itself.
//   bench_move_tick.exe [move|idle|idle-class-icon|idle-navigator]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/private_messages.h"
#include "scroller/move_tick.h"
#include "scroller/win32/move_environment.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "support/test_windows.h"
#include "support/window_lists.h"

namespace {

using Clock = std::chrono::steady_clock;

// The bench's own window hears the windows' answers, as the control panel does.
std::vector<std::pair<scroller::WindowHandle, scroller::Ticket>>* g_answers = nullptr;

LRESULT CALLBACK AnswerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == msg::WM_MOVES_TAKEN && g_answers) {
    g_answers->emplace_back(static_cast<scroller::WindowHandle>(wParam), static_cast<scroller::Ticket>(lParam));
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeAnswerWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = AnswerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TvmBenchAnswers";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

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

struct StepCost {
  double tick = 0;     // the move tick itself: the walk, the cut and the questions
  double inPlace = 0;  // from its start until every window stands at its new place
};

bool AllAt(const scroller::ScrollLists& lists, const std::vector<LONG>& lefts) {
  for (std::size_t k = 0; k < lefts.size(); ++k) {
    RECT r{};
    GetWindowRect(reinterpret_cast<HWND>(lists.Handles[k]), &r);
    if (r.left != lefts[k]) return false;
  }
  return true;
}

StepCost MeasureSteps(scroller::MoveEnvironment& env, const scroller::ScrollLists& lists, int steps) {
  scroller::EngineState s;
  scroller::EngineOptions o;
  o.Sticky = 0;
  navigator::ScrollRoom room;
  scroller::MoveLedger ledger;
  std::vector<std::pair<scroller::WindowHandle, scroller::Ticket>> answers;
  g_answers = &answers;
  StepCost total;
  for (int i = 0; i < steps; ++i) {
    s.PendingDX = (i % 2) ? 3 : -3;  // to and fro, so the windows stay on the screen
    std::vector<LONG> lefts;
    for (scroller::WindowHandle w : lists.Handles) {
      RECT r{};
      GetWindowRect(reinterpret_cast<HWND>(w), &r);
      lefts.push_back(r.left - s.PendingDX);
    }
    const auto start = Clock::now();
    scroller::RunMoveTick(s, o, room, lists, env, ledger);
    total.tick += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const auto settled = [&] {
      for (scroller::WindowHandle w : lists.Handles) {
        if (ledger.Asked(w) || ledger.Owes(w)) return false;
      }
      return true;
    };
    // Reading 200 windows' places costs milliseconds here: they are looked at every 5 ms only.
    bool inPlace = false;
    auto nextLook = start;
    while ((!inPlace || !settled()) && Clock::now() - start < std::chrono::seconds(10)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      std::vector<std::pair<scroller::WindowHandle, scroller::Ticket>> now;
      now.swap(answers);
      for (const auto& [w, t] : now) scroller::AnswerArrived(s, o, room, lists, env, ledger, w, t);
      if (!inPlace && Clock::now() >= nextLook) {
        nextLook = Clock::now() + std::chrono::milliseconds(5);
        if (AllAt(lists, lefts)) {
          inPlace = true;
          total.inPlace += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
      }
    }
    Sleep(30);  // between timer ticks
  }
  g_answers = nullptr;
  return {total.tick / steps, total.inPlace / steps};
}

void MoveTickCosts() {
  std::printf("one scroll step (mean of 20)\n%8s %12s %14s %14s\n", "windows", "tick ms", "tick ms/win",
              "in place ms");
  scroller::SetMoveAnswerWindow(MakeAnswerWindow());
  for (int count : {10, 50, 200}) {
    e2e::TestWindows windows;
    if (!windows.Start(Specs(count), GetCurrentProcessId(), std::chrono::seconds(60))) {
      std::printf("%8d cannot start the windows: %s\n", count, windows.Error().c_str());
      continue;
    }
    scroller::ScrollLists lists;
    for (int i = 0; i < count; ++i) lists.Append(reinterpret_cast<scroller::WindowHandle>(windows.Window("w" + std::to_string(i))), " ");
    platform::ScreenMetricsCache screen;
    scroller::Win32MoveEnvironment env(screen, nullptr, nullptr, nullptr);
    const StepCost c = MeasureSteps(env, lists, 20);
    std::printf("%8d %12.2f %14.3f %14.2f\n", count, c.tick, c.tick / count, c.inPlace);
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
