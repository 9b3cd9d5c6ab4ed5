// TVM64.dll's reports go to the 64-bit loader's window, not to the control panel: a subclassed
// window is reported WM_HOOK_SUBCLASSED, a destroyed one WM_HOOK_RELEASED once, and a missing
// control panel WM_HOOK_PANEL_MISSING with lParam 1 from the library's first hook call. The loader
// is a double on a thread of its own, found as the real one is (class "tTVM64Form", "TVM64LDR").
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "hooklib/win32/hook_api.h"
#include "win_support/hook_module.h"
#include "win_support/panel_double.h"
#include "win_support/process_helpers.h"

namespace {

using namespace std::chrono_literals;
using tvmtest::WaitUntil;

struct Report {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  friend bool operator==(const Report&, const Report&) = default;
};

class LoaderDouble {
 public:
  LoaderDouble() {
    thread_ = std::thread([this] { Run(); });
    WaitUntil([this] { return window_.load() != nullptr; }, 5s);
  }
  ~LoaderDouble() {
    if (HWND w = window_.load()) PostMessageA(w, WM_CLOSE, 0, 0);
    thread_.join();
  }
  std::vector<Report> Reports(UINT message) {
    std::lock_guard lock(mutex_);
    std::vector<Report> out;
    for (const Report& r : reports_) {
      if (r.message == message) out.push_back(r);
    }
    return out;
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<LoaderDouble*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self && m >= msg::kAppBase && m < msg::kAppBase + 0x40) {
      std::lock_guard lock(self->mutex_);
      self->reports_.push_back({m, wParam, lParam});
      return 0;
    }
    if (m == WM_CLOSE) {
      DestroyWindow(w);
      PostQuitMessage(0);
      return 0;
    }
    return DefWindowProcA(w, m, wParam, lParam);
  }
  void Run() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = ident::LoaderWindowClass;
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, ident::LoaderWindowClass, ident::LoaderWindowTitle, WS_POPUP, 0, 0,
                             0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_.store(w);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
  }

  std::thread thread_;
  std::atomic<HWND> window_{nullptr};
  std::mutex mutex_;
  std::vector<Report> reports_;
};

class Hooked64 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(hook_.Loaded());
    set_ = hook_.set;
  }
  static HWND ShownWindow() { return tvmtest::TouchedWindowOfThisThread("hooked 64"); }

  tvmtest::HookModule hook_{ident::HookLibrary64File};
  hooklib::SetHookCBTProc set_ = nullptr;
};

TEST_F(Hooked64, SubclassedAndReleasedWindowsAreReportedToTheLoaderOnce) {
  LoaderDouble loader;
  tvmtest::PanelDouble panel;
  panel.Answer(core::packSize(1400, 1100));
  ASSERT_NE(set_(), nullptr);
  HWND w = ShownWindow();
  ASSERT_NE(w, nullptr);
  const Report subclassed{msg::WM_HOOK_SUBCLASSED, reinterpret_cast<WPARAM>(w), 0};
  ASSERT_TRUE(WaitUntil([&] { return !loader.Reports(msg::WM_HOOK_SUBCLASSED).empty(); }, 2s));
  EXPECT_EQ(loader.Reports(msg::WM_HOOK_SUBCLASSED), std::vector<Report>{subclassed});
  ASSERT_TRUE(SetWindowPos(w, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 1400);
  EXPECT_EQ(r.bottom - r.top, 1100);

  DestroyWindow(w);
  const Report released{msg::WM_HOOK_RELEASED, reinterpret_cast<WPARAM>(w), 0};
  ASSERT_TRUE(WaitUntil([&] { return !loader.Reports(msg::WM_HOOK_RELEASED).empty(); }, 2s));
  WaitUntil([&] { return loader.Reports(msg::WM_HOOK_RELEASED).size() > 1; }, 300ms);
  EXPECT_EQ(loader.Reports(msg::WM_HOOK_RELEASED), std::vector<Report>{released});
  EXPECT_TRUE(panel.Released().empty()) << "TVM64 reports to the loader, not to the control panel";
  EXPECT_TRUE(loader.Reports(msg::WM_HOOK_PANEL_MISSING).empty());
}

TEST_F(Hooked64, AMissingControlPanelIsReportedFromTheFirstHookCallWithOne) {
  LoaderDouble loader;
  ASSERT_NE(set_(), nullptr);
  HWND w = ShownWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !loader.Reports(msg::WM_HOOK_PANEL_MISSING).empty(); }, 2s));
  EXPECT_EQ(loader.Reports(msg::WM_HOOK_PANEL_MISSING).front(), (Report{msg::WM_HOOK_PANEL_MISSING, 0, 1}));
  // Without a control panel the window is still freed from the screen's limit.
  ASSERT_TRUE(SetWindowPos(w, nullptr, 0, 0, 2600, 2200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 2600);
  EXPECT_EQ(r.bottom - r.top, 2200);
  DestroyWindow(w);
}

}  // namespace
