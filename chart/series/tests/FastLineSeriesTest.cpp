// The fast line series: what it draws over a recording canvas (single
// points, thinning by pixel column, null points, stairs), the margins of
// thick pens, the no-repaint path for live data, the hit test, and the
// settings it copies and registers.
#include "chart/series/tests/SeriesTestSupport.h"

#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "chart/series/FastLineSeries.h"
#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TFastLineSeries* AddLine(TPixelChart& C)
{
  auto* S = new TFastLineSeries(&C);
  C.AddSeries(S);
  return S;
}

struct TDrawCase {
  const char* Name;
  std::function<void(TPixelChart&, TFastLineSeries*)> Build;
  QStringList Expected;
};

} // namespace

TEST(FastLineSeries, WhatEachConfigurationDraws)
{
  const TDrawCase Cases[] = {
      {"one point draws nothing", [](TPixelChart& C, TFastLineSeries* S) { S->AddXY(10, C.Y(10)); }, {}},
      {"every point with the defaults",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->AddXY(10, C.Y(10));
         S->AddXY(20, C.Y(30));
         S->AddXY(30, C.Y(15));
       },
       {"10,10-20,30", "20,30-30,15"}},
      {"ten points on one column, first of each column",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetDrawAllPoints(false);
         S->AddXY(10, C.Y(10));
         for (int I = 0; I < 10; ++I)
           S->AddXY(20 + I * 0.01, C.Y(30 + I * 5));
       },
       {"10,10-20,30"}},
      {"the min-max column 50, 20, 80",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetDrawAllPoints(false);
         S->SetDrawAllPointsStyle(daMinMax);
         S->AddXY(10, C.Y(40));
         S->AddXY(20, C.Y(50));
         S->AddXY(20.1, C.Y(20));
         S->AddXY(20.2, C.Y(80));
         S->AddXY(30, C.Y(60));
       },
       {"10,40-20,50", "20,50-20,20", "20,20-20,80", "20,80-30,60"}},
      {"the same column when the X values are not kept in order",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->XValues()->SetOrder(loNone);
         S->SetDrawAllPoints(false);
         S->SetDrawAllPointsStyle(daMinMax);
         S->AddXY(10, C.Y(40));
         S->AddXY(20, C.Y(50));
         S->AddXY(20.1, C.Y(20));
         S->AddXY(20.2, C.Y(80));
         S->AddXY(30, C.Y(60));
       },
       {"10,40-20,50", "20,50-20,20", "20,20-20,80", "20,80-30,60"}},
      {"a column of equal rows draws no vertical line; the last column closes",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetDrawAllPoints(false);
         S->SetDrawAllPointsStyle(daMinMax);
         S->AddXY(10, C.Y(40));
         S->AddXY(20, C.Y(50));
         S->AddXY(20.1, C.Y(50));
         S->AddXY(30, C.Y(60));
         S->AddXY(30.1, C.Y(10));
       },
       {"10,40-20,50", "20,50-30,60", "30,60-30,10"}},
      {"a null point with don't-paint leaves a gap",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetTreatNulls(tnDontPaint);
         S->AddXY(10, C.Y(10));
         S->AddXY(20, C.Y(20));
         S->AddNullXY(30, C.Y(30));
         S->AddXY(40, C.Y(40));
         S->AddXY(50, C.Y(50));
       },
       {"10,10-20,20", "40,40-50,50"}},
      {"a null point with skip is bridged",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetTreatNulls(tnSkip);
         S->AddXY(10, C.Y(10));
         S->AddXY(20, C.Y(20));
         S->AddNullXY(30, C.Y(90));
         S->AddXY(40, C.Y(40));
       },
       {"10,10-20,20", "20,20-40,40"}},
      {"a null point with ignore is drawn at its value",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetTreatNulls(tnIgnore);
         S->SetDrawAllPoints(false);
         S->AddXY(10, C.Y(10));
         S->AddNullXY(20, C.Y(90));
         S->AddXY(30, C.Y(30));
       },
       {"10,10-20,90", "20,90-30,30"}},
      {"stairs go across first",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetStairs(true);
         S->AddXY(10, C.Y(10));
         S->AddXY(20, C.Y(30));
       },
       {"10,10-20,10", "20,10-20,30"}},
      {"inverted stairs go up or down first",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetStairs(true);
         S->SetInvertedStairs(true);
         S->AddXY(10, C.Y(10));
         S->AddXY(20, C.Y(30));
       },
       {"10,10-10,30", "10,30-20,30"}},
      {"one polyline with flAll",
       [](TPixelChart& C, TFastLineSeries* S) {
         S->SetDrawStyle(flAll);
         S->AddXY(10, C.Y(10));
         S->AddXY(20, C.Y(30));
         S->AddXY(30, C.Y(15));
       },
       {}},
  };
  for (const TDrawCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TPixelChart C;
    TFastLineSeries* S = AddLine(C);
    Case.Build(C, S);
    EXPECT_EQ(C.Redraw(), Case.Expected);
  }
}

