// Placing an axis in the chart and drawing it: background shape, title,
// labels, line, ticks, grid and minor marks, then its sub-axes.
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/canvas/ZuzTransform.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "platform/Bitmap.h"
#include "platform/CanvasMath.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace {

// A pixel beyond the axis line that still counts as a click on it.
constexpr int32_t AxisClickTolerance = 3;

// Opens a canvas entity for the scope.
class TEntity {
public:
  TEntity(TCanvas3D* C, const String& Name, TZuzTransform* Transform = nullptr) : FC(C)
  {
    FC->BeginEntity(Name, nullptr, Transform);
  }
  ~TEntity() { FC->EndEntity(); }
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

private:
  TCanvas3D* FC;
};

} // namespace

// ---------------------------------------------------------------------------
// Placement

int32_t TChartAxis::GetRectangleEdge(const TRect& R) const
{
  if (FHorizontal)
    return FOtherSide ? R.Top : R.Bottom;
  return FOtherSide ? R.Right : R.Left;
}

int32_t TChartAxis::ApplyPosition(int32_t Pos, const TRect& R) const
{
  if (FPositionPercent == 0)
    return Pos;
  double D = FPositionPercent;
  if (FPosUnits == muPercent)
    D = FPositionPercent * 0.01 * (FHorizontal ? R.Height() : R.Width());
  int32_t P = PixelRound(D);
  if (FOtherSide)
    P = -P;
  return FHorizontal ? Pos - P : Pos + P;
}

int32_t TChartAxis::InflateAxisPos(int32_t Value, int32_t Amount) const
{
  const bool BottomOrRight = FHorizontal ? !FOtherSide : FOtherSide;
  return BottomOrRight ? Value + Amount : Value - Amount;
}

void TChartAxis::InflateAxisRect(TRect& R, int32_t Amount) const
{
  if (FHorizontal) {
    if (FOtherSide)
      R.Top = std::min(R.Bottom - 1, R.Top + Amount);
    else
      R.Bottom = std::max(R.Top + 1, R.Bottom - Amount);
  } else if (FOtherSide)
    R.Right = std::max(R.Left + 1, R.Right - Amount);
  else
    R.Left = std::min(R.Right - 1, R.Left + Amount);
}

int32_t TChartAxis::SizeTickAxis(bool IncludeTicks)
{
  int32_t Result = FAxis->Visible() ? FAxis->Width() + 1 : 0;
  if (IncludeTicks && FTicks->Visible())
    Result += FTickLength;
  if (FMinorTicks->Visible())
    Result = std::max(Result, FMinorTickLength);
  return Result;
}

int32_t TChartAxis::InternalCalcSize(TCustomTextShape* AShape, int32_t Angle, const String& Text, int32_t Size)
{
  if (Size != 0 || !FParentChart)
    return Size;
  FParentChart->PrepareFont3D(AShape->Font());
  TCanvas3D* C = FParentChart->InternalCanvas();
  const int32_t H = C->TextHeight(QStringLiteral("W"));
  const bool Along = FHorizontal ? Angle % 180 == 0 : (Angle == 90 || Angle == 270);
  int32_t Result;
  if (Along)
    Result = H;
  else {
    int32_t W;
    if (Text.isEmpty())
      W = MaxLabelsWidth();
    else if (AShape->TextFormat() == ttfHtml) {
      int32_t Lines = 0;
      W = FParentChart->MultiLineTextWidth(Text, Lines, ttfHtml);
    } else
      W = C->TextWidth(Text);
    const double A = Angle * DegToRad;
    Result = FHorizontal ? PixelRound(std::fabs(std::sin(A)) * W) + H : PixelRound(std::fabs(std::cos(A)) * W);
  }
  if (!AShape->Transparent()) {
    TAxisLabelsFormat* F = LabelsFormat();
    if (F->Frame()->Visible())
      Result += 2 * F->Frame()->Width();
    if (F->ShadowIfAny() && F->ShadowIfAny()->ShouldDraw())
      Result += std::abs(F->ShadowIfAny()->Size());
  }
  return Result;
}

int32_t TChartAxis::SizeLabels()
{
  if (FLabels->IHeightFactor == 0) {
    FLabels->IHeightFactor = 1;
    if (FHorizontal && FLabels->Angle() == 0 && FAxisItems->Automatic() && FParentChart) {
      const TAxisLabelStyle Style = CalcLabelStyle();
      if (Style == talValue) {
        int32_t W = 0, Lines = 0;
        MaxLabelsValue(W, Lines);
        FLabels->IHeightFactor = std::max(1, Lines);
      } else if (Style != talNone) {
        CalcAllSeries();
        for (TChartSeries* S : ISeriesList) {
          S->CalcFirstLastVisibleIndex();
          for (int32_t I = std::max(0, S->FirstValueIndex()); I >= 0 && I <= S->LastValueIndex(); ++I) {
            const double V = S->XValue(I);
            if (V < IMinimum || V > IMaximum)
              continue;
            FLabels->IHeightFactor = std::max(FLabels->IHeightFactor, FParentChart->LinesOfText(S->XLabel(I)));
          }
        }
        ISeriesList.clear();
      }
    }
  }
  int32_t Result =
      InternalCalcSize(LabelsFormat(), FLabels->Angle(), String(), FLabels->Size()) * FLabels->IHeightFactor;
  if (FLabels->Alternate())
    Result *= 2;
  return Result;
}

