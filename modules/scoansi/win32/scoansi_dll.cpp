// emu_scoansi.dll: the SCO ANSI module and its settings page.
#include <windows.h>

#include "console_page.h"
#include "module_dll.h"
#include "scoansi_emulator.h"
#include "scoansi_resource_ids.h"

namespace korvane {

namespace {

class ScoAnsiDll : public ModuleDll {
 public:
  ScoAnsiDll(ConfigStore& store, PrinterPort& printerPort) : module_(store, printerPort) {}
  ModuleFrame& Frame() override { return module_.frame; }
  SettingsPage& Page() override { return page_; }

 private:
  ScoAnsiModule module_;
  ConsolePage page_{{{IDC_ROWS, IDC_COLUMNS, IDC_TERM_TYPE, IDC_OK, IDC_CANCEL}, IDC_FONT_FAMILY, 0, 0},
                    module_.frame,
                    module_.emulator};
};

}  // namespace

std::unique_ptr<ModuleDll> CreateModuleDll(ConfigStore& store, PrinterPort& printerPort) {
  return std::make_unique<ScoAnsiDll>(store, printerPort);
}

}  // namespace korvane
