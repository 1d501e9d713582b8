#include "term_type_list.h"

#include <algorithm>

#include "text_util.h"

namespace korvane {

bool TermTypeList::Add(const TermTypeEntry& entry) {
  for (const TermTypeEntry& e : entries_)
    if (e.moduleFile == entry.moduleFile && e.name == entry.name && e.termType == entry.termType) return false;
  if (entries_.size() >= kLimit) return false;
  auto at = std::find_if(entries_.begin(), entries_.end(), [&](const TermTypeEntry& e) {
    // Byte-wise, as unsigned bytes.
    return std::lexicographical_compare(entry.name.begin(), entry.name.end(), e.name.begin(), e.name.end(),
                                        [](char a, char b) {
                                          return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
                                        });
  });
  entries_.insert(at, entry);
  return true;
}

const TermTypeEntry* TermTypeList::Find(const std::string& name) const {
  const TermTypeEntry* found = nullptr;
  for (const TermTypeEntry& e : entries_) {
    if (e.name != name) continue;
    if (e.stored) return &e;
    if (!found) found = &e;
  }
  return found;
}

std::vector<std::string> TermTypeList::Names() const {
  std::vector<std::string> names;
  for (const TermTypeEntry& e : entries_)
    if (names.empty() || names.back() != e.name) names.push_back(e.name);
  return names;
}

void EnumerateTermTypes(TermTypeList& list, const std::vector<TermTypeEntry>& moduleDefaults, ConfigStore& store) {
  list.Clear();
  for (TermTypeEntry entry : moduleDefaults) {
    entry.stored = false;
    list.Add(entry);
  }
  for (const std::string& name : store.EnumSubKeys("Terms")) {
    std::string key = "Terms\\" + name;
    auto termType = ReadText(store, key, "TermType");
    auto module = ReadText(store, key, "TermDLL");
    if (termType && module && !termType->empty() && !module->empty()) list.Add({*module, name, *termType, true});
  }
}

std::string ModuleShortName(const std::string& fileName) {
  size_t slash = fileName.find_last_of("\\/:");
  std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  if (base.size() <= 8 || !StartsWithNoCase(base, "emu_") || !EqualsNoCase(base.substr(base.size() - 4), ".dll"))
    return std::string();
  return base.substr(4, base.size() - 8);
}

bool CreateTermType(ConfigStore& store, const std::string& name, const std::string& module,
                    const std::string& termType) {
  if (name.empty() || module.empty() || termType.empty()) return false;
  // A backslash would make a key below another; a registry key name has at
  // most 255 characters.
  if (name.find('\\') != std::string::npos || name.size() > 255) return false;
  std::string key = "Terms\\" + name;
  bool ok = store.WriteTextCreatingKey(key, "TermDLL", "emu_" + module + ".dll");
  return store.WriteTextCreatingKey(key, "TermType", termType) && ok;
}

}  // namespace korvane
