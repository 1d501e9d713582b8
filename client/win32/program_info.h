// The program information lines (start-up log and "Record Info") and the
// "Program Info" dialog that shows them.
#pragma once

#include <string>

namespace korvane {

std::string WindowsVersionText();  // "Win9x", "WinNT" or "Win=%d"
void WriteProgramInfo();           // the four lines into the event log
void ShowProgramInfoDialog();      // Help / Program Info

}  // namespace korvane
