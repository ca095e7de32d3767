// The terminal control on a form: its port link and data path, capture,
// keys, pasting, replies, the view and the selection.
#include "serial/terminal/SioTerminal.h"

#include "TerminalTestSupport.h"
#include "platform/Clipbrd.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Timer.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"
#include "serial/SioDataPacket.h"
#include "serial/tests/FakeDispatcher.h"
#include "platform/PtyPair.h"
#include "serial/tests/PortTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace {

// ------------------------------------------------------------ the port link

TEST(SioTerminal, AttachesWhenItsPortOpensAndDetachesWhenItCloses)
{
  TerminalRig R;
  R.Term->SetComPort(&R.Port);
  PumpPending();
  EXPECT_EQ(R.Port.MasterTerminal(), R.Term);
  EXPECT_FALSE(R.Term->Attached()); // closed and no AutoOpen: waits for the open
  R.OpenPort();
  EXPECT_TRUE(R.Term->Attached());
  R.Feed("first\r\n");
  EXPECT_EQ(R.RowText(1), AnsiString("first"));

  R.Port.SetOpen(false);
  PumpPending();
  EXPECT_FALSE(R.Term->Attached());
  R.OpenPort();
  EXPECT_TRUE(R.Term->Attached());
  // Attaching puts the cursor on row 1 again.
  R.Feed("second");
  EXPECT_EQ(R.RowText(1), AnsiString("second"));

  R.Term->SetActive(false);
  PumpPending();
  EXPECT_FALSE(R.Term->Attached());
  R.Feed("unseen");
  EXPECT_EQ(R.RowText(1), AnsiString("second"));
  R.Term->SetActive(true);
  PumpPending();
  EXPECT_TRUE(R.Term->Attached());
}

TEST(SioTerminal, TheTerminalAndADataPacketBothSeeEveryByte)
{
  TerminalRig R;
  R.Term->SetComPort(&R.Port);
  R.OpenPort();
  TSioDataPacket Packet(nullptr);
  Packet.SetComPort(&R.Port);
  Packet.SetStartCond(scString);
  Packet.SetStartString("$");
  Packet.SetEndCond(EndBit(ecString));
  Packet.SetEndString("\r\n");
  std::vector<AnsiString> Got;
  Packet.OnStringPacket = [&](TObject*, const AnsiString& Data) { Got.push_back(Data); };
  Packet.SetEnabled(true);
  PumpPending();
  AnsiString All;
  for (int I = 1; I <= 20; ++I) {
    const AnsiString Line = "$LINE," + AnsiString::number(I) + "\r\n";
    All += Line;
    R.Feed(Line);
  }
  ASSERT_EQ(Got.size(), 20u);
  EXPECT_EQ(Got.front(), AnsiString("$LINE,1\r\n"));
  EXPECT_EQ(Got.back(), AnsiString("$LINE,20\r\n"));
  for (int I = 1; I <= 20; ++I)
    EXPECT_EQ(R.RowText(I), "$LINE," + AnsiString::number(I)) << I;
  // Nothing was left behind for other readers to trip over.
  EXPECT_EQ(R.Fake->InBuffUsed(), 0u);
}

TEST(SioTerminal, OnAPseudoTerminalTheTerminalAndADataPacketBothSeeEveryByte)
{
  EnsureTerminalTestApp();
  PtyPair Pty;
  ASSERT_TRUE(Pty.IsOpen());
  QTemporaryDir Dir;
  const ScopedEnv Env("FATHOMIX_COM17", Pty.SlavePath());
  TSioComPort Port(nullptr);
  Port.SetComNumber(17);
  Port.SetPromptForPort(false);
  Port.SetAutoOpen(false);
  TForm Form(nullptr);
  auto* Term = new TSioTerminal(&Form);
  Term->SetParent(&Form);
  Form.Show();
  Term->SetComPort(&Port);
  // The capture file holds every byte the terminal processed.
  Term->SetCaptureFile(Dir.filePath(QStringLiteral("pty.cap")));
  Term->SetCapture(cmOn);
  TSioDataPacket Packet(nullptr);
  Packet.SetComPort(&Port);
  Packet.SetStartCond(scString);
  Packet.SetStartString("$");
  Packet.SetEndCond(EndBit(ecString));
  Packet.SetEndString("\r\n");
  std::vector<AnsiString> Got;
  Packet.OnStringPacket = [&](TObject*, const AnsiString& Data) { Got.push_back(Data); };
  Packet.SetEnabled(true);
  Port.SetOpen(true);
  ASSERT_TRUE(PumpUntil([&] { return Term->Attached(); }));

  AnsiString All;
  for (int I = 1; I <= 500; ++I)
    All += "$SV," + AnsiString::number(1480 + I % 40) + ".25,DEPTH," + AnsiString::number(I) + "\r\n";
  ASSERT_TRUE(Pty.WriteMaster(All));
  const String Cap = Dir.filePath(QStringLiteral("pty.cap"));
  ASSERT_TRUE(PumpUntil([&] { return Got.size() >= 500 && QFile(Cap).size() >= All.size(); }, 20000));
  EXPECT_EQ(Got.size(), 500u);
  AnsiString Joined;
  for (const AnsiString& G : Got)
    Joined += G;
  EXPECT_EQ(Joined, All);
  Term->SetCapture(cmOff);
  EXPECT_EQ(ReadWholeFile(Cap), All);
  // The last line on the screen, above the cursor's empty row.
  AnsiString Last = Term->Line(Term->Rows() - 1);
  while (Last.endsWith(' '))
    Last.chop(1);
  EXPECT_EQ(Last, AnsiString("$SV,1500.25,DEPTH,500"));
  Port.SetOpen(false);
}

