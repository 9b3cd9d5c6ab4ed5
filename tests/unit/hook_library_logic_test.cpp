// The hook library's platform-free decisions: reading the control panel's size answer, the
// rectangle of a move or size start, which windows are subclassed, the subclass table, and the
// tie by which a hooked process's subclasses learn that the hook they were made under has gone.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "hooklib/hook_tie.h"
#include "hooklib/size_answer.h"
#include "hooklib/subclass_candidate.h"
#include "hooklib/subclass_table.h"

namespace {

using hooklib::CandidateVerdict;
using hooklib::DecodeSizeAnswer;
using hooklib::SizeAnswer;
using hooklib::SizeAnswerKind;
using hooklib::SubclassTable;
using hooklib::WindowHandle;

TEST(SizeAnswer, PackingPutsTheWidthLowAndTheHeightHigh) {
  EXPECT_EQ(core::packSize(800, 600), 0x02580320u);
  EXPECT_EQ(core::packSize(3000, 2500), 0x09C40BB8u);
  EXPECT_EQ(core::packSize(32000, 32000), 0x7D007D00u);
  // Each half keeps its 16 bits only: a too large width never spills into the height.
  EXPECT_EQ(core::packSize(0x1FFFF, 2), 0x0002FFFFu);
}

TEST(SizeAnswer, DecodesEveryKindOfResult) {
  struct Row {
    const char* what;
    bool answered;
    uint64_t result;
    SizeAnswer expected;
  };
  const Row rows[] = {
      {"800 x 600", true, 0x02580320u, {SizeAnswerKind::Forced, {800, 600}}},
      {"3000 x 2500", true, core::packSize(3000, 2500), {SizeAnswerKind::Forced, {3000, 2500}}},
      {"none", true, 0, {}},
      {"closing, as a 32-bit answer", true, 0xFFFFFFFFu, {SizeAnswerKind::StopTracking}},
      {"closing, sign-extended into 64 bits", true, 0xFFFFFFFFFFFFFFFFull, {SizeAnswerKind::StopTracking}},
      {"a size with junk in the high half", true, 0xABCD000002580320ull, {SizeAnswerKind::Forced, {800, 600}}},
      {"zero in the low half, junk above", true, 0x0000000100000000ull, {}},
      {"time-out or hung control panel", false, 0x02580320u, {}},
      {"no answer, closing value left over", false, 0xFFFFFFFFu, {}},
      {"width only", true, 0x00000320u, {SizeAnswerKind::Forced, {800, 0}}},
  };
  for (const Row& r : rows) EXPECT_EQ(DecodeSizeAnswer(r.answered, r.result), r.expected) << r.what;
}

TEST(SizeAnswer, AForcedSizeSetsTheMoveSizeRectangleFromItsCorner) {
  const core::Rect start{100, 50, 400, 300};
  EXPECT_EQ(ApplyForcedSize(start, DecodeSizeAnswer(true, 0x02580320u)), (core::Rect{100, 50, 900, 650}));
  EXPECT_EQ(ApplyForcedSize(start, DecodeSizeAnswer(true, 0)), start);
  EXPECT_EQ(ApplyForcedSize(start, DecodeSizeAnswer(true, 0xFFFFFFFFu)), start);
  EXPECT_EQ(ApplyForcedSize(start, DecodeSizeAnswer(false, 0x02580320u)), start);
  // Far right: the edge stops at the largest coordinate instead of wrapping round.
  const core::Rect far{2147483000, -5, 2147483600, 10};
  EXPECT_EQ(ApplyForcedSize(far, DecodeSizeAnswer(true, core::packSize(3000, 2500))),
            (core::Rect{2147483000, -5, 2147483647, 2495}));
}

constexpr WindowHandle kPanel = 0x200, kLoader = 0x300;
constexpr uint32_t kVisible = hooklib::kStyleVisible, kThick = hooklib::kStyleThickFrame;

// A window with fixed facts that records which it was asked for.
struct FakeCandidate : hooklib::CandidateFacts {
  WindowHandle handle = 0x100;
  bool tracked = false;
  std::optional<uint32_t> style = hooklib::kStyleVisible | hooklib::kStyleThickFrame;
  std::string cls = "Notepad";
  std::string title = "Untitled - Notepad";
  std::optional<core::Rect> rect = core::Rect{0, 0, 640, 480};
  std::vector<std::string> asked;

