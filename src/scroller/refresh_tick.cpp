#include "scroller/refresh_tick.h"

#include "scroller/window_filter.h"

namespace scroller {
namespace {

int64_t CentreOf(int64_t lo, int64_t hi) { return lo + (hi - lo) / 2; }

}  // namespace

bool ChordHeld(bool useShift, KeyReader& keys) {
  return useShift && keys.Held(kVkShift) && keys.Held(kVkControl) && keys.Held(kVkMenu);
}

ChordAction DecideChord(bool held, bool navigatorVisible, navigator::ShowMode navigatorShowMode) {
  if (held) return navigatorVisible ? ChordAction::GoOn : ChordAction::ShowNavigator;
  // A navigator opened otherwise (from the tray) stays.
  if (navigatorVisible && navigatorShowMode == navigator::ShowMode::ByChord) return ChordAction::HideNavigator;
  return ChordAction::GoOn;
}

core::Bounds NavigatorPlacement(bool smallScreen, core::Point cursor, core::Size primaryMonitor) {
  const int64_t w = primaryMonitor.width;
  const int64_t h = primaryMonitor.height;
  if (!smallScreen) {
    return {0, 0, core::clampToInt32(w), core::clampToInt32(h)};
  }
  const int64_t top = core::clampLowThenHigh<int64_t>(int64_t{cursor.y} - h / 6, 0, h - h / 3);
  const int64_t left = core::clampLowThenHigh<int64_t>(int64_t{cursor.x} - w / 6, 0, w - w / 3);
  return {core::clampToInt32(left), core::clampToInt32(top), core::clampToInt32(w / 3),
          core::clampToInt32(h / 3)};
}

bool HardToSee(const core::Rect& r, const core::Rect& m) {
  const int64_t qx = r.width() / 4;
  const int64_t qy = r.height() / 4;
  return int64_t{r.right} - qx < m.left || int64_t{r.left} + qx > m.right ||
         int64_t{r.bottom} - qy < m.top || int64_t{r.top} + qy > m.bottom;
}

AutoScrollDecision DecideAutoScroll(const core::Rect& r, const core::Rect& m, bool autoScroll,
                                    bool autoCenter) {
  AutoScrollDecision d;
  if (!autoScroll || !(autoCenter || HardToSee(r, m))) return d;
  d.setStep = true;
  d.dx = core::clampToInt32(CentreOf(r.left, r.right) - CentreOf(m.left, m.right));
  d.dy = core::clampToInt32(CentreOf(r.top, r.bottom) - CentreOf(m.top, m.bottom));
  d.applyNow = autoCenter;
  return d;
}

TargetOutcome ScrollToTarget(RefreshState& r, EngineState& s,
                             const std::optional<TargetFacts>& target, bool autoScroll,
                             bool autoCenter) {
  r.AutoScrollTarget = 0;
  if (!target) return {};
  const AutoScrollDecision d = DecideAutoScroll(target->frame, target->area, autoScroll, autoCenter);
  if (d.setStep) {
    s.PendingDX = d.dx;
    s.PendingDY = d.dy;
  }
  return {true, d.applyNow};
}

GuiView TakeGuiInfo(RefreshState& r, const std::optional<GuiThreadFacts>& facts) {
  GuiView v;
  if (facts) {
    r.GuiFlags = facts->flags;
    r.GuiMoveSize = facts->moveSize;
    v.capture = facts->capture;
  }
  v.moving = (r.GuiFlags & kGuiInMoveSize) != 0;
  return v;
}

bool StepActivation(RefreshState& r, WindowHandle foreground, const GuiView& gui) {
  if (r.ActivateCountdown > 0) {
    if (gui.moving) {
      r.ActivateCountdown = 0;
    } else if (gui.capture == 0) {
      r.ActivateCountdown = 0;
      return true;
    } else {
      --r.ActivateCountdown;
    }
    return false;
  }
  if (gui.capture != r.PrevForeground && gui.capture == foreground && !gui.moving) {
    r.ActivateCountdown = kActivateTicks;
  }
  return false;
}

void OnNewActivation(RefreshState& r, EngineState& s, WindowHandle foreground,
                     const ActivatedWindowFacts& facts, const GuiView& gui) {
  s.PendingDX = 0;
  s.PendingDY = 0;
  s.LastX = kNoLastPosition;
  const bool shown = facts.infoRead && (facts.style & kStyleVisible) != 0 &&
                     (facts.style & kStyleMinimize) == 0;
  if (shown && facts.navigatorHasWindow && gui.capture != foreground) {
    r.AutoScrollTarget = foreground;
  }
}

WindowHandle BeginScanTick(RefreshState& r, EngineState& s, const GuiView& gui, bool menuMode) {
  s.LastX = kNoLastPosition;
  if (gui.moving) {
    // The user drags or sizes a window: scrolling stays allowed, that window is never scrolled.
    r.ScrollAllowed = true;
    return r.GuiMoveSize;
  }
  const uint32_t menus = kGuiInMenuMode | kGuiSystemMenuMode | kGuiPopupMenuMode;
  r.ScrollAllowed = !(menuMode && (r.GuiFlags & menus) != 0);
  return 0;
}

void EndScanTick(RefreshState& r, WindowHandle moveSizeWnd, bool menuOrMaximized, bool menuMode) {
  if (moveSizeWnd == 0 && menuOrMaximized && menuMode) r.ScrollAllowed = false;
}

bool StepNavRefresh(RefreshState& r, bool navigatorVisible, bool navigatorChanged) {
  if (r.NavRefreshCountdown >= 0) --r.NavRefreshCountdown;
  if (navigatorVisible && (navigatorChanged || r.NavRefreshCountdown == 0)) {
    r.NavRefreshCountdown = kNavRefreshTicks;
    return true;
  }
  return false;
}

bool StepAutoArrange(RefreshState& r, bool autoArrange, bool navigatorChanged) {
  if (!autoArrange || !r.ScrollAllowed) return false;
  if (navigatorChanged) {
    r.ArrangeCountdown = kArrangeWaitTicks;
  } else if (r.ArrangeCountdown > 0) {
    --r.ArrangeCountdown;
  } else if (r.ArrangeCountdown == 0) {
    r.ArrangeCountdown = -1;
    return true;
  }
  return false;
}

}  // namespace scroller
