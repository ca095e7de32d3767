#pragma once
// What the three table windows (latest values, time scroll, depth scroll)
// share on top of the display-window frame: the string grid ZurEvoderOzod1
// over the whole client area with its pop-up menu, the "Background" and
// "Font" entries, and the grid's colour and font as a user layout saves
// them.
//
//   - the grid: default row height 21, grid lines in fixed and normal cells,
//     columns sized by the operator, both scroll bars, no selection shown,
//     no focus rectangle, no wheel scrolling, cell text as plain text (no
//     HTML) on one line, not a tab stop; fixed-cell font Arial bold of
//     height -11;
//   - the colour action sets the cell background; the font action sets the
//     cell font and the fixed-cell font (the latter always black) and sizes
//     the rows to the new font;
//   - a reopened layout window gets the saved colour and font, and the same
//     font without its colour for the fixed cells.
//
// Main thread only.
#include "app/windows/DisplayWindow.h"

class TZurEvoderOzod;

class TTableWindow : public TDisplayWindow {
public:
  ~TTableWindow() override;

  bool Appearance(TLayoutAppearance& Out) const override;
  void ApplyLayoutAppearance(const TLayoutWindow& Layout) override;
  void ColorSelect1Accept() override;
  void FontEdit1Accept() override;

  TZurEvoderOzod* ZurEvoderOzod1 = nullptr;
  // 0 after showing and after each rebuild; the latest-values window sets
  // it once it has fitted its columns to the first values.
  int32_t ResizeFlag = 0;

protected:
  // CellFontName: the cell font's family (height -11). The grid starts with
  // Cols columns and Rows rows, none of them fixed but the header row.
  TTableWindow(IDisplayHost& Host, TMdiChildKind Kind, const char* FormName, const char* Caption,
               const char* CellFontName, int32_t Cols, int32_t Rows);

  void FormShow() override;

  // The column-size persistence of the scroll windows: the widths kept in
  // "colsizes.ini" of the set-up folder under Section, saved whenever the
  // operator sizes a column and when the grid is freed, loaded when its
  // window is made and at each rebuild. All windows of a kind share them.
  // Their fixed-column width is 44. A file that cannot be written costs
  // the widths (a log line), never the window or its update.
  void KeepColumnSizes(const char* Section);
  // The widths from the file, for a rebuild.
  void LoadColumnSizes();
  // One header per shown item, ascending: the first item's name goes into
  // the last column (Columns) or row of what the grid has, each further
  // item adds a column (row) for its name; the header row stays fixed.
  void NameItems(bool Columns);
  // Every normal column sized to its content plus 10 pixels, then painted.
  void FitColumns();
  // Empties the cells of Row, also those beyond the current column count,
  // which would show again with a wider grid.
  void ClearRow(int32_t Row);

private:
  void ColumnSizes(bool Save);
};