  WindowHandle Handle() const override { return handle; }
  bool Tracked() override { return note("Tracked"), tracked; }
  std::optional<uint32_t> Style() override { return note("Style"), style; }
  std::string ClassName() override { return note("Class"), cls; }
  std::string Title() override { return note("Title"), title; }
  std::optional<core::Rect> WindowRect() override { return note("Rect"), rect; }
  void note(const char* what) { asked.emplace_back(what); }
};

TEST(SubclassCandidate, RulesInOrderAsATable) {
  struct Row {
    const char* what;
    void (*change)(FakeCandidate&);
    CandidateVerdict verdict;
    std::vector<std::string> asked;
  };
  const std::vector<std::string> all{"Tracked", "Style", "Class", "Title", "Rect"};
  const Row rows[] = {
      {"a sizable titled window", [](FakeCandidate&) {}, CandidateVerdict::Candidate, all},
      {"tracked already", [](FakeCandidate& w) { w.tracked = true; }, CandidateVerdict::AlreadyTracked, {"Tracked"}},
      {"the control panel", [](FakeCandidate& w) { w.handle = kPanel; }, CandidateVerdict::Peer, {"Tracked"}},
      {"the loader's window", [](FakeCandidate& w) { w.handle = kLoader; }, CandidateVerdict::Peer, {"Tracked"}},
      {"no window information", [](FakeCandidate& w) { w.style.reset(); }, CandidateVerdict::NoWindowInfo,
       {"Tracked", "Style"}},
      {"hidden", [](FakeCandidate& w) { w.style = kThick; }, CandidateVerdict::Invisible, {"Tracked", "Style"}},
      {"no sizing border", [](FakeCandidate& w) { w.style = kVisible; }, CandidateVerdict::NoSizingBorder,
       {"Tracked", "Style"}},
      {"the task bar", [](FakeCandidate& w) { w.cls = "Shell_TrayWnd"; }, CandidateVerdict::ExcludedClass,
       {"Tracked", "Style", "Class"}},
      {"a menu", [](FakeCandidate& w) { w.cls = "#32768"; }, CandidateVerdict::ExcludedClass, {"Tracked", "Style", "Class"}},
      {"our own form", [](FakeCandidate& w) { w.cls = "TTavelmoorForm"; }, CandidateVerdict::ExcludedClass,
       {"Tracked", "Style", "Class"}},
      {"the loader's class", [](FakeCandidate& w) { w.cls = "tTVM64Form"; }, CandidateVerdict::ExcludedClass,
       {"Tracked", "Style", "Class"}},
      {"our form's class in other letters is not ours", [](FakeCandidate& w) { w.cls = "tTavelmoorForm"; },
       CandidateVerdict::Candidate, all},
      {"Progman is not in the list", [](FakeCandidate& w) { w.cls = "Progman"; }, CandidateVerdict::Candidate, all},
      {"Program is", [](FakeCandidate& w) { w.cls = "Program"; }, CandidateVerdict::ExcludedClass,
       {"Tracked", "Style", "Class"}},
      {"untitled", [](FakeCandidate& w) { w.title.clear(); }, CandidateVerdict::EmptyTitle,
       {"Tracked", "Style", "Class", "Title"}},
      {"2 pixels wide", [](FakeCandidate& w) { w.rect = core::Rect{10, 10, 12, 400}; }, CandidateVerdict::TooSmall, all},
      {"2 pixels high", [](FakeCandidate& w) { w.rect = core::Rect{10, 10, 400, 12}; }, CandidateVerdict::TooSmall, all},
      {"3 x 3", [](FakeCandidate& w) { w.rect = core::Rect{10, 10, 13, 13}; }, CandidateVerdict::Candidate, all},
      {"an inverted 3 x 3 counts by its extent", [](FakeCandidate& w) { w.rect = core::Rect{13, 13, 10, 10}; },
       CandidateVerdict::Candidate, all},
      {"rectangle unreadable", [](FakeCandidate& w) { w.rect.reset(); }, CandidateVerdict::TooSmall, all},
      {"extreme edges do not overflow",
       [](FakeCandidate& w) { w.rect = core::Rect{-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647}; },
       CandidateVerdict::Candidate, all},
  };
  for (const Row& r : rows) {
    FakeCandidate w;
    r.change(w);
    EXPECT_EQ(ClassifyCandidate(w, {kPanel, kLoader}), r.verdict) << r.what;
    EXPECT_EQ(w.asked, r.asked) << r.what;
  }
}

TEST(SubclassCandidate, UnknownPeersExcludeNothingButTheNullWindow) {
  FakeCandidate w;
  EXPECT_TRUE(IsSubclassCandidate(w, {}));
  FakeCandidate none;
  none.handle = 0;
  EXPECT_EQ(ClassifyCandidate(none, {}), CandidateVerdict::Peer);
}

// Adds a window the way the library does: ask for the id, subclass, record.
bool Add(SubclassTable& t, WindowHandle w) {
  const auto id = t.IdForNewSubclass(w);
  if (!id) return false;
  t.Record(w, *id);
  return true;
}

std::vector<WindowHandle> Windows(const SubclassTable& t) {
  std::vector<WindowHandle> out;
  for (std::size_t i = 0; i < t.Count(); ++i) out.push_back(t.WindowAt(i));
  return out;
}

TEST(SubclassTable, HoldsAtMost255WindowsAndTheNextIsLeftAlone) {
  SubclassTable t;
  for (WindowHandle w = 1; w <= 255; ++w) ASSERT_TRUE(Add(t, w * 16)) << w;
  EXPECT_EQ(t.Count(), 255u);
  EXPECT_TRUE(t.Full());
  EXPECT_FALSE(t.IdForNewSubclass(256 * 16).has_value());
  EXPECT_FALSE(Add(t, 256 * 16));
  t.Record(256 * 16, 999);  // a stray record into a full table changes nothing
  EXPECT_EQ(t.Count(), 255u);
  EXPECT_FALSE(t.Tracked(256 * 16));
  EXPECT_EQ(t.NextId(), 256u);
  // One gone: there is room again, under a new id.
  ASSERT_TRUE(t.Remove(16).has_value());
  EXPECT_EQ(t.IdForNewSubclass(256 * 16), 256u);
}

TEST(SubclassTable, AWindowIsTrackedOnce) {
  SubclassTable t;
  ASSERT_TRUE(Add(t, 0x10));
  EXPECT_FALSE(t.IdForNewSubclass(0x10).has_value());
  t.Record(0x10, 7);
  EXPECT_EQ(t.Count(), 1u);
  EXPECT_EQ(t.IdAt(0), 1u);
}

TEST(SubclassTable, RemovalKeepsTheOthersInOrder) {
  SubclassTable t;
  for (WindowHandle w : {0xA, 0xB, 0xC}) ASSERT_TRUE(Add(t, w));
  EXPECT_EQ(t.Remove(0xA), 1u);
  EXPECT_EQ(Windows(t), (std::vector<WindowHandle>{0xB, 0xC}));
  EXPECT_EQ(t.IdAt(0), 2u);
  EXPECT_EQ(t.IdAt(1), 3u);
  EXPECT_EQ(t.Count(), 2u);
  EXPECT_FALSE(t.Remove(0xA).has_value()) << "removed once, found no more";
  EXPECT_EQ(t.Remove(0xC), 3u);
  EXPECT_EQ(Windows(t), (std::vector<WindowHandle>{0xB}));
  EXPECT_FALSE(t.Remove(0x99).has_value());
}

TEST(SubclassTable, IdsAreNeverUsedTwiceNotEvenAfterRemovalOrClearing) {
  SubclassTable t;
  std::vector<uint64_t> seen;
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(Add(t, 0x10));
    seen.push_back(t.IdAt(*t.IndexOf(0x10)));
    ASSERT_TRUE(t.Remove(0x10).has_value());
  }
  ASSERT_TRUE(Add(t, 0x20));
  seen.push_back(t.IdAt(0));
  t.Clear();
  EXPECT_EQ(t.Count(), 0u);
  ASSERT_TRUE(Add(t, 0x20));
  seen.push_back(t.IdAt(0));
  EXPECT_EQ(seen, (std::vector<uint64_t>{1, 2, 3, 4, 5}));
}

