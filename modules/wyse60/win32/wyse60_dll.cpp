// emu_wyse60.dll: the Wyse 60 module and its settings page.
#include <windows.h>

#include <optional>
#include <string>

#include "module_dll.h"
#include "settings_dialog.h"
#include "text_util.h"
#include "wyse60_emulator.h"
#include "wyse60_resource_ids.h"
#include "wyse60_settings_page.h"

namespace korvane {

namespace {

class Wyse60Page : public SettingsPage {
 public:
  explicit Wyse60Page(Wyse60Emulator& emulator) : emulator_(emulator) {}

  Controls Ids() const override { return {IDC_ROWS, IDC_COLUMNS, IDC_TERM_TYPE, IDC_OK, IDC_CANCEL}; }

  void Prepare(ModuleFrame& frame) override {
    model_.emplace(frame.screen, frame.ReadSetting("Max_Pages"), emulator_.AlternateKeys());
  }

  void Initialised(HWND dialog) override {
    SendDlgItemMessageA(dialog, IDC_MAX_PAGES, EM_LIMITTEXT, 10, 0);
    SetDlgItemTextA(dialog, IDC_MAX_PAGES, Format("%d", model_->Pages()).c_str());
    CheckDlgButton(dialog, IDC_ALT_KEYS, model_->AlternateKeys() ? BST_CHECKED : BST_UNCHECKED);
    ShowBox(dialog);
  }

  void Command(HWND dialog, int id, int code) override {
    if (id == IDC_ROWS && code == CBN_SELCHANGE) {
      model_->RowsSelected(RowsAt(SelectedPosition(dialog, IDC_ROWS), 24));
      ShowBox(dialog);
    } else if (id == IDC_LABEL_LINE && code == BN_CLICKED) {
      model_->Clicked();
      ShowBox(dialog);
    }
  }

  // Stored in this order: Max_Pages, TermType, AltFuncMapping, InitialScreen.
  void Accept(HWND dialog, ModuleFrame& frame) override {
    char pages[16] = "";
    GetDlgItemTextA(dialog, IDC_MAX_PAGES, pages, sizeof pages);
    frame.WriteSetting("Max_Pages", Wyse60SettingsPage::PagesToStore(pages));
    StoreTermType(dialog, IDC_TERM_TYPE, frame);
    bool alternate = IsDlgButtonChecked(dialog, IDC_ALT_KEYS) == BST_CHECKED;
    frame.WriteSetting("AltFuncMapping", alternate ? "1" : "0");
    emulator_.SetAlternateKeys(alternate);
    frame.screen = model_->Accepted(SelectedPosition(dialog, IDC_ROWS), SelectedPosition(dialog, IDC_COLUMNS));
    frame.WriteSetting("InitialScreen", FormatInitialScreen(frame.screen));
  }

 private:
  void ShowBox(HWND dialog) {
    static const WPARAM kStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    SendDlgItemMessageA(dialog, IDC_LABEL_LINE, BM_SETCHECK, kStates[static_cast<int>(model_->BoxState())], 0);
  }

  Wyse60Emulator& emulator_;
  std::optional<Wyse60SettingsPage> model_;
};

class Wyse60Dll : public ModuleDll {
 public:
  Wyse60Dll(ConfigStore& store, PrinterPort& printerPort) : module_(store, printerPort), page_(module_.emulator) {}
  ModuleFrame& Frame() override { return module_.frame; }
  SettingsPage& Page() override { return page_; }

 private:
  Wyse60Module module_;
  Wyse60Page page_;
};

}  // namespace

std::unique_ptr<ModuleDll> CreateModuleDll(ConfigStore& store, PrinterPort& printerPort) {
  return std::make_unique<Wyse60Dll>(store, printerPort);
}

}  // namespace korvane
