// The control panel's window-layout actions: arranging the windows side by side, saving their
// places into the registry and restoring them.
#include <stdexcept>
#include <string>
#include <vector>

#include "navigator/win32/desktop_model.h"
#include "navigator/win32/navigator_form.h"
#include "navigator/win32/win32_desktop.h"
#include "navigator/win32/window_layout.h"
#include "scroller/layout_codec.h"
#include "scroller/layout_restore.h"
#include "scroller/win32/registry_settings_store.h"
#include "scroller/win32/scroll_engine.h"
#include "scroller/win32/tavelmoor_form.h"
#include "toolkit/guard.h"
#include "toolkit/standard_controls.h"

namespace scroller {
namespace {

// Goes to the application-wide handler, as an error no handler catches does.
void Tell(const std::string& text) {
  const std::runtime_error error(text);
  tk::ReportUnhandled(&error);
}

}  // namespace

bool TTavelmoorForm::ActionsMayRun() const {
  return Engine && Engine->CreationFinished() && !Engine->Ending();
}

void TTavelmoorForm::ArrangeWithNavigator() {
  if (navigator::TNavigator* nav = Navigator()) nav->ArrangeWindows(Options.DoXMove == 1, Engine->MoveSizeWindow());
}

void TTavelmoorForm::ConnectLayoutActions() {
  ArrangeAction.OnExecute = [this] { ArrangeActionExecute(); };
  SaveAction.OnExecute = [this] { SaveActionExecute(); };
  RestoreAction.OnExecute = [this] { RestoreActionExecute(); };
  // The countdown runs inside the engine's own batch of moves.
  Engine->ArrangeWindows = [this] { ArrangeWithNavigator(); };

  auto& box = Get<tk::TCheckBox>("ArrangeCheckBox");
  std::function<void()> copyIntoField = std::move(box.OnClick);
  box.OnClick = [this, &box, copyIntoField] {
    if (copyIntoField) copyIntoField();
    // Switched on: the windows line up at once (during the settings load nothing is listed yet).
    if (box.Checked()) ArrangeActionExecute();
  };
}

void TTavelmoorForm::ArrangeActionExecute() {
  if (!ActionsMayRun()) return;
  Engine->RunWindowMoves([this] { ArrangeWithNavigator(); });
}

void TTavelmoorForm::SaveActionExecute() {
  if (!ActionsMayRun()) return;
  navigator::AppWinStore& store = model_.Entries();
  const std::vector<navigator::tAppWin*> entries = store.EntriesSnapshot();
  std::optional<SavedScrollOrigin> origin;
  if (store.Limits().FixesScrollRoom()) origin = SavedScrollOrigin{store.Room().ScrollMinX, store.Room().ScrollMinY};

  RegistrySettingsStore key(HKEY_CURRENT_USER, kSettingsKeyPath);
  const LayoutSaveResult saved = SaveLayout(key, RecordsOf(entries), origin);
  key.Close();
  // A key that cannot be opened saves nothing, silently.
  if (!saved.keyOpened) return;
  TakeSavedRects(entries, saved.failedValue ? saved.recordsBegun : entries.size());
  if (saved.failedValue) {
    Tell("The window positions could not be saved completely: writing the registry value \"" + *saved.failedValue +
         "\" failed.");
  }
}

void TTavelmoorForm::RestoreActionExecute() {
  if (!ActionsMayRun()) return;
  navigator::AppWinStore& store = model_.Entries();

  StoredLayout stored;
  {
    RegistrySettingsStore key(HKEY_CURRENT_USER, kSettingsKeyPath);
    if (key.OpenForReading() == KeyOpening::Opened) stored = ReadLayout(key, store.Limits().FixesScrollRoom());
  }
  const RestoreFacts facts{.room = store.Room(), .limits = store.Limits(),
                           .area = navigator::ReferenceArea(model_.Desktop().Screen())};
  const std::vector<navigator::tAppWin*> entries = store.EntriesSnapshot();
  const RestorePlan plan = PlanLayoutRestore(entries, stored, facts);

  // Only the plan's handles from here on: entries may go while windows move.
  Engine->RunWindowMoves([&plan] { navigator::ApplyPlacements(plan.moves); });
  std::vector<navigator::Placement> placed;
  placed.reserve(plan.moves.size());
  for (const navigator::PlannedPlacement& m : plan.moves) placed.push_back({m.window, {m.bounds.x, m.bounds.y}});
  Engine->WindowsPlaced(placed);
  if (plan.room) Engine->SetScrollRoom(*plan.room);
  if (plan.error) Tell(*plan.error);
}

}  // namespace scroller
