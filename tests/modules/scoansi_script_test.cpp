// The SCO ANSI emulator's scripts (scoansi_scripts/*.script; the notation
// is in script_runner.h).
#include "script_runner.h"

namespace korvane::test {
namespace {

class ScoAnsiScript : public ScriptTest<ScoAnsiHarness> {};

TEST_P(ScoAnsiScript, GivesTheExpectedMessages) { CheckExpected(); }
TEST_P(ScoAnsiScript, SplittingTheInputChangesNothing) { CheckSplits(); }

INSTANTIATE_TEST_SUITE_P(Scripts, ScoAnsiScript, testing::ValuesIn(LoadScriptCases("scoansi_scripts")), ScriptCaseName);

}  // namespace
}  // namespace korvane::test
