#pragma once
// The windows this process's copy of the library has subclassed (see subclasses.cpp).
#include <windows.h>

namespace hooklib {

bool IsSubclassCandidate(HWND window);
void AddSubclass(HWND window);
void RemoveSubclass(HWND window);
void RemoveSubclassAndReport(HWND window);
void RemoveAllSubclasses();

}  // namespace hooklib
