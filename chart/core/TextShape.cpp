#include "chart/core/TextShape.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "platform/CanvasMath.h"
#include "platform/Published.h"

#include <QScopeGuard>
#include <QStringList>

#include <algorithm>

namespace {

const TEnumInfo MarginUnitsInfo("TMarginUnits", {"maPercentFont", "maPercentSize", "maPixels"});

[[maybe_unused]] const TClassInfo& MarginsClass = PublishClass<TMargins>(
    "TMargins", "TPersistent",
    {
        PropInt("Left", &TMargins::Left, &TMargins::SetLeft).Stored(&TMargins::IsLeftStored),
        PropInt("Top", &TMargins::Top, &TMargins::SetTop).Stored(&TMargins::IsTopStored),
        PropInt("Right", &TMargins::Right, &TMargins::SetRight).Stored(&TMargins::IsRightStored),
        PropInt("Bottom", &TMargins::Bottom, &TMargins::SetBottom).Stored(&TMargins::IsBottomStored),
        PropEnum("Units", &TMargins::Units, &TMargins::SetUnits, MarginUnitsInfo, maPercentFont),
    });

using A = TAutomaticText;
[[maybe_unused]] const TClassInfo& AutomaticTextClass =
    PublishClass<A>("TAutomaticText", "TPersistent",
                    {
                        PropBool("Hide", &A::Hide, &A::SetHide, true),
                        PropBool("Move", &A::Move, &A::SetMove, true),
                        PropBool("Resize", &A::Resize, &A::SetResize, true),
                        PropBool("Rotate", &A::Rotate, &A::SetRotate, true),
                        PropBool("Trim", &A::Trim, &A::SetTrim, true),
                        PropBool("Wrap", &A::Wrap, &A::SetWrap, true),
                    });

const TEnumInfo AlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
const TEnumInfo TextFormatInfo("TTextFormat", {"ttfNormal", "ttfHtml"});

using T = TCustomTextShape;
[[maybe_unused]] const TClassInfo& TextShapeClass =
    PublishClass<T>("TCustomTextShape", "TZuzCustomShape",
                    {
                        PropObj("Brush", &T::Brush, &T::SetBrush),
                        PropObj("Frame", &T::Frame, &T::SetFrame),
                        PropObj("Margins", &T::Margins, &T::SetMargins),
                        PropEnum("TextAlignment", &T::TextAlignment, &T::SetTextAlignment, AlignmentInfo)
                            .Stored(&T::IsTextAlignmentStored),
                        PropEnum("TextFormat", &T::TextFormat, &T::SetTextFormat, TextFormatInfo, ttfNormal),
                        PropInt("Transparency", &T::Transparency, &T::SetTransparency, 0),
                    });

// Rounds half to even, on a single-precision factor as the margins were
// always computed.
int32_t Percent(int32_t Margin, int32_t Of) { return PixelRound(double(Margin * float(Of * 0.01f))); }

} // namespace

// ---------------------------------------------------------------------------
// TMargins

TMargins::TMargins(TZuzCustomShapeBrushPen* AParent) : IParent(AParent) {}

String TMargins::ClassName() const { return QStringLiteral("TMargins"); }

void TMargins::Assign(TPersistent* Source)
{
  auto* M = dynamic_cast<TMargins*>(Source);
  if (!M) {
    TPersistent::Assign(Source);
    return;
  }
  FLeft = M->FLeft;
  FTop = M->FTop;
  FRight = M->FRight;
  FBottom = M->FBottom;
  FUnits = M->FUnits;
}

template <class T>
void TMargins::Change(T& Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  if (IParent)
    IParent->Repaint();
}

void TMargins::SetLeft(int32_t Value) { Change(FLeft, Value); }
void TMargins::SetTop(int32_t Value) { Change(FTop, Value); }
void TMargins::SetRight(int32_t Value) { Change(FRight, Value); }
void TMargins::SetBottom(int32_t Value) { Change(FBottom, Value); }
void TMargins::SetUnits(TMarginUnits Value) { Change(FUnits, Value); }

void TMargins::SetDefaultHoriz(int32_t Value)
{
  DefaultHoriz = Value;
  FLeft = FRight = Value;
}

void TMargins::SetDefaultVert(int32_t Value)
{
  DefaultVert = Value;
  FTop = FBottom = Value;
}

void TMargins::Calculate(int32_t Width, int32_t Height, int32_t FontSize)
{
  switch (FUnits) {
  case maPercentFont:
    ILast =
        TRect{Percent(FLeft, FontSize), Percent(FTop, FontSize), Percent(FRight, FontSize), Percent(FBottom, FontSize)};
    break;
  case maPercentSize:
    ILast = TRect{Percent(FLeft, Width), Percent(FTop, Height), Percent(FRight, Width), Percent(FBottom, Height)};
    break;
  case maPixels:
    ILast = TRect{FLeft, FTop, FRight, FBottom};
    break;
  }
}

// ---------------------------------------------------------------------------
// TAutomaticText

