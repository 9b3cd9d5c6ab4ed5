#include "toolkit/tray_icon.h"

#include <cstring>

#include "toolkit/application.h"
#include "toolkit/guard.h"
#include "toolkit/popup_menu.h"

namespace tk {

TTrayIcon::TTrayIcon(HICON icon, std::string hint, TPopupMenu* menu)
    : menu_(menu), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
  data_.cbSize = sizeof data_;
  data_.hWnd = Application->Handle();
  data_.uID = 1;
  data_.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
  data_.uCallbackMessage = CallbackMessage;
  data_.hIcon = icon;
  strncpy(data_.szTip, hint.c_str(), sizeof data_.szTip - 1);
  hookId_ = Application->AddMessageHook([this](UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg == taskbarCreated_) {
      if (visible_) Notify(NIM_ADD);
      return false;
    }
    if (msg != CallbackMessage) return false;
    result = 0;
    switch (LOWORD(lParam)) {
      case WM_LBUTTONUP:
        if (OnClick) OnClick();
        return true;
      case WM_RBUTTONUP:
        if (menu_) {
          POINT at{};
          GetCursorPos(&at);
          menu_->Popup(at);
        }
        return true;
      default:
        return true;
    }
  });
}

TTrayIcon::~TTrayIcon() {
  SetVisible(false);
  if (Application) Application->RemoveMessageHook(hookId_);
}

bool TTrayIcon::Notify(DWORD what) { return Shell_NotifyIconA(what, &data_) != FALSE; }

void TTrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(visible ? NIM_ADD : NIM_DELETE);
}

}  // namespace tk
