#include "navigator/win32/window_shots.h"

#include "navigator/shot_order.h"

namespace navigator {
namespace {

// The window has just been scrolled or activated; give it a moment to paint before it is copied.
constexpr DWORD kSettleMs = 50;

}  // namespace

void CaptureNextShot(AppWinStore& store, bool showGlyphs, bool navigatorVisible, const core::Rect& virtualScreen) {
  if (tAppWin* entry = ShotTurn(store, {showGlyphs, navigatorVisible, virtualScreen})) TakeShot(store, *entry);
}

void TakeShot(AppWinStore& store, tAppWin& entry) {
  // Nothing here sends to another window, so the entry cannot be forgotten meanwhile.
  Sleep(kSettleMs);
  CopyShotFromScreen(store, entry);
}

void CopyShotFromScreen(AppWinStore& store, tAppWin& entry) {
  const core::Rect r = entry.WindowRect;
  const core::Size size = ShotSizeFor(r);
  HBITMAP shot = reinterpret_cast<HBITMAP>(entry.Shot);
  HDC screen = GetDC(nullptr);
  if (shot && !(entry.ShotSize == size)) {
    DeleteObject(shot);
    shot = nullptr;
  }
  if (!shot && size.width > 0 && size.height > 0 && screen) {
    shot = CreateCompatibleBitmap(screen, size.width, size.height);
  }
  if (shot && screen) {
    if (HDC canvas = CreateCompatibleDC(screen)) {
      HGDIOBJ old = SelectObject(canvas, shot);
      SetStretchBltMode(canvas, HALFTONE);
      SetBrushOrgEx(canvas, 0, 0, nullptr);
      StretchBlt(canvas, 0, 0, size.width, size.height, screen, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SRCCOPY);
      if (old) SelectObject(canvas, old);
      DeleteDC(canvas);
    }
  }
  if (screen) ReleaseDC(nullptr, screen);
  ShotTaken(store, entry, reinterpret_cast<ShotHandle>(shot), shot ? size : core::Size{});
}

}  // namespace navigator
