#pragma once
#include <windows.h>

#include <string>

#include "toolkit/form_description.h"

namespace tk {

class TForm;

// A control built from its description. Its window's notifications are routed back to it by
// the window that receives them (the form or a tab sheet).
class TControl {
 public:
  TControl(TForm& form, const ComponentDescription& description);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::string& Name() const { return name_; }
  const ComponentDescription& Description() const { return description_; }
  HWND Handle() const { return hwnd_; }
  HWND ParentHandle() const;
  TForm& Form() const { return form_; }

  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;

  // Places the control at its design rectangle scaled to the form's DPI.
  virtual void Layout();
  // Design rectangle in the parent's client coordinates; a label without a size measures its text.
  virtual RECT DesignRect() const;

  // Notifications reflected from the parent window; return true when handled.
  virtual bool OnCommand(WORD /*code*/) { return false; }
  virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool OnScroll(WORD /*code*/) { return false; }

  // The control object behind a control window, if it is one of ours.
  static TControl* FromHandle(HWND hwnd);

 protected:
  // Creates the control window; called from the kind's constructor.
  // `id`: the child identifier, which the dialog keys Enter and Escape look for.
  void CreateHandle(const char* windowClass, DWORD style, DWORD exStyle = 0, int id = 0);
  // The window's text: a label's caption, an edit's contents.
  std::string ReadText() const;
  void WriteText(const std::string& text);

  TForm& form_;
  const ComponentDescription& description_;
  std::string name_;
  HWND hwnd_ = nullptr;
};

// Routes a WM_COMMAND, WM_NOTIFY or WM_HSCROLL/WM_VSCROLL received by a parent window to the
// control that sent it. Returns true when a control took it.
bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace tk
