// Scripted VT100 tests: each case in vt100_scripts/*.script feeds bytes in
// token notation and lists the display messages expected, one per line.
// Every case also runs with its input split at every byte boundary and fed
// one byte per call; apart from how text runs and printer writes are cut,
// the messages must not change.
//
//   test <name> [flags]      starts a case; flags: "log" logs unrecognised
//                            sequences, "noprinter" has no default printer
//   < ESC [ 1 ; 31 m         one dll_Submit call
//   key 112                  dll_Key; "NOKEY 112" when the key has no string
//   status-shown 1           the client's answer to "is the status line shown"
//   reinit                   a further dll_Init with the window
//   anything else            an expected message line
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "module_test_support.h"

namespace korvane::test {
namespace {

struct Step {
  enum Kind { Input, Key, StatusShown, Reinit } kind;
  std::string text;
};

struct ScriptCase {
  std::string name;  // file:line name
  bool log = false;
  bool noPrinter = false;
  std::vector<Step> steps;
  std::vector<std::string> expected;
};

void PrintTo(const ScriptCase& script, std::ostream* out) { *out << script.name; }

std::string ScriptDirectory() {
  return (std::filesystem::path(__FILE__).parent_path() / "vt100_scripts").string();
}

bool StartsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

void ReadScript(const std::filesystem::path& path, std::vector<ScriptCase>& cases) {
  std::ifstream in(path);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    if (StartsWith(line, "test ")) {
      std::istringstream words(line.substr(5));
      ScriptCase added;
      words >> added.name;
      added.name = path.stem().string() + "_" + std::to_string(number) + "_" + added.name;
      std::string flag;
      while (words >> flag) {
        if (flag == "log") added.log = true;
        else if (flag == "noprinter") added.noPrinter = true;
        else ADD_FAILURE() << path << ":" << number << ": unknown flag " << flag;
      }
      cases.push_back(added);
    } else if (cases.empty()) {
      ADD_FAILURE() << path << ":" << number << ": line before the first test";
    } else if (StartsWith(line, "< ")) {
      cases.back().steps.push_back({Step::Input, line.substr(2)});
    } else if (StartsWith(line, "key ")) {
      cases.back().steps.push_back({Step::Key, line.substr(4)});
    } else if (StartsWith(line, "status-shown ")) {
      cases.back().steps.push_back({Step::StatusShown, line.substr(13)});
    } else if (line == "reinit") {
      cases.back().steps.push_back({Step::Reinit, ""});
    } else {
      cases.back().expected.push_back(line);
    }
  }
}

std::vector<ScriptCase> LoadCases() {
  std::vector<ScriptCase> cases;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(ScriptDirectory()))
    if (entry.path().extension() == ".script") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files) ReadScript(file, cases);
  return cases;
}

// How the bytes of each run of consecutive inputs are cut into calls:
// as written (-1), at one position (n), or one byte per call (0).
std::vector<std::string> RunScript(const ScriptCase& script, int split) {
  Vt100Harness harness(script.log);
  if (script.noPrinter) harness.port.device.clear();
  harness.Take();
  std::vector<uint8_t> pending;
  auto feed = [&] {
    if (split < 0 || pending.empty()) return;
    if (split == 0) {
      for (uint8_t b : pending) harness.SubmitBytes({b});
    } else {
      size_t at = std::min(static_cast<size_t>(split), pending.size());
      harness.SubmitBytes(std::vector<uint8_t>(pending.begin(), pending.begin() + at));
      harness.SubmitBytes(std::vector<uint8_t>(pending.begin() + at, pending.end()));
    }
    pending.clear();
  };
  for (const Step& step : script.steps) {
    if (step.kind == Step::Input) {
      std::vector<uint8_t> bytes = Bytes(step.text);
      if (split < 0)
        harness.SubmitBytes(bytes);
      else
        pending.insert(pending.end(), bytes.begin(), bytes.end());
      continue;
    }
    feed();
    if (step.kind == Step::Key) {
      int code = std::stoi(step.text, nullptr, 0);
      if (!harness.module.frame.Key(code)) harness.recorder.Add("NOKEY " + step.text);
    } else if (step.kind == Step::StatusShown) {
      harness.recorder.statusShown = std::stoi(step.text);
    } else {
      harness.module.frame.Init(&harness.recorder, nullptr, nullptr);
    }
  }
  feed();
  return harness.Take();
}

// Text runs and printer writes may be cut differently when the input is;
// everything else must stay the same.
std::vector<std::string> Normalised(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    if (StartsWith(line, "LOG \"PRINT: ") || StartsWith(line, "LOG \"wrote ") ||
        StartsWith(line, "LOG \"write failed"))
      continue;
    bool joined = false;
    for (std::string run : {"WRITE \"", "PRINTER \""}) {
      if (!joined && StartsWith(line, run.c_str()) && !out.empty() && StartsWith(out.back(), run.c_str())) {
        out.back().pop_back();  // the closing quote
        out.back() += line.substr(run.size());
        joined = true;
      }
    }
    if (!joined) out.push_back(line);
  }
  return out;
}

size_t LongestInput(const ScriptCase& script) {
  size_t longest = 0, run = 0;
  for (const Step& step : script.steps) {
    run = step.kind == Step::Input ? run + Bytes(step.text).size() : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

class Vt100Script : public testing::TestWithParam<ScriptCase> {};

TEST_P(Vt100Script, GivesTheExpectedMessages) {
  const ScriptCase& script = GetParam();
  EXPECT_EQ(RunScript(script, -1), script.expected);
}

TEST_P(Vt100Script, SplittingTheInputChangesNothing) {
  const ScriptCase& script = GetParam();
  std::vector<std::string> whole = Normalised(script.expected);
  EXPECT_EQ(Normalised(RunScript(script, 0)), whole) << "one byte per call";
  for (size_t at = 1; at < LongestInput(script); ++at)
    EXPECT_EQ(Normalised(RunScript(script, static_cast<int>(at))), whole) << "split after byte " << at;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Vt100Script, testing::ValuesIn(LoadCases()),
                         [](const testing::TestParamInfo<ScriptCase>& param) {
                           std::string name = param.param.name;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace korvane::test
