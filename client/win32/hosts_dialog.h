// The hosts file and the "Select a Host" dialog.
#pragma once

namespace korvane {

void LoadHostsFile();  // start-up, after the main window exists

}  // namespace korvane
