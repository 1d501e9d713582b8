#include "display_handler.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "display_test_support.h"

namespace korvane {
namespace {

using test::DisplayFixture;
using Calls = std::vector<std::string>;

// ---- cursor motion ----

TEST(DisplayCursor, MoveCursorReducesModuloTheGrid) {
  DisplayFixture f;
  f.MoveTo(30, 85);
  EXPECT_EQ(f.Cursor(), std::make_pair(6, 5));
  f.Send(WUM_SETROWORCOL, 50, 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(2, 5));
  f.Send(WUM_SETROWORCOL, 170, 0);
  EXPECT_EQ(f.Cursor(), std::make_pair(2, 10));
  f.Send(WUM_SETROWORCOL, static_cast<uintptr_t>(-1), 0);  // huge values stay inside
  EXPECT_LT(f.model.cursorColumn(), 80);
}

// Host compatibility: moves held to the grid or the region, CUF and CUD
// that stop, and the screen query.
TEST(DisplayCursor, HostMovesStopAtTheEdgeAndAnswerTheQuery) {
  DisplayFixture f;  // 24 x 80
  f.Send(WUM_MOVECURSOR, MakeLong(85, 30), CURSOR_LIMIT);
  EXPECT_EQ(f.Cursor(), std::make_pair(23, 79));
  f.Send(WUM_SETSCROLL, MakeLong(5, 10));
  f.Send(WUM_MOVECURSOR, MakeLong(3, 2), CURSOR_LIMIT | CURSOR_ORIGIN);
  EXPECT_EQ(f.Cursor(), std::make_pair(7, 3));
  EXPECT_EQ(f.Send(WUM_SETOPTION, OPTION_QUERYSCREEN, QUERY_CURSOR), static_cast<intptr_t>(MakeLong(3, 7)));
  EXPECT_EQ(f.Send(WUM_SETOPTION, OPTION_QUERYSCREEN, QUERY_SIZE), static_cast<intptr_t>(MakeLong(80, 24)));
  EXPECT_EQ(f.Send(WUM_SETOPTION, OPTION_QUERYSCREEN, QUERY_REGION), static_cast<intptr_t>(MakeLong(5, 10)));
  f.Send(WUM_CURSORDOWN, 1, 9);  // stops on the region's bottom, nothing scrolls
  EXPECT_EQ(f.Cursor(), std::make_pair(10, 3));
  f.Send(WUM_SETROWORCOL, 40, 1 | CURSOR_LIMIT | CURSOR_ORIGIN);
  EXPECT_EQ(f.Cursor(), std::make_pair(10, 3));
  f.Send(WUM_SETROWORCOL, 100, CURSOR_LIMIT);
  EXPECT_EQ(f.Cursor(), std::make_pair(10, 79));
  f.Send(WUM_SETROWORCOL, 30, 1 | CURSOR_LIMIT);
  EXPECT_EQ(f.Cursor(), std::make_pair(23, 79));
  f.Send(WUM_SETROWORCOL, 75, CURSOR_LIMIT);
  f.Send(WUM_CURSORRIGHT, 1, 20);  // stops on the last column
  EXPECT_EQ(f.Cursor(), std::make_pair(23, 79));
}

TEST(DisplayCursor, LeftStopsAtColumnZeroAndCountsBelowOneMeanOne) {
  DisplayFixture f;
  f.MoveTo(3, 5);
  f.Send(WUM_CURSORLEFT, 0, 0);
  EXPECT_EQ(f.model.cursorColumn(), 4);
  f.Send(WUM_CURSORLEFT, 0, -7);
  EXPECT_EQ(f.model.cursorColumn(), 3);
  f.Send(WUM_CURSORLEFT, 0, 1000);
  EXPECT_EQ(f.model.cursorColumn(), 0);
}

TEST(DisplayCursor, RightPastTheLastColumnContinuesOnTheNextRow) {
  DisplayFixture f;
  f.MoveTo(3, 79);
  f.Send(WUM_CURSORRIGHT, 0, 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(4, 0));
  f.MoveTo(3, 70);
  f.Send(WUM_CURSORRIGHT, 0, 15);
  EXPECT_EQ(f.Cursor(), std::make_pair(4, 5));
  f.Send(WUM_CURSORRIGHT, 0, 3);
  EXPECT_EQ(f.Cursor(), std::make_pair(4, 8));
  f.MoveTo(23, 79);  // on the bottom row the screen scrolls
  f.Write("x");
  f.MoveTo(23, 79);
  f.Send(WUM_CURSORRIGHT, 0, 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(23, 0));
  EXPECT_EQ(f.Trimmed(21), std::string(79, ' ') + "x");  // scrolled twice: by the write and the move
}

TEST(DisplayCursor, DownOnTheRegionBottomScrollsOrReturnsToTheTop) {
  DisplayFixture f;
  f.Send(WUM_SETSCROLL, MakeLong(5, 10));
  f.MoveTo(5, 0);
  f.Write("top");
  f.MoveTo(10, 3);
  f.Send(WUM_CURSORDOWN, 0, 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(10, 3));
  EXPECT_EQ(f.Trimmed(4), "");
  EXPECT_EQ(f.Trimmed(5), "");  // "top" moved up and out of the region
  f.Send(WUM_SETOPTION, OPTION_SCROLLATBOTTOM, 0);
  f.Send(WUM_CURSORDOWN, 0, 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(5, 3));
}

// Decision: the region scrolls by the lines that overflow it, as the cursor
// going up does.
TEST(DisplayCursor, DownScrollsOnlyByTheOverflow) {
  DisplayFixture f;
  for (int row = 0; row < 24; ++row) {
    f.MoveTo(row, 0);
    f.Write(std::to_string(row));
  }
  f.MoveTo(21, 0);
  f.Send(WUM_CURSORDOWN, 0, 4);
  EXPECT_EQ(f.Cursor(), std::make_pair(23, 0));
  EXPECT_EQ(f.Trimmed(0), "2");
  EXPECT_EQ(f.Trimmed(21), "23");
  EXPECT_EQ(f.Trimmed(22), "");
  f.Send(WUM_CURSORDOWN, 0, 100000);  // at most the rows
  EXPECT_EQ(f.Trimmed(0), "");
}

TEST(DisplayCursor, DownBelowTheRegionMovesWithoutScrolling) {
  DisplayFixture f;
  f.Send(WUM_SETSCROLL, MakeLong(0, 10));
  f.Write("keep");
  f.MoveTo(20, 0);
  f.Send(WUM_CURSORDOWN, 0, 5);
  EXPECT_EQ(f.Cursor(), std::make_pair(23, 0));
  EXPECT_EQ(f.Trimmed(0), "keep");
}

TEST(DisplayCursor, UpOnTheRegionTopStopsScrollsOrWraps) {
  DisplayFixture f;
  f.Send(WUM_SETSCROLL, MakeLong(5, 10));
  f.MoveTo(5, 2);
  f.Write("line");
  f.MoveTo(5, 2);
  f.Send(WUM_CURSORUP, 0, 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(5, 2));
  f.Send(WUM_CURSORUP, 1, 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(5, 2));
  EXPECT_EQ(f.Trimmed(6), "  line");
  EXPECT_EQ(f.Trimmed(5), "");
  // Wrapping stays inside the region.
  f.Send(WUM_CURSORUP, static_cast<uintptr_t>(-1), 1);
  EXPECT_EQ(f.Cursor(), std::make_pair(10, 2));
  f.MoveTo(6, 2);
  f.Send(WUM_CURSORUP, static_cast<uintptr_t>(-1), 3);
  EXPECT_EQ(f.Cursor(), std::make_pair(9, 2));
  // Other wParam values stop on the top row.
  f.MoveTo(6, 2);
  f.Send(WUM_CURSORUP, 7, 3);
  EXPECT_EQ(f.Cursor(), std::make_pair(5, 2));
  // Above the region the cursor only stops at row 0.
  f.MoveTo(2, 2);
  f.Send(WUM_CURSORUP, 1, 5);
  EXPECT_EQ(f.Cursor(), std::make_pair(0, 2));
  EXPECT_EQ(f.Trimmed(6), "  line");
}

TEST(DisplayCursor, CarriageReturnGoesToColumnZero) {
  DisplayFixture f;
  f.MoveTo(4, 33);
  f.Send(WUM_CARRIAGERETURN);
  EXPECT_EQ(f.Cursor(), std::make_pair(4, 0));
}

TEST(DisplayTabs, ForwardStopsAndTheLastStopBeforeTheEdge) {
  DisplayFixture f;
  f.MoveTo(0, 3);
  f.Send(WUM_TAB, 0);
  EXPECT_EQ(f.model.cursorColumn(), 8);
  f.Send(WUM_TAB, 2);
  EXPECT_EQ(f.model.cursorColumn(), 24);
  f.MoveTo(0, 75);  // no stop after 72 on 80 columns
  f.Send(WUM_TAB, 1);
  EXPECT_EQ(f.model.cursorColumn(), 75);
  f.MoveTo(0, 70);
  f.Send(WUM_TAB, 5);
  EXPECT_EQ(f.model.cursorColumn(), 72);
  f.Send(WUM_TAB, static_cast<uintptr_t>(INT_MAX));
  EXPECT_EQ(f.model.cursorColumn(), 72);
}

TEST(DisplayTabs, BackwardFindsTheStopBeforeOrColumnZero) {
  DisplayFixture f;
  f.MoveTo(0, 5);
  f.Send(WUM_TAB, static_cast<uintptr_t>(-1));
  EXPECT_EQ(f.model.cursorColumn(), 0);
  f.MoveTo(0, 20);
  f.Send(WUM_TAB, static_cast<uintptr_t>(-1));
  EXPECT_EQ(f.model.cursorColumn(), 16);
  f.Send(WUM_TAB, static_cast<uintptr_t>(INT_MIN));
  EXPECT_EQ(f.model.cursorColumn(), 0);
}

TEST(DisplayTabs, SetAndClearAtTheCursorOrAll) {
  DisplayFixture f;
  f.MoveTo(0, 3);
  f.Send(WUM_SETTAB);
  f.MoveTo(0, 0);
  f.Send(WUM_TAB, 1);
  EXPECT_EQ(f.model.cursorColumn(), 3);
  f.Send(WUM_CLEARTAB, 0);
  EXPECT_FALSE(f.model.HasTabStop(3));
  EXPECT_TRUE(f.model.HasTabStop(8));
  f.Send(WUM_CLEARTAB, 1);
  EXPECT_FALSE(f.model.HasTabStop(8));
}

TEST(DisplayCursor, SaveAndRestoreWithTheAttribute) {
  DisplayFixture f;
  f.MoveTo(4, 7);
  f.Attributes(ATTR_BOLD);
  uint32_t bold = f.model.attribute;
  f.Send(WUM_SAVECURSOR, 1);
  f.Attributes(0);
  f.MoveTo(0, 0);
  f.Send(WUM_RESTORECURSOR, 0);
  EXPECT_EQ(f.Cursor(), std::make_pair(4, 7));
  EXPECT_NE(f.model.attribute, bold);
  f.Send(WUM_RESTORECURSOR, 1);  // the stack is empty: the bottom entry again
  EXPECT_EQ(f.model.attribute, bold);
  EXPECT_EQ(f.attributes.currentIndex(), static_cast<int>(bold));
  EXPECT_EQ(f.attributes.currentForeground, COLOUR_BOLD);
}

// ---- writing text ----

TEST(DisplayWrite, AutoWrapContinuesOnTheNextRow) {
  DisplayFixture f;
  f.MoveTo(5, 70);
  f.Write(std::string(100, 'a'));  // 10 + 80 + 10
  EXPECT_EQ(f.Cursor(), std::make_pair(7, 10));
  EXPECT_EQ(f.Trimmed(5), std::string(70, ' ') + std::string(10, 'a'));
  EXPECT_EQ(f.Trimmed(6), std::string(80, 'a'));
  EXPECT_EQ(f.Trimmed(7), std::string(10, 'a'));
  f.MoveTo(10, 70);
  f.Write(std::string(20, 'b'));
  EXPECT_EQ(f.Cursor(), std::make_pair(11, 10));
}

TEST(DisplayWrite, DelayedWrapWaitsForTheNextCharacter) {
  DisplayFixture f;
  f.model.delayedWrap = true;
  f.MoveTo(2, 75);
  f.Write("12345");
  EXPECT_EQ(f.Cursor(), std::make_pair(2, 79));
  EXPECT_TRUE(f.model.pendingWrap);
  f.Write("6");
  EXPECT_EQ(f.Cursor(), std::make_pair(3, 1));
  EXPECT_EQ(f.Row(3)[0], '6');
  EXPECT_EQ(f.Row(2)[79], '5');
}

TEST(DisplayWrite, WithoutAutoWrapTheExcessIsDropped) {
  DisplayFixture f;
  f.Send(WUM_SETOPTION, OPTION_AUTOWRAP, 0);
  f.MoveTo(0, 75);
  f.Write("abcdefghij");
  EXPECT_EQ(f.Cursor(), std::make_pair(0, 79));
  EXPECT_EQ(f.Trimmed(0), std::string(75, ' ') + "abcde");
  f.Write("Z");  // overwrites the last column
  EXPECT_EQ(f.Trimmed(0), std::string(75, ' ') + "abcdZ");
  EXPECT_EQ(f.Trimmed(1), "");
}

TEST(DisplayWrite, WithoutScrollAtBottomWrappingGoesToRowZero) {
  DisplayFixture f;
  f.Send(WUM_SETOPTION, OPTION_SCROLLATBOTTOM, 0);
  f.MoveTo(23, 78);
  f.Write("abcd");
  EXPECT_EQ(f.Cursor(), std::make_pair(0, 2));
  EXPECT_EQ(f.Trimmed(0), "cd");
  EXPECT_EQ(f.model.ringWriteIndex(), 0);
}

TEST(DisplayWrite, WrappingAtTheBottomScrollsIntoTheRing) {
  DisplayFixture f;
  f.MoveTo(0, 0);
  f.Write("first");
  f.MoveTo(23, 78);
  f.Write("abcd");
  EXPECT_EQ(f.Cursor(), std::make_pair(23, 2));
  EXPECT_EQ(f.Trimmed(22), std::string(78, ' ') + "ab");
  EXPECT_EQ(f.Trimmed(23), "cd");
  EXPECT_EQ(f.model.ringWriteIndex(), 1);
  EXPECT_EQ(std::string(f.model.RowForDisplay(0, 499).text, 5), "first");
}

TEST(DisplayWrite, CellsTakeTheCurrentAttributeAndTheDrawingMatches) {
  DisplayFixture f;
  f.Attributes(ATTR_UNDERLINE);
  uint32_t underline = f.model.attribute;
  f.MoveTo(1, 2);
  f.surface.calls.clear();
  f.Write("ab");
  f.Attributes(0);
  f.Write("c");
  EXPECT_EQ(f.model.AttributeAt(1, 2), underline);
  EXPECT_EQ(f.model.AttributeAt(1, 3), underline);
  EXPECT_EQ(f.model.AttributeAt(1, 4), 0u);
  EXPECT_EQ(f.model.AttributeAt(1, 5), 0u);
  EXPECT_EQ(f.surface.calls, (Calls{"draw 1,2 \"ab\" a" + std::to_string(underline), "draw 1,4 \"c\" a0"}));
}

TEST(DisplayWrite, DoubleWidthTakesTwoCellsAndWrapsFirstWithOneCellLeft) {
  DisplayFixture f(4, 10);
  f.Attributes(ATTR_DOUBLEWIDTH);
  f.MoveTo(0, 5);
  f.Write("abc");  // a and b fit; c does not fit in the one cell left
  EXPECT_EQ(f.Row(0), "     a~b~ ");
  EXPECT_EQ(f.Row(1), "c~        ");
  EXPECT_EQ(f.Cursor(), std::make_pair(1, 2));
  f.Send(WUM_SETOPTION, OPTION_AUTOWRAP, 0);
  f.MoveTo(2, 9);
  f.Write("xy");  // no room and no wrap: dropped
  EXPECT_EQ(f.Row(2), "          ");
}

TEST(DisplayWrite, DoubleWidthOnAOneColumnScreenIsDropped) {
  DisplayFixture f(1, 1);
  f.model.delayedWrap = true;
  f.Attributes(ATTR_DOUBLEWIDTH);
  f.Write("abc");  // must end: nothing can ever fit
  EXPECT_EQ(f.Row(0), " ");
  f.Attributes(0);
  f.Write("abc");
  EXPECT_EQ(f.Row(0), "c");
}

TEST(DisplayWrite, TextGoesThroughTheOutputMapButTheSendersBufferStays) {
  DisplayFixture f;
  CharacterMaps maps;
  maps.ascii['a'] = 'A';
  maps.ascii[0xC4] = '#';
  maps.ansi['b'] = 'B';
  f.display.SetCharacterMaps(&maps);
  const std::string text = "ab\xC4";
  f.SendPointer(WUM_WRITE, text.data(), 3);
  EXPECT_EQ(f.Trimmed(0), "Ab#");
  EXPECT_EQ(text, "ab\xC4");
  maps.useAnsi = true;  // the ANSI face takes the other map
  f.SendPointer(WUM_WRITE, text.data(), 2);
  EXPECT_EQ(f.Trimmed(0), "Ab#aB");
}

TEST(DisplayWrite, TheEventLogShowsEachChunk) {
  DisplayFixture f(24, 10);
  f.EventLogOn();
  f.MoveTo(0, 6);
  f.Write("a b\tcd");
  EXPECT_EQ(f.LogText(), "OUTPUT(0,6): a\x01" "b [9] \r\nOUTPUT(1,0): cd\r\n");
}

TEST(DisplayWrite, ANullOrEmptyWriteOnlyPlacesTheCaret) {
  DisplayFixture f;
  f.surface.hasCaret = true;
  f.MoveTo(2, 3);
  f.surface.calls.clear();
  f.Send(WUM_WRITE, 0, 50);
  f.Write("");
  EXPECT_EQ(f.surface.calls, (Calls{"caret hide", "caret show 2,3", "caret hide", "caret show 2,3"}));
}

// ---- pending wrap ----

TEST(DisplayPendingWrap, CursorMotionAndEditingClearIt) {
  const std::vector<std::pair<uint32_t, intptr_t>> clearing = {
      {WUM_CURSORLEFT, 1}, {WUM_CARRIAGERETURN, 0}, {WUM_CLEAREOL, 0}, {WUM_INSERTLINES, 1},
      {WUM_DELETELINES, 1}, {WUM_SCROLLREGION, 1}, {WUM_DELETECHARS, 1}, {WUM_RESTORECURSOR, 0}};
  for (auto [message, lParam] : clearing) {
    DisplayFixture f;
    f.model.delayedWrap = true;
    f.MoveTo(5, 70);
    f.Write("0123456789");
    ASSERT_TRUE(f.model.pendingWrap);
    f.Send(message, 0, lParam);
    EXPECT_FALSE(f.model.pendingWrap) << message - WUM_USER;
  }
}

TEST(DisplayPendingWrap, AttributesAndWholeRectangleScrollsKeepIt) {
  DisplayFixture f;
  f.model.delayedWrap = true;
  f.MoveTo(5, 70);
  f.Write("0123456789");
  f.Attributes(ATTR_BOLD);
  CellRect rect{0, 0, -1, 2};
  f.SendPointer(WUM_SCROLLRECT, &rect, 1);
  f.Send(WUM_SETSCROLL, MakeLong(0, 10));
  EXPECT_TRUE(f.model.pendingWrap);
  f.Write("x");
  EXPECT_EQ(f.Cursor(), std::make_pair(6, 1));
}

// ---- erasing ----

TEST(DisplayErase, ClearFunctionsEraseTheirPart) {
  auto filled = [](int row, int column) {
    auto f = std::make_unique<DisplayFixture>(4, 6);
    f->model.delayedWrap = true;  // a full last row does not scroll
    for (int r = 0; r < 4; ++r) {
      f->MoveTo(r, 0);
      f->Write("abcdef");
    }
    f->MoveTo(row, column);
    return f;
  };
  auto rows = [](DisplayFixture& f) { return f.Row(0) + "|" + f.Row(1) + "|" + f.Row(2) + "|" + f.Row(3); };
  auto f = filled(1, 2);
  f->Send(WUM_CLEAREOL);
  EXPECT_EQ(rows(*f), "abcdef|ab    |abcdef|abcdef");
  f = filled(1, 2);
  f->Send(WUM_CLEARBOL);
  EXPECT_EQ(rows(*f), "abcdef|   def|abcdef|abcdef");
  f = filled(1, 0);
  f->Send(WUM_CLEARBOL);  // column 0 is erased too
  EXPECT_EQ(rows(*f), "abcdef| bcdef|abcdef|abcdef");
  f = filled(2, 3);
  f->Send(WUM_CLEARLINE);
  EXPECT_EQ(rows(*f), "abcdef|abcdef|      |abcdef");
  f = filled(1, 2);
  f->Send(WUM_CLEAREOS);
  EXPECT_EQ(rows(*f), "abcdef|ab    |      |      ");
  f = filled(1, 0);
  f->Send(WUM_CLEAREOS);
  EXPECT_EQ(rows(*f), "abcdef|      |      |      ");
  f = filled(2, 3);
  f->Send(WUM_CLEARBOS);
  EXPECT_EQ(rows(*f), "      |      |    ef|abcdef");
  f = filled(0, 0);
  f->Send(WUM_CLEARBOS);
  EXPECT_EQ(rows(*f), " bcdef|abcdef|abcdef|abcdef");
  f = filled(2, 3);
  f->Send(WUM_CLEARSCREEN);
  EXPECT_EQ(rows(*f), "      |      |      |      ");
  EXPECT_EQ(f->Cursor(), std::make_pair(2, 3));
}

// Clearing to the end from the last row must not erase the rows above.
TEST(DisplayErase, ClearToEndOnTheLastRowStaysOnThatRow) {
  DisplayFixture f(3, 4);
  f.model.delayedWrap = true;
  for (int r = 0; r < 3; ++r) {
    f.MoveTo(r, 0);
    f.Write("wxyz");
  }
  f.MoveTo(2, 2);
  f.Send(WUM_CLEAREOS);
  EXPECT_EQ(f.Row(0) + f.Row(1) + f.Row(2), "wxyzwxyzwx  ");
}

TEST(DisplayErase, ARectangleRelativeToTheCursorAndItsFill) {
  DisplayFixture f(5, 10);
  for (int r = 0; r < 5; ++r) {
    f.MoveTo(r, 0);
    f.Write("0123456789");
  }
  f.Attributes(ATTR_REVERSE);
  f.MoveTo(2, 4);
  f.surface.calls.clear();
  CellRect rect{-1, 0, 1, 1};
  f.SendPointer(WUM_ERASERECT, &rect, 1);
  EXPECT_EQ(f.Row(1), "0123456789");
  EXPECT_EQ(f.Row(2), "012   6789");
  EXPECT_EQ(f.Row(3), "012   6789");
  EXPECT_EQ(f.model.AttributeAt(3, 5), f.model.attribute);
  // Reverse on the default colours: background is the default foreground.
  EXPECT_EQ(f.surface.calls, (Calls{"fill 3,2-5,3 bg16"}));
}

TEST(DisplayErase, FillsAlsoHappenInTheScrollbackView) {
  DisplayFixture f;
  f.display.scrollbackView = true;
  f.Write("hidden");
  f.Send(WUM_CLEARLINE);
  CellRect rect{0, 0, -1, -1};
  f.SendPointer(WUM_SCROLLRECT, &rect, 1);
  EXPECT_EQ(f.surface.calls, (Calls{"fill 0,0-79,0 bg17"}));
}

// ---- scrolling and editing ----

TEST(DisplayEdit, InsertAndDeleteLinesWorkInsideTheRegion) {
  DisplayFixture f(6, 4);
  for (int r = 0; r < 6; ++r) {
    f.MoveTo(r, 0);
    f.Write(std::to_string(r));
  }
  f.Send(WUM_SETSCROLL, MakeLong(1, 4));
  f.MoveTo(2, 0);
  f.Send(WUM_INSERTLINES, 0, 1);
  EXPECT_EQ(f.Row(1) + f.Row(2) + f.Row(3) + f.Row(4) + f.Row(5), "1       2   3   5   ");
  f.Send(WUM_DELETELINES, 0, 2);
  EXPECT_EQ(f.Row(1) + f.Row(2) + f.Row(3) + f.Row(4) + f.Row(5), "1   3           5   ");
  f.Send(WUM_INSERTLINES, 0, 99);  // more than the region: the region part is blanked
  EXPECT_EQ(f.Row(1) + f.Row(2) + f.Row(5), "1       5   ");
}

TEST(DisplayEdit, InsertLinesBelowTheRegionChangesNothing) {
  DisplayFixture f(6, 4);
  f.model.delayedWrap = true;
  f.MoveTo(5, 0);
  f.Write("last");
  f.Send(WUM_SETSCROLL, MakeLong(0, 3));
  f.MoveTo(5, 0);
  f.Send(WUM_INSERTLINES, 0, 1);
  f.Send(WUM_DELETELINES, 0, 1);
  EXPECT_EQ(f.Row(5), "last");
}

TEST(DisplayEdit, DeleteAndInsertCharactersShiftTheRestOfTheRow) {
  DisplayFixture f(2, 20);
  f.Write("abcdefghijklmnopqrst");
  f.MoveTo(0, 10);
  f.Send(WUM_DELETECHARS, 0, 3);
  EXPECT_EQ(f.Row(0), "abcdefghijnopqrst   ");
  f.Send(WUM_INSERTCHARS, 0, 2);
  EXPECT_EQ(f.Row(0), "abcdefghij  nopqrst ");
  f.Send(WUM_INSERTCHARS, 0, 500);
  EXPECT_EQ(f.Row(0), "abcdefghij          ");
  EXPECT_EQ(f.Row(1), std::string(20, ' '));
}

TEST(DisplayEdit, ScrollsAndShiftsDrawTheRowsTheyChangeUnlessTheScrollbackViewIsShown) {
  DisplayFixture f(24, 80, 1);
  CellRect rect{0, 2, -1, 5};
  f.SendPointer(WUM_SHIFTRECT, &rect, 1);
  f.SendPointer(WUM_SCROLLRECT, &rect, -1);  // whole rows: the pixels move, the opened row is drawn
  CellRect part{3, 4, 9, 20};
  f.SendPointer(WUM_SCROLLRECT, &part, 2);
  f.SendPointer(WUM_SCROLLRECT, &rect, 4);   // the whole height: nothing is left to move
  f.SendPointer(WUM_SCROLLRECT, &rect, 0);   // nothing changes
  CellRect wrapped{0, 6, -1, 2};             // bottom above top: an empty rectangle
  f.SendPointer(WUM_SHIFTRECT, &wrapped, 1);
  EXPECT_EQ(f.surface.calls, (Calls{"repaint 2-5", "move 2-5 by -1", "repaint 2-2", "repaint 4-20", "repaint 2-5"}));
  f.surface.calls.clear();
  // A surface that cannot move its pixels repaints the whole screen.
  f.surface.canMoveRows = false;
  f.Send(WUM_SCROLLREGION, 0, 3);
  EXPECT_EQ(f.surface.calls, (Calls{"move 0-23 by 3", "repaint 0-24"}));
  f.surface.calls.clear();
  f.display.scrollbackView = true;
  f.SendPointer(WUM_SHIFTRECT, &rect, 1);
  f.Send(WUM_SCROLLREGION, 0, 1);
  f.Write("x");
  EXPECT_TRUE(f.surface.calls.empty());
  EXPECT_EQ(f.Row(0)[0], 'x');  // the buffer changes all the same
}

TEST(DisplayEdit, SetScrollChecksItsRowsAndLogsARefusal) {
  DisplayFixture f;
  f.EventLogOn();
  f.Send(WUM_SETSCROLL, MakeLong(3, 9));
  f.MoveTo(12, 4);
  f.Send(WUM_SETSCROLL, MakeLong(5, 5));
  EXPECT_EQ(f.model.regionTop(), 3);
  f.Send(WUM_SETSCROLL, MakeLong(5, 24));
  EXPECT_EQ(f.model.regionBottom(), 9);
  EXPECT_EQ(f.Cursor(), std::make_pair(12, 4));
  f.Send(WUM_SETSCROLL, 0);
  EXPECT_EQ(f.model.regionTop(), 0);
  EXPECT_EQ(f.model.regionBottom(), 23);
  EXPECT_EQ(f.LogText(), "SETSCROLL parameters out of range!\r\nSETSCROLL parameters out of range!\r\n");
}

// ---- attributes ----

TEST(DisplayAttributes, ReverseOnTheDefaultColoursSwapsThem) {
  DisplayFixture f;
  f.Attributes(ATTR_REVERSE);
  const AttrEntry& entry = f.attributes.Entry(f.model.attribute);
  EXPECT_EQ(entry.foreground, 17);
  EXPECT_EQ(entry.background, 16);
  EXPECT_EQ(f.attributes.currentBackground, 16);
}

TEST(DisplayAttributes, AColourRecordIsChangedInPlaceByTheWord) {
  DisplayFixture f;
  uint32_t word = ATTR_REVERSE;
  ColourRecord colours{4, 1, COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
  f.SendPointer(WUM_ATTRIBUTES, &word, reinterpret_cast<intptr_t>(&colours));
  EXPECT_EQ(colours.background, 1);
  EXPECT_EQ(colours.foreground, 4);
  EXPECT_EQ(f.attributes.currentBackground, 1);
  EXPECT_EQ(f.attributes.currentForeground, 4);
}

TEST(DisplayAttributes, TheLogNamesWhatChanges) {
  DisplayFixture f;
  f.EventLogOn();
  uint32_t word = ATTR_BOLD | ATTR_UNDERLINE | ATTR_GRAPHICS | (3u << ATTR_CHARSET_SHIFT);
  ColourRecord colours{2, 5, COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
  f.SendPointer(WUM_ATTRIBUTES, &word, reinterpret_cast<intptr_t>(&colours));
  uint32_t same = word;
  f.SendPointer(WUM_ATTRIBUTES, &same, 0);  // the same word, no colours: no line
  uint32_t plain = 0;
  f.SendPointer(WUM_ATTRIBUTES, &plain, 0);
  EXPECT_EQ(f.LogText(),
            "WUM_ATTRIBUTES\tBOLD\tUNDERLINE\tGRAPHICS\tCHAR SET 3\tSET FG 5\tSET BG 2\t\r\n"
            "WUM_ATTRIBUTES\tNO GRAPHICS\tCHAR SET 0\t\r\n");
}

TEST(DisplayAttributes, SetColourChangesTheDefaultsAndLogs) {
  DisplayFixture f;
  f.EventLogOn();
  uint32_t word = 0;
  ColourRecord colours{4, 11, COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
  f.SendPointer(WUM_SETCOLOR, &word, reinterpret_cast<intptr_t>(&colours));
  EXPECT_EQ(f.attributes.defaultBackground, 4);
  EXPECT_EQ(f.attributes.defaultForeground, 11);
  f.Attributes(ATTR_REVERSE);  // later words work on the new defaults
  EXPECT_EQ(f.attributes.currentForeground, 4);
  EXPECT_EQ(f.attributes.currentBackground, 11);
  f.SendPointer(WUM_SETCOLOR, &word, 0);  // without a record: nothing
  EXPECT_EQ(f.LogText(), "WUM_SETCOLOR\r\nSET FG 11\r\nSET BG 4\r\nWUM_ATTRIBUTES\tREVERSE\t\r\n");
}

TEST(DisplayAttributes, ColoursOutsideTheTableAreNotTaken) {
  DisplayFixture f;
  uint32_t word = 0;
  ColourRecord colours{-5, 900, COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
  f.SendPointer(WUM_SETCOLOR, &word, reinterpret_cast<intptr_t>(&colours));
  EXPECT_EQ(f.attributes.defaultBackground, 17);
  EXPECT_EQ(f.attributes.currentForeground, 16);
}

// ---- geometry, pages, options ----

TEST(DisplayGeometry, ResizeKeepsTheStatusLineAndTellsTheWindow) {
  DisplayFixture f(24, 80, 1);
  f.EventLogOn();
  f.Send(WUM_RESIZE, MakeLong(0, 132));
  EXPECT_EQ(f.model.rows(), 24);
  EXPECT_EQ(f.model.columns(), 132);
  EXPECT_EQ(f.model.statusLines(), 1);
  EXPECT_EQ(f.hooks.calls, (Calls{"size window", "menu marks", "announce"}));
  f.Send(WUM_RESIZE, MakeLong(24, 132));  // unchanged: the log line only
  EXPECT_EQ(f.hooks.calls.size(), 3u);
  EXPECT_EQ(f.LogText(), "Change screen size to 24 x 132, 1\r\nChange screen size to 24 x 132, 1\r\n");
}

TEST(DisplayGeometry, StatusLineOptionTakesOrGivesARow) {
  DisplayFixture f(25, 80);
  f.MoveTo(24, 5);
  f.Send(WUM_SETOPTION, OPTION_STATUSLINE, 1);
  EXPECT_EQ(f.model.rows(), 24);
  EXPECT_EQ(f.model.statusLines(), 1);
  EXPECT_EQ(f.model.cursorRow(), 23);
  EXPECT_EQ(f.model.regionBottom(), 23);
  EXPECT_EQ(f.Send(WUM_SETOPTION, OPTION_QUERYSTATUS), 1);
  f.Send(WUM_SETOPTION, OPTION_STATUSLINE, 0);
  EXPECT_EQ(f.model.rows(), 25);
  EXPECT_EQ(f.Send(WUM_SETOPTION, OPTION_QUERYSTATUS), 0);
  f.Send(WUM_SETOPTION, OPTION_STATUSLINE, 0);  // already hidden: no row is added
  EXPECT_EQ(f.model.rows(), 25);

  DisplayFixture g(30, 80);
  g.Send(WUM_SETOPTION, OPTION_STATUSLINE, 1);
  EXPECT_EQ(g.model.rows(), 30);
  EXPECT_EQ(g.model.totalRows(), 31);
}

TEST(DisplayGeometry, StatusTextShowsTheStatusLineFirst) {
  DisplayFixture f(25, 10);
  StatusText status{"ready", 5};
  f.surface.calls.clear();
  f.Send(WUM_SETOPTION, OPTION_STATUSTEXT, reinterpret_cast<intptr_t>(&status));
  EXPECT_EQ(f.model.rows(), 24);
  EXPECT_EQ(f.Row(24), "ready     ");
  EXPECT_EQ(f.surface.calls.back(), "repaint 24-24");
}

TEST(DisplayGeometry, StatusAttributeLeavesCursorAndAttributeAsTheyWere) {
  DisplayFixture f(24, 10, 1);
  f.Attributes(ATTR_UNDERLINE);
  uint32_t before = f.model.attribute;
  f.MoveTo(3, 4);
  uint32_t word = ATTR_REVERSE;
  f.Send(WUM_SETOPTION, OPTION_STATUSATTRIBUTE, reinterpret_cast<intptr_t>(&word));
  uint32_t status = f.model.AttributeAt(24, 0);
  EXPECT_NE(status, before);
  EXPECT_EQ(f.attributes.WordOf(status), ATTR_REVERSE);
  EXPECT_EQ(f.model.AttributeAt(24, 9), status);
  EXPECT_EQ(f.model.attribute, before);
  EXPECT_EQ(f.attributes.currentIndex(), static_cast<int>(before));
  EXPECT_EQ(f.Cursor(), std::make_pair(3, 4));
  EXPECT_EQ(f.model.cursorDepth(), 0);  // the host's saved cursors are untouched
}

TEST(DisplayGeometry, PagesSwitchAndRepaintTheWindow) {
  DisplayFixture f;
  f.Write("page zero");
  f.EventLogOn();
  f.Send(WUM_SETOPTION, OPTION_MEMORYPAGES, 2);
  f.Send(WUM_SETPAGE, 1);
  EXPECT_EQ(f.model.currentPage(), 1);
  EXPECT_EQ(f.Trimmed(0), "");
  EXPECT_EQ(f.surface.calls.back(), "invalidate");
  f.Send(WUM_SETPAGE, static_cast<uintptr_t>(-1));  // past the highest: page 0
  EXPECT_EQ(f.Trimmed(0), "page zero");
  EXPECT_EQ(f.Cursor(), std::make_pair(0, 9));
  f.Send(WUM_SETPAGE, 5);  // not usable
  EXPECT_EQ(f.model.currentPage(), 0);
  EXPECT_EQ(f.LogText(), "Set memory pages to 2\r\n");
}

TEST(DisplayOptions, KeyboardLockAndUnknownOptions) {
  DisplayFixture f;
  f.Send(WUM_SETOPTION, OPTION_KEYBOARDLOCK, 1);
  EXPECT_TRUE(f.display.keyboardLocked());
  f.Send(WUM_SETOPTION, 10, 1);  // event log off: silent
  EXPECT_TRUE(f.client.platform.dialogs.empty());
  f.EventLogOn();
  f.Send(WUM_SETOPTION, 10, 1);
  ASSERT_EQ(f.client.platform.dialogs.size(), 1u);
  EXPECT_NE(f.client.platform.dialogs[0].find("Unhandled window option: 10"), std::string::npos);
  EXPECT_EQ(f.hooks.calls, (Calls{"locked"}));
}

// ---- other messages ----

TEST(DisplayOther, SendScreenQueuesEachRowAsShown) {
  DisplayFixture f(3, 4, 1, 10);
  f.Write("abcdefghijkl");  // the third row wraps and scrolls "abcd" into the ring
  f.model.SetScrollbackPosition(9);
  f.Send(WUM_SENDSCREEN);
  EXPECT_EQ(f.hooks.calls, (Calls{"queue abcd", "queue efgh", "queue ijkl"}));
}

TEST(DisplayOther, BeepLogAndCursorShape) {
  DisplayFixture f;
  f.EventLogOn();
  f.Send(WUM_BEEP);
  f.SendPointer(WUM_LOG, "module says %d\n");
  f.Send(WUM_LOG, 0);
  f.surface.hasCaret = true;
  f.MoveTo(1, 1);
  f.surface.calls.clear();
  f.Send(WUM_SETCURSOR, 0, 5);
  EXPECT_EQ(f.display.caretWidth(), 8);
  EXPECT_EQ(f.display.caretHeight(), 8);
  EXPECT_EQ(f.surface.calls, (Calls{"caret destroy", "caret create 8x8", "caret show 1,1"}));
  f.surface.calls.clear();
  f.Send(WUM_SETCURSOR, 0, 0);
  EXPECT_EQ(f.surface.calls, (Calls{"caret destroy", "caret create 8x0"}));
  f.Send(WUM_SETCURSOR, 0, 1);  // at least two pixels
  EXPECT_EQ(f.display.caretHeight(), 2);
  EXPECT_NE(f.LogText().find("module says %d\r\nSETCURSOR: Ratio 5, Height 8\r\n"), std::string::npos);
}

TEST(DisplayOther, NestedMessagesHideTheCaretOnceAndShowItOnce) {
  DisplayFixture f;
  f.surface.hasCaret = true;
  f.MoveTo(23, 79);
  f.surface.calls.clear();
  f.Send(WUM_CURSORRIGHT, 0, 1);  // CR, cursor down, scroll region, scroll rect, move: all nested
  EXPECT_EQ(f.surface.calls, (Calls{"caret hide", "move 0-23 by 1", "repaint 23-23", "caret show 23,0"}));
  f.surface.calls.clear();
  f.Send(WUM_SETCURSOR, 0, 0);
  f.surface.calls.clear();
  f.Write("x");  // a hidden cursor is not shown again
  EXPECT_EQ(f.surface.calls, (Calls{"caret hide", "draw 23,0 \"x\" a0"}));
}

TEST(DisplayOther, FocusCreatesAndDestroysTheCaret) {
  DisplayFixture f;
  f.MoveTo(2, 2);
  f.display.FocusGained();
  EXPECT_EQ(f.surface.calls, (Calls{"caret create 8x3", "caret show 2,2"}));
  f.surface.calls.clear();
  f.display.FocusLost();
  EXPECT_EQ(f.surface.calls, (Calls{"caret hide", "caret destroy"}));
}

TEST(DisplayOther, ConnectionAndWindowMessagesReachTheHooks) {
  DisplayFixture f;
  const char data[] = "ls\r";
  EXPECT_EQ(f.Send(WUM_CLOSE, 0, 1), 7);
  f.Send(WUM_CONNECT);
  f.Send(WUM_SOCKET, 3, 1);
  f.Send(WUM_CANCEL);
  f.Send(WUM_PLAYINIT);
  f.SendPointer(WUM_SENDDATA, data, 3);
  f.Send(WUM_SENDCHAR, 'q');
  f.Send(WUM_TILE, 2, 4);
  f.Send(WUM_ENDSCROLLBACK);
  EXPECT_EQ(f.hooks.calls, (Calls{"close 1", "connect", "socket", "cancel", "playinit", "senddata ls\r",
                                  "sendchar 113", "tile 2/4", "endscrollback"}));
  EXPECT_FALSE(Display::IsScreenMessage(WUM_SENDDATA));
  EXPECT_TRUE(Display::IsScreenMessage(WUM_SETROWORCOL));
}

TEST(DisplayOther, UnknownMessagesAreLoggedThroughTheLink) {
  DisplayFixture f;
  f.EventLogOn();
  EXPECT_FALSE(f.display.Handle(WUM_USER + 4, 0, 0).has_value());
  EXPECT_EQ(f.Send(WUM_USER + 4), 0);
  EXPECT_EQ(f.Send(WUM_USER + 60), 0);
  EXPECT_EQ(f.LogText(),
            "Unhandled WUM_USER window message: WUM_USER+4\r\nUnhandled WUM_USER window message: WUM_USER+60\r\n");
}

TEST(DisplayOther, StartStateOfTheWindow) {
  DisplayFixture f(24, 80, 1);
  EXPECT_TRUE(f.model.autoWrap);
  EXPECT_TRUE(f.model.scrollAtBottom);
  EXPECT_EQ(f.display.cursorRatio(), 2);
  EXPECT_TRUE(f.model.HasTabStop(8));
  EXPECT_EQ(f.model.regionBottom(), 23);
  EXPECT_EQ(f.model.attribute, 0u);
  EXPECT_EQ(f.attributes.Entry(0).foreground, 16);
  EXPECT_EQ(f.attributes.Entry(0).background, 17);
}

}  // namespace
}  // namespace korvane
