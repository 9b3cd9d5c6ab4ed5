// Visible-frame geometry and the virtual-desktop test against real windows, with the desktop
// window manager's answers given by a fake (Wine has none).
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "platform/handles.h"
#include "platform/optional_apis.h"
#include "platform/platform_switches.h"
#include "navigator/win32/virtual_desktops.h"
#include "navigator/win32/window_geometry.h"

namespace {

using navigator::VirtualDesktops;

constexpr DWORD kExtendedFrameBounds = 9;

// Margins per window; a window without margins has a failing frame query when `failing`.
std::map<HWND, RECT> FakeMargins;
bool FrameQueryFails = false;
int FrameQueries = 0;

HRESULT WINAPI FakeDwmGetWindowAttribute(HWND window, DWORD attribute, PVOID value, DWORD size) {
  ++FrameQueries;
  if (attribute != kExtendedFrameBounds || size != sizeof(RECT)) return E_INVALIDARG;
  if (FrameQueryFails) return E_NOTIMPL;
  RECT r{};
  if (!GetWindowRect(window, &r)) return E_HANDLE;
  const RECT m = FakeMargins.count(window) ? FakeMargins[window] : RECT{};
  *static_cast<RECT*>(value) = {r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
  return S_OK;
}

LRESULT CALLBACK AnySizeProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lp);
    info->ptMinTrackSize = {1, 1};
    info->ptMaxTrackSize = {32000, 32000};
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

class Geometry : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    savedWin10_ = platform::IsWin10;
    savedProc_ = platform::Apis.DwmGetWindowAttribute;
    platform::IsWin10 = GetParam();
    platform::Apis.DwmGetWindowAttribute = FakeDwmGetWindowAttribute;
    FrameQueryFails = false;
    FakeMargins.clear();
    WNDCLASSA wc{};
    wc.lpfnWndProc = AnySizeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TvmGeometryTest";
    RegisterClassA(&wc);
    other_ = CreateWindowExA(0, wc.lpszClassName, "above", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
    window_ = CreateWindowExA(0, wc.lpszClassName, "moved", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 300, 200,
                              nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowPos(other_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    FakeMargins[window_] = {7, 0, 7, 7};
  }
  void TearDown() override {
    DestroyWindow(window_);
    DestroyWindow(other_);
    platform::IsWin10 = savedWin10_;
    platform::Apis.DwmGetWindowAttribute = savedProc_;
  }
  static RECT Outer(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
  }
  bool win10() const { return GetParam(); }

  HWND window_ = nullptr;
  HWND other_ = nullptr;
  bool savedWin10_ = false;
  platform::OptionalApis::DwmGetWindowAttributeFn savedProc_ = nullptr;
};

::testing::AssertionResult Is(const core::Rect& got, const core::Rect& want) {
  if (got == want) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << got.left << "," << got.top << ")-(" << got.right << "," << got.bottom
                                       << ") instead of (" << want.left << "," << want.top << ")-(" << want.right
                                       << "," << want.bottom << ")";
}
::testing::AssertionResult Is(const RECT& got, const core::Rect& want) { return Is(platform::ToRect(got), want); }

TEST_P(Geometry, MovingByTheVisibleFrameAddsTheInvisibleBordersBack) {
  navigator::MoveWindowVisible(window_, {100, 50, 800, 600});
  if (win10()) {
    EXPECT_TRUE(Is(Outer(window_), {93, 50, 907, 657}));
  } else {
    EXPECT_TRUE(Is(Outer(window_), {100, 50, 900, 650}));
  }
  const std::optional<core::Rect> visible = navigator::VisibleFrameOf(window_);
  ASSERT_TRUE(visible.has_value());
  EXPECT_TRUE(Is(*visible, {100, 50, 900, 650}));

  // Read and written back unchanged, the window stays where and as large as it was.
  navigator::MoveWindowVisible(window_, {visible->left, visible->top, core::clampToInt32(visible->width()),
                                         core::clampToInt32(visible->height())});
  const std::optional<core::Rect> again = navigator::VisibleFrameOf(window_);
  ASSERT_TRUE(again.has_value());
  EXPECT_TRUE(Is(*again, *visible));

  navigator::SetWindowBoundsVisible(window_, {20, 30, 400, 300});
  EXPECT_TRUE(Is(navigator::VisibleFrameOf(window_).value_or(core::Rect{}), {20, 30, 420, 330}));
}

TEST_P(Geometry, APlainMoveKeepsSizeZOrderAndActivation) {
  SetForegroundWindow(other_);
  const RECT before = Outer(window_);
  ASSERT_TRUE(navigator::VisibleFrameOf(window_).has_value());
  navigator::SetWindowPosVisible(window_, {200, 150});
  const std::optional<core::Rect> visible = navigator::VisibleFrameOf(window_);
  ASSERT_TRUE(visible.has_value());
  EXPECT_EQ(visible->left, 200);
  EXPECT_EQ(visible->top, 150);
  const RECT after = Outer(window_);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(GetWindow(other_, GW_HWNDNEXT), window_) << "the Z order changed";
  EXPECT_EQ(GetForegroundWindow(), other_);
}

TEST_P(Geometry, AFailingFrameQueryFallsBackToTheWindowRectangle) {
  FrameQueryFails = true;
  const std::optional<core::Rect> visible = navigator::VisibleFrameOf(window_);
  ASSERT_TRUE(visible.has_value()) << "no window could ever be scanned";
  EXPECT_TRUE(Is(Outer(window_), *visible));
  EXPECT_EQ(navigator::FrameMarginsOf(window_), navigator::FrameMargins{});
  navigator::MoveWindowVisible(window_, {100, 50, 800, 600});
  EXPECT_TRUE(Is(Outer(window_), {100, 50, 900, 650}));
}

TEST_P(Geometry, AnUnboundFrameQueryMeansTheWindowRectangle) {
  platform::Apis.DwmGetWindowAttribute = nullptr;
  EXPECT_EQ(navigator::FrameMarginsOf(window_), navigator::FrameMargins{});
  const std::optional<core::Rect> visible = navigator::VisibleFrameOf(window_);
  ASSERT_TRUE(visible.has_value());
  EXPECT_TRUE(Is(Outer(window_), *visible));
}

TEST_P(Geometry, AWindowThatHasGoneGivesNoRectangleAndIsNotMoved) {
  HWND gone = window_;
  DestroyWindow(window_);
  window_ = nullptr;
  EXPECT_FALSE(navigator::VisibleFrameOf(gone).has_value());
  navigator::SetWindowPosVisible(gone, {1, 2});
  navigator::SetWindowBoundsVisible(gone, {1, 2, 3, 4});
  navigator::MoveWindowVisible(gone, {1, 2, 3, 4});
  navigator::MoveWindowVisibleNoWait(gone, {1, 2, 3, 4});
}

TEST_P(Geometry, TheFrameIsAskedAfreshAtEveryCallFromWindows10OnAndNeverBefore) {
  FrameQueries = 0;
  navigator::VisibleFrameOf(window_);
  navigator::MoveWindowVisible(window_, {100, 50, 800, 600});
  navigator::SetWindowPosVisible(window_, {10, 10});
  EXPECT_EQ(FrameQueries, win10() ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, Geometry, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Win10" : "BeforeWin10"; });

// --- The virtual-desktop test.

struct FakeManager final : navigator::IVirtualDesktopManagerApi {
  HWND elsewhere = nullptr;  // the one window on another desktop
  HWND failing = nullptr;    // the one window the query fails for
  LONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND w, BOOL* on) override {
    if (w == failing) return E_INVALIDARG;
    *on = w != elsewhere;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND, GUID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND, REFGUID) override { return E_NOTIMPL; }
};

class VirtualDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = platform::IsWin10; }
  void TearDown() override { platform::IsWin10 = saved_; }
  VirtualDesktops::Factory Giving(FakeManager& m, int& calls) {
    return [&m, &calls](navigator::IVirtualDesktopManagerApi** out) {
      ++calls;
      m.AddRef();
      *out = &m;
      return S_OK;
    };
  }
  bool saved_ = false;
  HWND a_ = reinterpret_cast<HWND>(0x1234);
  HWND b_ = reinterpret_cast<HWND>(0x5678);
};

TEST_F(VirtualDesktopTest, OnlyFromWindows10OnAndOnlyOnceIsTheManagerCreated) {
  FakeManager manager;
  manager.elsewhere = a_;
  int calls = 0;
  {
    VirtualDesktops desktops;
    platform::IsWin10 = false;
    desktops.CreateDesktopManager(Giving(manager, calls));
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(desktops.IsOnCurrentDesktop(a_));

    platform::IsWin10 = true;
    EXPECT_TRUE(desktops.IsOnCurrentDesktop(a_)) << "the test runs before the manager exists";
    EXPECT_EQ(desktops.CreateDesktopManager(Giving(manager, calls)), S_OK);
    EXPECT_TRUE(desktops.ManagerCreated());
    EXPECT_FALSE(desktops.IsOnCurrentDesktop(a_));
    EXPECT_TRUE(desktops.IsOnCurrentDesktop(b_));
    manager.failing = b_;
    EXPECT_TRUE(desktops.IsOnCurrentDesktop(b_)) << "a failing query counts as on the current desktop";

    desktops.CreateDesktopManager(Giving(manager, calls));
    EXPECT_EQ(calls, 1);
  }
  EXPECT_EQ(manager.refs, 1) << "the manager was not released with its holder";
}

TEST_F(VirtualDesktopTest, AManagerThatCannotBeCreatedLeavesTheTestOffWithoutAnError) {
  platform::IsWin10 = true;
  VirtualDesktops desktops;
  HRESULT hr = S_OK;
  EXPECT_NO_THROW(hr = desktops.CreateDesktopManager(
                      [](navigator::IVirtualDesktopManagerApi**) { return REGDB_E_CLASSNOTREG; }));
  EXPECT_EQ(hr, REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(desktops.ManagerCreated());
  EXPECT_TRUE(desktops.IsOnCurrentDesktop(a_));
  // The shell's own object, which Wine does not have: the same outcome, whatever the platform.
  VirtualDesktops real;
  EXPECT_NO_THROW(real.CreateDesktopManager());
  if (!real.ManagerCreated()) {
    EXPECT_TRUE(real.IsOnCurrentDesktop(a_));
  }
}

}  // namespace
