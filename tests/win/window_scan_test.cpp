// The window scan and the navigator's entries against windows of another process: what is
// listed, what the entries keep from scan to scan, remembered sizes, hung and busy applications,
// a window released by a nested message in the middle of a scan, and the scan with the engine's
// cache against a full scan.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/private_messages.h"
#include "navigator/win32/navigator_form.h"
#include "platform/handles.h"
#include "scroller/scan_cache.h"
#include "scroller/win32/window_scan.h"
#include "support/test_windows.h"
#include "toolkit/window_class.h"

namespace {

using namespace std::chrono_literals;
using e2e::TestWindows;
using e2e::WindowSpec;
using navigator::TNavigator;
namespace flag = e2e::flag;

// Stands in for the control panel: the test windows find it by class and title, and a released
// window leaves the lists and the entries as the panel's handler does it.
class FakePanel final : public tk::WindowHandler {
 public:
  FakePanel() {
    hwnd_ = tk::CreateFormClassWindow(this, 0, ident::ControlPanelTitle, WS_POPUP, 0, 0, 10, 10, nullptr);
  }
  ~FakePanel() { DestroyWindow(hwnd_); }
  HWND Handle() const { return hwnd_; }
  std::function<void(HWND)> OnReleased;
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == msg::WM_HOOK_RELEASED) {
      if (OnReleased) OnReleased(reinterpret_cast<HWND>(wParam));
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

 private:
  HWND hwnd_ = nullptr;
};

BOOL CALLBACK CollectTopLevel(HWND w, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(w);
  return TRUE;
}

class ScanWithEntries : public ::testing::Test {
 protected:
  void SetUp() override { model_.Entries().SetControlPanel(platform::ToHandle(panel_.Handle())); }

  navigator::AppWinStore& Store() { return model_.Entries(); }
  bool HasWindow(HWND w) { return Store().HasWindow(platform::ToHandle(w)); }
  core::PackedSize ForcedSizeOf(HWND w) { return Store().ForcedSizeOf(platform::ToHandle(w)); }

  scroller::ScanOutcome Scan(scroller::ScanCache* cache = nullptr) {
    scroller::ScanSetup setup;
    setup.controlPanel = panel_.Handle();
    setup.shellWnd = GetShellWindow();
    setup.desktopWnd = GetDesktopWindow();
    setup.ownProcessId = ownProcess_;
    setup.cache = cache;
    setup.virtualScreen = model_.Screen().Current().virtualScreen;
    return scroller::RunWindowScan(setup, {lists_, excluded_}, &Store());
  }

  // The listed windows among `ours`, in the order the scan listed them.
  std::vector<HWND> ListedAmong(const std::vector<HWND>& ours) const {
    std::vector<HWND> out;
    for (HWND w : ScrollList()) {
      if (std::find(ours.begin(), ours.end(), w) != ours.end()) out.push_back(w);
    }
    return out;
  }
  bool Listed(HWND w) const { return lists_.Contains(platform::ToHandle(w)); }
  std::vector<HWND> ScrollList() const {
    std::vector<HWND> out;
    for (scroller::WindowHandle w : lists_.Handles) out.push_back(platform::ToHwnd(w));
    return out;
  }

  static std::vector<HWND> InZOrder(const std::vector<HWND>& ours) {
    std::vector<HWND> all, out;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all) {
      if (std::find(ours.begin(), ours.end(), w) != ours.end()) out.push_back(w);
    }
    return out;
  }

  FakePanel panel_;
  navigator::DesktopModel model_;
  scroller::ScrollLists lists_;
  std::vector<scroller::WindowHandle> excluded_;
  DWORD ownProcess_ = GetCurrentProcessId();
};

WindowSpec Spec(const char* id, const char* title, int x, unsigned flags = 0) {
  WindowSpec s;
  s.id = id;
  s.title = title;
  s.x = x;
  s.y = 80;
  s.flags = flags;
  return s;
}

