#pragma once
// The control panel's side of the navigator: creating it, handing it the loaded settings, and the
// engine's view of it.
#include "scroller/win32/navigator_view.h"

namespace navigator {
class TNavigator;
}

namespace scroller {

class TTavelmoorForm;

// The navigator while it exists with its entries; null before its creation and from its
// destruction on, so that nested messages then touch nothing of it.
navigator::TNavigator* LiveNavigator();

// Creates the navigator form (hidden, busy) unless it exists; it saves the panel's settings when
// it is destroyed.
void CreateNavigator(TTavelmoorForm& panel);
// The remembered class sizes and the fixed desktop size as loaded go to the navigator's entries.
void PassSettingsToNavigator(TTavelmoorForm& panel);

// The navigator form as the engine sees it, whichever exists at the moment.
class Win32NavigatorView final : public NavigatorView {
 public:
  navigator::AppWinStore* Entries() override;
  HWND Handle() const override;
  bool Visible() const override;
  void ShowForChord(const Placement& where) override;
  void ShowFromTray(const Placement& where) override;
  void Hide() override;
  int ShowMode() const override;
  bool WindowDragging() const override;
  bool DragMoved() const override;
  void EndWindowDrag() override;
  void CaptureNextShot() override;
  void RequestShot(HWND window) override;
  void SetBusy(bool busy) override;
  void Invalidate() override;
};

}  // namespace scroller
