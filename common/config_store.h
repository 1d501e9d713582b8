// The configuration store: every program keeps its settings below one
// product key. Key names are paths relative to that key ("Settings",
// "Terms\vt100") and compare without regard to case, as the registry does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

// Path of the product key below HKEY_CLASSES_ROOT.
inline constexpr const char kProductKey[] = "Software\\Ambrel\\Korvane\\";

enum class ValueType { Text, Binary };

class ConfigStore {
 public:
  virtual ~ConfigStore() = default;

  // The stored bytes of a value, or nothing when the key or the value does
  // not exist or cannot be read.
  virtual std::optional<std::vector<uint8_t>> ReadValue(const std::string& key, const std::string& name) = 0;
  // Text value (stored with its NUL) into an existing key; nothing is written
  // when the key does not exist.
  virtual bool WriteText(const std::string& key, const std::string& name, const std::string& text) = 0;
  // Text value, creating the key first when needed.
  virtual bool WriteTextCreatingKey(const std::string& key, const std::string& name, const std::string& text) = 0;
  // Binary value, creating the key first when needed.
  virtual bool WriteBinary(const std::string& key, const std::string& name, const void* bytes, size_t count) = 0;
  virtual bool KeyExists(const std::string& key) = 0;
  // Names of the direct sub-keys, in the store's order.
  virtual std::vector<std::string> EnumSubKeys(const std::string& key) = 0;
  // Deletes a key with everything below it.
  virtual bool DeleteKey(const std::string& key) = 0;
  virtual bool DeleteValue(const std::string& key, const std::string& name) = 0;
};

// Every value read as text is taken as the bytes of a NUL-terminated string,
// whatever its stored type.
std::optional<std::string> ReadText(ConfigStore& store, const std::string& key, const std::string& name);

// Reads a binary value into a caller's buffer. A value larger than the
// buffer is a failure (the caller keeps its default); a shorter one fills
// only its own length. `got` receives the number of bytes read.
bool ReadBinary(ConfigStore& store, const std::string& key, const std::string& name, void* buffer, size_t size,
                size_t* got = nullptr);

// In-memory store for tests and tools.
class MemoryConfigStore : public ConfigStore {
 public:
  std::optional<std::vector<uint8_t>> ReadValue(const std::string& key, const std::string& name) override;
  bool WriteText(const std::string& key, const std::string& name, const std::string& text) override;
  bool WriteTextCreatingKey(const std::string& key, const std::string& name, const std::string& text) override;
  bool WriteBinary(const std::string& key, const std::string& name, const void* bytes, size_t count) override;
  bool KeyExists(const std::string& key) override;
  std::vector<std::string> EnumSubKeys(const std::string& key) override;
  bool DeleteKey(const std::string& key) override;
  bool DeleteValue(const std::string& key, const std::string& name) override;

  // Test helpers.
  void CreateKey(const std::string& key);
  std::optional<ValueType> TypeOf(const std::string& key, const std::string& name);
  size_t ValueCount(const std::string& key);

 private:
  struct Value {
    std::string name;
    ValueType type;
    std::vector<uint8_t> bytes;
  };
  struct Key {
    std::string name;  // as first created
    std::map<std::string, Value> values;  // by lower-case name
  };
  std::map<std::string, Key> keys_;  // by lower-case full path
  static std::string Normalise(const std::string& key);
  Key* Find(const std::string& key);
  Key& Create(const std::string& key);
};

}  // namespace korvane
