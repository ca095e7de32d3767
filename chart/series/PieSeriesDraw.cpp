// Laying out and drawing pies: several pies in one chart, exploded
// slices, shadows, slices in 2D and 3D, the hit test and the gallery.
#include "chart/series/PieSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzGeometry.h"
#include "chart/core/ZuzSort.h"
#include "chart/series/BarSeries.h"
#include "platform/CanvasMath.h"
#include "platform/ClassRegistry.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;
double Degrees(double Radians) { return Radians * 180 / Pi; }
} // namespace

TColor ZuzPie::ChangeColor(TColor Color, int32_t Amount)
{
  if (Amount == 0)
    return Color;
  return Amount < 0 ? ApplyDark(Color, uint8_t(std::min(-Amount, 255)))
                    : ApplyBright(Color, uint8_t(std::min(Amount, 255)));
}

// ---- Layout of several pies -------------------------------------------------------

int32_t TPieSeries::PieCount() const
{
  int32_t N = 0;
  for (const TChartSeries* S : FParent->SeriesList())
    if (S->Active() && SameClass(S))
      ++N;
  return N;
}

int32_t TPieSeries::PieIndex() const
{
  int32_t N = 0;
  for (const TChartSeries* S : FParent->SeriesList()) {
    if (S == this)
      break;
    if (S->Active() && SameClass(S))
      ++N;
  }
  return N;
}

void TPieSeries::GuessRectangle()
{
  const int32_t N = PieCount();
  if (N < 2)
    return;
  const int32_t P = PieIndex();
  TRect R = FParent->ChartRect;
  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  const int32_t Columns = PixelRound(std::sqrt(double(N)));
  const int32_t CW = W / Columns;
  R.Left += (P % Columns) * CW;
  R.Right = R.Left + PixelRound(CW * 0.9);
  const int32_t Rows = PixelRound(std::sqrt(double(N)) + 0.5);
  const int32_t RH = H / Rows;
  R.Top += (P / Columns) * RH;
  R.Bottom = R.Top + PixelRound(RH * 0.9);
  FParent->ChartRect = FParent->InternalCanvas()->CalcRect3D(R, 0);
}

void TPieSeries::PrepareConcentric()
{
  int32_t All = 0, Before = 0;
  TPieSeries* Prev = nullptr;
  bool Found = false;
  for (TChartSeries* S : FParent->SeriesList()) {
    if (S == this)
      Found = true;
    auto* Pie = dynamic_cast<TPieSeries*>(S);
    if (!Pie || !S->Active() || Pie->FMultiPie != mpConcentric)
      continue;
    ++All;
    if (!Found) {
      ++Before;
      Prev = Pie;
    }
  }
  if (All == 0)
    return;
  IHideSides = true;
  const float F = float((100 / All) * (Before + 1) * 0.01);
  FXRadius = PixelRound(FXRadius * F);
  FYRadius = PixelRound(FYRadius * F);
  FDonutPercent = Prev && FXRadius != 0 ? PixelRound(Prev->XRadius() * 100.0 / FXRadius) : 0;
}

void TPieSeries::DoBeforeDrawValues()
{
  IAdjustCircleForMarks = !FPieMarks->InsideSlice();
  IOldChartRect = FParent->ChartRect;
  IOldDonut = FDonutPercent;
  if (FMultiPie == mpConcentric) {
    TCircledSeries::DoBeforeDrawValues();
    PrepareConcentric();
    return;
  }
  IHideSides = false;
  if (FMultiPie == mpAutomatic)
    GuessRectangle();
  TCircledSeries::DoBeforeDrawValues();
}

void TPieSeries::DoAfterDrawValues()
{
  FDonutPercent = IOldDonut;
  FParent->ChartRect = IOldChartRect;
  TCircledSeries::DoAfterDrawValues();
}

