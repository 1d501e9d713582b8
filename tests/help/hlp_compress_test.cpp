#include "hlp_compress.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace korvane::help {
namespace {

Bytes RoundTrip(const Bytes& data) {
  Bytes packed = CompressLz77(data.data(), data.size());
  Bytes out;
  EXPECT_TRUE(DecompressLz77(packed.data(), packed.size(), data.size(), out));
  return out;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(Lz77, RoundTripsTextRunsAndNoise) {
  std::string prose;
  for (int i = 0; i < 200; ++i) prose += "The host did not answer; check the host name and the port " + std::to_string(i) + ". ";
  Bytes noise(5000);
  std::mt19937 random(7);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  for (const Bytes& data : {Text(""), Text("ab"), Text(prose), Bytes(1000, 'a'), noise}) EXPECT_EQ(RoundTrip(data), data);
  Bytes packed = CompressLz77(reinterpret_cast<const uint8_t*>(prose.data()), prose.size());
  EXPECT_LT(packed.size(), prose.size() / 3);
}

TEST(Lz77, NeverRefersFurtherBackThanTheWindow) {
  // The same 40 bytes 5000 bytes apart, noise between: no reference may span it.
  std::mt19937 random(3);
  Bytes data(5040);
  for (auto& b : data) b = static_cast<uint8_t>(random());
  std::copy(data.begin(), data.begin() + 40, data.end() - 40);
  Bytes packed = CompressLz77(data.data(), data.size());
  for (size_t pos = 0; pos < packed.size();) {
    uint8_t flags = packed[pos++];
    for (int item = 0; item < 8 && pos < packed.size(); ++item) {
      if (flags & (1u << item)) {
        EXPECT_LE((GetU16(&packed[pos]) & 0xFFF) + 1u, kLzWindow);
        pos += 2;
      } else {
        ++pos;
      }
    }
  }
  EXPECT_EQ(RoundTrip(data), data);
}

TEST(Lz77, MalformedStreamsAreRefused) {
  Bytes out;
  const uint8_t beforeStart[] = {0x01, 0x00, 0x00};  // a reference with nothing produced yet
  EXPECT_FALSE(DecompressLz77(beforeStart, sizeof beforeStart, 100, out));
  const uint8_t cutReference[] = {0x02, 'a', 0x00};
  out.clear();
  EXPECT_FALSE(DecompressLz77(cutReference, sizeof cutReference, 100, out));
  Bytes many(1000, 'x');
  Bytes packed = CompressLz77(many.data(), many.size());
  out.clear();
  EXPECT_FALSE(DecompressLz77(packed.data(), packed.size(), 999, out));  // over the limit
}

TEST(Lz77, ZeroPaddingDecompressesToZeroLiterals) {
  for (size_t count : {0u, 1u, 2u, 9u, 10u, 100u}) {
    Bytes zeros(count, 0), out;
    ASSERT_TRUE(DecompressLz77(zeros.data(), zeros.size(), 1000, out));
    EXPECT_EQ(out.size(), ZeroPaddingOutput(count)) << count;
  }
}

}  // namespace
}  // namespace korvane::help
