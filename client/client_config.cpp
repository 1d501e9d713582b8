#include "client_config.h"

#include "text_util.h"

namespace korvane {

namespace {


// Range-checked decimal for the throttle values: 0 when absent, <= 0 or > 1000.
int ReadThrottleNumber(ConfigStore& store, const char* name) {
  auto text = ReadText(store, "Settings", name);
  if (!text) return 0;
  long value = DecimalValue(*text);
  return value <= 0 || value > 1000 ? 0 : static_cast<int>(value);
}

int ThrottleSetting(ConfigStore& store, const char* name, int fallback) {
  int value = ReadThrottleNumber(store, name);
  if (value != 0) return value;
  store.WriteText("Settings", name, std::to_string(fallback));
  return fallback;
}

}  // namespace

int ReadClientConfig(ConfigStore& store, ClientConfig& config, RecordLog& log, ErrorReporter& errors) {
  auto setting = [&](const char* name) { return ReadText(store, "Settings", name); };
  auto isYes = [&](const char* name) {
    auto v = setting(name);
    return v && IsYes(*v);
  };
  auto isNo = [&](const char* name) {
    auto v = setting(name);
    return v && IsNo(*v);
  };

  auto termName = setting("TermName");
  if (!termName) {
    errors.ErrorCall(kAbort, 1001, 0, "Initialization failed. Run SETTINGS");
    return 1001;
  }
  config.termName = *termName;

  if (auto defaultHost = ReadText(store, "Defaults", "DefaultHost")) {
    config.host = *defaultHost;
    auto autoConnect = setting("AutoConnect");
    config.autoConnect = autoConnect && FirstLetterIs(*autoConnect, 'Y');
  } else if (auto lastHost = ReadText(store, "Defaults", "LastHost")) {
    config.host = *lastHost;
  }

  if (auto hostsFile = setting("HostsFile")) config.hostsFile = *hostsFile;
  if (auto v = setting("TimerInterval"); v && DecimalValue(*v) > 0) config.timerInterval = ClampToInt(DecimalValue(*v));
  if (auto v = setting("ScrollbackLines"); v && DecimalValue(*v) > 0) config.scrollbackLines = ClampToInt(DecimalValue(*v));
  config.allowOtherAddress = !isNo("AllowOtherAddress");
  config.disableNaws = isYes("DisableNAWS");
  config.autoClose = !isNo("AutoClose");
  log.recordEvents = isYes("RecordEvents");
  log.recordIO = isYes("RecordIO");
  config.serifFont = isYes("SerifFont");
  config.scrollbackBar = isYes("Scrollback");
  if (auto v = setting("ScrollbackSize")) {
    long lines = DecimalValue(*v);
    config.scrollbackLines = lines <= 0 ? 500 : ClampToInt(lines);
  }
  config.useIntlKeyboard = isYes("UseIntlKeyboard");
  config.printScreenAsGraphics = isYes("PrintScreenAsGraphics");
  config.suppressBanner = isYes("SuppressBanner");
  config.throttleOutput = ThrottleSetting(store, "ThrottleOutput", 50);
  config.throttlePace = ThrottleSetting(store, "ThrottlePace", 20);
  config.SetThrottle(isYes("ThrottleOut"));
  return 0;
}

}  // namespace korvane
