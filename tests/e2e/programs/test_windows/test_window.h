#pragma once
// Creating one test window as asked, on the calling thread or on a hung thread of its own.
#include <windows.h>

#include <string>

#include "programs/window_spec.h"

namespace tvmtw {

// Registers the window's class for this process unless it exists already, with the system's
// application icon when `withIcon`; call it on the main thread before the window is created (on
// any thread). False, with the reason, on failure.
bool PrepareClass(const std::string& className, bool withIcon, std::string* error);

// Creates, marks and shows the window on the calling thread; null, with the reason, on failure.
HWND CreateTestWindow(const WindowSpec& spec, HWND owner, std::string* error);

// Creates the window on a new thread that never answers a message after it, and waits until it
// exists.
HWND CreateHungTestWindow(const WindowSpec& spec, HWND owner, std::string* error);

}  // namespace tvmtw
