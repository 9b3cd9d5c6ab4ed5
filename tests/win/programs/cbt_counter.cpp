// cbt_counter.dll: another program's system-wide CBT hook, for the tests that check that ours
// hands every event on. In each process it is called in it counts the events by code in a named
// shared block that the test reads.
#include <windows.h>

namespace {

constexpr const char* kBlockName = "TvmCbtCounterEvents";
constexpr int kCodes = 10;

volatile LONG* Counts() {
  static volatile LONG* counts = nullptr;
  if (!counts) {
    HANDLE block = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG) * kCodes,
                                      kBlockName);
    if (block) counts = static_cast<volatile LONG*>(MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, 0));
  }
  return counts;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK CounterHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && code < kCodes) {
    if (volatile LONG* counts = Counts()) InterlockedIncrement(&counts[code]);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
