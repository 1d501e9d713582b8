#include "command_line.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

std::vector<std::string> Texts(std::string_view line) {
  std::vector<std::string> out;
  for (auto& a : SplitArguments(line)) out.push_back(a.text);
  return out;
}

TEST(SplitArguments, DashStartsATwoCharacterArgument) {
  EXPECT_EQ(Texts("-Dhost"), (std::vector<std::string>{"-D", "host"}));
  EXPECT_EQ(Texts("  -D   host  "), (std::vector<std::string>{"-D", "host"}));
  EXPECT_EQ(Texts("-X100,200,9 -a n"), (std::vector<std::string>{"-X", "100,200,9", "-a", "n"}));
  EXPECT_EQ(Texts("-A-R"), (std::vector<std::string>{"-A", "-R"}));
  EXPECT_EQ(Texts("host-name -"), (std::vector<std::string>{"host-name", "-"}));
}

TEST(SplitArguments, QuotesKeepTheirContentAndThemselves) {
  EXPECT_EQ(Texts("-I \"Main host\" x"), (std::vector<std::string>{"-I", "\"Main host\"", "x"}));
  EXPECT_EQ(Texts("-I'a b'c"), (std::vector<std::string>{"-I", "'a b'", "c"}));
  EXPECT_EQ(Texts("\"unterminated text"), (std::vector<std::string>{"\"unterminated text"}));
  auto args = SplitArguments("ab  \"c d\"");
  ASSERT_EQ(args.size(), 2u);
  EXPECT_EQ(args[1].begin, 4u);
  EXPECT_EQ(args[1].end, 9u);
}

class CommandLineTest : public ::testing::Test {
 protected:
  int Parse(std::string_view line) { return ParseCommandLine(line, config, t.log(), t.errors); }
  ClientConfig config;
  test::ClientFixture t;
};

TEST_F(CommandLineTest, YesNoOptionsWithoutParameterMeanYes) {
  EXPECT_EQ(Parse("-A -R"), 0);
  EXPECT_TRUE(config.autoConnect);
  EXPECT_TRUE(t.log().recordEvents);
  EXPECT_TRUE(t.platform.dialogs.empty());
}

TEST_F(CommandLineTest, YesNoLettersAndValuesInEitherCase) {
  config.autoClose = true;
  EXPECT_EQ(Parse("-a n -c N -f y -k Y -l -m -s -u"), 0);
  EXPECT_FALSE(config.autoConnect);
  EXPECT_FALSE(config.autoClose);
  EXPECT_TRUE(config.serifFont);
  EXPECT_TRUE(config.scrollbackBar);
  EXPECT_TRUE(config.localEcho);
  EXPECT_TRUE(t.log().recordIO);
  EXPECT_TRUE(config.suppressBanner);
  EXPECT_TRUE(config.useIntlKeyboard);
}

TEST_F(CommandLineTest, YesNoWithAnythingElseEndsStartUp) {
  EXPECT_EQ(Parse("-R maybe"), 1004);
  ASSERT_EQ(t.platform.dialogs.size(), 1u);
  EXPECT_EQ(t.platform.dialogs[0], "F1002: Option 'R' requires 'Y' or 'N' parameter");
  EXPECT_EQ(t.platform.contexts[0], 1002);
  for (const char* letter : {"A", "C", "F", "K", "L", "M", "O", "S", "U"}) {
    ClientConfig c;
    test::ClientFixture f;
    std::string line = std::string("-") + letter + " yes";
    EXPECT_EQ(ParseCommandLine(line, c, f.log(), f.errors), 1004) << line;
    EXPECT_EQ(f.platform.dialogs.at(0), std::string("F1002: Option '") + letter + "' requires 'Y' or 'N' parameter");
  }
}

TEST_F(CommandLineTest, ThrottleOptionCopiesTheStoredNumbers) {
  config.throttleOutput = 70;
  config.throttlePace = 30;
  EXPECT_EQ(Parse("-O"), 0);
  EXPECT_EQ(config.throttleSize, 70);
  EXPECT_EQ(config.throttleStepMs, 30);
  EXPECT_EQ(Parse("-o n"), 0);
  EXPECT_EQ(config.throttleSize, 0);
  EXPECT_EQ(config.throttleStepMs, 0);
}

