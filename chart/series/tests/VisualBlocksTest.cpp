// Series drawn through visual blocks: a line's visual template fed with its
// points, pointers of style psVisual placed over their point, bars and 3D
// slices that leave a point with a block to it.
#include "chart/series/tests/SeriesTestSupport.h"

#include "chart/core/ChartValueList.h"
#include "chart/core/VisualsList.h"
#include "chart/series/BarSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/series/PointSeries.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

template <class S>
S* Add(TCustomAxisPanel& C)
{
  auto* Series = new S(&C);
  C.AddSeries(Series);
  return Series;
}

QString PathPoint(float X, float Y, TColor C = clDefault)
{
  return QStringLiteral("Path %1,%2 #%3").arg(X).arg(Y).arg(static_cast<uint32_t>(C), 0, 16);
}

// Where a block placed over R between depths Z0 and Z1 lies.
std::pair<TPoint3DFloat, TPoint3DFloat> Placed(const TRect& R, int32_t Z0, int32_t Z1, int32_t Height)
{
  TRecordingBlock B(nullptr);
  B.SetBounds(R, static_cast<float>(Z0), static_cast<float>(Z1), Height);
  return {B.Location()->Point, B.Size()->Point};
}

std::pair<TPoint3DFloat, TPoint3DFloat> Placed(const TVisualBlock& B) { return {B.Location()->Point, B.Size()->Point}; }

} // namespace

TEST(VisualBlocks, ALineFeedsItsTemplate)
{
  struct TCase {
    const char* Name;
    bool View3D;
    std::function<void(TLineSeries*)> Build;
    // The path in pixels (Y downwards); the test turns it upwards.
    std::vector<std::pair<int, int>> Path;
    bool SegmentsDrawn;
  };
  const auto Plain = [](TLineSeries*) {};
  const std::vector<TCase> Cases{
      {"3D: every point instead of the ribbon", true, Plain, {{10, 10}, {20, 30}, {30, 20}}, false},
      {"3D stairs: the corner first",
       true,
       [](TLineSeries* S) { S->SetStairs(true); },
       {{10, 10}, {20, 10}, {20, 30}, {30, 30}, {30, 20}},
       false},
      {"3D inverted stairs: the corner at the earlier point",
       true,
       [](TLineSeries* S) {
         S->SetStairs(true);
         S->SetInvertedStairs(true);
       },
       {{10, 10}, {10, 30}, {20, 30}, {20, 20}, {30, 20}},
       false},
      {"2D: the first point only, the line drawn as usual", false, Plain, {{10, 10}}, true},
  };
  for (const TCase& K : Cases) {
    SCOPED_TRACE(K.Name);
    TPixelChart C;
    C.SetView3D(K.View3D);
    auto* S = Add<TLineSeries>(C);
    K.Build(S);
    for (const auto& [X, Row] : std::vector<std::pair<int, int>>{{10, 10}, {20, 30}, {30, 20}})
      S->AddXY(X, C.Y(Row));
    TRecordingBlock Template(nullptr);
    S->Visuals()->SetTemplate(&Template);
    const QStringList Segments = C.Redraw();

    EXPECT_FALSE(Template.IsCloneable);
    EXPECT_EQ(S->Visuals()->Count(), 0); // no clones
    ASSERT_GE(Template.Log.size(), 2);
    EXPECT_TRUE(Template.Log[0].startsWith(QStringLiteral("Draw ")));
    EXPECT_EQ(Template.Log[1], QStringLiteral("ClearPath"));
    QStringList Expected;
    for (const auto& [X, Y] : K.Path)
      Expected << PathPoint(static_cast<float>(X), static_cast<float>(C.ChartHeight() - Y));
    EXPECT_EQ(Template.Log.mid(2), Expected);
    // Placed over the series: first to last point, largest to smallest value.
    EXPECT_EQ(Placed(Template), Placed(TRect{10, 10, 30, 30}, S->StartZ, S->EndZ, C.ChartHeight()));
    EXPECT_EQ(!Segments.isEmpty(), K.SegmentsDrawn);
    EXPECT_TRUE(C.Canvas->Calls(QStringLiteral("Plane3D")).isEmpty());
  }
}

TEST(VisualBlocks, PointsAloneCloneTheTemplateAndFeedItNothing)
{
  TPixelChart C;
  C.SetView3D(true);
  C.Canvas->SupportsID = true;
  auto* S = Add<TPointSeries>(C);
  for (int X : {10, 20, 30})
    S->AddXY(X, C.Y(X));
  TRecordingBlock Template(nullptr);
  S->Visuals()->SetTemplate(&Template);
  C.Redraw();
  EXPECT_TRUE(Template.Log.isEmpty());
  EXPECT_TRUE(Template.IsCloneable);
  EXPECT_EQ(S->Visuals()->Count(), 3);
}

