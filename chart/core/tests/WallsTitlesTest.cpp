// Walls and titles: where the back wall is drawn in 2D and how its start
// and end positions cut it, the room titles take from the chart rectangle
// in their order, the frame of adjusted titles, and the text of a title
// as lines.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "platform/CanvasMath.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/ChartWalls.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TWallChart {
  TImageTChart Chart;
  TEntityLogCanvas* Canvas;
  TWallChart()
  {
    auto C = std::make_unique<TEntityLogCanvas>();
    Canvas = C.get();
    Chart.SetInternalCanvas(std::move(C));
    Chart.SetView3D(false);
    Chart.Legend()->SetVisible(false);
    auto* S = new TChartSeries(&Chart);
    Chart.AddSeries(S);
    S->AddXY(0, 0);
    S->AddXY(1, 1);
  }
  QStringList Back()
  {
    Canvas->Log.clear();
    Chart.Draw();
    return Canvas->Inside(QStringLiteral("Back"));
  }
  QString Rect(int L, int T, int R, int B) const
  {
    return QStringLiteral("Rectangle(%1,%2,%3,%4)").arg(L).arg(T).arg(R).arg(B);
  }
};

} // namespace

TEST(Walls, TheBackWallIn2D)
{
  TWallChart W;
  const QStringList Back = W.Back();
  const TRect& R = W.Chart.ChartRect;
  EXPECT_TRUE(Back.contains(W.Rect(R.Left, R.Top, R.Right + 1, R.Bottom + 1))) << Back.join(' ').toStdString();
  // Without walls nothing is drawn there.
  W.Chart.SetView3DWalls(false);
  EXPECT_TRUE(W.Back().isEmpty());
}

TEST(Walls, StartAndEndPositionsCutTheBackWall)
{
  struct Case {
    const char* Name;
    int Start, End;
  };
  const Case Cases[] = {{"from half-way down", 50, 100}, {"to half-way up", 0, 50}, {"a middle band", 25, 75}};
  for (const Case& K : Cases) {
    SCOPED_TRACE(K.Name);
    TWallChart W;
    W.Chart.BackWall()->SetStart(K.Start);
    W.Chart.BackWall()->SetEnd(K.End);
    const QStringList Back = W.Back();
    const TRect& R = W.Chart.ChartRect;
    const int H = R.Bottom - R.Top;
    const int Top = R.Top + PixelRound(H * K.Start * 0.01);
    const int Bottom = R.Bottom - PixelRound((100 - K.End) * H * 0.01);
    // The bottom pixel row is added only when the wall reaches the floor.
    EXPECT_TRUE(Back.contains(W.Rect(R.Left, Top, R.Right + 1, Bottom + (K.End == 100 ? 1 : 0))))
        << Back.join(' ').toStdString();
  }
}

TEST(Walls, DefaultsOfTheWalls)
{
  TImageTChart C;
  EXPECT_EQ(C.BackWall()->Color(), TColor(0xC0C0C0));
  EXPECT_TRUE(C.BackWall()->Transparent());
  EXPECT_FALSE(C.BackWall()->Shadow()->Visible());
  EXPECT_EQ(C.LeftWall()->Color(), TColor(0x80FFFF));
  EXPECT_EQ(C.BottomWall()->Color(), TColor(0xFFFFFF));
  EXPECT_EQ(C.Walls()->RightIfAny(), nullptr);
  EXPECT_FALSE(C.RightWall()->Visible());
  EXPECT_NE(C.Walls()->RightIfAny(), nullptr);
  EXPECT_FALSE(C.BackWall()->IsColorStored());
  C.Walls()->SetSize(4);
  EXPECT_EQ(C.LeftWall()->Size(), 4);
  EXPECT_EQ(C.RightWall()->Size(), 4);
  // Sizes count in 3D with walls only.
  EXPECT_EQ(C.CalcWallSize(C.LeftAxis()), 4);
  C.SetView3DWalls(false);
  EXPECT_EQ(C.CalcWallSize(C.LeftAxis()), 0);
}

TEST(Titles, TitlesTakeTheirRoomInOrder)
{
  TWallChart W;
  W.Chart.Draw();
  const int Plain = W.Chart.ChartRect.Top;
  TChartTitle* T = W.Chart.Title();
  TChartTitle* S = W.Chart.SubTitle();
  T->SetCaption(QStringLiteral("Cast"));
  S->SetCaption(QStringLiteral("Station 14"));
  S->SetVertMargin(7);
  W.Chart.Draw();
  // The main title sits at the top, the sub-title below it, each followed
  // by its margin; the plot starts below both.
  EXPECT_LT(T->ShapeBounds.Top, S->ShapeBounds.Top);
  EXPECT_EQ(S->ShapeBounds.Top, T->ShapeBounds.Bottom + T->VertMargin());
  EXPECT_EQ(W.Chart.ChartRect.Top - Plain, S->ShapeBounds.Bottom + 7 - T->ShapeBounds.Top);
  // Titles draw in their entities, in order.
  EXPECT_EQ(W.Canvas->Log.count(QStringLiteral("Begin Title")), 1);
  EXPECT_LT(W.Canvas->Log.indexOf(QStringLiteral("Begin Title")),
            W.Canvas->Log.indexOf(QStringLiteral("Begin Subtitle")));
  // A foot sits at the bottom.
  TChartTitle* F = W.Chart.Foot();
  F->SetCaption(QStringLiteral("Fathomix"));
  W.Chart.Draw();
  EXPECT_GT(F->ShapeBounds.Top, W.Chart.ChartRect.Bottom);
}

