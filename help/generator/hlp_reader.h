// Reads a help file back: the internal directory, |SYSTEM, the topics with
// their plain text, and the context, title and keyword tables. It reads what
// the generator writes (version 3.1, LZ77 topic blocks, no phrase
// compression) and refuses anything else; every field is checked against
// the file's own size.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hlp_bytes.h"

namespace korvane::help {

struct TopicView {
  uint32_t position = 0;  // of its topic header
  uint32_t offset = 0;    // topic offset, counted as a viewer counts it
  std::string title;
  std::string text;       // paragraphs, each ended by "\n"; tabs as "\t"
  std::vector<int32_t> jumps;  // context hashes its links go to
  uint32_t browseBack = 0, browseForward = 0;
};

struct HelpFileView {
  uint16_t minor = 0, flags = 0;
  uint32_t date = 0;
  std::string title, copyright;
  uint32_t contents = 0xFFFFFFFF;
  std::vector<std::string> internalFiles;
  std::vector<std::string> fontFaces;
  std::vector<TopicView> topics;
  std::map<int32_t, uint32_t> contexts;        // |CONTEXT: hash -> topic offset
  std::map<int32_t, uint32_t> contextNumbers;  // |CTXOMAP
  std::map<uint32_t, std::string> titles;      // |TTLBTREE
  std::map<std::string, std::vector<uint32_t>> keywords;
};

bool ReadHelpFile(const Bytes& file, HelpFileView& view, std::string& error);

// The topic that shows a topic offset: the last one starting at or before it.
const TopicView* TopicAt(const HelpFileView& view, uint32_t offset);

// Finds a context hash through the |CONTEXT tree's index pages, as a viewer
// does; false when absent.
bool LookUpContext(const Bytes& file, int32_t hash, uint32_t& offset);

}  // namespace korvane::help
