#include "app/instruments/KirvoProtocol.h"

#include "app/core/CoreData.h"
#include "app/core/ModularInstruments.h"
#include "app/core/SettingsFile.h"
#include "platform/Timer.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include <QDebug>

#include <iterator>

namespace {

constexpr int32_t WatchdogTimer = 3;
constexpr int32_t KeepAliveTimer = 4;
constexpr int32_t BreakRoom = 9;
constexpr int32_t BreakSettleTicks = 12;
// The set-up's address scan.
constexpr int32_t LastSetupScanAddress = 97;
// After the sampling command to every unit at once: time for all to answer.
constexpr int32_t BroadcastDelay = 91;
constexpr int32_t MaxReplyLength = 1024;

// What a set-up step's command is completed with from the slot.
struct TSetupValues {
  int32_t Baud;
  int32_t Address;
  bool RS485;
  String Tare;
};
using TCompleteFn = AnsiString (*)(const char* Command, const TSetupValues& V);

AnsiString AsItStands(const char* Command, const TSetupValues&) { return Command; }
AnsiString WithBaud(const char* Command, const TSetupValues& V) { return Command + QByteArray::number(V.Baud); }
AnsiString WithAddress(const char* Command, const TSetupValues& V) { return Command + QByteArray::number(V.Address); }
// On a bus the units sample when asked; alone the instrument sends on its
// own.
AnsiString SamplingString(const char*, const TSetupValues& V)
{
  return V.RS485 ? "#003;HOLD;1;1;60;NONE;1" : "#003;CONT;1;1;60;NONE;1";
}
// Tare "1" takes the tare at the present pressure, "2" sets it to 0;
// anything else asks for none.
AnsiString TareCommand(const char*, const TSetupValues& V)
{
  return V.Tare == QLatin1String("1") ? AnsiString("#009") : V.Tare == QLatin1String("2") ? AnsiString("#009;0") : "";
}
// Only an instrument on a bus goes into address mode.
AnsiString OnABusOnly(const char* Command, const TSetupValues& V) { return V.RS485 ? AnsiString(Command) : ""; }

// How packet 14 frames the reply to a step.
enum class TReplyFrame : uint8_t {
  Kept,   // as the step before left it
  Prompt, // a line, then the prompt
  Line,   // a line alone
};

// One step of the set-up. A command that comes out empty sends the step
// before's command once more instead (or nothing, when the step before sent
// none): the instrument takes it as it did before, and its answer changes
// nothing.
struct TSetupStep {
  const char* Status;
  const char* Command;
  TCompleteFn Complete = AsItStands;
  int32_t Packet = 14;
  TReplyFrame Frame = TReplyFrame::Prompt;
  // Asked of every unit the instrument listed, one reply each.
  bool PerUnit = false;
  // Not sent through a repeater, which has no such setting.
  bool SkippedWithRepeater = false;
  TStepFailure Failure = TStepFailure::EndsDialogue;
};

constexpr TSetupStep SetupSteps[] = {
    // Only an instrument in AML mode minds the micro check.
    {.Status = "Checking Micro is not in AML mode", .Command = "TARN", .Failure = TStepFailure::Ignored},
    // Out of address mode the instrument hears the plain command, in it the
    // one to address 00.
    {.Status = "Setting Address Mode to OFF", .Command = "#005;OFF", .Failure = TStepFailure::Ignored},
    {.Status = "Setting Address Mode to OFF",
     .Command = "00:#005;OFF",
     .Failure = TStepFailure::EndsUnlessPreviousTook},
    {.Status = "Setting Baud Rate", .Command = "#059;", .Complete = WithBaud},
    {.Status = "Setting Norvic Series Address", .Command = "#001;", .Complete = WithAddress},
    {.Status = "Setting Sampling String", .Command = "", .Complete = SamplingString},
    {.Status = "Setting Tare", .Command = "", .Complete = TareCommand},
    {.Status = "Setting Output Mode", .Command = "#013;TARNWICK"},
    // Its reply says whether a repeater is fitted.
    {.Status = "Getting Parameters Fitted", .Command = "#062", .Packet = 15},
    {.Status = "Setting Output Mode", .Command = "#007;CAL", .SkippedWithRepeater = true},
    {.Status = "Setting FSK Mode", .Command = "#087;OFF", .SkippedWithRepeater = true},
    {.Status = "Setting Ident Option OFF", .Command = "#016;OFF", .SkippedWithRepeater = true},
    {.Status = "Setting Ident Option OFF", .Command = "#016;OFF", .SkippedWithRepeater = true},
    {.Status = "Getting Norvic Series Address", .Command = "#002", .Frame = TReplyFrame::Kept, .PerUnit = true},
    {.Status = "Getting Sampling String", .Command = "#004", .Frame = TReplyFrame::Kept, .PerUnit = true},
    {.Status = "Getting Address Mode", .Command = "#006", .Frame = TReplyFrame::Kept, .PerUnit = true},
    {.Status = "Getting Output Value Mode",
     .Command = "#008",
     .Frame = TReplyFrame::Kept,
     .PerUnit = true,
     .SkippedWithRepeater = true},
    {.Status = "Getting Tare Value", .Command = "#010", .Frame = TReplyFrame::Kept, .PerUnit = true},
    {.Status = "Getting Output Format", .Command = "#014", .Frame = TReplyFrame::Kept, .PerUnit = true},
    {.Status = "Getting Ident Option",
     .Command = "#017",
     .Frame = TReplyFrame::Kept,
     .PerUnit = true,
     .SkippedWithRepeater = true},
    {.Status = "Getting FSK Mode",
     .Command = "#088",
     .Frame = TReplyFrame::Kept,
     .PerUnit = true,
     .SkippedWithRepeater = true},
    {.Status = "Setting Address Mode to ON", .Command = "#005;ON", .Complete = OnABusOnly, .Frame = TReplyFrame::Line},
};

// The modular data packets, stopped by every break-in.
constexpr int32_t DataPackets[] = {10, 11, 16, 17, 18};

const AnsiString CrLf = "\r\n";

// The pause after each attempt goes back to its usual length however the
// run ends.
class TDelayRestore {
public:
  explicit TDelayRestore(TCommandEngine& Engine) : FEngine(Engine) {}
  ~TDelayRestore() { FEngine.CommandDelay = InitialCommandDelay; }
  TDelayRestore(const TDelayRestore&) = delete;
  TDelayRestore& operator=(const TDelayRestore&) = delete;

private:
  TCommandEngine& FEngine;
};

} // namespace

