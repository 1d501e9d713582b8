// The installer's command line: the program's own path, then blank-separated
// options -I -R -A -D dir -S in either case.
#pragma once

#include <string>
#include <vector>

namespace korvane {

enum class InstallAction { Install, Remove };

struct InstallOptions {
  InstallAction action = InstallAction::Install;
  bool removeNow = false;      // -A: remove in this process without asking
  bool runSettings = false;    // -S
  bool haveDirectory = false;  // -D given
  std::string directory;       // as typed after -D
};

struct CommandLineError {
  std::vector<std::string> logLines;  // written before the box text
  std::string text;                   // the warning box and its log line
  std::string caption;
};

struct InstallCommandLine {
  InstallOptions options;  // as far as parsed, also when there is an error
  bool ok = true;
  CommandLineError error;
};

InstallCommandLine ParseInstallCommandLine(const std::string& commandLine);

// Arguments of the removal copy started from the temporary directory: it
// removes at once, and keeps a directory given with -D.
std::string AutoRemovalArguments(const InstallOptions& options);

}  // namespace korvane
