// emu_ansi.dll: the ANSI module and its settings page.
#include <windows.h>

#include "ansi_emulator.h"
#include "ansi_resource_ids.h"
#include "console_page.h"
#include "module_dll.h"

namespace korvane {

namespace {

class AnsiDll : public ModuleDll {
 public:
  AnsiDll(ConfigStore& store, PrinterPort& printerPort) : module_(store, printerPort) {}
  ModuleFrame& Frame() override { return module_.frame; }
  SettingsPage& Page() override { return page_; }

 private:
  AnsiModule module_;
  ConsolePage page_{{{IDC_ROWS, IDC_COLUMNS, IDC_TERM_TYPE, IDC_OK, IDC_CANCEL},
                     IDC_FONT_FAMILY,
                     IDC_IGNORE_SETCOLOR,
                     IDC_IGNORE_DOUBLESIZE},
                    module_.frame,
                    module_.emulator};
};

}  // namespace

std::unique_ptr<ModuleDll> CreateModuleDll(ConfigStore& store, PrinterPort& printerPort) {
  return std::make_unique<AnsiDll>(store, printerPort);
}

}  // namespace korvane