using hooklib::HookTie;
using hooklib::Witness;
using hooklib::WitnessSource;

constexpr Witness kOwn = 0x1A, kAnswered = 0x2B, kOther = 0x3C;

// The witnesses a process would find.
struct Hooks {
  Witness own = 0, answered = 0, other = 0;
  Witness gone = 0;  // destroyed since it was known
};

// Those witnesses, recording what the process asked.
struct FakeWitnesses : hooklib::WitnessFacts {
  explicit FakeWitnesses(Hooks h = {}) : hooks(std::move(h)) {}
  Hooks hooks;
  std::vector<std::string> asked;

  Witness Find(WitnessSource source) override {
    switch (source) {
      case WitnessSource::OwnHook: return note("own"), hooks.own;
      case WitnessSource::AnsweredHook: return note("answered"), hooks.answered;
      case WitnessSource::AnyHook: return note("any"), hooks.other;
    }
    return 0;
  }
  bool Exists(Witness w) override {
    note("exists");
    return w != hooks.gone;
  }
  void note(const char* what) { asked.emplace_back(what); }
};

TEST(HookTie, ANewTieGoesToTheFirstWitnessThatExistsAsATable) {
  struct Row {
    const char* what;
    Hooks hooks;
    Witness tie;
    std::vector<std::string> asked;
  };
  const Row rows[] = {
      {"no hook anywhere", {}, 0, {"own", "answered", "any"}},
      {"this process's own hook first", {.own = kOwn, .answered = kAnswered, .other = kOther}, kOwn,
       {"own", "exists"}},
      {"the setter's answer before any other hook", {.answered = kAnswered, .other = kOther}, kAnswered,
       {"own", "answered", "exists"}},
      {"any hook when no setter answered", {.other = kOther}, kOther, {"own", "answered", "any", "exists"}},
      {"an own hook whose thread has ended is passed over", {.own = kOwn, .other = kOther, .gone = kOwn},
       kOther, {"own", "exists", "answered", "any", "exists"}},
  };
  for (const Row& r : rows) {
    FakeWitnesses facts(r.hooks);
    HookTie tie;
    EXPECT_EQ(tie.Current(facts), r.tie) << r.what;
    EXPECT_EQ(facts.asked, r.asked) << r.what;
    EXPECT_EQ(tie.Holds(r.tie), r.tie != 0) << r.what;
  }
}

