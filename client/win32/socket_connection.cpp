#include "socket_connection.h"

#include "client_app.h"
#include "connect_status_window.h"
#include "display_messages.h"
#include "init_file.h"
#include "main_window.h"
#include "mouse_selection.h"
#include "resource_ids.h"

namespace korvane {

namespace {

intptr_t SendToWindow(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  return SendMessageA(static_cast<HWND>(target), msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void OnCreate(HWND window) {
  ClientApp& app = App();
  app.connection.display = DisplayLink{SendToWindow, window};
  app.telnet.disableNaws = app.config.disableNaws;
  app.queue.throttleSize = app.config.throttleSize;
  app.queue.throttlePace = app.config.throttleStepMs;
}

void OnConnectMessage(HWND window) {
  ClientApp& app = App();
  app.surface.HideCaret();
  if (app.connection.OpenConnection() != 0) {
    SendMessageA(window, WUM_CANCEL, 0, 0);
    return;
  }
  app.connectionWindow.statusWindow = OpenConnectStatus();
}

void OnCancel(HWND window) {
  ClientApp& app = App();
  SetFocus(window);
  if (app.config.autoClose) app.closeQuestionArmed = false;
  app.connection.Cancel();
}

void OnCloseMessage(HWND window, LPARAM lParam) {
  if (lParam == 0 && !MayCloseWindow(window)) return;
  App().closeQuestionArmed = false;
  SendMessageA(window, WM_CLOSE, 0, 0);
}

void OnSendData(WPARAM wParam, LPARAM lParam) {
  auto* bytes = reinterpret_cast<const unsigned char*>(wParam);
  int count = static_cast<int>(lParam);
  if (!bytes || count <= 0 || App().display.keyboardLocked()) return;
  App().connection.SendData(bytes, count);
}

void OnSendChar(HWND window, WPARAM wParam) {
  ClientApp& app = App();
  unsigned char c = static_cast<unsigned char>(wParam);
  if (app.display.scrollbackView) SendMessageA(window, WUM_ENDSCROLLBACK, 0, 0);
  // Esc ends a mouse selection without copying and goes no further.
  if (c == 27 && IsSelecting()) return CancelSelection(window);
  if (!app.charMaps.displayOnly) c = app.charMaps.Active()[c];
  if (app.display.keyboardLocked()) return;
  app.connection.SendChar(c);
}

void OnConnectCommand() {
  ClientApp& app = App();
  app.connection.OpenConnection();
  SetConnectionMenu(app.connection.Socket() != 0);
}

void OnDisconnectCommand(HWND window) {
  if (App().config.autoClose) {
    SendMessageA(window, WUM_CLOSE, 0, 0);
    return;
  }
  App().connection.Disconnect();
}

bool Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ClientApp& app = App();
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return false;  // the window's own creation goes on
    case WUM_CONNECT: OnConnectMessage(window); return true;
    case WUM_SOCKET:
      app.connection.OnSocketEvent(static_cast<SocketHandle>(wParam), WSAGETSELECTEVENT(lParam),
                                   WSAGETSELECTERROR(lParam));
      return true;
    case WUM_CANCEL: OnCancel(window); return true;
    case WUM_CLOSE: OnCloseMessage(window, lParam); return true;
    case WUM_PLAYINIT:
      PlayInitFile(app.termType, [&app](const unsigned char* bytes, int count) { app.telnet.TelnetReceive(bytes, count); });
      return true;
    case WUM_SENDDATA: OnSendData(wParam, lParam); return true;
    case WUM_SENDCHAR: OnSendChar(window, wParam); return true;
    case WM_TIMER:
      if (wParam != static_cast<WPARAM>(OutputQueue::kTimerId)) return false;
      app.queue.QueueMoreChars();
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == CMD_CONNECT) OnConnectCommand();
      else if (LOWORD(wParam) == CMD_DISCONNECT) OnDisconnectCommand(window);
      else return false;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool HandleConnectionMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  try {
    return Dispatch(window, message, wParam, lParam);
  } catch (...) {
    return true;  // nothing leaves the window procedure
  }
}

void ServiceSocket() {
  // What one service step takes in is drawn once, at its end.
  struct Batch {
    Win32Surface& surface;
    bool moreWaiting = false;
    explicit Batch(Win32Surface& s) : surface(s) { surface.BeginBatch(); }
    ~Batch() { surface.EndBatch(moreWaiting); }
  } batch(App().surface);
  batch.moreWaiting = App().connection.ServiceSocket();
}

void ShutdownConnection() { App().connection.ShutdownConnection(); }

bool MayCloseWindow(HWND window) {
  ClientApp& app = App();
  if (!app.closeQuestionArmed || !app.connection.Socket()) return true;
  return MessageBoxA(window,
                     "Telnet sessions should normally only be ended by\nlogging off. Are you sure you want to "
                     "abnormally\nclose this session?",
                     "Close Korvane", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

// The screen's requests of the connection.

void WindowDisplayHooks::AnnounceWindowSize() {
  ClientApp& app = App();
  if (app.connection.Connected()) app.telnet.OfferNaws();
}

void WindowDisplayHooks::QueueThese(const char* text, int count) {
  App().queue.QueueThese(reinterpret_cast<const unsigned char*>(text), count);
}

}  // namespace korvane
