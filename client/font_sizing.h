// The cell sizes of the screen fonts: the font files of each family, the
// sizes the display offers (learned by enumeration), and the choice of a
// size for a wanted window area. Adding and removing the files and making
// fonts are the Windows side's; this part only decides.
#pragma once

#include <string>
#include <vector>

#include "error_report.h"
#include "record_log.h"

namespace korvane {

struct CellSize {
  int width = 0, height = 0;
  int typeface = 0;  // 0 "Korvane Ascii", 1 "Korvane Ansi"
  bool operator==(const CellSize& o) const {
    return width == o.width && height == o.height && typeface == o.typeface;
  }
};

struct FontFile {
  std::string name;
  int width, height;
  bool loaded = false;
};

// A family's 24 files in rising size, the ASCII face before the ANSI face.
std::vector<FontFile> FontFileTable(bool serif);

// Sizes found by enumeration: at most 100, sorted by width (equal widths in
// the order found), no duplicates.
class AvailableSizes {
 public:
  static constexpr size_t kCapacity = 100;
  void Insert(const CellSize& size);
  const std::vector<CellSize>& Entries() const { return entries_; }

 private:
  std::vector<CellSize> entries_;
};

// What enumeration reports about one font, for the event log.
struct EnumeratedFont {
  std::string faceName;
  int width = 0, height = 0;
  bool fixedPitch = true;
  int weight = 400;
  bool underlined = false, italic = false;
  int charset = 255;
};
void LogEnumeratedFont(RecordLog& log, const EnumeratedFont& font);

class FontSizing {
 public:
  FontSizing(RecordLog& log, ErrorReporter& errors);

  bool serif = false;  // SerifFont; sans otherwise
  int typeface = 0;
  int cellWidth = 6, cellHeight = 12;
  AvailableSizes available;

  std::vector<FontFile>& Files() { return serif ? serifFiles_ : sansFiles_; }
  std::vector<FontFile>& Files(bool serifFamily) { return serifFamily ? serifFiles_ : sansFiles_; }

  // The size-choosing steps of SelectFontSize for the wanted area a x b
  // (height, width): the scan of the available sizes and the direction
  // rule. Sets the cell and returns it.
  CellSize ChooseSize(int a, int b, int direction);
  // ResizeFonts searches downwards for a smaller area, else upwards.
  int ResizeDirection(int height, int width) const;

  // Looks in the current family's file table; 1 with the chosen size in
  // height and width, or 0 when nothing fits.
  int AdjustForAvailable(int mode, int& height, int& width);
  // The widest available size of the current typeface not larger than the
  // given one, else the first available size; false when none is known.
  bool FindFontLE(int& width, int& height) const;
  bool SizeAvailable(int width, int height) const;

 private:
  // The available sizes, or the family's ladder when enumeration found none
  // of the current typeface (so a size can still be chosen).
  std::vector<CellSize> Candidates() const;

  RecordLog& log_;
  ErrorReporter& errors_;
  std::vector<FontFile> serifFiles_, sansFiles_;
};

}  // namespace korvane
