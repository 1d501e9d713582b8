// The blink timer's state: a phase that turns 0..3 with every tick and an
// idle countdown that stops the timer five ticks after the last blinking
// cell was seen. Creating and killing the timer is the platform's; this
// says when, and how each blinking run is drawn at a phase.
#pragma once

#include <cstdint>

namespace korvane {

class BlinkTimer {
 public:
  static constexpr int kIdleTicks = 5;

  // How a run is drawn on a tick.
  enum class Ink {
    kNone,        // not drawn: the run does not blink, or slow blink on an even phase
    kBackground,  // text in the background colour (hidden)
    kForeground,  // text in the foreground colour (shown)
  };
  // Fast blink alternates every tick; slow blink (without the fast bit)
  // hides on phase 1 and shows on phase 3.
  static Ink InkFor(uint32_t word, int phase);
  static bool Blinks(uint32_t word);

  // A blinking attribute was made current: the countdown starts again.
  // True when the timer is not running and must be created.
  bool Start();
  // The platform created the timer, or could not.
  void SetRunning(bool running) { running_ = running; }
  // The tick's new phase.
  int Advance();
  // After a tick's drawing: true when the timer must be killed now (it is
  // then marked as not running).
  bool Finish(bool sawBlinkingRun);

  bool running() const { return running_; }
  int phase() const { return phase_; }
  int countdown() const { return countdown_; }

 private:
  bool running_ = false;
  int phase_ = 0;
  int countdown_ = 0;
};

}  // namespace korvane
