#include "registry_store.h"

#include <new>

namespace korvane {

namespace {

class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool DeleteTree(HKEY parent, const std::string& path) {
  {
    KeyHandle key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, key.out()) != ERROR_SUCCESS) return false;
    // Delete the children first: RegDeleteKey does not on every platform.
    for (;;) {
      char name[256];
      DWORD length = sizeof name;
      if (RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (!DeleteTree(key.get(), name)) return false;
    }
  }
  return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

std::string RegistryConfigStore::FullPath(const std::string& key) {
  std::string path = std::string(kProductKey) + key;
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::optional<std::vector<uint8_t>> RegistryConfigStore::ReadValue(const std::string& key, const std::string& name) {
  KeyHandle handle;
  if (RegOpenKeyExA(root_, FullPath(key).c_str(), 0, KEY_QUERY_VALUE, handle.out()) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD size = 0;
  if (RegQueryValueExA(handle.get(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::vector<uint8_t> bytes(size + 1);  // room for a terminator the value may lack
  DWORD got = size;
  if (RegQueryValueExA(handle.get(), name.c_str(), nullptr, nullptr, bytes.data(), &got) != ERROR_SUCCESS)
    return std::nullopt;
  bytes.resize(got);
  return bytes;
}

bool RegistryConfigStore::WriteText(const std::string& key, const std::string& name, const std::string& text) {
  KeyHandle handle;
  if (RegOpenKeyExA(root_, FullPath(key).c_str(), 0, KEY_SET_VALUE, handle.out()) != ERROR_SUCCESS) return false;
  return RegSetValueExA(handle.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryConfigStore::WriteTextCreatingKey(const std::string& key, const std::string& name,
                                               const std::string& text) {
  KeyHandle handle;
  if (RegCreateKeyExA(root_, FullPath(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.out(), nullptr) !=
      ERROR_SUCCESS)
    return false;
  return RegSetValueExA(handle.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryConfigStore::WriteBinary(const std::string& key, const std::string& name, const void* bytes,
                                      size_t count) {
  KeyHandle handle;
  if (RegCreateKeyExA(root_, FullPath(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.out(), nullptr) !=
      ERROR_SUCCESS)
    return false;
  return RegSetValueExA(handle.get(), name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(bytes),
                        static_cast<DWORD>(count)) == ERROR_SUCCESS;
}

bool RegistryConfigStore::KeyExists(const std::string& key) {
  KeyHandle handle;
  return RegOpenKeyExA(root_, FullPath(key).c_str(), 0, KEY_READ, handle.out()) == ERROR_SUCCESS;
}

std::vector<std::string> RegistryConfigStore::EnumSubKeys(const std::string& key) {
  std::vector<std::string> names;
  KeyHandle handle;
  if (RegOpenKeyExA(root_, FullPath(key).c_str(), 0, KEY_READ, handle.out()) != ERROR_SUCCESS) return names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof name;
    if (RegEnumKeyExA(handle.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

bool RegistryConfigStore::DeleteKey(const std::string& key) { return DeleteTree(root_, FullPath(key)); }

bool RegistryConfigStore::DeleteValue(const std::string& key, const std::string& name) {
  KeyHandle handle;
  if (RegOpenKeyExA(root_, FullPath(key).c_str(), 0, KEY_SET_VALUE, handle.out()) != ERROR_SUCCESS) return false;
  return RegDeleteValueA(handle.get(), name.c_str()) == ERROR_SUCCESS;
}

void InstallOutOfMemoryHandler() {
  std::set_new_handler([] {
    MessageBoxA(nullptr, "Out of memory", "Korvane", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    ExitProcess(1);
  });
}

}  // namespace korvane