// ------------------------------------------------------------ capture

TEST(SioTerminal, CaptureWritesWhatIsProcessed)
{
  TerminalRig R;
  QTemporaryDir Dir;
  const String A = Dir.filePath(QStringLiteral("a.cap"));
  const String B = Dir.filePath(QStringLiteral("b.cap"));
  {
    QFile F(A);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("old;");
  }
  R.Term->SetComPort(&R.Port);
  R.OpenPort();
  R.Term->SetCaptureFile(A);
  R.Term->SetCapture(cmAppend);
  EXPECT_EQ(R.Term->Capture(), cmOn); // appending reads back as on
  R.Feed("port;");
  R.Term->WriteString(AnsiString("local;"));
  PumpPending();
  // A new name while capturing starts the new file empty.
  R.Term->SetCaptureFile(B);
  R.Feed("later");
  R.Term->SetCapture(cmOff);
  R.Feed("not captured");
  EXPECT_EQ(ReadWholeFile(A), AnsiString("old;port;local;"));
  EXPECT_EQ(ReadWholeFile(B), AnsiString("later"));
  // On: an existing file starts empty.
  R.Term->SetCapture(cmOn);
  R.Feed("x");
  R.Term->SetCapture(cmOff);
  EXPECT_EQ(ReadWholeFile(B), AnsiString("x"));
}

TEST(SioTerminal, ACaptureThatCannotStartIsOff)
{
  TerminalRig R;
  QTemporaryDir Dir;
  R.Term->SetCaptureFile(Dir.filePath(QStringLiteral("missing.cap")));
  EXPECT_THROW(R.Term->SetCapture(cmAppend), EFOpenError);
  EXPECT_EQ(R.Term->Capture(), cmOff);
  R.Term->SetCaptureFile(Dir.filePath(QStringLiteral("no/such/folder/x.cap")));
  EXPECT_THROW(R.Term->SetCapture(cmOn), EFCreateError);
  EXPECT_EQ(R.Term->Capture(), cmOff);
  // An empty name falls back to the usual one.
  const String Cwd = QDir::currentPath();
  QDir::setCurrent(Dir.path());
  R.Term->SetCaptureFile(String());
  R.Term->SetCapture(cmOn);
  EXPECT_EQ(R.Term->CaptureFile(), QStringLiteral("VIVIVADO.CAP"));
  R.Term->SetCapture(cmOff);
  QDir::setCurrent(Cwd);
  EXPECT_TRUE(QFile::exists(Dir.filePath(QStringLiteral("VIVIVADO.CAP"))));
}

TEST(SioTerminal, ACaptureThatCannotWriteStopsAndTheScreenStillShowsTheText)
{
  TerminalRig R;
  ShownMessages().clear();
  R.Term->SetCaptureFile(QStringLiteral("/dev/full")); // every write: no space left
  R.Term->SetCapture(cmOn);
  R.Term->WriteString(AnsiString("shown"));
  PumpPending();
  EXPECT_EQ(R.RowText(1), AnsiString("shown"));
  EXPECT_EQ(R.Term->Capture(), cmOff);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_TRUE(ShownMessages()[0].startsWith(QStringLiteral("Capture to /dev/full stopped: ")))
      << ShownMessages()[0].toStdString();
}

// ------------------------------------------------------------ the data path

TEST(SioTerminal, LocalTextTakesOneBlockThroughTheQueue)
{
  TerminalRig R;
  auto* E = new TRecordingEmulator(R.Form.get());
  R.Term->SetEmulator(E);
  EXPECT_EQ(R.Term->Emulator(), E);
  AnsiString Text(300, 'x');
  R.Term->WriteString(Text);
  R.Term->WriteCharSource('y', csKeyboard);
  PumpPending();
  // Both writes waited in the queue and were processed together.
  EXPECT_EQ(E->Blocks, (std::vector<int32_t>{301}));
  EXPECT_EQ(E->Sources, (std::vector<TAdCharSource>{csWriteChar}));
  EXPECT_EQ(R.RowText(4), AnsiString(60, 'x') + "y");
}

