#pragma once
// What the scrolling engine sees of the navigator: the few things the engine does with its window
// (the entries are the desktop model's). The engine never sees the navigator form itself. Every
// answer is taken afresh: the navigator is created after the engine and destroyed before it.
#include <windows.h>

#include "scroller/refresh_tick.h"

namespace scroller {

class NavigatorView {
 public:
  virtual ~NavigatorView() = default;

  // Whether the navigator form exists: not before its creation and not from its destruction on,
  // and then every other answer is "none".
  virtual bool Exists() const = 0;
  virtual HWND Handle() const = 0;
  virtual bool Visible() const = 0;
  // Opened by the key chord, at `where`.
  virtual void ShowForChord(const core::Bounds& where) = 0;
  // Opened (or placed again) from the tray icon, at `where`.
  virtual void ShowFromTray(const core::Bounds& where) = 0;
  virtual void Hide() = 0;
  // How it was last opened; by the chord when there is no navigator.
  virtual navigator::ShowMode ShowMode() const = 0;
  // The user drags a window in the overview (and has moved it).
  virtual bool WindowDragging() const = 0;
  virtual bool DragMoved() const = 0;
  // The right button of a window drag was released outside the navigator.
  virtual void EndWindowDrag() = 0;
  // After every scan: at most one screen shot. And a new shot of a window scrolled into view.
  virtual void CaptureNextShot() = 0;
  virtual void RequestShot(HWND window) = 0;
  // While busy the navigator neither paints nor arranges.
  virtual void SetBusy(bool busy) = 0;
  // Asks for a repaint.
  virtual void Invalidate() = 0;
};

}  // namespace scroller
