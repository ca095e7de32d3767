// Pens, brushes and corners: defaults, stored rules and change notification.
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCorners.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
struct TCounter {
  int Count = 0;
  TObject* Last = nullptr;
  TNotifyEvent Event()
  {
    return [this](TObject* S) {
      ++Count;
      Last = S;
    };
  }
};
} // namespace

TEST(ZuzPen, NewPenHasTheDefaultsAndStoresNothing)
{
  TZuzPen P;
  EXPECT_TRUE(P.Visible());
  EXPECT_EQ(P.Width(), 1);
  EXPECT_EQ(P.Style(), psSolid);
  EXPECT_EQ(P.Color(), clBlack);
  EXPECT_EQ(P.Mode(), pmCopy);
  EXPECT_EQ(P.EndStyle(), esRound);
  EXPECT_EQ(P.JoinStyle(), jsRound);
  EXPECT_FALSE(P.SmallDots());
  EXPECT_EQ(P.SmallSpace(), 0);
  EXPECT_FALSE(P.HasFill());
  EXPECT_FALSE(P.IsWidthStored() || P.IsEndStored() || P.IsJoinStored() || P.IsVisibleStored());

  TZuzPen Hidden;
  Hidden.Hide();
  EXPECT_TRUE(Hidden.IsVisibleStored());
  TZuzHiddenPen H;
  EXPECT_FALSE(H.Visible());
  EXPECT_FALSE(H.IsVisibleStored());
  H.Show();
  EXPECT_TRUE(H.IsVisibleStored());
  TDarkGrayPen G;
  EXPECT_EQ(G.Color(), 0x808080u);
}

TEST(ZuzPen, SettersNotifyOnlyOnRealChanges)
{
  const std::vector<std::pair<const char*, std::function<void(TZuzPen&)>>> Setters = {
      {"EndStyle", [](TZuzPen& P) { P.SetEndStyle(esFlat); }},
      {"JoinStyle", [](TZuzPen& P) { P.SetJoinStyle(jsBevel); }},
      {"SmallDots", [](TZuzPen& P) { P.SetSmallDots(true); }},
      {"SmallSpace", [](TZuzPen& P) { P.SetSmallSpace(3); }},
      {"Visible", [](TZuzPen& P) { P.SetVisible(false); }},
      {"Color", [](TZuzPen& P) { P.SetColor(clRed); }},
      {"Width", [](TZuzPen& P) { P.SetWidth(4); }},
      {"Style", [](TZuzPen& P) { P.SetStyle(psDot); }},
      {"Mode", [](TZuzPen& P) { P.SetMode(pmXor); }},
  };
  for (const auto& [Name, Set] : Setters) {
    TCounter C;
    TZuzPen P(C.Event());
    Set(P);
    EXPECT_EQ(C.Count, 1) << Name;
    EXPECT_EQ(C.Last, &P) << Name;
    Set(P);
    EXPECT_EQ(C.Count, 1) << Name << " set again";
  }
  TCounter C;
  TZuzPen P(C.Event());
  P.InitEndStyle(esSquare);
  EXPECT_EQ(C.Count, 0);
  EXPECT_EQ(P.EndStyle(), esSquare);
  EXPECT_FALSE(P.IsEndStored());
}

TEST(ZuzPen, HalfWidth)
{
  const struct {
    int32_t Width;
    bool Visible;
    int32_t Half;
  } Cases[] = {{5, true, 2}, {1, true, 0}, {5, false, 0}, {2, true, 1}};
  for (const auto& C : Cases) {
    TZuzPen P;
    P.SetWidth(C.Width);
    P.SetVisible(C.Visible);
    EXPECT_EQ(P.HalfWidth(), C.Half) << C.Width << " " << C.Visible;
  }
}