TEST_F(ScanWithEntries, EntriesLastFromScanToScanAndFollowTheZOrder) {
  WindowSpec tall = Spec("tall", "Tvm tall", 500);
  tall.height = 201;
  TestWindows windows;
  ASSERT_TRUE(windows.Start({Spec("a", "Tvm a", 100), Spec("b", "Tvm b", 300, flag::kOwned), tall}))
      << windows.Error();
  const std::vector<HWND> ours = {windows.Window("a"), windows.Window("b"), windows.Window("tall")};

  Scan();
  ASSERT_EQ(ListedAmong(ours), InZOrder(ours));
  EXPECT_TRUE(Store().Changed()) << "a first scan meets every window as new";
  const auto& handles = lists_.Handles;
  const auto text = std::find(handles.begin(), handles.end(), platform::ToHandle(windows.Window("a"))) - handles.begin();
  EXPECT_EQ(lists_.Texts[text], "TvmTestWindow (Tvm a)");
  std::vector<navigator::tAppWin*> entries;
  for (HWND w : ours) {
    auto snapshot = Store().EntriesSnapshot();
    auto it = std::find_if(snapshot.begin(), snapshot.end(),
                           [&](auto* e) { return e->Wnd == reinterpret_cast<navigator::WindowHandle>(w); });
    ASSERT_NE(it, snapshot.end());
    entries.push_back(*it);
    EXPECT_EQ((*it)->WinClass, "TvmTestWindow");
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ((*it)->WindowRect, platform::ToRect(r));
  }
  EXPECT_EQ(entries[0]->Caption, "Tvm a");
  EXPECT_FALSE(entries[1]->Arrangeable) << "an owned window";
  EXPECT_TRUE(entries[2]->Arrangeable);
  entries[0]->ForcedSize = core::packSize(333, 222);  // as the set-size dialog stores it

  // The same windows again: the same entries, nothing changed; then a new Z order.
  Scan();
  EXPECT_FALSE(Store().Changed());
  for (size_t i = 0; i < ours.size(); ++i) {
    auto snapshot = Store().EntriesSnapshot();
    EXPECT_NE(std::find(snapshot.begin(), snapshot.end(), entries[i]), snapshot.end()) << i;
  }
  EXPECT_EQ(ForcedSizeOf(windows.Window("a")), core::packSize(333, 222));
  SetWindowPos(windows.Window("tall"), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Scan();
  EXPECT_EQ(ListedAmong(ours), InZOrder(ours));
}

TEST_F(ScanWithEntries, ANewWindowOfARememberedClassIsResizedKeepingItsCorner) {
  Store().Remembered().Remember("TVMREMEMBERED", core::packSize(640, 480));
  WindowSpec r = Spec("r", "Tvm remembered", 120);
  r.className = "TvmRemembered";
  WindowSpec other = Spec("o", "Tvm other", 200);
  TestWindows windows;
  ASSERT_TRUE(windows.Start({r, other})) << windows.Error();
  Scan();
  EXPECT_EQ(ForcedSizeOf(windows.Window("r")), core::packSize(640, 480));
  EXPECT_EQ(ForcedSizeOf(windows.Window("o")), core::kNoForcedSize);
  RECT got{};
  const bool sized = tvmtest::WaitUntil([&] {
    got = windows.RectOf("r");
    return got.left == 120 && got.top == 80 && got.right - got.left == 640 && got.bottom - got.top == 480;
  }, 2s);
  EXPECT_TRUE(sized) << got.left << "," << got.top << " " << got.right - got.left << "x" << got.bottom - got.top;
  const RECT untouched = windows.RectOf("o");
  EXPECT_EQ(untouched.right - untouched.left, 200);

  // Sized back at a later scan when the user changed it.
  SetWindowPos(windows.Window("r"), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Scan();
  EXPECT_TRUE(tvmtest::WaitUntil([&] {
    got = windows.RectOf("r");
    return got.right - got.left == 640 && got.bottom - got.top == 480;
  }, 2s));
}

// Windows of a helper thread of this process, counted as another application's (Wine answers
// another process's WM_GETICON without asking its thread, so only here does the icon query
// reach a window procedure). `onIcon` runs in the helper thread when the scan asks for an icon;
// `hang` stops the thread from answering anything once its windows are up.
class HelperThreadWindows {
 public:
  HelperThreadWindows(std::vector<std::string> titles, bool hang, std::function<void(HWND)> onIcon = {})
      : titles_(std::move(titles)), hang_(hang), onIcon_(std::move(onIcon)) {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &HelperThreadWindows::Run, this, 0, nullptr);
    WaitForSingleObject(ready_, 5000);
  }
  ~HelperThreadWindows() {
    SetEvent(stop_);
    if (!hang_) {
      for (HWND w : windows_) PostMessageA(w, WM_NULL, 0, 0);
    }
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    CloseHandle(stop_);
  }
  HWND Window(size_t i) const { return windows_.at(i); }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<HelperThreadWindows*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (m == WM_GETICON && self && self->onIcon_) self->onIcon_(w);
    return DefWindowProcA(w, m, wp, lp);
  }
  static DWORD WINAPI Run(void* p) {
    auto* self = static_cast<HelperThreadWindows*>(p);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TvmHelperThreadWindow";
    RegisterClassA(&wc);
    int x = 100;
    for (const auto& title : self->titles_) {
      HWND w = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, x, 100, 200, 150, nullptr,
                               nullptr, wc.hInstance, nullptr);
      SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      ShowWindow(w, SW_SHOWNOACTIVATE);
      self->windows_.push_back(w);
      x += 250;
    }
    SetEvent(self->ready_);
    if (self->hang_) {
      WaitForSingleObject(self->stop_, INFINITE);  // answers nothing meanwhile
    } else {
      while (MsgWaitForMultipleObjects(1, &self->stop_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      }
    }
    for (HWND w : self->windows_) DestroyWindow(w);
    return 0;
  }

  std::vector<std::string> titles_;
  bool hang_;
  std::function<void(HWND)> onIcon_;
  std::vector<HWND> windows_;
  HANDLE ready_ = nullptr, stop_ = nullptr, thread_ = nullptr;
};

