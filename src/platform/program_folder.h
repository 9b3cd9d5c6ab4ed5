#pragma once
#include <string>

namespace platform {

// The folder of the running program, with a trailing backslash; empty when it cannot be read.
// Libraries and the loader are taken from here by full path, never through the search order.
std::string ProgramFolder();

}  // namespace platform
