#include "platform/DrawControls.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Graphics.h"
#include "platform/QtConvert.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
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

enum TThemeClass : uintptr_t { tcNone, tcButton, tcCombo, tcSpin, tcHeader, tcProgress };

// A classic check box or radio button: a sunken white square (a circle for
// the radio button) with its tick or dot.
void CheckOrRadio(TCanvas* C, const TRect& R, uint32_t State)
{
  const uint32_t Kind = State & 0x1F;
  const bool Inactive = State & DFCS_INACTIVE;
  const bool Checked = State & DFCS_CHECKED;
  const TColor Face = Inactive || (State & DFCS_PUSHED) ? clBtnFace : clWindow;
  const TColor Mark = Inactive || Kind == DFCS_BUTTON3STATE ? clGrayText : clWindowText;
  QPainter* P = C->Painter();
  if (!P)
    return;
  const int32_t Side = std::min(R.Right - R.Left, R.Bottom - R.Top);
  const QRect Box(R.Left + (R.Right - R.Left - Side) / 2, R.Top + (R.Bottom - R.Top - Side) / 2, Side, Side);
  P->save();
  P->setRenderHint(QPainter::Antialiasing, Kind == DFCS_BUTTONRADIO);
  if (Kind == DFCS_BUTTONRADIO) {
    const QRectF Round = QRectF(Box).adjusted(0.5, 0.5, -0.5, -0.5);
    P->setPen(QPen(ToQColor(clBtnShadow), 1));
    P->setBrush(ToQColor(Face));
    P->drawEllipse(Round);
    if (!(State & DFCS_FLAT)) {
      P->setPen(QPen(ToQColor(cl3DDkShadow), 1));
      P->drawArc(Round.adjusted(1, 1, -1, -1), 45 * 16, 180 * 16);
    }
    if (Checked) {
      const qreal D = Side / 3.0;
      P->setPen(Qt::NoPen);
      P->setBrush(ToQColor(Mark));
      P->drawEllipse(QRectF(Box).center() + QPointF(0.5, 0.5), D / 2, D / 2);
    }
  } else {
    const TRect Square{Box.left(), Box.top(), Box.left() + Side, Box.top() + Side};
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Face);
    C->FillRect(Square);
    if (State & DFCS_FLAT)
      DrawEdge(C, Square, 0, BF_RECT | BF_FLAT);
    else
      DrawEdge(C, Square, EDGE_SUNKEN, BF_RECT);
    if (Checked) {
      // The tick: three pixels thick, from the left middle down and up to
      // the right.
      const int32_t X0 = Square.Left + Side / 4, Y0 = Square.Top + Side / 2 - 1;
      const int32_t Down = std::max(2, Side / 5), Up = std::max(3, Side / 3);
      C->Brush()->SetColor(Mark);
      for (int32_t I = 0; I <= Down + Up; ++I) {
        const int32_t Y = I <= Down ? Y0 + I : Y0 + Down - (I - Down);
        C->FillRect(TRect{X0 + I, Y, X0 + I + 1, Y + 3});
      }
    }
  }
  P->restore();
}

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
  if (Type == DFC_BUTTON && (State & 0x1F) != DFCS_BUTTONPUSH) {
    CheckOrRadio(Canvas, R, State);
    Canvas->Brush()->SetColor(SavedBrush);
    return;
  }
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
  if (C == QStringLiteral("progress"))
    return tcProgress;
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
  case tcButton:
    if (Part == 2 || Part == 3) {
      // States 1-4 unchecked, 5-8 checked, 9-12 mixed; each normal, hot,
      // pressed, disabled.
      const int32_t Within = (State - 1) % 4 + 1, Mark = (State - 1) / 4;
      QStyleOptionButton O;
      O.rect = Box;
      O.state = QStyle::State_None;
      if (Within != 4)
        O.state |= QStyle::State_Enabled;
      if (Within == 2)
        O.state |= QStyle::State_MouseOver;
      if (Within == 3)
        O.state |= QStyle::State_Sunken;
      O.state |= Mark == 1 ? QStyle::State_On : Mark == 2 ? QStyle::State_NoChange : QStyle::State_Off;
      O.palette = QApplication::palette();
      S->drawPrimitive(Part == 2 ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &O, P);
      break;
    }
    {
      QStyleOptionButton O;
      O.rect = Box;
      O.state = St;
      O.palette = QApplication::palette();
      S->drawControl(QStyle::CE_PushButtonBevel, &O, P);
    }
    break;
  case tcProgress: {
    // The bar is the groove, the chunk the filled part.
    QStyleOptionProgressBar O;
    O.rect = Box;
    O.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    O.palette = QApplication::palette();
    O.minimum = 0;
    O.maximum = 100;
    O.progress = Part == 3 ? 100 : 0;
    S->drawControl(Part == 3 ? QStyle::CE_ProgressBarContents : QStyle::CE_ProgressBarGroove, &O, P);
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
