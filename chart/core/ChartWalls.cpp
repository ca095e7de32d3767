#include "chart/core/ChartWalls.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/BackImage.h"
#include "chart/core/CustomChart.h"
#include "platform/CanvasMath.h"
#include "platform/Published.h"

#include <cstdlib>

namespace {
using W = TChartWall;
[[maybe_unused]] const TClassInfo& CustomWallClass =
    PublishClass<TCustomChartWall>("TCustomChartWall", "TZuzCustomShape");
[[maybe_unused]] const TClassInfo& WallClass =
    PublishClass<W>("TChartWall", "TCustomChartWall",
                    {
                        PropBool("AutoHide", &W::AutoHide, &W::SetAutoHide, false),
                        PropObj("Brush", &W::Brush, &W::SetBrush),
                        PropColor("Color", &W::Color, &W::SetColor).Stored(&W::IsColorStored),
                        PropBool("Dark3D", &W::Dark3D, &W::SetDark3D, true),
                        PropInt("EndPosition", &W::EndPosition, &W::SetEnd, 100),
                        PropObj("Pen", &W::Pen, &W::SetPen),
                        PropInt("Size", &W::Size, &W::SetSize, 0),
                        PropInt("StartPosition", &W::StartPosition, &W::SetStart, 0),
                        PropInt("Transparency", &W::Transparency, &W::SetTransparency, 0),
                    });
[[maybe_unused]] const TClassInfo& BackWallClass = PublishClass<TChartBackWall>("TChartBackWall", "TChartWall");
[[maybe_unused]] const TClassInfo& LeftWallClass = PublishClass<TChartLeftWall>("TChartLeftWall", "TChartWall");
[[maybe_unused]] const TClassInfo& BottomWallClass = PublishClass<TChartBottomWall>("TChartBottomWall", "TChartWall");
[[maybe_unused]] const TClassInfo& RightWallClass = PublishClass<TChartRightWall>("TChartRightWall", "TChartWall");

class TEntity {
public:
  TEntity(TCanvas3D* C, const char* Name) : FC(C) { FC->BeginEntity(QString::fromLatin1(Name), nullptr, nullptr); }
  ~TEntity() { FC->EndEntity(); }
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

private:
  TCanvas3D* FC;
};

// A blending layer for a translucent wall, ended with the scope.
class TWallBlend {
public:
  TWallBlend(TCanvas3D* C, const TRect& R, TZuzTransparency T) : FC(C)
  {
    if (T > 0)
      FBlend = C->BeginBlending(R, T);
  }
  ~TWallBlend()
  {
    if (FBlend)
      FC->EndBlending(std::move(FBlend));
  }
  TWallBlend(const TWallBlend&) = delete;
  TWallBlend& operator=(const TWallBlend&) = delete;

private:
  TCanvas3D* FC;
  std::unique_ptr<TZuzBlend> FBlend;
};

TRect BoundsOf(std::initializer_list<TPoint> Points)
{
  TRect R{Points.begin()->X, Points.begin()->Y, Points.begin()->X, Points.begin()->Y};
  for (const TPoint& P : Points) {
    R.Left = std::min(R.Left, P.X);
    R.Top = std::min(R.Top, P.Y);
    R.Right = std::max(R.Right, P.X);
    R.Bottom = std::max(R.Bottom, P.Y);
  }
  return R;
}

} // namespace

TCustomChartWall::TCustomChartWall(TCustomZuzPanel* AOwner) : TZuzCustomShape(AOwner)
{
  TZuzCustomShape::SetColor(clDefault);
  DefaultColor = clDefault;
}

String TCustomChartWall::ClassName() const { return QStringLiteral("TCustomChartWall"); }

void TCustomChartWall::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCustomChartWall*>(Source)) {
    FAutoHide = S->FAutoHide;
    FDark3D = S->FDark3D;
    FEnd = S->FEnd;
    FSize = S->FSize;
    FStart = S->FStart;
  }
  TZuzCustomShape::Assign(Source);
}

TCustomChart* TCustomChartWall::Chart() const { return dynamic_cast<TCustomChart*>(FParent); }

void TCustomChartWall::InitColor(TColor Value)
{
  // Without repainting: a new chart sets its walls' colours.
  TCustomZuzPanel* P = FParent;
  FParent = nullptr;
  SetColor(Value);
  FParent = P;
  DefaultColor = Value;
}

void TCustomChartWall::SetAutoHide(bool Value) { Change(FAutoHide, Value); }

