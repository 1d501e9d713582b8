#pragma once

namespace korvane {
inline constexpr const char kVersion[] = "1.8.3.4";
}