void TPieSeries::InitCustom3DOptions(TView3DOptions* Options)
{
  Options->SetOrthogonal(false);
  Options->SetRotation(360);
  Options->SetElevation(315);
  Options->SetPerspective(0);
  Options->SetTilt(0);
}

// ---- Explosion -----------------------------------------------------------------------

void TPieSeries::CalcExplodedOffset(int32_t ValueIndex, int32_t& DX, int32_t& DY) const
{
  DX = DY = 0;
  if (!IsExploded || FExplodedSlice.Empty() || ValueIndex < 0 || ValueIndex >= int32_t(FAngles.size()))
    return;
  const int32_t E = FExplodedSlice.Get(ValueIndex);
  if (E <= 0)
    return;
  const double A = FAngles[ValueIndex].MidAngle + IRotDegree;
  DX = PixelRound(FXRadius * E * 0.01 * std::cos(A));
  DY = PixelRound(E * 0.01 * FYRadius * std::sin(A));
}

void TPieSeries::CalcExplodedRadius(int32_t ValueIndex, int32_t& AXRadius, int32_t& AYRadius) const
{
  const int32_t E = FExplodedSlice.Get(ValueIndex);
  AXRadius = E != 0 ? PixelRound(FXRadius * (1 + E * 0.01)) : FXRadius;
  AYRadius = E != 0 ? PixelRound(FYRadius * (1 + E * 0.01)) : FYRadius;
}

int32_t TPieSeries::SliceEndZ(int32_t ValueIndex) const
{
  if (ValueIndex >= FSliceHeights.Count())
    return EndZ;
  return StartZ + PixelRound(FSliceHeights.Get(ValueIndex) * (EndZ - StartZ) * 0.01);
}

int32_t TPieSeries::CalcMaxExplodedIndex() const
{
  int32_t Result = -1;
  if (FExplodedSlice.Empty() || FFirstVisibleIndex < 0)
    return -1;
  for (int32_t I = FFirstVisibleIndex; I <= FLastVisibleIndex; ++I) {
    const int32_t E = FExplodedSlice.Get(I);
    if (E > 0 && (Result < 0 || E > FExplodedSlice.Get(Result)))
      Result = I;
  }
  return Result;
}

void TPieSeries::ExplodeCircleRect()
{
  int32_t DX = 0, DY = 0;
  CalcExplodedOffset(CalcMaxExplodedIndex(), DX, DY);
  TRect R = FCircleRect;
  R.Left += std::abs(DX) / 2;
  R.Right -= std::abs(DX) / 2;
  R.Top += std::abs(DY) / 2;
  R.Bottom -= std::abs(DY) / 2;
  SetCircleRect(R);
}

// ---- Drawing -----------------------------------------------------------------------

void TPieSeries::DrawPieShadow()
{
  TCanvas3D* C = FParent->InternalCanvas();
  TRect R = FCircleRect;
  int32_t Z;
  if (C->SupportsFullRotation())
    Z = EndZ + 10;
  else {
    Z = StartZ - 10;
    R = C->CalcRect3D(R, Z);
  }
  Shadow()->ZPosition = Z;
  Emboss()->ZPosition = Z;
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() != 0)
    Blend = C->BeginBlending(TRect{}, Transparency());
  for (TZuzShadow* S : {Shadow(), static_cast<TZuzShadow*>(Emboss())}) {
    if (!S->Visible())
      continue;
    if (!IsExploded) {
      S->DrawEllipse(C, R, FDonutPercent, RotationAngle(), RotationAngle() + FAngleSize);
      continue;
    }
    TRect Base = R;
    if (Pen()->Visible()) {
      const int32_t G = 2 * Pen()->Width();
      Base = TRect{R.Left - G, R.Top - G, R.Right + G, R.Bottom + G};
    }
    for (int32_t I = FFirstVisibleIndex; I >= 0 && I <= FLastVisibleIndex; ++I) {
      int32_t DX, DY;
      CalcExplodedOffset(I, DX, DY);
      const TRect Moved{Base.Left + DX, Base.Top - DY, Base.Right + DX, Base.Bottom - DY};
      S->DrawEllipse(C, Moved, FDonutPercent, Degrees(FAngles[I].StartAngle) + RotationAngle(),
                     Degrees(FAngles[I].EndAngle) + RotationAngle());
    }
  }
  if (Blend)
    C->EndBlending(std::move(Blend));
}