TAutomaticText::TAutomaticText(TNotifyEvent AChanged) : FChanged(std::move(AChanged)) {}

String TAutomaticText::ClassName() const { return QStringLiteral("TAutomaticText"); }

void TAutomaticText::Assign(TPersistent* Source)
{
  auto* T = dynamic_cast<TAutomaticText*>(Source);
  if (!T) {
    TPersistent::Assign(Source);
    return;
  }
  FHide = T->FHide;
  FMove = T->FMove;
  FResize = T->FResize;
  FRotate = T->FRotate;
  FTrim = T->FTrim;
  FWrap = T->FWrap;
}

void TAutomaticText::Change(bool& Field, bool Value)
{
  if (Field == Value)
    return;
  Field = Value;
  if (FChanged)
    FChanged(this);
}

void TAutomaticText::SetHide(bool Value) { Change(FHide, Value); }
void TAutomaticText::SetMove(bool Value) { Change(FMove, Value); }
void TAutomaticText::SetResize(bool Value) { Change(FResize, Value); }
void TAutomaticText::SetRotate(bool Value) { Change(FRotate, Value); }
void TAutomaticText::SetTrim(bool Value) { Change(FTrim, Value); }
void TAutomaticText::SetWrap(bool Value) { Change(FWrap, Value); }

// ---------------------------------------------------------------------------
// TCustomTextShape

TCustomTextShape::TCustomTextShape(TCustomZuzPanel* AOwner)
    : TZuzCustomShape(AOwner), FMargins(std::make_unique<TMargins>(this))
{
}

TCustomTextShape::~TCustomTextShape() = default;

String TCustomTextShape::ClassName() const { return QStringLiteral("TCustomTextShape"); }

String TCustomTextShape::GetEditorClass() const { return QStringLiteral("TTextShapeEditor"); }

std::unique_ptr<TZuzCustomShape> TCustomTextShape::CreateChild(TCustomZuzPanel* Panel) const
{
  return std::make_unique<TCustomTextShape>(Panel);
}

void TCustomTextShape::Assign(TPersistent* Source)
{
  if (auto* T = dynamic_cast<TCustomTextShape*>(Source)) {
    FClipText = T->FClipText;
    FCursor = T->FCursor;
    FMargins->Assign(T->FMargins.get());
    FText = T->FText;
    FTextAlign = T->FTextAlign;
    FTextFormat = T->FTextFormat;
    FVertTextAlign = T->FVertTextAlign;
  }
  TZuzCustomShape::Assign(Source);
}

void TCustomTextShape::ChangedText() { Repaint(); }

void TCustomTextShape::SetText(const String& Value)
{
  if (FText == Value)
    return;
  FText = Value;
  ChangedText();
}

void TCustomTextShape::SetClipText(bool Value)
{
  if (FClipText != Value) {
    FClipText = Value;
    Repaint();
  }
}

void TCustomTextShape::SetMargins(TMargins* Value) { FMargins->Assign(Value); }

void TCustomTextShape::SetTextAlignment(TAlignment Value)
{
  if (FTextAlign != Value) {
    FTextAlign = Value;
    Repaint();
  }
}

void TCustomTextShape::InitTextAlignment(TAlignment Value)
{
  FTextAlign = Value;
  IDefaultTextAlign = Value;
}

void TCustomTextShape::SetTextFormat(TZuzTextFormat Value)
{
  if (FTextFormat != Value) {
    FTextFormat = Value;
    Repaint();
  }
}

void TCustomTextShape::SetVertTextAlign(TVertTextAlign Value)
{
  if (FVertTextAlign != Value) {
    FVertTextAlign = Value;
    Repaint();
  }
}

void TCustomTextShape::SelectFont(TCustomZuzPanel* Panel)
{
  if (IDraw2D)
    Panel->TryAssignFont(Font());
  else
    Panel->PrepareFont3D(Font());
}

void TCustomTextShape::CalcTextSize(TCustomZuzPanel* Panel, const String& AText, TPoint& Size, int32_t& NumLines,
                                    TZuzTextFormat Format)
{
  Size = Panel->MultiLineTextSize(AText, Format, NumLines);
}

void TCustomTextShape::CalcBounds(TCustomZuzPanel* Panel)
{
  TZuzCustomShape::CalcBounds(Panel);
  INumLines = 0;
  if (FText.isEmpty() || !Panel)
    return;
  SelectFont(Panel);
  TPoint Size;
  CalcTextSize(Panel, FText, Size, INumLines, FTextFormat);
  if (!AutoSize())
    return;
  const int32_t TextHeight = Size.Y;
  if (Pen()->Visible() && !Transparent()) {
    Size.X += Pen()->Width() + 1;
    Size.Y += Pen()->Width() + 1;
  }
  if (Transparent())
    FMargins->Reset();
  else
    FMargins->Calculate(Size.X, Size.Y, TextHeight);
  Size.X += 2 * FMargins->HorizSize();
  if (ChildLayout() == slTopBottom) {
    ShapeBounds.Right = std::max(ShapeBounds.Right, ShapeBounds.Left + Size.X);
    ShapeBounds.Bottom += FMargins->VertSize() + Size.Y;
  } else {
    ShapeBounds.Bottom = std::max(ShapeBounds.Bottom, ShapeBounds.Top + Size.Y);
    ShapeBounds.Right += FMargins->HorizSize() + Size.X;
  }
}

