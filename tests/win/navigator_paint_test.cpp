// The navigator's painting against real GDI: a thousand repaints, drawn and as screen shots and
// over a tiled picture, leave the process's GDI objects as they were; a navigator of no width or
// height, an empty background picture and a busy navigator paint without looping; the picture
// shows the shots in their windows' colours; the shots themselves are half-size copies; pictures
// smaller and larger than the panel tile from its corner, and a replaced picture shows at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "navigator/navigator_host.h"
#include "navigator/overview_map.h"
#include "navigator/win32/background_bitmap.h"
#include "navigator/win32/navigator_form.h"
#include "navigator/win32/window_shots.h"
#include "platform/handles.h"
#include "platform/screen_metrics.h"
#include "unit/navigator_fixture.h"
#include "win_support/gdi_objects.h"

namespace {

using navigator::TNavigator;

using navtest::FakeHost;

using tvmtest::GdiObjects;

LRESULT CALLBACK ColourProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

class NavigatorPaint : public testing::Test {
 protected:
  void SetUp() override {
    const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 70, 200), RGB(200, 160, 30)};
    for (int i = 0; i < 4; ++i) {
      const std::string cls = "TvmPaintColour" + std::to_string(i);
      WNDCLASSA wc{};
      wc.lpfnWndProc = ColourProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hbrBackground = CreateSolidBrush(colours[i]);
      wc.lpszClassName = cls.c_str();
      RegisterClassA(&wc);
      brushes_.push_back(wc.hbrBackground);
      HWND w = CreateWindowExA(0, cls.c_str(), "paint", WS_POPUP | WS_VISIBLE, 40 + i * 220, 200, 180, 160, nullptr,
                               nullptr, nullptr, nullptr);
      windows_.push_back(w);
      colours_.push_back(colours[i]);
      UpdateWindow(w);
    }
    panel_ = CreateWindowExA(0, "STATIC", "paint panel", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    nav_ = std::make_unique<TNavigator>(model_, panel_, running_);
    nav_->Created();
    auto host = std::make_unique<FakeHost>();
    host_ = host.get();
    nav_->SetHost(std::move(host));
    nav_->Busy = false;
    Scan();
    Sleep(200);
    for (navigator::tAppWin* e : nav_->Store().EntriesSnapshot()) navigator::CopyShotFromScreen(nav_->Store(), *e);
  }
  void TearDown() override {
    nav_->Destroying();
    nav_.reset();
    for (HWND w : windows_) DestroyWindow(w);
    DestroyWindow(panel_);
    for (int i = 0; i < 4; ++i) UnregisterClassA(("TvmPaintColour" + std::to_string(i)).c_str(), GetModuleHandleA(nullptr));
    for (HBRUSH b : brushes_) DeleteObject(b);
  }
  void Scan() {
    navigator::AppWinStore& store = nav_->Store();
    store.BeginWindowScan();
    for (HWND w : windows_) {
      RECT r{};
      GetWindowRect(w, &r);
      store.UpdateWindowEntry(navigator::ToHandle(w), "Paint", "C", platform::ToRect(r), false, false, 0);
    }
  }
  void ShowAt(int w, int h) {
    nav_->Show();
    SetWindowPos(nav_->Handle(), nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void Repaint() { RedrawWindow(nav_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
  // No windows at all, in this scan or the one before: nothing is drawn over the background.
  void NoWindows() {
    nav_->Store().BeginWindowScan();
    nav_->Store().BeginWindowScan();
  }
  // Whether a panel point lies on the viewport's red rectangle, or next to it.
  bool NearViewport(POINT p, core::Size panel) {
    const core::Rect v =
        navigator::ViewportOf(nav_->Layout().extent, panel, model_.Screen().Current().virtualScreen).rect;
    const auto within1 = [](int a, int b) { return a >= b - 1 && a <= b + 1; };
    const bool acrossX = p.x >= v.left - 1 && p.x <= v.right + 1;
    const bool acrossY = p.y >= v.top - 1 && p.y <= v.bottom + 1;
    return (acrossX && (within1(p.y, v.top) || within1(p.y, v.bottom))) || (acrossY && (within1(p.x, v.left) || within1(p.x, v.right)));
  }
  bool PaintPending() {
    RECT r{};
    return GetUpdateRect(nav_->Handle(), &r, FALSE) != FALSE;
  }

  std::vector<HWND> windows_;
  std::vector<COLORREF> colours_;
  std::vector<HBRUSH> brushes_;
  HWND panel_ = nullptr;
  navigator::DesktopModel model_;
  const core::ProgramEnd running_;
  std::unique_ptr<TNavigator> nav_;
  FakeHost* host_ = nullptr;
};

TEST_F(NavigatorPaint, AThousandRepaintsLeaveTheGdiObjectsAsTheyWere) {
  // The counter itself counts.
  const int base = GdiObjects();
  std::vector<HBRUSH> probe;
  for (int i = 0; i < 20; ++i) probe.push_back(CreateSolidBrush(RGB(i, 0, 0)));
  ASSERT_EQ(GdiObjects(), base + 20) << "the GDI object count does not follow created objects";
  for (HBRUSH b : probe) DeleteObject(b);

  HBITMAP tile = CreateBitmap(3, 2, 1, 32, nullptr);
  nav_->BackgroundBitmap = {tile, 3, 2};
  ShowAt(640, 480);
  Repaint();
  for (bool glyphs : {false, true}) {
    host_->glyphs = glyphs;
    nav_->UseBackground = !glyphs;
    Repaint();  // the kept back buffer and font exist from here on
  }
  const int before = GdiObjects();
  for (int i = 0; i < 1000; ++i) {
    host_->glyphs = i % 2 == 1;  // ends as the warm-up ended: with the scaled shots kept
    nav_->UseBackground = i % 3 == 0;
    if (i % 100 == 0) Scan();  // the entries come and go too
    Repaint();
  }
  EXPECT_EQ(GdiObjects(), before);
  EXPECT_EQ(host_->repaintSoon, 0) << "no painting failed";
}

TEST_F(NavigatorPaint, ANavigatorOfNoSizeAnEmptyPictureOrABusyOneValidatesAndEndsItsPainting) {
  struct Case {
    const char* name;
    int width, height;
    bool busy;
    navigator::NavigatorBitmap background;
  } cases[] = {
      {"no width", 0, 300, false, {}},
      {"no height", 300, 0, false, {}},
      {"one pixel", 1, 1, false, {}},
      {"a picture of no size", 300, 200, false, {CreateBitmap(1, 1, 1, 32, nullptr), 0, 0}},
      {"busy", 300, 200, true, {}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    nav_->BackgroundBitmap = c.background;
    nav_->UseBackground = c.background.handle != nullptr;
    nav_->Busy = c.busy;
    ShowAt(c.width, c.height);
    InvalidateRect(nav_->Handle(), nullptr, FALSE);
    UpdateWindow(nav_->Handle());
    EXPECT_FALSE(PaintPending()) << "a painting left its area invalid would come back for ever";
    if (c.background.handle) {
      POINT origin{0, 0};
      ClientToScreen(nav_->Handle(), &origin);
      HDC screen = GetDC(nullptr);
      EXPECT_EQ(GetPixel(screen, origin.x + 1, origin.y + 1), GetSysColor(COLOR_BACKGROUND))
          << "an empty picture is not tiled: the desktop colour fills";
      ReleaseDC(nullptr, screen);
    }
  }
}

TEST_F(NavigatorPaint, ShotsAreHalfTheWindowAndShowInTheirColoursWhereTheMappingSays) {
  for (navigator::tAppWin* e : nav_->Store().EntriesSnapshot()) {
    ASSERT_TRUE(e->HasShot);
    EXPECT_EQ(e->ShotSize, (core::Size{90, 80}));
    BITMAP b{};
    ASSERT_TRUE(GetObjectA(reinterpret_cast<HBITMAP>(e->Shot), sizeof b, &b));
    EXPECT_EQ(b.bmWidth, 90);
  }
  host_->glyphs = true;
  ShowAt(640, 400);
  Repaint();
  const core::Rect vs = model_.Screen().Current().virtualScreen;
  std::vector<core::Rect> rects;
  for (HWND w : windows_) {
    RECT r{};
    GetWindowRect(w, &r);
    rects.push_back(platform::ToRect(r));
  }
  const core::Rect e = navigator::OverviewExtent(vs, 1, 1, rects, {640, 400});
  EXPECT_EQ(nav_->Layout().extent, e);
  HDC dc = GetDC(nav_->Handle());
  for (size_t i = 0; i < windows_.size(); ++i) {
    const core::Rect& r = rects[i];
    const core::Point p = navigator::ToPanel(e, {640, 400}, core::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    const COLORREF seen = GetPixel(dc, p.x, p.y);
    EXPECT_LE(std::abs(GetRValue(seen) - GetRValue(colours_[i])) + std::abs(GetGValue(seen) - GetGValue(colours_[i])) +
                  std::abs(GetBValue(seen) - GetBValue(colours_[i])),
              24)
        << "window " << i << " at " << p.x << "," << p.y;
  }
  ReleaseDC(nav_->Handle(), dc);
}

// A picture whose every pixel tells where in the picture it lies, made as a loaded one is.
COLORREF PatternAt(int x, int y) { return RGB((x * 7) & 0xFF, (y * 11) & 0xFF, ((x / 256) * 50 + (y / 256) * 30) & 0xFF); }
HBITMAP PatternPicture(int width, int height) {
  navigator::RgbPicture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* px = p.rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
      const COLORREF c = PatternAt(x, y);
      px[0] = GetRValue(c), px[1] = GetGValue(c), px[2] = GetBValue(c);
    }
  }
  return navigator::BitmapOfPicture(p);
}

std::string Hex(COLORREF c) {
  char text[16];
  snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

TEST_F(NavigatorPaint, PicturesSmallerAndLargerThanThePanelTileFromItsCorner) {
  constexpr int kWidth = 640, kHeight = 400;
  nav_->UseBackground = true;
  ShowAt(kWidth, kHeight);
  const struct {
    const char* name;
    int width, height;
  } cases[] = {
      {"smaller both ways", 50, 30},
      {"wider, lower", 2000, 30},
      {"narrower, taller", 30, 1500},
      {"larger both ways", 2000, 1500},
      {"the panel's size", kWidth, kHeight},
  };
  // Corners, tile edges, and beyond the first tile; none under a window's drawing.
  const POINT samples[] = {{0, 0}, {1, 2}, {29, 29}, {30, 30}, {49, 31}, {50, 61}, {333, 3}, {639, 0}, {2, 399}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HBITMAP picture = PatternPicture(c.width, c.height);
    ASSERT_NE(picture, nullptr);
    if (nav_->BackgroundBitmap.handle) DeleteObject(nav_->BackgroundBitmap.handle);
    nav_->BackgroundBitmap = {picture, c.width, c.height, nav_->BackgroundBitmap.version + 1};
    NoWindows();
    Repaint();
    HDC dc = GetDC(nav_->Handle());
    for (const POINT& p : samples) {
      ASSERT_FALSE(NearViewport(p, {kWidth, kHeight})) << p.x << "," << p.y << " shows the viewport, not the picture";
      const COLORREF want = PatternAt(p.x % c.width, p.y % c.height);
      const COLORREF seen = GetPixel(dc, p.x, p.y);
      EXPECT_EQ(seen, want) << "at " << p.x << "," << p.y << ": " << Hex(seen) << ", wanted " << Hex(want);
    }
    ReleaseDC(nav_->Handle(), dc);
  }
}

// GDI may hand a new picture the handle of the one it replaced; the painting tells them apart,
// and frees what it prepared for the old one.
TEST_F(NavigatorPaint, AReplacedPictureShowsAtOnceAndWhatWasKeptForTheOldOneIsFreed) {
  nav_->UseBackground = true;
  ShowAt(320, 200);
  NoWindows();
  const auto fill = [](HBITMAP picture, COLORREF colour) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    const RECT all{0, 0, 64, 48};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
  };
  const auto seen = [&] {
    HDC dc = GetDC(nav_->Handle());
    const COLORREF c = GetPixel(dc, 20, 70);
    ReleaseDC(nav_->Handle(), dc);
    return c;
  };
  HBITMAP picture = PatternPicture(64, 48);
  fill(picture, RGB(200, 30, 30));
  nav_->BackgroundBitmap = {picture, 64, 48, 1};
  Repaint();
  EXPECT_EQ(seen(), RGB(200, 30, 30));
  // The same handle, refilled as a new picture would be.
  fill(picture, RGB(30, 30, 200));
  nav_->BackgroundBitmap = {picture, 64, 48, 2};
  Repaint();
  EXPECT_EQ(seen(), RGB(30, 30, 200)) << "the tiles of the picture before were drawn";

  const int before = GdiObjects();
  for (int i = 0; i < 20; ++i) {
    HBITMAP next = PatternPicture(i % 2 ? 64 : 900, 48);  // one smaller than the panel, one cut to it
    ASSERT_NE(next, nullptr);
    DeleteObject(nav_->BackgroundBitmap.handle);
    nav_->BackgroundBitmap = {next, i % 2 ? 64 : 900, 48, nav_->BackgroundBitmap.version + 1};
    Repaint();
  }
  EXPECT_EQ(GdiObjects(), before) << "twenty pictures later";
}

}  // namespace
