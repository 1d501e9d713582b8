#include "install_command_line.h"

#include <cctype>

#include "text_util.h"

namespace korvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(const std::string& line, size_t pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

// The program's own path, possibly in double quotes.
size_t SkipProgramPath(const std::string& line) {
  size_t pos = SkipBlanks(line, 0);
  if (pos < line.size() && line[pos] == '"') {
    size_t close = line.find('"', pos + 1);
    return close == std::string::npos ? line.size() : close + 1;
  }
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return pos;
}

size_t TokenEnd(const std::string& line, size_t pos) {
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return pos;
}

void Fail(InstallCommandLine& result, std::string text, const char* caption) {
  result.ok = false;
  result.error.text = std::move(text);
  result.error.caption = caption;
}

// The directory after -D, attached or after blanks; a directory in double
// quotes may hold blanks. Returns the position after it.
size_t ReadDirectory(const std::string& line, size_t pos, InstallCommandLine& result) {
  pos = SkipBlanks(line, pos);
  size_t end;
  std::string directory;
  if (pos < line.size() && line[pos] == '"') {
    size_t close = line.find('"', pos + 1);
    end = close == std::string::npos ? line.size() : close + 1;
    directory = line.substr(pos + 1, (close == std::string::npos ? line.size() : close) - pos - 1);
  } else {
    end = TokenEnd(line, pos);
    directory = line.substr(pos, end - pos);
  }
  if (!directory.empty() && directory[0] == '-') {
    result.error.logLines.push_back("Invalid parameter trailer");
    Fail(result, "Invalid option for -D", "Bad CommandLine");
  } else if (directory.empty()) {
    Fail(result, "Invalid option for -D", "Bad CommandLine");
  } else {
    result.options.haveDirectory = true;
    result.options.directory = directory;
  }
  return end;
}

// One option at `pos` (a '-'); returns the position after it.
size_t ReadOption(const std::string& line, size_t pos, InstallCommandLine& result) {
  size_t end = TokenEnd(line, pos);
  if (pos + 1 >= end) {
    Fail(result, "Unexpected string in command-line: " + line.substr(pos, end - pos), "Parameter Error");
    return end;
  }
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(line[pos + 1])));
  InstallOptions& o = result.options;
  switch (letter) {
    case 'I': o.action = InstallAction::Install; break;
    case 'R': o.action = InstallAction::Remove; break;
    case 'A': o.removeNow = true; break;
    case 'S': o.runSettings = true; break;
    case 'D': return ReadDirectory(line, pos + 2, result);
    default:
      Fail(result, Format("Unknown parameter in command-line: %c", line[pos + 1]), "Parameter Error");
      return end;
  }
  // One letter per option: "-Rx" is not an option.
  if (pos + 2 < end) Fail(result, "Unexpected string in command-line: " + line.substr(pos + 2, end - pos - 2), "Parameter Error");
  return end;
}

}  // namespace

InstallCommandLine ParseInstallCommandLine(const std::string& commandLine) {
  InstallCommandLine result;
  size_t pos = SkipProgramPath(commandLine);
  while (result.ok) {
    pos = SkipBlanks(commandLine, pos);
    if (pos >= commandLine.size()) break;
    if (commandLine[pos] == '-') {
      pos = ReadOption(commandLine, pos, result);
    } else {
      size_t end = TokenEnd(commandLine, pos);
      Fail(result, "Unexpected string in command-line: " + commandLine.substr(pos, end - pos), "Parameter Error");
    }
  }
  return result;
}

std::string AutoRemovalArguments(const InstallOptions& options) {
  std::string arguments = "-R -A";
  if (options.haveDirectory) arguments += " -D \"" + options.directory + "\"";
  return arguments;
}

}  // namespace korvane
