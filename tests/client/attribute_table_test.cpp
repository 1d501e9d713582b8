#include "attribute_table.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

// Hands out numbered fonts and records what the table asks for.
class CountingHooks : public AttributeHooks {
 public:
  uintptr_t CreateFontFor(uint32_t word) override {
    created.push_back(word);
    return ++nextHandle;
  }
  void DeleteFont(uintptr_t handle) override { deleted.push_back(handle); }
  void BackgroundChanged(int32_t colour) override { backgrounds.push_back(colour); }
  void StartBlinkTimer() override { ++blinkStarts; }

  uintptr_t nextHandle = 100;
  std::vector<uint32_t> created;
  std::vector<uintptr_t> deleted;
  std::vector<int32_t> backgrounds;
  int blinkStarts = 0;
};

struct TableFixture {
  TableFixture() { table.SetHooks(&hooks); }
  int Resolve(uint32_t word) { return table.ResolveAttribute(&word, nullptr); }
  int Resolve(uint32_t word, ColourRecord colours) { return table.ResolveAttribute(&word, &colours); }

  test::ClientFixture client;
  AttributeTable table{client.log()};
  CountingHooks hooks;
};

TEST(AttributeTableFindFont, ColoursFollowTheWordOnTheDefaults) {
  TableFixture f;
  struct Case {
    uint32_t word;
    int32_t foreground, background;
  } cases[] = {
      {ATTR_REVERSE | ATTR_DIM | ATTR_BOLD, 19, 16},
      {ATTR_REVERSE | ATTR_BOLD, 21, 16},
      {ATTR_REVERSE | ATTR_INVISIBLE, 17, 16},
      {ATTR_DIM | ATTR_BOLD, 18, 17},
      {ATTR_BOLD | ATTR_INVISIBLE, 20, 17},
      {ATTR_INVISIBLE, 17, 17},
      {ATTR_UNDERLINE | ATTR_BLINK, 16, 17},
  };
  for (const Case& c : cases) {
    AttrEntry key = f.table.FindFont(c.word);
    EXPECT_EQ(key.foreground, c.foreground) << c.word;
    EXPECT_EQ(key.background, c.background) << c.word;
    EXPECT_EQ(key.inUse, 0);
  }
  f.table.defaultForeground = 3;
  f.table.defaultBackground = 4;
  EXPECT_EQ(f.table.FindFont(ATTR_REVERSE).foreground, 4);
  EXPECT_EQ(f.table.FindFont(ATTR_REVERSE).background, 3);
}

TEST(AttributeTableFindFont, OneFontPerWordEvenWhenOnlyBoldDiffers) {
  TableFixture f;
  int a = f.table.FindFont(ATTR_UNDERLINE).fontIndex;
  int b = f.table.FindFont(ATTR_UNDERLINE | ATTR_BOLD).fontIndex;
  EXPECT_NE(a, b);
  EXPECT_EQ(f.table.FindFont(ATTR_UNDERLINE).fontIndex, a);
  EXPECT_EQ(f.hooks.created, (std::vector<uint32_t>{ATTR_UNDERLINE, ATTR_UNDERLINE | ATTR_BOLD}));
  EXPECT_EQ(f.table.fonts()[static_cast<size_t>(b)].handle, 102u);
}

TEST(AttributeTableResolve, EqualKeysShareAnEntryAndBecomeCurrent) {
  TableFixture f;
  int plain = f.Resolve(0);
  int bold = f.Resolve(ATTR_BOLD);
  EXPECT_EQ(plain, 0);
  EXPECT_EQ(bold, 1);
  EXPECT_EQ(f.Resolve(0), plain);
  EXPECT_EQ(f.table.currentIndex(), plain);
  EXPECT_EQ(f.table.entries()[1], (AttrEntry{1, 17, 20, 0, 1}));
  EXPECT_EQ(f.hooks.backgrounds, (std::vector<int32_t>{17, 17, 17}));
}