TEST(FastLineSeries, OnePolylineCallWithFlAll)
{
  TPixelChart C;
  TFastLineSeries* S = AddLine(C);
  S->SetDrawStyle(flAll);
  S->AddXY(10, C.Y(10));
  S->AddXY(20, C.Y(30));
  S->AddXY(30, C.Y(15));
  C.Redraw();
  EXPECT_TRUE(C.Canvas->Log.contains(QStringLiteral("Polyline(10 10,20 30,30 15)")))
      << C.Canvas->Log.join(' ').toStdString();
  EXPECT_TRUE(C.Segments().isEmpty());
  // Stairs cannot be one polyline: the segments come back.
  S->SetStairs(true);
  EXPECT_EQ(C.Redraw().size(), 4);
}

TEST(FastLineSeries, TheLineStartsAtThePointBeforeTheVisibleRange)
{
  TPixelChart C;
  TFastLineSeries* S = AddLine(C);
  // Point 0 lies left of the chart: the segment into the chart is drawn
  // from it (and the one leading out on the right as well).
  S->AddXY(C.R.Left - 20, C.Y(10));
  S->AddXY(C.R.Left + 10, C.Y(20));
  S->AddXY(C.R.Right + 20, C.Y(30));
  const QStringList L = C.Redraw();
  ASSERT_EQ(L.size(), 2);
  EXPECT_TRUE(L[0].startsWith(QString::number(C.R.Left - 20) + QLatin1Char(',')));
  EXPECT_TRUE(L[1].endsWith(QString::number(C.R.Right + 20) + QStringLiteral(",30")));
}

TEST(FastLineSeries, ThickPensWidenTheMarginsAtTheEnds)
{
  struct Case {
    int Width, Margin;
  };
  const Case Cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 3}, {5, 4}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Width);
    TPixelChart C;
    C.BottomAxis()->SetAutomatic(true);
    C.LeftAxis()->SetAutomatic(true);
    TFastLineSeries* S = AddLine(C);
    S->LinePen()->SetWidth(K.Width);
    S->AddXY(0, 10);
    S->AddXY(1, 20);
    S->AddXY(2, 15);
    int32_t L = 0, R = 0;
    S->CalcHorizMargins(L, R);
    EXPECT_EQ(L, K.Margin);
    EXPECT_EQ(R, K.Margin);
    // On automatic axes the line keeps that many pixels from every edge it
    // reaches, so a thick pen is not cut there.
    C.Redraw();
    EXPECT_EQ(S->CalcXPos(0) - C.R.Left, K.Margin);
    EXPECT_EQ(C.R.Right - S->CalcXPos(2), K.Margin);
    EXPECT_EQ(S->CalcYPos(1) - C.R.Top, K.Margin);
    EXPECT_EQ(C.R.Bottom - S->CalcYPos(0), K.Margin);
    // Data short of a fixed axis' limits need no room vertically.
    C.LeftAxis()->SetMinMax(0, 100);
    C.Redraw();
    int32_t T = 0, B = 0;
    S->CalcVerticalMargins(T, B);
    EXPECT_EQ(T, 0);
    EXPECT_EQ(B, 0);
  }
}

