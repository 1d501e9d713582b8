// The client's one telnet connection: opening it step by step, the socket
// notifications, the service step of the message loop, ending it, and the
// keys and data that travel to the host. WinSock and the window are reached
// through two small interfaces, so every step runs in tests too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "client_config.h"
#include "config_store.h"
#include "display_messages.h"
#include "error_report.h"
#include "hosts_file.h"
#include "output_queue.h"
#include "record_log.h"
#include "telnet_protocol.h"

namespace korvane {

using SocketHandle = uintptr_t;  // 0 = no socket

// Socket notification events (the low word of WUM_SOCKET's lParam).
enum : int { kEventRead = 1, kEventWrite = 2, kEventConnect = 16, kEventClose = 32 };

// WinSock as the connection uses it. Failing calls give the system error.
class NetworkApi {
 public:
  virtual ~NetworkApi() = default;
  virtual SocketHandle OpenSocket(unsigned long& error) = 0;
  virtual bool SetNonBlocking(SocketHandle s, unsigned long& error) = 0;
  virtual bool BindAnyAddress(SocketHandle s, unsigned long& error) = 0;
  // inet_addr's value in network order; nothing for a malformed text.
  virtual std::optional<uint32_t> ParseAddress(const std::string& dotted) = 0;
  // The first IPv4 address of the name, in network order.
  virtual std::optional<uint32_t> Resolve(const std::string& name) = 0;
  // True when connected or under way.
  virtual bool Connect(SocketHandle s, uint32_t address, uint16_t port, unsigned long& error) = 0;
  virtual bool SetOobInline(SocketHandle s, unsigned long& error) = 0;
  // Small writes (keystrokes) go out at once instead of waiting for the
  // host's acknowledgement of the previous one; a failure only costs speed.
  virtual void SendWithoutDelay(SocketHandle s) = 0;
  virtual bool SelectEvents(SocketHandle s, unsigned long& error) = 0;
  virtual int Receive(SocketHandle s, unsigned char* buffer, int size) = 0;
  virtual void ShutdownSend(SocketHandle s) = 0;
  virtual void Close(SocketHandle s) = 0;
};

// The main window's side of the connection.
class ConnectionWindow {
 public:
  virtual ~ConnectionWindow() = default;
  // "Select a Host": 0 when a host was chosen (written to `selection` and
  // `port`), 1 for Cancel, -1 when the dialog cannot be shown.
  virtual int HostDialog(HostSelection& selection, uint16_t& port) = 0;
  virtual void CloseConnectStatus() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetConnectedMenus(bool connected) = 0;
  virtual void SendCancel() = 0;    // WUM_CANCEL to the main window
  virtual void SendClose() = 0;     // WUM_CLOSE (0, 0)
  virtual void SendConnect() = 0;   // WUM_CONNECT
  virtual void PlayInit() = 0;      // WUM_PLAYINIT
  virtual void SocketActivity() = 0;  // Popup on I/O
};

inline constexpr char kClosedText[] = "\r\n\n<--Connection Closed-->\r\n\nPress any key to connect: ";
// Each receive call costs a round trip through the system (a server call
// under Wine): large reads keep a busy host's output flowing. The emulators
// take host output split anywhere, so the read size changes nothing shown.
inline constexpr int kReceiveSize = 16384;
// Reads of a full buffer taken in one service step before the message loop
// runs again (keys and paints wait at most this long).
inline constexpr int kReadsPerService = 8;
inline constexpr int kOpenFailed = 1003;

// The window title of a completed connect: the command line's title (its
// enclosing quotes removed, also from the stored title) or "Korvane: label".
std::string ConnectedTitle(std::optional<std::string>& titleOverride, const std::string& label);

class Connection {
 public:
  struct Parts {
    NetworkApi& network;
    ConnectionWindow& window;
    TelnetProtocol& telnet;
    OutputQueue& queue;
    ClientConfig& config;
    ConfigStore& store;
    RecordLog& log;
    ErrorReporter& errors;
  };
  explicit Connection(Parts parts) : p_(parts) {}

  DisplayLink display;  // where local echo is shown

  // 0 when the connect is under way; 1003 after a reported failure; else
  // the connect dialog's cancel result.
  int OpenConnection();
  void OnSocketEvent(SocketHandle s, int event, int error);
  // Pending writes, then the reads a read notification allows: on while
  // the buffer comes back full, at most kReadsPerService of them. True when
  // it stopped at that limit, so more host output is probably waiting.
  bool ServiceSocket();
  // No more sends; the host's close ends the connection.
  void ShutdownConnection();
  // The window is going: the socket, if still open, is closed and forgotten.
  void CloseSocket();
  // WUM_CANCEL: the connection ended or could not be made.
  void Cancel();
  // The Disconnect command (without AutoClose).
  void Disconnect();

  // Bytes and typed characters for the host. While reconnect-on-key is
  // armed they start a new connection instead.
  void SendData(const unsigned char* bytes, int count);
  void SendChar(unsigned char c);

  SocketHandle Socket() const { return socket_; }
  // The connect has completed and the connection is open.
  bool Connected() const { return connected_; }
  bool ReconnectOnKey() const { return reconnectOnKey_; }
  const HostSelection& Selection() const { return selection_; }
  const std::string& LastHost() const { return lastHost_; }

 private:
  int SelectHost();
  int SetUpSocket();
  int FailOpen(SocketHandle s, int code, unsigned long error, const char* text);
  bool ResolveDestination(uint32_t& address);
  void LogSetsockoptError(unsigned long error);
  void OnConnect(SocketHandle s, int error);
  void OnClose(SocketHandle s);
  void Forget();
  void ShowClosedText();
  bool Reconnecting();

  Parts p_;
  SocketHandle socket_ = 0;
  bool connected_ = false;
  bool readFlag_ = false;
  int writeFlag_ = 0;
  bool reconnectOnKey_ = false;
  bool shutdownRequested_ = false;
  HostSelection selection_;
  std::string lastHost_;
  std::string connectedLabel_;
  unsigned char buffer_[kReceiveSize] = {};
};

}  // namespace korvane
