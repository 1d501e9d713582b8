#include "vt100_settings_page.h"

namespace korvane {

Vt100SettingsPage::Vt100SettingsPage(const ScreenSettings& stored)
    : rows_(stored.rows), columns_(stored.columns), checked_(stored.statusLine) {
  bool listed = false;
  for (int rows : kRowsChoices) listed = listed || rows == rows_;
  if (!listed) {
    rows_ = 24;
    checked_ = true;
  } else if (!HasStatusLine(rows_)) {
    checked_ = false;
  }
  if (columns_ != 80 && columns_ != 132) columns_ = 80;
  RowsSelected(rows_);
}

// A locked box shows the third state, not a check: unlocked again it comes
// back unchecked.
void Vt100SettingsPage::RowsSelected(int rows) {
  locked_ = !HasStatusLine(rows);
  if (locked_) checked_ = false;
}

void Vt100SettingsPage::Clicked() {
  if (!locked_) checked_ = !checked_;
}

Vt100SettingsPage::Box Vt100SettingsPage::BoxState() const {
  if (locked_) return Box::Indeterminate;
  return checked_ ? Box::Checked : Box::Unchecked;
}

ScreenSettings Vt100SettingsPage::Accepted(int rowsPosition, int columnsPosition) const {
  ScreenSettings screen;
  screen.rows = RowsAt(rowsPosition, rows_);
  screen.columns = ColumnsAt(columnsPosition, columns_);
  screen.statusLine = BoxState() == Box::Checked && HasStatusLine(screen.rows);
  return screen;
}

}  // namespace korvane
