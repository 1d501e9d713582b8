#include "connection.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <deque>

#include "client_test_support.h"

namespace korvane {
namespace {

using Bytes = std::vector<unsigned char>;
Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
const std::string kRecv = "recv 7 " + std::to_string(kReceiveSize);

// WinSock, the window and the emulator, recording what the connection does.
class FakeSystem : public NetworkApi, public ConnectionWindow, public OutputPort, public TelnetClient {
 public:
  // NetworkApi: a step named in failStep fails with failError.
  SocketHandle OpenSocket(unsigned long& error) override { return Step("socket", error) ? nextSocket++ : 0; }
  bool SetNonBlocking(SocketHandle, unsigned long& error) override { return Step("fionbio", error); }
  bool BindAnyAddress(SocketHandle, unsigned long& error) override { return Step("bind", error); }
  std::optional<uint32_t> ParseAddress(const std::string& dotted) override {
    calls.push_back("address " + dotted);
    if (dotted == "1.2.3.4") return 0x04030201;
    return std::nullopt;
  }
  std::optional<uint32_t> Resolve(const std::string& name) override {
    calls.push_back("resolve " + name);
    if (name == "alpha") return 0x0100007f;
    return std::nullopt;
  }
  bool Connect(SocketHandle, uint32_t address, uint16_t port, unsigned long& error) override {
    return Step("connect", error, " " + std::to_string(address) + ":" + std::to_string(port));
  }
  bool SetOobInline(SocketHandle, unsigned long& error) override { return Step("setsockopt", error); }
  void SendWithoutDelay(SocketHandle) override { calls.push_back("nodelay"); }
  bool SelectEvents(SocketHandle, unsigned long& error) override { return Step("select", error); }
  int Receive(SocketHandle s, unsigned char* buffer, int size) override {
    calls.push_back("recv " + std::to_string(s) + " " + std::to_string(size));
    if (incoming.empty()) return -1;
    Bytes chunk = incoming.front();
    incoming.pop_front();
    std::copy(chunk.begin(), chunk.end(), buffer);
    return static_cast<int>(chunk.size());
  }
  void ShutdownSend(SocketHandle s) override { calls.push_back("shutdown " + std::to_string(s)); }
  void Close(SocketHandle s) override { calls.push_back("close " + std::to_string(s)); }

  // ConnectionWindow
  int HostDialog(HostSelection& selection, uint16_t& port) override {
    calls.push_back("dialog");
    if (dialogResult == 0) {
      selection = dialogChoice;
      if (dialogPort) port = *dialogPort;
    }
    return dialogResult;
  }
  void CloseConnectStatus() override { calls.push_back("status closed"); }
  void SetTitle(const std::string& title) override { calls.push_back("title " + title); }
  void SetConnectedMenus(bool connected) override { calls.push_back(connected ? "menus connected" : "menus closed"); }
  void SendCancel() override { calls.push_back("WUM_CANCEL"); }
  void SendClose() override { calls.push_back("WUM_CLOSE"); }
  void SendConnect() override { calls.push_back("WUM_CONNECT"); }
  // The module may answer what the init file holds (Wyse 60's ESC space).
  void PlayInit() override {
    calls.push_back("WUM_PLAYINIT");
    if (!initAnswer.empty()) connection->SendData(initAnswer.data(), static_cast<int>(initAnswer.size()));
  }
  void SocketActivity() override { ++activity; }

  // OutputPort
  bool HasSocket() override { return connection && connection->Socket() != 0; }
  int Send(const unsigned char* bytes, int count, unsigned long&) override {
    sent.insert(sent.end(), bytes, bytes + count);
    return count;
  }
  bool StartTimer() override { return true; }
  void StopTimer() override {}
  long MillisecondsIntoHour() override { return 0; }

  // TelnetClient
  void Submit(const unsigned char* bytes, int count) override { shown.append(reinterpret_cast<const char*>(bytes), count); }
  void Reply(const unsigned char* bytes, int count) override { queue->QueueCommand(bytes, count); }
  std::string TerminalType() override { return "vt100"; }
  int Rows() override { return rows; }
  int Columns() override { return 80; }
  bool LocalEcho() override { return config->localEcho; }
  void SetLocalEcho(bool on) override { config->localEcho = on; }
  std::optional<std::string> UserName() override { return std::nullopt; }
  std::optional<std::string> ComputerName() override { return std::nullopt; }

