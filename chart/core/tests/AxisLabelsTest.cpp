// Axis labels: the label sets drawn for numbers, logarithmic scales and
// date-times across seconds to years, the texts of labels, the overlap
// rule of text labels, and increments that neither stall nor mismeasure.
#include "CoreTestSupport.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DateTimeSteps.h"
#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::string Labels(TChartAxis* A)
{
  std::string S;
  for (int32_t I = 0; I < A->Items()->Count(); ++I)
    S += (S.empty() ? "" : "|") + A->Items()->Get(I)->Text().toStdString();
  return S;
}

// A flat chart with one series from (Min, 0) to (Max, 1) on the bottom
// axis, whose drawable length is about AxisPixels.
struct TAxisChart {
  TImageChart Chart;
  TChartSeries* Series = new TChartSeries(nullptr);
  TChartAxis* Axis;
  TAxisChart(double Min, double Max, int32_t AxisPixels, bool DateTime = false)
      : Chart(AxisPixels + 40, 200), Axis(Chart.BottomAxis())
  {
    Chart.SetView3D(false);
    Chart.SetMarginUnits(muPixels);
    Chart.SetMarginLeft(20);
    Chart.SetMarginRight(20);
    Chart.LeftAxis()->SetLabels(false);
    Chart.AddSeries(Series);
    Series->XValues()->SetDateTime(DateTime);
    Series->AddXY(Min, 0);
    Series->AddXY(Max, 1);
  }
  std::string Draw()
  {
    Chart.Draw();
    return Labels(Axis);
  }
};

} // namespace

