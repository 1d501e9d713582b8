#include "test_host.h"

#include <cstdio>
#include <cstdlib>

namespace kvdriver {

std::string PrintableBytes(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char buf[8];
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c < 32 || c >= 127) {
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else
      out += static_cast<char>(c);
  }
  return out;
}

TestHost::TestHost() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
}

TestHost::~TestHost() {
  CloseAll();
  WSACleanup();
}

namespace {

SOCKET ListenOn(const std::string& address, int port, int backlog = 4) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return s;
  sockaddr_in at = {};
  at.sin_family = AF_INET;
  at.sin_port = htons(static_cast<u_short>(port));
  at.sin_addr.s_addr = inet_addr(address.c_str());
  if (bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(s, backlog) != 0) {
    closesocket(s);
    return INVALID_SOCKET;
  }
  return s;
}

timeval Timeout(DWORD ms) { return {static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000}; }

}  // namespace

HostCheck TestHost::Listen(int port) {
  CloseAll();
  if (port == 0) {
    address_ = "127.0.0.1";
    listener_ = ListenOn(address_, 0);
  } else {
    // A fixed port is shared by every test run on this machine: take it on a
    // loopback address of our own, picked at random.
    std::srand(GetTickCount() ^ (GetCurrentProcessId() << 8));
    for (int attempt = 0; attempt < 50 && listener_ == INVALID_SOCKET; ++attempt) {
      address_ = "127." + std::to_string(1 + std::rand() % 250) + "." + std::to_string(std::rand() % 250) + "." +
                 std::to_string(2 + std::rand() % 250);
      listener_ = ListenOn(address_, port);
    }
  }
  if (listener_ == INVALID_SOCKET)
    return {false, "host listens on port " + std::to_string(port), "error " + std::to_string(WSAGetLastError())};
  sockaddr_in bound = {};
  int length = sizeof bound;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&bound), &length);
  port_ = ntohs(bound.sin_port);
  return {true, "host listens on " + address_ + ":" + std::to_string(port_), ""};
}

HostCheck TestHost::ListenStalled() {
  CloseAll();
  address_ = "127.0.0.1";
  listener_ = ListenOn(address_, 0, 0);
  HostCheck check{false, "host listens with a full queue", ""};
  if (listener_ == INVALID_SOCKET) return check;
  sockaddr_in bound = {};
  int length = sizeof bound;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&bound), &length);
  port_ = ntohs(bound.sin_port);
  // One connection of our own, never accepted, fills the queue.
  filler_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  check.ok = filler_ != INVALID_SOCKET && connect(filler_, reinterpret_cast<sockaddr*>(&bound), sizeof bound) == 0;
  return check;
}

HostCheck TestHost::Accept(DWORD timeoutMs) {
  CloseClient();
  HostCheck check{false, "host accepts a connection", ""};
  if (listener_ == INVALID_SOCKET) {
    check.detail = "not listening";
    return check;
  }
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(listener_, &ready);
  timeval wait = Timeout(timeoutMs);
  if (select(0, &ready, nullptr, nullptr, &wait) != 1) {
    check.detail = "nobody connected";
    return check;
  }
  client_ = accept(listener_, nullptr, nullptr);
  clientClosed_ = false;
  received_.clear();
  check.ok = client_ != INVALID_SOCKET;
  return check;
}

HostCheck TestHost::Send(const std::string& bytes) {
  HostCheck check{false, "host sends \"" + PrintableBytes(bytes.substr(0, 60)) + "\"", ""};
  size_t done = 0;
  while (client_ != INVALID_SOCKET && done < bytes.size()) {
    int sent = send(client_, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (sent <= 0) break;
    done += static_cast<size_t>(sent);
  }
  check.ok = done == bytes.size();
  if (!check.ok) check.detail = client_ == INVALID_SOCKET ? "no client" : "send failed";
  return check;
}

bool TestHost::ReadSome(DWORD timeoutMs) {
  if (client_ == INVALID_SOCKET || clientClosed_) return false;
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(client_, &ready);
  timeval wait = Timeout(timeoutMs);
  if (select(0, &ready, nullptr, nullptr, &wait) != 1) return true;
  char buffer[4096];
  int got = recv(client_, buffer, sizeof buffer, 0);
  if (got <= 0) {
    clientClosed_ = true;
    return false;
  }
  received_.append(buffer, static_cast<size_t>(got));
  return true;
}

HostCheck TestHost::Expect(const std::string& bytes, DWORD timeoutMs, bool next) {
  HostCheck check{false, std::string(next ? "host receives next \"" : "host receives \"") + PrintableBytes(bytes) + "\"",
                  ""};
  DWORD start = GetTickCount();
  for (;;) {
    size_t at = received_.find(bytes);
    if (next ? received_.size() >= bytes.size() : at != std::string::npos) {
      check.ok = next ? received_.compare(0, bytes.size(), bytes) == 0 : true;
      if (check.ok) received_.erase(0, (next ? 0 : at) + bytes.size());
      break;
    }
    DWORD spent = GetTickCount() - start;
    if (clientClosed_ || spent >= timeoutMs) break;
    ReadSome(timeoutMs - spent > 50 ? 50 : timeoutMs - spent);
  }
  if (!check.ok)
    check.detail = "received \"" + PrintableBytes(received_.substr(0, 200)) + "\"" +
                   (clientClosed_ ? " and the client closed" : "");
  return check;
}

HostCheck TestHost::ExpectSilence(DWORD ms) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && ReadSome(50)) {
  }
  return {received_.empty(), "host receives nothing more", "received \"" + PrintableBytes(received_) + "\""};
}

void TestHost::Skip(DWORD ms) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms && ReadSome(50)) {
  }
  received_.clear();
}

HostCheck TestHost::ExpectClosed(DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!clientClosed_ && GetTickCount() - start < timeoutMs) ReadSome(50);
  return {clientClosed_, "client closed the connection", ""};
}

void TestHost::CloseClient() {
  if (client_ != INVALID_SOCKET) closesocket(client_);
  client_ = INVALID_SOCKET;
  clientClosed_ = false;
}

void TestHost::CloseAll() {
  CloseClient();
  if (filler_ != INVALID_SOCKET) closesocket(filler_);
  filler_ = INVALID_SOCKET;
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  listener_ = INVALID_SOCKET;
}

double TestHost::SendBulk(const std::string& pattern, size_t total) {
  if (client_ == INVALID_SOCKET || pattern.empty()) return 0;
  std::string block;
  while (block.size() < 65536) block += pattern;
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  size_t done = 0;
  while (done < total) {
    size_t chunk = total - done < block.size() ? total - done : block.size();
    int sent = send(client_, block.data(), static_cast<int>(chunk), 0);
    if (sent <= 0) break;
    done += static_cast<size_t>(sent);
    // Answers the client sends meanwhile must not fill its side.
    u_long waiting = 0;
    if (ioctlsocket(client_, FIONREAD, &waiting) == 0 && waiting > 0) ReadSome(0);
  }
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace kvdriver
