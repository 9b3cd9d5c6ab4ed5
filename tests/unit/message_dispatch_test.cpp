#include "scroller/message_dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

using scroller::DispatchResult;
using scroller::PanelAction;
using scroller::WindowHandle;

struct FakeNavigator : scroller::NavigatorLink {
  std::map<WindowHandle, core::PackedSize> sizes;
  std::vector<WindowHandle> forgotten;
  core::PackedSize ForcedSizeOf(WindowHandle w) override {
    const auto it = sizes.find(w);
    return it == sizes.end() ? core::kNoForcedSize : it->second;
  }
  void ForgetWindow(WindowHandle w) override { forgotten.push_back(w); }
};

struct Dispatch : ::testing::Test {
  scroller::EngineState engine;
  scroller::ScrollLists lists;
  std::vector<WindowHandle> excluded;
  scroller::PanelLife life{true};
  FakeNavigator nav;
  scroller::PanelContext ctx{engine, lists, excluded, life, &nav, 0xABCD};

  Dispatch() {
    lists.Append(0x10, "A (a)");
    lists.Append(0x20, "B (b)");
    lists.Append(0x30, "C (c)");
    nav.sizes[0x20] = core::packSize(800, 600);
  }
  DispatchResult Send(uint32_t m, uintptr_t w = 0, intptr_t l = 0) {
    return scroller::DispatchPanelMessage(m, w, l, ctx);
  }
};

// The running panel: what each message does, what it answers, and whether the inherited window
// procedure sees it too.
TEST_F(Dispatch, TableWhileRunning) {
  const struct {
    const char* what;
    uint32_t message;
    uintptr_t wParam;
    PanelAction action;
    bool passOn;
    intptr_t answer;
  } cases[] = {
      {"raw input, passed on afterwards", scroller::kWmInput, 0, PanelAction::HandleRawInput, true, 0},
      {"hot key", scroller::kWmHotKey, 21, PanelAction::HandleHotKey, false, 0},
      {"hide", msg::WM_PANEL_HIDE, 0, PanelAction::HidePanel, false, 0},
      {"exit", msg::WM_INSTANCE_EXIT, 0, PanelAction::EndProgram, false, 0},
      {"show", msg::WM_INSTANCE_SHOW, 0, PanelAction::ShowPanel, false, 0},
      {"hook handle", msg::WM_HOOK_GET_HANDLE, 0, PanelAction::None, false, 0xABCD},
      {"forced size", msg::WM_HOOK_GET_SIZE, 0x20, PanelAction::None, false,
       static_cast<intptr_t>(core::packSize(800, 600))},
      {"no forced size", msg::WM_HOOK_GET_SIZE, 0x99, PanelAction::None, false, 0},
      {"scroll by", msg::WM_SCROLL_BY, 5, PanelAction::RunMoveTick, false, 0},
      {"pause", msg::WM_PAUSE_SCROLL, 0, PanelAction::SyncScrollLockItem, false, 0},
      {"resume", msg::WM_RESUME_SCROLL, 0, PanelAction::SyncScrollLockItem, false, 0},
      {"a window answered after its moves", msg::WM_MOVES_TAKEN, 0x10, PanelAction::MovesTaken, false, 0},
      {"panel missing is the loader's", msg::WM_HOOK_PANEL_MISSING, 0, PanelAction::None, true, 0},
      {"subclassed is the loader's", msg::WM_HOOK_SUBCLASSED, 0x10, PanelAction::None, true, 0},
      {"loader quit is the loader's", msg::WM_LOADER_QUIT, 0, PanelAction::None, true, 0},
      {"any other message", 0x0010, 0, PanelAction::None, true, 0},
  };
  for (const auto& c : cases) {
    const DispatchResult r = Send(c.message, c.wParam);
    EXPECT_EQ(r.action, c.action) << c.what;
    EXPECT_EQ(r.passOn, c.passOn) << c.what;
    EXPECT_EQ(r.answer, c.answer) << c.what;
  }
}

TEST_F(Dispatch, ScrollByTakesSignedPixels) {
  Send(msg::WM_SCROLL_BY, static_cast<uintptr_t>(0xFFFFFF9Cu), 250);
  EXPECT_EQ(engine.PendingDX, -100);
  EXPECT_EQ(engine.PendingDY, 250);
  Send(msg::WM_SCROLL_BY, 3, static_cast<intptr_t>(static_cast<uintptr_t>(0x80000000u)));
  EXPECT_EQ(engine.PendingDX, 3);  // assigned, not added
  EXPECT_EQ(engine.PendingDY, std::numeric_limits<int32_t>::min());
}

