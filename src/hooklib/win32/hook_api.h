#pragma once
// The two exports of the hook libraries, "Tavelmoor.dll" (i686) and "TVM64.dll" (x86_64), as their
// callers bind them: by name with GetProcAddress. Both take no
// arguments and use the platform calling convention (stdcall on i686, where the .def file strips
// the @0 decoration so that the names are exactly "SetHookCBT" and "UnHookCBT").
#include <windows.h>

namespace hooklib {

inline constexpr const char* SetHookExport = "SetHookCBT";
inline constexpr const char* UnHookExport = "UnHookCBT";

// Ordinals of the export directory; names are what callers use.
inline constexpr WORD UnHookOrdinal = 1;
inline constexpr WORD SetHookOrdinal = 2;

using SetHookCBTProc = HHOOK(WINAPI*)();
using UnHookCBTProc = void(WINAPI*)();

}  // namespace hooklib
