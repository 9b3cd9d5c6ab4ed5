#include "scroller/win32/navigator_link.h"

#include "navigator/win32/navigator_form.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/application.h"

namespace scroller {

void CreateNavigator(TTavelmoorForm& panel) {
  if (navigator::Navigator) return;
  if (tk::Application) {
    tk::Application->CreateForm(navigator::Navigator, panel.Handle());
  }
  if (!navigator::Navigator) return;
  TTavelmoorForm* p = &panel;
  navigator::Navigator->OnSaveSettings = [p] { p->SaveSettings(); };
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
  nav->UseBackground = panel.UseBackground;
  // From here on the navigator owns them; the panel's save reads them back from it.
  panel.RememberedSizes.clear();
}

}  // namespace scroller
