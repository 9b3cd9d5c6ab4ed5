#include "toolkit/control.h"

#include <commctrl.h>

#include "toolkit/form.h"

namespace tk {
namespace {
constexpr const char* kControlProperty = "TvmControl";
}

TControl::TControl(TForm& form, const ComponentDescription& description)
    : form_(form), description_(description), name_(description.name) {}

TControl::~TControl() {
  if (hwnd_) {
    RemovePropA(hwnd_, kControlProperty);
    DestroyWindow(hwnd_);
  }
}

HWND TControl::ParentHandle() const { return form_.ParentHandleOf(description_); }

void TControl::CreateHandle(const char* windowClass, DWORD style, DWORD exStyle, int id) {
  hwnd_ = CreateWindowExA(exStyle, windowClass, description_.caption, WS_CHILD | WS_VISIBLE | style,
                          0, 0, 0, 0, ParentHandle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return;
  SetPropA(hwnd_, kControlProperty, this);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.Font()), FALSE);
}

TControl* TControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TControl*>(GetPropA(hwnd, kControlProperty)) : nullptr;
}

void TControl::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool TControl::Visible() const { return hwnd_ && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void TControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

bool TControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

RECT TControl::DesignRect() const {
  return {description_.left, description_.top, description_.left + description_.width,
          description_.top + description_.height};
}

void TControl::Layout() {
  if (!hwnd_) return;
  const RECT r = DesignRect();
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.Font()), FALSE);
  SetWindowPos(hwnd_, nullptr, form_.Scale(r.left), form_.Scale(r.top),
               form_.Scale(r.right) - form_.Scale(r.left), form_.Scale(r.bottom) - form_.Scale(r.top),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (TControl* c = TControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
        result = 0;
        return c->OnCommand(HIWORD(wParam));
      }
      return false;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (TControl* c = TControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
        result = 0;
        return c->OnScroll(LOWORD(wParam));
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (TControl* c = header ? TControl::FromHandle(header->hwndFrom) : nullptr) {
        return c->OnNotify(header, result);
      }
      return false;
    }
    default:
      return false;
  }
}

std::string TControl::ReadText() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TControl::WriteText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

}  // namespace tk
