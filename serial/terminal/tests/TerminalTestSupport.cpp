#include "TerminalTestSupport.h"

#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/Timer.h"
#include "serial/tests/FakeDispatcher.h"
#include "serial/tests/PortTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

void EnsureTerminalTestApp()
{
  if (!QCoreApplication::instance()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int Argc = 1;
    static char Name[] = "serial_terminal_tests";
    static char* Argv[] = {Name, nullptr};
    new QApplication(Argc, Argv);
  }
  ShownMessages();
}

std::string BufferRowText(const TSioTerminalBuffer& B, int32_t Row)
{
  const char* P = static_cast<const char*>(B.GetLineCharPtr(Row));
  if (!P)
    return "<none>";
  std::string S(P, static_cast<size_t>(B.ColCount()));
  S.erase(S.find_last_not_of(' ') + 1);
  return S;
}

std::string BufferRows(const TSioTerminalBuffer& B, int32_t First, int32_t Last)
{
  std::string S;
  for (int32_t R = First; R <= Last; ++R) {
    if (R != First)
      S += '|';
    S += BufferRowText(B, R);
  }
  return S;
}

void PumpPending()
{
  for (int I = 0; I < 5; ++I)
    ProcessPendingMessages();
}

TerminalRig::TerminalRig()
{
  EnsureTerminalTestApp();
  UseFakeDispatcher(Port, Fake);
  Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(20, 20, 700, 450);
  Term = new TSioTerminal(Form.get());
  Term->Font()->SetName(QStringLiteral("DejaVu Sans Mono"));
  Term->Font()->SetHeight(-13);
  Term->SetParent(Form.get());
  Form->Show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
  Term->Heartbeat()->SetEnabled(false);
  Term->SetBounds(0, 0, 80 * Term->GetTotalCharWidth() + Margin, 24 * Term->GetTotalCharHeight() + Margin);
  PumpPending();
}

TerminalRig::~TerminalRig()
{
  Form.reset();
  PumpPending();
}

void TerminalRig::OpenPort()
{
  Port.SetOpen(true);
  PumpPending();
}

void TerminalRig::Feed(const AnsiString& Bytes)
{
  Fake->Receive(Bytes);
  for (int I = 0; I < 100000 && Fake->CheckReceiveTriggers(); ++I) {
  }
  PumpPending();
}

AnsiString TerminalRig::Sent() { return Fake ? Fake->Drain() : AnsiString(); }

AnsiString TerminalRig::RowText(int32_t Row) const
{
  AnsiString L = Term->Line(Row);
  while (L.endsWith(' '))
    L.chop(1);
  return L;
}

QWidget* TerminalRig::Widget() const { return Term->Handle(); }

void TerminalRig::Mouse(int Type, QPoint Pos, int Button, int Buttons)
{
  QMouseEvent E(QEvent::Type(Type), QPointF(Pos), QPointF(Widget()->mapToGlobal(Pos)), Qt::MouseButton(Button),
                Qt::MouseButtons(Buttons), Qt::NoModifier);
  QApplication::sendEvent(Widget(), &E);
}

void TerminalRig::Key(int Type, int K, int Mods, const QString& Text, bool Repeat)
{
  QKeyEvent E(QEvent::Type(Type), K, Qt::KeyboardModifiers(Mods), Text, Repeat);
  QApplication::sendEvent(Widget(), &E);
}

QPoint TerminalRig::CellCentre(int32_t Row, int32_t Col) const
{
  const int32_t W = Term->GetTotalCharWidth();
  const int32_t H = Term->GetTotalCharHeight();
  return QPoint((Col - Term->ClientOriginCol()) * W + W / 2, (Row - Term->ClientOriginRow()) * H + H / 2);
}

void TRecordingEmulator::ProcessBlock(const void* aData, int32_t aDataLen, TAdCharSource CharSource)
{
  Blocks.push_back(aDataLen);
  Sources.push_back(CharSource);
  TSioTTYEmulator::ProcessBlock(aData, aDataLen, CharSource);
}

void TRecordingEmulator::KeyDown(uint16_t& Key, uint16_t)
{
  Keys.push_back(Key);
  if (Key == Consume)
    Key = 0;
}
