#include "ansi_emulator.h"

#include <algorithm>
#include <vector>

namespace korvane {

namespace {

bool IsColourParameter(int32_t p) {
  return (p >= 30 && p <= 49) || (p >= 310 && p <= 315) || (p >= 410 && p <= 415);
}

bool IsDoubleSizeParameter(int32_t p) { return p >= 13 && p <= 15; }

}  // namespace

void AnsiEmulator::Attached() {
  ignoreColour_ = frame_.SettingIsY("Ignore_SetColor");
  ignoreDoubleSize_ = frame_.SettingIsY("Ignore_DoubleSize");
}

// Ground: the VT100 family's controls; DC4 is text here.
void AnsiEmulator::ControlByte(uint8_t byte) {
  CommonControl(byte);
  FollowGraphics();
}

// clang-format off
const AnsiEmulator::Row AnsiEmulator::kCsiTable[] = {
    {'@', kPrefixNone, &AnsiEmulator::InsertChars},
    {'A', kPrefixNone, &AnsiEmulator::CursorUp},
    {'B', kPrefixNone, &AnsiEmulator::CursorDown},
    {'C', kPrefixNone, &AnsiEmulator::CursorRight},
    {'C', kPrefixEquals, &AnsiEmulator::CursorShape},
    {'D', kPrefixNone, &AnsiEmulator::CursorLeft},
    {'E', kPrefixEquals, &AnsiEmulator::IgnoreColourModeE},
    {'F', kPrefixEquals, &AnsiEmulator::ForegroundColour},
    {'F', kPrefixNone | kPrefixQuestion, &AnsiEmulator::Ignore},
    {'G', kPrefixEquals, &AnsiEmulator::BackgroundColour},
    {'G', kPrefixNone | kPrefixQuestion, &AnsiEmulator::Ignore},
    {'H', kPrefixNone, &AnsiEmulator::CursorPosition},
    {'J', kPrefixNone, &AnsiEmulator::EraseDisplay},
    {'K', kPrefixNone, &AnsiEmulator::EraseLine},
    {'L', kPrefixNone, &AnsiEmulator::InsertLines},
    {'M', kPrefixNone, &AnsiEmulator::DeleteLines},
    {'P', kPrefixNone, &AnsiEmulator::DeleteChars},
    {'S', kPrefixNone, &AnsiEmulator::ScrollUp},
    {'h', kPrefixQuestion, &AnsiEmulator::AutoWrapOn},
    {'l', kPrefixQuestion, &AnsiEmulator::AutoWrapOff},
    {'m', kPrefixNone, &AnsiEmulator::SetGraphicRendition},
    {'s', kPrefixNone, &AnsiEmulator::SaveCursor},
    {'u', kPrefixNone, &AnsiEmulator::RestoreCursor},
};

const AnsiEmulator::Row AnsiEmulator::kHostCsiTable[] = {
    {'G', kPrefixNone, &AnsiEmulator::ColumnAbsolute},
    {'`', kPrefixNone, &AnsiEmulator::ColumnAbsolute},
    {'I', kPrefixNone, &AnsiEmulator::ForwardTab},
    {'T', kPrefixNone, &AnsiEmulator::ScrollDown},
    {'X', kPrefixNone, &AnsiEmulator::EraseChars},
    {'Z', kPrefixNone, &AnsiEmulator::BackTab},
    {'b', kPrefixNone, &AnsiEmulator::Repeat},
    {'c', kPrefixNone, &AnsiEmulator::DeviceAttributes},
    {'d', kPrefixNone, &AnsiEmulator::RowAbsolute},
    {'f', kPrefixNone, &AnsiEmulator::CursorPosition},
    {'n', kPrefixNone, &AnsiEmulator::DeviceStatus},
};
const CsiIndex<AnsiEmulator> AnsiEmulator::kCsiIndex{kCsiTable};
const CsiIndex<AnsiEmulator> AnsiEmulator::kHostCsiIndex{kHostCsiTable};
// clang-format on

void AnsiEmulator::CsiFinal(uint8_t byte) {
  if (HostRules() && kHostCsiIndex.Dispatch(*this, byte, PrefixBit())) return;
  if (!kCsiIndex.Dispatch(*this, byte, PrefixBit())) Unrecognised();
}

// --- Host compatibility ---

// ESC [ n d, ESC [ n G and ESC [ n `: row or column n (from 1), held to the screen.
void AnsiEmulator::RowAbsolute() {
  Send(WUM_SETROWORCOL, static_cast<uintptr_t>(CountParameter() - 1), 1 | CURSOR_LIMIT);
}

void AnsiEmulator::ColumnAbsolute() {
  Send(WUM_SETROWORCOL, static_cast<uintptr_t>(CountParameter() - 1), CURSOR_LIMIT);
}

// ESC [ n X: n cells from the cursor on, not past the line's end.
void AnsiEmulator::EraseChars() {
  uint32_t cursor = Query(QUERY_CURSOR);
  int32_t columns = Low(Query(QUERY_SIZE));
  int32_t column = Low(cursor), row = High(cursor);
  if (column >= columns) return;
  int32_t last = static_cast<int32_t>(std::min<int64_t>(int64_t{column} + CountParameter() - 1, columns - 1));
  CellRect rect{column, row, last, row};
  Send(WUM_ERASERECT, reinterpret_cast<uintptr_t>(&rect), 0);
}

void AnsiEmulator::BackTab() { Send(WUM_TAB, static_cast<uintptr_t>(-static_cast<intptr_t>(CountParameter()))); }
void AnsiEmulator::ForwardTab() { Send(WUM_TAB, static_cast<uintptr_t>(CountParameter())); }
void AnsiEmulator::ScrollDown() { Send(WUM_SCROLLREGION, 0, -static_cast<intptr_t>(CountParameter())); }

// The VT100 family's table, except that 22 also ends reverse and blinking,
// and the ignore switches make colour and double-size parameters accepted
// but without effect (parameter 0 still gives the default colours).
int AnsiEmulator::Rendition(int index, ColourRecord& colours) {
  if (HostRules()) {
    // Under Ignore_SetColor the host's colours are taken in and dropped.
    ColourRecord dropped = colours;
    int used = HostRendition(index, ignoreColour_ ? dropped : colours);
    if (used >= 0) return used;
  }
  int32_t p = Parameter(index);
  if (p == 22) {
    attributes_ &= ~(ATTR_BOLD | ATTR_REVERSE | ATTR_BLINK | ATTR_RAPIDBLINK);
  } else if ((ignoreColour_ && IsColourParameter(p)) || (ignoreDoubleSize_ && IsDoubleSizeParameter(p))) {
    // accepted, no effect
  } else if (!ApplyRendition(p, colours)) {
    UnknownRendition(p);
  }
  return 0;
}

}  // namespace korvane
