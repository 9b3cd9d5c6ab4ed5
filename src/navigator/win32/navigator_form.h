#pragma once
// The navigator form: the overview of the whole virtual desktop, and the holder of the
// navigator's state (the window entries, the remembered class sizes, the background picture and
// the virtual-desktop manager). It is created hidden by the control panel and destroyed at the
// end of the program, when it saves the settings first.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "navigator/app_win_store.h"
#include "navigator/win32/virtual_desktops.h"
#include "navigator/win32/win32_desktop.h"
#include "toolkit/form.h"

namespace navigator {

// A bitmap the form owns; empty until a picture is loaded into it. An empty one is never tiled.
struct NavigatorBitmap {
  HBITMAP handle = nullptr;
  int width = 0;
  int height = 0;
  bool Empty() const { return handle == nullptr || width <= 0 || height <= 0; }
};

struct DragExtentBounds {
  int32_t left = 0, right = 0, top = 0, bottom = 0;
};

class TNavigator final : public tk::TForm {
 public:
  // `controlPanel`: its window is never lined up by arrangement.
  explicit TNavigator(HWND controlPanel);
  ~TNavigator() override;

  int32_t ShowMode = 0;  // 0: opened by the key chord; 1: opened from the tray icon
  HWND DragWnd = nullptr;
  std::vector<tAppWin*> Candidates;  // owns nothing
  int32_t ExtentLeft = 0, ExtentRight = 0, ExtentTop = 0, ExtentBottom = 0;
  POINT ViewCenter{};
  int32_t FontSize = 0;  // points, of the caption font
  DragExtentBounds DragExtent;
  POINT LastCursor{};
  NavigatorBitmap BackgroundBitmap;
  VirtualDesktops Desktops;  // the desktop manager and whether it was created
  bool UseBackground = false;
  bool Busy = true;  // painting and arranging suspended
  bool ViewDragging = false, WindowDragging = false, DragMoved = false;

  // The control panel's settings save, run first when the form is destroyed.
  std::function<void()> OnSaveSettings;

  // The window entries (null once the form is being destroyed).
  AppWinStore* Store() { return store_.get(); }
  bool ManagerCreated() const { return Desktops.ManagerCreated(); }
  bool Changed() const { return store_ && store_->Changed(); }

  bool HasWindow(HWND window) const;
  core::PackedSize ForcedSizeOf(HWND window) const;
  void ForgetWindow(HWND window);
  tAppWin* ActiveEntryOrDefault() const;

 protected:
  void FormCreate() override;
  void FormDestroy() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND controlPanel_;
  Win32Desktop desktop_;
  std::unique_ptr<AppWinStore> store_;
};

// The one navigator; null before the control panel creates it and after it is destroyed.
extern TNavigator* Navigator;

}  // namespace navigator
