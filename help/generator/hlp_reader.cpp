#include "hlp_reader.h"

#include <cstring>
#include <set>

#include "hlp_btree.h"
#include "hlp_compress.h"
#include "hlp_file.h"
#include "hlp_topic.h"

namespace korvane::help {

namespace {

struct Span {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

bool Fail(std::string& error, const std::string& reason) {
  error = reason;
  return false;
}

bool InternalFileAt(const Bytes& file, uint32_t offset, Span& span) {
  if (offset > file.size() || file.size() - offset < kInternalFileHeaderSize) return false;
  uint32_t used = GetU32(file.data() + offset + 4);
  if (used > file.size() - offset - kInternalFileHeaderSize) return false;
  span = {file.data() + offset + kInternalFileHeaderSize, used};
  return true;
}

bool ReadDirectory(const Bytes& file, std::map<std::string, Span>& files, std::string& error) {
  if (file.size() < kHelpHeaderSize || GetU32(file.data()) != kHelpFileMagic) return Fail(error, "not a help file");
  if (GetU32(file.data() + 12) != file.size()) return Fail(error, "the header's file size is wrong");
  Span directory;
  if (!InternalFileAt(file, GetU32(file.data() + 4), directory)) return Fail(error, "directory outside the file");
  bool inside = true;
  bool ok = WalkBTreeLeaves(directory.data, directory.size, StringKey(4), [&](const uint8_t* e, size_t n) {
    std::string name(reinterpret_cast<const char*>(e));
    Span span;
    if (!InternalFileAt(file, GetU32(e + n - 4), span)) inside = false;
    files[name] = span;
  });
  if (!ok || !inside) return Fail(error, "malformed internal directory");
  return true;
}

bool ReadSystem(Span s, HelpFileView& view, std::string& error) {
  ByteReader r(s.data, s.size);
  if (r.U16() != kSystemMagic) return Fail(error, "bad |SYSTEM magic");
  view.minor = static_cast<uint16_t>(r.U16());
  if (r.U16() != 1) return Fail(error, "bad |SYSTEM major version");
  view.date = r.U32();
  view.flags = static_cast<uint16_t>(r.U16());
  if (view.minor <= 16 || view.flags != kSystemFlagsLz4k) return Fail(error, "not a version 3.1 file with 4 KB LZ77 blocks");
  while (r.Ok() && r.Remaining() >= 4) {
    uint32_t type = r.U16(), size = r.U16();
    if (size > r.Remaining()) return Fail(error, "|SYSTEM record past the end");
    ByteReader data(r.Here(), size);
    if (type == 1) view.title = data.StringZ();
    if (type == 2) view.copyright = data.StringZ();
    if (type == 3) view.contents = data.U32();
    r.Skip(size);
  }
  return true;
}

void ReadFonts(Span s, HelpFileView& view) {
  ByteReader r(s.data, s.size);
  uint32_t faces = r.U16();
  r.U16();  // descriptors
  uint32_t facesAt = r.U16(), descriptorsAt = r.U16();
  if (!r.Ok() || faces == 0 || descriptorsAt < facesAt || descriptorsAt > s.size) return;
  size_t width = (descriptorsAt - facesAt) / faces;
  for (uint32_t i = 0; i < faces && width; ++i) {
    const char* face = reinterpret_cast<const char*>(s.data + facesAt + i * width);
    view.fontFaces.emplace_back(face, strnlen(face, width));
  }
}

bool DecompressTopic(Span s, std::vector<Bytes>& blocks, std::string& error) {
  for (size_t at = 0; at < s.size; at += kTopicBlockSize) {
    size_t size = std::min<size_t>(kTopicBlockSize, s.size - at);
    if (size < kTopicBlockHeaderSize) return Fail(error, "truncated topic block");
    blocks.emplace_back();
    if (!DecompressLz77(s.data + at + kTopicBlockHeaderSize, size - kTopicBlockHeaderSize, kTopicBlockText,
                        blocks.back()))
      return Fail(error, "malformed compressed topic block");
  }
  return true;
}

// The formatting part of a display record, with its texts: plain text out.
// Adds the record's character count to `characters`.
bool ReadDisplay(ByteReader f, ByteReader t, TopicView& topic, uint32_t& characters, std::string& error) {
  f.CompressedLong();
  uint32_t declared = static_cast<uint32_t>(f.CompressedUShort()), counted = 0;
  f.Skip(4);
  uint32_t bits = f.U16();
  if (bits & 0x0001) f.CompressedLong();
  for (uint32_t bit = 0x0002; bit <= 0x0040; bit <<= 1)
    if (bits & bit) f.CompressedShort();
  if (bits & 0x0100) f.Skip(3);
  if (bits & 0x0200) {
    for (int32_t n = f.CompressedShort(); n > 0 && f.Ok(); --n)
      if (f.CompressedUShort() & 0x4000) f.CompressedUShort();
  }
  for (;;) {
    std::string text = t.Remaining() ? t.StringZ() : "";
    topic.text += text;
    counted += static_cast<uint32_t>(text.size());
    uint32_t command = f.U8();
    if (!f.Ok()) return Fail(error, "display record without its end mark");
    if (command == 0xFF) break;
    if (command == 0x80) f.Skip(2);
    else if (command == 0x81 || command == 0x82) topic.text += "\n", ++counted;
    else if (command == 0x83) topic.text += "\t", ++counted;
    else if (command == 0xE2 || command == 0xE3 || command == 0xE6 || command == 0xE7)
      topic.jumps.push_back(static_cast<int32_t>(f.U32()));
    else if (command != 0x89) return Fail(error, "unknown formatting command " + std::to_string(command));
  }
  if (!f.Ok() || counted != declared) return Fail(error, "display record character count differs from its text");
  characters += declared;
  return true;
}

bool ReadTopicHeader(ByteReader f, Span title, TopicView& topic) {
  if (f.Remaining() != kTopicHeaderSize) return false;
  f.U32();
  topic.browseBack = f.U32();
  topic.browseForward = f.U32();
  topic.title.assign(reinterpret_cast<const char*>(title.data), title.size);
  return true;
}

// Follows the chain of topic links from the first, as a viewer reads them.
bool ReadTopics(const std::vector<Bytes>& blocks, HelpFileView& view, std::string& error) {
  std::set<uint32_t> seen;
  uint32_t characters = 0, lastBlock = kNone;
  for (uint32_t pos = kTopicBlockHeaderSize; pos != kNone;) {
    if (pos < kTopicBlockHeaderSize || !seen.insert(pos).second) return Fail(error, "topic link chain loops");
    uint32_t block = (pos - kTopicBlockHeaderSize) >> 14, offset = (pos - kTopicBlockHeaderSize) & 0x3FFF;
    if (block >= blocks.size()) return Fail(error, "topic link outside the topic blocks");
    const Bytes& data = blocks[block];
    if (offset + kTopicLinkHeaderSize > data.size()) return Fail(error, "topic link past its block");
    const uint8_t* link = data.data() + offset;
    uint32_t size = GetU32(link), length2 = GetU32(link + 4), next = GetU32(link + 12), length1 = GetU32(link + 16);
    if (length1 < kTopicLinkHeaderSize || length1 > size || size > data.size() - offset || size - length1 != length2)
      return Fail(error, "topic link sizes do not agree");
    if (block != lastBlock) characters = 0, lastBlock = block;
    ByteReader first(link + kTopicLinkHeaderSize, length1 - kTopicLinkHeaderSize);
    Span second{link + length1, length2};
    if (link[20] == kRecordTopicHeader) {
      view.topics.emplace_back();
      view.topics.back().position = pos;
      view.topics.back().offset = block * 0x8000 + characters;
      if (!ReadTopicHeader(first, second, view.topics.back())) return Fail(error, "malformed topic header");
    } else if (link[20] == kRecordDisplay && !view.topics.empty()) {
      if (!ReadDisplay(first, ByteReader(second.data, second.size), view.topics.back(), characters, error))
        return false;
    } else {
      return Fail(error, "unexpected topic link type " + std::to_string(link[20]));
    }
    pos = next;
  }
  return true;
}

bool ReadTables(const std::map<std::string, Span>& files, HelpFileView& view) {
  bool ok = true;
  if (auto it = files.find("|CONTEXT"); it != files.end())
    ok &= WalkBTreeLeaves(it->second.data, it->second.size, FixedEntry(8), [&](const uint8_t* e, size_t) {
      view.contexts[static_cast<int32_t>(GetU32(e))] = GetU32(e + 4);
    });
  if (auto it = files.find("|TTLBTREE"); it != files.end()) {
    auto size = [](const uint8_t* e, size_t n) { return n < 5 || !StringZEntrySize(e + 4, n - 4, 0) ? 0 : 4 + StringZEntrySize(e + 4, n - 4, 0); };
    ok &= WalkBTreeLeaves(it->second.data, it->second.size, size, [&](const uint8_t* e, size_t) {
      view.titles[GetU32(e)] = reinterpret_cast<const char*>(e + 4);
    });
  }
  if (auto it = files.find("|CTXOMAP"); it != files.end()) {
    ByteReader r(it->second.data, it->second.size);
    for (uint32_t n = r.U16(); n > 0 && r.Ok(); --n) {
      int32_t number = static_cast<int32_t>(r.U32());
      uint32_t offset = r.U32();
      if (r.Ok()) view.contextNumbers[number] = offset;
    }
    ok &= r.Ok();
  }
  return ok;
}

bool ReadKeywords(const std::map<std::string, Span>& files, HelpFileView& view) {
  auto tree = files.find("|KWBTREE"), data = files.find("|KWDATA");
  if (tree == files.end()) return true;
  if (data == files.end()) return false;
  bool inside = true;
  bool ok = WalkBTreeLeaves(tree->second.data, tree->second.size, StringKey(6), [&](const uint8_t* e, size_t n) {
    uint32_t count = GetU16(e + n - 6), at = GetU32(e + n - 4);
    if (at > data->second.size || count > (data->second.size - at) / 4) {
      inside = false;
      return;
    }
    auto& offsets = view.keywords[reinterpret_cast<const char*>(e)];
    for (uint32_t i = 0; i < count; ++i) offsets.push_back(GetU32(data->second.data + at + 4 * i));
  });
  return ok && inside;
}

}  // namespace

bool ReadHelpFile(const Bytes& file, HelpFileView& view, std::string& error) {
  view = HelpFileView();
  std::map<std::string, Span> files;
  if (!ReadDirectory(file, files, error)) return false;
  for (const auto& entry : files) view.internalFiles.push_back(entry.first);
  for (const char* needed : {"|SYSTEM", "|TOPIC", "|FONT", "|CONTEXT"})
    if (!files.count(needed)) return Fail(error, std::string("no ") + needed);
  if (!ReadSystem(files["|SYSTEM"], view, error)) return false;
  ReadFonts(files["|FONT"], view);
  std::vector<Bytes> blocks;
  if (!DecompressTopic(files["|TOPIC"], blocks, error) || !ReadTopics(blocks, view, error)) return false;
  if (!ReadTables(files, view)) return Fail(error, "malformed context or title table");
  if (!ReadKeywords(files, view)) return Fail(error, "malformed keyword index");
  return true;
}

const TopicView* TopicAt(const HelpFileView& view, uint32_t offset) {
  const TopicView* found = nullptr;
  for (const TopicView& topic : view.topics)
    if (topic.offset <= offset && (!found || topic.offset >= found->offset)) found = &topic;
  return found;
}

bool LookUpContext(const Bytes& file, int32_t hash, uint32_t& offset) {
  std::map<std::string, Span> files;
  std::string error;
  if (!ReadDirectory(file, files, error) || !files.count("|CONTEXT")) return false;
  const Span& tree = files["|CONTEXT"];
  const uint8_t* entry = FindInBTree(tree.data, tree.size, FixedEntry(8), FixedEntry(6), [hash](const uint8_t* e, size_t) {
    int32_t key = static_cast<int32_t>(GetU32(e));
    return key < hash ? -1 : key > hash ? 1 : 0;
  });
  if (entry) offset = GetU32(entry + 4);
  return entry != nullptr;
}

}  // namespace korvane::help
