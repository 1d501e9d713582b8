// The UI driver's loopback telnet test host: it listens on a free port,
// accepts the client, sends scripted bytes and checks what the client sends,
// with timeouts. Other test runs use loopback at the same time, so it never
// assumes a port is free.
#pragma once

#include <winsock2.h>

#include <string>

namespace kvdriver {

struct HostCheck {
  bool ok;
  std::string what;
  std::string detail;
};

class TestHost {
 public:
  TestHost();
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  // Port 0: a free port of 127.0.0.1. A fixed port (such as 23): that port
  // on a loopback address 127.x.y.z not in use by anyone else.
  HostCheck Listen(int port);
  // A listener whose queue is full: a client's connect stays under way.
  HostCheck ListenStalled();
  const std::string& Address() const { return address_; }
  int Port() const { return port_; }

  HostCheck Accept(DWORD timeoutMs);
  HostCheck Send(const std::string& bytes);
  // Waits until the client's unread bytes contain `bytes` (or, with `next`,
  // begin with them); the bytes up to the match are consumed.
  HostCheck Expect(const std::string& bytes, DWORD timeoutMs, bool next);
  // Nothing more arrives within the time.
  HostCheck ExpectSilence(DWORD ms);
  // The client closes its side within the time.
  HostCheck ExpectClosed(DWORD timeoutMs);
  // Forgets the unread bytes, and what else arrives within the time.
  void Skip(DWORD ms);
  // Closes the accepted connection (the listener stays).
  void CloseClient();
  void CloseAll();

  // Sends `total` bytes made of `pattern` repeated; blocks until the client
  // has taken all but what the socket buffers hold. Returns the seconds taken.
  double SendBulk(const std::string& pattern, size_t total);

 private:
  // Reads what is there within the time; false when the client closed.
  bool ReadSome(DWORD timeoutMs);

  SOCKET listener_ = INVALID_SOCKET;
  SOCKET filler_ = INVALID_SOCKET;
  SOCKET client_ = INVALID_SOCKET;
  bool clientClosed_ = false;
  std::string address_;
  int port_ = 0;
  std::string received_;
};

// Bytes shown with \r \n \xHH escapes for check details.
std::string PrintableBytes(const std::string& bytes);

}  // namespace kvdriver
