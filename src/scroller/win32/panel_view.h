#pragma once
// What the scrolling engine sees of the control panel: its window, whether it shows, and the few
// things the engine changes on it. The engine never sees the form itself.
#include <windows.h>

#include <cstdint>

#include "scroller/option_fields.h"

namespace scroller {

class PanelView {
 public:
  virtual ~PanelView() = default;

  virtual HWND Handle() const = 0;
  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Hides the set-size dialog when it shows; true when it did.
  virtual bool HideSetSizeDialog() = 0;
  // Requests the end of the program (the message loop ends; the forms are destroyed after it).
  virtual void End() = 0;

  virtual const OptionFields& Options() const = 0;
  // The end has been requested: the hook libraries stop imposing forced sizes.
  virtual uint32_t HookHandle() const = 0;

  // The tray's "Load 64bit extension" item shows whether the loader runs.
  virtual void SetLoaderRunning(bool running) = 0;
  // The tray's Scroll Lock item follows the key and the pause messages.
  virtual void ScrollLockItemChanged(bool checked) = 0;
};

}  // namespace scroller
