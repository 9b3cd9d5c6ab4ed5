// The navigator seen from outside: a click on the tray icon opens it over the primary monitor;
// the picture shows the test windows (drawn, or as their screen shots in their own colours)
// where the overview's mapping puts them; a click scrolls by the mapped step and closes it; a
// right drag moves one window; the wheel scrolls; a window drag released outside the navigator
// is ended by the control panel.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "navigator/overview_map.h"
#include "pictures/picture_files.h"
#include "platform/handles.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "win_support/mouse_input.h"
#include "win_support/screen_picture.h"

namespace {

using namespace std::chrono_literals;
using e2e::Dword;
using e2e::TestWindows;
using e2e::TopLeft;
using e2e::WindowSpec;
using tvmtest::WaitUntil;

constexpr const char* kNavigatorTitle = "Tavelmoor Virtual Screen Navigator";

WindowSpec Coloured(const std::string& id, int x, int y, int w, int h, long rgb) {
  WindowSpec s;
  s.id = id;
  s.title = "Overview " + id;
  s.x = x, s.y = y, s.width = w, s.height = h;
  s.color = rgb;
  return s;
}

RECT RectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}


core::Rect VirtualScreen() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

COLORREF ScreenPixel(core::Point p) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 12) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

COLORREF FromRgb(long rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void PointerTo(core::Point p) { tvmtest::PointerTo(p.x, p.y); }
using tvmtest::Button;
using tvmtest::Wheel;

class Navigator : public e2e::ScrollingScenario {
 protected:
  void Settings(const std::vector<e2e::SettingValue>& changes = {}) {
    std::vector<e2e::SettingValue> v = {Dword("DoLimit", 0), Dword("AutoArrange", 0), Dword("ShowGlyphs", 0),
                                        Dword("SmallScreen", 0)};
    v.insert(v.end(), changes.begin(), changes.end());
    WriteSettings(v);
  }

  // The program settled with the windows listed and the foreground window no longer changing
  // (a late activation would drop a waiting step).
  bool Start(const std::vector<WindowSpec>& specs) {
    if (!StartWindows(specs)) return false;
    panel_ = StartSettled();
    if (!panel_) return false;
    app_ = e2e::FindApplicationWindow(program_.Id());
    WaitUntil(
        [] {
          HWND seen = GetForegroundWindow();
          Sleep(300);
          return GetForegroundWindow() == seen;
        },
        3s, 1ms);
    return app_ != nullptr;
  }

  HWND NavigatorWindow() const {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "TTavelmoorForm", kNavigatorTitle));) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == program_.Id()) return w;
    }
    return nullptr;
  }

  HWND ClickTrayIcon() {
    e2e::PostTrayClick(app_);
    HWND nav = nullptr;
    WaitUntil([&] { return (nav = NavigatorWindow()) && IsWindowVisible(nav); }, 5s);
    if (nav) Sleep(400);  // painted by now
    return nav;
  }

  // The overview's mapping as the painting computes it, from the windows as they stand.
  struct Mapping {
    core::Rect extent;
    core::Size panel;
    core::Point origin;  // the navigator's top-left on the screen
    core::Point ToScreen(core::Point screenPoint) const {
      const core::Point p = navigator::ToPanel(extent, panel, screenPoint);
      return {origin.x + p.x, origin.y + p.y};
    }
    core::Point Centre() const {
      const core::Rect vs = VirtualScreen();
      const navigator::Viewport v = navigator::ViewportOf(extent, panel, vs);
      return {origin.x + v.center.x, origin.y + v.center.y};
    }
  };
  Mapping MappingNow(HWND nav, const std::vector<std::string>& ids) const {
    RECT client{};
    GetClientRect(nav, &client);
    POINT origin{0, 0};
    ClientToScreen(nav, &origin);
    std::vector<core::Rect> rects;
    for (const std::string& id : ids) rects.push_back(platform::ToRect(RectOf(Tracked(id))));
    Mapping m;
    m.panel = {client.right, client.bottom};
    m.origin = {origin.x, origin.y};
    m.extent = navigator::OverviewExtent(VirtualScreen(), 1, 1, rects, m.panel);
    return m;
  }

  // The right button pressed at the middle of the window's drawing; the pointer's place.
  static core::Point PressRightOn(const Mapping& m, HWND window) {
    const RECT w = RectOf(window);
    const core::Point start = m.ToScreen({(w.left + w.right) / 2, (w.top + w.bottom) / 2});
    PointerTo(start);
    Sleep(150);
    Button(MOUSEEVENTF_RIGHTDOWN);
    Sleep(150);
    return start;
  }
  // Drag step `i` (from 1): the pointer 10 and 5 pixels on per step from `start`; the screen
  // pixels it asks the window to move are added to `x` and `y`.
  static void DragStep(const Mapping& m, core::Point start, int i, int32_t& x, int32_t& y) {
    PointerTo({start.x + 10 * i, start.y + 5 * i});
    x += navigator::MulDivSaturated(10, m.extent.width(), m.panel.width);
    y += navigator::MulDivSaturated(5, m.extent.height(), m.panel.height);
  }

  HWND panel_ = nullptr;
  HWND app_ = nullptr;
};

