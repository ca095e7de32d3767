// The string grid's cell paint pipeline: after the base grid's pass has
// painted a cell's background and lines, DrawGridCell adds the fixed-cell
// looks, the buttons shown always, the text, the borders, the cell graphic,
// the user's drawing events and the focus rectangle.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/rurutil.h"
#include "grid/core/BackGround.h"
#include "grid/core/GridAppearance.h"
#include "grid/core/GridSettings.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/DrawControls.h"
#include "platform/Graphics.h"

#include <algorithm>
#include <cmath>

void TZurEvoderOzod::Paint()
{
  Canvas()->Pen()->SetStyle(psSolid);
  Canvas()->Brush()->SetStyle(bsSolid);
  TBaseGrid::Paint();
  if (FEditing) {
    const bool Lines = GridLineWidth() > 0 && (Options() & (GridOptionBit(goVertLine) | GridOptionBit(goHorzLine)));
    const TRect R = CellRect(Col(), Row());
    Canvas()->Pen()->SetColor(Lines ? GridLineColor() : Color());
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Rectangle(R.Left - 1, R.Top - 1, R.Right, R.Bottom);
    Canvas()->Brush()->SetStyle(bsSolid);
  }
  Canvas()->Pen()->SetColor(clBlack);
  if (OnPainted)
    OnPainted(this);
}

// ---------------------------------------------------------------- fixed cells

void TZurEvoderOzod::DrawFixedLook(TCanvas* Canvas, int32_t ACol, int32_t RCol, int32_t ARow, TRect& ARect,
                                   TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo)
{
  if (FLook != glZID && FLook != glXP && FLook != glVista && FLook != glWin7 && FLook != glOffice2007)
    return;
  const bool HoverAllowed = FHoverFixedCells == hfAll ||
                            (FHoverFixedCells == hfFixedRows && ARow < TBaseGrid::FixedRows()) ||
                            (FHoverFixedCells == hfFixedColumns && ACol < TBaseGrid::FixedCols());
  const bool Moving = FMoveCell >= 0;
  const bool Hovered = (ACol == FHoverFixedX && ARow == FHoverFixedY && !Moving) || (Moving && ACol == FMoveCell);
  if (HoverAllowed && Hovered && !(ComponentState() & csDesigning)) {
    ++ARect.Bottom;
    if (!FMouseDownMove && !Moving) {
      DrawVistaGradient(Canvas, ARect, FZURGrad[fgHoverFrom], FZURGrad[fgHoverTo], FZURGrad[fgHoverMirrorFrom],
                        FZURGrad[fgHoverMirrorTo], true, FZURGrad[fgHoverBorder], false, true);
    } else {
      DrawVistaGradient(Canvas, ARect, FZURGrad[fgDownFrom], FZURGrad[fgDownTo], FZURGrad[fgDownMirrorFrom],
                        FZURGrad[fgDownMirrorTo], true, FZURGrad[fgDownBorder], false, true);
    }
    return;
  }
  const bool ActiveHeader = FActiveCellShow && ((ACol < TBaseGrid::FixedCols() && ARow == Row()) ||
                                                (ARow < TBaseGrid::FixedRows() && ACol == Col()));
  if (ActiveHeader) {
    DrawVistaGradient(Canvas, ARect, FActiveCellColor, FActiveCellColorTo, clNone, clNone, true, clNone, false, true);
    return;
  }
  const TColor Border = FLook == glVista ? clWhite : clNone;
  if (FLook != glSoft && FLook != glXP) {
    --ARect.Right;
    --ARect.Bottom;
  }
  const TSortSettings* S = FSortSettings.get();
  const bool SortHeader = S->Column() != -1 && S->Column() == RCol && S->HeaderColor() != clNone &&
                          ARow < TBaseGrid::FixedRows() && (ACol >= TBaseGrid::FixedCols() || S->FixedCols());
  if (SortHeader)
    DrawVistaGradient(Canvas, ARect, S->HeaderColor(), S->HeaderColorTo(), S->HeaderMirrorColor(),
                      S->HeaderMirrorColorTo(), true, Border, true, true);
  else if (!FFlat)
    DrawVistaGradient(Canvas, ARect, Canvas->Brush()->Color(), ColorTo, MirrorColor, MirrorColorTo, true, Border, true,
                      true);
  (void)RCol;
}

