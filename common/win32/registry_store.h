// The configuration store over the Windows registry, below
// HKEY_CLASSES_ROOT\Software\Ambrel\Korvane\.
#pragma once

#include <windows.h>

#include "config_store.h"

namespace korvane {

class RegistryConfigStore : public ConfigStore {
 public:
  explicit RegistryConfigStore(HKEY root = HKEY_CLASSES_ROOT) : root_(root) {}

  std::optional<std::vector<uint8_t>> ReadValue(const std::string& key, const std::string& name) override;
  bool WriteText(const std::string& key, const std::string& name, const std::string& text) override;
  bool WriteTextCreatingKey(const std::string& key, const std::string& name, const std::string& text) override;
  bool WriteBinary(const std::string& key, const std::string& name, const void* bytes, size_t count) override;
  bool KeyExists(const std::string& key) override;
  std::vector<std::string> EnumSubKeys(const std::string& key) override;
  bool DeleteKey(const std::string& key) override;
  bool DeleteValue(const std::string& key, const std::string& name) override;

  // Full path below the root: the product key followed by `key`.
  static std::string FullPath(const std::string& key);

 private:
  HKEY root_;
};

// Shows "Out of memory" and ends the program when an allocation fails.
void InstallOutOfMemoryHandler();

}  // namespace korvane