  bool Step(const std::string& name, unsigned long& error, const std::string& detail = "") {
    calls.push_back(name + detail);
    if (name != failStep) return true;
    error = failError;
    return false;
  }

  std::string failStep;
  unsigned long failError = 0;
  SocketHandle nextSocket = 7;
  int dialogResult = 0;
  HostSelection dialogChoice{std::string("alpha"), std::nullopt};
  std::optional<uint16_t> dialogPort;
  std::deque<Bytes> incoming;
  Bytes initAnswer;
  int rows = 24;
  std::vector<std::string> calls;
  int activity = 0;
  Bytes sent;
  std::string shown;
  Connection* connection = nullptr;
  OutputQueue* queue = nullptr;
  ClientConfig* config = nullptr;
};

class ConnectionTest : public ::testing::Test {
 protected:
  ConnectionTest() {
    sys.connection = &connection;
    sys.queue = &queue;
    sys.config = &config;
    store.CreateKey("Defaults");
    config.autoClose = false;
  }

  bool Called(const std::string& call) const {
    return std::find(sys.calls.begin(), sys.calls.end(), call) != sys.calls.end();
  }
  void Connect() {
    ASSERT_EQ(connection.OpenConnection(), 0);
    connection.OnSocketEvent(connection.Socket(), kEventConnect, 0);
    sys.calls.clear();
    sys.sent.clear();
  }

