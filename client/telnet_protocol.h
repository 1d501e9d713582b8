// The receive side of the telnet protocol: separates plain data from telnet
// commands, hands the data to the emulator in runs and answers option
// negotiation through the output queue. Commands split across receive
// buffers are completed on the next call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "error_report.h"
#include "record_log.h"

namespace korvane {

namespace telnet {
enum : uint8_t {
  EOR = 239, SE = 240, NOP = 241, DM = 242, BRK = 243, IP = 244, AO = 245, AYT = 246, EC = 247, EL = 248, GA = 249,
  SB = 250, WILL = 251, WONT = 252, DO = 253, DONT = 254, IAC = 255
};
enum : uint8_t {
  OPT_ECHO = 1, OPT_SGA = 3, OPT_STATUS = 5, OPT_TTYPE = 24, OPT_NAWS = 31, OPT_TSPEED = 32, OPT_LFLOW = 33,
  OPT_XDISPLOC = 35, OPT_ENVIRON = 36, OPT_AUTHENTICATION = 37, OPT_ENCRYPT = 38, OPT_NEW_ENVIRON = 39
};
// Subnegotiation codes: TERMINAL-TYPE IS, and the environment's VALUE and USERVAR.
enum : uint8_t { TTYPE_IS = 0, ENV_VALUE = 1, ENV_USERVAR = 3 };
}  // namespace telnet

// What the telnet layer needs from the rest of the client.
class TelnetClient {
 public:
  virtual ~TelnetClient() = default;
  virtual void Submit(const unsigned char* bytes, int count) = 0;  // data for the emulator
  virtual void Reply(const unsigned char* bytes, int count) = 0;   // queued for the host as it is
  virtual std::string TerminalType() = 0;
  virtual int Rows() = 0;
  virtual int Columns() = 0;
  virtual bool LocalEcho() = 0;
  virtual void SetLocalEcho(bool on) = 0;
  virtual std::optional<std::string> UserName() = 0;
  virtual std::optional<std::string> ComputerName() = 0;
};

class TelnetProtocol {
 public:
  // Longest command or subnegotiation collected; a longer subnegotiation is
  // a protocol error.
  static constexpr int kSequenceLimit = 1024;

  TelnetProtocol(TelnetClient& client, RecordLog& log, ErrorReporter& errors)
      : client_(client), log_(log), errors_(errors) {}

  bool disableNaws = false;

  void TelnetReceive(const unsigned char* bytes, int count);
  // Unless NAWS is disabled: WILL NAWS, or the new size once the host agreed.
  void OfferNaws();
  // With local echo on: DONT ECHO, so the host does not echo as well.
  void RequestNoEcho();
  // A new connection starts a fresh negotiation and plain data.
  void Reset();

  bool NawsOffered() const { return nawsOffered_; }
  bool EchoRequestPending() const { return echoRequestPending_; }

 private:
  friend struct TelnetProtocolTestAccess;
  enum State : int {
    kData = 0, kIac = 255, kSubOption = 250, kNegotiate = -2, kError = -3, kSubStore = -4, kSubStoreParameter = -5,
    kSubParameter = -6, kSubIac = -7, kSubDone = -8, kFinished = -1
  };

  static const unsigned char* FindIac(const unsigned char* bytes, int count);
  // Everything but a read of plain data while nothing is logged; out of
  // line, so that such a read needs none of its registers.
  [[gnu::noinline]] void ReceiveWithCommands(const unsigned char* bytes, int count);
  bool Step(unsigned char byte, int index, int& runStart, const unsigned char* bytes);
  void StepAfterIac(unsigned char byte, int index, const unsigned char* bytes);
  void StepSubParameter(unsigned char byte);
  void Append(unsigned char byte);
  void ProtocolError();
  void Answer();
  void AnswerEcho(uint8_t verb);
  void AnswerNaws(uint8_t verb);
  void AnswerEnvironment(uint8_t verb, bool oldOption);
  void AnswerWith(uint8_t verb);
  void Refuse(uint8_t verb);
  void ActOnSubnegotiation();
  void SendTerminalType();
  void SendEnvironment();
  void SendSize();
  void Send(const std::vector<unsigned char>& bytes);
  void ImpossibleState();

  TelnetClient& client_;
  RecordLog& log_;
  ErrorReporter& errors_;
  int state_ = kData;
  unsigned char sequence_[kSequenceLimit] = {};
  int length_ = 0;
  bool nawsOffered_ = false;
  bool nawsAgreed_ = false;
  bool echoRequestPending_ = false;
  bool echoAsked_ = false;  // DO ECHO sent in answer to WONT ECHO
  bool environmentAgreed_ = false;
  bool environmentOld_ = false;
};

}  // namespace korvane
