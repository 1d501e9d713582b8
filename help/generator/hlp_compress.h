// The LZ77 compression of topic blocks: a flag byte announces eight items,
// low bit first; a clear bit is one literal byte, a set bit a two-byte
// reference (low 12 bits: distance - 1, high 4 bits: length - 3) to text
// already produced, at most 4096 bytes back and 18 bytes long.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hlp_bytes.h"

namespace korvane::help {

constexpr size_t kLzWindow = 4096, kLzMinMatch = 3, kLzMaxMatch = 18;

Bytes CompressLz77(const uint8_t* data, size_t size);

// False when the stream refers before its start or would produce more than
// `limit` bytes; `out` then holds what was produced so far.
bool DecompressLz77(const uint8_t* data, size_t size, size_t limit, Bytes& out);

// Bytes produced by `count` zero bytes of compressed stream (zero flag bytes
// and literal zeros), which is how a block shorter than its slot is padded.
size_t ZeroPaddingOutput(size_t count);

}  // namespace korvane::help
