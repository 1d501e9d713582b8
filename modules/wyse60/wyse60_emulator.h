// The Wyse 60 emulator: turns a Wyse 60 host's byte stream into display
// messages. Three machine states: normal parsing, monitor mode (everything
// shown as received until ESC u) and printer pass-through (everything
// printed until DC4). Its grammar is its own: single-byte commands after
// ESC, fixed-length arguments and strings ended by CR or DEL.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "module_frame.h"

namespace korvane {

extern const ModuleDefaults kWyse60Defaults;
// The keys a Wyse 60 keyboard sends; the alternate list differs in the
// shifted function keys.
extern const int16_t* const kWyse60DefaultKeys;
extern const int16_t* const kWyse60AlternateKeys;

class Wyse60Emulator : public EmulatorHooks {
 public:
  enum class MachineState { Normal = 0, Monitor = 1, Printer = 2 };

  // Kept bytes of one unfinished sequence (a function-key definition or
  // label text included); a host that never ends a string cannot make the
  // buffer grow without end. The string is still consumed to its end.
  static constexpr size_t kSequenceLimit = 64 * 1024;
  // The label line: 13 labels of 10 columns; 132 columns are shown.
  static constexpr size_t kLabelLineSize = 133;
  static constexpr int32_t kLabelLineShown = 132;
  static constexpr int kLabelWidth = 10;
  // Memory pages when Max_Pages is absent or outside 1 to 9.
  static constexpr int kDefaultPages = 3;
  // wParam values of WUM_SETPAGE, WUM_CURSORUP and WUM_TAB.
  static constexpr uintptr_t kNextPage = static_cast<uintptr_t>(-1);
  static constexpr uintptr_t kPreviousPage = static_cast<uintptr_t>(-2);
  static constexpr uintptr_t kWrapAtTop = static_cast<uintptr_t>(-1);
  static constexpr uintptr_t kScrollAtTop = 1;
  static constexpr uintptr_t kOneStopBack = static_cast<uintptr_t>(-1);

  explicit Wyse60Emulator(ModuleFrame& frame);

  // --- EmulatorHooks ---
  void Submit(const uint8_t* bytes, size_t count) override;
  const int16_t* DefaultKeyList() const override {
    return alternateKeys_ ? kWyse60AlternateKeys : kWyse60DefaultKeys;
  }
  void ReadSettings() override;
  void DescribeTerminal(TermInfo& info) override;
  void ResetMode() override;

  bool AlternateKeys() const { return alternateKeys_; }
  void SetAlternateKeys(bool alternate) { alternateKeys_ = alternate; }
  MachineState Machine() const { return machine_; }
  // The memory pages dll_Init announces for a stored Max_Pages value.
  static int PagesFor(const std::optional<std::string>& stored);

 private:
  enum class State : uint8_t {
    Ground,
    Escape,
    Complete,  // the sequence is done; the next byte starts afresh
    CursorRow,
    CursorColumn,
    DecimalRow,
    DecimalColumn,
    Attribute,
    LineGraphics,
    MessageFieldSelector,
    MessageFieldAttribute,
    ScreenMode,
    TildeGroup,
    GraveGroup,
    CGroup,
    CSkip,
    DGroup,
    EGroup,
    WGroup,
    ZGroup,
    LongKeySelector,
    LongKeyLetter,
    KeyText,     // up to DEL
    StringToCr,  // up to CR; `stringEnd_` says what the string is for
    ControlSequence,  // ESC [ with the switch on: dropped up to its final byte
  };
  enum class StringEnd : uint8_t { StatusText, LabelLine, ShiftedLabelLine, Label, Discard };

  // --- Block processing (wyse60_emulator.cpp) ---
  void ReserveFor(size_t count);
  void Dispatch(uint8_t byte);
  void MonitorByte(uint8_t byte);
  void PrinterByte(uint8_t byte);
  void Ground(uint8_t byte);
  void ControlByte(uint8_t byte);
  void Escape(uint8_t byte);
  // A byte after ESC that only the HostCompatibility switch knows; false
  // when it is not one.
  bool HostEscape(uint8_t byte);
  void ControlSequence(uint8_t byte);
  void ResetSequence();
  void SetMachine(MachineState machine);

