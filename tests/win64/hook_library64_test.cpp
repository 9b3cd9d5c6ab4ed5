// TVM64.dll, the 64-bit hook library as built so far: loaded by full path from the
// output folder, exactly two exports with their ordinals, a real system-wide CBT hook.
#include "core/private_messages.h"
#include "win_support/hook_library_tests.h"

namespace tvmtest {
INSTANTIATE_TEST_SUITE_P(TVM64, HookLibrary, ::testing::Values(HookLibraryFile{ident::HookLibrary64File}));
}  // namespace tvmtest
