// TVM64.dll, the 64-bit hook library as built so far: loaded by full path from the
// output folder, exactly two exports with their ordinals, a real system-wide CBT hook, and nothing
// of it left in hooked windows once the hook has gone.
#include "core/private_messages.h"
#include "win_support/hook_library_tests.h"
#include "win_support/hook_removal_tests.h"

namespace tvmtest {
INSTANTIATE_TEST_SUITE_P(TVM64, HookLibrary, ::testing::Values(HookLibraryFile{ident::HookLibrary64File}));
INSTANTIATE_HOOK_REMOVAL_TESTS(TVM64, ident::HookLibrary64File);
}  // namespace tvmtest
