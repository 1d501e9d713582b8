#include "attribute_table.h"

#include <new>
#include <utility>

namespace korvane {

AttributeTable::AttributeTable(RecordLog& log) : log_(log) {
  fonts_.resize(kAttributeTableStep);
  entries_.resize(kAttributeTableStep);
}

// Grows a table by one step; false when the limit or memory says no.
template <typename Entry>
static bool GrowTable(std::vector<Entry>& table, size_t limit) {
  if (table.size() + kAttributeTableStep > limit) return false;
  try {
    table.resize(table.size() + kAttributeTableStep);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// A table of one step of fresh entries; false when the limit or memory says no.
template <typename Entry>
static bool FreshTable(std::vector<Entry>& table, size_t limit) {
  if (limit < kAttributeTableStep) return false;
  try {
    table.assign(kAttributeTableStep, Entry{});
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

AttributeTable::Allocation AttributeTable::Allocate() {
  knownFonts_.fill(KnownFont{});
  knownEntries_.fill(KnownEntry{});
  if (!FreshTable(fonts_, maxFontEntries)) return Allocation::kFontTableFailed;
  fontWordBits_ = 0;
  if (!FreshTable(entries_, maxAttrEntries)) return Allocation::kAttrTableFailed;
  currentIndex_ = currentFontIndex_ = 0;
  return Allocation::kDone;
}

AttrEntry AttributeTable::FindFont(uint32_t word) {
  const int32_t f = defaultForeground, b = defaultBackground;
  AttrEntry key;
  if ((word & ATTR_REVERSE) && (word & ATTR_DIM)) {
    key.foreground = COLOUR_REVERSE_DIM, key.background = f;
  } else if ((word & ATTR_REVERSE) && (word & ATTR_BOLD)) {
    key.foreground = COLOUR_REVERSE_BOLD, key.background = f;
  } else if (word & ATTR_REVERSE) {
    key.foreground = b, key.background = f;
  } else if (word & ATTR_DIM) {
    key.foreground = COLOUR_DIM, key.background = b;
  } else if (word & ATTR_BOLD) {
    key.foreground = COLOUR_BOLD, key.background = b;
  } else if (word & ATTR_INVISIBLE) {
    key.foreground = b, key.background = b;
  } else {
    key.foreground = f, key.background = b;
  }

  KnownFont& known = knownFonts_[(word * 0x9E3779B1u) >> 24];
  if (known.index >= 0 && known.word == word) {
    key.fontIndex = known.index;
    return key;
  }
  size_t index = 0;
  while (index < fonts_.size() && fonts_[index].used && fonts_[index].word != word) ++index;
  if (index == fonts_.size() && !GrowTable(fonts_, maxFontEntries)) {
    // Not remembered: the next request for the word logs again.
    log_.Event("Out of memory for FontTable build\n");
    index = 0;
  } else {
    if (!fonts_[index].used) {
      fonts_[index].word = word;
      fonts_[index].handle = hooks_->CreateFontFor(word);
      fonts_[index].used = true;
      fontWordBits_ |= word;
    }
    known = KnownFont{word, static_cast<int>(index)};
  }
  key.fontIndex = static_cast<int32_t>(index);
  return key;
}

void AttributeTable::ApplyWordToRecord(uint32_t word, ColourRecord& colours) const {
  if ((word & ATTR_REVERSE) && (word & ATTR_DIM)) {
    colours.foreground = COLOUR_REVERSE_DIM, colours.background = defaultForeground;
  } else if ((word & ATTR_REVERSE) && (word & ATTR_BOLD)) {
    colours.foreground = COLOUR_REVERSE_BOLD, colours.background = defaultForeground;
  } else if (word & ATTR_REVERSE) {
    std::swap(colours.foreground, colours.background);
  } else if (word & ATTR_DIM) {
    colours.foreground = COLOUR_DIM;
  } else if (word & ATTR_BOLD) {
    colours.foreground = COLOUR_BOLD;
  } else if (word & ATTR_INVISIBLE) {
    colours.foreground = colours.background;
  }
}

int AttributeTable::ResolveAttribute(const uint32_t* word, ColourRecord* colours) {
  AttrEntry key;
  if (word) {
    key = FindFont(*word);
  } else {
    key.fontIndex = currentFontIndex_;
  }
  if (word && colours) {
    ApplyWordToRecord(*word, *colours);
    // A colour outside the table counts as not given.
    bool background = (colours->which & COLOUR_GIVES_BACKGROUND) && IsColourIndex(colours->background);
    bool foreground = (colours->which & COLOUR_GIVES_FOREGROUND) && IsColourIndex(colours->foreground);
    key.background = background ? colours->background : currentBackground;
    key.foreground = foreground ? colours->foreground : currentForeground;
  }
  key.inUse = 1;

  uint32_t hash = static_cast<uint32_t>(key.fontIndex) * 0x9E3779B1u ^ static_cast<uint32_t>(key.background) * 0x85EBCA6Bu ^
                  static_cast<uint32_t>(key.foreground) * 0xC2B2AE35u;
  KnownEntry& known = knownEntries_[hash >> 24];
  size_t index = 0;
  if (known.index >= 0 && known.key == key) {
    index = static_cast<size_t>(known.index);
  } else {
    while (index < entries_.size() && entries_[index].inUse && !(entries_[index] == key)) ++index;
    if (index == entries_.size() && !GrowTable(entries_, maxAttrEntries)) {
      // Not remembered: the next request for the key logs again.
      log_.Event("Out of space for ATTRTAB items\n");
      index = 0;
    } else {
      if (!entries_[index].inUse) entries_[index] = key;
      known = KnownEntry{key, static_cast<int>(index)};
    }
  }
  MakeAttributeCurrent(static_cast<int>(index));
  return static_cast<int>(index);
}

void AttributeTable::MakeAttributeCurrent(int index) {
  if (index < 0 || static_cast<size_t>(index) >= entries_.size()) index = 0;
  const AttrEntry& entry = entries_[static_cast<size_t>(index)];
  currentIndex_ = index;
  currentFontIndex_ = static_cast<size_t>(entry.fontIndex) < fonts_.size() ? entry.fontIndex : 0;
  currentForeground = entry.foreground;
  currentBackground = entry.background;
  hooks_->BackgroundChanged(currentBackground);
  if (fonts_[static_cast<size_t>(currentFontIndex_)].word & (ATTR_BLINK | ATTR_RAPIDBLINK)) hooks_->StartBlinkTimer();
}

void AttributeTable::RecreateFonts() {
  for (FontEntry& font : fonts_) {
    if (!font.used) continue;
    if (font.handle) hooks_->DeleteFont(font.handle);
    font.handle = hooks_->CreateFontFor(font.word);
  }
}

void AttributeTable::DeleteFonts() {
  for (FontEntry& font : fonts_) {
    if (font.handle) hooks_->DeleteFont(font.handle);
    font.handle = 0;
  }
}

}  // namespace korvane