TEST(FastLineSeries, WithoutAutoRepaintANewPointDrawsOnlyItsSegment)
{
  TPixelChart C;
  TFastLineSeries* S = AddLine(C);
  S->AddXY(10, C.Y(10));
  S->AddXY(20, C.Y(20));
  C.Redraw();
  int AfterAdd = 0, Invalidated = 0;
  S->OnAfterAdd = [&](TChartSeries*, int32_t) { ++AfterAdd; };
  C.OnInvalidate = [&] { ++Invalidated; };
  auto* Linked = new TChartSeries(&C);
  C.AddSeries(Linked);
  Linked->SetDataSource(S);
  ASSERT_EQ(Linked->Count(), 2);
  Invalidated = 0;

  S->SetAutoRepaint(false);
  Invalidated = 0;
  C.Canvas->Log.clear();
  S->AddXY(30, C.Y(50));
  EXPECT_EQ(C.Segments(), QStringList{QStringLiteral("20,20-30,50")});
  EXPECT_EQ(AfterAdd, 0);
  EXPECT_EQ(Invalidated, 0);
  EXPECT_EQ(Linked->Count(), 2);

  // With AutoRepaint the series behaves as every series does.
  S->SetAutoRepaint(true);
  Invalidated = 0;
  S->AddXY(40, C.Y(60));
  EXPECT_EQ(AfterAdd, 1);
  EXPECT_GT(Invalidated, 0);
  // The point added on the quiet path never reached the linked series.
  EXPECT_EQ(Linked->Count(), 3);
  delete Linked;
}

TEST(FastLineSeries, ClicksOnPointsAndSegments)
{
  TPixelChart C;
  TFastLineSeries* S = AddLine(C);
  S->AddXY(10, C.Y(10));
  S->AddXY(50, C.Y(10));
  S->AddXY(50, C.Y(60));
  C.Redraw();
  struct Case {
    int X, Y, Tolerance;
    bool Stairs;
    int Expected;
  };
  const Case Cases[] = {
      {10, 10, 0, false, 0},  // on a point
      {50, 60, 0, false, 2},  // the last point
      {30, 10, 0, false, 0},  // on the first segment
      {30, 12, 0, false, -1}, // two pixels off
      {30, 12, 1, false, 0},  // within the tolerance
      {50, 35, 0, false, 1},  // on the second segment
      {200, 150, 0, false, -1},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(testing::Message() << K.X << ',' << K.Y);
    S->SetClickTolerance(K.Tolerance);
    S->SetStairs(K.Stairs);
    EXPECT_EQ(S->Clicked(K.X, K.Y), K.Expected);
  }
  // Stairs: the vertical leg at the later point, then the horizontal one.
  TPixelChart D;
  TFastLineSeries* T = AddLine(D);
  T->SetStairs(true);
  T->AddXY(10, D.Y(10));
  T->AddXY(40, D.Y(50));
  D.Redraw();
  EXPECT_EQ(T->Clicked(40, 30), 0);
  EXPECT_EQ(T->Clicked(25, 10), 0);
  EXPECT_EQ(T->Clicked(25, 30), -1);
}

TEST(FastLineSeries, ALoneVisiblePointWithoutDrawAllPoints)
{
  TPixelChart C;
  TFastLineSeries* S = AddLine(C);
  S->SetDrawAllPoints(false);
  // Only point 3 lies inside the chart: the line comes from the earliest
  // point of the column before it.
  S->AddXY(C.R.Left - 30, C.Y(10));
  S->AddXY(C.R.Left - 10, C.Y(20));
  S->AddXY(C.R.Left - 10, C.Y(25));
  S->AddXY(C.R.Left + 5, C.Y(30));
  C.Redraw();
  S->CalcFirstLastVisibleIndex();
  EXPECT_EQ(S->FirstValueIndex(), 1);
  EXPECT_EQ(S->LastValueIndex(), 3);
  // A lone point at index 0 shows nothing.
  TPixelChart D;
  TFastLineSeries* T = AddLine(D);
  T->SetDrawAllPoints(false);
  T->AddXY(D.R.Left + 5, D.Y(30));
  D.Redraw();
  T->CalcFirstLastVisibleIndex();
  EXPECT_EQ(T->FirstValueIndex(), -1);
}