TEST(SioTerminal, LazyDisplayPaintsWithinTwoBeats)
{
  TerminalRig R;
  TSioTerminalBuffer* B = R.Term->Buffer();
  R.Term->tmBeat(); // the first paint after creation
  R.Term->tmBeat();
  ASSERT_FALSE(B->HasDisplayChanged());
  R.Term->WriteString(AnsiString("abc"));
  PumpPending();
  EXPECT_TRUE(B->HasDisplayChanged());
  R.Term->tmBeat(); // 100 ms: not yet beyond the delay
  EXPECT_TRUE(B->HasDisplayChanged());
  R.Term->tmBeat();
  EXPECT_FALSE(B->HasDisplayChanged());

  // Many bytes are painted at the next beat.
  R.Term->WriteString(AnsiString(250, 'z'));
  PumpPending();
  R.Term->tmBeat();
  EXPECT_FALSE(B->HasDisplayChanged());

  // Without lazy display every block is painted at once.
  R.Term->SetUseLazyDisplay(false);
  R.Term->WriteString(AnsiString("d"));
  PumpPending();
  EXPECT_FALSE(B->HasDisplayChanged());
}

TEST(SioTerminal, AHiddenTerminalHasNoHeartbeat)
{
  // The rig stops the beat to drive it itself; a terminal shown beats.
  TerminalRig R;
  R.Term->SetVisible(false);
  R.Term->SetVisible(true);
  ASSERT_TRUE(R.Term->Heartbeat()->Enabled());
  R.Term->SetVisible(false);
  EXPECT_FALSE(R.Term->Heartbeat()->Enabled());
  R.Term->SetVisible(true);
  EXPECT_TRUE(R.Term->Heartbeat()->Enabled());
  R.Term->Heartbeat()->SetEnabled(false);
}

TEST(SioTerminal, PropertiesRefuseWhatTheyCannotTake)
{
  EnsureTerminalTestApp();
  struct Case {
    const char* Name;
    std::function<void(TAdCustomTerminal&)> Set;
    std::function<int32_t(const TAdCustomTerminal&)> Get;
    int32_t Want;
  };
  const auto Lazy = [](const TAdCustomTerminal& T) { return T.LazyTimeDelay(); };
  const auto Bytes = [](const TAdCustomTerminal& T) { return T.LazyByteDelay(); };
  const auto Blink = [](const TAdCustomTerminal& T) { return T.BlinkTime(); };
  const std::vector<Case> Cases = {
      {"time delay 0 is ignored", [](TAdCustomTerminal& T) { T.SetLazyTimeDelay(0); }, Lazy, 100},
      {"time delay 1001 is ignored", [](TAdCustomTerminal& T) { T.SetLazyTimeDelay(1001); }, Lazy, 100},
      {"time delay 1000", [](TAdCustomTerminal& T) { T.SetLazyTimeDelay(1000); }, Lazy, 1000},
      {"byte delay 1025 is ignored", [](TAdCustomTerminal& T) { T.SetLazyByteDelay(1025); }, Bytes, 200},
      {"byte delay 1", [](TAdCustomTerminal& T) { T.SetLazyByteDelay(1); }, Bytes, 1},
      {"blink 100 gives 250", [](TAdCustomTerminal& T) { T.SetBlinkTime(100); }, Blink, 250},
      {"blink below 0 gives 0", [](TAdCustomTerminal& T) { T.SetBlinkTime(-3); }, Blink, 0},
      {"blink 600", [](TAdCustomTerminal& T) { T.SetBlinkTime(600); }, Blink, 600},
      {"columns 0 are ignored", [](TAdCustomTerminal& T) { T.SetColumns(0); },
       [](const TAdCustomTerminal& T) { return T.Columns(); }, 80},
      {"rows -1 are ignored", [](TAdCustomTerminal& T) { T.SetRows(-1); },
       [](const TAdCustomTerminal& T) { return T.Rows(); }, 24},
  };
  for (const Case& C : Cases) {
    TSioTerminal T(nullptr);
    C.Set(T);
    EXPECT_EQ(C.Get(T), C.Want) << C.Name;
  }
}

