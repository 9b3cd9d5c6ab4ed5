#include "scroller/win32/scroll_engine.h"

#include <algorithm>
#include <optional>

#include "core/private_messages.h"
#include "navigator/win32/window_geometry.h"
#include "platform/handles.h"
#include "platform/work_area.h"
#include "scroller/bring_home.h"
#include "scroller/raw_mouse.h"
#include "scroller/win32/home_desk.h"
#include "scroller/win32/hot_key_registrar.h"
#include "scroller/win32/move_environment.h"
#include "scroller/win32/raw_input_reader.h"

namespace scroller {

using platform::ToHandle;
using platform::ToHwnd;

namespace {

constexpr DWORD kHidePauseMs = 100;
// After bringing windows home, their applications get a moment to take the moves.
constexpr DWORD kAfterHomeMs = 40;

// The private messages' view of the navigator's entries.
class EntriesLink final : public NavigatorLink {
 public:
  explicit EntriesLink(navigator::AppWinStore& entries) : entries_(entries) {}
  core::PackedSize ForcedSizeOf(WindowHandle window) override { return entries_.ForcedSizeOf(window); }
  void ForgetWindow(WindowHandle window) override { entries_.ForgetWindow(window); }

 private:
  navigator::AppWinStore& entries_;
};

bool WindowExists(WindowHandle window) { return IsWindow(ToHwnd(window)) != FALSE; }

core::Point CursorNow() {
  POINT p{};
  if (!GetCursorPos(&p)) return {};  // as the framework gives it: (0, 0)
  return platform::ToPoint(p);
}

BOOL CALLBACK SmallestMonitorProc(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* smallest = reinterpret_cast<core::Size*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    smallest->width = std::min<int32_t>(smallest->width, info.rcMonitor.right - info.rcMonitor.left);
    smallest->height = std::min<int32_t>(smallest->height, info.rcMonitor.bottom - info.rcMonitor.top);
  }
  return TRUE;
}

std::optional<uint32_t> StyleOf(HWND window) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  if (!GetWindowInfo(window, &info)) return std::nullopt;
  return info.dwStyle;
}

core::Rect MonitorAreaNearCursor() {
  const core::Rect desktop = platform::PrimaryWorkArea();
  const int monitors = GetSystemMetrics(SM_CMONITORS);
  core::Rect nearest = desktop;
  if (monitors > 1) {
    const core::Point c = CursorNow();
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(MonitorFromPoint(POINT{c.x, c.y}, MONITOR_DEFAULTTONEAREST), &mi)) {
      nearest = platform::ToRect(mi.rcWork);
    }
  }
  return MonitorAreaFor(monitors, nearest, desktop);
}

// A target that is gone, hidden, minimized or without a readable frame gives nothing.
std::optional<TargetFacts> TargetFactsOf(HWND target) {
  const std::optional<uint32_t> style = StyleOf(target);
  if (!style || !(*style & WS_VISIBLE) || (*style & WS_MINIMIZE)) return std::nullopt;
  const std::optional<core::Rect> frame = navigator::VisibleFrameOf(target);
  if (!frame) return std::nullopt;
  return TargetFacts{*frame, MonitorAreaNearCursor()};
}

// The keys as they stood when the tick began; the chord asks them in its own order.
class SnapshotKeys final : public KeyReader {
 public:
  explicit SnapshotKeys(const KeyStates& keys) : keys_(keys) {}
  bool Held(int virtualKey) override {
    switch (virtualKey) {
      case kVkShift: return keys_.Shift;
      case kVkControl: return keys_.Ctrl;
      case kVkMenu: return keys_.Alt;
      default: return false;
    }
  }

 private:
  const KeyStates& keys_;
};

