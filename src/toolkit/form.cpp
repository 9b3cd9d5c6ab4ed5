#include "toolkit/form.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "toolkit/application.h"
#include "toolkit/dpi.h"
#include "toolkit/page_control.h"
#include "toolkit/standard_controls.h"
#include "toolkit/track_bar.h"

namespace tk {
namespace {

DWORD StyleOf(const FormDescription& d) {
  if (d.borderless) return WS_POPUP | WS_CLIPCHILDREN;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (d.systemMenu) style |= WS_SYSMENU;
  if (!d.fixedBorder) style |= WS_THICKFRAME;
  if (d.minimizeBox) style |= WS_MINIMIZEBOX;
  if (d.maximizeBox) style |= WS_MAXIMIZEBOX;
  return style;
}

DWORD ExStyleOf(const FormDescription& d) {
  DWORD ex = WS_EX_CONTROLPARENT;
  if (d.topmost) ex |= WS_EX_TOPMOST;
  return ex;
}

HFONT MakeFont(const char* face, int height) {
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

TForm::TForm(const FormDescription& description) : description_(description) {
  HWND owner = Application ? Application->Handle() : nullptr;
  hwnd_ = CreateFormClassWindow(this, ExStyleOf(description), description.caption,
                                StyleOf(description), CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner);
  if (!hwnd_) throw std::runtime_error("cannot create the window of " + std::string(description.name));
  dpi_ = DpiOfWindow(hwnd_);
  designFont_ = MakeFont(description.fontName, description.fontHeight);
  font_ = MakeFont(description.fontName, Scale(description.fontHeight));
  Build();
  loading_ = false;
}

TForm::~TForm() {
  controls_.clear();
  if (tooltip_) DestroyWindow(tooltip_);
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (font_) DeleteObject(font_);
  if (designFont_) DeleteObject(designFont_);
}

HWND TForm::ParentHandleOf(const ComponentDescription& component) const {
  if (!component.parent || !*component.parent) return hwnd_;
  for (const auto& c : controls_) {
    if (c->Name() == component.parent) return c->Handle();
  }
  return hwnd_;
}

void TForm::Build() {
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);

  for (const ComponentDescription& d : description_.components) {
    std::unique_ptr<TControl> control;
    switch (d.kind) {
      case ComponentKind::Label: control = std::make_unique<TLabel>(*this, d); break;
      case ComponentKind::CheckBox: control = std::make_unique<TCheckBox>(*this, d); break;
      case ComponentKind::TrackBar: control = std::make_unique<TTrackBar>(*this, d); break;
      case ComponentKind::ComboBox: control = std::make_unique<TComboBox>(*this, d); break;
      case ComponentKind::ListBox: control = std::make_unique<TListBox>(*this, d); break;
      case ComponentKind::Button: control = std::make_unique<TButton>(*this, d); break;
      case ComponentKind::Edit: control = std::make_unique<TEdit>(*this, d); break;
      case ComponentKind::PageControl: control = std::make_unique<TPageControl>(*this, d); break;
      case ComponentKind::TabSheet: {
        auto& owner = Get<TPageControl>(d.parent);
        auto sheet = std::make_unique<TTabSheet>(*this, d, owner);
        owner.AddSheet(sheet.get());
        control = std::move(sheet);
        break;
      }
    }
    if (d.hint && *d.hint && control->Handle()) {
      TOOLINFOA tool{};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = hwnd_;
      tool.uId = reinterpret_cast<UINT_PTR>(control->Handle());
      tool.lpszText = const_cast<char*>(d.hint);
      SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    controls_.push_back(std::move(control));
  }

  // Keyboard tab order follows each parent's tabOrder, which may differ from the visual order.
  std::vector<TControl*> ordered;
  for (const auto& c : controls_) {
    if (c->Description().tabOrder >= 0) ordered.push_back(c.get());
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](TControl* a, TControl* b) {
    return a->Description().tabOrder < b->Description().tabOrder;
  });
  for (TControl* c : ordered) {
    SetWindowPos(c->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  ApplyDpi(dpi_);
  for (const auto& c : controls_) {
    if (auto* pages = dynamic_cast<TPageControl*>(c.get())) pages->Loaded();
  }
}

void TForm::ApplyDpi(int dpi) {
  dpi_ = dpi;
  if (font_) DeleteObject(font_);
  font_ = MakeFont(description_.fontName, Scale(description_.fontHeight));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // Parents before children: a sheet's area depends on its page control's size.
  for (const auto& c : controls_) c->Layout();
  RECT frame{0, 0, Scale(description_.clientWidth), Scale(description_.clientHeight)};
  AdjustWindowRectForDpi(&frame, StyleOf(description_), ExStyleOf(description_), dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::PlaceWindow(bool centre) {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  int x = window.left;
  int y = window.top;
  if (centre) {
    // The screen's centre is the primary monitor's.
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  SetWindowPos(hwnd_, description_.topmost ? HWND_TOPMOST : nullptr, x, y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | (description_.topmost ? 0 : SWP_NOZORDER));
}

void TForm::Created() { FormCreate(); }

void TForm::Destroying() {
  FormDestroy();
}

void TForm::Show() {
  if (visible_) {
    SetForegroundWindow(hwnd_);
    return;
  }
  if (!placed_) {
    placed_ = true;
    PlaceWindow(description_.centred);
    const int dpi = DpiOfWindow(hwnd_);
    if (dpi != dpi_) ApplyDpi(dpi);
  }
  visible_ = true;
  FormShow();
  // FormShow may have hidden the form again.
  if (!visible_) return;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void TForm::Hide() {
  if (!visible_) return;
  visible_ = false;
  ShowWindow(hwnd_, SW_HIDE);
  FormHide();
}

void TForm::Close() {
  bool canClose = true;
  FormCloseQuery(canClose);
  if (!canClose) return;
  CloseAction action = (Application && Application->MainForm() == this) ? CloseAction::Free : CloseAction::Hide;
  FormClose(action);
  if (action == CloseAction::Hide) {
    Hide();
  } else if (action == CloseAction::Free) {
    if (Application && Application->MainForm() == this) Application->Terminate();
    else Hide();
  }
}

LRESULT TForm::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd != hwnd_ && hwnd_ != nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (!hwnd_) return DefWindowProcA(hwnd, msg, wParam, lParam);  // still inside CreateWindowEx
  return WndProc(msg, wParam, lParam);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToControl(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED: {
      ApplyDpi(HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }
}

}  // namespace tk