TEST(SioTerminal, CellsOutsideTheBufferReadAsDefaults)
{
  TerminalRig R;
  R.Term->WriteString(AnsiString("ab"));
  PumpPending();
  R.Term->SetForeColor(1, 2, clRed);
  R.Term->SetAttributes(1, 2, AttrBit(tcaBold));
  EXPECT_EQ(R.Term->ForeColor(1, 2), clRed);
  EXPECT_EQ(R.Term->Attributes(1, 2), AttrBit(tcaBold));
  R.Term->SetLine(2, AnsiString(100, 'q')); // cut at the columns
  EXPECT_EQ(R.Term->Line(2), AnsiString(80, 'q'));
  R.Term->SetLine(2, "short");
  EXPECT_EQ(R.Term->Line(2), "short" + AnsiString(75, ' '));
  for (const auto& [Row, Col] : std::vector<std::pair<int32_t, int32_t>>{{25, 1}, {-176, 1}, {1, 0}, {1, 81}}) {
    EXPECT_EQ(R.Term->ForeColor(Row, Col), clWhite);
    EXPECT_EQ(R.Term->BackColor(Row, Col), clBlack);
    EXPECT_EQ(R.Term->Attributes(Row, Col), 0);
    EXPECT_EQ(R.Term->CharSet(Row, Col), 0);
    R.Term->SetForeColor(Row, Col, clRed); // nothing, and no crash
  }
  EXPECT_EQ(R.Term->Line(25), AnsiString());
}

// ------------------------------------------------------------ keys and pasting

TEST(SioTerminal, TypedKeysGoOutOnThePort)
{
  TerminalRig R;
  R.Term->SetComPort(&R.Port);
  R.OpenPort();
  R.Term->SetFocus();
  R.Key(QEvent::KeyPress, Qt::Key_A, 0, QStringLiteral("a"));
  R.Key(QEvent::KeyPress, Qt::Key_Backspace, 0, QStringLiteral("\b"));
  R.Key(QEvent::KeyPress, Qt::Key_Return, 0, QStringLiteral("\r"));
  // A character above the 8-bit range goes out in the code page's form.
  R.Key(QEvent::KeyPress, 0x20AC, 0, QString(QChar(0x20AC)));
  EXPECT_EQ(R.Sent(), AnsiString("a\x7f\r\x80"));
  EXPECT_EQ(R.RowText(1), AnsiString()); // full duplex: the far side echoes

  R.Term->SetHalfDuplex(true);
  R.Key(QEvent::KeyPress, Qt::Key_B, 0, QStringLiteral("b"));
  EXPECT_EQ(R.Sent(), AnsiString("b"));
  EXPECT_EQ(R.RowText(1), AnsiString("b"));
  // Half duplex with the port closed: shown, not sent.
  R.Port.SetOpen(false);
  PumpPending();
  R.Key(QEvent::KeyPress, Qt::Key_C, 0, QStringLiteral("c"));
  EXPECT_EQ(R.RowText(1), AnsiString("bc"));
}

TEST(SioTerminal, KeysReachTheEmulatorWithKeypadCodes)
{
  TerminalRig R;
  auto* E = new TRecordingEmulator(R.Form.get());
  R.Term->SetEmulator(E);
  R.Term->SetFocus();
  struct Case {
    const char* Name;
    int Key;
    int Mods;
    bool Repeat;
    uint16_t Code;
  };
  const std::vector<Case> Cases = {
      {"a letter", Qt::Key_A, 0, false, 0x41},
      {"keypad home with Num Lock off is keypad 7", Qt::Key_Home, Qt::KeypadModifier, false, 0x67},
      {"keypad page down is keypad 3", Qt::Key_PageDown, Qt::KeypadModifier, false, 0x63},
      {"keypad delete is the decimal key", Qt::Key_Delete, Qt::KeypadModifier, false, 0x6E},
      {"keypad enter is Execute", Qt::Key_Enter, Qt::KeypadModifier, false, 0x2B},
      {"home of the main keys stays", Qt::Key_Home, 0, false, 0x24},
      {"a repeated key", Qt::Key_Up, 0, true, 0x8026},
  };
  for (const Case& C : Cases) {
    E->Keys.clear();
    R.Key(QEvent::KeyPress, C.Key, C.Mods, QString(), C.Repeat);
    ASSERT_FALSE(E->Keys.empty()) << C.Name;
    EXPECT_EQ(E->Keys.front(), C.Code) << C.Name;
  }
  // Shift alone never reaches the emulator.
  E->Keys.clear();
  R.Key(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, QString());
  EXPECT_TRUE(E->Keys.empty());
}