  test::ClientFixture fx;
  FakeSystem sys;
  ClientConfig config;
  MemoryConfigStore store;
  OutputQueue queue{sys, fx.log(), fx.errors};
  TelnetProtocol telnet{sys, fx.log(), fx.errors};
  Connection connection{{sys, sys, telnet, queue, config, store, fx.log(), fx.errors}};
};

TEST_F(ConnectionTest, OpensByNameThroughTheDialogStepByStep) {
  fx.log().recordEvents = true;
  EXPECT_EQ(connection.OpenConnection(), 0);
  EXPECT_EQ(sys.calls, (std::vector<std::string>{"dialog", "socket", "fionbio", "bind", "resolve alpha", "setsockopt",
                                                 "nodelay", "select", "connect 16777343:23"}));
  EXPECT_EQ(connection.Socket(), 7u);
  EXPECT_EQ(ReadText(store, "Defaults", "LastHost"), "alpha");
  EXPECT_NE(fx.record.Text().find("Socket start\r\n3: Connect Dialog\r\nOpen by name: alpha\r\nSocket End\r\n"),
            std::string::npos);
}

TEST_F(ConnectionTest, AutomaticConnectionSkipsTheDialog) {
  fx.log().recordEvents = true;
  config.autoConnect = true;
  config.host = "1.2.3.4";
  config.port = 0;  // taken as 23, and kept so
  EXPECT_EQ(connection.OpenConnection(), 0);
  EXPECT_FALSE(Called("dialog"));
  EXPECT_TRUE(Called("connect 67305985:23"));
  EXPECT_EQ(config.port, 23);
  EXPECT_EQ(ReadText(store, "Defaults", "LastHost"), "1.2.3.4");
  EXPECT_NE(fx.record.Text().find("1: Default Host = 1.2.3.4\r\nSelectedAddr\r\nOpen by address: 1.2.3.4\r\n"),
            std::string::npos);
}

TEST_F(ConnectionTest, ACancelledDialogOpensNothing) {
  sys.dialogResult = 1;
  EXPECT_EQ(connection.OpenConnection(), 1);
  sys.dialogResult = -1;
  EXPECT_EQ(connection.OpenConnection(), -1);
  EXPECT_EQ(sys.calls, (std::vector<std::string>{"dialog", "dialog"}));
}

TEST_F(ConnectionTest, EachFailingStepIsReportedAndItsSocketClosed) {
  struct Case {
    const char* step;
    std::string message;
  };
  std::vector<Case> cases = {
      {"socket", "S1112: Socket connection attempt failed\nError 10024: Too many open files."},
      {"fionbio", "S1113: Network error: FIONBIO failed\nError 10024: Too many open files."},
      {"bind", "S1113: Network error: Bind failed\nError 10024: Too many open files."},
      {"connect", "S1113: Network Error: Couldn't open socket\nError 10024: Too many open files."},
      {"setsockopt", "S1113: Network error: setsockopt failed!\nError 10024: Too many open files."},
      {"select", "S1113: Network error: WSAAsyncSelect failed\nError 10024: Too many open files."},
  };
  fx.platform.systemTexts = {{10024, "Too many open files."}};
  for (const Case& c : cases) {
    sys.calls.clear();
    fx.platform.dialogs.clear();
    sys.failStep = c.step;
    sys.failError = 10024;
    EXPECT_EQ(connection.OpenConnection(), kOpenFailed) << c.step;
    ASSERT_EQ(fx.platform.dialogs.size(), 1u) << c.step;
    EXPECT_EQ(fx.platform.dialogs[0], c.message);
    EXPECT_EQ(connection.Socket(), 0u);
    EXPECT_EQ(Called("close " + std::to_string(sys.nextSocket - 1)), std::string(c.step) != "socket") << c.step;
  }
  EXPECT_FALSE(ReadText(store, "Defaults", "LastHost"));
}

TEST_F(ConnectionTest, SetsockoptFailuresNameTheirCodeInTheLog) {
  fx.log().recordEvents = true;
  sys.failStep = "setsockopt";
  for (unsigned long code : {10014ul, 10022ul, 10036ul, 10038ul, 10042ul, 10050ul}) {
    sys.failError = code;
    connection.OpenConnection();
  }
  std::string text = fx.record.Text();
  for (const char* line : {"setsockopt error: WSAEFAULT\r\n", "setsockopt error: WSAEINVAL\r\n",
                           "setsockopt error: WSAEINPROGRESS\r\n", "setsockopt error: WSAENOTSOCK\r\n",
                           "setsockopt error: WSAENOPROTOOPT\r\n", "setsockopt error: Other value 10050 2742\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST_F(ConnectionTest, UnknownNamesAndMalformedAddressesAreNotConnected) {
  fx.log().recordEvents = true;
  sys.dialogChoice = {std::string("nowhere"), std::nullopt};
  EXPECT_EQ(connection.OpenConnection(), kOpenFailed);
  sys.dialogChoice = {std::nullopt, std::string("1.2.3.4.5")};
  EXPECT_EQ(connection.OpenConnection(), kOpenFailed);
  EXPECT_EQ(fx.platform.dialogs,
            (std::vector<std::string>{"S1116: Couldn't resolve host name 'nowhere'",
                                      "S1116: Couldn't resolve host name '1.2.3.4.5'"}));
  EXPECT_FALSE(Called("connect 0:23"));
  EXPECT_NE(fx.record.Text().find("Open by name: nowhere\r\nSystem Error: S1116: Couldn't resolve host name "
                                  "'nowhere'\r\nConnection failed\r\n"),
            std::string::npos);
}

TEST_F(ConnectionTest, ACompletedConnectSetsTitleMenusAndNegotiatesOnlyOnPort23) {
  config.localEcho = true;
  ASSERT_EQ(connection.OpenConnection(), 0);
  connection.OnSocketEvent(connection.Socket(), kEventConnect, 0);
  EXPECT_TRUE(Called("status closed"));
  EXPECT_TRUE(Called("title Korvane: alpha"));
  EXPECT_TRUE(Called("menus connected"));
  EXPECT_EQ(sys.sent, (Bytes{255, 251, 31, 255, 254, 1}));

  // Answers leave exactly as built: a size or an option of 13 gains no NUL.
  sys.sent.clear();
  sys.rows = 13;
  sys.incoming = {Bytes{255, 253, 31, 255, 253, 13}};
  connection.OnSocketEvent(connection.Socket(), kEventRead, 0);
  connection.ServiceSocket();
  EXPECT_EQ(sys.sent, (Bytes{255, 250, 31, 0, 80, 0, 13, 255, 240, 255, 252, 13}));

  sys.sent.clear();
  sys.dialogPort = 2323;
  config.title = "\"My host\"";
  ASSERT_EQ(connection.OpenConnection(), 0);
  connection.OnSocketEvent(connection.Socket(), kEventConnect, 0);
  EXPECT_TRUE(Called("title My host"));
  EXPECT_EQ(config.title, "My host");
  EXPECT_TRUE(sys.sent.empty());
}

TEST_F(ConnectionTest, TitleOverrideLosesOnlyMatchingQuotes) {
  std::optional<std::string> none;
  EXPECT_EQ(ConnectedTitle(none, "beta"), "Korvane: beta");
  for (auto [given, shown] : std::vector<std::pair<std::string, std::string>>{
           {"'Lab'", "Lab"}, {"\"Lab'", "\"Lab'"}, {"\"", "\""}, {"Plain", "Plain"}, {"''", ""}}) {
    std::optional<std::string> title = given;
    EXPECT_EQ(ConnectedTitle(title, "x"), shown) << given;
  }
}

TEST_F(ConnectionTest, AFailedConnectIsReportedAndCancelled) {
  ASSERT_EQ(connection.OpenConnection(), 0);
  connection.OnSocketEvent(99, kEventConnect, 0);  // not our socket
  EXPECT_FALSE(Called("status closed"));
  connection.OnSocketEvent(connection.Socket(), kEventConnect, 10061);
  EXPECT_TRUE(Called("status closed"));
  EXPECT_TRUE(Called("WUM_CANCEL"));
  ASSERT_EQ(fx.platform.dialogs.size(), 1u);
  EXPECT_EQ(fx.platform.dialogs[0].rfind("S1106: Connection attempt failed!\nError 10061:", 0), 0u);
}

TEST_F(ConnectionTest, CancelForgetsTheSocketAndWaitsForAKey) {
  config.autoConnect = true;
  config.host = "alpha";
  ASSERT_EQ(connection.OpenConnection(), 0);
  connection.Cancel();
  EXPECT_TRUE(Called("close 7"));
  EXPECT_TRUE(Called("title Korvane [not connected]"));
  EXPECT_TRUE(Called("menus closed"));
  EXPECT_EQ(sys.shown, kClosedText);
  EXPECT_EQ(connection.Socket(), 0u);

  sys.calls.clear();
  connection.SendChar('x');
  EXPECT_EQ(sys.calls, std::vector<std::string>{"WUM_CONNECT"});
  EXPECT_FALSE(connection.ReconnectOnKey());
  EXPECT_EQ(queue.Pending(), 0);
  // A refused or stopped automatic connection is tried again, without the dialog.
  ASSERT_EQ(connection.OpenConnection(), 0);
  EXPECT_FALSE(Called("dialog"));
  EXPECT_TRUE(Called("resolve alpha"));
}

TEST_F(ConnectionTest, CancelWithAutoCloseClosesTheWindow) {
  config.autoClose = true;
  connection.Cancel();
  EXPECT_TRUE(Called("WUM_CLOSE"));
  EXPECT_TRUE(sys.shown.empty());
  EXPECT_TRUE(connection.ReconnectOnKey());
}

TEST_F(ConnectionTest, ServicingSendsPendingBytesThenReadsOnce) {
  Connect();
  sys.incoming = {Text("hello"), Text("more")};
  connection.OnSocketEvent(7, kEventRead, 0);
  connection.OnSocketEvent(8, kEventRead, 0);  // another socket: ignored
  connection.ServiceSocket();
  connection.ServiceSocket();
  EXPECT_EQ(sys.shown, "hello");
  EXPECT_EQ(sys.calls, std::vector<std::string>{kRecv});
  EXPECT_EQ(sys.activity, 3);
}

// A host that keeps the buffer full is read on until a short read, but
// never for ever: the message loop must run again.
TEST_F(ConnectionTest, ServicingReadsOnWhileTheBufferComesBackFull) {
  Connect();
  Bytes full(kReceiveSize, 'x');
  sys.incoming = {full, full, Text("end"), Text("later")};
  connection.OnSocketEvent(7, kEventRead, 0);
  EXPECT_FALSE(connection.ServiceSocket());  // the short read ended it: nothing waits
  EXPECT_EQ(sys.shown, std::string(2 * kReceiveSize, 'x') + "end");
  EXPECT_EQ(std::count(sys.calls.begin(), sys.calls.end(), kRecv), 3);

  sys.calls.clear();
  sys.incoming.assign(static_cast<size_t>(kReadsPerService) + 5, full);
  connection.OnSocketEvent(7, kEventRead, 0);
  EXPECT_TRUE(connection.ServiceSocket());  // stopped at the limit: more waits
  EXPECT_EQ(static_cast<int>(sys.calls.size()), kReadsPerService);
  EXPECT_EQ(sys.incoming.size(), 5u);
  EXPECT_FALSE(connection.ServiceSocket());  // no notification, no read
  EXPECT_EQ(static_cast<int>(sys.calls.size()), kReadsPerService);
}

TEST_F(ConnectionTest, TheHostsCloseShowsItsLastWordsThenTheClosedText) {
  config.autoConnect = true;
  config.host = "alpha";
  Connect();
  sys.incoming = {Text("bye"), Text("!")};
  sys.initAnswer = Text("60\n");  // answered to the init file: no key of the user's
  connection.OnSocketEvent(7, kEventClose, 0);
  EXPECT_EQ(sys.calls, (std::vector<std::string>{kRecv, kRecv, kRecv, "close 7",
                                                 "menus closed", "WUM_PLAYINIT"}));
  EXPECT_EQ(sys.shown, std::string("bye!") + kClosedText);
  EXPECT_FALSE(config.autoConnect);
  EXPECT_TRUE(connection.ReconnectOnKey());
  EXPECT_EQ(connection.Socket(), 0u);
}

TEST_F(ConnectionTest, TheHostsCloseWithAutoCloseClosesTheWindow) {
  config.autoClose = true;
  Connect();
  connection.OnSocketEvent(7, kEventClose, 0);
  EXPECT_TRUE(Called("WUM_CLOSE"));
  EXPECT_FALSE(Called("WUM_PLAYINIT"));
  EXPECT_TRUE(connection.ReconnectOnKey());
}

TEST_F(ConnectionTest, DisconnectShowsTheClosedTextOnce) {
  Connect();
  connection.Disconnect();
  EXPECT_EQ(sys.calls, (std::vector<std::string>{"shutdown 7", "menus closed", "WUM_PLAYINIT"}));
  connection.OnSocketEvent(7, kEventClose, 0);
  EXPECT_EQ(sys.shown, kClosedText);
  EXPECT_TRUE(Called("close 7"));

  // A key before the host's close starts afresh and drops the old socket.
  Connect();
  connection.Disconnect();
  connection.SendChar('a');
  ASSERT_EQ(connection.OpenConnection(), 0);
  EXPECT_TRUE(Called("close 8"));
  EXPECT_EQ(connection.Socket(), 9u);
}

TEST_F(ConnectionTest, KeysAreQueuedAndEchoedWhenLocalEchoIsOn) {
  std::vector<std::string> echoed;
  connection.display = {[](void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) -> intptr_t {
                          if (msg == WUM_WRITE)
                            static_cast<std::vector<std::string>*>(target)->push_back(
                                std::string(reinterpret_cast<const char*>(wParam), static_cast<size_t>(lParam)));
                          return 0;
                        },
                        &echoed};
  Connect();
  config.localEcho = true;
  connection.SendChar('\r');
  connection.SendData(reinterpret_cast<const unsigned char*>("ls\r"), 3);
  config.localEcho = false;
  connection.SendChar('q');
  connection.SendChar(0xff);  // y diaeresis of Windows-1252: data, not a command
  connection.SendData(reinterpret_cast<const unsigned char*>("\xff!"), 2);
  EXPECT_EQ(sys.sent, Text(std::string("\rls\r\0q\xff\xff\xff\xff!", 11)));
  EXPECT_EQ(echoed, (std::vector<std::string>{"", "ls"}));
}

TEST_F(ConnectionTest, UnexpectedEventsAreOnlyLogged) {
  fx.log().recordEvents = true;
  connection.OnSocketEvent(7, 8, 0);
  EXPECT_NE(fx.record.Text().find("WUM_SOCKET: Unexpected event 8\r\n"), std::string::npos);
  EXPECT_EQ(sys.activity, 1);
  EXPECT_TRUE(sys.calls.empty());
}

}  // namespace
}  // namespace korvane
