#include "navigator/win32/virtual_desktops.h"

#include <objbase.h>

#include "navigator/visible_frame.h"
#include "platform/platform_switches.h"

namespace navigator {

const CLSID CLSID_VirtualDesktopManagerObject = {
    0xAA509086, 0x5CA9, 0x4C25, {0x8F, 0x95, 0x58, 0x9D, 0x3C, 0x07, 0xB4, 0x8A}};
const IID IID_VirtualDesktopManagerApi = {
    0xA5CD92FF, 0x29BE, 0x454C, {0x8D, 0x04, 0xD8, 0x28, 0x79, 0xFB, 0x3F, 0x1B}};

HRESULT VirtualDesktops::CreateShellManager(IVirtualDesktopManagerApi** manager) {
  return CoCreateInstance(CLSID_VirtualDesktopManagerObject, nullptr, CLSCTX_INPROC_SERVER,
                          IID_VirtualDesktopManagerApi, reinterpret_cast<void**>(manager));
}

void VirtualDesktops::Release() {
  if (desktopManager_) desktopManager_->Release();
  desktopManager_ = nullptr;
}

HRESULT VirtualDesktops::CreateDesktopManager(const Factory& factory) {
  if (!WantsDesktopManager(platform::IsWin10, managerCreated_)) return S_FALSE;
  Release();
  IVirtualDesktopManagerApi* created = nullptr;
  const HRESULT hr = factory(&created);
  if (FAILED(hr) || created == nullptr) {
    if (created) created->Release();
    return FAILED(hr) ? hr : E_NOINTERFACE;
  }
  desktopManager_ = created;
  managerCreated_ = true;
  return hr;
}

bool VirtualDesktops::IsOnCurrentDesktop(HWND window) const {
  return navigator::IsOnCurrentDesktop(platform::IsWin10, managerCreated_ && desktopManager_ != nullptr, [&] {
    BOOL onCurrent = TRUE;
    if (FAILED(desktopManager_->IsWindowOnCurrentVirtualDesktop(window, &onCurrent))) {
      return DesktopAnswer::QueryFailed;
    }
    return onCurrent ? DesktopAnswer::OnCurrent : DesktopAnswer::OnOther;
  });
}

}  // namespace navigator
