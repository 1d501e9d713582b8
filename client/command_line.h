// The client's command line: single-letter options and one host argument.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "client_config.h"
#include "error_report.h"
#include "record_log.h"

namespace korvane {

struct CommandArgument {
  std::string text;
  size_t begin = 0;  // position in the command line
  size_t end = 0;    // one past the last character
};

// Whitespace separates; a dash starts an argument of exactly two characters
// ("-Dhost" gives "-D" and "host"); a quoted argument keeps its quotes.
std::vector<CommandArgument> SplitArguments(std::string_view line);

// Applies the options to the configuration. Returns 0, or 1004 for an error
// that ends start-up (reported unless the option letter is unknown).
int ParseCommandLine(std::string_view tail, ClientConfig& config, RecordLog& log, ErrorReporter& errors);

// The line with the first occurrence of the option (e.g. "-X", either case)
// and its parameter taken out.
std::string RemoveOption(std::string_view line, std::string_view option);

// Own command line with " -S" added and the first -X removed: the base for
// starting further copies.
std::string NewInstanceCommandLine(std::string_view fullCommandLine);

}  // namespace korvane
