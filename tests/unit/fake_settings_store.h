#pragma once
// An in-memory registry key for tests. Names match without regard to case, as the registry's do;
// a value keeps the spelling it was first given. Reads answer only while the key is open.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "scroller/settings_store.h"

namespace testing_support {

class FakeSettingsStore : public scroller::SettingsStore {
 public:
  struct OtherType {  // a value the codec never writes, such as REG_BINARY
    friend bool operator==(const OtherType&, const OtherType&) = default;
  };
  using Value = std::variant<int32_t, std::string, OtherType>;

  // The key's state before the code under test runs.
  bool exists = true;
  bool canCreate = true;
  // The write of this value (any case) fails, and so does every write after it.
  std::optional<std::string> failWriteOf;

  // What happened.
  int readOpens = 0;
  int createOpens = 0;
  std::vector<std::string> writtenNames;  // in write order, as spelled by the writer

  FakeSettingsStore& Put(std::string_view name, int32_t v) { return Set(name, v); }
  FakeSettingsStore& Put(std::string_view name, std::string_view v) { return Set(name, std::string(v)); }
  FakeSettingsStore& PutOtherType(std::string_view name) { return Set(name, OtherType{}); }
  void Erase(std::string_view name) { values_.erase(Lower(name)); }

  std::optional<Value> Get(std::string_view name) const {
    const auto it = values_.find(Lower(name));
    if (it == values_.end()) return std::nullopt;
    return it->second.value;
  }
  std::optional<int32_t> GetInteger(std::string_view name) const {
    const auto v = Get(name);
    if (!v || !std::holds_alternative<int32_t>(*v)) return std::nullopt;
    return std::get<int32_t>(*v);
  }
  std::optional<std::string> GetText(std::string_view name) const {
    const auto v = Get(name);
    if (!v || !std::holds_alternative<std::string>(*v)) return std::nullopt;
    return std::get<std::string>(*v);
  }
  // The spelling the value is stored under.
  std::optional<std::string> StoredName(std::string_view name) const {
    const auto it = values_.find(Lower(name));
    if (it == values_.end()) return std::nullopt;
    return it->second.name;
  }
  size_t ValueCount() const { return values_.size(); }

  scroller::KeyOpening OpenForReading() override {
    ++readOpens;
    open_ = exists;
    writable_ = false;
    return exists ? scroller::KeyOpening::Opened : scroller::KeyOpening::Unavailable;
  }

  scroller::KeyOpening OpenOrCreate() override {
    ++createOpens;
    if (exists) {
      open_ = writable_ = true;
      return scroller::KeyOpening::Opened;
    }
    if (!canCreate) {
      open_ = writable_ = false;
      return scroller::KeyOpening::Unavailable;
    }
    exists = open_ = writable_ = true;
    return scroller::KeyOpening::Created;
  }

  bool HasValue(std::string_view name) const override { return open_ && values_.contains(Lower(name)); }

  scroller::ReadResult<int32_t> ReadInteger(std::string_view name) const override {
    return Read<int32_t>(name);
  }
  scroller::ReadResult<std::string> ReadText(std::string_view name) const override {
    return Read<std::string>(name);
  }

  bool WriteInteger(std::string_view name, int32_t v) override { return Write(name, v); }
  bool WriteText(std::string_view name, std::string_view v) override { return Write(name, std::string(v)); }

 private:
  struct Entry {
    std::string name;
    Value value;
  };

  static std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
  }

  FakeSettingsStore& Set(std::string_view name, Value v) {
    auto [it, inserted] = values_.try_emplace(Lower(name), Entry{std::string(name), v});
    if (!inserted) it->second.value = std::move(v);
    return *this;
  }

  template <class T>
  scroller::ReadResult<T> Read(std::string_view name) const {
    if (!open_) return {};
    const auto it = values_.find(Lower(name));
    if (it == values_.end()) return {};
    if (!std::holds_alternative<T>(it->second.value)) return {scroller::ReadStatus::WrongType, T{}};
    return {scroller::ReadStatus::Ok, std::get<T>(it->second.value)};
  }

  bool Write(std::string_view name, Value v) {
    if (!writable_) return false;
    if (failWriteOf && Lower(*failWriteOf) == Lower(name)) writable_ = false;
    if (!writable_) return false;
    writtenNames.emplace_back(name);
    Set(name, std::move(v));
    return true;
  }

  std::map<std::string, Entry> values_;  // by lower-case name
  bool open_ = false;
  bool writable_ = false;
};

}  // namespace testing_support
