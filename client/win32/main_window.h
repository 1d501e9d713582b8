// The main window: class, creation, window procedure and menu states.
#pragma once

#include <windows.h>

namespace korvane {

inline constexpr char kMainWindowClass[] = "Korvane";

// Main-window creation step of start-up: 0 or 1001.
int CreateMainWindow(int showCommand);
// Shows the window with the remembered show command and starts the
// connection; only the first call does anything.
void BringMainWindowUp();

// Connected: Connect greyed, Disconnect enabled; disconnected: the reverse.
void SetConnectionMenu(bool connected);
// Bigger, Smaller, Center and Tile together (greyed while maximised).
void EnableSizingCommands(bool enabled);
void SetMenuCheck(int id, bool checked);
bool IsMenuChecked(int id);

// Top-level windows of the client's class other than this one.
int CountOtherClientWindows();

}  // namespace korvane