  // --- Output helpers ---
  // The pending run (or any run): to the printer in printer pass-through,
  // else WUM_WRITE, preceded in insert mode by WUM_INSERTCHARS.
  void WriteRun(const uint8_t* bytes, size_t count);
  void FlushPending();
  void Collect(uint8_t byte);
  void Complete() { state_ = State::Complete; }
  intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return frame_.link.Send(message, wParam, lParam);
  }
  void Identify();
  void Home();
  void ClearScreen();
  void SendAttributes();
  void UseTranslation();
  // Logged (when asked) with the bytes of the sequence; the sequence is done.
  void Ignored(const char* name);
  void Unrecognised();

  // --- Sequences with arguments (wyse60_sequences.cpp) ---
  void CursorRow(uint8_t byte);
  void CursorColumn(uint8_t byte);
  void DecimalRow(uint8_t byte);
  void DecimalColumn(uint8_t byte);
  void Attribute(uint8_t byte);
  void LineGraphics(uint8_t byte);
  void MessageFieldSelector(uint8_t byte);
  void MessageFieldAttribute(uint8_t byte);
  void ScreenMode(uint8_t byte);
  void StringToCr(uint8_t byte);
  void TildeGroup(uint8_t byte);
  void GraveGroup(uint8_t byte);
  void CGroup(uint8_t byte);
  void CSkip(uint8_t byte);
  void DGroup(uint8_t byte);
  void EGroup(uint8_t byte);
  void WGroup(uint8_t byte);
  void StatusLineRows(int32_t shown, int32_t rows);
  void CharacterSet(uint32_t field);
  // The low 9 bits of `word` from the attribute table; an unknown byte
  // leaves them clear and is logged.
  void SetVideoBits(uint32_t& word, uint8_t byte);

  // --- Function keys and labels (wyse60_function_keys.cpp) ---
  void ZGroup(uint8_t byte);
  void LongKeySelector(uint8_t byte);
  void LongKeyLetter(uint8_t byte);
  void KeyText(uint8_t byte);
  void BeginString(State state, StringEnd end);
  void EndString();
  void PlaceLabel(size_t length);
  void ShowLabelText(size_t length);
  const uint8_t* StringText() const { return buffer_.data() + stringStart_; }
  size_t StringLength() const { return used_ - stringStart_; }

  ModuleFrame& frame_;
  MachineState machine_ = MachineState::Normal;
  State state_ = State::Ground;
  bool alternateKeys_ = false;
  bool insertMode_ = false;
  uint32_t attributes_ = 0;
  uint32_t messageField_ = 0;
  // The byte each text byte becomes under the current attribute word;
  // none while every byte stays itself.
  const uint8_t* translate_ = nullptr;

  // The pending text run in ground; the bytes of the sequence otherwise.
  std::vector<uint8_t> buffer_;
  size_t used_ = 0;
  // Arguments of the sequence being parsed.
  int32_t row_ = 0, column_ = 0;
  uint8_t keyLetter_ = 0, selector_ = 0;
  int skip_ = 0;
  size_t stringStart_ = 0;
  StringEnd stringEnd_ = StringEnd::Discard;

  std::array<char, kLabelLineSize> labelLine_ = {};
  bool labelLineMade_ = false;
};

// Everything a loaded Wyse 60 module is: the frame and the emulator, wired.
struct Wyse60Module {
  Wyse60Module(ConfigStore& store, PrinterPort& printerPort)
      : frame(kWyse60Defaults, store, printerPort), emulator(frame) {
    frame.SetEmulator(emulator);
  }
  ModuleFrame frame;
  Wyse60Emulator emulator;
};

}  // namespace korvane
