#include "help_source.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

namespace korvane::help {

namespace {

constexpr char kBullet = '\x95';  // in the Windows ANSI code page the help file uses

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

class Parser {
 public:
  Parser(const std::string& sourceName, HelpDocument& document, std::vector<std::string>& errors)
      : name_(sourceName), doc_(document), errors_(errors) {}

  void Line(const std::string& raw, int number);
  void Finish();

 private:
  bool Error(int line, const std::string& message) {
    errors_.push_back(name_ + ":" + std::to_string(line) + ": " + message);
    return false;
  }
  void Directive(const std::string& text);
  void StartTopic(const std::string& context);
  void Maps(const std::string& text);
  void Keywords(const std::string& text);
  void Body(const std::string& text);
  void Flush();
  bool ParseRuns(const std::string& text, std::vector<Run>& runs);
  bool ParseLink(const std::string& text, size_t& i, std::vector<Run>& runs);

  const std::string& name_;
  HelpDocument& doc_;
  std::vector<std::string>& errors_;
  int line_ = 0;
  std::string pending_;
  ParagraphStyle pendingStyle_ = ParagraphStyle::Body;
  std::string pendingMarker_;
  int pendingLine_ = 0;
  std::map<std::string, int> contexts_;  // lower-case name -> line
  std::set<int32_t> maps_;
  std::vector<std::pair<std::string, int>> links_;  // target, line
};

void Parser::Line(const std::string& raw, int number) {
  line_ = number;
  std::string text;
  for (char c : raw) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '\t') c = ' ';
    if (c == '\r') continue;
    if (u < 0x20 || u > 0x7E) {
      Error(number, "only printable ASCII characters are allowed");
      return;
    }
    text += c;
  }
  if (StartsWith(text, "#") && !StartsWith(text, "##")) return;
  text = Trim(text);
  if (text.empty()) return Flush();
  if (text[0] == '@') return Directive(text);
  if (doc_.topics.empty()) {
    Error(number, "text before the first @topic");
    return;
  }
  Body(text);
}

void Parser::Directive(const std::string& text) {
  Flush();
  size_t space = text.find(' ');
  std::string word = text.substr(0, space);
  std::string rest = space == std::string::npos ? "" : Trim(text.substr(space));
  bool inTopic = !doc_.topics.empty();
  if (word == "@topic") return StartTopic(rest);
  if (word == "@help-title" && !inTopic) {
    doc_.title = rest;
  } else if (word == "@copyright" && !inTopic) {
    doc_.copyright = rest;
  } else if (word == "@title" && inTopic) {
    if (rest.empty() || rest.size() > kMaxTitleLength)
      Error(line_, "a title has 1 to " + std::to_string(kMaxTitleLength) + " characters");
    doc_.topics.back().title = rest;
  } else if (word == "@map" && inTopic) {
    Maps(rest);
  } else if (word == "@keywords" && inTopic) {
    Keywords(rest);
  } else {
    Error(line_, "unknown directive " + word + (inTopic ? " in a topic" : " before the first @topic"));
  }
}

void Parser::StartTopic(const std::string& context) {
  if (!IsValidContextName(context)) {
    Error(line_, "bad context name \"" + context + "\" (letters, digits, '.' and '_')");
  } else if (!contexts_.emplace(Lower(context), line_).second) {
    Error(line_, "context name " + context + " is already used on line " + std::to_string(contexts_[Lower(context)]));
  }
  doc_.topics.emplace_back();
  doc_.topics.back().context = context;
  doc_.topics.back().line = line_;
}

void Parser::Maps(const std::string& text) {
  std::istringstream words(text);
  std::string word;
  bool any = false;
  while (words >> word) {
    any = true;
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(word.c_str(), &end, 10);
    if (*end || errno || value < INT32_MIN || value > INT32_MAX) {
      Error(line_, "bad context number " + word);
    } else if (!maps_.insert(static_cast<int32_t>(value)).second) {
      Error(line_, "context number " + word + " is already mapped");
    } else {
      doc_.topics.back().mapNumbers.push_back(static_cast<int32_t>(value));
    }
  }
  if (!any) Error(line_, "@map needs context numbers");
}

void Parser::Keywords(const std::string& text) {
  std::istringstream items(text);
  std::string item;
  while (std::getline(items, item, ';')) {
    item = Trim(item);
    if (!item.empty()) doc_.topics.back().keywords.push_back(item);
  }
}

