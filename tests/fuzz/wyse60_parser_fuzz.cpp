// The Wyse 60 parser under fuzzing: monitor mode, printer pass-through,
// host-programmed keys and labels, the stored page count and key mapping
// (the checks are in module_fuzz.h).
#include "module_fuzz.h"
#include "wyse60_emulator.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz::MessageRules rules = {
      {WUM_WRITE, WUM_SENDDATA, WUM_LOG, WUM_CURSORUP, WUM_CURSORLEFT, WUM_CURSORRIGHT, WUM_CURSORDOWN,
       WUM_INSERTCHARS, WUM_DELETECHARS, WUM_INSERTLINES, WUM_DELETELINES, WUM_TAB, WUM_MOVECURSOR, WUM_RESIZE,
       WUM_BEEP, WUM_SETTAB, WUM_CARRIAGERETURN, WUM_CLEARSCREEN, WUM_CLEAREOS, WUM_CLEAREOL, WUM_CLEARTAB,
       WUM_SETCURSOR, WUM_ATTRIBUTES, WUM_SETOPTION, WUM_SETPAGE},
      {OPTION_AUTOWRAP, OPTION_STATUSLINE, OPTION_STATUSTEXT, OPTION_SCROLLATBOTTOM, OPTION_STATUSATTRIBUTE,
       OPTION_MEMORYPAGES, OPTION_KEYBOARDLOCK},
      0,
      0,
      true,
      "Terms\\wyse60",
      {"Max_Pages", "AltFuncMapping", kHostCompatibilityValue},
      true,
      static_cast<int32_t>(Wyse60Emulator::kSequenceLimit),
      0x1FF | ATTR_GRAPHICS | (1u << ATTR_CHARSET_SHIFT),
  };
  fuzz::FuzzModule<Wyse60Module>(data, size, rules);
  return 0;
}
