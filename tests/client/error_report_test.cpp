#include "error_report.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

TEST(ErrorReport, KindsGiveTheirPrefixLetters) {
  test::ClientFixture t;
  t.errors.ErrorCall(1, 1002, 0, "Option '%c' requires a port number", 'P');
  t.errors.ErrorCall(2, 1103, 0, "Couldn't register Window Class");
  ASSERT_EQ(t.platform.dialogs.size(), 2u);
  EXPECT_EQ(t.platform.dialogs[0], "F1002: Option 'P' requires a port number");
  // Kind 2 without a system error has no "Error" line.
  EXPECT_EQ(t.platform.dialogs[1], "S1103: Couldn't register Window Class");
  EXPECT_EQ(t.errors.LastErrorCode(), 1103);
  EXPECT_EQ(t.platform.contexts[1], 1103);
}

TEST(ErrorReport, SystemTextComesFirstThenTheWinSockTable) {
  test::ClientFixture t;
  t.platform.systemTexts = {{5, "Access denied.\r\n"}};
  t.errors.ErrorCall(2, 1113, 5, "Network error: Bind failed");
  EXPECT_EQ(t.platform.dialogs.back(), "S1113: Network error: Bind failed\nError 5: Access denied.");

  t.errors.ErrorCall(2, 1113, 10061, "Network Error: Couldn't open socket");
  EXPECT_EQ(t.platform.dialogs.back(),
            "S1113: Network Error: Couldn't open socket\nError 10061: WSAECONNREFUSED: Connection attempt refused by "
            "host");

  t.errors.ErrorCall(2, 1106, 10059, "Connection attempt failed!");
  EXPECT_EQ(t.platform.dialogs.back(), "S1106: Connection attempt failed!\nError 10059: WSAETOOMANYREFS: ???");

  // Neither source knows the number: nothing follows its colon.
  t.errors.ErrorCall(2, 1106, 4242, "x");
  EXPECT_EQ(t.platform.dialogs.back(), "S1106: x\nError 4242:");
}

TEST(ErrorReport, WinSockTableHasItsFortyFourRows) {
  int rows = 0;
  for (unsigned long code = 10000; code < 10200; ++code)
    if (WinSockErrorText(code)) ++rows;
  EXPECT_EQ(rows, 44);
  EXPECT_STREQ(WinSockErrorText(10101), "WSAEDISCON: ???");
  EXPECT_EQ(WinSockErrorText(0), nullptr);
}

TEST(ErrorReport, ProgramErrorsCarryTheLocationWithoutDirectory) {
  test::ClientFixture t;
  t.errors.SetErrorLocation("C:\\src\\client/telnet_protocol.cpp", 321);
  t.errors.ErrorCall(3, 1202, 0, "Telnet handshake - Unknown state %d", 7);
  EXPECT_EQ(t.platform.dialogs.back(), "L1202: Telnet handshake - Unknown state 7\nfile telnet_protocol.cpp  line 321");
  t.errors.SetErrorLocation("src\\win.cpp", 9);
  t.errors.ErrorCall(3, 1201, 0, "Unhandled window option: %d\n", 12);
  EXPECT_EQ(t.platform.dialogs.back(), "L1201: Unhandled window option: 12\n\nfile win.cpp  line 9");
}

TEST(ErrorReport, UnknownKindIsItselfReportedAndEndsTheProgram) {
  test::ClientFixture t;
  t.errors.SetErrorLocation("stale.cpp", 1);  // an earlier caller's location is not this report's
  t.errors.ErrorCall(4, 1001, 0, "whatever");
  ASSERT_EQ(t.platform.dialogs.size(), 1u);
  EXPECT_EQ(t.platform.dialogs[0].rfind("L1203: Unhandled switch: 4: in ErrorCall\nfile error_report.cpp  line ", 0), 0u);
  EXPECT_EQ(t.platform.exits, std::vector<int>{1});
}

TEST(ErrorReport, EventLogGetsTitleAndMessageOnlyWhenOn) {
  test::ClientFixture t;
  t.errors.ErrorCall(1, 1007, 0, "Can't find info for specified Term Def (%s)", "vt100");
  EXPECT_EQ(t.record.Text(), "");
  t.log().recordEvents = true;
  t.errors.ErrorCall(1, 1007, 0, "Can't find info for specified Term Def (%s)", "vt100");
  t.errors.ErrorCall(2, 1116, 0, "Couldn't resolve host name '%s'", "nowhere");
  t.errors.SetErrorLocation("a/b.cpp", 2);
  t.errors.ErrorCall(3, 1201, 0, "x");
  EXPECT_EQ(t.record.Text(),
            "Abort: F1007: Can't find info for specified Term Def (vt100)\r\n"
            "System Error: S1116: Couldn't resolve host name 'nowhere'\r\n"
            "Program Error!: L1201: x\r\nfile b.cpp  line 2\r\n");
}

}  // namespace
}  // namespace korvane
