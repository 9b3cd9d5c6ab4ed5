#pragma once
// What the program's forms share, with one owner: the window entries (and with them the scroll
// room, the fixed desktop size and the remembered class sizes), the screen's kept measures, the
// virtual-desktop test and whether the settings changed since they were last saved. Created at start-up before the forms
// and handed to the scrolling engine, the navigator form and the set-size dialog by reference; it
// outlives them, so a message that arrives while a form goes away still finds it.
//
// The scroll room is the scrolling engine's to write (its scans measure it, its steps shift it);
// the others read it here and ask the engine to change it.
#include "core/settings_changes.h"
#include "navigator/app_win_store.h"
#include "navigator/win32/virtual_desktops.h"
#include "navigator/win32/win32_desktop.h"

namespace navigator {

class DesktopModel {
 public:
  DesktopModel() = default;
  DesktopModel(const DesktopModel&) = delete;
  DesktopModel& operator=(const DesktopModel&) = delete;

  AppWinStore& Entries() { return entries_; }
  platform::ScreenMetricsCache& Screen() { return screen_; }
  Win32Desktop& Desktop() { return desktop_; }
  const AppWinStore& Entries() const { return entries_; }
  VirtualDesktops& Desktops() { return desktops_; }
  const VirtualDesktops& Desktops() const { return desktops_; }

  core::SettingsChanges& Changes() { return changes_; }

 private:
  platform::ScreenMetricsCache screen_;
  Win32Desktop desktop_{screen_};
  AppWinStore entries_{desktop_};
  VirtualDesktops desktops_;
  core::SettingsChanges changes_;
};

}  // namespace navigator
