#include "parameter_keys.h"

#include <cctype>

namespace korvane {

namespace {

constexpr int kOrder[] = {kDirectoryField, kCreateDirectoryBox, kCopyFilesBox, kCallSettingsBox, kOkButton,
                          kCancelButton};
constexpr int kCount = sizeof kOrder / sizeof kOrder[0];

int IndexOf(int control) {
  for (int i = 0; i < kCount; ++i)
    if (kOrder[i] == control) return i;
  return 0;
}

ParameterKeyAction Cycle(int focused, int step, const std::function<bool(int)>& enabled) {
  int index = IndexOf(focused);
  for (int tries = 0; tries < kCount; ++tries) {
    index = (index + step + kCount) % kCount;
    if (enabled(kOrder[index])) return {ParameterKeyAction::Focus, kOrder[index]};
  }
  return {};
}

ParameterKeyAction AltLetter(char letter) {
  switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'C': return {ParameterKeyAction::Cancel, kCancelButton};
    case 'O': return {ParameterKeyAction::Ok, kOkButton};
    case 'I': return {ParameterKeyAction::Focus, kDirectoryField};
    case 'D': return {ParameterKeyAction::Focus, kCreateDirectoryBox};
    case 'F': return {ParameterKeyAction::Focus, kCopyFilesBox};
    case 'S': return {ParameterKeyAction::Focus, kCallSettingsBox};
    default: return {};
  }
}

}  // namespace

ParameterKeyAction ParameterKeyFor(int focused, ParameterKey key, char letter,
                                   const std::function<bool(int)>& enabled) {
  switch (key) {
    case ParameterKey::Tab: return Cycle(focused, 1, enabled);
    case ParameterKey::ShiftTab: return Cycle(focused, -1, enabled);
    case ParameterKey::Enter: return {ParameterKeyAction::Ok, kOkButton};
    case ParameterKey::Alt: {
      ParameterKeyAction action = AltLetter(letter);
      if (action.kind == ParameterKeyAction::Focus && !enabled(action.control)) return {};
      return action;
    }
  }
  return {};
}

}  // namespace korvane
