#pragma once
#include <functional>
#include <string>

namespace tk {

// A user command with its caption and state; menu items bound to it show and run it.
struct TAction {
  std::string Caption;
  std::string Hint;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  std::function<void()> OnExecute;

  void Execute() const {
    if (Enabled && OnExecute) OnExecute();
  }
};

}  // namespace tk
