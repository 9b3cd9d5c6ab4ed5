#pragma once
// The scrolling engine as the control panel runs it, and the one owner of its state: the pending
// step and its ledger, the refresh tick's fields, the scroll list with its texts, the excluded
// windows, the user's non-scrolling classes, the move-size window and the last scan's outcome.
// It sees the panel and the navigator only through their views, and what the forms share through
// the desktop model, whose scroll room it alone sets: the others ask it.
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/geometry.h"
#include "navigator/scroll_room.h"
#include "navigator/win32/desktop_model.h"
#include "platform/handles.h"
#include "scroller/engine_state.h"
#include "scroller/hot_keys.h"
#include "scroller/message_dispatch.h"
#include "scroller/move_tick.h"
#include "scroller/refresh_tick.h"
#include "scroller/scan_cache.h"
#include "scroller/win32/move_environment.h"
#include "scroller/win32/navigator_view.h"
#include "scroller/win32/panel_view.h"
#include "scroller/win32/window_scan.h"

namespace scroller {

class ScrollEngine final : public navigator::ScrollRoomSetter {
 public:
  // `end`: the program's end as the application holds it.
  ScrollEngine(PanelView& panel, NavigatorView& navigator, navigator::DesktopModel& model,
               const core::ProgramEnd& end);
  ScrollEngine(const ScrollEngine&) = delete;
  ScrollEngine& operator=(const ScrollEngine&) = delete;

  // Creation, in this order: the start values (monitor sizes, shell and desktop windows), the
  // first scan, raw mouse input. FinishCreation is true when an exit asked for meanwhile must end
  // the program now. On 64-bit Windows the refresh tick looks for the 64-bit loader.
  void Start(bool isWow64);
  void CreationScan();
  void RegisterRawMouse();
  bool FinishCreation();
  bool CreationFinished() const { return life_.CreationFinished; }

  // The window procedure's engine part: WM_INPUT, WM_HOTKEY and the private messages. True when the
  // message is done with `answer`; false when it goes to the form's own handling.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);

  // The move timer's tick (also run at once for WM_SCROLL_BY).
  void MoveTick();
  // The refresh timer's tick; true when it scanned (the lists tab then follows the scroll list).
  bool RefreshTick();

  // The keyboard-scrolling check box was clicked: registers or releases the hot keys.
  UseKeysOutcome KeyboardScrollingClicked(bool useKeys, bool checked);
  void ScrollLockItemClicked(bool checked);
  bool ScrollLockChecked() const { return state_.MenuScrollLockChecked; }

  // The program's windows make way for each other, 100 ms after each hide: the panel shown (the
  // navigator and the set-size dialog hidden first), and the navigator opened from the tray at
  // the live cursor (the panel and the dialog hidden first, each hide saving the settings), and
  // the navigator and the panel hidden before the set-size dialog shows.
  void ShowPanel();
  void ShowNavigatorFromTray();
  void MakeWayForSetSizeDialog();

  // The exit action, once the program's end has been asked for (nothing scrolls after): every
  // window of the last scan's list goes home.
  void BringListedWindowsHome();
  // Destruction and the end of the session, once the program's end has been asked for: the hot
  // keys are released, every visible top-level window is brought home. Runs once; no step keeps
  // a later one from running.
  void ShutDown();
  // The program's end has been asked for: nothing scrolls any more.
  bool Ending() const { return scroller::Ending(state_); }

  // A 32-bit program on 64-bit Windows: only then is the 64-bit loader offered and looked for.
  bool IsWow64() const { return isWow64_; }
  // The 64-bit loader's window as the last refresh tick found it, or looked for now.
  HWND LoaderWindow() const { return loaderWnd_; }
  HWND FindLoader();

  // What the Scrolling Windows tab shows and changes.
  const ScrollLists& Lists() const { return lists_; }
  const ScanOutcome& LastScan() const { return lastScan_; }
  std::vector<std::string>& NonScrollingClasses() { return nonScrolling_; }
  const std::vector<std::string>& NonScrollingClasses() const { return nonScrolling_; }

