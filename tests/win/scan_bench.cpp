// scan_bench.exe: the cost of one window scan with 10, 50 and 200 windows of another process,
// without and with the scan cache, and for 50 windows the platform calls one scan makes, by
// kind: how many per window and what each costs. Printed; not a test (nothing fails on time).
// Run it in the Wine test session:
//   TVM_WINE_SESSION=<session> TVM_WINE_MODE=default tools/wine-run <build>/tests/win/scan_bench.exe
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "navigator/win32/desktop_model.h"
#include "platform/optional_apis.h"
#include "scroller/scan_cache.h"
#include "scroller/win32/window_scan.h"
#include "support/test_windows.h"

using Clock = std::chrono::steady_clock;

namespace {

// The scans run at the refresh tick's pace, so that kept icons age as they do in the program.
constexpr auto kTickSpacing = std::chrono::milliseconds(100);
constexpr int kRounds = 20;

// --- Counting the platform calls: the program's code is linked into this executable, so its
// calls into user32 go through this executable's import table, where counting stand-ins are put.

struct CallKind {
  const char* name;
  void* real = nullptr;
  long long calls = 0;
  long long ticks = 0;  // performance-counter ticks inside the call
};

std::vector<CallKind> Kinds;  // filled before any stand-in runs, never resized after
bool Counting = false;

class CallTimer {
 public:
  explicit CallTimer(CallKind& kind) : kind_(kind) {
    if (Counting) QueryPerformanceCounter(&start_);
  }
  ~CallTimer() {
    if (!Counting) return;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&end);
    ++kind_.calls;
    kind_.ticks += end.QuadPart - start_.QuadPart;
  }

 private:
  CallKind& kind_;
  LARGE_INTEGER start_{};
};

template <std::size_t I, typename R, typename... A>
R WINAPI Counted(A... args) {
  CallKind& kind = Kinds[I];
  CallTimer timer(kind);
  return reinterpret_cast<R(WINAPI*)(A...)>(kind.real)(args...);
}

template <std::size_t I, typename R, typename... A>
void* StandIn(R(WINAPI*)(A...)) {
  return reinterpret_cast<void*>(&Counted<I, R, A...>);
}

struct Wanted {
  const char* name;
  void* standIn;
};

#ifdef _WIN64
#define TVM_CLASS_LONG GetClassLongPtrA
#else
#define TVM_CLASS_LONG GetClassLongA
#endif
#define TVM_NAME(fn) #fn
#define TVM_WANT(i, fn) Wanted{TVM_NAME(fn), StandIn<i>(&::fn)}

// Every user32 call the scan (and the navigator's entry update) can make.
std::vector<Wanted> WantedCalls() {
  return {TVM_WANT(0, EnumWindows),         TVM_WANT(1, GetWindowLongA),       TVM_WANT(2, GetClientRect),
          TVM_WANT(3, MapWindowPoints),     TVM_WANT(4, GetClassNameA),        TVM_WANT(5, GetClassWord),
          TVM_WANT(6, GetWindowTextA),      TVM_WANT(7, GetWindowRect),        TVM_WANT(8, GetWindowThreadProcessId),
          TVM_WANT(9, TVM_CLASS_LONG),      TVM_WANT(10, SendMessageTimeoutA), TVM_WANT(11, GetWindow),
          TVM_WANT(12, GetAncestor),        TVM_WANT(13, GetSystemMetrics),    TVM_WANT(14, IsWindow),
          TVM_WANT(15, IsWindowVisible),    TVM_WANT(16, SetWindowPos),        TVM_WANT(17, GetWindowLongW)};
}
constexpr std::size_t kDwmKind = 18;

HRESULT WINAPI CountedDwm(HWND w, DWORD a, PVOID v, DWORD n) {
  CallTimer timer(Kinds[kDwmKind]);
  return reinterpret_cast<platform::OptionalApis::DwmGetWindowAttributeFn>(Kinds[kDwmKind].real)(w, a, v, n);
}

// Puts the stand-ins into this executable's imports from user32; the number put in.
int InstallCounting() {
  const std::vector<Wanted> wanted = WantedCalls();
  for (const Wanted& w : wanted) Kinds.push_back({w.name});
  Kinds.push_back({"DwmGetWindowAttribute"});
  if (platform::Apis.DwmGetWindowAttribute) {
    Kinds[kDwmKind].real = reinterpret_cast<void*>(platform::Apis.DwmGetWindowAttribute);
    platform::Apis.DwmGetWindowAttribute = &CountedDwm;
  }

  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  int installed = 0;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "user32.dll") != 0) continue;
    auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const char* name = reinterpret_cast<const char*>(
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
      for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (std::strcmp(name, wanted[i].name) != 0) continue;
        DWORD old = 0;
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
        Kinds[i].real = reinterpret_cast<void*>(slots->u1.Function);
        slots->u1.Function = reinterpret_cast<ULONG_PTR>(wanted[i].standIn);
        VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
        ++installed;
      }
    }
  }
  return installed;
}

