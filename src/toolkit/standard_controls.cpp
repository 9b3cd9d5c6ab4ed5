#include "toolkit/standard_controls.h"

#include "toolkit/form.h"

namespace tk {

// --- TLabel

TLabel::TLabel(TForm& form, const ComponentDescription& d) : TControl(form, d) {
  DWORD style = d.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
  if (d.hint && *d.hint) style |= SS_NOTIFY;  // so the tooltip sees the mouse
  CreateHandle("STATIC", style | SS_NOPREFIX);
}

void TLabel::SetCaption(const std::string& caption) { WriteText(caption); }

std::string TLabel::Caption() const { return ReadText(); }

RECT TLabel::DesignRect() const {
  RECT r = TControl::DesignRect();
  if (description_.width > 0 && description_.height > 0) return r;
  // Auto size: measure the caption in the design font.
  HDC dc = GetDC(hwnd_);
  HFONT font = form_.DesignFont();
  HGDIOBJ old = SelectObject(dc, font);
  RECT text{0, 0, 0, 0};
  const std::string caption = Caption();
  DrawTextA(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  if (description_.width <= 0) r.right = r.left + text.right + 2;
  if (description_.height <= 0) r.bottom = r.top + text.bottom;
  return r;
}

// --- TCheckBox

TCheckBox::TCheckBox(TForm& form, const ComponentDescription& d)
    : TControl(form, d), checked_(d.checked) {
  CreateHandle("BUTTON", BS_AUTOCHECKBOX | (d.tabOrder >= 0 ? WS_TABSTOP : 0));
  SendMessageA(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!form_.Loading() && OnClick) OnClick();
}

void TCheckBox::ShowChecked(bool checked) {
  checked_ = checked;
  SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  const bool now = SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (now != checked_) {
    checked_ = now;
    if (OnClick) OnClick();
  }
  return true;
}

// --- TButton

// The dialog keys send IDOK and IDCANCEL to the form; buttons with those identifiers take them
// as their own clicks.
TButton::TButton(TForm& form, const ComponentDescription& d) : TControl(form, d) {
  const int id = d.isDefault ? IDOK : d.isCancel ? IDCANCEL : 0;
  CreateHandle("BUTTON", (d.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (d.tabOrder >= 0 ? WS_TABSTOP : 0), 0,
               id);
}

bool TButton::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (OnClick) OnClick();
  return true;
}

// --- TEdit

TEdit::TEdit(TForm& form, const ComponentDescription& d) : TControl(form, d) {
  CreateHandle("EDIT", ES_AUTOHSCROLL | (d.tabOrder >= 0 ? WS_TABSTOP : 0), WS_EX_CLIENTEDGE);
}

std::string TEdit::Text() const { return ReadText(); }

void TEdit::SetText(const std::string& text) { WriteText(text); }

void TEdit::Focus() {
  SetFocus(hwnd_);
  SendMessageA(hwnd_, EM_SETSEL, 0, -1);
}

// --- TListBox

TListBox::TListBox(TForm& form, const ComponentDescription& d) : TControl(form, d) {
  CreateHandle("LISTBOX",
               LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_BORDER |
                   (d.tabOrder >= 0 ? WS_TABSTOP : 0),
               WS_EX_CLIENTEDGE);
  for (const char* item : d.items) Add(item);
  if (d.itemIndex >= 0) SetItemIndex(d.itemIndex);
}

void TListBox::Clear() { SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0); }
void TListBox::Add(const std::string& item) {
  SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}
void TListBox::Delete(int index) { SendMessageA(hwnd_, LB_DELETESTRING, index, 0); }
int TListBox::Count() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int index) const {
  const LRESULT len = SendMessageA(hwnd_, LB_GETTEXTLEN, index, 0);
  if (len == LB_ERR) return {};
  std::string text(static_cast<size_t>(len) + 1, '\0');
  const LRESULT got = SendMessageA(hwnd_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}

std::vector<std::string> TListBox::Items() const {
  std::vector<std::string> items;
  const int count = Count();
  items.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
  for (int i = 0; i < count; ++i) items.push_back(Item(i));
  return items;
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }
void TListBox::SetItemIndex(int index) { SendMessageA(hwnd_, LB_SETCURSEL, index, 0); }

void TListBox::Layout() {
  TControl::Layout();
  if (description_.horizontalExtent > 0) {
    SendMessageA(hwnd_, LB_SETHORIZONTALEXTENT, form_.Scale(description_.horizontalExtent), 0);
  }
}

bool TListBox::OnCommand(WORD code) {
  if (code == LBN_DBLCLK) {
    if (OnDblClick) OnDblClick();
    return true;
  }
  if (code == LBN_SELCHANGE) {
    if (OnClick) OnClick();
    return true;
  }
  return false;
}

// --- TComboBox

TComboBox::TComboBox(TForm& form, const ComponentDescription& d) : TControl(form, d) {
  CreateHandle("COMBOBOX", (d.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | CBS_AUTOHSCROLL |
                               WS_VSCROLL | (d.tabOrder >= 0 ? WS_TABSTOP : 0));
  for (const char* item : d.items) {
    SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  if (d.itemIndex >= 0) SetItemIndex(d.itemIndex);
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }
void TComboBox::SetItemIndex(int index) { SendMessageA(hwnd_, CB_SETCURSEL, index, 0); }
int TComboBox::Count() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0)); }

void TComboBox::Layout() {
  // The window's height includes the dropped-down list.
  const RECT r = DesignRect();
  const int items = Count() > 0 ? Count() : 1;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.Font()), FALSE);
  SetWindowPos(hwnd_, nullptr, form_.Scale(r.left), form_.Scale(r.top), form_.Scale(r.right - r.left),
               form_.Scale(r.bottom - r.top) * (items + 2), SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TComboBox::OnCommand(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  if (OnChange) OnChange();
  return true;
}

}  // namespace tk
