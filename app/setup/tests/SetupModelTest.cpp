// The set-up screen's model: what filling its fields does to the core, the
// operator's handlers it stands in for, and the Status column.
#include "app/core/tests/CoreFixture.h"

#include "app/setup/SetupModel.h"
#include "app/core/calculations.h"
#include "rtl/Exceptions.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(SetupModel, FillingAFieldStoresItsValueInTheCore)
{
  struct TCase {
    int32_t Edit;
    double Value;
    const char* Shown;
    double TCoreData::*Field; // or nullptr for the integer ones
    int32_t TCoreData::*IntField;
  };
  const TCase Cases[] = {
      {1, 1025.12345, "1025.1235", &TCoreData::Local_Density, nullptr},
      {2, 9.81, "9.8100000", &TCoreData::Local_Gravity, nullptr},
      {3, 50.42741, "50.427", &TCoreData::Local_Latitude, nullptr},
      {4, 3000, "3000", nullptr, &TCoreData::Maximum_Pressure},
      {5, 2, "2", nullptr, &TCoreData::Pressure_Resolution},
      {6, 720, "720", nullptr, &TCoreData::Maximum_View_Points},
      {7, -12.5, "-12.500", &TCoreData::Altimeter_Offset, nullptr},
      // Outside the field's limits: stored as given, shown as given.
      {1, 1500, "1500", &TCoreData::Local_Density, nullptr},
  };
  for (const TCase& C : Cases) {
    const auto Core = MakeCore({});
    TSetupModel M(*Core);
    M.SetQvNumEditValue(C.Edit, C.Value);
    EXPECT_EQ(M.QvNumEdit(C.Edit).Text(), QString::fromLatin1(C.Shown)) << C.Edit;
    if (C.Field)
      EXPECT_EQ((*Core).*C.Field, C.Value) << C.Edit;
    else
      EXPECT_EQ((*Core).*C.IntField, static_cast<int32_t>(C.Value)) << C.Edit;
  }
}

TEST(SetupModel, LatitudeGivesTheNormalGravity)
{
  const auto Core = MakeCore({});
  TSetupModel M(*Core);
  M.SetQvNumEditValue(3, 0);
  EXPECT_DOUBLE_EQ(Core->g0_value, 9.780318);
  M.QvNumEdit(3).SetText(QStringLiteral("90"));
  EXPECT_DOUBLE_EQ(Core->g0_value, NormalGravity(90));
  EXPECT_NEAR(Core->g0_value, 9.780318 * 1.0053024, 1e-9);
}

TEST(SetupModel, TextThatIsNoNumberKeepsTheCoreValue)
{
  const auto Core = MakeCore({});
  TSetupModel M(*Core);
  M.SetQvNumEditValue(4, 500);
  EXPECT_THROW(M.QvNumEdit(4).SetText(QStringLiteral("-")), EConvertError);
  EXPECT_THROW(M.QvNumEdit(4).SetText(QStringLiteral("12.5")), EConvertError);
  EXPECT_EQ(Core->Maximum_Pressure, 500);
  // An emptied field is its lower limit.
  M.QvNumEdit(4).SetText(QString());
  EXPECT_EQ(Core->Maximum_Pressure, 1);
  EXPECT_THROW(M.QvNumEdit(8), ERangeError);
}

TEST(SetupModel, HistoryLengthIsCappedWhenTheFieldIsLeft)
{
  const auto Core = MakeCore({});
  TSetupModel M(*Core);
  QStringList Shown;
  M.OnMessage = [&Shown](const String& Text) { Shown.append(Text); };
  M.QvNumEdit(6).SetText(QStringLiteral("2000"));
  EXPECT_EQ(Core->Maximum_View_Points, 2000);
  M.QvNumEdit6Exit();
  EXPECT_EQ(Core->Maximum_View_Points, 1440);
  EXPECT_EQ(M.QvNumEdit(6).Text(), QStringLiteral("1440"));
  EXPECT_EQ(Shown, QStringList{QStringLiteral("Error: Max Viewable Point value can't be greater than 1440.")});
  M.QvNumEdit6Exit();
  EXPECT_EQ(Shown.size(), 1);
}

