#pragma once
// The GDI objects this process holds, for leak checks. Wine answers GetGuiResources with 0; there
// every live handle is found by its table index, whatever its generation.
#include <windows.h>

#include <cstdint>

namespace tvmtest {

inline int GdiObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
  int live = 0;
  for (uintptr_t i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return live;
}

}  // namespace tvmtest
