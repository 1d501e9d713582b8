#include "ansi_family_emulator.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace korvane {

uintptr_t AnsiFamilyEmulator::Pack(int32_t low, int32_t high) {
  return MakeLong(static_cast<uint32_t>(std::clamp(low, 0, 0xFFFF)), static_cast<uint32_t>(std::clamp(high, 0, 0xFFFF)));
}

// --- Ground and ESC ---

void AnsiFamilyEmulator::MarkCommonControls() {
  for (uint8_t byte : {NUL, BEL, BS, HT, LF, FF, CR, SO, SI, DC2, ESC}) MarkControl(byte, true);
}

bool AnsiFamilyEmulator::CommonControl(uint8_t byte) {
  switch (byte) {
    case NUL:
    case DC2: break;  // dropped
    case BEL: Send(WUM_BEEP); break;
    case BS: Send(WUM_CURSORLEFT, 0, 1); break;
    case HT: Send(WUM_TAB, 0); break;
    case LF: Send(WUM_CURSORDOWN, 0, 1); break;
    case FF:
      Send(WUM_CLEARSCREEN);
      Send(WUM_MOVECURSOR, 0);
      break;
    case CR: Send(WUM_CARRIAGERETURN); break;
    case SO: SetCharacterSet(ATTR_GRAPHICS); break;
    case SI: SetCharacterSet(0); break;
    default: return false;
  }
  return true;
}

bool AnsiFamilyEmulator::CommonEscape(uint8_t byte) {
  switch (byte) {
    case '1': Send(WUM_SETTAB); break;
    case '2': Send(WUM_CLEARTAB, 1); break;
    case '7': Send(WUM_SAVECURSOR, 1); break;
    case '8': Send(WUM_RESTORECURSOR, 1); break;
    default: return false;
  }
  return true;
}

// --- CSI handlers ---

void AnsiFamilyEmulator::InsertChars() { Send(WUM_INSERTCHARS, 0, CountParameter()); }
void AnsiFamilyEmulator::CursorUp() { Send(WUM_CURSORUP, 0, CountParameter()); }
// Under host rules CUD and CUF stop at the region's bottom and the last
// column instead of scrolling or wrapping.
void AnsiFamilyEmulator::CursorDown() { Send(WUM_CURSORDOWN, HostRules() ? 1 : 0, CountParameter()); }
void AnsiFamilyEmulator::CursorRight() { Send(WUM_CURSORRIGHT, HostRules() ? 1 : 0, CountParameter()); }
void AnsiFamilyEmulator::CursorLeft() { Send(WUM_CURSORLEFT, 0, CountParameter()); }
void AnsiFamilyEmulator::InsertLines() { Send(WUM_INSERTLINES, 0, CountParameter()); }
void AnsiFamilyEmulator::DeleteLines() { Send(WUM_DELETELINES, 0, CountParameter()); }
void AnsiFamilyEmulator::DeleteChars() { Send(WUM_DELETECHARS, 0, CountParameter()); }
void AnsiFamilyEmulator::ScrollUp() { Send(WUM_SCROLLREGION, 0, CountParameter()); }
void AnsiFamilyEmulator::SaveCursor() { Send(WUM_SAVECURSOR, 0); }
void AnsiFamilyEmulator::RestoreCursor() { Send(WUM_RESTORECURSOR, 0); }

// ESC [ = start ; end C: the cursor's scan lines out of 16, as tenths of
// the cell. A visible cursor is at least one tenth and at most the cell.
void AnsiFamilyEmulator::CursorShape() {
  int64_t span = std::llabs(int64_t{Parameter(1)} - Parameter(0));
  int64_t tenths = std::min<int64_t>(span * 10 / 16, 10);
  if (span != 0 && tenths == 0) tenths = 1;
  if (tenths != 0) cursorTenths_ = static_cast<int32_t>(tenths);
  Send(WUM_SETCURSOR, 0, static_cast<intptr_t>(tenths));
}

void AnsiFamilyEmulator::IgnoreColourModeE() { frame_.log.Log("IGNORE ESC[=%dE\n", Parameter(0)); }

