// The series pointer: the sixteen styles drawn flat and as solids (golden
// images), their geometry and hit tests, sizes and the margins pointers
// need at the axis ends.
#include "CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesPointer.h"
#include "platform/tests/GoldenImage.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <memory>

namespace {

// Draws point I with pointer style I (a 4 x 4 grid of points).
class TPointerGrid : public TChartSeries {
public:
  explicit TPointerGrid(TComponent* AOwner) : TChartSeries(AOwner), Pointer(this)
  {
    XValues()->SetOrder(loNone);
    SetColorEachPoint(true);
    Pointer.SetSize(9);
    for (int I = 0; I < 16; ++I)
      AddXY(I % 4, I / 4);
  }
  void DrawValue(int32_t I) override
  {
    Pointer.SetParent(ParentChart());
    Pointer.PrepareCanvas(ParentChart()->InternalCanvas(), GetValueColor(I));
    Pointer.Draw(CalcXPos(I), CalcYPos(I), GetValueColor(I), static_cast<TSeriesPointerStyle>(I));
  }
  TSeriesPointer Pointer;
};

} // namespace

TEST(SeriesPointer, GoldenSixteenStyles)
{
  for (bool Is3D : {false, true}) {
    SCOPED_TRACE(Is3D ? "3D" : "2D");
    TImageChart C(260, 220);
    C.SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
    C.SetView3D(Is3D);
    C.SetAxisVisible(false);
    C.BottomAxis()->SetMinMax(-0.6, 3.6);
    C.LeftAxis()->SetMinMax(-0.6, 3.6);
    auto* S = new TPointerGrid(&C);
    C.AddSeries(S);
    S->Pointer.Pen()->SetColor(clBlack);
    C.Image.fill(Qt::black);
    C.Draw();
    EXPECT_GOLDEN(C.Image, QString::fromLatin1(Is3D ? "pointer_styles_3d" : "pointer_styles_2d"), 8, 40);
  }
}

TEST(SeriesPointer, GeometryOfTheMarker)
{
  struct Case {
    const char* Name;
    TSeriesPointerStyle Style;
    bool CenterPixel;
    QString Expected;
  };
  const Case Cases[] = {
      {"rectangle centred", psRectangle, true, "Rectangle(6,6,15,15)"},
      {"rectangle on the pixel's corner", psRectangle, false, "Rectangle(7,7,15,15)"},
      {"circle", psCircle, true, "Ellipse(6,6,14,14)"},
      {"triangle", psTriangle, true, "Polygon(6 14,14 14,10 6)"},
      {"down triangle", psDownTriangle, true, "Polygon(6 6,14 6,10 14)"},
      {"diamond", psDiamond, true, "Polygon(6 10,10 6,14 10,10 14)"},
      {"left triangle", psLeftTriangle, true, "Polygon(6 10,14 14,14 6)"},
      {"right triangle", psRightTriangle, true, "Polygon(14 10,6 14,6 6)"},
      {"hexagon", psHexagon, true, "Polygon(10 6,14 8,14 12,10 14,6 12,6 8)"},
      {"small dot", psSmallDot, true, "SetPixel(10,10)"},
      {"nothing", psNothing, true, ""},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TRecordingCanvas C;
    TSeriesPointer P(nullptr);
    P.SetCenterPixel(K.CenterPixel);
    P.DrawPointer(&C, false, 10, 10, 4, 4, clRed, K.Style);
    const QStringList Shapes =
        C.Log.filter(QRegularExpression(QStringLiteral("^(Rectangle|Ellipse|Polygon|SetPixel)")));
    EXPECT_EQ(Shapes.join(QLatin1Char(' ')), K.Expected);
  }
  // Crosses: lines through the pixel, one past each end.
  TRecordingCanvas C;
  TSeriesPointer P(nullptr);
  P.DrawPointer(&C, false, 10, 10, 4, 4, clRed, psStar);
  EXPECT_EQ(C.Log.filter(QStringLiteral("LineTo")).size(), 4);
  EXPECT_TRUE(C.Log.contains(QStringLiteral("LineTo(10,15)")));
  EXPECT_TRUE(C.Log.contains(QStringLiteral("LineTo(15,15)")));
}