TEST(FastLineSeries, PenAndSeriesColourAreOne)
{
  TImageChart C;
  auto* S = new TFastLineSeries(&C);
  EXPECT_EQ(S->LinePen()->Color(), clDefault);
  EXPECT_EQ(S->LinePen()->EndStyle(), esFlat);
  C.AddSeries(S);
  EXPECT_EQ(S->LinePen()->Color(), S->SeriesColor());
  S->SetSeriesColor(0x123456);
  EXPECT_EQ(S->LinePen()->Color(), TColor(0x123456));
  TZuzPen P;
  P.SetColor(0x00AA00);
  P.SetWidth(2);
  S->SetPen(&P);
  EXPECT_EQ(S->SeriesColor(), TColor(0x00AA00));
  EXPECT_EQ(S->LinePen()->Width(), 2);
}

TEST(FastLineSeries, AssignCopiesTheSwitches)
{
  TFastLineSeries A(nullptr), B(nullptr);
  A.SetAutoRepaint(false);
  A.SetClickTolerance(3);
  A.SetDrawAllPoints(false);
  A.SetDrawAllPointsStyle(daMinMax);
  A.SetDrawStyle(flAll);
  A.SetFastPen(true);
  A.SetIgnoreNulls(false);
  A.SetInvertedStairs(true);
  A.SetStairs(true);
  B.Assign(&A);
  EXPECT_FALSE(B.AutoRepaint());
  EXPECT_EQ(B.ClickTolerance(), 3);
  EXPECT_FALSE(B.DrawAllPoints());
  EXPECT_EQ(B.DrawAllPointsStyle(), daMinMax);
  EXPECT_EQ(B.DrawStyle(), flAll);
  EXPECT_TRUE(B.FastPen());
  EXPECT_FALSE(B.IgnoreNulls());
  EXPECT_TRUE(B.InvertedStairs());
  EXPECT_TRUE(B.Stairs());
  EXPECT_EQ(B.TreatNulls(), tnIgnore);
}

TEST(FastLineSeries, GalleryEntriesAndRegistration)
{
  TFastLineSeries S(nullptr);
  QStringList Names;
  S.CreateSubGallery([&](const String& N) { Names << N; });
  EXPECT_EQ(Names, (QStringList{ZuzMsg_Normal, ZuzMsg_Marks, ZuzMsg_Dotted, ZuzMsg_Stairs}));
  TFastLineSeries Preview(nullptr);
  S.SetSubGallery(&Preview, 2);
  EXPECT_TRUE(Preview.LinePen()->SmallDots());
  S.SetSubGallery(&Preview, 3);
  EXPECT_TRUE(Preview.Stairs());

  RegisterZuzStandardSeries();
  RegisterZuzStandardSeries();
  const TZuzSeriesType* T = ZuzSeriesTypes().Find(ClassInfoFor<TFastLineSeries>());
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->Description, &ZuzMsg_GalleryFastLine);
  EXPECT_EQ(T->GalleryPage, &ZuzMsg_GalleryStandard);
  EXPECT_EQ(T->NumGallerySeries, 2);
  int Entries = 0;
  for (int I = 0; I < ZuzSeriesTypes().Count(); ++I)
    Entries += ZuzSeriesTypes().Items(I)->SeriesClass == ClassInfoFor<TFastLineSeries>();
  EXPECT_EQ(Entries, 1);
  EXPECT_EQ(GetGallerySeriesName(&S), ZuzMsg_GalleryFastLine);
  EXPECT_EQ(ZuzSeriesTypes().Find(QStringLiteral("TFastLineSeries")), ClassInfoFor<TFastLineSeries>());
}
