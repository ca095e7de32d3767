#pragma once
// The main window as the set-up screen's host: its core, ports, instrument
// dialogues, settings file and port binding, under the names the screen
// asks for them.
#include "app/setup/SetupHost.h"

class TMainForm;

class TSetupScreenHost : public ISetupHost {
public:
  explicit TSetupScreenHost(TMainForm& Form) : FForm(Form) {}

  TCustomForm* Frame() override;
  TCoreData& Core() override;
  const TStringList* ComPortList() const override;
  TInstrumentRowState InstrumentRowState(int32_t Row) const override;
  bool InstrumentButton(int32_t Column, int32_t Row) override;
  bool SetInstrumentTime() override;
  void FittedChanged(int32_t Row, bool Fitted) override;
  void RebindSlot(int32_t Slot) override;
  void SetupScreenClosed(ISetupScreen& Screen) override;
  void ForgetSetupScreen(ISetupScreen& Screen) override;
  void ShowMessage(const String& Text) override;
  void Delay(int32_t Ticks) override;
  void ProcessMessages() override;
  String GlyphFolder() const override;

private:
  TMainForm& FForm;
};
