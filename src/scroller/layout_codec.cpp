#include "scroller/layout_codec.h"

#include <algorithm>

#include "scroller/settings_codec.h"

namespace scroller {
namespace {

constexpr const char* kCountName = "PosNum";
constexpr const char* kCaptionBase = "PosN";
constexpr const char* kClassBase = "PosC";
constexpr const char* kLeftBase = "PosX";
constexpr const char* kTopBase = "PosY";
constexpr const char* kWidthBase = "PosW";
constexpr const char* kHeightBase = "PosH";
constexpr const char* kOriginXName = "winxmin";
constexpr const char* kOriginYName = "winymin";

std::string Cut(std::string text) {
  if (text.size() > kMaxSavedTextLength) text.resize(kMaxSavedTextLength);
  return text;
}

// Reads stop at the first value that is missing where it must be, or of the wrong type.
class LayoutReader {
 public:
  explicit LayoutReader(const SettingsStore& key) : key_(key) {}

  std::optional<int32_t> Integer(const std::string& name) {
    const ReadResult<int32_t> r = key_.ReadInteger(name);
    if (r.ok()) return r.value;
    error = LayoutReadError{name, r.status};
    return std::nullopt;
  }

  // A missing text gives `fallback`; one of another type stops the reading.
  std::optional<std::string> Text(const std::string& name, const char* fallback) {
    const ReadResult<std::string> r = key_.ReadText(name);
    if (r.ok()) return Cut(r.value);
    if (r.status == ReadStatus::Missing) return std::string(fallback);
    error = LayoutReadError{name, r.status};
    return std::nullopt;
  }

  // An integer that may be missing; one of another type stops the reading.
  bool OptionalInteger(const std::string& name, std::optional<int32_t>& out) {
    const ReadResult<int32_t> r = key_.ReadInteger(name);
    if (r.ok()) out = r.value;
    if (r.status != ReadStatus::WrongType) return true;
    error = LayoutReadError{name, r.status};
    return false;
  }

  std::optional<navigator::SavedPlace> Record(std::size_t i) {
    navigator::SavedPlace p;
    auto caption = Text(NumberedName(kCaptionBase, i), kMissingCaption);
    if (!caption) return std::nullopt;
    auto winClass = Text(NumberedName(kClassBase, i), "");
    if (!winClass) return std::nullopt;
    p.caption = std::move(*caption);
    p.winClass = std::move(*winClass);
    int32_t* fields[] = {&p.bounds.x, &p.bounds.y, &p.bounds.width, &p.bounds.height};
    const char* bases[] = {kLeftBase, kTopBase, kWidthBase, kHeightBase};
    for (int f = 0; f < 4; ++f) {
      const auto v = Integer(NumberedName(bases[f], i));
      if (!v) return std::nullopt;
      *fields[f] = *v;
    }
    return p;
  }

  std::optional<LayoutReadError> error;

 private:
  const SettingsStore& key_;
};

}  // namespace

std::string DescribeLayoutError(const LayoutReadError& error) {
  const char* what = error.status == ReadStatus::Missing ? "is missing" : "does not hold a value of the right type";
  return "The saved window positions could not be restored completely: the registry value \"" + error.valueName +
         "\" " + what + ".";
}

StoredLayout ReadLayout(const SettingsStore& key, bool readOrigin) {
  StoredLayout out;
  if (!key.HasValue(kCountName)) return out;
  out.present = true;
  LayoutReader reader(key);
  const std::optional<int32_t> count = reader.Integer(kCountName);
  if (count) {
    const int32_t n = std::clamp(*count, 0, kMaxNumberedValues);
    out.records.reserve(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
      std::optional<navigator::SavedPlace> p = reader.Record(static_cast<std::size_t>(i));
      if (!p) break;
      out.records.push_back(std::move(*p));
    }
    out.recordsComplete = !reader.error;
  }
  if (out.recordsComplete && readOrigin) {
    out.originComplete = reader.OptionalInteger(kOriginXName, out.winxmin) &&
                         reader.OptionalInteger(kOriginYName, out.winymin);
  }
  out.error = reader.error;
  return out;
}

LayoutSaveResult SaveLayout(SettingsStore& key, std::span<const navigator::SavedPlace> records,
                            const std::optional<SavedScrollOrigin>& origin) {
  LayoutSaveResult out;
  if (key.OpenOrCreate() == KeyOpening::Unavailable) return out;
  out.keyOpened = true;
  const std::size_t n = std::min(records.size(), static_cast<std::size_t>(kMaxNumberedValues));
  auto fail = [&](std::string name, std::size_t whole) {
    out.failedValue = std::move(name);
    // Best effort: the count must not promise records that are not there.
    key.WriteInteger(kCountName, static_cast<int32_t>(whole));
    return out;
  };
  if (!key.WriteInteger(kCountName, static_cast<int32_t>(n))) {
    out.failedValue = kCountName;
    return out;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const navigator::SavedPlace& p = records[i];
    out.recordsBegun = i + 1;
    // Texts are written as a restore reads them back.
    const std::string caption = Cut(p.caption.substr(0, p.caption.find('\0')));
    const std::string winClass = Cut(p.winClass.substr(0, p.winClass.find('\0')));
    if (!key.WriteText(NumberedName(kCaptionBase, i), caption)) return fail(NumberedName(kCaptionBase, i), i);
    if (!key.WriteText(NumberedName(kClassBase, i), winClass)) return fail(NumberedName(kClassBase, i), i);
    const int32_t values[] = {p.bounds.x, p.bounds.y, p.bounds.width, p.bounds.height};
    const char* bases[] = {kLeftBase, kTopBase, kWidthBase, kHeightBase};
    for (int f = 0; f < 4; ++f) {
      if (!key.WriteInteger(NumberedName(bases[f], i), values[f])) return fail(NumberedName(bases[f], i), i);
    }
  }
  if (origin) {
    if (!key.WriteInteger(kOriginXName, origin->ScrollMinX)) return fail(kOriginXName, n);
    if (!key.WriteInteger(kOriginYName, origin->ScrollMinY)) return fail(kOriginYName, n);
  }
  return out;
}

}  // namespace scroller
