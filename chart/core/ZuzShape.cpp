#include "chart/core/ZuzShape.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCorners.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPath.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/canvas/ZuzTransform.h"
#include "chart/core/BackImage.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/ZuzGeometry.h"
#include "platform/CanvasMath.h"
#include "platform/Filer.h"
#include "platform/Published.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace {

const TEnumInfo CalloutSideInfo("TShapeCalloutSide", {"csNone", "csLeft", "csTop", "csRight", "csBottom"});
const TEnumInfo ShapeLayoutInfo("TZuzShapeLayout", {"slTopBottom", "slLeftRight"});
const TEnumInfo ShapeStyleInfo("TChartObjectShapeStyle", {"fosRectangle", "fosRoundRectangle", "fosEllipse"});
const TEnumInfo BevelCutInfo("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});

using S = TZuzCustomShape;

[[maybe_unused]] const TClassInfo& CalloutClass = PublishClass<TShapeCallout>(
    "TShapeCallout", "TPersistent",
    {
        PropInt("PointPosition", &TShapeCallout::PointPosition, &TShapeCallout::SetPointPosition, 50),
        PropInt("Position", &TShapeCallout::Position, &TShapeCallout::SetPosition, 50),
        PropEnum("Side", &TShapeCallout::Side, &TShapeCallout::SetSide, CalloutSideInfo, csNone),
        PropInt("Size", &TShapeCallout::Size, &TShapeCallout::SetSize, 25),
        PropInt("Width", &TShapeCallout::Width, &TShapeCallout::SetWidth, 20),
    });

[[maybe_unused]] const TClassInfo& BrushPenClass =
    PublishClass<TZuzCustomShapeBrushPen>("TZuzCustomShapeBrushPen", "TPersistent");
// Every box publishes these; descendants that are chart parts add their
// brush, frame and text.
[[maybe_unused]] const TClassInfo& CustomShapeClass =
    PublishClass<S>("TZuzCustomShape", "TZuzCustomShapeBrushPen",
                    {
                        PropInt("Angle", &S::Angle, &S::SetAngle, 0),
                        PropEnum("Bevel", &S::Bevel, &S::SetBevel, BevelCutInfo, bvNone),
                        PropInt("BevelWidth", &S::BevelWidth, &S::SetBevelWidth, 2),
                        PropObj("Children", &S::Children, &S::SetChildren).Stored(&S::IsChildrenStored),
                        PropEnum("ChildLayout", &S::ChildLayout, &S::SetChildLayout, ShapeLayoutInfo, slTopBottom),
                        PropColor("Color", &S::Color, &S::SetColor, clWhite),
                        PropObj("Corners", &S::Corners, &S::SetCorners).Stored(&S::IsCornersStored),
                        PropObj("Emboss", &S::Emboss, &S::SetEmboss),
                        PropObj("Font", &S::Font, &S::SetFont),
                        PropObj("Picture", &S::Picture, &S::SetPicture).Stored(&S::IsPictureStored),
                        PropInt("RoundSize", &S::RoundSize, &S::SetRoundSize, 16),
                        PropObj("Shadow", &S::Shadow, &S::SetShadow),
                        PropObj("ShapeCallout", &S::ShapeCallout, &S::SetShapeCallout),
                        PropEnum("ShapeStyle", &S::ShapeStyle, &S::SetShapeStyle, ShapeStyleInfo, fosRectangle),
                        PropBool("Transparent", &S::Transparent, &S::SetTransparent).Stored(&S::IsTransparentStored),
                        PropBool("Visible", &S::Visible, &S::SetVisible).Stored(&S::IsVisibleStored),
                    });

[[maybe_unused]] const TClassInfo& ShapeClass = PublishClass<TZuzShape>("TZuzShape", "TZuzCustomShape");

[[maybe_unused]] const TClassInfo& ShapeItemClass = PublishClass<TZuzShapeItem>(
    "TZuzShapeItem", "TCollectionItem", {PropObj("Shape", &TZuzShapeItem::Shape, &TZuzShapeItem::SetShape)});
[[maybe_unused]] const TClassInfo& ShapesClass = PublishClass<TZuzShapes>("TZuzShapes", "TOwnedCollection");

// Copies Source's optional part into the owner's (made when missing), or
// frees the owner's when Source has none.
template <class T, class Make>
void CopyOptional(std::unique_ptr<T>& Mine, const T* Theirs, Make MakeOne)
{
  if (!Theirs) {
    Mine.reset();
    return;
  }
  if (!Mine)
    Mine = MakeOne();
  Mine->Assign(const_cast<T*>(Theirs));
}

} // namespace

