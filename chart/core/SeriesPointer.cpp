#include "chart/core/SeriesPointer.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzGeometry.h"
#include "chart/core/ZuzSelected.h"
#include "platform/CanvasMath.h"
#include "platform/Published.h"

#include <QScopeGuard>

#include <array>
#include <cstdlib>

namespace {
const TEnumInfo PointerStyleInfo("TSeriesPointerStyle",
                                 {"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross",
                                  "psStar", "psDiamond", "psSmallDot", "psNothing", "psLeftTriangle", "psRightTriangle",
                                  "psHexagon", "psVisual", "psDonut", "psArrow"});
const TEnumInfo SizeUnitsInfo("TPointerSizeUnits", {"suPixels", "suAxis"});

using P = TSeriesPointer;
[[maybe_unused]] const TClassInfo& PointerClass = PublishClass<P>(
    "TSeriesPointer", "TZuzCustomShapeBrushPen",
    {
        PropObj("Brush", &P::Brush, &P::SetBrush),
        PropBool("Dark3D", &P::Dark3D, &P::SetDark3D, true),
        PropInt("DarkPen", &P::DarkPen, &P::SetDarkPen, 0),
        PropInt("Depth", &P::Depth, &P::SetDepth, 0),
        PropBool("Draw3D", &P::Draw3D, &P::SetDraw3D, true),
        PropObj("Emboss", &P::Emboss, &P::SetEmboss),
        PropBool("FullGradient", &P::FullGradient, &P::SetFullGradient).Stored(&P::IsFullGradientStored),
        PropInt("HorizSize", &P::HorizSize, &P::SetHorizSize, 4),
        PropBool("InflateMargins", &P::InflateMargins, &P::SetInflateMargins),
        PropObj("Pen", &P::Pen, &P::SetPen),
        PropObj("Picture", &P::Picture, &P::SetPicture),
        PropObj("Shadow", &P::Shadow, &P::SetShadow),
        PropEnum("SizeUnits", &P::SizeUnits, &P::SetSizeUnits, SizeUnitsInfo, suPixels),
        PropEnum("Style", &P::Style, &P::SetStyle, PointerStyleInfo),
        PropInt("Transparency", &P::Transparency, &P::SetTransparency, 0),
        PropInt("VertSize", &P::VertSize, &P::SetVertSize, 4),
        PropBool("Visible", &P::Visible, &P::SetVisible).Stored(&P::IsVisibleStored),
        PropObj("Selected", &P::Selected, &P::SetSelected),
    });

// Only these styles have a shadow and an emboss.
bool HasShadowShape(TSeriesPointerStyle S)
{
  return S == psRectangle || S == psCircle || S == psHexagon || S == psDonut || S == psArrow;
}

} // namespace

TSeriesPointer::TSeriesPointer(TChartSeries* ASeries)
    : TZuzCustomShapeBrushPen(ASeries ? ASeries->ParentChart() : nullptr), FSeries(ASeries)
{
}

TSeriesPointer::~TSeriesPointer() = default;

String TSeriesPointer::ClassName() const { return QStringLiteral("TSeriesPointer"); }

void TSeriesPointer::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TSeriesPointer*>(Source)) {
    FDark3D = S->FDark3D;
    FDepth = S->FDepth;
    FDraw3D = S->FDraw3D;
    FDarkPen = S->FDarkPen;
    FFullGradient = S->FFullGradient;
    FHorizSize = S->FHorizSize;
    FInflate = S->FInflate;
    if (S->FEmboss)
      Emboss()->Assign(S->FEmboss.get());
    else
      FEmboss.reset();
    if (S->FPicture)
      Picture()->Assign(S->FPicture.get());
    else
      FPicture.reset();
    if (S->FShadow)
      Shadow()->Assign(S->FShadow.get());
    else
      FShadow.reset();
    FSizeFloat = S->FSizeFloat;
    FSizeUnits = S->FSizeUnits;
    FStyle = S->FStyle;
    FTransparency = S->FTransparency;
    FVertSize = S->FVertSize;
  }
  TZuzCustomShapeBrushPen::Assign(Source);
}

template <class T>
void TSeriesPointer::Change(T& Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  Repaint();
}

