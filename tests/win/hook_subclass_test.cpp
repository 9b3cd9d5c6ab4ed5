// "Tavelmoor.dll" at work in other processes: windows it subclasses take the size a control panel
// answers for them and keep it, the reports reach the control panel, a restarted or hung control
// panel neither hangs nor strands the hooked application, its private WM_PRINT removes a subclass
// silently, and another program's CBT hook set before ours still gets every event.
//
// The control panel is a double on a thread of its own in this process, found as the real one is
// (class "TTavelmoorForm", title "Tavelmoor ControlPanel"), that answers WM_HOOK_GET_SIZE with
// the size the test sets and records WM_HOOK_RELEASED.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "hooklib/win32/hook_api.h"
#include "support/test_windows.h"
#include "win_support/hook_module.h"
#include "win_support/panel_double.h"
#include "win_support/process_helpers.h"

namespace {

using namespace std::chrono_literals;
using tvmtest::PanelDouble;
using tvmtest::SizeOf;
using tvmtest::TouchAsAUser;
using tvmtest::WaitUntil;


::testing::AssertionResult HasSize(HWND w, LONG cx, LONG cy) {
  const SIZE s = SizeOf(w);
  if (s.cx == cx && s.cy == cy) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the window is " << s.cx << " x " << s.cy << ", not " << cx << " x " << cy;
}

bool Resize(HWND w, int cx, int cy) {
  return SetWindowPos(w, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

class HookedWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hook_.Loaded());
    set_ = hook_.set;
  }
  void TearDown() override { windows_.End(); }

  // Sets our hook, starts a test window in another process and lets the hook subclass it.
  HWND StartHookedWindow() {
    if (!set_()) {
      ADD_FAILURE() << "SetHookCBT failed";
      return nullptr;
    }
    if (!windows_.Start({{.id = "w", .className = "TvmHookedWindow", .title = "hooked", .x = 50, .y = 60,
                          .width = 400, .height = 300}})) {
      ADD_FAILURE() << windows_.Error();
      return nullptr;
    }
    HWND w = windows_.Window("w");
    TouchAsAUser(w);
    return w;
  }

  // Unhooked and released after the test windows have gone.
  tvmtest::HookModule hook_{ident::HookLibraryFile};
  hooklib::SetHookCBTProc set_ = nullptr;
  e2e::TestWindows windows_;
};

TEST_F(HookedWindows, TheAnsweredSizeReplacesEverySizeAndNoneLeavesTheRequestedOne) {
  PanelDouble panel;
  panel.Answer(core::packSize(3000, 2500));
  HWND w = StartHookedWindow();
  ASSERT_NE(w, nullptr);
  for (auto [cx, cy] : {std::pair{500, 400}, {4000, 3500}, {3000, 2500}}) {
    ASSERT_TRUE(Resize(w, cx, cy));
    EXPECT_TRUE(HasSize(w, 3000, 2500)) << "asked for " << cx << " x " << cy;
  }
  // A pure move asks nothing and keeps the size.
  const int asked = panel.SizeQuestions();
  ASSERT_TRUE(SetWindowPos(w, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_EQ(panel.SizeQuestions(), asked);
  EXPECT_TRUE(HasSize(w, 3000, 2500));

  panel.Answer(core::kNoForcedSize);
  ASSERT_TRUE(Resize(w, 640, 480));
  EXPECT_TRUE(HasSize(w, 640, 480));
  // While the program ends, the size question is answered 0xFFFFFFFF: no size is imposed.
  panel.Answer(core::kStopTracking);
  ASSERT_TRUE(Resize(w, 700, 500));
  EXPECT_TRUE(HasSize(w, 700, 500));
}

TEST_F(HookedWindows, ADestroyedWindowIsReportedReleasedOnce) {
  PanelDouble panel;
  HWND w = StartHookedWindow();
  ASSERT_NE(w, nullptr);
  e2e::TestWindows::Destroy(w);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(w); }, 3s));
  // Reports are not waited for: give a late one time to arrive.
  WaitUntil([&] { return panel.Released().size() > 1; }, 500ms);
  EXPECT_EQ(panel.Released(), std::vector<HWND>{w});
}

TEST_F(HookedWindows, ARestartedControlPanelIsFoundAgain) {
  auto first = std::make_unique<PanelDouble>();
  first->Answer(core::packSize(900, 700));
  HWND w = StartHookedWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Resize(w, 500, 400));
  ASSERT_TRUE(HasSize(w, 900, 700)) << "the first control panel was not asked";
  first.reset();

  PanelDouble second;
  second.Answer(core::packSize(1800, 1500));
  ASSERT_TRUE(Resize(w, 500, 400));
  EXPECT_TRUE(HasSize(w, 1800, 1500)) << "the hook kept asking the control panel that has gone";
  EXPECT_GE(second.SizeQuestions(), 1);
}

TEST_F(HookedWindows, AHungControlPanelDoesNotHoldTheApplication) {
  PanelDouble panel;
  panel.Answer(core::packSize(3000, 2500));
  HWND w = StartHookedWindow();
  ASSERT_NE(w, nullptr);
  panel.Hang(4000);
  ASSERT_TRUE(WaitUntil([&] { return panel.Sleeping(); }, 1s));
  ASSERT_TRUE(Resize(w, 640, 480));
  // The resize has been handled while the control panel still sleeps: no answer, no size.
  EXPECT_TRUE(panel.Sleeping()) << "the hooked window waited for the hung control panel";
  EXPECT_TRUE(HasSize(w, 640, 480));
  ASSERT_TRUE(WaitUntil([&] { return !panel.Sleeping(); }, 6s));
  ASSERT_TRUE(Resize(w, 600, 450));
  EXPECT_TRUE(HasSize(w, 3000, 2500)) << "the awake control panel is asked again";
}

