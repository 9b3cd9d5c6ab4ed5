#pragma once
// What both hook libraries leave behind once their hook has gone, "Tavelmoor.dll" in the win
// tests and "TVM64.dll" in the win64 tests: nothing. However the hook went (UnHookCBT, the host
// letting the library go without it, the thread that set it ending as when its program is
// killed), a subclassed window takes its application's own size limits again, asks no control
// panel for a size, and loses the subclass at its next message, which it still gets. Another
// program's hook of the same library file going, however it goes, leaves them alone, and a hook
// whose setter was killed does nothing of ours. A test
// program includes this header once and instantiates the suites with its library's file name:
//   namespace tvmtest {
//   INSTANTIATE_HOOK_REMOVAL_TESTS(Tavelmoor, "Tavelmoor.dll");
//   }
// It links the test windows of the end-to-end support (test_windows.exe beside it) and defines
// TVM_HOOK_SETTER, the path of hook_setter.exe of its architecture.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "support/test_windows.h"
#include "win_support/hook_module.h"
#include "win_support/panel_double.h"
#include "win_support/process_helpers.h"

namespace tvmtest {

enum class HookEnd {
  UnHookCBT,         // the host removes the hook
  LibraryReleased,   // the host lets the library go without UnHookCBT
  SetterThreadEnds,  // the thread that set the hook ends without either, as a killed program's
};

struct HookRemovalCase {
  const char* library;
  HookEnd end;
  friend void PrintTo(const HookRemovalCase& c, std::ostream* os) {
    *os << (c.end == HookEnd::UnHookCBT         ? "UnHookCBT"
            : c.end == HookEnd::LibraryReleased ? "LibraryReleased"
                                                : "SetterThreadEnds");
  }
};

inline std::vector<HookRemovalCase> EveryHookEnd(const char* library) {
  return {{library, HookEnd::UnHookCBT}, {library, HookEnd::LibraryReleased}, {library, HookEnd::SetterThreadEnds}};
}

// The hook set by a thread of its own, which ends it, when told, the way the case says.
class HookSetterThread {
 public:
  HookSetterThread(HookModule& module, HookEnd end) : module_(module), end_(end) {
    thread_ = std::thread([this] { Run(); });
    WaitForSingleObject(set_, 5000);
  }
  ~HookSetterThread() {
    End();
    CloseHandle(set_);
    CloseHandle(end_event_);
  }
  HookSetterThread(const HookSetterThread&) = delete;
  HookSetterThread& operator=(const HookSetterThread&) = delete;

  bool Set() const { return hook_ != nullptr; }
  // Ends the hook and waits until the thread has done so.
  void End() {
    if (!thread_.joinable()) return;
    SetEvent(end_event_);
    thread_.join();
  }

 private:
  void Run() {
    hook_ = module_.set();
    SetEvent(set_);
    WaitForSingleObject(end_event_, INFINITE);
    if (end_ == HookEnd::UnHookCBT) module_.unhook();
    if (end_ == HookEnd::LibraryReleased) module_.Release();
  }

  HookModule& module_;
  HookEnd end_;
  HANDLE set_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE end_event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HHOOK hook_ = nullptr;
  std::thread thread_;
};

// hook_setter.exe setting the same library's hook from a process of its own; killed at the latest
// when it goes.
class SetterProcess {
 public:
  explicit SetterProcess(const char* library) {
    static int started = 0;
    const std::string name =
        "TvmHookSetter." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(++started);
    ready_ = CreateEventA(nullptr, TRUE, FALSE, (name + ".ready").c_str());
    unhook_ = CreateEventA(nullptr, TRUE, FALSE, (name + ".unhook").c_str());
    release_ = CreateEventA(nullptr, TRUE, FALSE, (name + ".release").c_str());
    set_ = process_.Start(WindowsPathOf(TVM_HOOK_SETTER), std::string(library) + " " + name) &&
           WaitForSingleObject(ready_, 10000) == WAIT_OBJECT_0;
  }
  ~SetterProcess() {
    process_.Reset();
    for (HANDLE event : {ready_, unhook_, release_}) CloseHandle(event);
  }
  SetterProcess(const SetterProcess&) = delete;
  SetterProcess& operator=(const SetterProcess&) = delete;