int32_t TCustomTextShape::FirstChildPos() const
{
  int32_t Pos = TZuzCustomShape::FirstChildPos();
  if (Pen()->Visible() && !Transparent())
    Pos += Pen()->Width() / 2;
  TCustomZuzPanel* Panel = ParentChart();
  if (!Panel || INumLines == 0)
    return Pos;
  if (ChildLayout() == slLeftRight) {
    int32_t Lines = 0;
    return Pos + Panel->MultiLineTextWidth(FText, Lines, FTextFormat) + FMargins->ILast.Left;
  }
  return Pos + FMargins->ILast.Top + INumLines * Panel->InternalCanvas()->TextHeight(QStringLiteral("W"));
}

void TCustomTextShape::CalcTextAlign(TCustomZuzPanel* Panel, int32_t& X, const String&, const TRect& R)
{
  TCanvas3D* C = Panel->InternalCanvas();
  switch (FTextAlign) {
  case taLeftJustify:
    C->SetTextAlign(TA_LEFT);
    X = R.Left + FMargins->ILast.Left;
    break;
  case taCenter:
    C->SetTextAlign(TA_CENTER);
    X = (R.Left + R.Right) / 2;
    break;
  case taRightJustify:
    C->SetTextAlign(TA_RIGHT);
    X = R.Right - FMargins->ILast.Right;
    break;
  }
}

void TCustomTextShape::DrawString(TCustomZuzPanel* Panel, int32_t X, int32_t Y, int32_t Z, const String& AText,
                                  bool Html, int32_t Angle, const TPoint& Center)
{
  TCanvas3D* C = Panel->InternalCanvas();
  const bool Flat = IDraw2D || (Z == 0 && !C->SupportsFullRotation());
  if (Angle != 0) {
    C->IUseTextCenter = true;
    C->ITextCenter = Center;
    const auto Off = qScopeGuard([C] { C->IUseTextCenter = false; });
    if (Flat)
      C->RotateLabel(X, Y, AText, Angle, Html);
    else
      C->RotateLabel3D(X, Y, Z, AText, Angle, Html);
  } else if (Flat)
    C->TextOut(X, Y, AText, Html);
  else
    C->TextOut3D(X, Y, Z, AText, Html);
}

void TCustomTextShape::DoDraw(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ)
{
  TZuzCustomShape::DoDraw(Panel, R, Angle, AZ);
  DoDrawText(Panel, R, Angle, AZ);
}

void TCustomTextShape::DoDraw(TCustomZuzPanel* Panel, std::span<const TPoint> Points, const TRect& R, int32_t Angle,
                              int32_t AZ)
{
  TZuzCustomShape::DoDraw(Panel, Points, R, Angle, AZ);
  DoDrawText(Panel, R, Angle, AZ);
}

void TCustomTextShape::DoDrawText(TCustomZuzPanel* Panel, const TRect& R, int32_t Angle, int32_t AZ)
{
  TCanvas3D* C = Panel->InternalCanvas();
  C->SetBackMode(cbmTransparent);
  SelectFont(Panel);
  String All = FText;
  All.remove(QLatin1Char('\n'));
  if (All.isEmpty())
    All = QStringLiteral(" ");
  int32_t Y = R.Top + FMargins->ILast.Top;
  if (Pen()->Visible() && !Transparent())
    Y += Pen()->Width() / 2 + 1;
  int32_t X = 0;
  CalcTextAlign(Panel, X, All, R);
  X += ITextOffset;
  const TPoint Center{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  const bool Clip = FClipText && (ITextOffset != 0 || (!AutoSize() && Angle == 0));
  if (Clip)
    C->ClipRectangle(R);
  const auto UnClip = qScopeGuard([&] {
    if (Clip)
      C->UnClipRectangle();
  });
  const bool Html = FTextFormat == ttfHtml;
  const int32_t Z = C->SupportsFullRotation() ? AZ : 0;
  const QStringList Lines = All.split(ZuzTextLineBreak);
  int32_t LineHeight = -1;
  for (int32_t I = 0; I < INumLines && I < Lines.size(); ++I) {
    const String& Line = Lines[I];
    if (!Line.isEmpty())
      DrawString(Panel, X, Y, Z, Line, Html, Angle, Center);
    if (INumLines > 1) {
      if (Html && ZuzHtmlTextExtent)
        Y += ZuzHtmlTextExtent(C, Line).Y;
      else {
        if (LineHeight < 0)
          LineHeight = C->TextHeight(QStringLiteral("W"));
        Y += LineHeight;
      }
    }
  }
}
