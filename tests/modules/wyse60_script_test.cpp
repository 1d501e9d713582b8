// The Wyse 60 emulator's scripts (wyse60_scripts/*.script; the notation is
// in script_runner.h).
#include "script_runner.h"

namespace korvane::test {
namespace {

class Wyse60Script : public ScriptTest<Wyse60Harness> {};

TEST_P(Wyse60Script, GivesTheExpectedMessages) { CheckExpected(); }
TEST_P(Wyse60Script, SplittingTheInputChangesNothing) { CheckSplits(); }

INSTANTIATE_TEST_SUITE_P(Scripts, Wyse60Script, testing::ValuesIn(LoadScriptCases("wyse60_scripts")), ScriptCaseName);

}  // namespace
}  // namespace korvane::test
