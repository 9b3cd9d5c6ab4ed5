// The 64-bit loader stand-in tvm64.exe, started from this 32-bit process by its full
// path as the program will start it: its hidden top-level window "TVM64LDR" of class "tTVM64Form"
// appears, answers the hook library's messages and goes with the process on WM_LOADER_QUIT.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "core/private_messages.h"
#include "win_support/process_helpers.h"

namespace {

using namespace std::chrono_literals;
using tvmtest::BinFile;
using tvmtest::FindProcessWindow;
using tvmtest::ProcessGuard;
using tvmtest::WaitUntil;

constexpr auto kStartTimeout = 5000ms;
constexpr auto kQuitTimeout = 5000ms;
constexpr UINT kSendTimeoutMs = 2000;

class Loader : public ::testing::Test {
 protected:
  void TearDown() override {
    loader_.Reset();  // ends the loader if a failing test left it running
    if (!copiedExe_.empty()) DeleteFileA(copiedExe_.c_str());
    if (!copyDir_.empty()) RemoveDirectoryA(copyDir_.c_str());
  }

  // Starts the loader at `program` in another working directory (so that nothing can be found
  // through the current directory) and waits for its window; null when none appeared in time.
  HWND StartAndWaitForWindow(const std::string& program) {
    if (!loader_.Start(program, {}, "C:\\")) {
      ADD_FAILURE() << "cannot start " << program << ", error " << loader_.LastError();
      return nullptr;
    }
    HWND found = nullptr;
    WaitUntil(
        [&] {
          found = FindProcessWindow(loader_.Id(), ident::LoaderWindowClass,
                                    ident::LoaderWindowTitle);
          return found != nullptr || !loader_.Running();
        },
        kStartTimeout);
    return found;
  }

  static bool Send(HWND wnd, UINT message, DWORD_PTR* answer) {
    return SendMessageTimeoutA(wnd, message, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, answer) != 0;
  }

  // Sends WM_LOADER_QUIT and checks that the process ends with exit code 0 and its window goes.
  void QuitAndExpectGone(HWND wnd) {
    DWORD_PTR answer = 1;
    EXPECT_TRUE(Send(wnd, msg::WM_LOADER_QUIT, &answer)) << "error " << GetLastError();
    std::optional<DWORD> code = loader_.WaitForExit(kQuitTimeout);
    ASSERT_TRUE(code.has_value()) << "the loader still runs " << kQuitTimeout.count()
                                  << " ms after WM_LOADER_QUIT";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(FindProcessWindow(loader_.Id(), ident::LoaderWindowClass, ident::LoaderWindowTitle),
              nullptr);
  }

  // A copy of tvm64.exe alone in a fresh temporary folder, without TVM64.dll beside it.
  std::string CopyLoaderAlone() {
    char temp[MAX_PATH] = {};
    if (!GetTempPathA(MAX_PATH, temp)) return {};
    copyDir_ = std::string(temp) + "tvm-loader-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(copyDir_.c_str(), nullptr);
    std::string target = copyDir_ + "\\" + ident::LoaderFile;
    if (!CopyFileA(BinFile(ident::LoaderFile).c_str(), target.c_str(), FALSE)) return {};
    copiedExe_ = target;
    return target;
  }

  ProcessGuard loader_;
  std::string copyDir_;
  std::string copiedExe_;
};

TEST_F(Loader, ShowsNoWindowButAHiddenTopLevelOneFindableByAnyLetterCase) {
  HWND wnd = StartAndWaitForWindow(BinFile(ident::LoaderFile));
  ASSERT_NE(wnd, nullptr) << "no loader window within " << kStartTimeout.count() << " ms";
  EXPECT_EQ(FindWindowExA(nullptr, nullptr, ident::LoaderWindowClass, ident::LoaderWindowTitle),
            wnd);
  EXPECT_EQ(FindProcessWindow(loader_.Id(), "TTVM64FORM", "tvm64ldr"), wnd);
  EXPECT_EQ(FindProcessWindow(loader_.Id(), "ttvm64form", "Tvm64Ldr"), wnd);
  EXPECT_FALSE(IsWindowVisible(wnd));
  EXPECT_EQ(GetAncestor(wnd, GA_PARENT), GetDesktopWindow()) << "not a top-level window";
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), nullptr);
  char name[64] = {};
  GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, ident::LoaderWindowClass);
  GetWindowTextA(wnd, name, sizeof name);
  EXPECT_STREQ(name, ident::LoaderWindowTitle);
  QuitAndExpectGone(wnd);
}

TEST_F(Loader, RunsAsA64BitProcess) {
  HWND wnd = StartAndWaitForWindow(BinFile(ident::LoaderFile));
  ASSERT_NE(wnd, nullptr) << "no loader window within " << kStartTimeout.count() << " ms";
  BOOL selfWow64 = FALSE;
  BOOL loaderWow64 = TRUE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &selfWow64));
  ASSERT_TRUE(IsWow64Process(loader_.Handle(), &loaderWow64));
  if (sizeof(void*) == 4) {
    EXPECT_TRUE(selfWow64) << "this 32-bit test should run on 64-bit (WoW64) Wine";
  }
  EXPECT_FALSE(loaderWow64) << "tvm64.exe runs as a 32-bit process";
  QuitAndExpectGone(wnd);
}

TEST_F(Loader, AnswersTheHookHandleAndTheReportsWithZero) {
  HWND wnd = StartAndWaitForWindow(BinFile(ident::LoaderFile));
  ASSERT_NE(wnd, nullptr) << "no loader window within " << kStartTimeout.count() << " ms";
  DWORD_PTR answer = 0;
  ASSERT_TRUE(Send(wnd, msg::WM_HOOK_GET_HANDLE, &answer));
  EXPECT_NE(answer, 0u) << "the loader did not set the hook through TVM64.dll";
  DWORD_PTR again = 0;
  ASSERT_TRUE(Send(wnd, msg::WM_HOOK_GET_HANDLE, &again));
  EXPECT_EQ(again, answer);
  for (UINT report : {msg::WM_HOOK_PANEL_MISSING, msg::WM_HOOK_SUBCLASSED, msg::WM_HOOK_RELEASED}) {
    answer = 1;
    ASSERT_TRUE(Send(wnd, report, &answer)) << "message " << report;
    EXPECT_EQ(answer, 0u) << "message " << report;
  }
  QuitAndExpectGone(wnd);
}

TEST_F(Loader, QuitEndsTheProcessWithExitCodeZeroAndTheWindowGoes) {
  HWND wnd = StartAndWaitForWindow(BinFile(ident::LoaderFile));
  ASSERT_NE(wnd, nullptr) << "no loader window within " << kStartTimeout.count() << " ms";
  QuitAndExpectGone(wnd);
}

TEST_F(Loader, RunsWithoutTheHookLibraryAndAnswersHandleZero) {
  std::string alone = CopyLoaderAlone();
  ASSERT_FALSE(alone.empty()) << "cannot copy the loader, error " << GetLastError();
  HWND wnd = StartAndWaitForWindow(alone);
  ASSERT_NE(wnd, nullptr) << "no loader window within " << kStartTimeout.count() << " ms";
  DWORD_PTR answer = 1;
  ASSERT_TRUE(Send(wnd, msg::WM_HOOK_GET_HANDLE, &answer));
  EXPECT_EQ(answer, 0u);
  QuitAndExpectGone(wnd);
}

}  // namespace
