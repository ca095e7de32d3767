#include "serial/terminal/SioTerminalBuffer.h"

#include "TerminalTestSupport.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// A small buffer: 10 columns, 4 screen rows, 8 rows in all.
std::unique_ptr<TSioTerminalBuffer> SmallBuffer()
{
  auto B = std::make_unique<TSioTerminalBuffer>(false);
  B->tbSetColCount(10);
  B->tbSetSVRowCount(8);
  B->tbSetRowCount(4);
  return B;
}

constexpr auto RowText = BufferRowText;
constexpr auto Rows = BufferRows;

std::string Screen(const TSioTerminalBuffer& B) { return Rows(B, 1, B.RowCount()); }

void Write(TSioTerminalBuffer& B, const char* S) { B.WriteString(AnsiString(S)); }

std::pair<int32_t, int32_t> Cursor(const TSioTerminalBuffer& B) { return {B.Row(), B.Col()}; }

// ------------------------------------------------------------ writing and wrapping

struct WriteCase {
  const char* Name;
  std::function<void(TSioTerminalBuffer&)> Act;
  std::string Screen;  // rows 1..4
  std::string History; // rows -1..0 (newest scroll-back rows)
  std::pair<int32_t, int32_t> Cursor;
};

TEST(SioTerminalBuffer, WritingWrapsScrollsAndKeepsHistory)
{
  const std::vector<WriteCase> Cases = {
      {"delayed wrap keeps the cursor in the last column",
       [](TSioTerminalBuffer& B) { Write(B, "0123456789"); },
       "0123456789|||",
       "|",
       {1, 10}},
      {"the next character wraps",
       [](TSioTerminalBuffer& B) { Write(B, "0123456789A"); },
       "0123456789|A||",
       "|",
       {2, 2}},
      {"without delay the cursor wraps at once",
       [](TSioTerminalBuffer& B) {
         B.SetUseAutoWrapDelay(false);
         Write(B, "0123456789");
       },
       "0123456789|||",
       "|",
       {2, 1}},
      {"without auto-wrap the last column is overwritten",
       [](TSioTerminalBuffer& B) {
         B.SetUseAutoWrap(false);
         Write(B, "0123456789XYZ");
       },
       "012345678Z|||",
       "|",
       {1, 10}},
      {"wrapping on the bottom row scrolls into the scroll-back",
       [](TSioTerminalBuffer& B) { Write(B, "aaaaaaaaaabbbbbbbbbbccccccccccddddddddddE"); },
       "bbbbbbbbbb|cccccccccc|dddddddddd|E",
       "|aaaaaaaaaa",
       {4, 2}},
      {"line feeds at the bottom push rows into the scroll-back",
       [](TSioTerminalBuffer& B) {
         for (const char* L : {"r1", "r2", "r3", "r4", "r5", "r6"}) {
           Write(B, L);
           B.DoCarriageReturn();
           B.DoLineFeed();
         }
       },
       "r4|r5|r6|",
       "r2|r3",
       {4, 1}},
      {"a cursor move cancels the pending wrap",
       [](TSioTerminalBuffer& B) {
         Write(B, "0123456789");
         B.DoCarriageReturn();
         Write(B, "X");
       },
       "X123456789|||",
       "|",
       {1, 2}},
      {"new-line mode adds the carriage return",
       [](TSioTerminalBuffer& B) {
         B.SetUseNewLineMode(true);
         Write(B, "ab");
         B.DoLineFeed();
         Write(B, "c");
       },
       "ab|c||",
       "|",
       {2, 2}},
      {"insert mode pushes the row right",
       [](TSioTerminalBuffer& B) {
         Write(B, "abcdefghij");
         B.SetCursorPosition(1, 3);
         B.SetUseInsertMode(true);
         Write(B, "XY");
       },
       "abXYcdefgh|||",
       "|",
       {1, 5}},
  };
  for (const WriteCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto B = SmallBuffer();
    C.Act(*B);
    EXPECT_EQ(Screen(*B), C.Screen);
    EXPECT_EQ(Rows(*B, -1, 0), C.History);
    EXPECT_EQ(Cursor(*B), C.Cursor);
  }
}