TEST_F(ScanWithEntries, AHungApplicationCostsAScanNoMoreThanTheIconTimeOut) {
  // The application stops answering just when it is asked for its icon.
  HANDLE wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> armed{false}, asked{false};
  {
    // Showing a window asks for its icon too: only the scan's question hangs.
    HelperThreadWindows hung({"Tvm hung"}, false, [&](HWND) {
      if (!armed) return;
      asked = true;
      WaitForSingleObject(wake, 30000);
    });
    ownProcess_ = 0;
    armed = true;
    const auto start = std::chrono::steady_clock::now();
    Scan();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    SetEvent(wake);
    std::printf("a scan with a hung window took %lld ms\n", static_cast<long long>(took.count()));
    EXPECT_TRUE(asked);
    EXPECT_LT(took, std::chrono::milliseconds(scroller::kIconQueryTimeoutMs) + 150ms);
    EXPECT_TRUE(Listed(hung.Window(0))) << "a hung window is still an application window";
    EXPECT_TRUE(HasWindow(hung.Window(0)));
  }
  CloseHandle(wake);
}

TEST_F(ScanWithEntries, ABusyApplicationIsAskedForItsIconAtMostOnceASecond) {
  // Busy, not hung: each question takes longer than the time-out, yet the thread goes on.
  std::atomic<bool> armed{false};
  std::atomic<int> asks{0};
  HelperThreadWindows busy({"Tvm busy"}, false, [&](HWND) {
    if (!armed) return;
    ++asks;
    Sleep(scroller::kIconQueryTimeoutMs + 30);
  });
  ownProcess_ = 0;
  armed = true;
  for (int i = 0; i < 3; ++i) Scan();
  EXPECT_EQ(asks, 3) << "a scan without the cache asks every time";

  // Ten scans a second, as the refresh tick runs them.
  asks = 0;
  scroller::ScanCache cache;
  int scans = 0;
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < 2500ms) {
    Scan(&cache);
    ++scans;
    EXPECT_TRUE(Listed(busy.Window(0)));
    Sleep(100);
  }
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  std::printf("%d scans in %lld s asked the busy window %d times\n", scans, static_cast<long long>(seconds.count()),
              asks.load());
  EXPECT_LE(asks, 1 + seconds.count());
  EXPECT_GE(asks, 2) << "the answer is asked again after a second";
  EXPECT_GT(scans, 3 * asks);
}

