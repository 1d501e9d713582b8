// The SCO ANSI parser under fuzzing, printer pass-through included (the
// checks are in module_fuzz.h).
#include "module_fuzz.h"
#include "scoansi_emulator.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz::MessageRules rules = {
      {WUM_WRITE, WUM_SENDDATA, WUM_LOG, WUM_CURSORUP, WUM_CURSORLEFT, WUM_CURSORRIGHT, WUM_CURSORDOWN,
       WUM_INSERTCHARS, WUM_DELETECHARS, WUM_INSERTLINES, WUM_DELETELINES, WUM_SCROLLREGION, WUM_TAB,
       WUM_MOVECURSOR, WUM_BEEP, WUM_SETTAB, WUM_CARRIAGERETURN, WUM_CLEARSCREEN, WUM_CLEAREOS, WUM_CLEARBOS,
       WUM_CLEAREOL, WUM_CLEARBOL, WUM_CLEARLINE, WUM_CLEARTAB, WUM_SAVECURSOR, WUM_RESTORECURSOR,
       WUM_SETCURSOR, WUM_ATTRIBUTES, WUM_SETCOLOR, WUM_SETOPTION, WUM_SETROWORCOL, WUM_ERASERECT,
       WUM_SENDSCREEN},
      {OPTION_AUTOWRAP, OPTION_KEYBOARDLOCK},
      // Pair colours past the client's table reach it unmapped.
      SequenceParser::kParameterLimit,
      SequenceParser::kParameterLimit,
      true,
      "Terms\\scoansi",
      {"FontFamily", kHostCompatibilityValue},
  };
  fuzz::FuzzModule<ScoAnsiModule>(data, size, rules);
  return 0;
}