int32_t TChartAxis::MaxImageWidth()
{
  // Point pictures come with the series' per-point lists; without them no
  // label carries a picture.
  return 0;
}

void TChartAxis::AssignToSub(TChartAxis* Axis)
{
  Axis->FHorizontal = FHorizontal;
  Axis->FOtherSide = FOtherSide;
  Axis->FInverted = FInverted;
  Axis->FLogarithmic = FLogarithmic;
  Axis->FLogarithmicBase = FLogarithmicBase;
}

std::vector<TChartAxis*> TChartAxis::PreparedSubAxes()
{
  std::vector<TChartAxis*> Result;
  if (FSubAxes)
    for (int32_t I = 0; I < FSubAxes->Count(); ++I) {
      TChartAxis* Sub = FSubAxes->Get(I);
      if (!Sub->Visible())
        continue;
      AssignToSub(Sub);
      Sub->SetCalcPosValue();
      Result.push_back(Sub);
    }
  return Result;
}

void TChartAxis::CalcRect(TRect& R, bool InflateChartRectangle)
{
  for (TChartAxis* Sub : PreparedSubAxes()) {
    Sub->CalcRect(R, true);
    Sub->FPosAxis = ApplyPosition(GetRectangleEdge(R), R);
  }
  IAxisDateTime = IsDateTime();
  if (!InflateChartRectangle) {
    FPosAxis = ApplyPosition(GetRectangleEdge(R), R);
    FPosLabels = InflateAxisPos(FPosAxis, SizeTickAxis(true));
    FPosTitle = InflateAxisPos(FPosLabels, FLabels->Visible() ? SizeLabels() : 0);
    return;
  }
  if (IExtraSpace > 0)
    InflateAxisRect(R, IExtraSpace);
  if (IDepthAxis)
    FPosTitle = FOtherSide ? R.Right : R.Left;
  else if (FAxisTitle && FAxisTitle->Visible() && !FAxisTitle->Caption().isEmpty()) {
    InflateAxisRect(R, InternalCalcSize(FAxisTitle.get(), FAxisTitle->Angle(), FAxisTitle->Caption(), FTitleSize));
    FPosTitle = GetRectangleEdge(R);
  }
  if (FLabels->Visible()) {
    FLabels->IHeightFactor = 0;
    int32_t S = SizeLabels();
    if (FLabels->UseImages())
      S += FHorizontal ? FLabels->IMaxImageHeight : MaxImageWidth();
    if (FParentChart && FParentChart->Axes().CalcPosLabels)
      S = FParentChart->Axes().CalcPosLabels(this, S);
    InflateAxisRect(R, S);
    const int32_t H = FParentChart ? FParentChart->InternalCanvas()->TextHeight(QStringLiteral("W")) : 0;
    FPosLabels = InflateAxisPos(GetRectangleEdge(R), PixelRound(H * FLabels->MarginToAxis() * 0.01));
  }
  const int32_t Room =
      (FParentChart ? FParentChart->CalcWallSize(this) : 0) + SizeTickAxis(FLabels->Position() == lpAtTick);
  if (Room > 0)
    InflateAxisRect(R, Room);
  FPosTitle = ApplyPosition(FPosTitle, R);
  FPosLabels = ApplyPosition(FPosLabels, R);
}

// ---------------------------------------------------------------------------
// Drawing

int32_t TChartAxis::DepthAxisAlign() const { return FOtherSide ? TA_LEFT : TA_RIGHT; }

int32_t TChartAxis::DepthAxisPos() const
{
  const TRect& R = FParentChart->ChartRect;
  return FOtherSide ? R.Bottom - CalcZPos() : R.Top + CalcZPos();
}

