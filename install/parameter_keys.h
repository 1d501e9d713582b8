// The keyboard of the parameter window "Install Korvane": Tab and Shift+Tab
// cycle through the controls in id order, Enter is "&OK", Alt+letter
// reaches a control.
#pragma once

#include <functional>

namespace korvane {

enum ParameterControl {
  kDirectoryField = 0,
  kCreateDirectoryBox = 1,
  kCopyFilesBox = 2,
  kCallSettingsBox = 4,
  kOkButton = 5,
  kCancelButton = 6,
};

enum class ParameterKey { Tab, ShiftTab, Enter, Alt };

struct ParameterKeyAction {
  enum Kind { None, Focus, Ok, Cancel } kind = None;
  int control = -1;  // for Focus
};

// `letter` is the Alt letter (either case); `enabled` tells which controls
// can take the focus.
ParameterKeyAction ParameterKeyFor(int focused, ParameterKey key, char letter,
                                   const std::function<bool(int)>& enabled);

}  // namespace korvane
