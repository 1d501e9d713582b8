#include "wyse60_settings_page.h"

#include "text_util.h"
#include "wyse60_emulator.h"

namespace korvane {

namespace {

bool Listed(int rows) {
  for (int choice : kRowsChoices)
    if (choice == rows) return true;
  return false;
}

}  // namespace

Wyse60SettingsPage::Wyse60SettingsPage(const ScreenSettings& stored, const std::optional<std::string>& maxPages,
                                       bool alternateKeys)
    : rows_(stored.rows),
      columns_(stored.columns),
      pages_(Wyse60Emulator::PagesFor(maxPages)),
      alternateKeys_(alternateKeys),
      box_(stored.statusLine ? Box::Checked : Box::Unchecked) {
  if (!Listed(rows_)) {
    rows_ = 24;
    box_ = Box::Checked;
  }
  if (columns_ != 80 && columns_ != 132) columns_ = 80;
  if (!HasLabelLine(rows_)) box_ = Box::Indeterminate;
}

void Wyse60SettingsPage::RowsSelected(int rows) {
  if (!HasLabelLine(rows))
    box_ = Box::Indeterminate;
  else if (box_ == Box::Indeterminate)
    box_ = Box::Unchecked;
}

void Wyse60SettingsPage::Clicked() {
  if (box_ != Box::Indeterminate) box_ = box_ == Box::Checked ? Box::Unchecked : Box::Checked;
}

ScreenSettings Wyse60SettingsPage::Accepted(int rowsPosition, int columnsPosition) const {
  ScreenSettings screen;
  screen.rows = RowsAt(rowsPosition, rows_);
  screen.columns = ColumnsAt(columnsPosition, columns_);
  screen.statusLine = box_ == Box::Checked && HasLabelLine(screen.rows);
  return screen;
}

std::string Wyse60SettingsPage::PagesToStore(std::string_view text) {
  int pages = DecimalInt(text);
  return Format("%d", pages >= 1 && pages <= 9 ? pages : 1);
}

}  // namespace korvane
