#include "command_line.h"

#include <cctype>

#include "text_util.h"

namespace korvane {

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool IsMissing(const std::string& parameter) { return parameter.empty() || parameter[0] == '-'; }

// Reads a decimal number at `pos` (after optional white space); `found` tells
// whether there were digits.
int ReadNumber(const std::string& text, size_t& pos, bool& found) {
  size_t used = 0;
  int value = DecimalInt(std::string_view(text).substr(pos), &used);
  found = used != 0;
  pos += used;
  return value;
}

bool TakeComma(const std::string& text, size_t& pos) {
  if (pos < text.size() && text[pos] == ',') {
    ++pos;
    return true;
  }
  return false;
}

size_t SkipSpace(const std::string& text, size_t pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  return pos;
}

bool* YesNoTarget(char letter, ClientConfig& config, RecordLog& log, bool& throttle) {
  switch (letter) {
    case 'A': return &config.autoConnect;
    case 'C': return &config.autoClose;
    case 'F': return &config.serifFont;
    case 'K': return &config.scrollbackBar;
    case 'L': return &config.localEcho;
    case 'M': return &log.recordIO;
    case 'O': return &throttle;
    case 'R': return &log.recordEvents;
    case 'S': return &config.suppressBanner;
    case 'U': return &config.useIntlKeyboard;
    default: return nullptr;
  }
}

// A telnet link ("telnet:host", "telnet://user@host:port/") names the host
// and possibly the port.
void TakeTelnetLink(std::string& host, ClientConfig& config) {
  if (host.compare(0, 2, "//") != 0) return;
  host.erase(0, 2);
  size_t slash = host.find('/');
  if (slash != std::string::npos) host.erase(slash);
  size_t at = host.rfind('@');
  if (at != std::string::npos) host.erase(0, at + 1);
  size_t colon = host.rfind(':');
  if (colon != std::string::npos) {
    std::string port = host.substr(colon + 1);
    bool digits = !port.empty();
    for (char c : port) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits) {
      long value = DecimalValue(port);
      if (value > 0 && value <= 65535) config.port = static_cast<uint16_t>(value);
      host.erase(colon);
    }
  }
}

}  // namespace

std::vector<CommandArgument> SplitArguments(std::string_view line) {
  std::vector<CommandArgument> args;
  size_t i = 0;
  while (i < line.size()) {
    if (IsSpace(line[i])) {
      ++i;
      continue;
    }
    size_t begin = i;
    if (line[i] == '-') {
      i = std::min(line.size(), i + 2);
    } else if (line[i] == '"' || line[i] == '\'') {
      size_t close = line.find(line[i], i + 1);
      i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
      while (i < line.size() && !IsSpace(line[i])) ++i;
    }
    args.push_back({std::string(line.substr(begin, i - begin)), begin, i});
  }
  return args;
}