void RectToFourPoints(const TRect& R, double Angle, TFourPoints& P) { TZuzShadow::RectToFourPoints(R, Angle, P); }

void DrawBevel(TCanvas3D* Canvas, TBevelCut Bevel, TRect& R, int32_t BevelWidth, int32_t Round)
{
  if (Bevel == bvNone)
    return;
  const int32_t W = std::min({R.Height() / 2, R.Width() / 2, BevelWidth});
  const TColor Dark = 0xA0A0A0;
  const TColor TopLeft = Bevel == bvLowered ? Dark : clWhite;
  const TColor BottomRight = Bevel == bvRaised ? Dark : clWhite;
  if (Round > 0) {
    Canvas->Pen()->SetColor(TopLeft);
    R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    Canvas->RoundRect(R, Round, Round);
    R = TRect{R.Left + W, R.Top + W, R.Right - W, R.Bottom - W};
  } else
    Canvas->Frame3D(R, TopLeft, BottomRight, W);
}

// ---------------------------------------------------------------------------
// TZuzCustomShapeBrushPen

TZuzCustomShapeBrushPen::TZuzCustomShapeBrushPen(TCustomZuzPanel* AParent)
    : FParent(AParent), FBrush(std::make_unique<TZuzBrush>([this](TObject* S) { CanvasChanged(S); })),
      FPen(std::make_unique<TZuzPen>([this](TObject* S) { CanvasChanged(S); }))
{
}

TZuzCustomShapeBrushPen::~TZuzCustomShapeBrushPen() = default;

String TZuzCustomShapeBrushPen::ClassName() const { return QStringLiteral("TZuzCustomShapeBrushPen"); }

void TZuzCustomShapeBrushPen::Assign(TPersistent* Source)
{
  auto* E = dynamic_cast<TZuzCustomShapeBrushPen*>(Source);
  if (!E) {
    TPersistent::Assign(Source);
    return;
  }
  FBrush->Assign(E->FBrush.get());
  FPen->Assign(E->FPen.get());
  FVisible = E->FVisible;
}

void TZuzCustomShapeBrushPen::SetBrush(TZuzBrush* Value) { FBrush->Assign(Value); }

void TZuzCustomShapeBrushPen::SetPen(TZuzPen* Value) { FPen->Assign(Value); }

void TZuzCustomShapeBrushPen::SetVisible(bool Value)
{
  if (FParent)
    FParent->SetBooleanProperty(FVisible, Value);
  else
    FVisible = Value;
}

void TZuzCustomShapeBrushPen::SetParent(TCustomZuzPanel* Value) { FParent = Value; }

void TZuzCustomShapeBrushPen::Repaint()
{
  if (FParent)
    FParent->Invalidate();
}

void TZuzCustomShapeBrushPen::CanvasChanged(TObject*) { Repaint(); }

// ---------------------------------------------------------------------------
// TShapeCallout

TShapeCallout::TShapeCallout(TZuzCustomShape* AOwner) : IOwner(AOwner) {}

String TShapeCallout::ClassName() const { return QStringLiteral("TShapeCallout"); }

void TShapeCallout::Assign(TPersistent* Source)
{
  auto* C = dynamic_cast<TShapeCallout*>(Source);
  if (!C) {
    TPersistent::Assign(Source);
    return;
  }
  FPointPosition = C->FPointPosition;
  FPosition = C->FPosition;
  FSide = C->FSide;
  FSize = C->FSize;
  FWidth = C->FWidth;
}

template <class T>
void TShapeCallout::Change(T& Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  if (IOwner)
    IOwner->Repaint();
}