void AnsiFamilyEmulator::ForegroundColour() { SetColour(COLOUR_GIVES_FOREGROUND); }
void AnsiFamilyEmulator::BackgroundColour() { SetColour(COLOUR_GIVES_BACKGROUND); }

void AnsiFamilyEmulator::SetColour(int32_t which) {
  int32_t colour = Parameter(0);
  if (colour < 0 || colour > 15) {
    frame_.log.Log("Invalid range for parameter\n");
    return Unrecognised();
  }
  if (!HonoursColourRequests()) return;
  ColourRecord record{0, 0, which};
  (which == COLOUR_GIVES_FOREGROUND ? record.foreground : record.background) = colour;
  Send(WUM_SETCOLOR, reinterpret_cast<uintptr_t>(&attributes_), reinterpret_cast<intptr_t>(&record));
}

void AnsiFamilyEmulator::CursorPosition() {
  auto lowered = [this](int i) { return Parameter(i) > 0 ? Parameter(i) - 1 : Parameter(i); };
  Send(WUM_MOVECURSOR, Pack(lowered(1), lowered(0)), CursorFlags());
}

// --- Host compatibility ---

intptr_t AnsiFamilyEmulator::CursorFlags() const {
  if (!HostRules()) return 0;
  return CURSOR_LIMIT | (originMode_ ? CURSOR_ORIGIN : 0);
}

void AnsiFamilyEmulator::Home() { Send(WUM_MOVECURSOR, 0, CursorFlags()); }

void AnsiFamilyEmulator::Answer(const std::string& bytes) {
  Send(WUM_SENDDATA, reinterpret_cast<uintptr_t>(bytes.data()), static_cast<intptr_t>(bytes.size()));
}

void AnsiFamilyEmulator::DeviceStatus() {
  switch (Parameter(0)) {
    case 5: Answer("\x1b[0n"); break;
    case 6: {
      uint32_t cursor = Query(QUERY_CURSOR);
      int32_t row = High(cursor), column = Low(cursor);
      if (originMode_) row -= Low(Query(QUERY_REGION));
      Answer("\x1b[" + std::to_string(std::max(row, 0) + 1) + ';' + std::to_string(column + 1) + 'R');
      break;
    }
    default: Unrecognised(); break;
  }
}

void AnsiFamilyEmulator::DeviceAttributes() {
  if (Parameter(0) != 0) return Unrecognised();
  Answer("\x1b[?1;2c");
}

int32_t AnsiFamilyEmulator::PaletteColour(int32_t n) {
  if (n < 16) return n;
  if (n >= 232) {  // the grey ramp: black, dark grey, grey, white
    int32_t level = n - 232;
    return level < 6 ? 0 : level < 12 ? 8 : level < 18 ? 7 : 15;
  }
  int32_t cube = n - 16, r = cube / 36, g = cube / 6 % 6, b = cube % 6;
  int32_t colour = (r >= 3 ? 1 : 0) | (g >= 3 ? 2 : 0) | (b >= 3 ? 4 : 0);
  return std::max({r, g, b}) >= 5 ? colour + 8 : colour;
}

int AnsiFamilyEmulator::HostRendition(int index, ColourRecord& colours) {
  int32_t p = Parameter(index);
  auto colour = [&colours](bool foreground, int32_t value) {
    (foreground ? colours.foreground : colours.background) = value;
    colours.which |= foreground ? COLOUR_GIVES_FOREGROUND : COLOUR_GIVES_BACKGROUND;
  };
  if (p == 39 || p == 49) {
    colour(p == 39, p == 39 ? COLOUR_DEFAULT_FOREGROUND : COLOUR_DEFAULT_BACKGROUND);
  } else if (p == 38 || p == 48) {
    // 38 ; 5 ; n picks one of 256 colours; 38 ; 2 ; r ; g ; b is consumed.
    int32_t form = Parameter(index + 1);
    if (form == 5) {
      if (index + 2 < ParameterCount()) colour(p == 38, PaletteColour(std::min(Parameter(index + 2), 255)));
      return 2;
    }
    return form == 2 ? 4 : 1;
  } else if (p >= 90 && p <= 97) {
    colour(true, p - 90 + 8);
  } else if (p >= 100 && p <= 107) {
    colour(false, p - 100 + 8);
  } else if (p == 23) {
    attributes_ &= ~ATTR_ITALIC;
  } else if (p == 28) {
    attributes_ &= ~ATTR_INVISIBLE;
  } else {
    return -1;
  }
  return 0;
}

