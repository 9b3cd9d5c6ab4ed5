#include "scroller/settings_codec.h"

#include <algorithm>
#include <ostream>
#include <span>

#include "core/private_messages.h"

namespace scroller {
namespace {

// Stops at the first value that ends the reading; every later read then answers nothing.
class GuardedReader {
 public:
  explicit GuardedReader(const SettingsStore& store) : store_(store) {}

  std::optional<int32_t> Integer(const std::string& name) {
    if (stopped_) return std::nullopt;
    const auto read = store_.ReadInteger(name);
    if (!read.ok()) return Stop<int32_t>();
    return read.value;
  }

  // A missing text reads as empty; only a text of another type ends the reading.
  std::optional<std::string> Text(const std::string& name) {
    if (stopped_) return std::nullopt;
    auto read = store_.ReadText(name);
    if (read.status == ReadStatus::WrongType) return Stop<std::string>();
    return std::move(read.value);
  }

  bool stopped() const { return stopped_; }

 private:
  template <class T>
  std::optional<T> Stop() {
    stopped_ = true;
    return std::nullopt;
  }

  const SettingsStore& store_;
  bool stopped_ = false;
};


// A negative count is corrupt and means none; one beyond the cap is cut to it. Either way the
// clean count is written back.
int32_t UsableCount(int32_t stored, StoredSettings& out) {
  if (stored >= 0 && stored <= kMaxNumberedValues) return stored;
  out.settingsChanged = true;
  return std::clamp(stored, 0, kMaxNumberedValues);
}

// Returns false when the reading stopped.
bool ReadExcludedClasses(GuardedReader& read, const OptionRow& row, StoredSettings& out) {
  const auto count = read.Integer(row.name);
  if (!count) return false;
  for (int32_t i = 0, n = UsableCount(*count, out); i < n; ++i) {
    auto name = read.Text(NumberedName(row.itemName, i));
    if (!name) return false;
    out.excludedClasses.push_back(std::move(*name));
  }
  return true;
}

// Returns false when the reading stopped.
bool ReadRememberedSizes(GuardedReader& read, const OptionRow& row, StoredSettings& out) {
  const auto count = read.Integer(row.name);
  if (!count) return false;
  for (int32_t i = 0, n = UsableCount(*count, out); i < n; ++i) {
    // A class counts only together with its size, so the two lists stay parallel.
    auto windowClass = read.Text(NumberedName(row.itemName, i));
    if (!windowClass) return false;
    const auto size = read.Integer(NumberedName(row.sizeName, i));
    if (!size) return false;
    const auto packed = static_cast<core::PackedSize>(*size);
    // A width or height outside the forced-size range is corrupt: the pair is dropped.
    if (core::IsUsableForcedSize(packed)) {
      out.rememberedSizes.push_back({std::move(*windowClass), packed});
    } else {
      out.settingsChanged = true;
    }
  }
  return true;
}

// Returns false when the reading stopped (the wallpaper value is of another type).
bool ResolveBackground(const LoadSources& sources, StoredSettings& out) {
  std::string path = out.backgroundFile;
  if (path == "default") {  // case-sensitive: "Default" is a file name
    path.clear();
    if (sources.desktop.OpenForReading() == KeyOpening::Opened) {
      GuardedReader wallpaper(sources.desktop);
      auto text = wallpaper.Text("Wallpaper");
      if (!text) return false;
      path = std::move(*text);
    }
  }
  if (path == "none" || path.empty() || !sources.fileExists || !sources.fileExists(path)) path.clear();
  out.backgroundFile = std::move(path);
  out.useBackground = !out.backgroundFile.empty();
  return true;
}

// Returns false when the reading stopped. The options end at the first value that stops them;
// each numbered list is read on its own whatever came before, since a save writes back what
// was read and a list not read would be written empty.
bool ReadExistingKey(const LoadSources& sources, StoredSettings& out) {
  GuardedReader options(sources.settings);
  bool listsComplete = true;
  for (std::size_t i : std::span(kReadOrder.rows.data(), kReadOrder.count)) {
    const OptionRow& row = kOptionTable[i];
    switch (row.kind) {
      case OptionKind::TrackBar:
      case OptionKind::CheckBox:
      case OptionKind::Value:
        if (const auto v = options.Integer(row.name)) {
          out.states[i] = StateFromStored(row, *v);
          if (row.negativeIsNone && *v < 0) out.settingsChanged = true;
        }
        break;
      case OptionKind::BackgroundPath:
        if (auto text = options.Text(row.name)) {
          out.backgroundSetting = *text;
          out.backgroundFile = std::move(*text);
        }
        break;
      case OptionKind::ExcludedClasses: {
        GuardedReader list(sources.settings);
        listsComplete = ReadExcludedClasses(list, row, out) && listsComplete;
        break;
      }
      case OptionKind::RememberedSizes: {
        GuardedReader list(sources.settings);
        listsComplete = ReadRememberedSizes(list, row, out) && listsComplete;
        break;
      }
      case OptionKind::Constant:
      case OptionKind::LayoutCount:
        break;
    }
  }
  // The path is resolved only after everything before it was read.
  return !options.stopped() && listsComplete && ResolveBackground(sources, out);
}

}  // namespace

std::optional<int32_t> StoredSettings::State(std::string_view name) const {
  const auto index = OptionIndex(name);
  return index ? states[*index] : std::nullopt;
}

std::optional<bool> StoredSettings::Checked(std::string_view name) const {
  const auto state = State(name);
  if (!state) return std::nullopt;
  return *state != 0;
}

StoredSettings LoadSettings(const LoadSources& sources) {
  StoredSettings out;
  if (sources.settings.OpenForReading() == KeyOpening::Opened) {
    if (!ReadExistingKey(sources, out)) out.settingsChanged = true;
  } else {
    // A first run: the key is made now and the defaults are written at the first save. A key that
    // cannot even be created is handled the same way; the save then reports its own failure.
    sources.settings.OpenOrCreate();
    out.settingsChanged = true;
  }
  if (sources.machine.OpenForReading() == KeyOpening::Opened) out.loaderFileName = ident::LoaderFile;
  return out;
}

namespace {

// Writes in a fixed order and remembers the first failure; later writes are skipped.
class OrderedWriter {
 public:
  explicit OrderedWriter(SettingsStore& store) : store_(store) {}