void TShapeCallout::SetPointPosition(int32_t Value) { Change(FPointPosition, Value); }
void TShapeCallout::SetPosition(int32_t Value) { Change(FPosition, Value); }
void TShapeCallout::SetSide(TShapeCalloutSide Value) { Change(FSide, Value); }
void TShapeCallout::SetSize(int32_t Value) { Change(FSize, Value); }
void TShapeCallout::SetWidth(int32_t Value) { Change(FWidth, Value); }

std::unique_ptr<TZuzBasePath> TShapeCallout::GetPath(TCanvas3D* Canvas, const TRect& R, int32_t RS) const
{
  std::unique_ptr<TZuzBasePath> P = Canvas->CreatePath();
  const float F = static_cast<float>(RS);
  // The corner arc at the end of each side, clockwise: top-right, bottom-
  // right, bottom-left (the top-left one starts the path).
  const auto EndCorner = [&](TShapeCalloutSide Side) {
    switch (Side) {
    case csTop:
      if (RS > 0)
        P->ArcTo(float(R.Right - RS), float(R.Top), F, F, 270, 90);
      else
        P->LineTo(float(R.Right), float(R.Top));
      break;
    case csRight:
      if (RS > 0)
        P->ArcTo(float(R.Right - RS), float(R.Bottom - RS), F, F, 0, 90);
      else
        P->LineTo(float(R.Right), float(R.Bottom));
      break;
    case csBottom:
      if (RS > 0)
        P->ArcTo(float(R.Left), float(R.Bottom - RS), F, F, 90, 90);
      else
        P->LineTo(float(R.Left), float(R.Bottom));
      break;
    default: // the left side ends at the top-left corner
      if (RS > 0)
        P->ArcTo(float(R.Left), float(R.Top), F, F, 180, 90);
      else
        P->LineTo(float(R.Left), float(R.Top));
      break;
    }
  };
  const auto PointerSide = [&](TShapeCalloutSide Side) {
    const bool Across = Side == csTop || Side == csBottom;
    const int32_t L = Across ? R.Width() : R.Height();
    const int32_t T = Across ? R.Height() : R.Width();
    if (RS > 0)
      switch (Side) {
      case csTop:
        P->MoveTo(float(R.Left + RS), float(R.Top));
        break;
      case csBottom:
        P->MoveTo(float(R.Right - RS), float(R.Bottom));
        break;
      case csRight:
        P->MoveTo(float(R.Right), float(R.Top + RS));
        break;
      default:
        P->MoveTo(float(R.Left), float(R.Bottom - RS));
        break;
      }
    const int32_t Along = PixelRound(L * FPosition * 0.01);
    int32_t D = Side == csTop      ? R.Right - Along
                : Side == csRight  ? R.Bottom - Along
                : Side == csBottom ? R.Left + Along
                                   : R.Top + Along;
    const int32_t E = PixelRound(L * FWidth * 0.005);
    if (Across) {
      if (D - E < R.Left + RS)
        D = R.Left + RS + E;
      if (D + E > R.Right)
        D = R.Right - E;
    } else {
      if (D - E < R.Top)
        D = R.Top + E;
      if (D + E > R.Bottom)
        D = R.Bottom - E;
    }
    const int32_t Tip = PixelRound(T * FSize * 0.01);
    switch (Side) {
    case csTop:
      P->LineTo(float(D - E), float(R.Top));
      P->LineTo(float(D), float(R.Top - Tip));
      P->LineTo(float(D + E), float(R.Top));
      P->LineTo(float(R.Right - RS), float(R.Top));
      break;
    case csRight:
      P->LineTo(float(R.Right), float(D - E));
      P->LineTo(float(R.Right + Tip), float(D));
      P->LineTo(float(R.Right), float(D + E));
      P->LineTo(float(R.Right), float(R.Bottom - RS));
      break;
    case csBottom:
      P->LineTo(float(D + E), float(R.Bottom));
      P->LineTo(float(D), float(R.Bottom + Tip));
      P->LineTo(float(D - E), float(R.Bottom));
      P->LineTo(float(R.Left + RS), float(R.Bottom));
      break;
    default:
      P->LineTo(float(R.Left), float(D + E));
      P->LineTo(float(R.Left - Tip), float(D));
      P->LineTo(float(R.Left), float(D - E));
      P->LineTo(float(R.Left), float(R.Top + RS));
      break;
    }
    if (RS >= 1)
      EndCorner(Side);
  };
  if (RS > 0)
    P->ArcTo(float(R.Left), float(R.Top), F, F, 180, 90);
  else
    P->MoveTo(float(R.Left), float(R.Top));
  for (const TShapeCalloutSide Side : {csTop, csRight, csBottom, csLeft}) {
    if (Side == FSide)
      PointerSide(Side);
    else if (Side != csLeft)
      EndCorner(Side);
  }
  if (FSide != csLeft)
    P->Close();
  return P;
}

