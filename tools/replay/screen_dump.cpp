#include "screen_dump.h"

#include <set>

#include "text_util.h"

namespace korvane {

namespace {

const char kCodes[] = ".123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

char CodeOf(uint32_t index) { return index < sizeof kCodes - 1 ? kCodes[index] : '+'; }

std::string RowText(const ScreenModel& screen, int row, bool highBytes) {
  std::string text;
  for (int column = 0; column < screen.columns(); ++column) {
    unsigned char c = static_cast<unsigned char>(screen.CharAt(row, column));
    bool shown = c >= 32 && (c < 127 || (highBytes && c >= 128));
    text += c == 0 ? ' ' : shown ? static_cast<char>(c) : '.';
  }
  return "|" + text + "|\n";
}

std::string RowCodes(const ScreenModel& screen, int row, std::set<uint32_t>& used) {
  std::string codes;
  for (int column = 0; column < screen.columns(); ++column) {
    uint32_t index = screen.AttributeAt(row, column);
    used.insert(index);
    codes += CodeOf(index);
  }
  return " " + codes + "\n";
}

}  // namespace

std::string DescribeWord(uint32_t word) {
  static const char* const kNames[] = {"BOLD",   "DIM",        "INVISIBLE", "REVERSE",      "UNDERLINE",
                                       "STRIKEOUT", "BLINK",   "RAPIDBLINK", "ITALIC",      "DOUBLEHEIGHT",
                                       "DOUBLEWIDTH", "BOTTOMHALF", "GRAPHICS"};
  std::string text;
  for (int bit = 0; bit < 13; ++bit)
    if (word & (1u << bit)) text += std::string(text.empty() ? "" : " ") + kNames[bit];
  if (word & ATTR_CHARSET_MASK)
    text += Format("%sCHARSET %u", text.empty() ? "" : " ", (word & ATTR_CHARSET_MASK) >> ATTR_CHARSET_SHIFT);
  return text.empty() ? "plain" : text;
}

std::string DumpScreen(const ScreenModel& screen, const AttributeTable& attributes, bool withAttributes,
                       bool highBytes) {
  const std::string rule = "+" + std::string(static_cast<size_t>(screen.columns()), '-') + "+\n";
  std::set<uint32_t> used;
  std::string out = rule;
  for (int row = 0; row < screen.totalRows(); ++row) {
    if (row == screen.rows()) out += rule;
    out += RowText(screen, row, highBytes);
    if (withAttributes) out += RowCodes(screen, row, used);
  }
  out += rule;
  out += Format("cursor %d,%d  page %d\n", screen.cursorRow(), screen.cursorColumn(), screen.currentPage());
  for (uint32_t index : used) {
    const AttrEntry& entry = attributes.Entry(index);
    out += Format("%c = attribute %u: %s, foreground %d, background %d\n", CodeOf(index), index,
                  DescribeWord(attributes.WordOf(index)).c_str(), entry.foreground, entry.background);
  }
  return out;
}

}  // namespace korvane