void TZurEvoderOzod::DrawFixedEdges(TCanvas* Canvas, TRect& R)
{
  const bool HorzLine = Options() & GridOptionBit(goFixedHorzLine);
  const bool VertLine = Options() & GridOptionBit(goFixedVertLine);
  auto Line = [Canvas](int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
  };
  Canvas->Pen()->SetWidth(1);
  switch (FLook) {
  case glClassic:
    ++R.Left;
    ++R.Top;
    ++R.Bottom;
    DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_LEFT);
    DrawEdge(Canvas, R, BDR_RAISEDINNER, BF_TOP);
    DrawEdge(Canvas, R, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
    Canvas->Pen()->SetColor(clBlack);
    Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
    Canvas->LineTo(R.Left - 1, R.Bottom - 1);
    break;
  case glZID:
  case glXP:
    ++R.Bottom;
    if (HorzLine) {
      Canvas->Pen()->SetColor(DarkenColor(FixedColor()));
      Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
      Canvas->Pen()->SetColor(clWhite);
      Line(R.Right - 2, R.Top + 1, R.Left + 1, R.Top + 1);
      Canvas->LineTo(R.Left + 1, R.Bottom - 1);
    }
    break;
  case glSoft:
    ++R.Right;
    ++R.Bottom;
    if (HorzLine) {
      Canvas->Pen()->SetColor(DarkenColor(FixedColor()));
      Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
      Canvas->Pen()->SetColor(clWhite);
      Line(R.Right, R.Top + 1, R.Left + 1, R.Top + 1);
      Canvas->LineTo(R.Left + 1, R.Bottom - 1);
    }
    if (VertLine) {
      Canvas->Pen()->SetColor(DarkenColor(FixedColor()));
      Line(R.Right - 2, R.Top, R.Right - 2, R.Bottom);
      Canvas->Pen()->SetColor(clWhite);
      Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    }
    break;
  default:
    break;
  }
}

// ---------------------------------------------------------------- buttons and borders

void TZurEvoderOzod::DrawAlwaysShownButtons(TCanvas* Canvas, int32_t RCol, int32_t ARow, TRect& R)
{
  const TControlLook* L = FControlLook.get();
  TControlDrawStyle Style = L->FlatButton() ? cdsFlat : DoThemeDrawing() ? cdsXPTheme : cdsClassic;
  if (FFlat && FTones.Background.BrushColor != clNone)
    Style = cdsMetro;
  bool CanEdit = true;
  GetCellReadOnly(RCol, ARow, CanEdit);
  const TControlState State = CanEdit ? csNormal : csDisabled;
  TEditorType Editor = FDefaultEditor;
  GetCellEditor(RCol, ARow, Editor);
  if (L->DropDownAlwaysVisible()) {
    if (HasCombo(RCol, ARow, Editor)) {
      DrawComboButton(Canvas, TRect{R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom}, Style, State, FTones, FDPIScale);
      R.Right -= static_cast<int32_t>(std::lround(L->DropDownButtonWidth() * FDPIScale));
    } else if (HasEditBtn(RCol, ARow, Editor)) {
      DrawButton(Canvas, TRect{R.Right - L->DropDownButtonWidth() - 3, R.Top - 1, R.Right - 1, R.Bottom - 1}, Style,
                 State, FTones, L->ButtonPrefix(), QStringLiteral("..."));
      R.Right -= L->DropDownButtonWidth();
    }
  }
  if (L->SpinButtonsAlwaysVisible() && HasSpinEdit(RCol, ARow, Editor)) {
    DrawSpinButtons(Canvas, R, Style, State, FTones);
    R.Right -= 16;
  }
}

