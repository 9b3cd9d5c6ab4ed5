#pragma once
// A store of window entries over a fake desktop, and the fakes of the navigator's host and mouse
// seam, for the navigator's overview, mouse and shot tests.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "navigator/app_win_store.h"
#include "navigator/navigator_host.h"
#include "navigator/overview_mouse.h"

namespace navtest {

using navigator::WindowHandle;

struct QuietDesktop : navigator::Desktop {
  navigator::ScreenLayout screen{1, {0, 0, 1920, 1040}, {0, 0, 1920, 1080}};
  navigator::ScreenLayout Screen() override { return screen; }
  WindowHandle RootOwner(WindowHandle w) override { return w; }
  navigator::FrameMargins Margins(WindowHandle) override { return {}; }
  void SetOuterSize(WindowHandle, core::Size) override {}
  void ReleaseShot(navigator::ShotHandle) override {}
};

struct Win {
  WindowHandle wnd;
  core::Rect rect;
};

// A store whose scans meet the windows given, top of the Z order first.
struct Entries {
  QuietDesktop desktop;
  navigator::AppWinStore store{desktop};

  void Scan(const std::vector<Win>& wins) {
    store.BeginWindowScan();
    for (const Win& w : wins) store.UpdateWindowEntry(w.wnd, "c", "C", w.rect, false, false, 0);
  }
  navigator::tAppWin* Entry(WindowHandle w) const {
    for (navigator::tAppWin* e : store.EntriesSnapshot()) {
      if (e->Wnd == w) return e;
    }
    return nullptr;
  }
};

struct FakeHost : navigator::NavigatorHost {
  int32_t doX = 1, doY = 1;
  bool glyphs = false;
  std::optional<int32_t> dx, dy;
  int repaintSoon = 0;
  std::vector<std::string> moves;  // the window moves asked for, as words
  int64_t movedX = 0, movedY = 0;  // and their sum
  std::vector<navigator::Placement> placed;
  std::function<void(WindowHandle)> duringMove;  // runs inside a move, where nested messages arrive
  int32_t DoXMove() const override { return doX; }
  int32_t DoYMove() const override { return doY; }
  bool ShowGlyphs() const override { return glyphs; }
  void SetPendingDX(int32_t v) override { dx = v; }
  void SetPendingDY(int32_t v) override { dy = v; }
  void RepaintSoon() override { ++repaintSoon; }
  void MoveWindowBy(WindowHandle w, core::Point seen, int64_t x, int64_t y) override {
    moves.push_back("move " + std::to_string(w) + " seen at " + std::to_string(seen.x) + "," + std::to_string(seen.y) +
                    " by " + std::to_string(x) + "," + std::to_string(y));
    movedX += x;
    movedY += y;
    if (duringMove) duringMove(w);
  }
  void WindowsPlaced(std::span<const navigator::Placement> p) override { placed.assign(p.begin(), p.end()); }
};

// Records the platform calls as words; windows have the frames in `frames`.
struct FakeSeam : navigator::MouseSeam {
  core::Point cursor{500, 500};
  std::map<WindowHandle, core::Rect> frames;
  std::vector<WindowHandle> zoomed;
  std::vector<std::string> calls;
  std::function<void(WindowHandle)> duringCallOut;  // runs inside a call that waits on a window

  core::Point CursorPos() override { return cursor; }
  bool IsZoomed(WindowHandle w) override {
    for (WindowHandle z : zoomed) {
      if (z == w) return true;
    }
    return false;
  }
  void RestoreNoActivate(WindowHandle w) override {
    calls.push_back("restore " + std::to_string(w));
    if (duringCallOut) duringCallOut(w);
  }
  std::optional<core::Rect> VisibleRect(WindowHandle w) override {
    auto it = frames.find(w);
    if (it == frames.end()) return std::nullopt;
    return it->second;
  }
  void SetForeground(WindowHandle w) override { calls.push_back("activate " + std::to_string(w)); }
  void HideNavigator() override { calls.push_back("hide"); }
};

}  // namespace navtest
