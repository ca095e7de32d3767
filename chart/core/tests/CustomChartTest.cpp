// The chart component: walls only where series use axes, titles made on
// first read and freed by nil, the palette choice and its storing, series
// moved up and down, clearing, axis names, and input handed to tools.
#include "CoreTestSupport.h"

#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/ColorPalettes.h"
#include "chart/core/EditorOptions.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzCustomTool.h"
#include "platform/Filer.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TNoAxisSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  bool UseAxis() const override { return false; }
};

// A tool that logs what it hears and may stop mouse events.
class TLogTool : public TZuzCustomTool {
public:
  TLogTool(QStringList& ALog, const char* AName, bool ACancel = false)
      : TZuzCustomTool(nullptr), Log(ALog), Name(QString::fromLatin1(AName)), Cancel(ACancel)
  {
  }
  void ChartMouseEvent(TChartMouseEvent E, TMouseButton, TShiftState, int32_t X, int32_t) override
  {
    Log << Name + QStringLiteral(" mouse %1 %2").arg(int(E)).arg(X);
    if (Cancel)
      ParentChart()->SetCancelMouse(true);
  }
  void ChartKeyEvent(TChartKeyEvent E, uint16_t& Key, char16_t& Ch, TShiftState) override
  {
    Log << Name + QStringLiteral(" key %1 %2 %3").arg(int(E)).arg(Key).arg(int(Ch));
  }
  void ChartEvent(TChartToolEvent E) override { Log << Name + QStringLiteral(" chart %1").arg(int(E)); }
  QStringList& Log;
  QString Name;
  bool Cancel;
};

// Reaches the chart's protected input handlers.
class TInputChart : public TImageTChart {
public:
  using TImageTChart::KeyDown;
  using TImageTChart::KeyPress;
  using TImageTChart::MouseDown;
};

} // namespace

TEST(CustomChart, WallsOnlyWhereSeriesUseAxes)
{
  struct Case {
    const char* Name;
    int AxisSeries, OtherSeries;
    bool Walls;
  };
  const Case Cases[] = {{"no series", 0, 0, true}, {"a pie-like series only", 0, 1, false}, {"both kinds", 1, 1, true}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TImageTChart C;
    auto Canvas = std::make_unique<TEntityLogCanvas>();
    TEntityLogCanvas* Log = Canvas.get();
    C.SetInternalCanvas(std::move(Canvas));
    C.SetView3D(false);
    for (int I = 0; I < K.AxisSeries; ++I)
      C.AddSeries(new TChartSeries(&C))->AddXY(0, 1);
    for (int I = 0; I < K.OtherSeries; ++I)
      C.AddSeries(new TNoAxisSeries(&C))->AddXY(0, 1);
    C.Draw();
    EXPECT_EQ(Log->Log.contains(QStringLiteral("Begin Back")), K.Walls);
  }
}

TEST(CustomChart, TitlesAreMadeOnFirstReadAndFreedByNil)
{
  TImageTChart C;
  EXPECT_EQ(C.TitleIfAny(), nullptr);
  TChartTitle* T = C.Title();
  ASSERT_NE(T, nullptr);
  T->SetCaption(QStringLiteral("Cast"));
  T->SetVertMargin(12);
  C.SetTitle(nullptr);
  EXPECT_EQ(C.TitleIfAny(), nullptr);
  EXPECT_EQ(C.Title()->VertMargin(), 5);
  EXPECT_EQ(C.Title()->Caption(), String());
  // Assigning copies into the chart's own title.
  TChartTitle Other(nullptr);
  Other.SetCaption(QStringLiteral("Profile"));
  C.SetSubTitle(&Other);
  EXPECT_NE(C.SubTitle(), &Other);
  EXPECT_EQ(C.SubTitle()->Caption(), QStringLiteral("Profile"));
  EXPECT_NE(dynamic_cast<TChartFootTitle*>(C.Foot()), nullptr);
  EXPECT_EQ(dynamic_cast<TChartFootTitle*>(C.SubTitle()), nullptr);
}

TEST(CustomChart, ThePaletteOfANewChartAndItsChanges)
{
  TImageTChart C;
  EXPECT_EQ(C.ColorPaletteIndex(), 13);
  TChartSeries* S = C.AddSeries(new TChartSeries(&C));
  EXPECT_EQ(S->SeriesColor(), TColor(0xA36644));
  // -2 keeps the colours in use as the chart's own.
  C.SetColorPaletteIndex(5);
  C.SetColorPaletteIndex(-2);
  TColorArray Five;
  ColorPalettes().GetPalette(5, Five);
  EXPECT_EQ(C.ColorPalette, Five);
  // From 0 (or -1): the default palette.
  C.SetColorPaletteIndex(0);
  EXPECT_TRUE(C.ColorPalette.empty());
  EXPECT_EQ(S->SeriesColor(), TColor(0x0000FF));
  C.SetColorPaletteIndex(-2);
  EXPECT_EQ(C.ColorPalette, ZuzColorPalette);
  // The user's option decides a new chart's palette.
  ZuzSaveIntegerOption(QStringLiteral("DefaultPalette"), 4);
  TImageTChart D;
  EXPECT_EQ(D.ColorPaletteIndex(), 4);
  ZuzSaveIntegerOption(QStringLiteral("DefaultPalette"), 13);
}

