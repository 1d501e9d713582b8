// A terminal definition: the subkey Terms\<name> that names the emulation
// module and the terminal type, the initial screen and the two 256-byte
// character maps (index = character code, value = the glyph shown).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "character_map.h"
#include "client_config.h"
#include "config_store.h"
#include "error_report.h"

namespace korvane {

struct CharacterMaps {
  CharacterMap ascii = IdentityMap();  // with the ASCII face
  CharacterMap ansi = IdentityMap();   // with the ANSI face
  bool useAnsi = false;                // the ANSI face is current
  bool displayOnly = true;             // typed characters are not translated

  const uint8_t* Active() const { return useAnsi ? ansi.data() : ascii.data(); }
};

// Field n (from 1) of a comma-separated text: the text between the (n-1)-th
// and the n-th comma, empty when there are fewer fields.
std::string CommaField(std::string_view text, int n);

struct TermDefinition {
  std::string name;
  std::string dll;       // TermDLL
  std::string termType;  // TermType
  int rows = 0, columns = 0;  // 0: the module's
  bool statusLine = false;
  CharacterMaps maps;
};

// Everything up to binding the module: the definition named by the command
// line or TermName, InitialScreen, the -V sizes, the maps and DisplayOnly.
// 0, or 1001 after the report when TermDLL or TermType is missing.
int ReadTermDefinition(ConfigStore& store, const ClientConfig& config, TermDefinition& definition,
                       ErrorReporter& errors);

// After the module's first initialisation: the -V letter decides the status
// line; a size neither the definition nor the module gave is 24 x 80.
void SettleTermGeometry(const ClientConfig& config, int& rows, int& columns, int& statusLines);

}  // namespace korvane
