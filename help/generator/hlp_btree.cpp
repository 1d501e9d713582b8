#include "hlp_btree.h"

#include <cstring>
#include <set>

namespace korvane::help {

namespace {

struct Page {
  std::vector<const BTreeEntry*> entries;
  std::vector<uint16_t> children;  // index pages only
  size_t used = 0;
  bool leaf = true;
};

struct ChildRef {
  const Bytes* firstKey;
  uint16_t page;
};

std::vector<Page> SplitLeaves(const BTreeShape& shape, const std::vector<BTreeEntry>& entries, bool& fits) {
  std::vector<Page> pages(1);
  for (const BTreeEntry& e : entries) {
    size_t size = e.key.size() + e.value.size();
    if (kLeafHeaderSize + size > shape.pageSize) fits = false;
    if (kLeafHeaderSize + pages.back().used + size > shape.pageSize && !pages.back().entries.empty()) pages.emplace_back();
    pages.back().entries.push_back(&e);
    pages.back().used += size;
  }
  return pages;
}

// One level of index pages over `children`; returns the references to them.
std::vector<ChildRef> AddIndexLevel(const BTreeShape& shape, const std::vector<ChildRef>& children,
                                    std::vector<Page>& pages, std::vector<const Bytes*>& firstKeys, bool& fits) {
  std::vector<ChildRef> level;
  for (size_t i = 0; i < children.size(); ++i) {
    size_t size = children[i].firstKey->size() + 2;
    if (kIndexHeaderSize + size > shape.pageSize) fits = false;
    bool start = level.empty() || kIndexHeaderSize + pages.back().used + size > shape.pageSize;
    if (start) {
      pages.emplace_back();
      pages.back().leaf = false;
      firstKeys.push_back(children[i].firstKey);
      level.push_back({children[i].firstKey, static_cast<uint16_t>(pages.size() - 1)});
    } else {
      pages.back().used += size;
    }
    pages.back().children.push_back(children[i].page);
  }
  return level;
}

void WritePage(const BTreeShape& shape, const std::vector<Page>& pages, const std::vector<const Bytes*>& firstKeys,
               size_t index, size_t leafCount, Bytes& out) {
  const Page& page = pages[index];
  size_t start = out.size();
  size_t header = page.leaf ? kLeafHeaderSize : kIndexHeaderSize;
  PutU16(out, static_cast<uint32_t>(shape.pageSize - header - page.used));
  if (page.leaf) {
    PutU16(out, static_cast<uint32_t>(page.entries.size()));
    PutU16(out, index == 0 ? 0xFFFF : static_cast<uint32_t>(index - 1));
    PutU16(out, index + 1 == leafCount ? 0xFFFF : static_cast<uint32_t>(index + 1));
    for (const BTreeEntry* e : page.entries) {
      PutBytes(out, e->key);
      PutBytes(out, e->value);
    }
  } else {
    PutU16(out, static_cast<uint32_t>(page.children.size() - 1));
    PutU16(out, page.children[0]);
    for (size_t c = 1; c < page.children.size(); ++c) {
      PutBytes(out, *firstKeys[page.children[c]]);
      PutU16(out, page.children[c]);
    }
  }
  out.resize(start + shape.pageSize, 0);
}

}  // namespace

Bytes BuildBTree(const BTreeShape& shape, const std::vector<BTreeEntry>& entries, std::vector<uint32_t>* leafStarts) {
  bool fits = true;
  std::vector<Page> pages = SplitLeaves(shape, entries, fits);
  size_t leafCount = pages.size();
  static const Bytes kNoKey;
  std::vector<const Bytes*> firstKeys;  // per page: the smallest key below it
  std::vector<ChildRef> level;
  for (size_t i = 0; i < leafCount; ++i) {
    firstKeys.push_back(pages[i].entries.empty() ? &kNoKey : &pages[i].entries[0]->key);
    level.push_back({firstKeys.back(), static_cast<uint16_t>(i)});
  }
  uint16_t levels = 1;
  while (level.size() > 1 && fits) {
    level = AddIndexLevel(shape, level, pages, firstKeys, fits);
    ++levels;
  }
  if (!fits || pages.size() > 0x7FFF) return {};
  if (leafStarts) {
    leafStarts->clear();
    uint32_t first = 0;
    for (size_t i = 0; i < leafCount; ++i) {
      leafStarts->push_back(first);
      first += static_cast<uint32_t>(pages[i].entries.size());
    }
  }

  Bytes out;
  PutU16(out, kBTreeMagic);
  PutU16(out, shape.directory ? 0x0402 : 0x0002);
  PutU16(out, shape.pageSize);
  PutFixedString(out, shape.structure, 16);
  PutU16(out, 0);                                         // must be zero
  PutU16(out, static_cast<uint32_t>(pages.size() - 1));   // page splits
  PutU16(out, static_cast<uint32_t>(pages.size() - 1));   // root page: the last one made
  PutU16(out, 0xFFFF);                                    // must be -1
  PutU16(out, static_cast<uint32_t>(pages.size()));
  PutU16(out, levels);
  PutU32(out, static_cast<uint32_t>(entries.size()));
  for (size_t i = 0; i < pages.size(); ++i) WritePage(shape, pages, firstKeys, i, leafCount, out);
  return out;
}

bool ReadBTreeInfo(const uint8_t* data, size_t size, BTreeInfo& info) {
  ByteReader r(data, size);
  if (r.U16() != kBTreeMagic) return false;
  r.U16();
  info.pageSize = static_cast<uint16_t>(r.U16());
  r.Skip(16 + 2 + 2);
  info.rootPage = static_cast<uint16_t>(r.U16());
  r.U16();
  info.totalPages = static_cast<uint16_t>(r.U16());
  info.levels = static_cast<uint16_t>(r.U16());
  info.totalEntries = r.U32();
  if (!r.Ok() || info.pageSize < kLeafHeaderSize || info.levels == 0 || info.rootPage >= info.totalPages) return false;
  return static_cast<uint64_t>(info.totalPages) * info.pageSize <= size - kBTreeHeaderSize;
}

bool WalkBTreeLeaves(const uint8_t* data, size_t size, const EntrySize& leafEntrySize, const EntryVisitor& visit) {
  BTreeInfo info;
  if (!ReadBTreeInfo(data, size, info)) return false;
  const uint8_t* pages = data + kBTreeHeaderSize;
  uint32_t page = info.rootPage;
  for (int level = info.levels; level > 1; --level) {
    page = GetU16(pages + static_cast<size_t>(page) * info.pageSize + 4);
    if (page >= info.totalPages) return false;
  }
  std::set<uint32_t> seen;
  while (page != 0xFFFF) {
    if (page >= info.totalPages || !seen.insert(page).second) return false;
    const uint8_t* p = pages + static_cast<size_t>(page) * info.pageSize;
    int count = static_cast<int16_t>(GetU16(p + 2));
    size_t at = kLeafHeaderSize;
    for (int i = 0; i < count; ++i) {
      size_t n = leafEntrySize(p + at, info.pageSize - at);
      if (n == 0) return false;
      visit(p + at, n);
      at += n;
    }
    page = GetU16(p + 6);
  }
  return true;
}

const uint8_t* FindInBTree(const uint8_t* data, size_t size, const EntrySize& leafEntrySize,
                           const EntrySize& indexEntrySize, const KeyCompare& compare) {
  BTreeInfo info;
  if (!ReadBTreeInfo(data, size, info)) return nullptr;
  const uint8_t* pages = data + kBTreeHeaderSize;
  uint32_t page = info.rootPage;
  for (int level = info.levels; level > 1; --level) {
    const uint8_t* p = pages + static_cast<size_t>(page) * info.pageSize;
    int count = static_cast<int16_t>(GetU16(p + 2));
    page = GetU16(p + 4);
    size_t at = kIndexHeaderSize;
    for (int i = 0; i < count; ++i) {
      size_t n = indexEntrySize(p + at, info.pageSize - at);
      if (n < 2) return nullptr;
      if (compare(p + at, n - 2) > 0) break;
      page = GetU16(p + at + n - 2);
      at += n;
    }
    if (page >= info.totalPages) return nullptr;
  }
  const uint8_t* p = pages + static_cast<size_t>(page) * info.pageSize;
  int count = static_cast<int16_t>(GetU16(p + 2));
  size_t at = kLeafHeaderSize;
  for (int i = 0; i < count; ++i) {
    size_t n = leafEntrySize(p + at, info.pageSize - at);
    if (n == 0) return nullptr;
    int order = compare(p + at, n);
    if (order == 0) return p + at;
    if (order > 0) return nullptr;
    at += n;
  }
  return nullptr;
}

size_t StringZEntrySize(const uint8_t* entry, size_t available, size_t after) {
  const void* nul = std::memchr(entry, 0, available);
  if (!nul) return 0;
  size_t size = static_cast<size_t>(static_cast<const uint8_t*>(nul) - entry) + 1 + after;
  return size <= available ? size : 0;
}

}  // namespace korvane::help