TEST(Titles, AnEmptyOrHiddenTitleTakesNoRoom)
{
  TWallChart W;
  W.Chart.Draw();
  const int Plain = W.Chart.ChartRect.Top;
  TChartTitle* T = W.Chart.Title();
  T->SetCaption(QStringLiteral("Cast"));
  W.Chart.Draw();
  EXPECT_GT(W.Chart.ChartRect.Top, Plain);
  T->SetCaption(String());
  EXPECT_FALSE(T->ShouldDraw());
  W.Chart.Draw();
  EXPECT_EQ(W.Chart.ChartRect.Top, Plain);
  T->SetCaption(QStringLiteral("Cast"));
  T->SetVisible(false);
  W.Canvas->Log.clear();
  W.Chart.Draw();
  EXPECT_EQ(W.Chart.ChartRect.Top, Plain);
  EXPECT_FALSE(W.Canvas->Log.contains(QStringLiteral("Begin Titles")));
}

TEST(Titles, PlacementByAlignment)
{
  TWallChart W;
  TChartTitle* T = W.Chart.Title();
  T->SetCaption(QStringLiteral("Cast"));
  const int X0 = W.Chart.BorderSize() + PixelRound(W.Chart.Width() * 0.02);
  T->SetAlignment(taLeftJustify);
  W.Chart.Draw();
  EXPECT_EQ(T->ShapeBounds.Left, X0);
  T->SetAlignment(taRightJustify);
  W.Chart.Draw();
  EXPECT_EQ(T->ShapeBounds.Right, W.Chart.Width() - X0);
  // Centred, but never left of x0 however wide.
  T->SetAlignment(taCenter);
  T->SetCaption(QString(200, QLatin1Char('W')));
  W.Chart.Draw();
  EXPECT_EQ(T->ShapeBounds.Left, X0);
  // Without AdjustFrame the title spans the chart between the insets.
  T->SetCaption(QStringLiteral("Cast"));
  T->SetAdjustFrame(false);
  W.Chart.Draw();
  EXPECT_EQ(T->ShapeBounds.Left, X0);
  EXPECT_EQ(T->ShapeBounds.Width(), W.Chart.Width() - 2 * X0);
  // A custom position is kept and takes no room.
  const int Plain = W.Chart.ChartRect.Top;
  T->SetLeft(100);
  T->SetTop(150);
  W.Chart.Draw();
  EXPECT_EQ(T->ShapeBounds.Left, 100);
  EXPECT_EQ(T->ShapeBounds.Top, 150);
  EXPECT_LT(W.Chart.ChartRect.Top, Plain);
  EXPECT_TRUE(T->Clicked(101, 151));
  EXPECT_FALSE(T->Clicked(99, 151));
}

TEST(Titles, TheTextAsLines)
{
  TImageTChart C;
  TChartTitle* T = C.Title();
  TStringList L;
  L.Add(QStringLiteral("Sound velocity"));
  T->SetText(&L);
  EXPECT_EQ(T->Text(), QStringLiteral("Sound velocity"));
  EXPECT_EQ(T->Caption(), QStringLiteral("Sound velocity"));
  L.Add(QStringLiteral("Station 14"));
  T->SetText(&L);
  EXPECT_EQ(T->Text(), QStringLiteral("Sound velocity\r\nStation 14"));
  // Text set on the box reaches the lines.
  T->SetText(QStringLiteral("One\rTwo"));
  EXPECT_EQ(T->GetText()->Count(), 2);
  EXPECT_EQ(RemoveLastLineBreak(QStringLiteral("ab\r\n")), QStringLiteral("ab"));
  EXPECT_EQ(RemoveLastLineBreak(QStringLiteral("\r\n")), QStringLiteral("\r\n"));
  // Defaults of the two kinds.
  EXPECT_EQ(T->Font()->Color(), TColor(0xFF0000));
  EXPECT_EQ(C.Foot()->Font()->Color(), TColor(0x0000FF));
  EXPECT_TRUE(C.Foot()->Font()->Style() & FontStyleBit(fsItalic));
  EXPECT_TRUE(T->Transparent());
  EXPECT_EQ(T->Alignment(), taCenter);
}
