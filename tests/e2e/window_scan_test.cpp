// The window scan seen from outside: which windows of another process the control panel lists as
// scrolling, the Scrolling Windows tab's moves between the lists, remembered class sizes and
// hung applications.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "support/dwm_double.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"
#include "support/test_windows.h"
#include "support/window_lists.h"

namespace {

using namespace std::chrono_literals;
using e2e::RowText;
using e2e::SettingsKey;
using e2e::Tavelmoor;
using e2e::TestWindows;
using e2e::WindowSpec;
using tvmtest::WaitUntil;
namespace flag = e2e::flag;

constexpr const char* kTestClass = "TvmTestWindow";

struct Listed {
  WindowSpec spec;
  bool scrolls;  // in this Windows mode
};

BOOL CALLBACK CollectTopLevel(HWND w, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(w);
  return TRUE;
}

// The rows the tab must show for these windows: those that scroll, top of the Z order first.
std::vector<std::string> ExpectedRows(const TestWindows& windows, const std::vector<Listed>& listed) {
  std::map<HWND, std::string> rows;
  for (const Listed& l : listed) {
    if (l.scrolls) rows[windows.Window(l.spec.id)] = RowText(l.spec.className, l.spec.title);
  }
  std::vector<HWND> order;
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&order));
  std::vector<std::string> out;
  for (HWND w : order) {
    if (auto it = rows.find(w); it != rows.end()) out.push_back(it->second);
  }
  return out;
}

std::string Joined(const std::vector<std::string>& rows) {
  std::string out;
  for (const auto& r : rows) out += "  " + r + "\n";
  return out;
}

// A 300 x 200 window with invisible borders, of the class remembered as TvmRemembered in `spelling`.
WindowSpec RememberedFramed(const char* spelling) {
  WindowSpec remembered;
  remembered.id = "remembered", remembered.title = "Tvm remembered", remembered.className = spelling;
  remembered.x = 150, remembered.y = 120, remembered.width = 300, remembered.height = 200;
  remembered.frameMargins = {7, 0, 7, 7};
  return remembered;
}

class WindowScan : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::EndAllInstances();
    SettingsKey::Delete();
    trayClass_ = e2e::WineTrayClass();
    dwm_ = std::make_unique<e2e::DwmDoubleInstall>();
    ASSERT_TRUE(dwm_->Installed()) << dwm_->Error();
  }
  void TearDown() override {
    e2e::EndAllInstances();
    SettingsKey::Delete();
    dwm_.reset();
  }

  // The user's classes with Wine's tray window added, so that only test windows remain listed.
  void WriteSettings(std::vector<std::string> excluded, const std::vector<std::pair<std::string, int32_t>>& remembered = {}) {
    if (!trayClass_.empty()) excluded.insert(excluded.begin(), trayClass_);
    SettingsKey::Write(e2e::SettingsWith(excluded, remembered));
  }

  // Starts the program, lets it settle in the notification area and shows its panel again, as a
  // second start does: the scan ticks then fill the tab's list.
  HWND StartAndShow() {
    HWND panel = program_.StartSettled(1300ms);
    EXPECT_NE(panel, nullptr) << "the program did not settle in the notification area";
    if (!panel) return nullptr;
    PostMessageA(panel, msg::WM_INSTANCE_SHOW, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) != FALSE; }, 5s));
    return panel;
  }

  // Waits until the tab shows `expected` (the rows follow the scans); the last rows seen.
  std::vector<std::string> WaitForRows(HWND panel, const std::vector<std::string>& expected,
                                       std::chrono::milliseconds timeout = 5s) {
    std::vector<std::string> rows;
    WaitUntil([&] { return (rows = e2e::ListBoxItems(e2e::ScrollingListBox(panel))) == expected; }, timeout, 50ms);
    return rows;
  }

  void Choose(HWND listBox, const std::string& item) {
    const auto items = e2e::ListBoxItems(listBox);
    const auto at = std::find(items.begin(), items.end(), item);
    ASSERT_NE(at, items.end()) << item << " is not listed:\n" << Joined(items);
    SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(at - items.begin()), 0);
  }

  void Press(HWND panel, const char* caption) {
    HWND button = e2e::FindControlByCaption(panel, "Button", caption);
    ASSERT_NE(button, nullptr) << caption;
    PostMessageA(button, BM_CLICK, 0, 0);
  }

  std::string trayClass_;
  std::unique_ptr<e2e::DwmDoubleInstall> dwm_;
  Tavelmoor program_;
};