void TSeriesPointer::SetDark3D(bool Value) { Change(FDark3D, Value); }
void TSeriesPointer::SetDarkPen(int32_t Value) { Change(FDarkPen, Value); }
void TSeriesPointer::SetDepth(int32_t Value) { Change(FDepth, Value); }
void TSeriesPointer::SetDraw3D(bool Value) { Change(FDraw3D, Value); }
void TSeriesPointer::SetFullGradient(bool Value) { Change(FFullGradient, Value); }
void TSeriesPointer::SetInflateMargins(bool Value) { Change(FInflate, Value); }
void TSeriesPointer::SetCenterPixel(bool Value) { Change(FCenterPixel, Value); }
void TSeriesPointer::SetStyle(TSeriesPointerStyle Value) { Change(FStyle, Value); }
void TSeriesPointer::SetTransparency(TZuzTransparency Value) { Change(FTransparency, Value); }
void TSeriesPointer::SetHorizSize(int32_t Value) { Change(FHorizSize, std::max(Value, 1)); }
void TSeriesPointer::SetVertSize(int32_t Value) { Change(FVertSize, std::max(Value, 1)); }

void TSeriesPointer::SetSize(int32_t Value)
{
  SetHorizSize(Value);
  SetVertSize(Value);
}

TZuzGradient* TSeriesPointer::Gradient() const { return Brush()->Gradient(); }
void TSeriesPointer::SetGradient(TZuzGradient* Value) { Brush()->Gradient()->Assign(Value); }
TColor TSeriesPointer::Color() const { return Brush()->Color(); }
void TSeriesPointer::SetColor(TColor Value) { Brush()->SetColor(Value); }

TZuzEmboss* TSeriesPointer::Emboss()
{
  if (!FEmboss) {
    FEmboss = std::make_unique<TZuzEmboss>([this](TObject*) { Repaint(); });
    FEmboss->InitValues(false, FEmboss->Color(), 3);
  }
  return FEmboss.get();
}

void TSeriesPointer::SetEmboss(TZuzEmboss* Value)
{
  if (!Value)
    FEmboss.reset();
  else
    Emboss()->Assign(Value);
}

TZuzShadow* TSeriesPointer::Shadow()
{
  if (!FShadow) {
    FShadow = std::make_unique<TZuzShadow>([this](TObject*) { Repaint(); });
    FShadow->InitValues(false, FShadow->Color(), 3);
  }
  return FShadow.get();
}

void TSeriesPointer::SetShadow(TZuzShadow* Value)
{
  if (!Value)
    FShadow.reset();
  else
    Shadow()->Assign(Value);
}

TZuzPicture* TSeriesPointer::Picture()
{
  if (!FPicture) {
    FPicture = std::make_unique<TZuzPicture>();
    FPicture->OnChange = [this](TObject*) { Repaint(); };
  }
  return FPicture.get();
}

void TSeriesPointer::SetPicture(TZuzPicture* Value)
{
  if (!Value)
    FPicture.reset();
  else
    Picture()->Assign(Value);
}

TZuzSelected* TSeriesPointer::Selected()
{
  if (!FSelected)
    FSelected = std::make_unique<TZuzSelected>(this);
  return FSelected.get();
}

void TSeriesPointer::SetSelected(TZuzSelected* Value)
{
  if (!Value)
    FSelected.reset();
  else
    Selected()->Assign(Value);
}

TCanvas3D* TSeriesPointer::ChartCanvas() const
{
  TCustomZuzPanel* P = FSeries && FSeries->ParentChart() ? FSeries->ParentChart() : FParent;
  return P ? P->InternalCanvas() : nullptr;
}

void TSeriesPointer::DepthRange(int32_t& StartZ, int32_t& MiddleZ, int32_t& EndZ) const
{
  if (!FSeries) {
    StartZ = MiddleZ = EndZ = Z;
    return;
  }
  MiddleZ = FSeries->MiddleZ;
  StartZ = FDepth != 0 ? MiddleZ - FDepth : FSeries->StartZ;
  EndZ = FDepth != 0 ? MiddleZ + FDepth : FSeries->EndZ;
}

// ---------------------------------------------------------------------------

