#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/program_end.h"
#include "toolkit/window_class.h"

namespace tk {

class TForm;
class TTimer;

// The application object: its hidden window (which also carries the timers and the tray icon's
// messages), the forms it owns, the message loop and the application-wide error handler.
class TApplication final : public WindowHandler {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  void SetTitle(const std::string& title);
  const std::string& Title() const { return title_; }

  // Creates a form owned by the application; the first one created is the main form.
  template <class Form, class... Args>
  Form& CreateForm(Args&&... args) {
    auto owned = std::make_unique<Form>(std::forward<Args>(args)...);
    Form& form = *owned;
    Adopt(std::move(owned));
    form.Created();
    return form;
  }

  TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }
  HWND Handle() const { return hwnd_; }

  // Asks the message loop to end; Run returns once it has. The program's end is then Ending.
  void Terminate();
  bool Terminated() const { return end_.Requested(); }
  // Once the message loop has returned (Ended): timers are stopped and no new work should start.
  bool ShuttingDown() const { return end_.phase == core::EndPhase::Ended; }
  // The program's end, the one state every part reads.
  const core::ProgramEnd& End() const { return end_; }

  // Shows the main form when its description has it visible, then runs the loop until
  // Terminate; afterwards stops every timer and destroys the forms, newest first.
  void Run();

  // Handles the messages that are waiting, without blocking.
  void ProcessMessages();

  void HandleException(const std::exception* error);

  // Forwarded to whoever registered for them (the tray icon, the menus).
  using MessageHook = std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)>;
  int AddMessageHook(MessageHook hook);
  void RemoveMessageHook(int id);

  // Timers live on the application window.
  UINT_PTR RegisterTimer(TTimer* timer);
  void UnregisterTimer(UINT_PTR id);

  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Adopt(std::unique_ptr<TForm> form);
  void StopAllTimers();
  void DestroyForms();

  HWND hwnd_ = nullptr;
  std::string title_;
  std::vector<std::unique_ptr<TForm>> forms_;
  std::vector<std::pair<UINT_PTR, TTimer*>> timers_;
  UINT_PTR nextTimerId_ = 1;
  std::vector<std::pair<int, MessageHook>> hooks_;
  int nextHookId_ = 1;
  core::ProgramEnd end_;
};

// The program's one application object, like the forms' unit-level variables.
extern TApplication* Application;

}  // namespace tk
