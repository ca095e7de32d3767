#pragma once
// The instrument dialogues on the main window: the window as their host
// (its ports, packets, Timer2..Timer4, status bar, set-up screens and
// settings), the reply packets 2..9 and 12..15 and the modular data packets
// 10, 11, 16, 17, 18 bound to their handlers.
#include "app/instruments/CommandEngine.h"
#include "app/instruments/InstrumentDialogues.h"

#include <cstdint>
#include <functional>
#include <memory>

class TMainForm;

class TMainFormDialogues : public IDialogueHost {
public:
  explicit TMainFormDialogues(TMainForm& Form);
  ~TMainFormDialogues() override;

  TInstrumentDialogues& Dialogues() { return *FDialogues; }

  // The pauses of the dialogues in ticks; empty: DelayTicks with yielding
  // (55 ms a tick). Tests put a shorter tick.
  std::function<void(int32_t Ticks)> DelayHook;

  // IDialogueHost over the main window.
  TCoreData& Core() override;
  TSioComPort* SioComPort(int32_t N) override;
  TSioDataPacket* SioDataPacket(int32_t N) override;
  TSioComPort* QuorndeckPort() override;
  TTimer* Timer(int32_t N) override;
  AnsiString& CommandString() override;
  void SetRowState(int32_t Row, int32_t CommandMode, int32_t Busy, int32_t RunMode) override;
  void SetInstrumentClock(const TInstrumentClock& Clock) override;
  void SetStatusText(int32_t Panel, const String& Text) override;
  std::vector<ISetupScreen*> SetupScreens() override;
  void WriteIniFile() override;
  void SetWaitCursor(bool Wait) override;
  void ShowMessage(const String& Text) override;
  void ProcessMessages() override;
  void Delay(int32_t Ticks) override;

private:
  void ConnectDataPackets();

  TMainForm& FForm;
  std::unique_ptr<TInstrumentDialogues> FDialogues;
};