TEST(SioTerminalBuffer, ScrollBackKeepsOnlyItsRows)
{
  auto B = SmallBuffer(); // 4 screen rows + 4 scroll-back rows
  for (int I = 1; I <= 20; ++I) {
    B->WriteString(AnsiString("L") + AnsiString::number(I));
    B->DoCarriageReturn();
    B->DoLineFeed();
  }
  // The oldest rows are gone; the screen holds the newest three and the
  // cursor's empty row.
  EXPECT_EQ(Rows(*B, -3, 4), "L14|L15|L16|L17|L18|L19|L20|");
  EXPECT_EQ(RowText(*B, -4), "<none>");
}

// ------------------------------------------------------------ cursor and tabs

struct CursorCase {
  const char* Name;
  std::function<void(TSioTerminalBuffer&)> Act;
  std::pair<int32_t, int32_t> Cursor;
};

TEST(SioTerminalBuffer, CursorMovesWithinTheDisplayArea)
{
  const std::vector<CursorCase> Cases = {
      {"tab stops every 8 columns from column 1", [](TSioTerminalBuffer& B) { B.DoHorzTab(); }, {1, 9}},
      {"tab without a further stop goes to the last column",
       [](TSioTerminalBuffer& B) {
         B.DoHorzTab();
         B.DoHorzTab();
       },
       {1, 10}},
      {"back tab finds the previous stop",
       [](TSioTerminalBuffer& B) {
         B.tbSetCol(10);
         B.DoBackHorzTab();
       },
       {1, 9}},
      {"a stop of our own",
       [](TSioTerminalBuffer& B) {
         B.tbSetCol(4);
         B.SetHorzTabStop();
         B.tbSetCol(1);
         B.DoHorzTab();
       },
       {1, 4}},
      {"cleared stops leave the last column",
       [](TSioTerminalBuffer& B) {
         B.ClearAllHorzTabStops();
         B.DoHorzTab();
       },
       {1, 10}},
      {"vertical tab to a stop",
       [](TSioTerminalBuffer& B) {
         B.tbSetRow(3);
         B.SetVertTabStop();
         B.tbSetRow(1);
         B.DoVertTab();
       },
       {3, 1}},
      {"vertical tab without a stop goes to the last row", [](TSioTerminalBuffer& B) { B.DoVertTab(); }, {4, 1}},
      {"backspace at column 1 stays", [](TSioTerminalBuffer& B) { B.DoBackspace(); }, {1, 1}},
      {"backspace",
       [](TSioTerminalBuffer& B) {
         Write(B, "ab");
         B.DoBackspace();
       },
       {1, 2}},
      {"row 0 is the newest scroll-back row", [](TSioTerminalBuffer& B) { B.tbSetRow(0); }, {0, 1}},
      {"rows are clamped to the buffer", [](TSioTerminalBuffer& B) { B.SetCursorPosition(-100, 99); }, {-3, 10}},
      {"wrap to the previous row's end",
       [](TSioTerminalBuffer& B) {
         B.tbSetRow(2);
         B.MoveCursorLeft(true, false);
       },
       {1, 10}},
      {"without wrap the edge stops the cursor", [](TSioTerminalBuffer& B) { B.MoveCursorLeft(false, false); }, {1, 1}},
      {"up at the top without scrolling stays", [](TSioTerminalBuffer& B) { B.MoveCursorUp(false); }, {1, 1}},
  };
  for (const CursorCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto B = SmallBuffer();
    C.Act(*B);
    EXPECT_EQ(Cursor(*B), C.Cursor);
  }
}

