#pragma once
// How far the program's end has come, as every part reads it. The application object holds the
// one state and alone moves it on: Ending once the end has been asked for (nothing scrolls any
// more, the hook libraries are told to stop tracking, the navigator neither paints nor
// arranges), Ended once the message loop has returned (timers stopped, the forms going).
namespace core {

enum class EndPhase { Running, Ending, Ended };

struct ProgramEnd {
  EndPhase phase = EndPhase::Running;
  constexpr bool Requested() const { return phase != EndPhase::Running; }
};

}  // namespace core