  bool Set() const { return set_; }
  // Ends its hook the way the case says and waits until the process has gone.
  void End(HookEnd end) {
    if (end == HookEnd::SetterThreadEnds) {
      process_.Terminate();
      return;
    }
    SetEvent(end == HookEnd::UnHookCBT ? unhook_ : release_);
    process_.WaitForExit(5s);
  }

 private:
  ProcessGuard process_;
  HANDLE ready_ = nullptr;
  HANDLE unhook_ = nullptr;
  HANDLE release_ = nullptr;
  bool set_ = false;
};

inline ::testing::AssertionResult SizeIs(HWND w, LONG cx, LONG cy) {
  const SIZE s = SizeOf(w);
  if (s.cx == cx && s.cy == cy) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the window is " << s.cx << " x " << s.cy << ", not " << cx << " x " << cy;
}

inline bool ResizeTo(HWND w, int cx, int cy) {
  return SetWindowPos(w, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

class HookGone : public ::testing::TestWithParam<HookRemovalCase> {
 protected:
  void SetUp() override { ASSERT_TRUE(module_.Loaded()) << GetParam().library; }
  void TearDown() override { windows_.End(); }

  // A window of another process whose application limits its size to 500 x 400 .. 1000 x 800,
  // touched so that a hook set now subclasses it; null, with the test failed, when it did not start.
  HWND StartLimitedWindow() {
    if (!windows_.Start({{.id = "w", .className = "TvmHookedWindow", .title = "hooked", .x = 50, .y = 60,
                          .width = 600, .height = 450, .track = {500, 400, 1000, 800}}})) {
      ADD_FAILURE() << windows_.Error();
      return nullptr;
    }
    HWND w = windows_.Window("w");
    TouchAsAUser(w);
    return w;
  }

  HookModule module_{GetParam().library};
  e2e::TestWindows windows_;
};

TEST_P(HookGone, AWindowOfAnotherProcessTakesItsApplicationsLimitsAgainAndAsksNothing) {
  PanelDouble panel;  // answers no forced size: only the limits are the subclass's
  HookSetterThread setter(module_, GetParam().end);
  ASSERT_TRUE(setter.Set());
  HWND w = StartLimitedWindow();
  ASSERT_NE(w, nullptr);
  // Subclassed: neither of the application's limits holds.
  ASSERT_TRUE(ResizeTo(w, 200, 150));
  ASSERT_TRUE(SizeIs(w, 200, 150)) << "not subclassed";
  ASSERT_TRUE(ResizeTo(w, 3000, 2500));
  ASSERT_TRUE(SizeIs(w, 3000, 2500));
  const int asked = panel.SizeQuestions();
  ASSERT_GT(asked, 0);

  setter.End();
  ASSERT_TRUE(ResizeTo(w, 200, 150));
  EXPECT_TRUE(SizeIs(w, 500, 400)) << "the application's minimum size does not hold";
  ASSERT_TRUE(ResizeTo(w, 3000, 2500));
  EXPECT_TRUE(SizeIs(w, 1000, 800)) << "the application's maximum size does not hold";
  EXPECT_EQ(panel.SizeQuestions(), asked) << "the window asked for a size after the hook had gone";
}

// WM_PRINT carries a device context and does not cross processes: a window of this thread. A
// library with a subclass in this process is pinned in it, so letting it go ends nothing here.
class HookGoneInThisProcess : public HookGone {};

TEST_P(HookGoneInThisProcess, TheSubclassGoesAtTheNextMessageWhichTheWindowStillGets) {
  HookSetterThread setter(module_, GetParam().end);
  ASSERT_TRUE(setter.Set());
  // Not shown yet, so not subclassed when it is created.
  HWND w = CreateWindowExA(0, "STATIC", "in process", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  const LONG_PTR ownProc = GetWindowLongPtrA(w, GWLP_WNDPROC);
  ShowWindow(w, SW_SHOWNORMAL);
  TouchAsAUser(w);
  ASSERT_EQ(SendMessageA(w, WM_PRINT, 0, 7), 7) << "not subclassed";
  ASSERT_NE(GetWindowLongPtrA(w, GWLP_WNDPROC), ownProc);

  setter.End();
  EXPECT_EQ(SendMessageA(w, WM_PRINT, 0, 7), 0) << "the window itself did not get the message";
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), ownProc) << "the subclass is still in place";
  DestroyWindow(w);
}

// The hook's windows in two places: one of another process (StartLimitedWindow) and one of this
// thread, which WM_PRINT reaches; the latter is destroyed with the fixture.
class TwoPlaces : public HookGone {
 protected:
  void TearDown() override {
    if (local_) DestroyWindow(local_);
    HookGone::TearDown();
  }
  bool StartWindows(HWND& other, HWND& local) {
    other = StartLimitedWindow();
    local = local_ = TouchedWindowOfThisThread("in process");
    return other && local;
  }

 private:
  HWND local_ = nullptr;
};

// A second setter of the same library file (a second loader, another user's program) whose hook
// goes while the one this process set still runs: the subclasses made under this one stay, in
// another process and in this one; once this one goes too, they go.
class AnotherSettersEnd : public TwoPlaces {};

TEST_P(AnotherSettersEnd, LeavesTheSubclassesOfTheHookThatStillRuns) {
  PanelDouble panel;
  panel.Answer(core::packSize(1500, 1200));
  HookSetterThread setter(module_, HookEnd::UnHookCBT);
  ASSERT_TRUE(setter.Set());
  HWND w = nullptr, local = nullptr;
  ASSERT_TRUE(StartWindows(w, local));
  ASSERT_TRUE(ResizeTo(w, 600, 450));
  ASSERT_TRUE(SizeIs(w, 1500, 1200)) << "not subclassed";
  ASSERT_EQ(SendMessageA(local, WM_PRINT, 0, 7), 7) << "not subclassed";

  SetterProcess other(GetParam().library);
  ASSERT_TRUE(other.Set()) << "hook_setter.exe did not set the hook";
  other.End(GetParam().end);
  ASSERT_TRUE(ResizeTo(w, 700, 500));
  EXPECT_TRUE(SizeIs(w, 1500, 1200)) << "the other hook's end freed a window of the hook that still runs";
  EXPECT_EQ(SendMessageA(local, WM_PRINT, 0, 7), 7) << "the other hook's end freed a window of this process";

  setter.End();
  ASSERT_TRUE(ResizeTo(w, 700, 500));
  EXPECT_TRUE(SizeIs(w, 700, 500)) << "the window kept its subclass after its own hook had gone";
  EXPECT_EQ(SendMessageA(local, WM_PRINT, 0, 7), 0) << "the window of this process kept its subclass";
}

// A setter killed with its hook set: Windows removes the hook with the setter's thread, Wine
// goes on calling it. Either way the processes it reaches, this one too, do nothing for it: no
// window is subclassed and the control panel is asked nothing, not even for the hook handle.
class KilledSetter : public TwoPlaces {};

TEST_P(KilledSetter, ItsHookDoesNothingOfOursWhereItStillCalls) {
  PanelDouble panel;
  panel.Answer(core::packSize(1500, 1200));
  SetterProcess killed(GetParam().library);
  ASSERT_TRUE(killed.Set()) << "hook_setter.exe did not set the hook";
  killed.End(HookEnd::SetterThreadEnds);
  HWND w = nullptr, local = nullptr;
  ASSERT_TRUE(StartWindows(w, local));
  ASSERT_TRUE(ResizeTo(w, 200, 150));
  EXPECT_TRUE(SizeIs(w, 500, 400)) << "subclassed under a hook whose setter is gone";
  EXPECT_EQ(SendMessageA(local, WM_PRINT, 0, 7), 0) << "a window of this process was subclassed";
  EXPECT_EQ(panel.SizeQuestions(), 0);
  EXPECT_EQ(panel.HandleQuestions(), 0);
}

}  // namespace tvmtest

#define INSTANTIATE_HOOK_REMOVAL_TESTS(prefix, file)                                                      \
  INSTANTIATE_TEST_SUITE_P(prefix, HookGone, ::testing::ValuesIn(::tvmtest::EveryHookEnd(file)));          \
  INSTANTIATE_TEST_SUITE_P(prefix, HookGoneInThisProcess,                                                 \
                           ::testing::Values(HookRemovalCase{file, HookEnd::UnHookCBT},                   \
                                             HookRemovalCase{file, HookEnd::SetterThreadEnds}));          \
  INSTANTIATE_TEST_SUITE_P(prefix, AnotherSettersEnd, ::testing::ValuesIn(::tvmtest::EveryHookEnd(file)));   \
  INSTANTIATE_TEST_SUITE_P(prefix, KilledSetter, ::testing::Values(HookRemovalCase{file, HookEnd::SetterThreadEnds}))
