#pragma once
// The navigator form: the overview of the whole virtual desktop that the desktop model holds, and
// the holder of the overview's own state (the background picture, the mouse's drag). It is
// created hidden by the control panel and destroyed at the end of the program, when it saves the
// settings first.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/program_end.h"
#include "navigator/app_win_store.h"
#include "navigator/navigator_host.h"
#include "navigator/win32/desktop_model.h"
#include "navigator/overview_mouse.h"
#include "navigator/show_mode.h"
#include "navigator/win32/navigator_mouse.h"
#include "navigator/win32/overview_painter.h"
#include "toolkit/form.h"

namespace navigator {

class TNavigator final : public tk::TForm {
 public:
  // `end`: the program's end, as the application holds it.
  TNavigator(DesktopModel& model, HWND controlPanel, const core::ProgramEnd& end);
  ~TNavigator() override;

  navigator::ShowMode ShowMode = navigator::ShowMode::ByChord;
  int32_t FontSize = 0;  // points, of the caption font
  NavigatorBitmap BackgroundBitmap;
  bool UseBackground = false;
  bool Busy = true;  // painting and arranging suspended (until the first scan, while arranging)
  // Busy, or the program's end asked for: nothing is painted or arranged.
  bool Suspended() const;

  // The control panel as the painting and the mouse see it; a form without one scrolls nothing.
  void SetHost(std::unique_ptr<NavigatorHost> host) { host_ = std::move(host); }

  // What the last painting showed, and the mouse's drag.
  const OverviewLayout& Layout() const { return layout_; }
  const DragState& Drag() const { return mouse_.State(); }
  bool WindowDragging() const { return mouse_.State().WindowDragging; }
  bool DragMoved() const { return mouse_.State().DragMoved; }
  // The control panel ends a window drag whose button was released outside the navigator.
  void EndWindowDrag();

  // The shot step after every scan, and a new shot asked for a window.
  void CaptureNextShot();
  void RequestShot(HWND window);

  // The control panel's settings save, run first when the form is destroyed; and its notice that
  // the form has gone, after which nothing reaches it.
  std::function<void()> OnSaveSettings;
  std::function<void()> OnGone;

  // The window entries, the desktop model's.
  AppWinStore& Store() { return model_.Entries(); }

  // Lines the other windows up beside the active one, in a row when `row`, else in a column;
  // nothing moves while `moveSizeWnd` (when not null) is in a move or size loop.
  void ArrangeWindows(bool row, HWND moveSizeWnd);

 protected:
  void FormCreate() override;
  void FormDestroy() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintBox1Paint();
  bool HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  core::Size PanelSize() const;
  NavigatorHost& Host();

  void Gone();

  DesktopModel& model_;
  HWND controlPanel_;
  const core::ProgramEnd& end_;
  std::unique_ptr<NavigatorHost> host_;
  OverviewPainter painter_;
  OverviewLayout layout_;
  OverviewMouse mouse_;
  Win32MouseSeam mouseSeam_{[this] { Hide(); }};
};

}  // namespace navigator
