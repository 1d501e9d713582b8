#include "script_reader.h"

#include <cstdlib>

namespace kvdriver {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ReadQuoted(const std::string& line, size_t& i, std::string& word, std::string& error) {
  ++i;  // opening quote
  while (i < line.size() && line[i] != '"') {
    char c = line[i++];
    if (c != '\\') {
      word += c;
      continue;
    }
    if (i >= line.size()) break;
    char e = line[i++];
    switch (e) {
      case 'n': word += '\n'; break;
      case 'r': word += '\r'; break;
      case 't': word += '\t'; break;
      case 'e': word += '\x1b'; break;
      case 'x': {
        int hi = i < line.size() ? HexDigit(line[i]) : -1;
        int lo = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
        if (hi < 0 || lo < 0) {
          error = "bad \\x escape";
          return false;
        }
        word += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default: word += e; break;
    }
  }
  if (i >= line.size()) {
    error = "unterminated quote";
    return false;
  }
  ++i;  // closing quote
  return true;
}

}  // namespace

bool ReadScript(const std::string& text, std::vector<ScriptLine>& lines, std::string& error) {
  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
      char c = line[i];
      if (c == ' ' || c == '\t' || c == '\r') {
        ++i;
        continue;
      }
      if (c == '#' && words.empty()) break;  // a comment line; "#32770" later on is a word
      std::string word;
      if (c == '"') {
        if (!ReadQuoted(line, i, word, error)) {
          error = "line " + std::to_string(number) + ": " + error;
          return false;
        }
      } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
      }
      words.push_back(word);
    }
    if (!words.empty()) lines.push_back({number, words});
    if (end == text.size()) break;
  }
  return true;
}

std::string Expand(const std::string& word, const std::vector<std::pair<std::string, std::string>>& variables) {
  std::string out;
  size_t i = 0;
  while (i < word.size()) {
    if (word.compare(i, 2, "${") == 0) {
      size_t close = word.find('}', i + 2);
      if (close != std::string::npos) {
        std::string name = word.substr(i + 2, close - i - 2);
        bool found = false;
        for (auto it = variables.rbegin(); it != variables.rend(); ++it)
          if (it->first == name) {
            out += it->second;
            found = true;
            break;
          }
        if (!found) {
          const char* env = std::getenv(name.c_str());
          if (env) out += env;
        }
        i = close + 1;
        continue;
      }
    }
    out += word[i++];
  }
  return out;
}

}  // namespace kvdriver