TEST(SioTerminal, Pasting)
{
  struct Case {
    const char* Name;
    bool ToScreen, ToPort, WithPort;
    AnsiString Screen, Sent;
  };
  const std::vector<Case> Cases = {
      {"both targets without a port: only the screen", true, true, false, "paste", ""},
      {"both targets with a port", true, true, true, "paste", "paste"},
      {"to the port only", false, true, true, "", "paste"},
      {"to the screen only", true, false, true, "paste", ""},
      {"nowhere", false, false, true, "", ""},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TerminalRig R;
    if (C.WithPort) {
      R.Term->SetComPort(&R.Port);
      R.OpenPort();
    }
    R.Term->SetPasteToScreen(C.ToScreen);
    R.Term->SetPasteToPort(C.ToPort);
    SetClipboardAsText(QStringLiteral("paste"));
    R.Term->PasteFromClipboard();
    PumpPending();
    EXPECT_EQ(R.RowText(1), C.Screen);
    EXPECT_EQ(R.Sent(), C.Sent);
  }
}

// ------------------------------------------------------------ replies

TEST(SioTerminal, RepliesGoOutOnlyForTheMasterTerminal)
{
  TerminalRig R;
  R.Term->SetComPort(&R.Port);
  R.OpenPort();
  TAdEmuCommandList L(nullptr);
  L.AddCommand(ecCursorPos)->AddIntegerArg(3);
  L.Items(0)->AddIntegerArg(7);
  L.AddCommand(ecDeviceStatusReport)->AddIntegerArg(6);
  L.AddCommand(ecDeviceStatusReport);
  L.AddCommand(ecDeviceAttributesReport);
  L.AddCommand(ecDeviceAttributesReport)->AddIntegerArg(52);
  L.AddCommand(ecDeviceAttributesReport)->AddIntegerArg(1);
  L.AddCommand(ecAnswerback);
  TRecordingEmulator Own(nullptr);
  R.Term->SetEmulator(&Own);
  Own.ExecuteTerminalCommands(&L);
  EXPECT_EQ(R.Sent(), AnsiString("\x1b[3;7R\x1b[0n\x1b[?1;0c\x1b/ZVIVIvado"));
  // Another terminal is the port's master: this one answers nothing.
  R.Port.SetMasterTerminal(R.Form.get());
  Own.ExecuteTerminalCommands(&L);
  EXPECT_EQ(R.Sent(), AnsiString());
  R.Term->SetEmulator(nullptr);
}

TEST(SioTerminal, CursorShapeAndColoursFromCommands)
{
  TerminalRig R;
  TRecordingEmulator Own(nullptr);
  R.Term->SetEmulator(&Own);
  Own.teProcessCommand(ecCursorUnderline, nullptr);
  EXPECT_EQ(R.Term->CursorType(), ctUnderline);
  Own.teProcessCommand(ecCursorOff, nullptr);
  EXPECT_EQ(R.Term->CursorType(), ctNone);
  TAdEmuCommandList L(nullptr);
  L.AddCommand(ecBackColor)->AddTColorArg(clNavy);
  TAdEmuCommandListItem* Fore = L.AddCommand(ecForeColor);
  Fore->AddTColorArg(clYellow);
  Fore->AddBooleanArg(false); // not persistent: the control keeps its font colour
  Own.ExecuteTerminalCommands(&L);
  EXPECT_EQ(R.Term->Color(), clNavy);
  EXPECT_EQ(R.Term->Font()->Color(), clSilver);
  EXPECT_EQ(Own.Buffer()->ForeColor(), clYellow);
  R.Term->SetEmulator(nullptr);
}

// ------------------------------------------------------------ emulators

TEST(SioTerminal, AttachedEmulatorsTakeOverTheBufferSizesAndGoBack)
{
  TerminalRig R;
  R.Term->SetScrollbackRows(300);
  R.Term->SetColumns(100);
  auto* E = new TRecordingEmulator(nullptr);
  R.Term->SetEmulator(E);
  EXPECT_EQ(R.Term->Emulator(), E);
  EXPECT_EQ(E->Terminal(), R.Term);
  EXPECT_EQ(E->Buffer()->SVRowCount(), 300);
  EXPECT_EQ(E->Buffer()->ColCount(), 100);
  // The emulator moves to another terminal: the first goes back to its own.
  TSioTerminal Other(R.Form.get());
  E->SetTerminal(&Other);
  EXPECT_EQ(R.Term->Emulator(), nullptr);
  EXPECT_EQ(Other.Emulator(), E);
  // Freeing it leaves that terminal with its own again.
  delete E;
  EXPECT_EQ(Other.Emulator(), nullptr);
  Other.WriteString(AnsiString("still works"));
  PumpPending();
  EXPECT_EQ(Other.Line(1).left(11), AnsiString("still works"));
}

// ------------------------------------------------------------ the view

