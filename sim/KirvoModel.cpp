#include "sim/KirvoModel.h"

#include "sim/CastProfile.h"

#include "rtl/Exceptions.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr int ControllerAddress = 99;
bool ValidUnit(int U) { return U >= 2 && U <= 98; }
} // namespace

KirvoModel::KirvoModel(bool Atmospheric)
    : InstrumentModel(Atmospheric ? InstrumentKind::Atmospheric : InstrumentKind::Qyr, "no response"),
      FAtmospheric(Atmospheric), FParameters(Atmospheric ? "BAROMETER" : "PRESSURE;TEMPERATURE")
{
  AddSetting(3, 4, "CONT;1;1;60;NONE;1");
  AddSetting(7, 8, "CAL");
  AddSetting(13, 14, "TARNWICK");
  AddSetting(16, 17, "OFF");
  AddSetting(87, 88, "OFF");
  AddSetting(107, 108, "1000");
}

void KirvoModel::SetAddress(int A)
{
  std::vector<int> U = FUnits;
  U.front() = A;
  SetUnits(U);
}

void KirvoModel::SetUnits(const std::vector<int>& Units)
{
  if (Units.empty())
    throw EArgumentException(QStringLiteral("A modular system needs at least one module"));
  for (size_t I = 0; I < Units.size(); ++I)
    if (!ValidUnit(Units[I]) || std::count(Units.begin(), Units.end(), Units[I]) > 1)
      throw EArgumentException(QStringLiteral("Module unit numbers must be distinct and lie in 2..98"));
  FUnits = Units;
}

bool KirvoModel::ListensTo(int Prefix) const
{
  return Prefix == 0 || Prefix == ControllerAddress || std::find(FUnits.begin(), FUnits.end(), Prefix) != FUnits.end();
}

InstrumentModel::Outcome KirvoModel::Execute(const Command& C, AnsiString& Body)
{
  if (C.Number < 0) // "TARN" takes the micro out of its other protocol mode
    return C.Text.toUpper() == "TARN" ? Outcome::Reply : Outcome::Refuse;
  Outcome Result = Outcome::Refuse;
  if (PlainSetting(C, Body, Result))
    return Result;
  const auto& A = C.Args;
  bool Ok = false;
  switch (C.Number) {
  case 1: {
    const int U = A.size() == 1 ? A[0].toInt(&Ok) : 0;
    if (!Ok || !ValidUnit(U) || (U != Address() && ListensTo(U)))
      return Outcome::Refuse;
    FUnits.front() = U;
    return Outcome::Reply;
  }
  case 2:
    Body = TwoDigits(Address());
    return Outcome::Reply;
  case 5:
    if (A.size() != 1 || (A[0].toUpper() != "ON" && A[0].toUpper() != "OFF"))
      return Outcome::Refuse;
    FMode = A[0].toUpper() == "ON" ? LineMode::RS485 : LineMode::RS232;
    return Outcome::Reply;
  case 6:
    Body = FMode == LineMode::RS485 ? "ON" : "OFF";
    return Outcome::Reply;
  case 9: // tare at the current reading, or at a given value
    if (A.empty()) {
      SetTare(FLastValue);
      return Outcome::Reply;
    }
    if (A.size() == 1) {
      const double V = A[0].toDouble(&Ok);
      if (Ok) {
        SetTare(V);
        return Outcome::Reply;
      }
    }
    return Outcome::Refuse;
  case 10:
    Body = TareReply();
    return Outcome::Reply;
  case 28:
    return A.empty() ? Outcome::Run : Outcome::Refuse;
  case 59: // baud rate: the line speed itself is the pty's business
    return A.size() == 1 && A[0].toInt(&Ok) > 0 && Ok ? Outcome::Reply : Outcome::Refuse;
  case 62:
    if (!A.empty())
      return Outcome::Refuse;
    if (C.Prefix == ControllerAddress) {
      Body = "kirvo units fitted\r\n1";
      for (int U : FUnits)
        Body += ";" + QByteArray::number(U);
    } else {
      Body =
          QByteArray::number(C.Prefix > 0 && C.Prefix != ControllerAddress ? C.Prefix : Address()) + ";" + FParameters;
    }
    return Outcome::Reply;
  default:
    return Outcome::Refuse;
  }
}

// Replies start with a line break: the logger's reply packets wait for CR LF
// ahead of the text, which in RS232 the echo line provides.
AnsiString KirvoModel::Frame(const AnsiString& Body, LineMode ReceivedIn) const
{
  return (ReceivedIn == LineMode::RS485 ? AnsiString("\r\n") : AnsiString()) + Body + "\r\n>";
}

// "GO" and no prompt: the logger's run step waits for "GO" up to CR LF.
AnsiString KirvoModel::RunReply(LineMode ReceivedIn) const
{
  return (ReceivedIn == LineMode::RS485 ? AnsiString("\r\n") : AnsiString()) + "GO\r\n";
}

AnsiString KirvoModel::GeneratedSample(int64_t Index)
{
  AnsiString Out;
  for (size_t K = 0; K < FUnits.size(); ++K) {
    const int U = FUnits[K];
    const double Temperature = 12.0 + 0.01 * SimNoise(uint32_t(U), Index, 5);
    double Value;
    if (FAtmospheric)
      Value = 10.1325 + 0.0005 * SimNoise(uint32_t(U), Index, 4);
    else // sensors moored at 20 m, 25 m, ... with a slow swell, absolute pressure
      Value = 30.1325 + 5.0 * double(K) + 0.02 * std::sin(2.0 * M_PI * double(Index) / 60.0) +
              0.002 * SimNoise(uint32_t(U), Index, 4);
    if (K == 0)
      FLastValue = Value;
    const AnsiString V = QByteArray::number(Value, 'f', 4);
    const AnsiString T = QByteArray::number(Temperature, 'f', 3);
    if (FMode == LineMode::RS485)
      Out += ">" + TwoDigits(U) + ":" + V + "\t" + T + "\r\n";
    else if (FAtmospheric)
      Out += V + "\r\n"; // unaddressed, the atmospheric sensor sends its bare value
    else
      Out += V + "\t" + T + "\r\n";
  }
  return Out;
}

} // namespace sim
