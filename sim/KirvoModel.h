#pragma once
// The modular (Kirvo) system: a controller (unit 1, RS485 address 99) with
// pressure-sensor (QYR) or atmospheric-pressure modules, each module a unit
// of its own whose number is also its RS485 address and the address of its
// data lines.
#include "sim/InstrumentModel.h"

namespace sim {

class KirvoModel : public InstrumentModel {
public:
  explicit KirvoModel(bool Atmospheric);

  int Address() const override { return FUnits.front(); }
  void SetAddress(int A) override;
  // Unit numbers of the modules, 2 to 98, at least one, no repeats; throws
  // EArgumentException otherwise. The first is the instrument's address.
  void SetUnits(const std::vector<int>& Units);
  const std::vector<int>& Units() const { return FUnits; }
  // The parameter list reported after the unit number (contains "RPT" when
  // a repeater is fitted).
  void SetParameterList(const AnsiString& P) { FParameters = P; }

protected:
  bool ListensTo(int Prefix) const override;
  Outcome Execute(const Command& C, AnsiString& Body) override;
  AnsiString Frame(const AnsiString& Body, LineMode ReceivedIn) const override;
  AnsiString BreakBody() const override { return {}; }
  AnsiString RunReply(LineMode ReceivedIn) const override;
  AnsiString GeneratedSample(int64_t Index) override;

private:
  bool FAtmospheric;
  std::vector<int> FUnits{2};
  AnsiString FParameters;
  double FLastValue = 0.0;
};

} // namespace sim
