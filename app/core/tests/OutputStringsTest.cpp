#include "app/core/OutputStrings.h"

#include "CoreFixture.h"
#include "app/core/CoreData.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// The clock of the worked examples: 8 December 2026, 19:30:35.120.
const TDateTime ExampleTime = EncodeDateTime(2026, 12, 8, 19, 30, 35, 120);

using TEncoder = String (*)(const TCoreData&);

struct TNamedEncoder {
  const char* Name;
  TEncoder Encode;
};

const TNamedEncoder Encoders[] = {
    {"TARNWICK", tarnwick}, {"SEAKING LONG", tritech},   {"SEAKING LONG DECIMAL", seaking}, {"DIGIQUARTZ", digiquartz},
    {"UK90 STD", uk90std},  {"GREVON PROC", GrevonProc}, {"GREVON PROC 2", GREVONPROC2},
};

// A core with exactly the given slots fitted and their value texts set.
std::unique_ptr<TCoreData> CoreWithValues(const std::map<int32_t, const char*>& Values)
{
  auto Core = std::make_unique<TCoreData>();
  Array2D Slots = Core->SerialArray;
  for (int32_t N = 0; N < SlotCount; ++N)
    Slots[static_cast<size_t>(N)][SerialFitted] = Values.count(N) ? QStringLiteral("1") : QStringLiteral("0");
  Core->RebuildFromSlots(Slots);
  for (const auto& [Slot, Text] : Values)
    Core->DataArray[static_cast<size_t>(Core->SlotIndex(Slot))] = QString::fromLatin1(Text);
  return Core;
}

String Bytes(const char* S) { return QString::fromLatin1(S); }

TEST(OutputStrings, WorkedExamplesWithOnlyADepth)
{
  const TClockScope Clock(ExampleTime);
  const auto Core = CoreWithValues({{slBathyDepth, "12.345"}});
  const std::map<String, String> Expected = {
      {"TARNWICK", "08/12/2026\t19:30:35\t12.345\t\r\n"},
      {"SEAKING LONG", "%D007004270319303512+0000012345+0000000000140000000090000009000000000000+0000000000"
                       "-10000000000000090000000000\r\n"},
      {"SEAKING LONG DECIMAL", "%D007004270319303512+000012.345+0000000000140000000090000009000000000000+0000000000"
                               "-10000000000000090000000000\r\n"},
      {"DIGIQUARTZ", "*00000012.345\r\n"},
      {"UK90 STD", "D0012.34 A00.00 A00.00 TT00       P0900 V14000 dd00000 H00\r\n"},
      {"GREVON PROC", "+000000000000000+0000000000000000000000000+0000000000+000000000000000+0000000000007"
                      "+000001234519303512\r\n"},
      {"GREVON PROC (PREFIX)", "%D0074042700+000000000000000+0000000000000000000000000+0000000000+000000000000000"
                               "+0000000000007+000001234519303512\r\n"},
      {"GREVON PROC 2", "+000000000000000+0000000000000000000000000+0000000000+000009000000000+0000000000007"
                        "+000001234519303512\r\n"},
  };
  for (const auto& [Name, Telegram] : Expected)
    EXPECT_EQ(OutputTelegram(*Core, Name), Telegram) << Name.toStdString();
  EXPECT_EQ(OutputTelegram(*Core, Bytes("SeaKing Long")), String());
  EXPECT_EQ(OutputTelegram(*Core, Bytes("")), String());
  // The fixed widths of the layouts.
  EXPECT_EQ(tritech(*Core).size(), 112);
  EXPECT_EQ(GrevonProc(*Core).size(), 104);
}