void TPieSeries::DrawAllValues()
{
  DrawFrame();
  if (FExplodeBiggest > 0)
    CalcExplodeBiggest();
  const int32_t Exploded = CalcMaxExplodedIndex();
  CheckAngles();
  IsExploded = Exploded >= 0 || !FSliceHeights.Empty();
  if (Exploded >= 0)
    ExplodeCircleRect();
  if ((Shadow()->Visible() || Emboss()->Visible()) && (Shadow()->ShouldDraw() || Emboss()->ShouldDraw()) &&
      FMultiPie != mpConcentric)
    DrawPieShadow();
  if (!FParent->View3D() || FParent->InternalCanvas()->SupportsFullRotation())
    TCircledSeries::DrawAllValues();
  else
    DrawSortedSlices();
  if (TChartLegend* L = FOtherSlice->LegendIfAny(); L && L->Visible())
    DrawOtherLegend();
}

std::vector<int32_t> TPieSeries::CalcSortedSlices()
{
  CheckAngles();
  std::vector<int32_t> Order;
  for (int32_t I = FFirstVisibleIndex; I >= 0 && I <= FLastVisibleIndex; ++I)
    Order.push_back(I);
  // The distance of an angle from the top of the pie (pi / 2).
  const auto FromTop = [](double A) {
    if (A < Pi / 2)
      return Pi / 2 - A;
    if (A < 3 * Pi / 2)
      return A - Pi / 2;
    return Pi - (A - 3 * Pi / 2);
  };
  const auto Key = [&](int32_t I) {
    const double S = FAngles[I].StartAngle + IRotDegree, E = FAngles[I].EndAngle + IRotDegree;
    const double D = (E - S) * 0.05;
    const double A = FromTop(std::fmod(S + D, 2 * Pi)), B = FromTop(std::fmod(E - D, 2 * Pi));
    return (A <= Pi / 2 || B <= Pi / 2) ? std::min(A, B) : std::max(A, B);
  };
  std::stable_sort(Order.begin(), Order.end(), [&](int32_t A, int32_t B) { return Key(A) < Key(B); });
  return Order;
}

void TPieSeries::DrawSortedSlices()
{
  const std::vector<int32_t> Order = CalcSortedSlices();
  for (const int32_t I : Order) {
    // A partial pie shows the flat faces of its first and last slice.
    const bool Ends = FAngleSize != 360 && (I == FFirstVisibleIndex || I == FLastVisibleIndex);
    const bool Old = IsExploded;
    if (Ends)
      IsExploded = true;
    DrawValue(I);
    IsExploded = Old;
  }
}

TBrushStyle TPieSeries::SliceBrushStyle(int32_t ValueIndex) const
{
  if (ValueIndex == -1)
    return bsSolid;
  const bool Mono = FParent && FParent->Monochrome();
  return (FUsePatterns || Mono) ? GetDefaultPattern(ValueIndex) : bsSolid;
}

void TPieSeries::PreparePiePen(int32_t ValueIndex)
{
  if (PrepareHoverPen(ValueIndex))
    return;
  TCanvas3D* C = FParent->InternalCanvas();
  if (FDarkPen <= 0)
    C->AssignVisiblePenColor(Pen(), Pen()->Color());
  else
    C->AssignVisiblePenColor(Pen(), ApplyDark(GetValueColor(ValueIndex), uint8_t(255 - (FDarkPen % 256))));
  if (C->Pen()->Style() != psSolid)
    C->SetBackMode(cbmTransparent);
}