void Parser::Body(const std::string& text) {
  if (StartsWith(text, "## ")) {
    Flush();
    pending_ = Trim(text.substr(3));
    pendingStyle_ = ParagraphStyle::Subheading;
    pendingLine_ = line_;
    return Flush();
  }
  size_t digits = text.find_first_not_of("0123456789");
  bool numbered = digits > 0 && digits != std::string::npos && text.compare(digits, 2, ". ") == 0;
  if (StartsWith(text, "- ") || numbered) {
    Flush();
    size_t markerEnd = numbered ? digits + 1 : 1;
    pendingMarker_ = numbered ? text.substr(0, markerEnd) : std::string(1, kBullet);
    pending_ = Trim(text.substr(markerEnd + 1));
    pendingStyle_ = ParagraphStyle::ListItem;
    pendingLine_ = line_;
    return;
  }
  if (pending_.empty()) {
    pendingStyle_ = ParagraphStyle::Body;
    pendingLine_ = line_;
    pending_ = text;
  } else {
    pending_ += " " + text;
  }
}

void Parser::Flush() {
  if (pending_.empty()) return;
  std::string text;
  text.swap(pending_);
  int saved = line_;
  line_ = pendingLine_;
  Paragraph paragraph;
  paragraph.style = pendingStyle_;
  if (pendingStyle_ == ParagraphStyle::ListItem) paragraph.marker = pendingMarker_;
  if (ParseRuns(text, paragraph.runs)) {
    size_t length = 0;
    for (const Run& run : paragraph.runs) length += run.text.size();
    if (length > kMaxParagraphLength)
      Error(line_, "paragraph longer than " + std::to_string(kMaxParagraphLength) + " characters");
    else
      doc_.topics.back().paragraphs.push_back(std::move(paragraph));
  }
  line_ = saved;
}

bool Parser::ParseRuns(const std::string& text, std::vector<Run>& runs) {
  RunStyle style = RunStyle::Plain;
  std::string current;
  auto emit = [&] {
    if (!current.empty()) runs.push_back({style, current, ""});
    current.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\') {
      if (i + 1 == text.size()) return Error(line_, "a backslash ends the paragraph");
      current += text[++i];
    } else if (style != RunStyle::Code && text.compare(i, 2, "**") == 0) {
      emit();
      style = style == RunStyle::Bold ? RunStyle::Plain : RunStyle::Bold;
      ++i;
    } else if (c == '`' && style != RunStyle::Bold) {
      emit();
      style = style == RunStyle::Code ? RunStyle::Plain : RunStyle::Code;
    } else if (c == '[' && style == RunStyle::Plain) {
      emit();
      if (!ParseLink(text, i, runs)) return false;
    } else {
      current += c;
    }
  }
  if (style != RunStyle::Plain) return Error(line_, style == RunStyle::Bold ? "** is not closed" : "` is not closed");
  emit();
  return true;
}

// [text](CONTEXT) starting at text[i]; leaves i on the closing parenthesis.
bool Parser::ParseLink(const std::string& text, size_t& i, std::vector<Run>& runs) {
  size_t middle = text.find("](", i);
  size_t close = middle == std::string::npos ? middle : text.find(')', middle);
  if (close == std::string::npos) return Error(line_, "a link needs the form [text](CONTEXT)");
  Run run{RunStyle::Link, text.substr(i + 1, middle - i - 1), text.substr(middle + 2, close - middle - 2)};
  if (run.text.empty()) return Error(line_, "a link needs some text");
  links_.emplace_back(run.target, line_);
  runs.push_back(std::move(run));
  i = close;
  return true;
}

void Parser::Finish() {
  Flush();
  if (doc_.topics.empty()) Error(line_, "no @topic");
  for (const Topic& topic : doc_.topics)
    if (topic.title.empty()) Error(topic.line, "topic " + topic.context + " has no @title");
  for (const auto& [target, line] : links_)
    if (!contexts_.count(Lower(target))) Error(line, "link to unknown topic " + target);
}

}  // namespace

bool IsValidContextName(const std::string& name) {
  if (name.empty() || name.size() > 255) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_';
  });
}

bool ParseHelpSource(const std::string& text, const std::string& sourceName, HelpDocument& document,
                     std::vector<std::string>& errors) {
  size_t before = errors.size();
  Parser parser(sourceName, document, errors);
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) parser.Line(line, ++number);
  parser.Finish();
  return errors.size() == before;
}

}  // namespace korvane::help
