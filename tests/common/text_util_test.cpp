#include "text_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace korvane {
namespace {

TEST(TextUtil, YesNoCompareTheWholeValueWithoutCase) {
  EXPECT_TRUE(IsYes("Y"));
  EXPECT_TRUE(IsYes("y"));
  EXPECT_FALSE(IsYes("Yes"));
  EXPECT_FALSE(IsYes(""));
  EXPECT_TRUE(IsNo("n"));
  EXPECT_FALSE(IsNo("no"));
  EXPECT_TRUE(FirstLetterIs("yes", 'Y'));
  EXPECT_FALSE(FirstLetterIs("", 'Y'));
}

TEST(TextUtil, DecimalValueFollowsLeadingDigitsAndSaturates) {
  EXPECT_EQ(DecimalValue("  42abc"), 42);
  EXPECT_EQ(DecimalValue("-7"), -7);
  EXPECT_EQ(DecimalValue("abc"), 0);
  EXPECT_EQ(DecimalValue(""), 0);
  size_t used = 99;
  EXPECT_EQ(DecimalValue("x1", &used), 0);
  EXPECT_EQ(used, 0u);
  EXPECT_EQ(DecimalValue(" 12,3", &used), 12);
  EXPECT_EQ(used, 3u);
  EXPECT_EQ(DecimalValue("99999999999999999999999"), LONG_MAX);
  EXPECT_EQ(DecimalInt("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(DecimalInt("-99999999999999999999999"), INT_MIN);
}

TEST(TextUtil, FormatGrowsPastItsFirstBuffer) {
  std::string long_text(5000, 'x');
  EXPECT_EQ(Format("%s!", long_text.c_str()).size(), 5001u);
  EXPECT_EQ(Format("%d-%s", 5, "a"), "5-a");
  EXPECT_TRUE(EqualsNoCase("TeRmS", "terms"));
  EXPECT_TRUE(StartsWithNoCase("Telnet:host", "telnet:"));
  EXPECT_EQ(ToUpper("c:\\kv"), "C:\\KV");
}

}  // namespace
}  // namespace korvane
