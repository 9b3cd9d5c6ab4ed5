#pragma once
#include <windows.h>

#include <functional>

#include "core/program_end.h"

namespace tk {

// A periodic timer on the GUI thread. Changing Interval while enabled restarts the period. Once the
// program's end has come (`end`: the application's), it is never armed again.
class TTimer {
 public:
  explicit TTimer(const core::ProgramEnd& end);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetInterval(UINT milliseconds);
  UINT Interval() const { return interval_; }
  int Tag = 0;
  std::function<void()> OnTimer;

  void Fire();

 private:
  void Arm();

  const core::ProgramEnd& end_;
  UINT_PTR id_ = 0;
  UINT interval_ = 1000;
  bool enabled_ = false;
};

}  // namespace tk
