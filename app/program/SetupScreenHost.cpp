#include "app/program/SetupScreenHost.h"

#include "app/core/CoreData.h"
#include "app/program/MainForm.h"
#include "app/program/MainFormDialogues.h"
#include "serial/SioTicks.h"

TCustomForm* TSetupScreenHost::Frame() { return &FForm; }

TCoreData& TSetupScreenHost::Core() { return FForm.Core(); }

const TStringList* TSetupScreenHost::ComPortList() const { return FForm.ComPortList(); }

TInstrumentRowState TSetupScreenHost::InstrumentRowState(int32_t Row) const
{
  if (Row < 0 || Row >= static_cast<int32_t>(FForm.RowStates.size()))
    return {};
  const TRowState& S = FForm.RowStates[static_cast<size_t>(Row)];
  return {S.CommandMode, S.Busy, S.RunMode};
}

bool TSetupScreenHost::InstrumentButton(int32_t Column, int32_t Row)
{
  return FForm.Dialogues().Dialogues().ButtonClick(Column, Row);
}

bool TSetupScreenHost::SetInstrumentTime() { return FForm.Dialogues().Dialogues().SetTimeClick(); }

void TSetupScreenHost::FittedChanged(int32_t Row, bool Fitted)
{
  FForm.Guarded([&] { FForm.SetupFittedClick(Row, Fitted); });
}

void TSetupScreenHost::RebindSlot(int32_t Slot)
{
  if (Slot < 0 || Slot >= SlotCount)
    return;
  const TCoreData& C = FForm.Core();
  const auto S = static_cast<size_t>(Slot);
  FForm.SerialPortSetup(Slot, C.DataPort[S], C.DataPortBaud[S], FForm.DataPacketSetup(C.DataPacket[S]));
}

void TSetupScreenHost::SetupScreenClosed(ISetupScreen& Screen) { FForm.SetupScreenClosed(Screen); }

void TSetupScreenHost::ForgetSetupScreen(ISetupScreen& Screen) { FForm.UnregisterMdiChild(&Screen); }

void TSetupScreenHost::ShowMessage(const String& Text) { FForm.Message(Text); }

void TSetupScreenHost::Delay(int32_t Ticks) { FForm.Dialogues().Delay(Ticks); }

void TSetupScreenHost::ProcessMessages() { FForm.PumpMessages(); }

String TSetupScreenHost::GlyphFolder() const { return FForm.SetupFolder(); }
