// The B+ trees of a help file: the internal directory and the |CONTEXT,
// |TTLBTREE and |KWBTREE indexes. Leaf pages hold the entries in key order
// and are chained left to right; index pages above them hold the first key
// of every child but the first.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hlp_bytes.h"

namespace korvane::help {

constexpr uint16_t kBTreeMagic = 0x293B;
constexpr size_t kBTreeHeaderSize = 38;
constexpr size_t kLeafHeaderSize = 8, kIndexHeaderSize = 6;

struct BTreeEntry {
  Bytes key;    // as stored, also in index pages
  Bytes value;  // follows the key in a leaf entry
};

struct BTreeShape {
  uint16_t pageSize = 2048;
  std::string structure;  // the field letters, e.g. "z4"
  bool directory = false;
};

// Header and pages for entries already sorted by key. Entries larger than a
// page cannot be stored: the result is then empty. `leafStarts`, when given,
// receives the index of the first entry of every leaf page.
Bytes BuildBTree(const BTreeShape& shape, const std::vector<BTreeEntry>& entries,
                 std::vector<uint32_t>* leafStarts = nullptr);

struct BTreeInfo {
  uint16_t pageSize = 0, rootPage = 0, levels = 0, totalPages = 0;
  uint32_t totalEntries = 0;
};

// Reads a tree's header; false when it is not one or its pages lie outside
// the bytes given.
bool ReadBTreeInfo(const uint8_t* data, size_t size, BTreeInfo& info);

// `EntrySize` gives the size of the entry starting at a position (0 when it
// is malformed), so that readers stay inside the page.
using EntrySize = std::function<size_t(const uint8_t* entry, size_t available)>;
using EntryVisitor = std::function<void(const uint8_t* entry, size_t size)>;
// The entry's key against the one sought: negative, zero or positive.
using KeyCompare = std::function<int(const uint8_t* entry, size_t size)>;

// Calls `visit` with every leaf entry in order, from the leftmost leaf along
// the chain. False when the tree is malformed (a page out of range, a loop,
// an entry past its page).
bool WalkBTreeLeaves(const uint8_t* data, size_t size, const EntrySize& leafEntrySize, const EntryVisitor& visit);

// The leaf entry whose key compares equal, found by descending through the
// index pages by key as a help viewer does; null when absent or malformed.
const uint8_t* FindInBTree(const uint8_t* data, size_t size, const EntrySize& leafEntrySize,
                           const EntrySize& indexEntrySize, const KeyCompare& compare);

// Entry sizes of the trees this generator writes.
size_t StringZEntrySize(const uint8_t* entry, size_t available, size_t after);
inline EntrySize StringKey(size_t after) {
  return [after](const uint8_t* e, size_t n) { return StringZEntrySize(e, n, after); };
}
inline EntrySize FixedEntry(size_t size) {
  return [size](const uint8_t*, size_t n) { return n >= size ? size : 0; };
}

}  // namespace korvane::help
