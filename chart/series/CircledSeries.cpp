#include "chart/series/CircledSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/CustomChart.h"
#include "chart/core/SeriesList.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzConst.h"
#include "chart/series/SeriesClass.h"
#include "platform/CanvasMath.h"
#include "platform/Published.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
[[maybe_unused]] const TClassInfo& FrameBrushClass = PublishClass<TFrameBrush>(
    "TFrameBrush", "TZuzBrush",
    {PropFloat("Size", &TFrameBrush::Size, &TFrameBrush::SetSize).Stored(&TFrameBrush::IsSizeStored)});

using FB = TFramedBorder;
[[maybe_unused]] const TClassInfo& FramedBorderClass =
    PublishClass<FB>("TFramedBorder", "TZuzCustomShapeBrushPen",
                     {
                         PropBool("Circled", &FB::Circled, &FB::SetCircled).Stored(&FB::IsCircledStored),
                         PropObj("Emboss", &FB::Emboss, &FB::SetEmboss),
                         PropObj("InnerBrush", &FB::InnerBrush, &FB::SetInnerBrush),
                         PropObj("MiddleBrush", &FB::MiddleBrush, &FB::SetMiddleBrush),
                         PropObj("OuterBrush", &FB::OuterBrush, &FB::SetOuterBrush),
                         PropObj("Shadow", &FB::Shadow, &FB::SetShadow),
                         PropInt("Width", &FB::Width, &FB::SetWidth, 10),
                     });

[[maybe_unused]] const TClassInfo& CircularFrameClass = PublishClass<TCircularFrame>(
    "TCircularFrame", "TFramedBorder",
    {
        PropInt("RotationAngle", &TCircularFrame::RotationAngle, &TCircularFrame::SetRotationAngle, 0),
        PropInt("TotalAngle", &TCircularFrame::TotalAngle, &TCircularFrame::SetTotalAngle, 360),
    });

using CS = TCircledSeries;
[[maybe_unused]] const TClassInfo& CircledClass =
    PublishClass<CS>("TCircledSeries", "TChartSeries",
                     {
                         PropBool("Circled", &CS::Circled, &CS::SetCircled, true),
                         PropInt("CustomXRadius", &CS::CustomXRadius, &CS::SetCustomXRadius, 0),
                         PropInt("CustomYRadius", &CS::CustomYRadius, &CS::SetCustomYRadius, 0),
                         PropObj("Emboss", &CS::Emboss, &CS::SetEmboss),
                         PropObj("Shadow", &CS::Shadow, &CS::SetShadow),
                         PropBool("UniqueCustomRadius", &CS::UniqueCustomRadius, &CS::SetUniqueCustomRadius, true),
                     });

TRect Shrunk(const TRect& R, int32_t D) { return TRect{R.Left + D, R.Top + D, R.Right - D, R.Bottom - D}; }

void SetThreeColours(TZuzGradient* G, TColor Start, TColor Middle, TColor End)
{
  G->SetStartColor(Start);
  G->SetMidColor(Middle);
  G->SetEndColor(End);
  G->SetVisible(true);
}
} // namespace

// ---------------------------------------------------------------------------
// Frame bands

String TFrameBrush::ClassName() const { return QStringLiteral("TFrameBrush"); }

void TFrameBrush::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFrameBrush*>(Source))
    FSize = S->FSize;
  TZuzBrush::Assign(Source);
}

void TFrameBrush::SetSize(float Value)
{
  if (FSize != Value) {
    FSize = Value;
    Changed();
  }
}

void TFrameBrush::InitSize(float Value)
{
  FSize = Value;
  IDefault = Value;
}

TFramedBorder::TFramedBorder(TCustomZuzPanel* AParent) : TZuzCustomShapeBrushPen(AParent)
{
  const TNotifyEvent Changed = [this](TObject*) { Repaint(); };
  FEmboss = std::make_unique<TZuzEmboss>();
  FEmboss->IOnChange = Changed;
  FShadow = std::make_unique<TZuzShadow>(Changed);
  FInner = std::make_unique<TFrameBrush>(Changed);
  FMiddle = std::make_unique<TFrameBrush>(Changed);
  FOuter = std::make_unique<TFrameBrush>(Changed);
  FInner->InitSize(70);
  FMiddle->InitSize(10);
  FOuter->InitSize(20);
  const struct {
    TFrameBrush* Band;
    TColor Colour;
  } Palette[] = {{FInner.get(), 0x0000FF}, {FMiddle.get(), 0x00FFFF}, {FOuter.get(), 0x008000}};
  for (const auto& P : Palette) {
    P.Band->SetBackColor(P.Colour);
    P.Band->Gradient()->SetEndColor(P.Colour);
  }
}

