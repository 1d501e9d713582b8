#include "wyse60_emulator.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "text_scan.h"
#include "text_util.h"
#include "wyse60_tables.h"

namespace korvane {

namespace {

constexpr uint8_t NUL = 0, BEL = 7, BS = 8, HT = 9, LF = 10, VT = 11, FF = 12, CR = 13, SO = 14, SI = 15, DC2 = 18,
                  DC4 = 20, NAK = 21, CAN = 24, SUB = 26, ESC = 27, RS = 30;

// Ground bytes that are commands; every other byte is text.
struct ControlSet {
  bool is[256] = {};
  constexpr ControlSet() {
    for (uint8_t byte : {NUL, BEL, BS, HT, LF, VT, FF, CR, SO, SI, DC2, DC4, NAK, CAN, SUB, ESC, RS}) is[byte] = true;
  }
};
constexpr ControlSet kControls;

}  // namespace

Wyse60Emulator::Wyse60Emulator(ModuleFrame& frame) : frame_(frame) { UseTranslation(); }

// --- Settings and dll_Init ---

void Wyse60Emulator::ReadSettings() {
  auto mapping = frame_.ReadSetting("AltFuncMapping");
  alternateKeys_ = mapping && DecimalInt(*mapping) == 1;
}

void Wyse60Emulator::DescribeTerminal(TermInfo& info) {
  info.fontCharSet = 0;
  info.flags &= static_cast<uint16_t>(~TERMINFO_DELAYED_WRAP);
}

int Wyse60Emulator::PagesFor(const std::optional<std::string>& stored) {
  int pages = stored ? DecimalInt(*stored) : 0;
  return pages >= 1 && pages <= 9 ? pages : kDefaultPages;
}

void Wyse60Emulator::ResetMode() {
  Send(WUM_SETOPTION, OPTION_MEMORYPAGES, PagesFor(frame_.ReadSetting("Max_Pages")));
  // A print job left behind would stay open until the module is unloaded.
  if (machine_ == MachineState::Printer) frame_.printer.TurnPrinterOff();
  SetMachine(MachineState::Normal);
  insertMode_ = false;
}

// --- Block processing ---

// The buffer holds the bytes carried over from an unfinished sequence plus
// everything this block may add, so the loop never reallocates.
void Wyse60Emulator::ReserveFor(size_t count) {
  if (buffer_.size() - used_ < count) buffer_.resize(used_ + (count & ~size_t{15}) + 256);
}

void Wyse60Emulator::Submit(const uint8_t* bytes, size_t count) {
  if (!bytes || count == 0) return;
  if (state_ == State::Complete) ResetSequence();
  size_t i = 0;
  if (state_ == State::Ground && machine_ == MachineState::Normal && !translate_ && used_ == 0) {
    // A read of text alone (a host echoing keys) is written as it is, with
    // none of the work below; so is the text a read starts with.
    i = TextRunEnd(kControls.is, bytes, 0, count);
    if (i == count) return WriteRun(bytes, count);
    if (i > 0) WriteRun(bytes, i);
  }
  ReserveFor(count);
  while (i < count) {
    // The byte after a finished sequence starts afresh.
    if (state_ == State::Complete) ResetSequence();
    if (state_ != State::Ground || machine_ != MachineState::Normal) {
      Dispatch(bytes[i++]);
      continue;
    }
    // Text runs are the bulk of the stream and are handled without
    // dispatching. A run that lies whole in the caller's bytes and that no
    // translation changes is written from there; otherwise it is
    // translated into the buffer (through locals that the byte stores
    // cannot be taken to change) and written when the run ends.
    const size_t start = i;
    const uint8_t* translate = translate_;
    if (!translate && used_ == 0) {
      i = TextRunEnd(kControls.is, bytes, i, count);
      if (i > start) WriteRun(bytes + start, i - start);
    } else {
      uint8_t* out = buffer_.data() + used_;
      if (translate) {
        while (i < count && !kControls.is[bytes[i]]) *out++ = translate[bytes[i++]];
      } else {
        while (i < count && !kControls.is[bytes[i]]) *out++ = bytes[i++];
      }
      used_ += i - start;
    }
    if (i < count) ControlByte(bytes[i++]);
  }
  if (state_ == State::Ground) FlushPending();
}

void Wyse60Emulator::ResetSequence() {
  row_ = column_ = 0;
  keyLetter_ = selector_ = 0;
  skip_ = 0;
  stringStart_ = 0;
  used_ = 0;
  state_ = State::Ground;
}

void Wyse60Emulator::Dispatch(uint8_t byte) {
  if (state_ == State::Complete) ResetSequence();
  switch (machine_) {
    case MachineState::Monitor: return MonitorByte(byte);
    case MachineState::Printer: return PrinterByte(byte);
    case MachineState::Normal: break;
    default:
      frame_.log.Log("Really, really bad error - unexpected MachineState in DLL\n");
      std::exit(1);
  }
  switch (state_) {
    case State::Ground: return Ground(byte);
    case State::Escape: return Escape(byte);
    case State::Complete: return;
    case State::CursorRow: return CursorRow(byte);
    case State::CursorColumn: return CursorColumn(byte);
    case State::DecimalRow: return DecimalRow(byte);
    case State::DecimalColumn: return DecimalColumn(byte);
    case State::Attribute: return Attribute(byte);
    case State::LineGraphics: return LineGraphics(byte);
    case State::MessageFieldSelector: return MessageFieldSelector(byte);
    case State::MessageFieldAttribute: return MessageFieldAttribute(byte);
    case State::ScreenMode: return ScreenMode(byte);
    case State::TildeGroup: return TildeGroup(byte);
    case State::GraveGroup: return GraveGroup(byte);
    case State::CGroup: return CGroup(byte);
    case State::CSkip: return CSkip(byte);
    case State::DGroup: return DGroup(byte);
    case State::EGroup: return EGroup(byte);
    case State::WGroup: return WGroup(byte);
    case State::ZGroup: return ZGroup(byte);
    case State::LongKeySelector: return LongKeySelector(byte);
    case State::LongKeyLetter: return LongKeyLetter(byte);
    case State::KeyText: return KeyText(byte);
    case State::StringToCr: return StringToCr(byte);
    case State::ControlSequence: return ControlSequence(byte);
  }
}

// Monitor mode: every byte is shown as received; only ESC u ends it.
void Wyse60Emulator::MonitorByte(uint8_t byte) {
  if (state_ == State::Ground) {
    if (byte != ESC) {
      buffer_[used_++] = byte;
      return;
    }
    FlushPending();
    Collect(byte);
    state_ = State::Escape;
    return;
  }
  if (byte == 'u') {
    attributes_ &= ~kGraphicsAndCharacterSet;
    SetMachine(MachineState::Normal);
    SendAttributes();
  } else {
    Collect(byte);
    WriteRun(buffer_.data(), used_);
  }
  Complete();
}

// Printer pass-through: everything goes to the printer until DC4.
void Wyse60Emulator::PrinterByte(uint8_t byte) {
  if (byte != DC4) {
    buffer_[used_++] = byte;
    return;
  }
  FlushPending();
  SetMachine(MachineState::Normal);
  frame_.printer.TurnPrinterOff();
}

void Wyse60Emulator::SetMachine(MachineState machine) {
  machine_ = machine;
  UseTranslation();
}

// --- Ground ---

void Wyse60Emulator::Ground(uint8_t byte) {
  if (kControls.is[byte])
    ControlByte(byte);
  else
    buffer_[used_++] = translate_ ? translate_[byte] : byte;
}

// Reached in ground only, with no sequence to finish: the parser stays
// there (ESC aside), and the text after a line end needs no reset first.
void Wyse60Emulator::ControlByte(uint8_t byte) {
  FlushPending();
  switch (byte) {
    case BEL: Send(WUM_BEEP); break;
    case BS: Send(WUM_CURSORLEFT, 0, 1); break;
    case HT: Send(WUM_TAB, 0); break;
    case LF: Send(WUM_CURSORDOWN, 0, 1); break;
    case VT: Send(WUM_CURSORUP, kWrapAtTop, 1); break;
    case FF: Send(WUM_CURSORRIGHT, 0, 1); break;
    case CR: Send(WUM_CARRIAGERETURN); break;
    case SO: Send(WUM_SETOPTION, OPTION_KEYBOARDLOCK, 0); break;
    case SI: Send(WUM_SETOPTION, OPTION_KEYBOARDLOCK, 1); break;
    case DC2:
    case CAN:
      SetMachine(MachineState::Printer);
      frame_.printer.TurnPrinterOn();
      break;
    case SUB: ClearScreen(); break;
    case RS: Home(); break;
    case ESC:
      Collect(byte);
      state_ = State::Escape;
      break;
    default: break;  // NUL, DC4, NAK
  }
}

// --- After ESC ---

void Wyse60Emulator::Escape(uint8_t byte) {
  Collect(byte);
  Complete();
  switch (byte) {
    case ' ': Identify(); break;
    case '"': Ignored("unlock kb"); break;
    case '#': Ignored("lock kb"); break;
    case '&': Ignored("Protect mode on"); break;
    case '\'': Ignored("Protect mode off"); break;
    case '(': Ignored("write protect mode off"); break;
    case ')': Ignored("write protect mode on"); break;
    case '*': case '+': case ',': case ':': case ';': ClearScreen(); break;
    case '0': case '3': Send(WUM_CLEARTAB, 1); break;
    case '1': Send(WUM_SETTAB); break;
    case '2': Send(WUM_CLEARTAB, 0); break;
    case '=': state_ = State::CursorRow; break;
    case 'A': state_ = State::MessageFieldSelector; break;
    case 'E': Send(WUM_INSERTLINES, 0, 1); break;
    case 'F': BeginString(State::StringToCr, StringEnd::StatusText); break;
    case 'G': state_ = State::Attribute; break;
    case 'H': state_ = State::LineGraphics; break;
    case 'I': Send(WUM_TAB, kOneStopBack); break;
    case 'J': Send(WUM_SETPAGE, kPreviousPage); break;
    case 'K': Send(WUM_SETPAGE, kNextPage); break;
    case 'N': Send(WUM_SETOPTION, OPTION_SCROLLATBOTTOM, 0); break;
    case 'O': Send(WUM_SETOPTION, OPTION_SCROLLATBOTTOM, 1); break;
    case 'Q': Send(WUM_INSERTCHARS, 0, 1); break;
    case 'R': Send(WUM_DELETELINES, 0, 1); break;
    case 'T': case 't': Send(WUM_CLEAREOL); break;
    case 'U': SetMachine(MachineState::Monitor); break;
    case 'W': Send(WUM_DELETECHARS, 0, 1); break;
    case 'Y': case 'y': Send(WUM_CLEAREOS); break;
    case 'Z': state_ = State::LongKeySelector; break;
    case '^': state_ = State::ScreenMode; break;
    case '`': state_ = State::GraveGroup; break;
    case 'a': state_ = State::DecimalRow; break;
    case 'c': state_ = State::CGroup; break;
    case 'd': state_ = State::DGroup; break;
    case 'e': state_ = State::EGroup; break;
    case 'q': insertMode_ = true; break;
    case 'r': insertMode_ = false; break;
    case 'u': break;  // monitor mode is not on
    case 'w': state_ = State::WGroup; break;
    case 'z': state_ = State::ZGroup; break;
    case '{': Home(); break;
    case '~': state_ = State::TildeGroup; break;
    default:
      if (!frame_.hostCompatibility || !HostEscape(byte)) Unrecognised();
      break;
  }
}

// With the switch on: what ncurses' wy60 entry sends beyond the table.
bool Wyse60Emulator::HostEscape(uint8_t byte) {
  switch (byte) {
    case 'j': Send(WUM_CURSORUP, kScrollAtTop, 1); return true;  // reverse index
    case 'l': Ignored("duplex edit mode"); return true;
    case '[': state_ = State::ControlSequence; return true;
    default: return false;
  }
}

// ESC [ parameters, intermediates, final byte: the ECMA-48 control
// sequences that programs send whatever the terminal (readline's bracketed
// paste, ESC [ ? 2004 h). A Wyse 60 knows none; they are dropped whole
// instead of showing their parameters as text.
void Wyse60Emulator::ControlSequence(uint8_t byte) {
  if (byte < 0x20 || byte > 0x7E) {
    // Not part of a control sequence: the sequence ends, the byte counts.
    Unrecognised();
    ResetSequence();
    return Ground(byte);
  }
  Collect(byte);
  if (byte >= 0x40) Unrecognised();
}

// --- Output helpers ---

void Wyse60Emulator::WriteRun(const uint8_t* bytes, size_t count) {
  if (count == 0) return;
  if (machine_ == MachineState::Printer) return frame_.printer.Print(bytes, count);
  if (insertMode_) Send(WUM_INSERTCHARS, 0, static_cast<intptr_t>(count));
  Send(WUM_WRITE, reinterpret_cast<uintptr_t>(bytes), static_cast<intptr_t>(count));
}

void Wyse60Emulator::FlushPending() {
  if (used_ == 0) return;
  size_t count = used_;
  used_ = 0;
  WriteRun(buffer_.data(), count);
}

void Wyse60Emulator::Collect(uint8_t byte) {
  if (used_ < kSequenceLimit) buffer_[used_++] = byte;
}

// The answer to ESC space. The client may echo what is sent and translate
// it in place, so it leaves from a writable copy.
void Wyse60Emulator::Identify() {
  uint8_t reply[] = {'6', '0', '\n'};
  Send(WUM_SENDDATA, reinterpret_cast<uintptr_t>(reply), sizeof reply);
}

void Wyse60Emulator::Home() { Send(WUM_MOVECURSOR, MakeLong(0, 0)); }

void Wyse60Emulator::ClearScreen() {
  Send(WUM_CLEARSCREEN);
  Home();
}

void Wyse60Emulator::SendAttributes() {
  UseTranslation();
  Send(WUM_ATTRIBUTES, reinterpret_cast<uintptr_t>(&attributes_), 0);
}

// Monitor mode and the printer take bytes as they come.
void Wyse60Emulator::UseTranslation() {
  translate_ = TextTranslation(machine_ == MachineState::Normal ? attributes_ : 0);
}

void Wyse60Emulator::Ignored(const char* name) {
  Complete();
  if (!frame_.logUnrecognised) return;
  frame_.log.Log("IGNORED: ");
  frame_.log.Log("%s: ", name);
  frame_.log.LogBytes(buffer_.data(), used_);
  frame_.log.Log("\n");
}

void Wyse60Emulator::Unrecognised() {
  Complete();
  if (!frame_.logUnrecognised) return;
  frame_.log.Log("UNRECOGNIZED SEQUENCE: ");
  frame_.log.LogBytes(buffer_.data(), used_);
  frame_.log.Log("\n");
}

}  // namespace korvane
