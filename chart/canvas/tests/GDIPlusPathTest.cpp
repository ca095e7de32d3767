// Paths of the anti-aliased canvas: building, reading back and drawing.
#include "GDIPlusTestSupport.h"
#include "TestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusPath.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"

#include <QPainterPath>

#include <gtest/gtest.h>

namespace {
std::unique_ptr<TZuzGDIPlusPath> NewPath(TGDIPlusCanvas& C)
{
  std::unique_ptr<TZuzBasePath> P = C.CreatePath();
  auto* G = dynamic_cast<TZuzGDIPlusPath*>(P.get());
  EXPECT_NE(G, nullptr);
  P.release();
  return std::unique_ptr<TZuzGDIPlusPath>(G);
}
} // namespace

TEST(GDIPlusPath, EmptyPathReadsBackEmpty)
{
  TGDIPlusCanvas C;
  auto P = NewPath(C);
  TPathPointTypes T{1, 2};
  TPointFloatArray Pts{{1, 2}};
  TRectF B{5, 5, 9, 9};
  P->GetPoints(T, Pts, B);
  EXPECT_TRUE(T.empty());
  EXPECT_TRUE(Pts.empty());
  EXPECT_EQ(B, (TRectF{0, 0, 0, 0}));
}

TEST(GDIPlusPath, LinesFiguresAndTypes)
{
  TGDIPlusCanvas C;
  auto P = NewPath(C);
  P->MoveTo(10, 10);
  P->LineTo(30, 10);
  P->LineTo(30, 40);
  P->Close();
  P->MoveTo(50, 50); // no figure until a line starts one
  P->LineTo(60, 55);
  TPathPointTypes T;
  TPointFloatArray Pts;
  TRectF B;
  P->GetPoints(T, Pts, B);
  EXPECT_EQ(T, (TPathPointTypes{0, 1, 0x81, 0, 1}));
  EXPECT_EQ(Pts, (TPointFloatArray{{10, 10}, {30, 10}, {30, 40}, {50, 50}, {60, 55}}));
  EXPECT_EQ(B, (TRectF{10, 10, 60, 55}));
  // The same figures built from points and types.
  auto Q = C.CreatePath(Pts, T);
  TPathPointTypes T2;
  TPointFloatArray P2;
  Q->GetPoints(T2, P2, B);
  EXPECT_EQ(T2, T);
  EXPECT_EQ(P2, Pts);
}

TEST(GDIPlusPath, ArcLeavesTheCurrentPoint)
{
  TGDIPlusCanvas C;
  auto P = NewPath(C);
  P->MoveTo(10, 10);
  P->ArcTo(40, 40, 40, 40, 0, 90);
  P->LineTo(100, 100);
  TPathPointTypes T;
  TPointFloatArray Pts;
  TRectF B;
  P->GetPoints(T, Pts, B);
  ASSERT_GE(Pts.size(), 4u);
  // The arc runs from 3 o'clock (80, 60) clockwise to 6 o'clock (60, 80).
  EXPECT_EQ(Pts.front(), (TPointFloat{80, 60}));
  EXPECT_EQ(T.front(), 0);
  EXPECT_EQ(Pts[Pts.size() - 2], (TPointFloat{10, 10})); // the line starts at the current point
  EXPECT_EQ(Pts.back(), (TPointFloat{100, 100}));
  EXPECT_NEAR(Pts[Pts.size() - 3].x, 60, 1e-3);
  EXPECT_NEAR(Pts[Pts.size() - 3].y, 80, 1e-3);
  EXPECT_EQ(T[1], 3); // Bezier points of the arc
}

TEST(GDIPlusPath, ClosedCurveAndText)
{
  TGDIPlusCanvas C;
  auto P = NewPath(C);
  const TPoint Pts[4] = {{0, 0}, {40, 0}, {40, 30}, {0, 30}};
  P->Curve(Pts, 0.5f, true);
  TPathPointTypes T;
  TPointFloatArray F;
  TRectF B;
  P->GetPoints(T, F, B);
  EXPECT_EQ(T.size(), 1u + 4 * 3); // a start and four Bezier segments
  EXPECT_EQ(T.back(), 0x83);
  EXPECT_EQ(F.back(), (TPointFloat{0, 0}));
  // Through every point, bulging beyond the corners between them.
  EXPECT_LT(B.Left, 0);
  EXPECT_GT(B.Right, 40);

  auto Text = NewPath(C);
  C.Font()->SetSize(20);
  Text->TextOut(5, 5, QStringLiteral("H"));
  Text->GetPoints(T, F, B);
  EXPECT_GT(F.size(), 4u);
  EXPECT_GE(B.Left, 5);
  EXPECT_GE(B.Top, 5);
  EXPECT_LT(B.Bottom, 5 + 40);
}

TEST(GDIPlusPath, DrawFillsAndOutlinesWithTheCanvas)
{
  TGDIPlusBuffer Buf(60, 60);
  TGDIPlusCanvas& C = *Buf.Canvas;
  C.Brush()->SetColor(clYellow);
  C.Pen()->SetColor(clRed);
  C.Pen()->SetWidth(3);
  auto P = NewPath(C);
  P->MoveTo(10, 10);
  P->LineTo(50, 10);
  P->LineTo(50, 50);
  P->LineTo(10, 50);
  P->Close();
  P->Draw(&C);
  EXPECT_EQ(Buf.Pixel(30, 30), clYellow);
  EXPECT_EQ(Buf.Pixel(30, 10), clRed);
  EXPECT_EQ(Buf.Pixel(5, 5), clWhite);
}