TEST(SeriesPointer, HitTestsByStyle)
{
  struct Case {
    TSeriesPointerStyle Style;
    TPoint P;
    bool Hit;
  };
  // A marker of half sizes 4 centred at (10, 10).
  const Case Cases[] = {
      {psRectangle, {13, 13}, true},    {psRectangle, {14, 10}, false},   {psCircle, {10, 14}, true},
      {psCircle, {13, 13}, false},      {psTriangle, {10, 7}, true},      {psTriangle, {7, 7}, false},
      {psDownTriangle, {10, 13}, true}, {psDownTriangle, {7, 13}, false}, {psDiamond, {12, 10}, true},
      {psDiamond, {13, 13}, false},     {psSmallDot, {12, 12}, true},     {psNothing, {10, 10}, false},
      {psLeftTriangle, {7, 10}, true},  {psRightTriangle, {7, 7}, true},
  };
  TSeriesPointer P(nullptr);
  for (const Case& K : Cases) {
    SCOPED_TRACE(testing::Message() << int(K.Style) << " at " << K.P.X << ',' << K.P.Y);
    EXPECT_EQ(P.Clicked(K.Style, K.P, 10, 10), K.Hit);
  }
}

TEST(SeriesPointer, SizesAndMargins)
{
  TSeriesPointer P(nullptr);
  P.SetHorizSize(0);
  EXPECT_EQ(P.HorizSize(), 1);
  P.SetVertSize(-5);
  EXPECT_EQ(P.VertSize(), 1);
  P.SetSize(4);
  P.Pen()->SetWidth(3);
  int32_t L = 0, R = 0, T = 0, B = 0;
  P.CalcHorizMargins(L, R);
  P.CalcVerticalMargins(T, B);
  EXPECT_EQ(L, 2 + 4);
  EXPECT_EQ(T, 1 + 4);
  P.Pen()->SetVisible(false);
  L = T = 0;
  P.CalcHorizMargins(L, R);
  P.CalcVerticalMargins(T, B);
  EXPECT_EQ(L, 1 + 4);
  EXPECT_EQ(T, 1 + 4);
  // Larger margins of other parts stay; hidden pointers add nothing.
  L = 20;
  P.CalcHorizMargins(L, R);
  EXPECT_EQ(L, 20);
  P.SetVisible(false);
  L = 0;
  P.CalcHorizMargins(L, R);
  EXPECT_EQ(L, 0);
  // One size for both, rounded half to even.
  P.SetSizeFloat(2.5f);
  int32_t H = 0, V = 0;
  P.CalcSize(H, V);
  EXPECT_EQ(H, 2);
  EXPECT_EQ(V, 2);
}

TEST(SeriesPointer, PenAndBrushForAPoint)
{
  TRecordingCanvas C;
  TSeriesPointer P(nullptr);
  P.SetDarkPen(50);
  P.Pen()->SetColor(clBlue);
  P.PrepareCanvas(&C, 0x0000C0);
  EXPECT_EQ(C.Pen()->Color() & 0xFFFFFF, TColor(0x00008E));
  P.SetDarkPen(0);
  P.Pen()->SetColor(clDefault);
  P.PrepareCanvas(&C, 0x00C000);
  EXPECT_EQ(C.Pen()->Color(), TColor(0x00C000));
  EXPECT_EQ(C.Brush()->Color(), TColor(0x00C000));
  P.Brush()->SetColor(clYellow);
  P.PrepareCanvas(&C, 0x00C000);
  EXPECT_EQ(C.Brush()->Color(), TColor(clYellow));
}
