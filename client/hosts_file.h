// The hosts file (one host per line: a label and an optional address) and
// the choices the connect step makes from it: which host is selected and
// whether a text is a dotted address.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct HostEntry {
  std::string label;                   // first word: a host name or a label
  std::optional<std::string> address;  // second word, when present
};

// Longest part of a line that is read; the rest of a longer line is ignored.
inline constexpr size_t kHostsLineLimit = 254;

// Entries in file order; blank lines and lines starting with "#" are skipped.
std::vector<HostEntry> ParseHostsText(std::string_view text);
// The file's entries, or none when it cannot be read.
std::vector<HostEntry> ReadHostsFile(const std::string& path);

// Every character a decimal digit or "." (so "" counts as an address too).
bool IsDottedAddress(std::string_view text);

// What a connection is opened to: a dotted address takes precedence over the
// name. Each selection replaces both.
struct HostSelection {
  std::optional<std::string> name;
  std::optional<std::string> address;
};

// A typed host: an address when it passes the address test, else a name.
HostSelection SelectTyped(const std::string& text);
HostSelection SelectEntry(const HostEntry& entry);

// The list box line: label padded or cut to 25 characters, two spaces, then
// the address or a single space.
std::string HostListLine(const HostEntry& entry);

// The entry to preselect: the last whose label or address equals the current
// host (either case); the first when none does; -1 for an empty list.
int PreselectedHost(const std::vector<HostEntry>& hosts, const std::optional<std::string>& currentHost);

// The port field: a decimal number from 1 to 65535 (leading digits as atoi
// reads them); anything else leaves the port unchanged.
std::optional<uint16_t> ParsePortField(std::string_view text);

}  // namespace korvane
