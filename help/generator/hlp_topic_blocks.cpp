// Packing the topic links into compressed blocks. A link never crosses a
// block: a block ends before the link that would not fit, and the unused
// rest of its 4 KB slot is zero-filled.
#include <algorithm>

#include "hlp_compress.h"
#include "hlp_topic.h"

namespace korvane::help {

namespace {

struct Link {
  uint8_t type;
  size_t topic;
  Bytes data1, data2;  // data1 of a topic header is made at layout time
  uint32_t characters;
  uint32_t Size() const {
    uint32_t first = type == kRecordTopicHeader ? kTopicHeaderSize : static_cast<uint32_t>(data1.size());
    return kTopicLinkHeaderSize + first + static_cast<uint32_t>(data2.size());
  }
};

struct Place {
  uint32_t block, offset;
};

struct BlockLimit {
  uint32_t compressed = kTopicBlockSlot, text = kTopicBlockText;
};

std::vector<Link> MakeLinks(const HelpDocument& document, std::vector<size_t>& headers) {
  std::vector<Link> links;
  for (size_t t = 0; t < document.topics.size(); ++t) {
    const Topic& topic = document.topics[t];
    headers.push_back(links.size());
    links.push_back({kRecordTopicHeader, t, {}, Bytes(topic.title.begin(), topic.title.end()), 0});
    Paragraph heading{ParagraphStyle::Heading, {{RunStyle::Plain, topic.title, ""}}, ""};
    DisplayRecord record = EncodeParagraph(heading);
    links.push_back({kRecordDisplay, t, record.formatting, record.text, record.characters});
    for (const Paragraph& paragraph : topic.paragraphs) {
      record = EncodeParagraph(paragraph);
      links.push_back({kRecordDisplay, t, record.formatting, record.text, record.characters});
    }
  }
  return links;
}

// The links placed so far, and the addresses they give. Addresses of links
// not yet placed are guessed (the next link right behind its predecessor) or
// unknown; the final pass has them all.
class Layout {
 public:
  Layout(const std::vector<Link>& links, const std::vector<size_t>& headers) : links_(links), headers_(headers) {}

  std::vector<Place> places;

  uint32_t Position(size_t i) const {
    if (i < places.size()) return places[i].block * 0x4000 + kTopicBlockHeaderSize + places[i].offset;
    if (i == places.size() && i > 0) return Position(i - 1) + links_[i - 1].Size();
    return kNone;
  }

  uint32_t TopicOffset(size_t topic) const {
    size_t header = headers_[topic];
    if (header >= places.size()) return kNone;
    uint32_t block = places[header].block, characters = 0;
    for (size_t i = header; i-- > 0 && places[i].block == block;) characters += links_[i].characters;
    return block * 0x8000 + characters;
  }

  Bytes Serialize(size_t i) const {
    const Link& link = links_[i];
    Bytes out;
    PutU32(out, link.Size());
    PutU32(out, static_cast<uint32_t>(link.data2.size()));
    PutU32(out, i == 0 ? kNone : Position(i - 1));
    PutU32(out, i + 1 == links_.size() ? kNone : Position(i + 1));
    PutU32(out, link.Size() - static_cast<uint32_t>(link.data2.size()));
    PutU8(out, link.type);
    if (link.type == kRecordTopicHeader)
      PutTopicHeader(out, i);
    else
      PutBytes(out, link.data1);
    PutBytes(out, link.data2);
    return out;
  }

  Bytes BlockData(uint32_t block) const {
    Bytes data;
    for (size_t i = 0; i < places.size(); ++i)
      if (places[i].block == block) PutBytes(data, Serialize(i));
    return data;
  }

 private:
  void PutTopicHeader(Bytes& out, size_t i) const {
    size_t topic = links_[i].topic, count = headers_.size();
    size_t end = topic + 1 < count ? headers_[topic + 1] : links_.size();
    uint32_t size = 0;
    for (size_t j = i; j < end; ++j) size += links_[j].Size();
    PutU32(out, size);
    PutU32(out, topic > 0 ? TopicOffset(topic - 1) : kNone);          // browse back
    PutU32(out, topic + 1 < count ? TopicOffset(topic + 1) : kNone);  // browse forward
    PutU32(out, static_cast<uint32_t>(topic));
    PutU32(out, kNone);  // no non-scrolling region
    PutU32(out, i + 1 < end ? Position(i + 1) : kNone);
    PutU32(out, topic + 1 < count ? Position(headers_[topic + 1]) : kNone);
  }

