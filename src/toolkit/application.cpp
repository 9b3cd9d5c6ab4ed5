#include "toolkit/application.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/form.h"
#include "toolkit/guard.h"
#include "toolkit/message_dialog.h"
#include "toolkit/timer.h"

namespace tk {

TApplication* Application = nullptr;

void ReportUnhandled(const std::exception* error) {
  if (Application) {
    Application->HandleException(error);
  } else {
    PendingQuitHold hold;
    MessageBoxA(nullptr, error ? error->what() : "Unknown error", "Error", MB_OK | MB_ICONERROR);
  }
}

TApplication::TApplication() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                           ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  Application = this;
  // Hidden and never shown; WS_POPUP keeps it off the taskbar.
  hwnd_ = CreateFormClassWindow(this, WS_EX_TOOLWINDOW, "", WS_POPUP, 0, 0, 0, 0, nullptr);
}

TApplication::~TApplication() {
  StopAllTimers();
  DestroyForms();
  if (hwnd_) DestroyWindow(hwnd_);
  if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (hwnd_) SetWindowTextA(hwnd_, title.c_str());
}

void TApplication::Adopt(std::unique_ptr<TForm> form) { forms_.push_back(std::move(form)); }

void TApplication::Terminate() {
  if (end_.Requested()) return;
  end_.phase = core::EndPhase::Ending;
  PostQuitMessage(0);
}

void TApplication::Run() {
  if (!end_.Requested()) {
    if (TForm* main = MainForm(); main && main->Description().visible) main->Show();
    MSG msg;
    while (!end_.Requested()) {
      const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
      if (got == 0 || got == -1) break;
      HWND active = GetActiveWindow();
      if (active && IsDialogMessageA(active, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  end_.phase = core::EndPhase::Ended;
  StopAllTimers();
  DestroyForms();
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      if (!end_.Requested()) end_.phase = core::EndPhase::Ending;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void TApplication::HandleException(const std::exception* error) {
  const std::string text = error ? error->what() : "An unexpected error occurred.";
  PendingQuitHold hold;
  MessageBoxA(GetActiveWindow(), text.c_str(), title_.empty() ? "Error" : title_.c_str(),
              MB_OK | MB_ICONERROR);
}

int TApplication::AddMessageHook(MessageHook hook) {
  hooks_.emplace_back(nextHookId_, std::move(hook));
  return nextHookId_++;
}

void TApplication::RemoveMessageHook(int id) {
  std::erase_if(hooks_, [id](const auto& h) { return h.first == id; });
}

UINT_PTR TApplication::RegisterTimer(TTimer* timer) {
  const UINT_PTR id = nextTimerId_++;
  timers_.emplace_back(id, timer);
  return id;
}

void TApplication::UnregisterTimer(UINT_PTR id) {
  KillTimer(hwnd_, id);
  std::erase_if(timers_, [id](const auto& t) { return t.first == id; });
}

void TApplication::StopAllTimers() {
  for (const auto& [id, timer] : timers_) timer->SetEnabled(false);
}

void TApplication::DestroyForms() {
  while (!forms_.empty()) {
    std::unique_ptr<TForm> form = std::move(forms_.back());
    forms_.pop_back();
    Guarded([&] { form->Destroying(); });
    form.reset();
  }
}

LRESULT TApplication::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    const auto it = std::find_if(timers_.begin(), timers_.end(),
                                 [wParam](const auto& t) { return t.first == wParam; });
    if (it != timers_.end() && !ShuttingDown()) {
      TTimer* timer = it->second;
      Guarded([timer] { timer->Fire(); });
    }
    return 0;
  }
  // A copy, so a hook may remove itself while it runs.
  const auto hooks = hooks_;
  for (const auto& [id, hook] : hooks) {
    LRESULT result = 0;
    if (hook(msg, wParam, lParam, result)) return result;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace tk