TEST(OutputStrings, PressureAloneGivesTheScaledPressureAndItsFlag)
{
  const TClockScope Clock(ExampleTime);
  const auto Core = CoreWithValues({{slWP1, "12.345"}});
  const String SeaKing = tritech(*Core);
  EXPECT_EQ(SeaKing.mid(62, 10), Bytes("0001790490"));
  EXPECT_EQ(SeaKing.mid(104, 6), Bytes("001000"));
  EXPECT_EQ(seaking(*Core).mid(62, 10), Bytes("0001790490"));
  EXPECT_EQ(GrevonProc(*Core).mid(6, 10), Bytes("0001790490"));
  // No depth item: the GREVON depth field is seven zeros.
  EXPECT_EQ(GrevonProc(*Core).size(), 100);
}

// Every item fitted with a plausible sample.
std::unique_ptr<TCoreData> FullSample()
{
  return CoreWithValues({
      {slBathyDepth, "12.345"},
      {slALT1, "1003.200"},
      {slSVS1, "1500.123"},
      {slMeanDensity, "1025.123"},
      {slAP1, "10.130"},
      {slWP1, "12.345"},
      {slWT1, "12.345"},
      {slConductivity, "45.000"},
      {slCalcDensity, "1025.456"},
      {slSalinity, "35.123"},
  });
}

