#include "ansi_emulator.h"

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
// clang-format on

void AnsiEmulator::CsiFinal(uint8_t byte) {
  if (!DispatchCsi(*this, kCsiTable, byte, PrefixBit())) Unrecognised();
}

// The VT100 family's table, except that 22 also ends reverse and blinking,
// and the ignore switches make colour and double-size parameters accepted
// but without effect (parameter 0 still gives the default colours).
int AnsiEmulator::Rendition(int index, ColourRecord& colours) {
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