TKirvoProtocol::TKirvoProtocol(TCommandEngine& Engine) : FEngine(Engine) {}

TSioDataPacket* TKirvoProtocol::Packet(int32_t N) { return FEngine.Host().SioDataPacket(N); }

TTimer* TKirvoProtocol::Watchdog() { return FEngine.Host().Timer(WatchdogTimer); }

bool TKirvoProtocol::SlotRS232(int32_t K) const
{
  return FEngine.Host().Core().SerialArray[static_cast<size_t>(ModularSlot(K))][SerialMode] == QLatin1String("RS232");
}

void TKirvoProtocol::SetRow(int32_t Row, int32_t CommandMode, int32_t Busy, int32_t RunMode)
{
  FEngine.Host().SetRowState(Row, CommandMode, Busy, RunMode);
}

void TKirvoProtocol::RowStatus(int32_t Row, int32_t K, const String& Text)
{
  ModularStatus(FEngine.Core(), K) = Text;
  FEngine.StatusCell(Row, Text);
}

void TKirvoProtocol::Fail(int32_t Row, int32_t K, const String& Dialogue, const String& Reason, const char* RowText)
{
  FEngine.Status(Dialogue + QStringLiteral(" Failed: ") + Reason);
  RowStatus(Row, K, QString::fromLatin1(RowText));
  SetRow(Row, 1, 0, 1);
}

void TKirvoProtocol::NotInterrupted(int32_t Row, int32_t K)
{
  RowStatus(Row, K, QStringLiteral("Failed To Interrupt QYR"));
  SetRow(Row, 0, 0, 1);
}

void TKirvoProtocol::NotConnected(int32_t Row, int32_t K, const String& Reason)
{
  FEngine.Status(QStringLiteral("Not Connected to QYR, Retry: ") + Reason);
  NotInterrupted(Row, K);
}

