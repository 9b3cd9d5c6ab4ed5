#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/action.h"

namespace tk {

// A menu item: bound to an action (caption, states and command from it), or standing alone.
struct TMenuItem {
  std::string Name;
  std::string Caption;
  TAction* Action = nullptr;
  bool AutoCheck = false;  // a click toggles Checked before OnClick runs
  bool Checked = false;
  std::function<void()> OnClick;
};

// A popup menu whose items run through WM_COMMAND on the application window, so that the
// command identifiers (FirstCommandId + the item's index) also work when posted from outside.
class TPopupMenu {
 public:
  static constexpr UINT FirstCommandId = 1001;

  TPopupMenu();
  ~TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  TMenuItem& Add(TMenuItem item);
  TMenuItem& Item(const std::string& name);
  void Popup(POINT at);
  // Runs the item with that command identifier; false when there is none.
  bool RunCommand(UINT id);

 private:
  std::vector<TMenuItem> items_;
  int hookId_ = 0;
};

}  // namespace tk