TFramedBorder::~TFramedBorder() = default;

String TFramedBorder::ClassName() const { return QStringLiteral("TFramedBorder"); }

void TFramedBorder::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFramedBorder*>(Source)) {
    FCircled = S->FCircled;
    FInner->Assign(S->FInner.get());
    FMiddle->Assign(S->FMiddle.get());
    FOuter->Assign(S->FOuter.get());
    FEmboss->Assign(S->FEmboss.get());
    FShadow->Assign(S->FShadow.get());
    FWidth = S->FWidth;
  }
  TZuzCustomShapeBrushPen::Assign(Source);
}

void TFramedBorder::SetCircled(bool Value)
{
  if (FCircled != Value) {
    FCircled = Value;
    Repaint();
  }
}

void TFramedBorder::SetDefaultCircled(bool Value)
{
  DefaultCircled = Value;
  SetCircled(Value);
}

void TFramedBorder::SetWidth(int32_t Value)
{
  if (FWidth != Value) {
    FWidth = Value;
    Repaint();
  }
}

void TFramedBorder::SetEmboss(TZuzEmboss* Value) { FEmboss->Assign(Value); }
void TFramedBorder::SetShadow(TZuzShadow* Value) { FShadow->Assign(Value); }
void TFramedBorder::SetInnerBrush(TFrameBrush* Value) { FInner->Assign(Value); }
void TFramedBorder::SetMiddleBrush(TFrameBrush* Value) { FMiddle->Assign(Value); }
void TFramedBorder::SetOuterBrush(TFrameBrush* Value) { FOuter->Assign(Value); }

TCanvas3D* TFramedBorder::Canvas() const { return ParentChart() ? ParentChart()->InternalCanvas() : nullptr; }

float TFramedBorder::CalcWidth(const TRect& R) const
{
  return float(std::min(R.Right - R.Left, R.Bottom - R.Top) * FWidth * 0.01);
}

void TFramedBorder::FillBand(TZuzBrush* Brush, const TRect& R)
{
  if (Brush->Style() == bsClear)
    return;
  TCanvas3D* C = Canvas();
  C->AssignBrush(Brush, Brush->Color(), Brush->BackColor());
  C->Pen()->SetStyle(psClear);
  if (FCircled)
    C->Ellipse(R);
  else
    C->Rectangle(R);
}

void TFramedBorder::DrawEffects(const TRect& R)
{
  TCanvas3D* C = Canvas();
  for (TZuzShadow* S : {static_cast<TZuzShadow*>(FShadow.get()), static_cast<TZuzShadow*>(FEmboss.get())})
    if (S->ShouldDraw()) {
      if (FCircled)
        S->DrawEllipse(C, R, 0, 0, 360);
      else
        S->Draw(C, R, 0, 0);
    }
  C->Pen()->SetStyle(psClear);
}

void TFramedBorder::Draw(const TRect& R)
{
  if (!Canvas())
    return;
  float W = CalcWidth(R);
  DrawEffects(R);
  TRect Work = R;
  bool First = true;
  for (TFrameBrush* Band : {FOuter.get(), FMiddle.get(), FInner.get()}) {
    Work = Shrunk(Work, PixelRound(W * Band->Size() * 0.01));
    FillBand(Band, Work);
    if (First) {
      W = CalcWidth(Work);
      First = false;
    }
  }
  TCanvas3D* C = Canvas();
  C->AssignBrush(Brush(), Brush()->Color());
  if (FCircled)
    C->Ellipse(Work);
  else
    C->Rectangle(Work);
}

