// Pasted and typed bytes through the output queue, with a socket that takes
// arbitrary amounts: nothing overflows and the host gets every byte, in
// order, with each lone CR followed by NUL and each 255 doubled; telnet
// commands between the blocks leave unchanged.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "output_queue.h"

using namespace korvane;

namespace {

class ChokingPort : public OutputPort {
 public:
  bool HasSocket() override { return true; }
  int Send(const unsigned char* bytes, int count, unsigned long& error) override {
    if (count <= 0 || count > OutputQueue::kCapacity) __builtin_trap();
    int taken = count < allowance ? count : allowance;
    if (taken == 0) {
      error = OutputQueue::kWouldBlock;
      return -1;
    }
    allowance -= taken;
    sent.insert(sent.end(), bytes, bytes + taken);
    return taken;
  }
  bool StartTimer() override { return true; }
  void StopTimer() override {}
  long MillisecondsIntoHour() override { return now; }
  int allowance = 0;
  long now = 0;
  std::vector<unsigned char> sent;
};

void Expand(const uint8_t* bytes, size_t count, std::vector<unsigned char>& out) {
  for (size_t i = 0; i < count; ++i) {
    out.push_back(bytes[i]);
    if (bytes[i] == 13 && (i + 1 == count || bytes[i + 1] != 10)) out.push_back(0);
    if (bytes[i] == 255) out.push_back(255);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ChokingPort port;
  OutputQueue queue(port, log, errors);
  std::vector<unsigned char> expected;
  // Each record: a control byte (block length, socket allowance, throttle)
  // followed by that many bytes of data; a length of 31 makes the block a
  // command.
  size_t i = 0;
  while (i < size) {
    uint8_t control = data[i++];
    size_t length = control & 0x1F;
    if (length > size - i) length = size - i;
    queue.throttleSize = (control & 0x80) ? 7 : 0;
    port.allowance = (control >> 5) * 300;
    port.now += 20;
    if ((control & 0x1F) == 0x1F) {
      queue.QueueCommand(data + i, static_cast<int>(length));
      expected.insert(expected.end(), data + i, data + i + length);
    } else {
      queue.QueueThese(data + i, static_cast<int>(length));
      Expand(data + i, length, expected);
    }
    i += length;
    queue.QueueMoreChars();
  }
  queue.throttleSize = 0;
  port.allowance = 1 << 30;
  queue.QueueMoreChars();
  if (port.sent != expected || queue.Pending() != 0) __builtin_trap();
  return 0;
}
