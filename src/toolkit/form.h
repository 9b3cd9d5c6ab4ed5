#pragma once
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/form_description.h"
#include "toolkit/window_class.h"

namespace tk {

enum class CloseAction { None, Hide, Free };

// A top-level window of the program built from its description, scaled from the design DPI to
// the DPI of the monitor it is on. Subclasses override the events they handle.
class TForm : public WindowHandler {
 public:
  explicit TForm(const FormDescription& description);
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  HWND Handle() const { return hwnd_; }
  const FormDescription& Description() const { return description_; }
  // True while the form is being built from its description: setting a control then runs no
  // handler.
  bool Loading() const { return loading_; }

  bool Visible() const { return visible_; }
  void Show();
  void Hide();
  // As the title bar's close button: asks OnCloseQuery, then does what OnClose decides.
  void Close();

  template <class Control>
  Control& Get(const std::string& name) const {
    for (const auto& c : controls_) {
      if (c->Name() == name) {
        if (auto* typed = dynamic_cast<Control*>(c.get())) return *typed;
      }
    }
    throw std::logic_error("form " + std::string(description_.name) + " has no control " + name);
  }

  int Dpi() const { return dpi_; }
  int Scale(int designPixels) const {
    return description_.scaled ? MulDiv(designPixels, dpi_, kDesignDpi) : designPixels;
  }
  HFONT Font() const { return font_; }
  HFONT DesignFont() const { return designFont_; }
  HWND ParentHandleOf(const ComponentDescription& component) const;

  // Called by the application right after construction and right before destruction.
  void Created();
  void Destroying();

  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) final;

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormHide() {}
  virtual void FormCloseQuery(bool& /*canClose*/) {}
  virtual void FormClose(CloseAction& /*action*/) {}
  virtual void FormDestroy() {}
  // The form's window procedure; overrides pass what they do not handle to this one.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void Build();
  void ApplyDpi(int dpi);
  void PlaceWindow(bool centre);

  const FormDescription& description_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HFONT font_ = nullptr;
  HFONT designFont_ = nullptr;
  int dpi_ = kDesignDpi;
  bool loading_ = true;
  bool visible_ = false;
  bool placed_ = false;
  std::vector<std::unique_ptr<TControl>> controls_;
};

}  // namespace tk
