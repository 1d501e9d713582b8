#include "attribute_table.h"

#include <algorithm>
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
  if (!FreshTable(fonts_, maxFontEntries)) return Allocation::kFontTableFailed;
  if (!FreshTable(entries_, maxAttrEntries)) return Allocation::kAttrTableFailed;
  currentIndex_ = currentFontIndex_ = 0;
  resolved_.fill(Resolved{});
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

  size_t index = 0;
  while (index < fonts_.size() && fonts_[index].used && fonts_[index].word != word) ++index;
  if (index == fonts_.size() && !GrowTable(fonts_, maxFontEntries)) {
    log_.Event("Out of memory for FontTable build\n");
    index = 0;
  } else if (!fonts_[index].used) {
    fonts_[index].word = word;
    fonts_[index].handle = hooks_->CreateFontFor(word);
    fonts_[index].used = true;
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
  bool exact = false;
  if (!word) {
    int index = FindEntry(word, colours, exact);
    MakeAttributeCurrent(index);
    return index;
  }
  Resolved probe;
  probe.word = *word;
  if (colours) {
    probe.record = true;
    probe.given[0] = colours->background;
    probe.given[1] = colours->foreground;
    probe.given[2] = colours->which;
  }
  probe.current[0] = currentBackground, probe.current[1] = currentForeground;
  probe.defaults[0] = defaultBackground, probe.defaults[1] = defaultForeground;
  uint32_t hash = probe.word + (probe.record ? 1u : 0u);
  for (int32_t value : {probe.given[0], probe.given[1], probe.given[2], probe.current[0], probe.current[1]})
    hash = hash * 31u + static_cast<uint32_t>(value);
  Resolved& slot = resolved_[(hash * 0x9E3779B1u >> 26) % resolved_.size()];
  bool hit = slot.index >= 0 && slot.word == probe.word && slot.record == probe.record && std::equal(probe.given, probe.given + 3, slot.given) &&
             std::equal(probe.current, probe.current + 2, slot.current) &&
             std::equal(probe.defaults, probe.defaults + 2, slot.defaults);
  if (hit) {
    if (colours) colours->background = slot.background, colours->foreground = slot.foreground;
    MakeAttributeCurrent(slot.index);
    return slot.index;
  }
  int index = FindEntry(word, colours, exact);
  // A full table answers entry 0 and logs each time: that is not remembered.
  if (exact) {
    probe.index = index;
    if (colours) probe.background = colours->background, probe.foreground = colours->foreground;
    slot = probe;
  }
  MakeAttributeCurrent(index);
  return index;
}

int AttributeTable::FindEntry(const uint32_t* word, ColourRecord* colours, bool& exact) {
  AttrEntry key;
  if (word) {
    key = FindFont(*word);
    exact = fonts_[static_cast<size_t>(key.fontIndex)].used && fonts_[static_cast<size_t>(key.fontIndex)].word == *word;
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

  size_t index = 0;
  while (index < entries_.size() && entries_[index].inUse && !(entries_[index] == key)) ++index;
  if (index == entries_.size() && !GrowTable(entries_, maxAttrEntries)) {
    log_.Event("Out of space for ATTRTAB items\n");
    index = 0;
    exact = false;
  } else if (!entries_[index].inUse) {
    entries_[index] = key;
  }
  return static_cast<int>(index);
}

const AttrEntry& AttributeTable::Entry(uint32_t index) const {
  return index < entries_.size() ? entries_[index] : entries_[0];
}

uint32_t AttributeTable::WordOf(uint32_t index) const {
  size_t font = static_cast<size_t>(Entry(index).fontIndex);
  return font < fonts_.size() ? fonts_[font].word : 0;
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