int ParseCommandLine(std::string_view tail, ClientConfig& config, RecordLog& log, ErrorReporter& errors) {
  std::vector<CommandArgument> args = SplitArguments(tail);
  bool throttle = config.throttleSize != 0;
  size_t i = 0;
  int result = 0;
  while (i < args.size()) {
    const std::string& arg = args[i].text;
    if (arg[0] != '-') {
      std::string host = arg;
      if (StartsWithNoCase(host, "telnet:")) {
        config.suppressBanner = true;
        host.erase(0, 7);
        TakeTelnetLink(host, config);
      }
      config.host = host;
      config.autoConnect = true;
      log.Event("Specified default host %s\n", host.c_str());
      break;  // later arguments are ignored
    }
    char typed = arg.size() > 1 ? arg[1] : ' ';
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(typed)));
    const std::string parameter = i + 1 < args.size() ? args[i + 1].text : std::string();
    log.Event("Process option %c - Possible parameter %s\n", typed, parameter.c_str());

    if (bool* target = YesNoTarget(letter, config, log, throttle)) {
      if (IsYes(parameter) || IsNo(parameter)) {
        *target = IsYes(parameter);
        i += 2;
      } else if (IsMissing(parameter)) {
        *target = true;
        i += 1;
      } else {
        errors.ErrorCall(kAbort, 1002, 0, "Option '%c' requires 'Y' or 'N' parameter", letter);
        result = 1004;
        break;
      }
      if (letter == 'O') config.SetThrottle(throttle);
      continue;
    }

    switch (letter) {
      case 'D':
      case 'H':
      case 'I': {
        if (IsMissing(parameter)) {
          const char* what = letter == 'D'   ? "Option 'D' requires a hostname"
                             : letter == 'H' ? "Option 'H' requires a filename"
                                             : "Option 'I' requires a string for a title";
          errors.ErrorCall(kAbort, 1002, 0, "%s", what);
        } else if (letter == 'D') {
          config.host = parameter;
        } else if (letter == 'H') {
          config.hostsFile = parameter;
        } else {
          config.title = parameter;
        }
        i += 2;  // a missing parameter is skipped; start-up goes on
        break;
      }
      case 'P': {
        if (IsMissing(parameter)) {
          errors.ErrorCall(kAbort, 1002, 0, "Option 'P' requires a port number");
          return 1004;
        }
        long port = DecimalValue(parameter);
        if (port != 0) config.port = static_cast<uint16_t>(port & 0xFFFF);
        i += 2;
        break;
      }
      case 'T': {
        if (IsMissing(parameter)) {
          errors.ErrorCall(kAbort, 1002, 0, "Option 'T' requires a TERM TYPE");
          return 1004;
        }
        config.termName = parameter;
        i += 2;
        break;
      }
      case 'V': {
        if (IsMissing(parameter)) {
          errors.ErrorCall(kAbort, 1002, 0, "Option 'V' requires a parameter for term sizing");
          return 1004;
        }
        size_t pos = SkipSpace(parameter, 0);
        bool found = false;
        int rows = ReadNumber(parameter, pos, found);
        if (!found || !TakeComma(parameter, pos)) {
          i += 1;  // the parameter is read again as the next argument
          break;
        }
        bool columnsFound = false;
        int columns = ReadNumber(parameter, pos, columnsFound);
        char flag = 0;
        if (columnsFound && TakeComma(parameter, pos) && pos < parameter.size())
          flag = static_cast<char>(std::toupper(static_cast<unsigned char>(parameter[pos])));
        if (rows >= 0 && rows <= 60 && columns >= 0 && columns <= 256 && (flag == 'Y' || flag == 'N')) {
          config.screenRows = rows;
          config.screenColumns = columns;
          config.screenStatus = flag;
        }
        i += 2;
        break;
      }
      case 'X': {
        if (IsMissing(parameter)) {
          errors.ErrorCall(kAbort, 1002, 0, "Option 'X' requires a parameter for window sizing");
          return 1004;
        }
        size_t pos = SkipSpace(parameter, 0);
        if (pos < parameter.size() && std::toupper(static_cast<unsigned char>(parameter[pos])) == 'M') {
          config.initialSize = kMaximisedSize;
          log.Event("gblInitialSize initially set to %d\n", kMaximisedSize);
          i += 2;
          break;
        }
        config.windowTop = config.windowLeft = 0;
        config.initialSize = 0;
        log.Event("gblInitialSize initially set to %d\n", 0);
        bool found = false;
        int first = ReadNumber(parameter, pos, found);
        if (!TakeComma(parameter, pos)) {
          config.initialSize = first;
          log.Event("gblInitialSize set to %d\n", config.initialSize);
          i += 2;
          break;
        }
        int second = ReadNumber(parameter, pos, found);
        config.windowTop = first;
        config.windowLeft = second;
        if (!TakeComma(parameter, pos)) {
          i += 1;  // position kept, no size; the parameter is read again
          break;
        }
        int third = ReadNumber(parameter, pos, found);
        if (third != 0) {
          config.initialSize = third;
          log.Event("gblInitialSize set to %d\n", config.initialSize);
        }
        i += 2;
        break;
      }
      default:
        return 1004;  // unknown option: no message
    }
  }
  return result;
}

std::string RemoveOption(std::string_view line, std::string_view option) {
  std::vector<CommandArgument> args = SplitArguments(line);
  for (size_t i = 0; i < args.size(); ++i) {
    if (!EqualsNoCase(args[i].text, option)) continue;
    size_t end = args[i].end;
    if (i + 1 < args.size() && args[i + 1].text[0] != '-') end = args[i + 1].end;
    while (end < line.size() && IsSpace(line[end])) ++end;
    std::string out(line.substr(0, args[i].begin));
    out += line.substr(end);
    while (!out.empty() && IsSpace(out.back())) out.pop_back();
    return out;
  }
  return std::string(line);
}

std::string NewInstanceCommandLine(std::string_view fullCommandLine) {
  return RemoveOption(Format("%s %s", std::string(fullCommandLine).c_str(), "-S"), "-X");
}

}  // namespace korvane