TEST(SioTerminalBuffer, CursorEventsFireForCursorOperationsOnly)
{
  auto B = SmallBuffer();
  std::vector<std::pair<int32_t, int32_t>> Events;
  B->OnCursorMoved = [&](TObject* Sender, int32_t R, int32_t C) {
    EXPECT_EQ(Sender, B.get());
    Events.push_back({R, C});
  };
  Write(*B, "abc"); // characters move the cursor silently
  B->DoBackspace();
  B->DoCarriageReturn();
  B->DoCarriageReturn(); // no move, no event
  B->DoLineFeed();
  B->SetCursorPosition(3, 5);
  EXPECT_EQ(Events, (std::vector<std::pair<int32_t, int32_t>>{{1, 3}, {1, 1}, {2, 1}, {3, 5}}));
  EXPECT_TRUE(B->HasCursorMoved());
  EXPECT_FALSE(B->HasCursorMoved());
}

// ------------------------------------------------------------ scroll region

TEST(SioTerminalBuffer, ScrollRegionMovesOnlyItsRows)
{
  auto B = SmallBuffer();
  Write(*B, "top");
  B->SetCursorPosition(4, 1);
  Write(*B, "bottom");
  B->SetScrollRegion(2, 3);
  ASSERT_TRUE(B->UseScrollRegion());
  // Relative addressing counts from the region; the cursor went to its top.
  B->SetUseAbsAddress(false);
  EXPECT_EQ(Cursor(*B), (std::pair<int32_t, int32_t>{1, 1}));
  EXPECT_EQ(B->OriginRow(), 2);
  for (const char* L : {"a", "b", "c"}) {
    Write(*B, L);
    B->DoCarriageReturn();
    B->DoLineFeed();
  }
  EXPECT_EQ(Screen(*B), "top|c||bottom");
  EXPECT_EQ(Rows(*B, -1, 0), "|"); // nothing went into the scroll-back
  EXPECT_EQ(Cursor(*B), (std::pair<int32_t, int32_t>{2, 1}));

  B->SetUseAbsAddress(true);
  B->SetCursorPosition(2, 1);
  B->InsertLines(1);
  EXPECT_EQ(Screen(*B), "top||c|bottom");
  B->DeleteLines(5);
  EXPECT_EQ(Screen(*B), "top|||bottom");
}

TEST(SioTerminalBuffer, ScrollRegionLimits)
{
  auto B = SmallBuffer();
  B->SetScrollRegion(3, 3); // one row is no region
  EXPECT_FALSE(B->UseScrollRegion());
  B->SetScrollRegion(3, 2); // reversed
  EXPECT_TRUE(B->UseScrollRegion());
  EXPECT_EQ(B->OriginRow(), 2);
  B->SetScrollRegion(1, 4); // the whole screen switches it off
  EXPECT_FALSE(B->UseScrollRegion());
  B->SetScrollRegion(30, 40); // below the screen: clamped to one row, ignored
  EXPECT_FALSE(B->UseScrollRegion());
  // Switching on without a region set uses the whole screen.
  auto C = SmallBuffer();
  C->tbSetUseScrollRegion(true);
  EXPECT_EQ(C->OriginRow(), 1);
  for (int I = 0; I < 6; ++I)
    C->DoLineFeed();
  EXPECT_EQ(C->Row(), 4);
}

// ------------------------------------------------------------ erasing and editing

struct EditCase {
  const char* Name;
  std::function<void(TSioTerminalBuffer&)> Act;
  std::string Screen;
  std::string History; // rows -1..0
};

