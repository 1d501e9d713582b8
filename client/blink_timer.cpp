#include "blink_timer.h"

#include "display_messages.h"

namespace korvane {

bool BlinkTimer::Blinks(uint32_t word) { return (word & (ATTR_BLINK | ATTR_RAPIDBLINK)) != 0; }

BlinkTimer::Ink BlinkTimer::InkFor(uint32_t word, int phase) {
  bool odd = (phase & 1) != 0;
  if (word & ATTR_RAPIDBLINK) return odd ? Ink::kForeground : Ink::kBackground;
  if (!(word & ATTR_BLINK) || !odd) return Ink::kNone;
  return phase == 1 ? Ink::kBackground : Ink::kForeground;
}

bool BlinkTimer::Start() {
  countdown_ = kIdleTicks;
  return !running_;
}

int BlinkTimer::Advance() {
  phase_ = (phase_ + 1) % 4;
  return phase_;
}

bool BlinkTimer::Finish(bool sawBlinkingRun) {
  if (sawBlinkingRun) {
    countdown_ = kIdleTicks;
    return false;
  }
  // A timer running without a count (never started through Start) stops too.
  if (--countdown_ > 0) return false;
  countdown_ = 0;
  running_ = false;
  return true;
}

}  // namespace korvane
