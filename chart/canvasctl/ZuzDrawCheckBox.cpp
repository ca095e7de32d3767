#include "chart/canvasctl/ZuzDrawCheckBox.h"
#include "chart/canvasctl/EditColor.h"

#include "platform/Canvas.h"
#include "chart/canvas/ZuzCanvas.h"

#include <QPainter>

void ZuzDrawCheckBox(int32_t X, int32_t Y, TCanvas* Canvas, bool Checked, TColor, bool CheckBox)
{
  if (!Canvas)
    return;
  Canvas->SetTextAlign(TA_LEFT | TA_TOP);
  QPainter* P = Canvas->Painter();
  if (!P)
    return;
  // The look of the classic frame control: a sunken white box with a black
  // tick, or a sunken white circle with a black dot.
  P->save();
  P->setRenderHint(QPainter::Antialiasing, !CheckBox);
  const QColor Shadow(128, 128, 128), Dark(64, 64, 64), Light(227, 227, 227);
  if (CheckBox) {
    P->fillRect(X, Y, 13, 13, Qt::white);
    P->setPen(Shadow);
    P->drawLine(X, Y, X + 12, Y);
    P->drawLine(X, Y, X, Y + 12);
    P->setPen(Dark);
    P->drawLine(X + 1, Y + 1, X + 11, Y + 1);
    P->drawLine(X + 1, Y + 1, X + 1, Y + 11);
    P->setPen(Qt::white);
    P->drawLine(X, Y + 12, X + 12, Y + 12);
    P->drawLine(X + 12, Y, X + 12, Y + 12);
    P->setPen(Light);
    P->drawLine(X + 1, Y + 11, X + 11, Y + 11);
    P->drawLine(X + 11, Y + 1, X + 11, Y + 11);
    if (Checked) {
      P->setPen(Qt::black);
      for (int i = 0; i < 3; ++i) {
        P->drawLine(X + 3, Y + 5 + i, X + 5, Y + 7 + i);
        P->drawLine(X + 5, Y + 7 + i, X + 9, Y + 3 + i);
      }
    }
  } else {
    P->setPen(Shadow);
    P->setBrush(Qt::white);
    P->drawEllipse(QRectF(X + 0.5, Y + 0.5, 12, 12));
    if (Checked) {
      P->setPen(Qt::NoPen);
      P->setBrush(Qt::black);
      P->drawEllipse(QRectF(X + 4, Y + 4, 5, 5));
    }
  }
  P->restore();
}

namespace {
void CheckBoxHook(TCanvas* Canvas, int32_t X, int32_t Y, bool Checked, TColor ABackColor, bool CheckBox)
{
  ZuzDrawCheckBox(X, Y, Canvas, Checked, ABackColor, CheckBox);
}
} // namespace

void InitializeCanvasControls() { ZuzDrawCheckBoxHook = CheckBoxHook; }

void FinalizeCanvasControls()
{
  if (ZuzDrawCheckBoxHook == CheckBoxHook)
    ZuzDrawCheckBoxHook = nullptr;
  FreeZuzCustomColorList();
}
