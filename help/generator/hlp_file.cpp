#include "hlp_file.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "hlp_btree.h"
#include "hlp_topic.h"

namespace korvane::help {

namespace {

using InternalFiles = std::map<std::string, Bytes>;  // the directory's order: byte-wise by name

Bytes U32Bytes(uint32_t value) {
  Bytes out;
  PutU32(out, value);
  return out;
}

Bytes SystemFile(const HelpDocument& document, uint32_t date, uint32_t contents) {
  Bytes out;
  PutU16(out, kSystemMagic);
  PutU16(out, kSystemMinor31);
  PutU16(out, 1);  // major version
  PutU32(out, date);
  PutU16(out, kSystemFlagsLz4k);
  auto record = [&out](uint16_t type, const Bytes& data) {
    PutU16(out, type);
    PutU16(out, static_cast<uint32_t>(data.size()));
    PutBytes(out, data);
  };
  Bytes title;
  PutStringZ(title, document.title);
  record(1, title);
  if (!document.copyright.empty()) {
    Bytes copyright;
    PutStringZ(copyright, document.copyright);
    record(2, copyright);
  }
  record(3, U32Bytes(contents));
  return out;
}

struct FontDescriptor {
  uint8_t attributes, halfPoints, family;
  uint16_t face;
  uint8_t red, green, blue;
};

Bytes FontFile() {
  static const char* const kFaces[] = {"Arial", "Courier New"};
  constexpr uint8_t kBold = 1, kSwiss = 3, kModern = 1;
  static const FontDescriptor kFonts[kFontCount] = {
      {0, 20, kSwiss, 0, 0, 0, 0},        // body: 10 point
      {kBold, 28, kSwiss, 0, 0, 0, 128},  // topic heading: 14 point bold, dark blue
      {kBold, 20, kSwiss, 0, 0, 0, 0},    // bold words
      {0, 20, kModern, 1, 0, 0, 0},       // commands, options and names
      {kBold, 22, kSwiss, 0, 0, 0, 128},  // subheading
  };
  constexpr size_t kFaceSize = 20, kHeaderSize = 8;
  Bytes out;
  PutU16(out, 2);
  PutU16(out, kFontCount);
  PutU16(out, kHeaderSize);
  PutU16(out, static_cast<uint32_t>(kHeaderSize + 2 * kFaceSize));
  for (const char* face : kFaces) PutFixedString(out, face, kFaceSize);
  for (const FontDescriptor& f : kFonts) {
    PutU8(out, f.attributes);
    PutU8(out, f.halfPoints);
    PutU8(out, f.family);
    PutU16(out, f.face);
    PutU8(out, f.red);
    PutU8(out, f.green);
    PutU8(out, f.blue);
    PutU8(out, 255);  // background: white
    PutU8(out, 255);
    PutU8(out, 255);
  }
  return out;
}

bool ContextFile(const HelpDocument& document, const TopicFile& topics, Bytes& out, std::string& error) {
  std::map<int32_t, size_t> byHash;  // signed order, as the viewer compares
  for (size_t t = 0; t < document.topics.size(); ++t) {
    int32_t hash = ContextHash(document.topics[t].context);
    auto [it, added] = byHash.emplace(hash, t);
    if (!added) {
      error = "context names " + document.topics[it->second].context + " and " + document.topics[t].context +
              " have the same hash";
      return false;
    }
  }
  std::vector<BTreeEntry> entries;
  for (const auto& [hash, t] : byHash)
    entries.push_back({U32Bytes(static_cast<uint32_t>(hash)), U32Bytes(topics.topicOffsets[t])});
  out = BuildBTree({2048, "L4", false}, entries);
  return true;
}

Bytes ContextMapFile(const HelpDocument& document, const TopicFile& topics) {
  std::map<int32_t, uint32_t> maps;
  for (size_t t = 0; t < document.topics.size(); ++t)
    for (int32_t number : document.topics[t].mapNumbers) maps[number] = topics.topicOffsets[t];
  Bytes out;
  PutU16(out, static_cast<uint32_t>(maps.size()));
  for (const auto& [number, offset] : maps) {
    PutU32(out, static_cast<uint32_t>(number));
    PutU32(out, offset);
  }
  return out;
}

Bytes TitleFile(const HelpDocument& document, const TopicFile& topics) {
  std::map<uint32_t, std::string> titles;
  for (size_t t = 0; t < document.topics.size(); ++t) titles[topics.topicOffsets[t]] = document.topics[t].title;
  std::vector<BTreeEntry> entries;
  for (const auto& [offset, title] : titles) {
    Bytes value;
    PutStringZ(value, title);
    entries.push_back({U32Bytes(offset), value});
  }
  return BuildBTree({2048, "Lz", false}, entries);
}

std::string Folded(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Keywords compare without regard to case; each lists the offsets of its topics.
void KeywordFiles(const HelpDocument& document, const TopicFile& topics, InternalFiles& files) {
  std::map<std::string, std::pair<std::string, std::vector<uint32_t>>> keywords;
  for (size_t t = 0; t < document.topics.size(); ++t)
    for (const std::string& keyword : document.topics[t].keywords) {
      auto& entry = keywords[Folded(keyword)];
      if (entry.first.empty()) entry.first = keyword;
      entry.second.push_back(topics.topicOffsets[t]);
    }
  if (keywords.empty()) return;
  Bytes data;
  std::vector<BTreeEntry> entries;
  for (auto& [folded, entry] : keywords) {
    std::sort(entry.second.begin(), entry.second.end());
    entry.second.erase(std::unique(entry.second.begin(), entry.second.end()), entry.second.end());
    BTreeEntry e;
    PutStringZ(e.key, entry.first);
    PutU16(e.value, static_cast<uint32_t>(entry.second.size()));
    PutU32(e.value, static_cast<uint32_t>(data.size()));
    entries.push_back(e);
    for (uint32_t offset : entry.second) PutU32(data, offset);
  }
  std::vector<uint32_t> leafStarts;
  files["|KWBTREE"] = BuildBTree({2048, "F24", false}, entries, &leafStarts);
  files["|KWDATA"] = data;
  Bytes map;
  PutU16(map, static_cast<uint32_t>(leafStarts.size()));
  for (size_t page = 0; page < leafStarts.size(); ++page) {
    PutU32(map, leafStarts[page]);
    PutU16(map, static_cast<uint32_t>(page));
  }
  files["|KWMAP"] = map;
}

void PutInternalFile(Bytes& out, const Bytes& data) {
  PutU32(out, static_cast<uint32_t>(data.size() + kInternalFileHeaderSize));  // space reserved, header included
  PutU32(out, static_cast<uint32_t>(data.size()));
  PutU8(out, kInternalFileFlags);
  PutBytes(out, data);
}

bool Assemble(const InternalFiles& files, Bytes& out, std::string& error) {
  out.assign(kHelpHeaderSize, 0);
  std::vector<BTreeEntry> directory;
  for (const auto& [name, data] : files) {
    if (data.empty() && name != "|KWDATA") {
      error = "internal file " + name + " could not be built";
      return false;
    }
    BTreeEntry entry;
    PutStringZ(entry.key, name);
    entry.value = U32Bytes(static_cast<uint32_t>(out.size()));
    directory.push_back(entry);
    PutInternalFile(out, data);
  }
  uint32_t directoryStart = static_cast<uint32_t>(out.size());
  PutInternalFile(out, BuildBTree({1024, "z4", true}, directory));
  SetU32(out, 0, kHelpFileMagic);
  SetU32(out, 4, directoryStart);
  SetU32(out, 8, kNone);  // no free blocks
  SetU32(out, 12, static_cast<uint32_t>(out.size()));
  return true;
}

}  // namespace

bool BuildHelpFile(const HelpDocument& document, uint32_t date, Bytes& out, std::string& error) {
  if (document.topics.empty()) {
    error = "no topics";
    return false;
  }
  TopicFile topics;
  if (!BuildTopicFile(document, topics, error)) return false;
  InternalFiles files;
  files["|SYSTEM"] = SystemFile(document, date, topics.topicOffsets[0]);
  files["|FONT"] = FontFile();
  files["|TOPIC"] = topics.bytes;
  if (!ContextFile(document, topics, files["|CONTEXT"], error)) return false;
  files["|CTXOMAP"] = ContextMapFile(document, topics);
  files["|TTLBTREE"] = TitleFile(document, topics);
  KeywordFiles(document, topics, files);
  return Assemble(files, out, error);
}

}  // namespace korvane::help
