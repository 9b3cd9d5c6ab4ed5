#pragma once
// A window as the platform-free rooms hold it: the handle's value, never owned; the Win32 bridge
// (platform/handles.h) turns it into an HWND and back.
#include <cstdint>

namespace core {

using WindowHandle = std::uintptr_t;

}  // namespace core
