// A series' marks: the text of each style, the legend texts, which points
// get a mark (thinning, null points), where marks go (custom positions,
// arrow length, keeping clear of each other), the tail's spike and the hit
// test of a drawn mark.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzStrings.h"

#include <gtest/gtest.h>

#include <QScopeGuard>

#include <memory>
#include <vector>

namespace {

class TQuietSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
};

struct TPointSpec {
  double X, Y;
  const char* Label;
};

// A chart of one series with visible marks, drawn flat into an image.
class TMarksChart : public TImageTChart {
public:
  explicit TMarksChart(const std::vector<TPointSpec>& Points = {}, int32_t W = 400, int32_t H = 300)
      : TImageTChart(W, H)
  {
    SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    SetView3D(false);
    Legend()->SetVisible(false);
    S = new TQuietSeries(this);
    AddSeries(S);
    S->SetTitle(QStringLiteral("Flow"));
    for (const TPointSpec& P : Points)
      S->AddXY(P.X, P.Y, QString::fromLatin1(P.Label));
    S->Marks()->SetVisible(true);
  }
  TSeriesMarks* M() { return S->Marks(); }
  // The indexes whose marks were placed in the last drawing.
  std::vector<int32_t> Placed() const
  {
    std::vector<int32_t> R;
    for (int32_t I = 0; I < S->Marks()->Positions().Count(); ++I)
      if (S->Marks()->Positions().Get(I))
        R.push_back(I);
    return R;
  }
  TQuietSeries* S;
};

std::vector<int32_t> Multiples(int32_t Step, int32_t From, int32_t To)
{
  std::vector<int32_t> R;
  for (int32_t I = From; I <= To; ++I)
    if (I % Step == 0)
      R.push_back(I);
  return R;
}

} // namespace

TEST(SeriesMarks, TheTextOfEachStyle)
{
  const String Br = String(ZuzTextLineBreak);
  struct Case {
    const char* Name;
    std::vector<TPointSpec> Points;
    TSeriesMarksStyle Style;
    bool MultiLine;
    int32_t Index;
    QString Expected;
  };
  const std::vector<TPointSpec> Cars{{0, 12.5, "Cars"}, {1, 12.5, ""}};
  const std::vector<TPointSpec> OneOneTwo{{0, 1, ""}, {1, 1, ""}, {2, 2, "Vans"}};
  const std::vector<TPointSpec> Zeros{{0, 0, ""}, {1, 0, ""}};
  const std::vector<TPointSpec> Relative{{0, 4, ""}, {1, 2, ""}, {2, 8, ""}};
  const std::vector<TPointSpec> RelativeToZero{{0, 0, ""}, {1, 2, ""}};
  const Case Cases[] = {
      {"value", Cars, smsValue, false, 0, QStringLiteral("12.5")},
      {"label and value", Cars, smsLabelValue, false, 0, QStringLiteral("Cars 12.5")},
      {"label and value, no label", Cars, smsLabelValue, false, 1, QStringLiteral("12.5")},
      {"label and value on two lines", Cars, smsLabelValue, true, 0,
       QStringLiteral("Cars") + Br + QStringLiteral("12.5")},
      {"label", Cars, smsLabel, false, 1, QString()},
      {"label or value", Cars, smsLabelOrValue, false, 1, QStringLiteral("12.5")},
      {"percent", OneOneTwo, smsPercent, false, 0, QStringLiteral("25 %")},
      {"percent of the larger", OneOneTwo, smsPercent, false, 2, QStringLiteral("50 %")},
      {"percent of a zero total", Zeros, smsPercent, false, 1, QStringLiteral("100 %")},
      {"percent and total", OneOneTwo, smsPercentTotal, false, 2, QStringLiteral("50 % of 4")},
      {"percent and total on two lines", OneOneTwo, smsPercentTotal, true, 2, QStringLiteral("50 %\rof 4")},
      {"label and percent", OneOneTwo, smsLabelPercent, false, 2, QStringLiteral("Vans 50 %")},
      {"label, percent and value", OneOneTwo, smsLabelPercentValue, false, 0, QStringLiteral("1 25 % 1")},
      {"label, percent and total", OneOneTwo, smsLabelPercentTotal, false, 2, QStringLiteral("Vans 50 % of 4")},
      {"relative, first", Relative, smsPercentRelative, false, 0, QStringLiteral("100 %")},
      {"relative, half", Relative, smsPercentRelative, false, 1, QStringLiteral("50 %")},
      {"relative, double", Relative, smsPercentRelative, false, 2, QStringLiteral("200 %")},
      {"relative to a zero first", RelativeToZero, smsPercentRelative, false, 1, QStringLiteral("0 %")},
      {"x value", OneOneTwo, smsXValue, false, 2, QStringLiteral("2")},
      {"x and y", Cars, smsXY, false, 1, QStringLiteral("1 12.5")},
      {"series title", Cars, smsSeriesTitle, false, 0, QStringLiteral("Flow")},
      {"point index", OneOneTwo, smsPointIndex, false, 2, QStringLiteral("2")},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TMarksChart C(K.Points);
    C.M()->SetStyle(K.Style);
    C.M()->SetMultiLine(K.MultiLine);
    EXPECT_EQ(C.S->GetMarkText(K.Index), K.Expected);
  }
}