TEST_F(WindowScan, TheScrollListHoldsExactlyTheWindowsThatScrollInZOrder) {
  const bool win10 = e2e::Win10Mode();
  auto spec = [](const char* id, const char* title, unsigned flags = 0, int w = 220, int h = 160) {
    WindowSpec s;
    s.id = id;
    s.title = title;
    s.flags = flags;
    s.width = w;
    s.height = h;
    return s;
  };
  WindowSpec framed = spec("framed", "Tvm framed");
  framed.frameMargins = {7, 0, 7, 7};
  WindowSpec user = spec("user", "Tvm user class");
  user.className = "TvmUserExcluded";
  WindowSpec fixed = spec("fixed", "Tvm fixed class");
  fixed.className = "Sticky_Notes_Note_Window";
  WindowSpec untitled = spec("untitled", "");
  const std::vector<Listed> listed = {
      {spec("normal", "Tvm normal"), true},
      {spec("owned", "Tvm owned", flag::kOwned), true},
      {framed, true},
      {spec("tool", "Tvm tool", flag::kTool), true},
      {spec("four", "Tvm four by four", flag::kPopup, 4, 4), true},
      {spec("thin", "Tvm three wide", flag::kPopup, 3, 80), false},
      {spec("flat", "Tvm three high", flag::kPopup, 80, 3), false},
      {spec("minimized", "Tvm minimized", flag::kMinimized), false},
      {spec("maximized", "Tvm maximized", flag::kMaximized), true},
      {spec("hidden", "Tvm hidden", flag::kHidden), false},
      // Only from Windows 8 on does the program ask whether a window is cloaked.
      {spec("cloaked", "Tvm cloaked", flag::kCloaked), !win10},
      {untitled, false},
      {user, false},
      {fixed, false},
  };
  std::vector<WindowSpec> specs;
  for (const Listed& l : listed) specs.push_back(l.spec);
  TestWindows windows;
  ASSERT_TRUE(windows.Start(specs)) << windows.Error();
  WriteSettings({"TVMUSEREXCLUDED"});  // the user's classes match in any letter case

  HWND panel = StartAndShow();
  ASSERT_NE(panel, nullptr);
  const auto expected = ExpectedRows(windows, listed);
  const auto rows = WaitForRows(panel, expected);
  EXPECT_EQ(rows, expected) << "listed:\n" << Joined(rows) << "expected:\n" << Joined(expected);
}

TEST_F(WindowScan, AClassMovedToTheNonScrollingListLeavesTheScanAndIsSaved) {
  WindowSpec stays, moves, movesToo;
  stays.id = "stays", stays.title = "Tvm stays";
  moves.id = "moves", moves.title = "Tvm moves", moves.className = "TvmMovable", moves.x = 400;
  movesToo.id = "moves2", movesToo.title = "Tvm moves too", movesToo.className = "TvmMovable", movesToo.x = 700;
  TestWindows windows;
  ASSERT_TRUE(windows.Start({stays, moves, movesToo})) << windows.Error();
  WriteSettings({});
  HWND panel = StartAndShow();
  ASSERT_NE(panel, nullptr);
  const std::vector<Listed> all = {{stays, true}, {moves, true}, {movesToo, true}};
  const auto everything = ExpectedRows(windows, all);
  ASSERT_EQ(WaitForRows(panel, everything), everything);

  // ">" on one window of the class: every window of that class stops scrolling.
  Choose(e2e::ScrollingListBox(panel), RowText("TvmMovable", "Tvm moves"));
  Press(panel, ">");
  const std::vector<std::string> onlyStays = {RowText(kTestClass, "Tvm stays")};
  EXPECT_EQ(WaitForRows(panel, onlyStays), onlyStays);
  EXPECT_EQ(e2e::ListBoxItems(e2e::NonScrollingListBox(panel)).back(), "TvmMovable");

  // Saved at the next hide.
  PostMessageA(panel, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(panel); }, 5s));
  ASSERT_TRUE(WaitUntil([&] { return SettingsKey::Dword("ExcludeNum") == (trayClass_.empty() ? 1 : 2); }, 3s));
  EXPECT_EQ(SettingsKey::Text(trayClass_.empty() ? "Exclude0" : "Exclude1"), "TvmMovable");

  // "<" on the class: its windows scroll again.
  PostMessageA(panel, msg::WM_INSTANCE_SHOW, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(panel) != FALSE; }, 5s));
  Choose(e2e::NonScrollingListBox(panel), "TvmMovable");
  Press(panel, "<");
  EXPECT_EQ(WaitForRows(panel, everything), everything);
}

