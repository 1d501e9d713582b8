// The topic source: a plain text file, one topic after another.
//
//   # a comment line
//   @help-title Korvane Help          (before the first topic)
//   @copyright ...
//   @topic CONTEXT_NAME               starts a topic; the first is the contents
//   @map 1001 1002                    context numbers that open it
//   @title Title of the topic
//   @keywords one; two; three         index entries
//   Lines of a paragraph, joined; a blank line ends it.
//   - a bulleted paragraph
//   1. a numbered paragraph
//   ## a subheading
//
// Inside text: **bold**, `code`, [link text](CONTEXT_NAME), and a backslash
// before any character takes it literally.
#pragma once

#include <string>
#include <vector>

#include "help_document.h"

namespace korvane::help {

constexpr size_t kMaxTitleLength = 127;      // the viewer's limit for topic titles
constexpr size_t kMaxParagraphLength = 4000;  // keeps every record inside one topic block

// Context names may use letters, digits, '.' and '_', the characters the
// viewer's context hash gives a value to.
bool IsValidContextName(const std::string& name);

// Reads the source; false with "name:line: message" lines in `errors` when it
// is malformed, names an unknown topic or repeats a name or number.
bool ParseHelpSource(const std::string& text, const std::string& sourceName, HelpDocument& document,
                     std::vector<std::string>& errors);

}  // namespace korvane::help