void ResetCounts() {
  for (CallKind& k : Kinds) k.calls = k.ticks = 0;
}

// EnumWindows is timed with the whole scan inside it; its own share is what the other calls
// leave of it (the entry updates and the decisions in between included).
void PrintProfile(int windows, int scans) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double perTickUs = 1e6 / static_cast<double>(frequency.QuadPart);
  std::printf("    %-26s %16s %14s %12s\n", "call", "per test window", "mean per call", "per scan");
  long long totalCalls = 0, nestedTicks = 0;
  for (std::size_t i = 1; i < Kinds.size(); ++i) {
    totalCalls += Kinds[i].calls;
    nestedTicks += Kinds[i].ticks;
  }
  auto row = [&](const char* name, long long calls, long long ticks) {
    const double us = static_cast<double>(ticks) * perTickUs;
    std::printf("    %-26s %16.2f %11.1f us %9.2f ms\n", name, static_cast<double>(calls) / windows / scans,
                calls > 0 ? us / static_cast<double>(calls) : 0.0, us / scans / 1000);
  };
  for (std::size_t i = 1; i < Kinds.size(); ++i) {
    if (Kinds[i].calls > 0) row(Kinds[i].name, Kinds[i].calls, Kinds[i].ticks);
  }
  row("calls above", totalCalls, nestedTicks);
  row("EnumWindows and the rest", Kinds[0].calls, Kinds[0].ticks - nestedTicks);
}

// --- The scans.

std::vector<e2e::WindowSpec> Specs(int count, bool classIcon) {
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
  return specs;
}

// Scans `kRounds` times a tick apart after a first scan that meets every window; prints the
// times and, when `profile`, the calls by kind.
void MeasureScans(HWND panel, int count, bool withCache, bool profile) {
  navigator::DesktopModel model;
  scroller::ScanCache cache;
  scroller::ScrollLists lists;
  std::vector<scroller::WindowHandle> excluded;
  scroller::ScanSetup setup;
  setup.controlPanel = panel;
  setup.shellWnd = GetShellWindow();
  setup.desktopWnd = GetDesktopWindow();
  setup.nonScrollingClasses = {"Shell_TrayWnd", "NotepadPlusPlus", "SomeTool"};
  setup.cache = withCache ? &cache : nullptr;
  setup.virtualScreen = model.Screen().Current().virtualScreen;
  scroller::RunWindowScan(setup, {lists, excluded}, &model.Entries());  // first meeting: new entries
  std::vector<double> ms;
  ResetCounts();
  for (int r = 0; r < kRounds; ++r) {
    Sleep(static_cast<DWORD>(kTickSpacing.count()));
    Counting = profile;
    const auto start = Clock::now();
    scroller::RunWindowScan(setup, {lists, excluded}, &model.Entries());
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    Counting = false;
  }
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double v : ms) sum += v;
  std::printf("  %3d test windows (%zu listed), %s: one scan mean %.2f ms, median %.2f ms, min %.2f ms, max %.2f ms\n",
              count, lists.Handles.size(), withCache ? "with the cache" : "full scan", sum / kRounds, ms[kRounds / 2],
              ms.front(), ms.back());
  if (profile) PrintProfile(count, kRounds);
}

}  // namespace

int main() {
  const int installed = InstallCounting();
  std::printf("scans %lld ms apart; calls counted at %d imports\n", static_cast<long long>(kTickSpacing.count()),
              installed);
  HWND panel = CreateWindowExA(0, "STATIC", "bench panel", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  // Windows whose class has no icon are asked for theirs with a message to their thread; most
  // applications' classes have one.
  for (const bool classIcon : {false, true}) {
    std::printf("%s\n", classIcon ? "windows whose class has an icon" : "windows whose class has no icon (asked by WM_GETICON)");
    for (int count : {10, 50, 200}) {
      e2e::TestWindows windows;
      if (!windows.Start(Specs(count, classIcon), GetCurrentProcessId(), std::chrono::seconds(60))) {
        std::printf("cannot start %d test windows: %s\n", count, windows.Error().c_str());
        return 1;
      }
      for (const bool withCache : {false, true}) MeasureScans(panel, count, withCache, count == 50);
      windows.End();
    }
  }
  DestroyWindow(panel);
  return 0;
}
