#include "terminal_definition.h"

#include <algorithm>
#include <cctype>

#include "screen_model.h"
#include "text_util.h"

namespace korvane {

std::string CommaField(std::string_view text, int n) {
  size_t start = 0;
  for (int field = 1; field < n; ++field) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) return "";
    start = comma + 1;
  }
  size_t end = text.find(',', start);
  return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

namespace {

// A size from the registry: 0 (the module's) when not positive, else at most the limit.
int SizeValue(const std::string& text, int limit) {
  int value = DecimalInt(text);
  return value <= 0 ? 0 : std::min(value, limit);
}

}  // namespace

int ReadTermDefinition(ConfigStore& store, const ClientConfig& config, TermDefinition& definition,
                       ErrorReporter& errors) {
  definition = TermDefinition{};
  definition.name = config.termName;
  const std::string key = "Terms\\" + definition.name;
  auto dll = ReadText(store, key, "TermDLL");
  auto termType = dll ? ReadText(store, key, "TermType") : std::nullopt;
  if (!dll || !termType) {
    errors.ErrorCall(kAbort, 1007, 0, "Can't find info for specified Term Def (%s)", definition.name.c_str());
    return 1001;
  }
  definition.dll = *dll;
  definition.termType = *termType;

  if (auto screen = ReadText(store, key, "InitialScreen")) {
    definition.rows = SizeValue(CommaField(*screen, 1), kMaxRows);
    definition.columns = SizeValue(CommaField(*screen, 2), kMaxColumns);
    definition.statusLine = IsYes(CommaField(*screen, 3));
  }
  if (config.screenRows > 0) definition.rows = std::min(config.screenRows, kMaxRows);
  if (config.screenColumns > 0) definition.columns = std::min(config.screenColumns, kMaxColumns);

  definition.maps.ascii = ReadCharacterMap(store, key, "AsciiMap");
  definition.maps.ansi = ReadCharacterMap(store, key, "AnsiMap");
  auto displayOnly = ReadText(store, key, "DisplayOnly");
  definition.maps.displayOnly = !(displayOnly && FirstLetterIs(*displayOnly, 'N'));
  return 0;
}

void SettleTermGeometry(const ClientConfig& config, int& rows, int& columns, int& statusLines) {
  if (config.screenStatus) statusLines = std::toupper(static_cast<unsigned char>(config.screenStatus)) == 'Y' ? 1 : 0;
  if (rows <= 0) rows = 24;
  if (columns <= 0) columns = 80;
  rows = std::min(rows, kMaxRows);
  columns = std::min(columns, kMaxColumns);
}

}  // namespace korvane
