#include "scroller/win32/layout_actions.h"

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

bool ActionsMayRun(const TTavelmoorForm& panel) {
  return panel.Engine && panel.Engine->CreationFinished() && !panel.Engine->ShuttingDown();
}

void ArrangeWithNavigator(TTavelmoorForm& panel) {
  if (navigator::TNavigator* nav = panel.Navigator()) {
    nav->ArrangeWindows(panel.Options.DoXMove == 1, panel.Engine->MoveSizeWindow());
  }
}

// Goes to the application-wide handler, as an error no handler catches does.
void Tell(const std::string& text) {
  const std::runtime_error error(text);
  tk::ReportUnhandled(&error);
}

}  // namespace

void ConnectLayoutActions(TTavelmoorForm& panel) {
  TTavelmoorForm* p = &panel;
  panel.ArrangeAction.OnExecute = [p] { p->ArrangeActionExecute(); };
  panel.SaveAction.OnExecute = [p] { p->SaveActionExecute(); };
  panel.RestoreAction.OnExecute = [p] { p->RestoreActionExecute(); };
  // The countdown runs inside the engine's own batch of moves.
  panel.Engine->ArrangeWindows = [p] { ArrangeWithNavigator(*p); };

  auto& box = panel.Get<tk::TCheckBox>("ArrangeCheckBox");
  std::function<void()> copyIntoField = std::move(box.OnClick);
  box.OnClick = [p, &box, copyIntoField] {
    if (copyIntoField) copyIntoField();
    // Switched on: the windows line up at once (during the settings load nothing is listed yet).
    if (box.Checked()) p->ArrangeActionExecute();
  };
}

void TTavelmoorForm::ArrangeActionExecute() {
  if (!ActionsMayRun(*this)) return;
  Engine->RunWindowMoves([this] { ArrangeWithNavigator(*this); });
}

void TTavelmoorForm::SaveActionExecute() {
  if (!ActionsMayRun(*this)) return;
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
  navigator::TNavigator* nav = Navigator();
  if (!ActionsMayRun(*this) || !nav) return;
  navigator::AppWinStore& store = model_.Entries();

  StoredLayout stored;
  {
    RegistrySettingsStore key(HKEY_CURRENT_USER, kSettingsKeyPath);
    if (key.OpenForReading() == KeyOpening::Opened) stored = ReadLayout(key, store.Limits().FixesScrollRoom());
  }
  const RestoreFacts facts{.room = store.Room(), .limits = store.Limits(),
                           .area = navigator::ReferenceArea(model_.Desktop().Screen())};
  const std::vector<navigator::tAppWin*> entries = store.EntriesSnapshot();
  const RestorePlan plan = PlanLayoutRestore(entries, nav->Candidates, stored, facts);

  // Only the plan's handles from here on: entries may go while windows move.
  Engine->RunWindowMoves([&plan] { navigator::ApplyPlacements(plan.moves); });
  if (plan.room) Engine->SetScrollRoom(*plan.room);
  if (plan.error) Tell(*plan.error);
}

}  // namespace scroller
