#include "shipped_terms.h"

namespace korvane {

namespace {

ShippedTerm Wyse(const char* name, const char* screen) {
  return {std::string("Terms\\") + name,
          {{"TermDLL", "emu_wyse60.dll"}, {"TermType", "wyse60"}, {"InitialScreen", screen}, {"Max_Pages", "4"}}};
}

ShippedTerm Ansi(const char* name, const char* screen) {
  return {std::string("Terms\\") + name,
          {{"TermDLL", "emu_ansi.dll"},
           {"TermType", "ansi"},
           {"InitialScreen", screen},
           {"Ignore_DoubleSize", "N"},
           {"Ignore_SetColor", "Y"}}};
}

}  // namespace

const std::vector<ShippedTerm>& ShippedTerms() {
  static const std::vector<ShippedTerm> terms = {
      Wyse("wyse60", "24,80,Y"),
      Wyse("wyse60-24", "24,80,Y"),
      Wyse("wyse60-25", "25,80,N"),
      Ansi("ansi", "25,80,N"),
      Ansi("ansi-24", "24,80,N"),
      Ansi("ansi-25", "25,80,N"),
      {"Terms\\scoansi", {{"TermDLL", "emu_scoansi.dll"}, {"TermType", "ansi"}, {"InitialScreen", "25,80,N"}}},
      {"Terms\\vt100", {{"TermDLL", "emu_vt100.dll"}, {"TermType", "vt100"}, {"InitialScreen", "24,80,Y"}}},
      {"Terms\\linux-ansi",
       {{"TermDLL", "emu_scoansi.dll"}, {"TermType", "scoansi"}, {"InitialScreen", "25,80,N"}, {"FontFamily", "1"}}},
  };
  return terms;
}

ShippedTermsResult WriteShippedTerms(ConfigStore& store) {
  ShippedTermsResult result;
  for (const ShippedTerm& term : ShippedTerms()) {
    auto module = ReadText(store, term.key, "TermDLL");
    if (module && !module->empty()) continue;
    bool ok = true;
    for (const auto& [name, value] : term.values) ok = store.WriteTextCreatingKey(term.key, name, value) && ok;
    if (ok) {
      result.written.push_back(term.key);
    } else {
      store.DeleteValue(term.key, "TermDLL");
      result.failed.push_back(term.key);
    }
  }
  return result;
}

}  // namespace korvane
