#include "record_log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "client_test_support.h"

namespace korvane {
namespace {

TEST(RecordLog, FileNameFollowsTheSeparatorRule) {
  EXPECT_EQ(RecordLog::MakeFileName("C:\\logs", 12345), "C:\\logs/record12345.txt");
  EXPECT_EQ(RecordLog::MakeFileName("C:\\logs\\", 12345), "C:\\logs\\record12345.txt");
  EXPECT_EQ(RecordLog::MakeFileName("/tmp/", 12345), "/tmp/record12345.txt");
  EXPECT_EQ(RecordLog::MakeFileName("", 12345), "record12345.txt");
  // Seconds modulo 100000, without leading zeros.
  EXPECT_EQ(RecordLog::MakeFileName("", 1700000042), "record42.txt");
  EXPECT_EQ(RecordLog::MakeFileName("", 99999), "record99999.txt");
}

TEST(RecordLog, NoFileUntilTheFirstWrite) {
  test::TempRecordLog record;
  EXPECT_FALSE(record.log().IsOpen());
  record.log().Event("not written %d\n", 1);  // event log off
  EXPECT_FALSE(record.log().IsOpen());
  record.log().WriteRecord("%s", "");  // opens, writes nothing
  EXPECT_TRUE(record.log().IsOpen());
  EXPECT_EQ(record.Text(), "");
  EXPECT_NE(record.log().FileName().find("record34567.txt"), std::string::npos);  // 1234567 % 100000
}

TEST(RecordLog, LinesEndInCrLf) {
  test::TempRecordLog record;
  record.log().recordEvents = true;
  record.log().Event("Korvane version %s\n", "1.8.3.4");
  record.log().WriteRecord("COMMAND LINE=%s\n", "-R");
  EXPECT_EQ(record.Text(), "Korvane version 1.8.3.4\r\nCOMMAND LINE=-R\r\n");
}

TEST(RecordLog, LinesLongerThanTheBufferAreWrittenWhole) {
  test::TempRecordLog record;
  std::string longText(5000, 'q');
  record.log().WriteRecord("start %s end\n", longText.c_str());
  EXPECT_EQ(record.Text(), "start " + longText + " end\r\n");
}

TEST(RecordLog, OpenFailureIsFatal) {
  std::vector<std::string> fatal;
  RecordLog::Environment env;
  env.recordDirectory = [] { return std::optional<std::string>("/nonexistent/korvane/dir"); };
  env.now = [] { return 5LL; };
  env.fatal = [&](const std::string& m) { fatal.push_back(m); };
  RecordLog log(env);
  log.WriteRecord("x\n");
  ASSERT_EQ(fatal.size(), 1u);
  EXPECT_EQ(fatal[0], "can't open recordfile: No such file or directory");
  EXPECT_FALSE(log.IsOpen());
}

TEST(RecordLog, DumpLinesShowPrintableBytesAndNumbersTheRest) {
  const unsigned char bytes[] = {'A', ' ', 13, 127, 255, '~'};
  EXPECT_EQ(RecordLog::DumpLine("RECEIVED: ", bytes, sizeof bytes, 127), "RECEIVED: A [32]  [13] \x7f [255] ~\n");
  EXPECT_EQ(RecordLog::DumpLine("SEND: ", bytes, sizeof bytes, 126), "SEND: A [32]  [13]  [127]  [255] ~\n");
}

}  // namespace
}  // namespace korvane
