// Drawing operations of the GDI canvas compared with golden images in
// tests/data (regenerate deliberately with FATHOMIX_REGENERATE_GOLDEN=1).
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzCorners.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include <gtest/gtest.h>

TEST(Golden, LinesAndShapes)
{
  TBufferedCanvas B(200, 150);
  TZuzCanvas3D& C = *B.Canvas;
  const TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame};
  for (int i = 0; i < 6; ++i) {
    C.Pen()->SetStyle(Styles[i]);
    C.Line(5, 5 + i * 4, 95, 5 + i * 4);
  }
  C.Pen()->SetStyle(psSolid);
  C.Pen()->SetSmallDots(true);
  C.Pen()->SetSmallSpace(2);
  C.Line(5, 30, 95, 30);
  C.Pen()->SetSmallDots(false);
  C.Pen()->SetWidth(5);
  C.Pen()->SetEndStyle(esFlat);
  C.Line(110, 10, 190, 10);
  C.Pen()->SetEndStyle(esSquare);
  C.Pen()->SetJoinStyle(jsBevel);
  const TPoint Zig[4] = {{110, 20}, {130, 35}, {150, 20}, {170, 35}};
  C.Polyline(Zig);
  C.Pen()->SetWidth(1);
  C.Pen()->SetEndStyle(esRound);

  C.Brush()->SetColor(clYellow);
  C.Rectangle(5, 40, 45, 70);
  C.Brush()->SetColor(clAqua);
  C.Ellipse(50, 40, 95, 70);
  C.Brush()->SetColor(clFuchsia);
  C.RoundRect(100, 40, 145, 70, 16, 12);
  C.Brush()->SetColor(clLime);
  const TPoint Star[5] = {{170, 40}, {190, 70}, {150, 50}, {190, 50}, {150, 70}};
  C.Polygon(Star);

  C.Brush()->SetColor(clRed);
  C.Pie(TRect{5, 80, 55, 130}, 30, 300);
  C.Arc(60, 80, 110, 130, 45.0f, 225.0f);
  C.Pen()->Hide();
  C.Brush()->SetColor(clBlue);
  C.Donut(140, 105, 25, 25, 90, 360, 40);
  C.Pen()->Show();

  const TBrushStyle Hatches[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
  C.Brush()->SetColor(clNavy);
  for (int i = 0; i < 6; ++i) {
    C.Brush()->SetStyle(Hatches[i]);
    C.Brush()->SetBackColor(i % 2 ? clSilver : clNone);
    C.Rectangle(5 + i * 32, 135, 35 + i * 32, 149);
  }
  EXPECT_GOLDEN(B.Image(), QStringLiteral("lines_shapes"));
}

TEST(Golden, GradientsInEveryDirection)
{
  TBufferedCanvas B(250, 120);
  TZuzCanvas3D& C = *B.Canvas;
  const TGradientDirection Dirs[] = {gdTopBottom,   gdBottomTop,      gdLeftRight, gdRightLeft,  gdFromCenter,
                                     gdFromTopLeft, gdFromBottomLeft, gdRadial,    gdDiagonalUp, gdDiagonalDown};
  for (int i = 0; i < 10; ++i) {
    const int X = 5 + (i % 5) * 49, Y = 5 + (i / 5) * 40;
    C.GradientFill(TRect{X, Y, X + 44, Y + 35}, clRed, clBlue, Dirs[i], i == 2 ? 20 : 50);
  }
  TZuzGradient G;
  G.SetStartColor(clYellow);
  G.SetMidColor(clGreen);
  G.SetEndColor(clNavy);
  G.SetAngle(30);
  C.GradientFill(&G, TRect{5, 88, 120, 117});
  G.SetAngle(0);
  G.SetDirection(gdLeftRight);
  C.GradientFill(&G, TRect{130, 88, 245, 117});
  EXPECT_GOLDEN(B.Image(), QStringLiteral("gradients"));
}

TEST(Golden, ClippedFillsAndCorners)
{
  TBufferedCanvas B(200, 100);
  TZuzCanvas3D& C = *B.Canvas;
  C.Gradient()->SetStartColor(clWhite);
  C.Gradient()->SetEndColor(clGreen);
  C.Gradient()->SetVisible(true);
  C.Ellipse(5, 5, 60, 45);
  C.RoundRect(70, 5, 130, 45, 20, 20);
  const TPoint Tri[3] = {{140, 45}, {170, 5}, {195, 45}};
  C.Polygon(Tri);
  C.Gradient()->SetVisible(false);

  C.Brush()->SetColor(clYellow);
  C.ClipRectangle(TRect{5, 50, 95, 95});
  C.ClipEllipse(TRect{25, 55, 75, 90}, true);
  C.FillRect(TRect{0, 50, 100, 100});
  C.UnClipRectangle();
  C.UnClipRectangle();

  TZuzCorners Corners;
  Corners.LeftTop()->SetStyle(cosBevel);
  Corners.RightBottom()->SetStyle(cosNone);
  C.Brush()->SetColor(0xF0CAA6);
  C.RoundRect(TRect{105, 55, 195, 95}, 20, 20, &Corners);
  EXPECT_GOLDEN(B.Image(), QStringLiteral("clipping_corners"));
}

