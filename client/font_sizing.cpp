#include "font_sizing.h"

#include <algorithm>

#include "font_files.h"

namespace korvane {

std::vector<FontFile> FontFileTable(bool serif) {
  std::vector<FontFile> files;
  for (int w = kSmallestFontWidth; w <= kLargestFontWidth; ++w)
    for (int typeface = 0; typeface < 2; ++typeface) files.push_back({FontFileName(w, 2 * w, serif, typeface), w, 2 * w});
  return files;
}

void AvailableSizes::Insert(const CellSize& size) {
  if (entries_.size() >= kCapacity || std::find(entries_.begin(), entries_.end(), size) != entries_.end()) return;
  auto after = std::upper_bound(entries_.begin(), entries_.end(), size,
                                [](const CellSize& a, const CellSize& b) { return a.width < b.width; });
  entries_.insert(after, size);
}

void LogEnumeratedFont(RecordLog& log, const EnumeratedFont& f) {
  if (!log.recordEvents) return;
  log.WriteRecord("ENUM: Font Name %s\t", f.faceName.c_str());
  log.WriteRecord("size %dx%d\t", f.width, f.height);
  log.WriteRecord("%s pitch\t", f.fixedPitch ? "FIXED" : "VARIABLE");
  log.WriteRecord("weight %d\t", f.weight);
  if (f.underlined) log.WriteRecord("Underlined\t");
  if (f.italic) log.WriteRecord("Italic\t");
  const char* set = f.charset == 0 ? "ANSI" : f.charset == 2 ? "SYMBOL" : f.charset == 255 ? "OEM" : "OTHER";
  log.WriteRecord("char set %s\n", set);
}

FontSizing::FontSizing(RecordLog& log, ErrorReporter& errors)
    : log_(log), errors_(errors), serifFiles_(FontFileTable(true)), sansFiles_(FontFileTable(false)) {}

std::vector<CellSize> FontSizing::Candidates() const {
  for (const CellSize& s : available.Entries())
    if (s.typeface == typeface) return available.Entries();
  std::vector<CellSize> ladder;
  for (int w = kSmallestFontWidth; w <= kLargestFontWidth; ++w) ladder.push_back({w, 2 * w, typeface});
  return ladder;
}

// The first size of the typeface whose area reaches the wanted one. When it
// is not exactly the wanted area, a downward search takes the nearest
// smaller size of the typeface (or its smallest), an upward one keeps the
// candidate (or the typeface's largest when none was big enough).
CellSize FontSizing::ChooseSize(int a, int b, int direction) {
  std::vector<CellSize> sizes = Candidates();
  long long wanted = static_cast<long long>(a) * b;
  int count = static_cast<int>(sizes.size()), n = count;
  auto area = [&](int i) { return static_cast<long long>(sizes[i].width) * sizes[i].height; };
  for (int i = 0; i < count; ++i)
    if (sizes[i].typeface == typeface && area(i) >= wanted) {
      log_.Event("%d: Typeface %d and %lld >= %lld\n", i, typeface, area(i), wanted);
      n = i;
      break;
    }
  if (n == count || area(n) != wanted) {
    int from = direction > 0 ? std::min(n, count - 1) : n - 1;
    int found = -1;
    for (int i = from; i >= 0 && found < 0; --i)
      if (sizes[i].typeface == typeface) found = i;
    for (int i = 0; i < count && found < 0; ++i)
      if (sizes[i].typeface == typeface) found = i;
    n = found;
  }
  cellWidth = sizes[n].width;
  cellHeight = sizes[n].height;
  return sizes[n];
}

int FontSizing::ResizeDirection(int height, int width) const {
  return static_cast<long long>(height) * width < static_cast<long long>(cellHeight) * cellWidth ? -1 : 1;
}

int FontSizing::AdjustForAvailable(int mode, int& height, int& width) {
  if (mode < -2 || mode > 2) {
    errors_.SetErrorLocation(__FILE__, __LINE__);
    errors_.ErrorCall(kProgramError, 1203, 0, "Unhandled switch: %d: in AdjustForAvailable\n", mode);
    return 0;
  }
  const FontFile* chosen = nullptr;
  for (const FontFile& f : Files()) {  // rising size
    if (mode > 0) {
      if (f.width >= width && f.height >= height) {
        chosen = &f;
        break;
      }
    } else if (mode == 0 ? f.width == width && f.height == height
               : mode == -1 ? f.width <= width && f.height <= height
                            : f.width < width && f.height < height) {
      chosen = &f;  // the last one that fits is the largest
    }
  }
  if (!chosen) return 0;
  height = chosen->height;
  width = chosen->width;
  return 1;
}

bool FontSizing::FindFontLE(int& width, int& height) const {
  const auto& sizes = available.Entries();
  if (sizes.empty()) return false;
  const CellSize* found = nullptr;
  for (const CellSize& s : sizes)
    if (s.typeface == typeface && s.width <= width && s.height <= height) found = &s;
  if (!found) found = &sizes.front();
  width = found->width;
  height = found->height;
  return true;
}

bool FontSizing::SizeAvailable(int width, int height) const {
  const auto& sizes = available.Entries();
  return std::find(sizes.begin(), sizes.end(), CellSize{width, height, typeface}) != sizes.end();
}

}  // namespace korvane