void TCustomChartWall::SetDark3D(bool Value) { Change(FDark3D, Value); }

void TCustomChartWall::SetEnd(int32_t Value) { Change(FEnd, Value); }

void TCustomChartWall::SetSize(int32_t Value) { Change(FSize, Value); }

void TCustomChartWall::SetStart(int32_t Value) { Change(FStart, Value); }

bool TCustomChartWall::ApplyDark3D() const { return FDark3D && Brush()->Style() != bsClear && !Brush()->ImageIfAny(); }

bool TCustomChartWall::ShouldDraw() const
{
  const TCustomChart* C = Chart();
  return C && C->View3DWalls() && Visible() && !FAutoHide;
}

void TCustomChartWall::CalcPositions(int32_t& Top, int32_t& Bottom) const
{
  TCustomChart* C = Chart();
  const TRect& R = C->ChartRect;
  Bottom = R.Bottom + C->CalcWallSize(C->BottomAxis());
  if (FEnd != 100)
    Bottom -= PixelRound((100 - FEnd) * (Bottom - R.Top) * 0.01);
  Top = R.Top;
  if (FStart != 0)
    Top += PixelRound((R.Bottom - R.Top) * FStart * 0.01);
}

TChartWall::TChartWall(TCustomZuzPanel* AOwner) : TCustomChartWall(AOwner) {}

String TChartWall::ClassName() const { return QStringLiteral("TChartWall"); }

TChartBackWall::TChartBackWall(TCustomZuzPanel* AOwner) : TChartWall(AOwner)
{
  InitColor(0xC0C0C0);
  InitTransparent(true);
  // The base made the shadow before this class's defaults applied.
  InitShadow(Shadow());
}

String TChartBackWall::ClassName() const { return QStringLiteral("TChartBackWall"); }

void TChartBackWall::InitShadow(TZuzShadow* AShadow) { AShadow->InitValues(false, 0x808080, AShadow->Size()); }

TChartLeftWall::TChartLeftWall(TCustomZuzPanel* AOwner) : TChartWall(AOwner) { InitColor(0x80FFFF); }

String TChartLeftWall::ClassName() const { return QStringLiteral("TChartLeftWall"); }

TChartBottomWall::TChartBottomWall(TCustomZuzPanel* AOwner) : TChartWall(AOwner) { InitColor(0xFFFFFF); }

String TChartBottomWall::ClassName() const { return QStringLiteral("TChartBottomWall"); }

TChartRightWall::TChartRightWall(TCustomZuzPanel* AOwner) : TChartWall(AOwner)
{
  InitColor(0xC0C0C0);
  DefaultVisible = false;
  FVisible = false;
}

String TChartRightWall::ClassName() const { return QStringLiteral("TChartRightWall"); }

// ---------------------------------------------------------------------------

TChartWalls::TChartWalls(TCustomChart* AChart)
    : FBack(std::make_unique<TChartBackWall>(AChart)), FBottom(std::make_unique<TChartBottomWall>(AChart)),
      FChart(AChart), FLeft(std::make_unique<TChartLeftWall>(AChart))
{
}

TChartWalls::~TChartWalls() = default;

String TChartWalls::ClassName() const { return QStringLiteral("TChartWalls"); }

void TChartWalls::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TChartWalls*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  SetBack(S->Back());
  SetBottom(S->Bottom());
  SetLeft(S->Left());
  if (S->RightIfAny())
    SetRight(S->RightIfAny());
}

TChartRightWall* TChartWalls::Right()
{
  if (!FRight) {
    const bool Old = FChart->AutoRepaint();
    FChart->SetAutoRepaint(false);
    FRight = std::make_unique<TChartRightWall>(FChart);
    FChart->SetAutoRepaint(Old);
  }
  return FRight.get();
}

void TChartWalls::SetBack(TChartBackWall* Value) { FBack->Assign(Value); }
void TChartWalls::SetBottom(TChartBottomWall* Value) { FBottom->Assign(Value); }
void TChartWalls::SetLeft(TChartLeftWall* Value) { FLeft->Assign(Value); }
void TChartWalls::SetRight(TChartRightWall* Value) { Right()->Assign(Value); }

bool TChartWalls::Visible() const { return FChart->View3DWalls(); }

void TChartWalls::SetVisible(bool Value) { FChart->SetView3DWalls(Value); }

void TChartWalls::SetSize(int32_t Value)
{
  FLeft->SetSize(Value);
  Right()->SetSize(Value);
  FBack->SetSize(Value);
  FBottom->SetSize(Value);
}