void TChartAxis::Draw(bool CalcPosAxis)
{
  if (!FParentChart)
    return;
  TCanvas3D* C = FParentChart->InternalCanvas();
  const TEntity Entity(C, IAxisID, Transform.get());
  IAxisDateTime = FMaster ? FMaster->IAxisDateTime : IsDateTime();
  const TRect& ChartR = FParentChart->ChartRect;
  if (CalcPosAxis)
    FPosAxis = ApplyPosition(GetRectangleEdge(ChartR), ChartR);
  if (FShape && FShape->Visible()) {
    TAxisLabelsFormat* F = LabelsFormat();
    int32_t B = SizeLabels() + (FHorizontal ? F->Margins()->VertSize() : F->Margins()->HorizSize()) + 3;
    const int32_t Ticks = SizeTickAxis(true);
    if (FLabels->Position() == lpAtTick)
      B += Ticks;
    else
      B = std::max(B, Ticks - 2);
    const int32_t Outer = InflateAxisPos(FPosAxis, B);
    const int32_t A0 = std::min(FPosAxis, Outer), A1 = std::max(FPosAxis, Outer);
    const TRect R = FHorizontal ? TRect{IStartPos, A0, IEndPos, A1} : TRect{A0, IStartPos, A1, IEndPos};
    FShape->ShapeBounds = R;
    FShape->Draw(FParentChart, R, 0, IZPos);
  }
  if (FAxisTitle && FAxisTitle->Visible() && !FAxisTitle->Caption().isEmpty()) {
    if (IDepthAxis)
      DrawTitle(FPosTitle, DepthAxisPos());
    else {
      int32_t T = ICenterPos;
      if (FAxisTitle->Position() != tpCenter) {
        FAxisTitle->SetText(FAxisTitle->Text());
        FAxisTitle->CalcBounds(FParentChart);
        const int32_t Half = FAxisTitle->Width() / 2;
        bool AtStart = FAxisTitle->Position() == tpStart;
        if ((FHorizontal && FInverted) || (!FHorizontal && !FInverted))
          AtStart = !AtStart;
        T = AtStart ? IStartPos + Half : IEndPos - Half;
      }
      if (FHorizontal)
        DrawTitle(T, FPosTitle);
      else
        DrawTitle(FPosTitle, T);
    }
  }
  DoDrawLabels();
  DrawTicksAndGrid();
  if (FLabels->Visible() && !FLabels->Behind()) {
    const TEntity Labels(C, QStringLiteral("Labels"));
    DrawItems();
  }
  for (TChartAxis* Sub : PreparedSubAxes()) {
    Sub->IStartPos = IStartPos;
    Sub->IEndPos = IEndPos;
    Sub->RecalcSizeCenter();
    Sub->Draw(false);
  }
}

void TChartAxis::DrawItems()
{
  IAlternateRow = 0;
  for (int32_t I = 0; I < FAxisItems->Count(); ++I) {
    TAxisItem* Item = FAxisItems->Get(I);
    const bool InScale = Item->Value() >= IMinimum && Item->Value() <= IMaximum;
    TAxisLabelsFormat* F = Item->ActiveFormat();
    if ((InScale || FAxisItems->IDrawAll) && F && F->Visible()) {
      const String Text = Item->Text().isEmpty() && !FAxisItems->Automatic() ? LabelValue(Item->Value()) : Item->Text();
      DrawThisLabel(Item->LabelPos(), Text, Item->FormatIfAny(), I, Item->Picture());
    }
  }
}

void TChartAxis::DrawThisLabel(int32_t Pos, const String& Text, TCustomTextShape* Format, int32_t ItemIndex,
                               TZuzPicture* Picture)
{
  TCanvas3D* C = FParentChart->InternalCanvas();
  FParentChart->PrepareFont3D(Format ? Format->Font() : FLabels->Font());
  const int32_t Angle = FLabels->Angle();
  if (IDepthAxis) {
    C->SetTextAlign(DepthAxisAlign());
    int32_t P = Pos;
    const int32_t H = C->TextHeight(QStringLiteral("W"));
    if (FParentChart->View3DOptions()->Orthogonal() || FParentChart->View3DOptions()->Rotation() == 360)
      P += H / 2;
    const int32_t X = FOtherSide ? FPosLabels : FPosLabels - C->TextWidth(QStringLiteral("W")) / 2 - 2;
    DrawAxisLabel(X, DepthAxisPos(), Angle, Text, Format, ItemIndex, Picture, P);
    return;
  }
  int32_t Across = FPosLabels;
  if (FLabels->Alternate()) {
    // Every second label one row further out: the first of a pass on the
    // inner row along a horizontal axis, on the outer row along a vertical
    // one.
    const bool Outer = FHorizontal ? (IAlternateRow % 2 == 1) : (IAlternateRow % 2 == 0);
    if (Outer)
      Across = InflateAxisPos(Across, FHorizontal ? C->TextHeight(QStringLiteral("W")) : MaxLabelsWidth());
    ++IAlternateRow;
  }
  if (FHorizontal)
    DrawAxisLabel(Pos, Across, Angle, Text, Format, ItemIndex, Picture);
  else
    DrawAxisLabel(Across, Pos, Angle, Text, Format, ItemIndex, Picture);
}

