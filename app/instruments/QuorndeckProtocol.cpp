#include "app/instruments/QuorndeckProtocol.h"

#include "app/core/CoreData.h"
#include "app/core/SetupScreen.h"
#include "platform/Timer.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Strings.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"

#include <cmath>
#include <iterator>

namespace {

constexpr int32_t QuorndeckSlot = 0;
constexpr int32_t WatchdogTimer = 2;
// Ticks between break strings: a pause after sending, then the wait.
constexpr int32_t BreakSendTicks = 3;
constexpr int32_t BreakWaitTicks = 12;
// Free output bytes needed before a break string is queued.
constexpr int32_t BreakRoom = 9;
// RS485 addresses the scan tries.
constexpr int32_t FirstScanAddress = 1;
constexpr int32_t LastScanAddress = 98;
// A reply longer than this is noise, not an answer.
constexpr int32_t MaxReplyLength = 1024;
// Texts stored from a reply (serial number, tare time) end up in the
// settings file and the About box.
constexpr int32_t MaxStoredText = 64;

struct TQueryForm {
  const char* Command;
  const char* Status;
  const char* Name; // in "ERROR Reading <Name>" and "Received <Received>"
  const char* Received;
  int32_t Packet;
};

// By TQuery.
constexpr TQueryForm QueryForms[] = {
    {"#010", "Getting Tare", "Tare", "Tare", 4},
    {"#034", "Getting Serial No", "Serial No", "Serial No", 5},
    {"#050", "Getting Density / Gravity", "Local Density / Gravity Values", "Density / Gravity", 6},
    {"#053", "Getting RTC Time", "RTC Date / Time", "RTC Date / Time", 7},
    {"#086;47", "Getting Altimeter Type", "Altimeter Type", "Altimeter Type", 9},
};

String L1(const char* Text) { return QString::fromLatin1(Text); }

String ErrorText(const TQueryForm& F) { return QStringLiteral("ERROR Reading ") + L1(F.Name); }

// Text fit to keep: short, and no control characters that would break the
// settings file's lines or the labels.
bool PlainText(const String& S)
{
  if (S.size() > MaxStoredText)
    return false;
  for (const QChar C : S)
    if (C.unicode() < 0x20 || C.unicode() == 0x7F)
      return false;
  return true;
}

// The number before the first ";" and the text after it.
void SplitAtSemicolon(const String& Text, String& Before, String& After)
{
  const qsizetype At = Text.indexOf(QLatin1Char(';'));
  if (At < 0)
    throw EConvertError(QStringLiteral("no \";\" in the reply"));
  Before = Text.left(At);
  After = Text.mid(At + 1);
}

double FiniteNumber(const String& Text)
{
  double V = 0;
  if (!TryStrToFloat(Text, V) || !std::isfinite(V))
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(Text));
  return V;
}

} // namespace

TQuorndeckProtocol::TQuorndeckProtocol(TCommandEngine& Engine) : FEngine(Engine) {}

String TQuorndeckProtocol::AddressModeMessage()
{
  return QStringLiteral("Address Mode has been turned on...\r\n"
                        "Navigate to `Help` -> `Reset Address Mode` to return to RS232.");
}

TSioDataPacket* TQuorndeckProtocol::Packet(int32_t N) { return FEngine.Host().SioDataPacket(N); }

TSioComPort* TQuorndeckProtocol::Port() { return FEngine.Host().QuorndeckPort(); }

bool TQuorndeckProtocol::RS232() const
{
  return FEngine.Host().Core().SerialArray[QuorndeckSlot][SerialMode] == QLatin1String("RS232");
}

void TQuorndeckProtocol::SetRow(int32_t CommandMode, int32_t Busy, int32_t RunMode)
{
  FEngine.Host().SetRowState(SetupRowQuorndeck, CommandMode, Busy, RunMode);
}

void TQuorndeckProtocol::RowStatus(const String& Text)
{
  FEngine.Core().PortData1 = Text;
  FEngine.StatusCell(SetupRowQuorndeck, Text);
}

