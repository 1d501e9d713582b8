#include "sequence_parser.h"

#include <algorithm>
#include <cstring>

#include "text_scan.h"

namespace korvane {

namespace {

constexpr uint8_t kEsc = 27, kBel = 7, kCan = 24, kSub = 26, kDel = 127;

bool IsIntermediate(uint8_t byte) { return byte >= 0x20 && byte <= 0x2F; }
bool IsFinal(uint8_t byte) { return byte >= 0x40 && byte <= 0x7E; }

}  // namespace

SequenceParser::SequenceParser(ModuleFrame& frame) : frame_(frame) { control_[kEsc] = true; }

void SequenceParser::Submit(const uint8_t* bytes, size_t count) {
  if (!bytes || count == 0) return;
  size_t i = 0;
  if (state_ == State::Ground && used_ == 0 && textMask_ == 0) {
    // A read of text alone (a host echoing keys) is written as it is, with
    // none of the work below; so is the text a read starts with.
    i = TextRunEnd(control_, bytes, 0, count);
    if (i == count) return WriteText(bytes, count);
    if (i > 0) WriteText(bytes, i);
  }
  // Sized once per call: at most `count` bytes are appended before the run
  // is written, so the loop below never reallocates.
  if (buffer_.size() - used_ < count) buffer_.resize(used_ + count + 256);
  while (i < count) {
    switch (state_) {
      case State::Done:
        // The byte after a finished sequence starts afresh in ground.
        Reset();
        [[fallthrough]];
      case State::Ground:
        i = TextRun(bytes, i, count);
        if (i < count) Ground(bytes[i++]);
        break;
      case State::CsiEntry:
        // A digit right after ESC [ starts the parameters with no prefix.
        if (IsDigit(bytes[i])) {
          prefix_ = SequencePrefix::None;
          state_ = State::CsiParameters;
        } else {
          Dispatch(bytes[i++]);
        }
        break;
      case State::CsiParameters:
        // The digits are most of a sequence: taken here in one go.
        while (i < count && IsDigit(bytes[i])) {
          Collect(bytes[i]);
          AddDigit(bytes[i++]);
        }
        if (i < count) Dispatch(bytes[i++]);
        break;
      default:
        Dispatch(bytes[i++]);
        break;
    }
  }
  if (state_ == State::Ground) FlushText();
}

// Text runs are the bulk of the stream and are handled without
// dispatching. A run that lies whole in the caller's bytes with no mask to
// apply is written from there; otherwise it is copied (through locals that
// the byte stores cannot be taken to change) and written by FlushText.
size_t SequenceParser::TextRun(const uint8_t* bytes, size_t i, size_t count) {
  const size_t start = i;
  const uint8_t mask = textMask_;
  if (used_ == 0 && mask == 0) {
    i = TextRunEnd(control_, bytes, i, count);
    if (i > start) WriteText(bytes + start, i - start);
    return i;
  }
  uint8_t* out = buffer_.data() + used_;
  while (i < count && !control_[bytes[i]]) *out++ = bytes[i++] ^ mask;
  used_ += i - start;
  return i;
}

void SequenceParser::Dispatch(uint8_t byte) {
  switch (state_) {
    case State::Ground: Ground(byte); break;
    case State::Escape: Escape(byte); break;
    case State::CsiEntry: CsiEntry(byte); break;
    case State::CsiParameters: CsiParameters(byte); break;
    case State::KeyLetter: KeyLetter(byte); break;
    case State::KeyDelimiter: KeyDelimiter(byte); break;
    case State::KeyText: KeyText(byte); break;
    case State::EscapeIntermediate: EscapeIntermediate(byte); break;
    case State::CsiIgnore: CsiIgnore(byte); break;
    case State::String: String(byte); break;
    case State::StringEscape: StringEscape(byte); break;
    case State::Done:
      Reset();
      Ground(byte);
      break;
  }
}

// Parameters past the count are never read, and each is zeroed as it
// starts: only the count goes back.
void SequenceParser::Reset() {
  parameterCount_ = 0;
  digitSeen_ = false;
  dropDigits_ = false;
  prefix_ = SequencePrefix::None;
  used_ = 0;
  state_ = State::Ground;
}

void SequenceParser::Ground(uint8_t byte) {
  if (!control_[byte]) {
    buffer_[used_++] = byte ^ textMask_;
    return;
  }
  FlushText();
  if (byte == kEsc) {
    Collect(byte);
    state_ = State::Escape;
    return;
  }
  ControlByte(byte);
}

void SequenceParser::Escape(uint8_t byte) {
  if (HostRules()) {
    if (SequenceControl(byte)) return;
    if (IsIntermediate(byte)) {
      Collect(byte);
      intermediate_ = byte;
      state_ = State::EscapeIntermediate;
      return;
    }
    if (byte == 'P' || byte == ']' || byte == '^' || byte == '_' || byte == 'X') {
      oscString_ = byte == ']';
      state_ = State::String;
      return;
    }
  }
  Collect(byte);
  if (byte == '[') {
    state_ = State::CsiEntry;
    return;
  }
  state_ = State::Done;
  EscapeFinal(byte);
}

void SequenceParser::CsiEntry(uint8_t byte) {
  if (HostRules() && SequenceControl(byte)) return;
  if (byte == '?' || byte == '=') {
    Collect(byte);
    prefix_ = byte == '?' ? SequencePrefix::Question : SequencePrefix::Equals;
    state_ = State::CsiParameters;
    return;
  }
  if (CsiIntroducer(byte)) return;
  if (HostRules() && (byte == '<' || byte == '>')) {
    Collect(byte);
    prefix_ = SequencePrefix::Other;
    state_ = State::CsiParameters;
    return;
  }
  prefix_ = SequencePrefix::None;
  state_ = State::CsiParameters;
  CsiParameters(byte);
}

void SequenceParser::CsiParameters(uint8_t byte) {
  if (IsDigit(byte)) {  // never a control under host rules
    Collect(byte);
    AddDigit(byte);
    return;
  }
  bool host = HostRules();
  if (host && SequenceControl(byte)) return;
  Collect(byte);
  if (byte == ';' || (host && byte == ':')) {
    // An empty parameter is kept as 0 under host rules: ESC [ ; 5 H is
    // row 1, column 5. Otherwise only parameters with digits count.
    if (host && !digitSeen_ && parameterCount_ < kMaxParameters) parameters_[parameterCount_++] = 0;
    digitSeen_ = false;
  } else if (host && !IsFinal(byte) && byte < 0x80) {
    // A private marker after the first byte, or an intermediate: no table
    // knows such a sequence; it is consumed up to its final byte.
    state_ = State::CsiIgnore;
  } else {
    state_ = State::Done;
    CsiFinal(byte);
  }
}

void SequenceParser::AddDigit(uint8_t byte) {
  if (!digitSeen_) {
    digitSeen_ = true;
    // Parameters past the hundredth are dropped; the sequence still ends
    // at its final byte.
    dropDigits_ = parameterCount_ == kMaxParameters;
    if (!dropDigits_) parameters_[parameterCount_++] = 0;
  }
  if (dropDigits_) return;
  int32_t& value = parameters_[parameterCount_ - 1];
  value = std::min<int64_t>(int64_t{value} * 10 + (byte - '0'), kParameterLimit);
}

void SequenceParser::BeginKeyProgramming(size_t limit) {
  keyTextLimit_ = limit;
  state_ = State::KeyLetter;
}

void SequenceParser::KeyLetter(uint8_t byte) {
  Collect(byte);
  key_ = byte;
  state_ = State::KeyDelimiter;
}

void SequenceParser::KeyDelimiter(uint8_t byte) {
  Collect(byte);
  delimiter_ = byte;
  keyTextStart_ = used_;
  state_ = State::KeyText;
}

void SequenceParser::KeyText(uint8_t byte) {
  size_t length = used_ - keyTextStart_;
  bool full = keyTextLimit_ && length >= keyTextLimit_;
  if (byte != delimiter_ && !full) {
    Collect(byte);
    return;
  }
  // The closing delimiter, or the byte that arrives once the text is full,
  // ends the string and is consumed.
  Collect(byte);
  state_ = State::Done;
  KeyString(key_, buffer_.data() + keyTextStart_, length);
}

// Under host rules, as a VT100 does: a control byte inside a sequence is
// executed and the sequence goes on; CAN and SUB cancel it; ESC starts a
// new one; DEL is ignored.
bool SequenceParser::SequenceControl(uint8_t byte) {
  if (byte == kEsc) {
    Reset();
    Ground(byte);
    return true;
  }
  if (byte == kCan || byte == kSub) {
    state_ = State::Done;
    return true;
  }
  if (byte == kDel) return true;
  if (byte >= 0x20) return false;
  if (control_[byte]) ControlByte(byte);
  return true;
}

void SequenceParser::EscapeIntermediate(uint8_t byte) {
  if (SequenceControl(byte)) return;
  Collect(byte);
  if (IsIntermediate(byte)) return;
  state_ = State::Done;
  EscapeIntermediateFinal(intermediate_, byte);
}

void SequenceParser::CsiIgnore(uint8_t byte) {
  if (SequenceControl(byte)) return;
  Collect(byte);
  if (IsFinal(byte)) Unrecognised();
}

// DCS, OSC, PM and APC strings are never shown: everything up to ST
// (ESC \), or BEL after an OSC, is dropped; CAN and SUB cancel the string.
void SequenceParser::String(uint8_t byte) {
  if (byte == kEsc) state_ = State::StringEscape;
  else if (byte == kCan || byte == kSub || (oscString_ && byte == kBel)) state_ = State::Done;
}

void SequenceParser::StringEscape(uint8_t byte) {
  if (byte == '\\') {
    state_ = State::Done;
    return;
  }
  // Any other byte: the string ended without its terminator, and the ESC
  // starts a sequence of its own.
  Reset();
  Ground(kEsc);
  Escape(byte);
}

void SequenceParser::Collect(uint8_t byte) {
  if (used_ < kSequenceLimit) buffer_[used_++] = byte;
}

void SequenceParser::FlushText() {
  if (used_ == 0) return;
  size_t count = used_;
  used_ = 0;
  WriteText(buffer_.data(), count);
}

void SequenceParser::WriteText(const uint8_t* text, size_t count) {
  frame_.link.Send(WUM_WRITE, reinterpret_cast<uintptr_t>(text), static_cast<intptr_t>(count));
}

uint8_t SequenceParser::PrefixBit() const {
  switch (prefix_) {
    case SequencePrefix::Equals: return kPrefixEquals;
    case SequencePrefix::Question: return kPrefixQuestion;
    case SequencePrefix::Other: return 0;
    default: return kPrefixNone;
  }
}

void SequenceParser::Unrecognised() {
  state_ = State::Done;
  if (!frame_.logUnrecognised) return;
  ModuleLog& log = frame_.log;
  log.Log("UNRECOGNIZED SEQUENCE: ");
  log.LogBytes(buffer_.data(), used_);
  log.Log("\n");
}

}  // namespace korvane