// ---------------------------------------------------------------------------
// TZuzCustomShape

TZuzCustomShape::TZuzCustomShape(TCustomZuzPanel* AOwner)
    : TZuzCustomShapeBrushPen(AOwner), FShadow(std::make_unique<TZuzShadow>([this](TObject* S) { CanvasChanged(S); }))
{
  InitShadow(FShadow.get());
  FFont = std::make_unique<TZuzFont>([this](TObject* S) { CanvasChanged(S); });
  FChildren = std::make_unique<TZuzShapes>(this);
}

TZuzCustomShape::~TZuzCustomShape() { FChildren.reset(); }

String TZuzCustomShape::ClassName() const { return QStringLiteral("TZuzCustomShape"); }

std::unique_ptr<TZuzCustomShape> TZuzCustomShape::CreateChild(TCustomZuzPanel* Panel) const
{
  return std::make_unique<TZuzShape>(Panel);
}

String TZuzCustomShape::GetEditorClass() const { return QStringLiteral("TFormZuzShape"); }

void TZuzCustomShape::InitShadow(TZuzShadow* AShadow) { AShadow->InitValues(AShadow->Visible(), clBlack, 3); }

void TZuzCustomShape::InitEmboss(TZuzEmboss* AEmboss) { AEmboss->InitValues(AEmboss->Visible(), clBlack, 3); }

void TZuzCustomShape::Assign(TPersistent* Source)
{
  auto* Src = dynamic_cast<TZuzCustomShape*>(Source);
  if (!Src) {
    TZuzCustomShapeBrushPen::Assign(Source);
    return;
  }
  const TNotifyEvent Changed = [this](TObject* S) { CanvasChanged(S); };
  FAlignment = Src->FAlignment;
  FAngle = Src->FAngle;
  FAutoSize = Src->FAutoSize;
  FBevel = Src->FBevel;
  FBevelWidth = Src->FBevelWidth;
  FChildren->Assign(Src->FChildren.get());
  FChildLayout = Src->FChildLayout;
  FColor = Src->FColor;
  CopyOptional(FCorners, Src->FCorners.get(), [&] { return std::make_unique<TZuzCorners>(Changed); });
  FFont->Assign(Src->FFont.get());
  FShapeStyle = Src->FShapeStyle;
  CopyOptional(FPicture, Src->FPicture.get(), [] { return std::make_unique<TBackImage>(); });
  if (FPicture)
    FPicture->OnChange = Changed;
  FRoundSize = Src->FRoundSize;
  CopyOptional(FEmboss, Src->FEmboss.get(), [&] { return std::make_unique<TZuzEmboss>(Changed); });
  CopyOptional(FShadow, Src->FShadow.get(), [&] { return std::make_unique<TZuzShadow>(Changed); });
  CopyOptional(FCallout, Src->FCallout.get(), [this] { return std::make_unique<TShapeCallout>(this); });
  FTransparent = Src->FTransparent;
  FTransparency = Src->FTransparency;
  TZuzCustomShapeBrushPen::Assign(Source);
}