void TChartAxis::DrawAxisLabel(int32_t X, int32_t Y, int32_t Angle, const String& Text, TCustomTextShape* Format,
                               int32_t ItemIndex, TZuzPicture* Picture, int32_t Z)
{
  TCustomAxisPanel* Chart = FParentChart;
  TCanvas3D* C = Chart->InternalCanvas();
  const int32_t H = C->TextHeight(QStringLiteral("W"));
  Angle = ((Angle % 360) + 360) % 360;
  const bool Left = !FHorizontal && !FOtherSide;
  enum { Centre, RightAligned, LeftAligned } Align = Centre;
  bool BottomAligned = false;
  if (FLabels->Align() == alCenter)
    X -= SizeLabels() / 2;
  else if (FHorizontal || FLabels->Align() == alDefault) {
    if (FHorizontal)
      BottomAligned = FOtherSide;
    else
      Align = Left ? RightAligned : LeftAligned;
  } else {
    // Opposite: the labels start at the far edge of their room.
    X = InflateAxisPos(X, SizeLabels());
    Align = Left ? LeftAligned : RightAligned;
  }
  if (!FHorizontal && !IDepthAxis)
    Y -= H / 2;
  if (!IDepthAxis)
    Z = IZPos;
  TCustomTextShape* F = Format ? Format : LabelsFormat();
  F->SetText(Text);
  F->ShapeBounds = TRect{0, 0, 0, 0};
  F->CalcBounds(Chart);
  const int32_t W = F->Width(), Ht = F->Height();
  int32_t Lines = 1;
  if (F->TextFormat() == ttfHtml)
    Lines = std::max(1, Chart->LinesOfText(Text));
  else
    Lines = static_cast<int32_t>(Text.count(ZuzTextLineBreak)) + 1;
  double OffX = 0, OffY = 0;
  if (FLabels->Exponent()) {
    if (FHorizontal) {
      OffX = W * 0.1;
      OffY = Ht * 0.5;
    } else
      OffY = Ht * 0.125;
  }
  Y -= FHorizontal ? H : PixelRound(H * 0.5 * (Lines + 1));
  TRect R;
  R.Left = X - PixelRound(OffX);
  R.Top = PixelRound(OffY) + Y + H;
  if (BottomAligned)
    R.Top -= H * Lines;
  R.Right = R.Left + W;
  R.Bottom = R.Top + Ht;
  if (Align == RightAligned) {
    R.Left -= W;
    R.Right -= W;
  } else if (Align == Centre) {
    if (!FHorizontal && FOtherSide && FLabels->Align() == alCenter)
      R.Left += SizeLabels() - W / 2;
    else
      R.Left = X - W / 2;
    R.Right = R.Left + W;
  }
  if (Angle % 180 != 0) {
    const double A = Angle * DegToRad;
    double Half = R.Width() * 0.5;
    if (FOtherSide)
      Half -= Ht * 0.25;
    if (FHorizontal) {
      double D = std::fabs(std::sin(A)) * Half;
      if (FOtherSide)
        D = -D;
      else if (Lines == 1)
        D += Ht;
      R.Top = Y + PixelRound(D);
      int32_t Shift;
      if (FLabels->Align() == alCenter)
        Shift = PixelRound(std::fabs(std::sin(A)) * (Ht + Half));
      else {
        Shift = PixelRound(std::cos(A) * Half);
        if (FOtherSide ? Angle > 180 : Angle < 180)
          Shift = -Shift;
      }
      R.Left += Shift;
    } else
      R.Left = X - PixelRound(W * 0.5) + (FOtherSide ? Ht : -Ht);
    R.Right = R.Left + W;
    R.Bottom = R.Top + Ht;
  }
  if (Chart->View3D()) {
    const TPoint P = C->Calculate3DPosition(R.Left, R.Top, Z);
    R = TRect{P.X, P.Y, P.X + W, P.Y + Ht};
  }
  if (ItemIndex >= 0 && ItemIndex < FAxisItems->Count())
    if (TAxisLabelsFormat* Own = FAxisItems->Get(ItemIndex)->FormatIfAny())
      Own->ShapeBounds = R;
  String Drawn = Text;
  if (OnDrawLabel) {
    bool DrawLabel = true;
    int32_t LX = R.Left, LY = R.Top, LZ = Z;
    OnDrawLabel(this, LX, LY, LZ, Drawn, DrawLabel);
    if (!DrawLabel)
      return;
    R = TRect{LX, LY, LX + W, LY + Ht};
    Z = LZ;
    if (Drawn != Text)
      F->SetText(Drawn);
  }
  if (FShape && FShape->Visible() && !FShape->Transparent() && !Chart->View3D()) {
    const TRect& S = FShape->ShapeBounds;
    if (R.Right < S.Left || R.Left > S.Right || R.Bottom < S.Top || R.Top > S.Bottom)
      return;
  }
  const qsizetype E = Drawn.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive);
  if (FLabels->Exponent() && E > 0) {
    // The exponent as a superscript after the mantissa.
    const String Mantissa = Drawn.left(E), Exponent = Drawn.mid(E + 1);
    F->SetText(Mantissa);
    F->Draw(Chart, R, Angle, Z);
    const float Size = F->Font()->SizeFloat();
    C->AssignFontSize(F->Font(), Size * 0.75f);
    const int32_t MW = C->TextWidth(Mantissa);
    const int32_t EX = Align == LeftAligned
                           ? R.Left + MW + 1
                           : (R.Left + R.Right) / 2 + MW / 2 + (Align == Centre ? C->TextWidth(Exponent) / 2 : 0);
    C->SetTextAlign(TA_LEFT);
    C->TextOut(EX, R.Top - (H / 2 - 2), Exponent);
    F->SetText(Drawn);
  } else
    F->Draw(Chart, R, Angle, Z);
  if (FLabels->UseImages() && Picture && Picture->Graphic()) {
    TGraphic* G = Picture->Graphic();
    const int32_t PW = G->Width(), PH = G->Height();
    TRect P;
    if (FHorizontal) {
      const int32_t CX = (R.Left + R.Right) / 2;
      P = FOtherSide ? TRect{CX - PW / 2, R.Top - PH, CX - PW / 2 + PW, R.Top}
                     : TRect{CX - PW / 2, R.Bottom, CX - PW / 2 + PW, R.Bottom + PH};
    } else {
      const int32_t CY = (R.Top + R.Bottom) / 2;
      P = FOtherSide ? TRect{R.Right, CY - PH / 2, R.Right + PW, CY - PH / 2 + PH}
                     : TRect{R.Left - PW, CY - PH / 2, R.Left, CY - PH / 2 + PH};
    }
    C->StretchDraw(P, G);
  }
}

