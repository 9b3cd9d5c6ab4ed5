// Window layouts from outside: the tray's "&Arrange windows" lines the test windows up edge to
// edge beside the active one, "Save window &positions" and "&Restore window positions" put them
// back after scrolling and moving them, a layout saved before the program ended comes back one
// second after the next start (also when the captions changed a little), and a damaged layout
// in the registry neither hangs nor ends the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/private_messages.h"
#include "support/scrolling_scenario.h"
#include "support/settings_key.h"
#include "support/tavelmoor_process.h"

namespace {

using namespace std::chrono_literals;
using e2e::Dword;
using e2e::SettingsKey;
using e2e::SettingValue;
using e2e::Text;
using e2e::TopLeft;
using e2e::WindowSpec;
using tvmtest::WaitUntil;

constexpr UINT kTrayArrangeCommand = 1005;
constexpr UINT kTraySaveCommand = 1007;
constexpr UINT kTrayRestoreCommand = 1008;
// Long enough for a refresh tick to have scanned the desktop as it is now.
constexpr DWORD kScanWaitMs = 400;

RECT RectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

std::string DescribeRects(const std::map<std::string, RECT>& rects) {
  std::string out;
  for (const auto& [id, r] : rects) {
    out += id + " (" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")\n";
  }
  return out;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class WindowLayout : public e2e::ScrollingScenario {
 protected:
  // Arrangeable windows (more than 200 pixels high), overlapping each other.
  std::vector<WindowSpec> Specs(const std::vector<std::string>& titles = {"Alpha report - Editor",
                                                                           "Beta notes - Viewer", "Gamma list"}) {
    std::vector<WindowSpec> specs;
    int i = 0;
    for (const std::string& title : titles) {
      WindowSpec s;
      s.id = "w" + std::to_string(i);
      s.title = title;
      s.x = 200 + 60 * i;
      s.y = 150 + 40 * i;
      s.width = 300 + 20 * i;
      s.height = 260 + 10 * i;
      specs.push_back(s);
      ++i;
    }
    return specs;
  }
  HWND App() { return e2e::FindApplicationWindow(program_.Id()); }
  void Tray(UINT command) { PostMessageA(App(), WM_COMMAND, command, 0); }
  std::map<std::string, RECT> Rects() {
    std::map<std::string, RECT> out;
    for (const auto& [id, p] : Positions()) out[id] = RectOf(Tracked(id));
    return out;
  }
  bool WaitForRects(const std::map<std::string, RECT>& want, std::chrono::milliseconds timeout = 3s) {
    return WaitUntil(
        [&] {
          for (const auto& [id, r] : want) {
            if (!SameRect(RectOf(Tracked(id)), r)) return false;
          }
          return true;
        },
        timeout);
  }
  // Moves every tracked window somewhere else, each differently, and waits for a scan.
  void Scatter(int base) {
    int i = 0;
    for (const auto& [id, p] : Positions()) {
      SetWindowPos(Tracked(id), nullptr, base + 97 * i, 120 + 53 * i, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ++i;
    }
    Sleep(kScanWaitMs);
  }
  bool ProgramRuns() { return !program_.Process().WaitForExit(0ms).has_value(); }
};

// A row when horizontal scrolling is on: sorted by left edge every window starts where the one
// before ends, all at one top, and the active window has not moved.
bool IsRow(const std::map<std::string, RECT>& rects) {
  std::vector<RECT> row;
  for (const auto& [id, r] : rects) row.push_back(r);
  std::sort(row.begin(), row.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
  for (size_t i = 1; i < row.size(); ++i) {
    if (row[i].left != row[i - 1].right || row[i].top != row[0].top) return false;
  }
  return true;
}

TEST_F(WindowLayout, ArrangeLinesTheWindowsUpEdgeToEdgeBesideTheActiveOne) {
  WriteSettings({Dword("DoYMove", 0)});
  ASSERT_TRUE(StartWindows(Specs()));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  Scatter(150);
  const auto before = Rects();
  ASSERT_FALSE(IsRow(before)) << DescribeRects(before);

  Tray(kTrayArrangeCommand);
  EXPECT_TRUE(WaitUntil([&] { return IsRow(Rects()); }, 3s)) << "before:\n" << DescribeRects(before) << "after:\n"
                                                              << DescribeRects(Rects());
  const auto after = Rects();
  int unmoved = 0;
  for (const auto& [id, r] : after) {
    const RECT& b = before.at(id);
    EXPECT_EQ(r.right - r.left, b.right - b.left) << id << " kept its width";
    EXPECT_EQ(r.bottom - r.top, b.bottom - b.top) << id << " kept its height";
    if (SameRect(r, b)) ++unmoved;
  }
  EXPECT_EQ(unmoved, 1) << "the active window stays where it is:\n" << DescribeRects(after);
  EXPECT_TRUE(ProgramRuns());
}

// Twelve windows 8000 pixels wide make a row wider than the platform's coordinate range. The
// arrangement places those that fit and leaves the others where they were: no two windows end
// stacked on each other at the range's edge, and the desktop still scrolls both ways.
TEST_F(WindowLayout, ARowWiderThanTheCoordinateRangeStacksNothingAndTheDesktopStillScrolls) {
  WriteSettings({Dword("DoYMove", 0)});
  std::vector<WindowSpec> specs;
  for (int i = 0; i < 12; ++i) {
    WindowSpec s;
    s.id = "w" + std::to_string(i);
    s.title = "Wide " + std::to_string(i);
    s.x = 100 + 50 * i;
    s.y = 100 + 20 * i;
    s.width = 8000;
    s.height = 260;
    specs.push_back(s);
  }
  ASSERT_TRUE(StartWindows(specs));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  // The first show has arranged them already; the tray's arrangement does it once more.
  Tray(kTrayArrangeCommand);
  Sleep(kScanWaitMs);
  int moved = 0;
  for (const WindowSpec& s : specs) moved += RectOf(Tracked(s.id)).left != s.x ? 1 : 0;
  EXPECT_GE(moved, 10) << "the windows were not arranged:\n" << DescribeRects(Rects());
  Sleep(kScanWaitMs);
  const auto arranged = Rects();
  for (auto a = arranged.begin(); a != arranged.end(); ++a) {
    for (auto b = std::next(a); b != arranged.end(); ++b) {
      EXPECT_FALSE(a->second.left == b->second.left && a->second.top == b->second.top)
          << a->first << " and " << b->first << " stacked:\n" << DescribeRects(arranged);
    }
  }
  const auto at = Positions();
  ASSERT_TRUE(e2e::ScrollBy(panel, 500, 0));
  EXPECT_TRUE(WaitMovedBy(at, -500, 0)) << Describe(at);
  ASSERT_TRUE(e2e::ScrollBy(panel, -1000, 0));
  EXPECT_TRUE(WaitMovedBy(at, 500, 0)) << Describe(at);
  EXPECT_TRUE(ProgramRuns());
}

TEST_F(WindowLayout, SwitchingAutoArrangeOnArrangesAtOnce) {
  WriteSettings({Dword("DoYMove", 0)});
  ASSERT_TRUE(StartWindows(Specs()));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  HWND box = e2e::FindControlByCaption(panel, "Button", "Auto arrange windows next to each other.    ");
  ASSERT_NE(box, nullptr);
  Scatter(150);
  ASSERT_FALSE(IsRow(Rects()));
  SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsRow(Rects()); }, 3s)) << DescribeRects(Rects());
  // Switched off, nothing is arranged again.
  SendMessageA(box, BM_CLICK, 0, 0);
  Scatter(400);
  const auto scattered = Rects();
  Sleep(800);
  EXPECT_TRUE(WaitForRects(scattered, 100ms)) << DescribeRects(Rects());
}

TEST_F(WindowLayout, RestorePutsEachWindowBackAfterScrollingAndMoving) {
  WriteSettings();
  ASSERT_TRUE(StartWindows(Specs()));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  Scatter(300);
  const auto saved = Rects();
  Tray(kTraySaveCommand);
  ASSERT_TRUE(WaitUntil([] { return SettingsKey::Dword("PosNum") == 3; }, 3s)) << "the save wrote no layout";
  std::vector<std::string> captions;
  for (int i = 0; i < 3; ++i) {
    captions.push_back(SettingsKey::Text("PosN" + std::to_string(i)).value_or(""));
    EXPECT_EQ(SettingsKey::Text("PosC" + std::to_string(i)), "TvmTestWindow");
  }
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (std::vector<std::string>{"Alpha report - Editor", "Beta notes - Viewer", "Gamma list"}));
  EXPECT_FALSE(SettingsKey::Has("winxmin")) << "no scroll origin without a fixed desktop size";

