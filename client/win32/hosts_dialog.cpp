#include "hosts_dialog.h"

namespace korvane {

// The hosts list is read with the connection dialog.
void LoadHostsFile() {}

}  // namespace korvane
