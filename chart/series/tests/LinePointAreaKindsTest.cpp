// The line, horizontal line, point, area and horizontal area series kinds:
// their defaults, what they copy, their gallery sub-kinds, marks of the
// horizontal kinds and their registration.
#include "chart/series/tests/SeriesTestSupport.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/canvas/CanvasMessages.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

TEST(LinePointAreaKinds, Defaults)
{
  TLineSeries Line(nullptr);
  EXPECT_TRUE(Line.DrawLine());
  EXPECT_FALSE(Line.DrawArea());
  EXPECT_FALSE(Line.Pointer()->Visible());
  EXPECT_FALSE(Line.AllowSinglePoint);
  EXPECT_TRUE(Line.DrawBetweenPoints);
  EXPECT_EQ(Line.GetEditorClass(), QStringLiteral("TCustomSeriesEditor"));

  THorizLineSeries HorizLine(nullptr);
  EXPECT_FALSE(HorizLine.YMandatory);
  EXPECT_FALSE(HorizLine.CalcVisiblePoints);
  EXPECT_EQ(HorizLine.XValues()->Order(), loNone);
  EXPECT_EQ(HorizLine.YValues()->Order(), loAscending);

  TPointSeries Point(nullptr);
  EXPECT_TRUE(Point.Pointer()->Visible());
  EXPECT_FALSE(Point.DrawLine());
  EXPECT_FALSE(Point.DrawArea());
  EXPECT_FALSE(Point.ClickableLine());
  EXPECT_EQ(Point.Marks()->Callout()->Length(), 0);
  EXPECT_EQ(Point.GetEditorClass(), QStringLiteral("TSeriesPointerEditor"));

  TAreaSeries Area(nullptr);
  EXPECT_TRUE(Area.DrawArea());
  EXPECT_FALSE(Area.DrawLine());
  EXPECT_FALSE(Area.Pointer()->Visible());
  EXPECT_EQ(Area.AreaChartBrush()->Color(), clDefault);
  EXPECT_EQ(Area.GetEditorClass(), QStringLiteral("TAreaSeriesEditor"));

  THorizAreaSeries HorizArea(nullptr);
  EXPECT_FALSE(HorizArea.YMandatory);
  EXPECT_EQ(HorizArea.AreaChartBrush()->Gradient()->Direction(), gdRightLeft);
  EXPECT_EQ(HorizArea.Gradient(), HorizArea.AreaChartBrush()->Gradient());
  EXPECT_EQ(Line.Gradient(), Line.Brush()->Gradient());
}

TEST(LinePointAreaKinds, Assign)
{
  TAreaSeries Area(nullptr);
  EXPECT_FALSE(Area.DrawLine());
  TFastLineSeries Fast(nullptr);
  Area.Assign(&Fast);
  EXPECT_TRUE(Area.DrawLine());
  EXPECT_TRUE(Area.DrawArea());

  TAreaSeries Other(nullptr);
  Other.SetUseYOrigin(true);
  Other.SetYOrigin(12);
  Other.SetStackGroup(3);
  Area.Assign(&Other);
  EXPECT_TRUE(Area.UseYOrigin());
  EXPECT_EQ(Area.YOrigin(), 12);
  EXPECT_EQ(Area.StackGroup(), 3);

  // Another kind hides the line's pointer; another line keeps it.
  TLineSeries Line(nullptr);
  Line.Pointer()->SetVisible(true);
  TLineSeries Line2(nullptr);
  Line.Assign(&Line2);
  EXPECT_TRUE(Line.Pointer()->Visible());
  Line.Assign(&Fast);
  EXPECT_FALSE(Line.Pointer()->Visible());
  EXPECT_TRUE(Line.DrawLine());

  // A point series stays a point series.
  TPointSeries Point(nullptr);
  Point.Assign(&Line);
  EXPECT_TRUE(Point.Pointer()->Visible());
  EXPECT_FALSE(Point.DrawLine());
}