TEST(ZuzPen, FillBrushIsCreatedOnReadAndCopiedByAssign)
{
  TCounter C;
  TZuzPen P(C.Event());
  EXPECT_FALSE(P.IsGradientVisible());
  P.Fill()->Gradient()->SetVisible(true);
  EXPECT_TRUE(P.IsGradientVisible());
  EXPECT_GT(C.Count, 0); // the fill notifies through the pen's handler

  TZuzPen Q;
  Q.Assign(&P);
  ASSERT_TRUE(Q.HasFill());
  EXPECT_TRUE(Q.IsGradientVisible());
  TZuzPen Plain;
  Q.Assign(&Plain);
  EXPECT_FALSE(Q.HasFill());

  P.SetFill(nullptr);
  EXPECT_FALSE(P.HasFill());
}

TEST(ZuzPen, AssignCopiesTheChartPartsAndNotifiesOnce)
{
  TZuzPen Source;
  Source.SetVisible(false);
  Source.SetSmallDots(true);
  Source.SetSmallSpace(2);
  Source.SetEndStyle(esFlat);
  Source.SetJoinStyle(jsMitter);
  Source.SetColor(clRed);
  Source.SetWidth(3);
  TCounter C;
  TZuzPen Target(C.Event());
  Target.Assign(&Source);
  EXPECT_EQ(C.Count, 1);
  EXPECT_FALSE(Target.Visible());
  EXPECT_TRUE(Target.SmallDots());
  EXPECT_EQ(Target.SmallSpace(), 2);
  EXPECT_EQ(Target.EndStyle(), esFlat);
  EXPECT_EQ(Target.JoinStyle(), jsMitter);
  EXPECT_EQ(Target.Color(), clRed);
  EXPECT_EQ(Target.Width(), 3);
}

TEST(ZuzBrush, NewBrushHasTheDefaultsAndStoresNothing)
{
  TCounter C;
  TZuzBrush B(C.Event());
  EXPECT_EQ(B.Color(), clDefault);
  EXPECT_EQ(B.BackColor(), clNone);
  EXPECT_EQ(B.Style(), bsSolid);
  EXPECT_EQ(B.HatchStyle(), hsHorizontal);
  EXPECT_FALSE(B.IsColorStored());
  EXPECT_FALSE(B.HasImage() || B.HasGradient() || B.GradientIfAny());
  B.InitColor(clRed);
  EXPECT_EQ(C.Count, 0);
  EXPECT_FALSE(B.IsColorStored());
  B.SetColor(clBlue);
  EXPECT_EQ(C.Count, 1);
  EXPECT_TRUE(B.IsColorStored());
  B.SetBackColor(clNone);
  EXPECT_EQ(C.Count, 1);
}

TEST(ZuzBrush, HatchStyleSetsThePlatformStyleForTheFirstSix)
{
  const struct {
    THatchStyle Hatch;
    TBrushStyle Style;
  } Cases[] = {{hsHorizontal, bsSolid},
               {hsVertical, bsVertical},
               {hsForwardDiagonal, bsFDiagonal},
               {hsBackwardDiagonal, bsBDiagonal},
               {hsCross, bsCross},
               {hsDiagonalCross, bsDiagCross},
               {hsWeave, bsSolid},
               {hsSolidDiamond, bsSolid}};
  for (const auto& C : Cases) {
    TCounter N;
    TZuzBrush B(N.Event());
    B.SetHatchStyle(C.Hatch);
    EXPECT_EQ(B.Style(), C.Style) << int(C.Hatch);
    EXPECT_EQ(N.Count, C.Hatch == hsHorizontal ? 0 : 1) << int(C.Hatch);
  }
}

