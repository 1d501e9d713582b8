// The telnet connection's messages, its socket service step and what other
// parts of the window ask of it.
#pragma once

#include <windows.h>

namespace korvane {

// Once per emptying of the message queue: pending writes, then one read.
void ServiceSocket();
// Handles the connection's messages (WUM_CONNECT, WUM_SOCKET, WUM_CANCEL,
// WUM_CLOSE, WUM_PLAYINIT, WUM_SENDDATA, WUM_SENDCHAR, the queue timer and
// the Connect and Disconnect commands); false leaves the message to others.
bool HandleConnectionMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// No more sends; the host's close ends the connection.
void ShutdownConnection();
// The close question: true when the window may close (asks when it is
// armed and a connection is open).
bool MayCloseWindow(HWND window);

}  // namespace korvane
