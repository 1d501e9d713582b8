// Small text helpers shared by every program: case-insensitive comparison,
// the registry's yes/no and decimal conventions, printf into std::string.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace korvane {

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);

// The whole value is "Y" (or "N"), in either case.
bool IsYes(std::string_view value);
bool IsNo(std::string_view value);
// Only the first letter is tested.
bool FirstLetterIs(std::string_view value, char upperLetter);

// Leading-digits conversion as atoi does it (leading white space, optional
// sign, digits; no digits gives 0), but saturating instead of overflowing.
long DecimalValue(std::string_view text, size_t* consumed = nullptr);
// The same, limited to the range of int.
int DecimalInt(std::string_view text, size_t* consumed = nullptr);
int ClampToInt(long value);

// printf into a std::string of whatever length the result needs.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

}  // namespace korvane