TEST(SeriesMarks, CustomTextsAndTheTextEvent)
{
  TMarksChart C({{0, 1, "A"}, {1, 2, "B"}, {2, 3, "C"}});
  C.M()->Item(1)->TCustomTextShape::SetText(QStringLiteral("abc\r\n"));
  EXPECT_EQ(C.S->GetMarkText(1), QStringLiteral("abc"));
  EXPECT_EQ(C.S->GetMarkText(0), QStringLiteral("A"));
  // The event has the last word; an empty text means no mark.
  C.S->OnGetMarkText = [](TChartSeries*, int32_t Index, String& Text) {
    if (Index == 2)
      Text.clear();
  };
  C.Draw();
  EXPECT_EQ(C.Placed(), (std::vector<int32_t>{0, 1}));
}

TEST(SeriesMarks, LegendTextsByTextStyle)
{
  const QChar Sep = ZuzLegendColumnSeparator;
  struct Case {
    TLegendTextStyle Style;
    int32_t Index;
    QString Expected;
  };
  // Point 0: label Cars, x 4, value 12.5; point 1: no label, x 5, value -12.5.
  const Case Cases[] = {
      {ltsPlain, 0, QStringLiteral("Cars")},
      {ltsLeftValue, 0, QStringLiteral("12.5") + Sep + QStringLiteral("Cars")},
      {ltsLeftValue, 1, QStringLiteral("-12.5")},
      {ltsRightValue, 0, QStringLiteral("Cars") + Sep + QStringLiteral("12.5")},
      {ltsRightValue, 1, QStringLiteral("-12.5")},
      {ltsLeftPercent, 0, QStringLiteral("50 %") + Sep + QStringLiteral("Cars")},
      {ltsRightPercent, 1, QStringLiteral("-50 %")},
      {ltsXValue, 1, QStringLiteral("5")},
      {ltsValue, 0, QStringLiteral("12.5")},
      {ltsPercent, 1, QStringLiteral("-50 %")},
      {ltsXAndValue, 0, QStringLiteral("4") + Sep + QStringLiteral("12.5")},
      {ltsXAndPercent, 0, QStringLiteral("4") + Sep + QStringLiteral("50 %")},
      {ltsXAndText, 0, QStringLiteral("4") + Sep + QStringLiteral("Cars")},
      {ltsXAndValueAndText, 0, QStringLiteral("4") + Sep + QStringLiteral("12.5") + Sep + QStringLiteral("Cars")},
  };
  TMarksChart C({{4, 12.5, "Cars"}, {5, -12.5, ""}});
  for (const Case& K : Cases) {
    SCOPED_TRACE(testing::Message() << int(K.Style) << " of point " << K.Index);
    EXPECT_EQ(C.S->LegendString(K.Index, K.Style), K.Expected);
  }
  // The legend mark shows the legend text on one line.
  C.Legend()->SetTextStyle(ltsRightValue);
  C.M()->SetStyle(smsLegend);
  EXPECT_EQ(C.S->GetMarkText(0), QStringLiteral("Cars 12.5"));
  // Whatever character separates the columns.
  const QChar Saved = ZuzLegendColumnSeparator;
  const auto Restore = qScopeGuard([&] { ZuzLegendColumnSeparator = Saved; });
  ZuzLegendColumnSeparator = QLatin1Char('|');
  EXPECT_EQ(C.S->GetMarkText(0), QStringLiteral("Cars 12.5"));
}

TEST(SeriesMarks, ThinningDrawsEveryNthMark)
{
  // 1000 points across the plot: at most one mark per two pixels.
  std::vector<TPointSpec> Many;
  for (int I = 0; I < 1000; ++I)
    Many.push_back({double(I), double(I % 7), ""});
  TMarksChart C(Many, 400, 300);
  C.M()->SetAutoPosition(false);
  C.Draw();
  const int32_t Half = (C.ChartRect.Right - C.ChartRect.Left) / 2;
  ASSERT_GT(Half, 100);
  const int32_t Auto = static_cast<int32_t>(std::lround(1000.0 / Half));
  EXPECT_EQ(C.M()->CalcEvery(), Auto);
  EXPECT_EQ(C.Placed(), Multiples(Auto, 0, 999));
  // A larger interval of its own wins.
  C.M()->SetDrawEvery(10);
  C.M()->Positions().Clear();
  C.Draw();
  EXPECT_EQ(C.M()->CalcEvery(), 10);
  EXPECT_EQ(C.Placed(), Multiples(10, 0, 999));

  // Few points: DrawEvery alone, counted from the series' first point
  // whatever the first visible one is.
  std::vector<TPointSpec> Few;
  for (int I = 0; I < 30; ++I)
    Few.push_back({double(I), 1, ""});
  TMarksChart F(Few);
  F.M()->SetAutoPosition(false);
  F.M()->SetDrawEvery(3);
  F.BottomAxis()->SetMinMax(4.5, 20.5);
  F.Draw();
  ASSERT_EQ(F.S->FirstDisplayedIndex(), 5);
  EXPECT_EQ(F.Placed(), Multiples(3, 5, 20));
}

