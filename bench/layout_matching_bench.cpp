// Matching a saved layout of n records onto n windows: both placement passes and the scoring, as
// a restore runs them (the registry reading and the moves are not in it).
//
// Numbered captions: unchanged (every record placed by its exact caption), every caption changed
// by a leading "*" in 20 classes of 10 windows, and the same in one class (each record of the
// second pass meets every window still unplaced).
//
// Captions as users have them, all windows of one class:
// - browser and editor titles of 60 to 126 characters, each changed a little since the save;
// - pages of one kind (one template, numbers and a few words apart), each changed a little;
// - saved captions of 255 characters (as long as a record keeps) against live ones cut to 126;
// - word titles of one site, half changed by a few characters and half wholly (another page).
// Adversarial: captions of four letters, where every run is short and the bounds are loose,
// changed a little or all replaced (then most pairs are scored).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "scroller/layout_restore.h"

namespace {

struct Desk {
  std::vector<std::unique_ptr<navigator::tAppWin>> owned;
  std::vector<navigator::tAppWin*> entries;
  scroller::StoredLayout stored;

  void Add(int i, const std::string& cls, const std::string& saved, const std::string& live) {
    stored.records.push_back({saved, cls, (i % 20) * 150, (i / 20) * 120, 800, 600});
    auto e = std::make_unique<navigator::tAppWin>();
    e->Wnd = static_cast<navigator::WindowHandle>(0x10000 + 4 * i);
    e->WinClass = cls;
    e->Caption = live;
    entries.push_back(e.get());
    owned.push_back(std::move(e));
  }
  // The windows were met in another order than saved.
  Desk&& Finish() {
    stored.present = true;
    stored.recordsComplete = true;
    std::reverse(entries.begin(), entries.end());
    return std::move(*this);
  }
};

Desk NumberedDesk(int n, int classes, bool captionsChanged) {
  Desk d;
  for (int i = 0; i < n; ++i) {
    const std::string caption = "Quarterly report " + std::to_string(1000 + i * 7) + ".docx - Document Editor";
    d.Add(i, "ApplicationClass" + std::to_string(i % classes), caption, captionsChanged ? "*" + caption : caption);
  }
  return d.Finish();
}

class CaptionMaker {
 public:
  explicit CaptionMaker(uint32_t seed) : rng_(seed) {}

  int Below(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

  std::string Words(std::size_t length) {
    static const char* const kWords[] = {
        "report",  "release", "notes",   "meeting", "agenda",   "budget",  "review",  "design",   "draft",
        "issue",   "crash",   "when",    "saving",  "large",    "files",   "the",     "of",       "and",
        "with",    "update",  "server",  "client",  "config",   "build",   "failed",  "pipeline", "Monday",
        "weekly",  "summary", "project", "Roadmap", "Q3",       "2024",    "v2.1.0",  "pull",     "request",
        "#4821",   "fix",     "memory",  "leak",    "in",       "parser",  "Home",    "Settings", "Inbox",
        "(3)",     "unread",  "travel",  "booking", "Hotel",    "flights", "Berlin",  "Lisbon",   "recipe",
        "chicken", "soup",    "video",   "how",     "to",       "repair",  "a",       "bicycle",  "chain",
        "docs",    "API",     "guide",   "getting", "started",  "tutorial", "part",   "3",        "wiki",
    };
    std::string s;
    while (s.size() < length) {
      if (!s.empty()) s += ' ';
      s += kWords[Below(static_cast<int>(std::size(kWords)))];
    }
    s.resize(length);
    return s;
  }

  // A browser's or an editor's title of `length` characters.
  std::string Title(std::size_t length) {
    static const char* const kSuffixes[] = {" - Example Site - Web Browser", " | News Portal - Web Browser",
                                            " - Code Editor", " (Workspace) - Code Editor"};
    const int kind = Below(4);
    std::string tail = kSuffixes[kind];
    std::string head;
    if (kind >= 2) {
      head = "src/" + Words(6 + Below(10)) + "/" + Words(4 + Below(12)) + ".cpp - ";
      std::replace(head.begin(), head.end(), ' ', '_');
    }
    const std::size_t fixed = head.size() + tail.size();
    return head + Words(length > fixed + 8 ? length - fixed : 8) + tail;
  }

  // A few characters changed, as a title changes while a page or a file stays the same.
  std::string Touched(std::string s) {
    const int edits = 1 + Below(6);
    for (int k = 0; k < edits && !s.empty(); ++k) {
      const std::size_t at = static_cast<std::size_t>(Below(static_cast<int>(s.size())));
      switch (Below(4)) {
        case 0: s.insert(at, 1, "*0123456789"[Below(11)]); break;
        case 1: s.erase(at, 1); break;
        case 2:
          for (std::size_t e = at; e < s.size() && e < at + 1 + Below(6); ++e) s[e] = static_cast<char>('a' + Below(26));
          break;
        default: {
          std::string counted(1, '(');
          counted += std::to_string(1 + Below(9));
          counted += ") ";
          s = counted + s;
          break;
        }
      }
    }
    return s;
  }

  std::string Letters(std::size_t length, const char* alphabet, int size) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i) s += alphabet[Below(size)];
    return s;
  }