TEST(SioTerminalBuffer, ErasingAndEditing)
{
  const auto Fill = [](TSioTerminalBuffer& B) {
    Write(B, "aaaaaaaaaabbbbbbbbbbccccccccccdddddddddd");
    B.SetCursorPosition(2, 5);
  };
  const std::vector<EditCase> Cases = {
      {"erase to end of line", [](TSioTerminalBuffer& B) { B.EraseToEOL(); }, "aaaaaaaaaa|bbbb|cccccccccc|dddddddddd",
       "|"},
      {"erase from start of line", [](TSioTerminalBuffer& B) { B.EraseFromBOL(); },
       "aaaaaaaaaa|     bbbbb|cccccccccc|dddddddddd", "|"},
      {"erase line", [](TSioTerminalBuffer& B) { B.EraseLine(); }, "aaaaaaaaaa||cccccccccc|dddddddddd", "|"},
      {"erase to end of screen", [](TSioTerminalBuffer& B) { B.EraseToEOW(); }, "aaaaaaaaaa|bbbb||", "|"},
      {"erase from start of screen", [](TSioTerminalBuffer& B) { B.EraseFromBOW(); },
       "|     bbbbb|cccccccccc|dddddddddd", "|"},
      {"erase characters runs on into the next row", [](TSioTerminalBuffer& B) { B.EraseChars(8); },
       "aaaaaaaaaa|bbbb|  cccccccc|dddddddddd", "|"},
      {"erase screen keeps it in the scroll-back", [](TSioTerminalBuffer& B) { B.EraseScreen(); }, "|||",
       "cccccccccc|dddddddddd"},
      {"erase all keeps nothing", [](TSioTerminalBuffer& B) { B.EraseAll(); }, "|||", "|"},
      {"delete characters", [](TSioTerminalBuffer& B) { B.DeleteChars(3); }, "aaaaaaaaaa|bbbbbbb|cccccccccc|dddddddddd",
       "|"},
      {"delete more characters than the row holds", [](TSioTerminalBuffer& B) { B.DeleteChars(99); },
       "aaaaaaaaaa|bbbb|cccccccccc|dddddddddd", "|"},
      {"insert characters", [](TSioTerminalBuffer& B) { B.InsertChars(2); },
       "aaaaaaaaaa|bbbb  bbbb|cccccccccc|dddddddddd", "|"},
      {"insert no characters", [](TSioTerminalBuffer& B) { B.InsertChars(0); },
       "aaaaaaaaaa|bbbbbbbbbb|cccccccccc|dddddddddd", "|"},
      {"delete lines", [](TSioTerminalBuffer& B) { B.DeleteLines(1); }, "aaaaaaaaaa|cccccccccc|dddddddddd|", "|"},
      {"insert lines", [](TSioTerminalBuffer& B) { B.InsertLines(2); }, "aaaaaaaaaa|||bbbbbbbbbb", "|"},
      {"insert more lines than the area holds", [](TSioTerminalBuffer& B) { B.InsertLines(9); }, "aaaaaaaaaa|||", "|"},
      {"reverse line feed at the top scrolls down",
       [](TSioTerminalBuffer& B) {
         B.tbSetRow(1);
         B.MoveCursorUp(true);
       },
       "|aaaaaaaaaa|bbbbbbbbbb|cccccccccc", "|"},
  };
  for (const EditCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto B = SmallBuffer();
    Fill(*B);
    C.Act(*B);
    EXPECT_EQ(Screen(*B), C.Screen);
    EXPECT_EQ(Rows(*B, -1, 0), C.History);
  }
}

TEST(SioTerminalBuffer, InsertedCellsCarryTheirColoursAndAttributes)
{
  auto B = SmallBuffer();
  B->SetForeColor(clRed);
  B->SetCharAttrs(AttrBit(tcaBold));
  Write(*B, "ab");
  B->SetForeColor(clSilver);
  B->SetCharAttrs(0);
  B->tbSetCol(1);
  B->InsertChars(1);
  EXPECT_EQ(RowText(*B, 1), " ab");
  const TColor* Fore = B->GetLineForeColorPtr(1);
  const TSioTerminalCharAttrs* Attr = B->GetLineAttrPtr(1);
  EXPECT_EQ(Fore[0], clSilver);
  EXPECT_EQ(Fore[1], clRed);
  EXPECT_EQ(Fore[2], clRed);
  EXPECT_EQ(Attr[0], 0);
  EXPECT_EQ(Attr[2], AttrBit(tcaBold));
}

