// The client's one process-wide instance of every subsystem, owned by the
// Windows shell and wired together here.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

#include "attribute_table.h"
#include "blink_timer.h"
#include "client_config.h"
#include "colour_table.h"
#include "connection_shell.h"
#include "display_handler.h"
#include "error_dialog.h"
#include "error_report.h"
#include "font_sizing.h"
#include "key_translation.h"
#include "record_log.h"
#include "registry_store.h"
#include "screen_model.h"
#include "screen_painter.h"
#include "screen_surface.h"
#include "terminal_definition.h"

namespace korvane {

struct ClientApp {
  HINSTANCE instance = nullptr;
  std::string commandLine;             // the full command line
  std::string newInstanceCommandLine;  // base for further copies
  int screenWidth = 0, screenHeight = 0;
  int frameExtraWidth = 0, frameExtraHeight = 0;
  int osKind = 0;  // 1 = Windows 9x platform, 2 = Windows NT platform
  DWORD platformId = 0;

  RegistryConfigStore store;
  RecordLog log;
  Win32ErrorPlatform errorPlatform;
  ErrorReporter errors{errorPlatform, log};
  ClientConfig config;
  FontSizing fonts{log, errors};

  HWND mainWindow = nullptr;
  int howToShow = SW_SHOWDEFAULT;  // the show command remembered for bringing the window up
  bool mainShown = false;
  bool bannerFailed = false;

  // Terminal geometry and cell size. The terminal definition and the module
  // settle the geometry at start-up; from main-window creation on `screen`
  // holds it and these follow every resize.
  int rows = 24, columns = 80, statusLines = 0;
  int cellWidth = 6, cellHeight = 12;
  int scrollBarWidth = 0;
  std::string termType;  // TermType of the terminal definition
  CharacterMaps charMaps;  // AsciiMap / AnsiMap and DisplayOnly

  // The screen: model, attribute resolution, colours, the display-message
  // handler and what it draws on.
  ScreenModel screen;
  AttributeTable attributes{log};
  ColourTable colours;
  Display display{screen, attributes, log, errors};
  ScreenPainter painter{screen, attributes, colours};
  BlinkTimer blink;
  Win32Surface surface;
  WindowDisplayHooks displayHooks;
  Win32AttributeHooks attributeHooks;

  // The telnet connection: socket, telnet layer and output queue.
  WinsockNetwork network;
  WindowConnectionSide connectionWindow;
  WindowQueuePort queuePort;
  WindowTelnetSide telnetSide;
  OutputQueue queue{queuePort, log, errors};
  TelnetProtocol telnet{telnetSide, log, errors};
  Connection connection{{network, connectionWindow, telnet, queue, config, store, log, errors}};
  bool closeQuestionArmed = true;  // ask before closing an open connection
  // The Popup on I/O mark, kept beside the menu's so that a socket event
  // does not read the menu.
  bool popupOnIo = false;

  // Keyboard translation and the main window's own state.
  KeyTranslation keys{log};
  bool maximised = false, minimised = false;
  HWND scrollbackBar = nullptr;
  int savedCursorRatio = 0;  // while the scrollback view hides the cursor
  struct Selection {
    bool active = false;
    POINT anchor = {}, current = {};
  } selection;
};

ClientApp& App();

}  // namespace korvane

// Reports through ErrorCall with the caller's source location (shown for kind 3).
#define KV_ERROR(kind, code, systemError, ...)                          \
  (::korvane::App().errors.SetErrorLocation(__FILE__, __LINE__),         \
   ::korvane::App().errors.ErrorCall(kind, code, systemError, __VA_ARGS__))
