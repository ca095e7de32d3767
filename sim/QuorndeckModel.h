#pragma once
// The profiling instrument: streams its data string in run mode and answers
// the interrogation, set, clock and run commands of the logger.
#include "sim/InstrumentModel.h"

namespace sim {

class CastProfile;
struct CastParams;

class QuorndeckModel : public InstrumentModel {
public:
  QuorndeckModel();
  ~QuorndeckModel() override;

  int Address() const override { return FAddress; }
  void SetAddress(int A) override { FAddress = A; }
  // Restarts the cast at the surface.
  void SetProfile(const CastParams& P);
  void SetSerialNumber(const AnsiString& S) { FSerialNumber = S; }
  // The altimeter type the query reports; the logger knows 0 to 2.
  void SetAltimeterType(int T) { FAltimeterType = QByteArray::number(T) + ";" + QByteArray::number(T); }

protected:
  bool ListensTo(int Prefix) const override;
  Outcome Execute(const Command& C, AnsiString& Body) override;
  AnsiString Frame(const AnsiString& Body, LineMode ReceivedIn) const override;
  AnsiString BreakBody() const override;
  AnsiString RunReply(LineMode ReceivedIn) const override;
  AnsiString GeneratedSample(int64_t Index) override;

private:
  int FAddress = 2;
  std::unique_ptr<CastProfile> FProfile;
  AnsiString FSerialNumber = "12345";
  AnsiString FDensityGravity = "1023.0147;9.8167459";
  AnsiString FAltimeterType = "0;0";
  double FLastPressure = 0.0;
};

} // namespace sim
