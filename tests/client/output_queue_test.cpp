#include "output_queue.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

using Bytes = std::vector<unsigned char>;

class FakePort : public OutputPort {
 public:
  bool HasSocket() override { return socket; }
  int Send(const unsigned char* bytes, int count, unsigned long& error) override {
    portions.push_back(count);
    if (failWith) {
      error = failWith;
      return -1;
    }
    int taken = std::min(count, accept);
    accept -= taken;
    sent.insert(sent.end(), bytes, bytes + taken);
    return taken;
  }
  bool StartTimer() override {
    ++timerStarts;
    timer = timerWorks;
    return timerWorks;
  }
  void StopTimer() override {
    ++timerStops;
    timer = false;
  }
  long MillisecondsIntoHour() override { return now; }

  bool socket = true;
  int accept = 1 << 30;  // bytes the socket still takes
  unsigned long failWith = 0;
  bool timerWorks = true, timer = false;
  int timerStarts = 0, timerStops = 0;
  long now = 1000;
  Bytes sent;
  std::vector<int> portions;
};

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

class OutputQueueTest : public ::testing::Test {
 protected:
  int Queue(const Bytes& bytes) { return queue.QueueThese(bytes.data(), static_cast<int>(bytes.size())); }

  test::ClientFixture fx;
  FakePort port;
  OutputQueue queue{port, fx.log(), fx.errors};
};

TEST_F(OutputQueueTest, LoneCarriageReturnsGainANulAndA255IsDoubled) {
  Queue(Text("A\rB"));
  Queue(Text("C\r\nD"));
  Queue(Text("E\r"));
  Queue(Text("\r\r\n"));
  Queue(Text("\xff"));
  Queue(Text("y\xff\xff\r"));
  EXPECT_EQ(port.sent, Text(std::string("A\r\0B", 4) + "C\r\nD" + std::string("E\r\0", 3) + std::string("\r\0\r\n", 4) +
                            "\xff\xff" + std::string("y\xff\xff\xff\xff\r\0", 7)));
}

TEST_F(OutputQueueTest, QueueThisExpandsOnlyACarriageReturnFollowedByData) {
  queue.QueueThis({13, -1});
  queue.QueueThis({13, 65, -1});
  queue.QueueThis({65, 13, 10, -1, 66});
  queue.QueueThis({255, -1});
  EXPECT_EQ(port.sent, Text(std::string("\r\r\0AA\r\n\xff\xff", 9)));
}

// Telnet commands are already in wire form: a NAWS size of 13 or a doubled
// 255 inside a subnegotiation must reach the host byte for byte.
TEST_F(OutputQueueTest, CommandsGoOutUnchangedAndInOrderWithData) {
  port.failWith = OutputQueue::kWouldBlock;
  Queue(Text("a\r"));
  Bytes naws = {255, 250, 31, 0, 80, 0, 13, 255, 240, 255, 252, 13};
  EXPECT_EQ(queue.QueueCommand(naws.data(), static_cast<int>(naws.size())), 3);
  Queue(Text("\xff"));
  port.failWith = 0;
  EXPECT_EQ(queue.QueueMoreChars(), 0);
  Bytes expected = {'a', 13, 0};
  expected.insert(expected.end(), naws.begin(), naws.end());
  expected.insert(expected.end(), {255, 255});
  EXPECT_EQ(port.sent, expected);
}

TEST_F(OutputQueueTest, BytesWaitWhileTheSocketIsFullAndLeaveInOrder) {
  port.accept = 0;
  port.failWith = OutputQueue::kWouldBlock;
  EXPECT_EQ(Queue(Text("hello")), 5);
  EXPECT_EQ(Queue(Text(" world")), 5) << "returns the count queued before the call";
  EXPECT_EQ(queue.Pending(), 11);
  EXPECT_TRUE(fx.platform.dialogs.empty()) << "a full socket buffer is not an error";

  port.failWith = 0;
  port.accept = 4;
  EXPECT_EQ(queue.QueueMoreChars(), 7);
  port.accept = 100;
  EXPECT_EQ(queue.QueueMoreChars(), 0);
  EXPECT_EQ(port.sent, Text("hello world"));
  EXPECT_EQ(queue.QueueMoreChars(), 0);
}