bool TQuorndeckProtocol::SettingsPrefix(AnsiString& Prefix, const String& Dialogue)
{
  Prefix.clear();
  if (RS232())
    return true;
  int32_t Address = 0;
  const String& Text = FEngine.Core().SerialArray[QuorndeckSlot][SerialAddress];
  if (!ParseAddress(Text, Address)) {
    TStepOutcome O;
    O.Reason = QStringLiteral("Invalid Address \"%1\"").arg(Text.left(MaxStoredText));
    Fail(Dialogue, O, nullptr);
    return false;
  }
  Prefix = AddressPrefix(Address);
  return true;
}

// A dialogue that failed: why in panel 0; the row's text, when given, in the
// Status cell; the instrument answered at some point, so the operator may
// set it up, run it or interrupt it again.
void TQuorndeckProtocol::Fail(const String& Dialogue, const TStepOutcome& Outcome, const char* RowText)
{
  FEngine.Status(Dialogue + QStringLiteral(" Failed: ") + Outcome.Reason);
  if (RowText)
    RowStatus(L1(RowText));
  SetRow(1, 0, 1);
}

void TQuorndeckProtocol::NotInterrupted(const String& Status)
{
  FEngine.Status(Status);
  RowStatus(QStringLiteral("Failed To Interrupt"));
  SetRow(0, 0, 1);
}

void TQuorndeckProtocol::ReopenAndFlush(TSioComPort* P)
{
  FEngine.ProcessMessages();
  P->SetAutoOpen(true);
  P->SetOpen(true);
  FEngine.ProcessMessages();
  TCommandEngine::FlushPort(P);
  FEngine.ProcessMessages();
}

// ---------------------------------------------------------------------------
// Steps

TStepOutcome TQuorndeckProtocol::Query(const AnsiString& Prefix, TQuery Step)
{
  const TQueryForm& F = QueryForms[static_cast<int32_t>(Step)];
  TStepOutcome Out;
  FEngine.IndexB = 0;
  for (int32_t N = 1; N <= MaxStepAttempts; ++N) {
    FEngine.AttemptCount = N;
    FEngine.CommandString() = Prefix + F.Command + "\r\n";
    // The clock read of Set_Time names the date as well.
    FEngine.Status(Step == TQuery::Clock && FEngine.RunningDialogue() == QLatin1String("Set_Time")
                       ? QStringLiteral("Getting RTC Date / Time")
                       : L1(F.Status));
    const TReply R = FEngine.Attempt(Port(), Packet(F.Packet), FEngine.Host().Timer(WatchdogTimer));
    if (R == TReply::Good) {
      Out.Ok = true;
      return Out;
    }
    if (R == TReply::Lost) {
      Out.Lost = true;
      Out.Reason = FEngine.LastReason();
      return Out;
    }
    Out.Reason = R == TReply::Refused && !FEngine.LastReason().isEmpty()
                     ? FEngine.LastReason()
                     : QStringLiteral("No Reply Reading ") + L1(F.Name);
  }
  return Out;
}

TStepOutcome TQuorndeckProtocol::Queries(const AnsiString& Prefix, const TQuery* Steps, int32_t Count)
{
  for (int32_t I = 0; I < Count; ++I) {
    FEngine.IndexA = I + 1;
    const TStepOutcome O = Query(Prefix, Steps[I]);
    if (!O.Ok)
      return O;
  }
  return TStepOutcome{true, false, String()};
}

TStepOutcome TQuorndeckProtocol::SetStep(const String& Text, const std::function<void()>& Build)
{
  TStepOutcome Out;
  for (int32_t N = 1; N <= MaxStepAttempts; ++N) {
    FEngine.AttemptCount = N;
    Build();
    FEngine.Status(Text);
    FEngine.IndexB = 12;
    const TReply R = FEngine.Attempt(Port(), Packet(3), FEngine.Host().Timer(WatchdogTimer));
    FEngine.IndexB = 0;
    if (R == TReply::Good) {
      Out.Ok = true;
      return Out;
    }
    if (R == TReply::Lost) {
      Out.Lost = true;
      Out.Reason = FEngine.LastReason();
      return Out;
    }
    Out.Reason = R == TReply::Refused && !FEngine.LastReason().isEmpty() ? FEngine.LastReason()
                                                                         : QStringLiteral("No Reply: ") + Text;
  }
  return Out;
}