TEST(SeriesMarks, NullPointsGetNoMark)
{
  TMarksChart C({{0, 1, ""}, {1, 2, ""}, {2, 3, ""}});
  C.S->SetNull(1);
  C.Draw();
  EXPECT_EQ(C.Placed(), (std::vector<int32_t>{0, 2}));
}

TEST(SeriesMarks, NeighbouringMarksKeepClear)
{
  // Two points a hair apart with equal values: their marks coincide.
  for (bool Auto : {true, false}) {
    SCOPED_TRACE(Auto ? "automatic" : "fixed");
    TMarksChart C({{0, 5, ""}, {0.001, 5, ""}});
    C.BottomAxis()->SetMinMax(-1, 1);
    C.M()->SetAutoPosition(Auto);
    C.Draw();
    ASSERT_EQ(C.Placed(), (std::vector<int32_t>{0, 1}));
    const TRect First = C.M()->TotalBounds(0, *C.M()->Positions().Get(0));
    const TRect Second = C.M()->TotalBounds(1, *C.M()->Positions().Get(1));
    if (Auto)
      EXPECT_EQ(Second.Top, First.Bottom); // moved down to touch, not overlap
    else
      EXPECT_EQ(Second.Top, First.Top);
    EXPECT_EQ(Second.Height(), First.Height());
  }
}

TEST(SeriesMarks, CustomPositions)
{
  TMarksChart C({{0, 1, ""}, {1, 2, ""}});
  TSeriesMarkPosition Stored;
  Stored.LeftTop = TPoint{10, 12};
  Stored.ArrowFrom = TPoint{1, 1};
  Stored.ArrowTo = TPoint{30, 20};
  Stored.Width = 40;
  Stored.Height = 15;
  struct Case {
    const char* Name;
    bool Fix;
    TPoint From;
  };
  const Case Cases[] = {{"the user's arrow", false, {1, 1}}, {"the arrow fixed on the point", true, {50, 60}}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    Stored.ArrowFix = K.Fix;
    Stored.Custom = true;
    C.M()->Positions().Put(0, Stored);
    EXPECT_TRUE(C.M()->Positions().ExistCustom());
    TSeriesMarkPosition Computed;
    Computed.LeftTop = TPoint{100, 100};
    Computed.ArrowFrom = TPoint{50, 60};
    Computed.Width = 40;
    Computed.Height = 15;
    C.M()->UsePosition(0, Computed);
    EXPECT_EQ(Computed.LeftTop, (TPoint{10, 12}));
    EXPECT_EQ(Computed.ArrowTo, (TPoint{30, 20}));
    EXPECT_EQ(Computed.ArrowFrom, K.From);
    EXPECT_FALSE(Computed.Custom);
  }
  // A point without a custom position remembers where its mark went.
  TSeriesMarkPosition Computed;
  Computed.LeftTop = TPoint{70, 80};
  C.M()->UsePosition(1, Computed);
  ASSERT_NE(C.M()->Positions().Get(1), nullptr);
  EXPECT_EQ(C.M()->Positions().Get(1)->LeftTop, (TPoint{70, 80}));
  EXPECT_FALSE(C.M()->Positions().Get(1)->Custom);
  // Back to automatic.
  C.M()->ResetPositions();
  EXPECT_FALSE(C.M()->Positions().ExistCustom());
}

TEST(SeriesMarks, TheArrowLengthLiftsTheMark)
{
  TMarksChart C;
  EXPECT_EQ(C.M()->CalloutIfAny(), nullptr);
  // Without a callout the position stays; reading the length makes one.
  TSeriesMarkPosition P;
  P.LeftTop = TPoint{10, 100};
  P.ArrowFrom = TPoint{20, 120};
  P.ArrowTo = TPoint{20, 120};
  C.M()->ApplyArrowLength(P);
  EXPECT_EQ(P.LeftTop.Y, 100);
  EXPECT_EQ(C.M()->ArrowLength(), 8);
  ASSERT_NE(C.M()->CalloutIfAny(), nullptr);
  C.M()->SetArrowLength(20);
  C.M()->Callout()->SetDistance(3);
  C.M()->ApplyArrowLength(P);
  EXPECT_EQ(P.LeftTop.Y, 100 - 23);
  EXPECT_EQ(P.ArrowTo.Y, 120 - 23);
  EXPECT_EQ(P.ArrowFrom.Y, 120 - 3);
  EXPECT_EQ(P.LeftTop.X, 10);
}

