#pragma once
// How many GDI objects this process holds, for tests that what a painting or a load makes is freed.
#include <windows.h>

#include <cstdint>

namespace tvmtest {

// Wine answers GetGuiResources with 0; there every live handle is found by its table index,
// whatever its generation.
inline int GdiObjects() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
  int live = 0;
  for (uintptr_t i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return live;
}

}  // namespace tvmtest
