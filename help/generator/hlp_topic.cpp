#include "hlp_topic.h"

#include <cctype>

#include "hlp_compress.h"

namespace korvane::help {

namespace {

constexpr uint8_t kCmdFont = 0x80, kCmdEndParagraph = 0x82, kCmdTab = 0x83, kCmdEndHotspot = 0x89;
constexpr uint8_t kCmdJump = 0xE3, kCmdEnd = 0xFF;
constexpr uint16_t kBitSpaceAbove = 0x0002, kBitSpaceBelow = 0x0004, kBitLeftIndent = 0x0010,
                   kBitFirstLineIndent = 0x0040, kBitTabs = 0x0200;

// Spacing, indents and tab stops are stored in half points (10 twips).
struct ParagraphFormat {
  uint16_t font;
  int32_t above, below, left, firstLine;
  bool listItem;
};

ParagraphFormat FormatOf(ParagraphStyle style) {
  switch (style) {
    case ParagraphStyle::Heading: return {kFontHeading, 0, 12, 0, 0, false};
    case ParagraphStyle::Subheading: return {kFontSubheading, 18, 0, 0, 0, false};
    case ParagraphStyle::ListItem: return {kFontBody, 6, 0, 36, -24, true};
    case ParagraphStyle::Body: break;
  }
  return {kFontBody, 10, 0, 0, 0, false};
}

// Texts and commands alternate: every command is preceded by the text (maybe
// empty) that comes before it, ended by a NUL.
class RecordWriter {
 public:
  void Text(const std::string& text) {
    pending_ += text;
    characters_ += static_cast<uint32_t>(text.size());
  }
  void Command(std::initializer_list<uint8_t> bytes, uint32_t characters = 0) {
    PutStringZ(text_, pending_);
    pending_.clear();
    commands_.insert(commands_.end(), bytes);
    characters_ += characters;
  }
  void Font(uint16_t font) {
    if (font == font_) return;
    font_ = font;
    Command({kCmdFont, static_cast<uint8_t>(font), static_cast<uint8_t>(font >> 8)});
  }
  void Jump(int32_t hash) {
    uint32_t h = static_cast<uint32_t>(hash);
    Command({kCmdJump, static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8), static_cast<uint8_t>(h >> 16),
             static_cast<uint8_t>(h >> 24)});
  }
  DisplayRecord Finish(const ParagraphFormat& format) {
    Command({kCmdEndParagraph}, 1);
    PutStringZ(text_, pending_);
    commands_.push_back(kCmdEnd);
    DisplayRecord record;
    PutCompressedLong(record.formatting, static_cast<int64_t>(text_.size()));
    PutCompressedUShort(record.formatting, static_cast<int32_t>(characters_));
    PutSettings(record.formatting, format);
    PutBytes(record.formatting, commands_);
    record.text = text_;
    record.characters = characters_;
    return record;
  }

 private:
  static void PutSettings(Bytes& out, const ParagraphFormat& f) {
    PutU8(out, 0);
    PutU8(out, 0x80);
    PutU16(out, 0);  // paragraph id
    uint16_t bits = (f.above ? kBitSpaceAbove : 0) | (f.below ? kBitSpaceBelow : 0) | (f.left ? kBitLeftIndent : 0) |
                    (f.firstLine ? kBitFirstLineIndent : 0) | (f.listItem ? kBitTabs : 0);
    PutU16(out, bits);
    if (f.above) PutCompressedShort(out, f.above);
    if (f.below) PutCompressedShort(out, f.below);
    if (f.left) PutCompressedShort(out, f.left);
    if (f.firstLine) PutCompressedShort(out, f.firstLine);
    if (f.listItem) {  // one left tab stop at the indent, where the text after the marker starts
      PutCompressedShort(out, 1);
      PutCompressedUShort(out, f.left);
    }
  }

  Bytes commands_, text_;
  std::string pending_;
  uint32_t characters_ = 0;
  int font_ = -1;
};

int HashValue(char c) {
  unsigned char u = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
  if (u >= 'A' && u <= 'Z') return u - 'A' + 17;
  if (u >= '1' && u <= '9') return u - '0';
  if (u == '0') return 10;
  if (u == '.') return 12;
  if (u == '_') return 13;
  return 0;  // not allowed in names; skipped as the viewer skips it
}

}  // namespace

int32_t ContextHash(const std::string& name) {
  uint32_t hash = 0;
  for (char c : name) {
    int value = HashValue(c);
    if (value) hash = hash * 43 + static_cast<uint32_t>(value);
  }
  return static_cast<int32_t>(hash);
}

DisplayRecord EncodeParagraph(const Paragraph& paragraph) {
  ParagraphFormat format = FormatOf(paragraph.style);
  RecordWriter writer;
  writer.Font(format.font);
  if (format.listItem) {
    writer.Text(paragraph.marker);
    writer.Command({kCmdTab}, 1);
  }
  for (const Run& run : paragraph.runs) {
    switch (run.style) {
      case RunStyle::Plain: writer.Font(format.font); break;
      case RunStyle::Bold: writer.Font(kFontBold); break;
      case RunStyle::Code: writer.Font(kFontCode); break;
      case RunStyle::Link:
        writer.Font(format.font);
        writer.Jump(ContextHash(run.target));
        break;
    }
    writer.Text(run.text);
    if (run.style == RunStyle::Link) writer.Command({kCmdEndHotspot});
  }
  return writer.Finish(format);
}

}  // namespace korvane::help
