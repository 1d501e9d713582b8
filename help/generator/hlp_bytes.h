// Byte-level pieces of the WinHelp file format: little-endian fixed fields,
// the variable-width integers of topic records, and a bounds-checked reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvane::help {

using Bytes = std::vector<uint8_t>;

void PutU8(Bytes& out, uint32_t value);
void PutU16(Bytes& out, uint32_t value);
void PutU32(Bytes& out, uint32_t value);
void PutBytes(Bytes& out, const Bytes& more);
// Text followed by its NUL.
void PutStringZ(Bytes& out, const std::string& text);
// Text cut or NUL-padded to exactly `width` bytes, always NUL-terminated.
void PutFixedString(Bytes& out, const std::string& text, size_t width);

// Topic records store small numbers in one or two bytes, larger ones in two
// or four; the low bit of the first byte tells which. The signed forms are
// biased. Values outside a form's range are the caller's error: they are
// clamped so the record stays readable.
constexpr int32_t kCompressedUShortMax = 0x7FFF;
constexpr int32_t kCompressedShortMin = -0x4000, kCompressedShortMax = 0x3FFF;
void PutCompressedUShort(Bytes& out, int32_t value);
void PutCompressedShort(Bytes& out, int32_t value);
void PutCompressedLong(Bytes& out, int64_t value);

uint32_t GetU16(const uint8_t* p);
uint32_t GetU32(const uint8_t* p);
void SetU32(Bytes& out, size_t at, uint32_t value);

// Reads fields from a byte range; reading past its end yields zeros and
// clears ok, so a malformed file can never be read outside its bounds.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint32_t U8();
  uint32_t U16();
  uint32_t U32();
  int32_t S16() { return static_cast<int16_t>(U16()); }
  int32_t CompressedUShort();
  int32_t CompressedShort();
  int64_t CompressedLong();
  std::string StringZ();
  void Skip(size_t count);
  size_t Position() const { return pos_; }
  size_t Remaining() const { return ok_ ? size_ - pos_ : 0; }
  bool Ok() const { return ok_; }
  const uint8_t* Here() const { return data_ + pos_; }

 private:
  bool Need(size_t count);
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace korvane::help
