// The client's settings: what it reads from Settings and Defaults at start,
// then overridden by the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config_store.h"
#include "error_report.h"
#include "record_log.h"

namespace korvane {

struct ClientConfig {
  std::string termName;                 // Settings\TermName or -T
  std::optional<std::string> host;      // DefaultHost, LastHost, -D or the host argument
  bool autoConnect = false;
  std::string hostsFile = "hosts";
  int timerInterval = 400;              // blink period, ms
  int scrollbackLines = 500;
  bool allowOtherAddress = true;
  bool disableNaws = false;
  bool autoClose = true;
  bool serifFont = false;
  bool scrollbackBar = false;
  bool useIntlKeyboard = false;
  bool printScreenAsGraphics = false;
  bool suppressBanner = false;
  int throttleOutput = 50;              // stored ThrottleOutput
  int throttlePace = 20;                // stored ThrottlePace
  int throttleSize = 0;                 // active: bytes per step, 0 = off
  int throttleStepMs = 0;               // active: slot length

  // Command line only.
  bool localEcho = false;
  uint16_t port = 23;
  std::optional<std::string> title;     // -I, quotes kept
  int screenRows = 0, screenColumns = 0;  // -V, 0 = not given
  char screenStatus = 0;                // -V letter 'Y' / 'N', 0 = not given
  int initialSize = 0;                  // -X cell width, 999 = maximised, 0 = none
  int windowTop = 0, windowLeft = 0;    // -X position

  void SetThrottle(bool on) {
    throttleSize = on ? throttleOutput : 0;
    throttleStepMs = on ? throttlePace : 0;
  }
};

inline constexpr int kMaximisedSize = 999;

// Reads Settings and Defaults in the fixed order, writing back throttle
// defaults. Sets the log switches. Returns 0, or 1001 (reported) when
// TermName is missing.
int ReadClientConfig(ConfigStore& store, ClientConfig& config, RecordLog& log, ErrorReporter& errors);

}  // namespace korvane