TEST_F(HookedWindows, TheSizeIsLimitedTo32000AndNoLongerToTheScreen) {
  PanelDouble panel;
  ASSERT_NE(set_(), nullptr);
  // A window of this thread whose own procedure sets no limits: the screen would bound it.
  HWND w = tvmtest::TouchedWindowOfThisThread("in process");
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Resize(w, 5000, 4000));
  EXPECT_TRUE(HasSize(w, 5000, 4000));
  ASSERT_TRUE(Resize(w, 40000, 40000));
  EXPECT_TRUE(HasSize(w, 32000, 32000));
  DestroyWindow(w);
}

TEST_F(HookedWindows, PrivatePrintWithoutADeviceContextRemovesTheSubclassSilentlyOnlyWithTwo) {
  PanelDouble panel;
  panel.Answer(core::packSize(1500, 1200));
  ASSERT_NE(set_(), nullptr);
  // WM_PRINT carries a device context and does not cross processes: a window of this thread.
  HWND w = tvmtest::TouchedWindowOfThisThread("in process");
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Resize(w, 400, 300));
  ASSERT_TRUE(HasSize(w, 1500, 1200));

  EXPECT_EQ(SendMessageA(w, WM_PRINT, 0, 7), 7);
  ASSERT_TRUE(Resize(w, 400, 300));
  EXPECT_TRUE(HasSize(w, 1500, 1200)) << "lParam 7 removed the subclass";

  EXPECT_EQ(SendMessageA(w, WM_PRINT, 0, msg::kPrintRemovesSubclass), msg::kPrintRemovesSubclass);
  ASSERT_TRUE(Resize(w, 400, 300));
  EXPECT_TRUE(HasSize(w, 400, 300)) << "lParam 2 left the subclass in place";
  EXPECT_EQ(SendMessageA(w, WM_PRINT, 0, 7), 0) << "the window itself answers again";

  // The next event subclasses it anew.
  TouchAsAUser(w);
  ASSERT_TRUE(Resize(w, 400, 300));
  EXPECT_TRUE(HasSize(w, 1500, 1200));
  DestroyWindow(w);
  tvmtest::PumpMessages();
  WaitUntil([&] { return !panel.Released().empty(); }, 1s);
  EXPECT_EQ(panel.Released(), std::vector<HWND>{w}) << "only the destroy is reported";
}

// Another program's hook, set before ours: ours is called first and must hand every event on.
class CounterHook {
 public:
  CounterHook() {
    block_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG) * 10,
                                "TvmCbtCounterEvents");
    if (block_) counts_ = static_cast<volatile LONG*>(MapViewOfFile(block_, FILE_MAP_WRITE, 0, 0, 0));
    module_ = LoadLibraryA((tvmtest::WindowsPathOf(TVM_WIN_TESTS_DIR) + "\\cbt_counter.dll").c_str());
    if (!module_) return;
    FARPROC proc = GetProcAddress(module_, "CounterHookProc@12");
    if (!proc) proc = GetProcAddress(module_, "CounterHookProc");
    if (proc) hook_ = SetWindowsHookExA(WH_CBT, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(proc)), module_, 0);
  }
  ~CounterHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (module_) FreeLibrary(module_);
    if (counts_) UnmapViewOfFile(const_cast<LONG*>(counts_));
    if (block_) CloseHandle(block_);
  }
  bool Set() const { return hook_ && counts_; }
  LONG Count(int code) const { return counts_[code]; }

 private:
  HANDLE block_ = nullptr;
  volatile LONG* counts_ = nullptr;
  HMODULE module_ = nullptr;
  HHOOK hook_ = nullptr;
};

TEST_F(HookedWindows, AnotherProgramsHookSetBeforeOursStillGetsItsEvents) {
  CounterHook counter;
  ASSERT_TRUE(counter.Set()) << "cannot set the other program's hook, error " << GetLastError();
  PanelDouble panel;
  panel.Answer(core::packSize(2000, 1600));
  const LONG createdBefore = counter.Count(HCBT_CREATEWND);
  const LONG minMaxBefore = counter.Count(HCBT_MINMAX);
  HWND w = StartHookedWindow();  // ours is set now, after the other program's
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return counter.Count(HCBT_CREATEWND) > createdBefore; }, 2s))
      << "the window's creation did not reach the other hook";
  EXPECT_TRUE(WaitUntil([&] { return counter.Count(HCBT_MINMAX) >= minMaxBefore + 2; }, 2s))
      << "minimizing and restoring did not reach the other hook";
  // And ours ran in front of it all the while.
  ASSERT_TRUE(Resize(w, 500, 400));
  EXPECT_TRUE(HasSize(w, 2000, 1600));
}

TEST_F(HookedWindows, WithoutAnyControlPanelTheWindowIsOnlyFreedFromTheScreenLimit) {
  HWND w = StartHookedWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Resize(w, 2500, 2100));
  EXPECT_TRUE(HasSize(w, 2500, 2100));
  ASSERT_TRUE(Resize(w, 300, 200));
  EXPECT_TRUE(HasSize(w, 300, 200));
}

}  // namespace