// Each step of the end runs whatever an earlier one did: what fails is dropped, unlike
// tk::Guarded, which tells it.
template <class Step>
void EvenIfAnEarlierFailed(Step&& step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

struct ScrollEngine::TickFacts {
  KeyStates keys;
  HWND foreground = nullptr;  // the navigator's activation does not count
  std::optional<GuiThreadFacts> gui;
};

ScrollEngine::ScrollEngine(PanelView& panel, NavigatorView& navigator, navigator::DesktopModel& model,
                           const core::ProgramEnd& end)
    : panel_(panel), navigator_(navigator), model_(model), roomWriter_(model.Entries().TakeRoomWriter()) {
  state_.end = &end;
}

Win32MoveEnvironment ScrollEngine::MoveEnvironmentNow() {
  return Win32MoveEnvironment(model_.Screen(), &model_.Entries().Limits(), navigator_.Handle(), &movedWindows_);
}

void ScrollEngine::SetScrollRoom(const navigator::ScrollRoom& room) { roomWriter_.SetRoom(room); }

void ScrollEngine::SetFixedDesktop(const navigator::DesktopLimits& limits, const navigator::ScrollRoom& room) {
  roomWriter_.SetFixedDesktop(limits, room);
}

template <class Tick>
void ScrollEngine::OnTheRoom(Tick&& tick) {
  navigator::ScrollRoom room = model_.Entries().Room();
  tick(room);
  roomWriter_.SetRoom(room);
}

void ScrollEngine::Start(bool isWow64) {
  isWow64_ = isWow64;
  SetMoveAnswerWindow(panel_.Handle());
  core::Size smallest{16000, 16000};
  EnumDisplayMonitors(nullptr, nullptr, SmallestMonitorProc, reinterpret_cast<LPARAM>(&smallest));
  minMonitorWidth_ = smallest.width;
  minMonitorHeight_ = smallest.height;
  state_.CursorX = 16;
  state_.CursorY = 16;
  state_.LastX = kNoLastPosition;
  shellWnd_ = GetShellWindow();
  desktopWnd_ = GetDesktopWindow();
  lists_.Clear();
  excluded_.clear();
}

void ScrollEngine::CreationScan() {
  moveSizeWnd_ = 0;
  refresh_.ArrangeCountdown = -1;
  refresh_.AutoScrollTarget = 0;
  lastScan_ = Scan(nullptr);
  navigator_.CaptureNextShot();
  navigator_.SetBusy(false);
}

void ScrollEngine::RegisterRawMouse() {
  // A failed registration leaves the program without edge scrolling; nothing else depends on it.
  scroller::RegisterRawMouse(panel_.Handle(), rawDevice_);
}

bool ScrollEngine::FinishCreation() { return scroller::FinishCreation(life_); }

bool ScrollEngine::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  const bool isPrivate = msg::IsPrivate(message);
  if (message != WM_INPUT && message != WM_HOTKEY && !isPrivate) return false;

  // Before the navigator's creation and from its destruction on, the hook's questions are answered
  // as for a window without an entry.
  EntriesLink link(model_.Entries());
  PanelContext ctx{state_, lists_, excluded_, life_, navigator_.Exists() ? &link : nullptr, panel_.HookHandle(),
                   WindowExists};
  const DispatchResult r = DispatchPanelMessage(message, wParam, static_cast<intptr_t>(lParam), ctx);

  switch (r.action) {
    case PanelAction::None: break;
    case PanelAction::HandleRawInput: HandleRawInput(lParam); break;
    case PanelAction::HandleHotKey: {
      const core::Rect work = platform::PrimaryWorkArea();
      ApplyHotKey(state_, EngineView(panel_.Options()), static_cast<int>(wParam),
                  work.size());
      break;
    }
    case PanelAction::HidePanel: panel_.Hide(); break;
    case PanelAction::EndProgram: EndProgram(); break;
    case PanelAction::ShowPanel: ShowPanel(); break;
    case PanelAction::RunMoveTick: MoveTick(); break;
    case PanelAction::MovesTaken: {
      Win32MoveEnvironment env = MoveEnvironmentNow();
      OnTheRoom([&](navigator::ScrollRoom& room) {
        AnswerArrived(state_, EngineView(panel_.Options()), room, lists_, env, ledger_, static_cast<WindowHandle>(wParam),
                      static_cast<Ticket>(lParam));
      });
      break;
    }
    case PanelAction::SyncScrollLockItem: panel_.ScrollLockItemChanged(state_.MenuScrollLockChecked); break;
  }
  if (!r.passOn) {
    answer = r.answer;
    return true;
  }
  if (message == WM_INPUT) {
    // The default procedure releases the input's data.
    answer = DefWindowProcA(panel_.Handle(), message, wParam, lParam);
    return true;
  }
  return false;
}

