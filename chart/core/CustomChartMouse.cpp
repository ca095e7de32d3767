// The chart and the mouse: what lies under a point, clicks reaching the
// legend, axes, series and titles and their events, zooming with a dragged
// rectangle (and undoing it), scrolling by dragging and with the wheel.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/CustomChart.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SeriesPointer.h"
#include "chart/core/ZuzSelected.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
bool Inside(const TRect& R, int32_t X, int32_t Y) { return X >= R.Left && X <= R.Right && Y >= R.Top && Y <= R.Bottom; }
} // namespace

// ---------------------------------------------------------------------------
// Hit test

TChartClickedPart TCustomChart::CalcNeedClickedPart(const TPoint& Pos, bool OnlyNeeded)
{
  TChartClickedPart Part;
  TChartLegend* L = Legend();
  const bool LegendShown = L->Visible() && L->ShouldDraw();
  if (LegendShown && L->CustomPosition()) {
    const int32_t I = L->Clicked(Pos);
    if (I != -1) {
      Part.Part = cpLegend;
      Part.PointIndex = I;
      return Part;
    }
  }
  for (auto It = SeriesList().Items().rbegin(); It != SeriesList().Items().rend(); ++It) {
    TChartSeries* S = *It;
    if (!S->Active() || (OnlyNeeded && !S->RaiseClicked() && !OnClickSeries))
      continue;
    if (const int32_t M = S->MarksClicked(Pos.X, Pos.Y); M != -1) {
      Part = TChartClickedPart{cpSeriesMarks, M, S, nullptr};
      return Part;
    }
    const int32_t I = S->Clicked(Pos);
    if (I == -1)
      continue;
    Part = TChartClickedPart{cpSeries, I, S, nullptr};
    for (int32_t P = 0; P < S->Count(); ++P)
      if (S->ClickedPointerPart(P, S->CalcXPos(P), S->CalcYPos(P), Pos)) {
        Part = TChartClickedPart{cpSeriesPointer, P, S, nullptr};
        break;
      }
    return Part;
  }
  for (int32_t I = 0; I < Axes().Count(); ++I) {
    TChartAxis* A = Axes().Get(I);
    if (A->Clicked(Pos)) {
      Part = TChartClickedPart{cpAxis, -1, nullptr, A};
      return Part;
    }
    if (TChartAxisTitle* T = A->TitleIfAny();
        T && T->Visible() && !T->Caption().isEmpty() && T->Clicked(Pos.X, Pos.Y)) {
      Part = TChartClickedPart{cpAxisTitle, -1, nullptr, A};
      return Part;
    }
  }
  if (LegendShown && !L->CustomPosition()) {
    const int32_t I = L->Clicked(Pos);
    if (I != -1) {
      Part.Part = cpLegend;
      Part.PointIndex = I;
      return Part;
    }
  }
  const struct {
    TChartTitle* T;
    TChartClickedPartStyle Style;
  } Titles[] = {{Title(), cpTitle}, {SubTitle(), cpSubTitle}, {Foot(), cpFoot}, {SubFoot(), cpSubFoot}};
  for (const auto& K : Titles)
    if (K.T->Visible() && K.T->Clicked(Pos)) {
      Part.Part = K.Style;
      return Part;
    }
  if (Inside(ChartRect, Pos.X, Pos.Y) && CountActiveSeries() > 0)
    Part.Part = cpChartRect;
  return Part;
}

// ---------------------------------------------------------------------------
// Press, move, release

bool TCustomChart::TryStartZoomScroll(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  if (!ActiveSeriesCanZoomScroll())
    return false;
  bool Started = false;
  TZuzZoom* Z = Zoom();
  if (Z->Allow() && Button == Z->MouseButton() && (Shift & Z->KeyShift()) == Z->KeyShift()) {
    if (Z->Direction() == tzdVertical)
      X = ChartRect.Left;
    else if (Z->Direction() == tzdHorizontal)
      Y = ChartRect.Top;
    Z->Activate(X, Y);
    if (Z->Direction() == tzdVertical)
      Z->X1 = ChartRect.Right;
    else if (Z->Direction() == tzdHorizontal)
      Z->Y1 = ChartRect.Bottom;
    if (Z->X0 != Z->X1 || Z->Y0 != Z->Y1)
      TryDrawZoom();
    Started = true;
  }
  if (AllowPanning() != pmNone && Button == ScrollMouseButton()) {
    Panning()->Activate(X, Y);
    if (!Panning()->InsideBounds() && Parent())
      SetMouseCapture(true);
    Started = true;
  }
  if (Started)
    SetCursor(FOriginalCursor);
  return Started;
}

