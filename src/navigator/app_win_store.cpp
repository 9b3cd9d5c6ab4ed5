#include "navigator/app_win_store.h"

#include <algorithm>
#include <stdexcept>

namespace navigator {
namespace {

// A new window this far off is taken to be parked out of the way, not part of the desktop.
constexpr int32_t kNewWindowMinLeft = -10000;
constexpr int32_t kNewWindowMinTop = -6000;
// Lower windows (tool bars, small palettes) are not lined up by arrangement.
constexpr int64_t kArrangeableMinHeight = 201;

template <class List>
auto FindWnd(List& list, WindowHandle window) {
  return std::find_if(list.begin(), list.end(), [&](const auto& e) { return e->Wnd == window; });
}

template <class List>
auto FindEntry(List& list, const tAppWin* entry) {
  return std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.get() == entry; });
}

core::Size OuterSizeOf(core::PackedSize size) {
  return {static_cast<int32_t>(core::packedWidth(size)), static_cast<int32_t>(core::packedHeight(size))};
}

// The visible frame's size that this outer size leaves inside the invisible borders.
core::Size VisibleSizeFor(core::PackedSize outer, const FrameMargins& m) {
  return {core::clampToInt32(int64_t{core::packedWidth(outer)} - m.left - m.right),
          core::clampToInt32(int64_t{core::packedHeight(outer)} - m.top - m.bottom)};
}

}  // namespace

AppWinStore::AppWinStore(Desktop& desktop, WindowHandle controlPanel)
    : desktop_(desktop), controlPanel_(controlPanel) {}

AppWinStore::~AppWinStore() {
  for (auto* list : {&entries_, &oldEntries_, &released_}) {
    for (Owned& e : *list) Free(e);
  }
}

void AppWinStore::Free(Owned& entry) {
  if (entry && entry->Shot != 0) desktop_.ReleaseShot(entry->Shot);
  entry.reset();
}

void AppWinStore::BeginWindowScan() {
  if (active_ != nullptr) lastActiveWnd_ = active_->Wnd;
  changed_ = false;
  std::swap(entries_, oldEntries_);
  // No update or walk is under way now, so entries forgotten meanwhile can go too.
  for (auto* list : {&entries_, &released_}) {
    for (Owned& e : *list) Free(e);
    list->clear();
  }
  active_ = nullptr;
  if (!limits_.FixedSizeInForce()) room_ = ScrollRoom{};
  scanArea_.reset();
}

void AppWinStore::UpdateWindowEntry(WindowHandle window, const std::string& caption,
                                    const std::string& winClass, const core::Rect& rect,
                                    bool isForeground, bool inMoveSize, IconHandle icon) {
  if (!scanArea_) scanArea_ = ReferenceArea(desktop_.Screen());
  const core::Rect area = *scanArea_;
  auto it = FindWnd(oldEntries_, window);
  if (it == oldEntries_.end()) {
    NewEntry(window, caption, winClass, rect, isForeground, inMoveSize, icon, area);
  } else {
    KnownEntry(it->get(), caption, rect, isForeground, inMoveSize, icon, area);
  }
}

void AppWinStore::NewEntry(WindowHandle window, const std::string& caption,
                           const std::string& winClass, const core::Rect& rect, bool isForeground,
                           bool inMoveSize, IconHandle icon, const core::Rect& area) {
  if (rect.left < kNewWindowMinLeft || rect.top < kNewWindowMinTop) return;
  if (!limits_.FixedSizeInForce()) WidenRoom(room_, rect, area);

  auto entry = std::make_unique<tAppWin>();
  entry->Wnd = window;
  entry->WinClass = winClass;
  if (const auto size = remembered_.Find(winClass)) {
    entry->ForcedSize = *size;
    // Not linked yet: a nested lookup during the resize sees no forced size, so the hook library
    // does not impose its own size against this one.
    desktop_.SetOuterSize(window, OuterSizeOf(*size));
  }
  entry->WindowRect = rect;  // as met; an imposed size shows at the next scan
  entry->HasSavedRect = false;
  entry->InMoveSize = inMoveSize;
  entry->IsForeground = isForeground;
  entry->Icon = icon;
  entry->Caption = caption;
  entry->HasShot = false;
  entry->WantShot = true;
  entry->Arrangeable = desktop_.RootOwner(window) == window && window != controlPanel_ &&
                       rect.height() >= kArrangeableMinHeight;
  changed_ = true;
  if (isForeground) active_ = entry.get();
  entries_.push_back(std::move(entry));
}

