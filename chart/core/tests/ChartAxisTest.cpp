// Axes: scale from the series or fixed, logarithmic and inverted scales,
// value <-> pixel mapping both ways, rounding of automatic ends, label
// increments, and the errors of invalid settings.
#include "CoreTestSupport.h"

#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DateTimeSteps.h"
#include "rtl/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// An axis on its own, scaled Min..Max over the pixels Start..End.
struct TLoneAxis {
  TChartAxis Axis{nullptr, true, false};
  TLoneAxis(bool Horizontal, bool Inverted, bool Log, double Min, double Max, int32_t Start = 100, int32_t End = 300)
  {
    Axis.SetHorizontal(Horizontal);
    Axis.SetInverted(Inverted);
    Axis.SetMinMax(Min, Max);
    if (Log)
      Axis.SetLogarithmic(true);
    Axis.IStartPos = Start;
    Axis.IEndPos = End;
    Axis.RecalcSizeCenter();
    Axis.AdjustMaxMin();
  }
};

// A chart with one series on its left and bottom axes.
struct TChartWithSeries {
  TImageChart Chart{1000, 400};
  TChartSeries* Series = new TChartSeries(nullptr);
  TChartWithSeries(std::initializer_list<std::pair<double, double>> Points)
  {
    Chart.AddSeries(Series);
    for (const auto& P : Points)
      Series->AddXY(P.first, P.second);
  }
  // Scales and places every axis as a drawing would.
  void Layout() { Chart.Draw(); }
};

std::string Describe(bool H, bool I, bool L)
{
  return std::string(H ? "horizontal" : "vertical") + (I ? " inverted" : "") + (L ? " logarithmic" : "");
}

} // namespace

TEST(ChartAxis, ValuesMapToPixels)
{
  struct Case {
    bool Horizontal, Inverted, Log;
    double Min, Max, Value;
    int32_t Pixel;
  };
  const Case Cases[] = {
      // Linear: the minimum at the start of a horizontal axis, at the end
      // (bottom) of a vertical one; inverted axes swap the ends.
      {true, false, false, 0, 10, 0, 100},
      {true, false, false, 0, 10, 10, 300},
      {true, false, false, 0, 10, 2.5, 150},
      {true, false, false, 0, 10, 20, 500},
      {true, false, false, 0, 10, -10, -100},
      {true, true, false, 0, 10, 0, 300},
      {true, true, false, 0, 10, 10, 100},
      {false, false, false, 0, 10, 10, 100},
      {false, false, false, 0, 10, 0, 300},
      {false, false, false, 0, 10, 2.5, 250},
      {false, true, false, 0, 10, 0, 100},
      {false, true, false, 0, 10, 10, 300},
      // Half pixels round to even.
      {true, false, false, 0, 8, 0.1, 102},
      {true, false, false, 0, 8, 0.3, 108},
      // Logarithmic (natural logarithms; the base only shapes labels).
      {true, false, true, 1, 100, 10, 200},
      {true, false, true, 1, 100, 1, 100},
      {true, false, true, 1, 100, 100, 300},
      {true, false, true, 1, 100, 0, 100},
      {true, false, true, 1, 100, -5, 100},
      {true, true, true, 1, 100, 0, 300},
      {true, true, true, 1, 100, 1, 300},
      {true, true, true, 1, 100, 100, 100},
      {false, false, true, 1, 100, 100, 100},
      {false, false, true, 1, 100, 10, 200},
      {false, false, true, 1, 100, 0, 300},
      {false, true, true, 1, 100, 0, 100},
      {false, true, true, 1, 100, 100, 300},
      // A scale of zero width puts everything in the middle.
      {true, false, false, 5, 5, 5, 200},
      {true, false, false, 5, 5, 1e9, 200},
      {false, true, false, 5, 5, -3, 200},
      {true, false, true, 7, 7, 7, 200},
      {false, false, true, 7, 7, 0, 200},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(Describe(C.Horizontal, C.Inverted, C.Log) + " " + std::to_string(C.Min) + ".." +
                 std::to_string(C.Max) + " value " + std::to_string(C.Value));
    TLoneAxis A(C.Horizontal, C.Inverted, C.Log, C.Min, C.Max);
    EXPECT_EQ(A.Axis.CalcPosValue(C.Value), C.Pixel);
    EXPECT_EQ(C.Horizontal ? A.Axis.CalcXPosValue(C.Value) : A.Axis.CalcYPosValue(C.Value), C.Pixel);
  }
}

