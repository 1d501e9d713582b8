#include "connection_shell.h"

#include "client_app.h"
#include "display_messages.h"
#include "hosts_dialog.h"
#include "main_window.h"
#include "module_binding.h"
#include "resource_ids.h"

namespace korvane {

// WinSock.

SocketHandle WinsockNetwork::OpenSocket(unsigned long& error) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s != INVALID_SOCKET) return static_cast<SocketHandle>(s);
  error = static_cast<unsigned long>(WSAGetLastError());
  return 0;
}

bool WinsockNetwork::SetNonBlocking(SocketHandle s, unsigned long& error) {
  u_long on = 1;
  if (ioctlsocket(static_cast<SOCKET>(s), FIONBIO, &on) == 0) return true;
  error = static_cast<unsigned long>(WSAGetLastError());
  return false;
}

bool WinsockNetwork::BindAnyAddress(SocketHandle s, unsigned long& error) {
  sockaddr_in local = {};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = 0;
  if (bind(static_cast<SOCKET>(s), reinterpret_cast<sockaddr*>(&local), sizeof local) == 0) return true;
  error = static_cast<unsigned long>(WSAGetLastError());
  return false;
}

std::optional<uint32_t> WinsockNetwork::ParseAddress(const std::string& dotted) {
  unsigned long address = inet_addr(dotted.c_str());
  if (address == INADDR_NONE) return std::nullopt;
  return static_cast<uint32_t>(address);
}

std::optional<uint32_t> WinsockNetwork::Resolve(const std::string& name) {
  hostent* host = gethostbyname(name.c_str());
  if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list[0]) return std::nullopt;
  uint32_t address;
  memcpy(&address, host->h_addr_list[0], sizeof address);
  return address;
}

bool WinsockNetwork::Connect(SocketHandle s, uint32_t address, uint16_t port, unsigned long& error) {
  sockaddr_in remote = {};
  remote.sin_family = AF_INET;
  remote.sin_addr.s_addr = address;
  remote.sin_port = htons(port);
  if (connect(static_cast<SOCKET>(s), reinterpret_cast<sockaddr*>(&remote), sizeof remote) == 0) return true;
  int code = WSAGetLastError();
  if (code == WSAEWOULDBLOCK) return true;  // under way
  error = static_cast<unsigned long>(code);
  return false;
}

bool WinsockNetwork::SetOobInline(SocketHandle s, unsigned long& error) {
  BOOL on = TRUE;
  if (setsockopt(static_cast<SOCKET>(s), SOL_SOCKET, SO_OOBINLINE, reinterpret_cast<const char*>(&on), sizeof on) == 0)
    return true;
  error = static_cast<unsigned long>(WSAGetLastError());
  return false;
}

void WinsockNetwork::SendWithoutDelay(SocketHandle s) {
  BOOL on = TRUE;
  setsockopt(static_cast<SOCKET>(s), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

bool WinsockNetwork::SelectEvents(SocketHandle s, unsigned long& error) {
  if (WSAAsyncSelect(static_cast<SOCKET>(s), App().mainWindow, WUM_SOCKET,
                     FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE) == 0)
    return true;
  error = static_cast<unsigned long>(WSAGetLastError());
  return false;
}

int WinsockNetwork::Receive(SocketHandle s, unsigned char* buffer, int size) {
  return recv(static_cast<SOCKET>(s), reinterpret_cast<char*>(buffer), size, 0);
}

void WinsockNetwork::ShutdownSend(SocketHandle s) { shutdown(static_cast<SOCKET>(s), SD_SEND); }

void WinsockNetwork::Close(SocketHandle s) { closesocket(static_cast<SOCKET>(s)); }

// The main window.

int WindowConnectionSide::HostDialog(HostSelection& selection, uint16_t& port) {
  return ShowHostDialog(selection, port);
}

void WindowConnectionSide::CloseConnectStatus() {
  if (statusWindow && IsWindow(statusWindow)) SendMessageA(statusWindow, WM_CLOSE, 0, 0);
  statusWindow = nullptr;
}

void WindowConnectionSide::SetTitle(const std::string& title) { SetWindowTextA(App().mainWindow, title.c_str()); }

void WindowConnectionSide::SetConnectedMenus(bool connected) { SetConnectionMenu(connected); }

void WindowConnectionSide::SendCancel() { SendMessageA(App().mainWindow, WUM_CANCEL, 0, 0); }

void WindowConnectionSide::SendClose() { SendMessageA(App().mainWindow, WUM_CLOSE, 0, 0); }

void WindowConnectionSide::SendConnect() { SendMessageA(App().mainWindow, WUM_CONNECT, 0, 0); }

void WindowConnectionSide::PlayInit() { SendMessageA(App().mainWindow, WUM_PLAYINIT, 0, 0); }

// Popup on I/O: the menu item's mark is the switch.
void WindowConnectionSide::SocketActivity() {
  ClientApp& app = App();
  HWND window = app.mainWindow;
  if (!window || !app.popupOnIo) return;
  app.popupOnIo = false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetMenuCheck(CMD_POPUP_ON_IO, false);
  MessageBeep(0);
}

// The queue's socket, timer and clock.

bool WindowQueuePort::HasSocket() { return App().connection.Socket() != 0; }

int WindowQueuePort::Send(const unsigned char* bytes, int count, unsigned long& error) {
  int sent = send(static_cast<SOCKET>(App().connection.Socket()), reinterpret_cast<const char*>(bytes), count, 0);
  if (sent == SOCKET_ERROR) error = static_cast<unsigned long>(WSAGetLastError());
  return sent;
}

bool WindowQueuePort::StartTimer() {
  return SetTimer(App().mainWindow, OutputQueue::kTimerId, OutputQueue::kTimerPeriodMs, nullptr) != 0;
}

void WindowQueuePort::StopTimer() { KillTimer(App().mainWindow, OutputQueue::kTimerId); }

long WindowQueuePort::MillisecondsIntoHour() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return (now.wMinute * 60L + now.wSecond) * 1000L + now.wMilliseconds;
}

// The telnet layer's view of the client.

void WindowTelnetSide::Submit(const unsigned char* bytes, int count) { ModuleSubmit(bytes, count); }

// Negotiation answers are already in wire form: no CR NUL, no doubling.
void WindowTelnetSide::Reply(const unsigned char* bytes, int count) { App().queue.QueueCommand(bytes, count); }

std::string WindowTelnetSide::TerminalType() { return App().termType; }

int WindowTelnetSide::Rows() { return App().screen.rows(); }

int WindowTelnetSide::Columns() { return App().screen.columns(); }

bool WindowTelnetSide::LocalEcho() { return App().config.localEcho; }

void WindowTelnetSide::SetLocalEcho(bool on) {
  App().config.localEcho = on;
  SetMenuCheck(CMD_LOCAL_ECHO, on);
}

std::optional<std::string> WindowTelnetSide::UserName() {
  char name[128];
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size)) return std::nullopt;
  return std::string(name);
}

std::optional<std::string> WindowTelnetSide::ComputerName() {
  char name[128];
  DWORD size = sizeof name;
  if (!GetComputerNameA(name, &size)) return std::nullopt;
  return std::string(name);
}

}  // namespace korvane