TEST(OutputStrings, EveryItemFitted)
{
  const TClockScope Clock(ExampleTime);
  const auto Core = FullSample();
  struct TCase {
    TEncoder Encode;
    const char* Telegram;
  };
  const TCase Cases[] = {
      {tritech, "%D0070042703"
                "19303512"
                "+0000012345"
                "+0000001003"
                "15001"
                "0000102512"
                "00010"
                "0001790490"
                "+0000000000"
                "+0123"
                "045000"
                "0000102545"
                "031"
                "007"
                "\r\n"},
      {seaking, "%D0070042703"
                "19303512"
                "+000012.345"
                "+0000001003"
                "1500.1"
                "0001025.12"
                "10.130"
                "0001790490"
                "+0000000000"
                "+012.3"
                "45.000"
                "0001025.45"
                "031"
                "007"
                "\r\n"},
      {uk90std, "D0012.34 A1003.20 A1003.20 T12       P1013 V15001 d10254 H00\r\n"},
      {GrevonProc, "+00123"
                   "0001790490"
                   "+00000"
                   "0000000000"
                   "0000000000"
                   "+00000"
                   "45000"
                   "+01234"
                   "35123"
                   "15001"
                   "+0001003200"
                   "007"
                   "+0000012345"
                   "19303512"
                   "\r\n"},
      {GREVONPROC2, "+00123"
                    "0001790490"
                    "+00000"
                    "0000000000"
                    "0000000000"
                    "+00000"
                    "45000"
                    "+01234"
                    "102545"
                    "15001"
                    "+0000001003"
                    "007"
                    "+0000012345"
                    "19303512"
                    "\r\n"},
      {digiquartz, "*00000012.345\r\n"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(C.Encode(*Core), Bytes(C.Telegram));

  // TARNWICK lists every fitted item in slot order.
  EXPECT_EQ(tarnwick(*Core), Bytes("08/12/2026\t19:30:35\t45.000\t12.345\t12.345\t1003.200\t1500.123\t12.345\t"
                                   "1025.456\t1025.123\t35.123\t10.130\t\r\n"));
}

TEST(OutputStrings, SignsAndEdgeValues)
{
  const TClockScope Clock(ExampleTime);
  struct TCase {
    int32_t Slot;
    const char* Value;
    TEncoder Encode;
    int Start, Length;
    const char* Field;
  };
  const TCase Cases[] = {
      // DIGIQUARTZ puts the zeros after the minus sign.
      {slBathyDepth, "-1.234", digiquartz, 1, 12, "-0000001.234"},
      {slBathyDepth, "-1.234", uk90std, 1, 7, "0000.00"},
      {slBathyDepth, "-1.234", tritech, 20, 11, "-0000001234"},
      {slBathyDepth, "-1.234", GrevonProc, 83, 11, "-0000001234"},
      {slAP1, "120.000", uk90std, 35, 4, "9999"},
      {slAP1, "-3.000", uk90std, 35, 4, "0000"},
      {slAP1, "0.500", uk90std, 35, 4, "0050"},
      {slAP1, "12.345", uk90std, 35, 4, "1234"},
      {slWT1, "5.123", seaking, 83, 5, "+05.1"},
      {slWT1, "-1.234", tritech, 83, 5, "-0012"},
      {slWT1, "-1.234", GrevonProc, 0, 6, "-00012"},
      // A slightly negative pressure keeps its sign in front of the zeros.
      {slWP1, "-0.050", tritech, 62, 10, "-000007251"},
      {slWP1, "-0.050", GrevonProc, 6, 10, "-000007251"},
  };
  for (const auto& C : Cases) {
    const auto Core = CoreWithValues({{C.Slot, C.Value}});
    const String Telegram = C.Encode(*Core);
    EXPECT_EQ(Telegram.mid(C.Start, C.Length), Bytes(C.Field)) << C.Value << " in " << Telegram.toStdString();
  }
}

// Value texts of every shape the settings' masks and the modular
// instruments can leave in the table (short, long, signed, without decimals,
// with a unit, starting with the point): each field operation at its edges.
// The telegrams are those the encoders have always made of them.
TEST(OutputStrings, ValueTextsOfEveryShapeKeepTheirTelegrams)
{
  const TClockScope Clock(ExampleTime);
  struct TCase {
    const char* Value;        // the text of every item
    const char* Telegrams[7]; // in the order of Encoders
  };
  const TCase Cases[] = {
      {"7",
       {"08/12/2026\t19:30:35\t7\t7\t7\t7\t7\t7\t7\t7\t7\t7\t\r\n",
        "%D007004270319303512+0000000007+0000000007000070000000000000070001015263+0000000000+"
        "00000000070000000000031007\r\n",
        "%D007004270319303512+0000000007+0000000007000070000000000000070001015263+0000000000+"
        "0000070000000000031007\r\n",
        "*000000000007\r\n", "D0000000 A00000 A00000 T07       P0700 V00007 d00007 H00\r\n",
        "+000000001015263+0000000000000000000000000+0000000007+000000000700007+0000007000007+000000000719303512\r\n",
        "+000000001015263+0000000000000000000000000+0000000007+000000000000007+0000000007007+000000000719303512\r\n"}},
      {"-0.05",
       {"08/12/2026\t19:30:35\t-0.05\t-0.05\t-0.05\t-0.05\t-0.05\t-0.05\t-0.05\t-0.05\t-0.05\t-0.05\t\r\n",
        "%D007004270319303512-0000000005-0000000000-0000-000000000-0000-000007251+0000000000-0000-00005-"
        "000000000031007\r\n",
        "%D007004270319303512-0000000.05-0000000000-000.-0000000.0-0.05-000007251+0000000000-00.-00.05-0000000."
        "0031007\r\n",
        "*-00000000.05\r\n", "D0000.00 A-00.0 A-00.0 T-0       P0000 V-0000 d-0005 H00\r\n",
        "-00000-000007251+0000000000000000000000000+00000-0005-00000-0005-0000-0000000050007-000000000519303512\r\n",
        "-00000-000007251+0000000000000000000000000+00000-0005-00000-0000-0000-0000000000007-000000000519303512\r\n"}},
      {"123456.789",
       {"08/12/"
        "2026\t19:30:35\t123456.789\t123456.789\t123456.789\t123456.789\t123456.789\t123456.789\t123456.789\t123456."
        "789\t123456.789\t123456.789\t\r\n",
        "%D007004270319303512+0123456789+00001234561234567001234567812345617905886355+0000000000+"
        "12345671234567890012345678031007\r\n",
        "%D007004270319303512+123456.789+0000123456123456.70123456.78123456.78917905886355+0000000000+123456.7123456."
        "7890123456.78031007\r\n",
        "*00123456.789\r\n", "D123456.78 A123456.78 A123456.78 T12       P9999 V1234567 d12345 H00\r\n",
        "+0123456717905886355+0000000000000000000000000+00000123456789+12345678123451234567+0123456789007+"
        "012345678919303512\r\n",
        "+0123456717905886355+0000000000000000000000000+00000123456789+12345678123456781234567+0000123456007+"
        "012345678919303512\r\n"}},
      {"1.5",
       {"08/12/2026\t19:30:35\t1.5\t1.5\t1.5\t1.5\t1.5\t1.5\t1.5\t1.5\t1.5\t1.5\t\r\n",
        "%D007004270319303512+0000000015+0000000001000000000000001000010000217556+0000000000+"
        "00000000150000000001031007\r\n",
        "%D007004270319303512+00000001.5+000000000100001000000001.001.50000217556+0000000000+010001.5000000001."
        "031007\r\n",
        "*0000000001.5\r\n", "D000001. A0001. A0001. T1.       P0150 V00000 d00015 H00\r\n",
        "+000000000217556+0000000000000000000000000+0000000015+000010001500000+0000001500007+000000001519303512\r\n",
        "+000000000217556+0000000000000000000000000+0000000015+000010000100000+0000000001007+000000001519303512\r\n"}},
      {"0.000",
       {"08/12/2026\t19:30:35\t0.000\t0.000\t0.000\t0.000\t0.000\t0.000\t0.000\t0.000\t0.000\t0.000\t\r\n",
        "%D007004270319303512+0000000000+0000000000000000000000000000000000000000+0000000000+"
        "00000000000000000000031007\r\n",
        "%D007004270319303512+000000.000+0000000000000.00000000.000.0000000000000+0000000000+00.000.0000000000."
        "00031007\r\n",
        "*00000000.000\r\n", "D0000.00 A00.00 A00.00 T0.       P0000 V00000 d00000 H00\r\n",
        "+000000000000000+0000000000000000000000000+0000000000+000000000000000+0000000000007+000000000019303512\r\n",
        "+000000000000000+0000000000000000000000000+0000000000+000000000000000+0000000000007+000000000019303512\r\n"}},
      {"-1234.5678",
       {"08/12/"
        "2026\t19:30:35\t-1234.5678\t-1234.5678\t-1234.5678\t-1234.5678\t-1234.5678\t-1234.5678\t-1234.5678\t-1234."
        "5678\t-1234.5678\t-1234.5678\t\r\n",
        "%D007004270319303512-0012345678-0000012348-123456-001234567-12348-179058850+0000000000-123456-12345678-"
        "001234567031007\r\n",
        "%D007004270319303512-01234.5678-0000012348-1234.56-01234.567-1234.5678-179058850+0000000000-1234.56-1234.5678-"
        "01234.567031007\r\n",
        "*-001234.5678\r\n", "D0000.00 A-1234.567 A-1234.567 T-1       P0000 V-123456 d-1234 H00\r\n",
        "-0123456-179058850+0000000000000000000000000+00000-12345678-1234567-1234-123456-0001234567007-"
        "001234567819303512\r\n",
        "-0123456-179058850+0000000000000000000000000+00000-12345678-1234567-1234567-123456-0000012348007-"
        "001234567819303512\r\n"}},
      {"+12.30",
       {"08/12/2026\t19:30:35\t+12.30\t+12.30\t+12.30\t+12.30\t+12.30\t+12.30\t+12.30\t+12.30\t+12.30\t+12.30\t\r\n",
        "%D007004270319303512+00000+1230+0000000+1200+12000000+12300+120001783963+0000000000+0+120+1230000000+"
        "123031007\r\n",
        "%D007004270319303512+0000+12.30+0000000+120+12.00000+12.3+12.300001783963+0000000000+0+12.+12.3000000+12."
        "3031007\r\n",
        "*000000+12.30\r\n", "D00+12.3 A+12.3 A+12.3 T+1       P1230 V00+12 d00123 H00\r\n",
        "+00+120001783963+0000000000000000000000000+00000+1230+0+123+123000+12+0000012300007+00000+123019303512\r\n",
        "+00+120001783963+0000000000000000000000000+00000+1230+0+1230+12300+12+0000000+12007+00000+123019303512\r\n"}},
      {"12.345 m",
       {"08/12/2026\t19:30:35\t12.345 m\t12.345 m\t12.345 m\t12.345 m\t12.345 m\t12.345 m\t12.345 m\t12.345 m\t12.345 "
        "m\t12.345 m\t\r\n",
        "%D007004270300000000+0000000000+0000000000140000000090000009000000000000+0000000000-"
        "10000000000000090000000000\r\n",
        "%D007004270300000000+0000000000+0000000000140000000090000009000000000000+0000000000-"
        "10000000000000090000000000\r\n",
        "*00000000.000\r\n", "D 0000.00 A00.00 A00.00 T00       P0000 V00000 d00000 H00\r\n",
        "+000000000000000+0000000000000000000000000-0000000000+000000000000000+0000000000000+000000000000000000\r\n",
        "+000000000000000+0000000000000000000000000-0000000000+000000000000000+0000000000000+000000000000000000\r\n"}},
      {".5",
       {"08/12/2026\t19:30:35\t.5\t.5\t.5\t.5\t.5\t.5\t.5\t.5\t.5\t.5\t\r\n",
        "%D007004270319303512+0000000005+0000000000000050000000000000000000072518+0000000000+"
        "00000000050000000000031007\r\n",
        "%D007004270319303512+00000000.5+000000000000000000000000.000.50000072518+0000000000+00000.5000000000."
        "031007\r\n",
        "*0000000000.5\r\n", "D000000. A0000. A0000. T.5       P0050 V00005 d00005 H00\r\n",
        "+000000000072518+0000000000000000000000000+0000000005+000000000500005+0000000500007+000000000519303512\r\n",
        "+000000000072518+0000000000000000000000000+0000000005+000000000000005+0000000000007+000000000519303512\r\n"}},
  };
  for (const TCase& C : Cases) {
    const auto Core = CoreWithValues({{slBathyDepth, C.Value},
                                      {slALT1, C.Value},
                                      {slSVS1, C.Value},
                                      {slMeanDensity, C.Value},
                                      {slAP1, C.Value},
                                      {slWP1, C.Value},
                                      {slWT1, C.Value},
                                      {slConductivity, C.Value},
                                      {slCalcDensity, C.Value},
                                      {slSalinity, C.Value}});
    for (size_t E = 0; E < std::size(Encoders); ++E)
      EXPECT_EQ(Encoders[E].Encode(*Core), Bytes(C.Telegrams[E])) << C.Value << " in " << Encoders[E].Name;
  }
}

TEST(OutputStrings, HeightAboveSeaLevel)
{
  const auto Core = CoreWithValues({});
  struct TCase {
    const char* Height;
    const char* Field;
  };
  const TCase Cases[] = {{"5", " H05\r\n"}, {"123", " H99\r\n"}, {"", " H00\r\n"}, {"07", " H07\r\n"}};
  for (const auto& C : Cases) {
    Core->Height_Above_Sea_Level = Bytes(C.Height);
    EXPECT_TRUE(uk90std(*Core).endsWith(Bytes(C.Field))) << C.Height;
    EXPECT_EQ(Core->Height_Above_Sea_Level, Bytes(C.Height));
  }
}

TEST(OutputStrings, ValueThatDoesNotConvertGivesTheFallback)
{
  const TClockScope Clock(ExampleTime);
  const String SeaKingFallback =
      Bytes("%D007004270300000000+0000000000+0000000000140000000090000009000000000000+0000000000"
            "-10000000000000090000000000\r\n");
  const String GrevonFallback =
      Bytes("+000000000000000+0000000000000000000000000-0000000000+000000000000000+0000000000000"
            "+000000000000000000\r\n");
  struct TCase {
    int32_t Slot;
    TEncoder Encode;
    String Fallback;
  };
  const TCase Cases[] = {
      {slWP1, tritech, SeaKingFallback},
      {slWP1, seaking, SeaKingFallback},
      {slBathyDepth, digiquartz, Bytes("*00000000.000\r\n")},
      {slBathyDepth, uk90std, Bytes("D 0000.00 A00.00 A00.00 T00       P0000 V00000 d00000 H00\r\n")},
      {slAP1, uk90std, Bytes("D 0000.00 A00.00 A00.00 T00       P0000 V00000 d00000 H00\r\n")},
      {slWP1, GrevonProc, GrevonFallback},
      {slALT1, GrevonProc, GrevonFallback},
      {slWP1, GREVONPROC2, GrevonFallback},
  };
  for (const auto& C : Cases) {
    const auto Core = CoreWithValues({{C.Slot, "n/a"}});
    EXPECT_EQ(C.Encode(*Core), C.Fallback) << C.Slot;
  }
  // TARNWICK converts nothing and passes the text on.
  const auto Core = CoreWithValues({{slWP1, "n/a"}});
  EXPECT_EQ(tarnwick(*Core), Bytes("08/12/2026\t19:30:35\tn/a\t\r\n"));
}

TEST(OutputStrings, HundredthsFromTheSameReadingAsTheSeconds)
{
  struct TCase {
    int32_t Ms;
    const char* Clock;
  };
  // Milliseconds / 10 rounded half to even, cut to two digits.
  const TCase Cases[] = {{0, "19303500"},   {5, "19303500"},   {15, "19303502"},  {25, "19303502"}, {120, "19303512"},
                         {985, "19303598"}, {994, "19303599"}, {995, "19303500"}, {999, "19303500"}};
  const auto Core = CoreWithValues({{slBathyDepth, "12.345"}});
  for (const auto& C : Cases) {
    // Each further reading of the clock would be 10 ms later.
    const TDateTime At = EncodeDateTime(2026, 12, 8, 19, 30, 35, C.Ms);
    {
      const TClockScope Clock(At, 10);
      EXPECT_EQ(tritech(*Core).mid(12, 8), Bytes(C.Clock)) << C.Ms;
    }
    const TClockScope Clock(At, 10);
    EXPECT_EQ(GrevonProc(*Core).mid(94, 8), Bytes(C.Clock)) << C.Ms;
  }

  // Exactly one reading per telegram with a time in it, none without.
  const std::map<String, int> Reads = {{"TARNWICK", 1},     {"SEAKING LONG", 1}, {"SEAKING LONG DECIMAL", 1},
                                       {"DIGIQUARTZ", 0},   {"UK90 STD", 0},     {"GREVON PROC", 1},
                                       {"GREVON PROC 2", 1}};
  for (const auto& E : Encoders) {
    const TClockScope Clock(EncodeDateTime(2026, 12, 8, 23, 59, 59, 999), 1);
    E.Encode(*Core);
    EXPECT_EQ(TTestClock::Reads, Reads.at(Bytes(E.Name))) << E.Name;
  }
  // At 23:59:59.999 the date and the time come from one reading too.
  const TClockScope Clock(EncodeDateTime(2026, 12, 8, 23, 59, 59, 999), 1);
  EXPECT_TRUE(tarnwick(*Core).startsWith(Bytes("08/12/2026\t23:59:59\t")));
}

TEST(OutputStrings, OutputDataSendsWhenTheBufferHasRoom)
{
  const TClockScope Clock(ExampleTime);
  const auto Core = CoreWithValues({{slBathyDepth, "12.345"}});
  Core->Output_1_Format = Bytes("DIGIQUARTZ");
  Core->Output_2_Format = Bytes("TARNWICK");
  Core->Output_3_Format = Bytes("UK90 STD");
  Core->Output_4_Format = Bytes("NO SUCH FORMAT");
  std::map<int32_t, int32_t> Free = {{1, 15}, {2, 1000}, {3, 10}, {4, 0}};
  std::vector<std::pair<int32_t, AnsiString>> Sent;
  Core->Hooks.OutputBufferFree = [&](int32_t N) { return Free.at(N); };
  Core->Hooks.OutputPutString = [&](int32_t N, const AnsiString& T) { Sent.emplace_back(N, T); };

  for (int32_t N = 1; N <= 4; ++N)
    OutputData(*Core, N);
  // Output 1's telegram is 15 bytes and just fits; output 3's does not; the
  // unknown format sends nothing and shows an empty status.
  ASSERT_EQ(Sent.size(), 2u);
  EXPECT_EQ(Sent[0], std::make_pair(1, AnsiString("*00000012.345\r\n")));
  EXPECT_EQ(Sent[1], std::make_pair(2, AnsiString("08/12/2026\t19:30:35\t12.345\t\r\n")));
  EXPECT_EQ(Core->PortData2, Bytes("*00000012.345\r\n"));
  EXPECT_EQ(Core->PortData8, Bytes("08/12/2026\t19:30:35\t12.345\t\r\n"));
  EXPECT_EQ(Core->PortData9, Bytes("Unknown"));
  EXPECT_EQ(Core->PortData10, String());

  Free[1] = 14;
  Core->Output_1_Format = Bytes("GREVON PROC");
  OutputData1(*Core);
  EXPECT_EQ(Sent.size(), 2u);
  EXPECT_EQ(Core->PortData2, Bytes("*00000012.345\r\n"));
}

TEST(OutputStrings, SkippedTelegramsAreCountedPerOutputAndShownWithItsStatus)
{
  const TClockScope Clock(ExampleTime);
  const auto Core = CoreWithValues({{slBathyDepth, "12.345"}});
  Core->Output_1_Format = Bytes("DIGIQUARTZ"); // 15 bytes
  Core->Output_2_Format = Bytes("DIGIQUARTZ");
  std::map<int32_t, int32_t> Free = {{1, 0}, {2, 1000}};
  Core->Hooks.OutputBufferFree = [&](int32_t N) { return Free.at(N); };
  Core->Hooks.OutputPutString = [](int32_t, const AnsiString&) {};
  const struct {
    int32_t Free1;      // room on output 1 for this sample
    int64_t Skipped1;   // output 1's count afterwards
    const char* Shown1; // and its status as shown
  } Samples[] = {
      {0, 1, "Unknown (1 telegram skipped)"},
      {14, 2, "Unknown (2 telegrams skipped)"},
      {15, 2, "*00000012.345\r\n (2 telegrams skipped)"},
      {0, 3, "*00000012.345\r\n (3 telegrams skipped)"},
  };
  for (const auto& S : Samples) {
    Free[1] = S.Free1;
    OutputData(*Core, 1);
    OutputData(*Core, 2);
    EXPECT_EQ(Core->OutputSkipped(1), S.Skipped1) << S.Shown1;
    EXPECT_EQ(Core->OutputStatusShown(1), Bytes(S.Shown1));
  }
  EXPECT_EQ(Core->OutputSkipped(2), 0) << "counted per output";
  EXPECT_EQ(Core->OutputStatusShown(2), Bytes("*00000012.345\r\n"));
  Core->ResetPortData();
  EXPECT_EQ(Core->OutputSkipped(1), 0);
  EXPECT_THROW(Core->OutputSkipped(5), ERangeError);
}

TEST(OutputStrings, PrefixIsSentInTheCodePageOfThePort)
{
  const TClockScope Clock(ExampleTime);
  const auto Core = CoreWithValues({{slBathyDepth, "12.345"}});
  Core->Grevon_Proc_Prefix = QStringLiteral("\u00a3\u20ac"); // pound, euro
  Core->Output_1_Format = Bytes("GREVON PROC (PREFIX)");
  AnsiString Sent;
  Core->Hooks.OutputPutString = [&](int32_t, const AnsiString& T) { Sent = T; };
  OutputData1(*Core);
  EXPECT_EQ(Sent.left(2), AnsiString("\xa3\x80"));
  EXPECT_EQ(Sent.size(), 106);
}

} // namespace