TEST(HookTie, AnotherSettersHookComingAndGoingLeavesTheTieAlone) {
  FakeWitnesses facts({.other = kOther});
  HookTie tie;
  ASSERT_EQ(tie.Current(facts), kOther);
  // This process's setter now answers another hook, which then goes.
  facts.hooks.answered = kAnswered;
  facts.asked.clear();
  EXPECT_EQ(tie.Current(facts), kOther);
  EXPECT_EQ(facts.asked, (std::vector<std::string>{"exists"})) << "a live tie looks for no other witness";
  facts.hooks.gone = kAnswered;
  tie.End(kAnswered);
  EXPECT_TRUE(tie.Confirm(kOther, facts));
  EXPECT_TRUE(tie.Holds(kOther));
}

TEST(HookTie, AWitnessFoundGoneEndsTheTieOfEverySubclassMadeUnderIt) {
  FakeWitnesses facts({.own = kOwn, .other = kOther});
  HookTie tie;
  ASSERT_EQ(tie.Current(facts), kOwn);
  facts.hooks.gone = kOwn;
  facts.asked.clear();
  // Every message: nothing is asked, so the gone witness is not seen yet.
  EXPECT_TRUE(tie.Holds(kOwn));
  EXPECT_TRUE(facts.asked.empty());
  // Where a subclass acts it is seen, and the tie ends for the subclasses that have not acted.
  EXPECT_FALSE(tie.Confirm(kOwn, facts));
  EXPECT_FALSE(tie.Holds(kOwn));
  EXPECT_FALSE(tie.Confirm(kOwn, facts)) << "an ended tie stays ended";
  // The next hook call ties the process to a hook that still runs; the old subclasses stay freed.
  EXPECT_EQ(tie.Current(facts), kOther);
  EXPECT_FALSE(tie.Holds(kOwn));
  EXPECT_TRUE(tie.Holds(kOther));
  EXPECT_FALSE(tie.Holds(0)) << "a subclass made under no tie never holds";
}