void TCustomChart::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  TCustomAxisPanel::MouseDown(Button, Shift, X, Y);
  if (CancelMouse() || Zoom()->Active() || Panning()->Active())
    return;
  SetCancelMouse(false);
  BroadcastMouseEvent(cmeDown, Button, Shift, X, Y);
  if (!CancelMouse()) {
    const TChartClickedPart Part = CalcNeedClickedPart(TPoint{X, Y}, true);
    bool Handled = false;
    const auto Fire = [&](auto& Event, auto... Args) {
      if (!Event)
        return;
      SetCancelMouse(true);
      Event(this, Args..., Button, Shift, X, Y);
      Handled = CancelMouse();
    };
    switch (Part.Part) {
    case cpLegend:
      Handled = Legend()->DoMouseDown(X, Y, Part.PointIndex);
      Fire(OnClickLegend);
      break;
    case cpAxis:
      Fire(OnClickAxis, Part.AAxis);
      if (!Handled)
        Handled = TryStartZoomScroll(Button, Shift, X, Y);
      break;
    case cpSeries:
    case cpSeriesPointer:
      SetCancelMouse(false);
      Part.ASeries->MouseDown(Part.PointIndex, Part.Part == cpSeriesPointer, Button, Shift, X, Y);
      Handled = CancelMouse();
      Fire(OnClickSeries, Part.ASeries, Part.PointIndex);
      if (!Handled)
        Handled = TryStartZoomScroll(Button, Shift, X, Y);
      break;
    case cpTitle:
    case cpSubTitle:
    case cpFoot:
    case cpSubFoot: {
      TChartTitle* T = Part.Part == cpTitle      ? Title()
                       : Part.Part == cpSubTitle ? SubTitle()
                       : Part.Part == cpFoot     ? Foot()
                                                 : SubFoot();
      Fire(OnClickTitle, T);
      if (!Handled)
        Handled = TryStartZoomScroll(Button, Shift, X, Y);
      break;
    }
    case cpChartRect:
      Fire(OnClickBackground);
      if (!Handled)
        Handled = TryStartZoomScroll(Button, Shift, X, Y);
      break;
    case cpNone:
    case cpSeriesMarks:
    case cpAxisTitle:
      break;
    }
    if (!Handled)
      Fire(OnClickBackground);
  }
  SetCancelMouse(false);
}

