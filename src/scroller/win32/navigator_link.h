#pragma once
// The control panel's side of the navigator: creating it, and the engine's view of it.
#include <functional>
#include <memory>

#include "core/program_end.h"
#include "scroller/win32/navigator_view.h"

namespace navigator {
class DesktopModel;
class NavigatorHost;
class TNavigator;
}  // namespace navigator

namespace scroller {

// The navigator form as the engine and the panel see it: created by the panel once, and "none"
// from its destruction on, so that nested messages then touch nothing of it.
class Win32NavigatorView final : public NavigatorView {
 public:
  // Creates the navigator form (hidden, busy) unless it exists; it shows the panel's options
  // through `host`, and runs `saveSettings` when it is destroyed.
  void Create(navigator::DesktopModel& model, HWND controlPanel, const core::ProgramEnd& end,
              std::unique_ptr<navigator::NavigatorHost> host, std::function<void()> saveSettings);
  // The form while it exists; null before its creation and from its destruction on.
  navigator::TNavigator* Live() const { return nav_; }

  bool Exists() const override { return nav_ != nullptr; }
  HWND Handle() const override;
  bool Visible() const override;
  void ShowForChord(const core::Bounds& where) override;
  void ShowFromTray(const core::Bounds& where) override;
  void Hide() override;
  navigator::ShowMode ShowMode() const override;
  bool WindowDragging() const override;
  bool DragMoved() const override;
  void EndWindowDrag() override;
  void CaptureNextShot() override;
  void RequestShot(HWND window) override;
  void SetBusy(bool busy) override;
  void Invalidate() override;

 private:
  void ShowAt(const core::Bounds& where, navigator::ShowMode mode);

  navigator::TNavigator* nav_ = nullptr;
};

}  // namespace scroller