TEST(Golden, Text)
{
  TBufferedCanvas B(220, 120);
  TZuzCanvas3D& C = *B.Canvas;
  C.Font()->SetQuality(fqNormal);
  C.Font()->SetSize(12);
  C.TextOut(5, 5, QStringLiteral("Plain text"));
  C.SetTextAlign(TA_RIGHT);
  C.TextOut(215, 5, QStringLiteral("Right"));
  C.SetTextAlign(TA_LEFT);
  C.Font()->Shadow()->SetColor(clGray);
  C.Font()->Shadow()->SetTransparency(0);
  C.Font()->Shadow()->SetSize(2);
  C.TextOut(5, 30, QStringLiteral("Shadowed"));
  C.Font()->SetShadow(nullptr);
  C.Font()->SetStyle(FontStyleBit(fsBold));
  C.Font()->OutLine()->Show();
  C.Font()->OutLine()->SetColor(clRed);
  C.Font()->SetColor(clYellow);
  C.Font()->SetSize(16);
  C.TextOut(5, 55, QStringLiteral("Outline"));
  C.Font()->SetOutLine(nullptr);
  C.Font()->SetColor(clBlue);
  C.Font()->SetSize(10);
  C.RotateLabel(190, 110, QStringLiteral("Up 90"), 90);
  C.RotateLabel(120, 110, QStringLiteral("Slanted"), 30);
  C.Font()->SetName(QStringLiteral("Elektra"));
  C.Font()->SetSize(14);
  C.TextOut(5, 90, QStringLiteral("12:34"));
  // Font rasterising may differ a little between font versions.
  EXPECT_GOLDEN(B.Image(), QStringLiteral("text"), 16, 40);
}

TEST(Golden, ProjectedThreeD)
{
  TView3DOptions Options(nullptr);
  Options.SetOrthogonal(false);
  Options.SetRotation(330);
  Options.SetElevation(340);
  Options.SetPerspective(20);
  QImage Dest(200, 150, QImage::Format_RGB32);
  Dest.fill(Qt::white);
  TCanvas DestCanvas;
  DestCanvas.BindImage(&Dest);
  TZuzCanvas3D C;
  const TRect R{0, 0, 200, 150};
  C.InitWindow(&DestCanvas, &Options, clWhite, true, R);
  C.Projection(60, R, TRect{30, 20, 170, 130});
  C.ResetState();
  C.Brush()->SetColor(clSilver);
  C.RectangleWithZ(TRect{30, 20, 170, 130}, 60);
  C.Brush()->SetColor(clLtGray);
  C.RectangleY(30, 130, 170, 0, 60);
  C.Brush()->SetColor(clRed);
  C.EllipseWithZ(60, 40, 110, 90, 30);
  C.Brush()->SetColor(clBlue);
  C.Plane3D(Point(120, 60), Point(160, 110), 10, 50);
  C.Pen()->SetColor(clGreen);
  C.Pen()->SetWidth(2);
  C.LineWithZ(30, 130, 170, 20, 0);
  TBitmap Tile(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      Tile.ImageData()->setPixel(x, y, ((x + y) % 2) ? qRgb(255, 200, 0) : qRgb(0, 100, 0));
  C.StretchDraw(TRect{40, 95, 80, 125}, &Tile, 0, cpZ);
  C.ShowImage(&DestCanvas, &DestCanvas, R);
  EXPECT_GOLDEN(Dest, QStringLiteral("projected_3d"));
}

TEST(Golden, PicturesAndBlending)
{
  TBufferedCanvas B(160, 80);
  TZuzCanvas3D& C = *B.Canvas;
  TBitmap Pic(8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x)
      Pic.ImageData()->setPixel(x, y, qRgb(x * 32, y * 40, 255 - x * 20));
  C.Draw(5, 5, &Pic);
  C.SetStretchDrawQuality(sqLow);
  C.StretchDraw(TRect{20, 5, 60, 35}, &Pic);
  C.SetStretchDrawQuality(sqHigh);
  C.StretchDraw(TRect{65, 5, 105, 35}, &Pic);
  C.Brush()->SetColor(clBlue);
  C.FillRect(TRect{110, 5, 155, 35});
  auto Blend = C.BeginBlending(TRect{100, 0, 160, 40}, 60);
  C.Brush()->SetColor(clYellow);
  C.Ellipse(115, 0, 150, 40);
  C.EndBlending(std::move(Blend));
  C.Brush()->Image()->SetGraphic(&Pic);
  C.Rectangle(5, 45, 75, 75);
  C.Brush()->Image()->SetGraphic(nullptr);
  C.Brush()->SetColor(clWhite);
  C.Pen()->SetMode(pmXor);
  C.Pen()->SetColor(clWhite);
  C.Pen()->SetWidth(3);
  C.Line(0, 60, 160, 60);
  EXPECT_GOLDEN(B.Image(), QStringLiteral("pictures_blending"));
}