  ASSERT_TRUE(e2e::ScrollBy(panel, 250, 120));
  ASSERT_TRUE(WaitUntil([&] { return !SameRect(RectOf(Tracked("w0")), saved.at("w0")); }, 3s));
  Scatter(700);
  Tray(kTrayRestoreCommand);
  EXPECT_TRUE(WaitForRects(saved)) << "saved:\n" << DescribeRects(saved) << "now:\n" << DescribeRects(Rects());
}

TEST_F(WindowLayout, ALayoutSavedBeforeTheEndComesBackASecondAfterTheNextStart) {
  WriteSettings();
  ASSERT_TRUE(StartWindows(Specs()));
  HWND panel = StartSettled();
  ASSERT_NE(panel, nullptr);
  Scatter(250);
  const auto saved = Rects();
  Tray(kTraySaveCommand);
  ASSERT_TRUE(WaitUntil([] { return SettingsKey::Dword("PosNum") == 3; }, 3s));

  PostMessageA(panel, msg::WM_INSTANCE_EXIT, 0, 0);
  ASSERT_TRUE(program_.Process().WaitForExit(10s).has_value());
  // The end brought every window home; move them elsewhere and change the captions a little.
  Scatter(600);
  SetWindowTextA(Tracked("w0"), "Alpha report - Editor *");
  SetWindowTextA(Tracked("w1"), "Beta notes (2) - Viewer");
  SetWindowTextA(Tracked("w2"), "Gamma list.");

  ASSERT_TRUE(program_.Start());
  ASSERT_NE(program_.WaitForPanel(), nullptr);
  EXPECT_TRUE(WaitForRects(saved, 6s)) << "saved:\n" << DescribeRects(saved) << "now:\n" << DescribeRects(Rects());
}

