#pragma once
// No exception may unwind through a Win32 callback: every handler the toolkit calls runs inside
// Guarded, and an error ends that handler and goes to the application-wide handler.
#include <exception>
#include <utility>

namespace tk {

void ReportUnhandled(const std::exception* error);

template <class F>
void Guarded(F&& handler) noexcept {
  try {
    std::forward<F>(handler)();
  } catch (const std::exception& e) {
    ReportUnhandled(&e);
  } catch (...) {
    ReportUnhandled(nullptr);
  }
}

}  // namespace tk
