// Columns and rows sized to their content, columns fitted into the
// control's width, and the control sized to its cells. Every computed size
// passes through the grid's limits (CheckLimits) before it is applied.
// Columns are display columns, mapped to the cell store where content is
// read; rows are display rows.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridSettings.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

int32_t RoundEven(double V) { return static_cast<int32_t>(std::nearbyint(V)); }

bool IsCheckType(TCellType T)
{
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRadioButton;
}

// The room a shown vertical scroll bar takes.
constexpr int32_t ScrollBarWidth = 17;

} // namespace

bool TZurEvoderOzod::IsIgnoredColumn(int32_t ACol) const { return FIgnoreColumns->HasValue(ACol); }

int32_t TZurEvoderOzod::MaxLinesInRow(int32_t ARow)
{
  if (ColCount() <= 0 || !FMultilinecells)
    return 1;
  int32_t Most = 1;
  for (int32_t C = 0; C < ColCount(); ++C)
    Most = std::max(Most, LinesInText(GetGridCell(RemapCol(C), ARow), true));
  return Most;
}

// ---------------------------------------------------------------- rows

void TZurEvoderOzod::AutoSizeRows(bool DoFixedRows, int32_t Padding)
{
  if (RowCount() == 0)
    return;
  for (int32_t R = DoFixedRows ? 0 : FixedRows(); R < RowCount(); ++R) {
    if (RowHeights(R) == 0) // suppressed rows stay suppressed
      continue;
    if (FWordWrapEx) {
      AutoSizeRow(R, 0);
      if (Padding != 0)
        SetRowHeights(R, CheckLimits(RowHeights(R) + Padding, FMinRowHeight, FMaxRowHeight));
    } else {
      SizeToLines(R, MaxLinesInRow(R), Padding);
    }
  }
  UpdateScrollBars(true);
}