bool TKirvoProtocol::SelectPort(int32_t K, String& Reason)
{
  const String& Text = FEngine.Core().SerialArray[static_cast<size_t>(ModularSlot(K))][SerialPort];
  const int32_t N = StrToIntDef(Text, 0);
  // A number outside the ports leaves the port as it was.
  if (N >= FirstComPort && N <= LastComPort)
    KirvoPort = FEngine.Host().SioComPort(N);
  if (!KirvoPort) {
    Reason = QStringLiteral("no port for COM%1").arg(Text.left(8));
    return false;
  }
  for (int32_t P = 12; P <= 15; ++P)
    Packet(P)->SetComPort(KirvoPort);
  if (!KirvoPort->Open())
    KirvoPort->SetOpen(true);
  return true;
}

void TKirvoProtocol::StopDataPackets()
{
  for (const int32_t N : DataPackets)
    if (TSioDataPacket* P = Packet(N)) {
      P->SetEnabled(false);
      P->SetAutoEnable(false);
    }
}

void TKirvoProtocol::SetReplyStrings(const AnsiString& Start, const AnsiString& End, bool AnyData)
{
  TSioDataPacket* P = Packet(14);
  P->SetStartCond(AnyData ? scAnyData : scString);
  if (!AnyData)
    P->SetStartString(Start);
  P->SetEndString(End);
}

void TKirvoProtocol::SendLineEnd()
{
  FEngine.CommandString() = CrLf;
  FEngine.ShowCommand(String());
  if (!TCommandEngine::PortOpen(KirvoPort))
    return;
  try {
    KirvoPort->PutString(CrLf);
  } catch (const std::exception& E) {
    qWarning().noquote() << QStringLiteral("Fathomix: line end not sent:") << ExceptionMessage(E);
  }
}

// ---------------------------------------------------------------------------
// Break-in

bool TKirvoProtocol::BreakInLoop(const AnsiString& Break)
{
  StopDataPackets();
  TSioDataPacket* Prompt = Packet(12);
  FBreakAnswered = false;
  FBreakSent = false;
  FEngine.BreakInFlag = 0;
  struct TInProgress {
    bool& Flag;
    explicit TInProgress(bool& F) : Flag(F) { Flag = true; }
    ~TInProgress() { Flag = false; }
  } InProgress(FBreakInProgress);
  Prompt->SetEnabled(true);
  FEngine.Delay(BreakSettleTicks);
  int32_t N = 1;
  do {
    if (!TCommandEngine::PortOpen(KirvoPort) || FEngine.Aborted())
      break;
    if (KirvoPort->OutBuffFree() >= BreakRoom) {
      KirvoPort->PutString(Break);
      FBreakSent = true;
      FEngine.Delay(FEngine.CommandDelay);
    }
    ++N;
    if (N == BreakAttempts + 1)
      FEngine.BreakInFlag = 1;
    if (TCommandEngine::PortOpen(KirvoPort))
      KirvoPort->FlushOutBuffer();
  } while (FEngine.BreakInFlag != 1);
  Prompt->SetEnabled(false);
  // An answer counts whenever it came, also during the last pause.
  if (!FBreakAnswered) {
    FEngine.BreakInFlag = 0;
    FEngine.Status(QStringLiteral("Not Connected to QYR, Retry"));
    return false;
  }
  FEngine.BreakInFlag = 1;
  FEngine.Status(QStringLiteral("Connected to QYR"));
  TCommandEngine::FlushPort(KirvoPort);
  FEngine.ProcessMessages();
  FEngine.Delay(FEngine.CommandDelay);
  return true;
}

// ---------------------------------------------------------------------------
// Steps

