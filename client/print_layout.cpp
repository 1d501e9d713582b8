#include "print_layout.h"

#include <algorithm>
#include <climits>

namespace korvane {

PicturePlacement PlacePicture(int printableWidth, int printableHeight, int screenWidth, int screenHeight) {
  PicturePlacement placement;
  if (printableWidth <= 0 || printableHeight <= 0 || screenWidth <= 0 || screenHeight <= 0) return placement;
  // 64-bit: a high-resolution page times 100 does not fit an int.
  long long across = static_cast<long long>(printableWidth) * 100 / (static_cast<long long>(screenWidth) + 4);
  long long down = static_cast<long long>(printableHeight) * 100 / (static_cast<long long>(screenHeight) + 4);
  long long scale = std::min(across, down);
  // Whole tens keep the cells evenly stretched; a page too small for 10 %
  // still gets the largest picture that fits rather than an empty frame.
  if (scale >= 10) scale -= scale % 10;
  scale = std::clamp(scale, 1LL, static_cast<long long>(INT_MAX / 2));
  placement.scale = static_cast<int>(scale);
  placement.width = static_cast<int>(std::min<long long>(screenWidth * scale / 100, INT_MAX / 2));
  placement.height = static_cast<int>(std::min<long long>(screenHeight * scale / 100, INT_MAX / 2));
  return placement;
}

std::vector<std::string> PrintedRows(const ScreenModel& model) {
  std::vector<std::string> rows;
  if (!model.IsAllocated()) return rows;
  rows.reserve(static_cast<size_t>(model.totalRows()));
  for (int row = 0; row < model.totalRows(); ++row) {
    RowView view = model.RowForDisplay(row, model.scrollbackPosition());
    std::string text(view.text, static_cast<size_t>(model.columns()));
    std::replace(text.begin(), text.end(), '\0', ' ');
    rows.push_back(std::move(text));
  }
  return rows;
}

std::string PrinterFromDeviceEntry(const std::string& entry) { return entry.substr(0, entry.find(',')); }

}  // namespace korvane
