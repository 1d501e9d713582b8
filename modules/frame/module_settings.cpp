#include "module_settings.h"

#include "text_util.h"

namespace korvane {

namespace {

constexpr size_t kFieldLimit = 128;

// The field that starts at `at`, advancing `at` past its comma.
std::string_view NextField(std::string_view text, size_t& at) {
  if (at >= text.size()) {
    at = std::string_view::npos;
    return {};
  }
  size_t comma = text.find(',', at);
  std::string_view field = text.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at);
  at = comma == std::string_view::npos ? std::string_view::npos : comma + 1;
  return field.substr(0, kFieldLimit);
}

}  // namespace

ScreenSettings ParseInitialScreen(std::string_view text) {
  ScreenSettings screen;
  size_t at = 0;
  screen.rows = DecimalInt(NextField(text, at));
  screen.columns = DecimalInt(NextField(text, at));
  screen.statusLine = NextField(text, at) == "Y";
  return screen;
}

namespace {

template <size_t N>
int PositionOf(const int (&choices)[N], int value) {
  for (size_t i = 0; i < N; ++i)
    if (choices[i] == value) return static_cast<int>(i);
  return 0;
}

template <size_t N>
int ValueAt(const int (&choices)[N], int position, int current) {
  return position >= 0 && static_cast<size_t>(position) < N ? choices[position] : current;
}

}  // namespace

int RowsPosition(int rows) { return PositionOf(kRowsChoices, rows); }
int ColumnsPosition(int columns) { return PositionOf(kColumnsChoices, columns); }
int RowsAt(int position, int current) { return ValueAt(kRowsChoices, position, current); }
int ColumnsAt(int position, int current) { return ValueAt(kColumnsChoices, position, current); }

std::string FormatInitialScreen(const ScreenSettings& screen) {
  return Format("%d,%d,%c", screen.rows, screen.columns, screen.statusLine ? 'Y' : 'N');
}

}  // namespace korvane
