// The hosts file and the "Select a Host" dialog.
#pragma once

#include <cstdint>

#include "hosts_file.h"

namespace korvane {

void LoadHostsFile();  // start-up, after the main window exists

// The modal dialog over the main window: 0 with the choice written to
// `selection` and `port`, 1 for Cancel, -1 when it cannot be shown.
int ShowHostDialog(HostSelection& selection, uint16_t& port);

}  // namespace korvane