TEST_F(WindowScan, ANewWindowOfARememberedClassGetsItsSizeAtOnce) {
  WriteSettings({}, {{"TvmRemembered", static_cast<int32_t>(core::packSize(640, 480))}});
  HWND panel = StartAndShow();
  ASSERT_NE(panel, nullptr);

  TestWindows windows;
  ASSERT_TRUE(windows.Start({RememberedFramed("tvmREMEMBERED")})) << windows.Error();
  // The size is the window's outer size, as the hook imposes it: from Windows 10 on the visible
  // frame is that less the invisible borders, and its corner stays where it was.
  const RECT want{150, 120, 790, 600};
  RECT got{};
  const bool sized = WaitUntil([&] {
    got = windows.RectOf("remembered");
    return EqualRect(&got, &want) != FALSE;
  }, 3s);
  EXPECT_TRUE(sized) << "window at " << got.left << "," << got.top << " " << got.right - got.left << "x"
                     << got.bottom - got.top;
}

// Inside a hooked application the hook gives the window its forced size at every size change; the
// scan must agree with it on what that size is, or it resizes the window at every scan for ever.
TEST_F(WindowScan, AHookedWindowOfARememberedClassKeepsItsSizeAndIsNotResizedAtEveryScan) {
  WriteSettings({}, {{"TvmRemembered", static_cast<int32_t>(core::packSize(640, 480))}});
  HWND panel = StartAndShow();
  ASSERT_NE(panel, nullptr);
  TestWindows windows;
  ASSERT_TRUE(windows.Start({RememberedFramed("TvmRemembered")})) << windows.Error();
  HWND w = windows.Window("remembered");
  ASSERT_TRUE(WaitUntil([&] { return tvmtest::SizeOf(w).cx != 300; }, 3s)) << "the scan did not size the window";
  // Touched, the window is subclassed; another program's resize is turned into the forced size.
  // A question the program answers only after 250 ms (a scan under load) means no forced size for
  // that one resize, so the resize is tried again until an answer has come in time.
  tvmtest::TouchAsAUser(w);
  EXPECT_TRUE(WaitUntil(
      [&] {
        SetWindowPos(w, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return tvmtest::SizeOf(w).cx == 640;
      },
      3s));
  ASSERT_EQ(tvmtest::SizeOf(w).cx, 640) << "not subclassed";
  ASSERT_EQ(tvmtest::SizeOf(w).cy, 480);

  const std::optional<long> before = TestWindows::SizeRequests(w);
  ASSERT_TRUE(before.has_value());
  // Twenty scans.
  WaitUntil([] { return false; }, 2s);
  const std::optional<long> after = TestWindows::SizeRequests(w);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(*after - *before, 0) << "size changes asked of the window in 2 s of scans";
  EXPECT_EQ(tvmtest::SizeOf(w).cx, 640);
  EXPECT_EQ(tvmtest::SizeOf(w).cy, 480);
}

TEST_F(WindowScan, AHungApplicationDoesNotStallTheProgram) {
  WindowSpec hung, normal;
  hung.id = "hung", hung.title = "Tvm hung", hung.flags = flag::kHung;
  normal.id = "normal", normal.title = "Tvm normal", normal.x = 500;
  TestWindows windows;
  ASSERT_TRUE(windows.Start({hung, normal})) << windows.Error();
  WriteSettings({});
  HWND panel = StartAndShow();
  ASSERT_NE(panel, nullptr);
  const auto expected = ExpectedRows(windows, {{hung, true}, {normal, true}});
  EXPECT_EQ(WaitForRows(panel, expected), expected) << "the hung window is still an application window";

  // The panel answers between scans; a scan that waited on the hung window would hold it.
  auto longest = 0ms;
  for (int i = 0; i < 40; ++i) {
    const auto start = std::chrono::steady_clock::now();
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutA(panel, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &ignored)) << "the panel hangs";
    longest = std::max(longest, std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start));
    Sleep(25);
  }
  std::printf("longest answer with a hung window on the desktop: %lld ms\n", static_cast<long long>(longest.count()));
  EXPECT_LT(longest, 400ms);
}

}  // namespace