void TChartAxis::DrawTitle(int32_t X, int32_t Y)
{
  TCustomAxisPanel* Chart = FParentChart;
  TCanvas3D* C = Chart->InternalCanvas();
  TChartAxisTitle* T = Title();
  const TEntity Entity(C, QStringLiteral("Title"), T->Transform.get());
  Chart->PrepareFont3D(T->Font());
  C->SetBackMode(cbmTransparent);
  if (IDepthAxis) {
    C->SetTextAlign(DepthAxisAlign());
    C->RotateLabel3D(X, Y, Chart->Width3D() / 2, T->Caption(), T->Angle());
    return;
  }
  if (!Chart->View3D() || Chart->View3DOptions()->Orthogonal()) {
    T->ShapeBounds = TRect{0, 0, 0, 0};
    T->CalcBounds(Chart);
    const int32_t W = T->Width(), H = T->Height();
    TZuzShadow* Shadow = T->ShadowIfAny();
    const int32_t ShadowV = Shadow && Shadow->Visible() ? Shadow->VertSize() : 0;
    int32_t Left, Top;
    if (FHorizontal) {
      Left = X - W / 2;
      Top = Y;
      if (T->Angle() == 90)
        Top += FOtherSide ? -H : H;
      if (FOtherSide)
        Top -= H + ShadowV;
    } else {
      const int32_t Half = H / 2;
      const int32_t Off = FOtherSide ? Half : -Half - ShadowV;
      const double SinA = std::fabs(std::sin(T->Angle() * DegToRad));
      const double S = FOtherSide ? SinA : 2 - SinA;
      Left = X + Off - PixelRound(W * S * 0.5);
      Top = Y - Half;
    }
    const TPoint P = C->Calculate3DPosition(Left, Top, IZPos);
    T->ShapeBounds = TRect{P.X, P.Y, P.X + W, P.Y + H};
    T->Draw(Chart, T->ShapeBounds, T->Angle(), IZPos);
    return;
  }
  const bool Exponent = FLabels->Exponent();
  FLabels->SetExponent(false);
  const auto Restore = qScopeGuard([&] { FLabels->SetExponent(Exponent); });
  DrawAxisLabel(X, Y, T->Angle(), T->Caption(), T, -1, nullptr, IZPos);
}

