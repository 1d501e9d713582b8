// Placement decisions of the main window and the centring rule shared by the
// client's dialogs. Pure functions; the Windows side supplies the measures.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "client_config.h"
#include "record_log.h"

namespace korvane {

// ShowWindow commands used by the decisions below.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximize = 3;

struct InitialSize {
  int cellWidth;    // cell height is twice the width
  int showCommand;  // the program's own unless a size decision changes it
};

// Initial cell width and show command from -X or the terminal type's
// LastSize, with the event-log lines of each decision.
InitialSize ChooseInitialSize(const ClientConfig& config, const std::optional<std::string>& lastSize,
                              int defaultCellWidth, int programShowCommand,
                              const std::function<bool(int width, int height)>& sizeAvailable, RecordLog& log);

struct Point {
  int x, y;
};

// Top-left corner of the main window: the -X position when its left edge is
// not 0, else centred, with atx/aty taking over when inside the screen.
Point InitialWindowPosition(const ClientConfig& config, int gridWidth, int gridHeight, int screenWidth,
                            int screenHeight, const std::optional<std::string>& atx,
                            const std::optional<std::string>& aty);

struct Rect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Centring of a window of the given size: over the owner when there is one
// and the result lies inside [0, screen - 100]; otherwise on the screen.
Point CentredPosition(int width, int height, const std::optional<Rect>& owner, int screenWidth, int screenHeight);

}  // namespace korvane
