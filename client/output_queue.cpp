#include "output_queue.h"

#include <algorithm>
#include <cstring>

namespace korvane {

namespace {
constexpr unsigned char CR = 13, LF = 10, NUL = 0, IAC = 255;

// WSAECONNABORTED, WSAECONNRESET, WSAENOTCONN, WSAESHUTDOWN: the host or our
// own shutdown ended the connection.
bool ConnectionGone(unsigned long error) { return error == 10053 || error == 10054 || error == 10057 || error == 10058; }
}  // namespace

void OutputQueue::QueueThis(std::initializer_list<int> items) {
  bool wasEmpty = Pending() == 0;
  std::vector<unsigned char> bytes;
  for (auto it = items.begin(); it != items.end() && *it != -1; ++it) {
    unsigned char byte = static_cast<unsigned char>(*it);
    bytes.push_back(byte);
    auto next = it + 1;
    if (byte == CR && next != items.end() && *next != -1 && *next != LF) bytes.push_back(NUL);
    if (byte == IAC) bytes.push_back(IAC);
  }
  Append(bytes.data(), bytes.size());
  if (wasEmpty) QueueMoreChars();
}

int OutputQueue::QueueThese(const unsigned char* bytes, int count) {
  int before = Pending();
  if (!bytes || count <= 0) return before;
  size_t length = static_cast<size_t>(count);
  if (std::memchr(bytes, CR, length) || std::memchr(bytes, IAC, length)) {
    // The scratch buffer is reused and only grows; a block at most doubles.
    if (expansion_.capacity() <= 2 * length) expansion_.reserve(4 * length);
    expansion_.clear();
    for (size_t i = 0; i < length; ++i) {
      expansion_.push_back(bytes[i]);
      if (bytes[i] == CR && (i + 1 == length || bytes[i + 1] != LF)) expansion_.push_back(NUL);
      // A data byte 255 would reach the host as the start of a command.
      if (bytes[i] == IAC) expansion_.push_back(IAC);
    }
    Append(expansion_.data(), expansion_.size());
  } else {
    Append(bytes, length);
  }
  return before == 0 ? QueueMoreChars() : before;
}

int OutputQueue::QueueCommand(const unsigned char* bytes, int count) {
  int before = Pending();
  if (!bytes || count <= 0) return before;
  Append(bytes, static_cast<size_t>(count));
  return before == 0 ? QueueMoreChars() : before;
}

// The queue takes what fits; the rest waits in order behind it.
void OutputQueue::Append(const unsigned char* bytes, size_t count) {
  if (backlogStart_ == backlog_.size()) {
    size_t fits = std::min(count, static_cast<size_t>(kCapacity - count_));
    std::memcpy(queue_ + count_, bytes, fits);
    count_ += static_cast<int>(fits);
    bytes += fits;
    count -= fits;
  }
  if (count == 0) return;
  size_t room = kBacklogLimit - (backlog_.size() - backlogStart_);
  if (count > room) {
    log_.Event("Output queue full: %d bytes dropped\n", static_cast<int>(count - room));
    count = room;
  }
  backlog_.insert(backlog_.end(), bytes, bytes + count);
}

void OutputQueue::Refill() {
  size_t waiting = backlog_.size() - backlogStart_;
  size_t take = std::min(waiting, static_cast<size_t>(kCapacity - count_));
  if (take == 0) return;
  std::memcpy(queue_ + count_, backlog_.data() + backlogStart_, take);
  count_ += static_cast<int>(take);
  backlogStart_ += take;
  if (backlogStart_ == backlog_.size()) {
    backlog_.clear();
    backlogStart_ = 0;
  }
}

void OutputQueue::Discard() {
  count_ = 0;
  backlog_.clear();
  backlogStart_ = 0;
}

int OutputQueue::QueueMoreChars() {
  if (count_ == 0) {
    if (timer_) port_.StopTimer();
    timer_ = false;
    return 0;
  }
  if (!port_.HasSocket()) {
    Discard();
    return 0;
  }
  if (throttleSize > 0) {
    int portion = count_;
    if (ThrottledPortion(portion)) SendPortion(portion);
    return Pending();
  }
  // Unthrottled: as much as the socket takes. Stopping only at a full
  // buffer guarantees a write notification for the rest.
  while (count_ > 0 && SendPortion(count_)) {
  }
  return Pending();
}

// At most one portion per time slot, the timer calling again for the rest;
// false when this slot has had its portion.
bool OutputQueue::ThrottledPortion(int& portion) {
  long slot = port_.MillisecondsIntoHour() / std::max(1, throttlePace);
  if (slot == lastSlot_) {
    if (timer_) return false;
    timer_ = port_.StartTimer();
    if (timer_) return false;
  }
  if (count_ > throttleSize) {
    if (!timer_) timer_ = port_.StartTimer();
    portion = timer_ ? throttleSize : count_;
  }
  lastSlot_ = slot;
  return true;
}

// One send from the front of the queue; true when the socket took some of
// it. A full socket buffer keeps the bytes for the write
// notification; any other send error ends the program.
bool OutputQueue::SendPortion(int portion) {
  unsigned long error = 0;
  int sent = port_.Send(queue_, portion, error);
  if (sent < 0 && error == kWouldBlock) return false;
  if (sent < 0 && ConnectionGone(error)) {
    // The socket's close notification ends the connection; the bytes have
    // nowhere to go.
    log_.Event("Send failed, connection lost: %d\n", static_cast<int>(error));
    Discard();
    return false;
  }
  if (sent < 0 || sent > count_) {
    errors_.SetErrorLocation(__FILE__, __LINE__);
    errors_.ErrorCall(kSystemError, 1113, error, "Network Error - Send attempt failed");
    errors_.ExitProgram(1);
    Discard();
    return false;
  }
  if (log_.recordIO) log_.WriteText(RecordLog::DumpLine("SEND: ", queue_, static_cast<size_t>(sent), 126));
  std::memmove(queue_, queue_ + sent, static_cast<size_t>(count_ - sent));
  count_ -= sent;
  Refill();
  return sent > 0;
}

}  // namespace korvane
