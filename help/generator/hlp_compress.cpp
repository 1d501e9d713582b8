#include "hlp_compress.h"

#include <algorithm>
#include <vector>

namespace korvane::help {

namespace {

constexpr size_t kHashSize = 1 << 12;
constexpr int kMaxChain = 256;

size_t Hash3(const uint8_t* p) { return ((p[0] << 8) ^ (p[1] << 4) ^ p[2]) & (kHashSize - 1); }

// Chains of earlier positions with the same three-byte prefix hash.
class MatchFinder {
 public:
  MatchFinder(const uint8_t* data, size_t size) : data_(data), size_(size), head_(kHashSize, -1), prev_(size, -1) {}

  void Insert(size_t pos) {
    if (pos + kLzMinMatch > size_) return;
    size_t h = Hash3(data_ + pos);
    prev_[pos] = head_[h];
    head_[h] = static_cast<long>(pos);
  }

  // Longest earlier match within the window; length 0 when none of 3 or more.
  size_t Longest(size_t pos, size_t& distance) const {
    size_t best = 0;
    if (pos + kLzMinMatch > size_) return 0;
    size_t limit = std::min(kLzMaxMatch, size_ - pos);
    long candidate = head_[Hash3(data_ + pos)];
    for (int steps = 0; candidate >= 0 && steps < kMaxChain; ++steps, candidate = prev_[candidate]) {
      size_t from = static_cast<size_t>(candidate);
      if (pos - from > kLzWindow) break;
      size_t length = 0;
      while (length < limit && data_[from + length] == data_[pos + length]) ++length;
      if (length > best) {
        best = length;
        distance = pos - from;
        if (length == limit) break;
      }
    }
    return best >= kLzMinMatch ? best : 0;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  std::vector<long> head_, prev_;
};

}  // namespace

Bytes CompressLz77(const uint8_t* data, size_t size) {
  Bytes out;
  MatchFinder finder(data, size);
  size_t flagAt = 0;
  int item = 8;
  for (size_t pos = 0; pos < size;) {
    if (item == 8) {
      flagAt = out.size();
      out.push_back(0);
      item = 0;
    }
    size_t distance = 0;
    size_t length = finder.Longest(pos, distance);
    if (length) {
      out[flagAt] = static_cast<uint8_t>(out[flagAt] | (1u << item));
      PutU16(out, static_cast<uint32_t>(((length - kLzMinMatch) << 12) | (distance - 1)));
    } else {
      length = 1;
      out.push_back(data[pos]);
    }
    for (size_t i = 0; i < length; ++i) finder.Insert(pos + i);
    pos += length;
    ++item;
  }
  return out;
}

bool DecompressLz77(const uint8_t* data, size_t size, size_t limit, Bytes& out) {
  size_t start = out.size();
  for (size_t pos = 0; pos < size;) {
    uint8_t flags = data[pos++];
    for (int item = 0; item < 8 && pos < size; ++item) {
      if (!(flags & (1u << item))) {
        if (out.size() - start >= limit) return false;
        out.push_back(data[pos++]);
        continue;
      }
      if (pos + 2 > size) return false;
      uint32_t code = GetU16(data + pos);
      pos += 2;
      size_t length = (code >> 12) + kLzMinMatch, distance = (code & 0xFFF) + 1;
      if (distance > out.size() - start || out.size() - start + length > limit) return false;
      for (size_t i = 0; i < length; ++i) out.push_back(out[out.size() - distance]);
    }
  }
  return true;
}

size_t ZeroPaddingOutput(size_t count) { return count / 9 * 8 + (count % 9 ? count % 9 - 1 : 0); }

}  // namespace korvane::help
