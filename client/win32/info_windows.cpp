#include "info_windows.h"

#include <optional>

#include "client_app.h"
#include "window_placement.h"

namespace korvane {

namespace {

HFONT Arial(int height, int weight) {
  return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

}  // namespace

void CreateInfoFonts(InfoFonts& fonts) {
  DeleteInfoFonts(fonts);
  fonts.large = Arial(-32, FW_BOLD);
  fonts.small = Arial(-12, FW_NORMAL);
  fonts.medium = Arial(-18, FW_BOLD);
  fonts.smallBold = Arial(-12, FW_BOLD);
}

void DeleteInfoFonts(InfoFonts& fonts) {
  for (HFONT* font : {&fonts.large, &fonts.small, &fonts.medium, &fonts.smallBold}) {
    if (*font) DeleteObject(*font);
    *font = nullptr;
  }
}

void DrawInfoText(HDC dc, HFONT font, int x, int y, const char* text) {
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, x, y, text, lstrlenA(text));
  SelectObject(dc, old);
}

void DrawCentredText(HWND window, HDC dc, HFONT font, int y, const char* text) {
  RECT client;
  GetClientRect(window, &client);
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT line = {0, y, client.right, client.bottom};
  DrawTextA(dc, text, -1, &line, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
}

void CentreWindow(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  std::optional<Rect> over;
  HWND mainWindow = App().mainWindow;
  if (GetParent(window) && mainWindow) {
    RECT m;
    GetWindowRect(mainWindow, &m);
    over = Rect{m.left, m.top, m.right, m.bottom};
  }
  Point at = CentredPosition(frame.right - frame.left, frame.bottom - frame.top, over, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN));
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace korvane