TEST(SeriesMarks, TheTailSpike)
{
  const TRect R{10, 10, 50, 30};
  using Pts = std::vector<TPoint>;
  struct Case {
    const char* Name;
    bool Vertical, Auto;
    TTailEdge Edge;
    TTailAlign Align;
    TPoint From, To;
    Pts Expected;
  };
  const Case Cases[] = {
      {"mark above its point: spike down from the bottom edge",
       true,
       true,
       tteTop,
       ttaNear,
       {30, 60},
       {30, 35},
       Pts{{10, 10}, {10, 30}, {26, 30}, {30, 38}, {34, 30}, {50, 30}, {50, 10}}},
      {"mark below its point: spike up from the top edge",
       true,
       true,
       tteBottom,
       ttaFar,
       {30, 0},
       {30, 5},
       Pts{{10, 10}, {10, 30}, {50, 30}, {50, 10}, {34, 10}, {30, 2}, {26, 10}}},
      {"horizontal series, mark left of its point",
       false,
       true,
       tteLeft,
       ttaNear,
       {80, 20},
       {60, 20},
       Pts{{10, 10}, {10, 30}, {50, 30}, {50, 24}, {58, 20}, {50, 16}, {50, 10}}},
      {"left edge, near",
       true,
       false,
       tteLeft,
       ttaNear,
       {0, 0},
       {0, 0},
       Pts{{10, 10}, {10, 10}, {2, 14}, {10, 18}, {10, 30}, {50, 30}, {50, 10}}},
      {"right edge, far",
       true,
       false,
       tteRight,
       ttaFar,
       {0, 0},
       {0, 0},
       Pts{{10, 10}, {10, 30}, {50, 30}, {50, 30}, {58, 26}, {50, 22}, {50, 10}}},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TMarksChart C;
    C.S->YMandatory = K.Vertical;
    TMarksTail* T = C.M()->Tail();
    T->SetAutoAlign(K.Auto);
    T->SetEdge(K.Edge);
    T->SetAlign(K.Align);
    EXPECT_EQ(T->GetPoints(R, K.From, K.To), K.Expected);
  }
  // A custom tip.
  TMarksChart C;
  TMarksTail* T = C.M()->Tail();
  T->SetCustomPoint(true);
  T->SetCustomPointPos(TPoint{0, 0});
  T->SetEdge(tteBottom);
  EXPECT_EQ(T->GetPoints(R, {30, 60}, {30, 35})[3], (TPoint{0, 0}));
  EXPECT_EQ(T->Edge(), tteBottom);
}

TEST(SeriesMarks, AClickFindsTheDrawnMark)
{
  TMarksChart C({{0, 1, "one"}, {1, 2, "two"}, {2, 3, "three"}, {3, 4, "four"}});
  C.Draw();
  ASSERT_EQ(C.Placed(), (std::vector<int32_t>{0, 1, 2, 3}));
  for (int32_t I = 0; I < 4; ++I) {
    const TRect B = C.M()->Positions().Get(I)->Bounds();
    EXPECT_EQ(C.S->MarksClicked((B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2), I);
  }
  C.S->IClickedPart = scpNone;
  const TRect B = C.M()->Positions().Get(2)->Bounds();
  C.S->MarksClicked(B.Left + 1, B.Top + 1);
  EXPECT_EQ(C.S->IClickedPart, scpMark);
  EXPECT_EQ(C.S->MarksClicked(B.Right + 50, B.Bottom + 80), -1);
  // Hidden marks are not hit.
  C.M()->SetVisible(false);
  EXPECT_EQ(C.S->MarksClicked((B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2), -1);
}

TEST(SeriesMarks, DeletingPointsDropsTheirPositions)
{
  TMarksChart C({{0, 1, ""}, {1, 2, ""}, {2, 3, ""}, {3, 4, ""}});
  C.Draw();
  const TPoint Third = C.M()->Positions().Get(2)->LeftTop;
  C.M()->Delete(1);
  ASSERT_EQ(C.M()->Positions().Count(), 3);
  EXPECT_EQ(C.M()->Positions().Get(1)->LeftTop, Third);
  // Beyond the list nothing happens.
  C.M()->Delete(10);
  EXPECT_EQ(C.M()->Positions().Count(), 3);
  C.M()->Clear();
  EXPECT_EQ(C.M()->Positions().Count(), 0);
}
