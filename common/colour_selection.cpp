#include "colour_selection.h"

namespace korvane {

const char* const kSystemColourNames[kSystemColourCount] = {
    "COLOR_SCROLLBAR",   "COLOR_BACKGROUND",   "COLOR_ACTIVECAPTION",   "COLOR_INACTIVECAPTION",
    "COLOR_MENU",        "COLOR_WINDOW",       "COLOR_WINDOWFRAME",     "COLOR_MENUTEXT",
    "COLOR_WINDOWTEXT",  "COLOR_CAPTIONTEXT",  "COLOR_ACTIVEBORDER",    "COLOR_INACTIVEBORDER",
    "COLOR_APPWORKSPACE", "COLOR_HIGHLIGHT",   "COLOR_HIGHLIGHTTEXT",   "COLOR_BTNFACE",
    "COLOR_BTNSHADOW",   "COLOR_GRAYTEXT",     "COLOR_BTNTEXT",         "COLOR_INACTIVECAPTIONTEXT",
    "COLOR_BTNHIGHLIGHT", "COLOR_3DDKSHADOW",  "COLOR_3DLIGHT",         "COLOR_INFOTEXT",
    "COLOR_INFOBK"};

const char* const kColourEntryLabels[COLOUR_COUNT] = {
    "&0: Black",          "&1: Red",           "&2: Green",          "&3: Yellow",
    "&4: Blue",           "&5: Magenta",       "&6: Cyan",           "&7: Light Gray",
    "&8: Dark Gray",      "&9: Bright Red",    "1&0: Bright Green",  "1&1: Bright Yellow",
    "1&2: Bright Blue",   "1&3: Bright Magenta", "1&4: Brigt Cyan",  "1&5: White",
    "Default &Foreground", "Default &Background", "Default DIM",     "Default REV. DIM",
    "Default BOLD",       "Default REV. BOLD"};

PixelBox ColourRadioBox(int entry) {
  // The palette in two columns of eight, the six roles in pairs below.
  if (entry < 16) return {entry < 8 ? 20 : 185, 25 + 20 * (entry % 8), 150, 18};
  int pair = (entry - 16) / 2;
  return {entry % 2 == 0 ? 20 : 185, 195 + 20 * pair, 150, 18};
}

PixelBox ColourSwatchBox(int entry) {
  if (entry < 8) return {360, 25 + 20 * entry, 30, 20};
  if (entry < 16) return {400, 20 * entry - 135, 30, 20};
  int pair = (entry - 16) / 2;
  return {entry % 2 == 0 ? 360 : 400, 195 + 20 * pair, 30, 20};
}

void ColourSelection::Load(ConfigStore& store) {
  records_ = DefaultColourRecords();
  ReadBinary(store, "Settings", "colors", records_.data(), records_.size());
  current_ = 0;
}

bool ColourSelection::Store(ConfigStore& store) const {
  return store.WriteBinary("Settings", "colors", records_.data(), records_.size());
}

void ColourSelection::SetCurrent(int entry) {
  if (entry >= 0 && entry < COLOUR_COUNT) current_ = entry;
}

bool ColourSelection::UsesOwnColour(int entry) const {
  return RecordUsesOwnColour(records_, static_cast<size_t>(entry));
}

int ColourSelection::SystemIndex(int entry) const { return RecordSystemIndex(records_, static_cast<size_t>(entry)); }

uint32_t ColourSelection::OwnColour(int entry) const { return RecordColour(records_, static_cast<size_t>(entry)); }

uint32_t ColourSelection::ShownColour(int entry, const std::function<uint32_t(int)>& systemColour) const {
  if (UsesOwnColour(entry)) return OwnColour(entry);
  return systemColour ? systemColour(SystemIndex(entry)) : 0;
}

void ColourSelection::ChooseSystemColour(int listPosition) {
  if (listPosition < 0 || listPosition >= kSystemColourCount) return;
  // The colour field keeps its last value, so a later custom choice starts there.
  SetRecord(records_, static_cast<size_t>(current_), false, listPosition, OwnColour(current_));
}

void ColourSelection::ChooseOwnColour(uint32_t colour) {
  SetRecord(records_, static_cast<size_t>(current_), true, SystemIndex(current_), colour);
}

ColourAltAction ColourAltKey(int key, int currentEntry) {
  using A = ColourAltAction;
  if (key >= '0' && key <= '5') {
    int digit = key - '0';
    bool inDecade = currentEntry >= digit && currentEntry < digit + 10;
    return {A::SelectEntry, inDecade ? digit + 10 : digit};
  }
  if (key >= '6' && key <= '9') return {A::SelectEntry, key - '0'};
  switch (key) {
    case 'F': return {A::SelectEntry, COLOUR_DEFAULT_FOREGROUND};
    case 'B': return {A::SelectEntry, COLOUR_DEFAULT_BACKGROUND};
    case 'U': return {A::CustomColour, 0};
    case 'D': return {A::Done, 0};
    case 'C': return {A::Cancel, 0};
    case 'Y': return {A::FocusList, 0};
    default: return {};
  }
}

}  // namespace korvane
