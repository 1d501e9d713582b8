// Sizing decisions of the main window, as pure functions the Windows side
// feeds with its measures: fitting the font to a new client area, keeping a
// window's centre, tiling all client windows, and where a scrollback bar
// action moves the bar.
#pragma once

#include "font_sizing.h"
#include "record_log.h"
#include "window_placement.h"

namespace korvane {

struct FitInput {
  bool minimised = false, maximised = false;
  int clientWidth = 0, clientHeight = 0;
  Rect window{0, 0, 0, 0};     // the window rectangle on the screen
  int frameX = 0, frameY = 0;  // sizing-frame thickness
  int screenWidth = 0, screenHeight = 0;
  int columns = 80, totalRows = 24;  // rows + status lines
  int cellWidth = 0, cellHeight = 0;
  int barWidth = 0;  // the scrollback bar's width when it is shown, else 0
};

struct FitPlan {
  enum class Action {
    kMinimised,       // nothing to do
    kPlaceMaximised,  // move the window to `maximisedWindow`; its next size message fits
    kFineAsIs,        // the grid fills the client area
    kResize,          // ResizeFonts(wantHeight, wantWidth)
  };
  Action action = Action::kFineAsIs;
  bool sizingCommandsEnabled = true;  // Bigger, Smaller, Center and Tile
  Rect maximisedWindow{0, 0, 0, 0};
  int wantWidth = 0, wantHeight = 0;
  // Maximised: the cell to search downwards from (one pixel above the
  // wanted size), set before ResizeFonts.
  bool setCell = false;
  int cellWidth = 0, cellHeight = 0;
};

// The size handler's decision, with its event-log lines up to the font
// choice. A maximised window must have its frame just off the screen.
FitPlan PlanFontFit(const FitInput& in, const FontSizing& fonts, RecordLog& log);

// A window of the new size whose centre is where the old one's was.
Rect KeepCentre(const Rect& old, int width, int height);

// Tiling: a columns by b rows for n windows.
struct TileGrid {
  int columns, rows;
};
TileGrid TileGridFor(int count);

struct TilePlan {
  TileGrid grid{2, 1};
  int column = 0, row = 0;
  int tileWidth = 0, tileHeight = 0;
  int cellWidth = 0, cellHeight = 0;  // the cell the tile wants
};
// Window `position` (1..count) of `count`: its tile and the cell that fits
// it after the window frame.
TilePlan PlanTile(int position, int count, int screenWidth, int screenHeight, int frameExtraWidth,
                  int frameExtraHeight, int columns, int totalRows);
// The available cell for the tile: the largest not larger, else the smallest.
CellSize TileCell(FontSizing& fonts, const TilePlan& plan);
// Top-left corner of a window of the given outer size in its tile: the step
// shrinks to the window (plus one pixel) and never walks off the screen.
Point TileOrigin(const TilePlan& plan, int windowWidth, int windowHeight, int screenWidth, int screenHeight);

// Scroll-bar notification codes (the SB_ values of Windows).
enum : int {
  kScrollLineUp = 0,
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
  kScrollTop = 6,
  kScrollBottom = 7,
};
// The bar position a notification asks for, within 0..maximum; the current
// position for codes that move nothing.
int ScrollbackTarget(int code, int thumb, int position, int rows, int maximum);

}  // namespace korvane
