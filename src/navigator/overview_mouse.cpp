#include "navigator/overview_mouse.h"

#include <cstdlib>

#include "navigator/overview_plan.h"

namespace navigator {
namespace {

tAppWin* FirstOf(const std::vector<tAppWin*>& list) { return list.empty() ? nullptr : list.front(); }

}  // namespace

void OverviewMouse::Down(MouseButton button, core::Point at, core::Size panel,
                         const OverviewLayout& layout, AppWinStore& store, NavigatorHost& host,
                         MouseSeam& seam) {
  if (store.ActiveEntry() == nullptr) {
    tAppWin* first = FirstOf(store.EntriesSnapshot());
    if (!first) first = FirstOf(store.OldEntriesSnapshot());
    store.SetActiveEntry(first);
  }
  if (const tAppWin* active = store.ActiveEntry()) {
    const WindowHandle window = active->Wnd;  // the entry may be gone once the restore returns
    if (seam.IsZoomed(window)) seam.RestoreNoActivate(window);
  }

  switch (button) {
    case MouseButton::Left: {
      const core::Rect& e = layout.extent;
      host.SetPendingDX(MulDivSaturated(e.width(), int64_t{at.x} - layout.viewCenter.x, panel.width));
      host.SetPendingDY(MulDivSaturated(e.height(), int64_t{at.y} - layout.viewCenter.y, panel.height));
      drag_.LastCursor = seam.CursorPos();
      drag_.DragExtent = e;
      drag_.ViewDragging = true;
      drag_.DragMoved = false;
      break;
    }
    case MouseButton::Right: {
      const tAppWin* hit = HitEntry(store.EntriesSnapshot(), at);
      if (!hit) return;
      drag_.DragWnd = hit->Wnd;
      drag_.LastCursor = seam.CursorPos();
      drag_.DragExtent = layout.extent;
      drag_.WindowDragging = true;
      drag_.DragMoved = false;
      break;
    }
    case MouseButton::Other: break;
  }
}

void OverviewMouse::Move(core::Size panel, NavigatorHost& host, MouseSeam& seam) {
  if (!drag_.ViewDragging && !drag_.WindowDragging) return;
  const core::Point p = seam.CursorPos();
  const int64_t dx = int64_t{p.x} - drag_.LastCursor.x;
  const int64_t dy = int64_t{p.y} - drag_.LastCursor.y;
  if (!drag_.DragMoved && std::llabs(dx) <= kDeadZone && std::llabs(dy) <= kDeadZone) return;
  const core::Rect& e = drag_.DragExtent;

  if (drag_.ViewDragging) {
    host.SetPendingDX(MulDivSaturated(dx * kViewDragFactorX, e.width(), panel.width));
    host.SetPendingDY(MulDivSaturated(dy * kViewDragFactorY, e.height(), panel.height));
    drag_.LastCursor = p;
    drag_.DragMoved = true;
    return;
  }

  const int64_t stepX = MulDivSaturated(dx * (host.DoXMove() == 1 ? 1 : 0), e.width(), panel.width);
  const int64_t stepY = MulDivSaturated(dy * (host.DoYMove() == 1 ? 1 : 0), e.height(), panel.height);
  drag_.LastCursor = p;
  // A window whose frame cannot be read (it has just closed) is not moved from a guess; the
  // drag goes on and ends at the release.
  if (stepX != 0 || stepY != 0) {
    if (const std::optional<core::Rect> r = seam.VisibleRect(drag_.DragWnd)) {
      host.MoveWindowBy(drag_.DragWnd, {r->left, r->top}, stepX, stepY);
    }
  }
  drag_.DragMoved = true;
}

void OverviewMouse::Up(ShowMode& showMode, MouseSeam& seam) {
  const bool windowDrag = drag_.WindowDragging;
  const WindowHandle window = drag_.DragWnd;
  drag_.ViewDragging = false;
  drag_.WindowDragging = false;
  drag_.DragMoved = false;
  // A right click on a window without moving it only activates it.
  if (windowDrag) seam.SetForeground(window);
  if (showMode == ShowMode::FromTray) {
    showMode = ShowMode::ByChord;
    seam.HideNavigator();
  }
}

void OverviewMouse::Wheel(int32_t delta, NavigatorHost& host) {
  if (host.DoXMove() == 1) {
    host.SetPendingDX(delta);
  } else {
    host.SetPendingDY(delta);
  }
}

}  // namespace navigator
