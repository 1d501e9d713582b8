#include "telnet_protocol.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {

struct TelnetProtocolTestAccess {
  static void SetState(TelnetProtocol& p, int state) { p.state_ = state; }
};

namespace {

using namespace telnet;
using Bytes = std::vector<unsigned char>;

class RecordingClient : public TelnetClient {
 public:
  void Submit(const unsigned char* bytes, int count) override { runs.emplace_back(bytes, bytes + count); }
  void Reply(const unsigned char* bytes, int count) override { replies.insert(replies.end(), bytes, bytes + count); }
  std::string TerminalType() override { return termType; }
  int Rows() override { return rows; }
  int Columns() override { return columns; }
  bool LocalEcho() override { return localEcho; }
  void SetLocalEcho(bool on) override { localEcho = on; }
  std::optional<std::string> UserName() override { return user; }
  std::optional<std::string> ComputerName() override { return computer; }

  Bytes Data() const {
    Bytes all;
    for (auto& r : runs) all.insert(all.end(), r.begin(), r.end());
    return all;
  }

  std::vector<Bytes> runs;
  Bytes replies;
  std::string termType = "vt100";
  int rows = 24, columns = 80;
  bool localEcho = false;
  std::optional<std::string> user = std::string("jo");
  std::optional<std::string> computer = std::string("PC1");
};

Bytes B(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<unsigned char>(v));
  return out;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class TelnetTest : public ::testing::Test {
 protected:
  void Receive(const Bytes& bytes) { telnet.TelnetReceive(bytes.data(), static_cast<int>(bytes.size())); }
  Bytes TakeReplies() {
    Bytes r = client.replies;
    client.replies.clear();
    return r;
  }

  test::ClientFixture fx;
  RecordingClient client;
  TelnetProtocol telnet{client, fx.log(), fx.errors};
};

// Two-byte commands (a prompt ended by GA among them) never show; a doubled
// 255, a stray SE and a byte that names no command are data.
TEST_F(TelnetTest, DataReachesTheEmulatorInRunsAroundCommands) {
  Receive(Cat({Text("ab"), B({IAC, IAC}), Text("cd"), B({IAC, NOP}), Text("e"),
               B({IAC, DM, IAC, GA, IAC, AYT, IAC, EOR, IAC, BRK, IAC, IP, IAC, AO, IAC, EC, IAC, EL}), Text("$ "),
               B({IAC, SE, IAC, 'x'})}));
  ASSERT_EQ(client.runs.size(), 7u);
  EXPECT_EQ(client.runs[0], Text("ab"));
  EXPECT_EQ(client.runs[1], B({255}));
  EXPECT_EQ(client.runs[2], Text("cd"));
  EXPECT_EQ(client.runs[3], Text("e"));
  EXPECT_EQ(client.runs[4], Text("$ "));
  EXPECT_EQ(client.runs[5], B({240}));
  EXPECT_EQ(client.runs[6], Text("x"));
  EXPECT_TRUE(client.replies.empty());
}

TEST_F(TelnetTest, EmptyAndNegativeCountsDoNothing) {
  telnet.TelnetReceive(nullptr, 0);
  Bytes one = Text("x");
  telnet.TelnetReceive(one.data(), -1);
  EXPECT_TRUE(client.runs.empty());
}

// A session cut at every possible point must give the same data and answers
// as the whole session at once.
TEST_F(TelnetTest, CommandsSplitAcrossBuffersAreCompletedOnTheNextCall) {
  client.localEcho = true;
  Bytes session = Cat({Text("login: "), B({IAC, DO, OPT_TTYPE, IAC, SB, OPT_TTYPE, 1, IAC, SE}), Text("x"),
                       B({IAC, IAC, IAC, WILL, OPT_ECHO, IAC, DO, OPT_NEW_ENVIRON}),
                       B({IAC, SB, OPT_NEW_ENVIRON, 1, 0, IAC, SE}), Text("y"), B({IAC, SB, 24, 1, 'Q'}), Text("end")});
  Receive(session);
  Bytes wholeData = client.Data(), wholeReplies = TakeReplies();
  ASSERT_FALSE(wholeReplies.empty());

  for (size_t cut = 1; cut < session.size(); ++cut) {
    RecordingClient split;
    split.localEcho = true;
    TelnetProtocol protocol(split, fx.log(), fx.errors);
    protocol.TelnetReceive(session.data(), static_cast<int>(cut));
    protocol.TelnetReceive(session.data() + cut, static_cast<int>(session.size() - cut));
    EXPECT_EQ(split.Data(), wholeData) << "cut at " << cut;
    EXPECT_EQ(split.replies, wholeReplies) << "cut at " << cut;
  }

  RecordingClient single;
  TelnetProtocol byteByByte(single, fx.log(), fx.errors);
  for (unsigned char b : session) byteByByte.TelnetReceive(&b, 1);
  EXPECT_EQ(single.Data(), wholeData);
  EXPECT_EQ(single.replies, wholeReplies);
}

struct NegotiationRow {
  uint8_t verb, option;
  Bytes answer;
};

void ExpectAnswers(TelnetProtocol& telnet, RecordingClient& client, const std::vector<NegotiationRow>& rows) {
  for (const auto& row : rows) {
    client.replies.clear();
    Bytes command = B({IAC, row.verb, row.option});
    telnet.TelnetReceive(command.data(), 3);
    EXPECT_EQ(client.replies, row.answer) << "verb " << int(row.verb) << " option " << int(row.option);
  }
}

TEST_F(TelnetTest, AnswersEveryNegotiationOfTheOptionTable) {
  std::vector<NegotiationRow> rows = {
      {WILL, OPT_SGA, B({IAC, DO, OPT_SGA})},        {DO, OPT_SGA, B({IAC, WILL, OPT_SGA})},
      {WONT, OPT_SGA, {}},                           {DONT, OPT_SGA, {}},
      {DO, OPT_TTYPE, B({IAC, WILL, OPT_TTYPE})},    {WILL, OPT_TTYPE, {}},
      {DONT, OPT_TTYPE, {}},                         {WONT, OPT_TTYPE, {}},
      {WILL, OPT_NAWS, {}},                          {WONT, OPT_NAWS, {}},
      {WILL, OPT_ENCRYPT, B({IAC, DONT, OPT_ENCRYPT})}, {WONT, OPT_ENCRYPT, B({IAC, WONT, OPT_ENCRYPT})},
      {DO, OPT_ENCRYPT, B({IAC, WONT, OPT_ENCRYPT})},   {DONT, OPT_ENCRYPT, B({IAC, WONT, OPT_ENCRYPT})},
      {WILL, OPT_ENVIRON, {}},                       {WONT, OPT_NEW_ENVIRON, {}},
      {DONT, OPT_NEW_ENVIRON, B({IAC, WONT, OPT_NEW_ENVIRON})},
  };
  for (int option : {5, 32, 33, 35, 37, 200}) {  // STATUS, TSPEED, LFLOW, XDISPLOC, AUTHENTICATION, unknown
    uint8_t refused = static_cast<uint8_t>(option);
    rows.push_back({WILL, refused, B({IAC, DONT, refused})});
    rows.push_back({DO, refused, B({IAC, WONT, refused})});
    rows.push_back({DONT, refused, B({IAC, WONT, refused})});
    rows.push_back({WONT, refused, {}});
  }
  ExpectAnswers(telnet, client, rows);
  EXPECT_TRUE(client.runs.empty());
}

TEST_F(TelnetTest, UnknownOptionsAreLogged) {
  fx.log().recordEvents = true;
  Receive(B({IAC, DO, 34}));
  EXPECT_EQ(TakeReplies(), B({IAC, WONT, 34}));
  EXPECT_NE(fx.record.Text().find("Received unknown telnet protocol request 34\r\n"), std::string::npos);
}

TEST_F(TelnetTest, EchoAnswersWithoutARequestOfOurs) {
  client.localEcho = true;
  ExpectAnswers(telnet, client,
                {{WILL, OPT_ECHO, B({IAC, DO, OPT_ECHO})},
                 {DO, OPT_ECHO, B({IAC, WONT, OPT_ECHO})},
                 {DONT, OPT_ECHO, B({IAC, WONT, OPT_ECHO})},
                 {WONT, OPT_ECHO, B({IAC, DO, OPT_ECHO})},
                 // The host refuses our DO: no endless DO/WONT exchange.
                 {WONT, OPT_ECHO, {}},
                 {WILL, OPT_ECHO, B({IAC, DO, OPT_ECHO})}});
  EXPECT_TRUE(client.localEcho);  // only our own request lets the host turn local echo off
}

TEST_F(TelnetTest, NoEchoRequestAndItsAnswers) {
  telnet.RequestNoEcho();
  EXPECT_TRUE(TakeReplies().empty()) << "local echo off: nothing to ask";
  EXPECT_FALSE(telnet.EchoRequestPending());

  client.localEcho = true;
  telnet.RequestNoEcho();
  EXPECT_EQ(TakeReplies(), B({IAC, DONT, OPT_ECHO}));
  ExpectAnswers(telnet, client, {{WONT, OPT_ECHO, {}}, {DO, OPT_ECHO, B({IAC, WILL, OPT_ECHO})}});
  EXPECT_TRUE(client.localEcho);
  ExpectAnswers(telnet, client, {{WILL, OPT_ECHO, B({IAC, DO, OPT_ECHO})}});
  EXPECT_FALSE(client.localEcho);
  EXPECT_FALSE(telnet.EchoRequestPending());

  client.localEcho = true;
  telnet.RequestNoEcho();
  TakeReplies();
  ExpectAnswers(telnet, client, {{DONT, OPT_ECHO, B({IAC, DO, OPT_ECHO})}});
  EXPECT_FALSE(client.localEcho);
}

TEST_F(TelnetTest, TerminalTypeIsSentWhenAsked) {
  client.termType = "wyse60";
  Receive(B({IAC, DO, OPT_TTYPE, IAC, SB, OPT_TTYPE, 1, IAC, SE}));
  EXPECT_EQ(TakeReplies(), Cat({B({IAC, WILL, OPT_TTYPE, IAC, SB, OPT_TTYPE, 0}), Text("wyse60"), B({IAC, SE})}));
  client.termType = std::string("a\xff" "b");
  Receive(B({IAC, SB, OPT_TTYPE, 7, IAC, SE}));  // the parameter byte is not examined
  EXPECT_EQ(TakeReplies(), B({IAC, SB, OPT_TTYPE, 0, 'a', 255, 255, 'b', IAC, SE}));
}

TEST_F(TelnetTest, EnvironmentIsAgreedOnceAndAnsweredWithUserAndComputer) {
  Receive(B({IAC, DO, OPT_NEW_ENVIRON, IAC, DO, OPT_ENVIRON}));
  EXPECT_EQ(TakeReplies(), B({IAC, WILL, OPT_NEW_ENVIRON, IAC, WONT, OPT_ENVIRON}));

  Receive(B({IAC, SB, OPT_NEW_ENVIRON, 1, IAC, SE}));
  EXPECT_EQ(TakeReplies(), Cat({B({IAC, SB, 39, 0, 1, 0, 3}), Text("PCUSER"), B({1}), Text("jo"), B({3}),
                                Text("PCNAME"), B({1}), Text("PC1"), B({IAC, SE})}));

  // The second parameter wins; a missing name is left out.
  client.user.reset();
  Receive(B({IAC, SB, OPT_NEW_ENVIRON, 1, 0, IAC, SE}));
  EXPECT_EQ(TakeReplies(), Cat({B({IAC, SB, 39, 0, 0, 0, 3}), Text("PCNAME"), B({1}), Text("PC1"), B({IAC, SE})}));

  Receive(B({IAC, DONT, OPT_NEW_ENVIRON, IAC, DO, OPT_ENVIRON}));
  EXPECT_EQ(TakeReplies(), B({IAC, WONT, OPT_NEW_ENVIRON, IAC, WILL, OPT_ENVIRON}));
  client.computer.reset();
  Receive(B({IAC, SB, OPT_NEW_ENVIRON, 3, 3, IAC, SE}));  // the agreed option names the reply
  EXPECT_EQ(TakeReplies(), B({IAC, SB, 36, 0, IAC, SE}));
}

TEST_F(TelnetTest, AVariableNameInsideTheRequestDropsIt) {
  Receive(Cat({B({IAC, SB, OPT_NEW_ENVIRON, 1, 0}), Text("USER"), B({IAC, SE})}));
  EXPECT_TRUE(client.replies.empty());
  EXPECT_EQ(client.Data(), Cat({Text("SER"), B({240})}));
}

TEST_F(TelnetTest, ProtocolErrorsAreLoggedAndFlushed) {
  fx.log().recordEvents = true;
  Receive(B({IAC, SB, OPT_TTYPE, 1, 0, IAC, 'x', 'y'}));
  EXPECT_TRUE(client.replies.empty());
  EXPECT_EQ(client.Data(), Text("y"));
  EXPECT_NE(fx.record.Text().find("Telnet protocol error - flushing sequence 255 250 24 1 0 255 120 \r\n"),
            std::string::npos);
}

TEST_F(TelnetTest, NawsIsSentOnlyAfterOurOffer) {
  Receive(B({IAC, DO, OPT_NAWS}));
  EXPECT_EQ(TakeReplies(), B({IAC, DONT, OPT_NAWS}));

  client.columns = 132, client.rows = 25;
  telnet.OfferNaws();
  EXPECT_TRUE(telnet.NawsOffered());
  EXPECT_EQ(TakeReplies(), B({IAC, WILL, OPT_NAWS}));
  Receive(B({IAC, DO, OPT_NAWS}));
  EXPECT_EQ(TakeReplies(), B({255, 250, 31, 0, 132, 0, 25, 255, 240}));
  EXPECT_FALSE(telnet.NawsOffered());

  // Once agreed, a new size goes straight to the host.
  client.columns = 80, client.rows = 43;
  telnet.OfferNaws();
  EXPECT_EQ(TakeReplies(), B({255, 250, 31, 0, 80, 0, 43, 255, 240}));

  Receive(B({IAC, DONT, OPT_NAWS}));
  EXPECT_TRUE(TakeReplies().empty());
  telnet.OfferNaws();
  EXPECT_EQ(TakeReplies(), B({IAC, WILL, OPT_NAWS}));
  Receive(B({IAC, DONT, OPT_NAWS, IAC, DO, OPT_NAWS}));
  EXPECT_EQ(TakeReplies(), B({IAC, DONT, OPT_NAWS}));
}

TEST_F(TelnetTest, NawsSizesOf255AndMoreKeepTheProtocolIntact) {
  client.columns = 255, client.rows = 300;
  telnet.OfferNaws();
  Receive(B({IAC, DO, OPT_NAWS}));
  EXPECT_EQ(TakeReplies(), B({IAC, WILL, OPT_NAWS, IAC, SB, OPT_NAWS, 0, 255, 255, 1, 44, IAC, SE}));
}

TEST_F(TelnetTest, DisabledNawsIsNeverOfferedAndAlwaysRefused) {
  telnet.disableNaws = true;
  telnet.OfferNaws();
  EXPECT_TRUE(client.replies.empty());
  ExpectAnswers(telnet, client,
                {{DO, OPT_NAWS, B({IAC, WONT, OPT_NAWS})},
                 {WILL, OPT_NAWS, B({IAC, DONT, OPT_NAWS})},
                 {DONT, OPT_NAWS, B({IAC, WONT, OPT_NAWS})},
                 {WONT, OPT_NAWS, {}}});
}

TEST_F(TelnetTest, SubnegotiationsLongerThanTheBufferAreProtocolErrors) {
  fx.log().recordEvents = true;
  constexpr int kLimit = TelnetProtocol::kSequenceLimit;
  Bytes fits = Cat({B({IAC, SB, OPT_TTYPE}), Bytes(kLimit - 5, 1), B({IAC, SE})});
  Receive(fits);
  EXPECT_EQ(TakeReplies(), Cat({B({IAC, SB, OPT_TTYPE, 0}), Text("vt100"), B({IAC, SE})}));

  Bytes tooLong = Cat({B({IAC, SB, OPT_TTYPE}), Bytes(kLimit - 4, 1), B({IAC, SE}), Text("ok")});
  Receive(tooLong);
  EXPECT_TRUE(client.replies.empty());
  EXPECT_EQ(client.Data(), Text("ok"));
  EXPECT_NE(fx.record.Text().find("Telnet protocol error - flushing sequence 255 250 24 1 "), std::string::npos);

  client.runs.clear();
  Bytes huge = Cat({B({IAC, SB, OPT_NEW_ENVIRON}), Bytes(100000, 0), Text("z")});
  Receive(huge);
  EXPECT_TRUE(client.replies.empty());
  EXPECT_EQ(client.Data().back(), 'z');
}

TEST_F(TelnetTest, ReceivedBytesAreDumpedWithTheIoMonitor) {
  fx.log().recordIO = true;
  Receive(B({'A', ' ', 127, 128, IAC, NOP}));
  telnet.TelnetReceive(nullptr, 0);
  EXPECT_EQ(fx.record.Text(), "RECEIVED: A [32] \x7f [128]  [255]  [241] \r\nRECEIVED: \r\n");
}

TEST_F(TelnetTest, AnImpossibleStateEndsTheProgram) {
  TelnetProtocolTestAccess::SetState(telnet, 77);
  Receive(Text("a"));
  ASSERT_EQ(fx.platform.dialogs.size(), 1u);
  EXPECT_EQ(fx.platform.dialogs[0].rfind("L1202: Telnet handshake - Unknown state 77\nfile telnet_protocol.cpp", 0), 0u);
  EXPECT_EQ(fx.platform.exits, std::vector<int>{1});
}

TEST_F(TelnetTest, ResetStartsAFreshNegotiation) {
  Receive(B({IAC, DO, OPT_NEW_ENVIRON, IAC, SB}));
  telnet.OfferNaws();
  telnet.Reset();
  TakeReplies();
  Receive(Cat({Text("hi"), B({IAC, DO, OPT_NEW_ENVIRON, IAC, DO, OPT_NAWS})}));
  EXPECT_EQ(client.Data(), Text("hi"));
  EXPECT_EQ(TakeReplies(), B({IAC, WILL, OPT_NEW_ENVIRON, IAC, DONT, OPT_NAWS}));
}

}  // namespace
}  // namespace korvane
