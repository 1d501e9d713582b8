#include "font_loading.h"

#include "client_app.h"
#include "font_files.h"
#include "main_window.h"
#include "resource_ids.h"

namespace korvane {

namespace {

// The font files live beside the program.
std::string FontPath(const std::string& name) {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string directory(path, length < sizeof path ? length : 0);
  size_t slash = directory.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : directory.substr(0, slash + 1)) + name;
}

bool AddFontFile(FontFile& file) {
  if (!file.loaded && AddFontResourceA(FontPath(file.name).c_str()) > 0) file.loaded = true;
  return file.loaded;
}

int CALLBACK EnumFont(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD, LPARAM typeface) {
  EnumeratedFont font;
  font.faceName = lf->lfFaceName;
  font.width = lf->lfWidth ? lf->lfWidth : tm->tmAveCharWidth;
  font.height = lf->lfHeight ? lf->lfHeight : tm->tmHeight;
  font.fixedPitch = (tm->tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;  // the bit means variable pitch
  font.weight = lf->lfWeight;
  font.underlined = lf->lfUnderline != 0;
  font.italic = lf->lfItalic != 0;
  font.charset = lf->lfCharSet;
  LogEnumeratedFont(App().log, font);
  App().fonts.available.Insert({font.width, font.height, static_cast<int>(typeface)});
  return 1;
}

void EnumerateSizes() {
  HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  if (!ic) return;
  for (int typeface = 0; typeface < 2; ++typeface)
    EnumFontFamiliesA(ic, kTypefaceNames[typeface], EnumFont, typeface);
  DeleteDC(ic);
}

}  // namespace

int LoadFonts() {
  FontSizing& fonts = App().fonts;
  fonts.serif = App().config.serifFont;
  int added = 0;
  for (FontFile& file : fonts.Files()) added += AddFontFile(file) ? 1 : 0;
  if (added == 0) {
    KV_ERROR(kAbort, 1003, GetLastError(), "Can't find font files!");
    return 1001;
  }
  EnumerateSizes();
  UnloadFontFiles();
  switch (App().attributes.Allocate()) {
    case AttributeTable::Allocation::kFontTableFailed:
      KV_ERROR(kSystemError, 1115, 0, "Out of memory on FontTable allocation");
      return 1001;
    case AttributeTable::Allocation::kAttrTableFailed:
      KV_ERROR(kSystemError, 1115, 0, "Out of memory on AttrTable allocation");
      return 1001;
    case AttributeTable::Allocation::kDone:
      break;
  }
  return 0;
}

void UnloadFontFiles() {
  for (bool serif : {true, false})
    for (FontFile& file : App().fonts.Files(serif))
      if (file.loaded) {
        RemoveFontResourceA(FontPath(file.name).c_str());
        file.loaded = false;
      }
}

void DeleteScreenFont() { App().attributes.DeleteFonts(); }

bool SizeAvailable(int width, int height) { return App().fonts.SizeAvailable(width, height); }

void SelectFontSize(int a, int b, int direction) {
  ClientApp& app = App();
  FontSizing& fonts = app.fonts;
  app.log.Event(fonts.serif ? "Want SerifFont %d x %d\n" : "Want SansFont %d x %d\n", a, b);
  UpdateFontMenus();
  app.log.Event("Now scan for appropriate font\n");
  CellSize cell = fonts.ChooseSize(a, b, direction);
  app.cellWidth = cell.width;
  app.cellHeight = cell.height;
  int added = 0;
  for (FontFile& file : fonts.Files())
    if (file.width == cell.width && file.height == cell.height) added += AddFontFile(file) ? 1 : 0;
  if (added == 0) {
    KV_ERROR(kAbort, 1004, 0, "Couldn't add fonts for size %dx%d", cell.width, cell.height);
    app.errorPlatform.ExitProgram(1);
  }
  // Every attribute's font at the new cell, then the plain attribute current.
  app.attributes.RecreateFonts();
  app.surface.FontsChanged();
  app.display.ResetAttribute();
}

void ResizeFonts(int height, int width) {
  FontSizing& fonts = App().fonts;
  // The window code may have moved the current cell (maximising searches
  // down from one pixel above the size it wants).
  fonts.cellWidth = App().cellWidth;
  fonts.cellHeight = App().cellHeight;
  int direction = fonts.ResizeDirection(height, width);
  UnloadFontFiles();
  SelectFontSize(height, width, direction);
}

void UpdateFontMenus() {
  ClientApp& app = App();
  app.charMaps.useAnsi = app.fonts.typeface == 1;
  if (!app.mainWindow) return;
  SetMenuCheck(CMD_ANSI_FONT, app.fonts.typeface == 1);
  SetMenuCheck(CMD_ASCII_FONT, app.fonts.typeface != 1);
  SetMenuCheck(CMD_SERIF_FONT, app.fonts.serif);
  SetMenuCheck(CMD_SANS_FONT, !app.fonts.serif);
}

}  // namespace korvane
