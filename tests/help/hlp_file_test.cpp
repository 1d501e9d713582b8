#include "hlp_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "help_source.h"
#include "hlp_reader.h"
#include "hlp_topic.h"

namespace korvane::help {
namespace {

HelpDocument Sample() {
  HelpDocument doc;
  std::vector<std::string> errors;
  EXPECT_TRUE(ParseHelpSource(
      "@help-title Korvane Help\n@copyright (c) Ambrel\n"
      "@topic CONTENTS\n@title Contents\n@keywords overview\nSee [the failure](ERR_1001).\n"
      "@topic ERR_1001\n@map 1001\n@title Initialization failed (1001)\n@keywords Settings; start-up\n"
      "Run the settings program.\n- one\n- two\n"
      "@topic DIALOG\n@map 1303 1304\n@title The dialog\n@keywords settings\nText with `code`.\n",
      "sample", doc, errors));
  return doc;
}

HelpFileView Read(const Bytes& file) {
  HelpFileView view;
  std::string error;
  EXPECT_TRUE(ReadHelpFile(file, view, error)) << error;
  return view;
}

TEST(HelpFile, HeaderAndInternalDirectory) {
  Bytes file;
  std::string error;
  ASSERT_TRUE(BuildHelpFile(Sample(), 1234567890, file, error)) << error;
  EXPECT_EQ(GetU32(&file[0]), kHelpFileMagic);
  EXPECT_EQ(GetU32(&file[8]), kNone);
  EXPECT_EQ(GetU32(&file[12]), file.size());
  HelpFileView view = Read(file);
  EXPECT_EQ(view.internalFiles, (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|KWBTREE", "|KWDATA",
                                                          "|KWMAP", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
  EXPECT_EQ(view.minor, kSystemMinor31);
  EXPECT_EQ(view.flags, kSystemFlagsLz4k);
  EXPECT_EQ(view.date, 1234567890u);
  EXPECT_EQ(view.title, "Korvane Help");
  EXPECT_EQ(view.copyright, "(c) Ambrel");
  EXPECT_EQ(view.fontFaces, (std::vector<std::string>{"Arial", "Courier New"}));
}

TEST(HelpFile, TopicsAndEveryWayToReachThem) {
  Bytes file;
  std::string error;
  ASSERT_TRUE(BuildHelpFile(Sample(), 0, file, error)) << error;
  HelpFileView view = Read(file);
  ASSERT_EQ(view.topics.size(), 3u);
  const TopicView& contents = view.topics[0];
  EXPECT_EQ(contents.title, "Contents");
  EXPECT_EQ(contents.text, "Contents\nSee the failure.\n");  // the title is the first paragraph
  EXPECT_EQ(contents.jumps, (std::vector<int32_t>{ContextHash("ERR_1001")}));
  EXPECT_EQ(view.topics[1].text, "Initialization failed (1001)\nRun the settings program.\n\x95\tone\n\x95\ttwo\n");
  EXPECT_EQ(view.contents, contents.offset);  // what HELP_FINDER shows

  // Context numbers, as HELP_CONTEXT asks.
  ASSERT_EQ(view.contextNumbers.size(), 3u);
  EXPECT_EQ(TopicAt(view, view.contextNumbers[1001])->title, "Initialization failed (1001)");
  EXPECT_EQ(TopicAt(view, view.contextNumbers[1303])->title, "The dialog");
  EXPECT_EQ(view.contextNumbers[1304], view.contextNumbers[1303]);
  // Context names, as links ask, found through the tree's index like a viewer.
  for (const char* name : {"CONTENTS", "ERR_1001", "dialog"}) {
    uint32_t offset = 0;
    ASSERT_TRUE(LookUpContext(file, ContextHash(name), offset)) << name;
    EXPECT_EQ(view.contexts[ContextHash(name)], offset);
  }
  uint32_t offset = 0;
  EXPECT_FALSE(LookUpContext(file, ContextHash("NOWHERE"), offset));
  EXPECT_EQ(TopicAt(view, view.contexts[ContextHash("ERR_1001")]), &view.topics[1]);
  // Titles by offset, browse sequence in source order.
  for (const TopicView& topic : view.topics) EXPECT_EQ(view.titles[topic.offset], topic.title);
  EXPECT_EQ(contents.browseBack, kNone);
  EXPECT_EQ(contents.browseForward, view.topics[1].offset);
  EXPECT_EQ(view.topics[2].browseBack, view.topics[1].offset);
  EXPECT_EQ(view.topics[2].browseForward, kNone);
}

TEST(HelpFile, KeywordsMergeWithoutRegardToCase) {
  Bytes file;
  std::string error;
  ASSERT_TRUE(BuildHelpFile(Sample(), 0, file, error)) << error;
  HelpFileView view = Read(file);
  ASSERT_EQ(view.keywords.size(), 3u);
  EXPECT_EQ(view.keywords["Settings"], (std::vector<uint32_t>{view.topics[1].offset, view.topics[2].offset}));
  EXPECT_EQ(view.keywords["overview"], (std::vector<uint32_t>{view.topics[0].offset}));
}

TEST(HelpFile, DamagedFilesAreRefused) {
  Bytes file;
  std::string error;
  ASSERT_TRUE(BuildHelpFile(Sample(), 0, file, error)) << error;
  HelpFileView view;
  Bytes shortened(file.begin(), file.end() - 1);
  EXPECT_FALSE(ReadHelpFile(shortened, view, error));
  Bytes badMagic = file;
  badMagic[0] ^= 1;
  EXPECT_FALSE(ReadHelpFile(badMagic, view, error));
  Bytes badDirectory = file;
  SetU32(badDirectory, 4, static_cast<uint32_t>(file.size()));
  EXPECT_FALSE(ReadHelpFile(badDirectory, view, error));
  EXPECT_FALSE(BuildHelpFile(HelpDocument(), 0, file, error));
}

std::string ProjectFile(const std::string& relative) {
  std::string here = __FILE__;
  std::ifstream in(here.substr(0, here.rfind("/tests/")) + "/" + relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The shipped source: every help context the programs ask for has a topic.
TEST(KorvaneHelp, EveryContextTheProgramsUseHasATopic) {
  HelpDocument doc;
  std::vector<std::string> errors;
  ASSERT_TRUE(ParseHelpSource(ProjectFile("help/korvane_help.txt"), "korvane_help.txt", doc, errors))
      << (errors.empty() ? "" : errors[0]);
  Bytes file;
  std::string error;
  ASSERT_TRUE(BuildHelpFile(doc, 0, file, error)) << error;
  HelpFileView view = Read(file);
  std::vector<int32_t> used = {1001, 1002, 1003, 1004, 1006, 1007, 1008, 1201, 1202, 1203,
                               1300, 1301, 1302, 1303, 1304};
  for (int32_t code = 1101; code <= 1116; ++code) used.push_back(code);
  for (int32_t code : used) {
    ASSERT_TRUE(view.contextNumbers.count(code)) << code;
    const TopicView* topic = TopicAt(view, view.contextNumbers[code]);
    ASSERT_NE(topic, nullptr);
    if (code < 1300) {
      EXPECT_NE(topic->title.find("(" + std::to_string(code) + ")"), std::string::npos) << topic->title;
    }
  }
  EXPECT_EQ(view.topics[0].title, "Korvane Help Contents");
  EXPECT_EQ(view.contents, view.topics[0].offset);
}

}  // namespace
}  // namespace korvane::help