void ScrollEngine::HandleRawInput(LPARAM lParam) {
  RawMouseInput in;
  in.event = ReadRawMouse(reinterpret_cast<HRAWINPUT>(lParam));
  in.keys = ReadKeyStates();
  in.cursor = CursorNow();
  in.screen = ReadScreenFacts(model_.Screen(), minMonitorWidth_, minMonitorHeight_);
  in.ScrollAllowed = refresh_.ScrollAllowed;
  in.WindowDragging = navigator_.WindowDragging();
  in.DragMoved = navigator_.DragMoved();
  const RawMouseResult r = HandleRawMouse(state_, EngineView(panel_.Options()), in);
  if (r.ScrollLockItemChanged) panel_.ScrollLockItemChanged(state_.MenuScrollLockChecked);
  if (r.EndNavigatorDrag) navigator_.EndWindowDrag();
}

void ScrollEngine::ShowPanel() {
  if (navigator_.Visible()) {
    navigator_.Hide();
    Sleep(kHidePauseMs);
  }
  if (panel_.HideSetSizeDialog()) Sleep(kHidePauseMs);
  panel_.Show();
}

void ScrollEngine::MakeWayForNavigator() {
  if (panel_.Visible()) {
    panel_.Hide();
    Sleep(kHidePauseMs);
  }
  if (panel_.HideSetSizeDialog()) Sleep(kHidePauseMs);
}

void ScrollEngine::MakeWayForSetSizeDialog() {
  if (navigator_.Visible()) {
    navigator_.Hide();
    Sleep(kHidePauseMs);
  }
  if (panel_.Visible()) {
    panel_.Hide();
    Sleep(kHidePauseMs);
  }
}

void ScrollEngine::ShowNavigatorFromTray() {
  MakeWayForNavigator();
  const core::Size primary = model_.Screen().Fresh().primary;
  // The live cursor, read once for the top and again for the left.
  const int32_t top = NavigatorPlacement(panel_.Options().SmallScreen, CursorNow(), primary).y;
  core::Bounds where = NavigatorPlacement(panel_.Options().SmallScreen, CursorNow(), primary);
  where.y = top;
  navigator_.ShowFromTray(where);
}

void ScrollEngine::EndProgram() { panel_.End(); }

void ScrollEngine::MoveTick() {
  if (!TickMayRun(state_)) return;
  Win32MoveEnvironment env = MoveEnvironmentNow();
  OnTheRoom([&](navigator::ScrollRoom& room) {
    RunMoveTick(state_, EngineView(panel_.Options()), room, lists_, env, ledger_);
  });
}

void ScrollEngine::ApplyPendingScrollNow() {
  Win32MoveEnvironment env = MoveEnvironmentNow();
  OnTheRoom([&](navigator::ScrollRoom& room) {
    ApplyPendingScroll(state_, EngineView(panel_.Options()), room, lists_, env, ledger_);
  });
}

void ScrollEngine::RunWindowMoves(const std::function<void()>& moves) {
  if (Ending()) return;
  {
    MoveBatch batch(state_);
    moves();
  }
  RunDeferredMoves();
}

void ScrollEngine::WindowsPlaced(std::span<const Placement> placed) { scroller::WindowsPlaced(placed, ledger_); }

void ScrollEngine::MoveWindowBy(WindowHandle window, core::Point seen, int64_t dx, int64_t dy) {
  if (Ending()) return;
  Win32MoveEnvironment env = MoveEnvironmentNow();
  scroller::MoveWindowBy(window, seen, dx, dy, env, ledger_);
}

void ScrollEngine::RunDeferredMoves() {
  if (state_.MoveInProgress) return;
  Win32MoveEnvironment env = MoveEnvironmentNow();
  OnTheRoom([&](navigator::ScrollRoom& room) {
    RunDeferredTick(state_, EngineView(panel_.Options()), room, lists_, env, ledger_);
  });
}

// --- The refresh tick, top to bottom ---

