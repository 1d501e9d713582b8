// The values of the "Korvane Setup" window: which stored value each control
// shows, what it shows when the value is absent, and what "&OK" stores.
// Also the window's keyboard rules and the path the hosts file opens with.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "config_store.h"
#include "term_type_list.h"

namespace korvane {

// Control ids of the window, in Tab order.
enum SetupControl : int {
  SETUP_AUTO_CONNECT = 0,
  SETUP_AUTO_CLOSE,
  SETUP_ALLOW_OTHER,
  SETUP_SUPPRESS_BANNER,
  SETUP_RECORD_EVENTS,
  SETUP_RECORD_IO,
  SETUP_DISABLE_NAWS,
  SETUP_SERIF_FONTS,
  SETUP_SCROLLBACK,
  SETUP_THROTTLE,
  SETUP_INTL_KEYBOARD,
  SETUP_PRINT_GRAPHICS,
  SETUP_HOSTS_FILE,
  SETUP_DEFAULT_HOST,
  SETUP_TERMINAL_TYPE,
  SETUP_NEW_TERM_TYPE,
  SETUP_TIMER,
  SETUP_SCROLLBACK_LINES,
  SETUP_EDIT_HOSTS,
  SETUP_COLORS,
  SETUP_TERM_SETTINGS,
  SETUP_PGM_FUNC_KEYS,
  SETUP_KEY_MAPPING,
  SETUP_HELP,
  SETUP_OK,
  SETUP_CANCEL,
  SETUP_CONTROL_COUNT
};

inline constexpr int kSetupCheckBoxes = 12;
// The Settings value of each check box, by id.
extern const char* const kSetupCheckValues[kSetupCheckBoxes];

struct SetupValues {
  std::array<bool, kSetupCheckBoxes> checked{};
  std::string hostsFile;
  std::string defaultHost;
  std::optional<std::string> termName;  // absent: a first run
  std::string timer;                    // the fields' texts
  std::string scrollbackLines;
  std::string installDir;

  bool firstRun() const { return !termName; }
};

SetupValues ReadSetupValues(ConfigStore& store);

// "&OK": every check box as "Y"/"N", the selected type's TermName and
// TermDLL when it is listed, the two numbers as "%d", the two texts.
void StoreSetupValues(ConfigStore& store, const SetupValues& values, const TermTypeEntry* selected);

// The type to select: the first on a first run, else the one named by
// TermName; none when TermName names no listed type.
std::optional<std::string> InitialTermSelection(const SetupValues& values, const TermTypeList& list);

// The path Notepad opens: "." after a name ending in "hosts", the
// installation directory before a name beginning with "hosts".
std::string HostsPathForEditor(const std::string& hostsText, const std::string& installDir);

// Tab and Shift+Tab: the next or previous id, cyclically, passing over the
// ids `usable` refuses (a disabled button cannot take the focus).
template <typename Usable>
int NextSetupControl(int id, bool backwards, Usable usable) {
  for (int step = 1; step <= SETUP_CONTROL_COUNT; ++step) {
    int next = ((id + (backwards ? -step : step)) % SETUP_CONTROL_COUNT + SETUP_CONTROL_COUNT) % SETUP_CONTROL_COUNT;
    if (usable(next)) return next;
  }
  return id;
}

// An Alt+letter in the window, given the control that has the focus.
struct SetupAltAction {
  enum Kind { None, Focus, Click, FocusAndClick } kind = None;
  int control = 0;
};
SetupAltAction SetupAltKey(int letter, int focusedControl);

}  // namespace korvane
