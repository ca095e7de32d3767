#include "sim/QuorndeckModel.h"

#include "sim/CastProfile.h"

namespace sim {

namespace {
bool AllNumbers(const std::vector<AnsiString>& Args, size_t From)
{
  for (size_t I = From; I < Args.size(); ++I) {
    bool Ok = false;
    Args[I].toDouble(&Ok);
    if (!Ok)
      return false;
  }
  return true;
}
} // namespace

QuorndeckModel::QuorndeckModel()
    : InstrumentModel(InstrumentKind::Quorndeck, "ERROR"), FProfile(std::make_unique<CastProfile>(CastParams{}))
{
  AddSetting(3, 4, "CONT;1;10;60;NONE;2");
}

QuorndeckModel::~QuorndeckModel() = default;

void QuorndeckModel::SetProfile(const CastParams& P)
{
  FProfile = std::make_unique<CastProfile>(P);
  RestartSamples();
}

bool QuorndeckModel::ListensTo(int Prefix) const { return Prefix == 0 || Prefix == FAddress; }

InstrumentModel::Outcome QuorndeckModel::Execute(const Command& C, AnsiString& Body)
{
  Outcome Result = Outcome::Refuse;
  if (PlainSetting(C, Body, Result))
    return Result;
  const auto& A = C.Args;
  switch (C.Number) {
  case 5: // address mode
    if (A.size() != 1 || (A[0].toUpper() != "ON" && A[0].toUpper() != "OFF"))
      return Outcome::Refuse;
    FMode = A[0].toUpper() == "ON" ? LineMode::RS485 : LineMode::RS232;
    return Outcome::Reply;
  case 6:
    Body = FMode == LineMode::RS485 ? "ON" : "OFF";
    return Outcome::Reply;
  case 9: // tare: "21" at the current reading, "USER;v" at a given value
    if (A.size() == 1 && A[0] == "21")
      SetTare(FLastPressure);
    else if (A.size() == 2 && A[0].toUpper() == "USER" && AllNumbers(A, 1))
      SetTare(A[1].toDouble());
    else
      return Outcome::Refuse;
    return Outcome::Reply;
  case 10:
    Body = TareReply();
    return Outcome::Reply;
  case 28:
    return A.empty() ? Outcome::Run : Outcome::Refuse;
  case 34:
    Body = FSerialNumber;
    return Outcome::Reply;
  case 49:
    if (A.size() != 2 || !AllNumbers(A, 0))
      return Outcome::Refuse;
    FDensityGravity = A[0] + ";" + A[1];
    return Outcome::Reply;
  case 50:
    Body = FDensityGravity;
    return Outcome::Reply;
  case 52:
    return SetClockFromArgs(C) ? Outcome::Reply : Outcome::Refuse;
  case 53:
    Body = TimeText(InstrumentTime());
    return Outcome::Reply;
  case 85: // "47;type;type"
    if (A.size() != 3 || A[0] != "47" || !AllNumbers(A, 1))
      return Outcome::Refuse;
    FAltimeterType = A[1] + ";" + A[2];
    return Outcome::Reply;
  case 86:
    if (A.size() != 1 || A[0] != "47")
      return Outcome::Refuse;
    Body = "47;" + FAltimeterType;
    return Outcome::Reply;
  default:
    return Outcome::Refuse;
  }
}

// No line break ahead of the body in either mode: the logger parses the
// reply text from its first byte once the RS232 echo line is cut off.
AnsiString QuorndeckModel::Frame(const AnsiString& Body, LineMode) const { return Body + "\r\n>"; }

// The logger recognises the break-in reply by its leading "You".
AnsiString QuorndeckModel::BreakBody() const { return "You are now in command mode"; }

// No prompt once running. In RS485 a line break stands in for the missing
// echo, so the first data string already follows a line feed.
AnsiString QuorndeckModel::RunReply(LineMode ReceivedIn) const
{
  return ReceivedIn == LineMode::RS485 ? AnsiString("\r\n") : AnsiString();
}

AnsiString QuorndeckModel::GeneratedSample(int64_t Index)
{
  const CastSample S = FProfile->Sample(Index);
  FLastPressure = S.Pressure;
  return CastProfile::DataString(S);
}

} // namespace sim