  const std::vector<Link>& links_;
  const std::vector<size_t>& headers_;
};

bool Fits(const Bytes& data, const BlockLimit& limit) {
  if (data.size() > limit.text) return false;
  size_t compressed = CompressLz77(data.data(), data.size()).size();
  return compressed <= limit.compressed && data.size() + ZeroPaddingOutput(kTopicBlockSlot - compressed) <= limit.text;
}

bool Pack(Layout& layout, const std::vector<Link>& links, std::vector<BlockLimit>& limits, std::string& error) {
  layout.places.clear();
  uint32_t block = 0, used = 0;
  for (size_t i = 0; i < links.size(); ++i) {
    if (limits.size() <= block) limits.emplace_back();
    layout.places.push_back({block, used});
    if (!Fits(layout.BlockData(block), limits[block])) {
      layout.places.back() = {++block, used = 0};
      if (limits.size() <= block) limits.emplace_back();
      if (!Fits(layout.BlockData(block), limits[block])) {
        error = "a topic record does not fit in a topic block";
        return false;
      }
    }
    used += links[i].Size();
  }
  return true;
}

// Lowers a block's limit past an overflow, with a margin; false either way,
// since the layout must be redone.
bool Shrink(uint32_t& limit, size_t overflow) {
  limit = overflow + 16 < limit ? limit - static_cast<uint32_t>(overflow + 16) : 0;
  return false;
}

// Compresses every block with its final addresses. False, with the limits of
// the first block that no longer fits lowered, when the packing must be redone.
bool CompressBlocks(const Layout& layout, std::vector<BlockLimit>& limits, std::vector<Bytes>& compressed) {
  uint32_t blocks = layout.places.empty() ? 1 : layout.places.back().block + 1;
  for (uint32_t b = 0; b < blocks; ++b) {
    Bytes data = layout.BlockData(b);
    compressed.push_back(CompressLz77(data.data(), data.size()));
    size_t size = compressed.back().size();
    if (size > kTopicBlockSlot) return Shrink(limits[b].compressed, size - kTopicBlockSlot);
    size_t produced = data.size() + ZeroPaddingOutput(kTopicBlockSlot - size);
    if (produced > kTopicBlockText) return Shrink(limits[b].text, produced - kTopicBlockText);
  }
  return true;
}

void WriteBlocks(const Layout& layout, const std::vector<Link>& links, const std::vector<Bytes>& compressed,
                 TopicFile& file) {
  file.blocks = static_cast<uint32_t>(compressed.size());
  uint32_t lastHeader = kNone;
  size_t next = 0;
  for (uint32_t b = 0; b < file.blocks; ++b) {
    size_t start = file.bytes.size();
    PutU32(file.bytes, next == 0 ? kNone : layout.Position(next - 1));  // last link of the previous block
    PutU32(file.bytes, layout.Position(next));
    PutU32(file.bytes, lastHeader);
    PutBytes(file.bytes, compressed[b]);
    for (; next < links.size() && layout.places[next].block == b; ++next)
      if (links[next].type == kRecordTopicHeader) lastHeader = layout.Position(next);
    // Every slot but the last is full size; the last keeps a minimum some readers assume.
    size_t minimum = b + 1 < file.blocks ? kTopicBlockSize : 0x44;
    if (file.bytes.size() - start < minimum) file.bytes.resize(start + minimum, 0);
  }
}

}  // namespace

bool BuildTopicFile(const HelpDocument& document, TopicFile& file, std::string& error) {
  std::vector<size_t> headers;
  std::vector<Link> links = MakeLinks(document, headers);
  Layout layout(links, headers);
  std::vector<BlockLimit> limits;
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (!Pack(layout, links, limits, error)) return false;
    std::vector<Bytes> compressed;
    if (!CompressBlocks(layout, limits, compressed)) continue;
    file = TopicFile();
    WriteBlocks(layout, links, compressed, file);
    for (size_t t = 0; t < headers.size(); ++t) file.topicOffsets.push_back(layout.TopicOffset(t));
    return true;
  }
  error = "the topic blocks could not be laid out";
  return false;
}

}  // namespace korvane::help