TEST(VisualBlocks, TemplatePathTakesThePointColours)
{
  TPixelChart C;
  C.SetView3D(true);
  auto* S = Add<TLineSeries>(C);
  S->AddXY(10, C.Y(10), QString(), 0x112233);
  S->AddXY(20, C.Y(30));
  TRecordingBlock Template(nullptr);
  S->Visuals()->SetTemplate(&Template);
  C.Redraw();
  const float H = static_cast<float>(C.ChartHeight());
  EXPECT_EQ(Template.Log.mid(2), (QStringList{PathPoint(10, H - 10, 0x112233), PathPoint(20, H - 30)}));

  // Each point in its palette colour when the series colours each point.
  S->SetColorEachPoint(true);
  Template.Log.clear();
  C.Redraw();
  EXPECT_EQ(Template.Log.mid(2),
            (QStringList{PathPoint(10, H - 10, 0x112233), PathPoint(20, H - 30, C.GetDefaultColor(1))}));
}

TEST(VisualBlocks, AVisualPointerIsItsPointsBlock)
{
  TPixelChart C;
  auto* S = Add<TPointSeries>(C);
  S->Pointer()->SetStyle(psVisual);
  S->Pointer()->SetHorizSize(3);
  S->Pointer()->SetVertSize(5);
  S->SetTransparency(20);
  for (const auto& [X, Row] : std::vector<std::pair<int, int>>{{10, 10}, {20, 30}, {30, 20}})
    S->AddXY(X, C.Y(Row), QString(), 0x0000FF);
  TRecordingBlock Block(nullptr);
  S->Visuals()->SetVisual(1, &Block);
  C.Canvas->Log.clear();
  C.Redraw();

  ASSERT_EQ(Block.Log.size(), 1);
  EXPECT_TRUE(Block.Log[0].endsWith(QStringLiteral("#ff T20"))) << Block.Log[0].toStdString();
  EXPECT_EQ(Block.DrawnPen, S->Pen());
  EXPECT_EQ(Block.DrawnBrush, S->Brush());
  EXPECT_EQ(Placed(Block), Placed(TRect{17, 25, 23, 35}, S->StartZ, S->EndZ, C.ChartHeight()));
  // Points without a block draw no pointer at all: the canvas sees what it
  // sees with pointers of no shape.
  const QStringList Visual = C.Canvas->Log;
  S->Pointer()->SetStyle(psNothing);
  C.Redraw();
  EXPECT_EQ(C.Canvas->Log, Visual);
  S->Pointer()->SetStyle(psRectangle);
  C.Redraw();
  EXPECT_NE(C.Canvas->Log, Visual);
}

TEST(VisualBlocks, ABarWithABlockIsDrawnByIt)
{
  TPixelChart C;
  auto* S = Add<TBarSeries>(C);
  S->AddXY(10, C.Y(10));
  S->AddXY(20, C.Y(30));
  const int Bars = [&] {
    C.Redraw();
    return static_cast<int>(C.Canvas->Log.size());
  }();
  TRecordingBlock Block(nullptr);
  S->Visuals()->SetVisual(0, &Block);
  C.Redraw();
  ASSERT_EQ(Block.Log.size(), 1);
  EXPECT_EQ(Block.DrawnPen, S->BarPen());
  EXPECT_EQ(Block.DrawnBrush, S->BarBrush());
  EXPECT_EQ(Placed(Block), Placed(S->CalcBarBounds(0), S->StartZ, S->EndZ, C.ChartHeight()));
  EXPECT_LT(static_cast<int>(C.Canvas->Log.size()), Bars); // the bar itself was not drawn
}

TEST(VisualBlocks, A3DSliceWithABlockLeavesItToTheBlock)
{
  TPixelChart C;
  C.SetView3D(true);
  auto* S = Add<TPieSeries>(C);
  for (double V : {1, 2, 3})
    S->Add(V);
  C.Redraw();
  const qsizetype Slices = C.Canvas->Calls(QStringLiteral("Pie3D")).size();
  ASSERT_EQ(Slices, 3);
  TRecordingBlock Block(nullptr);
  S->Visuals()->SetVisual(2, &Block);
  C.Redraw();
  EXPECT_EQ(C.Canvas->Calls(QStringLiteral("Pie3D")).size(), Slices - 1);
}
