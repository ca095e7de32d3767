#include "sim/InstrumentModel.h"
#include "sim/KirvoModel.h"
#include "sim/QuorndeckModel.h"

#include "rtl/Exceptions.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace sim;

namespace {

struct DialogueCase {
  const char* Name;
  InstrumentKind Kind;
  LineMode Mode;
  int Address;
  std::vector<const char*> Before; // lines sent first, replies ignored
  const char* Line;
  bool Answered;
  const char* Echo;
  const char* Reply;
};

// What the logger's reply packets see. Quorndeck: queries are read from the
// first byte after the echo line; Kirvo: replies wait for CR LF first, which
// in RS232 the echo provides. Both end with CR LF ">".
const DialogueCase Dialogues[] = {
    {"QuorndeckRs232Query",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#"},
     "#010",
     true,
     "#010\r\n",
     "0.000;01/01/2007 00:00:00\r\n>"},
    {"QuorndeckRs232AddressIgnored",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#"},
     "00:#034",
     true,
     "00:#034\r\n",
     "12345\r\n>"},
    {"QuorndeckRs485OwnAddress",
     InstrumentKind::Quorndeck,
     LineMode::RS485,
     12,
     {"12:#"},
     "12:#034",
     true,
     "",
     "12345\r\n>"},
    {"QuorndeckRs485Broadcast",
     InstrumentKind::Quorndeck,
     LineMode::RS485,
     12,
     {"12:#"},
     "00:#034",
     true,
     "",
     "12345\r\n>"},
    {"QuorndeckRs485OtherAddress", InstrumentKind::Quorndeck, LineMode::RS485, 12, {"12:#"}, "02:#034", false, "", ""},
    {"QuorndeckRs485Unaddressed", InstrumentKind::Quorndeck, LineMode::RS485, 12, {"12:#"}, "#034", false, "", ""},
    {"QuorndeckBreakRs232",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {},
     "#",
     true,
     "#\r\n",
     "You are now in command mode\r\n>"},
    {"QuorndeckBreakRs485",
     InstrumentKind::Quorndeck,
     LineMode::RS485,
     12,
     {},
     "12:#",
     true,
     "",
     "You are now in command mode\r\n>"},
    {"QuorndeckBreakOtherAddress", InstrumentKind::Quorndeck, LineMode::RS485, 12, {}, "11:#", false, "", ""},
    {"QuorndeckRunningHearsOnlyBreak", InstrumentKind::Quorndeck, LineMode::RS232, 2, {}, "#034", false, "", ""},
    {"QuorndeckUnknownCommand",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#"},
     "#999",
     true,
     "#999\r\n",
     "ERROR\r\n>"},
    {"QuorndeckBadArguments",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#"},
     "#049;x;9.81",
     true,
     "#049;x;9.81\r\n",
     "ERROR\r\n>"},
    {"QuorndeckDensityGravity",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#", "#049;1025.5;9.81"},
     "#050",
     true,
     "#050\r\n",
     "1025.5;9.81\r\n>"},
    {"QuorndeckAltimeterType",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#", "#085;47;2;2"},
     "#086;47",
     true,
     "#086;47\r\n",
     "47;2;2\r\n>"},
    {"QuorndeckUserTare",
     InstrumentKind::Quorndeck,
     LineMode::RS485,
     3,
     {"03:#", "03:#009;USER;1.5"},
     "03:#010",
     true,
     "",
     "1.500;01/02/2024 10:20:30\r\n>"},
    {"QuorndeckClockSetAndRead",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#", "#052;01;02;24;10;20;30"},
     "#053",
     true,
     "#053\r\n",
     "01/02/2024 10:20:30\r\n>"},
    {"QuorndeckBadClock",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#"},
     "#052;31;02;24;10;20;30",
     true,
     "#052;31;02;24;10;20;30\r\n",
     "ERROR\r\n>"},
    {"QuorndeckSamplingString",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     2,
     {"#", "#003;CONT;8;10;60;NONE;2"},
     "#004",
     true,
     "#004\r\n",
     "CONT;8;10;60;NONE;2\r\n>"},
    // Address mode: the reply still goes out framed as the line came in.
    {"QuorndeckAddressModeOffByBroadcast",
     InstrumentKind::Quorndeck,
     LineMode::RS485,
     12,
     {"12:#"},
     "00:#005;OFF",
     true,
     "",
     "\r\n>"},
    {"QuorndeckAddressModeOnInRs232",
     InstrumentKind::Quorndeck,
     LineMode::RS232,
     12,
     {"#"},
     "#005;ON",
     true,
     "#005;ON\r\n",
     "\r\n>"},
    {"QuorndeckRunRs232", InstrumentKind::Quorndeck, LineMode::RS232, 2, {"#"}, "#028", true, "#028\r\n", ""},
    {"QuorndeckRunRs485", InstrumentKind::Quorndeck, LineMode::RS485, 2, {"02:#"}, "02:#028", true, "", "\r\n"},

    {"KirvoRs485UnitList",
     InstrumentKind::Qyr,
     LineMode::RS485,
     2,
     {"99:##"},
     "99:#062",
     true,
     "",
     "\r\nkirvo units fitted\r\n1;2;5\r\n>"},
    {"KirvoRs485ModuleQuery",
     InstrumentKind::Qyr,
     LineMode::RS485,
     2,
     {"99:##"},
     "05:#004",
     true,
     "",
     "\r\nCONT;1;1;60;NONE;1\r\n>"},
    {"KirvoRs485OtherUnit", InstrumentKind::Qyr, LineMode::RS485, 2, {"99:##"}, "07:#004", false, "", ""},
    {"KirvoRs485Break", InstrumentKind::Qyr, LineMode::RS485, 2, {}, "99:##", true, "", "\r\n\r\n>"},
    {"KirvoRs232Break", InstrumentKind::Atmospheric, LineMode::RS232, 2, {}, "#", true, "#\r\n", "\r\n>"},
    {"KirvoRs232ParameterList",
     InstrumentKind::Qyr,
     LineMode::RS232,
     2,
     {"#"},
     "#062",
     true,
     "#062\r\n",
     "2;PRESSURE;TEMPERATURE\r\n>"},
    {"KirvoTarn", InstrumentKind::Qyr, LineMode::RS232, 2, {"#"}, "TARN", true, "TARN\r\n", "\r\n>"},
    {"KirvoSetAddress", InstrumentKind::Qyr, LineMode::RS232, 2, {"#", "#001;7"}, "#002", true, "#002\r\n", "07\r\n>"},
    {"KirvoSetAddressTaken",
     InstrumentKind::Qyr,
     LineMode::RS232,
     2,
     {"#"},
     "#001;5",
     true,
     "#001;5\r\n",
     "no response\r\n>"},
    {"KirvoRate",
     InstrumentKind::Qyr,
     LineMode::RS485,
     2,
     {"99:##", "99:#107;250"},
     "99:#108",
     true,
     "",
     "\r\n250\r\n>"},
    {"KirvoUnknown", InstrumentKind::Qyr, LineMode::RS232, 2, {"#"}, "#999", true, "#999\r\n", "no response\r\n>"},
    {"KirvoRunRs485", InstrumentKind::Qyr, LineMode::RS485, 2, {"99:##"}, "99:#028", true, "", "\r\nGO\r\n"},
    {"KirvoRunRs232", InstrumentKind::Qyr, LineMode::RS232, 2, {"#"}, "#028", true, "#028\r\n", "GO\r\n"},
};

class Dialogue : public testing::TestWithParam<DialogueCase> {};

std::unique_ptr<InstrumentModel> Make(const DialogueCase& C)
{
  auto M = InstrumentModel::Create(C.Kind);
  M->SetMode(C.Mode);
  if (auto* K = dynamic_cast<KirvoModel*>(M.get()))
    K->SetUnits({2, 5});
  else
    M->SetAddress(C.Address);
  M->SetWallClock([] { return QDateTime(QDate(2024, 2, 1), QTime(10, 20, 30)); });
  return M;
}

} // namespace