TEST(ChartAxis, PixelsMapBackToValues)
{
  struct Case {
    bool Horizontal, Inverted, Log;
    double Min, Max;
    int32_t Pixel;
    double Value;
    bool Exact;
  };
  const Case Cases[] = {
      {true, false, false, 0, 10, 100, 0, true},
      {true, false, false, 0, 10, 300, 10, true},
      {true, false, false, 0, 10, 150, 2.5, true},
      {true, true, false, 0, 10, 100, 10, true},
      {true, true, false, 0, 10, 250, 2.5, true},
      {false, false, false, 0, 10, 100, 10, true},
      {false, false, false, 0, 10, 300, 0, true},
      {false, false, false, 0, 10, 150, 7.5, true},
      {false, true, false, 0, 10, 150, 2.5, true},
      // The ends of a logarithmic axis come back exactly.
      {true, false, true, 1, 100, 100, 1, true},
      {true, false, true, 1, 100, 300, 100, true},
      {true, false, true, 1, 100, 200, 10, false},
      {true, true, true, 1, 100, 100, 100, true},
      {true, true, true, 1, 100, 300, 1, true},
      {false, false, true, 1, 100, 100, 100, true},
      {false, false, true, 1, 100, 300, 1, true},
      {false, false, true, 1, 100, 200, 10, false},
      {false, true, true, 1, 100, 100, 1, true},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(Describe(C.Horizontal, C.Inverted, C.Log) + " pixel " + std::to_string(C.Pixel));
    TLoneAxis A(C.Horizontal, C.Inverted, C.Log, C.Min, C.Max);
    if (C.Exact)
      EXPECT_EQ(A.Axis.CalcPosPoint(C.Pixel), C.Value);
    else
      EXPECT_NEAR(A.Axis.CalcPosPoint(C.Pixel), C.Value, 1e-9);
    // And forth again.
    EXPECT_EQ(A.Axis.CalcPosValue(A.Axis.CalcPosPoint(C.Pixel)), C.Pixel);
  }
  // An axis without pixels maps every pixel to 0 (linear) or its minimum.
  TLoneAxis Linear(true, false, false, 3, 10, 50, 50);
  EXPECT_EQ(Linear.Axis.CalcPosPoint(80), 0);
  TLoneAxis Log(true, false, true, 3, 10, 50, 50);
  EXPECT_EQ(Log.Axis.CalcPosPoint(80), 3);
}

TEST(ChartAxis, SizesOfSpans)
{
  TLoneAxis A(true, false, false, 0, 10);
  EXPECT_EQ(A.Axis.CalcSizeValue(2.5), 50);
  EXPECT_EQ(A.Axis.CalcSizeValue(3, 5.5), 50);
  EXPECT_EQ(A.Axis.CalcSizeValue(4, 4), 0);
  TLoneAxis Zero(true, false, false, 5, 5);
  EXPECT_EQ(Zero.Axis.CalcSizeValue(2), 0);
  // Signed on a logarithmic axis.
  TLoneAxis Log(true, false, true, 1, 100);
  EXPECT_EQ(Log.Axis.CalcSizeValue(1, 10), -100);
}

