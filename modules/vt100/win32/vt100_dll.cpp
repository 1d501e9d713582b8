// emu_vt100.dll: the VT100 module and its settings page.
#include <windows.h>

#include <optional>

#include "module_dll.h"
#include "settings_dialog.h"
#include "vt100_emulator.h"
#include "vt100_resource_ids.h"
#include "vt100_settings_page.h"

namespace korvane {

namespace {

class Vt100Page : public SettingsPage {
 public:
  Controls Ids() const override { return {IDC_ROWS, IDC_COLUMNS, IDC_TERM_TYPE, IDC_OK, IDC_CANCEL}; }

  void Prepare(ModuleFrame& frame) override { model_.emplace(frame.screen); }
  void Initialised(HWND dialog) override { ShowBox(dialog); }

  void Command(HWND dialog, int id, int code) override {
    if (id == IDC_ROWS) {
      model_->RowsSelected(RowsAt(SelectedPosition(dialog, IDC_ROWS), 24));
      ShowBox(dialog);
    } else if (id == IDC_LABEL_LINE && code == BN_CLICKED) {
      model_->Clicked();
      ShowBox(dialog);
    }
  }

  void Accept(HWND dialog, ModuleFrame& frame) override {
    frame.screen = model_->Accepted(SelectedPosition(dialog, IDC_ROWS), SelectedPosition(dialog, IDC_COLUMNS));
    frame.WriteSetting("InitialScreen", FormatInitialScreen(frame.screen));
    StoreTermType(dialog, IDC_TERM_TYPE, frame);
  }

 private:
  void ShowBox(HWND dialog) {
    static const WPARAM kStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    SendDlgItemMessageA(dialog, IDC_LABEL_LINE, BM_SETCHECK, kStates[static_cast<int>(model_->BoxState())], 0);
  }

  std::optional<Vt100SettingsPage> model_;
};

class Vt100Dll : public ModuleDll {
 public:
  Vt100Dll(ConfigStore& store, PrinterPort& printerPort) : module_(store, printerPort) {}
  ModuleFrame& Frame() override { return module_.frame; }
  SettingsPage& Page() override { return page_; }

 private:
  Vt100Module module_;
  Vt100Page page_;
};

}  // namespace

std::unique_ptr<ModuleDll> CreateModuleDll(ConfigStore& store, PrinterPort& printerPort) {
  return std::make_unique<Vt100Dll>(store, printerPort);
}

}  // namespace korvane
