#include "hosts_file.h"

#include <fstream>
#include <iterator>

#include "text_util.h"

namespace korvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view TakeWord(std::string_view& rest) {
  size_t start = 0;
  while (start < rest.size() && IsBlank(rest[start])) ++start;
  size_t end = start;
  while (end < rest.size() && !IsBlank(rest[end])) ++end;
  std::string_view word = rest.substr(start, end - start);
  rest.remove_prefix(end);
  return word;
}

std::optional<HostEntry> ParseHostsLine(std::string_view line) {
  if (line.size() > kHostsLineLimit) line = line.substr(0, kHostsLineLimit);
  std::string_view rest = line;
  std::string_view label = TakeWord(rest);
  if (label.empty() || label[0] == '#') return std::nullopt;
  HostEntry entry{std::string(label), std::nullopt};
  std::string_view address = TakeWord(rest);
  if (!address.empty()) entry.address = std::string(address);
  return entry;
}

}  // namespace

std::vector<HostEntry> ParseHostsText(std::string_view text) {
  std::vector<HostEntry> hosts;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (auto entry = ParseHostsLine(line)) hosts.push_back(std::move(*entry));
  }
  return hosts;
}

std::vector<HostEntry> ReadHostsFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseHostsText(text);
}

bool IsDottedAddress(std::string_view text) {
  for (char c : text)
    if (c != '.' && (c < '0' || c > '9')) return false;
  return true;
}

HostSelection SelectTyped(const std::string& text) {
  if (IsDottedAddress(text)) return {std::nullopt, text};
  return {text, std::nullopt};
}

HostSelection SelectEntry(const HostEntry& entry) { return {entry.label, entry.address}; }

std::string HostListLine(const HostEntry& entry) {
  return Format("%-25.25s  %s", entry.label.c_str(), entry.address ? entry.address->c_str() : " ");
}

int PreselectedHost(const std::vector<HostEntry>& hosts, const std::optional<std::string>& currentHost) {
  if (hosts.empty()) return -1;
  int chosen = 0;
  if (!currentHost) return chosen;
  for (size_t i = 0; i < hosts.size(); ++i) {
    const HostEntry& entry = hosts[i];
    if (EqualsNoCase(entry.label, *currentHost) || (entry.address && EqualsNoCase(*entry.address, *currentHost)))
      chosen = static_cast<int>(i);
  }
  return chosen;
}

std::optional<uint16_t> ParsePortField(std::string_view text) {
  long value = DecimalValue(text);
  if (value < 1 || value > 65535) return std::nullopt;
  return static_cast<uint16_t>(value);
}

}  // namespace korvane
