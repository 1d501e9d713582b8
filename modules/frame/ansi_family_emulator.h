// What the VT100, ANSI and SCO ANSI emulators share beyond the collector:
// the attribute word, the common ground controls and ESC sequences, and
// the CSI handlers that behave alike in all three. Each emulator names
// these handlers in its own CSI table beside its own ones.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sequence_parser.h"

namespace korvane {

class AnsiFamilyEmulator : public SequenceParser {
 protected:
  explicit AnsiFamilyEmulator(ModuleFrame& frame) : SequenceParser(frame) {}

  // Ground: NUL BEL BS HT LF FF CR SO SI DC2 (ESC is always a control).
  void MarkCommonControls();
  // Handles one of those; false for any other byte.
  bool CommonControl(uint8_t byte);
  // After ESC: 1 2 7 8; false for any other byte.
  bool CommonEscape(uint8_t byte);

  // CSI handlers.
  void InsertChars();
  void CursorUp();
  void CursorDown();
  void CursorRight();
  void CursorLeft();
  void CursorShape();
  void IgnoreColourModeE();
  void ForegroundColour();
  void BackgroundColour();
  void CursorPosition();
  void EraseDisplay();
  void EraseLine();
  void InsertLines();
  void DeleteLines();
  void DeleteChars();
  void ScrollUp();
  void ClearTabs();
  void SaveCursor();
  void RestoreCursor();
  void Ignore() {}

  // ESC [ = n F and ESC [ = n G: an emulator that may be told to ignore the
  // host's colours says so here (the range is still checked and logged).
  virtual bool HonoursColourRequests() const { return true; }

  // One parameter of ESC [ ... m by the common table; false when the
  // table does not know it (the caller logs it).
  bool ApplyRendition(int32_t parameter, ColourRecord& colours);
  // The character-set field (GRAPHICS and the set number) becomes `field`.
  void SetCharacterSet(uint32_t field);
  void SendAttributes(ColourRecord* colours);
  intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return frame_.link.Send(message, wParam, lParam);
  }
  // Two 16-bit halves of a wParam, each held to its range first so that a
  // huge parameter cannot wrap into a small one.
  static uintptr_t Pack(int32_t low, int32_t high);

  static constexpr uint8_t NUL = 0, BEL = 7, BS = 8, HT = 9, LF = 10, FF = 12, CR = 13, SO = 14, SI = 15,
                           DC2 = 18, DC4 = 20, ESC = 27;
  static constexpr uint32_t kCharacterSetField = ATTR_GRAPHICS | ATTR_CHARSET_MASK;

  uint32_t attributes_ = 0;

 private:
  void SetColour(int32_t which);
};

}  // namespace korvane