TEST_P(Dialogue, AnswersAsTheLoggerExpects)
{
  const DialogueCase& C = GetParam();
  auto M = Make(C);
  for (const char* L : C.Before)
    ASSERT_TRUE(M->Handle(L, false).Answered) << L;
  const Response R = M->Handle(C.Line, false);
  EXPECT_EQ(R.Answered, C.Answered);
  EXPECT_EQ(R.Echo, AnsiString(C.Echo));
  EXPECT_EQ(R.Reply, AnsiString(C.Reply));
}

INSTANTIATE_TEST_SUITE_P(Sim, Dialogue, testing::ValuesIn(Dialogues),
                         [](const testing::TestParamInfo<DialogueCase>& I) { return std::string(I.param.Name); });

// The address mode commands move the instrument between bus and point-to-
// point behaviour: after "#005;ON" unaddressed lines go unheard.
TEST(InstrumentModel, AddressModeSwitchChangesWhatIsHeard)
{
  QuorndeckModel Q;
  Q.SetAddress(12);
  Q.SetRunning(false);
  ASSERT_TRUE(Q.Handle("#005;ON", false).Answered);
  EXPECT_EQ(Q.Mode(), LineMode::RS485);
  EXPECT_FALSE(Q.Handle("#034", false).Answered);
  EXPECT_EQ(Q.Handle("12:#006", false).Reply, AnsiString("ON\r\n>"));
  ASSERT_TRUE(Q.Handle("00:#005;OFF", false).Answered);
  EXPECT_EQ(Q.Mode(), LineMode::RS232);
  EXPECT_EQ(Q.Handle("#006", false).Reply, AnsiString("OFF\r\n>"));
}

