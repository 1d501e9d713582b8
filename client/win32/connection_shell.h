// The Windows side of the telnet connection: WinSock, the main window, the
// queue timer and the emulator, as the portable connection sees them.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "connection.h"
#include "output_queue.h"
#include "telnet_protocol.h"

namespace korvane {

class WinsockNetwork : public NetworkApi {
 public:
  SocketHandle OpenSocket(unsigned long& error) override;
  bool SetNonBlocking(SocketHandle s, unsigned long& error) override;
  bool BindAnyAddress(SocketHandle s, unsigned long& error) override;
  std::optional<uint32_t> ParseAddress(const std::string& dotted) override;
  std::optional<uint32_t> Resolve(const std::string& name) override;
  bool Connect(SocketHandle s, uint32_t address, uint16_t port, unsigned long& error) override;
  bool SetOobInline(SocketHandle s, unsigned long& error) override;
  void SendWithoutDelay(SocketHandle s) override;
  bool SelectEvents(SocketHandle s, unsigned long& error) override;
  int Receive(SocketHandle s, unsigned char* buffer, int size) override;
  void ShutdownSend(SocketHandle s) override;
  void Close(SocketHandle s) override;
};

class WindowConnectionSide : public ConnectionWindow {
 public:
  int HostDialog(HostSelection& selection, uint16_t& port) override;
  void CloseConnectStatus() override;
  void SetTitle(const std::string& title) override;
  void SetConnectedMenus(bool connected) override;
  void SendCancel() override;
  void SendClose() override;
  void SendConnect() override;
  void PlayInit() override;
  void SocketActivity() override;

  HWND statusWindow = nullptr;  // the connect-status window while it is open
};

class WindowQueuePort : public OutputPort {
 public:
  bool HasSocket() override;
  int Send(const unsigned char* bytes, int count, unsigned long& error) override;
  bool StartTimer() override;
  void StopTimer() override;
  long MillisecondsIntoHour() override;
};

class WindowTelnetSide : public TelnetClient {
 public:
  void Submit(const unsigned char* bytes, int count) override;
  void Reply(const unsigned char* bytes, int count) override;
  std::string TerminalType() override;
  int Rows() override;
  int Columns() override;
  bool LocalEcho() override;
  void SetLocalEcho(bool on) override;
  std::optional<std::string> UserName() override;
  std::optional<std::string> ComputerName() override;
};

}  // namespace korvane
