#include "install_command_line.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(InstallCommandLine, ProgramPathIsSkippedQuotedOrNot) {
  auto quoted = ParseInstallCommandLine("\"C:\\Program Files\\Korvane\\Install.exe\" -r");
  ASSERT_TRUE(quoted.ok) << quoted.error.text;
  EXPECT_EQ(quoted.options.action, InstallAction::Remove);
  auto plain = ParseInstallCommandLine("C:\\KV\\INSTALL.EXE -R -A");
  ASSERT_TRUE(plain.ok);
  EXPECT_TRUE(plain.options.removeNow);
  auto bare = ParseInstallCommandLine("Install.exe");
  ASSERT_TRUE(bare.ok);
  EXPECT_EQ(bare.options.action, InstallAction::Install);
  EXPECT_FALSE(bare.options.runSettings);
}

TEST(InstallCommandLine, LettersInEitherCase) {
  auto lower = ParseInstallCommandLine("i.exe -r -a -s -i");
  ASSERT_TRUE(lower.ok);
  EXPECT_EQ(lower.options.action, InstallAction::Install);  // the last of -r and -i counts
  EXPECT_TRUE(lower.options.removeNow);
  EXPECT_TRUE(lower.options.runSettings);
  auto upper = ParseInstallCommandLine("i.exe   -S\t-R");
  ASSERT_TRUE(upper.ok);
  EXPECT_TRUE(upper.options.runSettings);
  EXPECT_EQ(upper.options.action, InstallAction::Remove);
}

TEST(InstallCommandLine, DirectoryAttachedAfterBlanksOrQuoted) {
  for (const char* line : {"i.exe -d c:\\kv", "i.exe -D    c:\\kv -S", "i.exe -Dc:\\kv"}) {
    auto parsed = ParseInstallCommandLine(line);
    ASSERT_TRUE(parsed.ok) << line;
    EXPECT_TRUE(parsed.options.haveDirectory);
    EXPECT_EQ(parsed.options.directory, "c:\\kv") << line;
  }
  auto quoted = ParseInstallCommandLine("i.exe -D \"C:\\Program Files\\Korvane\" -s");
  ASSERT_TRUE(quoted.ok);
  EXPECT_EQ(quoted.options.directory, "C:\\Program Files\\Korvane");
  EXPECT_TRUE(quoted.options.runSettings);
}

TEST(InstallCommandLine, Errors) {
  auto unknown = ParseInstallCommandLine("i.exe -X");
  EXPECT_FALSE(unknown.ok);
  EXPECT_EQ(unknown.error.text, "Unknown parameter in command-line: X");
  EXPECT_EQ(unknown.error.caption, "Parameter Error");
  EXPECT_TRUE(unknown.error.logLines.empty());

  auto stray = ParseInstallCommandLine("i.exe -R leftover -A");
  EXPECT_FALSE(stray.ok);
  EXPECT_EQ(stray.error.text, "Unexpected string in command-line: leftover");
  EXPECT_EQ(stray.options.action, InstallAction::Remove);  // parsed so far: picks the removal log
  EXPECT_FALSE(stray.options.removeNow);

  auto glued = ParseInstallCommandLine("i.exe -Rx");
  EXPECT_EQ(glued.error.text, "Unexpected string in command-line: x");
  auto dash = ParseInstallCommandLine("i.exe -");
  EXPECT_EQ(dash.error.text, "Unexpected string in command-line: -");

  auto missing = ParseInstallCommandLine("i.exe -S -D   ");
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error.text, "Invalid option for -D");
  EXPECT_EQ(missing.error.caption, "Bad CommandLine");
  EXPECT_TRUE(missing.error.logLines.empty());

  auto trailer = ParseInstallCommandLine("i.exe -D -R");
  EXPECT_FALSE(trailer.ok);
  EXPECT_EQ(trailer.error.text, "Invalid option for -D");
  EXPECT_EQ(trailer.error.logLines, std::vector<std::string>{"Invalid parameter trailer"});
}

TEST(InstallCommandLine, AutoRemovalKeepsAGivenDirectory) {
  EXPECT_EQ(AutoRemovalArguments(ParseInstallCommandLine("i.exe -r").options), "-R -A");
  auto withDirectory = ParseInstallCommandLine("i.exe -r -D \"D:\\My Apps\\KV\\\"");
  ASSERT_TRUE(withDirectory.ok);
  std::string arguments = AutoRemovalArguments(withDirectory.options);
  EXPECT_EQ(arguments, "-R -A -D \"D:\\My Apps\\KV\\\"");
  // What the copy is given parses back to the same removal.
  auto again = ParseInstallCommandLine("install.exe " + arguments);
  ASSERT_TRUE(again.ok);
  EXPECT_TRUE(again.options.removeNow);
  EXPECT_EQ(again.options.directory, "D:\\My Apps\\KV\\");
}

}  // namespace
}  // namespace korvane