void AppWinStore::KnownEntry(tAppWin* entry, const std::string& caption, const core::Rect& rect,
                             bool isForeground, bool inMoveSize, IconHandle icon,
                             const core::Rect& area) {
  if (!limits_.FixedSizeInForce()) WidenRoom(room_, rect, area);

  const core::PackedSize forced = entry->ForcedSize;
  if (remembered_.Find(entry->WinClass) && core::IsUsableForcedSize(forced)) {
    const WindowHandle window = entry->Wnd;
    const core::Size visible = VisibleSizeFor(forced, desktop_.Margins(window));
    if (rect.width() != visible.width || rect.height() != visible.height) {
      desktop_.SetOuterSize(window, OuterSizeOf(forced));
    }
  }
  // The resize may have run ForgetWindow nested: find the entry anew, and leave it alone when it
  // has been forgotten.
  auto it = FindEntry(oldEntries_, entry);
  if (it == oldEntries_.end()) return;

  if (caption != entry->Caption) {
    changed_ = true;
    entry->Caption = caption;
  }
  if (rect != entry->WindowRect) {
    changed_ = true;
    entry->WindowRect = rect;
  }
  if (isForeground != entry->IsForeground) {
    changed_ = true;
    entry->IsForeground = isForeground;
  }
  if (inMoveSize != entry->InMoveSize) {
    changed_ = true;
    entry->InMoveSize = inMoveSize;
  }
  if (icon != entry->Icon) {
    changed_ = true;
    entry->Icon = icon;
  }
  if (isForeground) active_ = entry;
  entries_.push_back(std::move(*it));
  oldEntries_.erase(it);
}

bool AppWinStore::HasWindow(WindowHandle window) const {
  return FindWnd(entries_, window) != entries_.end();
}

core::PackedSize AppWinStore::ForcedSizeOf(WindowHandle window) const {
  auto it = FindWnd(entries_, window);
  return it == entries_.end() ? core::kNoForcedSize : (*it)->ForcedSize;
}

void AppWinStore::ForgetWindow(WindowHandle window) {
  for (auto* list : {&entries_, &oldEntries_}) {
    auto it = FindWnd(*list, window);
    if (it == list->end()) continue;
    if (it->get() == active_) active_ = nullptr;
    released_.push_back(std::move(*it));
    list->erase(it);
  }
}

tAppWin* AppWinStore::ActiveEntryOrDefault() const {
  if (active_ != nullptr) return active_;
  auto it = FindWnd(entries_, lastActiveWnd_);
  if (it != entries_.end()) return it->get();
  return entries_.empty() ? nullptr : entries_.front().get();
}

std::vector<tAppWin*> AppWinStore::EntriesSnapshot() const {
  std::vector<tAppWin*> out;
  out.reserve(entries_.size());
  for (const Owned& e : entries_) out.push_back(e.get());
  return out;
}

std::vector<tAppWin*> AppWinStore::OldEntriesSnapshot() const {
  std::vector<tAppWin*> out;
  out.reserve(oldEntries_.size());
  for (const Owned& e : oldEntries_) out.push_back(e.get());
  return out;
}

bool AppWinStore::IsListed(const tAppWin* entry) const {
  return FindEntry(entries_, entry) != entries_.end() ||
         FindEntry(oldEntries_, entry) != oldEntries_.end();
}

AppWinStore::RoomWriter AppWinStore::TakeRoomWriter() {
  if (roomWriterTaken_) throw std::logic_error("the scroll room has a writer already");
  roomWriterTaken_ = true;
  return RoomWriter(*this);
}

}  // namespace navigator