TEST(SioTerminalBuffer, ClearedCellsTakeTheCurrentColours)
{
  auto B = SmallBuffer();
  Write(*B, "abc");
  B->SetBackColor(clNavy);
  B->tbSetCol(2);
  B->EraseToEOL();
  EXPECT_EQ(B->GetLineBackColorPtr(1)[0], clBlack);
  EXPECT_EQ(B->GetLineBackColorPtr(1)[1], clNavy);
  EXPECT_EQ(B->GetLineBackColorPtr(1)[9], clNavy);
  // A new default colour replaces the old default everywhere.
  B->SetDefBackColor(clTeal);
  EXPECT_EQ(B->GetLineBackColorPtr(1)[0], clTeal);
  EXPECT_EQ(B->GetLineBackColorPtr(1)[1], clNavy);
  EXPECT_EQ(B->GetLineBackColorPtr(3)[0], clTeal);
}

TEST(SioTerminalBuffer, ResetBlanksEverythingAndRestoresModes)
{
  auto B = SmallBuffer();
  Write(*B, "abc");
  B->SetForeColor(clRed);
  B->SetUseInsertMode(true);
  B->SetScrollRegion(2, 3);
  B->ClearAllHorzTabStops();
  TRect R;
  B->GetInvalidRect(R);
  B->Reset();
  EXPECT_EQ(Screen(*B), "|||");
  EXPECT_EQ(B->ForeColor(), clSilver);
  EXPECT_FALSE(B->UseInsertMode());
  EXPECT_FALSE(B->UseScrollRegion());
  EXPECT_EQ(Cursor(*B), (std::pair<int32_t, int32_t>{1, 1}));
  B->DoHorzTab();
  EXPECT_EQ(B->Col(), 9);
  // The blanked screen must be painted again.
  EXPECT_TRUE(B->HasDisplayChanged());
}

// ------------------------------------------------------------ sizes

TEST(SioTerminalBuffer, ResizingKeepsTheNewestRows)
{
  auto B = SmallBuffer();
  for (const char* L : {"r1", "r2", "r3", "r4", "r5"}) {
    Write(*B, L);
    B->DoCarriageReturn();
    B->DoLineFeed();
  }
  ASSERT_EQ(Screen(*B), "r3|r4|r5|");
  B->tbSetSVRowCount(3); // fewer rows than the screen: the screen shrinks too
  EXPECT_EQ(B->RowCount(), 3);
  EXPECT_EQ(Screen(*B), "r4|r5|");
  EXPECT_EQ(Cursor(*B), (std::pair<int32_t, int32_t>{3, 1}));
  B->tbSetSVRowCount(6); // growing adds empty scroll-back rows
  EXPECT_EQ(Rows(*B, -2, 3), "|||r4|r5|");
  B->tbSetColCount(3);
  EXPECT_EQ(Screen(*B), "r4|r5|");
  EXPECT_EQ(Cursor(*B), (std::pair<int32_t, int32_t>{1, 1}));
  B->tbSetRowCount(20); // more than the buffer: ignored
  EXPECT_EQ(B->RowCount(), 3);
}

TEST(SioTerminalBuffer, CountsBelowTwoAreRefused)
{
  const std::vector<std::pair<std::function<void(TSioTerminalBuffer&)>, const char*>> Cases = {
      {[](TSioTerminalBuffer& B) { B.tbSetColCount(1); }, "TSioTerminalBuffer.tbSetColCount: new count too small"},
      {[](TSioTerminalBuffer& B) { B.tbSetRowCount(1); }, "TSioTerminalBuffer.tbSetRowCount: new count too small"},
      {[](TSioTerminalBuffer& B) { B.tbSetSVRowCount(0); }, "TSioTerminalBuffer.tbSetSVRowCount: new count too small"},
  };
  for (const auto& [Act, Message] : Cases) {
    SCOPED_TRACE(Message);
    auto B = SmallBuffer();
    Write(*B, "keep");
    try {
      Act(*B);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), QString::fromLatin1(Message));
    }
    EXPECT_EQ(B->ColCount(), 10);
    EXPECT_EQ(B->RowCount(), 4);
    EXPECT_EQ(B->SVRowCount(), 8);
    EXPECT_EQ(RowText(*B, 1), "keep");
  }
}