TCircularFrame::TCircularFrame(TCustomZuzPanel* AParent) : TFramedBorder(AParent)
{
  INoBrush = true;
  for (TFrameBrush* Band : {InnerBrush(), MiddleBrush(), OuterBrush()}) {
    TZuzGradient* G = Band->Gradient();
    G->SetVisible(true);
    G->SetMidColor(clWhite);
    G->SetStartColor(G->EndColor());
  }
}

String TCircularFrame::ClassName() const { return QStringLiteral("TCircularFrame"); }

void TCircularFrame::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCircularFrame*>(Source)) {
    FRotationAngle = S->FRotationAngle;
    FTotalAngle = S->FTotalAngle;
  }
  TFramedBorder::Assign(Source);
}

void TCircularFrame::SetRotationAngle(int32_t Value)
{
  if (FRotationAngle != Value) {
    FRotationAngle = Value;
    Repaint();
  }
}

void TCircularFrame::SetTotalAngle(int32_t Value)
{
  if (FTotalAngle != Value) {
    FTotalAngle = Value;
    Repaint();
  }
}

void TCircularFrame::FillRing(TZuzBrush* Brush, const TRect& R)
{
  if (Brush->Style() == bsClear)
    return;
  TCanvas3D* C = Canvas();
  C->AssignBrush(Brush, Brush->Color(), Brush->BackColor());
  C->Pen()->SetStyle(psClear);
  if (!Circled()) {
    C->Rectangle(R);
    return;
  }
  if (FTotalAngle == 360) {
    C->Ellipse(R);
    return;
  }
  // An arc of the ring closed by its chord, or through the centre when it
  // spans less than half a turn.
  constexpr int32_t Steps = 64;
  std::vector<TPoint> P;
  const double Start = FRotationAngle + 135.0;
  for (int32_t I = 0; I <= Steps; ++I) {
    const TPointFloat Q = C->PointFromCircle(R, Start + FTotalAngle * double(I) / Steps);
    P.push_back(TPoint{PixelRound(Q.x), PixelRound(Q.y)});
  }
  if (FTotalAngle < 180)
    P.push_back(TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
  C->Polygon(P);
}

void TCircularFrame::Draw(const TRect& R)
{
  if (!Canvas())
    return;
  const float W = CalcWidth(R);
  double Sum = FrameElementWidths[0] + FrameElementWidths[1] + FrameElementWidths[2];
  if (Sum != 100 && Sum != 0)
    for (double& E : FrameElementWidths)
      E = E * 100 / Sum;
  DrawEffects(R);
  TRect Work = R;
  FillRing(OuterBrush(), Work);
  Work = Shrunk(Work, PixelRound(FrameElementWidths[2] * 0.01 * W));
  FillRing(MiddleBrush(), Work);
  Work = Shrunk(Work, PixelRound(FrameElementWidths[1] * 0.01 * W));
  FillRing(InnerBrush(), Work);
}

// ---------------------------------------------------------------------------
// The circled series

TCircledSeries::TCircledSeries(TComponent* AOwner) : TChartSeries(AOwner)
{
  CalcVisiblePoints = false;
  XValues()->SetName(ZuzMsg_ValuesAngle);
  const TNotifyEvent Changed = [this](TObject*) { Repaint(); };
  FCircleBrush = std::make_unique<TZuzBrush>(Changed);
  FEmboss = std::make_unique<TZuzEmboss>();
  FEmboss->IOnChange = Changed;
  FEmboss->InitValues(FEmboss->Visible(), 0xA0A0A0, 3);
  FShadow = std::make_unique<TZuzShadow>(Changed);
  FShadow->InitValues(FShadow->Visible(), 0xA0A0A0, 3);
}

TCircledSeries::~TCircledSeries()
{
  IDestroying = true;
  SetParentProperties(true);
}

String TCircledSeries::ClassName() const { return QStringLiteral("TCircledSeries"); }

template <class F>
void TCircledSeries::ForEachSibling(F Apply)
{
  if (!FParent)
    return;
  for (TChartSeries* S : FParent->SeriesList())
    if (auto* C = dynamic_cast<TCircledSeries*>(S); C && IsClassOrDescendant(this, C))
      Apply(C);
}

void TCircledSeries::SetCircled(bool Value)
{
  SetBooleanProperty(FCircled, Value);
  ForEachSibling([&](TCircledSeries* C) {
    C->FCircled = Value;
    if (!(C->ComponentState() & csLoading)) {
      C->FCustomXRadius = 0;
      C->FCustomYRadius = 0;
    }
  });
}

void TCircledSeries::SetCustomXRadius(int32_t Value)
{
  SetIntegerProperty(FCustomXRadius, Value);
  if (FUniqueCustomRadius)
    ForEachSibling([&](TCircledSeries* C) { C->FCustomXRadius = Value; });
}

void TCircledSeries::SetCustomYRadius(int32_t Value)
{
  SetIntegerProperty(FCustomYRadius, Value);
  if (FUniqueCustomRadius)
    ForEachSibling([&](TCircledSeries* C) { C->FCustomYRadius = Value; });
}

void TCircledSeries::SetUniqueCustomRadius(bool Value)
{
  SetBooleanProperty(FUniqueCustomRadius, Value);
  ForEachSibling([&](TCircledSeries* C) { C->FUniqueCustomRadius = Value; });
}

void TCircledSeries::SetRotationAngle(int32_t Value)
{
  SetIntegerProperty(FRotationAngle, Value % 360);
  IRotDegree = FRotationAngle * std::numbers::pi / 180;
}

void TCircledSeries::Rotate(int32_t Angle) { SetRotationAngle((Angle + FRotationAngle) % 360); }

void TCircledSeries::SetCircleBrush(TZuzBrush* Value) { FCircleBrush->Assign(Value); }
void TCircledSeries::SetCircleBackColor(TColor Value) { FCircleBrush->SetColor(Value); }
void TCircledSeries::SetCircleGradient(TZuzGradient* Value) { FCircleBrush->Gradient()->Assign(Value); }
void TCircledSeries::SetEmboss(TZuzEmboss* Value) { FEmboss->Assign(Value); }
void TCircledSeries::SetShadow(TZuzShadow* Value) { FShadow->Assign(Value); }

TFramedBorder* TCircledSeries::Frame()
{
  if (!FFrame) {
    auto F = std::make_unique<TCircularFrame>(FParent);
    F->SetDefaultCircled(true);
    F->SetWidth(4);
    F->DefaultVisible = false;
    F->SetVisible(false);
    SetThreeColours(F->OuterBrush()->Gradient(), 0xC0C0C0, 0xFFFFFF, 0x404040);
    SetThreeColours(F->MiddleBrush()->Gradient(), 0x808080, 0xFFFFFF, 0x828282);
    SetThreeColours(F->InnerBrush()->Gradient(), 0x404040, 0xFFFFFF, 0x808080);
    FFrame = std::move(F);
  }
  return FFrame.get();
}

void TCircledSeries::SetFrame(TFramedBorder* Value)
{
  if (!Value)
    FFrame.reset();
  else
    Frame()->Assign(Value);
}

void TCircledSeries::AssignFormatting(TChartSeries* Source)
{
  if (auto* S = dynamic_cast<TCircledSeries*>(Source)) {
    FCircled = S->FCircled;
    SetRotationAngle(S->FRotationAngle);
    FCustomXRadius = S->FCustomXRadius;
    FCustomYRadius = S->FCustomYRadius;
    FCircleBrush->Assign(S->FCircleBrush.get());
    FEmboss->Assign(S->FEmboss.get());
    if (S->FFrame)
      Frame()->Assign(S->FFrame.get());
    else
      FFrame.reset();
    FShadow->Assign(S->FShadow.get());
    FUniqueCustomRadius = S->FUniqueCustomRadius;
  }
  TChartSeries::AssignFormatting(Source);
}

void TCircledSeries::SetParentChart(TCustomAxisPanel* Value)
{
  if (!Value)
    SetParentProperties(true);
  if (Value == FParent)
    return;
  TChartSeries::SetParentChart(Value);
  if (FFrame)
    FFrame->SetParent(Value);
  if (Active() && FParent)
    SetParentProperties(false);
}

void TCircledSeries::SetActive(bool Value)
{
  TChartSeries::SetActive(Value);
  SetParentProperties(!Active());
}

void TCircledSeries::SetParentProperties(bool Restore)
{
  if (!FParent || (FParent->ComponentState() & csDestroying) || !FParent->InternalCanvas() ||
      FParent->InternalCanvas()->SupportsFullRotation() || !FParent->View3DOptions())
    return;
  if (!Restore || (Active() && !IDestroying)) {
    if (!IBack3D) {
      IBack3D = std::make_unique<TView3DOptions>(nullptr);
      IBack3D->Assign(FParent->View3DOptions());
      InitCustom3DOptions(FParent->View3DOptions());
    }
  } else if (IBack3D) {
    FParent->View3DOptions()->Assign(IBack3D.get());
    IBack3D.reset();
  }
}

// ---- Geometry --------------------------------------------------------------------

void TCircledSeries::DoBeforeDrawValues()
{
  TChartSeries::DoBeforeDrawValues();
  FCircleRect = FParent->ChartRect;
  AdjustCircleRect();
  if (Marks()->Visible() && IAdjustCircleForMarks)
    AdjustCircleMarks();
  else
    CheckOtherSeriesMarks();
  if (FCircled)
    CalcCircledRatio();
  CalcRadius();
}

void TCircledSeries::AdjustCircleRect()
{
  TRect& R = FCircleRect;
  if ((R.Right - R.Left) % 2 != 0)
    --R.Right;
  if ((R.Bottom - R.Top) % 2 != 0)
    --R.Bottom;
  if (R.Right - R.Left < 4)
    R.Right = R.Left + 4;
  if (R.Bottom - R.Top < 4)
    R.Bottom = R.Top + 4;
  FCircleWidth = R.Right - R.Left;
  FCircleHeight = R.Bottom - R.Top;
  FCircleXCenter = (R.Left + R.Right) / 2;
  FCircleYCenter = (R.Top + R.Bottom) / 2;
}

void TCircledSeries::AdjustCircleMarks()
{
  TSeriesMarks* M = Marks();
  int32_t L = M->Callout()->Length();
  if (M->Pen()->Visible())
    L += 2 * M->Pen()->Width();
  TCanvas3D* C = FParent->InternalCanvas();
  C->AssignFont(M->Font());
  const String OldText = M->Text();
  M->SetText(QStringLiteral(" "));
  M->CalcBounds(FParent);
  const int32_t H = M->Height();
  M->SetText(OldText);
  const int32_t W = C->TextWidth(QStringLiteral("W")) + FParent->MaxMarkWidth() + L;
  FCircleRect.Top += L + H;
  FCircleRect.Bottom -= L + H;
  FCircleRect.Left += W;
  FCircleRect.Right -= W;
  AdjustCircleRect();
}

void TCircledSeries::CheckOtherSeriesMarks()
{
  if (!FParent)
    return;
  bool After = false;
  for (TChartSeries* S : FParent->SeriesList()) {
    if (S == this) {
      After = true;
      continue;
    }
    auto* C = dynamic_cast<TCircledSeries*>(S);
    if (!C || !S->Active() || !SameClass(S) || !S->MarksIfAny() || !S->MarksIfAny()->Visible())
      continue;
    if (After)
      C->DoBeforeDrawValues();
    SetCircleRect(C->FCircleRect);
    return;
  }
}

void TCircledSeries::CalcCircledRatio()
{
  CalcRadius();
  AdjustScreenRatio(FParent->InternalCanvas(), FXRadius, FYRadius, FCircleRect, false);
  AdjustCircleRect();
}

void TCircledSeries::AdjustScreenRatio(TCanvas3D*, int32_t XRadius, int32_t YRadius, TRect& R, bool)
{
  const double F = 1;
  if (XRadius > PixelRound(YRadius * F)) {
    const int32_t D = XRadius - PixelRound(YRadius * F);
    R.Left += D;
    R.Right -= D;
  } else {
    const int32_t D = YRadius - PixelRound(XRadius / F);
    R.Top += D;
    R.Bottom -= D;
  }
}

void TCircledSeries::CalcRadius()
{
  if (FCustomXRadius != 0) {
    FXRadius = FCustomXRadius;
    FCircleWidth = 2 * FXRadius;
  } else
    FXRadius = FCircleWidth / 2;
  if (FCustomYRadius != 0) {
    FYRadius = FCustomYRadius;
    FCircleHeight = 2 * FYRadius;
  } else
    FYRadius = FCircleHeight / 2;
  FCircleRect =
      TRect{FCircleXCenter - FXRadius, FCircleYCenter - FYRadius, FCircleXCenter + FXRadius, FCircleYCenter + FYRadius};
}

void TCircledSeries::SetCircleRect(const TRect& R)
{
  FCircleRect = R;
  AdjustCircleRect();
  CalcRadius();
}

void TCircledSeries::AngleToPos(double Angle, double AXRadius, double AYRadius, int32_t& X, int32_t& Y) const
{
  X = FCircleXCenter + PixelRound(AXRadius * std::cos(IRotDegree + Angle));
  Y = FCircleYCenter - PixelRound(AYRadius * std::sin(IRotDegree + Angle));
}

TPointFloat TCircledSeries::AngleToPosFloat(double Angle, double AXRadius, double AYRadius) const
{
  return TPointFloat{float(FCircleXCenter + AXRadius * std::cos(IRotDegree + Angle)),
                     float(FCircleYCenter - AYRadius * std::sin(IRotDegree + Angle))};
}

double TCircledSeries::PointToAngle(int32_t X, int32_t Y) const
{
  constexpr double Pi = std::numbers::pi;
  double Result;
  if (X == FCircleXCenter)
    Result = Y > FCircleYCenter ? -Pi / 2 : Pi / 2;
  else if (FXRadius == 0 || FYRadius == 0)
    Result = 0;
  else
    Result = std::atan2(double(FCircleYCenter - Y) / FYRadius, double(X - FCircleXCenter) / FXRadius);
  if (Result < 0)
    Result += 2 * Pi;
  Result -= IRotDegree;
  if (Result < 0)
    Result += 2 * Pi;
  return Result;
}

double TCircledSeries::PointToRadius(int32_t X, int32_t Y) const
{
  const TChartAxis* A = GetVertAxis();
  const double R = A ? A->Maximum() - A->Minimum() : 0;
  if (R == 0 || FXRadius == 0 || FYRadius == 0)
    return 0;
  const double DX = R * (X - FCircleXCenter) / FXRadius, DY = R * (Y - FCircleYCenter) / FYRadius;
  return std::sqrt(DX * DX + DY * DY) + A->Minimum();
}

TColor TCircledSeries::CalcCircleBackColor() const
{
  TColor Result = CircleBackColor();
  if (Result != clDefault || !FParent)
    return Result;
  if (FParent->Printing())
    return clWhite;
  if (auto* C = dynamic_cast<TCustomChart*>(FParent))
    if (TChartBackWall* W = C->BackWall(); W && !W->Transparent())
      Result = W->Color();
  if (Result == clDefault)
    Result = FParent->GetBackColor();
  return Result;
}

void TCircledSeries::PrepareLegendCanvas(int32_t, TColor& BackColor, TBrushStyle&)
{
  BackColor = CalcCircleBackColor();
}

void TCircledSeries::DrawCircleShadow()
{
  const bool Shadow = FShadow->Visible() && FShadow->ShouldDraw();
  const bool Emboss = FEmboss->Visible() && FEmboss->ShouldDraw();
  if (!Shadow && !Emboss)
    return;
  const bool In3D = FParent->View3D();
  if (In3D && !FParent->View3DOptions()->Orthogonal())
    return;
  TCanvas3D* C = FParent->InternalCanvas();
  TRect R{FCircleXCenter - FCircleWidth / 2, FCircleYCenter - FCircleHeight / 2, FCircleXCenter + FCircleWidth / 2,
          FCircleYCenter + FCircleHeight / 2};
  if (In3D)
    R = C->CalcRect3D(R, EndZ);
  if (Shadow)
    FShadow->DrawEllipse(C, R, 0, 0, 360);
  if (Emboss)
    FEmboss->DrawEllipse(C, R, 0, 0, 360);
}

void TCircledSeries::DrawFrame()
{
  if (FParent->View3D() || !FFrame || !FFrame->Visible())
    return;
  // The frame stands where the circle's shadow would fall.
  FShadow->SetVisible(false);
  FFrame->Draw(FCircleRect);
  const int32_t D = PixelRound(FFrame->CalcWidth(FCircleRect));
  SetCircleRect(Shrunk(FCircleRect, D));
}
