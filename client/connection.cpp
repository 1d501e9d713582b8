#include "connection.h"

#include <vector>

#include "local_echo.h"

namespace korvane {

std::string ConnectedTitle(std::optional<std::string>& titleOverride, const std::string& label) {
  if (!titleOverride) return "Korvane: " + label;
  std::string& title = *titleOverride;
  if (title.size() >= 2 && (title[0] == '"' || title[0] == '\'') && title.back() == title[0])
    title = title.substr(1, title.size() - 2);
  return title;
}

int Connection::SelectHost() {
  ClientConfig& config = p_.config;
  if (config.autoConnect && config.host) {
    p_.log.Event("1: Default Host = %s\n", config.host->c_str());
    if (IsDottedAddress(*config.host)) {
      selection_ = {std::nullopt, *config.host};
      p_.log.Event("SelectedAddr\n");
    } else {
      selection_ = {*config.host, std::nullopt};
      p_.log.Event("SelectedName\n");
    }
    return 0;
  }
  p_.log.Event("3: Connect Dialog\n");
  HostSelection chosen = selection_;
  int result = p_.window.HostDialog(chosen, config.port);
  if (result == 0) selection_ = chosen;
  return result;
}

// A socket abandoned by a failed step is closed rather than leaked.
int Connection::FailOpen(SocketHandle s, int code, unsigned long error, const char* text) {
  p_.errors.ErrorCall(kSystemError, code, error, "%s", text);
  p_.network.Close(s);
  return kOpenFailed;
}

int Connection::OpenConnection() {
  p_.log.Event("Socket start\n");
  if (int result = SelectHost()) return result;
  if (socket_) {  // an earlier connection still waiting for the host's close
    p_.network.Close(socket_);
    Forget();
  }
  if (int result = SetUpSocket()) return result;
  p_.store.WriteText("Defaults", "LastHost", lastHost_);
  connectedLabel_ = selection_.name ? *selection_.name : selection_.address.value_or("");
  p_.telnet.Reset();
  shutdownRequested_ = false;
  // Opened from the menu: the next key is for the new connection.
  reconnectOnKey_ = false;
  p_.log.Event("Socket End\n");
  return 0;
}

// Socket, options, destination, event selection and connect; 0 with the
// connect under way, else 1003 after the report.
int Connection::SetUpSocket() {
  NetworkApi& net = p_.network;
  unsigned long error = 0;
  SocketHandle s = net.OpenSocket(error);
  if (!s) {
    p_.errors.ErrorCall(kSystemError, 1112, error, "Socket connection attempt failed");
    return kOpenFailed;
  }
  if (!net.SetNonBlocking(s, error)) return FailOpen(s, 1113, error, "Network error: FIONBIO failed");
  if (!net.BindAnyAddress(s, error)) return FailOpen(s, 1113, error, "Network error: Bind failed");
  uint32_t address = 0;
  if (!ResolveDestination(address)) {
    net.Close(s);
    return kOpenFailed;
  }
  if (p_.config.port == 0) p_.config.port = 23;
  if (!net.SetOobInline(s, error)) {
    p_.errors.ErrorCall(kSystemError, 1113, error, "Network error: setsockopt failed!");
    LogSetsockoptError(error);
    net.Close(s);
    return kOpenFailed;
  }
  net.SendWithoutDelay(s);
  // Events are selected before the connect: a loopback connect can complete
  // at once, and its notification must not be missed.
  socket_ = s;
  if (!net.SelectEvents(s, error)) {
    socket_ = 0;
    return FailOpen(s, 1113, error, "Network error: WSAAsyncSelect failed");
  }
  if (!net.Connect(s, address, p_.config.port, error)) {
    socket_ = 0;
    return FailOpen(s, 1113, error, "Network Error: Couldn't open socket");
  }
  return 0;
}

// A dotted text that does not read as an address is reported like a name
// that does not resolve, instead of connecting to 255.255.255.255.
bool Connection::ResolveDestination(uint32_t& address) {
  std::optional<uint32_t> found;
  const std::string* used = nullptr;
  if (selection_.address) {
    used = &*selection_.address;
    p_.log.Event("Open by address: %s\n", used->c_str());
    found = p_.network.ParseAddress(*used);
  } else if (selection_.name) {
    used = &*selection_.name;
    p_.log.Event("Open by name: %s\n", used->c_str());
    found = p_.network.Resolve(*used);
  } else {
    return true;
  }
  if (!found) {
    p_.errors.ErrorCall(kSystemError, 1116, 0, "Couldn't resolve host name '%s'", used->c_str());
    p_.log.Event("Connection failed\n");
    return false;
  }
  address = *found;
  lastHost_ = *used;
  return true;
}

void Connection::LogSetsockoptError(unsigned long error) {
  if (!p_.log.recordEvents) return;
  p_.log.WriteRecord("setsockopt error: ");
  switch (error) {
    case 10014: p_.log.WriteRecord("WSAEFAULT\n"); break;
    case 10022: p_.log.WriteRecord("WSAEINVAL\n"); break;
    case 10036: p_.log.WriteRecord("WSAEINPROGRESS\n"); break;
    case 10038: p_.log.WriteRecord("WSAENOTSOCK\n"); break;
    case 10042: p_.log.WriteRecord("WSAENOPROTOOPT\n"); break;
    default: p_.log.WriteRecord("Other value %d %x\n", static_cast<int>(error), static_cast<unsigned>(error)); break;
  }
}

void Connection::OnSocketEvent(SocketHandle s, int event, int error) {
  p_.window.SocketActivity();
  switch (event) {
    case kEventRead:
      if (s == socket_ && socket_) readFlag_ = true;
      break;
    case kEventWrite:
      writeFlag_ = 1;
      break;
    case kEventConnect:
      OnConnect(s, error);
      break;
    case kEventClose:
      OnClose(s);
      break;
    default:
      p_.log.Event("WUM_SOCKET: Unexpected event %d\n", event);
      break;
  }
}

void Connection::OnConnect(SocketHandle s, int error) {
  p_.log.Event("FD_CONNECT\n");
  if (s != socket_ || !socket_) return;
  p_.window.CloseConnectStatus();
  if (error) {
    p_.errors.ErrorCall(kSystemError, 1106, static_cast<unsigned long>(error), "Connection attempt failed!");
    p_.window.SendCancel();
    return;
  }
  connected_ = true;
  p_.window.SetTitle(ConnectedTitle(p_.config.title, connectedLabel_));
  p_.window.SetConnectedMenus(true);
  if (p_.config.port == 23) {
    p_.telnet.OfferNaws();
    p_.telnet.RequestNoEcho();
  }
}

// The host closed. What it sent last is still shown (read before the
// socket is forgotten, handed on after, so that no answer is sent to a
// closed connection).
void Connection::OnClose(SocketHandle s) {
  if (s != socket_ || !socket_) return;
  std::vector<unsigned char> last;
  for (int got; (got = p_.network.Receive(s, buffer_, kReceiveSize)) > 0;) last.insert(last.end(), buffer_, buffer_ + got);
  p_.network.Close(s);
  Forget();
  bool ourShutdown = shutdownRequested_;
  shutdownRequested_ = false;
  if (!last.empty()) p_.telnet.TelnetReceive(last.data(), static_cast<int>(last.size()));
  p_.config.autoConnect = false;
  // After our own shutdown the window is closing or already shows the
  // closed text.
  if (ourShutdown) {
    reconnectOnKey_ = true;
    return;
  }
  if (p_.config.autoClose) {
    p_.window.SendClose();
    reconnectOnKey_ = true;
    return;
  }
  p_.window.SetConnectedMenus(false);
  p_.window.PlayInit();
  ShowClosedText();
  // Armed last: what the module answers to the init file or the closed
  // text is no key of the user's.
  reconnectOnKey_ = true;
}

void Connection::Forget() {
  socket_ = 0;
  connected_ = false;
  readFlag_ = false;
  writeFlag_ = 0;
}

void Connection::ShowClosedText() {
  p_.telnet.Reset();
  p_.telnet.TelnetReceive(reinterpret_cast<const unsigned char*>(kClosedText), sizeof kClosedText - 1);
}

bool Connection::ServiceSocket() {
  if (writeFlag_) writeFlag_ = p_.queue.QueueMoreChars();
  if (!readFlag_) return false;
  readFlag_ = false;
  // While the host keeps the buffer full, take more before going back to
  // the message loop: each notification costs far more than a read.
  for (int reads = 0; reads < kReadsPerService && socket_; ++reads) {
    int got = p_.network.Receive(socket_, buffer_, kReceiveSize);
    p_.telnet.TelnetReceive(buffer_, got);
    if (got < kReceiveSize) return false;
  }
  return socket_ != 0;
}

void Connection::ShutdownConnection() {
  if (!socket_) return;
  p_.network.ShutdownSend(socket_);
  shutdownRequested_ = true;
}

void Connection::CloseSocket() {
  if (socket_) p_.network.Close(socket_);
  Forget();
}

void Connection::Cancel() {
  if (socket_) p_.network.Close(socket_);
  Forget();
  shutdownRequested_ = false;
  // Automatic connection stays on: the next key tries the default host
  // again (a host that refused may be starting up).
  if (p_.config.autoClose) {
    p_.window.SendClose();
  } else {
    p_.window.SetTitle("Korvane [not connected]");
    ShowClosedText();
  }
  p_.window.SetConnectedMenus(false);
  reconnectOnKey_ = true;
}

void Connection::Disconnect() {
  ShutdownConnection();
  p_.window.SetConnectedMenus(false);
  p_.window.PlayInit();
  ShowClosedText();
  reconnectOnKey_ = true;
}

bool Connection::Reconnecting() {
  if (!reconnectOnKey_) return false;
  reconnectOnKey_ = false;
  p_.window.SendConnect();
  return true;
}

void Connection::SendData(const unsigned char* bytes, int count) {
  if (Reconnecting()) return;
  p_.queue.QueueThese(bytes, count);
  if (p_.config.localEcho) EchoLocally(display, bytes, count);
}

void Connection::SendChar(unsigned char c) {
  if (Reconnecting()) return;
  if (p_.config.localEcho) EchoLocally(display, &c, 1);
  p_.queue.QueueThis({c, -1});
}

}  // namespace korvane
