#pragma once
#include <string>

namespace tk {

enum class DialogType { Warning, Error, Information, Confirmation };
enum class DialogResult { Ok, Yes, No, Cancel };
enum DialogButtons : unsigned { ButtonOk = 1, ButtonYes = 2, ButtonNo = 4, ButtonCancel = 8 };

// A modal box shown while the thread has a quit request pending returns at once: that is the case
// while the forms are destroyed after Terminate, when the final save may have an error to tell.
// While a hold lives the request is out of the queue; it is posted again, with its exit code,
// when the hold goes. Every dialog of the toolkit holds a pending quit back this way.
class PendingQuitHold {
 public:
  PendingQuitHold();
  ~PendingQuitHold();
  PendingQuitHold(const PendingQuitHold&) = delete;
  PendingQuitHold& operator=(const PendingQuitHold&) = delete;
  bool Held() const { return held_; }

 private:
  bool held_ = false;
  int exitCode_ = 0;
};

// A modal message dialog with the given buttons; closing it answers Cancel (or Ok without a
// Cancel button). Timers and window messages go on while it is open.
DialogResult MessageDlg(const std::string& text, DialogType type, unsigned buttons);

// A modal message with an OK button, captioned with the application's title.
void ShowMessage(const std::string& text);

}  // namespace tk
