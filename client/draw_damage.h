// What the window's pixels lack while drawing is batched: for each row the
// first column whose pixels are stale (the rest of the row is painted from
// there), and one pending move of a block of whole rows that comes before
// any of that painting. Moves of the same block add up, so a burst of
// scrolling costs one pixel copy.
#pragma once

#include <optional>
#include <vector>

namespace korvane {

class DrawDamage {
 public:
  struct Move {
    int top = 0, bottom = -1;  // rows of the block
    int lines = 0;             // > 0 up, < 0 down
  };

  // Nothing stale, no move pending.
  void Clear();
  bool Empty() const { return !move_ && dirtyRows_ == 0; }

  // The cells of a row from `left` on are stale.
  void MarkFrom(int row, int left);
  void MarkRows(int top, int bottom);

  // Whole rows top..bottom moved by `lines`, as the model's did. False when
  // a move of another block is pending: the caller applies that one first
  // (TakeMove) and asks again. The rows that open are marked stale.
  bool AddMove(int top, int bottom, int lines);
  // The pending move, if any; none once taken. A move of the whole block
  // height or more has nothing worth copying: the block is marked instead.
  std::optional<Move> TakeMove();

  // The first stale column of a row; -1 when the row is clean.
  int StaleFrom(int row) const;
  int RowsTracked() const { return static_cast<int>(staleFrom_.size()); }

 private:
  void Grow(int rows);
  std::vector<int> staleFrom_;  // -1: clean
  int dirtyRows_ = 0;
  std::optional<Move> move_;
};

}  // namespace korvane
