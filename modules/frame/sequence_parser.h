// The escape-sequence collector shared by the VT100, ANSI and SCO ANSI
// emulators: a byte-driven state machine that gathers text runs, ESC and
// CSI sequences with their parameters and prefix, and the "letter,
// delimiter, text, delimiter" form of host-programmed keys. An emulator
// derives from it and supplies its tables: which ground bytes are controls,
// what follows ESC, the CSI final bytes and the programmed-key action.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "module_frame.h"

namespace korvane {

// Other: a private marker no table knows (host compatibility: "<", ">").
enum class SequencePrefix : uint8_t { None, Equals, Question, Other };

// Prefix sets for CSI tables.
enum : uint8_t {
  kPrefixNone = 1,
  kPrefixEquals = 2,
  kPrefixQuestion = 4,
  kAnyPrefix = kPrefixNone | kPrefixEquals | kPrefixQuestion,
};

class SequenceParser {
 public:
  static constexpr int kMaxParameters = 100;
  // Parameter values stop growing here instead of overflowing.
  static constexpr int32_t kParameterLimit = 99999999;
  // Bytes of one sequence kept for the log and for echoing it as text; a
  // host that never ends a sequence cannot make the buffer grow without end.
  static constexpr size_t kSequenceLimit = 64 * 1024;

  virtual ~SequenceParser() = default;
  SequenceParser(const SequenceParser&) = delete;
  SequenceParser& operator=(const SequenceParser&) = delete;

  // dll_Submit: the bytes in order; a sequence may be split anywhere.
  void Submit(const uint8_t* bytes, size_t count);

 protected:
  // The last four serve host compatibility only: an ESC sequence with
  // intermediate bytes, a CSI sequence no table can know (consumed to its
  // final byte), and a DCS, OSC, PM or APC string up to its terminator.
  enum class State : uint8_t {
    Ground, Escape, CsiEntry, CsiParameters, KeyLetter, KeyDelimiter, KeyText, Done,
    EscapeIntermediate, CsiIgnore, String, StringEscape
  };

  explicit SequenceParser(ModuleFrame& frame);

  // --- The emulator's tables ---
  // A ground byte marked as a control; the pending text has been written.
  virtual void ControlByte(uint8_t byte) = 0;
  // The byte after ESC, when it is not "[". The state is already Done; a
  // handler may start key programming instead.
  virtual void EscapeFinal(uint8_t byte) = 0;
  // A byte right after ESC [ that is neither a prefix nor a parameter
  // byte; true when the emulator takes it (ESC [ > starts key programming).
  virtual bool CsiIntroducer(uint8_t) { return false; }
  // The final byte of ESC [ ...; the state is already Done.
  virtual void CsiFinal(uint8_t byte) = 0;
  // The end of key programming: the key byte and the collected text.
  virtual void KeyString(uint8_t, const uint8_t*, size_t) {}
  // A finished text run; by default WUM_WRITE. The bytes may be the
  // caller's own: they are only read.
  virtual void WriteText(const uint8_t* text, size_t count);
  // Host compatibility: ESC, intermediate byte(s), final byte; the first
  // intermediate is given. By default the sequence is consumed.
  virtual void EscapeIntermediateFinal(uint8_t, uint8_t) {}

  // True while the terminal type's HostCompatibility switch applies: then
  // control bytes inside a sequence are executed, CAN and SUB cancel it,
  // sequences with intermediates and strings are consumed whole, and an
  // empty parameter counts (as 0, the default).
  virtual bool HostRules() const { return frame_.hostCompatibility; }

  // --- State functions, one per state; an emulator with modes may
  // intercept them and call these for its normal mode. Text bytes in
  // ground and parameter digits after ESC [ are taken by Submit itself and
  // never reach them ---
  virtual void Ground(uint8_t byte);
  virtual void Escape(uint8_t byte);
  virtual void CsiEntry(uint8_t byte);
  virtual void CsiParameters(uint8_t byte);
  void KeyLetter(uint8_t byte);
  void KeyDelimiter(uint8_t byte);
  void KeyText(uint8_t byte);
  void EscapeIntermediate(uint8_t byte);
  void CsiIgnore(uint8_t byte);
  void String(uint8_t byte);
  void StringEscape(uint8_t byte);
  // Under host rules: a control byte inside a sequence; true when handled.
  bool SequenceControl(uint8_t byte);

