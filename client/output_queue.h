// Everything the client sends to the host goes through one output queue: in
// data it turns a lone CR into CR NUL and doubles a byte 255, sends what the socket takes and keeps the
// rest for the socket's write notification, and can pace the output in
// small portions (throttling) for hosts that lose fast input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "error_report.h"
#include "record_log.h"

namespace korvane {

// The socket, the queue timer and the clock, as the queue sees them.
class OutputPort {
 public:
  virtual ~OutputPort() = default;
  virtual bool HasSocket() = 0;
  // Bytes taken by the socket, or -1 with the system error in `error`.
  virtual int Send(const unsigned char* bytes, int count, unsigned long& error) = 0;
  virtual bool StartTimer() = 0;  // the 20 ms queue timer; false when it cannot be made
  virtual void StopTimer() = 0;
  // Milliseconds since the start of the current hour of local time.
  virtual long MillisecondsIntoHour() = 0;
};

class OutputQueue {
 public:
  static constexpr int kCapacity = 4096;
  // Bytes that do not fit the queue wait behind it, up to this many; beyond
  // that they are dropped (and logged).
  static constexpr size_t kBacklogLimit = size_t{1} << 20;
  static constexpr unsigned long kWouldBlock = 10035;  // WSAEWOULDBLOCK
  static constexpr int kTimerId = 90;                 // QTIMERID
  static constexpr int kTimerPeriodMs = 20;

  OutputQueue(OutputPort& port, RecordLog& log, ErrorReporter& errors) : port_(port), log_(log), errors_(errors) {}

  int throttleSize = 0;   // bytes per time slot; 0 = throttling off
  int throttlePace = 20;  // milliseconds per time slot

  // Single data bytes, up to the end marker -1. A CR gets a NUL after it
  // unless an LF or the end follows; a 255 is doubled.
  void QueueThis(std::initializer_list<int> items);
  // A block of data; a CR not followed by LF (or ending the block) gets a
  // NUL, a 255 is doubled. Returns the pending count before the call, or
  // what QueueMoreChars returned when the queue was empty.
  int QueueThese(const unsigned char* bytes, int count);
  // Telnet commands, already in their wire form: queued unchanged, with
  // QueueThese's result.
  int QueueCommand(const unsigned char* bytes, int count);
  // Sends what it may; returns the bytes still pending.
  int QueueMoreChars();

  int Pending() const { return count_ + static_cast<int>(backlog_.size() - backlogStart_); }
  bool TimerRunning() const { return timer_; }

 private:
  void Append(const unsigned char* bytes, size_t count);
  void Refill();
  void Discard();
  bool ThrottledPortion(int& portion);
  bool SendPortion(int portion);

  OutputPort& port_;
  RecordLog& log_;
  ErrorReporter& errors_;
  unsigned char queue_[kCapacity] = {};
  int count_ = 0;
  std::vector<unsigned char> backlog_;
  size_t backlogStart_ = 0;
  std::vector<unsigned char> expansion_;
  bool timer_ = false;
  long lastSlot_ = -1;
};

}  // namespace korvane
