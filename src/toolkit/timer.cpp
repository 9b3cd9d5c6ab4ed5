#include "toolkit/timer.h"

#include "toolkit/application.h"

namespace tk {

TTimer::TTimer(const core::ProgramEnd& end) : end_(end) { id_ = Application->RegisterTimer(this); }

TTimer::~TTimer() {
  if (Application) Application->UnregisterTimer(id_);
}

void TTimer::Arm() {
  KillTimer(Application->Handle(), id_);
  if (enabled_ && interval_ > 0 && end_.phase != core::EndPhase::Ended) {
    SetTimer(Application->Handle(), id_, interval_, nullptr);
  }
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Arm();
}

void TTimer::SetInterval(UINT milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Arm();
}

void TTimer::Fire() {
  if (enabled_ && OnTimer) OnTimer();
}

}  // namespace tk