const std::vector<WindowSpec> kThree = {
    Coloured("red", 80, 120, 360, 260, 0xD02020),
    Coloured("green", 520, 120, 360, 260, 0x20B040),
    Coloured("blue", 80, 480, 360, 260, 0x2040D0),
};
const std::vector<std::string> kThreeIds = {"red", "green", "blue"};

// A screen point right of and below the windows, well inside the screen (the pointer at a
// border would push the view).
core::Point AsideOfTheWindows() {
  const core::Rect vs = VirtualScreen();
  return {core::clampToInt32(vs.left + vs.width() * 4 / 5), core::clampToInt32(vs.top + vs.height() * 4 / 5)};
}

TEST_F(Navigator, ATrayClickOpensItOverThePrimaryMonitorWithTheWindowsDrawnWhereTheMappingSays) {
  Settings();
  ASSERT_TRUE(Start(kThree));
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr) << "no navigator after the tray click";
  const RECT r = RectOf(nav);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_TRUE(GetWindowLongA(nav, GWL_EXSTYLE) & WS_EX_TOPMOST);

  const Mapping m = MappingNow(nav, kThreeIds);
  for (const std::string& id : kThreeIds) {
    SCOPED_TRACE(id);
    const RECT w = RectOf(Tracked(id));
    // Below the caption bar, the drawn window's body; its top-left corner, the light outline.
    const core::Point body = m.ToScreen({(w.left + w.right) / 2, w.bottom - 20});
    EXPECT_TRUE(Near(ScreenPixel(body), GetSysColor(COLOR_ACTIVEBORDER), 0))
        << Hex(ScreenPixel(body)) << " at " << body.x << "," << body.y;
    const core::Point bar = m.ToScreen({(w.left + w.right) / 2, w.top});
    const COLORREF barColour = ScreenPixel({bar.x, bar.y + 3});
    EXPECT_TRUE(Near(barColour, GetSysColor(COLOR_INACTIVECAPTION), 0) ||
                Near(barColour, GetSysColor(COLOR_ACTIVECAPTION), 0) ||
                Near(barColour, GetSysColor(COLOR_INACTIVECAPTIONTEXT), 0) ||
                Near(barColour, GetSysColor(COLOR_CAPTIONTEXT), 0))
        << "caption bar " << Hex(barColour);
  }
  // Between the windows the desktop colour, and the viewport's red dashes along the screen's top.
  const core::Point gap = m.ToScreen({480, 440});
  EXPECT_TRUE(Near(ScreenPixel(gap), GetSysColor(COLOR_BACKGROUND), 0)) << Hex(ScreenPixel(gap));
  const core::Rect vs = VirtualScreen();
  const core::Point left = m.ToScreen({vs.left, vs.top});
  const core::Point right = m.ToScreen({vs.right - 1, vs.top});
  int red = 0;
  for (int x = left.x; x < right.x; ++x) red += ScreenPixel({x, left.y}) == RGB(255, 0, 0);
  EXPECT_GT(red, (right.x - left.x) / 4) << "the viewport's top edge";
  EXPECT_LT(red, right.x - left.x) << "dashed, not solid";
}

