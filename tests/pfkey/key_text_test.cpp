#include "key_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::test {
namespace {

std::string Text(const std::string& bytes) {
  return KeyBytesToText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Bytes(const std::string& text) {
  std::vector<uint8_t> bytes = KeyTextToBytes(text);
  return std::string(bytes.begin(), bytes.end());
}

TEST(KeyText, BytesOutsideThePrintableRangeAreWrittenAsNumbers) {
  EXPECT_EQ(Text("\x1bJ"), "{27}J");
  EXPECT_EQ(Text(" "), "{32}");
  EXPECT_EQ(Text("!~"), "!~");
  EXPECT_EQ(Text(std::string("\0\x7f\x80\xff", 4)), "{0}{127}{128}{255}");
  EXPECT_EQ(Text(""), "");
  // A brace stands as itself unless it would read back as a number.
  EXPECT_EQ(Text("{x}"), "{x}");
  EXPECT_EQ(Text("a{"), "a{");
  EXPECT_EQ(Text("{12}"), "{123}12}");
  EXPECT_EQ(Text("{}"), "{123}}");
  EXPECT_EQ(Text("{{}"), "{{123}}");
}

TEST(KeyText, NumbersInBracesAreBytes) {
  EXPECT_EQ(Bytes("A{13}{10}"), "A\r\n");
  EXPECT_EQ(Bytes("{300}"), ",");
  EXPECT_EQ(Bytes("{256}"), std::string(1, '\0'));
  EXPECT_EQ(Bytes("{}"), std::string(1, '\0'));
  EXPECT_EQ(Bytes("{0027}"), "\x1b");
  // A number far beyond any integer is still taken modulo 256: 10^40 - 1.
  EXPECT_EQ(Bytes("{" + std::string(40, '9') + "}"), "\xff");
  EXPECT_EQ(Bytes("{18446744073709551872}"), std::string(1, '\0'));  // 2^64 + 256
}

TEST(KeyText, BracesThatOpenNoNumberAreKept) {
  EXPECT_EQ(Bytes("{x}"), "{x}");
  EXPECT_EQ(Bytes("{"), "{");
  EXPECT_EQ(Bytes("a{12"), "a{12");
  EXPECT_EQ(Bytes("{1 2}"), "{1 2}");
  EXPECT_EQ(Bytes("{-1}"), "{-1}");
  EXPECT_EQ(Bytes("{{27}"), "{\x1b");
  EXPECT_EQ(Bytes("}{27}}"), "}\x1b}");
}

TEST(KeyText, EveryStringSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const std::string& bytes : {all, std::string("{12}{}{"), std::string("{{{1}}}"), std::string("{x}{99")})
    EXPECT_EQ(Bytes(Text(bytes)), bytes);
  for (const std::string& text : {std::string("{27}[11~"), std::string("ls{13}"), std::string("{x}")})
    EXPECT_EQ(Text(Bytes(text)), text);
}

TEST(KeyText, TextPastTheLimitIsCut) {
  std::string text(kKeyTextLimit, 'a');
  EXPECT_EQ(Bytes(text + "bcd").size(), kKeyTextLimit);
  // The cut drops a number it would split rather than keep half of it.
  std::string split = std::string(kKeyTextLimit - 2, 'a') + "{27}";
  EXPECT_EQ(Bytes(split), std::string(kKeyTextLimit - 2, 'a'));
  std::string whole = std::string(kKeyTextLimit - 4, 'a') + "{27}b";
  EXPECT_EQ(Bytes(whole), std::string(kKeyTextLimit - 4, 'a') + "\x1b");
  // A brace that opens no number is an ordinary character at the cut.
  std::string lone = std::string(kKeyTextLimit - 1, 'a') + "{x";
  EXPECT_EQ(Bytes(lone), std::string(kKeyTextLimit - 1, 'a') + "{");
}

}  // namespace
}  // namespace korvane::test