TEST(AttributeTableResolve, ARecordGivesColoursAfterTheWordChangedIt) {
  TableFixture f;
  ColourRecord colours{2, 6, COLOUR_GIVES_FOREGROUND};  // background not given: the current one
  uint32_t word = ATTR_DIM;
  int index = f.table.ResolveAttribute(&word, &colours);
  EXPECT_EQ(colours.foreground, 18);  // changed in place
  EXPECT_EQ(f.table.entries()[static_cast<size_t>(index)].foreground, 18);
  EXPECT_EQ(f.table.entries()[static_cast<size_t>(index)].background, 17);

  ColourRecord both{2, 6, COLOUR_GIVES_FOREGROUND | COLOUR_GIVES_BACKGROUND};
  word = ATTR_INVISIBLE;
  f.table.ResolveAttribute(&word, &both);
  EXPECT_EQ(both.foreground, 2);
  word = ATTR_REVERSE | ATTR_BOLD;
  ColourRecord reverseBold{2, 6, COLOUR_GIVES_FOREGROUND | COLOUR_GIVES_BACKGROUND};
  f.table.ResolveAttribute(&word, &reverseBold);
  EXPECT_EQ(reverseBold.foreground, 21);
  EXPECT_EQ(reverseBold.background, 16);
  EXPECT_EQ(f.table.currentForeground, 21);
}

// A rendition that comes back is answered from memory: the answer must
// still follow the default and current colours it was made from, change
// the record in place as before, and be forgotten with the tables.
TEST(AttributeTableResolve, ARenditionThatComesBackFollowsTheColoursItDependsOn) {
  TableFixture f;
  int reverse = f.Resolve(ATTR_REVERSE);
  EXPECT_EQ(f.Resolve(ATTR_REVERSE), reverse);
  f.table.defaultForeground = 3;  // as WUM_SETCOLOR leaves it
  int after = f.Resolve(ATTR_REVERSE);
  EXPECT_NE(after, reverse);
  EXPECT_EQ(f.table.entries()[static_cast<size_t>(after)].background, 3);

  ColourRecord foregroundOnly{9, 6, COLOUR_GIVES_FOREGROUND};
  int onPlain = f.Resolve(0, foregroundOnly);
  f.Resolve(0, ColourRecord{5, 6, COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND});
  int onFive = f.Resolve(0, foregroundOnly);  // the background is the current one
  EXPECT_NE(onFive, onPlain);
  EXPECT_EQ(f.table.entries()[static_cast<size_t>(onFive)].background, 5);

  uint32_t dim = ATTR_DIM;
  for (int i = 0; i < 2; ++i) {
    ColourRecord colours{2, 6, COLOUR_GIVES_FOREGROUND | COLOUR_GIVES_BACKGROUND};
    f.table.ResolveAttribute(&dim, &colours);
    EXPECT_EQ(colours.foreground, COLOUR_DIM) << i;
  }
  f.table.Allocate();
  f.hooks.created.clear();
  EXPECT_EQ(f.Resolve(ATTR_BOLD), 0);
  EXPECT_EQ(f.hooks.created, (std::vector<uint32_t>{ATTR_BOLD}));
}

TEST(AttributeTableResolve, WithoutAWordTheCurrentFontIsKept) {
  TableFixture f;
  f.Resolve(ATTR_ITALIC);
  int font = f.table.currentFontIndex();
  ColourRecord ignored{1, 2, 3};
  int index = f.table.ResolveAttribute(nullptr, &ignored);
  EXPECT_EQ(f.table.entries()[static_cast<size_t>(index)], (AttrEntry{font, 0, 0, 0, 1}));
  EXPECT_EQ(ignored.background, 1);
}

TEST(AttributeTableResolve, BlinkingEntriesStartTheTimer) {
  TableFixture f;
  f.Resolve(ATTR_BLINK);
  f.Resolve(0);
  f.Resolve(ATTR_RAPIDBLINK | ATTR_BOLD);
  EXPECT_EQ(f.hooks.blinkStarts, 2);
}