void TCustomChart::MouseMove(TShiftState Shift, int32_t X, int32_t Y)
{
  TCustomAxisPanel::MouseMove(Shift, X, Y);
  if (!(ComponentState() & csDesigning))
    BroadcastMouseEvent(cmeMove, mbLeft, Shift, X, Y);
  if (CancelMouse())
    return;
  TZuzZoom* Z = Zoom();
  if (Z->Active()) {
    if (Z->Direction() == tzdVertical)
      X = ChartRect.Right;
    else if (Z->Direction() == tzdHorizontal)
      Y = ChartRect.Bottom;
    if (X != Z->X1 || Y != Z->Y1) {
      TryDrawZoom();
      if (Z->KeepAspectRatio())
        Z->CorrectAspectRatio(ChartRect, X, Y);
      else {
        Z->X1 = X;
        Z->Y1 = Y;
      }
      if (!Z->FullRepaint())
        TryDrawZoom();
    }
    return;
  }
  TZuzPanning* P = Panning();
  if (P->Active()) {
    if (P->InsideBounds() && !Inside(ChartRect, X, Y)) {
      P->SetActive(false);
      return;
    }
    if (X == P->X1 && Y == P->Y1)
      return;
    SaveScalesOnce();
    const bool MovedX = X != P->X1, MovedY = Y != P->Y1;
    PanAxis(true, X, P->X1);
    PanAxis(false, Y, P->Y1);
    P->X1 = X;
    P->Y1 = Y;
    const TPanningMode M = AllowPanning();
    if ((MovedX && (M == pmBoth || M == pmHorizontal)) || (MovedY && (M == pmBoth || M == pmVertical))) {
      if (OnScroll)
        OnScroll(this);
      Invalidate();
    }
    return;
  }
  // Neither: the cursor and the hovered legend item.
  TChartLegend* L = Legend();
  const int32_t Item = L->ShouldDraw() ? L->Clicked(X, Y) : -1;
  const TCursor LegendCursor = L->CalcCursor();
  if (Item != -1 && LegendCursor != crDefault)
    SetCursor(LegendCursor);
  else if (Item == -1 && !CheckMouseSeries(X, Y) && !CheckMouseAxes(X, Y))
    SetCursor(FOriginalCursor);
  if (!Hover()->Visible())
    return;
  int32_t HoverIndex = Item;
  if (L->CalcLegendStyle() == lsValues) {
    if (TChartSeries* S = L->GetLegendSeries()) {
      if (Item != -1)
        S->Selected()->SetHoverIndex(S->LegendToValueIndex(Item));
      else if (S->SelectedIfAny() && S->SelectedIfAny()->HoverIndex() != -1)
        HoverIndex = S->ValueIndexToLegend(S->SelectedIfAny()->HoverIndex());
    }
  } else if (Item == -1) {
    for (auto It = SeriesList().Items().rbegin(); It != SeriesList().Items().rend(); ++It) {
      TChartSeries* S = *It;
      if (S->Active() && S->SelectedIfAny() && S->SelectedIfAny()->HoverIndex() != -1) {
        if (!S->ShowInLegend())
          break;
        int32_t N = 0;
        for (TChartSeries* T : SeriesList()) {
          if (T == S)
            break;
          if (T->ShowInLegend())
            ++N;
        }
        HoverIndex = N;
        break;
      }
    }
  }
  L->Selected()->SetHoverIndex(HoverIndex);
}

bool TCustomChart::CheckMouseSeries(int32_t X, int32_t Y)
{
  bool Claimed = false;
  for (auto It = SeriesList().Items().rbegin(); It != SeriesList().Items().rend(); ++It)
    if ((*It)->Active() && (*It)->CheckMouse(X, Y))
      Claimed = true;
  return Claimed;
}

// Axis labels carry no hover format here: no axis claims the mouse.
bool TCustomChart::CheckMouseAxes(int32_t, int32_t) { return false; }

