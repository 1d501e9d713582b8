// Throughput of the connection's portable layers without a socket: host text
// through TelnetReceive in 512-byte reads (plain, and with doubled IAC bytes
// and negotiations mixed in), and typed text through the output queue with
// CR NUL expansion. Prints figures; never fails on time.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "output_queue.h"
#include "telnet_protocol.h"

namespace korvane {
namespace {

class QuietPlatform : public ErrorPlatform {
  std::string SystemErrorText(unsigned long) override { return ""; }
  void ShowErrorDialog(const std::string&, int) override {}
  void ExitProgram(int) override {}
};

class Sink : public TelnetClient, public OutputPort {
 public:
  void Submit(const unsigned char*, int count) override { submitted += count; }
  void Reply(const unsigned char*, int count) override { replied += count; }
  std::string TerminalType() override { return "vt100"; }
  int Rows() override { return 24; }
  int Columns() override { return 80; }
  bool LocalEcho() override { return false; }
  void SetLocalEcho(bool) override {}
  std::optional<std::string> UserName() override { return std::string("user"); }
  std::optional<std::string> ComputerName() override { return std::string("pc"); }
  bool HasSocket() override { return true; }
  int Send(const unsigned char*, int count, unsigned long&) override { return count; }
  bool StartTimer() override { return true; }
  void StopTimer() override {}
  long MillisecondsIntoHour() override { return 0; }
  long long submitted = 0, replied = 0;
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Receive(const char* name, const std::string& pattern, size_t total) {
  QuietPlatform platform;
  RecordLog log;
  ErrorReporter errors(platform, log);
  Sink sink;
  TelnetProtocol telnet(sink, log, errors);
  std::string stream;
  while (stream.size() < (1u << 20)) stream += pattern;
  auto start = std::chrono::steady_clock::now();
  size_t done = 0;
  while (done < total) {
    for (size_t at = 0; at + 512 <= stream.size() && done < total; at += 512, done += 512)
      telnet.TelnetReceive(reinterpret_cast<const unsigned char*>(stream.data() + at), 512);
  }
  double seconds = Seconds(start);
  std::printf("TelnetReceive, %s: %.0f MB/s (%lld bytes to the emulator)\n", name, done / 1048576.0 / seconds,
              sink.submitted);
}

void Queue(size_t total) {
  QuietPlatform platform;
  RecordLog log;
  ErrorReporter errors(platform, log);
  Sink sink;
  OutputQueue queue(sink, log, errors);
  std::string line = "ls -l /usr/share/doc\r";
  auto start = std::chrono::steady_clock::now();
  size_t done = 0;
  while (done < total) {
    queue.QueueThese(reinterpret_cast<const unsigned char*>(line.data()), static_cast<int>(line.size()));
    done += line.size();
  }
  std::printf("QueueThese with CR NUL expansion: %.0f MB/s\n", done / 1048576.0 / Seconds(start));
}

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  size_t total = (argc > 1 && std::string(argv[1]) == "--quick") ? (4u << 20) : (256u << 20);
  korvane::Receive("plain lines", std::string(78, 'x') + "\r\n", total);
  korvane::Receive("doubled IAC and negotiation", std::string(70, 'y') + "\xff\xff\r\n\xff\xfd\x03\xff\xf1", total);
  korvane::Queue(total / 4);
  return 0;
}