// ---------------------------------------------------------------------------
// Break-in

bool TQuorndeckProtocol::BreakIn(int32_t& Address)
{
  TSioComPort* P = Port();
  const bool Scan = !RS232();
  const int32_t First = Scan ? FirstScanAddress : 0;
  const int32_t Last = Scan ? LastScanAddress : 0;
  Address = -1;
  struct TInProgress {
    bool& Flag;
    explicit TInProgress(bool& F) : Flag(F) { Flag = true; }
    ~TInProgress() { Flag = false; }
  } InProgress(FBreakInProgress);
  for (int32_t A = First; A <= Last; ++A) {
    const AnsiString Break = (Scan ? AddressPrefix(A) : AnsiString()) + "#\r\n";
    FEngine.BreakInFlag = 0;
    FBreakAnswered = false;
    int32_t N = 1;
    do {
      if (!TCommandEngine::PortOpen(P) || FEngine.Aborted())
        return false;
      if (P->OutBuffFree() >= BreakRoom) {
        P->PutString(Break);
        FEngine.Delay(BreakSendTicks);
      }
      ++N;
      FEngine.Delay(BreakWaitTicks);
      if (N == BreakAttempts + 1)
        FEngine.BreakInFlag = 1;
      if (TCommandEngine::PortOpen(P))
        P->FlushOutBuffer();
    } while (FEngine.BreakInFlag != 1);
    // An answer counts whenever it came, also during the last wait.
    if (FBreakAnswered) {
      FEngine.BreakInFlag = 1;
      if (Scan)
        Address = A;
      return true;
    }
  }
  FEngine.BreakInFlag = 0;
  return false;
}

bool TQuorndeckProtocol::Break_In_Quorndeck()
{
  TCommandEngine::TRun Run(FEngine, "Break_In_Quorndeck");
  if (!Run.Started())
    return false;
  const String Dialogue = QStringLiteral("Quorndeck Interrogation");
  IDialogueHost& H = FEngine.Host();
  TCoreData& C = H.Core();
  FEngine.IndexB = 0;
  SetRow(0, 0, 0);
  FEngine.Status(QStringLiteral("Attempting to Interrupt Quorndeck"));
  FEngine.BreakInFlag = 0;
  TWaitCursor Cursor(H);
  bool Answered = false;
  try {
    TSioDataPacket* Data = Packet(1);
    if (Data) {
      Data->SetEnabled(false);
      Data->SetAutoEnable(false);
    }
    TSioComPort* P = Port();
    if (!P) {
      NotInterrupted(QStringLiteral("Instrument Failed To Interrupt: no port bound"));
      return false;
    }
    for (int32_t N = 2; N <= 9; ++N)
      Packet(N)->SetComPort(P);
    P->SetAutoOpen(true);
    P->SetOpen(true);
    Packet(2)->SetEnabled(true);
    Packet(8)->SetEnabled(true);

    int32_t Address = -1;
    {
      const auto Disarm = ScopeExit([&] {
        Packet(2)->SetEnabled(false);
        Packet(8)->SetEnabled(false);
      });
      Answered = BreakIn(Address);
    }
    if (!Answered) {
      NotInterrupted(FEngine.Aborted()             ? QStringLiteral("Cancelled")
                     : TCommandEngine::PortOpen(P) ? QStringLiteral("Instrument Failed To Interrupt")
                                                   : QStringLiteral("Instrument Failed To Interrupt: Port Closed"));
      return false;
    }

    FEngine.Status(QStringLiteral("Interrupted Instrument"));
    ReopenAndFlush(P);
    FEngine.Delay(3);
    if (Address >= 0)
      C.SerialArray[QuorndeckSlot][SerialAddress] = IntToStr(Address);
    const AnsiString Prefix = Address >= 0 ? AddressPrefix(Address) : AnsiString();

    static constexpr TQuery Interrogation[] = {TQuery::Tare, TQuery::SerialNo, TQuery::DensityGravity, TQuery::Clock,
                                               TQuery::Altimeter};
    const TStepOutcome O = Queries(Prefix, Interrogation, 5);
    if (!O.Ok) {
      Fail(Dialogue, O, "Interrogation Failed");
      return false;
    }
    FEngine.Delay(FEngine.CommandDelay);
    FEngine.Status(QStringLiteral("Quorndeck Interrogated"));
    RowStatus(QStringLiteral("Interrupted"));
    SetRow(1, 0, 0);
    FEngine.ProcessMessages();
    return true;
  } catch (const std::exception& E) {
    if (Answered) {
      Fail(Dialogue, TStepOutcome{false, false, ExceptionMessage(E)}, "Interrogation Failed");
    } else {
      NotInterrupted(QStringLiteral("Instrument Failed To Interrupt: ") + ExceptionMessage(E));
    }
    return false;
  }
}