void TCustomChart::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)
{
  SetCancelMouse(false);
  TCustomAxisPanel::MouseUp(Button, Shift, X, Y);
  TZuzZoom* Z = Zoom();
  if (Z->Active() && Button == Z->MouseButton()) {
    Z->SetActive(false);
    TryDrawZoom();
    InternalCanvas()->Pen()->SetMode(pmCopy);
    if (!Z->KeepAspectRatio()) {
      if (Z->Direction() != tzdVertical)
        Z->X1 = X;
      if (Z->Direction() != tzdHorizontal)
        Z->Y1 = Y;
    }
    const bool WideEnough = Z->Direction() == tzdVertical || std::abs(Z->X1 - Z->X0) > Z->MinimumPixels();
    const bool TallEnough = Z->Direction() == tzdHorizontal || std::abs(Z->Y1 - Z->Y0) > Z->MinimumPixels();
    if (WideEnough && TallEnough) {
      const bool In = Z->UpLeftZooms() || (Z->Direction() == tzdVertical ? Z->Y1 > Z->Y0 : Z->X1 > Z->X0);
      if (In)
        CalcZoomPoints();
      else
        UndoZoom();
      Invalidate();
    }
  }
  Panning()->SetActive(false);
  if (!Panning()->InsideBounds() && Parent())
    SetMouseCapture(false);
  BroadcastMouseEvent(cmeUp, Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------
// Scroll

void TCustomChart::SaveScalesOnce()
{
  if (!RestoredAxisScales)
    return;
  SaveScales(FSavedScales);
  RestoredAxisScales = false;
}

void TCustomChart::SaveScales(TAllAxisSavedScales& Scales)
{
  Scales.assign(static_cast<size_t>(Axes().Count()), TAxisSavedScales{});
  for (int32_t I = 0; I < Axes().Count(); ++I) {
    TChartAxis* A = Axes().Get(I);
    if (A->IsDepthAxis())
      continue;
    Scales[static_cast<size_t>(I)] =
        TAxisSavedScales{A->Automatic(), A->AutomaticMinimum(), A->AutomaticMaximum(), A->IMinimum, A->IMaximum};
  }
}

void TCustomChart::RestoreScales(TAllAxisSavedScales& Scales)
{
  for (int32_t I = 0; I < Axes().Count() && I < static_cast<int32_t>(Scales.size()); ++I) {
    TChartAxis* A = Axes().Get(I);
    if (A->IsDepthAxis())
      continue;
    const TAxisSavedScales& S = Scales[static_cast<size_t>(I)];
    A->SetAutomatic(S.Auto);
    A->SetAutomaticMinimum(S.AutoMin);
    A->SetAutomaticMaximum(S.AutoMax);
    A->InternalSetMinimum(S.Min);
    A->InternalSetMaximum(S.Max);
  }
  Scales.clear();
}

void TCustomChart::PanAxis(bool Horizontal, int32_t New, int32_t Old)
{
  const TPanningMode M = AllowPanning();
  if (New == Old || !(M == pmBoth || M == (Horizontal ? pmHorizontal : pmVertical)))
    return;
  constexpr double Largest = std::numeric_limits<double>::max();
  for (int32_t I = 0; I < Axes().Count(); ++I) {
    TChartAxis* A = Axes().Get(I);
    if (A->IsDepthAxis() || A->Horizontal() != Horizontal)
      continue;
    const double Min = A->MinimumOffset() != 0 ? A->Minimum() : A->IMinimum;
    const double Max = A->MaximumOffset() != 0 ? A->Maximum() : A->IMaximum;
    double NewMin, NewMax;
    if (!A->Logarithmic()) {
      const double Delta = A->CalcPosPoint(Old) - A->CalcPosPoint(New);
      NewMin = Min + Delta;
      NewMax = Max + Delta;
    } else {
      const int32_t D = New - Old;
      NewMin = Min + (Min - A->CalcPosPoint(A->CalcPosValue(Min) + D));
      NewMax = Max + (Max - A->CalcPosPoint(A->CalcPosValue(Max) + D));
      if (NewMin > NewMax) {
        NewMin = Min;
        NewMax = Max;
      }
    }
    if (!(std::abs(NewMin) <= Largest))
      NewMin = Min;
    if (!(std::abs(NewMax) <= Largest))
      NewMax = Max;
    bool Allow = true;
    if (OnAllowScroll)
      OnAllowScroll(A, NewMin, NewMax, Allow);
    if (Allow) {
      A->SetMinMax(NewMin, NewMax);
      // The next move may come before a repaint lays the axis out again:
      // it must map pixels through the scale just set, or this step is lost.
      A->AdjustMaxMin();
    }
  }
}

void TCustomChart::ScrollVerticalAxes(bool Up)
{
  SaveScalesOnce();
  for (int32_t I = 0; I < Axes().Count(); ++I) {
    TChartAxis* A = Axes().Get(I);
    if (A->Horizontal())
      continue;
    double Delta = (A->Maximum() - A->Minimum()) * 3 * 0.01;
    if (!Up)
      Delta = -Delta;
    bool Allow = true;
    if (OnAllowScroll) {
      double Min = A->Minimum() + Delta, Max = A->Maximum() + Delta;
      OnAllowScroll(A, Min, Max, Allow);
    }
    if (Allow) {
      A->Scroll(Delta, false);
      A->AdjustMaxMin();
    }
  }
}

bool TCustomChart::CanWheelScroll() const
{
  const TPanningMode M = AllowPanning();
  return Panning()->MouseWheel() != pmwNone && (M == pmVertical || M == pmBoth) && !(ComponentState() & csDesigning);
}

void TCustomChart::InternalWheel(int32_t Notch)
{
  bool Up = Notch > 0;
  if (CanWheelScroll()) {
    if (Panning()->MouseWheel() == pmwInverted)
      Up = !Up;
    ScrollVerticalAxes(Up);
  } else if (Zoom()->Allow() && Zoom()->MouseWheel() != pmwNone) {
    if (Zoom()->MouseWheel() == pmwInverted)
      Up = !Up;
    ZoomPercent(Up ? 110 : 90);
  } else if (ZoomWheel() != pmwNone && (View3D() || InternalCanvas()->SupportsFullRotation())) {
    if (ZoomWheel() == pmwInverted)
      Up = !Up;
    View3DOptions()->SetZoomFloat(View3DOptions()->ZoomFloat() * (Up ? 1.1 : 0.9));
  }
  const TPoint P = GetCursorPos();
  BroadcastWheelEvent(Up ? wmeUp : wmeDown, Up ? 1 : -1, P.X, P.Y);
}

bool TCustomChart::DoMouseWheel(TShiftState Shift, int32_t WheelDelta, const TPoint& MousePos)
{
  const bool Result = TCustomAxisPanel::DoMouseWheel(Shift, WheelDelta, MousePos);
  const TPoint P = GetCursorPos();
  BroadcastWheelEvent(wmeMove, WheelDelta, P.X, P.Y);
  return Result;
}

bool TCustomChart::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
  const bool Result = TCustomAxisPanel::DoMouseWheelDown(Shift, MousePos);
  InternalWheel(-1);
  return Result;
}

bool TCustomChart::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
  const bool Result = TCustomAxisPanel::DoMouseWheelUp(Shift, MousePos);
  InternalWheel(1);
  return Result;
}