TEST_F(ScanWithEntries, AWindowReleasedWhileTheScanAsksForItsIconGetsNoEntry) {
  bool releasing = false;
  HWND panel = panel_.Handle();
  HelperThreadWindows windows({"Tvm keep", "Tvm gone"}, false, [&](HWND w) {
    char title[32] = {};
    GetWindowTextA(w, title, sizeof title);
    // As a hook library reports a window it no longer tracks, while the scan waits for it.
    if (releasing && std::string(title) == "Tvm gone") SendMessageA(panel, msg::WM_HOOK_RELEASED, reinterpret_cast<WPARAM>(w), 0);
  });
  ownProcess_ = 0;
  HWND gone = windows.Window(1);

  Scan();
  ASSERT_TRUE(HasWindow(gone));
  int released = 0;
  panel_.OnReleased = [&](HWND w) {
    ++released;
    lists_.Release(platform::ToHandle(w));
    Store().ForgetWindow(platform::ToHandle(w));
  };
  releasing = true;
  for (int i = 0; i < 2; ++i) {
    Scan();
    EXPECT_GT(released, i) << "the release did not arrive during the scan";
    EXPECT_FALSE(Listed(gone));
    EXPECT_FALSE(HasWindow(gone)) << "a released window came back as an entry";
    EXPECT_TRUE(HasWindow(windows.Window(0)));
    EXPECT_EQ(lists_.Handles.size(), lists_.Texts.size());
  }
}

// --- The scan with the engine's cache against a full scan, step by step.