TStepOutcome TKirvoProtocol::RunStep(const TStep& Step)
{
  TStepOutcome Out;
  int32_t Failures = 0;
  int32_t Good = 0;
  FEngine.IndexB = Step.Replies > 1 ? 1 : 100;
  for (FEngine.AttemptCount = 1;; ++FEngine.AttemptCount) {
    FEngine.CommandString() = Step.Command + CrLf;
    FEngine.Status(Step.Status);
    if (Step.Before)
      Step.Before(Good);
    const TReply R = FEngine.Attempt(KirvoPort, Packet(Step.Packet), Watchdog());
    if (R == TReply::Good) {
      ++Good;
      if (Good >= Step.Replies) {
        FEngine.IndexB = 1;
        Out.Ok = true;
        return Out;
      }
      // The step goes again, for the next unit.
      ++FEngine.IndexB;
      continue;
    }
    if (R == TReply::Lost) {
      Out.Lost = true;
      Out.Reason = FEngine.LastReason();
      return Out;
    }
    Out.Reason = R == TReply::Refused && !FEngine.LastReason().isEmpty() ? FEngine.LastReason()
                                                                         : QStringLiteral("No Reply: ") + Step.Status;
    // A silent instrument: the watchdog has given the step up.
    if (R == TReply::GiveUp)
      return Out;
    // The units are asked again from the first.
    Good = 0;
    FEngine.IndexB = Step.Replies > 1 ? 1 : 100;
    if (++Failures >= MaxStepAttempts)
      return Out;
  }
}

// ---------------------------------------------------------------------------
// Dialogues

bool TKirvoProtocol::Break_In_Kirvo(int32_t Row_No)
{
  const int32_t K = ModularOfSetupRow(Row_No);
  if (K == 0)
    return false;
  TCommandEngine::TRun Run(FEngine, "Break_In_Kirvo");
  if (!Run.Started())
    return false;
  const String Dialogue = QStringLiteral("QYR Interrogation");
  IDialogueHost& H = FEngine.Host();
  SetRow(Row_No, 0, 0, 0);
  TWaitCursor Cursor(H);
  bool Answered = false;
  try {
    String Reason;
    if (!SelectPort(K, Reason)) {
      NotConnected(Row_No, K, Reason);
      return false;
    }
    FEngine.Status(QStringLiteral("Attempting to Interrupt QYR"));
    const bool RS232 = SlotRS232(K);
    Answered = BreakInLoop(RS232 ? AnsiString("#\r\n") : AnsiString("99:##\r\n"));
    if (!Answered) {
      NotInterrupted(Row_No, K);
      return false;
    }
    // From here the instrument waits in command mode; the keep-alive holds
    // it there, also when the unit list cannot be read.
    if (!RS232) {
      TStep Units;
      Units.Status = QStringLiteral("Getting Modules Fitted");
      Units.Command = "99:#062";
      Units.Packet = 13;
      const TStepOutcome O = RunStep(Units);
      FEngine.Delay(FEngine.CommandDelay);
      if (!O.Ok) {
        if (!O.Lost)
          Watchdog4On();
        Fail(Row_No, K, Dialogue, O.Reason, "Interrogation Failed");
        return false;
      }
    }
    Watchdog4On();
    FEngine.Status(QStringLiteral("QYR Interrogated"));
    RowStatus(Row_No, K, QStringLiteral("QYR Interrupted"));
    SetRow(Row_No, 1, 0, 0);
    return true;
  } catch (const std::exception& E) {
    if (Answered) {
      Fail(Row_No, K, Dialogue, ExceptionMessage(E), "Interrogation Failed");
    } else {
      NotConnected(Row_No, K, ExceptionMessage(E));
    }
    return false;
  }
}

void TKirvoProtocol::Watchdog4On()
{
  if (TTimer* T = FEngine.Host().Timer(KeepAliveTimer))
    T->SetEnabled(true);
}

