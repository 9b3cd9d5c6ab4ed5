// The navigator's mouse against real input: the window class takes double clicks, so the second
// press of a fast pair arrives as a double-click message, and it is a press like the first.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "navigator/overview_map.h"
#include "navigator/win32/navigator_form.h"
#include "platform/handles.h"
#include "unit/navigator_fixture.h"
#include "win_support/mouse_input.h"

namespace {

using navtest::FakeHost;
using tvmtest::Button;

class NavigatorMouseInput : public testing::Test {
 protected:
  static constexpr core::Size kPanel{640, 400};

  void SetUp() override {
    // Beside the navigator, not under it: only the navigator takes the clicks.
    target_ = CreateWindowExA(0, "STATIC", "drag me", WS_POPUP | WS_VISIBLE, 760, 480, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
    panel_ = CreateWindowExA(0, "STATIC", "mouse panel", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    nav_ = std::make_unique<navigator::TNavigator>(model_, panel_, running_);
    nav_->Created();
    auto host = std::make_unique<FakeHost>();
    host_ = host.get();
    nav_->SetHost(std::move(host));
    nav_->Busy = false;
    navigator::AppWinStore& store = nav_->Store();
    store.BeginWindowScan();
    store.UpdateWindowEntry(navigator::ToHandle(target_), "drag me", "Static", TargetRect(), false, false, 0);
    nav_->Show();
    SetWindowPos(nav_->Handle(), nullptr, 0, 0, kPanel.width, kPanel.height, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(nav_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump([] { return false; }, 100);
    seen_.clear();
  }
  void TearDown() override {
    nav_->Destroying();
    nav_.reset();
    DestroyWindow(target_);
    DestroyWindow(panel_);
  }

  core::Rect TargetRect() const {
    RECT r{};
    GetWindowRect(target_, &r);
    return platform::ToRect(r);
  }
  // Where the painting drew a screen point; the navigator's client area starts at the screen's corner.
  core::Point OnPanel(core::Point screen) const { return navigator::ToPanel(nav_->Layout().extent, kPanel, screen); }

  // Dispatches this thread's messages until `done` holds or `ms` have passed, noting the
  // navigator's mouse messages.
  bool Pump(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.hwnd == nav_->Handle() && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST &&
            m.message != WM_MOUSEMOVE) {
          seen_.push_back(m.message);
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
      if (done()) return true;
      if (GetTickCount() - start >= ms) return false;
      Sleep(5);
    }
  }
  bool Seen(UINT message) const { return std::find(seen_.begin(), seen_.end(), message) != seen_.end(); }
  void Click(DWORD down, DWORD up) {
    Button(down);
    Button(up);
  }

  HWND target_ = nullptr;
  HWND panel_ = nullptr;
  navigator::DesktopModel model_;
  const core::ProgramEnd running_;
  std::unique_ptr<navigator::TNavigator> nav_;
  FakeHost* host_ = nullptr;
  std::vector<UINT> seen_;
};

TEST_F(NavigatorMouseInput, TwoQuickLeftClicksJumpTwice) {
  const core::Point at = OnPanel({100, 100});
  tvmtest::PointerTo(at.x, at.y);
  Pump([] { return false; }, 50);
  Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(Pump([&] { return host_->dx.has_value(); }, 400)) << "the first click did not jump";
  const int32_t dx = *host_->dx, dy = *host_->dy;
  ASSERT_NE(dx, 0);
  host_->dx.reset();
  host_->dy.reset();
  Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Pump([&] { return Seen(WM_LBUTTONUP) && std::count(seen_.begin(), seen_.end(), WM_LBUTTONUP) == 2; }, 400);
  ASSERT_TRUE(Seen(WM_LBUTTONDBLCLK)) << "the second press was no double click; the test shows nothing";
  EXPECT_EQ(host_->dx, dx) << "the second click of the pair did not jump";
  EXPECT_EQ(host_->dy, dy);
}

TEST_F(NavigatorMouseInput, ARightDragBegunJustAfterARightClickMovesTheWindow) {
  const core::Rect before = TargetRect();
  const core::Point at = OnPanel({(before.left + before.right) / 2, (before.top + before.bottom) / 2});
  tvmtest::PointerTo(at.x, at.y);
  Pump([] { return false; }, 50);
  Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  Button(MOUSEEVENTF_RIGHTDOWN);
  Pump([&] { return Seen(WM_RBUTTONDBLCLK); }, 400);
  ASSERT_TRUE(Seen(WM_RBUTTONDBLCLK)) << "the second press was no double click; the test shows nothing";
  EXPECT_TRUE(host_->moves.empty()) << "a right click moves nothing";
  const core::Point pressedAt = nav_->Drag().LastCursor;
  tvmtest::PointerTo(at.x + 10, at.y);
  const bool moved = Pump([&] { return !host_->moves.empty(); }, 1000);
  Button(MOUSEEVENTF_RIGHTUP);
  Pump([&] { return Seen(WM_RBUTTONUP) && std::count(seen_.begin(), seen_.end(), WM_RBUTTONUP) == 2; }, 400);
  ASSERT_TRUE(moved) << "the drag begun by the second press moved nothing";
  POINT now{};
  GetCursorPos(&now);
  const core::Rect& e = nav_->Layout().extent;
  EXPECT_EQ(host_->movedX, navigator::MulDivSaturated(now.x - pressedAt.x, e.width(), kPanel.width));
  EXPECT_EQ(host_->movedY, 0);
}

}  // namespace