bool ScrollEngine::RefreshTick() {
  if (!TickMayRun(state_) || !life_.CreationFinished) return false;
  const TickFacts facts = ReadTickFacts();

  // Whether the 64-bit loader runs shows on its tray item; only a 32-bit program under WoW64 has
  // one to look for.
  if (isWow64_) FindLoader();
  if (ChordEndsTick(facts)) return false;
  if (TargetEndsTick()) return false;
  const GuiView gui = TakeGuiInfo(refresh_, facts.gui);
  if (ActivationEndsTick(facts, gui)) return false;

  moveSizeWnd_ = BeginScanTick(refresh_, state_, gui, panel_.Options().MenuMode);
  PruneExcludedWindows(excluded_, WindowExists);
  ScanOutcome outcome;
  {
    // Scroll requests arriving while the scan waits on a window would move a half-built list:
    // they are held and run after it.
    MoveBatch held(state_);
    outcome = Scan(facts.foreground);
  }
  // One screen shot per scan, before AfterScan: a turn may mark the entries changed.
  navigator_.CaptureNextShot();
  AfterScan(outcome, facts.foreground);
  lastScan_ = std::move(outcome);
  ForgetGoneMovedWindows();
  return true;
}

void ScrollEngine::ForgetGoneMovedWindows() {
  // The listed ones exist; only the others are asked.
  const auto gone = [this](WindowHandle w) { return !lists_.Contains(w) && !WindowExists(w); };
  std::erase_if(movedWindows_, gone);
  ledger_.ForgetIf(gone);
}

HWND ScrollEngine::FindLoader() {
  loaderWnd_ = FindWindowExA(nullptr, nullptr, ident::LoaderWindowClass, ident::LoaderWindowTitle);
  panel_.SetLoaderRunning(loaderWnd_ != nullptr);
  return loaderWnd_;
}

ScrollEngine::TickFacts ScrollEngine::ReadTickFacts() {
  TickFacts f;
  f.keys = ReadKeyStates();
  f.foreground = ToHwnd(
      ForegroundFor(ToHandle(GetForegroundWindow()), ToHandle(navigator_.Handle()), refresh_.PrevForeground));
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (GetGUIThreadInfo(0, &gui)) {
    f.gui = GuiThreadFacts{gui.flags, ToHandle(gui.hwndCapture), ToHandle(gui.hwndMoveSize)};
  }
  return f;
}

// The navigator opens while Shift, Ctrl and Alt are held and closes when they are released.
bool ScrollEngine::ChordEndsTick(const TickFacts& facts) {
  if (!navigator_.Exists()) return false;
  SnapshotKeys keys(facts.keys);
  const bool held = ChordHeld(panel_.Options().UseShift, keys);
  switch (DecideChord(held, navigator_.Visible(), navigator_.ShowMode())) {
    case ChordAction::ShowNavigator: {
      MakeWayForNavigator();
      const core::Size primary = model_.Screen().Fresh().primary;
      navigator_.ShowForChord(NavigatorPlacement(panel_.Options().SmallScreen, Cursor(), primary));
      return true;
    }
    case ChordAction::HideNavigator: navigator_.Hide(); return true;
    case ChordAction::GoOn: return false;
  }
  return false;
}

// The window activated at the last tick is scrolled into view.
bool ScrollEngine::TargetEndsTick() {
  if (refresh_.AutoScrollTarget == 0) return false;
  const std::optional<TargetFacts> target = TargetFactsOf(ToHwnd(refresh_.AutoScrollTarget));
  const OptionFields& o = panel_.Options();
  const HWND window = ToHwnd(refresh_.AutoScrollTarget);
  const TargetOutcome out = ScrollToTarget(refresh_, state_, target, o.AutoScroll, o.AutoCenter);
  if (out.applyNow) ApplyPendingScrollNow();
  // The window comes into view: its picture in the overview is renewed.
  if (target) navigator_.RequestShot(window);
  return out.tickEnds;
}

