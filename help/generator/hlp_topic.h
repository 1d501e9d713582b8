// The |TOPIC internal file: every topic as a chain of topic links (a topic
// header, then one display record per paragraph), packed into 4 KB blocks
// that are each LZ77-compressed on their own.
//
// Two kinds of address point into it. A topic position is where a link
// starts: block * 0x4000 + 12 + its offset in the block's decompressed data.
// A topic offset is what the context tables store: block * 0x8000 + the
// number of characters the block's display records hold before the topic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "help_document.h"
#include "hlp_bytes.h"

namespace korvane::help {

constexpr uint32_t kTopicBlockSize = 4096;
constexpr uint32_t kTopicBlockHeaderSize = 12;
constexpr uint32_t kTopicBlockSlot = kTopicBlockSize - kTopicBlockHeaderSize;  // compressed bytes a block holds
constexpr uint32_t kTopicBlockText = 0x4000 - kTopicBlockHeaderSize;           // decompressed bytes it may give
constexpr uint32_t kTopicLinkHeaderSize = 21, kTopicHeaderSize = 28;
constexpr uint8_t kRecordTopicHeader = 0x02, kRecordDisplay = 0x20;
constexpr uint32_t kNone = 0xFFFFFFFF;

// Font numbers into the |FONT descriptors.
enum FontNumber : uint16_t { kFontBody, kFontHeading, kFontBold, kFontCode, kFontSubheading, kFontCount };

// The viewer's hash of a context name: case-insensitive, 43 * hash + the
// value of each letter (A = 17), digit (1-9 themselves, 0 = 10), '.' (12) or '_' (13).
int32_t ContextHash(const std::string& name);

struct DisplayRecord {
  Bytes formatting;  // the record's first data part: sizes, paragraph settings, commands
  Bytes text;        // the second: the texts between the commands, each ended by a NUL
  uint32_t characters = 0;  // what the record adds to topic offsets
};

// One paragraph as a display record; links jump to the hash of their target.
DisplayRecord EncodeParagraph(const Paragraph& paragraph);

struct TopicFile {
  Bytes bytes;                         // the internal file's data
  std::vector<uint32_t> topicOffsets;  // per topic of the document
  uint32_t blocks = 0;
};

// Lays out every topic of the document; false with a reason when a record
// cannot be placed in a block.
bool BuildTopicFile(const HelpDocument& document, TopicFile& file, std::string& error);

}  // namespace korvane::help
