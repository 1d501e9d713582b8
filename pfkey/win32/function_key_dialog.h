// The modal "Program Function Keys" dialog over an editing session.
#pragma once

#include <windows.h>

#include "key_editor.h"

namespace korvane {

// Runs the dialog owned by `owner`; returns the session's result (0 for
// Cancel, 1 or 3 for OK).
int RunFunctionKeyDialog(HINSTANCE instance, HWND owner, FunctionKeyEditor& editor);

}  // namespace korvane