void AnsiFamilyEmulator::EraseDisplay() {
  switch (Parameter(0)) {
    case 0: Send(WUM_CLEAREOS); break;
    case 1: Send(WUM_CLEARBOS); break;
    case 2:
      Send(WUM_CLEARSCREEN);
      Send(WUM_MOVECURSOR, 0);
      break;
    default: Unrecognised(); break;
  }
}

void AnsiFamilyEmulator::EraseLine() {
  switch (Parameter(0)) {
    case 0: Send(WUM_CLEAREOL); break;
    case 1: Send(WUM_CLEARBOL); break;
    case 2: Send(WUM_CLEARLINE); break;
    default: Unrecognised(); break;
  }
}

void AnsiFamilyEmulator::ClearTabs() {
  switch (Parameter(0)) {
    case 0: Send(WUM_CLEARTAB, 0); break;
    case 3: Send(WUM_CLEARTAB, 1); break;
    default: Unrecognised(); break;
  }
}

// --- Rendition ---

bool AnsiFamilyEmulator::ApplyRendition(int32_t p, ColourRecord& colours) {
  auto foreground = [&colours](int32_t colour) {
    colours.foreground = colour;
    colours.which |= COLOUR_GIVES_FOREGROUND;
  };
  auto background = [&colours](int32_t colour) {
    colours.background = colour;
    colours.which |= COLOUR_GIVES_BACKGROUND;
  };
  uint32_t& a = attributes_;
  switch (p) {
    case 0:
      a = 0;
      foreground(COLOUR_DEFAULT_FOREGROUND);
      background(COLOUR_DEFAULT_BACKGROUND);
      return true;
    case 1: a = (a | ATTR_BOLD) & ~(ATTR_DIM | ATTR_INVISIBLE); return true;
    case 2: a = (a | ATTR_DIM) & ~(ATTR_BOLD | ATTR_INVISIBLE); return true;
    case 3: a |= ATTR_ITALIC; return true;
    case 4: a |= ATTR_UNDERLINE; return true;
    case 5: a = (a | ATTR_BLINK) & ~ATTR_RAPIDBLINK; return true;
    case 6: a = (a | ATTR_RAPIDBLINK) & ~ATTR_BLINK; return true;
    case 7: a |= ATTR_REVERSE; return true;
    case 8: a |= ATTR_INVISIBLE; return true;
    case 10: a &= ~kCharacterSetField; return true;
    case 11: return true;
    case 12: a |= ATTR_GRAPHICS; return true;
    case 13: a = (a | ATTR_DOUBLEHEIGHT) & ~ATTR_BOTTOMHALF; return true;
    case 14: a |= ATTR_DOUBLEHEIGHT | ATTR_BOTTOMHALF; return true;
    case 15: a |= ATTR_DOUBLEWIDTH; return true;
    case 22: a &= ~(ATTR_BOLD | ATTR_DIM | ATTR_INVISIBLE); return true;
    case 24: a &= ~ATTR_UNDERLINE; return true;
    case 25: a &= ~(ATTR_BLINK | ATTR_RAPIDBLINK); return true;
    case 27: a &= ~ATTR_REVERSE; return true;
    default: break;
  }
  if (p >= 30 && p <= 39) foreground(p - 30);
  else if (p >= 40 && p <= 49) background(p - 40);
  else if (p >= 310 && p <= 315) foreground(p - 300);
  else if (p >= 410 && p <= 415) background(p - 400);
  else return false;
  return true;
}

void AnsiFamilyEmulator::SetCharacterSet(uint32_t field) {
  attributes_ = (attributes_ & ~kCharacterSetField) | field;
  SendAttributes(nullptr);
}

void AnsiFamilyEmulator::SendAttributes(ColourRecord* colours) {
  Send(WUM_ATTRIBUTES, reinterpret_cast<uintptr_t>(&attributes_), reinterpret_cast<intptr_t>(colours));
}

}  // namespace korvane
