// The teletype emulator and the command interpreter on a screen buffer,
// without a terminal control.
#include "serial/terminal/SioTerminalEmulator.h"

#include "TerminalTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr auto RowText = BufferRowText;
constexpr auto Rows = BufferRows;

// A teletype on a buffer of 10 columns, 4 screen rows and 8 rows in all.
struct Tty {
  Tty()
  {
    B->tbSetColCount(10);
    B->tbSetSVRowCount(8);
    B->tbSetRowCount(4);
  }
  void Feed(const AnsiString& Bytes) { E.ProcessBlock(Bytes.constData(), int32_t(Bytes.size()), csPort); }
  std::string Screen() const { return Rows(*B, 1, 4); }
  std::pair<int32_t, int32_t> Cursor() const { return {B->Row(), B->Col()}; }

  TSioTTYEmulator E{nullptr};
  TSioTerminalBuffer* B = E.Buffer();
};

struct StreamCase {
  const char* Name;
  AnsiString Bytes;
  std::string Screen;  // rows 1..4
  std::string History; // rows -1..0
  std::pair<int32_t, int32_t> Cursor;
  std::function<void(TSioTerminalBuffer&)> Setup = nullptr;
};

TEST(SioTTYEmulator, ByteStreamsAndTheScreenTheyLeave)
{
  const std::vector<StreamCase> Cases = {
      {"CR LF starts a new line", "hello\r\nworld", "hello|world||", "|", {2, 6}},
      {"LF alone keeps the column", "ab\ncd", "ab|  cd||", "|", {2, 5}},
      {"CR alone returns to column 1", "abc\rX", "Xbc|||", "|", {1, 2}},
      {"wrap at the last column", "0123456789AB", "0123456789|AB||", "|", {2, 3}},
      {"a full row waits in the last column", "0123456789", "0123456789|||", "|", {1, 10}},
      {"CR after a full row stays on it", "0123456789\rX", "X123456789|||", "|", {1, 2}},
      {"tab stops every 8 columns", "ab\tc", "ab      c|||", "|", {1, 10}},
      {"tab beyond the last stop goes to the last column", "\t\t\tX", "         X|||", "|", {1, 10}},
      {"BS at column 1 stays", "\bX", "X|||", "|", {1, 2}},
      {"BS moves back without erasing", "ab\b\bX", "Xb|||", "|", {1, 2}},
      {"BEL and other control characters print nothing",
       "a\x07"
       "b\x01\x0b\x0c\x1b"
       "c",
       "abc|||",
       "|",
       {1, 4}},
      {"escape sequences are not recognised", "a\x1b[2Jb", "a[2Jb|||", "|", {1, 6}},
      {"bytes from 127 upwards are printed", "\x7f\xe9\xff", "\x7f\xe9\xff|||", "|", {1, 4}},
      {"NUL is ignored", AnsiString("a\0b", 3), "ab|||", "|", {1, 3}},
      {"line feeds at the bottom scroll into the scroll-back", "1\r\n2\r\n3\r\n4\r\n5\r\n6", "3|4|5|6", "1|2", {4, 2}},
      {"a scroll region keeps the rows outside it",
       "a\r\nb\r\nc\r\nd",
       "top|c|d|bottom",
       "|",
       {3, 2},
       [](TSioTerminalBuffer& B) {
         B.WriteString(AnsiString("top"));
         B.SetCursorPosition(4, 1);
         B.WriteString(AnsiString("bottom"));
         B.SetScrollRegion(2, 3);
       }},
  };
  for (const StreamCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Tty T;
    if (C.Setup)
      C.Setup(*T.B);
    T.Feed(C.Bytes);
    EXPECT_EQ(T.Screen(), C.Screen);
    EXPECT_EQ(Rows(*T.B, -1, 0), C.History);
    EXPECT_EQ(T.Cursor(), C.Cursor);
  }
}

