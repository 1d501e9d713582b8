// A help document as the topic source describes it: topics with a context
// name, context numbers, a title, keywords and paragraphs of styled runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::help {

enum class RunStyle { Plain, Bold, Code, Link };

struct Run {
  RunStyle style = RunStyle::Plain;
  std::string text;
  std::string target;  // context name of a link
};

enum class ParagraphStyle { Heading, Body, Subheading, ListItem };

struct Paragraph {
  ParagraphStyle style = ParagraphStyle::Body;
  std::vector<Run> runs;
  std::string marker;  // of a list item: a bullet, or its number such as "2."
};

struct Topic {
  std::string context;               // the context name, unique
  std::vector<int32_t> mapNumbers;   // context numbers the programs ask for
  std::string title;
  std::vector<std::string> keywords;
  std::vector<Paragraph> paragraphs; // the title heading is added when the file is built
  int line = 0;                      // where the topic starts in its source
};

struct HelpDocument {
  std::string title;      // shown in the viewer's caption
  std::string copyright;
  std::vector<Topic> topics;  // the first one is the contents topic
};

}  // namespace korvane::help
