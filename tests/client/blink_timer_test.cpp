#include "blink_timer.h"

#include <gtest/gtest.h>

#include <string>

#include "display_messages.h"

namespace korvane {
namespace {

using Ink = BlinkTimer::Ink;

// What the screen shows of a run after each of `ticks` ticks: 'V' drawn in
// the foreground, 'I' in the background, and a repeat of the last picture
// where the tick draws nothing. Starts from text as written (visible).
std::string Visibility(uint32_t word, int ticks) {
  BlinkTimer timer;
  std::string seen;
  char shown = 'V';
  for (int i = 0; i < ticks; ++i) {
    Ink ink = BlinkTimer::InkFor(word, timer.Advance());
    if (ink != Ink::kNone) shown = ink == Ink::kForeground ? 'V' : 'I';
    seen += shown;
  }
  return seen;
}

TEST(BlinkTimerPhases, FastBlinkAlternatesEveryTickAndSlowEveryTwo) {
  EXPECT_EQ(Visibility(ATTR_RAPIDBLINK, 8), "VIVIVIVI");
  EXPECT_EQ(Visibility(ATTR_BLINK, 8), "IIVVIIVV");
  EXPECT_EQ(Visibility(ATTR_BLINK | ATTR_RAPIDBLINK, 8), "VIVIVIVI");  // fast wins
  EXPECT_EQ(Visibility(ATTR_BOLD | ATTR_UNDERLINE, 8), "VVVVVVVV");
}

TEST(BlinkTimerPhases, InkOfEachPhase) {
  const Ink N = Ink::kNone, B = Ink::kBackground, F = Ink::kForeground;
  const Ink slow[4] = {N, B, N, F}, fast[4] = {B, F, B, F};
  for (int phase = 0; phase < 4; ++phase) {
    EXPECT_EQ(BlinkTimer::InkFor(ATTR_BLINK | ATTR_REVERSE, phase), slow[phase]) << phase;
    EXPECT_EQ(BlinkTimer::InkFor(ATTR_RAPIDBLINK, phase), fast[phase]) << phase;
    EXPECT_EQ(BlinkTimer::InkFor(ATTR_ITALIC, phase), N) << phase;
  }
  BlinkTimer timer;
  std::string phases;
  for (int i = 0; i < 6; ++i) phases += static_cast<char>('0' + timer.Advance());
  EXPECT_EQ(phases, "123012");
}

TEST(BlinkTimerCountdown, StopsFiveIdleTicksAfterTheLastBlinkAndStartsAgain) {
  BlinkTimer timer;
  EXPECT_TRUE(timer.Start());  // not running: create it
  timer.SetRunning(true);
  EXPECT_FALSE(timer.Start());  // running: only the countdown starts again
  EXPECT_EQ(timer.countdown(), 5);

  // Blinking runs keep it going; even a run skipped on an even phase counts.
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(timer.Finish(true));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(timer.Finish(false)) << i;
  EXPECT_TRUE(timer.Finish(false));  // from 1 to 0: kill it
  EXPECT_FALSE(timer.running());

  EXPECT_TRUE(timer.Start());  // a blinking attribute made current again
  timer.SetRunning(true);
  EXPECT_FALSE(timer.Finish(false));
  EXPECT_FALSE(timer.Start());  // the count is back to 5 without a second timer
  for (int i = 0; i < 4; ++i) timer.Finish(false);
  EXPECT_TRUE(timer.Finish(false));
}

TEST(BlinkTimerCountdown, ATimerThatCouldNotBeCreatedIsAskedForAgain) {
  BlinkTimer timer;
  EXPECT_TRUE(timer.Start());
  timer.SetRunning(false);
  EXPECT_TRUE(timer.Start());
}

}  // namespace
}  // namespace korvane