TEST(SioTerminal, CellsComeFromTheFontAndThePadding)
{
  TerminalRig R;
  const int32_t W = R.Term->CharWidth();
  const int32_t H = R.Term->CharHeight();
  EXPECT_GT(W, 3);
  EXPECT_GT(H, W);
  EXPECT_EQ(R.Term->ClientCols(), 80);
  EXPECT_EQ(R.Term->ClientRows(), 24);
  R.Term->SetCharHPadding(2);
  R.Term->SetCharVPadding(1);
  EXPECT_EQ(R.Term->GetTotalCharWidth(), W + 2);
  EXPECT_EQ(R.Term->GetTotalCharHeight(), H + 1);
  // The cells got larger: fewer of them fit, the last one partly.
  const int32_t CW = R.Term->ClientWidth();
  EXPECT_EQ(R.Term->ClientFullCols(), CW / (W + 2));
  EXPECT_EQ(R.Term->ClientCols(), (CW + W + 1) / (W + 2));
}

TEST(SioTerminal, ScrollBackViewingAndTheVerticalBar)
{
  TerminalRig R;
  PumpPending();
  // 80 x 24 cells with 200 rows in all: everything fits.
  EXPECT_FALSE(R.Term->UsingVScrollBar());
  EXPECT_FALSE(R.Term->HasVScrollBar());
  R.Term->SetScrollback(true);
  PumpPending();
  EXPECT_TRUE(R.Term->HasVScrollBar());
  EXPECT_EQ(R.Term->VScrollInfo().Min, 24 - 200);
  R.Term->SetClientOriginRow(-500);
  EXPECT_EQ(R.Term->ClientOriginRow(), -175);
  R.Term->SetScrollback(false);
  PumpPending();
  EXPECT_FALSE(R.Term->HasVScrollBar());
  // Without scroll-back viewing the view goes back to the screen, and stays
  // there: no bar would bring it back.
  EXPECT_EQ(R.Term->ClientOriginRow(), 1);
  R.Term->SetClientOriginRow(-20);
  EXPECT_EQ(R.Term->ClientOriginRow(), 1);
}

TEST(SioTerminal, AutoScrollbackFollowsTheVerticalBar)
{
  TerminalRig R;
  // Fewer full rows than the screen has: the vertical bar is wanted.
  R.Term->SetHeight(10 * R.Term->GetTotalCharHeight());
  PumpPending();
  ASSERT_TRUE(R.Term->UsingVScrollBar());
  EXPECT_TRUE(R.Term->HasVScrollBar());
  R.Term->SetClientOriginRow(-500);
  EXPECT_EQ(R.Term->ClientOriginRow(), 1); // no scroll-back viewing yet
  R.Term->VScroll(SB_LINEUP, 0);
  EXPECT_TRUE(R.Term->Scrollback());
  EXPECT_EQ(R.Term->ClientOriginRow(), 0);
  R.Term->VScroll(SB_PAGEUP, 0);
  EXPECT_LT(R.Term->ClientOriginRow(), 0);
  R.Term->VScroll(SB_THUMBTRACK, 4); // row 5 at the top
  EXPECT_EQ(R.Term->ClientOriginRow(), 5);
  EXPECT_TRUE(R.Term->Scrollback());
  R.Term->VScroll(SB_LINEDOWN, 0); // origin above 1: viewing ends
  EXPECT_FALSE(R.Term->Scrollback());
  EXPECT_EQ(R.Term->ClientOriginRow(), 6);
  R.Term->VScroll(SB_PAGEDOWN, 0);
  EXPECT_EQ(R.Term->ClientOriginRow(), 24 - R.Term->ClientFullRows() + 1);
}

TEST(SioTerminal, TheHorizontalBarAndTheOriginColumn)
{
  TerminalRig R;
  R.Term->SetWidth(40 * R.Term->GetTotalCharWidth());
  PumpPending();
  ASSERT_TRUE(R.Term->UsingHScrollBar());
  EXPECT_TRUE(R.Term->HasHScrollBar());
  EXPECT_EQ(R.Term->HScrollInfo(), (TAdCustomTerminal::TScrollInfo{0, 79, 40, 0}));
  R.Term->HScroll(SB_PAGERIGHT, 0);
  EXPECT_EQ(R.Term->ClientOriginCol(), 41);
  R.Term->HScroll(SB_LINERIGHT, 0); // no further than the last page
  EXPECT_EQ(R.Term->ClientOriginCol(), 41);
  R.Term->SetClientOriginCol(-3);
  EXPECT_EQ(R.Term->ClientOriginCol(), 1);
  R.Term->SetWidth(80 * R.Term->GetTotalCharWidth() + TerminalRig::Margin);
  PumpPending();
  EXPECT_FALSE(R.Term->UsingHScrollBar());
  EXPECT_FALSE(R.Term->HasHScrollBar());
}

// ------------------------------------------------------------ selection and copying

