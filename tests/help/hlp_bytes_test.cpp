#include "hlp_bytes.h"

#include <gtest/gtest.h>

namespace korvane::help {
namespace {

Bytes Encoded(void (*put)(Bytes&, int32_t), int32_t value) {
  Bytes out;
  put(out, value);
  return out;
}

TEST(CompressedIntegers, ShortFormUpToItsLimitThenLongForm) {
  EXPECT_EQ(Encoded(PutCompressedUShort, 0), (Bytes{0x00}));
  EXPECT_EQ(Encoded(PutCompressedUShort, 127), (Bytes{0xFE}));
  EXPECT_EQ(Encoded(PutCompressedUShort, 128), (Bytes{0x01, 0x01}));
  EXPECT_EQ(Encoded(PutCompressedShort, 0), (Bytes{0x80}));
  EXPECT_EQ(Encoded(PutCompressedShort, -64), (Bytes{0x00}));
  EXPECT_EQ(Encoded(PutCompressedShort, 63), (Bytes{0xFE}));
  EXPECT_EQ(Encoded(PutCompressedShort, -65).size(), 2u);
  EXPECT_EQ(Encoded(PutCompressedShort, 64).size(), 2u);
  Bytes long16, long32;
  PutCompressedLong(long16, 16383);
  PutCompressedLong(long32, 16384);
  EXPECT_EQ(long16, (Bytes{0xFE, 0xFF}));
  EXPECT_EQ(long32.size(), 4u);
}

TEST(CompressedIntegers, ReadBackAcrossTheirRanges) {
  Bytes out;
  const int32_t unsignedValues[] = {0, 1, 127, 128, 0x3FFF, kCompressedUShortMax};
  const int32_t signedValues[] = {kCompressedShortMin, -65, -64, -1, 0, 63, 64, kCompressedShortMax};
  const int64_t longValues[] = {-0x40000000LL, -16385, -16384, 0, 16383, 16384, 0x3FFFFFFF};
  for (int32_t v : unsignedValues) PutCompressedUShort(out, v);
  for (int32_t v : signedValues) PutCompressedShort(out, v);
  for (int64_t v : longValues) PutCompressedLong(out, v);
  ByteReader r(out.data(), out.size());
  for (int32_t v : unsignedValues) EXPECT_EQ(r.CompressedUShort(), v);
  for (int32_t v : signedValues) EXPECT_EQ(r.CompressedShort(), v);
  for (int64_t v : longValues) EXPECT_EQ(r.CompressedLong(), v);
  EXPECT_TRUE(r.Ok());
  EXPECT_EQ(r.Remaining(), 0u);
}

TEST(CompressedIntegers, OutOfRangeValuesAreClampedNotWrapped) {
  Bytes out;
  PutCompressedUShort(out, 70000);
  PutCompressedShort(out, -20000);
  ByteReader r(out.data(), out.size());
  EXPECT_EQ(r.CompressedUShort(), kCompressedUShortMax);
  EXPECT_EQ(r.CompressedShort(), kCompressedShortMin);
}

TEST(ByteReader, ReadingPastTheEndGivesZerosAndStaysFailed) {
  const uint8_t data[] = {0x34, 0x12, 0x41, 0x42};
  ByteReader r(data, sizeof data);
  EXPECT_EQ(r.U16(), 0x1234u);
  EXPECT_EQ(r.U32(), 0u);  // only two bytes left
  EXPECT_FALSE(r.Ok());
  EXPECT_EQ(r.U8(), 0u);
  EXPECT_EQ(r.Remaining(), 0u);

  ByteReader text(data + 2, 2);
  EXPECT_EQ(text.StringZ(), "AB");  // no terminator: what is there, and failed
  EXPECT_FALSE(text.Ok());
  const uint8_t twoByteForm[] = {0x01};  // announces two bytes, has one
  ByteReader cut(twoByteForm, 1);
  EXPECT_EQ(cut.CompressedUShort(), 0);
  EXPECT_FALSE(cut.Ok());
}

TEST(FixedStrings, CutToTheirWidthAndAlwaysTerminated) {
  Bytes out;
  PutFixedString(out, "Arial", 8);
  PutFixedString(out, "Courier New", 4);
  EXPECT_EQ(out, (Bytes{'A', 'r', 'i', 'a', 'l', 0, 0, 0, 'C', 'o', 'u', 0}));
}

}  // namespace
}  // namespace korvane::help
