#include "scroller/win32/hook_library_host.h"

#include "platform/program_folder.h"

namespace scroller {

bool HookLibraryHost::Load(const std::string& fileName) {
  // By full path: the library search order would also take a file from the current directory.
  const std::string folder = platform::ProgramFolder();
  if (folder.empty()) return false;
  HookLibrary = LoadLibraryA((folder + fileName).c_str());
  if (!HookLibrary) return false;
  SetHookCBT = reinterpret_cast<hooklib::SetHookCBTProc>(
      reinterpret_cast<void*>(GetProcAddress(HookLibrary, hooklib::SetHookExport)));
  UnHookCBT = reinterpret_cast<hooklib::UnHookCBTProc>(
      reinterpret_cast<void*>(GetProcAddress(HookLibrary, hooklib::UnHookExport)));
  return true;
}

void HookLibraryHost::SetHook() {
  if (hookHandle_ || !HookLibrary || !SetHookCBT) return;
  hookHandle_ = SetHookCBT();
}

void HookLibraryHost::Release() {
  if (hookHandle_ && UnHookCBT) UnHookCBT();
  hookHandle_ = nullptr;
  if (HookLibrary) {
    FreeLibrary(HookLibrary);
    HookLibrary = nullptr;
    SetHookCBT = nullptr;
    UnHookCBT = nullptr;
  }
}

}  // namespace scroller