TEST(ZuzBrush, AssignCopiesOrFreesGradientAndPicture)
{
  TZuzBrush WithExtras;
  WithExtras.Gradient()->SetVisible(true);
  WithExtras.Image()->SetGraphic(nullptr);
  WithExtras.SetHatchStyle(hsCross);
  WithExtras.SetBackColor(clRed);

  TZuzBrush Target;
  Target.Assign(&WithExtras);
  EXPECT_TRUE(Target.HasGradient());
  EXPECT_TRUE(Target.HasImage());
  EXPECT_EQ(Target.HatchStyle(), hsCross);
  EXPECT_EQ(Target.Style(), bsCross);
  EXPECT_EQ(Target.BackColor(), clRed);

  TZuzBrush Plain;
  Target.Assign(&Plain);
  EXPECT_EQ(Target.GradientIfAny(), nullptr);
  EXPECT_FALSE(Target.HasImage());

  TCounter C;
  TZuzBrush B(C.Event());
  B.SetImage(nullptr);
  EXPECT_EQ(C.Count, 0);
  B.Image();
  B.SetImage(nullptr);
  EXPECT_EQ(C.Count, 1);

  TZuzBrush Cleared;
  Cleared.Gradient()->SetVisible(true);
  Cleared.Clear();
  EXPECT_EQ(Cleared.Style(), bsClear);
  EXPECT_EQ(Cleared.GradientIfAny(), nullptr);
}

TEST(ZuzCorners, StyleNotifiesWithTheCornerAssignDoesNot)
{
  TCounter C;
  TZuzCorners Corners(C.Event());
  Corners.RightTop()->SetStyle(cosBevel);
  EXPECT_EQ(C.Count, 1);
  EXPECT_EQ(C.Last, Corners.RightTop());
  Corners.RightTop()->SetStyle(cosBevel);
  EXPECT_EQ(C.Count, 1);
  TZuzCorners Other;
  Other.LeftBottom()->SetStyle(cosNone);
  Corners.Assign(&Other);
  EXPECT_EQ(C.Count, 1);
  EXPECT_EQ(Corners.LeftBottom()->Style(), cosNone);
  EXPECT_EQ(Corners.RightTop()->Style(), cosRound);
}

TEST(ZuzCorners, PathsOfTheCornerStyles)
{
  const TRect R{10, 20, 110, 80};
  auto PathOf = [&](TZuzCornerStyle S, int32_t X, int32_t Y) {
    TRecordingCanvas C;
    TZuzCorners K;
    for (TZuzCorner* Corner : {K.LeftBottom(), K.LeftTop(), K.RightBottom(), K.RightTop()})
      Corner->SetStyle(S);
    K.GetPath(&C, R, X, Y);
    return C.Log;
  };
  EXPECT_EQ(PathOf(cosNone, 10, 10), QStringList({"Path.MoveTo(110,20)", "Path.LineTo(110,80)", "Path.LineTo(10,80)",
                                                  "Path.LineTo(10,20)", "Path.Close()"}));
  EXPECT_EQ(PathOf(cosRound, 10, 10),
            QStringList({"Path.ArcTo(100,20,10,10,270,90)", "Path.ArcTo(100,70,10,10,0,90)",
                         "Path.ArcTo(10,70,10,10,90,90)", "Path.ArcTo(10,20,10,10,180,90)", "Path.Close()"}));
  EXPECT_EQ(PathOf(cosBevel, 11, 10), QStringList({"Path.MoveTo(105,20)", "Path.LineTo(110,25)", "Path.LineTo(110,75)",
                                                   "Path.LineTo(105,80)", "Path.LineTo(15,80)", "Path.LineTo(10,75)",
                                                   "Path.LineTo(10,25)", "Path.LineTo(15,20)", "Path.Close()"}));
  // Mixed styles make one figure: the outline never starts again.
  {
    TRecordingCanvas C;
    TZuzCorners K;
    K.LeftTop()->SetStyle(cosBevel);
    K.RightBottom()->SetStyle(cosNone);
    K.GetPath(&C, R, 10, 10);
    EXPECT_TRUE(C.Calls("Path.MoveTo").isEmpty());
    EXPECT_EQ(C.Log.size(), 9);
    EXPECT_EQ(C.Log.last(), "Path.Close()");
  }
  // A corner size of 0 is one pixel; one wider than the rectangle is cut to it.
  EXPECT_EQ(PathOf(cosRound, 0, 0).first(), "Path.ArcTo(109,20,1,1,270,90)");
  EXPECT_EQ(PathOf(cosRound, 500, 10).first(), "Path.ArcTo(10,20,100,10,270,90)");
}
