#pragma once
// The set-size dialog: a forced size for the active window of another application (optionally
// remembered for its window class), or a fixed size of the virtual desktop. Modeless and on top;
// every hide saves the settings.
//
// The dialog keeps its target's window handle, never its entry: the scans go on while it is open
// and free the entries of windows they no longer find, so Apply looks the entry up again.
#include <windows.h>

#include <functional>
#include <string>

#include "navigator/app_win.h"
#include "toolkit/form.h"

namespace setsize {

class TMinSizeForm final : public tk::TForm {
 public:
  TMinSizeForm();
  ~TMinSizeForm() override;

  // Opens the dialog for the active window (else the last active one, else the first listed);
  // nothing opens without entries or for one of the program's own windows.
  void ShowForWindow();
  void ShowForDesktop();

  bool DesktopMode = false;
  HWND Target = nullptr;

  // The control panel's settings save.
  std::function<void()> OnSaveSettings;

 protected:
  void FormHide() override;

 private:
  void ApplyClick();
  void CancelClick();
  void ApplyWindowSize(int32_t width, int32_t height);
  // The target's entry as the latest scan left it; null when the window is no longer listed.
  navigator::tAppWin* TargetEntry() const;

  std::string targetClass_;
};

// The one dialog; null before its creation and after its destruction.
extern TMinSizeForm* MinSizeForm;

// Hides the dialog when it shows; true when it did (the caller then pauses before it shows
// another window).
bool HideMinSizeForm();

}  // namespace setsize
