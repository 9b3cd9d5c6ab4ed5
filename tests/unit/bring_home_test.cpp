#include "scroller/bring_home.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using core::Bounds;
using core::Rect;
using scroller::WindowHandle;

// The taskbar on the left: the work area does not start at 0.
constexpr Rect kWork{60, 0, 1920, 1040};
// A second monitor right of the first.
constexpr Rect kSecondWork{1920, 0, 3200, 1024};

TEST(BringHome, TargetInsideTheWorkArea) {
  const struct {
    const char* what;
    std::optional<Rect> visible;
    std::optional<Bounds> want;
  } cases[] = {
      {"smaller: moved only", Rect{-3000, 500, -2200, 1100}, Bounds{60, 0, 800, 600}},
      {"wider: shrunk", Rect{5000, 10, 8000, 500}, Bounds{60, 0, 1860, 490}},
      {"taller and wider", Rect{0, -4000, 2500, 0}, Bounds{60, 0, 1860, 1040}},
      {"at minimized coordinates", Rect{-32000, -32000, -31840, -31973},
       Bounds{60, 0, 160, 27}},
      {"unreadable stays", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(scroller::HomeBoundsFor(c.visible, kWork), c.want) << c.what;
  EXPECT_EQ(scroller::HomeBoundsFor(Rect{0, 0, 800, 600}, Rect{}), (Bounds{0, 0, 800, 600}));
}

struct FakeHome : scroller::HomeDesk {
  std::map<WindowHandle, Rect> rects;
  std::set<WindowHandle> minimized;
  std::vector<std::string> calls;
  std::function<void(WindowHandle)> onSet;

  Rect WorkArea() override { return kWork; }
  std::vector<Rect> WorkAreas() override { return {kWork, kSecondWork}; }
  bool IsMinimized(WindowHandle w) override { return minimized.count(w) > 0; }
  void Restore(WindowHandle w) override {
    calls.push_back("restore " + std::to_string(w));
    minimized.erase(w);
    rects[w] = {4000, 4000, 4400, 4300};  // back at its off-screen place
  }
  std::optional<Rect> VisibleRect(WindowHandle w) override {
    if (minimized.count(w)) return Rect{-32000, -32000, -31840, -31973};
    const auto it = rects.find(w);
    if (it == rects.end()) return std::nullopt;
    return it->second;
  }
  void SetBoundsVisible(WindowHandle w, const Bounds& b) override {
    calls.push_back("set " + std::to_string(w));
    rects[w] = {b.x, b.y, b.x + b.width, b.y + b.height};
    if (onSet) onSet(w);
  }
  void Pause(int ms) override { calls.push_back("pause " + std::to_string(ms)); }
  void Redraw(WindowHandle w) override { calls.push_back("redraw " + std::to_string(w)); }
};

TEST(BringHome, EmptyListReturnsWithoutPause) {
  scroller::ScrollLists lists;
  FakeHome desk;
  EXPECT_EQ(scroller::BringWindowsHome(lists, desk), 0);
  EXPECT_TRUE(desk.calls.empty());
}

TEST(BringHome, RestoresMinimizedFirstPausesOnceRedrawsReadable) {
  scroller::ScrollLists lists;
  for (WindowHandle w : {1, 2, 3}) lists.Append(w, " ");
  FakeHome desk;
  desk.rects[1] = {-5000, 0, -4200, 600};
  desk.minimized.insert(2);
  // Window 3 cannot be read.
  EXPECT_EQ(scroller::BringWindowsHome(lists, desk), 2);
  EXPECT_EQ(desk.calls, (std::vector<std::string>{"set 1", "restore 2", "set 2", "pause 100",
                                                  "redraw 1", "redraw 2"}));
  EXPECT_EQ(desk.rects[2], (Rect{60, 0, 460, 300}));
}

// A window released while another is being moved is not touched afterwards, and the walk does
// not skip the window after it.
TEST(BringHome, NestedReleaseSkipsNothingElse) {
  scroller::ScrollLists lists;
  FakeHome desk;
  for (WindowHandle w : {1, 2, 3, 4}) {
    lists.Append(w, " ");
    desk.rects[w] = {5000, 0, 5100, 100};
  }
  desk.onSet = [&](WindowHandle w) {
    if (w == 1) lists.Release(1);  // the window being moved goes
    if (w == 2) lists.Release(3);  // a later one goes
  };
  EXPECT_EQ(scroller::BringWindowsHome(lists, desk), 3);
  EXPECT_EQ(desk.calls, (std::vector<std::string>{"set 1", "set 2", "set 4", "pause 100",
                                                  "redraw 2", "redraw 4"}));
}

// Windows the exit would leave behind (excluded, hidden) go home only when the user could not
// reach them otherwise; none is shown or restored.
TEST(BringHome, StrandedWindowsGoHomeOnlyWhenOutOfReach) {
  const struct {
    const char* what;
    Rect frame;
    bool minimized;
    bool home;
  } cases[] = {
      {"left of every monitor", {-1850, 100, -1350, 500}, false, true},
      {"below every monitor", {100, 5000, 400, 5300}, false, true},
      {"one pixel on the first monitor", {-499, 100, 61, 500}, false, false},
      {"on the second monitor", {2500, 100, 2900, 500}, false, false},
      {"touching an edge only", {-500, 100, 60, 500}, false, true},
      {"minimized: its restored place cannot be moved this way", {-1850, 100, -1350, 500}, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeHome desk;
    desk.rects[7] = c.frame;
    if (c.minimized) desk.minimized.insert(7);
    const std::vector<WindowHandle> stranded{7, 8};  // 8 has gone: its frame cannot be read
    EXPECT_EQ(scroller::BringStrandedWindowsHome(stranded, desk), c.home ? 1 : 0);
    for (const std::string& call : desk.calls) EXPECT_EQ(call.rfind("restore", 0), std::string::npos) << call;
    if (c.home) EXPECT_EQ(desk.rects[7].left, kWork.left);
  }
}

}  // namespace
