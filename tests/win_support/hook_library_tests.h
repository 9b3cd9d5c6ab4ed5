#pragma once
// The checks that both hook libraries pass, "Tavelmoor.dll" in the i686 tests and "TVM64.dll" in
// the x86_64 tests. A test program includes this header once and
// instantiates the suite with its library's file name:
//   namespace tvmtest {
//   INSTANTIATE_TEST_SUITE_P(Tavelmoor, HookLibrary, ::testing::Values(HookLibraryFile{"Tavelmoor.dll"}));
//   }
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "hooklib/win32/hook_api.h"
#include "win_support/module_exports.h"
#include "win_support/process_helpers.h"

namespace tvmtest {

// The file name of the library under test, printed bare so that the test names stay plain.
struct HookLibraryFile {
  const char* name;
  friend void PrintTo(const HookLibraryFile& file, std::ostream* os) { *os << file.name; }
};

class HookLibrary : public ::testing::TestWithParam<HookLibraryFile> {
 protected:
  void SetUp() override {
    path_ = BinFile(GetParam().name);
    module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(module_, nullptr) << path_ << " does not load, error " << GetLastError();
    set_ = reinterpret_cast<hooklib::SetHookCBTProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, hooklib::SetHookExport)));
    unhook_ = reinterpret_cast<hooklib::UnHookCBTProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, hooklib::UnHookExport)));
    ASSERT_NE(set_, nullptr);
    ASSERT_NE(unhook_, nullptr);
  }
  void TearDown() override {
    if (unhook_) unhook_();
    if (module_) FreeLibrary(module_);
  }

  std::string path_;
  HMODULE module_ = nullptr;
  hooklib::SetHookCBTProc set_ = nullptr;
  hooklib::UnHookCBTProc unhook_ = nullptr;
};

TEST_P(HookLibrary, LoadsByFullPathFromTheOutputFolder) {
  char loaded[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(module_, loaded, MAX_PATH), 0u);
  EXPECT_EQ(lstrcmpiA(loaded, path_.c_str()), 0) << loaded << " vs " << path_;
}

TEST_P(HookLibrary, ExportsExactlySetHookCBTAndUnHookCBT) {
  ModuleExports exports = ReadModuleExports(module_);
  EXPECT_EQ(lstrcmpiA(exports.dllName.c_str(), GetParam().name), 0) << exports.dllName;
  EXPECT_EQ(exports.functionCount, 2u);
  auto named = exports.named;
  std::sort(named.begin(), named.end());
  ASSERT_EQ(named.size(), 2u);
  EXPECT_EQ(named[0].first, "SetHookCBT");
  EXPECT_EQ(named[0].second, hooklib::SetHookOrdinal);
  EXPECT_EQ(named[1].first, "UnHookCBT");
  EXPECT_EQ(named[1].second, hooklib::UnHookOrdinal);
  // No decorated spellings (i686 stdcall) and nothing else.
  EXPECT_EQ(GetProcAddress(module_, "SetHookCBT@0"), nullptr);
  EXPECT_EQ(GetProcAddress(module_, "_SetHookCBT@0"), nullptr);
  EXPECT_EQ(GetProcAddress(module_, "UnHookCBT@0"), nullptr);
  EXPECT_EQ(GetProcAddress(module_, "_UnHookCBT@0"), nullptr);
  EXPECT_EQ(GetProcAddress(module_, "CBTHookProc"), nullptr);
}

TEST_P(HookLibrary, SetHookCBTSetsAHookThatUnHookCBTRemoves) {
  HHOOK hook = set_();
  ASSERT_NE(hook, nullptr);
  EXPECT_EQ(set_(), hook) << "a second call while the hook is set returns the same handle";

  // The pass-through hook vetoes nothing: a window is created while it is set.
  HWND probe = CreateWindowExA(0, "STATIC", "hook probe", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(probe, nullptr);
  if (probe) {
    EXPECT_TRUE(DestroyWindow(probe));
  }

  unhook_();
  // Not checked by unhooking the old handle again: Wine keeps a removed hook's handle alive while
  // another thread is still inside a call of it.

  // Once removed, the library has forgotten it: the next call sets a new hook, which is live.
  HHOOK again = set_();
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(UnhookWindowsHookEx(again));
}

TEST_P(HookLibrary, SetHookCBTReturnsALiveHookHandle) {
  HHOOK hook = set_();
  ASSERT_NE(hook, nullptr);
  // Removing it ourselves succeeds only for a hook that is really set. The library still holds
  // the handle; UnHookCBT (TearDown) then fails quietly on it.
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
}

TEST_P(HookLibrary, UnHookCBTWithoutAHookDoesNothing) {
  unhook_();
  unhook_();
  EXPECT_NE(set_(), nullptr);
}

}  // namespace tvmtest
