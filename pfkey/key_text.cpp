#include "key_text.h"

namespace korvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where a "{digits}" group starting at `open` ends (the index after its
// "}"), or 0 when the brace opens no group.
size_t GroupEnd(std::string_view text, size_t open) {
  size_t at = open + 1;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at < text.size() && text[at] == '}' ? at + 1 : 0;
}

// The cut never leaves half of a "{digits}" group behind as literal text.
std::string_view CutToLimit(std::string_view text) {
  if (text.size() <= kKeyTextLimit) return text;
  std::string_view cut = text.substr(0, kKeyTextLimit);
  size_t open = cut.rfind('{');
  if (open != std::string_view::npos) {
    size_t end = GroupEnd(text, open);
    if (end > kKeyTextLimit) cut = cut.substr(0, open);
  }
  return cut;
}

}  // namespace

std::string KeyBytesToText(const uint8_t* bytes, size_t length) {
  std::string text;
  text.reserve(length);
  std::string_view view(reinterpret_cast<const char*>(bytes), length);
  for (size_t i = 0; i < length; ++i) {
    uint8_t b = bytes[i];
    // A brace that would read back as the start of a group is written as
    // a group itself, so every string survives the round trip.
    bool printable = b >= 33 && b <= 126 && !(b == '{' && GroupEnd(view, i));
    if (printable)
      text += static_cast<char>(b);
    else
      text += "{" + std::to_string(b) + "}";
  }
  return text;
}

std::vector<uint8_t> KeyTextToBytes(std::string_view text) {
  text = CutToLimit(text);
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    size_t end = text[at] == '{' ? GroupEnd(text, at) : 0;
    if (!end) {
      bytes.push_back(static_cast<uint8_t>(text[at++]));
      continue;
    }
    unsigned value = 0;
    for (size_t digit = at + 1; digit + 1 < end; ++digit) value = (value * 10 + static_cast<unsigned>(text[digit] - '0')) % 256;
    bytes.push_back(static_cast<uint8_t>(value));
    at = end;
  }
  return bytes;
}

}  // namespace korvane
