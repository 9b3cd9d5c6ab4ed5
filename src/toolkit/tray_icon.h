#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace tk {

class TPopupMenu;

// The program's icon in the notification area: a left click runs OnClick, a right click opens
// the popup menu; the icon comes back when the taskbar is re-created.
class TTrayIcon {
 public:
  TTrayIcon(HICON icon, std::string hint, TPopupMenu* menu);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  void SetVisible(bool visible);
  bool Visible() const { return visible_; }
  std::function<void()> OnClick;

  static constexpr UINT CallbackMessage = WM_USER + 1;

 private:
  bool Notify(DWORD what);

  NOTIFYICONDATAA data_{};
  TPopupMenu* menu_;
  UINT taskbarCreated_;
  int hookId_ = 0;
  bool visible_ = false;
};

}  // namespace tk