  // The navigator's mouse writes the pending step (replacing one not yet applied), and its
  // painting asks for a repaint within three scans when it drew a stale list or failed.
  void SetPendingDX(int32_t dx) { state_.PendingDX = dx; }
  void SetPendingDY(int32_t dy) { state_.PendingDY = dy; }
  void RepaintNavigatorSoon() { refresh_.NavRefreshCountdown = kNavRepaintSoonTicks; }

  // The scroll room as a restored layout gives it, and the fixed desktop size with its room as
  // the settings or the set-size dialog give them.
  void SetScrollRoom(const navigator::ScrollRoom& room) override;
  void SetFixedDesktop(const navigator::DesktopLimits& limits, const navigator::ScrollRoom& room) override;

  // Where the border band and the navigator look for the cursor.
  core::Point Cursor() const { return {state_.CursorX, state_.CursorY}; }

  // Arrangement lives with the navigator; the auto-arrange countdown runs it through this.
  std::function<void()> ArrangeWindows;
  // The window in a move or size loop at the last scan tick, or null.
  HWND MoveSizeWindow() const { return platform::ToHwnd(moveSizeWnd_); }
  // Windows moved by another part (arrangement, a layout restore): scroll requests arriving
  // nested meanwhile wait and run after. Nothing runs once shut-down has begun.
  void RunWindowMoves(const std::function<void()>& moves);
  // Another part has sent these windows to these places (arrangement, a layout restore): what
  // they were owed of other moves goes.
  void WindowsPlaced(std::span<const Placement> placed);
  // The navigator's window drag: a step (positive: right and down) for the window seen at `seen`,
  // with the scroll steps in one account.
  void MoveWindowBy(WindowHandle window, core::Point seen, int64_t dx, int64_t dy);

 private:
  // What one refresh tick reads of the platform, once, before it decides anything.
  struct TickFacts;

  TickFacts ReadTickFacts();
  bool ChordEndsTick(const TickFacts& facts);
  bool TargetEndsTick();
  bool ActivationEndsTick(const TickFacts& facts, const GuiView& gui);
  ScanOutcome Scan(HWND foreground);
  void AfterScan(const ScanOutcome& outcome, HWND foreground);

  void HandleRawInput(LPARAM lParam);
  void MakeWayForNavigator();
  void EndProgram();
  void ApplyPendingScrollNow();
  void RunDeferredMoves();
  void BringEveryWindowHome();
  void ForgetGoneMovedWindows();
  // Runs one of the move tick's entry points on the model's scroll room.
  template <class Tick>
  void OnTheRoom(Tick&& tick);
  Win32MoveEnvironment MoveEnvironmentNow();

  PanelView& panel_;
  NavigatorView& navigator_;
  navigator::DesktopModel& model_;
  // The engine alone writes the scroll room and the fixed desktop size.
  navigator::AppWinStore::RoomWriter roomWriter_;
  EngineState state_;
  MoveLedger ledger_;
  RefreshState refresh_;
  PanelLife life_;

  ScrollLists lists_;
  std::vector<WindowHandle> excluded_;
  std::vector<std::string> nonScrolling_;
  WindowHandle moveSizeWnd_ = 0;
  ScanOutcome lastScan_;
  // What scans keep of windows from one to the next.
  ScanCache scanCache_;
  // Every window this run moved and that still exists: at the end, those the exit's collection
  // leaves out (excluded, hidden) go home too when they lie out of reach.
  std::unordered_set<WindowHandle> movedWindows_;

  HWND loaderWnd_ = nullptr;
  HWND shellWnd_ = nullptr;
  HWND desktopWnd_ = nullptr;
  int minMonitorWidth_ = 16000;
  int minMonitorHeight_ = 16000;
  RAWINPUTDEVICE rawDevice_{};
  bool isWow64_ = false;
  bool shutDownRun_ = false;
};

}  // namespace scroller
