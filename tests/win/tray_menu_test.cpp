// The control panel's tray icon: the right-click menu lists its items in order with their
// states, read through the menu's own handle while it is open; the icon comes back when the
// taskbar is re-created.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "navigator/win32/desktop_model.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/application.h"
#include "toolkit/tray_icon.h"
#include "win_support/process_helpers.h"

namespace {

using namespace std::chrono_literals;

struct MenuItem {
  std::string caption;
  bool checked = false;
  bool grayed = false;
  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

std::ostream& operator<<(std::ostream& os, const MenuItem& i) {
  return os << '"' << i.caption << '"' << (i.checked ? " checked" : "") << (i.grayed ? " grayed" : "");
}

HWND OpenMenuWindow() {
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32768", nullptr));) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

class TrayMenu : public testing::Test {
 protected:
  void SetUp() override {
    application = std::make_unique<tk::TApplication>();
    form = std::make_unique<scroller::TTavelmoorForm>(model, application->End());
  }
  void TearDown() override {
    form.reset();
    application.reset();
  }

  // Right-clicks the icon, as the notification area reports it, and reads the open menu from
  // another thread through MN_GETHMENU; then closes it.
  std::vector<MenuItem> ItemsShown() {
    std::vector<MenuItem> items;
    std::atomic<bool> done = false;
    std::thread reader([&] {
      HWND menuWindow = nullptr;
      tvmtest::WaitUntil([&] { return (menuWindow = OpenMenuWindow()) != nullptr; }, 5s);
      if (menuWindow) {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        const int count = menu ? GetMenuItemCount(menu) : 0;
        for (int i = 0; i < count; ++i) {
          char text[128] = {};
          GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
          const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
          items.push_back({text, (state & MF_CHECKED) != 0, (state & MF_GRAYED) != 0});
        }
        PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(application->Handle(), WM_CANCELMODE, 0, 0);
      }
      done = true;
    });
    PostMessageA(application->Handle(), tk::TTrayIcon::CallbackMessage, 1, WM_RBUTTONUP);
    tvmtest::WaitUntil(
        [&] {
          application->ProcessMessages();
          return done.load() && !OpenMenuWindow();
        },
        10s, 1ms);
    reader.join();
    return items;
  }

  std::unique_ptr<tk::TApplication> application;
  navigator::DesktopModel model;
  std::unique_ptr<scroller::TTavelmoorForm> form;
};

TEST_F(TrayMenu, ListsItsItemsInOrderWithTheirStates) {
  form->TrayPopupMenu.Item("menuScrollLock").Checked = true;
  form->Action64bit.Visible = true;
  form->Action64bit.Checked = true;
  EXPECT_EQ(ItemsShown(), (std::vector<MenuItem>{{"&Show"},
                                                 {"E&xit"},
                                                 {"Scroll Lock", true},
                                                 {"Load &64bit extension", true},
                                                 {"&Arrange windows"},
                                                 {"Set &window size"},
                                                 {"Save window &positions"},
                                                 {"&Restore window positions"},
                                                 {"Set &virtual desktop size"}}));

  // On 32-bit Windows the 64-bit item is hidden: eight items.
  form->Action64bit.Visible = false;
  form->Action64bit.Checked = false;
  form->TrayPopupMenu.Item("menuScrollLock").Checked = false;
  form->SaveAction.Enabled = false;
  EXPECT_EQ(ItemsShown(), (std::vector<MenuItem>{{"&Show"},
                                                 {"E&xit"},
                                                 {"Scroll Lock"},
                                                 {"&Arrange windows"},
                                                 {"Set &window size"},
                                                 {"Save window &positions", false, true},
                                                 {"&Restore window positions"},
                                                 {"Set &virtual desktop size"}}));
}

TEST_F(TrayMenu, TheIconComesBackWhenTheTaskbarIsRecreated) {
  NOTIFYICONDATAA probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = application->Handle();
  probe.uID = 1;
  probe.uFlags = NIF_TIP;
  strcpy(probe.szTip, "Tavelmoor Wanderpane, right click for options.");
  auto present = [&] { return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE; };
  ASSERT_TRUE(present()) << "the icon is not in the notification area";
  // The shell forgets it, as a restarted taskbar does; it then tells every top-level window.
  Shell_NotifyIconA(NIM_DELETE, &probe);
  ASSERT_FALSE(present());
  SendMessageA(application->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(present());
}

}  // namespace
