#include "screen_selection.h"

#include <algorithm>
#include <cctype>

namespace korvane {

Point SnapToCell(Point p, int cellWidth, int cellHeight) {
  cellWidth = std::max(1, cellWidth);
  cellHeight = std::max(1, cellHeight);
  return {std::max(0, p.x) / cellWidth * cellWidth, std::max(0, p.y) / cellHeight * cellHeight};
}

Rect SelectionRectangle(Point anchor, Point release, int cellWidth, int cellHeight) {
  cellWidth = std::max(1, cellWidth);
  cellHeight = std::max(1, cellHeight);
  // The mouse is captured, so the release may lie left of or above the window.
  release.x = std::max(0, release.x);
  release.y = std::max(0, release.y);
  Rect r{std::min(anchor.x, release.x), std::min(anchor.y, release.y), 0, 0};
  r.right = (std::max(anchor.x, release.x) / cellWidth + 1) * cellWidth;
  r.bottom = (std::max(anchor.y, release.y) / cellHeight + 1) * cellHeight;
  return r;
}

std::string SelectionText(const ScreenModel& model, int x1, int y1, int x2, int y2, int cellWidth, int cellHeight) {
  if (!model.IsAllocated() || cellWidth <= 0 || cellHeight <= 0 || x1 < 0 || y1 < 0) return std::string();
  const int firstColumn = x1 / cellWidth, firstRow = y1 / cellHeight;
  int columns = (x2 - x1) / cellWidth, rows = (y2 - y1) / cellHeight;
  if (columns <= 0 || rows <= 0) return std::string();
  columns = std::min(columns, model.columns() - firstColumn);
  rows = std::min(rows, model.totalRows() - firstRow);
  std::string text;
  for (int r = firstRow; r < firstRow + rows && columns > 0; ++r) {
    RowView view = model.RowForDisplay(r, model.scrollbackPosition());
    std::string line(view.text + firstColumn, static_cast<size_t>(columns));
    line.erase(line.find_last_not_of(' ') + 1);
    text += line;
    text += '\n';
  }
  std::replace(text.begin(), text.end(), '\0', ' ');
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  return text;
}

}  // namespace korvane
