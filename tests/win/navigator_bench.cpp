// navigator_bench.exe: the cost of one repaint of the navigator (the whole primary monitor)
// with 10, 50 and 200 windows of another process, drawn and as screen shots, and of one screen
// shot's copy (without the moment the window is given to paint first); and of one repaint over
// background pictures from 64 x 48 to 7680 x 4320. Printed; not a test.
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
#include "navigator/win32/background_bitmap.h"
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

// A navigator over the whole primary monitor, showing the first `count` test windows.
std::unique_ptr<navigator::TNavigator> OpenNavigator(navigator::DesktopModel& model, HWND panel, int count,
                                                     const e2e::TestWindows& windows, FakeHost*& h) {
  const core::ProgramEnd running;
  auto nav = std::make_unique<navigator::TNavigator>(model, panel, running);
  nav->Created();
  auto host = std::make_unique<FakeHost>();
  h = host.get();
  nav->SetHost(std::move(host));
  nav->Busy = false;
  navigator::AppWinStore& store = nav->Store();
  store.BeginWindowScan();
  for (int i = 0; i < count; ++i) {
    HWND w = windows.Window("w" + std::to_string(i));
    RECT r{};
    GetWindowRect(w, &r);
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(w, GCLP_HICON));
    store.UpdateWindowEntry(navigator::ToHandle(w), "Bench window " + std::to_string(i), "TvmIconWindow",
                            platform::ToRect(r), i == 0, false, reinterpret_cast<navigator::IconHandle>(icon));
  }
  return nav;
}

void ShowOverTheScreen(navigator::TNavigator& nav) {
  nav.Show();
  SetWindowPos(nav.Handle(), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Repaints `repaints` times after one repaint that warms up what the painting keeps (its time in
// `warmUp`).
std::vector<double> RepaintTimes(navigator::TNavigator& nav, int repaints, double* warmUp = nullptr) {
  const auto start = Clock::now();
  RedrawWindow(nav.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  GdiFlush();
  if (warmUp) *warmUp = Ms(Clock::now() - start);
  std::vector<double> times;
  for (int i = 0; i < repaints; ++i) {
    const auto t0 = Clock::now();
    RedrawWindow(nav.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
    times.push_back(Ms(Clock::now() - t0));
  }
  return times;
}

void Measure(HWND panel, int count, const e2e::TestWindows& windows) {
  FakeHost* h = nullptr;
  navigator::DesktopModel model;
  auto nav = OpenNavigator(model, panel, count, windows, h);
  std::vector<double> shots;
  for (navigator::tAppWin* e : nav->Store().EntriesSnapshot()) {
    const auto t0 = Clock::now();
    navigator::CopyShotFromScreen(nav->Store(), *e);
    shots.push_back(Ms(Clock::now() - t0));
  }
  ShowOverTheScreen(*nav);
  for (const bool glyphs : {false, true}) {
    h->glyphs = glyphs;
    const std::vector<double> times = RepaintTimes(*nav, kRepaints);
    std::printf("%3d windows, %-12s one repaint: median %.2f ms, max %.2f ms\n", count,
                glyphs ? "screen shots" : "drawn", Median(times), *std::max_element(times.begin(), times.end()));
  }
  std::printf("%3d windows, one screen shot's copy (300 x 220 at half size): median %.2f ms\n", count, Median(shots));
  nav->Hide();
  nav->Destroying();
}

// A picture of that size, made as a loaded JPEG is (a 32-bit top-down section), in bands of colour.
HBITMAP Picture(int width, int height) {
  navigator::RgbPicture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (size_t i = 0; i < p.rgb.size(); ++i) p.rgb[i] = static_cast<uint8_t>((i / 3 / 7) * 13 + i % 3 * 80);
  return navigator::BitmapOfPicture(p);
}

// One repaint with 10 drawn windows over the tiled background picture, for pictures from a
// small tile to one larger than any screen.
void MeasureBackgrounds(HWND panel, const e2e::TestWindows& windows) {
  FakeHost* h = nullptr;
  navigator::DesktopModel model;
  auto nav = OpenNavigator(model, panel, 10, windows, h);
  ShowOverTheScreen(*nav);
  std::vector<double> plain = RepaintTimes(*nav, kRepaints);
  std::printf(" 10 windows, drawn, no background picture:   one repaint: median %.2f ms, max %.2f ms\n",
              Median(plain), *std::max_element(plain.begin(), plain.end()));
  const struct {
    int width, height, repaints;
  } sizes[] = {{64, 48, kRepaints}, {1920, 1080, kRepaints}, {3840, 2160, kRepaints}, {7680, 4320, 10}};
  for (const auto& size : sizes) {
    HBITMAP picture = Picture(size.width, size.height);
    if (!picture) {
      std::printf("cannot make a %d x %d picture\n", size.width, size.height);
      continue;
    }
    if (nav->BackgroundBitmap.handle) DeleteObject(nav->BackgroundBitmap.handle);
    nav->BackgroundBitmap = {picture, size.width, size.height, nav->BackgroundBitmap.version + 1};  // as a load does
    nav->UseBackground = true;
    double first = 0;
    const std::vector<double> times = RepaintTimes(*nav, size.repaints, &first);
    std::printf(" 10 windows, drawn, background %4d x %4d: one repaint: median %.2f ms, max %.2f ms; the first "
                "after the load %.2f ms\n",
                size.width, size.height, Median(times), *std::max_element(times.begin(), times.end()), first);
  }
  nav->Hide();
  nav->Destroying();  // frees the last picture
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
    if (count == 10) MeasureBackgrounds(panel, windows);
    windows.End();
  }
  DestroyWindow(panel);
  return 0;
}
