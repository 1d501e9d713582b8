#include "character_map_editor.h"

#include "font_files.h"
#include "text_util.h"

namespace korvane {

namespace {

std::string CodeText(int code) {
  if (code == 0) return "<nul>";
  if (code == 9) return "<tab>";
  return Format("'%c'", static_cast<char>(code));
}

}  // namespace

void CharacterMapEditor::Load(ConfigStore& store, const std::string& typeName, int fontCharSet) {
  std::string key = "Terms\\" + typeName;
  ascii_ = ReadCharacterMap(store, key, "AsciiMap");
  ansiMap_ = ReadCharacterMap(store, key, "AnsiMap");
  auto displayOnly = ReadText(store, key, "DisplayOnly");
  displayOnly_ = displayOnly && FirstLetterIs(*displayOnly, 'Y');
  ansi_ = fontCharSet != 0;
  current_ = 32;
}

void CharacterMapEditor::Store(ConfigStore& store, const std::string& typeName) const {
  std::string key = "Terms\\" + typeName;
  store.WriteBinary(key, "AnsiMap", ansiMap_.data(), ansiMap_.size());
  store.WriteBinary(key, "AsciiMap", ascii_.data(), ascii_.size());
  store.WriteTextCreatingKey(key, "DisplayOnly", displayOnly_ ? "Y" : "N");
}

void CharacterMapEditor::Show(int code) {
  if (code >= 0 && code <= 255) current_ = code;
}

void CharacterMapEditor::MapCurrentTo(int glyph) {
  if (glyph < 0 || glyph > 255) return;
  (ansi_ ? ansiMap_ : ascii_)[static_cast<size_t>(current_)] = static_cast<uint8_t>(glyph);
}

void CharacterMapEditor::Reset() {
  (ansi_ ? ansiMap_ : ascii_) = IdentityMap();
  current_ = 32;
}

std::string CharacterMapEditor::StatusText() const {
  return Format("Char %s (%d) mapped as %s (%d)", CodeText(current_).c_str(), current_, CodeText(Glyph()).c_str(),
                Glyph());
}

std::optional<int> CharacterMapEditor::CharacterForKey(int virtualKey) const {
  if ((virtualKey >= 32 && virtualKey <= 36) || (virtualKey >= 41 && virtualKey <= 127)) return virtualKey;
  if (virtualKey == 37 || virtualKey == 38) return current_ > 0 ? current_ - 1 : 0;     // Left, Up
  if (virtualKey == 39 || virtualKey == 40) return current_ < 255 ? current_ + 1 : 255;  // Right, Down
  return std::nullopt;
}

std::string CharacterLine(int code) {
  if (code == 0) return "0: ''";
  return Format("%d: '%c'", code, static_cast<char>(code));
}

int MapFontWidth(int systemCharacterHeight) {
  for (int width = kSmallestFontWidth; width <= kLargestFontWidth; ++width)
    if (2 * width >= systemCharacterHeight) return width;
  return kLargestFontWidth;
}

}  // namespace korvane
