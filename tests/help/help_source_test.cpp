#include "help_source.h"

#include <gtest/gtest.h>

namespace korvane::help {
namespace {

struct Parsed {
  bool ok;
  HelpDocument doc;
  std::vector<std::string> errors;
};

Parsed Parse(const std::string& text) {
  Parsed p;
  p.ok = ParseHelpSource(text, "t.txt", p.doc, p.errors);
  return p;
}

std::string Joined(const std::vector<std::string>& errors) {
  std::string out;
  for (const auto& e : errors) out += e + "\n";
  return out;
}

TEST(HelpSource, TopicsWithTheirDirectivesAndParagraphs) {
  Parsed p = Parse(
      "# comment\n@help-title Korvane Help\n@copyright (c)\n\n"
      "@topic CONTENTS\n@title Contents\nFirst line\n  continues here.\n\nSecond.\n"
      "@topic ERR_1001\n@map 1001 1005\n@title Failed (1001)\n@keywords one; Two ;; three\n"
      "## What to do\n- bullet one\n  goes on\n- bullet two\n12. numbered\n");
  ASSERT_TRUE(p.ok) << Joined(p.errors);
  EXPECT_EQ(p.doc.title, "Korvane Help");
  EXPECT_EQ(p.doc.copyright, "(c)");
  ASSERT_EQ(p.doc.topics.size(), 2u);
  const Topic& contents = p.doc.topics[0];
  EXPECT_EQ(contents.context, "CONTENTS");
  ASSERT_EQ(contents.paragraphs.size(), 2u);
  EXPECT_EQ(contents.paragraphs[0].runs[0].text, "First line continues here.");
  const Topic& error = p.doc.topics[1];
  EXPECT_EQ(error.mapNumbers, (std::vector<int32_t>{1001, 1005}));
  EXPECT_EQ(error.keywords, (std::vector<std::string>{"one", "Two", "three"}));
  ASSERT_EQ(error.paragraphs.size(), 4u);
  EXPECT_EQ(error.paragraphs[0].style, ParagraphStyle::Subheading);
  EXPECT_EQ(error.paragraphs[1].style, ParagraphStyle::ListItem);
  EXPECT_EQ(error.paragraphs[1].marker, "\x95");
  EXPECT_EQ(error.paragraphs[1].runs[0].text, "bullet one goes on");
  EXPECT_EQ(error.paragraphs[3].marker, "12.");
  EXPECT_EQ(error.paragraphs[3].runs[0].text, "numbered");
}

TEST(HelpSource, InlineStylesLinksAndEscapes) {
  Parsed p = Parse("@topic A\n@title A\nRun **bold** and `C:\\\\KV -X 8` then [the link](a) \\*star\\* \\[x].\n");
  ASSERT_TRUE(p.ok) << Joined(p.errors);
  const auto& runs = p.doc.topics[0].paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 7u);
  EXPECT_EQ(runs[0].text, "Run ");
  EXPECT_EQ(runs[1].style, RunStyle::Bold);
  EXPECT_EQ(runs[1].text, "bold");
  EXPECT_EQ(runs[3].style, RunStyle::Code);
  EXPECT_EQ(runs[3].text, "C:\\KV -X 8");
  EXPECT_EQ(runs[5].style, RunStyle::Link);
  EXPECT_EQ(runs[5].text, "the link");
  EXPECT_EQ(runs[5].target, "a");  // names match without regard to case
  EXPECT_EQ(runs[6].text, " *star* [x].");
}

TEST(HelpSource, MistakesAreReportedWithTheirLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"loose text\n", "t.txt:1: text before the first @topic"},
      {"@topic bad-name\n@title T\n", "t.txt:1: bad context name"},
      {"@topic A\n@title T\n@topic a\n@title U\n", "t.txt:3: context name a is already used on line 1"},
      {"@topic A\n@title T\n@map 1001\n@topic B\n@title U\n@map 1001\n", "t.txt:6: context number 1001 is already mapped"},
      {"@topic A\n@title T\n@map 10x\n", "t.txt:3: bad context number 10x"},
      {"@topic A\n@map 99999999999\n@title T\n", "t.txt:2: bad context number"},
      {"@topic A\nText.\n", "t.txt:1: topic A has no @title"},
      {"@topic A\n@title T\nSee [there](NOWHERE).\n", "t.txt:3: link to unknown topic NOWHERE"},
      {"@topic A\n@title T\nSome **bold\ntext.\n", "t.txt:3: ** is not closed"},
      {"@topic A\n@title T\nA `command\n", "t.txt:3: ` is not closed"},
      {"@topic A\n@title T\nBroken [link(A)\n", "t.txt:3: a link needs the form"},
      {"@topic A\n@title T\nEnds in \\\n", "t.txt:3: a backslash ends the paragraph"},
      {"@topic A\n@title Caf\xc3\xa9\n", "t.txt:2: only printable ASCII"},
      {"@topic A\n@title T\n@colour red\n", "t.txt:3: unknown directive @colour in a topic"},
      {"@topic A\n@help-title Late\n@title T\n", "t.txt:2: unknown directive @help-title in a topic"},
      {"", "no @topic"},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(c.text);
    EXPECT_FALSE(p.ok) << c.text;
    EXPECT_NE(Joined(p.errors).find(c.error), std::string::npos) << c.text << "\ngot: " << Joined(p.errors);
  }
  Parsed longTitle = Parse("@topic A\n@title " + std::string(kMaxTitleLength + 1, 'x') + "\n");
  EXPECT_FALSE(longTitle.ok);
  Parsed longParagraph = Parse("@topic A\n@title T\n" + std::string(kMaxParagraphLength + 1, 'x') + "\n");
  EXPECT_FALSE(longParagraph.ok);
}

TEST(HelpSource, ContextNamesUseTheHashableCharactersOnly) {
  EXPECT_TRUE(IsValidContextName("ERR_1001"));
  EXPECT_TRUE(IsValidContextName("a.b"));
  EXPECT_FALSE(IsValidContextName(""));
  EXPECT_FALSE(IsValidContextName("a b"));
  EXPECT_FALSE(IsValidContextName("a-b"));
  EXPECT_FALSE(IsValidContextName(std::string(256, 'a')));
}

}  // namespace
}  // namespace korvane::help