void TChartAxis::DrawLineSegment(int32_t StartPos, int32_t EndPos)
{
  TCustomAxisPanel* Chart = FParentChart;
  TCanvas3D* C = Chart->InternalCanvas();
  const int32_t PenWidth = FAxis->Width();
  const int32_t Off = IWallSize + PenWidth / 2;
  const bool In3D = Chart->View3D();
  const TPenLineMode Mode = FAxis->LineMode();
  // A thick line drawn as a solid along the axis.
  const auto Solid = [&](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    const int32_t Half = std::max(1, PenWidth / 2);
    if (Mode == lmCylinder)
      C->Cylinder(X0 != X1 ? false : true, std::min(X0, X1) - (X0 == X1 ? Half : 0),
                  std::min(Y0, Y1) - (Y0 == Y1 ? Half : 0), std::max(X0, X1) + (X0 == X1 ? Half : 0),
                  std::max(Y0, Y1) + (Y0 == Y1 ? Half : 0), IZPos - Half, IZPos + Half, true);
    else
      C->Cube(std::min(X0, X1) - (X0 == X1 ? Half : 0), std::max(X0, X1) + (X0 == X1 ? Half : 0),
              std::min(Y0, Y1) - (Y0 == Y1 ? Half : 0), std::max(Y0, Y1) + (Y0 == Y1 ? Half : 0), IZPos - Half,
              IZPos + Half, true);
  };
  const auto Line = [&](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    if (In3D && Mode != lmLine)
      Solid(X0, Y0, X1, Y1);
    else if (In3D)
      C->LineWithZ(X0, Y0, X1, Y1, IZPos);
    else if (Y0 == Y1)
      C->DoHorizLine(X0, X1, Y0);
    else
      C->DoVertLine(X0, Y0, Y1);
  };
  if (IDepthAxis) {
    if (!In3D)
      return;
    const int32_t Y = FOtherSide ? Chart->CalcWallSize(Chart->BottomAxis()) + Chart->ChartRect.Bottom - IZPos
                                 : Chart->ChartRect.Top - IZPos;
    C->ZLine3D(FPosAxis, Y, StartPos, EndPos);
    return;
  }
  if (FHorizontal) {
    if (FOtherSide)
      Line(StartPos, FPosAxis, EndPos, FPosAxis);
    else
      Line(StartPos - Chart->CalcWallSize(Chart->LeftAxis()), FPosAxis + Off,
           EndPos + Chart->CalcWallSize(Chart->RightAxis()), FPosAxis + Off);
  } else {
    const int32_t X = FOtherSide ? FPosAxis + Off : FPosAxis - Off;
    Line(X, StartPos, X, EndPos + Chart->CalcWallSize(Chart->BottomAxis()));
  }
}

void TChartAxis::DrawTicks(const std::vector<int32_t>& Ticks, int32_t Offset, int32_t Length)
{
  TCustomAxisPanel* Chart = FParentChart;
  TCanvas3D* C = Chart->InternalCanvas();
  const bool In3D = Chart->View3D();
  const int32_t PenWidth = FAxis->Width();
  for (const int32_t P : Ticks) {
    if (IDepthAxis) {
      const int32_t X0 = FOtherSide ? FPosAxis + Offset : FPosAxis - Offset;
      const int32_t X1 = FOtherSide ? FPosAxis + Offset + Length : FPosAxis - Offset - Length;
      C->HorizLine3D(X0, X1, DepthAxisPos(), P);
      continue;
    }
    int32_t A, B;
    if (FHorizontal) {
      if (FOtherSide) {
        A = FPosAxis - Offset;
        B = A - Length;
      } else {
        A = FPosAxis + Offset + IWallSize + PenWidth - 1;
        B = A + Length;
      }
      if (In3D)
        C->VertLine3D(P, A, B, IZPos);
      else
        C->DoVertLine(P, A, B);
    } else {
      if (FOtherSide) {
        A = FPosAxis + Offset + IWallSize;
        B = A + Length;
      } else {
        A = FPosAxis - Offset - IWallSize - PenWidth + 1;
        B = A - Length;
      }
      if (In3D)
        C->HorizLine3D(A, B, P, IZPos);
      else
        C->DoHorizLine(A, B, P);
    }
  }
}

