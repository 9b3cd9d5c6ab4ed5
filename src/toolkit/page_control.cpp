#include "toolkit/page_control.h"

#include <commctrl.h>

#include "toolkit/form.h"

namespace tk {

TPageControl::TPageControl(TForm& form, const ComponentDescription& d) : TControl(form, d) {
  CreateHandle(WC_TABCONTROLA, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT);
}

void TPageControl::AddSheet(TTabSheet* sheet) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(sheet->Description().caption);
  SendMessageA(hwnd_, TCM_INSERTITEMA, sheets_.size(), reinterpret_cast<LPARAM>(&item));
  sheets_.push_back(sheet);
  sheet->SetVisible(false);
}

void TPageControl::Loaded() {
  tabIndex_ = description_.itemIndex >= 0 && description_.itemIndex < static_cast<int>(sheets_.size())
                  ? description_.itemIndex
                  : (sheets_.empty() ? -1 : 0);
  ShowSelected();
}

void TPageControl::SetTabIndex(int index) {
  if (index < 0 || index >= static_cast<int>(sheets_.size()) || index == tabIndex_) return;
  tabIndex_ = index;
  ShowSelected();
}

TTabSheet* TPageControl::ActivePage() const {
  return tabIndex_ >= 0 && tabIndex_ < static_cast<int>(sheets_.size()) ? sheets_[tabIndex_] : nullptr;
}

RECT TPageControl::DisplayRect() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TPageControl::Layout() {
  TControl::Layout();
  for (TTabSheet* sheet : sheets_) sheet->Layout();
}

void TPageControl::ShowSelected() {
  SendMessageA(hwnd_, TCM_SETCURSEL, tabIndex_, 0);
  for (size_t i = 0; i < sheets_.size(); ++i) {
    if (static_cast<int>(i) != tabIndex_) sheets_[i]->SetVisible(false);
  }
  if (TTabSheet* active = ActivePage()) {
    const bool wasVisible = active->Visible();
    active->SetVisible(true);
    if (!wasVisible && !form_.Loading() && active->OnShow) active->OnShow();
  }
}

bool TPageControl::OnNotify(NMHDR* header, LRESULT& result) {
  if (header->code != static_cast<UINT>(TCN_SELCHANGE)) return false;
  const int selected = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
  result = 0;
  if (selected == tabIndex_) return true;
  tabIndex_ = selected;
  ShowSelected();
  if (OnChange) OnChange();
  return true;
}

TTabSheet::TTabSheet(TForm& form, const ComponentDescription& d, TPageControl& owner)
    : TControl(form, d), owner_(owner) {
  hwnd_ = CreateFormClassWindow(this, WS_EX_CONTROLPARENT, d.caption,
                                WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                owner.Handle());
}

void TTabSheet::Layout() {
  const RECT r = owner_.DisplayRect();
  SetWindowPos(hwnd_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

LRESULT TTabSheet::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToControl(msg, wParam, lParam, result)) return result;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace tk
