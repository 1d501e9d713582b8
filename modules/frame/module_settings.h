// A terminal type's screen settings as the modules store them under
// Terms\<type>: InitialScreen "rows,columns,flag" and TermType.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

struct ScreenSettings {
  int rows = 0;
  int columns = 0;
  bool statusLine = false;
};

// What a module starts with before any settings are read.
struct ModuleDefaults {
  const char* name;      // default terminal type name
  const char* termType;  // default TermType
  ScreenSettings screen;
};

// Fields are split at commas, each cut to 128 characters; a missing number
// reads as 0 and only a third field of exactly "Y" turns the status line on.
ScreenSettings ParseInitialScreen(std::string_view text);
// "%d,%d,%c" with Y or N.
std::string FormatInitialScreen(const ScreenSettings& screen);

// The per-type switch of the extra host sequences ("Y"/"N", absent = "N").
inline constexpr const char* kHostCompatibilityValue = "HostCompatibility";

// The longest TermType kept; the client announces it to the host.
inline constexpr size_t kTermTypeLimit = 1023;

// The choices of the settings dialogs' rows and columns lists, in order.
inline constexpr int kRowsChoices[] = {24, 25, 42, 43, 50};
inline constexpr int kColumnsChoices[] = {80, 132};
// The list position of a value; a value not listed is shown as the first.
int RowsPosition(int rows);
int ColumnsPosition(int columns);
// The value at a list position; no selection (or any other position)
// keeps `current`.
int RowsAt(int position, int current);
int ColumnsAt(int position, int current);

}  // namespace korvane