void TPieSeries::DrawValue(int32_t ValueIndex)
{
  if (FCircleWidth < 5 || FCircleHeight < 5 || BelongsToOtherSlice(ValueIndex))
    return;
  TCanvas3D* C = FParent->InternalCanvas();
  Brush()->SetStyle(SliceBrushStyle(ValueIndex));
  const TColor Colour = FParent->Monochrome() ? clBlack : GetValueColor(ValueIndex);
  if (Colour == clNone)
    C->Brush()->SetStyle(bsClear);
  else {
    FParent->SetBrushCanvas(Colour, Brush(), CalcCircleBackColor());
    if (CircleGradient()->Visible()) {
      const TZuzGradient Fresh;
      C->Gradient()->Assign(const_cast<TZuzGradient*>(&Fresh));
    } else
      C->Gradient()->SetVisible(false);
  }
  PreparePiePen(ValueIndex);
  DrawPie(ValueIndex);
}

void TPieSeries::DrawPie(int32_t ValueIndex)
{
  TCanvas3D* C = FParent->InternalCanvas();
  CheckAngles();
  const TPieAngle& A = FAngles[ValueIndex];
  int32_t DX, DY;
  CalcExplodedOffset(ValueIndex, DX, DY);
  const int32_t CX = FCircleXCenter + DX, CY = FCircleYCenter - DY;
  if (FParent->View3D()) {
    // The slice's own block (opened with its entity) stands for it.
    if (PointVisual(ValueIndex))
      return;
    C->Pie3D(CX, CY, FXRadius, FYRadius, StartZ, SliceEndZ(ValueIndex), A.StartAngle + IRotDegree,
             A.EndAngle + IRotDegree, FDark3D, IsExploded, FDonutPercent,
             CircleGradient()->Visible() ? CircleGradient() : nullptr, FBevel->Percent(), FEdgeStyle, Transparency(),
             FBevel->Bright(), FBevel->UseBorder(), IHideSides);
    return;
  }
  const TRect R{CX - FXRadius, CY - FYRadius, CX + FXRadius, CY + FYRadius};
  std::unique_ptr<TZuzBlend> Blend;
  if (Transparency() != 0)
    Blend = C->BeginBlending(R, Transparency());
  // Both canvases take the angles of Pie and Donut in degrees.
  const double Start = Degrees(A.StartAngle + IRotDegree), End = Degrees(A.EndAngle + IRotDegree);
  if (FDonutPercent < 1)
    C->Pie(R, Start, End);
  else if (YValue(ValueIndex) != 0)
    C->Donut(CX, CY, FXRadius, FYRadius, Start, End, FDonutPercent);
  if (FBevel->Percent() != 0) {
    C->Brush()->SetColor(ZuzPie::ChangeColor(C->Brush()->Color(), FBevel->Bright()));
    if (!FBevel->UseBorder())
      C->Pen()->SetStyle(psClear);
    C->Donut(CX, CY, FXRadius, FYRadius, Start, End, 100 - FBevel->Percent());
  }
  if (Blend)
    C->EndBlending(std::move(Blend));
}

// ---- Hit test --------------------------------------------------------------------------