void TChartAxis::DrawGridLine(int32_t Pos)
{
  if (!(IStartPos < Pos && Pos < IEndPos))
    return;
  TCustomAxisPanel* Chart = FParentChart;
  TCanvas3D* C = Chart->InternalCanvas();
  const TRect& R = Chart->ChartRect;
  if (IDepthAxis) {
    C->VertLine3D(R.Left, R.Top, R.Bottom, Pos);
    C->HorizLine3D(R.Left, R.Right, R.Bottom, Pos);
    return;
  }
  int32_t A, B;
  if (FUsePartnerAxis && FPartnerAxis) {
    A = FPartnerAxis->CalcPosValue(FPartnerAxis->Maximum());
    B = FPartnerAxis->CalcPosValue(FPartnerAxis->Minimum());
    if (FPartnerAxis->Inverted())
      std::swap(A, B);
  } else if (FHorizontal) {
    A = R.Top;
    B = R.Bottom;
  } else {
    A = R.Right;
    B = R.Left;
  }
  const auto Line = [&](int32_t Z) {
    if (FHorizontal)
      C->VertLine3D(Pos, A, B, Z);
    else
      C->HorizLine3D(A, B, Pos, Z);
  };
  if (!Chart->View3D()) {
    if (FHorizontal)
      C->DoVertLine(Pos, A, B);
    else
      C->DoHorizLine(A, B, Pos);
    return;
  }
  if (!Chart->AxisBehind()) {
    Line(0);
    return;
  }
  const int32_t Depth = Chart->Width3D();
  if (!IHideBackGrid)
    Line(Depth);
  if (!IHideSideGrid) {
    const int32_t Z0 = PixelRound(Depth * FGrid->ZPosition() * 0.01);
    if (Z0 != Depth) {
      if (FHorizontal)
        C->ZLine3D(Pos, FPosAxis, Z0, Depth);
      else
        C->ZLine3D(FPosAxis, Pos, Z0, Depth);
    }
  }
}

void TChartAxis::DrawGrids(int32_t NumTicks)
{
  if (OnDrawGrids)
    OnDrawGrids(this);
  if (!FGrid->Visible())
    return;
  TCanvas3D* C = FParentChart->InternalCanvas();
  const TEntity Entity(C, QStringLiteral("Grid"));
  C->SetBackMode(cbmTransparent);
  C->Brush()->SetStyle(bsClear);
  C->AssignVisiblePenColor(FGrid.get(), FGrid->Color() == clDefault ? TColor(0x808080) : FGrid->Color());
  const int32_t Every = std::max(1, FGrid->DrawEvery());
  NumTicks = std::min<int32_t>(NumTicks, static_cast<int32_t>(Tick.size()));
  if (FGrid->Centered()) {
    for (int32_t I = 1; I < NumTicks; ++I)
      if (I % Every == 0)
        DrawGridLine(PixelRound((Tick[I] + Tick[I - 1]) * 0.5));
  } else
    for (int32_t I = 0; I < NumTicks; ++I)
      if (I % Every == 0)
        DrawGridLine(Tick[I]);
}

void TChartAxis::DrawMinorMarks(bool Grid)
{
  std::vector<int32_t> Marks;
  const auto Add = [&](int32_t P) {
    if (IStartPos < P && P < IEndPos)
      Marks.push_back(P);
  };
  const int32_t Count = FMinorTickCount;
  const int32_t N = static_cast<int32_t>(Tick.size());
  if (!FLogarithmic) {
    const double F = 1.0 / (Count + 1);
    for (int32_t I = 1; I < N; ++I)
      for (int32_t K = 1; K <= Count; ++K)
        Add(Tick[I] - PixelRound(K * (Tick[I] - Tick[I - 1]) * F));
    if (N >= 2) {
      const int32_t D = Tick[1] - Tick[0];
      for (int32_t K = 1; K <= Count; ++K) {
        Add(Tick[0] - PixelRound(K * D * F));
        Add(Tick[N - 1] + PixelRound(K * D * F));
      }
    }
  } else if (N > 0) {
    std::vector<double> Decades;
    const auto Decade = [&](double V) {
      if (std::find(Decades.begin(), Decades.end(), V) == Decades.end())
        Decades.push_back(V);
    };
    const double Last = CalcPosPoint(Tick[N - 1]);
    Decade(Last / FLogarithmicBase);
    for (int32_t I = 0; I < N - 2; ++I)
      Decade(CalcPosPoint(Tick[I]));
    Decade(Last);
    for (const double V : Decades)
      for (int32_t K = 1; K <= Count; ++K) {
        const double M = V + K * (V * FLogarithmicBase - V) / (Count + 1);
        if (M >= IMinimum && M <= IMaximum)
          Add(CalcPosValue(M));
      }
  }
  if (Grid) {
    for (const int32_t P : Marks)
      DrawGridLine(P);
  } else
    DrawTicks(Marks, 1, FMinorTickLength);
}

