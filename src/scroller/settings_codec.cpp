#include "scroller/settings_codec.h"

#include <algorithm>

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

using ApplyInteger = void (*)(StoredSettings&, int32_t);
struct IntegerValue {
  const char* name;
  ApplyInteger apply;
};

bool IsOne(int32_t v) { return v == 1; }

// The options in the order they are read; the order decides what a missing value cuts off.
const IntegerValue kIntegerValues[] = {
    {"RefreshRate", [](StoredSettings& s, int32_t v) { s.refreshRate = v; }},
    {"ScrollSpeed", [](StoredSettings& s, int32_t v) { s.scrollSpeed = v; }},
    {"SuperMode", [](StoredSettings& s, int32_t v) { s.superMode = IsOne(v); }},
    {"DoXMove", [](StoredSettings& s, int32_t v) { s.doXMove = IsOne(v); }},
    {"DoYMove", [](StoredSettings& s, int32_t v) { s.doYMove = IsOne(v); }},
    {"Reverse", [](StoredSettings& s, int32_t v) { s.reversed = !IsOne(v); }},
    {"Keymode", [](StoredSettings& s, int32_t v) { s.useKeys = IsOne(v); }},
    {"MenuMode", [](StoredSettings& s, int32_t v) { s.menuMode = IsOne(v); }},
    {"DoLimit", [](StoredSettings& s, int32_t v) { s.doLimit = IsOne(v); }},
    {"ShowGlyphs", [](StoredSettings& s, int32_t v) { s.showGlyphs = IsOne(v); }},
    {"AutoArrange", [](StoredSettings& s, int32_t v) { s.autoArrange = IsOne(v); }},
    {"BorderScroll", [](StoredSettings& s, int32_t v) { s.borderScroll = IsOne(v); }},
    {"SmallScreen", [](StoredSettings& s, int32_t v) { s.smallScreen = IsOne(v); }},
    {"AutoScroll", [](StoredSettings& s, int32_t v) { s.autoScroll = IsOne(v); }},
    {"AutoCenter", [](StoredSettings& s, int32_t v) { s.autoCenter = IsOne(v); }},
    {"UseShift", [](StoredSettings& s, int32_t v) { s.useShift = IsOne(v); }},
    {"StickyMode", [](StoredSettings& s, int32_t v) { s.stickyMode = v; }},
    {"LimitX",
     [](StoredSettings& s, int32_t v) {
       s.limitX = std::max(v, 0);
       if (v < 0) s.settingsChanged = true;
     }},
    {"LimitY",
     [](StoredSettings& s, int32_t v) {
       s.limitY = std::max(v, 0);
       if (v < 0) s.settingsChanged = true;
     }},
    {"x64", [](StoredSettings& s, int32_t v) { s.load64AtShow = IsOne(v); }},
};

std::string Numbered(const char* base, int32_t index) { return base + std::to_string(index); }

// A negative count is corrupt and means none; one beyond the cap is cut to it. Either way the
// clean count is written back.
int32_t UsableCount(int32_t stored, StoredSettings& out) {
  if (stored >= 0 && stored <= kMaxNumberedValues) return stored;
  out.settingsChanged = true;
  return std::clamp(stored, 0, kMaxNumberedValues);
}

bool IsUsableRememberedSize(core::PackedSize size) {
  const auto inRange = [](uint32_t extent) {
    return extent >= kMinRememberedExtent && extent <= kMaxRememberedExtent;
  };
  return inRange(core::packedWidth(size)) && inRange(core::packedHeight(size));
}