int32_t TPieSeries::CalcClickedPie(int32_t X, int32_t Y, bool Exploded)
{
  if (FAngles.empty() || !FParent)
    return -1;
  TCanvas3D* C = FParent->InternalCanvas();
  const bool Donut = FDonutPercent > 0;
  const double IXR = Donut ? FDonutPercent * FXRadius * 0.01 : 0, IYR = Donut ? FDonutPercent * FYRadius * 0.01 : 0;
  const TPoint P{X, Y};
  std::vector<TPoint> Poly(Donut ? 64 : 33);
  int32_t DX = 0, DY = 0;
  const auto At = [&](double Angle, double RX, double RY) {
    int32_t PX, PY;
    AngleToPos(Angle, RX, RY, PX, PY);
    return C->Calculate3DPosition(TPoint{PX + DX, PY - DY}, EndZ);
  };
  for (int32_t I = 0; I < Count() && I < int32_t(FAngles.size()); ++I) {
    if (Exploded)
      CalcExplodedOffset(I, DX, DY);
    const TPieAngle& A = FAngles[I];
    const double Step = (A.EndAngle - A.StartAngle) / 31;
    for (int32_t K = 0; K < 32; ++K) {
      const double Angle = A.StartAngle + K * Step;
      Poly[K + 1] = At(Angle, FXRadius, FYRadius);
      if (Donut)
        Poly[K == 0 ? 0 : 64 - K] = At(Angle, IXR, IYR);
    }
    if (!Donut)
      Poly[0] = C->Calculate3DPosition(TPoint{FCircleXCenter + DX, FCircleYCenter - DY}, EndZ);
    if (PointInPolygon(P, Poly, int32_t(Poly.size()) - 1))
      return I;
  }
  return -1;
}

int32_t TPieSeries::Clicked(int32_t X, int32_t Y)
{
  const int32_t Result = TCircledSeries::Clicked(X, Y);
  return Result == -1 ? CalcClickedPie(X, Y, true) : Result;
}

void TPieSeries::CalcSelectionPos(int32_t ValueIndex, int32_t& X, int32_t& Y) const
{
  if (ValueIndex < 0 || ValueIndex >= int32_t(FAngles.size())) {
    TCircledSeries::CalcSelectionPos(ValueIndex, X, Y);
    return;
  }
  int32_t RX, RY;
  CalcExplodedRadius(ValueIndex, RX, RY);
  AngleToPos(FAngles[ValueIndex].MidAngle, RX, RY, X, Y);
}

// ---- Gallery -----------------------------------------------------------------------------

void TPieSeries::CreateSubGallery(const TSubGalleryProc& AddSubChart)
{
  TCircledSeries::CreateSubGallery(AddSubChart);
  for (const String* Name : {&ZuzMsg_Patterns, &ZuzMsg_Exploded, &ZuzMsg_Shadow, &ZuzMsg_Marks, &ZuzMsg_SemiPie,
                             &ZuzMsg_NoBorder, &ZuzMsg_DarkPen, &ZuzMsg_Concentric})
    AddSubChart(*Name);
}

void TPieSeries::SetSubGallery(TChartSeries* ASeries, int32_t Index)
{
  auto* S = dynamic_cast<TPieSeries*>(ASeries);
  if (!S)
    return;
  switch (Index) {
  case 1:
    S->SetUsePatterns(true);
    S->CircleGradient()->SetVisible(false);
    break;
  case 2:
    S->SetExplodeBiggest(30);
    break;
  case 3:
    S->Shadow()->SetHorizSize(10);
    S->Shadow()->SetVertSize(10);
    break;
  case 4:
    S->Marks()->SetVisible(true);
    S->Clear();
    S->Add(30, QStringLiteral("A"));
    S->Add(70, QStringLiteral("B"));
    break;
  case 5:
    S->SetAngleSize(180);
    break;
  case 6:
    S->Pen()->SetVisible(false);
    break;
  case 7:
    S->SetDarkPen(32);
    break;
  case 8:
    if (TCustomAxisPanel* C = S->ParentChart()) {
      S->SetMultiPie(mpConcentric);
      auto* Other = static_cast<TPieSeries*>(C->AddSeries(FindClass(S->ClassName())));
      Other->SetMultiPie(mpConcentric);
      Other->Marks()->SetVisible(false);
      for (int32_t I = 0; I < S->Count(); ++I)
        Other->Add(1 + (I * 37) % 100);
    }
    break;
  default:
    TCircledSeries::SetSubGallery(ASeries, Index);
    break;
  }
}