void TZurEvoderOzod::AutoSizeRow(int32_t ARow, int32_t Padding)
{
  SizeToHeight(ARow, FSizeGrowOnly, Padding);
  if (Padding != 0)
    SetRowHeights(ARow, CheckLimits(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

// The sample text is measured in the row's own font: the grid's (the fixed
// font in a fixed row) as the row's first normal cell adjusts it, never in
// whatever font the canvas was left with by the cell measured before.
void TZurEvoderOzod::SizeToLines(int32_t ARow, int32_t Lines, int32_t Padding)
{
  TCanvas* C = Canvas();
  PrepareMeasureFont(C, RemapCol(FixedCols()), ARow, ARow < FixedRows());
  const int32_t H = CellTextHeight(C, QStringLiteral("gh"));
  SetRowHeights(ARow, CheckLimits(Padding + Lines * (H + 2), FMinRowHeight, FMaxRowHeight) + FXYOffset.Y);
}

void TZurEvoderOzod::SizeToHeight(int32_t ARow, bool GrowOnly, int32_t Padding)
{
  int32_t Best = 0;
  for (int32_t I = 0; I < ColCount(); ++I) {
    const int32_t R = RemapCol(I);
    if (IsYMergedCell(R, ARow) || IsIgnoredColumn(R))
      continue;
    int32_t T = GetCellTextSizeInt(I, R, ARow, false, FWordWrapEx, false).Y;
    int32_t G = GetCellGraphicSizeEx(R, ARow, Padding).Y;
    const TCellGraphic* Graphic = GetCellGraphic(R, ARow);
    if (Graphic) {
      if (Graphic->CellVAlign() == vaFull)
        G = T != 0 ? 0 : DefaultRowHeight();
      if ((Graphic->CellType() == ctDataCheckBox || Graphic->CellType() == ctVirtCheckBox) && G > 0)
        T = 0;
    }
    int32_t Need = T + G;
    if (!IsBaseCell(R, ARow))
      Need = 0;
    else if (Graphic && IsCheckType(Graphic->CellType()) && T != 0)
      Need = DefaultRowHeight();
    Best = std::max(Best, Need);
  }
  const int32_t YInset = FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y;
  const int32_t Height = YInset + Best + 2 * GridLineWidth() + (FXYOffsetTopLeftOnly ? 2 : 0);
  if (!GrowOnly || RowHeights(ARow) < Height)
    SetRowHeights(ARow, CheckLimits(Height, FMinRowHeight, FMaxRowHeight));
}

// ---------------------------------------------------------------- columns

void TZurEvoderOzod::SizeToWidth(int32_t ACol, bool GrowOnly)
{
  const int32_t R = RemapCol(ACol);
  int32_t First = 0, Last = RowCount() - 1;
  switch (FColumnSize->Rows()) {
  case arNormal:
    First = FixedRows();
    Last = RowCount() - FFixedFooters - 1;
    break;
  case arFixed:
    Last = FixedRows() - 1;
    break;
  case arVisible:
    First = TopRow();
    Last = std::min(RowCount() - 1, TopRow() + VisibleRowCount() - 1);
    break;
  case arAll:
    break;
  }
  int32_t Best = 0;
  for (int32_t J = First; J <= Last; ++J) {
    if (IsXMergedCell(R, J))
      continue;
    const TPoint G = GetCellGraphicSize(R, J);
    int32_t Need = G.X + GetCellTextSizeInt(ACol, R, J, true, FWordWrapEx, false).X;
    if (ACol == 0 && IsNode(J))
      Need += 16;
    if (FControlLook->DropDownAlwaysVisible() && HasCombo(ACol, J, edNone))
      Need += SettingOr("ControlLook.DropDownButtonWidth", 16);
    if (ShouldDrawSortIndicator(ACol, J) && FSortSettings->Column() == R)
      Need += 10;
    if (const TCellGraphic* Graphic = GetCellGraphic(R, J); Graphic && Graphic->CellHAlign() == haFull)
      Need = G.X - 2 * GridLineWidth() - FXYOffset.X - 2;
    Best = std::max(Best, Need);
  }
  const int32_t XInset = FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X;
  int32_t Width = XInset + Best + 2 * GridLineWidth() + 2;
  if (!GrowOnly || ColWidths(ACol) < Width) {
    UpdateAutoColSize(ACol, Width);
    SetColWidths(ACol, CheckLimits(Width, FMinColWidth, FMaxColWidth));
  }
}

void TZurEvoderOzod::AutoSizeCol(int32_t ACol, int32_t Padding)
{
  SizeToWidth(ACol, FSizeGrowOnly);
  if (Padding != 0)
    SetColWidths(ACol, CheckLimits(ColWidths(ACol) + Padding, FMinColWidth, FMaxColWidth));
}

void TZurEvoderOzod::AutoGrowCol(int32_t ACol, int32_t Padding)
{
  const bool Saved = FSizeGrowOnly;
  FSizeGrowOnly = true;
  const auto Restore = qScopeGuard([&] { FSizeGrowOnly = Saved; });
  AutoSizeCol(ACol, Padding);
}

void TZurEvoderOzod::AutoSizeColumns(bool DoFixedCols, int32_t Padding)
{
  const int32_t First = DoFixedCols ? 0 : FixedCols();
  const int32_t Last = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  for (int32_t C = First; C <= Last; ++C) {
    AutoSizeCol(C, 0);
    if (Padding != 0)
      SetColWidths(C, CheckLimits(ColWidths(C) + Padding, FMinColWidth, FMaxColWidth));
  }
}

void TZurEvoderOzod::AutoGrowColumns(bool DoFixedCols, int32_t Padding)
{
  const bool Saved = FSizeGrowOnly;
  FSizeGrowOnly = true;
  const auto Restore = qScopeGuard([&] { FSizeGrowOnly = Saved; });
  AutoSizeColumns(DoFixedCols, Padding);
}

// Columns and rows together, cell by cell; rows only grow here.
void TZurEvoderOzod::AutoSizeCells(bool DoFixedCells, int32_t PaddingX, int32_t PaddingY)
{
  BeginUpdate();
  const auto End = qScopeGuard([this] { EndUpdate(); });
  const int32_t FirstCol = DoFixedCells ? 0 : FixedCols(), FirstRow = DoFixedCells ? 0 : FixedRows();
  for (int32_t I = FirstCol; I < ColCount(); ++I) {
    const int32_t R = RemapCol(I);
    int32_t Best = FSizeGrowOnly ? ColWidths(I) : 0;
    for (int32_t J = FirstRow; J < RowCount(); ++J) {
      const TPoint G = GetCellGraphicSize(R, J);
      const TPoint T = GetCellTextSize(R, J, false, false);
      const int32_t W = T.X + G.X + PaddingX + FXYOffset.X;
      const int32_t H = T.Y + G.Y + PaddingY + FXYOffset.Y;
      if (!IsXMergedCell(R, J) && Best < W) {
        const int32_t V = CheckLimits(W, FMinColWidth, FMaxColWidth);
        if (Best < V) {
          SetColWidths(I, V);
          Best = V;
        }
      }
      if (!IsYMergedCell(R, J) && RowHeights(J) < H) {
        const int32_t V = CheckLimits(H, FMinRowHeight, FMaxRowHeight);
        if (RowHeights(J) < V)
          SetRowHeights(J, V);
      }
    }
  }
}

void TZurEvoderOzod::AutoFitColumns(bool DoFixedCells)
{
  const bool ShowsVertBar = ScrollBars() == ssVertical || ScrollBars() == ssBoth;
  const int32_t Sb =
      FScrollBarAlways == saVert || (ShowsVertBar && RowCount() > VisibleRowCount() + FixedRows()) ? ScrollBarWidth : 0;
  // The platform's single border is the framework's sunken one: two pixels
  // a side.
  const int32_t Border = BorderStyle() == bsSingle ? 4 : 0;
  int32_t First = 0, Last = ColCount() - 1, Room = Width();
  if (!DoFixedCells) {
    First = FixedCols();
    Last = ColCount() - FFixedRightCols - 1;
    for (int32_t C = 0; C < ColCount(); ++C)
      Room -= C < First || C > Last ? ColWidths(C) : 0;
  }
  int32_t Lines = 0;
  if (Options() & GridOptionBit(goVertLine))
    Lines = GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols);
  if ((Options() & GridOptionBit(goFixedVertLine)) && DoFixedCells)
    Lines += FixedCols() + FFixedRightCols;
  if (ColCount() < 2) {
    SetColWidths(0, Width() - Sb - 5);
  } else if (Last >= First) {
    int32_t Sum = 0;
    for (int32_t C = First; C <= Last; ++C)
      Sum += ColWidths(C);
    const int32_t Target = Room - Sb - Border;
    if (Sum == 0 || Sum == Target)
      return;
    const double F = static_cast<double>(Target - Lines) / Sum;
    int32_t Total = 0;
    for (int32_t C = First; C <= Last; ++C)
      Total += RoundEven(F * ColWidths(C));
    for (int32_t C = First; C <= Last; ++C)
      SetColWidths(C, RoundEven(static_cast<double>(ColWidths(C)) * Total / Sum));
    int32_t Now = 0, Widest = First;
    for (int32_t C = First; C <= Last; ++C) {
      Now += ColWidths(C);
      if (ColWidths(C) > ColWidths(Widest))
        Widest = C;
    }
    int32_t Rest = Target - Now;
    const int32_t Count = Last - First + 1;
    if (Rest > Count && Count > 1) {
      for (int32_t C = First; C <= Last; ++C)
        SetColWidths(C, ColWidths(C) + Rest / Count);
      Rest %= Count;
    }
    SetColWidths(Widest, ColWidths(Widest) + Rest);
  }
  FOrigColSizes->Clear();
  for (int32_t C = 0; C < ColCount(); ++C)
    FOrigColSizes->Add(ColWidths(C));
}

// ---------------------------------------------------------------- the control to its cells

void TZurEvoderOzod::SizeToCols()
{
  int32_t W = 0;
  for (int32_t C = 0; C < ColCount(); ++C)
    W += ColWidths(C);
  SetClientWidth(W);
}

void TZurEvoderOzod::SizeToRows()
{
  int32_t H = 0;
  for (int32_t R = 0; R < RowCount(); ++R)
    H += RowHeights(R);
  SetClientHeight(H);
}

void TZurEvoderOzod::SizeToCells()
{
  const TScrollStyle Saved = ScrollBars();
  SetScrollBars(ssNone);
  const auto Restore = qScopeGuard([&] { SetScrollBars(Saved); });
  SizeToCols();
  SizeToRows();
}