TEST(SioTTYEmulator, ScrollBackLimit)
{
  Tty T;
  for (int I = 1; I <= 30; ++I)
    T.Feed("line" + AnsiString::number(I) + "\r\n");
  // 8 rows in all: the last seven lines and the cursor's empty row.
  EXPECT_EQ(Rows(*T.B, -3, 4), "line24|line25|line26|line27|line28|line29|line30|");
  EXPECT_EQ(RowText(*T.B, -4), "<none>");
}

TEST(SioTTYEmulator, ProcessCharHandlersReplaceSwallowAndAddCommands)
{
  struct Case {
    const char* Name;
    TAdOnProcessChar Handler;
    std::string Screen;
  };
  const std::vector<Case> Cases = {
      {"swallow the digits",
       [](TObject*, char Ch, AnsiString& With, TAdEmuCommandList*, TAdCharSource) {
         if (Ch >= '0' && Ch <= '9')
           With.clear();
       },
       "ab|||"},
      {"one byte becomes several",
       [](TObject*, char Ch, AnsiString& With, TAdEmuCommandList*, TAdCharSource) {
         if (Ch == '1')
           With = "<one>";
       },
       "a<one>2b|||"},
      {"a command runs before the byte is written",
       [](TObject*, char Ch, AnsiString&, TAdEmuCommandList* L, TAdCharSource) {
         if (Ch == 'b')
           L->AddCommand(ecClearAndHome);
       },
       "b|||"},
      {"the source is passed on",
       [](TObject*, char, AnsiString& With, TAdEmuCommandList*, TAdCharSource S) { With = S == csPort ? "p" : "?"; },
       "pppp|||"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Tty T;
    T.E.OnProcessChar = C.Handler;
    T.Feed("a12b");
    EXPECT_EQ(T.Screen(), C.Screen);
  }
}

// ------------------------------------------------------------ the interpreter

struct CommandCase {
  const char* Name;
  std::function<void(TAdEmuCommandList&)> Build;
  std::function<void(TSioTerminalBuffer&)> Check;
};

TEST(SioTerminalEmulatorCommands, CommandsChangeTheBuffer)
{
  const std::vector<CommandCase> Cases = {
      {"one unnamed position is the row",
       [](TAdEmuCommandList& L) { L.AddCommand(ecCursorPos)->AddStringArg(QStringLiteral("3")); },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.Row(), 3);
         EXPECT_EQ(B.Col(), 1);
       }},
      {"a row below the buffer is its last row",
       [](TAdEmuCommandList& L) { L.AddCommand(ecCursorPos)->AddStringArg(QStringLiteral("99")); },
       [](TSioTerminalBuffer& B) { EXPECT_EQ(B.Row(), 4); }},
      {"a lone named column also stands at position 0",
       [](TAdEmuCommandList& L) { L.AddCommand(ecCursorPos)->AddNamedIntegerArg(QStringLiteral("Col"), 3); },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.Row(), 3);
         EXPECT_EQ(B.Col(), 3);
       }},
      {"named row and column in any order",
       [](TAdEmuCommandList& L) {
         TAdEmuCommandListItem* I = L.AddCommand(ecCursorPos);
         I->AddNamedIntegerArg(QStringLiteral("Col"), 7);
         I->AddNamedIntegerArg(QStringLiteral("Row"), 2);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.Row(), 2);
         EXPECT_EQ(B.Col(), 7);
       }},
      {"cursor right with wrap from the last column",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecCursorEOL);
         L.AddCommand(ecCursorRight)->AddBooleanArg(true);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.Row(), 2);
         EXPECT_EQ(B.Col(), 1);
       }},
      {"cursor down without scroll stops at the bottom",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecCursorBottom);
         L.AddCommand(ecCursorDown);
       },
       [](TSioTerminalBuffer& B) { EXPECT_EQ(B.Row(), 4); }},
      {"write string, then home and end of line",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecWriteString)->AddNamedStringArg(QStringLiteral("String"), QStringLiteral("hi"));
         L.AddCommand(ecHome);
         L.AddCommand(ecCursorEOL);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(RowText(B, 1), "hi");
         EXPECT_EQ(B.Col(), 10);
       }},
      {"NEL is a line feed and a carriage return",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecWriteString)->AddStringArg(QStringLiteral("abc"));
         L.AddCommand(ecNEL);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.Row(), 2);
         EXPECT_EQ(B.Col(), 1);
       }},
      {"save and restore the cursor with its attributes and colours",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecCursorPos)->AddIntegerArg(3);
         L.AddCommand(ecAddBold);
         L.AddCommand(ecForeColor)->AddTColorArg(clRed);
         L.AddCommand(ecSaveCursorPos);
         L.AddCommand(ecHome);
         L.AddCommand(ecRemoveAllAttr);
         L.AddCommand(ecForeColor);
         L.AddCommand(ecRestoreCursorPos);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.Row(), 3);
         EXPECT_EQ(B.GetCharAttrs(), AttrBit(tcaBold));
         EXPECT_EQ(B.ForeColor(), clRed);
       }},
      {"a lone named colour also stands at position 0",
       [](TAdEmuCommandList& L) { L.AddCommand(ecColor)->AddNamedTColorArg(QStringLiteral("Back"), clNavy); },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.ForeColor(), clNavy);
         EXPECT_EQ(B.BackColor(), clNavy);
       }},
      {"colours take their defaults",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecColor)->AddTColorArg(clRed);
         L.AddCommand(ecBackColor);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.ForeColor(), clRed);
         EXPECT_EQ(B.BackColor(), clBlack);
       }},
      {"attributes from a list of flags",
       [](TAdEmuCommandList& L) {
         TAdEmuCommandListItem* I = L.AddCommand(ecSetCharAttr);
         I->AddBooleanArg(true);
         I->AddNamedStringArg(QStringLiteral("Reverse"), QStringLiteral("Yes"));
       },
       // Underline finds no name and takes position 1, the named item.
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.GetCharAttrs(), AttrBit(tcaBold) | AttrBit(tcaUnderline) | AttrBit(tcaReverse));
       }},
      {"modes on and off",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecNoAutoWrap);
         L.AddCommand(ecInsertMode);
         L.AddCommand(ecNewLineMode);
         L.AddCommand(ecNoAbsAddress);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_FALSE(B.UseAutoWrap());
         EXPECT_TRUE(B.UseInsertMode());
         EXPECT_TRUE(B.UseNewLineMode());
         EXPECT_FALSE(B.UseAbsAddress());
       }},
      {"a scroll region by parameters",
       [](TAdEmuCommandList& L) {
         TAdEmuCommandListItem* I = L.AddCommand(ecSetScrollRegion);
         I->AddIntegerArg(2);
         I->AddIntegerArg(3);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_TRUE(B.UseScrollRegion());
         EXPECT_EQ(B.OriginRow(), 2);
       }},
      {"clear and home keeps the screen in the scroll-back",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecWriteString)->AddStringArg(QStringLiteral("old"));
         L.AddCommand(ecClearAndHome);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(Rows(B, -3, 4), "old|||||||");
         EXPECT_EQ(B.Row(), 1);
         EXPECT_EQ(B.Col(), 1);
       }},
      {"DECALN fills the screen with E and keeps the blank",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecWriteString)->AddStringArg(QStringLiteral("old"));
         L.AddCommand(ecDECALN);
         L.AddCommand(ecEraseLine);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(RowText(B, -3), "old");
         EXPECT_EQ(RowText(B, 1), ""); // erased with blanks again
         EXPECT_EQ(RowText(B, 2), "EEEEEEEEEE");
         EXPECT_EQ(B.DefAnsiChar(), ' ');
       }},
      {"reset",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecWriteString)->AddStringArg(QStringLiteral("x"));
         L.AddCommand(ecInsertMode);
         L.AddCommand(ecReset);
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(RowText(B, 1), "");
         EXPECT_FALSE(B.UseInsertMode());
       }},
      {"malformed parameters take their defaults",
       [](TAdEmuCommandList& L) {
         L.AddCommand(ecCursorPos)->AddStringArg(QStringLiteral("two"));
         L.AddCommand(ecDeleteChars)->AddStringArg(QStringLiteral("x"));
       },
       [](TSioTerminalBuffer& B) {
         EXPECT_EQ(B.Row(), 1);
         EXPECT_EQ(B.Col(), 1);
       }},
      {"values outside the vocabulary do nothing", [](TAdEmuCommandList& L) { L.AddCommand(TAdEmuCommand(200)); },
       [](TSioTerminalBuffer& B) { EXPECT_EQ(B.Row(), 1); }},
  };
  for (const CommandCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Tty T;
    TAdEmuCommandList L(nullptr);
    C.Build(L);
    T.E.ExecuteTerminalCommands(&L);
    C.Check(*T.B);
  }
}

