// dwm_probe.exe: asks the system folder's dwmapi.dll, loaded by full path as Tavelmoor loads it,
// for window attributes, so a scenario can see which library a process with a given
// environment gets.
//
//   dwm_probe.exe OUTFILE QUERY...      QUERY = HWND,ATTRIBUTE,SIZE[,null]
//
// OUTFILE gets one line per query: the HRESULT in hex, then the first four 32-bit values of the
// answer buffer (pre-filled with 0x7e7e7e7e) in decimal; ",null" passes a null buffer. When the
// library or its export is missing, the only line is "load-failed ERROR" or "no-export" and
// the exit code is 1.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);

bool WriteText(const char* path, const std::string& text) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  std::fwrite(text.data(), 1, text.size(), f);
  return std::fclose(f) == 0;
}

std::string Ask(GetWindowAttribute get, const char* query) {
  char* p = nullptr;
  const auto hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(query, &p, 0)));
  const DWORD attribute = std::strtoul(p + (*p == ','), &p, 0);
  const DWORD size = std::strtoul(p + (*p == ','), &p, 0);
  const bool nullBuffer = std::string(p) == ",null";
  LONG buffer[16];
  for (LONG& v : buffer) v = 0x7e7e7e7e;
  const HRESULT hr = get(hwnd, attribute, nullBuffer ? nullptr : buffer, size > sizeof buffer ? sizeof buffer : size);
  char line[128];
  std::snprintf(line, sizeof line, "0x%08lx %ld %ld %ld %ld\n", static_cast<unsigned long>(hr), buffer[0],
                buffer[1], buffer[2], buffer[3]);
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  HMODULE library = LoadLibraryA((std::string(system) + "\\dwmapi.dll").c_str());
  if (!library) {
    WriteText(argv[1], "load-failed " + std::to_string(GetLastError()) + "\n");
    return 1;
  }
  auto get = reinterpret_cast<GetWindowAttribute>(GetProcAddress(library, "DwmGetWindowAttribute"));
  if (!get) {
    WriteText(argv[1], "no-export\n");
    return 1;
  }
  std::string out;
  for (int i = 2; i < argc; ++i) out += Ask(get, argv[i]);
  return WriteText(argv[1], out) ? 0 : 1;
}