// Returns false when the reading stopped.
bool ReadLists(GuardedReader& read, StoredSettings& out) {
  const auto excludeCount = read.Integer("ExcludeNum");
  if (!excludeCount) return false;
  for (int32_t i = 0, n = UsableCount(*excludeCount, out); i < n; ++i) {
    auto name = read.Text(Numbered("Exclude", i));
    if (!name) return false;
    out.excludedClasses.push_back(std::move(*name));
  }

  const auto rememberCount = read.Integer("RememberNum");
  if (!rememberCount) return false;
  for (int32_t i = 0, n = UsableCount(*rememberCount, out); i < n; ++i) {
    // A class counts only together with its size, so the two lists stay parallel.
    auto windowClass = read.Text(Numbered("RemC", i));
    if (!windowClass) return false;
    const auto size = read.Integer(Numbered("RemS", i));
    if (!size) return false;
    const auto packed = static_cast<core::PackedSize>(*size);
    if (IsUsableRememberedSize(packed)) {
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

// Returns false when the reading stopped.
bool ReadExistingKey(const LoadSources& sources, StoredSettings& out) {
  GuardedReader read(sources.settings);
  for (const auto& value : kIntegerValues) {
    const auto v = read.Integer(value.name);
    if (!v) return false;
    value.apply(out, *v);
  }
  auto background = read.Text("Background");
  if (!background) return false;
  out.backgroundSetting = *background;
  out.backgroundFile = std::move(*background);
  return ReadLists(read, out) && ResolveBackground(sources, out);
}

}  // namespace

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
  if (sources.machine.OpenForReading() == KeyOpening::Opened) out.loaderFileName = kLoaderFileName;
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
  void Flag(const std::string& name, bool value) { Integer(name, value ? 1 : 0); }
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

SaveOutcome SaveSettings(SettingsStore& store, const SettingsToSave& v, bool& settingsChanged) {
  if (!settingsChanged) return SaveOutcome::NothingToSave;
  const KeyOpening opening = store.OpenOrCreate();
  if (opening == KeyOpening::Unavailable) return SaveOutcome::KeyUnavailable;

  OrderedWriter write(store);
  // The saved layout owns "PosNum"; only a missing one is started at 0.
  if (!store.HasValue("PosNum")) write.Integer("PosNum", 0);
  write.Integer("RefreshRate", v.refreshRate);
  write.Integer("ScrollSpeed", v.scrollSpeed);
  write.Flag("Reverse", !v.reversed);
  write.Flag("SuperMode", v.superMode);
  write.Flag("KeyMode", v.useKeys);
  write.Integer("AltKey", 0);
  write.Flag("MenuMode", v.menuMode);
  write.Flag("DoLimit", v.doLimit);
  write.Flag("ShowGlyphs", v.showGlyphs);
  write.Flag("AutoArrange", v.autoArrange);
  write.Flag("BorderScroll", v.borderScroll);
  write.Flag("SysScroll", !v.scrollLockChecked);
  write.Flag("SmallScreen", v.smallScreen);
  write.Flag("AutoScroll", v.autoScroll);
  write.Flag("AutoCenter", v.autoCenter);
  write.Flag("UseShift", v.useShift);
  write.Integer("RepaintMode", 0);
  write.Flag("x64", v.load64AtShow);
  write.Flag("DoXMove", v.doXMove);
  write.Flag("DoYMove", v.doYMove);
  write.Integer("LimitX", v.limitX);
  write.Integer("LimitY", v.limitY);
  write.Text("Background", v.background);
  write.Integer("StickyMode", v.stickyMode);

  const int32_t excludeCount = SavedCount(v.excludedClasses.size());
  write.Integer("ExcludeNum", excludeCount);
  for (int32_t i = 0; i < excludeCount; ++i) write.Text(Numbered("Exclude", i), v.excludedClasses[i]);

  const int32_t rememberCount = SavedCount(v.rememberedSizes.size());
  write.Integer("RememberNum", rememberCount);
  for (int32_t i = 0; i < rememberCount; ++i) {
    write.Text(Numbered("RemC", i), v.rememberedSizes[i].windowClass);
    write.Integer(Numbered("RemS", i), static_cast<int32_t>(v.rememberedSizes[i].size));
  }

  if (!write.ok()) return SaveOutcome::WriteFailed;
  settingsChanged = false;
  return SaveOutcome::Saved;
}

}  // namespace scroller
