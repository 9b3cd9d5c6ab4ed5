#pragma once
// The navigator's window entries, rebuilt by every scan: windows met again keep their entry,
// new ones get one (and a remembered class size), vanished ones are freed at the next scan start.
//
// A forced size is the window's outer size (its window rectangle), as the hook library imposes it
// and the set-size dialog shows and sets it. The scan sees visible frames, so it compares and sets
// the visible frame that the forced outer size leaves inside the invisible borders, and sets the
// outer size.
//
// Re-entrancy: moving another application's window can run the control panel's window procedure
// nested, which may ask ForcedSizeOf or call ForgetWindow in the middle of an update. A forgotten
// entry is unlinked at once but freed only at the next BeginWindowScan, so a pointer taken before
// a call-out stays valid memory until then; IsListed tells whether it is still an entry.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "navigator/app_win.h"
#include "navigator/remembered_sizes.h"
#include "navigator/scroll_room.h"
#include "navigator/visible_frame.h"

namespace navigator {

// What the store needs of the platform.
class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual ScreenLayout Screen() = 0;
  // GetAncestor(window, GA_ROOTOWNER).
  virtual WindowHandle RootOwner(WindowHandle window) = 0;
  // How far the window's visible frame lies inside its window rectangle (none before Windows 10).
  virtual FrameMargins Margins(WindowHandle window) = 0;
  // Gives the window this outer size where it stands: never a place, since a place the scan read
  // may be one that a scroll move on its way has already left. May call back into the store.
  virtual void SetOuterSize(WindowHandle window, core::Size outer) = 0;
  // Frees an entry's screen-shot bitmap.
  virtual void ReleaseShot(ShotHandle shot) = 0;
};

class AppWinStore {
 public:
  explicit AppWinStore(Desktop& desktop, WindowHandle controlPanel = 0);
  // The control panel's window, which arrangement never lines up; known once the panel exists.
  void SetControlPanel(WindowHandle controlPanel) { controlPanel_ = controlPanel; }
  ~AppWinStore();
  AppWinStore(const AppWinStore&) = delete;
  AppWinStore& operator=(const AppWinStore&) = delete;

  void BeginWindowScan();
  void UpdateWindowEntry(WindowHandle window, const std::string& caption,
                         const std::string& winClass, const core::Rect& rect, bool isForeground,
                         bool inMoveSize, IconHandle icon);

  // Lookups search the entries met in the current scan only.
  bool HasWindow(WindowHandle window) const;
  core::PackedSize ForcedSizeOf(WindowHandle window) const;
  void ForgetWindow(WindowHandle window);
  tAppWin* ActiveEntryOrDefault() const;

  // The current entries, top of the Z order first. Callers that call out to other windows while
  // walking them iterate this copy and check IsListed after every call-out.
  std::vector<tAppWin*> EntriesSnapshot() const;
  std::size_t EntryCount() const { return entries_.size(); }
  tAppWin* EntryAt(std::size_t i) const { return entries_.at(i).get(); }
  std::size_t OldEntryCount() const { return oldEntries_.size(); }
  // The previous scan's entries not met again (during a scan: not met yet), in their order.
  std::vector<tAppWin*> OldEntriesSnapshot() const;
  bool IsListed(const tAppWin* entry) const;

  tAppWin* ActiveEntry() const { return active_; }
  void SetActiveEntry(tAppWin* entry) { active_ = entry; }
  WindowHandle LastActiveWnd() const { return lastActiveWnd_; }
  bool Changed() const { return changed_; }
  void MarkChanged() { changed_ = true; }

  // The scans measure the room; beyond them only the holder of the store's one RoomWriter (the
  // scrolling engine) sets it, and the fixed desktop size with it.
  const ScrollRoom& Room() const { return room_; }
  const DesktopLimits& Limits() const { return limits_; }
  class RoomWriter {
   public:
    RoomWriter(RoomWriter&&) = default;
    RoomWriter& operator=(RoomWriter&&) = default;
    void SetRoom(const ScrollRoom& room) { store_->room_ = room; }
    void SetFixedDesktop(const DesktopLimits& limits, const ScrollRoom& room) {
      store_->limits_ = limits;
      store_->room_ = room;
    }

   private:
    friend class AppWinStore;
    explicit RoomWriter(AppWinStore& store) : store_(&store) {}
    AppWinStore* store_;
  };
  // The one writer of the room; asked for a second time, it throws std::logic_error.
  RoomWriter TakeRoomWriter();
  // Painters cache scaled shots by version, so a version is never given twice.
  uint64_t NextShotVersion() { return ++lastShotVersion_; }
  RememberedSizes& Remembered() { return remembered_; }
  const RememberedSizes& Remembered() const { return remembered_; }

 private:
  using Owned = std::unique_ptr<tAppWin>;
  void Free(Owned& entry);
  void NewEntry(WindowHandle window, const std::string& caption, const std::string& winClass,
                const core::Rect& rect, bool isForeground, bool inMoveSize, IconHandle icon,
                const core::Rect& area);
  void KnownEntry(tAppWin* entry, const std::string& caption, const core::Rect& rect,
                  bool isForeground, bool inMoveSize, IconHandle icon, const core::Rect& area);

  Desktop& desktop_;
  WindowHandle controlPanel_;
  std::vector<Owned> entries_;
  std::vector<Owned> oldEntries_;
  std::vector<Owned> released_;  // forgotten, freed at the next scan start
  tAppWin* active_ = nullptr;
  WindowHandle lastActiveWnd_ = 0;
  bool changed_ = false;
  // The screen as the current scan found it: asked once per scan, since asking costs far more
  // than everything else an update does.
  std::optional<core::Rect> scanArea_;
  ScrollRoom room_;
  bool roomWriterTaken_ = false;
  uint64_t lastShotVersion_ = 0;
  DesktopLimits limits_;
  RememberedSizes remembered_;
};

}  // namespace navigator
