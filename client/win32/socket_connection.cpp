#include "socket_connection.h"

#include "display_messages.h"

namespace korvane {

// No connection exists yet: nothing to service, nothing to open.
void ServiceSocket() {}

bool HandleConnectionMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WUM_CONNECT) return false;
  result = 0;
  return true;
}

}  // namespace korvane