TEST(ChartAxis, FastCalcAndTheClampKeepTheSameRule)
{
  TImageChart Chart;
  TChartAxis* A = Chart.BottomAxis();
  A->SetMinMax(0, 10);
  A->IStartPos = 0;
  A->IEndPos = 1000;
  A->RecalcSizeCenter();
  A->AdjustMaxMin();
  // Positions handed to the canvas stay within +-ZuzMaxPixelPos, unless a
  // tool that maps on its own switches the clamp off.
  EXPECT_EQ(A->CalcPosValue(1e6), ZuzMaxPixelPos);
  EXPECT_EQ(A->CalcPosValue(-1e6), -ZuzMaxPixelPos);
  A->IUseZuzMaxPixelPos = false;
  EXPECT_EQ(A->CalcPosValue(1e6), 100000000);
  Chart.Axes().SetFastCalc(true);
  EXPECT_EQ(A->CalcPosValueRoutine(), &TChartAxis::XPosValue);
  EXPECT_EQ(A->CalcPosValue(2.5), 250);
  // Values far beyond the device never fail the mapping.
  EXPECT_NO_THROW(A->CalcPosValue(1e300));
  EXPECT_NO_THROW(A->CalcPosValue(std::nan("")));
}

TEST(ChartAxis, ScaleComesFromTheSeriesBoundToTheAxis)
{
  TChartWithSeries C({{1, -4}, {3, 8}, {2, 5}});
  auto* Other = new TChartSeries(nullptr);
  C.Chart.AddSeries(Other);
  TChartAxis* Custom = C.Chart.CustomAxes()->Add();
  Other->SetCustomVertAxis(Custom);
  Other->AddXY(10, 100);
  Other->AddXY(11, 200);
  C.Layout();
  TChartAxis* Left = C.Chart.LeftAxis();
  TChartAxis* Bottom = C.Chart.BottomAxis();
  EXPECT_EQ(Left->IMinimum, -4);
  EXPECT_EQ(Left->IMaximum, 8);
  EXPECT_EQ(Custom->IMinimum, 100);
  EXPECT_EQ(Custom->IMaximum, 200);
  // The bottom axis takes X of both series.
  EXPECT_EQ(Bottom->IMinimum, 1);
  EXPECT_EQ(Bottom->IMaximum, 11);
  // Pixels along the chart rectangle.
  EXPECT_EQ(Left->IStartPos, C.Chart.ChartRect.Top);
  EXPECT_EQ(Left->IEndPos, C.Chart.ChartRect.Bottom);
  EXPECT_EQ(Bottom->IStartPos, C.Chart.ChartRect.Left);
  EXPECT_EQ(Left->CalcYPosValue(8), C.Chart.ChartRect.Top);

  // Inactive series count only while no active one uses the axis.
  Other->SetActive(false);
  C.Layout();
  EXPECT_EQ(Bottom->IMaximum, 3);
  EXPECT_EQ(Custom->IMaximum, 200);

  // A fixed end stays; the automatic one follows the series.
  Left->SetAutomaticMaximum(false);
  EXPECT_FALSE(Left->Automatic());
  Left->SetMaximum(50);
  C.Series->AddXY(4, -20);
  C.Layout();
  EXPECT_EQ(Left->IMaximum, 50);
  EXPECT_EQ(Left->IMinimum, -20);
  Left->SetAutomaticMaximum(true);
  EXPECT_TRUE(Left->Automatic());
}

TEST(ChartAxis, SetMinMaxFixesTheScaleAndOrdersTheEnds)
{
  TImageChart Chart;
  TChartAxis* Left = Chart.LeftAxis();
  TChartAxis* Follower = Chart.CustomAxes()->Add();
  Follower->SetMasterAxis(Left);
  Left->SetMinMax(10, 0);
  EXPECT_EQ(Left->Minimum(), 0);
  EXPECT_EQ(Left->Maximum(), 10);
  EXPECT_FALSE(Left->Automatic());
  EXPECT_FALSE(Left->AutomaticMinimum());
  EXPECT_FALSE(Left->AutomaticMaximum());
  EXPECT_EQ(Follower->Minimum(), 0);
  EXPECT_EQ(Follower->Maximum(), 10);
  Left->SetAutomatic(true);
  EXPECT_TRUE(Left->AutomaticMinimum());
  EXPECT_TRUE(Left->AutomaticMaximum());
}

