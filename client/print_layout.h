// Printing the screen, the parts that need no printer: where the picture
// goes on the page and at what scale, the text of the printed rows, and the
// printer named by a "device" profile entry.
#pragma once

#include <string>
#include <vector>

#include "screen_model.h"

namespace korvane {

// The picture of the screen on a page: scaled by a whole multiple of ten
// percent so the frame (2 pixels each side) fits the printable area.
struct PicturePlacement {
  int scale = 0;              // percent
  int width = 0, height = 0;  // the stretched bitmap, drawn at (2, 2)
};
PicturePlacement PlacePicture(int printableWidth, int printableHeight, int screenWidth, int screenHeight);

// The rows as displayed (scrollback view included, status line last), each
// `columns` characters; the fillers of double-width characters print as
// spaces.
std::vector<std::string> PrintedRows(const ScreenModel& model);

// "name,driver,port" -> "name"; empty when there is no printer.
std::string PrinterFromDeviceEntry(const std::string& entry);

}  // namespace korvane
