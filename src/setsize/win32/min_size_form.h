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
#include "navigator/scroll_room.h"
#include "toolkit/form.h"

namespace navigator {
class AppWinStore;
class DesktopModel;
}  // namespace navigator

namespace setsize {

class TMinSizeForm final : public tk::TForm {
 public:
  // The entries, remembered sizes and fixed desktop size are the model's; a fixed size's scroll
  // room is asked of `room`.
  TMinSizeForm(navigator::DesktopModel& model, navigator::ScrollRoomSetter& room);
  ~TMinSizeForm() override;

  // Opens the dialog for the active window (else the last active one, else the first listed);
  // nothing opens without entries or for one of the program's own windows.
  void ShowForWindow();
  void ShowForDesktop();

  bool DesktopMode = false;
  HWND Target = nullptr;

  // The control panel's settings save, and its notice that the dialog has gone.
  std::function<void()> OnSaveSettings;
  std::function<void()> OnGone;

 protected:
  void FormHide() override;

 private:
  void ApplyClick();
  void CancelClick();
  void ApplyWindowSize(int32_t width, int32_t height);
  // The target's entry as the latest scan left it; null when the window is no longer listed.
  navigator::tAppWin* TargetEntry() const;
  navigator::AppWinStore& Entries();
  // The bounding rectangle of all monitors, asked of Windows at each use.
  core::Size VirtualScreenSize();

  navigator::DesktopModel& model_;
  navigator::ScrollRoomSetter& room_;
  std::string targetClass_;
};

}  // namespace setsize
