// Host programming of the keyboard and the label line: ESC z (function
// keys by letter, labels, the label line), ESC Z (any key by letter) and
// ESC F, whose strings may span any number of blocks.
#include <algorithm>
#include <cstring>

#include "wyse60_emulator.h"
#include "wyse60_tables.h"

namespace korvane {

namespace {

constexpr uint8_t CR = 13, DEL = 127;

bool InRange(uint8_t byte, uint8_t first, uint8_t last) { return byte >= first && byte <= last; }

}  // namespace

void Wyse60Emulator::ZGroup(uint8_t byte) {
  Collect(byte);
  if (InRange(byte, '@', 'O') || InRange(byte, '`', 'o')) {
    keyLetter_ = byte;
    BeginString(State::KeyText, StringEnd::Discard);
  } else if (byte == '(') {
    BeginString(State::StringToCr, StringEnd::LabelLine);
  } else if (byte == ')') {
    BeginString(State::StringToCr, StringEnd::ShiftedLabelLine);
  } else if (InRange(byte, '0', '<')) {
    selector_ = byte;
    BeginString(State::StringToCr, StringEnd::Label);
  } else if (byte == '-' || InRange(byte, '=', '?') || InRange(byte, 'P', '^')) {
    BeginString(State::StringToCr, StringEnd::Discard);
  } else if (byte == DEL) {
    Ignored("turn off shifted label line");
  } else {
    Unrecognised();
  }
}

// ESC Z s k: s has no effect; k is looked up when the definition ends.
void Wyse60Emulator::LongKeySelector(uint8_t byte) {
  Collect(byte);
  selector_ = byte;
  state_ = State::LongKeyLetter;
}

void Wyse60Emulator::LongKeyLetter(uint8_t byte) {
  Collect(byte);
  keyLetter_ = byte;
  BeginString(State::KeyText, StringEnd::Discard);
}

void Wyse60Emulator::BeginString(State state, StringEnd end) {
  stringStart_ = used_;
  stringEnd_ = end;
  state_ = state;
}

void Wyse60Emulator::KeyText(uint8_t byte) {
  if (byte != DEL) return Collect(byte);
  size_t length = StringLength();
  Collect(byte);
  Complete();
  int32_t code = KeyCodeForLetter(keyLetter_);
  if (!code) return Unrecognised();
  // An empty definition leaves the key as it was.
  if (length) frame_.keys.Define(code, StringText(), length);
}

// The CR that ends an ESC F or ESC z string.
void Wyse60Emulator::EndString() {
  size_t length = StringLength();
  Collect(CR);
  Complete();
  switch (stringEnd_) {
    case StringEnd::StatusText: return Ignored("put text on status line");
    case StringEnd::ShiftedLabelLine: return Ignored("program shifted label line");
    case StringEnd::LabelLine: return ShowLabelText(length);
    case StringEnd::Label: return PlaceLabel(length);
    case StringEnd::Discard: return;
  }
}

void Wyse60Emulator::ShowLabelText(size_t length) {
  StatusText text{reinterpret_cast<const char*>(StringText()), static_cast<int32_t>(length)};
  Send(WUM_SETOPTION, OPTION_STATUSTEXT, reinterpret_cast<intptr_t>(&text));
}

// Label "0" to "<" takes its 10 columns of the label line, cut or padded.
void Wyse60Emulator::PlaceLabel(size_t length) {
  if (!labelLineMade_) {
    labelLine_.fill(' ');
    labelLineMade_ = true;
  }
  char* field = labelLine_.data() + (selector_ - '0') * kLabelWidth;
  size_t kept = std::min(length, static_cast<size_t>(kLabelWidth));
  std::memcpy(field, StringText(), kept);
  std::fill(field + kept, field + kLabelWidth, ' ');
  StatusText text{labelLine_.data(), kLabelLineShown};
  Send(WUM_SETOPTION, OPTION_STATUSTEXT, reinterpret_cast<intptr_t>(&text));
}

}  // namespace korvane
