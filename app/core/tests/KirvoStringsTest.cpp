#include "app/core/KirvoStrings.h"

#include "CoreFixture.h"
#include "app/core/CoreData.h"
#include "app/core/ModularInstruments.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TDateTime T0 = EncodeDateTime(2026, 12, 8, 23, 59, 59, 999);

// The four QYR sensors and the atmospheric sensor fitted (and nothing else),
// each on its own packet in RS232: QYR 1..4 on 10, 16, 17, 18, atmospheric
// on 11; addresses 2..5 and 9.
struct TModularCore {
  std::unique_ptr<TCoreData> Core = MakeCore({slAP1, slQYR1, slQYR2, slQYR3, slQYR4});
  std::vector<std::string> Calls;

  TModularCore()
  {
    const int32_t Packets[] = {10, 16, 17, 18, 11};
    const int32_t Addresses[] = {2, 3, 4, 5, 9};
    for (int32_t K = 1; K <= ModularInstrumentCount; ++K) {
      Row(K)[SerialPacket] = QString::number(Packets[K - 1]);
      Row(K)[SerialAddress] = QString::number(Addresses[K - 1]);
      ModularStatus(*Core, K) = QStringLiteral("Unknown");
    }
    Core->Hooks.SaveTimeData = [this] { Calls.push_back("save"); };
    Core->Hooks.UpdateWindows = [this] { Calls.push_back("windows"); };
    Core->Hooks.ProcessMessages = [this] { Calls.push_back("pump"); };
  }

  TSerialRow& Row(int32_t K) { return Core->SerialArray[static_cast<size_t>(ModularSlot(K))]; }
  const String& Value(int32_t K) const { return Core->Value(ModularValueIndex(*Core, K)); }
  const String& Status(int32_t K) const { return ModularStatus(*Core, K); }
  TDateTime Date(int32_t K) const { return Core->DataDateArray[static_cast<size_t>(ModularValueIndex(*Core, K))]; }
  TDateTime Time(int32_t K) const { return Core->DataTimeArray[static_cast<size_t>(ModularValueIndex(*Core, K))]; }
  bool Updated() const { return Calls == std::vector<std::string>{"pump", "save", "windows", "pump"}; }
};

TEST(ModularInstruments, TableFollowsTheSetupGrid)
{
  auto Core = MakeCore({slAP1, slQYR1, slQYR2, slQYR3, slQYR4});
  struct TCase {
    int32_t K, Slot, Row, Index;
    String* Status;
  };
  const TCase Cases[] = {
      {1, 12, 6, Core->QYR1Index, &Core->PortData3}, {2, 13, 7, Core->QYR2Index, &Core->PortData4},
      {3, 14, 8, Core->QYR3Index, &Core->PortData5}, {4, 15, 9, Core->QYR4Index, &Core->PortData6},
      {5, 11, 10, Core->AP1Index, &Core->PortData7},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.K);
    EXPECT_EQ(ModularSlot(C.K), C.Slot);
    EXPECT_EQ(ModularSetupRow(C.K), C.Row);
    EXPECT_EQ(ModularOfSetupRow(C.Row), C.K);
    EXPECT_EQ(ModularValueIndex(*Core, C.K), C.Index);
    EXPECT_EQ(&ModularStatus(*Core, C.K), C.Status);
  }
  for (const int32_t Row : {0, 1, 5, 11, -1})
    EXPECT_EQ(ModularOfSetupRow(Row), 0) << Row;
  EXPECT_THROW(ModularSlot(0), ERangeError);
  EXPECT_THROW(ModularSlot(6), ERangeError);
}

TEST(KirvoStrings, AddressedLineNeedsLeadingDigitsAndColon)
{
  struct TCase {
    const char* Line;
    int32_t Address; // -1: not addressed
  };
  const TCase Cases[] = {
      {"02:30.1\t12.0", 2},
      {"99:#", 99},
      {"00:", 0},
      {"30.1\t12:30:01", -1}, // a time of day in a later field
      {"2:30.1\t12.0", -1},
      {"a2:30.1\t1", -1},
      {"02;30.1\t1", -1},
      {"02", -1},
      {"", -1},
      {":02:30.1", -1},
      {"123:4", -1},
  };
  for (const auto& C : Cases) {
    int32_t Address = -1;
    EXPECT_EQ(IsAddressedLine(QString::fromLatin1(C.Line), Address), C.Address >= 0) << C.Line;
    if (C.Address >= 0) {
      EXPECT_EQ(Address, C.Address) << C.Line;
    }
  }
}