void TSeriesPointer::CalcHorizMargins(int32_t& Left, int32_t& Right) const
{
  if (!Visible() || !FInflate)
    return;
  const int32_t E = Pen()->Visible() ? Pen()->Width() / 2 + 1 : 1;
  Left = std::max(Left, E + FHorizSize);
  Right = std::max(Right, E + FHorizSize);
}

void TSeriesPointer::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) const
{
  if (!Visible() || !FInflate)
    return;
  const int32_t E = Pen()->Visible() ? Pen()->Width() / 2 : 1;
  Top = std::max(Top, E + FVertSize);
  Bottom = std::max(Bottom, E + FVertSize);
}

void TSeriesPointer::CalcSize(int32_t& Horiz, int32_t& Vert) const
{
  if (FSizeFloat != 0) {
    const TChartAxis* A = FSeries ? FSeries->GetVertAxis() : nullptr;
    Horiz = Vert = FSizeUnits == suAxis && A ? A->CalcSizeValue(FSizeFloat) : PixelRound(FSizeFloat);
    return;
  }
  Horiz = FHorizSize;
  Vert = FVertSize;
}

void TSeriesPointer::PrepareCanvas(TCanvas3D* ACanvas, TColor PointColor)
{
  if (!ACanvas)
    return;
  if (Pen()->Visible()) {
    TColor C;
    if (FDarkPen != 0) {
      const uint8_t Amount = static_cast<uint8_t>(std::min(std::abs(FDarkPen), 255));
      C = FDarkPen > 0 ? ApplyDark(PointColor, Amount) : ApplyBright(PointColor, Amount);
      C = (C & 0x00FFFFFFu) | (Pen()->Color() & 0xFF000000u);
    } else
      C = Pen()->Color() == clDefault ? PointColor : Pen()->Color();
    ACanvas->AssignVisiblePenColor(Pen(), C);
  } else if (ACanvas->Pen()->Visible())
    ACanvas->Pen()->SetStyle(psClear);
  TColor Fill = Brush()->Color();
  if (Fill == clDefault)
    Fill = Brush()->Style() != bsSolid && Brush()->Style() != bsClear ? Brush()->BackColor() : PointColor;
  ACanvas->AssignBrushColor(Brush(), Fill, PointColor);
}

void TSeriesPointer::Prepare() { PrepareCanvas(ChartCanvas(), Brush()->Color()); }

void TSeriesPointer::Draw(int32_t X, int32_t Y) { Draw(X, Y, Brush()->Color(), FStyle); }

void TSeriesPointer::Draw(int32_t X, int32_t Y, TColor Color, TSeriesPointerStyle AStyle)
{
  int32_t H = FHorizSize, V = FVertSize;
  if (FSizeFloat != 0)
    CalcSize(H, V);
  else if (FSizeUnits == suAxis && FSeries && FSeries->GetVertAxis()) {
    H = FSeries->GetVertAxis()->CalcSizeValue(FHorizSize);
    V = FSeries->GetVertAxis()->CalcSizeValue(FVertSize);
  }
  TCustomAxisPanel* Chart = FSeries ? FSeries->ParentChart() : nullptr;
  DrawPointer(ChartCanvas(), Chart && Chart->View3D(), X, Y, H, V, Color, AStyle);
}

