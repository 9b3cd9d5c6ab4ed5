#include "scroller/win32/navigator_link.h"

#include "navigator/navigator_host.h"
#include "navigator/win32/navigator_form.h"
#include "scroller/win32/scroll_engine.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/application.h"

namespace scroller {

namespace {

// The panel as the navigator's painting and mouse see it.
class PanelHost final : public navigator::NavigatorHost {
 public:
  explicit PanelHost(TTavelmoorForm& panel) : panel_(panel) {}
  int32_t DoXMove() const override { return panel_.Options.DoXMove; }
  int32_t DoYMove() const override { return panel_.Options.DoYMove; }
  bool ShowGlyphs() const override { return panel_.Options.ShowGlyphs; }
  void SetPendingDX(int32_t dx) override { panel_.Engine->SetPendingDX(dx); }
  void SetPendingDY(int32_t dy) override { panel_.Engine->SetPendingDY(dy); }
  void RepaintSoon() override { panel_.Engine->RepaintNavigatorSoon(); }

 private:
  TTavelmoorForm& panel_;
};

}  // namespace

void CreateNavigator(TTavelmoorForm& panel) {
  if (navigator::Navigator) return;
  if (tk::Application) {
    tk::Application->CreateForm(navigator::Navigator, panel.Handle());
  }
  if (!navigator::Navigator) return;
  TTavelmoorForm* p = &panel;
  navigator::Navigator->OnSaveSettings = [p] { p->SaveSettings(); };
  navigator::Navigator->SetHost(std::make_unique<PanelHost>(panel));
}

void PassSettingsToNavigator(TTavelmoorForm& panel) {
  navigator::TNavigator* nav = navigator::Navigator;
  if (!nav || !nav->Store()) return;
  std::vector<std::string> classes;
  std::vector<core::PackedSize> sizes;
  for (const RememberedSize& r : panel.RememberedSizes) {
    classes.push_back(r.windowClass);
    sizes.push_back(r.size);
  }
  nav->Store()->Remembered().Assign(std::move(classes), std::move(sizes));
  navigator::DesktopLimits& limits = nav->Store()->Limits();
  limits.LimitX = panel.LimitX;
  limits.LimitY = panel.LimitY;
  if (limits.FixesScrollRoom()) {
    nav->Store()->Room() = navigator::ScrollRoom{0, panel.LimitX, 0, panel.LimitY};
  }
  // From here on the navigator owns them; the panel's save reads them back from it.
  panel.RememberedSizes.clear();
}

navigator::TNavigator* LiveNavigator() {
  navigator::TNavigator* nav = navigator::Navigator;
  return nav && nav->Store() ? nav : nullptr;
}

navigator::AppWinStore* Win32NavigatorView::Entries() {
  navigator::TNavigator* nav = LiveNavigator();
  return nav ? nav->Store() : nullptr;
}

HWND Win32NavigatorView::Handle() const {
  navigator::TNavigator* nav = LiveNavigator();
  return nav ? nav->Handle() : nullptr;
}

bool Win32NavigatorView::Visible() const {
  navigator::TNavigator* nav = LiveNavigator();
  return nav && nav->Visible();
}

void Win32NavigatorView::ShowForChord(const Placement& p) {
  navigator::TNavigator* nav = LiveNavigator();
  if (!nav) return;
  nav->Show();
  SetWindowPos(nav->Handle(), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  nav->ShowMode = 0;
}

void Win32NavigatorView::ShowFromTray(const Placement& p) {
  navigator::TNavigator* nav = LiveNavigator();
  if (!nav) return;
  nav->Show();
  SetWindowPos(nav->Handle(), nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  nav->ShowMode = 1;
}

void Win32NavigatorView::Hide() {
  if (navigator::TNavigator* nav = LiveNavigator()) nav->Hide();
}

int Win32NavigatorView::ShowMode() const {
  navigator::TNavigator* nav = LiveNavigator();
  return nav ? nav->ShowMode : 0;
}

bool Win32NavigatorView::WindowDragging() const {
  navigator::TNavigator* nav = LiveNavigator();
  return nav && nav->WindowDragging();
}

bool Win32NavigatorView::DragMoved() const {
  navigator::TNavigator* nav = LiveNavigator();
  return nav && nav->DragMoved();
}

void Win32NavigatorView::EndWindowDrag() {
  if (navigator::TNavigator* nav = LiveNavigator()) nav->EndWindowDrag();
}

void Win32NavigatorView::CaptureNextShot() {
  if (navigator::TNavigator* nav = LiveNavigator()) nav->CaptureNextShot();
}

void Win32NavigatorView::RequestShot(HWND window) {
  if (navigator::TNavigator* nav = LiveNavigator()) nav->RequestShot(window);
}

void Win32NavigatorView::SetBusy(bool busy) {
  // Also while the entries are already gone: nothing may paint or arrange during the end.
  if (navigator::Navigator) navigator::Navigator->Busy = busy;
}

void Win32NavigatorView::Invalidate() {
  if (navigator::TNavigator* nav = LiveNavigator()) InvalidateRect(nav->Handle(), nullptr, FALSE);
}

}  // namespace scroller
