#include "socket_connection.h"

namespace korvane {

// No connection exists yet: nothing to service, nothing to open.
void ServiceSocket() {}
void OnConnectMessage(HWND) {}

}  // namespace korvane