  // --- Tools for the handlers ---
  void MarkControl(uint8_t byte, bool control) { control_[byte] = control; }
  void SetTextMask(uint8_t mask) { textMask_ = mask; }
  void FlushText();
  void Collect(uint8_t byte);
  void Finish() { state_ = State::Done; }
  // Logs the collected sequence when the log-unrecognised flag is on.
  void Unrecognised();
  // ESC Q (ANSI) or ESC [ > (VT100) was seen: the key byte comes next.
  // `limit` bytes of text at most (0: no limit but the sequence limit).
  void BeginKeyProgramming(size_t limit);

  int ParameterCount() const { return parameterCount_; }
  // The i-th parameter (0-based); 0 when missing.
  int32_t Parameter(int i) const { return i < parameterCount_ ? parameters_[i] : 0; }
  // p1, or 1 when p1 is below 1.
  int32_t CountParameter() const { return Parameter(0) < 1 ? 1 : Parameter(0); }
  SequencePrefix Prefix() const { return prefix_; }
  // The sequence's prefix as one of the kPrefix set bits.
  uint8_t PrefixBit() const;
  uint8_t* Collected() { return buffer_.data(); }
  size_t CollectedCount() const { return used_; }
  State CurrentState() const { return state_; }
  void SetState(State state) { state_ = state; }
  bool IsDigit(uint8_t byte) const { return byte >= '0' && byte <= '9'; }

  ModuleFrame& frame_;

 private:
  void Reset();
  // The text bytes from `i` on; returns where they end.
  size_t TextRun(const uint8_t* bytes, size_t i, size_t count);
  void Dispatch(uint8_t byte);
  void EndKeyProgramming();
  void AddDigit(uint8_t byte);

  State state_ = State::Ground;
  bool control_[256] = {};
  uint8_t textMask_ = 0;
  // The pending text run, or the bytes of the sequence being parsed.
  std::vector<uint8_t> buffer_;
  size_t used_ = 0;
  int32_t parameters_[kMaxParameters] = {};
  int parameterCount_ = 0;
  bool digitSeen_ = false;
  bool dropDigits_ = false;
  SequencePrefix prefix_ = SequencePrefix::None;
  uint8_t intermediate_ = 0;
  bool oscString_ = false;
  uint8_t key_ = 0;
  uint8_t delimiter_ = 0;
  size_t keyTextStart_ = 0;
  size_t keyTextLimit_ = 0;
};

}  // namespace korvane

namespace korvane {

// One row of an emulator's CSI table: the final byte, the prefixes it
// accepts and its handler. A final byte whose row does not list the
// sequence's prefix is unrecognised.
template <class Parser>
struct CsiAction {
  uint8_t final;
  uint8_t prefixes;
  void (Parser::*handler)();
};

// A CSI table's rows found by final byte and prefix at once instead of by
// a scan: the row found is the first of the table that matches.
template <class Parser>
class CsiIndex {
 public:
  template <size_t N>
  explicit CsiIndex(const CsiAction<Parser> (&rows)[N]) : rows_(rows) {
    static_assert(N < kNoRow, "too many rows for the index");
    for (auto& byFinal : first_)
      for (uint8_t& row : byFinal) row = kNoRow;
    // From the last row up, so that an earlier row takes the place.
    for (size_t r = N; r-- > 0;)
      for (size_t p = 0; p < kPrefixes; ++p)
        if (rows[r].prefixes & (1u << p)) first_[p][rows[r].final] = static_cast<uint8_t>(r);
  }

  // Runs the row for this final byte and prefix bit; false when none matches.
  bool Dispatch(Parser& parser, uint8_t final, uint8_t prefixBit) const {
    size_t p = prefixBit == kPrefixNone ? 0 : prefixBit == kPrefixEquals ? 1 : prefixBit == kPrefixQuestion ? 2 : kPrefixes;
    if (p == kPrefixes) return false;  // a prefix no row takes
    uint8_t row = first_[p][final];
    if (row == kNoRow) return false;
    (parser.*rows_[row].handler)();
    return true;
  }

 private:
  // kPrefixNone, kPrefixEquals and kPrefixQuestion are bits 0 to 2.
  static constexpr size_t kPrefixes = 3;
  static constexpr uint8_t kNoRow = 255;
  const CsiAction<Parser>* rows_;
  uint8_t first_[kPrefixes][256];
};

}  // namespace korvane