TEST(LinePointAreaKinds, MultiAreaIsStacking)
{
  TAreaSeries Area(nullptr);
  const struct {
    TMultiArea Multi;
    TCustomSeriesStack Stack;
  } Cases[] = {{maStacked, cssStack}, {maStacked100, cssStack100}, {maNone, cssNone}};
  for (const auto& K : Cases) {
    Area.SetMultiArea(K.Multi);
    EXPECT_EQ(Area.Stacked(), K.Stack);
    EXPECT_EQ(Area.MultiArea(), K.Multi);
  }
  Area.SetStacked(cssOverlap);
  EXPECT_EQ(Area.MultiArea(), maNone);
}

TEST(LinePointAreaKinds, GallerySubKinds)
{
  struct Case {
    const char* Name;
    std::function<std::unique_ptr<TCustomSeries>()> Make;
    QStringList Captions;
    int Index;
    std::function<bool(TCustomSeries*)> Applied;
  };
  const auto MakeLine = [] { return std::make_unique<TLineSeries>(nullptr); };
  const auto MakePoint = [] { return std::make_unique<TPointSeries>(nullptr); };
  const auto MakeArea = [] { return std::make_unique<TAreaSeries>(nullptr); };
  const QStringList LineCaptions{ZuzMsg_Normal, ZuzMsg_Stairs, ZuzMsg_Points,   ZuzMsg_Height, ZuzMsg_Hollow,
                                 ZuzMsg_Colors, ZuzMsg_Marks,  ZuzMsg_NoBorder, ZuzMsg_Outline};
  const QStringList PointCaptions{ZuzMsg_Normal,   ZuzMsg_Colors,   ZuzMsg_Marks,        ZuzMsg_Hollow,
                                  ZuzMsg_NoBorder, ZuzMsg_Gradient, ZuzMsg_Point2D,      ZuzMsg_Triangle,
                                  ZuzMsg_Star,     ZuzMsg_Circle,   ZuzMsg_DownTri,      ZuzMsg_Cross,
                                  ZuzMsg_Diamond,  ZuzMsg_Hexagon,  ZuzMsg_GalleryDonut, ZuzMsg_GalleryArrow};
  const QStringList AreaCaptions{ZuzMsg_Normal,  ZuzMsg_Stairs, ZuzMsg_Marks,    ZuzMsg_Colors, ZuzMsg_Hollow,
                                 ZuzMsg_NoLines, ZuzMsg_Stack,  ZuzMsg_Stack100, ZuzMsg_Points, ZuzMsg_Gradient};
  const Case Cases[] = {
      {"line stairs", MakeLine, LineCaptions, 1, [](TCustomSeries* S) { return S->Stairs(); }},
      {"line height", MakeLine, LineCaptions, 3, [](TCustomSeries* S) { return S->LineHeight() == 5; }},
      {"line hollow", MakeLine, LineCaptions, 4, [](TCustomSeries* S) { return S->LineBrush() == bsClear; }},
      {"line no border", MakeLine, LineCaptions, 7, [](TCustomSeries* S) { return !S->LinePen()->Visible(); }},
      {"line outline", MakeLine, LineCaptions, 8, [](TCustomSeries* S) { return S->OutLine()->Visible(); }},
      {"point hollow", MakePoint, PointCaptions, 3,
       [](TCustomSeries* S) { return S->Pointer()->Brush()->Style() == bsClear; }},
      {"point 2D", MakePoint, PointCaptions, 6, [](TCustomSeries* S) { return !S->Pointer()->Draw3D(); }},
      {"point circle", MakePoint, PointCaptions, 9,
       [](TCustomSeries* S) { return S->Pointer()->Style() == psCircle && S->Pointer()->HorizSize() == 8; }},
      {"point arrow", MakePoint, PointCaptions, 15, [](TCustomSeries* S) { return S->Pointer()->Style() == psArrow; }},
      {"area no lines", MakeArea, AreaCaptions, 5, [](TCustomSeries* S) { return !S->AreaLinesPen()->Visible(); }},
      {"area stack 100", MakeArea, AreaCaptions, 7, [](TCustomSeries* S) { return S->Stacked() == cssStack100; }},
      {"area points", MakeArea, AreaCaptions, 8, [](TCustomSeries* S) { return S->Pointer()->Visible(); }},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    auto S = K.Make();
    QStringList Names;
    S->CreateSubGallery([&](const String& N) { Names << N; });
    EXPECT_EQ(Names, K.Captions);
    auto Preview = K.Make();
    EXPECT_FALSE(K.Applied(Preview.get()));
    S->SetSubGallery(Preview.get(), K.Index);
    EXPECT_TRUE(K.Applied(Preview.get()));
  }
}

