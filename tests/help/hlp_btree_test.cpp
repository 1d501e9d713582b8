#include "hlp_btree.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvane::help {
namespace {

std::vector<BTreeEntry> NamedEntries(int count) {
  std::vector<BTreeEntry> entries;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "|file%04d", i);  // zero-padded: byte order is number order
    BTreeEntry e;
    PutStringZ(e.key, name);
    PutU32(e.value, static_cast<uint32_t>(i * 100));
    entries.push_back(e);
  }
  return entries;
}

const uint8_t* FindName(const Bytes& tree, const std::string& name) {
  return FindInBTree(tree.data(), tree.size(), StringKey(4), StringKey(2),
                     [&](const uint8_t* e, size_t) { return std::strcmp(reinterpret_cast<const char*>(e), name.c_str()); });
}

TEST(BTree, OnePageTreeHeader) {
  Bytes tree = BuildBTree({1024, "z4", true}, NamedEntries(3));
  ASSERT_EQ(tree.size(), kBTreeHeaderSize + 1024);
  EXPECT_EQ(GetU16(&tree[0]), kBTreeMagic);
  EXPECT_EQ(GetU16(&tree[2]), 0x0402u);  // directory flag
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&tree[6])), "z4");
  BTreeInfo info;
  ASSERT_TRUE(ReadBTreeInfo(tree.data(), tree.size(), info));
  EXPECT_EQ(info.levels, 1);
  EXPECT_EQ(info.rootPage, 0);
  EXPECT_EQ(info.totalEntries, 3u);
  const uint8_t* leaf = &tree[kBTreeHeaderSize];
  EXPECT_EQ(GetU16(leaf + 2), 3u);
  EXPECT_EQ(GetU16(leaf + 4), 0xFFFFu);  // no previous page
  EXPECT_EQ(GetU16(leaf + 6), 0xFFFFu);  // no next page
  EXPECT_EQ(GetU16(leaf), 1024u - 8 - 3 * 14);  // free bytes
}

// Small pages force several leaves and index levels; every key must be found
// by descending through the index keys, and the leaf chain must hold all.
TEST(BTree, ManyPagesAreFoundThroughTheIndexLevels) {
  std::vector<BTreeEntry> entries = NamedEntries(300);
  Bytes tree = BuildBTree({64, "z4", false}, entries);
  BTreeInfo info;
  ASSERT_TRUE(ReadBTreeInfo(tree.data(), tree.size(), info));
  EXPECT_GE(info.levels, 3);
  EXPECT_EQ(info.rootPage, info.totalPages - 1);
  for (int i = 0; i < 300; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "|file%04d", i);
    const uint8_t* e = FindName(tree, name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(GetU32(e + std::strlen(name) + 1), static_cast<uint32_t>(i * 100));
  }
  EXPECT_EQ(FindName(tree, "|file0150x"), nullptr);
  EXPECT_EQ(FindName(tree, "|aaa"), nullptr);
  EXPECT_EQ(FindName(tree, "|zzz"), nullptr);

  std::vector<std::string> walked;
  ASSERT_TRUE(WalkBTreeLeaves(tree.data(), tree.size(), StringKey(4), [&](const uint8_t* e, size_t) {
    walked.emplace_back(reinterpret_cast<const char*>(e));
  }));
  ASSERT_EQ(walked.size(), 300u);
  EXPECT_EQ(walked.front(), "|file0000");
  EXPECT_EQ(walked.back(), "|file0299");
}

TEST(BTree, LeafStartsNameEachPagesFirstEntry) {
  std::vector<uint32_t> starts;
  BuildBTree({64, "z4", false}, NamedEntries(10), &starts);
  ASSERT_GT(starts.size(), 1u);
  EXPECT_EQ(starts[0], 0u);
  for (size_t i = 1; i < starts.size(); ++i) EXPECT_GT(starts[i], starts[i - 1]);
}

TEST(BTree, EmptyTreeHasOneEmptyLeaf) {
  Bytes tree = BuildBTree({2048, "L4", false}, {});
  int visits = 0;
  EXPECT_TRUE(WalkBTreeLeaves(tree.data(), tree.size(), FixedEntry(8), [&](const uint8_t*, size_t) { ++visits; }));
  EXPECT_EQ(visits, 0);
}

TEST(BTree, EntryLargerThanAPageCannotBeStored) {
  BTreeEntry big;
  big.key.assign(100, 'x');
  big.key.push_back(0);
  EXPECT_TRUE(BuildBTree({64, "z4", false}, {big}).empty());
}

TEST(BTree, MalformedTreesAreRefused) {
  Bytes tree = BuildBTree({64, "z4", false}, NamedEntries(20));
  Bytes looped = tree;
  looped[kBTreeHeaderSize + 6] = 0;  // the first leaf's next page: itself
  looped[kBTreeHeaderSize + 7] = 0;
  auto walk = [](const Bytes& t) {
    return WalkBTreeLeaves(t.data(), t.size(), StringKey(4), [](const uint8_t*, size_t) {});
  };
  EXPECT_FALSE(walk(looped));
  Bytes truncated(tree.begin(), tree.end() - 10);
  EXPECT_FALSE(walk(truncated));
  Bytes badCount = tree;
  badCount[kBTreeHeaderSize + 2] = 50;  // more entries than the page holds
  EXPECT_FALSE(walk(badCount));
  Bytes badRoot = tree;
  badRoot[26] = 0xFF;
  EXPECT_EQ(FindInBTree(badRoot.data(), badRoot.size(), StringKey(4), StringKey(2),
                        [](const uint8_t*, size_t) { return 0; }),
            nullptr);
}

}  // namespace
}  // namespace korvane::help
