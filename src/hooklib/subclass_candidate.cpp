#include "hooklib/subclass_candidate.h"

#include <cstdlib>
#include <string_view>

namespace hooklib {

namespace {
bool ExcludedClass(std::string_view name) {
  for (const char* c : kNeverSubclassedClasses) {
    if (name == c) return true;
  }
  return false;
}
}  // namespace

CandidateVerdict ClassifyCandidate(CandidateFacts& facts, const CandidatePeers& peers) {
  if (facts.Tracked()) return CandidateVerdict::AlreadyTracked;
  const WindowHandle w = facts.Handle();
  if (w == 0 || w == peers.controlPanel || w == peers.loader) return CandidateVerdict::Peer;
  const std::optional<uint32_t> style = facts.Style();
  if (!style) return CandidateVerdict::NoWindowInfo;
  if (!(*style & kStyleVisible)) return CandidateVerdict::Invisible;
  if (!(*style & kStyleThickFrame)) return CandidateVerdict::NoSizingBorder;
  if (ExcludedClass(facts.ClassName())) return CandidateVerdict::ExcludedClass;
  if (facts.Title().empty()) return CandidateVerdict::EmptyTitle;
  const std::optional<core::Rect> rect = facts.WindowRect();
  if (!rect) return CandidateVerdict::TooSmall;
  const int64_t w64 = std::llabs(int64_t{rect->right} - rect->left);
  const int64_t h64 = std::llabs(int64_t{rect->bottom} - rect->top);
  if (w64 < 3 || h64 < 3) return CandidateVerdict::TooSmall;
  return CandidateVerdict::Candidate;
}

const char* ToString(CandidateVerdict verdict) {
  switch (verdict) {
    case CandidateVerdict::Candidate: return "Candidate";
    case CandidateVerdict::AlreadyTracked: return "AlreadyTracked";
    case CandidateVerdict::Peer: return "Peer";
    case CandidateVerdict::NoWindowInfo: return "NoWindowInfo";
    case CandidateVerdict::Invisible: return "Invisible";
    case CandidateVerdict::NoSizingBorder: return "NoSizingBorder";
    case CandidateVerdict::ExcludedClass: return "ExcludedClass";
    case CandidateVerdict::EmptyTitle: return "EmptyTitle";
    case CandidateVerdict::TooSmall: return "TooSmall";
  }
  return "?";
}

}  // namespace hooklib