TEST(CustomChart, ThePaletteTravelsWithTheChart)
{
  struct Case {
    const char* Name;
    int Index;
    TColorArray Custom;
    int Read;
  };
  const Case Cases[] = {
      {"an index", 7, {}, 7},
      {"the default palette", 0, {}, 0},
      {"custom colours", -2, {0x010203, 0x040506}, -2},
      {"an empty custom list", -2, {}, -1},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TImageTChart C;
    C.SetColorPaletteIndex(K.Index);
    if (K.Index == -2)
      C.ColorPalette = K.Custom;
    TMemoryStream S;
    WriteComponentToStream(S, &C);
    S.SetPosition(0);
    TImageTChart Back;
    ReadComponentFromStream(S, &Back);
    EXPECT_EQ(Back.ColorPaletteIndex(), K.Read);
    if (K.Index == -2)
      EXPECT_EQ(Back.ColorPalette, K.Custom);
  }
}

TEST(CustomChart, SeriesMoveUpAndDown)
{
  TImageTChart C;
  TChartSeries* A = C.AddSeries(new TChartSeries(&C));
  TChartSeries* B = C.AddSeries(new TChartSeries(&C));
  C.SeriesUp(A);
  C.SeriesDown(B);
  EXPECT_EQ(C.GetSeries(0), A);
  EXPECT_EQ(C.GetSeries(1), B);
  C.SeriesUp(B);
  EXPECT_EQ(C.GetSeries(0), B);
  C.SeriesDown(B);
  EXPECT_EQ(C.GetSeries(1), B);
  C.RemoveAllSeries();
  EXPECT_EQ(C.SeriesCount(), 0);
  delete A;
  delete B;
}

TEST(CustomChart, ColoursAndAxesServices)
{
  TImageTChart C;
  C.SetView3D(false);
  TChartSeries* S = C.AddSeries(new TChartSeries(&C));
  S->SetSeriesColor(0x111111);
  EXPECT_FALSE(C.IsFreeSeriesColor(0x111111, false, nullptr));
  EXPECT_TRUE(C.IsFreeSeriesColor(0x111111, false, S));
  EXPECT_FALSE(C.IsFreeSeriesColor(C.BackWall()->Color(), true, nullptr));
  EXPECT_TRUE(C.IsFreeSeriesColor(C.BackWall()->Color(), false, nullptr));
  // An opaque back wall is the back colour.
  C.BackWall()->SetTransparent(false);
  C.SetBackColor(0x00FFEE);
  EXPECT_EQ(C.GetBackColor(), TColor(0x00FFEE));
  EXPECT_EQ(C.AxisTitleOrName(C.LeftAxis()), ZuzMsg_LeftAxis);
  EXPECT_EQ(C.AxisTitleOrName(C.TopAxis()), ZuzMsg_TopAxis);
  EXPECT_EQ(C.AxisTitleOrName(C.DepthAxis()), ZuzMsg_DepthAxis);
  C.RightAxis()->Title()->SetCaption(QStringLiteral("Salinity"));
  EXPECT_EQ(C.AxisTitleOrName(C.RightAxis()), QStringLiteral("Salinity"));
  EXPECT_EQ(C.GetASeries(), S);
  S->SetActive(false);
  EXPECT_EQ(C.GetASeries(), nullptr);
  EXPECT_TRUE(C.ActiveSeriesUseAxis());
}

TEST(CustomChart, ClearChartRestoresANewChart)
{
  TImageTChart C;
  C.AddSeries(new TChartSeries(&C))->AddXY(1, 2);
  C.Title()->SetCaption(QStringLiteral("Cast"));
  C.Legend()->SetAlignment(laTop);
  C.SetMarginLeft(40);
  C.LeftAxis()->SetMinMax(0, 5);
  QStringList Log;
  C.Tools().Add(new TLogTool(Log, "tool"));
  C.ClearChart();
  EXPECT_EQ(C.SeriesCount(), 0);
  EXPECT_EQ(C.Tools().Count(), 0);
  EXPECT_EQ(C.Title()->Caption(), String());
  EXPECT_EQ(C.Legend()->Alignment(), laRight);
  EXPECT_EQ(C.MarginLeft(), 3);
  EXPECT_TRUE(C.LeftAxis()->Automatic());
}

TEST(CustomChart, InputReachesTheToolsFirst)
{
  TInputChart C;
  QStringList Log;
  auto* First = new TLogTool(Log, "first");
  auto* Stopper = new TLogTool(Log, "stopper", true);
  auto* Last = new TLogTool(Log, "last");
  C.Tools().Add(First);
  C.Tools().Add(Stopper);
  C.Tools().Add(Last);
  uint16_t Key = 65;
  C.KeyDown(Key, 0);
  char16_t Ch = u'a';
  C.KeyPress(Ch);
  EXPECT_EQ(Log.filter(QStringLiteral(" key ")).size(), 6);
  EXPECT_TRUE(Log.contains(QStringLiteral("last key 2 0 97")));
  Log.clear();
  // A tool that sets CancelMouse ends the mouse event there.
  C.MouseDown(mbLeft, 0, 10, 10);
  EXPECT_EQ(Log, (QStringList{"first mouse 0 10", "stopper mouse 0 10"}));
  // Inactive tools hear nothing; drawing events reach every active one.
  Stopper->SetActive(false);
  Log.clear();
  C.Draw();
  EXPECT_TRUE(Log.contains(QStringLiteral("first chart 2")));
  EXPECT_FALSE(Log.filter(QStringLiteral("stopper")).size() > 0);
  // A destroyed tool leaves the chart's list.
  delete Last;
  EXPECT_EQ(C.Tools().Count(), 2);
  delete First;
  delete Stopper;
}