void TZuzCustomShape::ReadShadowColor(TReader& Reader)
{
  // Older files name the colour ("clGray") or give its number.
  TColor C = clBlack;
  if (Reader.NextValue() == vaIdent) {
    const String Ident = Reader.ReadIdent();
    int32_t V = 0;
    if (IdentToColor(Ident, V))
      C = static_cast<TColor>(V);
  } else
    C = static_cast<TColor>(Reader.ReadInteger());
  Shadow()->SetColor(C);
}

void TZuzCustomShape::DefineProperties(TFiler* Filer)
{
  TZuzCustomShapeBrushPen::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("ShadowColor"), [this](TReader& R) { ReadShadowColor(R); }, {}, false);
  Filer->DefineProperty(
      QStringLiteral("ShadowSize"), [this](TReader& R) { Shadow()->SetSize(static_cast<int32_t>(R.ReadInteger())); },
      {}, false);
}

void TZuzCustomShape::SetParent(TCustomZuzPanel* Value)
{
  TZuzCustomShapeBrushPen::SetParent(Value);
  for (int32_t I = 0; I < FChildren->Count(); ++I)
    if (TZuzCustomShape* C = FChildren->Get(I)->Shape())
      C->SetParent(Value);
}

void TZuzCustomShape::SetAlignment(TAlignment Value) { Change(FAlignment, Value); }
void TZuzCustomShape::SetAngle(int32_t Value) { Change(FAngle, Value); }
void TZuzCustomShape::SetAutoSize(bool Value) { Change(FAutoSize, Value); }
void TZuzCustomShape::SetBevel(TBevelCut Value) { Change(FBevel, Value); }
void TZuzCustomShape::SetBevelWidth(int32_t Value) { Change(FBevelWidth, Value); }
void TZuzCustomShape::SetChildLayout(TZuzShapeLayout Value) { Change(FChildLayout, Value); }
void TZuzCustomShape::SetShapeStyle(TChartObjectShapeStyle Value) { Change(FShapeStyle, Value); }
void TZuzCustomShape::SetTransparency(TZuzTransparency Value) { Change(FTransparency, Value); }
void TZuzCustomShape::SetTransparent(bool Value) { Change(FTransparent, Value); }

void TZuzCustomShape::InitTransparent(bool Value)
{
  FTransparent = Value;
  DefaultTransparent = Value;
}

void TZuzCustomShape::SetRoundSize(int32_t Value)
{
  if (Value > 0)
    FShapeStyle = fosRoundRectangle;
  Change(FRoundSize, Value);
}

void TZuzCustomShape::SetColor(TColor Value)
{
  if (FParent)
    FParent->SetColorProperty(FColor, Value);
  else
    FColor = Value;
}

void TZuzCustomShape::SetChildren(TZuzShapes* Value) { FChildren->Assign(Value); }

bool TZuzCustomShape::IsChildrenStored() const { return FChildren->Count() > 0; }

TZuzCorners* TZuzCustomShape::Corners()
{
  if (!FCorners)
    FCorners = std::make_unique<TZuzCorners>([this](TObject* S) { CanvasChanged(S); });
  return FCorners.get();
}

void TZuzCustomShape::SetCorners(TZuzCorners* Value)
{
  if (Value)
    Corners()->Assign(Value);
  else
    FCorners.reset();
}

TZuzEmboss* TZuzCustomShape::Emboss()
{
  if (!FEmboss) {
    FEmboss = std::make_unique<TZuzEmboss>([this](TObject* S) { CanvasChanged(S); });
    InitEmboss(FEmboss.get());
  }
  return FEmboss.get();
}

void TZuzCustomShape::SetEmboss(TZuzEmboss* Value)
{
  if (Value)
    Emboss()->Assign(Value);
  else
    FEmboss.reset();
}

void TZuzCustomShape::SetFont(TZuzFont* Value) { FFont->Assign(Value); }

TZuzGradient* TZuzCustomShape::Gradient() const { return FBrush->Gradient(); }

void TZuzCustomShape::SetGradient(TZuzGradient* Value) { FBrush->SetGradient(Value); }

TBackImage* TZuzCustomShape::Picture()
{
  if (!FPicture) {
    FPicture = std::make_unique<TBackImage>();
    FPicture->OnChange = [this](TObject* S) { CanvasChanged(S); };
  }
  return FPicture.get();
}