TEST(SioTerminalEmulatorCommands, AttributeCommands)
{
  const TSioTerminalCharAttrs Bold = AttrBit(tcaBold);
  const TSioTerminalCharAttrs Blink = AttrBit(tcaBlink);
  const TSioTerminalCharAttrs Sel = AttrBit(tcaSelected);
  struct Case {
    TAdEmuCommand Command;
    TSioTerminalCharAttrs Before, After;
  };
  const std::vector<Case> Cases = {
      {ecAddBold, Blink, Blink | Bold},
      {ecBoldOnly, Blink | Sel, Bold},
      {ecRemoveBold, Blink | Bold, Blink},
      {ecInvertBold, Blink | Bold, Blink},
      {ecInvertBold, Blink, Blink | Bold},
      {ecAddUnderLine, 0, AttrBit(tcaUnderline)},
      {ecStrikethroughOnly, Bold, AttrBit(tcaStrikethrough)},
      {ecInvertBlink, Blink, 0},
      {ecReverseOnly, Bold, AttrBit(tcaReverse)},
      {ecRemoveInvisible, AttrBit(tcaInvisible) | Bold, Bold},
      {ecAddSelected, Bold, Bold | Sel},
      // The two middle commands of Selected are the other way round.
      {ecRemoveSelected, Bold, Sel},
      {ecSelectedOnly, Bold | Sel, Bold},
      {ecInvertSelected, Sel, 0},
      {ecRemoveAllAttr, Bold | Sel, 0},
      {ecRemoveAllAttrIgnoreSelect, Bold | Sel, Sel},
      {ecRemoveAllAttrIgnoreSelect, Bold, 0},
  };
  for (const Case& C : Cases) {
    Tty T;
    T.B->SetCharAttrs(C.Before);
    T.E.teProcessCommand(C.Command, nullptr);
    EXPECT_EQ(T.B->GetCharAttrs(), C.After) << int(C.Command) << " from " << int(C.Before);
  }
}