// ---------------------------------------------------------------------------
// Set-up

bool TQuorndeckProtocol::Set_Quorndeck()
{
  TCommandEngine::TRun Run(FEngine, "Set_Quorndeck");
  if (!Run.Started())
    return false;
  const String Dialogue = QStringLiteral("Quorndeck Set-Up");
  IDialogueHost& H = FEngine.Host();
  TCoreData& C = H.Core();
  FEngine.IndexA = 1;
  FEngine.IndexB = 0;
  SetRow(1, 1, 0);
  TWaitCursor Cursor(H);
  try {
    AnsiString Prefix;
    if (!SettingsPrefix(Prefix, Dialogue))
      return false;
    TStepOutcome Invalid;
    if (!IsDecimalText(C.Output_Frequency, 2))
      Invalid.Reason = QStringLiteral("Invalid Output Frequency \"%1\"").arg(C.Output_Frequency.left(MaxStoredText));
    else if (C.Altimeter_Flag < 0 || C.Altimeter_Flag > 2)
      Invalid.Reason = QStringLiteral("Invalid Altimeter Type %1").arg(C.Altimeter_Flag);
    else if (!std::isfinite(C.Local_Density) || !std::isfinite(C.Local_Gravity))
      Invalid.Reason = QStringLiteral("Invalid Density / Gravity");
    if (!Invalid.Reason.isEmpty()) {
      Fail(Dialogue, Invalid, "Setup Failed");
      return false;
    }
    TSioComPort* P = Port();
    if (!P) {
      Fail(Dialogue, TStepOutcome{false, false, QStringLiteral("no port bound")}, "Setup Failed");
      return false;
    }
    for (int32_t N = 2; N <= 9; ++N)
      Packet(N)->SetComPort(P);

    // The set-up's steps; IndexA is a step's place, from 1. A command that
    // comes out empty sends the step before's command once more instead: the
    // instrument takes it as it did before, and its answer changes nothing.
    struct TSetupStep {
      String Status;
      std::function<AnsiString()> Command;
      TStepFailure Failure = TStepFailure::EndsDialogue;
      // Address mode on: only on a bus.
      bool RS485Only = false;
      // Before the command goes: why the dialogue ends, or nothing.
      std::function<String()> Before = nullptr;
      // Once the instrument took the command.
      std::function<void()> Taken = nullptr;
    };
    const auto Fixed = [](const AnsiString& Command) { return [Command] { return Command; }; };
    const String ModeOff = QStringLiteral("Setting Address Mode to OFF");
    const String& Tare = C.SerialArray[QuorndeckSlot][SerialTare];
    const bool Taring = Tare == QLatin1String("1") || Tare == QLatin1String("2");
    // The atmospheric pressure the tare is taken at: the live reading when
    // an atmospheric instrument is fitted (without one there is no reading,
    // and the data string applies no correction).
    double Atmospheric = 0;
    const TSetupStep Steps[] = {
        // The instrument leaves address mode on whichever of the two it
        // hears: the plain command in RS232, the one to address 00 in RS485.
        {.Status = ModeOff, .Command = Fixed("#005;OFF"), .Failure = TStepFailure::Ignored},
        {.Status = ModeOff, .Command = Fixed("00:#005;OFF"), .Failure = TStepFailure::EndsUnlessPreviousTook},
        {.Status = QStringLiteral("Setting Address Mode to ON"),
         .Command = Fixed("#005;ON"),
         .RS485Only = true,
         .Before =
             [&] {
               H.ShowMessage(AddressModeMessage());
               return String();
             }},
        {.Status = QStringLiteral("Setting Density / Gravity"),
         .Command =
             Fixed(Prefix + "#049;" + ToAnsi(FloatToStr(C.Local_Density)) + ";" + ToAnsi(FloatToStr(C.Local_Gravity)))},
        {.Status = QStringLiteral("Setting Altimeter Type"),
         .Command = Fixed(Prefix + "#085;47;" + QByteArray::number(C.Altimeter_Flag) + ";" +
                          QByteArray::number(C.Altimeter_Flag))},
        {.Status = QStringLiteral("Setting Output Frequency"),
         .Command = Fixed(Prefix + "#003;CONT;" + ToAnsi(C.Output_Frequency) + ";10;60;NONE;2")},
        {.Status = QStringLiteral("Setting Tare"),
         .Command =
             [&] {
               if (!Taring)
                 return AnsiString();
               return Prefix + (Tare == QLatin1String("1") ? "#009;21" : "#009;USER;0");
             },
         .Before =
             [&] {
               if (Tare == QLatin1String("1") && C.AP1Index != 0 && !TryStrToFloat(C.Value(C.AP1Index), Atmospheric))
                 return QStringLiteral("ERROR Setting Tare: atmospheric pressure unknown");
               return String();
             },
         // Only a tare the instrument took moves the pressure's reference.
         .Taken = [&] { C.Atmos_Pressure_On_Tare = Atmospheric; }},
    };
    AnsiString LastCommand;
    bool PreviousOk = false;
    for (size_t I = 0; I < std::size(Steps); ++I) {
      const TSetupStep& S = Steps[I];
      if (S.RS485Only && RS232())
        continue;
      FEngine.IndexA = static_cast<int32_t>(I) + 1;
      const String Refused = S.Before ? S.Before() : String();
      if (!Refused.isEmpty()) {
        Fail(Dialogue, TStepOutcome{false, false, Refused}, "Setup Failed");
        return false;
      }
      const AnsiString Command = S.Command();
      if (Command.isEmpty()) {
        FEngine.CommandString() = LastCommand + "\r\n";
        FEngine.Status(S.Status);
        FEngine.IndexB = 12;
        const TReply R = FEngine.Attempt(Port(), Packet(3), H.Timer(WatchdogTimer));
        FEngine.IndexB = 0;
        if (R == TReply::Lost) {
          Fail(Dialogue, TStepOutcome{false, true, FEngine.LastReason()}, "Setup Failed");
          return false;
        }
        continue;
      }
      LastCommand = Command;
      const TStepOutcome O = SetStep(S.Status, [this, Command] { FEngine.CommandString() = Command + "\r\n"; });
      const bool Ends = O.Lost || (!O.Ok && FailureEndsDialogue(S.Failure, PreviousOk));
      PreviousOk = O.Ok;
      if (Ends) {
        Fail(Dialogue, O, "Setup Failed");
        return false;
      }
      if (O.Ok && S.Taken)
        S.Taken();
    }
    H.WriteIniFile();

    static constexpr TQuery ReadBack[] = {TQuery::SerialNo, TQuery::DensityGravity, TQuery::Clock, TQuery::Altimeter,
                                          TQuery::Tare};
    FEngine.IndexB = 0;
    const TStepOutcome O = Queries(Prefix, ReadBack, 5);
    if (!O.Ok) {
      Fail(Dialogue, O, "Setup Failed");
      return false;
    }
    FEngine.Delay(FEngine.CommandDelay);
    FEngine.Status(QStringLiteral("Quorndeck Set-Up Complete"));
    RowStatus(QStringLiteral("Setup Complete"));
    SetRow(1, 0, 0);
    FEngine.ProcessMessages();
    return true;
  } catch (const std::exception& E) {
    Fail(Dialogue, TStepOutcome{false, false, ExceptionMessage(E)}, "Setup Failed");
    return false;
  }
}

