#include "navigator/win32/navigator_form.h"

#include "forms/navigator_form.h"
#include "toolkit/guard.h"

namespace navigator {

TNavigator* Navigator = nullptr;

namespace {

// The caption font is one point smaller than the form's font.
int32_t CaptionFontSize(int fontHeightPixels) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return MulDiv(fontHeightPixels, 72, dpi > 0 ? dpi : 96) - 1;
}

}  // namespace

TNavigator::TNavigator(HWND controlPanel)
    : tk::TForm(forms::NavigatorForm()), controlPanel_(controlPanel) {}

TNavigator::~TNavigator() {
  // Entries hold screen shots; free them even when FormDestroy did not run.
  store_.reset();
  Desktops.Release();
  if (BackgroundBitmap.handle) DeleteObject(BackgroundBitmap.handle);
  if (Navigator == this) Navigator = nullptr;
}

void TNavigator::FormCreate() {
  Busy = true;
  FontSize = CaptionFontSize(Description().fontHeight);
  store_ = std::make_unique<AppWinStore>(desktop_, ToHandle(controlPanel_));
  Candidates.clear();
  BackgroundBitmap = {};
  UseBackground = false;
}

void TNavigator::FormDestroy() {
  // Options changed since the last hide are written before anything is freed; a failing save
  // reports its own error and the freeing still runs.
  if (OnSaveSettings) tk::Guarded([this] { OnSaveSettings(); });
  if (BackgroundBitmap.handle) DeleteObject(BackgroundBitmap.handle);
  BackgroundBitmap = {};
  Candidates.clear();
  store_.reset();
  Desktops.Release();
  if (Navigator == this) Navigator = nullptr;
}

LRESULT TNavigator::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the painting covers everything; erasing first would only flicker
    case WM_NCPAINT:
      return 0;  // no frame to paint
    default:
      return tk::TForm::WndProc(msg, wParam, lParam);
  }
}

bool TNavigator::HasWindow(HWND window) const { return store_ && store_->HasWindow(ToHandle(window)); }

core::PackedSize TNavigator::ForcedSizeOf(HWND window) const {
  return store_ ? store_->ForcedSizeOf(ToHandle(window)) : core::kNoForcedSize;
}

void TNavigator::ForgetWindow(HWND window) {
  if (store_) store_->ForgetWindow(ToHandle(window));
}

tAppWin* TNavigator::ActiveEntryOrDefault() const { return store_ ? store_->ActiveEntryOrDefault() : nullptr; }

}  // namespace navigator
