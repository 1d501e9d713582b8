// Host bytes through the telnet layer: no fault on any input, and the same
// data and answers however the bytes are split into receive buffers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "telnet_protocol.h"

using namespace korvane;

namespace {

class Collector : public TelnetClient {
 public:
  void Submit(const unsigned char* bytes, int count) override {
    if (count <= 0) __builtin_trap();
    data.insert(data.end(), bytes, bytes + count);
  }
  void Reply(const unsigned char* bytes, int count) override { replies.insert(replies.end(), bytes, bytes + count); }
  std::string TerminalType() override { return "vt100"; }
  int Rows() override { return 24; }
  int Columns() override { return 80; }
  bool LocalEcho() override { return echo; }
  void SetLocalEcho(bool on) override { echo = on; }
  std::optional<std::string> UserName() override { return std::string("user"); }
  std::optional<std::string> ComputerName() override { return std::string("host"); }
  std::vector<unsigned char> data, replies;
  bool echo = true;
};

void Run(Collector& client, const uint8_t* bytes, size_t size, size_t cut) {
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  TelnetProtocol telnet(client, log, errors);
  telnet.OfferNaws();
  telnet.RequestNoEcho();
  telnet.TelnetReceive(bytes, static_cast<int>(cut));
  telnet.TelnetReceive(bytes + cut, static_cast<int>(size - cut));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t cut = data[0] % size;
  Collector whole, split;
  Run(whole, data + 1, size - 1, 0);
  Run(split, data + 1, size - 1, cut > size - 1 ? size - 1 : cut);
  if (whole.data != split.data || whole.replies != split.replies || whole.echo != split.echo) __builtin_trap();
  if (whole.data.size() > size) __builtin_trap();
  return 0;
}