  void Integer(const std::string& name, int32_t value) {
    if (ok_) ok_ = store_.WriteInteger(name, value);
  }
  void Text(const std::string& name, std::string_view value) {
    if (ok_) ok_ = store_.WriteText(name, value);
  }
  bool ok() const { return ok_; }

 private:
  SettingsStore& store_;
  bool ok_ = true;
};

int32_t SavedCount(size_t size) {
  return static_cast<int32_t>(std::min<size_t>(size, static_cast<size_t>(kMaxNumberedValues)));
}

}  // namespace

SaveOutcome SaveSettings(SettingsStore& store, const SettingsToSave& v, core::SettingsChanges& changes) {
  if (!changes.Pending()) return SaveOutcome::NothingToSave;
  const KeyOpening opening = store.OpenOrCreate();
  if (opening == KeyOpening::Unavailable) return SaveOutcome::KeyUnavailable;

  OrderedWriter write(store);
  for (const OptionRow& row : kOptionTable) {
    switch (row.kind) {
      case OptionKind::LayoutCount:
        // The saved layout owns its count; only a missing one is started here.
        if (!store.HasValue(row.name)) write.Integer(row.name, row.defaultState);
        break;
      case OptionKind::Constant:
        write.Integer(row.name, row.defaultState);
        break;
      case OptionKind::TrackBar:
      case OptionKind::CheckBox:
      case OptionKind::Value:
        write.Integer(row.name, StoredFromState(row, FieldState(row, v.options, v.kept)));
        break;
      case OptionKind::BackgroundPath:
        write.Text(row.name, v.background);
        break;
      case OptionKind::ExcludedClasses: {
        const int32_t count = SavedCount(v.excludedClasses.size());
        write.Integer(row.name, count);
        for (int32_t i = 0; i < count; ++i) write.Text(NumberedName(row.itemName, i), v.excludedClasses[i]);
        break;
      }
      case OptionKind::RememberedSizes: {
        const int32_t count = SavedCount(v.rememberedSizes.size());
        write.Integer(row.name, count);
        for (int32_t i = 0; i < count; ++i) {
          write.Text(NumberedName(row.itemName, i), v.rememberedSizes[i].windowClass);
          write.Integer(NumberedName(row.sizeName, i), static_cast<int32_t>(v.rememberedSizes[i].size));
        }
        break;
      }
    }
  }

  if (!write.ok()) return SaveOutcome::WriteFailed;
  changes.Saved();
  return SaveOutcome::Saved;
}

std::optional<std::string> SaveFailureNotice::After(SaveOutcome outcome, bool finalSave) {
  const char* what = nullptr;
  switch (outcome) {
    case SaveOutcome::NothingToSave:
      return std::nullopt;
    case SaveOutcome::Saved:
      told_ = false;
      return std::nullopt;
    case SaveOutcome::KeyUnavailable:
      what = "The registry key HKEY_CURRENT_USER\\Software\\Tavelmoor could be neither opened nor created.";
      break;
    case SaveOutcome::WriteFailed:
      what = "Writing to the registry key HKEY_CURRENT_USER\\Software\\Tavelmoor failed.";
      break;
  }
  if (told_ && !finalSave) return std::nullopt;
  told_ = true;
  return std::string("The settings could not be saved. ") + what +
         (finalSave ? " The options changed since the last save are lost." : " The next save tries again.");
}

void PrintTo(const RememberedSize& value, std::ostream* os) {
  *os << "{\"" << value.windowClass << "\", " << core::packedWidth(value.size) << "x" << core::packedHeight(value.size)
      << "}";
}

void PrintTo(SaveOutcome value, std::ostream* os) {
  switch (value) {
    case SaveOutcome::NothingToSave: *os << "NothingToSave"; return;
    case SaveOutcome::Saved: *os << "Saved"; return;
    case SaveOutcome::KeyUnavailable: *os << "KeyUnavailable"; return;
    case SaveOutcome::WriteFailed: *os << "WriteFailed"; return;
  }
  *os << "SaveOutcome(" << static_cast<int>(value) << ")";
}

void PrintTo(ReadStatus value, std::ostream* os) {
  switch (value) {
    case ReadStatus::Ok: *os << "Ok"; return;
    case ReadStatus::Missing: *os << "Missing"; return;
    case ReadStatus::WrongType: *os << "WrongType"; return;
  }
  *os << "ReadStatus(" << static_cast<int>(value) << ")";
}

void PrintTo(KeyOpening value, std::ostream* os) {
  switch (value) {
    case KeyOpening::Opened: *os << "Opened"; return;
    case KeyOpening::Created: *os << "Created"; return;
    case KeyOpening::Unavailable: *os << "Unavailable"; return;
  }
  *os << "KeyOpening(" << static_cast<int>(value) << ")";
}

}  // namespace scroller