// ------------------------------------------------------------ changed rectangles

TEST(SioTerminalBuffer, ChangedRectanglesMergeIntoOne)
{
  TRect R;
  TSioTerminalBuffer Fresh(false);
  ASSERT_TRUE(Fresh.GetInvalidRect(R)); // creation: the whole screen
  EXPECT_EQ(R, (TRect{1, 1, 80, 24}));

  auto B = SmallBuffer();
  ASSERT_TRUE(B->GetInvalidRect(R));
  EXPECT_FALSE(B->GetInvalidRect(R));
  EXPECT_FALSE(B->HasDisplayChanged());

  B->SetCursorPosition(2, 3);
  Write(*B, "x");
  B->SetCursorPosition(3, 7);
  Write(*B, "y");
  EXPECT_TRUE(B->HasDisplayChanged());
  ASSERT_TRUE(B->GetInvalidRect(R));
  EXPECT_EQ(R, (TRect{3, 2, 7, 3}));

  // Scrolling repaints the screen; cursor moves alone change nothing.
  B->SetCursorPosition(4, 1);
  B->DoLineFeed();
  ASSERT_TRUE(B->GetInvalidRect(R));
  EXPECT_EQ(R, (TRect{1, 1, 10, 4}));
  B->SetCursorPosition(1, 1);
  EXPECT_FALSE(B->HasDisplayChanged());

  // In insert mode the rest of the row moves and is repainted.
  B->SetUseInsertMode(true);
  B->SetCursorPosition(2, 4);
  Write(*B, "i");
  ASSERT_TRUE(B->GetInvalidRect(R));
  EXPECT_EQ(R, (TRect{4, 2, 10, 2}));
}

TEST(SioTerminalBuffer, ScrollNotificationNamesTheRows)
{
  auto B = SmallBuffer();
  std::vector<std::vector<int32_t>> Got;
  B->OnScrollRows = [&](TObject*, int32_t Count, int32_t Top, int32_t Bottom) { Got.push_back({Count, Top, Bottom}); };
  B->SetCursorPosition(4, 1);
  B->DoLineFeed();
  B->SetScrollRegion(2, 3);
  B->SetCursorPosition(2, 1);
  B->MoveCursorUp(true);
  B->EraseScreen();
  EXPECT_EQ(Got, (std::vector<std::vector<int32_t>>{{1, -3, 4}, {-1, 2, 3}, {4, -3, 4}}));
}

// ------------------------------------------------------------ the matrix

TEST(TadTerminalArray, RowsAreWholeWordsAndCallsOutsideDoNothing)
{
  for (int32_t Size : {1, 2, 4, 3}) {
    SCOPED_TRACE(Size);
    TadTerminalArray A(Size);
    EXPECT_EQ(A.ItemSize(), Size == 3 ? 1 : Size);
    EXPECT_EQ(A.GetItemPtr(0, 0), nullptr);
    A.taSetColCount(5);
    A.taSetRowCount(3);
    const uint32_t Def = 0x01020304;
    A.SetDefaultItem(&Def);
    A.Clear();
    auto* P0 = static_cast<uint8_t*>(A.GetItemPtr(0, 0));
    auto* P1 = static_cast<uint8_t*>(A.GetItemPtr(1, 0));
    ASSERT_NE(P0, nullptr);
    EXPECT_EQ((P1 - P0) % 4, 0);
    EXPECT_GE(P1 - P0, 5 * A.ItemSize());
    EXPECT_EQ(A.GetItemPtr(3, 0), nullptr);
    EXPECT_EQ(A.GetItemPtr(-1, 0), nullptr);
    // Calls outside the array change nothing and do not crash.
    A.ClearItems(7, 0, 4);
    A.InsertItems(2, 0, 9);
    A.DeleteItems(2, -1, 0);
    A.WriteItems(P0, 3, 0, 5);
    A.ScrollRows(1, 5, 9);
    EXPECT_EQ(std::memcmp(P0, &Def, static_cast<size_t>(A.ItemSize())), 0);
  }
}

