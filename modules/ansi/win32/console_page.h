// The settings page of the ANSI and SCO ANSI modules (dialog 101): rows
// and columns lists, the TermType field, the font-family list and, on the
// ANSI page, the "Ignore SetColor" and "Ignore Doublesize Chars" boxes.
#pragma once

#include <windows.h>

#include "ansi_console_emulator.h"
#include "module_dll.h"

namespace korvane {

class ConsolePage : public SettingsPage {
 public:
  struct ControlIds {
    Controls common;
    int fontFamily;
    int ignoreColour, ignoreDoubleSize;  // 0: the page has none
  };

  ConsolePage(const ControlIds& ids, ModuleFrame& frame, AnsiConsoleEmulator& emulator)
      : ids_(ids), frame_(frame), emulator_(emulator) {}

  Controls Ids() const override { return ids_.common; }
  void Initialised(HWND dialog) override;
  void Accept(HWND dialog, ModuleFrame& frame) override;

 private:
  void ShowBox(HWND dialog, int id, const char* setting);
  bool Checked(HWND dialog, int id) const;

  ControlIds ids_;
  ModuleFrame& frame_;
  AnsiConsoleEmulator& emulator_;
};

}  // namespace korvane
