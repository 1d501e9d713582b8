#include "local_echo.h"

#include <string>

namespace korvane {

void EchoLocally(const DisplayLink& display, const unsigned char* bytes, int count) {
  // The screen translates written text in place: give it a copy, never the
  // caller's bytes.
  std::string run;
  auto writeRun = [&](bool evenEmpty) {
    if (evenEmpty || !run.empty())
      display.Send(WUM_WRITE, reinterpret_cast<uintptr_t>(run.data()), static_cast<intptr_t>(run.size()));
    run.clear();
  };
  for (int i = 0; bytes && i < count; ++i) {
    switch (bytes[i]) {
      case 8:
        writeRun(true);
        display.Send(WUM_CURSORLEFT, 0, 1);
        break;
      case 10:
        writeRun(true);
        display.Send(WUM_CURSORDOWN, 0, 1);
        break;
      case 13:
        writeRun(true);
        display.Send(WUM_CARRIAGERETURN, 0, 0);
        break;
      default:
        run += static_cast<char>(bytes[i]);
        break;
    }
  }
  writeRun(false);
}

}  // namespace korvane
