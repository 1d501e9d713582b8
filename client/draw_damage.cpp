#include "draw_damage.h"

#include <algorithm>
#include <cstdlib>

namespace korvane {

void DrawDamage::Clear() {
  std::fill(staleFrom_.begin(), staleFrom_.end(), -1);
  dirtyRows_ = 0;
  move_.reset();
}

void DrawDamage::Grow(int rows) {
  if (rows > static_cast<int>(staleFrom_.size())) staleFrom_.resize(static_cast<size_t>(rows), -1);
}

void DrawDamage::MarkFrom(int row, int left) {
  if (row < 0) return;
  left = std::max(left, 0);
  Grow(row + 1);
  int& from = staleFrom_[static_cast<size_t>(row)];
  if (from < 0) {
    ++dirtyRows_;
    from = left;
  } else {
    from = std::min(from, left);
  }
}

void DrawDamage::MarkRows(int top, int bottom) {
  for (int row = std::max(top, 0); row <= bottom; ++row) MarkFrom(row, 0);
}

int DrawDamage::StaleFrom(int row) const {
  if (row < 0 || row >= static_cast<int>(staleFrom_.size())) return -1;
  return staleFrom_[static_cast<size_t>(row)];
}

bool DrawDamage::AddMove(int top, int bottom, int lines) {
  if (top > bottom || lines == 0) return true;
  if (move_ && (move_->top != top || move_->bottom != bottom)) return false;
  Grow(bottom + 1);
  // Stale rows travel with their pixels; the rows that open are stale.
  std::vector<int> moved(static_cast<size_t>(bottom - top + 1), 0);
  for (int row = top; row <= bottom; ++row) {
    int source = row + lines;
    moved[static_cast<size_t>(row - top)] = (source < top || source > bottom) ? 0 : staleFrom_[static_cast<size_t>(source)];
  }
  for (int row = top; row <= bottom; ++row) {
    int& from = staleFrom_[static_cast<size_t>(row)];
    dirtyRows_ -= from >= 0;
    from = moved[static_cast<size_t>(row - top)];
    dirtyRows_ += from >= 0;
  }
  if (!move_) move_ = Move{top, bottom, 0};
  move_->lines += lines;
  return true;
}

std::optional<DrawDamage::Move> DrawDamage::TakeMove() {
  std::optional<Move> move = move_;
  move_.reset();
  if (!move || move->lines == 0) return std::nullopt;
  if (std::abs(move->lines) > move->bottom - move->top) {
    // Every row opened: already marked stale, nothing to copy.
    return std::nullopt;
  }
  return move;
}

}  // namespace korvane
