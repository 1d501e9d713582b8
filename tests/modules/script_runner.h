// Scripted emulator tests: each case in <emulator>_scripts/*.script feeds
// bytes in token notation and lists the display messages expected, one per
// line. Every case also runs with its input split at every byte boundary
// and fed one byte per call; apart from how text runs and printer writes
// are cut (and in insert mode the insertion before each run), the messages
// must not change.
//
//   test <name> [flags]      starts a case; flags: "log" logs unrecognised
//                            sequences, "noprinter" has no default printer,
//                            "host" the type's HostCompatibility switch on
//   < ESC [ 1 ; 31 m         one dll_Submit call
//   key 112                  dll_Key; "NOKEY 112" when the key has no string
//   status-shown 1           the client's answer to "is the status line shown"
//   screen 4 9 24 80 2 20    the client's answers to the screen query: cursor
//                            row and column, rows, columns, region top and
//                            bottom (0 0 24 80 0 23 unless a case says)
//   set <name> <value>       stores a value of the type's registry key
//   reinit                   a further dll_Init with the window
//   tick                     the printer timer's tick
//   anything else            an expected message line
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "module_test_support.h"

namespace korvane::test {

struct ScriptStep {
  enum Kind { Input, Key, StatusShown, Screen, Set, Reinit, Tick } kind;
  std::string text;
};

struct ScriptCase {
  std::string name;  // file_line_name
  bool log = false;
  bool noPrinter = false;
  bool host = false;
  std::vector<ScriptStep> steps;
  std::vector<std::string> expected;
};

void PrintTo(const ScriptCase& script, std::ostream* out);

// Every case of the *.script files in tests/modules/<folder>.
std::vector<ScriptCase> LoadScriptCases(const std::string& folder);
// The case's name as a test name.
std::string ScriptCaseName(const testing::TestParamInfo<ScriptCase>& param);

using HarnessFactory = std::function<std::unique_ptr<ModuleHarness>(bool logUnrecognised)>;

// The messages of one run. The bytes of each run of consecutive inputs are
// fed as written (split -1), cut at one position (n) or one byte per call (0).
std::vector<std::string> RunScript(const HarnessFactory& make, const ScriptCase& script, int split);
// Both checks of a case: the expected messages, and the same whatever the cuts.
void CheckScript(const HarnessFactory& make, const ScriptCase& script);
void CheckScriptSplits(const HarnessFactory& make, const ScriptCase& script);

template <class H>
class ScriptTest : public testing::TestWithParam<ScriptCase> {
 protected:
  static std::unique_ptr<ModuleHarness> Make(bool log) { return std::make_unique<H>(log); }
  void CheckExpected() { CheckScript(&Make, GetParam()); }
  void CheckSplits() { CheckScriptSplits(&Make, GetParam()); }
};

}  // namespace korvane::test
