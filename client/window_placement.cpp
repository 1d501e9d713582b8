#include "window_placement.h"

#include "text_util.h"

namespace korvane {

InitialSize ChooseInitialSize(const ClientConfig& config, const std::optional<std::string>& lastSize,
                              int defaultCellWidth, int programShowCommand,
                              const std::function<bool(int, int)>& sizeAvailable, RecordLog& log) {
  InitialSize result{defaultCellWidth, programShowCommand};
  if (config.initialSize != 0) {
    log.Event("gblInitialSize initially %d\n", config.initialSize);
    if (config.initialSize == kMaximisedSize) {
      result.showCommand = kShowMaximize;
      log.Event("Set iCmdShow to MAX\n");
    } else {
      log.Event("Starting with gblInitialSize=%d\n", config.initialSize);
      if (sizeAvailable(config.initialSize, 2 * config.initialSize)) {
        result.cellWidth = config.initialSize;
        log.Event("is valid. Set sfw_n to %d\n", result.cellWidth);
      } else {
        log.Event("looks like it was rejected\n");
      }
    }
  } else {
    log.Event("gblInitialSize taken from Ini's\n");
    if (lastSize) {
      if (EqualsNoCase(*lastSize, "MAX")) {
        result.showCommand = kShowMaximize;
        log.Event("Set to maximized\n");
      } else {
        int width = DecimalInt(*lastSize);
        log.Event("Per LastSize, try to set to %d\n", width);
        if (sizeAvailable(width, 2 * width)) {
          result.cellWidth = width;
          log.Event("Size is valid\n");
        } else {
          log.Event("Size not valid\n");
        }
        result.showCommand = kShowNormal;
      }
    }
  }
  log.Event("Screen Inits\n");
  return result;
}

Point InitialWindowPosition(const ClientConfig& config, int gridWidth, int gridHeight, int screenWidth,
                            int screenHeight, const std::optional<std::string>& atx,
                            const std::optional<std::string>& aty) {
  if (config.windowLeft != 0) return {config.windowLeft, config.windowTop};
  Point p{(screenWidth - gridWidth) / 2, (screenHeight - gridHeight) / 2};
  if (atx) {
    int x = DecimalInt(*atx);
    if (x >= 0 && x < screenWidth - 50) p.x = x;
  }
  if (aty) {
    int y = DecimalInt(*aty);
    if (y >= 0 && y < screenHeight - 50) p.y = y;
  }
  return p;
}

Point CentredPosition(int width, int height, const std::optional<Rect>& owner, int screenWidth, int screenHeight) {
  if (owner) {
    Point p{owner->left + (owner->Width() - width) / 2, owner->top + (owner->Height() - height) / 2};
    if (p.x >= 0 && p.x <= screenWidth - 100 && p.y >= 0 && p.y <= screenHeight - 100) return p;
  }
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

}  // namespace korvane
