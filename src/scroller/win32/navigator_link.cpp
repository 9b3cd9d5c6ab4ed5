#include "scroller/win32/navigator_link.h"

#include "navigator/navigator_host.h"
#include "navigator/win32/navigator_form.h"
#include "platform/handles.h"
#include "toolkit/application.h"

namespace scroller {

void Win32NavigatorView::Create(navigator::DesktopModel& model, HWND controlPanel, const core::ProgramEnd& end,
                                std::unique_ptr<navigator::NavigatorHost> host, std::function<void()> saveSettings) {
  if (nav_ || !tk::Application) return;
  nav_ = &tk::Application->CreateForm<navigator::TNavigator>(model, controlPanel, end);
  nav_->OnSaveSettings = std::move(saveSettings);
  nav_->OnGone = [this] { nav_ = nullptr; };
  nav_->SetHost(std::move(host));
}

HWND Win32NavigatorView::Handle() const { return nav_ ? nav_->Handle() : nullptr; }

bool Win32NavigatorView::Visible() const { return nav_ && nav_->Visible(); }

void Win32NavigatorView::ShowAt(const core::Bounds& where, navigator::ShowMode mode) {
  if (!nav_) return;
  nav_->Show();
  platform::SetWindowBounds(nav_->Handle(), where, SWP_NOZORDER | SWP_NOACTIVATE);
  nav_->ShowMode = mode;
}

void Win32NavigatorView::ShowForChord(const core::Bounds& where) { ShowAt(where, navigator::ShowMode::ByChord); }

void Win32NavigatorView::ShowFromTray(const core::Bounds& where) { ShowAt(where, navigator::ShowMode::FromTray); }

void Win32NavigatorView::Hide() {
  if (nav_) nav_->Hide();
}

navigator::ShowMode Win32NavigatorView::ShowMode() const {
  return nav_ ? nav_->ShowMode : navigator::ShowMode::ByChord;
}

bool Win32NavigatorView::WindowDragging() const { return nav_ && nav_->WindowDragging(); }

bool Win32NavigatorView::DragMoved() const { return nav_ && nav_->DragMoved(); }

void Win32NavigatorView::EndWindowDrag() {
  if (nav_) nav_->EndWindowDrag();
}

void Win32NavigatorView::CaptureNextShot() {
  if (nav_) nav_->CaptureNextShot();
}

void Win32NavigatorView::RequestShot(HWND window) {
  if (nav_) nav_->RequestShot(window);
}

void Win32NavigatorView::SetBusy(bool busy) {
  if (nav_) nav_->Busy = busy;
}

void Win32NavigatorView::Invalidate() {
  if (nav_) InvalidateRect(nav_->Handle(), nullptr, FALSE);
}

}  // namespace scroller