TEST_F(Dispatch, ReleasedDropsHandleAndTextAtOneIndex) {
  Send(msg::WM_HOOK_RELEASED, 0x20);
  EXPECT_EQ(lists.Handles, (std::vector<WindowHandle>{0x10, 0x30}));
  EXPECT_EQ(lists.Texts, (std::vector<std::string>{"A (a)", "C (c)"}));
  // Not listed: the lists stay, the navigator still forgets it.
  Send(msg::WM_HOOK_RELEASED, 0x77);
  EXPECT_EQ(lists.Handles.size(), 2u);
  EXPECT_EQ(nav.forgotten, (std::vector<WindowHandle>{0x20, 0x77}));
}

// A release for a window that still exists only says the hook no longer tracks it: it goes on
// scrolling and keeps its entry; a gone one leaves at once.
TEST_F(Dispatch, AReleasedWindowThatStillExistsStaysListedAndKeepsItsEntry) {
  std::vector<WindowHandle> asked;
  ctx.windowExists = [&](WindowHandle w) {
    asked.push_back(w);
    return w == 0x20;
  };
  Send(msg::WM_HOOK_RELEASED, 0x20);
  EXPECT_EQ(lists.Handles, (std::vector<WindowHandle>{0x10, 0x20, 0x30}));
  EXPECT_EQ(lists.Texts.size(), 3u);
  EXPECT_TRUE(nav.forgotten.empty());
  Send(msg::WM_HOOK_RELEASED, 0x30);
  EXPECT_EQ(lists.Handles, (std::vector<WindowHandle>{0x10, 0x20}));
  EXPECT_EQ(nav.forgotten, (std::vector<WindowHandle>{0x30}));
  EXPECT_EQ(asked, (std::vector<WindowHandle>{0x20, 0x30}));
}

TEST_F(Dispatch, ClosingAndNavigatorGone) {
  const core::ProgramEnd ending{core::EndPhase::Ending};
  engine.end = &ending;
  EXPECT_EQ(Send(msg::WM_HOOK_GET_SIZE, 0x20).answer, static_cast<intptr_t>(core::kStopTracking));
  EXPECT_EQ(Send(msg::WM_HOOK_GET_SIZE, 0x99).answer, static_cast<intptr_t>(core::kStopTracking));
  EXPECT_EQ(Send(msg::WM_MOVES_TAKEN, 0x10).action, PanelAction::None) << "nothing moves once the end has begun";
  engine.end = nullptr;
  ctx.navigator = nullptr;  // destroyed before the panel
  EXPECT_EQ(Send(msg::WM_HOOK_GET_SIZE, 0x20).answer, 0);
  Send(msg::WM_HOOK_RELEASED, 0x10);
  EXPECT_FALSE(lists.Contains(0x10));
  EXPECT_TRUE(nav.forgotten.empty());
}

TEST_F(Dispatch, ExcludeOnceIncludeOnce) {
  Send(msg::WM_EXCLUDE_WINDOW, 0x40, 123);
  Send(msg::WM_EXCLUDE_WINDOW, 0x40);
  EXPECT_EQ(excluded, (std::vector<WindowHandle>{0x40}));
  Send(msg::WM_INCLUDE_WINDOW, 0x40);
  EXPECT_TRUE(excluded.empty());
  EXPECT_EQ(Send(msg::WM_INCLUDE_WINDOW, 0x40).answer, 0);
}

// Handles excluded by message do not pile up: gone windows are pruned (a handle given to a new
// window again must not exclude it), and no more than the cap are kept.
TEST_F(Dispatch, ExcludedWindowsArePrunedAndCapped) {
  std::set<WindowHandle> alive{0x40, 0x41};
  ctx.windowExists = [&](WindowHandle w) { return alive.count(w) > 0; };
  Send(msg::WM_EXCLUDE_WINDOW, 0x40);
  Send(msg::WM_EXCLUDE_WINDOW, 0x99);  // gone already, or soon
  Send(msg::WM_EXCLUDE_WINDOW, 0x41);
  scroller::PruneExcludedWindows(excluded, ctx.windowExists);
  EXPECT_EQ(excluded, (std::vector<WindowHandle>{0x40, 0x41}));

  // Full of live windows: one more is refused, the excluded ones stay excluded.
  excluded.clear();
  for (WindowHandle w = 0x1000; w < 0x1000 + scroller::kMaxExcludedWindows; ++w) {
    alive.insert(w);
    Send(msg::WM_EXCLUDE_WINDOW, w);
  }
  ASSERT_EQ(excluded.size(), scroller::kMaxExcludedWindows);
  alive.insert(0x42);
  Send(msg::WM_EXCLUDE_WINDOW, 0x42);
  EXPECT_EQ(excluded.size(), scroller::kMaxExcludedWindows);
  EXPECT_EQ(std::count(excluded.begin(), excluded.end(), 0x42), 0);
  // Once one of them has gone there is room again.
  alive.erase(0x1005);
  Send(msg::WM_EXCLUDE_WINDOW, 0x42);
  EXPECT_EQ(excluded.size(), scroller::kMaxExcludedWindows);
  EXPECT_EQ(std::count(excluded.begin(), excluded.end(), 0x42), 1);
  EXPECT_EQ(std::count(excluded.begin(), excluded.end(), 0x1005), 0);
}