TEST(TadTerminalArray, ScrollRowsTable)
{
  struct Case {
    int32_t Count, Start, End;
    std::string Rows;
  };
  // Five rows of one column, holding 'a'..'e'; '.' is the default.
  const std::vector<Case> Cases = {
      {1, 0, 4, "bcde."}, {2, 0, 4, "cde.."}, {-1, 0, 4, ".abcd"}, {1, 1, 3, "acd.e"}, {-2, 1, 3, "a..be"},
      {1, 3, 1, "acd.e"}, {3, 1, 3, "a...e"}, {0, 0, 4, "abcde"},  {5, 0, 4, "....."}, {-9, 0, 4, "....."},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Count << " " << C.Start << ".." << C.End);
    TadTerminalArray A(1);
    A.taSetColCount(1);
    A.taSetRowCount(5);
    const char Dot = '.';
    A.SetDefaultItem(&Dot);
    for (int32_t R = 0; R < 5; ++R) {
      const char Ch = char('a' + R);
      A.WriteItems(&Ch, 1, 0, R);
    }
    A.ScrollRows(C.Count, C.Start, C.End);
    std::string Got;
    for (int32_t R = 0; R < 5; ++R)
      Got += *static_cast<char*>(A.GetItemPtr(R, 0));
    EXPECT_EQ(Got, C.Rows);
  }
}

TEST(TadTerminalArray, ResizeAfterTurningTheRingKeepsRowOrder)
{
  TadTerminalArray A(2);
  A.taSetColCount(2);
  A.taSetRowCount(4);
  for (int32_t R = 0; R < 4; ++R) {
    const uint16_t V = uint16_t(R + 1);
    A.WriteDupItems(&V, 2, 0, R);
  }
  A.ScrollRows(1, 0, 3); // 2 3 4 0
  A.taSetRowCount(3);      // newest three: 3 4 0
  A.taSetColCount(3);
  std::vector<uint16_t> Got;
  for (int32_t R = 0; R < 3; ++R)
    for (int32_t C = 0; C < 3; ++C)
      Got.push_back(*static_cast<uint16_t*>(A.GetItemPtr(R, C)));
  EXPECT_EQ(Got, (std::vector<uint16_t>{3, 3, 0, 4, 4, 0, 0, 0, 0}));
}

TEST(SioTerminalBitset, BitsAndResizing)
{
  std::vector<uint8_t> S;
  SioTReallocBitset(S, 10);
  EXPECT_EQ(S.size(), 2u);
  SioTSetBit(S, 0);
  SioTSetBit(S, 9);
  SioTSetBit(S, 99); // outside: ignored
  EXPECT_EQ(S, (std::vector<uint8_t>{0x01, 0x02}));
  EXPECT_TRUE(SioTIsBitSet(S, 9));
  EXPECT_FALSE(SioTIsBitSet(S, 99));
  EXPECT_FALSE(SioTIsBitSet(S, -1));
  SioTClearBit(S, 0);
  EXPECT_FALSE(SioTIsBitSet(S, 0));
  SioTReallocBitset(S, 20);
  EXPECT_EQ(S, (std::vector<uint8_t>{0x00, 0x02, 0x00}));
  SioTReallocBitset(S, 0);
  EXPECT_TRUE(S.empty());
}

} // namespace
