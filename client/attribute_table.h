// Attribute resolution: the font table (one font per distinct attribute
// word) and the attribute table (ATTRTAB) whose index every screen cell
// holds, turning an attribute word and colours into {font, background,
// foreground}. The fonts themselves (and the brush and blink timer of the
// current attribute) are the platform's, reached through AttributeHooks.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "display_messages.h"
#include "record_log.h"

namespace korvane {

struct FontEntry {
  uint32_t word = 0;
  uintptr_t handle = 0;  // the platform's font object; 0 when it has none
  bool used = false;
};

// {font index, background, foreground, 0, in use}; compared in all five fields.
struct AttrEntry {
  int32_t fontIndex = 0, background = 0, foreground = 0, reserved = 0, inUse = 0;
  bool operator==(const AttrEntry& o) const {
    return fontIndex == o.fontIndex && background == o.background && foreground == o.foreground &&
           reserved == o.reserved && inUse == o.inUse;
  }
};

class AttributeHooks {
 public:
  virtual ~AttributeHooks() = default;
  // A new font-table entry needs a font for the word.
  virtual uintptr_t CreateFontFor(uint32_t word) {
    (void)word;
    return 0;
  }
  virtual void DeleteFont(uintptr_t handle) { (void)handle; }
  // An entry became current: the background brush follows its colour.
  virtual void BackgroundChanged(int32_t colourIndex) { (void)colourIndex; }
  // An entry whose word blinks became current.
  virtual void StartBlinkTimer() {}
};

inline constexpr int kAttributeTableStep = 100;  // first size and growth of both tables

class AttributeTable {
 public:
  explicit AttributeTable(RecordLog& log);

  void SetHooks(AttributeHooks* hooks) { hooks_ = hooks ? hooks : &noHooks_; }

  // Start-up: both tables become 100 free entries (fonts already made are
  // forgotten, not deleted). Says which table could not be had, if any.
  enum class Allocation { kDone, kFontTableFailed, kAttrTableFailed };
  Allocation Allocate();

  // Colour indices of the colour table: the defaults change with
  // WUM_SETCOLOR, the current ones with every attribute made current.
  int32_t defaultForeground = COLOUR_DEFAULT_FOREGROUND;
  int32_t defaultBackground = COLOUR_DEFAULT_BACKGROUND;
  int32_t currentForeground = COLOUR_DEFAULT_FOREGROUND;
  int32_t currentBackground = COLOUR_DEFAULT_BACKGROUND;

  // Font entry for the word (found or added) with the colours the word
  // gives on the default colours; the result is not in use yet.
  AttrEntry FindFont(uint32_t word);
  // Finds or adds the attribute-table entry for the word (or, without one,
  // the current font) and the colours, and makes it current. The colour
  // record's colours are changed in place by the word. Returns the index.
  int ResolveAttribute(const uint32_t* word, ColourRecord* colours);
  void MakeAttributeCurrent(int index);

  int currentIndex() const { return currentIndex_; }
  int currentFontIndex() const { return currentFontIndex_; }
  uintptr_t CurrentFont() const { return fonts_[static_cast<size_t>(currentFontIndex_)].handle; }
  // Entry of an index; an index outside the table reads entry 0.
  // Inline: every text run asks for the word of the current entry.
  const AttrEntry& Entry(uint32_t index) const { return index < entries_.size() ? entries_[index] : entries_[0]; }
  uint32_t WordOf(uint32_t index) const {
    size_t font = static_cast<size_t>(Entry(index).fontIndex);
    return font < fonts_.size() ? fonts_[font].word : 0;
  }
  uint32_t CurrentWord() const { return WordOf(static_cast<uint32_t>(currentIndex_)); }
  // Whether a font of the table has any of these bits in its word: while
  // none is double width, a write needs no lookup of its entry.
  bool AnyFontHas(uint32_t bits) const { return (fontWordBits_ & bits) != 0; }

  const std::vector<FontEntry>& fonts() const { return fonts_; }
  const std::vector<AttrEntry>& entries() const { return entries_; }
  // Every font of the table made again (after a change of cell size), or deleted.
  void RecreateFonts();
  void DeleteFonts();

  // The tables never grow past these; a further entry falls back to entry 0
  // as when memory runs out.
  size_t maxFontEntries = 2000;
  size_t maxAttrEntries = 20000;

 private:
  void ApplyWordToRecord(uint32_t word, ColourRecord& colours) const;

  // Renditions come back again and again: where a word's font and an
  // entry's key were found is remembered (256 places each, by a hash).
  // Entries never change once made, so only fresh tables forget.
  struct KnownFont {
    uint32_t word = 0;
    int index = -1;  // -1: empty
  };
  struct KnownEntry {
    AttrEntry key;
    int index = -1;
  };
  std::array<KnownFont, 256> knownFonts_{};
  std::array<KnownEntry, 256> knownEntries_{};

  RecordLog& log_;
  AttributeHooks noHooks_;
  AttributeHooks* hooks_ = &noHooks_;
  std::vector<FontEntry> fonts_;
  std::vector<AttrEntry> entries_;
  int currentIndex_ = 0;
  int currentFontIndex_ = 0;
  uint32_t fontWordBits_ = 0;  // the words of all fonts made, or'ed
};

}  // namespace korvane