bool TKirvoProtocol::Set_Kirvo(int32_t Row_No)
{
  const int32_t K = ModularOfSetupRow(Row_No);
  if (K == 0)
    return false;
  TCommandEngine::TRun Run(FEngine, "Set_Kirvo");
  if (!Run.Started())
    return false;
  const String Dialogue = QStringLiteral("Module Setup");
  IDialogueHost& H = FEngine.Host();
  TCoreData& C = H.Core();
  const TSerialRow& Slot = C.SerialArray[static_cast<size_t>(ModularSlot(K))];
  TWaitCursor Cursor(H);
  try {
    // What the operator typed goes into commands: refused unless it is a
    // plain number in range.
    int32_t Baud = 0, Address = 0;
    if (!ValidBaudRate(Slot[SerialBaud], Baud)) {
      Fail(Row_No, K, Dialogue, QStringLiteral("Invalid Baud Rate \"%1\"").arg(Slot[SerialBaud].left(16)),
           "Setup Failed");
      return false;
    }
    if (!ValidInstrumentAddress(Slot[SerialAddress], Address)) {
      Fail(Row_No, K, Dialogue, QStringLiteral("Invalid Address \"%1\"").arg(Slot[SerialAddress].left(16)),
           "Setup Failed");
      return false;
    }
    SetRow(Row_No, 1, 1, 0);
    String Reason;
    if (!SelectPort(K, Reason)) {
      Fail(Row_No, K, Dialogue, Reason, "Setup Failed");
      return false;
    }
    KirvoRS485 = SlotRS232(K) ? 0 : 1;
    KirvoPort->SetBaud(Baud);
    FEngine.Status(QStringLiteral("Com Port Set to %1;%2").arg(KirvoPort->ComNumber()).arg(Baud));

    bool Answered = false;
    for (int32_t A = 1; A <= LastSetupScanAddress && !Answered; ++A) {
      const AnsiString Break = AddressPrefix(A) + "#\r\n";
      FEngine.ShowCommand(Trim(FromAnsi(Break)));
      FEngine.Status(QStringLiteral("Attempting to Interrupt QYR"));
      FEngine.BreakInFlag = 0;
      Answered = BreakInLoop(Break);
      if (!TCommandEngine::PortOpen(KirvoPort) || FEngine.Aborted())
        break;
    }
    if (!Answered) {
      Fail(Row_No, K, Dialogue,
           FEngine.Aborted() ? QStringLiteral("Cancelled") : QStringLiteral("Not Connected to QYR"), "Setup Failed");
      return false;
    }

    const TSetupValues Values{Baud, Address, KirvoRS485 == 1, Slot[SerialTare]};
    const int32_t PerUnit = No_Modules > 1 ? No_Modules : 1;
    FEngine.IndexB = 1;
    bool PreviousOk = false;
    // The command the last step sent; a repeater's steps send none.
    AnsiString LastCommand;
    for (FEngine.IndexA = 1; FEngine.IndexA <= static_cast<int32_t>(std::size(SetupSteps)); ++FEngine.IndexA) {
      const TSetupStep& Row = SetupSteps[FEngine.IndexA - 1];
      if (Row.Frame == TReplyFrame::Prompt)
        SetReplyStrings(CrLf, "\r\n>");
      else if (Row.Frame == TReplyFrame::Line)
        SetReplyStrings(CrLf, CrLf);
      // RptFitted comes from an earlier step's reply, so it is read per step.
      if (Row.SkippedWithRepeater && RptFitted == 1) {
        LastCommand.clear();
        continue;
      }
      TStep S;
      S.Status = QString::fromLatin1(Row.Status);
      S.Command = Row.Complete(Row.Command, Values);
      S.Packet = Row.Packet;
      if (Row.PerUnit)
        S.Replies = PerUnit;
      if (S.Command.isEmpty()) {
        if (LastCommand.isEmpty())
          continue;
        FEngine.CommandString() = LastCommand + CrLf;
        FEngine.Status(S.Status);
        FEngine.IndexB = 100;
        if (FEngine.Attempt(KirvoPort, Packet(14), Watchdog()) == TReply::Lost) {
          Fail(Row_No, K, Dialogue, FEngine.LastReason(), "Setup Failed");
          return false;
        }
        FEngine.IndexB = 1;
        continue;
      }
      LastCommand = S.Command;
      const TStepOutcome O = RunStep(S);
      const bool Ends = O.Lost || (!O.Ok && FailureEndsDialogue(Row.Failure, PreviousOk));
      PreviousOk = O.Ok;
      if (Ends) {
        Fail(Row_No, K, Dialogue, O.Reason, "Setup Failed");
        return false;
      }
    }
    FEngine.Delay(FEngine.CommandDelay);
    SetRow(Row_No, 1, 0, 0);
    RowStatus(Row_No, K, QStringLiteral("Setup Complete"));
    FEngine.Status(QStringLiteral("Module Setup Completed"));
    return true;
  } catch (const std::exception& E) {
    Fail(Row_No, K, Dialogue, ExceptionMessage(E), "Setup Failed");
    return false;
  }
}

