// hook_setter.exe LIBRARY NAME: a second program that sets the hook of one of our hook libraries,
// as a second loader or another user's program does, for the tests of two setters of one library
// file (built for i686 and for x86_64). It loads LIBRARY from the output folder, sets its hook,
// sets the event NAME.ready and waits for one of two events: NAME.unhook ends it through
// UnHookCBT, NAME.release by letting the library go without it. A test that kills it instead
// ends the hook as a crash does.
#include <windows.h>

#include <string>

#include "win_support/hook_module.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string name = argv[2];
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + ".ready").c_str());
  HANDLE ends[] = {OpenEventA(SYNCHRONIZE, FALSE, (name + ".unhook").c_str()),
                   OpenEventA(SYNCHRONIZE, FALSE, (name + ".release").c_str())};
  if (!ready || !ends[0] || !ends[1]) return 3;
  tvmtest::HookModule module(argv[1]);
  if (!module.Loaded() || !module.set()) return 4;
  SetEvent(ready);
  // The module goes at the end, through UnHookCBT unless it has been released already.
  if (WaitForMultipleObjects(2, ends, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) module.Release();
  return 0;
}
