#include "config_store.h"

#include <cstring>

#include "text_util.h"

namespace korvane {

std::optional<std::string> ReadText(ConfigStore& store, const std::string& key, const std::string& name) {
  auto bytes = store.ReadValue(key, name);
  if (!bytes) return std::nullopt;
  const char* begin = reinterpret_cast<const char*>(bytes->data());
  size_t length = 0;
  while (length < bytes->size() && begin[length] != '\0') ++length;
  return std::string(begin, length);
}

bool ReadBinary(ConfigStore& store, const std::string& key, const std::string& name, void* buffer, size_t size,
                size_t* got) {
  auto bytes = store.ReadValue(key, name);
  if (!bytes || bytes->size() > size) return false;
  if (!bytes->empty()) std::memcpy(buffer, bytes->data(), bytes->size());
  if (got) *got = bytes->size();
  return true;
}

std::string MemoryConfigStore::Normalise(const std::string& key) {
  std::string path = ToLower(key);
  for (char& c : path)
    if (c == '/') c = '\\';
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

MemoryConfigStore::Key* MemoryConfigStore::Find(const std::string& key) {
  auto it = keys_.find(Normalise(key));
  return it == keys_.end() ? nullptr : &it->second;
}

MemoryConfigStore::Key& MemoryConfigStore::Create(const std::string& key) {
  std::string path = Normalise(key);
  // Creating a key creates its parents, as the registry does.
  for (size_t pos = path.find('\\'); pos != std::string::npos; pos = path.find('\\', pos + 1)) {
    std::string parent = path.substr(0, pos);
    if (!keys_.count(parent)) keys_[parent].name = key.substr(0, pos);
  }
  Key& k = keys_[path];
  if (k.name.empty()) k.name = key;
  return k;
}

void MemoryConfigStore::CreateKey(const std::string& key) { Create(key); }

std::optional<std::vector<uint8_t>> MemoryConfigStore::ReadValue(const std::string& key, const std::string& name) {
  Key* k = Find(key);
  if (!k) return std::nullopt;
  auto it = k->values.find(ToLower(name));
  if (it == k->values.end()) return std::nullopt;
  return it->second.bytes;
}

bool MemoryConfigStore::WriteText(const std::string& key, const std::string& name, const std::string& text) {
  Key* k = Find(key);
  if (!k) return false;
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  k->values[ToLower(name)] = Value{name, ValueType::Text, std::move(bytes)};
  return true;
}

bool MemoryConfigStore::WriteTextCreatingKey(const std::string& key, const std::string& name,
                                             const std::string& text) {
  Create(key);
  return WriteText(key, name, text);
}

bool MemoryConfigStore::WriteBinary(const std::string& key, const std::string& name, const void* bytes,
                                    size_t count) {
  Key& k = Create(key);
  const uint8_t* p = static_cast<const uint8_t*>(bytes);
  k.values[ToLower(name)] = Value{name, ValueType::Binary, std::vector<uint8_t>(p, p + count)};
  return true;
}

bool MemoryConfigStore::KeyExists(const std::string& key) { return Find(key) != nullptr; }

std::vector<std::string> MemoryConfigStore::EnumSubKeys(const std::string& key) {
  std::string prefix = Normalise(key) + "\\";
  std::vector<std::string> names;
  for (auto& [path, k] : keys_) {
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
    if (path.find('\\', prefix.size()) != std::string::npos) continue;
    size_t cut = k.name.find_last_of("\\/");
    names.push_back(cut == std::string::npos ? k.name : k.name.substr(cut + 1));
  }
  return names;
}

bool MemoryConfigStore::DeleteKey(const std::string& key) {
  std::string path = Normalise(key);
  bool found = false;
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first == path || it->first.compare(0, path.size() + 1, path + "\\") == 0) {
      it = keys_.erase(it);
      found = true;
    } else {
      ++it;
    }
  }
  return found;
}

bool MemoryConfigStore::DeleteValue(const std::string& key, const std::string& name) {
  Key* k = Find(key);
  return k && k->values.erase(ToLower(name)) > 0;
}

std::optional<ValueType> MemoryConfigStore::TypeOf(const std::string& key, const std::string& name) {
  Key* k = Find(key);
  if (!k) return std::nullopt;
  auto it = k->values.find(ToLower(name));
  if (it == k->values.end()) return std::nullopt;
  return it->second.type;
}

size_t MemoryConfigStore::ValueCount(const std::string& key) {
  Key* k = Find(key);
  return k ? k->values.size() : 0;
}

}  // namespace korvane
