#include "app/program/MainFormDialogues.h"

#include "app/core/KirvoStrings.h"
#include "app/program/MainForm.h"
#include "serial/SioComPort.h"
#include "serial/SioDataPacket.h"
#include "serial/SioTicks.h"

TMainFormDialogues::TMainFormDialogues(TMainForm& Form)
    : FForm(Form), FDialogues(std::make_unique<TInstrumentDialogues>(*this))
{
  FDialogues->ConnectPackets();
  ConnectDataPackets();
}

TMainFormDialogues::~TMainFormDialogues() = default;

// The modular instruments' data lines. A line that is refused leaves the
// port flushed; a packet that gives up on a line listens again.
//
// An event can still arrive after a break-in has stopped reception (it was
// on its way to the main thread). By then the port carries the dialogue:
// a flush would drop the reply it waits for, and a packet listening again
// would take the replies for data lines. Reception stopped is AutoEnable
// off.
void TMainFormDialogues::ConnectDataPackets()
{
  TCoreData* C = &FForm.Core();
  for (const int32_t N : {10, 11, 16, 17, 18}) {
    TSioDataPacket* P = FForm.SioDataPacket(N);
    P->OnStringPacket = [C, P, N](TObject*, const AnsiString& Data) {
      if (!ModularStringPacket(*C, N, Data) && P->AutoEnable())
        TCommandEngine::FlushPort(P->ComPort());
    };
    P->OnTimeout = [P](TObject*) {
      if (!P->AutoEnable())
        return;
      TCommandEngine::FlushPort(P->ComPort());
      P->SetEnabled(true);
    };
  }
}

TCoreData& TMainFormDialogues::Core() { return FForm.Core(); }

TSioComPort* TMainFormDialogues::SioComPort(int32_t N) { return FForm.SioComPort(N); }

TSioDataPacket* TMainFormDialogues::SioDataPacket(int32_t N) { return FForm.SioDataPacket(N); }

TSioComPort* TMainFormDialogues::QuorndeckPort() { return FForm.QuorndeckPort; }

TTimer* TMainFormDialogues::Timer(int32_t N)
{
  switch (N) {
  case 2:
    return FForm.Timer2;
  case 3:
    return FForm.Timer3;
  case 4:
    return FForm.Timer4;
  default:
    return nullptr;
  }
}

AnsiString& TMainFormDialogues::CommandString() { return FForm.CommandString; }

void TMainFormDialogues::SetRowState(int32_t Row, int32_t CommandMode, int32_t Busy, int32_t RunMode)
{
  if (Row < 0 || Row >= static_cast<int32_t>(FForm.RowStates.size()))
    return;
  TRowState& S = FForm.RowStates[static_cast<size_t>(Row)];
  S.CommandMode = CommandMode;
  S.Busy = Busy;
  S.RunMode = RunMode;
}

void TMainFormDialogues::SetInstrumentClock(const TInstrumentClock& Clock)
{
  FForm.now_time = Clock.now_time;
  FForm.now_time_stamp = Clock.now_time_stamp;
  FForm.now_milliseconds = Clock.now_milliseconds;
  FForm.rtc_date_time = Clock.rtc_date_time;
  FForm.rtc_time_stamp = Clock.rtc_time_stamp;
  FForm.rtc_milliseconds = Clock.rtc_milliseconds;
  FForm.Instrument_Clock_Offset = Clock.Instrument_Clock_Offset;
}

void TMainFormDialogues::SetStatusText(int32_t Panel, const String& Text) { FForm.SetStatusText(Panel, Text); }

std::vector<ISetupScreen*> TMainFormDialogues::SetupScreens() { return FForm.SetupScreens(); }

void TMainFormDialogues::WriteIniFile() { FForm.WriteIniFile(); }

void TMainFormDialogues::SetWaitCursor(bool Wait) { FForm.SetWaitCursor(Wait); }

void TMainFormDialogues::ShowMessage(const String& Text) { FForm.Message(Text); }

void TMainFormDialogues::ProcessMessages() { FForm.PumpMessages(); }

void TMainFormDialogues::Delay(int32_t Ticks)
{
  if (DelayHook)
    DelayHook(Ticks);
  else
    DelayTicks(Ticks, 1);
}

// ---------------------------------------------------------------------------
// The dialogues under their names on the main window

TMainFormDialogues& TMainForm::Dialogues() const { return *FDialogues; }

bool TMainForm::Break_In_Quorndeck() { return FDialogues->Dialogues().Quorndeck.Break_In_Quorndeck(); }
bool TMainForm::Set_Quorndeck() { return FDialogues->Dialogues().Quorndeck.Set_Quorndeck(); }
bool TMainForm::Run_Quorndeck() { return FDialogues->Dialogues().Quorndeck.Run_Quorndeck(); }
bool TMainForm::Set_Time() { return FDialogues->Dialogues().Quorndeck.Set_Time(); }
bool TMainForm::Break_In_Kirvo(int32_t Row_No) { return FDialogues->Dialogues().Kirvo.Break_In_Kirvo(Row_No); }
bool TMainForm::Set_Kirvo(int32_t Row_No) { return FDialogues->Dialogues().Kirvo.Set_Kirvo(Row_No); }
bool TMainForm::Run_Kirvo(int32_t Row_No) { return FDialogues->Dialogues().Kirvo.Run_Kirvo(Row_No); }