TEST_F(OutputQueueTest, TheQueueNeverHoldsMoreThan4096BytesAndLosesNothing) {
  port.failWith = OutputQueue::kWouldBlock;
  Bytes big(10000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<unsigned char>('a' + i % 26);
  Queue(big);
  for (int i = 0; i < 3000; ++i) queue.QueueThis({13, 'x', -1});
  EXPECT_EQ(queue.Pending(), 19000);

  port.failWith = 0;
  port.accept = 1000;
  queue.QueueMoreChars();
  port.accept = 1 << 30;
  EXPECT_EQ(queue.QueueMoreChars(), 0);
  for (int portion : port.portions) EXPECT_LE(portion, OutputQueue::kCapacity);
  Bytes expected = big;
  for (int i = 0; i < 3000; ++i) expected.insert(expected.end(), {13, 0, 'x'});
  EXPECT_EQ(port.sent, expected);
}

TEST_F(OutputQueueTest, TheBacklogIsBoundedAndDropsAreLogged) {
  fx.log().recordEvents = true;
  port.failWith = OutputQueue::kWouldBlock;
  Bytes block(600000, 'q');
  Queue(block);
  Queue(block);
  EXPECT_EQ(static_cast<size_t>(queue.Pending()), OutputQueue::kCapacity + OutputQueue::kBacklogLimit);
  EXPECT_NE(fx.record.Text().find("Output queue full: 147328 bytes dropped\r\n"), std::string::npos);
}

TEST_F(OutputQueueTest, WithoutAConnectionQueuedBytesAreDropped) {
  port.socket = false;
  queue.QueueThis({'a', 'b', -1});
  EXPECT_EQ(queue.Pending(), 0);
  EXPECT_TRUE(port.sent.empty());
  port.socket = true;
  Queue(Text("c"));
  EXPECT_EQ(port.sent, Text("c"));
}

TEST_F(OutputQueueTest, ASendErrorIsFatalUnlessTheConnectionIsGone) {
  port.failWith = 10054;  // reset by the host: its close notification follows
  Queue(Text("lost"));
  EXPECT_EQ(queue.Pending(), 0);
  EXPECT_TRUE(fx.platform.dialogs.empty());

  port.failWith = 10055;
  fx.platform.systemTexts = {{10055, "No buffer space.\r\n"}};
  Queue(Text("x"));
  ASSERT_EQ(fx.platform.dialogs.size(), 1u);
  EXPECT_EQ(fx.platform.dialogs[0], "S1113: Network Error - Send attempt failed\nError 10055: No buffer space.");
  EXPECT_EQ(fx.platform.exits, std::vector<int>{1});
}

TEST_F(OutputQueueTest, SentBytesAreDumpedWithTheIoMonitor) {
  fx.log().recordIO = true;
  Queue(Text("a~\x7f\r"));
  EXPECT_EQ(fx.record.Text(), "SEND: a~ [127]  [13]  [0] \r\n");
}

class ThrottledQueueTest : public OutputQueueTest {
 protected:
  void SetUp() override {
    queue.throttleSize = 50;
    queue.throttlePace = 20;
  }
};

TEST_F(ThrottledQueueTest, SendsOnePortionPerTimeSlotUntilEmpty) {
  EXPECT_EQ(Queue(Bytes(200, 'z')), 150);
  EXPECT_EQ(port.portions, std::vector<int>{50});
  EXPECT_TRUE(port.timer);

  port.now += 5;  // same 20 ms slot: too soon
  EXPECT_EQ(queue.QueueMoreChars(), 150);
  EXPECT_EQ(port.portions.size(), 1u);

  for (int expected : {100, 50, 0}) {
    port.now += 20;
    EXPECT_EQ(queue.QueueMoreChars(), expected);
  }
  EXPECT_EQ(port.portions, (std::vector<int>{50, 50, 50, 50}));
  EXPECT_EQ(port.sent.size(), 200u);
  EXPECT_TRUE(port.timer);
  port.now += 20;
  EXPECT_EQ(queue.QueueMoreChars(), 0);
  EXPECT_FALSE(port.timer);
  EXPECT_EQ(port.timerStarts, 1);
}

TEST_F(ThrottledQueueTest, ACallTooSoonStartsTheTimerInsteadOfSending) {
  Queue(Bytes(10, 'a'));
  EXPECT_EQ(port.portions, std::vector<int>{10});
  EXPECT_FALSE(port.timer) << "a small block needs no timer";
  Queue(Bytes(10, 'b'));
  EXPECT_EQ(port.portions.size(), 1u);
  EXPECT_TRUE(port.timer);
  port.now += 20;
  EXPECT_EQ(queue.QueueMoreChars(), 0);
  EXPECT_EQ(port.sent.size(), 20u);
}

TEST_F(ThrottledQueueTest, WithoutATimerTheWholeQueueGoes) {
  port.timerWorks = false;
  Queue(Bytes(10, 'a'));
  Queue(Bytes(200, 'b'));  // same slot, no timer to wait for
  EXPECT_EQ(port.portions, (std::vector<int>{10, 200}));
  EXPECT_EQ(queue.Pending(), 0);
}

TEST_F(ThrottledQueueTest, TheSlotCountsFromTheStartOfTheHour) {
  port.now = 3599990;
  Queue(Bytes(120, 'a'));
  port.now = 5;  // the next hour began: another slot
  EXPECT_EQ(queue.QueueMoreChars(), 20);
}

}  // namespace
}  // namespace korvane