TEST_F(CommandLineTest, HostFileAndTitleErrorsAreReportedAndParsingGoesOn) {
  EXPECT_EQ(Parse("-D -R -H -I"), 0);
  ASSERT_EQ(t.platform.dialogs.size(), 2u);
  EXPECT_EQ(t.platform.dialogs[0], "F1002: Option 'D' requires a hostname");
  EXPECT_EQ(t.platform.dialogs[1], "F1002: Option 'H' requires a filename");
  // The missing parameter ("-R") was skipped, so the event log stays off.
  EXPECT_FALSE(t.log().recordEvents);
  EXPECT_FALSE(config.host);

  t.platform.dialogs.clear();
  EXPECT_EQ(Parse("-I"), 0);
  EXPECT_EQ(t.platform.dialogs.at(0), "F1002: Option 'I' requires a string for a title");
}

TEST_F(CommandLineTest, HostFileAndTitleAreKept) {
  EXPECT_EQ(Parse("-Dalpha -H c:\\kv\\hosts -I \"Main host\""), 0);
  EXPECT_EQ(config.host, "alpha");
  EXPECT_FALSE(config.autoConnect);  // -D alone does not connect
  EXPECT_EQ(config.hostsFile, "c:\\kv\\hosts");
  EXPECT_EQ(config.title, "\"Main host\"");
}

TEST_F(CommandLineTest, PortAndTermType) {
  EXPECT_EQ(Parse("-P 2323 -T wyse60"), 0);
  EXPECT_EQ(config.port, 2323);
  EXPECT_EQ(config.termName, "wyse60");
  EXPECT_EQ(Parse("-P abc"), 0);  // converts to 0: unchanged
  EXPECT_EQ(config.port, 2323);
  EXPECT_EQ(Parse("-P 65559"), 0);  // low 16 bits
  EXPECT_EQ(config.port, 23);

  EXPECT_EQ(Parse("-P"), 1004);
  EXPECT_EQ(t.platform.dialogs.back(), "F1002: Option 'P' requires a port number");
  EXPECT_EQ(Parse("-T -R"), 1004);
  EXPECT_EQ(t.platform.dialogs.back(), "F1002: Option 'T' requires a TERM TYPE");
}

TEST_F(CommandLineTest, TermSizing) {
  EXPECT_EQ(Parse("-V 43,80,y"), 0);
  EXPECT_EQ(config.screenRows, 43);
  EXPECT_EQ(config.screenColumns, 80);
  EXPECT_EQ(config.screenStatus, 'Y');

  ClientConfig fresh;
  config = fresh;
  EXPECT_EQ(Parse("-V 70,80,N"), 0);  // out of range: ignored without a message
  EXPECT_EQ(config.screenRows, 0);
  EXPECT_EQ(config.screenStatus, 0);
  EXPECT_EQ(Parse("-V 24,257,N -V 24,80,x -V 24,80"), 0);
  EXPECT_EQ(config.screenRows, 0);
  EXPECT_EQ(Parse("-V 60,256,n"), 0);
  EXPECT_EQ(config.screenRows, 60);
  EXPECT_EQ(config.screenColumns, 256);
  EXPECT_EQ(config.screenStatus, 'N');
  EXPECT_TRUE(t.platform.dialogs.empty());

  EXPECT_EQ(Parse("-V"), 1004);
  EXPECT_EQ(t.platform.dialogs.back(), "F1002: Option 'V' requires a parameter for term sizing");
}

TEST_F(CommandLineTest, TermSizingWithoutCommaIsReadAgainAsTheNextArgument) {
  EXPECT_EQ(Parse("-V 43 -R"), 0);
  // "43" does not start with a dash: it is the host argument, and parsing ends.
  EXPECT_EQ(config.host, "43");
  EXPECT_TRUE(config.autoConnect);
  EXPECT_FALSE(t.log().recordEvents);
  EXPECT_EQ(config.screenRows, 0);
}