// ---------------------------------------------------------------------------
// Run and clock

bool TQuorndeckProtocol::Run_Quorndeck()
{
  TCommandEngine::TRun Run(FEngine, "Run_Quorndeck");
  if (!Run.Started())
    return false;
  const String Dialogue = QStringLiteral("Quorndeck Run");
  IDialogueHost& H = FEngine.Host();
  SetRow(0, 0, 0);
  TWaitCursor Cursor(H);
  try {
    AnsiString Prefix;
    if (!SettingsPrefix(Prefix, Dialogue))
      return false;
    TSioComPort* P = Port();
    if (!P) {
      Fail(Dialogue, TStepOutcome{false, false, QStringLiteral("no port bound")}, nullptr);
      return false;
    }
    ReopenAndFlush(P);
    FEngine.Delay(FEngine.CommandDelay);

    FEngine.CommandString() = Prefix + "#028\r\n";
    FEngine.Status(QStringLiteral("Setting into Run Mode"));
    FEngine.ShowCommand(Trim(FromAnsi(FEngine.CommandString())));
    P->PutString(FEngine.CommandString());
    FEngine.Delay(FEngine.CommandDelay);
    if (FEngine.Aborted()) {
      Fail(Dialogue, TStepOutcome{false, true, QStringLiteral("Cancelled")}, nullptr);
      return false;
    }

    FEngine.Status(QStringLiteral("Quorndeck Running"));
    RowStatus(QStringLiteral("Waiting"));
    SetRow(0, 0, 1);
    if (TSioDataPacket* Data = Packet(1)) {
      Data->SetEnabled(true);
      Data->SetAutoEnable(true);
    }
    FEngine.ProcessMessages();
    return true;
  } catch (const std::exception& E) {
    Fail(Dialogue, TStepOutcome{false, false, ExceptionMessage(E)}, nullptr);
    return false;
  }
}

