#include "scroller/option_table.h"

#include <algorithm>

namespace scroller {
namespace {

// Each place of the write order is taken once, and the read order runs 1..n without gaps.
constexpr bool OrdersAreWhole() {
  for (int place = 1; place <= static_cast<int>(kOptionCount); ++place) {
    int writes = 0;
    for (const auto& row : kOptionTable) writes += row.writeOrder == place;
    if (writes != 1) return false;
  }
  std::size_t read = 0;
  for (const auto& row : kOptionTable) read += row.readOrder > 0;
  return kReadOrder.count == read;
}
static_assert(OrdersAreWhole());

constexpr bool ControlsAndFieldsMatchTheKinds() {
  for (const auto& row : kOptionTable) {
    const bool hasField = !std::holds_alternative<std::monostate>(row.field);
    const bool wantsField = HasControl(row) || row.kind == OptionKind::Value;
    if (hasField != wantsField || HasControl(row) != (std::string_view(row.control) != "")) return false;
  }
  return true;
}
static_assert(ControlsAndFieldsMatchTheKinds());

bool IsChecked(const OptionRow& row, int32_t stored) {
  return row.checkedWhen == CheckedWhen::ValueIsOne ? stored == 1 : stored != 1;
}

// A check box or a flag kept as a value: state 1 or 0.
bool IsOnOff(const OptionRow& row) {
  return row.kind == OptionKind::CheckBox || std::holds_alternative<bool KeptValues::*>(row.field);
}

template <class T>
bool Assign(T& field, T value) {
  const bool changed = field != value;
  field = value;
  return changed;
}

}  // namespace

std::optional<std::size_t> OptionIndex(std::string_view name) {
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    if (name == kOptionTable[i].name) return i;
  }
  return std::nullopt;
}

int32_t StateFromStored(const OptionRow& row, int32_t stored) {
  if (IsOnOff(row)) return IsChecked(row, stored) ? 1 : 0;
  if (row.negativeIsNone) return std::max(stored, 0);
  return stored;
}

int32_t StoredFromState(const OptionRow& row, int32_t state) {
  if (!IsOnOff(row)) return state;
  const bool checked = state != 0;
  return row.checkedWhen == CheckedWhen::ValueIsOne ? (checked ? 1 : 0) : (checked ? 0 : 1);
}

int32_t FieldState(const OptionRow& row, const OptionFields& options, const KeptValues& kept) {
  struct Read {
    const OptionRow& row;
    const OptionFields& options;
    const KeptValues& kept;
    int32_t operator()(std::monostate) const { return row.defaultState; }
    int32_t operator()(int32_t OptionFields::*f) const {
      if (row.kind == OptionKind::CheckBox) return options.*f == row.fieldWhenChecked ? 1 : 0;
      return options.*f;
    }
    int32_t operator()(bool OptionFields::*f) const { return options.*f ? 1 : 0; }
    int32_t operator()(int32_t KeptValues::*f) const { return kept.*f; }
    int32_t operator()(bool KeptValues::*f) const { return kept.*f ? 1 : 0; }
  };
  return std::visit(Read{row, options, kept}, row.field);
}

bool SetFieldState(const OptionRow& row, int32_t state, OptionFields& options, KeptValues& kept) {
  struct Write {
    const OptionRow& row;
    int32_t state;
    OptionFields& options;
    KeptValues& kept;
    bool operator()(std::monostate) const { return false; }
    bool operator()(int32_t OptionFields::*f) const {
      if (row.kind == OptionKind::CheckBox) {
        return Assign(options.*f, state ? row.fieldWhenChecked : row.fieldWhenUnchecked);
      }
      return Assign(options.*f, state);
    }
    bool operator()(bool OptionFields::*f) const { return Assign(options.*f, state != 0); }
    bool operator()(int32_t KeptValues::*f) const { return Assign(kept.*f, state); }
    bool operator()(bool KeptValues::*f) const { return Assign(kept.*f, state != 0); }
  };
  return std::visit(Write{row, state, options, kept}, row.field);
}

OptionFields DefaultOptionFields() {
  OptionFields options;
  KeptValues unused;
  for (const auto& row : kOptionTable) {
    if (HasControl(row)) SetFieldState(row, row.defaultState, options, unused);
  }
  return options;
}

KeptValues DefaultKeptValues() {
  OptionFields unused;
  KeptValues kept;
  for (const auto& row : kOptionTable) {
    if (row.kind == OptionKind::Value) SetFieldState(row, row.defaultState, unused, kept);
  }
  return kept;
}

}  // namespace scroller
