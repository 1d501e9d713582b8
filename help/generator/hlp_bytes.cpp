#include "hlp_bytes.h"

#include <algorithm>

namespace korvane::help {

void PutU8(Bytes& out, uint32_t value) { out.push_back(static_cast<uint8_t>(value)); }

void PutU16(Bytes& out, uint32_t value) {
  PutU8(out, value);
  PutU8(out, value >> 8);
}

void PutU32(Bytes& out, uint32_t value) {
  PutU16(out, value);
  PutU16(out, value >> 16);
}

void PutBytes(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void PutStringZ(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

void PutFixedString(Bytes& out, const std::string& text, size_t width) {
  if (width == 0) return;
  size_t used = std::min(text.size(), width - 1);
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(used));
  out.insert(out.end(), width - used, 0);
}

void PutCompressedUShort(Bytes& out, int32_t value) {
  value = std::clamp(value, 0, kCompressedUShortMax);
  if (value < 0x80)
    PutU8(out, static_cast<uint32_t>(value) * 2);
  else
    PutU16(out, static_cast<uint32_t>(value) * 2 + 1);
}

void PutCompressedShort(Bytes& out, int32_t value) {
  value = std::clamp(value, kCompressedShortMin, kCompressedShortMax);
  if (value >= -0x40 && value < 0x40)
    PutU8(out, static_cast<uint32_t>(value + 0x40) * 2);
  else
    PutU16(out, static_cast<uint32_t>(value + 0x4000) * 2 + 1);
}

void PutCompressedLong(Bytes& out, int64_t value) {
  value = std::clamp<int64_t>(value, -0x40000000, 0x3FFFFFFF);
  if (value >= -0x4000 && value < 0x4000)
    PutU16(out, static_cast<uint32_t>(value + 0x4000) * 2);
  else
    PutU32(out, static_cast<uint32_t>(value + 0x40000000) * 2 + 1);
}

uint32_t GetU16(const uint8_t* p) { return p[0] | (static_cast<uint32_t>(p[1]) << 8); }

uint32_t GetU32(const uint8_t* p) { return GetU16(p) | (GetU16(p + 2) << 16); }

void SetU32(Bytes& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.at(at + static_cast<size_t>(i)) = static_cast<uint8_t>(value >> (8 * i));
}

bool ByteReader::Need(size_t count) {
  if (!ok_ || count > size_ - pos_) ok_ = false;
  return ok_;
}

uint32_t ByteReader::U8() { return Need(1) ? data_[pos_++] : 0; }

uint32_t ByteReader::U16() {
  if (!Need(2)) return 0;
  pos_ += 2;
  return GetU16(data_ + pos_ - 2);
}

uint32_t ByteReader::U32() {
  if (!Need(4)) return 0;
  pos_ += 4;
  return GetU32(data_ + pos_ - 4);
}

int32_t ByteReader::CompressedUShort() {
  if (!Need(1)) return 0;
  return (data_[pos_] & 1) ? static_cast<int32_t>(U16() / 2) : static_cast<int32_t>(U8() / 2);
}

int32_t ByteReader::CompressedShort() {
  if (!Need(1)) return 0;
  if (data_[pos_] & 1) return static_cast<int32_t>(U16() / 2) - 0x4000;
  return static_cast<int32_t>(U8() / 2) - 0x40;
}

int64_t ByteReader::CompressedLong() {
  if (!Need(1)) return 0;
  if (data_[pos_] & 1) return static_cast<int64_t>(U32() / 2) - 0x40000000;
  return static_cast<int64_t>(U16() / 2) - 0x4000;
}

std::string ByteReader::StringZ() {
  std::string text;
  while (Need(1)) {
    uint8_t c = data_[pos_++];
    if (c == 0) return text;
    text.push_back(static_cast<char>(c));
  }
  return text;
}

void ByteReader::Skip(size_t count) {
  if (Need(count)) pos_ += count;
}

}  // namespace korvane::help