bool TQuorndeckProtocol::Set_Time()
{
  TCommandEngine::TRun Run(FEngine, "Set_Time");
  if (!Run.Started())
    return false;
  const String Dialogue = QStringLiteral("Clock Set-Up");
  IDialogueHost& H = FEngine.Host();
  TCoreData& C = H.Core();
  FEngine.IndexA = 1;
  FEngine.IndexB = 0;
  TWaitCursor Cursor(H);
  const auto Failed = [&](const TStepOutcome& O) {
    FEngine.Status(Dialogue + QStringLiteral(" Failed: ") + O.Reason);
    return false;
  };
  try {
    AnsiString Prefix;
    if (!RS232()) {
      int32_t Address = 0;
      if (!ParseAddress(C.SerialArray[QuorndeckSlot][SerialAddress], Address))
        return Failed(TStepOutcome{false, false, QStringLiteral("Invalid Address")});
      Prefix = AddressPrefix(Address);
    }
    TSioComPort* P = Port();
    if (!P)
      return Failed(TStepOutcome{false, false, QStringLiteral("no port bound")});
    for (int32_t N = 2; N <= 9; ++N)
      Packet(N)->SetComPort(P);
    // Every attempt sends the time of that attempt.
    const TStepOutcome Written = SetStep(QStringLiteral("Setting Time"), [this, Prefix, &C] {
      const TDateTime T = Now();
      FEngine.CommandString() =
          Prefix + "#052;" + ToAnsi(FormatDateTime(QStringLiteral("dd;mm;yy;hh;nn;ss"), T, C.Locale_Format)) + "\r\n";
    });
    if (!Written.Ok)
      return Failed(Written);
    FEngine.IndexA = 1;
    FEngine.IndexB = 0;
    const TStepOutcome Read = Query(Prefix, TQuery::Clock);
    if (!Read.Ok)
      return Failed(Read);
    FEngine.Delay(FEngine.CommandDelay);
    FEngine.Status(QStringLiteral("Clock Set-Up Complete"));
    return true;
  } catch (const std::exception& E) {
    return Failed(TStepOutcome{false, false, ExceptionMessage(E)});
  }
}

// ---------------------------------------------------------------------------
// Replies

void TQuorndeckProtocol::SioDataPacket2Packet()
{
  FEngine.BreakInFlag = 1;
  FBreakAnswered = true;
}

void TQuorndeckProtocol::SioDataPacket8Packet()
{
  FEngine.BreakInFlag = 1;
  FBreakAnswered = true;
}

// During the scan the break-in packets keep listening after a time-out.
void TQuorndeckProtocol::SioDataPacket2Timeout()
{
  TSioDataPacket* P = Packet(2);
  TCommandEngine::FlushPort(P->ComPort());
  if (FBreakInProgress)
    P->SetEnabled(true);
}