void TChartAxis::DrawTicksAndGrid()
{
  TCustomAxisPanel* Chart = FParentChart;
  TCanvas3D* C = Chart->InternalCanvas();
  C->Brush()->SetStyle(bsClear);
  C->SetBackMode(cbmTransparent);
  IWallSize = Chart->CalcWallSize(this);
  if (FAxis->Visible()) {
    C->AssignVisiblePen(FAxis.get());
    if (FAxis->LineMode() != lmLine) {
      C->Pen()->SetStyle(psClear);
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(FAxis->Color());
    }
    if (OnDrawAxis)
      OnDrawAxis(this);
    else
      DrawLineSegment(IStartPos, IEndPos);
  }
  if (FTickLength != 0 && FTicks->Visible()) {
    const TEntity Entity(C, QStringLiteral("Ticks"));
    C->AssignVisiblePen(FTicks.get());
    DrawTicks(Tick, 1, FTickLength);
  }
  DrawGrids(static_cast<int32_t>(Tick.size()));
  if (FTickInnerLength != 0 && FTicksInner->Visible()) {
    const TEntity Entity(C, QStringLiteral("InnerTicks"));
    C->AssignVisiblePen(FTicksInner.get());
    DrawTicks(Tick, -1, -FTickInnerLength);
  }
  if (FMinorTickLength != 0 && FMinorTicks->Visible()) {
    {
      const TEntity Entity(C, QStringLiteral("MinorTicks"));
      C->AssignVisiblePen(FMinorTicks.get());
      DrawMinorMarks(false);
    }
    if (FMinorGrid->Visible()) {
      C->AssignVisiblePen(FMinorGrid.get());
      DrawMinorMarks(true);
    }
  }
  C->SetBackMode(cbmOpaque);
}

// ---------------------------------------------------------------------------
// Drawing at given places

void TChartAxis::CustomDrawMinMaxStartEnd(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible,
                                          double AMinimum, double AMaximum, double AIncrement, int32_t AStartPos,
                                          int32_t AEndPos)
{
  const double OldMin = FMinimumValue, OldMax = FMaximumValue, OldIncrement = FDesiredIncrement;
  const bool OldAuto = FAutomatic, OldAutoMin = FAutomaticMinimum, OldAutoMax = FAutomaticMaximum;
  const auto Restore = qScopeGuard([&] {
    FMinimumValue = OldMin;
    FMaximumValue = OldMax;
    FDesiredIncrement = OldIncrement;
    FAutomatic = OldAuto;
    FAutomaticMinimum = OldAutoMin;
    FAutomaticMaximum = OldAutoMax;
    IMinimum = OldMin;
    IMaximum = OldMax;
    InternalCalcRange();
  });
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  FMinimumValue = AMinimum;
  FMaximumValue = AMaximum;
  FDesiredIncrement = AIncrement;
  IMinimum = AMinimum;
  IMaximum = AMaximum;
  InternalCalcRange();
  CustomDrawStartEnd(APosLabels, APosTitle, APosAxis, GridVisible, AStartPos, AEndPos);
}

void TChartAxis::CustomDrawMinMax(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible,
                                  double AMinimum, double AMaximum, double AIncrement)
{
  CustomDrawMinMaxStartEnd(APosLabels, APosTitle, APosAxis, GridVisible, AMinimum, AMaximum, AIncrement, IStartPos,
                           IEndPos);
}

void TChartAxis::CustomDraw(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible)
{
  InternalCalcPositions();
  CustomDrawStartEnd(APosLabels, APosTitle, APosAxis, GridVisible, IStartPos, IEndPos);
}

void TChartAxis::CustomDrawStartEnd(int32_t APosLabels, int32_t APosTitle, int32_t APosAxis, bool GridVisible,
                                    int32_t AStartPos, int32_t AEndPos)
{
  FPosLabels = APosLabels;
  FPosTitle = APosTitle;
  FPosAxis = APosAxis;
  IStartPos = AStartPos;
  IEndPos = AEndPos;
  RecalcSizeCenter();
  const bool OldVisible = FGrid->Visible();
  TNotifyEvent OldChange = FGrid->OnChange;
  FGrid->OnChange = nullptr;
  FGrid->SetVisible(GridVisible);
  const auto Restore = qScopeGuard([&] {
    FGrid->SetVisible(OldVisible);
    FGrid->OnChange = OldChange;
    InternalCalcPositions();
  });
  Draw(false);
}

// ---------------------------------------------------------------------------
// Hit test

TRect TChartAxis::AxisRect() const
{
  const int32_t A0 = std::min(IStartPos, IEndPos), A1 = std::max(IStartPos, IEndPos);
  int32_t B0 = FPosAxis, B1 = FPosAxis;
  if (FLabels->Visible()) {
    if (FPosLabels < FPosAxis) {
      B0 = FPosLabels;
      B1 = FPosAxis + AxisClickTolerance;
    } else {
      B0 = FPosAxis - AxisClickTolerance;
      B1 = FPosLabels;
    }
  }
  return FHorizontal ? TRect{A0, B0, A1, B1} : TRect{B0, A0, B1, A1};
}

bool TChartAxis::Clicked(const TPoint& P)
{
  if (!FParentChart || !FParentChart->IsAxisVisible(this))
    return false;
  TRect R = AxisRect();
  if (FParentChart->View3D())
    R = FParentChart->InternalCanvas()->CalcRect3D(R, FOtherSide ? FParentChart->Width3D() : 0);
  return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}
