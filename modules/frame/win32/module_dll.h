// What a module DLL adds to the frame's exports: its module (frame and
// emulator) and the page of its settings dialog.
#pragma once

#include <windows.h>

#include <memory>

#include "config_store.h"
#include "module_frame.h"
#include "printer_pass_through.h"

namespace korvane {

// The "&Host compatibility" check box, the same id in every module's
// dialog; the shell shows and stores it (Terms\<type> HostCompatibility).
constexpr int kHostCompatibilityBox = 1020;

// The module's controls inside dialog resource 101. The shell fills the
// common lists and the TermType field; the page does the rest.
class SettingsPage {
 public:
  struct Controls {
    int rows, columns, termType, ok, cancel;
  };

  virtual ~SettingsPage() = default;
  virtual Controls Ids() const = 0;
  // Before the lists are filled: the page may adjust the module's values.
  virtual void Prepare(ModuleFrame&) {}
  // After the common controls are set.
  virtual void Initialised(HWND) {}
  // A command from a control the shell does not handle (the rows list
  // included, after the shell).
  virtual void Command(HWND, int, int) {}
  // OK: store the values; the shell closes the dialog afterwards.
  virtual void Accept(HWND dialog, ModuleFrame& frame) = 0;
};

class ModuleDll {
 public:
  virtual ~ModuleDll() = default;
  virtual ModuleFrame& Frame() = 0;
  virtual SettingsPage& Page() = 0;
};

// Supplied by each module DLL; called once when the DLL is loaded.
std::unique_ptr<ModuleDll> CreateModuleDll(ConfigStore& store, PrinterPort& printerPort);

}  // namespace korvane