void TQuorndeckProtocol::SioDataPacket8Timeout()
{
  TSioDataPacket* P = Packet(8);
  TCommandEngine::FlushPort(P->ComPort());
  if (FBreakInProgress)
    P->SetEnabled(true);
}

void TQuorndeckProtocol::SioDataPacket3StringPacket(const AnsiString& Data)
{
  if (!FEngine.Awaiting(Packet(3)))
    return;
  String Text;
  if (!TakeReply(3, Data, Text))
    return;
  TTimer* Watchdog = FEngine.Host().Timer(WatchdogTimer);
  if (Text.contains(QLatin1String("ERROR"))) {
    FEngine.Status(QStringLiteral("ERROR Setting Parameter"));
    Watchdog->SetEnabled(false);
    FEngine.IndexB = 0;
    FEngine.EndWait(TReply::Refused, QStringLiteral("ERROR Setting Parameter"));
    return;
  }
  Watchdog->SetEnabled(false);
  if (FEngine.IndexB > 11) {
    FEngine.IndexB = 0;
    FEngine.AttemptCount = 6;
  }
  FEngine.Status(QStringLiteral("Parameter Set"));
  FEngine.EndWait(TReply::Good);
}

void TQuorndeckProtocol::SioDataPacket3Timeout()
{
  TSioDataPacket* P = Packet(3);
  if (!FEngine.Awaiting(P))
    return;
  P->SetEnabled(false);
  FEngine.Host().Timer(WatchdogTimer)->SetEnabled(false);
  FEngine.IndexB = 0;
  TCommandEngine::FlushPort(P->ComPort());
  FEngine.EndWait(TReply::TimedOut);
}

void TQuorndeckProtocol::QueryTimeout(int32_t PacketNumber)
{
  TSioDataPacket* P = Packet(PacketNumber);
  if (!FEngine.Awaiting(P))
    return;
  P->SetEnabled(false);
  FEngine.Host().Timer(WatchdogTimer)->SetEnabled(false);
  TCommandEngine::FlushPort(P->ComPort());
  FEngine.EndWait(TReply::TimedOut);
}

void TQuorndeckProtocol::Timer2Timer()
{
  FEngine.Host().Timer(WatchdogTimer)->SetEnabled(false);
  TCommandEngine::FlushPort(Port());
}

bool TQuorndeckProtocol::TakeReply(int32_t PacketNumber, const AnsiString& Data, String& Text)
{
  Text = FromAnsi(Data);
  if (!RS232())
    return true;
  // In RS232 the reply follows the echo of its own command. A reply without
  // that echo belongs to an earlier attempt that had given up waiting; the
  // packet listens on for this attempt's reply.
  const qsizetype Lf = Text.indexOf(QLatin1Char('\n'));
  if (Lf < 0 || Trim(Text.left(Lf)) != Trim(FromAnsi(FEngine.CommandString()))) {
    Packet(PacketNumber)->SetEnabled(true);
    return false;
  }
  Text.remove(0, Lf + 1);
  return true;
}

