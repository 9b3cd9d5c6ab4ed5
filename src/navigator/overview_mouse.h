#pragma once
// The navigator's mouse and wheel: a left press jumps the view toward the clicked point and a
// left drag pans it; a right drag on a drawn window moves that window, and the release activates
// it; the wheel scrolls one axis. The view is never moved here: the pending step is written and
// the move timer applies it. A navigator opened from the tray closes at the first release.
//
// Nothing here waits for another application's thread: the restore of a maximized window is
// posted, and the drag's steps go to the host, which moves the window with the one account of
// moves it keeps for every mover (move_ledger.h): a step of the drag and a scroll step that meet
// at a busy window both arrive.
//
// Re-entrancy: a call into the platform may still run the control panel's window procedure
// nested and forget entries. The drag holds only the window's handle, never an entry, and
// entries are looked up afresh after every call-out.
#include <cstdint>
#include <optional>

#include "core/geometry.h"
#include "navigator/app_win.h"
#include "navigator/app_win_store.h"
#include "navigator/navigator_host.h"
#include "navigator/overview_map.h"
#include "navigator/show_mode.h"

namespace navigator {

enum class MouseButton { Left, Right, Other };

// The platform calls of the mouse handling.
class MouseSeam {
 public:
  virtual ~MouseSeam() = default;
  virtual core::Point CursorPos() = 0;  // screen coordinates
  virtual bool IsZoomed(WindowHandle window) = 0;
  // Restores a maximized window without activating it and without waiting for its thread, and
  // gives it a moment to take the size.
  virtual void RestoreNoActivate(WindowHandle window) = 0;
  virtual std::optional<core::Rect> VisibleRect(WindowHandle window) = 0;
  virtual void SetForeground(WindowHandle window) = 0;
  virtual void HideNavigator() = 0;
};

// What the last painting left: the extent it showed and the viewport's centre in it.
struct OverviewLayout {
  core::Rect extent;
  core::Point viewCenter;
};

struct DragState {
  WindowHandle DragWnd = 0;  // picked by the last right press that hit a drawn window
  core::Rect DragExtent;     // the extent at the press: the scale of the whole drag
  core::Point LastCursor;    // screen coordinates, at the press and after every step
  bool ViewDragging = false;
  bool WindowDragging = false;
  bool DragMoved = false;    // the drag has left the dead zone
};

// Until a drag has moved, the cursor may stray this far on both axes without effect.
inline constexpr int64_t kDeadZone = 2;
// A view drag pans by this many navigator pixels' worth of screen per cursor pixel.
inline constexpr int64_t kViewDragFactorX = 8;
inline constexpr int64_t kViewDragFactorY = 4;

class OverviewMouse {
 public:
  // `panel` is the navigator's size now; `at` in navigator coordinates.
  void Down(MouseButton button, core::Point at, core::Size panel, const OverviewLayout& layout,
            AppWinStore& store, NavigatorHost& host, MouseSeam& seam);
  void Move(core::Size panel, NavigatorHost& host, MouseSeam& seam);
  // Any button; also the control panel's end of a window drag released outside the navigator.
  // A navigator opened from the tray is hidden, and is then one opened by the chord.
  void Up(ShowMode& showMode, MouseSeam& seam);
  void Wheel(int32_t delta, NavigatorHost& host);

  const DragState& State() const { return drag_; }

 private:
  DragState drag_;
};

}  // namespace navigator
