#pragma once
#include <string>

namespace tk {

enum class DialogType { Warning, Error, Information, Confirmation };
enum class DialogResult { Ok, Yes, No, Cancel };
enum DialogButtons : unsigned { ButtonOk = 1, ButtonYes = 2, ButtonNo = 4, ButtonCancel = 8 };

// A modal message dialog with the given buttons; closing it answers Cancel (or Ok without a
// Cancel button). Timers and window messages go on while it is open.
DialogResult MessageDlg(const std::string& text, DialogType type, unsigned buttons);

// A modal message with an OK button, captioned with the application's title.
void ShowMessage(const std::string& text);

}  // namespace tk
