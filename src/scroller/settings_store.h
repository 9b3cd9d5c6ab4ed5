#pragma once
// One registry key as the settings code sees it. Value names are matched without regard to case,
// as the registry matches them ("Keymode" and "KeyMode" are one value).
#include <cstdint>
#include <string>
#include <string_view>

namespace scroller {

enum class ReadStatus {
  Ok,
  Missing,    // no value of that name (or the key is not open)
  WrongType,  // a value of that name exists but is not of the asked type, or is too large
};

template <class T>
struct ReadResult {
  ReadStatus status = ReadStatus::Missing;
  T value{};
  bool ok() const { return status == ReadStatus::Ok; }
};

enum class KeyOpening {
  Opened,       // the key existed and is open
  Created,      // the key did not exist and has been created empty
  Unavailable,  // the key neither opened nor (where asked) could be created
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Opens the key for reading; never creates it: Opened or Unavailable.
  virtual KeyOpening OpenForReading() = 0;
  // Opens the key for reading and writing, creating it when it does not exist.
  virtual KeyOpening OpenOrCreate() = 0;

  virtual bool HasValue(std::string_view name) const = 0;
  // A 32-bit integer value (REG_DWORD only), read as signed.
  virtual ReadResult<int32_t> ReadInteger(std::string_view name) const = 0;
  // A text value (REG_SZ, or REG_EXPAND_SZ read unexpanded).
  virtual ReadResult<std::string> ReadText(std::string_view name) const = 0;

  // False when the value could not be written (also when the key is not open for writing).
  virtual bool WriteInteger(std::string_view name, int32_t value) = 0;
  virtual bool WriteText(std::string_view name, std::string_view value) = 0;
};

}  // namespace scroller
