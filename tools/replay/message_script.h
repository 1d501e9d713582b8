// Display messages as text, one per line, for recorded traces and for the
// replay tool's message input:
//   WRITE "text"                 text with \n \r \t \e \xNN \\ \" escapes
//   ERASERECT 0 0 -1 -1 [relative]
//   SCROLLRECT left top right bottom count   (SHIFTRECT the same)
//   ATTRIBUTES word [background foreground which]
//   SETCOLOR word background foreground which
//   SETOPTION 3 "status text" | SETOPTION 6 word | SETOPTION option value
//   LOG "text" | SENDDATA "bytes"
//   NAME [wParam [lParam]]       every other message; NAME may be a number
// Names are the WUM_ names without the prefix, in any case; numbers are
// decimal or 0x hex, signed. Blank lines and lines starting with # are skipped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "display_messages.h"

namespace korvane {

struct ScriptMessage {
  uint32_t message = 0;  // 0: nothing to send (blank or comment)
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  // Owned parameter records; Send points wParam / lParam at them.
  std::string text;
  CellRect rect{};
  uint32_t word = 0;
  ColourRecord colours{};
  StatusText status{};
  enum class Points { None, Text, Rect, Word, WordAndColours, StatusText, StatusWord } points = Points::None;
};

// The WUM_ name of a message without its prefix ("WRITE"), or its number.
std::string MessageName(uint32_t message);

// False, with the reason, for a line that is not a message.
bool ParseMessageLine(std::string_view line, ScriptMessage& out, std::string& error);
intptr_t SendScriptMessage(ScriptMessage& message, const DisplayLink& link);
// The line that ParseMessageLine reads back into the same message; pointer
// parameters are read during the call.
std::string FormatMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

// A link that writes each message as a line to `sink` and passes it on.
struct TracingLink {
  DisplayLink next;
  void (*sink)(void* context, const std::string& line) = nullptr;
  void* context = nullptr;
  DisplayLink Link();
};

}  // namespace korvane
