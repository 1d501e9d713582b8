// A whole WinHelp 3.1 file: the header, the internal files and the internal
// directory that names them.
//
//   |SYSTEM    version, title, copyright, the contents topic
//   |FONT      face names and font descriptors
//   |TOPIC     the topics (see hlp_topic.h)
//   |CONTEXT   context-name hash -> topic offset
//   |CTXOMAP   context number -> topic offset (what HELP_CONTEXT asks for)
//   |TTLBTREE  topic offset -> title
//   |KWBTREE, |KWDATA, |KWMAP   the keyword index
#pragma once

#include <cstdint>
#include <string>

#include "help_document.h"
#include "hlp_bytes.h"

namespace korvane::help {

constexpr uint32_t kHelpFileMagic = 0x00035F3F;
constexpr uint16_t kSystemMagic = 0x036C, kSystemMinor31 = 21, kSystemFlagsLz4k = 4;
constexpr uint8_t kInternalFileFlags = 4;
constexpr size_t kHelpHeaderSize = 16, kInternalFileHeaderSize = 9;

// `date` is the build time stamp (seconds since 1970) stored in |SYSTEM.
bool BuildHelpFile(const HelpDocument& document, uint32_t date, Bytes& out, std::string& error);

}  // namespace korvane::help
