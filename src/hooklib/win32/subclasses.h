#pragma once
// The windows this process's copy of the library has subclassed (see subclasses.cpp).
#include <windows.h>

#include "hooklib/hook_tie.h"

namespace hooklib {

bool IsSubclassCandidate(HWND window);
// Subclasses the window under the tie of the hook call that met it.
void AddSubclass(HWND window, Witness tie);
void RemoveSubclass(HWND window);
void RemoveSubclassAndReport(HWND window);
void RemoveAllSubclasses();

}  // namespace hooklib