TEST_F(Navigator, WithScreenShotsOnTheWindowsShowInTheirOwnColoursWhereTheMappingSays) {
  Settings({Dword("ShowGlyphs", 1)});
  ASSERT_TRUE(Start(kThree));
  Sleep(1000);  // one shot per scan while the navigator is hidden
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
  const Mapping m = MappingNow(nav, kThreeIds);
  for (const WindowSpec& spec : kThree) {
    SCOPED_TRACE(spec.id);
    const RECT w = RectOf(Tracked(spec.id));
    const core::Point centre = m.ToScreen({(w.left + w.right) / 2, (w.top + w.bottom) / 2 + 15});
    EXPECT_TRUE(Near(ScreenPixel(centre), FromRgb(spec.color)))
        << Hex(ScreenPixel(centre)) << " at " << centre.x << "," << centre.y << ", wanted " << Hex(FromRgb(spec.color));
  }
}

TEST_F(Navigator, AClickScrollsTheWindowsByTheMappedStepAndClosesATrayOpenedNavigator) {
  Settings();
  ASSERT_TRUE(Start(kThree));
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
  const Mapping m = MappingNow(nav, kThreeIds);
  const core::Point centre = m.Centre();
  // Right of and below the viewport's centre, where no window will lie once they have moved.
  const core::Point click = m.ToScreen(AsideOfTheWindows());
  const int32_t dx = navigator::MulDivSaturated(m.extent.width(), int64_t{click.x} - centre.x, m.panel.width);
  const int32_t dy = navigator::MulDivSaturated(m.extent.height(), int64_t{click.y} - centre.y, m.panel.height);
  ASSERT_GT(dx, 0);
  const auto before = Positions();
  PointerTo(click);
  Sleep(150);
  Button(MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(WaitMovedBy(before, -dx, -dy)) << "step " << dx << "," << dy << ": " << Describe(before);
  Button(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(nav); }, 3s)) << "still open after the release";
  Sleep(300);
  EXPECT_TRUE(WaitMovedBy(before, -dx, -dy, 0ms)) << "and no further: " << Describe(before);
}

TEST_F(Navigator, ARightDragMovesOneWindowByTheOverviewsScaleAndTheWheelScrollsThemAll) {
  Settings();
  ASSERT_TRUE(Start(kThree));
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
  const Mapping m = MappingNow(nav, kThreeIds);
  const auto before = Positions();
  const core::Point start = PressRightOn(m, Tracked("green"));
  int32_t movedX = 0, movedY = 0;
  for (int i = 1; i <= 3; ++i) {
    DragStep(m, start, i, movedX, movedY);
    const auto want = Positions({"green"});
    WaitUntil([&] { return TopLeft(Tracked("green")).x != want.at("green").x; }, 2s);
  }
  Button(MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(WaitMovedBy({{"green", before.at("green")}}, movedX, movedY)) << Describe(before);
  EXPECT_TRUE(WaitMovedBy({{"red", before.at("red")}, {"blue", before.at("blue")}}, 0, 0, 0ms)) << "only one moves";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(nav); }, 3s)) << "the release closes a tray-opened navigator";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Tracked("green"); }, 3s)) << "the release activates it";

  // The wheel, over a navigator opened anew: 120 moves every window left by 120.
  nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
  PointerTo(m.ToScreen(AsideOfTheWindows()));
  Sleep(150);
  const auto beforeWheel = Positions();
  Wheel(WHEEL_DELTA);
  EXPECT_TRUE(WaitMovedBy(beforeWheel, -WHEEL_DELTA, 0)) << Describe(beforeWheel);
  EXPECT_TRUE(IsWindowVisible(nav)) << "the wheel is no release";
}

