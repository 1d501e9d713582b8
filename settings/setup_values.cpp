#include "setup_values.h"

#include "text_util.h"

namespace korvane {

const char* const kSetupCheckValues[kSetupCheckBoxes] = {
    "AutoConnect", "AutoClose",  "AllowOtherAddress", "SuppressBanner", "RecordEvents",    "RecordIO",
    "DisableNAWS", "SerifFont",  "Scrollback",        "ThrottleOut",    "UseIntlKeyboard", "PrintScreenAsGraphics"};

namespace {

// A number field shows the stored number as "%d"; absent shows "500".
std::string NumberField(ConfigStore& store, const char* name) {
  auto text = ReadText(store, "Settings", name);
  return text ? Format("%d", DecimalInt(*text)) : std::string("500");
}

}  // namespace

SetupValues ReadSetupValues(ConfigStore& store) {
  SetupValues values;
  values.termName = ReadText(store, "Settings", "TermName");
  for (int i = 0; i < kSetupCheckBoxes; ++i) {
    auto text = ReadText(store, "Settings", kSetupCheckValues[i]);
    bool firstRunDefault = values.firstRun() && (i == SETUP_AUTO_CLOSE || i == SETUP_ALLOW_OTHER);
    values.checked[static_cast<size_t>(i)] = text ? IsYes(*text) : firstRunDefault;
  }
  values.hostsFile = ReadText(store, "Settings", "HostsFile").value_or("Hosts");
  values.defaultHost = ReadText(store, "Defaults", "DefaultHost").value_or("");
  values.timer = NumberField(store, "TimerInterval");
  values.scrollbackLines = NumberField(store, "ScrollbackLines");
  values.installDir = ReadText(store, "Defaults", "InstallDir").value_or("");
  return values;
}

void StoreSetupValues(ConfigStore& store, const SetupValues& values, const TermTypeEntry* selected) {
  for (int i = 0; i < kSetupCheckBoxes; ++i)
    store.WriteTextCreatingKey("Settings", kSetupCheckValues[i], values.checked[static_cast<size_t>(i)] ? "Y" : "N");
  if (selected) {
    store.WriteTextCreatingKey("Settings", "TermName", selected->name);
    store.WriteTextCreatingKey("Terms\\" + selected->name, "TermDLL", selected->moduleFile);
  }
  store.WriteTextCreatingKey("Settings", "TimerInterval", Format("%d", DecimalInt(values.timer)));
  store.WriteTextCreatingKey("Settings", "ScrollbackLines", Format("%d", DecimalInt(values.scrollbackLines)));
  store.WriteTextCreatingKey("Settings", "HostsFile", values.hostsFile);
  store.WriteTextCreatingKey("Defaults", "DefaultHost", values.defaultHost);
}

std::optional<std::string> InitialTermSelection(const SetupValues& values, const TermTypeList& list) {
  if (list.empty()) return std::nullopt;
  if (values.firstRun()) return list.entries().front().name;
  if (list.Find(*values.termName)) return *values.termName;
  return std::nullopt;
}

std::string HostsPathForEditor(const std::string& hostsText, const std::string& installDir) {
  std::string path = hostsText;
  if (path.size() >= 5 && EqualsNoCase(path.substr(path.size() - 5), "hosts")) path += ".";
  if (StartsWithNoCase(path, "hosts") && !installDir.empty()) {
    char last = installDir.back();
    path = installDir + (last == '\\' || last == '/' ? "" : "\\") + path;
  }
  return path;
}

SetupAltAction SetupAltKey(int letter, int focused) {
  using A = SetupAltAction;
  switch (letter) {
    case 'A': return {A::Focus, SETUP_AUTO_CONNECT};
    case 'B': return {A::Focus, SETUP_SCROLLBACK_LINES};
    case 'C': return {A::Click, SETUP_CANCEL};
    case 'D': return {A::Focus, SETUP_DEFAULT_HOST};
    case 'E': return {A::Focus, SETUP_RECORD_IO};
    case 'F': return {A::Focus, SETUP_SERIF_FONTS};
    case 'G': return {A::Focus, SETUP_PRINT_GRAPHICS};
    case 'H':
      if (focused == SETUP_HELP) return {A::Focus, SETUP_HOSTS_FILE};
      if (focused == SETUP_HOSTS_FILE) return {A::FocusAndClick, SETUP_EDIT_HOSTS};
      return {A::FocusAndClick, SETUP_HELP};
    case 'I': return {A::Focus, focused == SETUP_INTL_KEYBOARD ? SETUP_TIMER : SETUP_INTL_KEYBOARD};
    case 'K': return {A::Focus, SETUP_SCROLLBACK};
    case 'L': return {A::Click, SETUP_COLORS};
    case 'M': return {A::Click, SETUP_TERM_SETTINGS};
    case 'N': return {A::Focus, SETUP_DISABLE_NAWS};
    case 'O': return {A::Click, SETUP_OK};
    case 'P': return {A::Click, SETUP_PGM_FUNC_KEYS};
    case 'R': return {A::Focus, SETUP_THROTTLE};
    case 'S': return {A::Focus, SETUP_SUPPRESS_BANNER};
    case 'T': return {A::Focus, SETUP_TERMINAL_TYPE};
    case 'U': return {A::Focus, SETUP_AUTO_CLOSE};
    case 'V': return {A::Focus, SETUP_RECORD_EVENTS};
    case 'W': return {A::Focus, SETUP_ALLOW_OTHER};
    case 'Y': return {A::Focus, SETUP_NEW_TERM_TYPE};
    default: return {};
  }
}

}  // namespace korvane
