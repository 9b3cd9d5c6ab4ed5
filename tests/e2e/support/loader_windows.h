#pragma once
// The 64-bit loader as scenarios meet it: the machine-wide key that makes its file name known, and
// every running loader ended between scenarios.
#include <windows.h>

namespace e2e {

// Asks every running loader to quit and waits for each (a loader that stays is left).
void EndLoaders();
// The number of loader windows now.
int LoaderWindows();

// Creates HKEY_LOCAL_MACHINE\Software\Tavelmoor; false when it could not be created.
bool CreateMachineKey();
void DeleteMachineKey();

}  // namespace e2e