void TChartWalls::PrepareWallCanvas(TCustomChartWall* Wall)
{
  TCanvas3D* C = FChart->InternalCanvas();
  C->AssignVisiblePen(Wall->Pen());
  if (Wall->Transparent())
    C->Brush()->SetStyle(bsClear);
  else
    FChart->SetBrushCanvas(Wall->Color(), Wall->Brush(), FChart->GetBackColor());
}

bool TChartWalls::DrawWallFirst(int32_t X) const
{
  TCanvas3D* C = FChart->InternalCanvas();
  if (C->SupportsFullRotation())
    return true;
  const int32_t B = FChart->ChartRect.Bottom + FChart->CalcWallSize(FChart->BottomAxis());
  const TPoint P0 = C->Calculate3DPosition(X, FChart->ChartRect.Top, 0);
  const TPoint P1 = C->Calculate3DPosition(X, B, 0);
  const TPoint P2 = C->Calculate3DPosition(X, B, FBack->Size() + FChart->Width3D());
  return ZuzCull(P0, P1, P2);
}

bool TChartWalls::DrawLeftWallFirst() const { return DrawWallFirst(FChart->ChartRect.Left); }

bool TChartWalls::DrawRightWallAfter() const { return !DrawWallFirst(FChart->ChartRect.Right); }

void TChartWalls::DrawBackWall()
{
  TCanvas3D* C = FChart->InternalCanvas();
  const TEntity Entity(C, "Back");
  TChartBackWall* W = FBack.get();
  PrepareWallCanvas(W);
  int32_t Top = 0, Bottom = 0;
  W->CalcPositions(Top, Bottom);
  const TRect Plain{FChart->ChartRect.Left, Top, FChart->ChartRect.Right, Bottom};
  TRect R = Plain;
  const int32_t Depth = FChart->Width3D();
  const bool Rotates = C->SupportsFullRotation();
  const bool Round = W->ShapeStyle() == fosRoundRectangle;
  std::unique_ptr<TWallBlend> Blend;
  if (TVisualBlock* Block = W->Visual()) {
    if (W->Size() > 0)
      R.Left -= FLeft->Size();
    Block->SetBounds(R, static_cast<float>(W->Size() + Depth), static_cast<float>(Depth), FChart->ChartHeight());
    Block->DrawBlock(W->Pen(), W->Brush());
  } else if (!FChart->View3D()) {
    ++R.Right;
    if (W->EndPosition() == 100)
      ++R.Bottom;
    Blend = std::make_unique<TWallBlend>(C, C->SupportsAlpha() ? R : C->CalcRect3D(R, Depth), W->Transparency());
    W->DrawShadowEmboss(C, W->ShadowIfAny(), R, 1, 0, 0);
    W->DrawShadowEmboss(C, W->EmbossIfAny(), R, -1, 0, 0);
    if (Rotates)
      C->RectangleWithZ(R, 1);
    else if (Round)
      C->RoundRect(R, W->RoundSize(), W->RoundSize());
    else
      C->Rectangle(R);
  } else if (FChart->View3DWalls()) {
    if (W->Size() > 0)
      R.Left -= FLeft->Size();
    Blend = std::make_unique<TWallBlend>(C, C->SupportsAlpha() ? R : C->CalcRect3D(R, Depth), W->Transparency());
    W->DrawShadowEmboss(C, W->ShadowIfAny(), C->CalcRect3D(R, Depth), 1, 0, Depth);
    W->DrawShadowEmboss(C, W->EmbossIfAny(), C->CalcRect3D(R, Depth), -1, 0, Depth);
    C->AssignVisiblePen(W->Pen());
    if (W->Size() < 1) {
      const int32_t Z = Rotates ? Depth + 1 : Depth;
      if (Round)
        C->RoundRectWithZ(R, W->RoundSize(), W->RoundSize(), Z);
      else
        C->RectangleWithZ(R, Z);
    } else {
      const int32_t Size = Depth < 0 ? -W->Size() : W->Size();
      C->Cube(R.Left, R.Right, R.Top, R.Bottom, Depth, Depth + Size, W->ApplyDark3D(), Round ? W->RoundSize() : 0);
    }
  }
  R = Plain;
  if (TBackImage* Pic = W->PictureIfAny(); Pic && Pic->Valid())
    Pic->Draw(FChart, R, Depth);
  else if (FChart->BackImageInside() && FChart->HasBackImage()) {
    TRect Inside = R;
    if (W->Pen()->Visible()) {
      ++Inside.Left;
      ++Inside.Top;
    }
    FChart->DrawBitmap(Inside, Depth);
  }
}

