// Messages that other programs send to the control panel while it is being destroyed (a hooked
// application's size question, a scroll request) are answered without its engine, which may be
// gone already. The tray icon's removal is a call to the notification area during which they are
// handled.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "core/geometry.h"
#include "core/private_messages.h"
#include "navigator/win32/desktop_model.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/application.h"

namespace {

TEST(PanelEnd, MessagesSentWhileThePanelIsDestroyedGetTheEndsAnswers) {
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    LRESULT answer;
  } cases[] = {
      {"a size question: stop tracking", msg::WM_HOOK_GET_SIZE, 0x1234, static_cast<LRESULT>(core::kStopTracking)},
      {"a hook handle question: none", msg::WM_HOOK_GET_HANDLE, 0, 0},
      {"a scroll request", msg::WM_SCROLL_BY, 40, 0},
      {"a release", msg::WM_HOOK_RELEASED, 0x1234, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    navigator::DesktopModel model;
    auto application = std::make_unique<tk::TApplication>();
    auto form = std::make_unique<scroller::TTavelmoorForm>(model, application->End());
    HWND panel = form->Handle();
    std::atomic<bool> answered = false;
    DWORD_PTR answer = 0xBAD;
    // Sent before the destruction begins and taken only once it has: a sleeping thread takes no
    // sent message, and the first the destruction takes is at the tray icon's removal.
    std::thread sender([&] {
      if (SendMessageTimeoutA(panel, c.message, c.wParam, 0, SMTO_NORMAL, 5000, &answer)) answered = true;
    });
    Sleep(300);
    form.reset();
    sender.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(static_cast<LRESULT>(answer), c.answer);
    application.reset();
  }
}

}  // namespace
