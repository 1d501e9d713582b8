// The VT100 emulator's scripts (vt100_scripts/*.script; the notation is in
// script_runner.h).
#include "script_runner.h"

namespace korvane::test {
namespace {

class Vt100Script : public ScriptTest<Vt100Harness> {};

TEST_P(Vt100Script, GivesTheExpectedMessages) { CheckExpected(); }
TEST_P(Vt100Script, SplittingTheInputChangesNothing) { CheckSplits(); }

INSTANTIATE_TEST_SUITE_P(Scripts, Vt100Script, testing::ValuesIn(LoadScriptCases("vt100_scripts")), ScriptCaseName);

}  // namespace
}  // namespace korvane::test
