// The telnet connection's socket and its service step.
#pragma once

#include <windows.h>

namespace korvane {

// Once per emptying of the message queue: pending writes, then one read.
void ServiceSocket();
// WUM_CONNECT: start a connection.
void OnConnectMessage(HWND window);

}  // namespace korvane
