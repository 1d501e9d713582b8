// The Wyse 60 page of the settings dialog: memory pages, rows and columns,
// the "Show Label Line" box and the alternate function-key mapping. The
// box only means something for 24 and 42 rows (the label line makes them
// 25 and 43 screen lines); for 25, 43 and 50 it is locked and shown in the
// third state.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "module_settings.h"

namespace korvane {

class Wyse60SettingsPage {
 public:
  enum class Box { Unchecked, Checked, Indeterminate };

  // Starts from the module's screen values, the stored Max_Pages and the
  // mapping flag. Rows 25, 43 and 50 have no label line; rows not in the
  // list show as 24 with it.
  Wyse60SettingsPage(const ScreenSettings& stored, const std::optional<std::string>& maxPages, bool alternateKeys);

  // The pages shown when the dialog opens: the count the module uses.
  int Pages() const { return pages_; }
  bool AlternateKeys() const { return alternateKeys_; }

  // The rows list changed: 25, 43 and 50 lock the box; 24 and 42 unlock it,
  // a box that was locked coming back unchecked.
  void RowsSelected(int rows);
  // A click toggles an unlocked box.
  void Clicked();
  Box BoxState() const { return box_; }

  // The screen values to store for the lists' selections (-1: none).
  ScreenSettings Accepted(int rowsPosition, int columnsPosition) const;
  // Max_Pages as stored from the edit field's text: 1 to 9, else 1.
  static std::string PagesToStore(std::string_view text);

 private:
  static bool HasLabelLine(int rows) { return rows == 24 || rows == 42; }

  int rows_;
  int columns_;
  int pages_;
  bool alternateKeys_;
  Box box_;
};

}  // namespace korvane