TEST_F(Navigator, AWindowDragReleasedOutsideTheNavigatorIsEndedByTheControlPanel) {
  // A third of the screen around the cursor: there is room outside it.
  Settings({Dword("SmallScreen", 1)});
  ASSERT_TRUE(Start(kThree));
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  SetCursorPos(w / 2, h / 2);
  Sleep(100);
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
  const RECT placed = RectOf(nav);
  EXPECT_EQ(placed.left, w / 2 - w / 6);
  EXPECT_EQ(placed.top, h / 2 - h / 6);
  EXPECT_EQ(placed.right - placed.left, w / 3);
  const Mapping m = MappingNow(nav, kThreeIds);
  const RECT g = RectOf(Tracked("green"));
  const core::Point start = m.ToScreen({(g.left + g.right) / 2, (g.top + g.bottom) / 2});
  PointerTo(start);
  Sleep(150);
  Button(MOUSEEVENTF_RIGHTDOWN);
  Sleep(150);
  const POINT before = TopLeft(Tracked("green"));
  PointerTo({start.x + 10, start.y});
  EXPECT_TRUE(WaitUntil([&] { return TopLeft(Tracked("green")).x != before.x; }, 2s)) << "the drag moved nothing";
  // Out of the navigator, below it, where no window lies, and released there.
  PointerTo({start.x + 10, placed.bottom + 40});
  Sleep(200);
  Button(MOUSEEVENTF_RIGHTUP);
  // The release reaches the panel as raw input; the next motion lets it look.
  PointerTo({start.x + 12, placed.bottom + 42});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(nav); }, 3s)) << "the drag was not ended";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Tracked("green"); }, 3s));
}

// Whether the control panel answers a message within `ms`: its thread is not held up.
bool Answers(HWND panel, DWORD ms = 500) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
}

// The three windows and one more on a thread of its own, which can be made to sleep alone.
class NavigatorBesideASleeper : public Navigator {
 protected:
  bool StartWithSleeper(RECT at) {
    Settings();
    if (!Start(kThree)) return false;
    sleeper_ = windows_.Create("red", at, true);
    if (sleeper_) Track("sleeper", sleeper_);
    return sleeper_ != nullptr;
  }
  Mapping MappingOfAll(HWND nav) const {
    std::vector<std::string> ids = kThreeIds;
    ids.push_back("sleeper");
    return MappingNow(nav, ids);
  }

  // Three steps of a right drag of the sleeper while its thread sleeps, with a scroll step of
  // `scroll` posted after the second; where the windows stood before and what the drag asked.
  struct Dragged {
    std::map<std::string, POINT> before;
    int32_t movedX = 0, movedY = 0;
  };
  Dragged DragAsleep(int scroll) {
    Dragged d;
    if (!StartWithSleeper(RECT{560, 480, 860, 680})) {
      ADD_FAILURE() << "no sleeper";
      return {};
    }
    Sleep(500);  // the scans have listed it
    HWND nav = ClickTrayIcon();
    if (!nav) {
      ADD_FAILURE() << "no navigator";
      return {};
    }
    const Mapping m = MappingOfAll(nav);
    d.before = Positions();
    const core::Point start = PressRightOn(m, sleeper_);
    TestWindows::SleepThread(sleeper_, 3000);
    Sleep(100);
    for (int i = 1; i <= 3; ++i) {
      DragStep(m, start, i, d.movedX, d.movedY);
      Sleep(100);
      EXPECT_TRUE(Answers(panel_)) << "step " << i << " waited for the window";
      if (i == 2 && scroll != 0) EXPECT_TRUE(e2e::ScrollBy(panel_, scroll, 0));
    }
    Button(MOUSEEVENTF_RIGHTUP);
    Sleep(100);
    EXPECT_EQ(TopLeft(sleeper_).x, d.before.at("sleeper").x) << "the window did not sleep through the drag";
    return d;
  }

  HWND sleeper_ = nullptr;
};

