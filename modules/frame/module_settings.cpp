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

std::string FormatInitialScreen(const ScreenSettings& screen) {
  return Format("%d,%d,%c", screen.rows, screen.columns, screen.statusLine ? 'Y' : 'N');
}

}  // namespace korvane