TEST(SioTerminal, DraggingSelectsInReadingOrderAndCopies)
{
  TerminalRig R;
  for (int Row = 1; Row <= 6; ++Row)
    R.Term->SetLine(Row, AnsiString("row") + AnsiString::number(Row) + ":abcdefghijklmnop");
  SetClipboardAsText(QStringLiteral("before"));
  R.Mouse(QEvent::MouseButtonPress, R.CellCentre(5, 10), Qt::LeftButton, Qt::LeftButton);
  R.Mouse(QEvent::MouseMove, R.CellCentre(4, 1), Qt::NoButton, Qt::LeftButton);
  R.Mouse(QEvent::MouseMove, R.CellCentre(3, 2), Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(R.Term->HaveSelection());
  EXPECT_EQ(R.Term->SelectionRect(), (TRect{2, 3, 10, 5}));
  // Row 3 from column 2, row 4 whole, row 5 up to column 10.
  EXPECT_EQ(R.Term->Attributes(3, 1), 0);
  EXPECT_EQ(R.Term->Attributes(3, 2), AttrBit(tcaSelected));
  EXPECT_EQ(R.Term->Attributes(4, 80), AttrBit(tcaSelected));
  EXPECT_EQ(R.Term->Attributes(5, 10), AttrBit(tcaSelected));
  EXPECT_EQ(R.Term->Attributes(5, 11), 0);
  EXPECT_EQ(R.Term->Attributes(6, 5), 0);
  R.Mouse(QEvent::MouseButtonRelease, R.CellCentre(3, 2), Qt::LeftButton, Qt::NoButton);
  const AnsiString Pad(59, ' ');
  const AnsiString Want = "ow3:abcdefghijklmnop" + Pad + "\r\nrow4:abcdefghijklmnop" + Pad + "\r\nrow5:abcde\r\n";
  EXPECT_EQ(R.Term->SelectedText(), Want);
  EXPECT_EQ(ClipboardAsText(), FromAnsi(Want));

  // The next press starts again; the old marks go.
  R.Mouse(QEvent::MouseButtonPress, R.CellCentre(6, 1), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(R.Term->Attributes(4, 40), 0);
  EXPECT_EQ(R.Term->SelectedText(), AnsiString("r\r\n"));
  R.Mouse(QEvent::MouseButtonRelease, R.CellCentre(6, 1), Qt::LeftButton, Qt::NoButton);
  R.Term->HideSelection();
  EXPECT_FALSE(R.Term->HaveSelection());
  EXPECT_EQ(R.Term->Attributes(6, 1), 0);
}

TEST(SioTerminal, WithoutAutoCopyTheClipboardStays)
{
  TerminalRig R;
  R.Term->SetLine(1, "text");
  R.Term->SetAutoCopy(false);
  SetClipboardAsText(QStringLiteral("before"));
  R.Mouse(QEvent::MouseButtonPress, R.CellCentre(1, 1), Qt::LeftButton, Qt::LeftButton);
  R.Mouse(QEvent::MouseMove, R.CellCentre(1, 4), Qt::NoButton, Qt::LeftButton);
  R.Mouse(QEvent::MouseButtonRelease, R.CellCentre(1, 4), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(ClipboardAsText(), QStringLiteral("before"));
  // Ctrl+C copies the selection.
  R.Term->SetFocus();
  R.Key(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
  EXPECT_EQ(ClipboardAsText(), QStringLiteral("text\r\n"));
}

TEST(SioTerminal, EscapeWhileDraggingDropsTheSelection)
{
  TerminalRig R;
  R.Term->SetLine(1, "text");
  R.Term->SetFocus();
  SetClipboardAsText(QStringLiteral("before"));
  R.Mouse(QEvent::MouseButtonPress, R.CellCentre(1, 1), Qt::LeftButton, Qt::LeftButton);
  R.Mouse(QEvent::MouseMove, R.CellCentre(1, 3), Qt::NoButton, Qt::LeftButton);
  R.Key(QEvent::KeyPress, Qt::Key_Escape, 0, QStringLiteral("\x1b"));
  EXPECT_FALSE(R.Term->HaveSelection());
  EXPECT_EQ(R.Term->Attributes(1, 2), 0);
  R.Mouse(QEvent::MouseButtonRelease, R.CellCentre(1, 3), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(ClipboardAsText(), QStringLiteral("before"));
}

// ------------------------------------------------------------ painting

QRgb Pixel(TerminalRig& R, QPoint P) { return R.Widget()->grab().toImage().pixel(P) & 0xFFFFFF; }

QRgb Rgb(TColor C) { return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF) & 0xFFFFFF; }

TEST(SioTerminal, CellsArePaintedWithTheirAttributes)
{
  TerminalRig R;
  const int32_t W = R.Term->GetTotalCharWidth();
  const int32_t H = R.Term->GetTotalCharHeight();
  struct Case {
    const char* Name;
    TSioTerminalCharAttrs Attrs;
    TColor Fore, Back;
    TColor Fill, Line; // the cell's fill, and the underline's colour
  };
  const TColor Grey = 0x404040;
  const std::vector<Case> Cases = {
      {"plain", AttrBit(tcaUnderline), clSilver, clBlack, clBlack, clSilver},
      {"reverse", AttrBit(tcaReverse) | AttrBit(tcaUnderline), clSilver, clNavy, clSilver, clNavy},
      {"selected", AttrBit(tcaSelected) | AttrBit(tcaUnderline), clSilver, clNavy, clSilver, clNavy},
      {"reverse and selected: normal colours", AttrBit(tcaReverse) | AttrBit(tcaSelected) | AttrBit(tcaUnderline),
       clSilver, clNavy, clNavy, clSilver},
      {"bold dark grey is brightened", AttrBit(tcaBold) | AttrBit(tcaUnderline), Grey, clBlack, clBlack, 0xC0C0C0},
      {"bold white stays white", AttrBit(tcaBold) | AttrBit(tcaUnderline), clWhite, clBlack, clBlack, clWhite},
      {"bold reverse brightens the fill", AttrBit(tcaBold) | AttrBit(tcaReverse) | AttrBit(tcaUnderline), Grey, clBlack,
       0xC0C0C0, clBlack},
      {"invisible: the text takes the fill", AttrBit(tcaInvisible) | AttrBit(tcaUnderline), clSilver, clMaroon,
       clMaroon, clMaroon},
  };
  int32_t Row = 1;
  for (const Case& C : Cases) {
    R.Term->SetForeColor(Row, 3, C.Fore);
    R.Term->SetBackColor(Row, 3, C.Back);
    R.Term->SetAttributes(Row, 3, C.Attrs);
    ++Row;
  }
  Row = 1;
  for (const Case& C : Cases) {
    const int32_t Left = 2 * W;
    const int32_t Top = (Row - 1) * H;
    EXPECT_EQ(Pixel(R, QPoint(Left + W / 2, Top + 1)), Rgb(C.Fill)) << C.Name;
    EXPECT_EQ(Pixel(R, QPoint(Left + 1, Top + H - 2)), Rgb(C.Line)) << C.Name;
    ++Row;
  }
}

TEST(SioTerminal, ANewBackgroundColourRepaintsEverything)
{
  TerminalRig R;
  R.Term->WriteString(AnsiString("text"));
  PumpPending();
  R.Term->SetBackColor(2, 1, clNavy); // a cell of its own colour keeps it
  R.Term->SetColor(clGreen);
  EXPECT_EQ(Pixel(R, QPoint(1, R.Term->GetTotalCharHeight() * 10 + 1)), Rgb(clGreen));
  EXPECT_EQ(R.Term->BackColor(1, 1), clGreen);
  EXPECT_EQ(R.Term->BackColor(24, 80), clGreen);
  EXPECT_EQ(R.Term->BackColor(2, 1), clNavy);
  EXPECT_EQ(Pixel(R, QPoint(1, R.Term->GetTotalCharHeight() + 1)), Rgb(clNavy));
}

TEST(SioTerminal, AColourSetForTheTextAloneSurvivesThePaintsThatFollow)
{
  // Not persistent: the control keeps its colours, and the text written
  // after the command takes the command's, however many paints come between
  // (a paint must not take the control's colours back into the buffer).
  struct Case {
    const char* Name;
    TAdEmuCommand Command;
    TColor Fore, Back; // the text's colours the command sets
  };
  const Case Cases[] = {
      {"foreground", ecForeColor, clYellow, clBlack},
      {"background", ecBackColor, clSilver, clNavy},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TerminalRig R;
    TSioTTYEmulator Tty(nullptr);
    R.Term->SetEmulator(&Tty);
    TAdEmuCommandList L(nullptr);
    TAdEmuCommandListItem* Item = L.AddCommand(C.Command);
    Item->AddTColorArg(C.Command == ecForeColor ? C.Fore : C.Back);
    Item->AddBooleanArg(false);
    Tty.ExecuteTerminalCommands(&L);
    Pixel(R, QPoint(0, 0));
    R.Term->WriteString(AnsiString("ab"));
    PumpPending();
    Pixel(R, QPoint(0, 0));
    R.Term->WriteString(AnsiString("c"));
    PumpPending();
    EXPECT_EQ(R.Term->Color(), clBlack);
    EXPECT_EQ(R.Term->Font()->Color(), clSilver);
    for (int32_t Col = 1; Col <= 3; ++Col) {
      EXPECT_EQ(R.Term->ForeColor(1, Col), C.Fore) << "column " << Col;
      EXPECT_EQ(R.Term->BackColor(1, Col), C.Back) << "column " << Col;
    }
    R.Term->SetEmulator(nullptr);
  }
}

} // namespace
