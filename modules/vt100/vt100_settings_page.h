// The VT100 page of the settings dialog: rows and columns lists and the
// "Show Label Line" box, which only means something for 24 and 42 rows
// (24 rows plus the status line fill 25 screen lines, 42 fill 43).
#pragma once

#include "module_settings.h"

namespace korvane {

class Vt100SettingsPage {
 public:
  enum class Box { Unchecked, Checked, Indeterminate };

  // Starts from the stored values: rows 25, 43 and 50 have no status line,
  // rows not in the list show as 24 with the status line on.
  explicit Vt100SettingsPage(const ScreenSettings& stored);

  // The rows list changed (or the dialog opened): lock or unlock the box;
  // a box that was locked comes back unchecked.
  void RowsSelected(int rows);
  // A click toggles an unlocked box; a locked one ignores it.
  void Clicked();
  Box BoxState() const;

  // The values to store for the lists' selections (-1: none).
  ScreenSettings Accepted(int rowsPosition, int columnsPosition) const;

 private:
  static bool HasStatusLine(int rows) { return rows == 24 || rows == 42; }

  int rows_;
  int columns_;
  bool checked_;
  bool locked_ = false;
};

}  // namespace korvane