// ---------------------------------------------------------------------------
// Zoom

void TCustomChart::ZoomRect(const TRect& Rect)
{
  Zoom()->X0 = Rect.Left;
  Zoom()->Y0 = Rect.Top;
  Zoom()->X1 = Rect.Right;
  Zoom()->Y1 = Rect.Bottom;
  CalcZoomPoints();
}

void TCustomChart::CalcZoomPoints()
{
  TZuzZoom* Z = Zoom();
  Z->Check();
  TChartSeries* Last = nullptr;
  for (TChartSeries* S : SeriesList())
    if (S->Active() && S->CanZoomScroll())
      Last = S;
  if (Last && Last->ZoomSeries) {
    const double X0 = Last->XScreenToValue(Z->X0), X1 = Last->XScreenToValue(Z->X1);
    const double Y0 = Last->YScreenToValue(Z->Y1), Y1 = Last->YScreenToValue(Z->Y0);
    DoZoom(X0, X1, X0, X1, Y0, Y1, Y0, Y1);
  } else {
    const auto H = [&](TChartAxis* A, int32_t P) { return A->CalcPosPoint(P); };
    DoZoom(H(TopAxis(), Z->X0), H(TopAxis(), Z->X1), H(BottomAxis(), Z->X0), H(BottomAxis(), Z->X1),
           H(LeftAxis(), Z->Y1), H(LeftAxis(), Z->Y0), H(RightAxis(), Z->Y1), H(RightAxis(), Z->Y0));
  }
  if (Z->History())
    AddZoomSnapshot();
}

