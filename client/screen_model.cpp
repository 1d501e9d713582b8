#include "screen_model.h"

#include <algorithm>
#include <cstring>

namespace korvane {

namespace {

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

// Index 0, the default attribute, is what most blanked cells get: a byte
// fill does it. Others take a plain loop, which the compiler turns into
// wide stores.
void FillAttributes(uint32_t* cells, size_t count, uint32_t value) {
  if (value == 0) {
    std::memset(cells, 0, count * sizeof(uint32_t));
    return;
  }
  for (size_t i = 0; i < count; ++i) cells[i] = value;
}

}  // namespace

int ScreenModel::WrapIndex(long long value, int dimension) {
  if (value >= 0 && value < dimension) return static_cast<int>(value);  // the usual case, without a division
  long long m = value % dimension;
  return static_cast<int>(m < 0 ? m + dimension : m);
}

void ScreenModel::AllocatePage(PageRecord& page, int rows, int columns) {
  size_t cells = static_cast<size_t>(rows) * static_cast<size_t>(columns);
  page.text.assign(cells, ' ');
  page.attributes.assign(cells, 0);
  page.order.resize(static_cast<size_t>(rows));
  for (int row = 0; row < rows; ++row) page.order[static_cast<size_t>(row)] = row;
}

void ScreenModel::Allocate(int rows, int columns, int statusLines, int scrollbackLines) {
  rows_ = Clamp(rows, 1, kMaxRows);
  columns_ = Clamp(columns, 1, kMaxColumns);
  statusLines_ = statusLines > 0 ? 1 : 0;
  for (PageRecord& page : pages_) {
    AllocatePage(page, totalRows(), columns_);
    page.statusText.fill(' ');
    page.statusAttributes.fill(0);
    page.saved = SavedCursor{};
  }
  currentPage_ = highestPage_ = 0;
  cursorRow_ = cursorColumn_ = 0;
  pendingWrap = false;
  cursorDepth_ = 0;
  ResetRegion();

  ringLines_ = Clamp(scrollbackLines, 0, kMaxScrollbackLines);
  // Never-written slots show as blank lines.
  ringText_.assign(static_cast<size_t>(ringLines_) * kRingSlotCells, ' ');
  ringAttributes_.assign(static_cast<size_t>(ringLines_) * kRingSlotCells, 0);
  ringUsed_.assign(static_cast<size_t>(ringLines_), 0);
  ringWrite_ = ringOldest_ = 0;
  scrollbackPosition_ = ringLines_;
}

void ScreenModel::ClampCursor() { MoveTo(cursorRow_, cursorColumn_); }

bool ScreenModel::SetRegion(int top, int bottom) {
  if (top < 0 || top >= rows_ || bottom < 0 || bottom >= rows_ || top >= bottom) return false;
  regionTop_ = top;
  regionBottom_ = bottom;
  return true;
}

void ScreenModel::ResetRegion() {
  regionTop_ = 0;
  regionBottom_ = rows_ - 1;
}

void ScreenModel::SetDefaultTabStops() {
  ClearAllTabStops();
  for (int column = 8; column < columns_ && column < kTabStopCount; column += 8) tabStops_[column] = true;
}

void ScreenModel::SetTabStop(int column, bool on) {
  if (column >= 0 && column < kTabStopCount) tabStops_[column] = on;
}

void ScreenModel::ClearAllTabStops() { tabStops_.fill(false); }

bool ScreenModel::HasTabStop(int column) const {
  return column >= 0 && column < kTabStopCount && tabStops_[column];
}

int ScreenModel::NextTabStop(int column) const {
  for (int c = std::max(column + 1, 0); c < columns_ && c < kTabStopCount; ++c)
    if (tabStops_[c]) return c;
  return -1;
}

int ScreenModel::PreviousTabStop(int column) const {
  for (int c = std::min(column - 1, kTabStopCount - 1); c >= 0; --c)
    if (tabStops_[c]) return c;
  return -1;
}

CellRect ScreenModel::Normalise(const CellRect& rect) const {
  return CellRect{WrapIndex(rect.left, columns_), WrapIndex(rect.top, rows_), WrapIndex(rect.right, columns_),
                  WrapIndex(rect.bottom, rows_)};
}

void ScreenModel::BlankCells(int row, int left, int right) {
  if (left > right) return;
  size_t at = Offset(row) + static_cast<size_t>(left);
  size_t count = static_cast<size_t>(right - left + 1);
  std::memset(&Current().text[at], ' ', count);
  FillAttributes(&Current().attributes[at], count, attribute);
}

void ScreenModel::Store(int row, int column, const char* text, int count, uint32_t attributeIndex, bool doubleWidth) {
  if (!text || row < 0 || row >= totalRows() || column < 0 || column >= columns_) return;
  int width = doubleWidth ? 2 : 1;
  int fits = std::min(count, (columns_ - column) / width);
  if (fits <= 0) return;
  char* cells = RowText(row) + column;
  uint32_t* attributes = RowAttributes(row) + column;
  if (!doubleWidth) {
    std::memcpy(cells, text, static_cast<size_t>(fits));
  } else {
    for (int i = 0; i < fits; ++i) {
      cells[2 * i] = text[i];
      cells[2 * i + 1] = 0;
    }
  }
  std::fill_n(attributes, fits * width, attributeIndex);
}

void ScreenModel::Erase(const CellRect& rect) {
  CellRect r = Normalise(rect);
  for (int row = r.top; row <= r.bottom; ++row) BlankCells(row, r.left, r.right);
}

void ScreenModel::FeedRing(int row) {
  if (ringLines_ == 0) return;
  size_t slot = static_cast<size_t>(ringWrite_) * kRingSlotCells;
  std::memcpy(&ringText_[slot], RowText(row), static_cast<size_t>(columns_));
  std::memcpy(&ringAttributes_[slot], RowAttributes(row), static_cast<size_t>(columns_) * sizeof(uint32_t));
  // The rest of the slot must not show an older, wider line.
  int& used = ringUsed_[static_cast<size_t>(ringWrite_)];
  if (used > columns_) {
    std::memset(&ringText_[slot + columns_], ' ', static_cast<size_t>(used - columns_));
    std::fill_n(&ringAttributes_[slot + columns_], used - columns_, 0u);
  }
  used = columns_;
  // Without a division: one of these per line scrolled out.
  ringWrite_ = ringWrite_ + 1 == ringLines_ ? 0 : ringWrite_ + 1;
  if (ringWrite_ == ringOldest_) ringOldest_ = ringOldest_ + 1 == ringLines_ ? 0 : ringOldest_ + 1;
}

void ScreenModel::ScrollRect(const CellRect& rect, int n) {
  CellRect r = Normalise(rect);
  if (n == 0 || r.left > r.right || r.top > r.bottom) return;
  int height = r.bottom - r.top + 1;
  int count = static_cast<int>(std::min<long long>(height, n < 0 ? -static_cast<long long>(n) : n));
  bool wholeScreen = r.left == 0 && r.top == 0 && r.right == columns_ - 1 && r.bottom == rows_ - 1;
  if (n > 0 && wholeScreen)
    for (int row = 0; row < count; ++row) FeedRing(row);

  size_t width = static_cast<size_t>(r.right - r.left + 1);
  if (width == static_cast<size_t>(columns_)) {
    // Whole rows: the index turns, taking the lines that move out round to
    // where lines open, and those are blanked.
    int* first = Current().order.data() + r.top;
    int* last = Current().order.data() + r.bottom + 1;
    if (count == 1 && n > 0) {  // a line feed at the bottom: by far the most frequent
      int out = *first;
      std::memmove(first, first + 1, static_cast<size_t>(height - 1) * sizeof(int));
      last[-1] = out;
    } else {
      std::rotate(first, n > 0 ? first + count : last - count, last);
    }
    int opened = n > 0 ? r.bottom - count + 1 : r.top;
    for (int row = opened; row < opened + count; ++row) BlankCells(row, 0, columns_ - 1);
    return;
  }
  // Part of each row: the cells move.
  auto moveRows = [&](int to, int from, int rows) {
    if (rows <= 0) return;
    auto moveRow = [&](int i) {
      std::memmove(RowText(to + i) + r.left, RowText(from + i) + r.left, width);
      std::memmove(RowAttributes(to + i) + r.left, RowAttributes(from + i) + r.left, width * sizeof(uint32_t));
    };
    if (to < from)
      for (int i = 0; i < rows; ++i) moveRow(i);
    else
      for (int i = rows - 1; i >= 0; --i) moveRow(i);
  };
  int moving = height - count;
  if (n > 0) {
    moveRows(r.top, r.top + count, moving);
    for (int row = r.bottom - count + 1; row <= r.bottom; ++row) BlankCells(row, r.left, r.right);
  } else {
    moveRows(r.top + count, r.top, moving);
    for (int row = r.top; row < r.top + count; ++row) BlankCells(row, r.left, r.right);
  }
}

void ScreenModel::ShiftRect(const CellRect& rect, int n) {
  CellRect r = Normalise(rect);
  if (n == 0 || r.left > r.right || r.top > r.bottom) return;
  int width = r.right - r.left + 1;
  int count = static_cast<int>(std::min<long long>(width, n < 0 ? -static_cast<long long>(n) : n));
  size_t kept = static_cast<size_t>(width - count);
  for (int row = r.top; row <= r.bottom; ++row) {
    char* text = RowText(row);
    uint32_t* attributes = RowAttributes(row);
    if (n > 0) {
      std::memmove(text + r.left + count, text + r.left, kept);
      std::memmove(attributes + r.left + count, attributes + r.left, kept * sizeof(uint32_t));
      BlankCells(row, r.left, r.left + count - 1);
    } else {
      std::memmove(text + r.left, text + r.left + count, kept);
      std::memmove(attributes + r.left, attributes + r.left + count, kept * sizeof(uint32_t));
      BlankCells(row, r.right - count + 1, r.right);
    }
  }
}

bool ScreenModel::SetStatusText(const char* text, int length) {
  if (!HasStatusLine()) return false;
  int n = text ? Clamp(length, 0, columns_) : 0;
  char* row = RowText(rows_);
  if (n > 0) std::memcpy(row, text, static_cast<size_t>(n));
  std::memset(row + n, ' ', static_cast<size_t>(columns_ - n));
  return true;
}

void ScreenModel::SetStatusAttributes(uint32_t attributeIndex) {
  if (HasStatusLine()) std::fill_n(RowAttributes(rows_), columns_, attributeIndex);
  Current().statusAttributes.fill(attributeIndex);
}

void ScreenModel::SaveStatusLine() {
  if (!HasStatusLine()) return;
  std::memcpy(Current().statusText.data(), RowText(rows_), static_cast<size_t>(columns_));
  std::copy_n(RowAttributes(rows_), columns_, Current().statusAttributes.data());
}

void ScreenModel::RestoreStatusLine() {
  if (!HasStatusLine()) return;
  std::memcpy(RowText(rows_), Current().statusText.data(), static_cast<size_t>(columns_));
  std::copy_n(Current().statusAttributes.data(), columns_, RowAttributes(rows_));
}

bool ScreenModel::Resize(int rows, int columns, int statusLines) {
  int newRows = rows ? Clamp(rows, 1, kMaxRows) : rows_;
  int newColumns = columns ? Clamp(columns, 1, kMaxColumns) : columns_;
  int newStatus = statusLines > 0 ? 1 : 0;
  if (newRows == rows_ && newColumns == columns_ && newStatus == statusLines_) return false;

  int shown = currentPage_;
  for (int p = 0; p < kPageCount; ++p) {
    currentPage_ = p;
    SaveStatusLine();
    PageRecord fresh;
    AllocatePage(fresh, newRows + newStatus, newColumns);
    int copyRows = std::min(rows_, newRows + newStatus);
    size_t copyColumns = static_cast<size_t>(std::min(columns_, newColumns));
    for (int row = 0; row < copyRows; ++row) {
      size_t from = Offset(row), to = static_cast<size_t>(row) * static_cast<size_t>(newColumns);
      std::memcpy(&fresh.text[to], &pages_[p].text[from], copyColumns);
      std::copy_n(&pages_[p].attributes[from], copyColumns, &fresh.attributes[to]);
    }
    pages_[p].text.swap(fresh.text);
    pages_[p].attributes.swap(fresh.attributes);
    pages_[p].order.swap(fresh.order);
  }
  rows_ = newRows;
  columns_ = newColumns;
  statusLines_ = newStatus;
  for (int p = 0; p < kPageCount; ++p) {
    currentPage_ = p;
    RestoreStatusLine();
  }
  currentPage_ = shown;
  ResetRegion();
  ClampCursor();
  return true;
}

bool ScreenModel::SwitchPage(int page) {
  int target = page;
  if (page == -1)
    target = currentPage_ + 1 > highestPage_ ? 0 : currentPage_ + 1;
  else if (page == -2)
    target = currentPage_ - 1 < 0 ? highestPage_ : currentPage_ - 1;
  else if (page < 0 || page > highestPage_)
    return false;
  if (target == currentPage_) return false;
  Current().saved = SavedCursor{cursorRow_, cursorColumn_, attribute};
  currentPage_ = target;
  MoveTo(Current().saved.row, Current().saved.column);
  attribute = Current().saved.attribute;
  return true;
}

void ScreenModel::SetMemoryPages(int count) {
  if (count >= 1 && count <= kPageCount) highestPage_ = count - 1;
}

void ScreenModel::PushCursor(bool withAttribute) {
  if (cursorDepth_ >= kCursorStackDepth) return;
  SavedCursor& entry = cursorStack_[cursorDepth_++];
  entry.row = cursorRow_;
  entry.column = cursorColumn_;
  if (withAttribute) entry.attribute = attribute;
}

SavedCursor ScreenModel::PopCursor(bool withAttribute) {
  if (cursorDepth_ > 0) --cursorDepth_;
  const SavedCursor& entry = cursorStack_[cursorDepth_];
  MoveTo(entry.row, entry.column);
  if (withAttribute) attribute = entry.attribute;
  return entry;
}

void ScreenModel::SetScrollbackPosition(int position) { scrollbackPosition_ = Clamp(position, 0, ringLines_); }

RowView ScreenModel::RowForDisplay(int row, int position) const {
  row = Clamp(row, 0, totalRows() - 1);
  int p = Clamp(position, 0, ringLines_);
  if (p == ringLines_ || row + p >= ringLines_) {
    int live = row + p - ringLines_;
    return RowView{RowText(live), RowAttributes(live)};
  }
  size_t slot = static_cast<size_t>((row + p + ringWrite_) % ringLines_) * kRingSlotCells;
  return RowView{&ringText_[slot], &ringAttributes_[slot]};
}

}  // namespace korvane