TEST_F(Dispatch, PauseTwiceKeepsTheItemCheckedAfterResume) {
  Send(msg::WM_PAUSE_SCROLL);
  Send(msg::WM_PAUSE_SCROLL);
  Send(msg::WM_RESUME_SCROLL);
  EXPECT_FALSE(engine.ScrollPaused);
  EXPECT_TRUE(engine.MenuScrollLockChecked);

  engine = {};
  Send(msg::WM_PAUSE_SCROLL);
  EXPECT_TRUE(engine.ScrollPaused);
  EXPECT_TRUE(engine.MenuScrollLockChecked);
  Send(msg::WM_RESUME_SCROLL);
  EXPECT_FALSE(engine.MenuScrollLockChecked);
}

// While the panel is being created its modal boxes pump messages: every private message is
// answered 0, input and requests are ignored, an exit is remembered for the end of creation,
// and list changes are kept.
TEST_F(Dispatch, WhileCreating) {
  life.CreationFinished = false;
  for (uint32_t m : {msg::WM_PANEL_HIDE, msg::WM_INSTANCE_SHOW, msg::WM_HOOK_GET_HANDLE,
                     msg::WM_HOOK_GET_SIZE, msg::WM_SCROLL_BY, msg::WM_PAUSE_SCROLL,
                     msg::WM_RESUME_SCROLL, scroller::kWmHotKey, msg::WM_INSTANCE_EXIT, msg::WM_MOVES_TAKEN}) {
    const DispatchResult r = Send(m, 0x20, 9);
    EXPECT_EQ(r.action, PanelAction::None) << std::hex << m;
    EXPECT_EQ(r.answer, 0) << std::hex << m;
    EXPECT_FALSE(r.passOn) << std::hex << m;
  }
  EXPECT_EQ(engine.PendingDX, 0);
  EXPECT_FALSE(engine.ScrollPaused);
  const DispatchResult input = Send(scroller::kWmInput);
  EXPECT_EQ(input.action, PanelAction::None);
  EXPECT_TRUE(input.passOn);
  Send(msg::WM_EXCLUDE_WINDOW, 0x40);
  EXPECT_EQ(excluded.size(), 1u);

  EXPECT_TRUE(scroller::FinishCreation(life));
  EXPECT_EQ(Send(msg::WM_HOOK_GET_HANDLE).answer, 0xABCD);

  scroller::PanelLife quiet;
  EXPECT_FALSE(scroller::FinishCreation(quiet));
}

// Once shut-down has begun, nothing scrolls or shows; the hook library's questions are still
// answered and releases still keep the lists right for bringing the windows home.
TEST_F(Dispatch, AfterShutDownBegan) {
  const core::ProgramEnd ending{core::EndPhase::Ending};
  engine.end = &ending;
  for (uint32_t m : {msg::WM_SCROLL_BY, msg::WM_INSTANCE_SHOW, msg::WM_INSTANCE_EXIT,
                     msg::WM_PANEL_HIDE, msg::WM_PAUSE_SCROLL, scroller::kWmHotKey}) {
    EXPECT_EQ(Send(m, 40, 40).action, PanelAction::None) << std::hex << m;
  }
  EXPECT_EQ(engine.PendingDX, 0);
  EXPECT_FALSE(engine.ScrollPaused);
  EXPECT_TRUE(Send(scroller::kWmInput).passOn);
  EXPECT_EQ(Send(msg::WM_HOOK_GET_SIZE, 0x20).answer, static_cast<intptr_t>(core::kStopTracking));
  Send(msg::WM_HOOK_RELEASED, 0x30);
  EXPECT_FALSE(lists.Contains(0x30));
}

}  // namespace
