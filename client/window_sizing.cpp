#include "window_sizing.h"

#include <algorithm>

namespace korvane {

namespace {

int IntegerSquareRoot(int n) {
  int root = 0;
  while ((root + 1) * (root + 1) <= n) ++root;
  return root;
}

// Step 4 for a maximised window: its frame must lie just outside the screen.
bool MaximisedInPlace(const FitInput& in, FitPlan& plan, RecordLog& log) {
  Rect wanted{-in.frameX, -in.frameY, in.screenWidth + in.frameX, in.screenHeight + in.frameY};
  const Rect& w = in.window;
  if (w.left == wanted.left && w.top == wanted.top && w.right == wanted.right && w.bottom == wanted.bottom) {
    log.Event("    Do nothing\n");
    return true;
  }
  log.Event("    Adjust size for maximize\n");
  plan.action = FitPlan::Action::kPlaceMaximised;
  plan.maximisedWindow = wanted;
  return false;
}

}  // namespace

FitPlan PlanFontFit(const FitInput& in, const FontSizing& fonts, RecordLog& log) {
  FitPlan plan;
  log.Event("WM_SIZE\n");
  if (in.minimised) {
    log.Event("    is minimized\n");
    plan.action = FitPlan::Action::kMinimised;
    return plan;
  }
  if (in.maximised) log.Event("    Is maximized\n");
  plan.sizingCommandsEnabled = !in.maximised;
  log.Event("    Client rect %d x %d\n", in.clientWidth, in.clientHeight);
  if (in.maximised && !MaximisedInPlace(in, plan, log)) return plan;

  const int columns = std::max(1, in.columns), totalRows = std::max(1, in.totalRows);
  int gridWidth = columns * in.cellWidth + in.barWidth, gridHeight = totalRows * in.cellHeight;
  if (gridWidth == in.clientWidth && gridHeight == in.clientHeight) {
    log.Event("    Fine as is\n");
    plan.action = FitPlan::Action::kFineAsIs;
    return plan;
  }
  log.Event("    is: %d x %d, wants: %d x %d\n", gridWidth, gridHeight, in.clientWidth, in.clientHeight);

  int width = std::max(0, in.clientWidth - in.barWidth) / columns, height = std::max(0, in.clientHeight) / totalRows;
  // The same cell again would leave the window as it is: Bigger asks for
  // one pixel more.
  if (width == in.cellWidth && height == in.cellHeight) ++width, ++height;
  log.Event("    Desired Font Size=%d x %d\n", width, height);
  if (in.maximised) {
    log.Event("    do FindFontLE\n");
    fonts.FindFontLE(width, height);
    plan.setCell = true;
    plan.cellWidth = width + 1;
    plan.cellHeight = height + 1;
    log.Event("    Do maximized adjust to %d x %d\n", width, height);
  }
  plan.action = FitPlan::Action::kResize;
  plan.wantWidth = width;
  plan.wantHeight = height;
  return plan;
}

Rect KeepCentre(const Rect& old, int width, int height) {
  int cx = old.left + old.Width() / 2, cy = old.top + old.Height() / 2;
  Rect r{cx - width / 2, cy - height / 2, 0, 0};
  r.right = r.left + width;
  r.bottom = r.top + height;
  return r;
}

TileGrid TileGridFor(int count) {
  int a = std::max(2, IntegerSquareRoot(count));
  int b = std::max(1, count / a);
  while (a + 1 < b) ++a, --b;
  while (a * b < count) {
    if (a < b)
      ++a;
    else
      ++b;
  }
  return {a, b};
}

TilePlan PlanTile(int position, int count, int screenWidth, int screenHeight, int frameExtraWidth,
                  int frameExtraHeight, int columns, int totalRows) {
  TilePlan plan;
  plan.grid = TileGridFor(count);
  int k = std::clamp(position, 1, std::max(1, count)) - 1;
  plan.column = k % plan.grid.columns;
  plan.row = k / plan.grid.columns;
  plan.tileWidth = screenWidth / plan.grid.columns;
  plan.tileHeight = screenHeight / plan.grid.rows;
  plan.cellHeight = std::max(0, plan.tileHeight - frameExtraHeight) / std::max(1, totalRows);
  plan.cellWidth = std::max(0, plan.tileWidth - frameExtraWidth) / std::max(1, columns);
  return plan;
}

CellSize TileCell(FontSizing& fonts, const TilePlan& plan) {
  CellSize cell{plan.cellWidth, plan.cellHeight, fonts.typeface};
  if (fonts.AdjustForAvailable(-1, cell.height, cell.width)) return cell;
  cell.width = cell.height = 1;
  fonts.AdjustForAvailable(1, cell.height, cell.width);
  return cell;
}

Point TileOrigin(const TilePlan& plan, int windowWidth, int windowHeight, int screenWidth, int screenHeight) {
  int stepX = plan.tileWidth, stepY = plan.tileHeight;
  if (windowWidth < stepX) stepX = windowWidth + 1;
  if (windowHeight < stepY) stepY = windowHeight + 1;
  if (plan.grid.columns * stepX > screenWidth) stepX = screenWidth / plan.grid.columns;
  if (plan.grid.rows * stepY > screenHeight) stepY = screenHeight / plan.grid.rows;
  return {plan.column * stepX, plan.row * stepY};
}

int ScrollbackTarget(int code, int thumb, int position, int rows, int maximum) {
  int target = position;
  switch (code) {
    case kScrollLineUp: target = position - 1; break;
    case kScrollLineDown: target = position + 1; break;
    case kScrollPageUp: target = position - rows; break;
    case kScrollPageDown: target = position + rows; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: target = thumb; break;
    case kScrollTop: target = 0; break;
    case kScrollBottom: target = maximum; break;
    default: break;
  }
  return std::clamp(target, 0, std::max(0, maximum));
}

}  // namespace korvane