bool TKirvoProtocol::Run_Kirvo(int32_t Row_No)
{
  const int32_t K = ModularOfSetupRow(Row_No);
  if (K == 0)
    return false;
  TCommandEngine::TRun Run(FEngine, "Run_Kirvo");
  if (!Run.Started())
    return false;
  const String Dialogue = QStringLiteral("QYR Run");
  IDialogueHost& H = FEngine.Host();
  TCoreData& C = H.Core();
  TWaitCursor Cursor(H);
  TDelayRestore KeepDelay(FEngine);
  bool Answered = false;
  try {
    if (RateOfKirvoRate(C.Kirvo_Rate).isEmpty() ||
        (C.Rate != QLatin1String("1") && C.Rate != QLatin1String("2") && C.Rate != QLatin1String("4"))) {
      Fail(Row_No, K, Dialogue, QStringLiteral("Invalid Sampling Rate"), "Run Failed");
      return false;
    }
    SetRow(Row_No, 0, 0, 0);
    String Reason;
    if (!SelectPort(K, Reason)) {
      NotConnected(Row_No, K, Reason);
      return false;
    }
    FEngine.Status(QStringLiteral("Attempting to Interrupt QYR"));
    const bool RS232 = SlotRS232(K);
    Answered = BreakInLoop(RS232 ? AnsiString("#\r\n") : AnsiString("99:##\r\n"));
    if (!Answered) {
      // The operator can interrupt again.
      NotInterrupted(Row_No, K);
      return false;
    }
    if (TTimer* T = H.Timer(KeepAliveTimer))
      T->SetEnabled(false);
    FEngine.IndexA = 1;
    FEngine.IndexB = 1;

    const auto Waiting = [this, Row_No](int32_t) { FEngine.StatusCell(Row_No, QStringLiteral("Waiting")); };
    const auto Settle = [this, Row_No](int32_t) {
      FEngine.StatusCell(Row_No, QStringLiteral("Waiting"));
      FEngine.Delay(3);
    };
    std::vector<TStep> Steps;
    if (!RS232) {
      Steps.push_back({QStringLiteral("Setting Sampling Rate"), "99:#107;" + ToAnsi(C.Kirvo_Rate), 14, 1, Waiting,
                       [this] { SetReplyStrings(CrLf, ">"); }});
      Steps.push_back({QStringLiteral("Getting Sampling Rate"), "99:#108", 14, 1, Waiting,
                       [this] { SetReplyStrings({}, "\r\n>", true); }});
      Steps.push_back({QStringLiteral("Setting Module Sampling Rate"),
                       "00:#003;HOLD;" + ToAnsi(C.Rate) + ";1;60;NONE;1", 14, 1, Waiting, [this] {
                         SetReplyStrings({}, ">", true);
                         // Every unit answers this one: time for all of them.
                         FEngine.CommandDelay = BroadcastDelay;
                       }});
      if (No_Modules > 0) {
        // One query per listed unit, addressed to it.
        Steps.push_back({QStringLiteral("Getting Sampling Rate"), "00:#004", 14, No_Modules,
                         [this, Row_No](int32_t Reply) {
                           FEngine.StatusCell(Row_No, QStringLiteral("Waiting"));
                           FEngine.CommandString() = AddressPrefix(ModuleList[static_cast<size_t>(Reply)]) + "#004\r\n";
                         },
                         [this] {
                           SetReplyStrings({}, "\r\n>", true);
                           FEngine.CommandDelay = InitialCommandDelay;
                         }});
      }
      Steps.push_back({QStringLiteral("Setting into Run Mode"), "99:#028", 14, 1, Waiting, [this] {
                         SetReplyStrings("GO", CrLf);
                         FEngine.CommandDelay = InitialCommandDelay;
                       }});
    } else {
      Steps.push_back({QStringLiteral("Setting Module Sampling Rate"), "#003;CONT;" + ToAnsi(C.Rate) + ";1;60;NONE;1",
                       14, 1, Settle, [this] { SetReplyStrings({}, ">", true); }});
      Steps.push_back({QStringLiteral("Getting Sampling Rate"), "#004", 14, 1, Settle,
                       [this] { SetReplyStrings({}, "\r\n>", true); }});
      Steps.push_back({QStringLiteral("Setting into Run Mode"), "#028", 14, 1, Waiting,
                       [this] { SetReplyStrings({}, CrLf, true); }});
    }
    for (size_t I = 0; I < Steps.size(); ++I) {
      FEngine.IndexA = static_cast<int32_t>(I) + 1;
      Steps[I].Prepare();
      const TStepOutcome O = RunStep(Steps[I]);
      if (!O.Ok) {
        // Still in command mode: keep it there until the operator acts.
        if (!O.Lost)
          Watchdog4On();
        Fail(Row_No, K, Dialogue, O.Reason, "Run Failed");
        return false;
      }
    }
    FEngine.CommandDelay = InitialCommandDelay;
    FEngine.Delay(FEngine.CommandDelay);
    // "Waiting" until the first line, which may arrive as soon as its packet
    // listens.
    SetRow(Row_No, 0, 0, 1);
    RowStatus(Row_No, K, QStringLiteral("Waiting"));
    // The data packets of the fitted modular slots listen again; a packet
    // no fitted slot names stays off, so no line is taken twice.
    for (const int32_t N : DataPackets) {
      TSioDataPacket* P = Packet(N);
      bool Named = false;
      for (int32_t J = 1; J <= ModularInstrumentCount; ++J) {
        const int32_t S = ModularSlot(J);
        Named = Named || (C.SlotFitted(S) && C.DataPacket[static_cast<size_t>(S)] == N);
      }
      if (!P || !Named || !TCommandEngine::PortOpen(P->ComPort()))
        continue;
      try {
        P->SetEnabled(true);
        P->SetAutoEnable(true);
      } catch (const std::exception& E) {
        qWarning().noquote() << QStringLiteral("Fathomix: data packet %1 not restarted:").arg(N) << ExceptionMessage(E);
      }
    }
    FEngine.Status(QStringLiteral("QYR in Run Mode"));
    FEngine.ProcessMessages();
    return true;
  } catch (const std::exception& E) {
    if (Answered) {
      Fail(Row_No, K, Dialogue, ExceptionMessage(E), "Run Failed");
    } else {
      NotConnected(Row_No, K, ExceptionMessage(E));
    }
    return false;
  }
}

