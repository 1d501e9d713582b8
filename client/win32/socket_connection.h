// The telnet connection's socket and its service step.
#pragma once

#include <windows.h>

namespace korvane {

// Once per emptying of the message queue: pending writes, then one read.
void ServiceSocket();
// Handles the connection's messages (WUM_CONNECT, WUM_SOCKET, ...); false
// leaves the message to others.
bool HandleConnectionMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace korvane
