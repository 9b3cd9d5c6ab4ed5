#pragma once
// Which windows the hook library subclasses inside a hooked process: visible top-level-like
// windows with a sizing border and a title, none of the shell's or our own. The rule returns a
// reason so that a test can see why a window was passed over; facts are asked one at a time, in
// the order of the rules, and a rule that fails asks nothing further.
#include <cstdint>
#include <optional>
#include <string>

#include "core/geometry.h"
#include "core/window_handle.h"

namespace hooklib {

using core::WindowHandle;

inline constexpr uint32_t kStyleVisible = 0x10000000u;
inline constexpr uint32_t kStyleThickFrame = 0x00040000u;

// Class names and titles are read into a 128-character buffer: at most 127 arrive.
inline constexpr std::size_t kMaxTextLength = 127;

// The classes never subclassed, compared exactly (letter case included). "Program" is not
// "Progman": the shell's desktop window is passed over by its missing border or title instead.
inline constexpr const char* kNeverSubclassedClasses[] = {
    "Shell_TrayWnd", "#32768",     "BaseBar",      "CV2ControlHost", "Program",
    "Button",        "TNavigator", "TMinSizeForm", "TTavelmoorForm", "tTVM64Form",
};

class CandidateFacts {
 public:
  virtual ~CandidateFacts() = default;
  virtual WindowHandle Handle() const = 0;
  virtual bool Tracked() = 0;
  // The style; nullopt when the window's information cannot be read.
  virtual std::optional<uint32_t> Style() = 0;
  virtual std::string ClassName() = 0;
  virtual std::string Title() = 0;
  // The window rectangle; nullopt when it cannot be read.
  virtual std::optional<core::Rect> WindowRect() = 0;
};

struct CandidatePeers {
  WindowHandle controlPanel = 0;
  WindowHandle loader = 0;
};

enum class CandidateVerdict {
  Candidate,
  AlreadyTracked,
  Peer,
  NoWindowInfo,
  Invisible,
  NoSizingBorder,
  ExcludedClass,
  EmptyTitle,
  TooSmall,
};

CandidateVerdict ClassifyCandidate(CandidateFacts& facts, const CandidatePeers& peers);

inline bool IsSubclassCandidate(CandidateFacts& facts, const CandidatePeers& peers) {
  return ClassifyCandidate(facts, peers) == CandidateVerdict::Candidate;
}

const char* ToString(CandidateVerdict verdict);

}  // namespace hooklib
