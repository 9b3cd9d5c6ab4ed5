#include "scroller/win32/engine_host.h"

#include <algorithm>
#include <optional>

#include "core/private_messages.h"
#include "navigator/win32/navigator_form.h"
#include "navigator/win32/window_geometry.h"
#include "scroller/bring_home.h"
#include "scroller/hot_keys.h"
#include "scroller/raw_mouse.h"
#include "scroller/win32/home_desk.h"
#include "scroller/win32/hot_key_registrar.h"
#include "scroller/win32/move_environment.h"
#include "scroller/win32/raw_input_reader.h"
#include "scroller/win32/tavelmoor_form.h"
#include "scroller/win32/window_scan.h"
#include "toolkit/application.h"
#include "toolkit/message_dialog.h"
#include "toolkit/standard_controls.h"

namespace scroller {
namespace {

constexpr DWORD kHidePauseMs = 100;

WindowHandle ToHandle(HWND w) { return reinterpret_cast<WindowHandle>(w); }
HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }

// The navigator while it exists with its entries; null before its creation and from its
// destruction on, so that nested messages then touch nothing of it.
navigator::TNavigator* LiveNavigator() {
  navigator::TNavigator* nav = navigator::Navigator;
  return nav && nav->Store() ? nav : nullptr;
}

HWND NavigatorWindow() {
  navigator::TNavigator* nav = LiveNavigator();
  return nav ? nav->Handle() : nullptr;
}

class PanelNavigatorLink final : public NavigatorLink {
 public:
  core::PackedSize ForcedSizeOf(WindowHandle window) override {
    navigator::TNavigator* nav = LiveNavigator();
    return nav ? nav->ForcedSizeOf(ToHwnd(window)) : core::kNoForcedSize;
  }
  void ForgetWindow(WindowHandle window) override {
    if (navigator::TNavigator* nav = LiveNavigator()) nav->ForgetWindow(ToHwnd(window));
  }
};

NavigatorLink* NavigatorLinkOrNull() {
  static PanelNavigatorLink link;
  return LiveNavigator() ? &link : nullptr;
}

core::Rect PrimaryWorkArea() {
  RECT r{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) {
    r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return {r.left, r.top, r.right, r.bottom};
}

core::Point CursorNow() {
  POINT p{};
  if (!GetCursorPos(&p)) return {};  // as the framework gives it: (0, 0)
  return {p.x, p.y};
}

// The fixed virtual-desktop size: the navigator's while it exists, else the panel's as loaded.
struct LimitsSource {
  navigator::DesktopLimits own;
  const navigator::DesktopLimits* Get(const TTavelmoorForm& form) {
    if (navigator::TNavigator* nav = LiveNavigator()) return &nav->Store()->Limits();
    own.LimitX = form.LimitX;
    own.LimitY = form.LimitY;
    return &own;
  }
};

void SyncScrollLockItem(TTavelmoorForm& form) {
  form.ScrollLockChecked = form.Engine->State.MenuScrollLockChecked;
}

void HandleRawInput(TTavelmoorForm& form, LPARAM lParam) {
  EngineHost& h = *form.Engine;
  RawMouseInput in;
  in.event = ReadRawMouse(reinterpret_cast<HRAWINPUT>(lParam));
  in.keys = ReadKeyStates();
  in.cursor = CursorNow();
  in.screen = ReadScreenFacts(form.MinMonitorWidth, form.MinMonitorHeight);
  in.ScrollAllowed = h.Refresh.ScrollAllowed;
  if (navigator::TNavigator* nav = LiveNavigator()) {
    in.WindowDragging = nav->WindowDragging;
    in.DragMoved = nav->DragMoved;
  }
  const RawMouseResult r = HandleRawMouse(h.State, EngineOptionsOf(form), in);
  // Where the border band and the navigator look for the cursor.
  form.CursorX = h.State.CursorX;
  form.CursorY = h.State.CursorY;
  form.LastX = h.State.LastX;
  if (r.ScrollLockItemChanged) SyncScrollLockItem(form);
}

void ShowPanel(TTavelmoorForm& form) {
  if (navigator::TNavigator* nav = LiveNavigator(); nav && nav->Visible()) {
    nav->Hide();
    Sleep(kHidePauseMs);
  }
  form.Show();
}

void EndProgram(TTavelmoorForm& form) {
  if (navigator::Navigator) navigator::Navigator->Busy = true;
  form.Closing = true;
  if (tk::Application) tk::Application->Terminate();
}

void PlaceNavigator(TTavelmoorForm& form, navigator::TNavigator& nav) {
  EngineHost& h = *form.Engine;
  const core::Size primary{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const Placement p =
      NavigatorPlacement(form.Options.SmallScreen, {h.State.CursorX, h.State.CursorY}, primary);
  SetWindowPos(nav.Handle(), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<WINDOWINFO> InfoOf(HWND window) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  if (!GetWindowInfo(window, &info)) return std::nullopt;
  return info;
}

core::Rect MonitorAreaNearCursor() {
  const core::Rect desktop = PrimaryWorkArea();
  const int monitors = GetSystemMetrics(SM_CMONITORS);
  core::Rect nearest = desktop;
  if (monitors > 1) {
    const core::Point c = CursorNow();
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(MonitorFromPoint(POINT{c.x, c.y}, MONITOR_DEFAULTTONEAREST), &mi)) {
      nearest = {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
    }
  }
  return MonitorAreaFor(monitors, nearest, desktop);
}

// A target that is gone, hidden, minimized or without a readable frame gives nothing.
std::optional<TargetFacts> TargetFactsOf(HWND target) {
  const std::optional<WINDOWINFO> info = InfoOf(target);
  if (!info || !(info->dwStyle & WS_VISIBLE) || (info->dwStyle & WS_MINIMIZE)) return std::nullopt;
  RECT r{};
  if (!navigator::GetVisibleWindowRect(target, &r)) return std::nullopt;
  return TargetFacts{{r.left, r.top, r.right, r.bottom}, MonitorAreaNearCursor()};
}

class Win32KeyReader final : public KeyReader {
 public:
  bool Held(int virtualKey) override { return GetKeyState(virtualKey) < 0; }
};

void RunApplyPendingScroll(TTavelmoorForm& form) {
  EngineHost& h = *form.Engine;
  LimitsSource limits;
  Win32MoveEnvironment env(limits.Get(form), NavigatorWindow());
  ApplyPendingScroll(h.State, EngineOptionsOf(form), h.Room(), h.ListsFor(form), env, h.Ledger);
}

// Walks `lists` home with nested scroll requests held back; they are not run afterwards: the
// program is ending.
void WalkHome(TTavelmoorForm& form, const ScrollLists& lists) {
  Win32HomeDesk desk;
  MoveBatch batch(form.Engine->State);
  BringWindowsHome(lists, desk);
}

// Each step of the end runs whatever an earlier one did.
template <class Step>
void Guarded(Step&& step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

ScrollLists& EngineHost::ListsFor(TTavelmoorForm& form) {
  static_assert(sizeof(HWND) == sizeof(WindowHandle));
  const auto* first = reinterpret_cast<const WindowHandle*>(form.ScrollList.data());
  const std::size_t count = form.ScrollList.size();
  if (lists_.Handles.size() != count || !std::equal(lists_.Handles.begin(), lists_.Handles.end(), first)) {
    lists_.Handles.assign(first, first + count);
  }
  return lists_;
}

void EngineHost::ReleaseFromForm(TTavelmoorForm& form, HWND window) {
  auto& list = form.ScrollList;
  const auto it = std::find(list.begin(), list.end(), window);
  if (it == list.end()) return;
  const auto i = static_cast<std::size_t>(it - list.begin());
  list.erase(it);
  if (i < form.ScrollListText.size()) form.ScrollListText.erase(form.ScrollListText.begin() + static_cast<std::ptrdiff_t>(i));
}

navigator::ScrollRoom& EngineHost::Room() {
  if (navigator::TNavigator* nav = LiveNavigator()) return nav->Store()->Room();
  return fallbackRoom_;
}

EngineOptions EngineOptionsOf(const TTavelmoorForm& form) { return EngineView(form.Options); }

bool HandleEngineMessage(TTavelmoorForm& form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  if (!form.Engine) return false;
  const bool isPrivate = message >= msg::kAppBase && message <= msg::kAppBase + 0x3F;
  if (message != WM_INPUT && message != WM_HOTKEY && !isPrivate) return false;
  EngineHost& h = *form.Engine;

  // The exclusions are the scan's list of window handles; only these two messages change them.
  const bool exclusion = message == msg::WM_EXCLUDE_WINDOW || message == msg::WM_INCLUDE_WINDOW;
  std::vector<WindowHandle> excluded;
  if (exclusion) {
    for (HWND w : form.ExcludedWindows) excluded.push_back(ToHandle(w));
  }
  // A release arriving in the middle of a walk drops the window from the walk's view and from the
  // form's lists alike.
  PanelContext ctx{h.State, h.ListsFor(form), excluded, h.Life, NavigatorLinkOrNull(),
                   static_cast<uintptr_t>(form.Hook.HookHandle()), form.Closing};
  const DispatchResult r = DispatchPanelMessage(message, wParam, static_cast<intptr_t>(lParam), ctx);
  if (message == msg::WM_HOOK_RELEASED) EngineHost::ReleaseFromForm(form, reinterpret_cast<HWND>(wParam));
  if (exclusion) {
    form.ExcludedWindows.clear();
    for (WindowHandle w : excluded) form.ExcludedWindows.push_back(ToHwnd(w));
  }

  switch (r.action) {
    case PanelAction::None: break;
    case PanelAction::HandleRawInput: HandleRawInput(form, lParam); break;
    case PanelAction::HandleHotKey: {
      const core::Rect work = PrimaryWorkArea();
      ApplyHotKey(h.State, EngineOptionsOf(form), static_cast<int>(wParam),
                  {core::clampToInt32(work.width()), core::clampToInt32(work.height())});
      break;
    }
    case PanelAction::HidePanel: form.Hide(); break;
    case PanelAction::EndProgram: EndProgram(form); break;
    case PanelAction::ShowPanel: ShowPanel(form); break;
    case PanelAction::RunMoveTick: MoveTimerTimer(form); break;
    case PanelAction::SyncScrollLockItem: SyncScrollLockItem(form); break;
  }
  if (!r.passOn) {
    answer = r.answer;
    return true;
  }
  if (message == WM_INPUT) {
    // The default procedure releases the input's data.
    answer = DefWindowProcA(form.Handle(), message, wParam, lParam);
    return true;
  }
  return false;
}

bool EngineCreationFinished(TTavelmoorForm& form) {
  EngineHost& h = *form.Engine;
  h.State.MenuScrollLockChecked = form.ScrollLockChecked;
  h.State.CursorX = form.CursorX;
  h.State.CursorY = form.CursorY;
  return FinishCreation(h.Life);
}

void MoveTimerTimer(TTavelmoorForm& form) {
  if (!form.Engine) return;
  EngineHost& h = *form.Engine;
  if (!TickMayRun(h.State)) return;
  LimitsSource limits;
  Win32MoveEnvironment env(limits.Get(form), NavigatorWindow());
  RunMoveTick(h.State, EngineOptionsOf(form), h.Room(), h.ListsFor(form), env, h.Ledger);
}

bool RefreshTickBeforeScan(TTavelmoorForm& form) {
  if (!form.Engine) return false;
  EngineHost& h = *form.Engine;
  if (!TickMayRun(h.State) || !h.Life.CreationFinished) return false;
  RefreshState& r = h.Refresh;

  // 1. Is the 64-bit loader running?
  if (WantsLoaderProbe(form.IsWow64)) {
    h.LoaderWnd = FindWindowExA(nullptr, nullptr, ident::LoaderWindowClass, ident::LoaderWindowTitle);
    form.Action64bit.Checked = LoaderActionChecked(ToHandle(h.LoaderWnd));
  }

  // 2. The navigator while Shift, Ctrl and Alt are held.
  navigator::TNavigator* nav = LiveNavigator();
  Win32KeyReader keys;
  const bool held = ChordHeld(form.Options.UseShift, keys);
  if (nav) {
    switch (DecideChord(held, nav->Visible(), nav->ShowMode)) {
      case ChordAction::ShowNavigator:
        if (form.Visible()) {
          form.Hide();
          Sleep(kHidePauseMs);
        }
        nav->Show();
        PlaceNavigator(form, *nav);
        nav->ShowMode = 0;
        return false;
      case ChordAction::HideNavigator:
        nav->Hide();
        return false;
      case ChordAction::GoOn: break;
    }
  }

  // 3. Scroll to the window activated at the last tick.
  if (r.AutoScrollTarget != 0) {
    const std::optional<TargetFacts> target = TargetFactsOf(ToHwnd(r.AutoScrollTarget));
    const TargetOutcome out = ScrollToTarget(r, h.State, target, form.Options.AutoScroll, form.Options.AutoCenter);
    if (out.applyNow) RunApplyPendingScroll(form);
    if (out.tickEnds) return false;
  }

  // 4.-5. Foreground window and the foreground thread's state.
  const HWND foreground = ToHwnd(ForegroundFor(ToHandle(GetForegroundWindow()), ToHandle(NavigatorWindow()),
                                               r.PrevForeground));
  ForegroundWnd = foreground;
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  std::optional<GuiThreadFacts> guiFacts;
  if (GetGUIThreadInfo(0, &gui)) {
    guiFacts = GuiThreadFacts{gui.flags, ToHandle(gui.hwndCapture), ToHandle(gui.hwndMoveSize)};
    form.GuiInfo = gui;
  }
  const GuiView view = TakeGuiInfo(r, guiFacts);

  // 6.-7. A new activation scans nothing.
  const bool activated = StepActivation(r, ToHandle(foreground), view);
  const bool listed =
      std::find(form.ScrollList.begin(), form.ScrollList.end(), foreground) != form.ScrollList.end();
  if (IsNewActivation(ToHandle(foreground), r.PrevForeground, listed, activated)) {
    ActivatedWindowFacts facts;
    if (const std::optional<WINDOWINFO> info = InfoOf(foreground)) {
      facts.infoRead = true;
      facts.style = info->dwStyle;
    }
    facts.navigatorHasWindow = nav && nav->HasWindow(foreground);
    OnNewActivation(r, h.State, ToHandle(foreground), facts, view);
    form.LastX = h.State.LastX;
    r.PrevForeground = ToHandle(foreground);
    return false;
  }

  // 8. A scan tick: the scan itself runs between the two halves, with the foreground window and
  // the move-size window read above (a window activated meanwhile is seen at the next tick).
  form.MoveSizeWnd = ToHwnd(BeginScanTick(r, h.State, view, form.Options.MenuMode));
  form.LastX = h.State.LastX;
  return true;
}

void RefreshTickAfterScan(TTavelmoorForm& form) {
  if (!form.Engine) return;
  EngineHost& h = *form.Engine;
  RefreshState& r = h.Refresh;
  navigator::TNavigator* nav = LiveNavigator();
  EndScanTick(r, ToHandle(form.MoveSizeWnd), MenuOrMaximized, form.Options.MenuMode);
  const bool changed = nav && nav->Changed();
  if (StepNavRefresh(r, nav && nav->Visible(), changed)) InvalidateRect(nav->Handle(), nullptr, FALSE);
  if (StepAutoArrange(r, form.Options.AutoArrange, changed) && h.ArrangeWindows) {
    MoveBatch batch(h.State);
    h.ArrangeWindows();
  }
  if (!h.State.MoveInProgress) {
    LimitsSource limits;
    Win32MoveEnvironment env(limits.Get(form), NavigatorWindow());
    RunDeferredTick(h.State, EngineOptionsOf(form), h.Room(), h.ListsFor(form), env, h.Ledger);
  }
  r.PrevForeground = ToHandle(ForegroundWnd);
}

void UseKeysCheckBoxClick(TTavelmoorForm& form) {
  auto& box = form.Get<tk::TCheckBox>("UseKeysCheckBox");
  Win32HotKeyRegistrar registrar(form.Handle());
  const UseKeysOutcome out = UseKeysClicked(form.Options.UseKeys, box.Checked(), registrar);
  form.Options.UseKeys = out.UseKeys;
  SettingsChanged = true;
  if (out.ShowInUseMessage) tk::ShowMessage(kHotKeysInUseMessage);
  // Runs this handler again, which then only marks the options changed.
  if (out.UncheckBox) box.SetChecked(false);
}

void BringListedWindowsHome(TTavelmoorForm& form) {
  if (!form.Engine) return;
  // The end is confirmed: no scroll may carry the windows off again.
  form.Engine->State.ShuttingDown = true;
  WalkHome(form, form.Engine->ListsFor(form));
}

void BringEveryWindowHome(TTavelmoorForm& form) {
  if (!form.Engine) return;
  form.ScrollList.clear();
  form.ScrollListText.clear();
  ExitScanSetup setup;
  setup.controlPanel = form.Handle();
  setup.moveSizeWnd = form.MoveSizeWnd;
  setup.excludedWindows = &form.ExcludedWindows;
  RunExitScan(setup, form.ScrollList, form.ScrollListText);
  WalkHome(form, form.Engine->ListsFor(form));
}

void EngineShutDown(TTavelmoorForm& form) {
  if (!form.Engine) return;
  form.Engine->State.ShuttingDown = true;
  Guarded([&] {
    if (!form.Options.UseKeys) return;
    Win32HotKeyRegistrar registrar(form.Handle());
    ReleaseHotKeys(registrar);
  });
  Guarded([&] { BringEveryWindowHome(form); });
}

}  // namespace scroller
