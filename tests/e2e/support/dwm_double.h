#pragma once
// Puts the DWM double where Tavelmoor.exe loads dwmapi.dll from (the system folder of the prefix,
// of the program's bitness, which is this test program's) and makes Wine load it as a native
// library for Tavelmoor.exe alone. Everything is put back when the guard goes.
#include <windows.h>

#include <string>

namespace e2e {

class DwmDoubleInstall {
 public:
  DwmDoubleInstall();
  ~DwmDoubleInstall();
  DwmDoubleInstall(const DwmDoubleInstall&) = delete;
  DwmDoubleInstall& operator=(const DwmDoubleInstall&) = delete;

  bool Installed() const { return installed_; }
  const std::string& Error() const { return error_; }

 private:
  std::string target_;
  std::string backup_;
  bool movedOriginal_ = false;
  bool installed_ = false;
  bool overrideSet_ = false;
  std::string error_;
};

}  // namespace e2e
