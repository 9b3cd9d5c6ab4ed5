#pragma once
// Reads the export directory of a module loaded into this process (same bitness as the test), so
// that a test can check that a library exports exactly the names it should.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace tvmtest {

struct ModuleExports {
  std::string dllName;                              // the export directory's own name
  std::vector<std::pair<std::string, WORD>> named;  // exported names with their ordinals
  DWORD functionCount = 0;                          // all exports, named or by ordinal only
};

inline ModuleExports ReadModuleExports(HMODULE module) {
  ModuleExports out;
  auto base = reinterpret_cast<const BYTE*>(module);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (!module || dos->e_magic != IMAGE_DOS_SIGNATURE) return out;
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return out;
  const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (entry.VirtualAddress == 0 || entry.Size == 0) return out;
  auto dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  out.dllName = reinterpret_cast<const char*>(base + dir->Name);
  out.functionCount = dir->NumberOfFunctions;
  auto names = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
  auto ordinals = reinterpret_cast<const WORD*>(base + dir->AddressOfNameOrdinals);
  for (DWORD i = 0; i < dir->NumberOfNames; ++i) {
    out.named.emplace_back(reinterpret_cast<const char*>(base + names[i]),
                           static_cast<WORD>(dir->Base + ordinals[i]));
  }
  return out;
}

}  // namespace tvmtest
