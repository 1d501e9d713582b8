#include "hlp_topic.h"

#include <gtest/gtest.h>

#include "hlp_compress.h"

namespace korvane::help {
namespace {

TEST(ContextHash, LettersDigitsAndMarksWithoutRegardToCase) {
  EXPECT_EQ(ContextHash("A"), 17);
  EXPECT_EQ(ContextHash("z"), 42);
  EXPECT_EQ(ContextHash("1"), 1);
  EXPECT_EQ(ContextHash("0"), 10);
  EXPECT_EQ(ContextHash("."), 12);
  EXPECT_EQ(ContextHash("_"), 13);
  EXPECT_EQ(ContextHash("AB"), 17 * 43 + 18);
  EXPECT_EQ(ContextHash("err_1001"), ContextHash("ERR_1001"));
  // Long names wrap around 32 bits (value worked out separately).
  EXPECT_EQ(ContextHash("Korvane_Help.Contents_1001_ERR_and_some_more_letters"), -1679519408);
}

// A paragraph "Hi" in the body font: sizes, settings, font command, end of
// paragraph, end mark; texts before each command.
TEST(EncodeParagraph, BodyParagraphBytes) {
  DisplayRecord r = EncodeParagraph({ParagraphStyle::Body, {{RunStyle::Plain, "Hi", ""}}, ""});
  EXPECT_EQ(r.text, (Bytes{0, 'H', 'i', 0, 0}));
  EXPECT_EQ(r.characters, 3u);  // two letters and the paragraph end
  EXPECT_EQ(r.formatting, (Bytes{0x0A, 0x80,                    // text size 5 (compressed long)
                                 0x06,                          // 3 characters (compressed ushort)
                                 0x00, 0x80, 0x00, 0x00,        // unknown bytes and paragraph id
                                 0x02, 0x00, 0x94,              // space above: 10 half points
                                 0x80, kFontBody, 0x00,         // font
                                 0x82, 0xFF}));
}

TEST(EncodeParagraph, LinksJumpToTheirHashAndListItemsTabAfterTheMarker) {
  DisplayRecord r = EncodeParagraph(
      {ParagraphStyle::ListItem, {{RunStyle::Link, "Go", "CONTENTS"}, {RunStyle::Bold, "!", ""}}, "2."});
  std::string text(r.text.begin(), r.text.end());
  EXPECT_EQ(text, std::string("\0002.\0\0Go\0\0!\0\0", 12));
  EXPECT_EQ(r.characters, 2u + 1 + 2 + 1 + 1);  // marker, tab, link text, "!", paragraph end
  uint32_t hash = static_cast<uint32_t>(ContextHash("CONTENTS"));
  Bytes commands = {0x80, kFontBody, 0, 0x83, 0xE3, static_cast<uint8_t>(hash), static_cast<uint8_t>(hash >> 8),
                    static_cast<uint8_t>(hash >> 16), static_cast<uint8_t>(hash >> 24), 0x89, 0x80, kFontBold, 0,
                    0x82, 0xFF};
  ASSERT_GE(r.formatting.size(), commands.size());
  EXPECT_EQ(Bytes(r.formatting.end() - static_cast<long>(commands.size()), r.formatting.end()), commands);
  // Settings: space above, left indent 36, first line -24, one tab stop at 36.
  Bytes settings = {0x52, 0x02, 0x8C, 0xC8, 0x50, 0x82, 0x48};
  EXPECT_EQ(Bytes(r.formatting.begin() + 7, r.formatting.begin() + 14), settings);
}

HelpDocument ManyTopics(int count, bool repetitive) {
  HelpDocument doc;
  doc.title = "T";
  uint32_t seed = 1;
  for (int t = 0; t < count; ++t) {
    Topic topic;
    topic.context = "T" + std::to_string(t);
    topic.title = "Topic " + std::to_string(t);
    for (int p = 0; p < 3; ++p) {
      std::string text;
      for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245 + 12345;
        text += repetitive ? 'a' : static_cast<char>('a' + (seed >> 16) % 26);
      }
      topic.paragraphs.push_back({ParagraphStyle::Body, {{RunStyle::Plain, text, ""}}, ""});
    }
    doc.topics.push_back(topic);
  }
  return doc;
}

// Every block slot is full size but the last, each block's data stays within
// what one block may give even with its zero padding, and topic offsets grow.
void CheckBlocks(const TopicFile& file) {
  ASSERT_GT(file.blocks, 1u);
  EXPECT_EQ((file.bytes.size() + kTopicBlockSize - 1) / kTopicBlockSize, file.blocks);
  for (uint32_t b = 0; b < file.blocks; ++b) {
    size_t at = b * kTopicBlockSize, size = std::min<size_t>(kTopicBlockSize, file.bytes.size() - at);
    Bytes out;
    EXPECT_TRUE(DecompressLz77(&file.bytes[at + kTopicBlockHeaderSize], size - kTopicBlockHeaderSize, kTopicBlockText, out))
        << "block " << b;
    EXPECT_EQ(GetU32(&file.bytes[at + 4]) >> 14, b) << "first link of block " << b << " lies in it";
  }
  for (size_t t = 1; t < file.topicOffsets.size(); ++t) EXPECT_GT(file.topicOffsets[t], file.topicOffsets[t - 1]);
}

TEST(BuildTopicFile, IncompressibleTextFillsManyBlocks) {
  TopicFile file;
  std::string error;
  ASSERT_TRUE(BuildTopicFile(ManyTopics(60, false), file, error)) << error;
  CheckBlocks(file);
  EXPECT_EQ(file.topicOffsets[0], 0u);
}

TEST(BuildTopicFile, HighlyCompressibleTextIsBoundByTheDecompressedSize) {
  TopicFile file;
  std::string error;
  ASSERT_TRUE(BuildTopicFile(ManyTopics(120, true), file, error)) << error;
  CheckBlocks(file);
}

}  // namespace
}  // namespace korvane::help
