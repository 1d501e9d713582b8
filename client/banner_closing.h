// When the start-up banner goes: after its minimum showing time and after
// start-up has finished, whichever comes last. Each event counts once, so a
// repeated notice cannot close the banner early.
#pragma once

namespace korvane {

class BannerClosing {
 public:
  // Each returns true when the banner is to close now (once only).
  bool TimerElapsed() { return Mark(timerElapsed_); }
  bool StartupDone() { return Mark(startupDone_); }
  bool Closed() const { return timerElapsed_ && startupDone_; }

 private:
  bool Mark(bool& event) {
    if (event) return false;
    event = true;
    return Closed();
  }
  bool timerElapsed_ = false, startupDone_ = false;
};

}  // namespace korvane
