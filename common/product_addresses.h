// Where users reach the maker: the installer and the client's contact
// window give the same web page and mail address.
#pragma once

namespace korvane {

inline constexpr const char kProductWebAddress[] = "https://www.korvane.example/";
inline constexpr const char kSupportMailAddress[] = "support@korvane.example";

}  // namespace korvane