TEST(AxisLabels, NumbersFromTheScaleAndTheIncrement)
{
  struct Case {
    const char* Name;
    double Min, Max, Increment;
    int32_t Pixels;
    bool RoundFirst, OnAxis;
    const char* Expected;
  };
  const Case Cases[] = {
      {"desired increment, ends on the axis", 0, 100, 20, 600, true, true, "100|80|60|40|20|0"},
      {"ends off the axis", 0, 100, 20, 600, true, false, "80|60|40|20"},
      {"first label rounded down", 3, 97, 20, 600, true, true, "80|60|40|20"},
      {"first label at the maximum", 3, 97, 20, 600, false, true, "97|77|57|37|17"},
      {"a scale of zero width", 5, 5, 0, 600, true, true, "5"},
      {"room for three labels", 0, 100, 0, 100, true, true, "100|50|0"},
      {"room for ten labels", 0, 100, 0, 300, true, true, "100|90|80|70|60|50|40|30|20|10|0"},
      {"room for many labels", 0, 1, 0, 1000, true, true,
       "1|0.95|0.9|0.85|0.8|0.75|0.7|0.65|0.6|0.55|0.5|0.45|0.4|0.35|0.3|0.25|0.2|0.15|0.1|0.05|0"},
      {"negative values", -40, 40, 20, 600, true, true, "40|20|0|-20|-40"},
      {"thousands", 0, 3000, 1000, 600, true, true, "3,000|2,000|1,000|0"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TAxisChart A(C.Min, C.Max, C.Pixels);
    A.Axis->SetIncrement(C.Increment);
    A.Axis->SetRoundFirstLabel(C.RoundFirst);
    A.Axis->SetLabelsOnAxis(C.OnAxis);
    EXPECT_EQ(A.Draw(), C.Expected);
  }
}

TEST(AxisLabels, LogarithmicScales)
{
  struct Case {
    const char* Name;
    double Min, Max;
    const char* Expected;
  };
  const Case Cases[] = {
      {"decades", 1, 1000, "1|10|100|1,000"},
      {"from zero the first label is 0.1", 0, 100, "0.1|1|10|100"},
      {"within one decade the labels add a tenth of it", 20, 30, "20|21|22|23|24|25|26|27|28|29|30"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TAxisChart A(C.Min, C.Max, 600);
    A.Axis->SetLogarithmic(true);
    EXPECT_EQ(A.Draw(), C.Expected);
  }
}

TEST(AxisLabels, DateTimesFromSecondsToYears)
{
  const double At10 = EncodeDateTime(2021, 3, 14, 10, 0, 0, 0);
  const double Second = DateTimeStep[dtOneSecond];
  struct Case {
    const char* Name;
    double Min, Max;
    TDateTimeStep Step; // dtNone: computed
    int32_t Pixels;
    const char* Format;
    const char* Expected;
  };
  const Case Cases[] = {
      {"ten seconds", At10, At10 + 50 * Second, dtTenSeconds, 1000, "hh:nn:ss",
       "10:00:50|10:00:40|10:00:30|10:00:20|10:00:10|10:00:00"},
      {"seconds, computed", At10, At10 + 50 * Second, dtNone, 400, "hh:nn:ss",
       "10:00:50|10:00:40|10:00:30|10:00:20|10:00:10|10:00:00"},
      {"two hours", At10, At10 + 0.5, dtTwoHours, 1000, "hh:nn", "22:00|20:00|18:00|16:00|14:00|12:00|10:00"},
      {"hours, computed", At10, At10 + 0.5, dtNone, 400, "hh:nn",
       "22:00|21:00|20:00|19:00|18:00|17:00|16:00|15:00|14:00|13:00|12:00|11:00|10:00"},
      {"days on midnight", At10, At10 + 9, dtOneDay, 1000, "dd/mm",
       "23/03|22/03|21/03|20/03|19/03|18/03|17/03|16/03|15/03"},
      {"days, computed", At10, At10 + 10, dtNone, 400, "dd/mm/yyyy",
       "23/03/2021|21/03/2021|19/03/2021|17/03/2021|15/03/2021"},
      {"calendar months", EncodeDate(2021, 1, 10), EncodeDate(2021, 6, 20), dtOneMonth, 1000, "dd/mm/yy",
       "01/06/21|01/05/21|01/04/21|01/03/21|01/02/21"},
      {"half months", EncodeDate(2021, 2, 10), EncodeDate(2021, 4, 20), dtHalfMonth, 1000, "dd/mm",
       "15/04|01/04|15/03|01/03|15/02"},
      {"calendar years", EncodeDate(2014, 6, 10), EncodeDate(2021, 6, 20), dtOneYear, 1000, "yyyy",
       "2021|2020|2019|2018|2017|2016|2015"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TAxisChart A(C.Min, C.Max, C.Pixels, true);
    A.Axis->SetIncrement(C.Step == dtNone ? 0 : DateTimeStep[C.Step]);
    A.Axis->SetDateTimeFormat(QString::fromLatin1(C.Format));
    EXPECT_EQ(A.Draw(), C.Expected);
  }
  // Without a format the range chooses the short time or date format.
  TAxisChart Hours(At10, At10 + 0.25, 600, true);
  Hours.Draw();
  EXPECT_EQ(Hours.Axis->LabelValue(At10), FormatDateTime(FormatSettings.ShortTimeFormat, At10));
  TAxisChart Days(At10, At10 + 3, 600, true);
  Days.Draw();
  EXPECT_EQ(Days.Axis->LabelValue(At10), FormatDateTime(FormatSettings.ShortDateFormat, At10));
}

TEST(AxisLabels, TextsOfValues)
{
  TAxisChart A(0, 10, 400);
  A.Axis->SetAxisValuesFormat(QStringLiteral("###0.00"));
  EXPECT_EQ(A.Axis->LabelValue(1234.5), QStringLiteral("1234.50"));
  A.Axis->SetLabelsMultiLine(true);
  A.Axis->SetAxisValuesFormat(QStringLiteral("0 \"m\""));
  EXPECT_EQ(A.Axis->LabelValue(5), QStringLiteral("5\rm"));
  A.Chart.OnGetAxisLabel = [](TChartAxis*, TChartSeries* S, int32_t I, String& Text) {
    if (!S && I == -1)
      Text = QStringLiteral("<") + Text + QStringLiteral(">");
  };
  A.Axis->SetLabelsMultiLine(false);
  EXPECT_EQ(A.Axis->LabelValue(5), QStringLiteral("<5 m>"));
  A.Chart.OnGetAxisLabel = nullptr;
  // Degrees of a geographic axis.
  struct Case {
    bool IsLat;
    float Value;
    const char* Text;
  };
  for (const Case& C : {Case{true, 12.5f, "12\u00b030' N"}, Case{true, -3.25f, "3\u00b015' S"},
                        Case{false, -0.0125f, "0\u00b00'45\" W"}, Case{false, 7, "7\u00b0 E"}})
    EXPECT_EQ(TChartAxis::ToDegree(C.IsLat, C.Value), QString::fromUtf8(C.Text)) << C.Value;
  EXPECT_EQ(TChartAxis::ToDegree(3e15f), QStringLiteral("+INF"));
}

TEST(AxisLabels, ApplicationLabelsAndCustomItems)
{
  TAxisChart A(0, 100, 600);
  std::vector<int32_t> Asked;
  A.Chart.OnGetNextAxisLabel = [&](TChartAxis* Axis, int32_t Index, double& Value, bool& Stop) {
    if (Axis == A.Axis)
      Asked.push_back(Index);
    Value = Index * 30.0;
    Stop = false;
  };
  EXPECT_EQ(A.Draw(), "0|30|60|90"); // 120 lies outside: the event is asked no more
  EXPECT_EQ(Asked, (std::vector<int32_t>{0, 1, 2, 3, 4}));
  // Stop at the first call: the default labels.
  A.Chart.OnGetNextAxisLabel = [](TChartAxis*, int32_t, double&, bool& Stop) { Stop = true; };
  A.Axis->SetIncrement(50);
  EXPECT_EQ(A.Draw(), "100|50|0");
  A.Chart.OnGetNextAxisLabel = nullptr;

  // Custom items are drawn at their values, in the scale only.
  A.Axis->Items()->Clear();
  A.Axis->Items()->Add(QStringLiteral("low"), 10);
  A.Axis->Items()->Add(QStringLiteral("high"), 90);
  A.Axis->Items()->Add(QStringLiteral("out"), 150);
  EXPECT_FALSE(A.Axis->Items()->Automatic());
  A.Draw();
  EXPECT_EQ(A.Axis->Items()->Count(), 3);
  EXPECT_EQ(A.Axis->Tick.size(), 2u);
  EXPECT_EQ(A.Axis->Items()->Get(0)->LabelPos(), A.Axis->CalcPosValue(10));
}

TEST(AxisLabels, TextLabelsDoNotOverlap)
{
  const char* Months[] = {"January", "February", "March",     "April",   "May",      "June",
                          "July",    "August",   "September", "October", "November", "December"};
  struct Case {
    const char* Name;
    int32_t Pixels;
    bool Trim;
    const char* Expected;
  };
  const Case Cases[] = {
      {"room for all", 900, false,
       "January|February|March|April|May|June|July|August|September|October|November|December"},
      {"every label reaching into the previous one is skipped", 260, false, "January|March|May|July|October"},
      {"shortened instead, as far as it must", 260, true, "January|March|May|Ju|July|Au|Sep|O|Nov|De"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TImageChart Chart(C.Pixels + 40, 200);
    Chart.SetView3D(false);
    Chart.SetMarginUnits(muPixels);
    Chart.SetMarginLeft(20);
    Chart.SetMarginRight(20);
    Chart.LeftAxis()->SetLabels(false);
    auto* S = new TChartSeries(nullptr);
    Chart.AddSeries(S);
    for (int I = 0; I < 12; ++I)
      S->AddXY(I, I, QString::fromLatin1(Months[I]));
    Chart.BottomAxis()->Texts()->Automatic()->SetTrim(C.Trim);
    Chart.Draw();
    EXPECT_EQ(Labels(Chart.BottomAxis()), C.Expected);
    // However placed, no two labels share pixels.
    TCanvas3D* Canvas = Chart.InternalCanvas();
    TAxisItems* Items = Chart.BottomAxis()->Items();
    for (int32_t I = 1; I < Items->Count(); ++I) {
      const int32_t Gap = Items->Get(I)->LabelPos() - Items->Get(I - 1)->LabelPos();
      const int32_t Need =
          (Canvas->TextWidth(Items->Get(I)->Text()) + Canvas->TextWidth(Items->Get(I - 1)->Text())) / 2;
      EXPECT_GE(Gap, Need) << I;
    }
  }
}

// The increment is measured on the labels the pass will draw (the ends
// brought to multiples of the desired increment), so every step that fits
// is drawn: measuring the ends multiplied by the increment took far wider
// numbers and dropped every second label.
TEST(AxisLabels, TheIncrementMeasuresTheLabelsItWillDraw)
{
  struct Case {
    double Max, Increment;
    int32_t Pixels;
    const char* Expected;
  };
  const Case Cases[] = {
      {100, 10, 300, "100|90|80|70|60|50|40|30|20|10|0"},
      {1000, 100, 400, "1,000|900|800|700|600|500|400|300|200|100|0"},
      {1000, 10, 400, "960|880|800|720|640|560|480|400|320|240|160|80|0"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Expected);
    TAxisChart A(0, C.Max, C.Pixels);
    A.Axis->SetIncrement(C.Increment);
    EXPECT_EQ(A.Draw(), C.Expected);
    TAxisItems* Items = A.Axis->Items();
    TCanvas3D* Canvas = A.Chart.InternalCanvas();
    for (int32_t I = 1; I < Items->Count(); ++I) {
      const int32_t Gap = std::abs(Items->Get(I)->LabelPos() - Items->Get(I - 1)->LabelPos());
      const int32_t Need =
          (Canvas->TextWidth(Items->Get(I)->Text()) + Canvas->TextWidth(Items->Get(I - 1)->Text())) / 2;
      EXPECT_GE(Gap, Need) << I;
    }
  }
}

// Steps too small to move a value, or a logarithm base below one, once
// made the label loops run for ever; now they end.
TEST(AxisLabels, StepsThatCannotMoveEndTheLabels)
{
  struct Case {
    const char* Name;
    double Min, Max, Increment, Base;
  };
  const Case Cases[] = {
      {"a step below the spacing of the values", 1e16, 1e16 + 64, 0.5, 0},
      {"a logarithm base below one", 1, 1000, 0, 0.5},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TAxisChart A(C.Min, C.Max, 600);
    A.Axis->SetLabelsSeparation(0);
    A.Axis->SetIncrement(C.Increment);
    if (C.Base != 0) {
      A.Axis->SetLogarithmicBase(C.Base);
      A.Axis->SetLogarithmic(true);
      A.Axis->SetLabelsSeparation(10);
    }
    A.Draw();
    EXPECT_LE(A.Axis->Items()->Count(), 10000);
  }
  TChartAxis Lone(nullptr, true, false);
  double V = 1e16;
  EXPECT_FALSE(Lone.IncDec(false, V, 0.5));
  EXPECT_EQ(V, 1e16);
}