// One line on one packet: who got which value and status text.
TEST(KirvoStrings, LineReachesItsInstruments)
{
  struct TCase {
    const char* Name;
    int32_t Packet;
    AnsiString Line;
    const char* Values[5];   // after the line; "0.000" is untouched
    const char* Statuses[5]; // "Unknown" is untouched
  };
  const TCase Cases[] = {
      {"atmospheric on packet 11 with a TAB",
       11,
       "1013.25\t12.0",
       {"0.000", "0.000", "0.000", "0.000", "1013.250"},
       {"Unknown", "Unknown", "Unknown", "Unknown", "1013.25\t12.0"}},
      {"atmospheric bare value on packet 11",
       11,
       " 1013.25 ",
       {"0.000", "0.000", "0.000", "0.000", "1013.250"},
       {"Unknown", "Unknown", "Unknown", "Unknown", "1013.25"}},
      {"packet 11 drops a leading prompt",
       11,
       ">1013.25",
       {"0.000", "0.000", "0.000", "0.000", "1013.250"},
       {"Unknown", "Unknown", "Unknown", "Unknown", "1013.25"}},
      {"QYR 1 on packet 10",
       10,
       "30.1325\t12.000",
       {"30.133", "0.000", "0.000", "0.000", "0.000"},
       {"30.1325\t12.000", "Unknown", "Unknown", "Unknown", "Unknown"}},
      {"QYR 4 on packet 18",
       18,
       "45.5\t11.9\tx",
       {"0.000", "0.000", "0.000", "45.500", "0.000"},
       {"Unknown", "Unknown", "Unknown", "45.5\t11.9\tx", "Unknown"}},
      {"a colon in a later field is no address",
       16,
       "31.5\t12:30:01",
       {"0.000", "31.500", "0.000", "0.000", "0.000"},
       {"Unknown", "31.5\t12:30:01", "Unknown", "Unknown", "Unknown"}},
      {"addressed, whichever packet delivered it",
       10,
       "04:33.25\t12.0",
       {"0.000", "0.000", "33.250", "0.000", "0.000"},
       {"Unknown", "Unknown", "33.25\t12.0", "Unknown", "Unknown"}},
      {"addressed atmospheric",
       17,
       "09:1012.5\t12.0",
       {"0.000", "0.000", "0.000", "0.000", "1012.500"},
       {"Unknown", "Unknown", "Unknown", "Unknown", "1012.5\t12.0"}},
      {"addressed to nobody",
       10,
       "42:33.25\t12.0",
       {"0.000", "0.000", "0.000", "0.000", "0.000"},
       {"Unknown", "Unknown", "Unknown", "Unknown", "Unknown"}},
      {"the largest magnitude a unit gives",
       17,
       "-10000000\t12.0",
       {"0.000", "0.000", "-10000000.000", "0.000", "0.000"},
       {"Unknown", "Unknown", "-10000000\t12.0", "Unknown", "Unknown"}},
      {"unaddressed on a packet nobody uses",
       12,
       "33.25\t12.0",
       {"0.000", "0.000", "0.000", "0.000", "0.000"},
       {"Unknown", "Unknown", "Unknown", "Unknown", "Unknown"}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TClockScope Clock(T0);
    TModularCore M;
    EXPECT_TRUE(ModularStringPacket(*M.Core, C.Packet, C.Line));
    for (int32_t K = 1; K <= ModularInstrumentCount; ++K) {
      SCOPED_TRACE(K);
      EXPECT_EQ(M.Value(K), QString::fromLatin1(C.Values[K - 1]));
      EXPECT_EQ(M.Status(K), QString::fromLatin1(C.Statuses[K - 1]));
      if (M.Value(K) != QLatin1String("0.000")) {
        // Both stamps from one clock reading, a millisecond before midnight.
        EXPECT_DOUBLE_EQ(M.Date(K), DateOf(T0));
        EXPECT_DOUBLE_EQ(M.Time(K), TimeOf(T0));
      }
    }
    EXPECT_TRUE(M.Updated());
  }
}

TEST(KirvoStrings, SlotsSharingAPacketBothReceive)
{
  TModularCore M;
  M.Row(2)[SerialPacket] = QStringLiteral("10");
  M.Row(2)[SerialOutputFormat] = QStringLiteral("0.0");
  M.Core->DataFormatArray[static_cast<size_t>(M.Core->QYR2Index)] = QStringLiteral("0.0");
  EXPECT_TRUE(SioDataPacket10StringPacket(*M.Core, "30.25\t12.0"));
  EXPECT_EQ(M.Value(1), QStringLiteral("30.250"));
  EXPECT_EQ(M.Value(2), QStringLiteral("30.3"));
  EXPECT_EQ(M.Status(1), QStringLiteral("30.25\t12.0"));
  EXPECT_EQ(M.Status(2), QStringLiteral("30.25\t12.0"));
  EXPECT_EQ(M.Calls, (std::vector<std::string>{"pump", "save", "windows", "pump"}));
}

TEST(KirvoStrings, UnfittedSlotIsNoReceiver)
{
  // Every slot defaults to address 2; an unfitted one must neither take the
  // line nor have its status text written.
  auto Core = MakeCore({slQYR2});
  Core->SerialArray[slQYR2][SerialAddress] = QStringLiteral("2");
  Core->PortData3 = QStringLiteral("Unknown");
  Core->PortData7 = QStringLiteral("Unknown");
  EXPECT_TRUE(ModularStringPacket(*Core, 10, "02:30.5\t12.0"));
  EXPECT_EQ(Core->Value(Core->QYR2Index), QStringLiteral("30.500"));
  EXPECT_EQ(Core->PortData4, QStringLiteral("30.5\t12.0"));
  EXPECT_EQ(Core->PortData3, QStringLiteral("Unknown"));
  EXPECT_EQ(Core->PortData7, QStringLiteral("Unknown"));
  EXPECT_EQ(Core->Value(0), QStringLiteral("0.000"));
}

TEST(KirvoStrings, AtmosphericCorrection)
{
  struct TCase {
    const char* Name;
    bool AtmosFitted;
    const char* SerialAtmos;
    const char* Atmospheric; // the atmospheric sensor's current value
    AnsiString Line;
    const char* Value; // QYR 1 afterwards
  };
  const TCase Cases[] = {
      {"relative to the live reading", true, "1", "1013.250", "1023.25\tx", "10.000"},
      {"below it", true, "1", "1013.250", "1000\tx", "-13.250"},
      {"not asked for", true, "0", "1013.250", "1023.25\tx", "1023.250"},
      {"no atmospheric sensor fitted", false, "1", "", "1023.25\tx", "1023.250"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto Core = C.AtmosFitted ? MakeCore({slAP1, slQYR1}) : MakeCore({slQYR1});
    Core->SerialArray[slQYR1][SerialPacket] = QStringLiteral("10");
    Core->SerialArray[slQYR1][SerialAtmos] = QString::fromLatin1(C.SerialAtmos);
    if (C.AtmosFitted)
      Core->DataArray[static_cast<size_t>(Core->AP1Index)] = QString::fromLatin1(C.Atmospheric);
    else
      Core->DataArray[0] = QStringLiteral("999.000"); // some other item's leftover
    EXPECT_TRUE(ModularStringPacket(*Core, 10, C.Line));
    EXPECT_EQ(Core->Value(Core->QYR1Index), QString::fromLatin1(C.Value));
  }
}

TEST(KirvoStrings, AtmosphericSensorIsNeverCorrected)
{
  TModularCore M;
  M.Row(5)[SerialAtmos] = QStringLiteral("1");
  M.Core->DataArray[static_cast<size_t>(M.Core->AP1Index)] = QStringLiteral("1000.000");
  EXPECT_TRUE(ModularStringPacket(*M.Core, 11, "1013.25\t1"));
  EXPECT_EQ(M.Value(5), QStringLiteral("1013.250"));
}

// A line whose value cannot be taken: the old value stays, the status text
// says why, the port is to be flushed and the displays are not refreshed.
TEST(KirvoStrings, RefusedLines)
{
  struct TCase {
    const char* Name;
    int32_t Packet;
    AnsiString Line;
    int32_t K;
    String Status;
  };
  const AnsiString Long = "30.1\t" + AnsiString(2000, 'x');
  const TCase Cases[] = {
      {"no TAB on a QYR packet", 10, "30.1", 1, "30.1 [no TAB after the value]"},
      {"bare value on another packet than 11", 10, "02:1013.25", 1, "1013.25 [no TAB after the value]"},
      {"bare addressed atmospheric value", 11, "09:1013.25", 5, "1013.25 [no TAB after the value]"},
      {"empty value", 10, "\t12.0", 1, "12.0 [value is empty]"},
      {"not a number", 16, "3O.1\t12.0", 2, "3O.1\t12.0 [value is not a number]"},
      {"decimal comma", 17, "30,1\t12.0", 3, "30,1\t12.0 [value is not a number]"},
      {"infinite", 18, "1e999\t12.0", 4, "1e999\t12.0 [value is not a number]"},
      {"over-long line", 10, Long, 1,
       QStringLiteral("30.1\t") + QString(72, QLatin1Char('x')) + QStringLiteral("... [longer than 1024 bytes]")},
      // Magnitudes no unit a module may report in makes real.
      {"beyond any unit", 10, "1e100\t12.0", 1, "1e100\t12.0 [value 1E100 is outside -10000000 to 10000000]"},
      {"below any unit", 16, "-10000000.5\t12.0", 2,
       "-10000000.5\t12.0 [value -10000000.5 is outside -10000000 to 10000000]"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TModularCore M;
    M.Row(1)[SerialAddress] = QStringLiteral("2");
    EXPECT_FALSE(ModularStringPacket(*M.Core, C.Packet, C.Line));
    EXPECT_EQ(M.Status(C.K), C.Status);
    EXPECT_EQ(M.Value(C.K), QStringLiteral("0.000"));
    EXPECT_TRUE(M.Calls.empty());
  }
}

TEST(KirvoStrings, AtmosphericReadingThatIsNoNumberStopsTheCorrection)
{
  TModularCore M;
  M.Row(1)[SerialAtmos] = QStringLiteral("1");
  M.Core->DataArray[static_cast<size_t>(M.Core->AP1Index)] = QStringLiteral("Unknown");
  EXPECT_FALSE(SioDataPacket10StringPacket(*M.Core, "30.1\t1"));
  EXPECT_EQ(M.Value(1), QStringLiteral("0.000"));
  EXPECT_EQ(M.Status(1), QStringLiteral("30.1\t1 [atmospheric pressure is not a number]"));
}

// Two receivers on one packet, of which one cannot take the line: the other
// still gets its value and the displays are refreshed; the port is flushed.
TEST(KirvoStrings, OneRefusingReceiverDoesNotCostTheOthers)
{
  TModularCore M;
  M.Row(1)[SerialPacket] = QStringLiteral("11");
  EXPECT_FALSE(SioDataPacket11StringPacket(*M.Core, "1013.25"));
  EXPECT_EQ(M.Value(1), QStringLiteral("0.000"));
  EXPECT_EQ(M.Status(1), QStringLiteral("1013.25 [no TAB after the value]"));
  EXPECT_EQ(M.Value(5), QStringLiteral("1013.250"));
  EXPECT_TRUE(M.Updated());
}

TEST(KirvoStrings, ReplayStoresWithoutRefreshing)
{
  TModularCore M;
  M.Core->File_Replay_Flag = 1;
  EXPECT_TRUE(SioDataPacket16StringPacket(*M.Core, "31.5\t12.0"));
  EXPECT_EQ(M.Value(2), QStringLiteral("31.500"));
  EXPECT_EQ(M.Calls, std::vector<std::string>{"pump"});
}

TEST(KirvoStrings, EveryHandlerServesItsPacket)
{
  using THandler = bool (*)(TCoreData&, const AnsiString&);
  const std::pair<THandler, int32_t> Handlers[] = {
      {SioDataPacket10StringPacket, 1}, {SioDataPacket16StringPacket, 2}, {SioDataPacket17StringPacket, 3},
      {SioDataPacket18StringPacket, 4}, {SioDataPacket11StringPacket, 5},
  };
  for (const auto& [Handler, K] : Handlers) {
    SCOPED_TRACE(K);
    TModularCore M;
    EXPECT_TRUE(Handler(*M.Core, "12.5\t1"));
    for (int32_t J = 1; J <= ModularInstrumentCount; ++J)
      EXPECT_EQ(M.Value(J), J == K ? QStringLiteral("12.500") : QStringLiteral("0.000")) << J;
  }
}

} // namespace