// A press restores a maximized active window. Its application's thread sleeps: the restore is
// posted, so the press is over at once and a scroll request meanwhile moves the other windows.
TEST_F(NavigatorBesideASleeper, APressBesideAMaximizedActiveWindowWhoseThreadSleepsHoldsNothingUp) {
  ASSERT_TRUE(StartWithSleeper(RECT{600, 400, 900, 600}));
  ShowWindow(sleeper_, SW_MAXIMIZE);
  SetForegroundWindow(sleeper_);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(sleeper_) && GetForegroundWindow() == sleeper_; }, 3s))
      << "the window is not the maximized active one";
  Sleep(500);  // the scans have seen it
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
  const Mapping m = MappingOfAll(nav);

  TestWindows::SleepThread(sleeper_, 8000);
  Sleep(100);
  PointerTo(m.Centre());
  Sleep(150);
  Button(MOUSEEVENTF_LEFTDOWN);
  Sleep(300);  // the press is being handled by now, or long over
  const auto before = Positions(kThreeIds);
  e2e::PostScrollBy(panel_, 40, 0);
  EXPECT_TRUE(WaitMovedBy(before, -40, 0, 1500ms)) << "the scroll request waited: " << Describe(before);
  Button(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(Answers(panel_));
  EXPECT_TRUE(WaitUntil([&] { return !IsZoomed(sleeper_); }, 12s)) << "the restore was not asked for";
}

// A right drag of a window whose thread sleeps: the moves are posted, the program goes on
// answering, and once the window wakes it stands where the drag's steps put it.
TEST_F(NavigatorBesideASleeper, ADragOfAWindowWhoseThreadSleepsHoldsNothingUpAndEndsWhereTheStepsSay) {
  const Dragged d = DragAsleep(0);
  ASSERT_FALSE(d.before.empty());
  EXPECT_TRUE(Answers(panel_)) << "the release waited for the window";
  EXPECT_TRUE(WaitMovedBy({{"sleeper", d.before.at("sleeper")}}, d.movedX, d.movedY, 6s)) << Describe(d.before);
}

// A right drag and a scroll step meet at a window whose thread sleeps: both are one account of
// that window's moves, so once it wakes it stands where the drag put it, moved by the step too.
TEST_F(NavigatorBesideASleeper, ADragAndAScrollStepMeetingAtASleepingWindowBothArrive) {
  const Dragged d = DragAsleep(100);
  ASSERT_FALSE(d.before.empty());
  auto others = d.before;
  others.erase("sleeper");
  EXPECT_TRUE(WaitMovedBy(others, -100, 0)) << Describe(d.before);
  EXPECT_TRUE(WaitMovedBy({{"sleeper", d.before.at("sleeper")}}, d.movedX - 100, d.movedY, 6s)) << Describe(d.before);
}

// Ten windows, one of them far right of the screen, as a user sees them: drawn, then as screen
// shots. Each lands where the mapping says, in its own colour once shot; the pictures stay in
// the build's screenshot folder.
class TenWindows : public Navigator, public ::testing::WithParamInterface<bool> {};

TEST_P(TenWindows, EachWindowIsWhereTheMappingSays) {
  const bool shots = GetParam();
  Settings({Dword("ShowGlyphs", shots ? 1 : 0)});
  const long colours[] = {0xC03030, 0x30A040, 0x3050C0, 0xC0A020, 0x9030B0,
                          0x20A0A0, 0xE07020, 0x606060, 0x80C040, 0xF060A0};
  std::vector<WindowSpec> specs;
  std::vector<std::string> ids;
  for (int i = 0; i < 10; ++i) {
    const int col = i % 5, row = i / 5;
    WindowSpec s = Coloured("w" + std::to_string(i), 30 + col * 240, 60 + row * 330, 200 + (i % 3) * 10, 260, colours[i]);
    s.title = "Window " + std::to_string(i) + (i % 2 ? " (odd)" : "");
    if (i == 9) s.x = 2200;  // beyond the screen: the overview widens to show it
    specs.push_back(s);
    ids.push_back(s.id);
  }
  ASSERT_TRUE(Start(specs));
  if (shots) Sleep(2000);  // one shot per scan
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
#ifdef TVM_SCREENSHOT_DIR
  tvmtest::SaveScreen(tvmtest::WindowsPathOf(TVM_SCREENSHOT_DIR), shots ? "navigator-ten-shots" : "navigator-ten-drawn");
#endif
  const Mapping m = MappingNow(nav, ids);
  for (const WindowSpec& spec : specs) {
    SCOPED_TRACE(spec.id);
    const RECT w = RectOf(Tracked(spec.id));
    const core::Point centre = m.ToScreen({(w.left + w.right) / 2, (w.top + w.bottom) / 2 + 20});
    const COLORREF seen = ScreenPixel(centre);
    // Off the screen no shot is taken: that window is drawn, unless it was shot before the
    // start-up arrangement put it there.
    const bool onScreen = w.right <= VirtualScreen().right;
    const bool shot = shots && onScreen;
    const COLORREF wanted = shot ? FromRgb(spec.color) : GetSysColor(COLOR_ACTIVEBORDER);
    const bool keptShot = shots && !onScreen && Near(seen, FromRgb(spec.color), 12);
    EXPECT_TRUE(keptShot || Near(seen, wanted, shot ? 12 : 0))
        << Hex(seen) << " at " << centre.x << "," << centre.y << ", wanted " << Hex(wanted);
  }
}

