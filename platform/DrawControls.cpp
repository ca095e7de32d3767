#include "platform/DrawControls.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <array>

namespace {

void HLine(TCanvas* C, int32_t X1, int32_t X2, int32_t Y, TColor Color)
{
  C->Brush()->SetColor(Color);
  C->FillRect(TRect{X1, Y, X2, Y + 1});
}

void VLine(TCanvas* C, int32_t X, int32_t Y1, int32_t Y2, TColor Color)
{
  C->Brush()->SetColor(Color);
  C->FillRect(TRect{X, Y1, X + 1, Y2});
}

// One ring of an edge: light at the top and left, dark at the bottom and
// right.
void Ring(TCanvas* C, const TRect& R, TColor Light, TColor Dark, uint32_t Flags)
{
  if (Flags & BF_TOP)
    HLine(C, R.Left, R.Right - 1, R.Top, Light);
  if (Flags & BF_LEFT)
    VLine(C, R.Left, R.Top, R.Bottom - 1, Light);
  if (Flags & BF_BOTTOM)
    HLine(C, R.Left, R.Right, R.Bottom - 1, Dark);
  if (Flags & BF_RIGHT)
    VLine(C, R.Right - 1, R.Top, R.Bottom, Dark);
}

// A small filled triangle pointing up or down, centred in R.
void Arrow(TCanvas* C, const TRect& R, bool Up, TColor Color)
{
  const int32_t CX = R.Left + (R.Right - R.Left) / 2;
  const int32_t CY = R.Top + (R.Bottom - R.Top) / 2;
  for (int32_t I = 0; I < 4; ++I) {
    const int32_t Y = Up ? CY - 2 + I : CY + 1 - I;
    HLine(C, CX - I, CX + I + 1, Y, Color);
  }
}

QStyle* Style() { return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr; }

enum TThemeClass : uintptr_t { tcNone, tcButton, tcCombo, tcSpin, tcHeader };

} // namespace

void DrawEdge(TCanvas* Canvas, const TRect& R, uint32_t Edge, uint32_t Flags)
{
  if (!Canvas || R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  const TColor SavedBrush = Canvas->Brush()->Color();
  const TBrushStyle SavedStyle = Canvas->Brush()->Style();
  Canvas->Brush()->SetStyle(bsSolid);
  if (Flags & BF_MIDDLE) {
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(R);
  }
  if (Flags & BF_FLAT) {
    Ring(Canvas, R, clBtnShadow, clBtnShadow, Flags);
  } else {
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
      const bool Raised = Edge & BDR_RAISEDOUTER;
      Ring(Canvas, R, Raised ? cl3DLight : clBtnShadow, Raised ? cl3DDkShadow : clBtnHighlight, Flags);
    }
    if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
      const bool Raised = Edge & BDR_RAISEDINNER;
      const bool Outer = Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
      const TRect Inner = Outer ? TRect{R.Left + (Flags & BF_LEFT ? 1 : 0), R.Top + (Flags & BF_TOP ? 1 : 0),
                                        R.Right - (Flags & BF_RIGHT ? 1 : 0), R.Bottom - (Flags & BF_BOTTOM ? 1 : 0)}
                                : R;
      Ring(Canvas, Inner, Raised ? clBtnHighlight : cl3DDkShadow, Raised ? clBtnShadow : cl3DLight, Flags);
    }
  }
  Canvas->Brush()->SetColor(SavedBrush);
  Canvas->Brush()->SetStyle(SavedStyle);
}

void DrawFrameControl(TCanvas* Canvas, const TRect& R, uint32_t Type, uint32_t State)
{
  if (!Canvas || R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  const TColor SavedBrush = Canvas->Brush()->Color();
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(clBtnFace);
  Canvas->FillRect(R);
  if (State & DFCS_FLAT)
    DrawEdge(Canvas, R, 0, BF_RECT | BF_FLAT);
  else
    DrawEdge(Canvas, R, State & DFCS_PUSHED ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (Type == DFC_SCROLL) {
    TRect Glyph = R;
    if (State & DFCS_PUSHED) {
      ++Glyph.Left;
      ++Glyph.Top;
    }
    const bool Up = (State & 0xFF) == DFCS_SCROLLUP;
    Arrow(Canvas, Glyph, Up, State & DFCS_INACTIVE ? clGrayText : clBtnText);
  }
  Canvas->Brush()->SetColor(SavedBrush);
}

bool IsThemeActive() { return Style() != nullptr; }

HTHEME OpenThemeData(const String& ClassList)
{
  if (!IsThemeActive())
    return tcNone;
  const String C = ClassList.toLower();
  if (C == QStringLiteral("button"))
    return tcButton;
  if (C == QStringLiteral("combobox"))
    return tcCombo;
  if (C == QStringLiteral("spin"))
    return tcSpin;
  if (C == QStringLiteral("header"))
    return tcHeader;
  return tcNone;
}

void CloseThemeData(HTHEME) {}

void DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, int32_t Part, int32_t State, const TRect& R)
{
  QStyle* S = Style();
  if (!S || !Canvas || Theme == tcNone || R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  QPainter* P = Canvas->Painter();
  if (!P)
    return;
  const QRect Box(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
  QStyle::State St = QStyle::State_None;
  if (State != 4)
    St |= QStyle::State_Enabled;
  if (State == 2)
    St |= QStyle::State_MouseOver;
  St |= State == 3 ? QStyle::State_Sunken : QStyle::State_Raised;
  P->save();
  switch (Theme) {
  case tcButton: {
    QStyleOptionButton O;
    O.rect = Box;
    O.state = St;
    O.palette = QApplication::palette();
    S->drawControl(QStyle::CE_PushButtonBevel, &O, P);
    break;
  }
  case tcCombo:
  case tcSpin: {
    QStyleOptionButton O;
    O.rect = Box;
    O.state = St;
    O.palette = QApplication::palette();
    S->drawPrimitive(QStyle::PE_PanelButtonCommand, &O, P);
    QStyleOption A;
    A.rect = Box.adjusted(2, 2, -2, -2);
    A.state = St;
    A.palette = O.palette;
    const bool Up = Theme == tcSpin && Part == 1;
    S->drawPrimitive(Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &A, P);
    break;
  }
  case tcHeader: {
    QStyleOptionHeader O;
    O.rect = Box;
    O.state = St;
    O.palette = QApplication::palette();
    O.position = Part == 3 ? QStyleOptionHeader::End : QStyleOptionHeader::Middle;
    S->drawControl(QStyle::CE_HeaderSection, &O, P);
    break;
  }
  default:
    break;
  }
  P->restore();
}
