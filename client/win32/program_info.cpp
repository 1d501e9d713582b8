#include "program_info.h"

#include <windows.h>

#include "client_app.h"
#include "text_util.h"
#include "version.h"

namespace korvane {

std::string WindowsVersionText() {
  switch (App().platformId) {
    case VER_PLATFORM_WIN32_WINDOWS: return "Win9x";
    case VER_PLATFORM_WIN32_NT: return "WinNT";
    default: return Format("Win=%d", static_cast<int>(App().platformId));
  }
}

void WriteProgramInfo() {
  ClientApp& app = App();
  char layout[KL_NAMELENGTH] = "";
  GetKeyboardLayoutNameA(layout);
  app.log.WriteRecord("Keyboard Layout: %s\n", layout);
  app.log.WriteRecord("Korvane Version: %s\n", kVersion);
  app.log.WriteRecord("Term Type: %s\n", app.termType.c_str());
  app.log.WriteRecord("Windows Version %s\n", WindowsVersionText().c_str());
}

// The dialog arrives with the about box's work; the menu command already calls it.
void ShowProgramInfoDialog() {}

}  // namespace korvane