void TZuzCustomShape::SetPicture(TBackImage* Value)
{
  if (Value)
    Picture()->Assign(Value);
  else
    FPicture.reset();
  Repaint();
}

TZuzShadow* TZuzCustomShape::Shadow()
{
  if (!FShadow) {
    FShadow = std::make_unique<TZuzShadow>([this](TObject* S) { CanvasChanged(S); });
    InitShadow(FShadow.get());
  }
  return FShadow.get();
}

void TZuzCustomShape::SetShadow(TZuzShadow* Value)
{
  if (Value)
    Shadow()->Assign(Value);
  else
    FShadow.reset();
}

TShapeCallout* TZuzCustomShape::ShapeCallout()
{
  if (!FCallout)
    FCallout = std::make_unique<TShapeCallout>(this);
  return FCallout.get();
}

void TZuzCustomShape::SetShapeCallout(TShapeCallout* Value)
{
  if (Value)
    ShapeCallout()->Assign(Value);
  else
    FCallout.reset();
}

TColor TZuzCustomShape::ShadowColor() { return Shadow()->Color(); }
void TZuzCustomShape::SetShadowColor(TColor Value) { Shadow()->SetColor(Value); }
int32_t TZuzCustomShape::ShadowSize() { return Shadow()->Size(); }
void TZuzCustomShape::SetShadowSize(int32_t Value) { Shadow()->SetSize(Value); }

void TZuzCustomShape::MoveTo(int32_t X, int32_t Y)
{
  const int32_t W = ShapeBounds.Width(), H = ShapeBounds.Height();
  ShapeBounds = TRect{X, Y, X + W, Y + H};
  Repaint();
}

bool TZuzCustomShape::ClickedShape(const TPoint& P, const TRect& R) const
{
  if (FAngle != 0) {
    TFourPoints F;
    RectToFourPoints(R, FAngle % 360, F);
    return PointInPolygon(P, F, 3);
  }
  return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}

int32_t TZuzCustomShape::FirstChildPos() const
{
  return FChildLayout == slLeftRight ? ShapeBounds.Left : ShapeBounds.Top;
}

void TZuzCustomShape::CalcBounds(TCustomZuzPanel* Panel)
{
  if (FAutoSize)
    ShapeBounds = TRect{ShapeBounds.Left, ShapeBounds.Top, ShapeBounds.Left, ShapeBounds.Top};
  for (int32_t I = 0; I < FChildren->Count(); ++I) {
    TZuzCustomShape* C = FChildren->Get(I)->Shape();
    if (!C || !C->Visible())
      continue;
    C->CalcBounds(Panel);
    if (FChildLayout == slLeftRight) {
      ShapeBounds.Right += C->Width();
      ShapeBounds.Bottom = std::max(ShapeBounds.Bottom, ShapeBounds.Top + C->Height());
    } else {
      ShapeBounds.Right = std::max(ShapeBounds.Right, ShapeBounds.Left + C->Width());
      ShapeBounds.Bottom += C->Height();
    }
  }
}

void TZuzCustomShape::Draw() { Draw(ShapeBounds, FAngle, 0); }

void TZuzCustomShape::Draw(const TRect& R, int32_t Angle, int32_t AZ) { Draw(FParent, R, Angle, AZ); }

void TZuzCustomShape::Draw(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ)
{
  InternalDraw(Panel, R, {}, false, Angle, AZ);
}

void TZuzCustomShape::Draw(const TRect& R, std::span<const TPoint> Points, int32_t Angle, int32_t AZ)
{
  Draw(FParent, R, Points, Angle, AZ);
}

void TZuzCustomShape::Draw(TCustomZuzPanel* Panel, const TRect& R, std::span<const TPoint> Points, int32_t Angle,
                           int32_t AZ)
{
  InternalDraw(Panel, R, Points, true, Angle, AZ);
}

