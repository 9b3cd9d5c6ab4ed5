#include "toolkit/popup_menu.h"

#include <stdexcept>

#include "toolkit/application.h"

namespace tk {

TPopupMenu::TPopupMenu() {
  hookId_ = Application->AddMessageHook([this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wParam) != 0) return false;
    if (!RunCommand(LOWORD(wParam))) return false;
    result = 0;
    return true;
  });
}

TPopupMenu::~TPopupMenu() {
  if (Application) Application->RemoveMessageHook(hookId_);
}

TMenuItem& TPopupMenu::Add(TMenuItem item) {
  items_.push_back(std::move(item));
  return items_.back();
}

TMenuItem& TPopupMenu::Item(const std::string& name) {
  for (auto& item : items_) {
    if (item.Name == name) return item;
  }
  throw std::logic_error("no menu item " + name);
}

void TPopupMenu::Popup(POINT at) {
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < items_.size(); ++i) {
    const TMenuItem& item = items_[i];
    const TAction* action = item.Action;
    if (action && !action->Visible) continue;
    UINT flags = MF_STRING;
    if (action ? action->Checked : item.Checked) flags |= MF_CHECKED;
    if (action && !action->Enabled) flags |= MF_GRAYED;
    const std::string& caption = action ? action->Caption : item.Caption;
    AppendMenuA(menu, flags, FirstCommandId + i, caption.c_str());
  }
  HWND owner = Application->Handle();
  // Without this the menu stays open when the user clicks elsewhere.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

bool TPopupMenu::RunCommand(UINT id) {
  if (id < FirstCommandId || id >= FirstCommandId + items_.size()) return false;
  TMenuItem& item = items_[id - FirstCommandId];
  if (item.Action) {
    if (!item.Action->Visible) return true;
    item.Action->Execute();
    return true;
  }
  if (item.AutoCheck) item.Checked = !item.Checked;
  if (item.OnClick) item.OnClick();
  return true;
}

}  // namespace tk