TEST(SioTerminalEmulatorCommands, WithoutATerminalNothingIsSentOrShown)
{
  Tty T;
  // No terminal: the reports, the answerback and the cursor shape do nothing,
  // and a typed key goes nowhere.
  for (TAdEmuCommand C : {ecDeviceStatusReport, ecDeviceAttributesReport, ecAnswerback, ecCursorOff, ecBell})
    T.E.teProcessCommand(C, nullptr);
  char16_t Key = u'x';
  T.E.KeyPress(Key);
  EXPECT_EQ(T.Screen(), "|||");
  EXPECT_EQ(T.E.Answerback(), QStringLiteral("VIVIvado"));
}

TEST(SioTTYEmulator, NeedsUpdateAfterChangesAndCursorMoves)
{
  Tty T;
  TRect R;
  while (T.B->GetInvalidRect(R)) {
  }
  T.B->HasCursorMoved();
  EXPECT_FALSE(T.E.NeedsUpdate());
  T.Feed("x");
  EXPECT_TRUE(T.E.NeedsUpdate());
  T.B->GetInvalidRect(R);
  // The cursor moved too; asking consumes that.
  EXPECT_TRUE(T.E.NeedsUpdate());
  EXPECT_FALSE(T.E.NeedsUpdate());
  T.Feed("\r");
  EXPECT_TRUE(T.E.NeedsUpdate());
  EXPECT_FALSE(T.E.NeedsUpdate());
  T.E.teClear();
  EXPECT_TRUE(T.E.NeedsUpdate());
}

} // namespace