void TZuzCustomShape::InternalDraw(TCustomZuzPanel* Panel, const TRect& R, std::span<const TPoint> Points,
                                   bool IsPoints, int32_t Angle, int32_t AZ)
{
  if (!Panel)
    return;
  TCanvas3D* C = Panel->InternalCanvas();
  std::unique_ptr<TZuzBlend> Blend;
  if (FTransparency > 0) {
    TRect B = R;
    if (C->SupportsAlpha())
      B = TRect{};
    else if (Angle != 0) {
      TFourPoints F;
      RectToFourPoints(R, Angle, F);
      B = RectFromPolygon(F, 4);
    }
    Blend = C->BeginBlending(B, FTransparency);
  }
  const auto EndBlend = qScopeGuard([&] {
    if (Blend)
      C->EndBlending(std::move(Blend));
  });
  if (FTransparent)
    C->Brush()->SetStyle(bsClear);
  else {
    DrawShadowEmboss(C, FShadow.get(), R, 1, Angle, AZ);
    DrawShadowEmboss(C, FEmboss.get(), R, -1, Angle, AZ);
    if (FPicture && FPicture->Valid())
      DrawPictureFill(Panel, C, R, Points, IsPoints, AZ);
    else
      C->AssignBrush(FBrush.get(), FColor, FBrush->Color());
    C->AssignVisiblePenColor(FPen.get(), FPen->Color());
  }
  if (IsPoints)
    DoDraw(Panel, Points, R, Angle, AZ);
  else
    DoDraw(Panel, R, Angle, AZ);
  if (!FTransparent && Angle == 0) {
    TRect B = R;
    DrawBevel(C, FBevel, B, FBevelWidth, 0);
  }
  if (FChildren->Count() > 0)
    DrawChildren(Panel, R, Angle, AZ);
}

void TZuzCustomShape::DrawShadowEmboss(TCanvas3D* C, TZuzShadow* Effect, TRect R, int32_t Sign, int32_t Angle,
                                       int32_t AZ)
{
  if (!Effect || !Effect->ShouldDraw() || FBrush->Style() == bsClear)
    return;
  if (FPen->Visible() && FPen->Width() > 1) {
    const int32_t D = (FPen->Width() / 2) * Sign;
    R = TRect{R.Left - D, R.Top - D, R.Right + D, R.Bottom + D};
  }
  Effect->ZPosition = AZ + 2;
  if (FShapeStyle == fosEllipse) {
    Effect->DrawEllipse(C, R, 0, 0, 360);
    return;
  }
  const bool Flat = !C->SupportsFullRotation();
  if (Flat)
    C->FrontPlaneBegin();
  Effect->Draw(C, R, FShapeStyle == fosRectangle ? 0 : FRoundSize, Angle);
  if (Flat)
    C->FrontPlaneEnd();
}

void TZuzCustomShape::DrawPictureFill(TCustomZuzPanel* Panel, TCanvas3D* C, const TRect& R,
                                      std::span<const TPoint> Points, bool IsPoints, int32_t AZ)
{
  bool Clipped = false;
  if (FShapeStyle == fosEllipse) {
    C->ClipEllipse(R);
    Clipped = true;
  } else if (FShapeStyle == fosRoundRectangle) {
    C->ClipRectangle(R, FRoundSize, FRoundSize);
    Clipped = true;
  }
  if (IsPoints && !Points.empty()) {
    C->ClipPolygon(Points, static_cast<int32_t>(Points.size()));
    Clipped = true;
  }
  FPicture->Draw(Panel, R, C->SupportsFullRotation() ? AZ : 0);
  if (Clipped)
    C->UnClipRectangle();
  // A translucent gradient is painted over the picture; otherwise only the
  // frame is drawn over it.
  if (FBrush->GradientIfAny() && FBrush->GradientIfAny()->AnyTransparency())
    C->AssignBrush(FBrush.get(), FColor, FBrush->Color());
  else
    C->Brush()->SetStyle(bsClear);
}