void TSeriesPointer::DrawPointer(TCanvas3D* C, bool Is3D, int32_t PX, int32_t PY, int32_t H, int32_t V, TColor Color,
                                 TSeriesPointerStyle AStyle)
{
  if (!C || AStyle == psNothing || AStyle == psVisual)
    return;
  int32_t StartZ = 0, MiddleZ = 0, EndZ = 0;
  DepthRange(StartZ, MiddleZ, EndZ);
  const int32_t L = FCenterPixel ? PX - H : PX + 1 - H;
  const int32_t R = PX + H;
  const int32_t T = FCenterPixel ? PY - V : PY + 1 - V;
  const int32_t B = PY + V;
  const TRect Box{L, T, R, B};
  const int32_t h = V / 2;
  const std::array<TPoint, 6> Hexagon{TPoint{PX, T}, TPoint{R, PY - h}, TPoint{R, PY + h},
                                      TPoint{PX, B}, TPoint{L, PY + h}, TPoint{L, PY - h}};
  // Shadow and emboss, for the outlined styles only.
  if (HasShadowShape(AStyle))
    for (TZuzShadow* E : {static_cast<TZuzShadow*>(FShadow.get()), static_cast<TZuzShadow*>(FEmboss.get())}) {
      if (!E || !E->ShouldDraw())
        continue;
      const TColor OldColor = C->Brush()->Color();
      const TBrushStyle OldStyle = C->Brush()->Style();
      const TPenStyle OldPen = C->Pen()->Style();
      E->ZPosition = StartZ;
      if (AStyle == psRectangle)
        E->Draw(C, Box, 0, 0);
      else if (AStyle == psCircle)
        E->DrawEllipse(C, Box, 0, 0, 360);
      else if (AStyle == psDonut)
        E->DrawEllipse(C, Box, 50, 0, 360);
      else if (AStyle == psHexagon)
        E->Draw(C, Hexagon);
      else
        E->Draw(C, C->GetArrowPoints(50, TPoint{PX, T}, TPoint{PX, B}, H, V, StartZ));
      C->Brush()->SetColor(OldColor);
      C->Brush()->SetStyle(OldStyle);
      C->Pen()->SetStyle(OldPen);
    }
  std::unique_ptr<TZuzBlend> Blend;
  if (FTransparency != 0) {
    TRect Area;
    if (!C->SupportsAlpha()) {
      Area = TRect{L, T, R + 1, B + 1};
      if (Is3D && AStyle == psRectangle && FDraw3D && C->IsOrthogonal()) {
        Area.Right += EndZ - StartZ;
        Area.Top -= EndZ - StartZ;
      }
      if (Is3D)
        Area = C->CalcRect3D(Area, StartZ);
    }
    Blend = C->BeginBlending(Area, FTransparency);
  }
  const auto EndBlend = qScopeGuard([&] {
    if (Blend)
      C->EndBlending(std::move(Blend));
  });
  if (C->IsGradientVisible() && !FFullGradient) {
    Gradient()->SetEndColor(Color);
    C->Gradient()->SetEndColor(Color);
  }
  const bool Solid = Is3D && FDraw3D;
  const auto Triangle = [&](TPoint A, TPoint B2, TPoint C2) {
    if (Is3D)
      C->TriangleWithZ(A, B2, C2, StartZ);
    else {
      const TPoint P[3] = {A, B2, C2};
      C->Polygon(P);
    }
  };
  const auto Line = [&](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    if (Is3D)
      C->LineWithZ(X0, Y0, X1, Y1, StartZ);
    else
      C->Line(X0, Y0, X1, Y1);
  };
  switch (AStyle) {
  case psRectangle:
    if (Solid)
      C->Cube(L, R, T, B, StartZ, EndZ, FDark3D);
    else if (Is3D)
      C->RectangleWithZ(TRect{L, T, R + 1, B + 1}, StartZ);
    else
      C->Rectangle(L, T, R + 1, B + 1);
    break;
  case psCircle:
    if (Solid && C->SupportsFullRotation())
      C->Sphere(PX, PY, MiddleZ, FSizeFloat != 0 ? FSizeFloat : H);
    else if (Is3D)
      C->EllipseWithZ(L, T, R, B, StartZ);
    else
      C->Ellipse(L, T, R, B);
    break;
  case psTriangle:
  case psDownTriangle: {
    const bool Up = AStyle == psTriangle;
    if (Solid)
      C->Pyramid(true, L, Up ? PY - V : PY + V, R, Up ? PY + V : PY - V, StartZ, EndZ, FDark3D);
    else
      Triangle(TPoint{L, Up ? PY + V : PY - V}, TPoint{R, Up ? PY + V : PY - V}, TPoint{PX, Up ? PY - V : PY + V});
    break;
  }
  case psCross:
  case psDiagCross:
  case psStar:
    if (AStyle != psDiagCross) {
      Line(PX, T, PX, B + 1);
      Line(L, PY, R + 1, PY);
    }
    if (AStyle != psCross) {
      Line(L, T, R + 1, B + 1);
      Line(R, T, L - 1, B + 1);
    }
    break;
  case psDiamond: {
    const TPoint D[4] = {TPoint{L, PY}, TPoint{PX, T}, TPoint{R, PY}, TPoint{PX, B}};
    if (Is3D)
      C->PolygonWithZ(D, StartZ);
    else
      C->Polygon(D);
    break;
  }
  case psSmallDot:
    if (Is3D)
      C->SetPixel3D(PX, PY, MiddleZ, C->Brush()->Color());
    else
      C->SetPixel(PX, PY, C->Brush()->Color());
    break;
  case psLeftTriangle:
    Triangle(TPoint{L, PY}, TPoint{R, B}, TPoint{R, T});
    break;
  case psRightTriangle:
    Triangle(TPoint{R, PY}, TPoint{L, B}, TPoint{L, T});
    break;
  case psHexagon:
    if (Is3D)
      C->PolygonWithZ(Hexagon, StartZ);
    else
      C->Polygon(Hexagon);
    break;
  case psDonut:
    if (!Is3D || C->IsOrthogonal()) {
      const TPoint Centre = Is3D ? C->Calculate3DPosition(PX, PY, StartZ) : TPoint{PX, PY};
      C->Donut(Centre.X, Centre.Y, H, V, 0, 360, 50);
    } else
      C->EllipseWithZ(L, T, R, B, StartZ);
    break;
  case psArrow:
    C->Arrow(C->Brush()->Style() != bsClear, TPoint{PX, T}, TPoint{PX, B}, H, V, StartZ);
    break;
  case psNothing:
  case psVisual:
    break;
  }
  if (FPicture && FPicture->Valid()) {
    TRect PR = Box;
    if (Is3D && C->IsOrthogonal())
      PR = C->CalcRect3D(PR, StartZ);
    if (Is3D && !C->IsOrthogonal())
      C->StretchDraw(PR, FPicture->Filtered(), StartZ, cpZ);
    else {
      if (AStyle == psCircle)
        C->ClipEllipse(PR);
      C->StretchDraw(PR, FPicture->Filtered());
      if (AStyle == psCircle)
        C->UnClipRectangle();
    }
  }
}