// ---------------------------------------------------------------------------
// Replies and timers

void TKirvoProtocol::SioDataPacket12StringPacket(const AnsiString& Data)
{
  // The prompt ends a reply, after its line end. A running instrument's
  // data lines on a bus begin with ">" as well; what came before such a
  // ">" is a data line (fields and TABs) or nothing, and no answer to the
  // break, which has to have been sent first.
  if (!FBreakSent || Data.contains('\t') || !Data.endsWith("\r\n")) {
    if (FBreakInProgress)
      Packet(12)->SetEnabled(true);
    return;
  }
  FEngine.BreakInFlag = 1;
  FBreakAnswered = true;
}

void TKirvoProtocol::SioDataPacket12Timeout()
{
  TSioDataPacket* P = Packet(12);
  TCommandEngine::FlushPort(P->ComPort());
  if (FBreakInProgress)
    P->SetEnabled(true);
}

void TKirvoProtocol::SioDataPacket13StringPacket(const AnsiString& Data)
{
  TSioDataPacket* P = Packet(13);
  if (!FEngine.Awaiting(P))
    return;
  const String Error = QStringLiteral("ERROR Reading No. Modules Fitted");
  Watchdog()->SetEnabled(false);
  if (Data.contains("no response")) {
    FEngine.Status(Error);
    FEngine.EndWait(TReply::Refused, Error);
    return;
  }
  FEngine.Status(QStringLiteral("Modules Fitted = "));
  const String Text = Trim(FromAnsi(Data.left(MaxReplyLength)));
  FEngine.ShowCommand(Text);
  std::array<int32_t, MaxModules> Units{};
  int32_t Count = 0;
  bool Ok = Data.size() <= MaxReplyLength;
  for (const String& Field : Text.split(QLatin1Char(';'))) {
    if (!Ok)
      break;
    const String F = Trim(Field);
    if (F.isEmpty())
      continue;
    int32_t U = 0;
    // Unit numbers are bus addresses.
    if (!IsDecimalText(F, 2) || !TryStrToInt(F, U)) {
      Ok = false;
      break;
    }
    // The controller itself is unit 1; more units than the list holds are
    // not kept.
    if (U != 1 && Count < MaxModules)
      Units[static_cast<size_t>(Count++)] = U;
  }
  if (!Ok) {
    TCommandEngine::FlushPort(P->ComPort());
    FEngine.EndWait(TReply::Refused, QStringLiteral("Bad Reply Reading No. Modules Fitted"));
    return;
  }
  ModuleList = Units;
  No_Modules = Count;
  FEngine.AttemptCount = 6;
  FEngine.EndWait(TReply::Good);
}