TEST_F(CommandLineTest, WindowSizing) {
  EXPECT_EQ(Parse("-X 100,200,9"), 0);
  EXPECT_EQ(config.windowTop, 100);
  EXPECT_EQ(config.windowLeft, 200);
  EXPECT_EQ(config.initialSize, 9);
  EXPECT_EQ(Parse("-XM"), 0);
  EXPECT_EQ(config.initialSize, kMaximisedSize);
  EXPECT_EQ(Parse("-x m"), 0);
  EXPECT_EQ(config.initialSize, kMaximisedSize);
  EXPECT_EQ(Parse("-X 7"), 0);
  EXPECT_EQ(config.initialSize, 7);
  EXPECT_EQ(config.windowLeft, 0);  // cleared by the new -X
  EXPECT_EQ(Parse("-X 10,20,0"), 0);
  EXPECT_EQ(config.initialSize, 0);  // a third number of 0 is not taken
  EXPECT_EQ(config.windowLeft, 20);

  EXPECT_EQ(Parse("-X -R"), 1004);
  EXPECT_EQ(t.platform.dialogs.back(), "F1002: Option 'X' requires a parameter for window sizing");
}

TEST_F(CommandLineTest, WindowPositionWithoutSizeIsReadAgain) {
  EXPECT_EQ(Parse("-X 100,200 -R"), 0);
  EXPECT_EQ(config.windowTop, 100);
  EXPECT_EQ(config.windowLeft, 200);
  EXPECT_EQ(config.initialSize, 0);
  EXPECT_EQ(config.host, "100,200");
}

TEST_F(CommandLineTest, HostArgumentConnectsAndEndsParsing) {
  EXPECT_EQ(Parse("myhost -R -Q"), 0);
  EXPECT_EQ(config.host, "myhost");
  EXPECT_TRUE(config.autoConnect);
  EXPECT_FALSE(t.log().recordEvents);
  EXPECT_FALSE(config.suppressBanner);
}

TEST_F(CommandLineTest, TelnetLinksSuppressTheBanner) {
  EXPECT_EQ(Parse("TELNET:myhost -Q"), 0);
  EXPECT_EQ(config.host, "myhost");
  EXPECT_TRUE(config.autoConnect);
  EXPECT_TRUE(config.suppressBanner);

  // The URL form a browser hands over names the host and the port.
  EXPECT_EQ(Parse("telnet://guest@alpha.example:2323/"), 0);
  EXPECT_EQ(config.host, "alpha.example");
  EXPECT_EQ(config.port, 2323);
  EXPECT_EQ(Parse("telnet://beta/"), 0);
  EXPECT_EQ(config.host, "beta");
  EXPECT_EQ(config.port, 2323);
}

TEST_F(CommandLineTest, UnknownLetterEndsSilently) {
  EXPECT_EQ(Parse("-Q"), 1004);
  EXPECT_EQ(Parse("-R -"), 1004);
  EXPECT_TRUE(t.platform.dialogs.empty());
}

TEST_F(CommandLineTest, EventLogLines) {
  EXPECT_EQ(Parse("-R -P 99 -X 100,200,9 -XM beta"), 0);
  EXPECT_EQ(t.record.Text(),
            "Process option P - Possible parameter 99\r\n"
            "Process option X - Possible parameter 100,200,9\r\n"
            "gblInitialSize initially set to 0\r\n"
            "gblInitialSize set to 9\r\n"
            "Process option X - Possible parameter M\r\n"
            "gblInitialSize initially set to 999\r\n"
            "Specified default host beta\r\n");
}

TEST(RemoveOption, TakesOutTheFirstOptionAndItsParameter) {
  EXPECT_EQ(RemoveOption("korvane.exe -X100,200,9 -R -X 5", "-X"), "korvane.exe -R -X 5");
  EXPECT_EQ(RemoveOption("korvane.exe -x M", "-X"), "korvane.exe");
  EXPECT_EQ(RemoveOption("korvane.exe -X -R", "-X"), "korvane.exe -R");
  EXPECT_EQ(RemoveOption("korvane.exe -R", "-X"), "korvane.exe -R");
  EXPECT_EQ(RemoveOption("\"C:\\a-x b\\korvane.exe\" -R", "-X"), "\"C:\\a-x b\\korvane.exe\" -R");
}

TEST(RemoveOption, NewInstanceLineAddsSuppressBannerAndDropsTheSize) {
  EXPECT_EQ(NewInstanceCommandLine("C:\\KV\\Korvane.exe -X 10,20,8 -T vt100"), "C:\\KV\\Korvane.exe -T vt100 -S");
  EXPECT_EQ(NewInstanceCommandLine("Korvane.exe"), "Korvane.exe -S");
}

}  // namespace
}  // namespace korvane
