#include "term_definition.h"

#include <windows.h>

#include "client_app.h"
#include "module_binding.h"
#include "terminal_definition.h"

namespace korvane {

int LoadTermDefinition() {
  ClientApp& app = App();
  TermDefinition definition;
  if (int result = ReadTermDefinition(app.store, app.config, definition, app.errors)) return result;
  app.termType = definition.termType;
  app.rows = definition.rows;
  app.columns = definition.columns;
  app.statusLines = definition.statusLine ? 1 : 0;
  app.charMaps = definition.maps;
  // The module's first initialisation fills the sizes still 0.
  if (int result = BindAndInitModule(definition.dll)) return result;
  SettleTermGeometry(app.config, app.rows, app.columns, app.statusLines);
  return 0;
}

void LoadColours() {
  LoadColours(App().colours, App().store, [](int index) { return static_cast<uint32_t>(GetSysColor(index)); });
}

}  // namespace korvane
