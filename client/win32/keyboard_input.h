// Keyboard translation tables and key routing.
#pragma once

namespace korvane {

void BuildKeyTables();  // once at start-up

}  // namespace korvane
