// "Tavelmoor.dll", our stand-in for the outside 32-bit hook library: loaded by full
// path from the output folder, exactly two exports, a real system-wide CBT hook, and nothing of it
// left in hooked windows once the hook has gone.
#include "core/private_messages.h"
#include "win_support/hook_library_tests.h"
#include "win_support/hook_removal_tests.h"

namespace tvmtest {
INSTANTIATE_TEST_SUITE_P(Tavelmoor, HookLibrary, ::testing::Values(HookLibraryFile{ident::HookLibraryFile}));
INSTANTIATE_HOOK_REMOVAL_TESTS(Tavelmoor, ident::HookLibraryFile);
}  // namespace tvmtest