namespace {
// A point series whose pointer styles are not offered.
class TPlainPointSeries : public TPointSeries {
public:
  using TPointSeries::TPointSeries;
  bool CanDoExtra() const override { return false; }
};
} // namespace

TEST(LinePointAreaKinds, PointStylesOnlyWhenOffered)
{
  TPlainPointSeries S(nullptr);
  QStringList Names;
  S.CreateSubGallery([&](const String& N) { Names << N; });
  EXPECT_EQ(Names.size(), 6);
  TPlainPointSeries Preview(nullptr);
  S.SetSubGallery(&Preview, 7);
  EXPECT_EQ(Preview.Pointer()->Style(), psRectangle);
}

TEST(LinePointAreaKinds, PointGalleryPreviewSize)
{
  const struct {
    int Width;
    int Size;
  } Cases[] = {{40, 4}, {50, 6}, {120, 6}};
  for (const auto& K : Cases) {
    TImageChart C(K.Width, 40);
    auto* A = new TPointSeries(&C);
    auto* B = new TPointSeries(&C);
    C.AddSeries(A);
    C.AddSeries(B);
    A->PrepareForGallery(true);
    B->PrepareForGallery(true);
    EXPECT_EQ(A->Pointer()->HorizSize(), K.Size) << K.Width;
    EXPECT_EQ(A->Pointer()->VertSize(), K.Size) << K.Width;
    EXPECT_EQ(A->Pointer()->Style(), psRectangle);
    EXPECT_EQ(B->Pointer()->Style(), psTriangle);
  }
}

TEST(LinePointAreaKinds, HorizontalLineMarksGoToTheSideAwayFromTheOrigin)
{
  for (const bool Inverted : {false, true}) {
    TPixelChart C;
    auto* S = new THorizLineSeries(&C);
    C.AddSeries(S);
    C.BottomAxis()->SetInverted(Inverted);
    S->AddXY(150, 100);
    C.Draw();
    TSeriesMarkPosition P;
    P.ArrowFrom = TPoint{150, 100};
    P.ArrowTo = P.ArrowFrom;
    P.Width = 30;
    P.Height = 10;
    P.LeftTop = TPoint{135, 90};
    S->DrawMark(0, QStringLiteral("x"), P);
    if (Inverted)
      EXPECT_LT(P.LeftTop.X + P.Width, 150);
    else
      EXPECT_GT(P.LeftTop.X, 150);
  }
}

TEST(LinePointAreaKinds, Registration)
{
  RegisterZuzStandardSeries();
  const struct {
    const TClassInfo* Class;
    const String* Description;
  } Cases[] = {
      {ClassInfoFor<TLineSeries>(), &ZuzMsg_GalleryLine},
      {ClassInfoFor<THorizLineSeries>(), &ZuzMsg_GalleryHorizLine},
      {ClassInfoFor<TPointSeries>(), &ZuzMsg_GalleryPoint},
      {ClassInfoFor<TAreaSeries>(), &ZuzMsg_GalleryArea},
      {ClassInfoFor<THorizAreaSeries>(), &ZuzMsg_GalleryHorizArea},
  };
  for (const auto& K : Cases) {
    const TZuzSeriesType* T = ZuzSeriesTypes().Find(K.Class);
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->Description, K.Description);
    EXPECT_EQ(T->GalleryPage, &ZuzMsg_GalleryStandard);
    // Streams create the kind by its class name.
    EXPECT_EQ(GetClass(K.Class->ClassName()), K.Class);
  }
}