// Values as a damaged registry or a hostile script leaves them.
struct Damage {
  const char* what;
  std::vector<SettingValue> values;
  const char* named;  // the value the one error message names; null: no message
};

TEST_F(WindowLayout, ADamagedLayoutLeavesTheProgramRunningAndTellsOnce) {
  ASSERT_TRUE(StartWindows({Specs()[0]}));
  const RECT wanted{40, 60, 40 + 300, 60 + 260};
  // Record 0 is whole and names the window exactly; what follows is damaged.
  const std::vector<SettingValue> record0 = {Text("PosN0", "Alpha report - Editor"), Text("PosC0", "TvmTestWindow"),
                                             Dword("PosX0", wanted.left), Dword("PosY0", wanted.top),
                                             Dword("PosW0", 300), Dword("PosH0", 260)};
  auto with = [&](std::vector<SettingValue> more) {
    std::vector<SettingValue> v = record0;
    v.insert(v.end(), more.begin(), more.end());
    return v;
  };
  const Damage damages[] = {
      {"a missing PosX, with the largest count",
       with({Dword("PosNum", INT32_MAX), Text("PosN1", "x"), Text("PosC1", "y"), Dword("PosY1", 1)}), "PosX1"},
      {"a text where a number belongs",
       with({Dword("PosNum", 2), Text("PosN1", "x"), Text("PosC1", "y"), Text("PosX1", "12")}), "PosX1"},
      {"a caption of megabytes", with({Dword("PosNum", 2), Text("PosN1", std::string(3 << 20, 'm'))}), "PosN1"},
      {"a count of 2^31 reads as negative: no record", with({Dword("PosNum", INT32_MIN)}), nullptr},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    e2e::EndAllInstances();
    SettingsKey::Delete();
    WriteSettings(d.values);
    SetWindowPos(Tracked("w0"), nullptr, 500, 400, 300, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(program_.Start());
    HWND panel = program_.WaitForPanel();
    ASSERT_NE(panel, nullptr);
    if (d.named) {
      HWND box = nullptr;
      ASSERT_TRUE(WaitUntil([&] { return (box = e2e::FindDialogWithText(program_.Id(), d.named)) != nullptr; }, 6s))
          << "no message named the value";
      // The window placed before the damage stays placed; the program answers while it tells.
      EXPECT_TRUE(WaitForRects({{"w0", wanted}}, 2s)) << DescribeRects(Rects());
      EXPECT_TRUE(e2e::ScrollBy(panel, 0, 0));
      e2e::PressDialogButton(box, IDOK);
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3s));
      Sleep(1000);
      EXPECT_EQ(e2e::FindDialogWithText(program_.Id(), d.named), nullptr) << "told more than once";
    } else {
      Sleep(2500);
      EXPECT_EQ(e2e::FindDialogWithText(program_.Id(), "registry"), nullptr);
    }
    EXPECT_TRUE(ProgramRuns());
    EXPECT_TRUE(e2e::ScrollBy(panel, 0, 0)) << "the program no longer answers";
  }
}

}  // namespace