INSTANTIATE_TEST_SUITE_P(Looks, TenWindows, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "AsScreenShots" : "Drawn"; });

// A picture stored as the background is tiled behind the windows, from a bitmap file as from a
// JPEG file: between the windows the picture's two colours show instead of the desktop colour.
class BackgroundBehind : public Navigator, public ::testing::WithParamInterface<const char*> {
 protected:
  void TearDown() override {
    Navigator::TearDown();
    if (!file_.empty()) DeleteFileA(file_.c_str());
  }
  std::string file_;
};

TEST_P(BackgroundBehind, ThePictureShowsBetweenTheWindows) {
  const std::string kind = GetParam();
  const pictures::Rgb left{200, 120, 30}, right{30, 150, 170};
  const std::vector<uint8_t> rgb = pictures::TwoHalves(64, 48, left, right);
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  file_ = std::string(folder) + "tvm_e2e_behind." + kind;
  ASSERT_TRUE(pictures::WriteFile(file_, kind == "bmp" ? pictures::EncodeBmp24(64, 48, rgb)
                                                       : pictures::EncodeJpeg(64, 48, rgb)));
  Settings({e2e::Text("Background", file_)});
  ASSERT_TRUE(Start(kThree));
  HWND nav = ClickTrayIcon();
  ASSERT_NE(nav, nullptr);
  const Mapping m = MappingNow(nav, kThreeIds);

  // Tiles start at the navigator's corner: scan a row between the windows for both colours.
  const core::Point gap = m.ToScreen({480, 440});
  int seenLeft = 0, seenRight = 0, seenDesktop = 0;
  for (int x = gap.x - 64; x < gap.x + 64; ++x) {
    const COLORREF c = ScreenPixel({x, gap.y});
    seenLeft += Near(c, RGB(left.r, left.g, left.b), 16);
    seenRight += Near(c, RGB(right.r, right.g, right.b), 16);
    seenDesktop += Near(c, GetSysColor(COLOR_BACKGROUND), 0);
  }
  EXPECT_GT(seenLeft, 20) << "the picture's left half is not behind the windows";
  EXPECT_GT(seenRight, 20) << "the picture's right half is not behind the windows";
  EXPECT_EQ(seenDesktop, 0) << "the desktop colour shows through";
  // The windows are still drawn over it.
  const RECT w = RectOf(Tracked("red"));
  const core::Point body = m.ToScreen({(w.left + w.right) / 2, w.bottom - 20});
  EXPECT_TRUE(Near(ScreenPixel(body), GetSysColor(COLOR_ACTIVEBORDER), 0)) << Hex(ScreenPixel(body));
#ifdef TVM_SCREENSHOT_DIR
  tvmtest::SaveScreen(tvmtest::WindowsPathOf(TVM_SCREENSHOT_DIR), "navigator-background-" + kind);
#endif
}

INSTANTIATE_TEST_SUITE_P(Files, BackgroundBehind, ::testing::Values("bmp", "jpg"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
