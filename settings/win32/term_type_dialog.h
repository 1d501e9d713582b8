// "Create Term Type" (dialog 110): a new type under Terms from a module.
#pragma once

#include <string>

namespace korvane {

// Runs the dialog; `created` receives the new type's name when one was
// written. False when no module is found (the box has been shown and the
// program should end).
bool RunCreateTermTypeDialog(std::string& created);

}  // namespace korvane
