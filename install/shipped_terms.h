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

struct ShippedTermsResult {
  std::vector<std::string> written;
  std::vector<std::string> failed;  // a value could not be written
};

// Writes the missing types. A type that could not be written whole loses
// its TermDLL again, so that the next installation writes it anew.
ShippedTermsResult WriteShippedTerms(ConfigStore& store);

}  // namespace korvane
