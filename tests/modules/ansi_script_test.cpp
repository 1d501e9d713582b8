// The ANSI emulator's scripts (ansi_scripts/*.script; the notation is in
// script_runner.h).
#include "script_runner.h"

namespace korvane::test {
namespace {

class AnsiScript : public ScriptTest<AnsiHarness> {};

TEST_P(AnsiScript, GivesTheExpectedMessages) { CheckExpected(); }
TEST_P(AnsiScript, SplittingTheInputChangesNothing) { CheckSplits(); }

INSTANTIATE_TEST_SUITE_P(Scripts, AnsiScript, testing::ValuesIn(LoadScriptCases("ansi_scripts")), ScriptCaseName);

}  // namespace
}  // namespace korvane::test