// Windows of this thread (the process counted as another application's), made, retitled and
// destroyed between scans.
class LocalWindows {
 public:
  LocalWindows() {
    for (const char* name : {kFirst, kSecond}) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = name;
      RegisterClassA(&wc);
    }
  }
  ~LocalWindows() {
    for (HWND w : made_) DestroyWindow(w);
    for (const char* name : {kFirst, kSecond}) UnregisterClassA(name, GetModuleHandleA(nullptr));
  }
  // Without a caption: no system menu, so that making a window takes no other handle first.
  HWND Make(const char* className, const char* title, int x, bool icon) {
    HWND w = CreateWindowExA(0, className, title, WS_POPUP | WS_BORDER | WS_VISIBLE, x, 120, 150, 100, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    if (icon) SendMessageA(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
    made_.push_back(w);
    return w;
  }
  void Destroy(HWND w) {
    DestroyWindow(w);
    made_.erase(std::remove(made_.begin(), made_.end(), w), made_.end());
  }
  // Destroys `old` and makes the next window in its very handle. A freed handle slot is handed
  // out again first, one generation on, so menus are made and freed in it until its generation
  // is one short of the old handle's. Null when the slot did not come round.
  HWND MakeInHandleOf(HWND old, const char* className, const char* title, int x) {
    const auto value = reinterpret_cast<std::uintptr_t>(old);
    const WORD slot = LOWORD(value), generation = HIWORD(value);
    const WORD before = generation == 1 ? 0xfffe : static_cast<WORD>(generation - 1);
    Destroy(old);
    for (int i = 0; i < 0x20000; ++i) {
      HMENU menu = CreateMenu();
      const auto got = reinterpret_cast<std::uintptr_t>(menu);
      DestroyMenu(menu);
      if (LOWORD(got) == slot && HIWORD(got) == before) return Make(className, title, x, false);
    }
    return nullptr;
  }

  static constexpr const char* kFirst = "TvmCacheFirst";
  static constexpr const char* kSecond = "TvmCacheSecond";

 private:
  std::vector<HWND> made_;
};

// One side of the comparison: entries and lists of its own.
struct ScanSide {
  explicit ScanSide(HWND panel) { model.Entries().SetControlPanel(platform::ToHandle(panel)); }
  navigator::DesktopModel model;
  scroller::ScrollLists lists;
  std::vector<scroller::WindowHandle> excluded;
};

// What the navigator keeps of each entry, in the store's order.
std::vector<std::string> EntriesOf(navigator::AppWinStore& store) {
  std::vector<std::string> out;
  for (const navigator::tAppWin* e : store.EntriesSnapshot()) {
    char line[512];
    std::snprintf(line, sizeof line, "%#llx %s (%s) %d,%d,%d,%d icon %#llx arrangeable %d foreground %d moving %d",
                  static_cast<unsigned long long>(e->Wnd), e->WinClass.c_str(), e->Caption.c_str(), e->WindowRect.left,
                  e->WindowRect.top, e->WindowRect.right, e->WindowRect.bottom,
                  static_cast<unsigned long long>(e->Icon), e->Arrangeable, e->IsForeground, e->InMoveSize);
    out.push_back(line);
  }
  return out;
}

class CachedScan : public ::testing::Test {
 protected:
  // A scan with the cache, then a full one; they must list and enter the same.
  void ExpectSameAsFullScan(const char* step) {
    SCOPED_TRACE(step);
    Run(cached_, &cache_);
    Run(full_, nullptr);
    EXPECT_EQ(cached_.lists.Handles, full_.lists.Handles);
    EXPECT_EQ(cached_.lists.Texts, full_.lists.Texts);
    EXPECT_EQ(EntriesOf(cached_.model.Entries()), EntriesOf(full_.model.Entries()));
  }
  std::string TextOf(HWND w) const {
    const auto& handles = full_.lists.Handles;
    const auto at = std::find(handles.begin(), handles.end(), platform::ToHandle(w));
    return at == handles.end() ? "" : full_.lists.Texts[at - handles.begin()];
  }

  FakePanel panel_;
  scroller::ScanCache cache_;
  ScanSide cached_{panel_.Handle()};
  ScanSide full_{panel_.Handle()};

 private:
  void Run(ScanSide& side, scroller::ScanCache* cache) {
    scroller::ScanSetup setup;
    setup.controlPanel = panel_.Handle();
    setup.shellWnd = GetShellWindow();
    setup.desktopWnd = GetDesktopWindow();
    setup.ownProcessId = 0;  // this thread's windows are an application's
    setup.cache = cache;
    setup.virtualScreen = side.model.Screen().Current().virtualScreen;
    scroller::RunWindowScan(setup, {side.lists, side.excluded}, &side.model.Entries());
  }
};

TEST_F(CachedScan, ListsWhatAFullScanListsAsWindowsComeChangeAndGo) {
  TestWindows others;
  ASSERT_TRUE(others.Start({Spec("x", "Tvm other x", 100), Spec("y", "Tvm other y", 320, flag::kClassIcon)}))
      << others.Error();
  LocalWindows local;
  HWND a = local.Make(LocalWindows::kFirst, "Tvm local a", 540, true);
  HWND b = local.Make(LocalWindows::kFirst, "Tvm local b", 700, false);
  HWND c = local.Make(LocalWindows::kSecond, "Tvm local c", 860, true);
  ExpectSameAsFullScan("first meeting");
  ExpectSameAsFullScan("nothing changed");
  EXPECT_EQ(TextOf(a), "TvmCacheFirst (Tvm local a)");

  SetWindowTextA(b, "Tvm local b retitled");
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(others.Window("x"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Tvm other x retitled"),
                      SMTO_ABORTIFHUNG, 2000, &ignored);
  ExpectSameAsFullScan("retitled");
  EXPECT_EQ(TextOf(b), "TvmCacheFirst (Tvm local b retitled)");
  EXPECT_EQ(TextOf(others.Window("x")), "TvmTestWindow (Tvm other x retitled)");

  local.Destroy(c);
  HWND d = local.Make(LocalWindows::kSecond, "Tvm local d", 860, false);
  ExpectSameAsFullScan("one destroyed, one made");
  EXPECT_EQ(TextOf(c), "");
  EXPECT_EQ(TextOf(d), "TvmCacheSecond (Tvm local d)");

  ShowWindow(b, SW_HIDE);
  ExpectSameAsFullScan("hidden");
  ShowWindow(b, SW_SHOWNOACTIVATE);
  ExpectSameAsFullScan("shown again");

  // A new window of another class, with the old one's title and no icon, behind the handle of
  // a window the scans have just met.
  HWND reused = local.MakeInHandleOf(a, LocalWindows::kSecond, "Tvm local a", 540);
  ASSERT_EQ(reused, a) << "the handle was not handed out again";
  ExpectSameAsFullScan("a handle reused");
  EXPECT_EQ(TextOf(reused), "TvmCacheSecond (Tvm local a)");
  ExpectSameAsFullScan("after the reuse");

  others.End();
  ExpectSameAsFullScan("another application ended");
}

// --- The navigator form itself.

TEST(NavigatorForm, StartsHiddenBusyAndEmptyAndNeverErasesOrFrames) {
  FakePanel panel;
  navigator::DesktopModel model;
  const core::ProgramEnd running;
  TNavigator nav(model, panel.Handle(), running);
  nav.Created();
  EXPECT_TRUE(nav.Busy);
  EXPECT_FALSE(nav.UseBackground);

  EXPECT_TRUE(nav.BackgroundBitmap.Empty());
  EXPECT_EQ(nav.Store().EntryCount(), 0u);
  EXPECT_EQ(nav.Store().OldEntryCount(), 0u);
  EXPECT_FALSE(model.Desktops().ManagerCreated());
  EXPECT_FALSE(IsWindowVisible(nav.Handle()));
  const LONG style = GetWindowLongA(nav.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongA(nav.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  char name[64] = {};
  GetClassNameA(nav.Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TTavelmoorForm") << "the scan must know it as one of ours";
  EXPECT_EQ(nav.FontSize, 11) << "16 pixels at 96 DPI are 12 points";
  EXPECT_EQ(SendMessageA(nav.Handle(), WM_ERASEBKGND, 0, 0), 1);
  EXPECT_EQ(SendMessageA(nav.Handle(), WM_NCPAINT, 1, 0), 0);
  nav.Destroying();
}

// The entries are the desktop model's and outlive the form; the form saves the settings while
// they are there, and only then tells the control panel it has gone.
TEST(NavigatorForm, SavesTheSettingsBeforeItGoes) {
  FakePanel panel;
  navigator::DesktopModel model;
  const core::ProgramEnd running;
  TNavigator nav(model, panel.Handle(), running);
  nav.Created();
  nav.Store().UpdateWindowEntry(0x10, "caption", "Class", {0, 0, 300, 300}, false, false, 0);
  std::vector<std::string> events;
  nav.OnSaveSettings = [&] { events.push_back("save with " + std::to_string(nav.Store().EntryCount()) + " entries"); };
  nav.OnGone = [&] { events.push_back("gone"); };
  nav.Destroying();
  EXPECT_EQ(events, (std::vector<std::string>{"save with 1 entries", "gone"}));
  EXPECT_EQ(model.Entries().EntryCount(), 1u) << "the entries stay with the model";
}

}  // namespace
