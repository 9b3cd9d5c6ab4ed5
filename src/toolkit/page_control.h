#pragma once
#include <functional>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/window_class.h"

namespace tk {

class TTabSheet;

// A tab control whose pages are tab sheets; exactly one sheet is visible.
class TPageControl final : public TControl {
 public:
  TPageControl(TForm& form, const ComponentDescription& description);
  void AddSheet(TTabSheet* sheet);
  // Selects the described page once every sheet is added.
  void Loaded();
  int TabIndex() const { return tabIndex_; }
  // Selecting a page from code runs no OnChange (the sheet's OnShow still runs).
  void SetTabIndex(int index);
  TTabSheet* ActivePage() const;
  // The sheets' area in the page control's client coordinates.
  RECT DisplayRect() const;
  void Layout() override;
  std::function<void()> OnChange;
  bool OnNotify(NMHDR* header, LRESULT& result) override;

 private:
  void ShowSelected();
  std::vector<TTabSheet*> sheets_;
  int tabIndex_ = -1;
};

// A page of a page control: a plain container window of the program's own window class.
class TTabSheet final : public TControl, public WindowHandler {
 public:
  TTabSheet(TForm& form, const ComponentDescription& description, TPageControl& owner);
  std::function<void()> OnShow;
  void Layout() override;
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TPageControl& owner_;
};

}  // namespace tk
