// Korvane.exe: start-up, the message loop and the clean-up after it.
#include <winsock2.h>
#include <windows.h>

#include <exception>

#include "banner_window.h"
#include "client_app.h"
#include "display_messages.h"
#include "command_line.h"
#include "font_loading.h"
#include "keyboard_input.h"
#include "main_window.h"
#include "program_info.h"
#include "socket_connection.h"
#include "term_definition.h"
#include "version.h"

namespace korvane {

ClientApp& App() {
  static ClientApp app;
  return app;
}

namespace {

// The colour-depth refusal's exit code: start-up could not initialise.
constexpr int kTooFewColoursExit = 1001;

bool TooFewColours() {
  HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  if (!ic) return false;
  int bits = GetDeviceCaps(ic, BITSPIXEL);
  int colours = GetDeviceCaps(ic, NUMCOLORS);
  DeleteDC(ic);
  return colours != -1 && colours <= 16 && bits <= 4;
}

int SystemChecks() {
  ClientApp& app = App();
  if (TooFewColours()) {
    MessageBoxA(nullptr,
                "Your PC is set to 16 colors. Korvane cannot operate on systems with less than 256 colors. Go to "
                "Control Panel / Display to increase your color depth before continuing.",
                "Cannot Continue", MB_OK | MB_ICONERROR);
    return kTooFewColoursExit;
  }

  app.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  app.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  app.log.Event("Screen (w/h) = %d / %d\n", app.screenWidth, app.screenHeight);
  app.statusLines = 0;
  app.config.timerInterval = 400;
  app.config.scrollbackLines = 500;
  app.config.port = 23;
  RECT frame = {0, 0, 100, 100};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
  app.frameExtraWidth = (frame.right - frame.left) - 100;
  app.frameExtraHeight = (frame.bottom - frame.top) - 100;

  WSADATA wsa;
  if (int result = WSAStartup(MAKEWORD(1, 1), &wsa)) {
    KV_ERROR(kSystemError, 1101, GetLastError(), "Network initialization failed");
    return result;
  }

  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  app.platformId = version.dwPlatformId;
  if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    app.osKind = 1;
  } else if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    app.osKind = 2;
  } else {
    KV_ERROR(kSystemError, 1102, 0, "Unsupported O/S");
    return 1;
  }
  return 0;
}

int RunMessageLoop() {
  MSG msg;
  bool drain = true;
  for (;;) {
    while (drain && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    ServiceSocket();
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    // A socket notification that ended the wait is served at once: looking
    // for more messages first costs a round trip to the window system
    // (wineserver under Wine) before every read; what came with it waits
    // one service step.
    drain = msg.message != WUM_SOCKET;
  }
}

int StartUp(HINSTANCE instance, const char* commandTail, int showCommand) {
  ClientApp& app = App();
  app.instance = instance;
  app.commandLine = GetCommandLineA();
  app.newInstanceCommandLine = NewInstanceCommandLine(app.commandLine);

  if (int result = SystemChecks()) return result;
  if (int result = ReadClientConfig(app.store, app.config, app.log, app.errors)) return result;
  if (int result = ParseCommandLine(commandTail ? commandTail : "", app.config, app.log, app.errors)) return result;

  if (app.log.recordEvents || app.log.recordIO) {
    app.log.WriteRecord("Korvane version %s\n", kVersion);
    app.log.WriteRecord("COMMAND LINE=%s\n", app.commandLine.c_str());
    app.log.WriteRecord("CmdShow=%d\n", showCommand);
  }

  BuildKeyTables();
  if (int result = LoadFonts()) return result;
  if (int result = LoadTermDefinition()) return result;
  if (ShowBanner() != 0) app.bannerFailed = true;
  if (int result = CreateMainWindow(showCommand)) return result;
  BannerStartupDone();
  if (app.log.recordEvents) WriteProgramInfo();

  int exitCode = RunMessageLoop();

  DeleteScreenFont();
  UnloadFontFiles();
  WSACleanup();
  return exitCode;
}

}  // namespace
}  // namespace korvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int showCommand) {
  korvane::InstallOutOfMemoryHandler();
  try {
    return korvane::StartUp(instance, commandTail, showCommand);
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "Korvane", MB_OK | MB_ICONSTOP);
    return 1;
  }
}
