#include "toolkit/message_dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "platform/optional_apis.h"
#include "toolkit/application.h"

namespace tk {
namespace {

const char* CaptionOf(DialogType type) {
  switch (type) {
    case DialogType::Warning: return "Warning";
    case DialogType::Error: return "Error";
    case DialogType::Information: return "Information";
    case DialogType::Confirmation: return "Confirmation";
  }
  return "";
}

UINT IconOf(DialogType type) {
  switch (type) {
    case DialogType::Warning: return MB_ICONWARNING;
    case DialogType::Error: return MB_ICONERROR;
    case DialogType::Information: return MB_ICONINFORMATION;
    case DialogType::Confirmation: return MB_ICONQUESTION;
  }
  return 0;
}

HWND OwnerWindow() {
  HWND active = GetActiveWindow();
  if (active) return active;
  return Application ? Application->Handle() : nullptr;
}

std::wstring Widen(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

// The task dialog offers any set of the common buttons (MessageBox has no Yes + Cancel).
bool TryTaskDialog(const std::string& text, DialogType type, unsigned buttons, DialogResult& result) {
  const auto proc = platform::Apis.TaskDialogIndirect;
  if (!proc) return false;
  const std::wstring caption = Widen(CaptionOf(type));
  const std::wstring content = Widen(text);
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = OwnerWindow();
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
  // Centred on a hidden owner (the application's window, the panel in the tray) it would open
  // half off the screen: then it is centred on the monitor.
  if (config.hwndParent && IsWindowVisible(config.hwndParent)) config.dwFlags |= TDF_POSITION_RELATIVE_TO_WINDOW;
  if (buttons & ButtonOk) config.dwCommonButtons |= TDCBF_OK_BUTTON;
  if (buttons & ButtonYes) config.dwCommonButtons |= TDCBF_YES_BUTTON;
  if (buttons & ButtonNo) config.dwCommonButtons |= TDCBF_NO_BUTTON;
  if (buttons & ButtonCancel) config.dwCommonButtons |= TDCBF_CANCEL_BUTTON;
  config.pszWindowTitle = caption.c_str();
  config.pszContent = content.c_str();
  switch (type) {
    case DialogType::Warning: config.pszMainIcon = TD_WARNING_ICON; break;
    case DialogType::Error: config.pszMainIcon = TD_ERROR_ICON; break;
    case DialogType::Information:
    case DialogType::Confirmation: config.pszMainIcon = TD_INFORMATION_ICON; break;
  }
  int pressed = 0;
  if (FAILED(proc(&config, &pressed, nullptr, nullptr))) return false;
  switch (pressed) {
    case IDYES: result = DialogResult::Yes; break;
    case IDNO: result = DialogResult::No; break;
    case IDOK: result = DialogResult::Ok; break;
    default: result = DialogResult::Cancel; break;
  }
  return true;
}

}  // namespace

PendingQuitHold::PendingQuitHold() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    held_ = true;
    exitCode_ = static_cast<int>(msg.wParam);
  }
}

PendingQuitHold::~PendingQuitHold() {
  if (held_) PostQuitMessage(exitCode_);
}

DialogResult MessageDlg(const std::string& text, DialogType type, unsigned buttons) {
  PendingQuitHold hold;
  DialogResult result = DialogResult::Cancel;
  if (TryTaskDialog(text, type, buttons, result)) return result;
  UINT style = IconOf(type) | MB_TASKMODAL;
  if ((buttons & ButtonYes) && (buttons & ButtonNo)) style |= (buttons & ButtonCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (buttons & ButtonYes) style |= MB_YESNO;
  else if (buttons & ButtonCancel) style |= MB_OKCANCEL;
  switch (MessageBoxA(OwnerWindow(), text.c_str(), CaptionOf(type), style)) {
    case IDYES: return DialogResult::Yes;
    case IDNO: return (buttons & ButtonNo) ? DialogResult::No : DialogResult::Cancel;
    case IDOK: return DialogResult::Ok;
    default: return DialogResult::Cancel;
  }
}

void ShowMessage(const std::string& text) {
  PendingQuitHold hold;
  const std::string title = Application ? Application->Title() : std::string();
  MessageBoxA(OwnerWindow(), text.c_str(), title.c_str(), MB_OK | MB_TASKMODAL);
}

}  // namespace tk
