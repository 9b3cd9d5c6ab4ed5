#include "scroller/message_dispatch.h"

#include <algorithm>

namespace scroller {
namespace {

DispatchResult Answer(intptr_t answer = 0, PanelAction action = PanelAction::None) {
  return {action, false, answer};
}

DispatchResult PassOn(PanelAction action = PanelAction::None) { return {action, true, 0}; }

void Release(PanelContext& ctx, WindowHandle window) {
  ctx.lists.Release(window);
  if (ctx.navigator) ctx.navigator->ForgetWindow(window);
}

void Exclude(PanelContext& ctx, WindowHandle window) {
  std::vector<WindowHandle>& excluded = ctx.excludedWindows;
  if (std::find(excluded.begin(), excluded.end(), window) != excluded.end()) return;
  if (excluded.size() >= kMaxExcludedWindows && ctx.windowExists) PruneExcludedWindows(excluded, ctx.windowExists);
  if (excluded.size() < kMaxExcludedWindows) excluded.push_back(window);
}

void Include(std::vector<WindowHandle>& excluded, WindowHandle window) {
  const auto it = std::find(excluded.begin(), excluded.end(), window);
  if (it != excluded.end()) excluded.erase(it);
}

core::PackedSize SizeAnswer(PanelContext& ctx, WindowHandle window) {
  // Once the end has been asked for, forced sizes stop.
  if (Ending(ctx.engine)) return core::kStopTracking;
  return ctx.navigator ? ctx.navigator->ForcedSizeOf(window) : core::kNoForcedSize;
}

DispatchResult ScrollBy(PanelContext& ctx, uintptr_t wParam, intptr_t lParam) {
  EngineState& s = ctx.engine;
  const int32_t dx = StepFromParam(wParam);
  const int32_t dy = StepFromParam(static_cast<uintptr_t>(lParam));
  if (s.MoveInProgress) {
    // The running walk already took its step; requests arriving during it add up and run as a
    // tick of their own once it has ended.
    s.PendingDX = AddToStep(s.PendingDX, dx);
    s.PendingDY = AddToStep(s.PendingDY, dy);
    s.TickDeferred = true;
    return Answer();
  }
  s.PendingDX = dx;
  s.PendingDY = dy;
  return Answer(0, PanelAction::RunMoveTick);
}

}  // namespace

DispatchResult DispatchPanelMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                    PanelContext& ctx) {
  const bool creating = !ctx.life.CreationFinished;
  const bool ending = Ending(ctx.engine);
  const bool live = !creating && !ending;
  const WindowHandle window = static_cast<WindowHandle>(wParam);

  switch (message) {
    // The default procedure must see WM_INPUT to release the input's data.
    case kWmInput: return PassOn(live ? PanelAction::HandleRawInput : PanelAction::None);
    case kWmHotKey: return Answer(0, live ? PanelAction::HandleHotKey : PanelAction::None);

    case msg::WM_PANEL_HIDE: return Answer(0, live ? PanelAction::HidePanel : PanelAction::None);
    case msg::WM_INSTANCE_EXIT:
      if (creating) {
        ctx.life.ExitRemembered = true;
        return Answer();
      }
      return Answer(0, ending ? PanelAction::None : PanelAction::EndProgram);
    case msg::WM_INSTANCE_SHOW: return Answer(0, live ? PanelAction::ShowPanel : PanelAction::None);

    case msg::WM_HOOK_GET_HANDLE:
      return Answer(creating ? 0 : static_cast<intptr_t>(ctx.hookHandle));
    case msg::WM_HOOK_RELEASED:
      // The hook no longer tracks the window. One that still exists goes on scrolling with the
      // desktop and keeps its entry, forced size included; one that has gone leaves at once.
      if (!ctx.windowExists || !ctx.windowExists(window)) Release(ctx, window);
      return Answer();
    case msg::WM_HOOK_GET_SIZE:
      return Answer(creating ? 0 : static_cast<intptr_t>(SizeAnswer(ctx, window)));

    case msg::WM_SCROLL_BY:
      if (!live) return Answer();
      return ScrollBy(ctx, wParam, lParam);
    case msg::WM_MOVES_TAKEN: return Answer(0, live ? PanelAction::MovesTaken : PanelAction::None);
    case msg::WM_EXCLUDE_WINDOW:
      Exclude(ctx, window);
      return Answer();
    case msg::WM_INCLUDE_WINDOW:
      Include(ctx.excludedWindows, window);
      return Answer();
    case msg::WM_PAUSE_SCROLL:
      if (!live) return Answer();
      PauseScroll(ctx.engine);
      return Answer(0, PanelAction::SyncScrollLockItem);
    case msg::WM_RESUME_SCROLL:
      if (!live) return Answer();
      ResumeScroll(ctx.engine);
      return Answer(0, PanelAction::SyncScrollLockItem);

    default: return PassOn();  // WM_HOOK_PANEL_MISSING, WM_HOOK_SUBCLASSED, WM_LOADER_QUIT, ...
  }
}

void PruneExcludedWindows(std::vector<WindowHandle>& excluded, const std::function<bool(WindowHandle)>& exists) {
  std::erase_if(excluded, [&](WindowHandle w) { return !exists(w); });
}

bool FinishCreation(PanelLife& life) {
  life.CreationFinished = true;
  const bool endNow = life.ExitRemembered;
  life.ExitRemembered = false;
  return endNow;
}

}  // namespace scroller