void TZuzCustomShape::DrawChildren(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ)
{
  int32_t Pos = FirstChildPos();
  for (int32_t I = 0; I < FChildren->Count(); ++I) {
    TZuzCustomShape* Child = FChildren->Get(I)->Shape();
    if (!Child || !Child->Visible())
      continue;
    if (FChildLayout == slLeftRight)
      Child->MoveTo(Pos, R.Top);
    else {
      const int32_t W = Child->Width();
      const int32_t X = Child->Alignment() == taLeftJustify    ? R.Left
                        : Child->Alignment() == taRightJustify ? R.Right - W
                                                               : (R.Left + R.Right - W) / 2;
      Child->MoveTo(X, Pos);
    }
    Child->Draw(Panel, Child->ShapeBounds, Angle, AZ);
    Pos += FChildLayout == slLeftRight ? Child->Width() : Child->Height();
  }
}

void TZuzCustomShape::DoDraw(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ)
{
  if (FTransparent)
    return;
  TCanvas3D* C = Panel->InternalCanvas();
  if (Angle != 0) {
    TFourPoints F;
    RectToFourPoints(R, Angle, F);
    RotatedBounds = F;
    C->PolygonWithZ(F, AZ);
    return;
  }
  if (C->SupportsFullRotation() || FDraw3D) {
    switch (FShapeStyle) {
    case fosRectangle:
      C->RectangleWithZ(R, AZ);
      break;
    case fosRoundRectangle:
      C->RoundRectWithZ(R, FRoundSize, FRoundSize, AZ);
      break;
    case fosEllipse:
      C->EllipseWithZ(R, AZ);
      break;
    }
    return;
  }
  if (FCallout && FCallout->Side() != csNone) {
    FCallout->GetPath(C, R, FShapeStyle == fosRoundRectangle ? FRoundSize : 0)->Draw(C);
    return;
  }
  switch (FShapeStyle) {
  case fosRectangle:
    C->Rectangle(R);
    break;
  case fosRoundRectangle:
    C->RoundRect(R, FRoundSize, FRoundSize, FCorners.get());
    break;
  case fosEllipse:
    C->Ellipse(R);
    break;
  }
}

void TZuzCustomShape::DoDraw(TCustomZuzPanel* Panel, std::span<const TPoint> Points, const TRect&, int32_t, int32_t AZ)
{
  if (FTransparent)
    return;
  TCanvas3D* C = Panel->InternalCanvas();
  if (C->SupportsFullRotation() || FDraw3D)
    C->PolygonWithZ(Points, AZ);
  else
    C->Polygon(Points);
}

// ---------------------------------------------------------------------------

TZuzShape::TZuzShape(TCustomZuzPanel* AOwner) : TZuzCustomShape(AOwner) {}

String TZuzShape::ClassName() const { return QStringLiteral("TZuzShape"); }

TZuzShapeItem::TZuzShapeItem(TCollection* ACollection) : TCollectionItem(ACollection)
{
  TZuzCustomShape* Owner = OwnerShape();
  TCustomZuzPanel* Panel = Owner ? Owner->ParentChart() : nullptr;
  FShape = Owner ? Owner->CreateChild(Panel) : std::make_unique<TZuzShape>(nullptr);
  FShape->InitTransparent(true);
}

TZuzShapeItem::~TZuzShapeItem()
{
  if (TZuzCustomShape* Owner = OwnerShape())
    Owner->Repaint();
}

String TZuzShapeItem::ClassName() const { return QStringLiteral("TZuzShapeItem"); }

TZuzCustomShape* TZuzShapeItem::OwnerShape() const
{
  return Collection() ? dynamic_cast<TZuzCustomShape*>(Collection()->Owner()) : nullptr;
}

void TZuzShapeItem::SetShape(TZuzCustomShape* Value) { FShape->Assign(Value); }

void TZuzShapeItem::Assign(TPersistent* Source)
{
  if (auto* I = dynamic_cast<TZuzShapeItem*>(Source)) {
    FShape->Assign(I->FShape.get());
    return;
  }
  TCollectionItem::Assign(Source);
}

TZuzShapes::TZuzShapes(TZuzCustomShape* AOwner) : TOwnedCollection(AOwner, ClassInfoFor<TZuzShapeItem>()) {}

String TZuzShapes::ClassName() const { return QStringLiteral("TZuzShapes"); }