// A new activation scans nothing: it drops the waiting step and may make the window the next
// tick's target.
bool ScrollEngine::ActivationEndsTick(const TickFacts& facts, const GuiView& gui) {
  const WindowHandle foreground = ToHandle(facts.foreground);
  const bool activated = StepActivation(refresh_, foreground, gui);
  if (!IsNewActivation(foreground, refresh_.PrevForeground, lists_.Contains(foreground), activated)) return false;
  ActivatedWindowFacts window;
  if (const std::optional<uint32_t> style = StyleOf(facts.foreground)) {
    window.infoRead = true;
    window.style = *style;
  }
  window.navigatorHasWindow = model_.Entries().HasWindow(foreground);
  OnNewActivation(refresh_, state_, foreground, window, gui);
  refresh_.PrevForeground = foreground;
  return true;
}

ScanOutcome ScrollEngine::Scan(HWND foreground) {
  ScanSetup setup;
  setup.controlPanel = panel_.Handle();
  setup.shellWnd = shellWnd_;
  setup.desktopWnd = desktopWnd_;
  setup.moveSizeWnd = ToHwnd(moveSizeWnd_);
  setup.foregroundWnd = foreground;
  setup.nonScrollingClasses = nonScrolling_;
  setup.cache = &scanCache_;
  setup.desktops = &model_.Desktops();
  setup.virtualScreen = model_.Screen().Current().virtualScreen;
  return RunWindowScan(setup, {lists_, excluded_}, &model_.Entries());
}

void ScrollEngine::AfterScan(const ScanOutcome& outcome, HWND foreground) {
  const OptionFields& o = panel_.Options();
  EndScanTick(refresh_, moveSizeWnd_, outcome.menuOrMaximized, o.MenuMode);
  const bool changed = model_.Entries().Changed();
  if (StepNavRefresh(refresh_, navigator_.Visible(), changed)) navigator_.Invalidate();
  if (StepAutoArrange(refresh_, o.AutoArrange, changed) && ArrangeWindows) {
    MoveBatch batch(state_);
    ArrangeWindows();
  }
  RunDeferredMoves();
  refresh_.PrevForeground = ToHandle(foreground);
}

// --- Keyboard scrolling and the Scroll Lock item ---

UseKeysOutcome ScrollEngine::KeyboardScrollingClicked(bool useKeys, bool checked) {
  Win32HotKeyRegistrar registrar(panel_.Handle());
  return UseKeysClicked(useKeys, checked, registrar);
}

void ScrollEngine::ScrollLockItemClicked(bool checked) { scroller::ScrollLockItemClicked(state_, checked); }

// --- The end ---

void ScrollEngine::BringListedWindowsHome() {
  // Asked once the end is confirmed: no scroll carries the windows off again.
  Win32HomeDesk desk;
  MoveBatch batch(state_);
  BringWindowsHome(lists_, desk);
}

void ScrollEngine::BringEveryWindowHome() {
  ExitScanSetup setup;
  setup.controlPanel = panel_.Handle();
  setup.moveSizeWnd = ToHwnd(moveSizeWnd_);
  setup.excludedWindows = excluded_;
  lists_.Clear();
  for (WindowHandle w : RunExitScan(setup)) lists_.Append(w, " ");
  std::vector<WindowHandle> stranded;
  for (WindowHandle w : movedWindows_) {
    if (!lists_.Contains(w)) stranded.push_back(w);
  }
  Win32HomeDesk desk;
  // Nested scroll requests are held back and never run: the program is ending.
  MoveBatch batch(state_);
  BringWindowsHome(lists_, desk);
  BringStrandedWindowsHome(stranded, desk);
  Sleep(kAfterHomeMs);
}

void ScrollEngine::ShutDown() {
  // The session's end and then the panel's destruction both ask; the steps run once.
  if (shutDownRun_) return;
  shutDownRun_ = true;
  EvenIfAnEarlierFailed([&] {
    if (!panel_.Options().UseKeys) return;
    Win32HotKeyRegistrar registrar(panel_.Handle());
    ReleaseHotKeys(registrar);
  });
  EvenIfAnEarlierFailed([&] { BringEveryWindowHome(); });
  EvenIfAnEarlierFailed([&] {
    lists_.Clear();
    excluded_.clear();
  });
}

}  // namespace scroller
