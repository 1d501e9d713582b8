#include "telnet_protocol.h"

#include <cstring>

namespace korvane {

using namespace telnet;

namespace {

bool IsSubParameter(unsigned char byte) { return byte == 0 || byte == 1 || byte == 3; }

// Bytes inside a subnegotiation: a 255 must be doubled or the host would
// read it as a command.
void AppendEscaped(std::vector<unsigned char>& out, const std::string& text) {
  for (char c : text) {
    out.push_back(static_cast<unsigned char>(c));
    if (static_cast<unsigned char>(c) == IAC) out.push_back(IAC);
  }
}

void AppendSize16(std::vector<unsigned char>& out, int value) {
  unsigned size = value < 0 ? 0u : value > 0xFFFF ? 0xFFFFu : static_cast<unsigned>(value);
  for (unsigned char byte : {static_cast<unsigned char>(size >> 8), static_cast<unsigned char>(size & 0xFF)}) {
    out.push_back(byte);
    if (byte == IAC) out.push_back(IAC);
  }
}

}  // namespace

void TelnetProtocol::TelnetReceive(const unsigned char* bytes, int count) {
  // Most reads are plain data from start to end: they go on whole, without
  // the command machinery (a one-byte read costs little more than the call).
  if (!log_.recordIO && count > 0 && bytes && state_ == kData && !FindIac(bytes, count)) {
    client_.Submit(bytes, count);
    return;
  }
  ReceiveWithCommands(bytes, count);
}

// Data is the bulk of a stream and only IAC ends a run of it; a few bytes
// are looked at directly, more through the library's search.
const unsigned char* TelnetProtocol::FindIac(const unsigned char* bytes, int count) {
  if (count < 16) {
    for (int i = 0; i < count; ++i)
      if (bytes[i] == IAC) return bytes + i;
    return nullptr;
  }
  return static_cast<const unsigned char*>(std::memchr(bytes, IAC, static_cast<size_t>(count)));
}

void TelnetProtocol::ReceiveWithCommands(const unsigned char* bytes, int count) {
  if (log_.recordIO)
    log_.WriteText(RecordLog::DumpLine("RECEIVED: ", bytes, count > 0 && bytes ? static_cast<size_t>(count) : 0, 127));
  if (count <= 0 || !bytes) return;
  int runStart = 0;
  for (int i = 0; i < count;) {
    if (state_ == kData) {
      const unsigned char* iac = FindIac(bytes + i, count - i);
      if (!iac) break;
      i = static_cast<int>(iac - bytes);
    }
    if (Step(bytes[i], i, runStart, bytes)) ++i;
  }
  if (state_ == kData && runStart < count) client_.Submit(bytes + runStart, count - runStart);
}

// One byte in the current state; false when the byte must be examined again
// in the new state.
bool TelnetProtocol::Step(unsigned char byte, int index, int& runStart, const unsigned char* bytes) {
  switch (state_) {
    case kData:
      if (byte == IAC) {
        if (index > runStart) client_.Submit(bytes + runStart, index - runStart);
        state_ = kIac;
      }
      return true;
    case kIac:
      StepAfterIac(byte, index, bytes);
      return true;
    case WILL: case WONT: case DO: case DONT:
      sequence_[0] = IAC, sequence_[1] = static_cast<unsigned char>(state_), sequence_[2] = byte, length_ = 3;
      state_ = kNegotiate;
      return false;
    case kSubOption:
      sequence_[0] = IAC, sequence_[1] = SB, sequence_[2] = byte, length_ = 3;
      state_ = kSubStore;
      return true;
    case kSubStore: case kSubStoreParameter:
      Append(byte);
      if (state_ == kError) return false;
      state_ = kSubParameter;
      return true;
    case kSubParameter:
      StepSubParameter(byte);
      return state_ == kSubIac;
    case kSubIac:
      Append(byte);
      if (state_ != kError) state_ = byte == SE ? kSubDone : kError;
      return false;
    case kSubDone:
      ActOnSubnegotiation();
      state_ = kFinished;
      return true;
    case kError:
      ProtocolError();
      state_ = kFinished;
      return true;
    case kNegotiate:
      Answer();
      state_ = kFinished;
      return true;
    case kFinished:
      length_ = 0;
      runStart = index;
      state_ = kData;
      return false;
    default:
      ImpossibleState();
      return true;
  }
}

void TelnetProtocol::StepAfterIac(unsigned char byte, int index, const unsigned char* bytes) {
  if (byte >= SB && byte <= DONT) {
    state_ = byte;
  } else if (byte == IAC || byte == SE || byte < EOR) {
    // A doubled 255 is data; so is a stray SE or a byte that names no
    // command: one byte for the emulator.
    client_.Submit(bytes + index, 1);
    state_ = kFinished;
  } else {
    // GA after a prompt, NOP, DM, AYT and the other commands without an
    // effect here must not show on the screen.
    state_ = kFinished;
  }
}

void TelnetProtocol::StepSubParameter(unsigned char byte) {
  if (IsSubParameter(byte)) {
    state_ = kSubStoreParameter;
  } else if (byte == IAC) {
    Append(byte);
    if (state_ != kError) state_ = kSubIac;
  } else {
    state_ = kError;
  }
}

// A subnegotiation that does not fit the sequence buffer is a protocol error.
void TelnetProtocol::Append(unsigned char byte) {
  if (length_ >= kSequenceLimit) {
    state_ = kError;
    return;
  }
  sequence_[length_++] = byte;
}

void TelnetProtocol::ProtocolError() {
  if (!log_.recordEvents) return;
  std::string line = "Telnet protocol error - flushing sequence ";
  for (int i = 0; i < length_; ++i) line += std::to_string(sequence_[i]) + " ";
  log_.WriteText(line + "\n");
}

void TelnetProtocol::ImpossibleState() {
  errors_.SetErrorLocation(__FILE__, __LINE__);
  errors_.ErrorCall(kProgramError, 1202, 0, "Telnet handshake - Unknown state %d", state_);
  errors_.ExitProgram(1);
  state_ = kFinished;
}

void TelnetProtocol::Send(const std::vector<unsigned char>& bytes) {
  client_.Reply(bytes.data(), static_cast<int>(bytes.size()));
}

void TelnetProtocol::AnswerWith(uint8_t verb) { Send({IAC, verb, sequence_[2]}); }

void TelnetProtocol::Refuse(uint8_t verb) {
  if (verb == WILL) AnswerWith(DONT);
  else if (verb == DO || verb == DONT) AnswerWith(WONT);
}

void TelnetProtocol::Answer() {
  uint8_t verb = sequence_[1];
  uint8_t option = sequence_[2];
  switch (option) {
    case OPT_ECHO: AnswerEcho(verb); break;
    case OPT_SGA:
      if (verb == WILL) AnswerWith(DO);
      else if (verb == DO) AnswerWith(WILL);
      break;
    case OPT_TTYPE:
      if (verb == DO) AnswerWith(WILL);
      break;
    case OPT_NAWS:
      if (disableNaws) Refuse(verb);
      else AnswerNaws(verb);
      break;
    case OPT_ENVIRON: AnswerEnvironment(verb, true); break;
    case OPT_NEW_ENVIRON: AnswerEnvironment(verb, false); break;
    case OPT_ENCRYPT: AnswerWith(verb == WILL ? DONT : WONT); break;
    case OPT_STATUS: case OPT_TSPEED: case OPT_LFLOW: case OPT_XDISPLOC: case OPT_AUTHENTICATION:
      Refuse(verb);
      break;
    default:
      log_.Event("Received unknown telnet protocol request %d\n", option);
      Refuse(verb);
      break;
  }
}

void TelnetProtocol::AnswerEcho(uint8_t verb) {
  if (echoRequestPending_) {
    if (verb == WILL || verb == DONT) {
      AnswerWith(DO);
      client_.SetLocalEcho(false);
      echoRequestPending_ = false;
    } else if (verb == DO) {
      AnswerWith(WILL);
    }
    return;
  }
  if (verb == WILL) {
    echoAsked_ = false;
    AnswerWith(DO);
  } else if (verb == WONT) {
    // A host that refuses to echo answers our DO with WONT: asking again
    // would go on for ever.
    if (!echoAsked_) AnswerWith(DO);
    echoAsked_ = !echoAsked_;
  } else {
    AnswerWith(WONT);
  }
}

void TelnetProtocol::AnswerNaws(uint8_t verb) {
  if (verb == DO) {
    if (nawsOffered_) {
      SendSize();
      nawsOffered_ = false;
      nawsAgreed_ = true;
    } else {
      AnswerWith(DONT);
    }
  } else if (verb == DONT) {
    nawsOffered_ = false;
    nawsAgreed_ = false;
  }
}

void TelnetProtocol::AnswerEnvironment(uint8_t verb, bool oldOption) {
  if (verb == DO) {
    if (environmentAgreed_) {
      AnswerWith(WONT);
    } else {
      AnswerWith(WILL);
      environmentAgreed_ = true;
      environmentOld_ = oldOption;
    }
  } else if (verb == DONT) {
    AnswerWith(WONT);
    environmentAgreed_ = false;
  }
}

void TelnetProtocol::ActOnSubnegotiation() {
  uint8_t option = sequence_[2];
  if (option == OPT_TTYPE) SendTerminalType();
  else if (option == OPT_ENVIRON || option == OPT_NEW_ENVIRON) SendEnvironment();
}

void TelnetProtocol::SendTerminalType() {
  std::vector<unsigned char> reply = {IAC, SB, OPT_TTYPE, TTYPE_IS};
  AppendEscaped(reply, client_.TerminalType());
  reply.insert(reply.end(), {IAC, SE});
  Send(reply);
}

void TelnetProtocol::SendEnvironment() {
  int selector = -1;
  if (sequence_[3] <= 1) selector = sequence_[3];
  if (sequence_[4] <= 1) selector = sequence_[4];
  std::vector<unsigned char> reply = {IAC, SB, environmentOld_ ? OPT_ENVIRON : OPT_NEW_ENVIRON, 0};
  if (selector >= 0) reply.insert(reply.end(), {static_cast<unsigned char>(selector), 0});
  auto variable = [&](const char* name, const std::optional<std::string>& value) {
    if (!value) return;
    reply.push_back(ENV_USERVAR);
    AppendEscaped(reply, name);
    reply.push_back(ENV_VALUE);
    AppendEscaped(reply, *value);
  };
  variable("PCUSER", client_.UserName());
  variable("PCNAME", client_.ComputerName());
  reply.insert(reply.end(), {IAC, SE});
  Send(reply);
}

void TelnetProtocol::SendSize() {
  std::vector<unsigned char> reply = {IAC, SB, OPT_NAWS};
  AppendSize16(reply, client_.Columns());
  AppendSize16(reply, client_.Rows());
  reply.insert(reply.end(), {IAC, SE});
  Send(reply);
}

void TelnetProtocol::OfferNaws() {
  if (disableNaws) return;
  if (nawsAgreed_) {
    SendSize();
    return;
  }
  Send({IAC, WILL, OPT_NAWS});
  nawsOffered_ = true;
}

void TelnetProtocol::RequestNoEcho() {
  if (!client_.LocalEcho()) return;
  Send({IAC, DONT, OPT_ECHO});
  echoRequestPending_ = true;
}

void TelnetProtocol::Reset() {
  state_ = kData;
  length_ = 0;
  nawsOffered_ = nawsAgreed_ = false;
  echoRequestPending_ = echoAsked_ = false;
  environmentAgreed_ = environmentOld_ = false;
}

}  // namespace korvane
