// Deferred drawing of host output. While a block of host data is taken in,
// the rows it changes are only noted; at the end of the block they are
// painted from the screen model, so a block costs one paint of each changed
// row instead of drawing every display message. While the host keeps the
// receive buffer full, frames closer together than kIntervalMs are skipped;
// the last one is painted when the output stops (or by the caller's timer).
#pragma once

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

namespace korvane {

class FramePacer {
 public:
  static constexpr uint32_t kIntervalMs = 20;

  // Buffer rows top..bottom changed in columns left..right; rows outside
  // 0..totalRows-1 are ignored.
  void Note(int top, int bottom, int totalRows, int left = 0, int right = INT_MAX);
  bool HasStale() const { return anyStale_; }
  // The first and last columns any note changed: the rows are painted
  // between them (an echoed key repaints its cell, not its row).
  int StaleLeft() const { return anyStale_ ? left_ : 0; }
  int StaleRight() const { return anyStale_ ? right_ : INT_MAX; }

  // At the end of a block: true to paint now, false to leave the frame to
  // a later block or the timer. `moreWaiting`: the host's output was not
  // drained. Tick counts may wrap around.
  bool PaintNow(bool moreWaiting, uint32_t nowMs) const;
  void Painted(uint32_t nowMs);

  // The noted rows as ranges of adjacent rows, top to bottom, within a grid
  // of totalRows (it may have shrunk since); the notes are cleared.
  std::vector<std::pair<int, int>> TakeStaleRanges(int totalRows);
  void Clear();

 private:
  std::vector<bool> stale_;
  bool anyStale_ = false;
  int left_ = 0, right_ = INT_MAX;
  bool painted_ = false;
  uint32_t lastFrame_ = 0;
};

}  // namespace korvane
