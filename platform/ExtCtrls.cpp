#include "platform/ExtCtrls.h"

#include "platform/Canvas.h"

#include <algorithm>

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks |
                  csParentBackground);
  SetColor(clBtnFace);
  SetBounds(Left(), Top(), 185, 41);
}

TCustomPanel::~TCustomPanel() = default;

String TCustomPanel::ClassName() const { return QStringLiteral("TCustomPanel"); }

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
  if (FBevelInner == Value)
    return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
  if (FBevelOuter == Value)
    return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int32_t Value)
{
  Value = std::max(1, Value);
  if (FBevelWidth == Value)
    return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int32_t Value)
{
  Value = std::max(0, Value);
  if (FBorderWidth == Value)
    return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
  TCustomControl::AdjustClientRect(Rect);
  int32_t Inset = FBorderWidth;
  if (FBorderStyle == bsSingle)
    ++Inset;
  if (FBevelOuter != bvNone)
    Inset += FBevelWidth;
  if (FBevelInner != bvNone)
    Inset += FBevelWidth;
  Rect = TRect{Rect.Left + Inset, Rect.Top + Inset, Rect.Right - Inset, Rect.Bottom - Inset};
}

namespace {
void BevelColors(TBevelCut Bevel, TColor& TopColor, TColor& BottomColor)
{
  TopColor = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  BottomColor = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}
} // namespace

void TCustomPanel::Paint()
{
  TCanvas* C = Canvas();
  TRect R = ClientRect();
  TColor TopColor = clBtnHighlight, BottomColor = clBtnShadow;
  if (FBorderStyle == bsSingle)
    Frame3D(C, R, clWindowFrame, clWindowFrame, 1);
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, TopColor, BottomColor);
    Frame3D(C, R, TopColor, BottomColor, FBevelWidth);
  }
  Frame3D(C, R, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, TopColor, BottomColor);
    Frame3D(C, R, TopColor, BottomColor, FBevelWidth);
  }
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(R);
  const String Text = Caption();
  if (!Text.isEmpty()) {
    C->Brush()->SetStyle(bsClear);
    C->Font()->Assign(Font());
    const int32_t W = C->TextWidth(Text);
    const int32_t H = C->TextHeight(QStringLiteral("W"));
    int32_t X = R.Left;
    if (FAlignment == taCenter)
      X = (R.Left + R.Right - W) / 2;
    else if (FAlignment == taRightJustify)
      X = R.Right - W;
    C->SetBkMode(TRANSPARENT);
    C->TextOut(X, (R.Top + R.Bottom - H) / 2, Text);
  }
  TCustomControl::Paint();
}

TPanel::TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
TPanel::~TPanel() = default;
String TPanel::ClassName() const { return QStringLiteral("TPanel"); }

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int32_t Width)
{
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);
  --Rect.Bottom;
  --Rect.Right;
  while (Width-- > 0) {
    const TPoint TopLeft{Rect.Left, Rect.Top};
    const TPoint TopRight{Rect.Right, Rect.Top};
    const TPoint BottomLeft{Rect.Left, Rect.Bottom};
    const TPoint BottomRight{Rect.Right, Rect.Bottom};
    Canvas->Pen()->SetColor(TopColor);
    const TPoint Top[] = {BottomLeft, TopLeft, TopRight};
    Canvas->Polyline(Top);
    Canvas->Pen()->SetColor(BottomColor);
    const TPoint Bottom[] = {TopRight, BottomRight, TPoint{BottomLeft.X - 1, BottomLeft.Y}};
    Canvas->Polyline(Bottom);
    Rect = TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
  }
  ++Rect.Bottom;
  ++Rect.Right;
}