void TZurEvoderOzod::DrawBorders(TCanvas* Canvas, int32_t RCol, int32_t ARow, TRect R, bool Fixed)
{
  TCellBorders Borders = 0;
  TPen Saved;
  Saved.Assign(Canvas->Pen());
  GetCellBorder(RCol, ARow, Canvas->Pen(), Borders);
  if (Borders == 0 && !OnGetCellBorderProp) {
    Canvas->Pen()->Assign(&Saved);
    return;
  }
  TPen LeftPen, TopPen, RightPen, BottomPen;
  for (TPen* P : {&LeftPen, &TopPen, &RightPen, &BottomPen})
    P->Assign(Canvas->Pen());
  if (OnGetCellBorderProp)
    OnGetCellBorderProp(this, ARow, RCol, &LeftPen, &TopPen, &RightPen, &BottomPen);
  const int32_t H = (Canvas->Pen()->Width() + 1) / 2;
  const int32_t E = Options() & GridOptionBit(goVertLine) ? H : 0;
  const int32_t D = Options() & GridOptionBit(goHorzLine) ? H : 0;
  R.Left += E - (Fixed ? 0 : 1);
  R.Bottom -= D;
  R.Right -= E;
  auto Line = [Canvas](const TPen& P, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    Canvas->Pen()->Assign(const_cast<TPen*>(&P));
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
  };
  if (InSet(Borders, cbLeft))
    Line(LeftPen, std::max(0, R.Left), R.Top, std::max(0, R.Left), R.Bottom);
  if (InSet(Borders, cbRight))
    Line(RightPen, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  if (InSet(Borders, cbTop)) {
    const int32_t Y = GridLineWidth() != 0 ? std::max(0, R.Top + D - GridLineWidth()) : R.Top + D + 2;
    Line(TopPen, R.Left, Y, R.Right, Y);
  }
  if (InSet(Borders, cbBottom))
    Line(BottomPen, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
  Canvas->Pen()->Assign(&Saved);
}

// ---------------------------------------------------------------- the cell

void TZurEvoderOzod::DrawGridCell(TCanvas* Canvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState)
{
  const int32_t RCol = RemapCol(ACol);

  bool WordWrap = FWordWrapEx;
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HAlign = FDefaultAlignment;
  TVAlignment VAlign = FVAlignment;
  TCellGradientDirection GD = GradientVertical;
  GetVisualProperties(ACol, ARow, AState, false, false, true, Canvas->Brush(), ColorTo, MirrorColor, MirrorColorTo,
                      Canvas->Font(), HAlign, VAlign, WordWrap, GD);

  int32_t GW = 0, GH = 0;
  bool ShowText = true;
  TCellHAlign GHAlign = haLeft;
  TCellVAlign GVAlign = vaTop;
  TCellGraphic* Graphic = GetGraphicDetails(RCol, ARow, GW, GH, ShowText, GHAlign, GVAlign);

  const bool Focus = Focused();
  if ((AState & GridDrawBit(gdSelected)) && !Focus && FSelectionColor == clNone)
    Canvas->Brush()->SetColor(clHighlight);
  if (FZoomFactor != 0) {
    const int32_t Size = Canvas->Font()->Size() + FZoomFactor;
    Canvas->Font()->SetSize(Size == 0 ? 1 : Size);
  }
  const TColor UnselBrush = Canvas->Brush()->Color(), UnselFont = Canvas->Font()->Color();

  bool Fixed = IsFixed(RCol, ARow) || ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
  if (Fixed && ARow == FHoverRowIdx && InSet(HoverRowCells(), hcFixed))
    Fixed = false;

  if (Fixed)
    DrawFixedLook(Canvas, ACol, RCol, ARow, ARect, ColorTo, MirrorColor, MirrorColorTo);

  // The row indicator in column 0 of the current row.
  int32_t IndicatorWidth = 0;
  if (RCol == 0 && ARow == Row() && TBaseGrid::FixedCols() > 0 && !FRowIndicator->Empty() &&
      !(FFixedRowAlways && TBaseGrid::FixedRows() == RowCount())) {
    const int32_t BH = FRowIndicator->Height();
    const int32_t Y = FVAlignment == vtaTop      ? ARect.Top
                      : FVAlignment == vtaCenter ? ARect.Top + (ARect.Height() - BH) / 2
                                                 : ARect.Bottom - BH;
    TBitmap Indicator;
    Indicator.Assign(FRowIndicator.get());
    Indicator.SetTransparent(true);
    Canvas->Draw(ARect.Left + 2, Y, &Indicator);
    IndicatorWidth = FRowIndicator->Width() + 2;
    ARect.Left += IndicatorWidth;
  }

  if (FLook == glListView && Fixed && !FFlat) {
    if (const HTHEME H = OpenThemeData(QStringLiteral("header"))) {
      const bool Inside = ACol == FHoverFixedX && ARow == FHoverFixedY;
      DrawThemeBackground(H, Canvas, Inside ? 1 : 3, Inside ? (FMouseDownMove ? 3 : 2) : 1,
                          TRect{ARect.Left, ARect.Top, ARect.Right, ARect.Bottom + 1});
      CloseThemeData(H);
      Canvas->Pen()->SetColor(clWhite);
      Canvas->MoveTo(ARect.Left, ARect.Top);
      Canvas->LineTo(ARect.Right, ARect.Top);
    } else {
      Canvas->Brush()->SetColor(clBtnFace);
      Canvas->Pen()->SetColor(clWhite);
      Canvas->Rectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    }
  }

  // Modified rows: a bar at the right of column 0.
  if (FShowModified->Enabled() && ACol == 0 && RowModified(RealRowIndex(ARow))) {
    const TColor Saved = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(FShowModified->Color());
    Canvas->FillRect(TRect{ARect.Right - 4, ARect.Top, ARect.Right, ARect.Bottom});
    Canvas->Brush()->SetColor(Saved);
  }

  if (OnCustomCellBkgDraw)
    OnCustomCellBkgDraw(this, Canvas, RCol, ARow, AState, ARect, false);

  const int32_t SavedRight = ARect.Right;
  if (!Fixed && (FControlLook->DropDownAlwaysVisible() || FControlLook->SpinButtonsAlwaysVisible()))
    DrawAlwaysShownButtons(Canvas, RCol, ARow, ARect);

  // A self-drawing graphic may go under the text.
  auto* Source = Graphic && Graphic->CellType() == ctInterface
                     ? dynamic_cast<ICellGraphicSource*>(Graphic->CellBitmap())
                     : nullptr;
  const bool GraphicFirst = Source && Source->IsBefore();
  if (GraphicFirst)
    DrawCellGraphic(Canvas, Graphic, ACol, RCol, ARow,
                    TRect{ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1}, 0, VAlign, AState, GW, GH);

  int32_t TextWidth = 0;
  if (!(FNoImageAndText && Graphic) && !((OnDrawCell || OnCustomCellDraw) && FNoDefaultDraw))
    TextWidth = DrawCellText(Canvas, ACol, RCol, ARow, ARect, AState, UnselBrush, UnselFont, Graphic, GW, GH, ShowText,
                             GHAlign, GVAlign, HAlign, VAlign, WordWrap);
  ARect.Right = SavedRight;

  Canvas->Brush()->SetColor(UnselBrush);
  Canvas->Font()->SetColor(UnselFont);
  ARect = TRect{ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1};
  DrawBorders(Canvas, RCol, ARow, ARect, Fixed);
  ARect.Left -= IndicatorWidth;

  if (Fixed && !FFlat && !HasFilterEdit(RCol, ARow))
    DrawFixedEdges(Canvas, ARect);

  if (FFixedRightCols > 0 && ACol >= ColCount() - FFixedRightCols && FLook != glClassic) {
    Canvas->Pen()->SetColor(FFlat ? 0x00808080 : clBlack);
    Canvas->Pen()->SetWidth(1);
    if (Options() & GridOptionBit(goFixedHorzLine)) {
      Canvas->MoveTo(ARect.Left, ARect.Top - 1);
      Canvas->LineTo(ARect.Right, ARect.Top - 1);
      Canvas->MoveTo(ARect.Left, ARect.Bottom);
      Canvas->LineTo(ARect.Right, ARect.Bottom);
    }
    if (Options() & GridOptionBit(goFixedVertLine)) {
      Canvas->MoveTo(ARect.Left - 1, ARect.Top);
      Canvas->LineTo(ARect.Left - 1, ARect.Bottom);
      Canvas->MoveTo(ARect.Right, ARect.Top);
      Canvas->LineTo(ARect.Right, ARect.Bottom);
    }
  }

  if (Graphic && !GraphicFirst) {
    TRect G = ARect;
    if (Fixed)
      ++G.Top;
    DrawCellGraphic(Canvas, Graphic, ACol, RCol, ARow, G, TextWidth, VAlign, AState, GW, GH);
  }

  if (OnDrawCell)
    OnDrawCell(this, RCol, ARow,
               TRect{ARect.Left, ARect.Top, ARect.Right - GridLineWidth(), ARect.Bottom - GridLineWidth()}, AState);
  if (OnCustomCellDraw)
    OnCustomCellDraw(this, Canvas, RCol, ARow, AState, ARect, false);

  // The focus rectangle on the current cell (every covered cell of a merged
  // current cell).
  const TPoint Base = BaseCell(RCol, ARow);
  if (!FHideFocusRect && DisplColIndex(Base.X) == Col() && Base.Y == Row() && Focus && !Fixed) {
    const int32_t W = GridLineWidth() - 1;
    Canvas->DrawFocusRect(TRect{ARect.Left - W, ARect.Top - W, ARect.Right + W - 1, ARect.Bottom + W - 1});
  }
}
