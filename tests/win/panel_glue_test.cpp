// The control panel's window procedure glue as a sequence of messages: for each phase of the
// panel's life, what the panel is asked to do and what the sender gets back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "scroller/win32/panel_view.h"
#include "scroller/win32/scroll_engine.h"

namespace {

using scroller::PanelView;

constexpr uint32_t kHookHandle = 0x1234;

// Records every call the engine makes on the panel, as one word each.
class RecordingPanel final : public PanelView {
 public:
  RecordingPanel() {
    hwnd_ = CreateWindowExA(0, "STATIC", "glue panel", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  }
  ~RecordingPanel() override { DestroyWindow(hwnd_); }

  HWND Handle() const override { return hwnd_; }
  bool Visible() const override { return visible_; }
  void Show() override {
    visible_ = true;
    calls.push_back("Show");
  }
  void Hide() override {
    visible_ = false;
    calls.push_back("Hide");
  }
  bool HideSetSizeDialog() override {
    if (!dialogVisible) return false;
    dialogVisible = false;
    calls.push_back("HideDialog");
    return true;
  }
  void End() override { calls.push_back("End"); }
  const scroller::OptionFields& Options() const override { return options; }
  uint32_t HookHandle() const override { return kHookHandle; }
  void SetLoaderRunning(bool running) override { calls.push_back(running ? "LoaderOn" : "LoaderOff"); }
  void ScrollLockItemChanged(bool checked) override { calls.push_back(checked ? "LockOn" : "LockOff"); }

  std::vector<std::string> calls;
  scroller::OptionFields options;
  bool dialogVisible = false;  // the set-size dialog

 private:
  HWND hwnd_ = nullptr;
  bool visible_ = false;
};

// Before the navigator's creation and from its destruction on.
class NoNavigator final : public scroller::NavigatorView {
 public:
  bool Exists() const override { return false; }
  HWND Handle() const override { return nullptr; }
  bool Visible() const override { return false; }
  void ShowForChord(const core::Bounds&) override {}
  void ShowFromTray(const core::Bounds&) override {}
  void Hide() override {}
  navigator::ShowMode ShowMode() const override { return navigator::ShowMode::ByChord; }
  bool WindowDragging() const override { return false; }
  bool DragMoved() const override { return false; }
  void EndWindowDrag() override {}
  void CaptureNextShot() override {}
  void RequestShot(HWND) override {}
  void SetBusy(bool) override {}
  void Invalidate() override {}
};

enum class Phase { Creating, Running, Ending };

struct Step {
  uint32_t message;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  bool closing = false;  // the program's end has been asked for when the message arrives
  bool dialogOpen = false;  // the set-size dialog shows when the message arrives
  std::vector<std::string> calls = {};
  bool handled = true;  // false: the form's own procedure gets it
  LRESULT answer = 0;
};

struct Sequence {
  const char* name;
  Phase phase;
  std::vector<Step> steps;
};

// As the size answer travels: the packed value widened to the pointer size.
const LRESULT kStopTracking = static_cast<LRESULT>(static_cast<intptr_t>(core::kStopTracking));

const Sequence kSequences[] = {
    // Start-up dialogs pump messages while the panel is being built: nothing runs yet.
    {"WhileCreating",
     Phase::Creating,
     {
         {.message = msg::WM_PANEL_HIDE},
         {.message = msg::WM_INSTANCE_SHOW},
         {.message = msg::WM_INSTANCE_EXIT},
         {.message = msg::WM_HOOK_GET_HANDLE, .answer = 0},
         {.message = msg::WM_HOOK_GET_SIZE, .wParam = 0x10, .answer = 0},
         {.message = msg::WM_PAUSE_SCROLL},
         {.message = msg::WM_SCROLL_BY, .wParam = 5},
         {.message = WM_HOTKEY, .wParam = 21},
     }},
    {"WhileRunning",
     Phase::Running,
     {
         {.message = msg::WM_INSTANCE_SHOW, .calls = {"Show"}},
         {.message = msg::WM_PANEL_HIDE, .calls = {"Hide"}},
         // The set-size dialog gives way to the panel.
         {.message = msg::WM_INSTANCE_SHOW, .dialogOpen = true, .calls = {"HideDialog", "Show"}},
         {.message = msg::WM_PANEL_HIDE, .calls = {"Hide"}},
         {.message = msg::WM_HOOK_GET_HANDLE, .answer = kHookHandle},
         {.message = msg::WM_HOOK_GET_SIZE, .wParam = 0x10, .answer = 0},
         {.message = msg::WM_HOOK_GET_SIZE, .wParam = 0x10, .closing = true, .answer = kStopTracking},
         {.message = msg::WM_PAUSE_SCROLL, .calls = {"LockOn"}},
         {.message = msg::WM_RESUME_SCROLL, .calls = {"LockOff"}},
         {.message = msg::WM_SCROLL_BY, .wParam = 5, .lParam = 7},
         {.message = msg::WM_EXCLUDE_WINDOW, .wParam = 0x10},
         {.message = msg::WM_INCLUDE_WINDOW, .wParam = 0x10},
         {.message = msg::WM_HOOK_RELEASED, .wParam = 0x10},
         {.message = msg::WM_HOOK_SUBCLASSED, .handled = false},
         {.message = msg::WM_LOADER_QUIT, .handled = false},
         {.message = WM_HOTKEY, .wParam = 99},
         {.message = WM_MOUSEMOVE, .handled = false},
         {.message = msg::WM_INSTANCE_EXIT, .calls = {"End"}},
     }},
    // The end is confirmed: nothing shows, scrolls or ends twice; the hook libraries still get
    // their answers.
    {"AfterTheEndBegan",
     Phase::Ending,
     {
         {.message = msg::WM_INSTANCE_SHOW},
         {.message = msg::WM_PANEL_HIDE},
         {.message = msg::WM_INSTANCE_EXIT},
         {.message = msg::WM_PAUSE_SCROLL},
         {.message = msg::WM_SCROLL_BY, .wParam = 5},
         {.message = msg::WM_HOOK_GET_HANDLE, .answer = kHookHandle},
         {.message = msg::WM_HOOK_GET_SIZE, .wParam = 0x10, .closing = true, .answer = kStopTracking},
     }},
};

void PrintTo(const Sequence& seq, std::ostream* os) { *os << seq.name; }

class PanelGlue : public ::testing::TestWithParam<Sequence> {};

TEST_P(PanelGlue, CallsAndAnswersFollowThePanelsLife) {
  const Sequence& seq = GetParam();
  RecordingPanel panel;
  NoNavigator navigator;
  navigator::DesktopModel model;
  core::ProgramEnd end;
  scroller::ScrollEngine engine(panel, navigator, model, end);
  if (seq.phase != Phase::Creating) {
    EXPECT_FALSE(engine.FinishCreation());
  }
  if (seq.phase == Phase::Ending) {
    end.phase = core::EndPhase::Ending;
    engine.BringListedWindowsHome();  // the list is empty: nothing moves
  }

  for (std::size_t i = 0; i < seq.steps.size(); ++i) {
    const Step& step = seq.steps[i];
    panel.calls.clear();
    end.phase = seq.phase == Phase::Ending || step.closing ? core::EndPhase::Ending : core::EndPhase::Running;
    panel.dialogVisible = step.dialogOpen;
    LRESULT answer = -1;
    const bool handled = engine.HandleMessage(step.message, step.wParam, step.lParam, answer);
    SCOPED_TRACE(testing::Message() << "step " << i << ": message 0x" << std::hex << step.message);
    EXPECT_EQ(panel.calls, step.calls);
    EXPECT_EQ(handled, step.handled);
    if (handled) {
      EXPECT_EQ(answer, step.answer);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sequences, PanelGlue, ::testing::ValuesIn(kSequences),
                         [](const testing::TestParamInfo<Sequence>& info) { return std::string(info.param.name); });

// An exit asked for while the panel was being built ends the program once it is built.
TEST(PanelGlueCreation, AnExitDuringCreationIsHonouredAtItsEnd) {
  RecordingPanel panel;
  NoNavigator navigator;
  navigator::DesktopModel model;
  core::ProgramEnd end;
  scroller::ScrollEngine engine(panel, navigator, model, end);
  LRESULT answer = -1;
  ASSERT_TRUE(engine.HandleMessage(msg::WM_INSTANCE_EXIT, 0, 0, answer));
  EXPECT_TRUE(panel.calls.empty());
  EXPECT_TRUE(engine.FinishCreation());
  EXPECT_FALSE(engine.FinishCreation()) << "remembered once only";
}

}  // namespace
