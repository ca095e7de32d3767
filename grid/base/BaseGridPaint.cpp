// The base grid's painting pass: every cell the framework's paint loop
// visits gets its background (normal colours, hover row, active row) and
// its grid lines, drawn inside the cell, before DrawGridCell draws the
// content; a merged range paints once per paint, over its whole rectangle.
#include "grid/base/BaseGrid.h"

#include "grid/base/CellProperties.h"
#include "grid/base/rurutil.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/Region.h"

#include <QScopeGuard>

#include <algorithm>

void TBaseGrid::Paint()
{
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState)
{
  PaintCellInt(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState)
{
  PaintCellInt(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState)
{
  PaintCellInt(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::PaintCellInt(TCanvas* ACanvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState,
                             bool Full)
{
  if (ARow == RowCount() - 1 && FHideLastRow) {
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Pen()->SetColor(Color());
    ACanvas->Rectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    return;
  }
  if (RowHeights(ARow) == 0)
    return;

  // A merged range paints once per paint pass, from whichever of its cells
  // is visited first.
  const int32_t RealCol = RealColIndex(ACol);
  int32_t BCol = RealCol, BRow = ARow;
  if (!IsBaseCellEx(RealCol, ARow, BCol, BRow)) {
    // The base's own pass marks the range painted.
    if (HasCellProperties(BCol, BRow) && GetCellProperties(BCol, BRow)->FPaintID == FPaintID)
      return;
    PaintCell(ACanvas, DisplColIndex(BCol), BRow, ARect, AState);
    return;
  }
  if (Full && IsMergedCell(RealCol, ARow)) {
    TCellProperties* CP = GetCellProperties(RealCol, ARow);
    if (CP->FPaintID == FPaintID)
      return;
    CP->FPaintID = FPaintID;
  }

  if (Full && IsFixed(ACol, ARow))
    AState = (AState | GridDrawBit(gdFixed)) & ~GridDrawBit(gdSelected);
  if (Full)
    ARect = CellRect(ACol, ARow);
  const bool Fixed = AState & GridDrawBit(gdFixed);
  const bool Selected = AState & GridDrawBit(gdSelected);

  // A range that reaches under the fixed area must not paint over it.
  const int32_t FX = ACol >= FixedCols() ? FixedColsWidth() : 0;
  const int32_t FY = ARow >= FixedRows() ? FixedRowsHeight() : 0;
  const bool Clip = (ACol >= FixedCols() && FixedCols() > 0 && ARect.Left < FX) ||
                    (ARow >= FixedRows() && FixedRows() > 0 && ARect.Top < FY);
  const int32_t Saved = ACanvas->SaveDC();
  const auto Restore = qScopeGuard([ACanvas, Saved] {
    ACanvas->RestoreDC(Saved);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Pen()->SetStyle(psSolid);
  });
  if (Clip) {
    const TRegion R = TRegion::FromRect(TRect{FX, FY, Width(), Height()});
    ACanvas->ExtSelectClipRgn(&R, RGN_AND);
  }

  ACanvas->Pen()->SetWidth(1);
  ACanvas->Font()->Assign(Font());
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Fixed ? FixedColor() : Selected ? clHighlight : Color());
  if (Selected && !Fixed)
    ACanvas->Font()->SetColor(clHighlightText);
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  TAlignment HAlign = GetDefaultAlignment();
  TVAlignment VAlign = vtaTop;
  bool WordWrap = FWordWrap;
  TCellGradientDirection Direction = GradientVertical;
  GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), ColorTo, MirrorColor, MirrorColorTo,
                      ACanvas->Font(), HAlign, VAlign, WordWrap, Direction);

  // Hover row: normal cells always, selected, fixed and group rows only when
  // asked for.
  const bool Exclude = (Selected && !InSet(FHoverRowCells, hcSelected)) || (Fixed && !InSet(FHoverRowCells, hcFixed)) ||
                       (HasNodes() && ((IsNode(ARow) && !InSet(FHoverRowCells, hcGroupHeader)) ||
                                       (IsSummary(ARow) && !InSet(FHoverRowCells, hcGroupSummary))));
  if (FHoverRow && ARow == FHoverRowIdx && !Exclude) {
    ACanvas->Brush()->SetColor(FHoverRowColor);
    ColorTo = FHoverRowColorTo;
    MirrorColor = MirrorColorTo = clNone;
    Direction = GradientVertical;
  }
  // Active row: the current row's normal cells but the current cell itself,
  // unless the selection is not shown or whole rows are selected.
  const bool RowSelect = Options() & GridOptionBit(goRowSelect);
  if ((FActiveRowShow && ARow == Row() && ACol >= FixedCols() && (ACol != Col() || !FShowSel || RowSelect)) ||
      (!Full && Selected)) {
    ACanvas->Brush()->SetColor(FActiveRowColor);
    ColorTo = FActiveRowColorTo;
    MirrorColor = FActiveRowMirrorColor;
    MirrorColorTo = FActiveRowMirrorColorTo;
  }
  ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

  // Background: a selection style, or the cell's colour with its gradient.
  const TGridOptions Opt = Options();
  if (Selected && FSelectionStyle != ssDefault && FShowSel) {
    const TGridRect Sel = Selection();
    const int32_t Lo = std::min(Sel.Left, Sel.Right), Hi = std::max(Sel.Left, Sel.Right);
    const int32_t Part = ACol == Lo && Lo < Hi ? 1 : Lo < ACol && ACol == Hi ? 2 : Lo < ACol && ACol < Hi ? 3 : 0;
    TRect R = ARect;
    if (!(Opt & GridOptionBit(goHorzLine)))
      ++R.Bottom;
    if (!(Opt & GridOptionBit(goVertLine)))
      ++R.Right;
    static const TColor Styles[3][8] = {
        {0x00FDF8F1, 0x00FCEFD5, clNone, clNone, 0x00FDFBF6, 0x00FDF5E7, 0x00FDDE99, 0x00FCEDCB},
        {0x00FCEBDC, 0x00FCDBC1, clNone, clNone, 0x00FDF4EB, 0x00FDEADB, 0x00CEA27D, 0x00E0C5AE},
        {0x00D7FFFD, 0x0058D4FC, 0x0058D4FC, 0x00B3F1FC, 0x00F4FEFF, 0x00CAF8FF, 0x008DD7D3, 0x00C3D9DF}};
    static const TColor Unfocused[8] = {0x00F8F8F8, 0x00E5E5E5, clNone,     clNone,
                                        0x00FBFAFA, 0x00F0F0F0, 0x00D9D9D9, 0x00EFEFEF};
    const bool Focus = Focused() || (Opt & GridOptionBit(goDrawFocusSelected));
    const TColor* C = Focus ? Styles[FSelectionStyle - 1] : Unfocused;
    DrawSelectionGradient(ACanvas, C[0], C[1], C[2], C[3], C[4], C[5], C[6], C[7], Color(), R, Part);
  } else if (!(UseVCLStyles() && (Fixed || Selected))) {
    const TColor Brush = ACanvas->Brush()->Color();
    if (MirrorColorTo == clNone)
      DrawGradient(ACanvas, Brush, ColorTo, 64, ARect, Direction == GradientHorizontal);
    else
      DrawVistaGradient(ACanvas, ARect, Brush, ColorTo, MirrorColor, MirrorColorTo, true, clNone, false, true);
    ACanvas->Brush()->SetColor(Brush);
  }

  // Grid lines, inside the cell.
  int32_t W = 1;
  bool DrawLines = true;
  if (Fixed) {
    ACanvas->Pen()->SetColor(FGridFixedLineColor);
    ACanvas->Pen()->SetWidth(1);
  } else {
    DrawLines = FGridLineWidth > 0;
    ACanvas->Pen()->SetColor(FGridLineColor);
    ACanvas->Pen()->SetWidth(FGridLineWidth);
    W = (FGridLineWidth + 1) / 2;
  }
  const bool Horz = Fixed ? Opt & GridOptionBit(goFixedHorzLine) : Opt & GridOptionBit(goHorzLine);
  const bool Vert = Fixed ? Opt & GridOptionBit(goFixedVertLine) : Opt & GridOptionBit(goVertLine);
  // Tree rows draw no line under their first column.
  const bool TreeColumn = BCol == 0 && ARow >= FixedRows() && HasNodes();
  if (DrawLines && Horz && !TreeColumn) {
    ACanvas->MoveTo(ARect.Left - W, ARect.Bottom - W);
    ACanvas->LineTo(ARect.Right - W, ARect.Bottom - W);
  }
  if (DrawLines && Vert) {
    ACanvas->MoveTo(ARect.Right - W, ARect.Bottom - W);
    ACanvas->LineTo(ARect.Right - W, ARect.Top - W);
  }

  if (Full) {
    TRect Content = ARect;
    if (Fixed) {
      Content.Right -= 1;
      Content.Bottom -= 2;
    } else {
      Content = TRect{ARect.Left + FGridLineWidth, ARect.Top + FGridLineWidth, ARect.Right - FGridLineWidth,
                      ARect.Bottom - FGridLineWidth};
    }
    DrawGridCell(ACanvas, ACol, ARow, Content, AState);
  }
}

void TBaseGrid::DrawGridCell(TCanvas* ACanvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState)
{
  const String Text = GetCellEx(RealColIndex(ACol), ARow);
  if (Text.isEmpty())
    return;
  const int32_t Saved = ACanvas->SaveDC();
  const TRegion Clip = TRegion::FromRect(ARect);
  ACanvas->ExtSelectClipRgn(&Clip, RGN_AND);
  ACanvas->SetBkMode(TRANSPARENT);
  const TPoint Size = ACanvas->TextExtent(Text);
  ACanvas->TextOut(ARect.Left + (ARect.Width() - Size.X) / 2, ARect.Top + (ARect.Height() - Size.Y) / 2, Text);
  ACanvas->RestoreDC(Saved);
}
