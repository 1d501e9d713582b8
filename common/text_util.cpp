#include "text_util.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <vector>

namespace korvane {

static char LowerChar(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
static char UpperChar(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerChar(c);
  return out;
}

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperChar(c);
  return out;
}

bool IsYes(std::string_view value) { return value.size() == 1 && UpperChar(value[0]) == 'Y'; }
bool IsNo(std::string_view value) { return value.size() == 1 && UpperChar(value[0]) == 'N'; }

bool FirstLetterIs(std::string_view value, char upperLetter) {
  return !value.empty() && UpperChar(value[0]) == upperLetter;
}

long DecimalValue(std::string_view text, size_t* consumed) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  size_t digitsStart = i;
  long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    int digit = text[i] - '0';
    if (value > (LONG_MAX - digit) / 10)
      value = LONG_MAX;
    else
      value = value * 10 + digit;
  }
  if (i == digitsStart) {
    if (consumed) *consumed = 0;
    return 0;
  }
  if (consumed) *consumed = i;
  return negative ? -value : value;
}

int ClampToInt(long value) {
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

int DecimalInt(std::string_view text, size_t* consumed) { return ClampToInt(DecimalValue(text, consumed)); }

std::string FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int needed = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (needed < 0) return std::string();
  if (static_cast<size_t>(needed) < sizeof small) return std::string(small, static_cast<size_t>(needed));
  std::vector<char> big(static_cast<size_t>(needed) + 1);
  std::vsnprintf(big.data(), big.size(), format, args);
  return std::string(big.data(), static_cast<size_t>(needed));
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = FormatV(format, args);
  va_end(args);
  return out;
}

}  // namespace korvane
