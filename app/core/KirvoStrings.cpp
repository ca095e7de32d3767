#include "app/core/KirvoStrings.h"

#include "app/core/CoreData.h"
#include "app/core/ModularInstruments.h"
#include "app/core/SampleRoad.h"
#include "rtl/DateTime.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

#include <cmath>

namespace {

// The packet whose unaddressed atmospheric lines may carry the bare value:
// the atmospheric sensor in RS232 sends nothing after it.
constexpr int32_t BareValuePacket = 11;

bool IsDigit(QChar C) { return C >= QLatin1Char('0') && C <= QLatin1Char('9'); }

struct TLine {
  int32_t Packet = 0;
  bool Addressed = false;
  String Text;    // without the address
  String Refusal; // set when the whole line is refused
  TDateTime Day = 0;
  TDateTime TimeOfDay = 0;
};

bool Receives(const TCoreData& Core, int32_t K, const TLine& Line, int32_t Address)
{
  const int32_t Slot = ModularSlot(K);
  if (!Core.SlotFitted(Slot))
    return false;
  const TSerialRow& Row = Core.SerialArray[static_cast<size_t>(Slot)];
  if (Line.Addressed)
    return StrToIntDef(Row[SerialAddress], -1) == Address;
  return StrToIntDef(Row[SerialPacket], -1) == Line.Packet;
}

// The line for instrument K; false (with the fault in its status text) when
// its value cannot be taken.
bool StoreFor(TCoreData& Core, int32_t K, const TLine& Line)
{
  String& Status = ModularStatus(Core, K);
  const String Trimmed = Trim(Line.Text);
  const auto Fail = [&](const String& Reason) {
    Status = StatusEcho(Trimmed) + QStringLiteral(" [") + Reason + QStringLiteral("]");
    return false;
  };
  Status = StatusEcho(Trimmed);
  if (!Line.Refusal.isEmpty())
    return Fail(Line.Refusal);

  String ValueText;
  const qsizetype Tab = Line.Text.indexOf(QLatin1Char('\t'));
  if (Tab >= 0)
    ValueText = Line.Text.left(Tab);
  else if (Line.Packet == BareValuePacket && !Line.Addressed && K == ModularAtmospheric)
    ValueText = Trimmed;
  else
    return Fail(QStringLiteral("no TAB after the value"));
  double Value = 0;
  if (!TryStrToFloat(ValueText, Value))
    return Fail(Trim(ValueText).isEmpty() ? QStringLiteral("value is empty") : QStringLiteral("value is not a number"));
  if (!(std::fabs(Value) <= MaxModularMagnitude))
    return Fail(QStringLiteral("value %1 is outside %2 to %3")
                    .arg(FloatToStr(Value), FloatToStr(-MaxModularMagnitude), FloatToStr(MaxModularMagnitude)));

  const int32_t Slot = ModularSlot(K);
  // A gauge reading made relative to the live atmospheric pressure. Without
  // an atmospheric instrument there is no live reading (entry 0 would hold
  // some other item's value), so the reading stays as measured.
  if (K != ModularAtmospheric && Core.SerialArray[static_cast<size_t>(Slot)][SerialAtmos] == QLatin1String("1") &&
      Core.AP1Index != 0) {
    double Atmospheric = 0;
    if (!TryStrToFloat(Core.Value(Core.AP1Index), Atmospheric))
      return Fail(QStringLiteral("atmospheric pressure is not a number"));
    double Relative = Value - Atmospheric;
    // Values pass between the steps as text, rounded to 15 significant
    // digits like every other.
    if (!std::isfinite(Relative) || !TryStrToFloat(FloatToStr(Relative), Relative))
      return Fail(QStringLiteral("out of range after the atmospheric correction"));
    Value = Relative;
  }
  Core.StoreValue(ModularValueIndex(Core, K), Value, Line.Day, Line.TimeOfDay);
  return true;
}

} // namespace

bool IsAddressedLine(const String& Line, int32_t& Address)
{
  if (Line.size() < 3 || !IsDigit(Line[0]) || !IsDigit(Line[1]) || Line[2] != QLatin1Char(':'))
    return false;
  Address = (Line[0].unicode() - '0') * 10 + (Line[1].unicode() - '0');
  return true;
}

bool ModularStringPacket(TCoreData& Core, int32_t Packet, const AnsiString& Data)
{
  // One reading for both stamps: two readings could fall either side of
  // midnight and stamp the sample a day early.
  const TDateTime Stamp = Now();
  TLine Line;
  Line.Packet = Packet;
  Line.Day = DateOf(Stamp);
  Line.TimeOfDay = TimeOf(Stamp);
  if (Data.size() > MaxModularLineLength) {
    Line.Refusal = Format("longer than %d bytes", {MaxModularLineLength});
    Line.Text = FromAnsi(Data.left(MaxModularLineLength));
  } else {
    Line.Text = FromAnsi(Data);
  }
  if (Packet == BareValuePacket && Line.Text.startsWith(QLatin1Char('>')))
    Line.Text.remove(0, 1);
  int32_t Address = -1;
  Line.Addressed = IsAddressedLine(Line.Text, Address);
  if (Line.Addressed)
    Line.Text.remove(0, 3);

  int32_t Receivers = 0;
  int32_t Stored = 0;
  for (int32_t K = 1; K <= ModularInstrumentCount; ++K) {
    if (!Receives(Core, K, Line, Address))
      continue;
    ++Receivers;
    if (StoreFor(Core, K, Line))
      ++Stored;
  }
  if (!Line.Refusal.isEmpty())
    return false;
  if (Receivers > 0 && Stored == 0)
    return false;
  if (Core.Hooks.ProcessMessages)
    Core.Hooks.ProcessMessages();
  if (Core.File_Replay_Flag != 1)
    UpdateData(Core);
  return Stored == Receivers;
}

bool SioDataPacket10StringPacket(TCoreData& Core, const AnsiString& Data)
{
  return ModularStringPacket(Core, 10, Data);
}
bool SioDataPacket11StringPacket(TCoreData& Core, const AnsiString& Data)
{
  return ModularStringPacket(Core, 11, Data);
}
bool SioDataPacket16StringPacket(TCoreData& Core, const AnsiString& Data)
{
  return ModularStringPacket(Core, 16, Data);
}
bool SioDataPacket17StringPacket(TCoreData& Core, const AnsiString& Data)
{
  return ModularStringPacket(Core, 17, Data);
}
bool SioDataPacket18StringPacket(TCoreData& Core, const AnsiString& Data)
{
  return ModularStringPacket(Core, 18, Data);
}