bool TSeriesPointer::Clicked(TSeriesPointerStyle AStyle, const TPoint& P, int32_t X, int32_t Y)
{
  const TRect R{X - FHorizSize, Y - FVertSize, X + FHorizSize, Y + FVertSize};
  const int32_t Mid = (R.Top + R.Bottom) / 2;
  bool Hit = false;
  switch (AStyle) {
  case psCircle:
  case psHexagon:
  case psDonut:
    Hit = PointInEllipse(P, R);
    break;
  case psTriangle:
    Hit = PointInTriangle(P, R.Left, R.Right, R.Bottom, R.Top);
    break;
  case psDownTriangle:
    Hit = PointInTriangle(P, R.Left, R.Right, R.Top, R.Bottom);
    break;
  case psDiamond: {
    const TPoint D[4] = {TPoint{X, R.Top}, TPoint{R.Right, Mid}, TPoint{X, R.Bottom}, TPoint{R.Left, Mid}};
    Hit = PointInPolygon(P, D, 3);
    break;
  }
  case psLeftTriangle:
    Hit = PointInHorizTriangle(P, R.Top, R.Bottom, R.Right, R.Left);
    break;
  case psRightTriangle:
    Hit = PointInHorizTriangle(P, R.Top, R.Bottom, R.Left, R.Right);
    break;
  case psArrow: {
    TCanvas3D* C = ChartCanvas();
    if (C) {
      const TPointArray A = C->GetArrowPoints(50, TPoint{X, R.Bottom}, TPoint{X, R.Top}, FHorizSize, FVertSize, 0);
      Hit = PointInPolygon(P, A, static_cast<int32_t>(A.size()) - 1);
    }
    break;
  }
  case psNothing:
    Hit = false;
    break;
  default:
    Hit = std::abs(X - P.X) < FHorizSize && std::abs(Y - P.Y) < FVertSize;
    break;
  }
  if (Hit && FSeries)
    FSeries->IClickedPart = scpPointer;
  return Hit;
}