void TCustomChart::DoZoom(double TopIni, double TopEnd, double BottomIni, double BottomEnd, double LeftIni,
                          double LeftEnd, double RightIni, double RightEnd)
{
  SaveScalesOnce();
  TZuzZoom* Z = Zoom();
  const bool Vert = Z->Direction() != tzdHorizontal, Horiz = Z->Direction() != tzdVertical;
  const struct {
    TChartAxis* A;
    double Ini, End;
    bool On;
  } Targets[] = {{LeftAxis(), LeftIni, LeftEnd, Vert},
                 {RightAxis(), RightIni, RightEnd, Vert},
                 {TopAxis(), TopIni, TopEnd, Horiz},
                 {BottomAxis(), BottomIni, BottomEnd, Horiz}};
  if (Z->Animated())
    for (int32_t Step = 1; Step < Z->AnimatedSteps(); ++Step) {
      for (const auto& T : Targets)
        if (T.On) {
          const double Min = T.A->IMinimum, Max = T.A->IMaximum;
          T.A->SetMinMax(Min + (T.Ini - Min) / 3, Max - (Max - T.End) / 3);
        }
      Invalidate();
      Draw();
    }
  for (const auto& T : Targets)
    if (T.On)
      T.A->SetMinMax(T.Ini, T.End);
  SetZoomed(true);
  if (OnZoom)
    OnZoom(this);
}

void TCustomChart::ZoomPercent(double PercentZoom)
{
  TZuzZoom* Z = Zoom();
  double V[8];
  TChartAxis* const Order[4] = {TopAxis(), BottomAxis(), LeftAxis(), RightAxis()};
  for (int K = 0; K < 4; ++K) {
    TChartAxis* A = Order[K];
    double First = A->Horizontal() ? A->CalcPosPoint(A->IStartPos) : A->CalcPosPoint(A->IEndPos);
    double Second = A->Horizontal() ? A->CalcPosPoint(A->IEndPos) : A->CalcPosPoint(A->IStartPos);
    const bool On = A->Horizontal() ? Z->Direction() != tzdVertical : Z->Direction() != tzdHorizontal;
    if (On) {
      const double C = (Second - First) * (PercentZoom - 100) * 0.01;
      First += C;
      Second -= C;
    }
    V[2 * K] = First;
    V[2 * K + 1] = Second;
  }
  DoZoom(V[0], V[1], V[2], V[3], V[4], V[5], V[6], V[7]);
  Invalidate();
}

void TCustomChart::AddZoomSnapshot()
{
  TZoomSnapshot S;
  for (TChartAxis* A : {LeftAxis(), TopAxis(), RightAxis(), BottomAxis()}) {
    S.AxesMinMax.push_back(A->Minimum());
    S.AxesMinMax.push_back(A->Maximum());
  }
  S.CustomCount = CustomAxes()->Count();
  for (int32_t I = 0; I < S.CustomCount; ++I) {
    S.CustomMinMax.push_back(CustomAxes()->Get(I)->Minimum());
    S.CustomMinMax.push_back(CustomAxes()->Get(I)->Maximum());
  }
  Zoom()->AxesHistory().push_back(std::move(S));
}

void TCustomChart::RemoveZoomSnapshot()
{
  auto& H = Zoom()->AxesHistory();
  if (!H.empty())
    H.pop_back();
}

void TCustomChart::ZoomBackOne()
{
  auto& H = Zoom()->AxesHistory();
  if (H.size() < 2)
    return;
  const TZoomSnapshot& S = H[H.size() - 2];
  TChartAxis* const Order[4] = {LeftAxis(), TopAxis(), RightAxis(), BottomAxis()};
  for (int K = 0; K < 4 && 2 * K + 1 < static_cast<int>(S.AxesMinMax.size()); ++K)
    Order[K]->SetMinMax(S.AxesMinMax[static_cast<size_t>(2 * K)], S.AxesMinMax[static_cast<size_t>(2 * K + 1)]);
}

void TCustomChart::UndoZoom()
{
  TZuzZoom* Z = Zoom();
  if (Z->History() && Z->AxesHistory().size() > 1) {
    ZoomBackOne();
    RemoveZoomSnapshot();
  } else {
    if (Z->History() && Z->AxesHistory().size() == 1)
      RemoveZoomSnapshot();
    if (!RestoredAxisScales) {
      RestoreScales(FSavedScales);
      RestoredAxisScales = true;
    }
  }
  SetZoomed(false);
  TCustomAxisPanel::UndoZoom();
}
