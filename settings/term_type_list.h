// The terminal types the settings program offers: every module's default
// type and every Terms sub-key naming both a module and a TermType, kept
// sorted by name (byte-wise), at most 128, exact repeats dropped.
#pragma once

#include <string>
#include <vector>

#include "config_store.h"

namespace korvane {

struct TermTypeEntry {
  std::string moduleFile;  // e.g. "emu_wyse60.dll"
  std::string name;        // the name under Terms
  std::string termType;    // TermType
  bool stored = false;     // from a Terms key rather than a module's defaults
};

class TermTypeList {
 public:
  static constexpr size_t kLimit = 128;

  // Inserted before the first entry whose name is greater; false when the
  // list is full or an entry with the same module, name and type exists.
  bool Add(const TermTypeEntry& entry);
  void Clear() { entries_.clear(); }
  const std::vector<TermTypeEntry>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }
  // The entry of a name; a stored one wins over a module's default of the
  // same name, since the client reads the stored key.
  const TermTypeEntry* Find(const std::string& name) const;
  // Each name once, in list order: what the drop-down list shows.
  std::vector<std::string> Names() const;

 private:
  std::vector<TermTypeEntry> entries_;
};

// Empties the list, adds the modules' default types (each with stored
// false), then every Terms sub-key with a non-empty TermType and TermDLL.
void EnumerateTermTypes(TermTypeList& list, const std::vector<TermTypeEntry>& moduleDefaults, ConfigStore& store);

// "emu_wyse60.dll" -> "wyse60": without any directory, the leading "emu_"
// and the ending ".dll" (either case); empty when the name is not a module's.
std::string ModuleShortName(const std::string& fileName);

// "Create Term Type": writes exactly TermDLL "emu_<module>.dll" and
// TermType into Terms\<name>. Nothing is written when a field is empty or
// the name is not usable as one key name; false then.
bool CreateTermType(ConfigStore& store, const std::string& name, const std::string& module,
                    const std::string& termType);

}  // namespace korvane
