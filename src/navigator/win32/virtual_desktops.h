#pragma once
// The Windows virtual-desktop test: from Windows 10 on, windows on another virtual desktop do not
// scroll. The shell's manager object is created once, at the control panel's first show; until
// then, and for the whole run when it cannot be created, every window counts as on the current
// desktop. The program's one test is the desktop model's.
#include <windows.h>
#include <unknwn.h>

#include <functional>

namespace navigator {

// The shell's IVirtualDesktopManager; only IsWindowOnCurrentVirtualDesktop is called.
struct IVirtualDesktopManagerApi : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND window, BOOL* onCurrent) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND window, GUID* desktopId) = 0;
  virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND window, REFGUID desktopId) = 0;
};

extern const CLSID CLSID_VirtualDesktopManagerObject;  // {AA509086-5CA9-4C25-8F95-589D3C07B48A}
extern const IID IID_VirtualDesktopManagerApi;         // {A5CD92FF-29BE-454C-8D04-D82879FB3F1B}

class VirtualDesktops {
 public:
  using Factory = std::function<HRESULT(IVirtualDesktopManagerApi** manager)>;
  // CoCreateInstance of the shell's object, in process.
  static HRESULT CreateShellManager(IVirtualDesktopManagerApi** manager);

  VirtualDesktops() = default;
  ~VirtualDesktops() { Release(); }
  VirtualDesktops(const VirtualDesktops&) = delete;
  VirtualDesktops& operator=(const VirtualDesktops&) = delete;

  // Creates the manager when Windows 10 or later runs and none exists yet. Returns the creation's
  // HRESULT (S_FALSE when nothing was to be done). A failure is not an error for the program:
  // the test simply stays off.
  HRESULT CreateDesktopManager(const Factory& factory = CreateShellManager);
  // True unless the manager exists and says the window is on another desktop; a failing query
  // (a window destroyed meanwhile) counts as on the current desktop.
  bool IsOnCurrentDesktop(HWND window) const;

  bool ManagerCreated() const { return managerCreated_; }
  void Release();

 private:
  IVirtualDesktopManagerApi* desktopManager_ = nullptr;
  bool managerCreated_ = false;
};

}  // namespace navigator
