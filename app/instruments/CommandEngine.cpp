#include "app/instruments/CommandEngine.h"

#include "app/core/SettingsFile.h"
#include "app/core/SetupScreen.h"
#include "platform/Timer.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include <QDebug>

namespace {

// How often a reply wait looks at its flags, in ticks.
constexpr int32_t ReplyPollTicks = 3;

} // namespace

TWaitCursor::TWaitCursor(IDialogueHost& Host) : FHost(Host) { FHost.SetWaitCursor(true); }

TWaitCursor::~TWaitCursor() { FHost.SetWaitCursor(false); }

IDialogueHost::~IDialogueHost() = default;

TCommandEngine::TCommandEngine(IDialogueHost& Host) : FHost(Host) {}

TCommandEngine::~TCommandEngine() = default;

void TCommandEngine::Abort()
{
  if (!Running())
    return;
  FAborted = true;
  EndWait(TReply::Lost, QStringLiteral("Cancelled"));
}

TCommandEngine::TRun::TRun(TCommandEngine& Engine, const char* Name) : FEngine(Engine), FStarted(!Engine.Running())
{
  if (!FStarted)
    return;
  FEngine.FRunning = QString::fromLatin1(Name);
  FEngine.FAborted = false;
}

TCommandEngine::TRun::~TRun()
{
  if (FStarted)
    FEngine.FRunning.clear();
}

void TCommandEngine::Delay(int32_t Ticks)
{
  if (!FAborted)
    FHost.Delay(Ticks);
}

void TCommandEngine::StatusCell(int32_t Row, const String& Text)
{
  for (ISetupScreen* S : FHost.SetupScreens())
    S->SetStatusCell(Row, Text);
}

bool TCommandEngine::PortOpen(TSioCustomComPort* Port) { return Port && Port->Open(); }

void TCommandEngine::FlushPort(TSioCustomComPort* Port)
{
  if (!PortOpen(Port))
    return;
  try {
    Port->FlushInBuffer();
    Port->FlushOutBuffer();
  } catch (const std::exception& E) {
    qWarning().noquote() << QStringLiteral("Fathomix: COM%1: flush failed:").arg(Port->ComNumber())
                         << ExceptionMessage(E);
  }
}

TReply TCommandEngine::Attempt(TSioCustomComPort* Port, TSioDataPacket* Packet, TTimer* Watchdog)
{
  FReply = TReply::Awaiting;
  FLastReason.clear();
  if (FAborted) {
    EndWait(TReply::Lost, QStringLiteral("Cancelled"));
    return FReply;
  }
  if (!PortOpen(Port)) {
    EndWait(TReply::Lost, QStringLiteral("Port Closed"));
    return FReply;
  }
  if (!Watchdog)
    throw EArgumentException(QStringLiteral("A reply wait needs its watchdog timer"));

  FAwaited = Packet;
  try {
    // Whatever came in since the last reply (a keep-alive's prompt, a reply
    // that came too late) must not pass for this command's reply.
    Port->FlushInBuffer();
    Watchdog->SetEnabled(true);
    if (Packet)
      Packet->SetEnabled(true);
    ShowCommand(Trim(FromAnsi(CommandString())));
    Port->PutString(CommandString());
    if (Packet) {
      while (FReply == TReply::Awaiting && !FAborted && PortOpen(Port) && Watchdog->Enabled())
        Delay(ReplyPollTicks);
      if (FAborted)
        EndWait(TReply::Lost, QStringLiteral("Cancelled"));
      else if (!PortOpen(Port))
        EndWait(TReply::Lost, QStringLiteral("Port Closed"));
      else
        EndWait(TReply::TimedOut);
    } else {
      EndWait(TReply::Good);
    }
  } catch (const std::exception& E) {
    FlushPort(Port);
    EndWait(PortOpen(Port) ? TReply::Refused : TReply::Lost, ExceptionMessage(E));
  }
  FAwaited = nullptr;
  Watchdog->SetEnabled(false);
  if (Packet && Packet->Enabled()) {
    try {
      Packet->SetEnabled(false);
    } catch (const std::exception& E) {
      qWarning().noquote() << QStringLiteral("Fathomix: packet not disabled:") << ExceptionMessage(E);
    }
  }
  Delay(CommandDelay);
  return FReply;
}

bool TCommandEngine::Awaiting(const TSioDataPacket* Packet) const
{
  return Packet && FAwaited == Packet && FReply == TReply::Awaiting;
}

void TCommandEngine::EndWait(TReply Reply, const String& Reason)
{
  if (FReply != TReply::Awaiting)
    return;
  FReply = Reply;
  FLastReason = Reason;
}

// ---------------------------------------------------------------------------
// Validation

bool IsDecimalText(const String& Text, int32_t MaxDigits)
{
  if (Text.isEmpty() || Text.size() > MaxDigits)
    return false;
  for (const QChar C : Text)
    if (C < QLatin1Char('0') || C > QLatin1Char('9'))
      return false;
  return true;
}

bool ParseAddress(const String& Text, int32_t& Address)
{
  if (!IsDecimalText(Text, 2))
    return false;
  Address = StrToInt(Text);
  return true;
}

bool ValidInstrumentAddress(const String& Text, int32_t& Address)
{
  int32_t A = 0;
  if (!ParseAddress(Text, A) || A < 1 || A > 98)
    return false;
  Address = A;
  return true;
}

bool ValidBaudRate(const String& Text, int32_t& Baud)
{
  if (!IsDecimalText(Text, 7))
    return false;
  const int32_t B = StrToInt(Text);
  if (B < MinBaud || B > MaxBaud)
    return false;
  Baud = B;
  return true;
}

AnsiString AddressPrefix(int32_t Address) { return QByteArray::number(Address).rightJustified(2, '0') + ':'; }

bool FailureEndsDialogue(TStepFailure Failure, bool PreviousOk)
{
  switch (Failure) {
  case TStepFailure::Ignored:
    return false;
  case TStepFailure::EndsUnlessPreviousTook:
    return !PreviousOk;
  case TStepFailure::EndsDialogue:
    break;
  }
  return true;
}