void TQuorndeckProtocol::QueryReply(int32_t PacketNumber, TQuery Step, const AnsiString& Data)
{
  TSioDataPacket* P = Packet(PacketNumber);
  if (!FEngine.Awaiting(P))
    return;
  const TQueryForm& F = QueryForms[static_cast<int32_t>(Step)];
  TTimer* Watchdog = FEngine.Host().Timer(WatchdogTimer);
  const String Bad = QStringLiteral("Bad Reply Reading ") + L1(F.Name);
  if (Data.size() > MaxReplyLength) {
    Watchdog->SetEnabled(false);
    TCommandEngine::FlushPort(P->ComPort());
    FEngine.EndWait(TReply::Refused, Bad);
    return;
  }
  String Text;
  if (!TakeReply(PacketNumber, Data, Text))
    return;
  if (Text.contains(QLatin1String("ERROR"))) {
    FEngine.Status(ErrorText(F));
    Watchdog->SetEnabled(false);
    FEngine.EndWait(TReply::Refused, ErrorText(F));
    return;
  }
  Watchdog->SetEnabled(false);
  FEngine.Status(QStringLiteral("Received ") + L1(F.Received));
  const String Trimmed = Trim(Text);
  FEngine.ShowCommand(Trimmed);

  IDialogueHost& H = FEngine.Host();
  TCoreData& C = H.Core();
  // The moment of the reply, for the clock's offset.
  TInstrumentClock Clock;
  Clock.now_time = Now();
  Clock.now_time_stamp = DateTimeToTimeStamp(Clock.now_time);
  Clock.now_milliseconds = TimeStampToMSecs(Clock.now_time_stamp);
  try {
    switch (Step) {
    case TQuery::Tare: {
      String Value, Time;
      SplitAtSemicolon(Trimmed, Value, Time);
      const double Tare = FiniteNumber(Value);
      if (!PlainText(Time))
        throw EConvertError(QStringLiteral("tare time unreadable"));
      C.Pressure_Tare = Tare;
      C.pressure_tare_time = Time;
      for (ISetupScreen* S : H.SetupScreens()) {
        S->SetPanelCaption(2, FloatToStr(C.Pressure_Tare));
        S->SetPanelCaption(3, C.pressure_tare_time);
      }
      break;
    }
    case TQuery::SerialNo:
      if (Trimmed.isEmpty() || !PlainText(Trimmed))
        throw EConvertError(QStringLiteral("serial number unreadable"));
      C.serial_no = Trimmed;
      break;
    case TQuery::DensityGravity: {
      String D, G;
      SplitAtSemicolon(Trimmed, D, G);
      const double Density = FiniteNumber(D);
      const double Gravity = FiniteNumber(G);
      C.Local_Density = Density;
      C.Local_Gravity = Gravity;
      for (ISetupScreen* S : H.SetupScreens()) {
        S->SetQvNumEditValue(1, Density);
        S->SetQvNumEditValue(2, Gravity);
      }
      break;
    }
    case TQuery::Clock:
      Clock.rtc_date_time = StrToDateTime(Trimmed, C.Locale_Format);
      Clock.rtc_time_stamp = DateTimeToTimeStamp(Clock.rtc_date_time);
      Clock.rtc_milliseconds = TimeStampToMSecs(Clock.rtc_time_stamp);
      Clock.Instrument_Clock_Offset = Clock.rtc_milliseconds - Clock.now_milliseconds;
      H.SetInstrumentClock(Clock);
      break;
    case TQuery::Altimeter: {
      String Head, Rest;
      SplitAtSemicolon(Trimmed, Head, Rest);
      const qsizetype End = Rest.indexOf(QLatin1Char(';'));
      int32_t Type = -1;
      if (!TryStrToInt(End < 0 ? Rest : Rest.left(End), Type) || Type < 0 || Type > 2) {
        // A type the logger does not know: asked again, within the step's
        // attempts.
        FEngine.Status(ErrorText(F));
        FEngine.EndWait(TReply::Refused, ErrorText(F));
        return;
      }
      C.Altimeter_Flag = Type;
      for (ISetupScreen* S : H.SetupScreens())
        S->SetRadioGroup1ItemIndex(Type);
      break;
    }
    }
  } catch (const std::exception&) {
    TCommandEngine::FlushPort(P->ComPort());
    FEngine.EndWait(TReply::Refused, Bad);
    return;
  }
  FEngine.AttemptCount = 6;
  FEngine.EndWait(TReply::Good);
}

void TQuorndeckProtocol::SioDataPacket4StringPacket(const AnsiString& Data) { QueryReply(4, TQuery::Tare, Data); }
void TQuorndeckProtocol::SioDataPacket5StringPacket(const AnsiString& Data) { QueryReply(5, TQuery::SerialNo, Data); }
void TQuorndeckProtocol::SioDataPacket6StringPacket(const AnsiString& Data)
{
  QueryReply(6, TQuery::DensityGravity, Data);
}
void TQuorndeckProtocol::SioDataPacket7StringPacket(const AnsiString& Data) { QueryReply(7, TQuery::Clock, Data); }
void TQuorndeckProtocol::SioDataPacket9StringPacket(const AnsiString& Data) { QueryReply(9, TQuery::Altimeter, Data); }
