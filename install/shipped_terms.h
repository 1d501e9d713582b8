// The terminal types the installer ships. A type is written only where its
// key has no TermDLL or an empty one: existing types are never changed.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "config_store.h"

namespace korvane {

struct ShippedTerm {
  std::string key;                                         // "Terms\vt100"
  std::vector<std::pair<std::string, std::string>> values;  // in writing order, TermDLL first
};

const std::vector<ShippedTerm>& ShippedTerms();

// Writes the missing types; returns the keys written.
std::vector<std::string> WriteShippedTerms(ConfigStore& store);

}  // namespace korvane