void TKirvoProtocol::SioDataPacket13Timeout()
{
  TSioDataPacket* P = Packet(13);
  if (!FEngine.Awaiting(P))
    return;
  P->SetEnabled(false);
  TCommandEngine::FlushPort(P->ComPort());
  SendLineEnd();
  FEngine.EndWait(TReply::TimedOut);
}

void TKirvoProtocol::SioDataPacket14StringPacket(const AnsiString& Data)
{
  if (!FEngine.Awaiting(Packet(14)))
    return;
  Watchdog()->SetEnabled(false);
  if (Data.contains("no response")) {
    FEngine.Status(QStringLiteral("ERROR Setting Parameter"));
    FEngine.EndWait(TReply::Refused, QStringLiteral("ERROR Setting Parameter"));
    return;
  }
  FEngine.Status(QStringLiteral("Parameter Set"));
  FEngine.EndWait(TReply::Good);
}

void TKirvoProtocol::SioDataPacket14Timeout()
{
  TSioDataPacket* P = Packet(14);
  if (!FEngine.Awaiting(P))
    return;
  P->SetEnabled(false);
  Watchdog()->SetEnabled(false);
  TCommandEngine::FlushPort(P->ComPort());
  FEngine.EndWait(TReply::TimedOut);
}

void TKirvoProtocol::SioDataPacket15StringPacket(const AnsiString& Data)
{
  TSioDataPacket* P = Packet(15);
  if (!FEngine.Awaiting(P))
    return;
  Watchdog()->SetEnabled(false);
  if (Data.contains("no response")) {
    FEngine.Status(QStringLiteral("ERROR Setting Parameter"));
    FEngine.EndWait(TReply::Refused, QStringLiteral("ERROR Setting Parameter"));
    return;
  }
  const String Text = Trim(FromAnsi(Data.left(MaxReplyLength)));
  FEngine.ShowCommand(Text);
  const qsizetype At = Text.indexOf(QLatin1Char(';'));
  int32_t M = 0;
  if (Data.size() > MaxReplyLength || At < 0 || !TryStrToInt(Trim(Text.left(At)), M)) {
    FEngine.EndWait(TReply::Refused, QStringLiteral("Bad Reply Getting Parameters Fitted"));
    return;
  }
  Module = M;
  RptFitted = Text.contains(QLatin1String("RPT")) ? 1 : 0;
  FEngine.AttemptCount = 6;
  FEngine.EndWait(TReply::Good);
}

void TKirvoProtocol::SioDataPacket15Timeout()
{
  TSioDataPacket* P = Packet(15);
  if (!FEngine.Awaiting(P))
    return;
  P->SetEnabled(false);
  TCommandEngine::FlushPort(P->ComPort());
  SendLineEnd();
  FEngine.EndWait(TReply::TimedOut);
}

// A silent instrument: its step is given up.
void TKirvoProtocol::Timer3Timer()
{
  Watchdog()->SetEnabled(false);
  TCommandEngine::FlushPort(KirvoPort);
  SendLineEnd();
  FEngine.EndWait(TReply::GiveUp);
}

void TKirvoProtocol::Timer4Timer()
{
  // A dialogue that runs talks to the instrument itself; a keep-alive in
  // the middle of it would be taken for a command's reply.
  if (FEngine.Running() || !TCommandEngine::PortOpen(KirvoPort))
    return;
  FEngine.CommandString() = "99:##\r\n";
  FEngine.ShowCommand(QStringLiteral("99:##"));
  try {
    KirvoPort->PutString(FEngine.CommandString());
  } catch (const std::exception& E) {
    qWarning().noquote() << QStringLiteral("Fathomix: keep-alive not sent:") << ExceptionMessage(E);
  }
}
