#pragma once
// The plain controls: labels, check boxes, push buttons, list boxes and combo boxes.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace tk {

class TLabel final : public TControl {
 public:
  TLabel(TForm& form, const ComponentDescription& description);
  void SetCaption(const std::string& caption);
  std::string Caption() const;
  RECT DesignRect() const override;
};

class TCheckBox final : public TControl {
 public:
  TCheckBox(TForm& form, const ComponentDescription& description);
  bool Checked() const { return checked_; }
  // Runs OnClick when the state changes, as a user's click does, except while the form is built.
  void SetChecked(bool checked);
  // Shows the state without running OnClick: a box bound to an action follows the action's state.
  void ShowChecked(bool checked);
  std::function<void()> OnClick;
  bool OnCommand(WORD code) override;

 private:
  bool checked_;
};

class TButton final : public TControl {
 public:
  TButton(TForm& form, const ComponentDescription& description);
  std::function<void()> OnClick;
  bool OnCommand(WORD code) override;
};

// A one-line text field.
class TEdit final : public TControl {
 public:
  TEdit(TForm& form, const ComponentDescription& description);
  std::string Text() const;
  void SetText(const std::string& text);
  // Gives it the keyboard focus with its whole text selected, ready to be typed over.
  void Focus();
};

class TListBox final : public TControl {
 public:
  TListBox(TForm& form, const ComponentDescription& description);
  void Clear();
  void Add(const std::string& item);
  void Delete(int index);
  int Count() const;
  std::string Item(int index) const;
  std::vector<std::string> Items() const;  // every item, in order
  int ItemIndex() const;
  void SetItemIndex(int index);
  void Layout() override;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  bool OnCommand(WORD code) override;
};

class TComboBox final : public TControl {
 public:
  TComboBox(TForm& form, const ComponentDescription& description);
  int ItemIndex() const;
  // Selecting from code runs no OnChange.
  void SetItemIndex(int index);
  int Count() const;
  void Layout() override;
  std::function<void()> OnChange;
  bool OnCommand(WORD code) override;
};

}  // namespace tk
