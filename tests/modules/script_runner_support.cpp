#include "script_runner.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace korvane::test {

namespace {

bool StartsWith(const std::string& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

ScriptCase StartCase(const std::filesystem::path& path, int number, const std::string& line) {
  std::istringstream words(line.substr(5));
  ScriptCase added;
  words >> added.name;
  added.name = path.stem().string() + "_" + std::to_string(number) + "_" + added.name;
  std::string flag;
  while (words >> flag) {
    if (flag == "log") added.log = true;
    else if (flag == "noprinter") added.noPrinter = true;
    else if (flag == "host") added.host = true;
    else ADD_FAILURE() << path << ":" << number << ": unknown flag " << flag;
  }
  return added;
}

void ReadScript(const std::filesystem::path& path, std::vector<ScriptCase>& cases) {
  static const struct {
    const char* prefix;
    ScriptStep::Kind kind;
  } kSteps[] = {{"< ", ScriptStep::Input}, {"key ", ScriptStep::Key}, {"status-shown ", ScriptStep::StatusShown},
                {"screen ", ScriptStep::Screen}, {"set ", ScriptStep::Set}};
  std::ifstream in(path);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    if (StartsWith(line, "test ")) {
      cases.push_back(StartCase(path, number, line));
      continue;
    }
    if (cases.empty()) {
      ADD_FAILURE() << path << ":" << number << ": line before the first test";
      continue;
    }
    ScriptCase& current = cases.back();
    auto step = std::find_if(std::begin(kSteps), std::end(kSteps),
                             [&](const auto& s) { return StartsWith(line, s.prefix); });
    if (step != std::end(kSteps))
      current.steps.push_back({step->kind, line.substr(std::string(step->prefix).size())});
    else if (line == "reinit")
      current.steps.push_back({ScriptStep::Reinit, ""});
    else if (line == "tick")
      current.steps.push_back({ScriptStep::Tick, ""});
    else
      current.expected.push_back(line);
  }
}

// Text runs and printer writes may be cut differently when the input is;
// everything else must stay the same. In insert mode each run comes after
// an insertion of its length: a run cut in two inserts twice, which leaves
// the same screen, so an insertion and its run count as one inserted run.
std::vector<std::string> Normalised(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    if (StartsWith(line, "LOG \"PRINT: ") || StartsWith(line, "LOG \"wrote ") ||
        StartsWith(line, "LOG \"write failed"))
      continue;
    if (StartsWith(line, "INSERTCHARS 0 ") && i + 1 < lines.size() && StartsWith(lines[i + 1], "WRITE \""))
      line = "INSERTED " + lines[++i].substr(6);
    bool joined = false;
    for (std::string run : {"WRITE \"", "PRINTER \"", "INSERTED \""}) {
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
  for (const ScriptStep& step : script.steps) {
    run = step.kind == ScriptStep::Input ? run + Bytes(step.text).size() : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

void RunStep(ModuleHarness& harness, const ScriptStep& step) {
  switch (step.kind) {
    case ScriptStep::Key: {
      int code = std::stoi(step.text, nullptr, 0);
      if (!harness.Frame().Key(code)) harness.recorder.Add("NOKEY " + step.text);
      break;
    }
    case ScriptStep::StatusShown: harness.recorder.statusShown = std::stoi(step.text); break;
    case ScriptStep::Screen: {
      std::istringstream values(step.text);
      for (int& value : harness.recorder.screen) values >> value;
      break;
    }
    case ScriptStep::Set: {
      size_t blank = step.text.find(' ');
      harness.store.WriteTextCreatingKey(harness.Frame().SubKey(), step.text.substr(0, blank),
                                         blank == std::string::npos ? "" : step.text.substr(blank + 1));
      break;
    }
    case ScriptStep::Reinit: harness.Frame().Init(&harness.recorder, nullptr, nullptr); break;
    case ScriptStep::Tick: harness.Frame().printer.Tick(); break;
    case ScriptStep::Input: harness.Submit(step.text); break;
  }
}

}  // namespace

void PrintTo(const ScriptCase& script, std::ostream* out) { *out << script.name; }

std::vector<ScriptCase> LoadScriptCases(const std::string& folder) {
  std::vector<ScriptCase> cases;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(__FILE__).parent_path() / folder))
    if (entry.path().extension() == ".script") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files) ReadScript(file, cases);
  return cases;
}

std::string ScriptCaseName(const testing::TestParamInfo<ScriptCase>& param) {
  std::string name = param.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

std::vector<std::string> RunScript(const HarnessFactory& make, const ScriptCase& script, int split) {
  std::unique_ptr<ModuleHarness> harness = make(script.log);
  if (script.noPrinter) harness->port.device.clear();
  // As the frame reads it from Terms\<type> at the first dll_Init.
  if (script.host) harness->Frame().hostCompatibility = true;
  harness->Take();
  std::vector<uint8_t> pending;
  auto feed = [&] {
    if (split < 0 || pending.empty()) return;
    if (split == 0) {
      for (uint8_t b : pending) harness->SubmitBytes({b});
    } else {
      size_t at = std::min(static_cast<size_t>(split), pending.size());
      harness->SubmitBytes(std::vector<uint8_t>(pending.begin(), pending.begin() + at));
      harness->SubmitBytes(std::vector<uint8_t>(pending.begin() + at, pending.end()));
    }
    pending.clear();
  };
  for (const ScriptStep& step : script.steps) {
    if (step.kind == ScriptStep::Input && split >= 0) {
      std::vector<uint8_t> bytes = Bytes(step.text);
      pending.insert(pending.end(), bytes.begin(), bytes.end());
      continue;
    }
    feed();
    RunStep(*harness, step);
  }
  feed();
  return harness->Take();
}

void CheckScript(const HarnessFactory& make, const ScriptCase& script) {
  EXPECT_EQ(RunScript(make, script, -1), script.expected);
}

void CheckScriptSplits(const HarnessFactory& make, const ScriptCase& script) {
  std::vector<std::string> whole = Normalised(script.expected);
  EXPECT_EQ(Normalised(RunScript(make, script, 0)), whole) << "one byte per call";
  for (size_t at = 1; at < LongestInput(script); ++at)
    EXPECT_EQ(Normalised(RunScript(make, script, static_cast<int>(at))), whole) << "split after byte " << at;
}

}  // namespace korvane::test