TEST(ChartAxis, InvalidSettingsAreRefusedAndLeaveTheAxis)
{
  struct Case {
    const char* Name;
    std::function<void(TChartAxis&)> Op;
    const char* Message;
    std::function<bool(const TChartAxis&)> Unchanged;
  };
  const Case Cases[] = {
      {"minimum above maximum", [](TChartAxis& A) { A.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum",
       [](const TChartAxis& A) { return A.Minimum() == 0; }},
      {"maximum below minimum", [](TChartAxis& A) { A.SetMaximum(-1); }, "Axis Maximum Value must be >= Minimum",
       [](const TChartAxis& A) { return A.Maximum() == 10; }},
      {"negative increment", [](TChartAxis& A) { A.SetIncrement(-1); }, "Axis increment must be >= 0",
       [](const TChartAxis& A) { return A.Increment() == 2; }},
      {"logarithm base 1", [](TChartAxis& A) { A.SetLogarithmicBase(1); },
       "Axis Logarithmic Base should be <> 1 and > 0", [](const TChartAxis& A) { return A.LogarithmicBase() == 10; }},
      {"logarithm base 0", [](TChartAxis& A) { A.SetLogarithmicBase(0); },
       "Axis Logarithmic Base should be <> 1 and > 0", [](const TChartAxis& A) { return A.LogarithmicBase() == 10; }},
      {"negative label separation", [](TChartAxis& A) { A.SetLabelsSeparation(-1); },
       "Labels Separation % must be greater than 0", [](const TChartAxis& A) { return A.LabelsSeparation() == 10; }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TChartAxis A(nullptr, false, false);
    A.SetMinMax(0, 10);
    A.SetIncrement(2);
    try {
      C.Op(A);
      ADD_FAILURE() << "accepted";
    } catch (const AxisException& E) {
      EXPECT_EQ(E.Message(), QString::fromLatin1(C.Message));
    }
    EXPECT_TRUE(C.Unchanged(A));
  }
  TChartAxis A(nullptr, false, false);
  A.SetLogarithmicBase(2);
  EXPECT_EQ(A.LogarithmicBase(), 2);
  A.SetIncrement(0);
  EXPECT_EQ(A.Increment(), 0);
  A.SetZPosition(0);
  EXPECT_EQ(A.ZPosition(), 0.01);
  A.SetMinimum(-5); // an end alone does not switch automatic scaling off
  A.SetAutomatic(true);
  A.SetMaximum(20);
  EXPECT_TRUE(A.Automatic());
}

TEST(ChartAxis, LogarithmicScaleNeedsNoNegativeValues)
{
  TChartWithSeries Negative({{0, -1}, {1, 5}});
  TChartAxis* Left = Negative.Chart.LeftAxis();
  try {
    Left->SetLogarithmic(true);
    FAIL() << "a negative scale became logarithmic";
  } catch (const AxisException& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Logarithmic Axis Min and Max values should be >= 0"));
  }
  EXPECT_FALSE(Left->Logarithmic());
  EXPECT_EQ(Left->CalcYPosValueRoutine(), &TChartAxis::YPosValueCheck);

  TChartWithSeries Zero({{0, 0}, {1, 5}});
  Zero.Chart.LeftAxis()->SetLogarithmic(true);
  EXPECT_TRUE(Zero.Chart.LeftAxis()->Logarithmic());
  EXPECT_EQ(Zero.Chart.LeftAxis()->CalcYPosValueRoutine(), &TChartAxis::LogYPosValue);

  // A sub-axis takes its master along.
  TChartAxis* Sub = Zero.Chart.BottomAxis()->SubAxes()->Add();
  EXPECT_EQ(Sub->MasterAxis(), Zero.Chart.BottomAxis());
  EXPECT_TRUE(Sub->Horizontal());
  EXPECT_FALSE(Sub->Grid()->Visible());
  Sub->SetLogarithmic(true);
  EXPECT_TRUE(Zero.Chart.BottomAxis()->Logarithmic());
  Sub->SetInverted(true);
  EXPECT_TRUE(Zero.Chart.BottomAxis()->Inverted());
}

TEST(ChartAxis, ScrollMovesBothEndsWithinTheSeries)
{
  TChartWithSeries C({{0, 0}, {10, 10}});
  TChartAxis* Left = C.Chart.LeftAxis();
  C.Layout();
  ASSERT_EQ(Left->Maximum(), 10);
  Left->Scroll(5, true); // already at the series maximum
  EXPECT_EQ(Left->Maximum(), 10);
  EXPECT_TRUE(Left->Automatic());
  Left->Scroll(0, true);
  EXPECT_TRUE(Left->Automatic());
  Left->Scroll(5, false);
  EXPECT_EQ(Left->Minimum(), 5);
  EXPECT_EQ(Left->Maximum(), 15);
  EXPECT_FALSE(Left->Automatic());
  Left->Scroll(-3, true); // the series minimum 0, less -3, lies below 5: scrolls
  EXPECT_EQ(Left->Minimum(), 2);
  EXPECT_EQ(Left->Maximum(), 12);
  Left->Scroll(-3, true); // 3 is not below 2
  EXPECT_EQ(Left->Minimum(), 2);
}

TEST(ChartAxis, AutomaticEndsRoundToTheIncrement)
{
  TChartWithSeries C({{0, 3}, {1, 97}});
  TChartAxis* Left = C.Chart.LeftAxis();
  Left->SetMaximumRound(true);
  Left->SetIncrement(20);
  C.Layout();
  EXPECT_EQ(Left->IMaximum, 100);
  EXPECT_EQ(Left->IMinimum, 3);
  Left->SetMinimumRound(true);
  C.Layout();
  EXPECT_EQ(Left->IMinimum, 0);
  // A fixed end is not rounded.
  Left->SetMinMax(3, 97);
  C.Layout();
  EXPECT_EQ(Left->IMaximum, 97);
}

TEST(ChartAxis, RoundingFarBeyondThirtyTwoBitsStaysExact)
{
  // Day numbers of this century with a one-second step: the quotient of
  // the end and the step is about 3.9e9.
  const double Second = DateTimeStep[dtOneSecond];
  TChartWithSeries C({{0, 45000.0}, {1, 45000.3 + 0.4 * Second}});
  TChartAxis* Left = C.Chart.LeftAxis();
  Left->SetLabelsSeparation(0); // take the one-second step as it is
  Left->SetIncrement(Second);
  Left->SetMaximumRound(true);
  Left->SetMinimumRound(true);
  C.Layout();
  EXPECT_GE(Left->IMaximum, 45000.3);
  EXPECT_LT(Left->IMaximum - (45000.3 + 0.4 * Second), Second);
  EXPECT_NEAR(Left->IMinimum, 45000.0, 1e-9);
  EXPECT_NEAR(std::remainder(Left->IMaximum * 86400, 1.0), 0, 1e-3);
}

TEST(ChartAxis, MaximumHookAndPixelMargins)
{
  TChartWithSeries C({{0, 0}, {1, 10}});
  TChartAxis* Left = C.Chart.LeftAxis();
  Left->OnCalcMaxLabel = [](TChartAxis*, int32_t Index, double& Value, bool&) {
    EXPECT_EQ(Index, -1);
    Value = 0;
  };
  C.Layout();
  EXPECT_EQ(Left->IMaximum, 10);
  Left->OnCalcMaxLabel = [](TChartAxis*, int32_t, double& Value, bool&) { Value = 2; };
  C.Layout();
  EXPECT_EQ(Left->IMaximum, 8);

  TLoneAxis A(true, false, false, 0, 10);
  A.Axis.AdjustMaxMinRect(TRect{20, 0, 20, 0});
  EXPECT_EQ(A.Axis.IStartPos, 100);
  EXPECT_EQ(A.Axis.IEndPos, 300);
  EXPECT_EQ(A.Axis.CalcPosValue(0), 120);
  EXPECT_EQ(A.Axis.CalcPosValue(10), 280);
}

TEST(ChartAxis, DateTimeAxesFollowTheirSeries)
{
  TChartWithSeries C({{45000, 1}, {45001, 2}});
  EXPECT_FALSE(C.Chart.BottomAxis()->IsDateTime());
  C.Series->XValues()->SetDateTime(true);
  EXPECT_TRUE(C.Chart.BottomAxis()->IsDateTime());
  EXPECT_FALSE(C.Chart.LeftAxis()->IsDateTime());
  C.Series->SetActive(false);
  EXPECT_FALSE(C.Chart.BottomAxis()->IsDateTime());

  TChartAxis A(nullptr, true, false);
  double V = EncodeDate(2021, 3, 20);
  EXPECT_TRUE(A.IncDec(false, V, 15, dtHalfMonth));
  EXPECT_EQ(V, EncodeDate(2021, 3, 15));
  EXPECT_FALSE(A.IncDec(true, V, 0, dtOneMonth));
  double Big = 1.7e308;
  EXPECT_FALSE(A.IncDec(true, Big, 1e308));
  EXPECT_EQ(Big, 1.7e308);
  EXPECT_TRUE(A.IncDec(false, Big, 1e308));
}

TEST(ChartAxis, LabelIncrementsFitTheLabels)
{
  EXPECT_EQ(ZuzNextStep(1), 2);
  EXPECT_EQ(ZuzNextStep(2), 5);
  EXPECT_EQ(ZuzNextStep(5), 10);
  EXPECT_NEAR(ZuzNextStep(0.3), 0.5, 1e-15);
  EXPECT_NEAR(ZuzNextStep(700), 1000, 1e-9);

  struct Case {
    const char* Name;
    double Min, Max, Increment;
    int32_t Separation, Labels;
    bool DateTime;
    double Expected;
  };
  const Case Cases[] = {
      {"1-2-5 steps until 9 labels fit", 0, 100, 0, 10, 9, false, 20},
      {"a desired increment doubles", 0, 100, 3, 10, 9, false, 12},
      {"without separation the first guess stands", 0, 100, 0, 0, 9, false, 10},
      {"no room", 0, 100, 0, 10, 0, false, ZuzSmallestIncrement},
      {"calendar steps", 45000, 45010, 0, 10, 4, true, 3},
      {"no room for dates", 45000, 45010, 0, 10, 0, true, DateTimeStep[dtOneMicroSecond]},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TLoneAxis A(true, false, false, C.Min, C.Max);
    A.Axis.IAxisDateTime = C.DateTime;
    A.Axis.SetIncrement(C.Increment);
    A.Axis.SetLabelsSeparation(C.Separation);
    EXPECT_NEAR(A.Axis.CalcLabelsIncrement(C.Labels), C.Expected, C.Expected * 1e-9);
  }
}

TEST(ChartAxis, ManyValuesMapAsEachOneDoes)
{
  // Halves, ends of the clamp, values beyond the device and no number at
  // all: the pass over many values gives what each mapping gives.
  std::vector<double> Values;
  for (int I = -40; I <= 40; ++I)
    Values.push_back(I * 0.125);
  for (double V : {1e6, -1e6, 1e300, -1e300, std::nan(""), 0.0049, 5.0051, 2.50000001})
    Values.push_back(V);
  for (bool H : {true, false})
    for (bool I : {false, true})
      for (bool L : {false, true})
        for (int Variant = 0; Variant < 3; ++Variant) {
          SCOPED_TRACE(Describe(H, I, L) + " variant " + std::to_string(Variant));
          TImageChart Chart;
          TChartAxis* A = H ? Chart.BottomAxis() : Chart.LeftAxis();
          A->SetMinMax(L ? 0.1 : -3, 5);
          A->SetInverted(I);
          A->SetLogarithmic(L);
          A->IStartPos = 37;
          A->IEndPos = 437;
          A->RecalcSizeCenter();
          A->AdjustMaxMin();
          if (Variant == 1)
            A->IUseZuzMaxPixelPos = false;
          if (Variant == 2)
            Chart.Axes().SetFastCalc(true);
          std::vector<int32_t> X(Values.size()), Y(Values.size());
          A->CalcXPosValues(Values, X.data());
          A->CalcYPosValues(Values, Y.data());
          for (size_t K = 0; K < Values.size(); ++K) {
            EXPECT_EQ(X[K], A->CalcXPosValue(Values[K])) << Values[K];
            EXPECT_EQ(Y[K], A->CalcYPosValue(Values[K])) << Values[K];
          }
        }
}
