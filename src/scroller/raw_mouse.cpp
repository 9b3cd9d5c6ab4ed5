#include "scroller/raw_mouse.h"

#include <algorithm>
#include <cstdlib>

namespace scroller {
namespace {

constexpr int64_t Abs(int64_t v) { return v < 0 ? -v : v; }

// Absolute positions are normalised to 0..65535; anything outside is a device's noise.
constexpr int32_t NormalisedPosition(int32_t v) { return std::clamp<int32_t>(v, 0, 0xFFFF); }

constexpr int64_t Span(int64_t extent) { return std::clamp<int64_t>(extent, 0, INT32_MAX); }

bool PageJumpWanted(const EngineState& s, const EngineOptions& o, const KeyStates& k,
                    const Motion& m) {
  return o.UseShift && s.PageCooldown == 0 && k.Alt && k.Ctrl && !k.Shift &&
         (Abs(m.mx) > kPageJumpThreshold || Abs(m.my) > kPageJumpThreshold);
}

void PageJump(EngineState& s, const EngineOptions& o, const ScreenFacts& screen, const Motion& m) {
  s.PageCooldown = kPageJumpCooldown;
  s.PendingDX = 0;
  s.PendingDY = 0;
  const int64_t h = Abs(XAxisOf(o) * m.mx);
  const int64_t v = Abs(YAxisOf(o) * m.my);
  if (v > h) {
    s.PendingDY = m.my < 0 ? -screen.MinMonitorHeight : screen.MinMonitorHeight;
  } else if (h > v) {
    s.PendingDX = m.mx < 0 ? -screen.MinMonitorWidth : screen.MinMonitorWidth;
  }
}

void StickyWait(EngineState& s) {
  if (s.StickyCount > 0) {
    // Until the wait has passed, the step holds only the latest event's motion.
    s.PendingDX = 0;
    s.PendingDY = 0;
    --s.StickyCount;
    if (s.StickyCount == 0) s.StickyCount = -1;
  }
}

void EdgePush(EngineState& s, const EngineOptions& o, const Motion& m, bool edgeX, bool edgeY,
              bool always) {
  if (o.Sticky > 0 && !always) {
    if (s.StickyCount == 0) {
      s.StickyCount = o.Sticky;
    } else {
      StickyWait(s);
    }
  }
  const int64_t d = EdgeDivisor(m, o);
  if (o.SuperMode || edgeX) s.PendingDX = AddToStep(s.PendingDX, m.mx / d);
  if (o.SuperMode || edgeY) s.PendingDY = AddToStep(s.PendingDY, m.my / d);
}

void AwayFromEdge(EngineState& s, const EngineOptions& o, bool always) {
  if (s.StickyCount != 0) {
    // A brief touch of the edge never scrolls.
    s.StickyCount = 0;
    s.PendingDX = 0;
    s.PendingDY = 0;
  }
  if (!always || s.LastX == kNoLastPosition) return;
  const int64_t dx = int64_t{s.CursorX} - s.LastX;
  const int64_t dy = int64_t{s.CursorY} - s.LastY;
  if ((dx == 0 && dy == 0) || Abs(dx) >= kMaxFollowJump || Abs(dy) >= kMaxFollowJump) return;
  s.PendingDX = AddToStep(s.PendingDX, dx * ReverseOf(o));
  s.PendingDY = AddToStep(s.PendingDY, dy * ReverseOf(o));
}

void MirrorScrollLock(EngineState& s, bool scrollLockOn) {
  if (scrollLockOn) {
    s.ScrollLockSeen = true;
    s.MenuScrollLockChecked = true;
  } else if (s.ScrollLockSeen) {
    s.MenuScrollLockChecked = false;
  }
}

}  // namespace

Motion MotionOf(EngineState& s, const RawMouseEvent& e, const ScreenFacts& screen) {
  if ((e.usFlags & kMouseMoveAbsolute) == 0) {
    return {int64_t{e.lLastX} * kCountScale, int64_t{e.lLastY} * kCountScale};
  }
  const int32_t x = NormalisedPosition(e.lLastX);
  const int32_t y = NormalisedPosition(e.lLastY);
  Motion m;
  if (s.HaveAbsolutePosition) {
    const bool virtualDesktop = (e.usFlags & kMouseVirtualDesktop) != 0;
    const int64_t spanX =
        Span(virtualDesktop ? screen.VirtualScreen.width() : screen.PrimaryMonitor.width);
    const int64_t spanY =
        Span(virtualDesktop ? screen.VirtualScreen.height() : screen.PrimaryMonitor.height);
    // (delta / 65536) * span pixels, kept in 16.16: delta * span.
    m.mx = (int64_t{x} - s.LastAbsoluteX) * spanX;
    m.my = (int64_t{y} - s.LastAbsoluteY) * spanY;
  }
  s.HaveAbsolutePosition = true;
  s.LastAbsoluteX = x;
  s.LastAbsoluteY = y;
  return m;
}

int64_t EdgeDivisor(const Motion& m, const EngineOptions& o) {
  const int64_t d = kCountScale - ((Abs(m.mx) + Abs(m.my)) >> SpeedOf(o));
  return std::max(d, kMinDivisor);
}

RawMouseResult HandleRawMouse(EngineState& s, const EngineOptions& o, const RawMouseInput& in) {
  RawMouseResult r;
  const bool wasChecked = s.MenuScrollLockChecked;
  MirrorScrollLock(s, in.keys.ScrollLock);
  r.ScrollLockItemChanged = wasChecked != s.MenuScrollLockChecked;

  s.CursorX = in.cursor.x;
  s.CursorY = in.cursor.y;
  r.EndNavigatorDrag = in.WindowDragging && in.DragMoved && !in.keys.RightButton;

  // Read before any early exit, so that an absolute device's reference stays current.
  const Motion raw = in.event.DataRead ? MotionOf(s, in.event, in.screen) : Motion{};

  if (s.ScrollPaused || Ending(s)) {
    r.path = RawMousePath::Paused;
    return r;
  }
  const bool always =
      o.SuperMode != (o.UseShift && in.keys.Shift && in.keys.Ctrl && !in.keys.Alt);

  r.path = RawMousePath::NoStep;
  if (in.ScrollAllowed && in.event.DataRead) {
    bool edgeX = false;
    bool edgeY = false;
    if (!s.MenuScrollLockChecked) {
      const core::Rect& v = in.screen.VirtualScreen;
      const int64_t lastColumn = int64_t{v.right} - 1;
      const int64_t lastRow = int64_t{v.bottom} - 1;
      edgeX = (s.CursorX == v.left && raw.mx <= 0) || (s.CursorX == lastColumn && raw.mx >= 0);
      edgeY = (s.CursorY == v.top && raw.my <= 0) || (s.CursorY == lastRow && raw.my >= 0);
    }
    const Motion m{raw.mx * ReverseOf(o), raw.my * ReverseOf(o)};
    if (PageJumpWanted(s, o, in.keys, m)) {
      PageJump(s, o, in.screen, m);
      r.path = RawMousePath::PageJump;
    } else if (edgeX || edgeY) {
      EdgePush(s, o, m, edgeX, edgeY, always);
      r.path = RawMousePath::EdgePush;
    } else {
      AwayFromEdge(s, o, always);
      r.path = RawMousePath::AwayFromEdge;
    }
  }
  s.LastX = s.CursorX;
  s.LastY = s.CursorY;
  return r;
}

}  // namespace scroller
