#include "frame_pacing.h"

#include <algorithm>

namespace korvane {

void FramePacer::Note(int top, int bottom, int totalRows, int left, int right) {
  top = std::max(top, 0);
  bottom = std::min(bottom, totalRows - 1);
  if (top > bottom) return;
  left = std::max(left, 0);
  left_ = anyStale_ ? std::min(left_, left) : left;
  right_ = anyStale_ ? std::max(right_, right) : right;
  if (stale_.size() < static_cast<size_t>(bottom) + 1) stale_.resize(static_cast<size_t>(bottom) + 1);
  std::fill(stale_.begin() + top, stale_.begin() + bottom + 1, true);
  anyStale_ = true;
}

bool FramePacer::PaintNow(bool moreWaiting, uint32_t nowMs) const {
  if (!anyStale_ || !moreWaiting || !painted_) return true;
  return nowMs - lastFrame_ >= kIntervalMs;
}

void FramePacer::Painted(uint32_t nowMs) {
  painted_ = true;
  lastFrame_ = nowMs;
}

std::vector<std::pair<int, int>> FramePacer::TakeStaleRanges(int totalRows) {
  std::vector<std::pair<int, int>> ranges;
  const int rows = std::min(static_cast<int>(stale_.size()), totalRows);
  for (int row = 0; row < rows; ++row) {
    if (!stale_[row]) continue;
    int last = row;
    while (last + 1 < rows && stale_[last + 1]) ++last;
    ranges.emplace_back(row, last);
    row = last;
  }
  Clear();
  return ranges;
}

void FramePacer::Clear() {
  std::fill(stale_.begin(), stale_.end(), false);
  anyStale_ = false;
}

}  // namespace korvane
