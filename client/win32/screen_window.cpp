#include "screen_window.h"

#include "client_app.h"
#include "term_definition.h"

namespace korvane {

void AllocateScreen() {
  ClientApp& app = App();
  app.screen.Allocate(app.rows, app.columns, app.statusLines, app.config.scrollbackLines);
  LoadColours();
  app.attributes.defaultForeground = app.attributes.currentForeground = COLOUR_DEFAULT_FOREGROUND;
  app.attributes.defaultBackground = app.attributes.currentBackground = COLOUR_DEFAULT_BACKGROUND;
  app.attributes.SetHooks(&app.attributeHooks);
  app.display.SetSurface(&app.surface);
  app.display.SetHooks(&app.displayHooks);
  app.display.SetCharacterMaps(&app.charMaps);
}

bool HandleScreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  ClientApp& app = App();
  switch (message) {
    case WM_CREATE:
      app.surface.SetWindow(window);
      app.display.InitialiseForWindow();
      return false;  // the window's own creation goes on
    case WM_ERASEBKGND:
      result = 0;  // WM_PAINT erases with the current background
      return true;
    case WM_PAINT:
      app.surface.Paint();
      result = 0;
      return true;
    case WM_SETFOCUS:
      app.display.FocusGained();
      return false;
    case WM_KILLFOCUS:
      app.display.FocusLost();
      return false;
    case WM_SYSCOLORCHANGE:
      LoadColours();
      InvalidateRect(window, nullptr, TRUE);
      return false;
    case WM_DESTROY:
      app.surface.Release();
      return false;
    default:
      break;
  }
  if (!Display::IsScreenMessage(message)) return false;
  try {
    result = static_cast<LRESULT>(app.display.Handle(message, wParam, lParam).value_or(0));
  } catch (...) {
    result = 0;  // nothing leaves the window procedure
  }
  return true;
}

}  // namespace korvane