TEST(HookTie, ThisProcessRemovingItsHookEndsOnlyATieToIt) {
  FakeWitnesses facts({.own = kOwn});
  HookTie tie;
  ASSERT_EQ(tie.Current(facts), kOwn);
  tie.End(kOther);
  EXPECT_TRUE(tie.Holds(kOwn));
  tie.End(kOwn);
  EXPECT_FALSE(tie.Holds(kOwn)) << "ended at once, before any witness is asked";
}

TEST(HookTie, ATieThatAnotherThreadMakesMeanwhileStands) {
  // This thread finds the old tie's witness gone and looks for another while a second thread of
  // the process ties to one first.
  struct Racing : FakeWitnesses {
    HookTie* tie = nullptr;
    bool raced = false;
    Witness Find(WitnessSource source) override {
      if (!raced) {
        raced = true;
        FakeWitnesses second({.other = kOther, .gone = kOwn});
        EXPECT_EQ(tie->Current(second), kOther);
      }
      return FakeWitnesses::Find(source);
    }
  };
  HookTie tie;
  FakeWitnesses first({.own = kOwn});
  ASSERT_EQ(tie.Current(first), kOwn);
  Racing racing;
  racing.tie = &tie;
  racing.hooks = {.answered = kAnswered, .gone = kOwn};
  EXPECT_EQ(tie.Current(racing), kOther);
  EXPECT_TRUE(tie.Holds(kOther));
}

TEST(HookTie, AWitnessIsKnownByItsLibraryAndBitnessWhateverItsHook) {
  EXPECT_EQ(hooklib::WitnessName("TVM64.dll", 64, 0x2004A), "TVM64.dll 64-bit hook 0002004A");
  struct Row {
    const char* name;
    bool witness;
  };
  const Row rows[] = {
      {"Tavelmoor.dll 32-bit hook 0002004A", true},
      {"Tavelmoor.dll 32-bit hook FFFFFFFF", true},
      {"Tavelmoor.dll 64-bit hook 0002004A", false},
      {"TVM64.dll 32-bit hook 0002004A", false},
      {"Tavelmoor.dll 32-bit hook 2004A", false},
      {"Tavelmoor.dll 32-bit hook 0002004A0", false},
      {"Tavelmoor.dll 32-bit hook 0002004a", false},
      {"Tavelmoor.dll 32-bit hook ", false},
      {"", false},
  };
  for (const Row& r : rows) EXPECT_EQ(hooklib::IsWitnessName(r.name, "Tavelmoor.dll", 32), r.witness) << r.name;
}

}  // namespace
