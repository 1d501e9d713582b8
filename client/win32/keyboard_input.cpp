#include "keyboard_input.h"

namespace korvane {

// The translation tables arrive with keyboard input.
void BuildKeyTables() {}

}  // namespace korvane
