// What the VT100, ANSI and SCO ANSI emulators share beyond the collector:
// the attribute word, the common ground controls and ESC sequences, and
// the CSI handlers that behave alike in all three. Each emulator names
// these handlers in its own CSI table beside its own ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

  // --- Host compatibility (used only while HostRules() holds) ---
  // ESC [ 5 n: "ESC [ 0 n"; ESC [ 6 n: the cursor position report.
  void DeviceStatus();
  // ESC [ c and ESC [ 0 c: a VT100 with advanced video.
  void DeviceAttributes();
  // Bytes for the host, through the module's send path.
  void Answer(const std::string& bytes);
  // The cursor, the grid or the region as the client has it (QUERY_*).
  uint32_t Query(int32_t what) {
    return static_cast<uint32_t>(Send(WUM_SETOPTION, OPTION_QUERYSCREEN, what));
  }
  static int32_t Low(uint32_t packed) { return static_cast<int32_t>(packed & 0xFFFF); }
  static int32_t High(uint32_t packed) { return static_cast<int32_t>(packed >> 16); }
  // The lParam flags of an absolute cursor move: limited to the screen,
  // rows inside the region in origin mode.
  intptr_t CursorFlags() const;
  // To the first row and column (the region's top in origin mode).
  void Home();
  // The host's extra rendition parameters (39, 49, 38/48 with 5 or 2,
  // 90-97, 100-107, 23, 28); the number of further parameters used, or -1
  // when `index` is none of them.
  int HostRendition(int index, ColourRecord& colours);
  // A colour of 38/48 ; 5 ; n as one of the 16 palette colours.
  static int32_t PaletteColour(int32_t n);

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
  // ESC [ ? 6 h: cursor rows count from the region's top.
  bool originMode_ = false;
  // The height of a visible cursor, for ESC [ ? 25 h after ESC [ ? 25 l.
  int32_t cursorTenths_ = 2;

 private:
  void SetColour(int32_t which);
};

}  // namespace korvane