void TChartWalls::DrawSideWall(TCustomChartWall* Wall, int32_t X, int32_t Outward, int32_t Depth)
{
  TCanvas3D* C = FChart->InternalCanvas();
  PrepareWallCanvas(Wall);
  int32_t Top = 0, Bottom = 0;
  Wall->CalcPositions(Top, Bottom);
  if (TVisualBlock* Block = Wall->Visual()) {
    const int32_t A = X + Outward * Wall->Size();
    Block->SetBounds(TRect{std::min(A, X), Top, std::max(A, X), Bottom}, 0, static_cast<float>(Depth),
                     FChart->ChartHeight());
    Block->DrawBlock(Wall->Pen(), Wall->Brush());
    return;
  }
  const bool Rotates = C->SupportsFullRotation();
  TRect Area;
  if (!C->SupportsAlpha())
    Area = BoundsOf({C->Calculate3DPosition(X, Top, 0), C->Calculate3DPosition(X, Top, Depth),
                     C->Calculate3DPosition(X, Bottom, Depth), C->Calculate3DPosition(X, Bottom, 0)});
  const TWallBlend Blend(C, Area, Wall->Transparent() ? 0 : Wall->Transparency());
  if (Wall->Size() < 1) {
    const int32_t At = Rotates ? X + Outward : X;
    C->RectangleZ(At, Top, Bottom, 0, Depth);
  } else {
    const int32_t A = X + Outward * Wall->Size();
    C->Cube(std::min(A, X), std::max(A, X), Top, Bottom, 0, Depth, Wall->ApplyDark3D());
  }
  if (TBackImage* Pic = Wall->PictureIfAny(); Pic && Pic->Valid())
    C->StretchDraw(TRect{0, Top, Depth, Bottom}, Pic->Filtered(), X, cpX);
}

void TChartWalls::DrawLeftWall()
{
  if (!FChart->View3D() || !FChart->View3DWalls())
    return;
  const TEntity Entity(FChart->InternalCanvas(), "Left");
  DrawSideWall(FLeft.get(), FChart->ChartRect.Left, -1, FChart->Width3D());
}

void TChartWalls::DrawRightWall()
{
  if (!FRight || !FRight->Visible() || !FChart->ActiveSeriesUseAxis() || !FChart->View3D() || !FChart->View3DWalls())
    return;
  const TEntity Entity(FChart->InternalCanvas(), "Right");
  const int32_t Depth = FChart->Width3D() + (FRight->Size() < 1 ? 1 : (FBack->Visible() ? FBack->Size() : 0));
  DrawSideWall(FRight.get(), FChart->ChartRect.Right, 1, Depth);
}

void TChartWalls::DrawBottomWall()
{
  if (!FBottom->Visible())
    return;
  TCanvas3D* C = FChart->InternalCanvas();
  const TEntity Entity(C, "Bottom");
  TChartBottomWall* W = FBottom.get();
  PrepareWallCanvas(W);
  const int32_t Y = FChart->ChartRect.Bottom;
  const int32_t Depth = FChart->Width3D();
  const int32_t Z0 = W->StartPosition() == 0 ? 0 : PixelRound(W->StartPosition() * Depth * 0.01);
  const int32_t Z1 = W->EndPosition() == 100 ? Depth : Depth - PixelRound((100 - W->EndPosition()) * Depth * 0.01);
  int32_t Left = FChart->ChartRect.Left;
  if (FLeft->Visible() && FLeft->AutoHide() && !DrawLeftWallFirst())
    Left -= FLeft->Size();
  const int32_t Right = FChart->ChartRect.Right;
  TRect Area;
  if (!C->SupportsAlpha())
    Area = BoundsOf({C->Calculate3DPosition(Left, Y, Z0), C->Calculate3DPosition(Right, Y, Z0),
                     C->Calculate3DPosition(Right, Y, Z1), C->Calculate3DPosition(Left, Y, Z1)});
  const TWallBlend Blend(C, Area, W->Transparent() ? 0 : W->Transparency());
  if (W->Size() < 1)
    C->RectangleY(Left, Y, Right, Z0, Z1);
  else
    C->Cube(Left, Right, Y, Y + W->Size(), Z0, Z1, W->ApplyDark3D());
  if (TBackImage* Pic = W->PictureIfAny(); Pic && Pic->Valid())
    C->StretchDraw(TRect{Left, Z0, Right, Z1}, Pic->Filtered(), Y, cpY);
}