// A refused command answers the error text and changes nothing.
TEST(InstrumentModel, AnswerErrorRefusesWithoutActing)
{
  QuorndeckModel Q;
  Q.SetRunning(false);
  const Response R = Q.Handle("#028", true);
  EXPECT_EQ(R.Echo, AnsiString("#028\r\n"));
  EXPECT_EQ(R.Reply, AnsiString("ERROR\r\n>"));
  EXPECT_FALSE(Q.Running());
  KirvoModel K(false);
  K.SetRunning(false);
  K.SetMode(LineMode::RS485);
  EXPECT_EQ(K.Handle("99:#028", true).Reply, AnsiString("\r\nno response\r\n>"));
  EXPECT_FALSE(K.Running());
}

// Data lines: addressed on the bus, bare in RS232, one per module; the
// atmospheric sensor sends its bare value when unaddressed.
TEST(InstrumentModel, ModularDataLines)
{
  const struct {
    bool Atmospheric;
    LineMode Mode;
    const char* Pattern;
  } Cases[] = {
      {false, LineMode::RS485, R"(^>02:\d+\.\d{4}\t\d+\.\d{3}\r\n>05:\d+\.\d{4}\t\d+\.\d{3}\r\n$)"},
      {false, LineMode::RS232, R"(^\d+\.\d{4}\t\d+\.\d{3}\r\n\d+\.\d{4}\t\d+\.\d{3}\r\n$)"},
      {true, LineMode::RS485, R"(^>02:10\.13\d\d\t\d+\.\d{3}\r\n>05:10\.13\d\d\t\d+\.\d{3}\r\n$)"},
      {true, LineMode::RS232, R"(^10\.13\d\d\r\n10\.13\d\d\r\n$)"},
  };
  for (const auto& C : Cases) {
    KirvoModel K(C.Atmospheric);
    K.SetUnits({2, 5});
    K.SetMode(C.Mode);
    const AnsiString L = K.NextSample();
    EXPECT_TRUE(QString::fromLatin1(L).contains(QRegularExpression(C.Pattern))) << L.toStdString();
  }
}

TEST(InstrumentModel, ScriptReplacesGeneratedLinesAndRepeats)
{
  QuorndeckModel Q;
  Q.SetScript({"a\tb", "c"});
  EXPECT_EQ(Q.NextSample(), AnsiString("a\tb\r\n"));
  EXPECT_EQ(Q.NextSample(), AnsiString("c\r\n"));
  EXPECT_EQ(Q.NextSample(), AnsiString("a\tb\r\n"));
  EXPECT_EQ(Q.SamplesSent(), 3);
}

TEST(InstrumentModel, UnitNumbersAreChecked)
{
  KirvoModel K(false);
  for (const std::vector<int>& Bad : std::vector<std::vector<int>>{{}, {1}, {99}, {2, 2}, {2, 0}})
    EXPECT_THROW(K.SetUnits(Bad), EArgumentException);
  K.SetUnits({4, 3});
  EXPECT_EQ(K.Address(), 4);
}