 private:
  std::mt19937 rng_;
};

Desk RealisticDesk(int n, std::size_t savedLength, std::size_t liveLength) {
  CaptionMaker make(7);
  Desk d;
  for (int i = 0; i < n; ++i) {
    const std::size_t length = savedLength ? savedLength : static_cast<std::size_t>(60 + make.Below(67));
    const std::string saved = make.Title(length);
    std::string live = make.Touched(saved);
    if (live.size() > liveLength) live.resize(liveLength);
    d.Add(i, "BrowserWindowClass", saved, live);
  }
  return d.Finish();
}

// Pages of one kind: one template, told apart by numbers and a few words, so that most of any
// two captions' characters are shared.
Desk TemplatedDesk(int n) {
  CaptionMaker make(17);
  Desk d;
  for (int i = 0; i < n; ++i) {
    const std::string saved = "Ticket #" + std::to_string(40000 + make.Below(10000)) + ": " +
                              make.Words(static_cast<std::size_t>(10 + make.Below(50))) + " (build " +
                              std::to_string(1000 + make.Below(9000)) + ") - Support Desk - Example Corp - Web Browser";
    d.Add(i, "BrowserWindowClass", saved, make.Touched(saved).substr(0, 126));
  }
  return d.Finish();
}

Desk WordTitlesDesk(int n) {
  CaptionMaker make(11);
  Desk d;
  const std::string site = " - Example Wiki - Web Browser";
  for (int i = 0; i < n; ++i) {
    const std::string saved = make.Words(static_cast<std::size_t>(20 + make.Below(60))) + site;
    const std::string live =
        i % 2 ? make.Touched(saved) : make.Words(static_cast<std::size_t>(20 + make.Below(60))) + site;
    d.Add(i, "BrowserWindowClass", saved, live);
  }
  return d.Finish();
}

// Every caption changed a little, or every one replaced: then no bound is close to the winner's
// score, and most captions are scored.
Desk FourLettersDesk(int n, bool replaced) {
  CaptionMaker make(13);
  Desk d;
  for (int i = 0; i < n; ++i) {
    const std::string saved = make.Letters(static_cast<std::size_t>(100 + make.Below(27)), "abAB", 4);
    const std::string live =
        replaced ? make.Letters(static_cast<std::size_t>(100 + make.Below(27)), "abAB", 4) : make.Touched(saved);
    d.Add(i, "BrowserWindowClass", saved, live.substr(0, 126));
  }
  return d.Finish();
}

void Run(benchmark::State& state, const Desk& d) {
  const scroller::RestoreFacts facts{.room = {}, .limits = {}, .area = {0, 0, 1920, 1040}};
  for (auto _ : state) {
    scroller::RestorePlan plan = scroller::PlanLayoutRestore(d.entries, d.stored, facts);
    benchmark::DoNotOptimize(plan.moves.data());
  }
}

int N(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void BM_LayoutMatchExactCaptions(benchmark::State& state) { Run(state, NumberedDesk(N(state), 20, false)); }
void BM_LayoutMatchChangedCaptions20Classes(benchmark::State& state) { Run(state, NumberedDesk(N(state), 20, true)); }
void BM_LayoutMatchChangedCaptionsOneClass(benchmark::State& state) { Run(state, NumberedDesk(N(state), 1, true)); }
void BM_LayoutMatchRealCaptions(benchmark::State& state) { Run(state, RealisticDesk(N(state), 0, 126)); }
void BM_LayoutMatchTemplatedCaptions(benchmark::State& state) { Run(state, TemplatedDesk(N(state))); }
void BM_LayoutMatchSaved255Live126(benchmark::State& state) { Run(state, RealisticDesk(N(state), 255, 126)); }
void BM_LayoutMatchWordTitlesHalfReplaced(benchmark::State& state) { Run(state, WordTitlesDesk(N(state))); }
void BM_LayoutMatchFourLetterCaptions(benchmark::State& state) { Run(state, FourLettersDesk(N(state), false)); }
void BM_LayoutMatchFourLetterCaptionsReplaced(benchmark::State& state) { Run(state, FourLettersDesk(N(state), true)); }

}  // namespace

BENCHMARK(BM_LayoutMatchExactCaptions)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchChangedCaptions20Classes)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchChangedCaptionsOneClass)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchRealCaptions)->Arg(50)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchTemplatedCaptions)->Arg(50)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchSaved255Live126)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchWordTitlesHalfReplaced)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchFourLetterCaptions)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayoutMatchFourLetterCaptionsReplaced)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);