TEST(AttributeTableGrowth, TablesGrowByAHundredAndFallBackToEntryZero) {
  TableFixture f;
  f.client.log().recordEvents = true;
  for (uint32_t i = 0; i < 150; ++i) f.Resolve(i << 13);  // 150 character sets and more
  EXPECT_EQ(f.table.fonts().size(), 200u);
  EXPECT_EQ(f.table.entries().size(), 200u);
  EXPECT_EQ(f.Resolve(149u << 13), 149);

  f.table.maxFontEntries = 200;
  f.table.maxAttrEntries = 200;
  for (uint32_t i = 150; i < 201; ++i) f.Resolve(i << 13);
  EXPECT_EQ(f.table.fonts().size(), 200u);
  EXPECT_EQ(f.table.currentFontIndex(), 0);
  std::string log = f.client.record.Text();
  EXPECT_NE(log.find("Out of memory for FontTable build\r\n"), std::string::npos);

  // Colours alone make new entries until the attribute table is full too.
  for (int32_t c = 0; c < 22; ++c)
    for (int32_t b = 0; b < 22; ++b) f.Resolve(0, ColourRecord{b, c, 3});
  EXPECT_EQ(f.table.entries().size(), 200u);
  EXPECT_EQ(f.table.currentIndex(), 0);
  EXPECT_NE(f.client.record.Text().find("Out of space for ATTRTAB items\r\n"), std::string::npos);
  // A fallback is not remembered: the same rendition again logs again.
  size_t logged = f.client.record.Text().size();
  f.Resolve(0, ColourRecord{21, 21, 3});
  EXPECT_NE(f.client.record.Text().find("Out of space for ATTRTAB items\r\n", logged), std::string::npos);
}

TEST(AttributeTableGrowth, StartUpAllocationGivesFreshTablesOrSaysWhichFailed) {
  TableFixture f;
  f.Resolve(ATTR_BOLD);
  f.Resolve(ATTR_ITALIC);
  EXPECT_EQ(f.table.Allocate(), AttributeTable::Allocation::kDone);
  EXPECT_EQ(f.table.fonts().size(), 100u);
  EXPECT_FALSE(f.table.fonts()[0].used);
  EXPECT_EQ(f.table.entries()[0].inUse, 0);
  EXPECT_EQ(f.table.currentIndex(), 0);
  EXPECT_EQ(f.Resolve(ATTR_ITALIC), 0);  // the first entry again

  f.table.maxAttrEntries = 99;
  EXPECT_EQ(f.table.Allocate(), AttributeTable::Allocation::kAttrTableFailed);
  f.table.maxFontEntries = 0;
  EXPECT_EQ(f.table.Allocate(), AttributeTable::Allocation::kFontTableFailed);
}

TEST(AttributeTableEntries, OutOfRangeIndicesReadEntryZero) {
  TableFixture f;
  f.Resolve(ATTR_UNDERLINE);
  EXPECT_EQ(f.table.WordOf(0), ATTR_UNDERLINE);
  EXPECT_EQ(f.table.WordOf(5000), ATTR_UNDERLINE);
  f.table.MakeAttributeCurrent(-3);
  EXPECT_EQ(f.table.currentIndex(), 0);
}

TEST(AttributeTableFonts, RecreatedAfterACellSizeChange) {
  TableFixture f;
  f.Resolve(0);
  f.Resolve(ATTR_ITALIC);
  f.table.RecreateFonts();
  EXPECT_EQ(f.hooks.deleted, (std::vector<uintptr_t>{101, 102}));
  EXPECT_EQ(f.table.fonts()[1].handle, 104u);
  f.table.DeleteFonts();
  EXPECT_EQ(f.table.fonts()[0].handle, 0u);
}

}  // namespace
}  // namespace korvane
