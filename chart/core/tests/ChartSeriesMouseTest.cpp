// A series and the mouse: whether a move is hit-tested at all, mouse enter
// and leave, the series cursor, the hovered point, clicks and double
// clicks, and which marks take the hover font.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzSelected.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class SeriesMouse : public ::testing::Test {
protected:
  void SetUp() override
  {
    C.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
    C.SetView3D(false);
    C.Hover()->SetVisible(true);
    S = new TDotSeries(&C);
    C.AddSeries(S);
    for (int I = 0; I < 8; ++I)
      S->AddXY(I, I % 3);
    C.Draw();
  }
  TPoint At(int32_t I) const { return TPoint{S->CalcXPos(I), S->CalcYPos(I)}; }
  TPoint Empty() const { return TPoint{(At(0).X + At(1).X) / 2, C.ChartRect.Top + 2}; }

  TImageTChart C;
  TDotSeries* S = nullptr;
};

} // namespace

TEST_F(SeriesMouse, AnUninterestedSeriesIsNotHitTested)
{
  EXPECT_FALSE(S->CheckMouse(At(2).X, At(2).Y));
  EXPECT_EQ(S->Tests, 0);
  // Hover shown makes it look, though it does not claim the mouse.
  S->Selected()->Hover()->SetVisible(true);
  EXPECT_FALSE(S->CheckMouse(At(2).X, At(2).Y));
  EXPECT_EQ(S->Tests, 1);
  EXPECT_EQ(S->Selected()->HoverIndex(), 2);
  S->CheckMouse(Empty().X, Empty().Y);
  EXPECT_EQ(S->Selected()->HoverIndex(), -1);
}

TEST_F(SeriesMouse, EnterAndLeaveFireOnceEach)
{
  int Enters = 0, Leaves = 0;
  S->OnMouseEnter = [&](TObject*) { ++Enters; };
  S->OnMouseLeave = [&](TObject*) { ++Leaves; };
  struct Step {
    TPoint P;
    bool Claimed;
    int Enters, Leaves;
  };
  const Step Steps[] = {
      {Empty(), false, 0, 0}, {At(1), true, 1, 0},    {At(2), true, 1, 0}, {At(3), true, 1, 0},
      {Empty(), false, 1, 1}, {Empty(), false, 1, 1}, {At(5), true, 2, 1},
  };
  int N = 0;
  for (const Step& K : Steps) {
    SCOPED_TRACE(N++);
    EXPECT_EQ(S->CheckMouse(K.P.X, K.P.Y), K.Claimed);
    EXPECT_EQ(Enters, K.Enters);
    EXPECT_EQ(Leaves, K.Leaves);
  }
}

TEST_F(SeriesMouse, TheSeriesCursorShowsOverPaintedPoints)
{
  S->SetCursor(crHandPoint);
  S->SetTreatNulls(tnDontPaint);
  S->SetNull(4);
  C.SetCursor(crDefault);
  EXPECT_TRUE(S->CheckMouse(At(4).X, At(4).Y));
  EXPECT_EQ(C.Cursor(), crDefault); // a null point is not painted
  EXPECT_TRUE(S->CheckMouse(At(3).X, At(3).Y));
  EXPECT_EQ(C.Cursor(), crHandPoint);
}

TEST_F(SeriesMouse, ClicksAndDoubleClicks)
{
  QStringList Log;
  S->OnClick = [&](TChartSeries*, int32_t I, TMouseButton, TShiftState, int32_t, int32_t) {
    Log << QStringLiteral("click %1").arg(I);
  };
  EXPECT_TRUE(S->RaiseClicked());
  S->MouseDown(3, false, mbLeft, 0, 0, 0);
  // A double click without its handler fires nothing.
  S->MouseDown(3, false, mbLeft, ssDouble, 0, 0);
  S->OnDblClick = [&](TChartSeries*, int32_t I, TMouseButton, TShiftState, int32_t, int32_t) {
    Log << QStringLiteral("double %1").arg(I);
  };
  S->MouseDown(5, false, mbLeft, ssDouble, 0, 0);
  EXPECT_EQ(Log, (QStringList{QStringLiteral("click 3"), QStringLiteral("double 5")}));
}

TEST_F(SeriesMouse, WhichMarksTakeTheHoverFont)
{
  S->Selected()->Hover()->SetVisible(true);
  struct Case {
    const char* Name;
    THoverElements Elements;
    TSeriesClickedPartStyle Part;
    bool Mark4, Mark5;
  };
  const Case Cases[] = {
      {"segment from 4, its start", heJoin | hePrevious, scpSegment, true, false},
      {"segment from 4, its end", heJoin | heNext, scpSegment, false, true},
      {"segment from 4, both", heJoin | hePrevious | heNext, scpSegment, true, true},
      {"segment without joining", hePrevious | heNext, scpSegment, false, false},
      {"mark 4 itself", heCurrent, scpMark, true, false},
      {"mark 4, current off", heJoin | hePrevious, scpMark, false, false},
  };
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    S->HoverElement = K.Elements;
    S->Selected()->SetHoverIndex(4);
    S->IClickedPart = K.Part;
    EXPECT_EQ(S->ShouldHoverMark(4), K.Mark4);
    EXPECT_EQ(S->ShouldHoverMark(5), K.Mark5);
  }
  // Hover hidden on the chart: nothing is hovered.
  S->HoverElement = heCurrent;
  S->IClickedPart = scpMark;
  C.Hover()->SetVisible(false);
  EXPECT_FALSE(S->ShouldHoverMark(4));
  EXPECT_EQ(S->HoverOverMark(), -1);
}

TEST_F(SeriesMouse, TheHoverPenIsTheHoveredPointsOnly)
{
  TRecordingCanvas* R = nullptr;
  {
    auto Rec = std::make_unique<TRecordingCanvas>();
    R = Rec.get();
    C.SetInternalCanvas(std::move(Rec));
  }
  R->Pen()->SetColor(clBlack);
  EXPECT_FALSE(S->PrepareHoverPen(2));
  S->Selected()->Hover()->SetVisible(true);
  S->Selected()->SetHoverIndex(2);
  EXPECT_FALSE(S->PrepareHoverPen(3));
  EXPECT_EQ(R->Pen()->Color(), TColor(clBlack));
  EXPECT_FALSE(S->PrepareHoverPen(-1));
  EXPECT_TRUE(S->PrepareHoverPen(2));
  EXPECT_EQ(R->Pen()->Color() & 0xFFFFFF, TColor(0x0000FF));
}