TEST(SetupModel, SoundVelocitySourceIsCheckedAfterTheWait)
{
  const struct {
    const char* Typed;
    const char* Stored;
  } Cases[] = {{"Measured", "Measured"},
               {"Calculated", "Calculated"},
               {"1600", "1600"},
               {"1250", "1500"},
               {"1701", "1500"},
               {"fast", "1500"},
               {"", "1500"}};
  for (const auto& C : Cases) {
    const auto Core = MakeCore({});
    TSetupModel M(*Core);
    int32_t Waited = 0;
    M.Delay = [&Waited](int32_t Ticks) { Waited += Ticks; };
    M.ComboBox1Change(QString::fromLatin1(C.Typed));
    EXPECT_EQ(Waited, 36);
    EXPECT_EQ(Core->SV_Value, QString::fromLatin1(C.Stored)) << C.Typed;
    EXPECT_EQ(M.ComboBox1Text(), QString::fromLatin1(C.Stored));
  }
}

TEST(SetupModel, SampleIntervalSetsBothRates)
{
  const struct {
    int32_t Item;
    const char* KirvoRate;
    const char* Rate;
  } Cases[] = {{0, "250", "4"},  {1, "500", "2"},   {2, "1000", "1"},
               {6, "5000", "1"}, {-1, "3000", "1"}, {7, "3000", "1"}};
  for (const auto& C : Cases) {
    const auto Core = MakeCore({});
    // No choice keeps the pair as it was.
    Core->Kirvo_Rate = QStringLiteral("3000");
    Core->Rate = QStringLiteral("1");
    TSetupModel M(*Core);
    M.ComboBox2Change(C.Item);
    EXPECT_EQ(Core->Kirvo_Rate, QString::fromLatin1(C.KirvoRate)) << C.Item;
    EXPECT_EQ(Core->Rate, QString::fromLatin1(C.Rate)) << C.Item;
  }
  const auto Core = MakeCore({});
  TSetupModel M(*Core);
  M.SetComboBox2Text(QStringLiteral("3000"));
  EXPECT_EQ(M.ComboBox2ItemIndex(), 4);
  M.SetComboBox2Text(QStringLiteral("42"));
  EXPECT_EQ(M.ComboBox2ItemIndex(), -1);
}

TEST(SetupModel, ChoicesStoreTheirValues)
{
  const auto Core = MakeCore({});
  TSetupModel M(*Core);
  M.SetRadioGroup1ItemIndex(2);
  EXPECT_EQ(Core->Altimeter_Flag, 2);
  M.RadioGroup1Click(3);
  EXPECT_EQ(Core->Altimeter_Flag, 2);
  M.RadioGroup3Click(6);
  EXPECT_EQ(Core->Output_2_Format, QStringLiteral("GREVON PROC (PREFIX)"));
  M.RadioGroup5Click(7);
  EXPECT_EQ(Core->Output_4_Format, QStringLiteral("TARNWICK"));
  M.GrevonProcPrefixChange(QStringLiteral("%D1"));
  EXPECT_EQ(Core->Grevon_Proc_Prefix, QStringLiteral("%D1"));
  M.SetQvNumEdit8Text(QStringLiteral("12"));
  EXPECT_EQ(Core->Height_Above_Sea_Level, QStringLiteral("12"));
}

TEST(SetupModel, DataUpdateWritesTheStatusOfFittedRowsOnly)
{
  const auto Core = MakeCore({0, 12, 11});
  Core->Output_2_Fitted = 1;
  Core->PortData1 = QStringLiteral("Waiting");
  Core->PortData3 = QStringLiteral("QYR Interrupted");
  Core->PortData4 = QStringLiteral("not fitted");
  Core->PortData7 = QStringLiteral("1013.250");
  Core->PortData8 = QStringLiteral("telegram");
  Core->OutputSkipped(2) = 4;
  int Pumps = 0;
  Core->Hooks.ProcessMessages = [&Pumps] { ++Pumps; };
  TSetupModel M(*Core);

  M.DataUpdate();

  const std::pair<int32_t, const char*> Expected[] = {
      {1, "Waiting"},         {2, ""}, {3, "telegram (4 telegrams skipped)"},
      {6, "QYR Interrupted"}, {7, ""}, {10, "1013.250"}};
  for (const auto& [Row, Text] : Expected)
    EXPECT_EQ(M.StatusCell(Row), QString::fromLatin1(Text)) << Row;
  EXPECT_EQ(Pumps, 1);
  EXPECT_THROW(M.SetStatusCell(11, QString()), ERangeError);
}
