#pragma once
// TBaseGrid: the layer between the framework's string grid and the grid
// library's string grid (TZurEvoderOzod). It keeps the cell text in the
// framework's Cells and puts a property record (TCellProperties) into a
// cell's object slot only when the cell first needs one, and adds merged
// cells, the display-text hooks, the base cell painting pass and the
// virtual per-cell operations the string grid overrides.
//
// ---- Cell access, from the lowest layer up ------------------------------------
//   GetGridCell / SetGridCell, GetGridObject / SetGridObject   the raw
//       framework text and object slot, nothing else.
//   GetCellProperties   the record, made (with the grid's defaults) when the
//       cell has none: reading an attribute through it materialises a
//       record. Code that only wants to know asks HasCellProperties first.
//   GetCellEx / SetCellEx   merge-aware: a cell of a merged range reads and
//       writes its base cell's text; reading runs the display hooks
//       (GetDisplText, OnGetDisplWideText) for rows below FNormalRowCount.
//   GetObjectEx, GetGraphicObjectEx   the user object and the cell graphic
//       kept in the record; nil for a cell without one.
//
// ---- Indexes ----------------------------------------------------------------------
// The cell store is addressed by real column and display row; the virtual
// RealColIndex / DisplColIndex map between display and real columns (the
// identity here; the string grid skips its hidden columns). CellRect takes a
// display column.
//
// ---- Merged cells ----------------------------------------------------------------
// MergeCells(ACol, ARow, SpanX, SpanY) makes the range of SpanX columns and
// SpanY rows at (ACol, ARow) read, write, paint and navigate as one cell
// whose base (top-left) cell holds text and attributes; the covered cells
// keep theirs, unseen. SplitCells dissolves the range holding a cell.
// FMergeCount counts merges minus splits.
//
// ---- Painting ----------------------------------------------------------------------
// Grid lines are drawn inside the cells by this layer (GridLineWidth is its
// own; the framework's line width stays 0, so cells touch and a cell's
// rectangle is a plain sum of widths and heights). Every visited cell goes
// through the painting pass (background, hover and active row, lines), a
// merged range once per paint, before the virtual DrawGridCell draws the
// content.
//
// Everything runs on the main thread.
#include "grid/base/ObjStringGrid.h"
#include "grid/base/RurTypes.h"

#include <memory>

class TBrush;
class TCanvas;
class TCellProperties;
class TFont;

class TBaseGrid : public TObjStringGrid {
public:
  explicit TBaseGrid(TComponent* AOwner);
  // Frees the property records (and their cell graphics).
  ~TBaseGrid() override;
  String ClassName() const override;

  // ---- Raw cells.
  String GetGridCell(int32_t ACol, int32_t ARow) const;
  void SetGridCell(int32_t ACol, int32_t ARow, const String& Value);
  TObject* GetGridObject(int32_t ACol, int32_t ARow) const;
  void SetGridObject(int32_t ACol, int32_t ARow, TObject* Value);

  // ---- Property records. HasCellProperties is True for a column inside
  // 0..TotalColCount-1, a row from 0 on, whose slot holds a record.
  bool HasCellProperties(int32_t ACol, int32_t ARow) const;
  TCellProperties* GetCellProperties(int32_t ACol, int32_t ARow);
  TCellProperties* CreateCellProperties(int32_t ACol, int32_t ARow);
  // Frees the record in the slot, if any, and stores Value.
  void SetCellProperties(int32_t ACol, int32_t ARow, TCellProperties* Value);

  // ---- Merge-aware cells.
  String GetCellEx(int32_t ACol, int32_t ARow);
  void SetCellEx(int32_t ACol, int32_t ARow, const String& Value);
  TObject* GetObjectEx(int32_t ACol, int32_t ARow) const;
  // The object lives in the cell's record, made for it when needed.
  void SetObjectEx(int32_t ACol, int32_t ARow, TObject* Value);
  TObject* GetGraphicObjectEx(int32_t ACol, int32_t ARow) const;
  // While the grid is being destroyed, only nullptr into an existing record.
  void SetGraphicObjectEx(int32_t ACol, int32_t ARow, TObject* Value);
  static TObject* GetCPGraphicObject(const TCellProperties* CP);

  // Slots emptied and text cleared without freeing the records: for records
  // that were handed to another place (moved rows and columns, hidden rows).
  void NilCol(int32_t ACol);
  void NilRow(int32_t ARow);
  void NilCell(int32_t ACol, int32_t ARow);
  // Frees the records of the rectangle (with a graphic object whose class is
  // exactly TCellGraphic) and empties their slots.
  void ClearPropRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2);
  // Frees one record (not its graphic object).
  void ClearPropCell(int32_t ACol, int32_t ARow);
  void ClearProps();

  // ---- Merged cells (real columns).
  virtual void MergeCells(int32_t ACol, int32_t ARow, int32_t SpanX, int32_t SpanY);
  virtual void SplitCells(int32_t ACol, int32_t ARow);
  TPoint BaseCell(int32_t ACol, int32_t ARow) const;
  bool IsBaseCell(int32_t ACol, int32_t ARow) const;
  // False with BCol, BRow the base cell when the cell is covered by a range
  // whose base is elsewhere; True (and the cell itself) otherwise.
  bool IsBaseCellEx(int32_t ACol, int32_t ARow, int32_t& BCol, int32_t& BRow) const;
  // The range's width - 1 and height - 1; (0, 0) outside a range.
  TPoint CellSpan(int32_t ACol, int32_t ARow) const;
  // How many more columns and rows of the range lie right of and below the
  // cell.
  TPoint CellExt(int32_t ACol, int32_t ARow) const;
  // Inclusive cell coordinates of the range holding the cell.
  TRect FullCell(int32_t ACol, int32_t ARow) const;
  bool IsMergedCell(int32_t ACol, int32_t ARow) const;
  bool IsMergedNonBaseCell(int32_t ACol, int32_t ARow) const;
  bool IsXMergedCell(int32_t ACol, int32_t ARow) const;
  bool IsYMergedCell(int32_t ACol, int32_t ARow) const;
  int32_t MinRowSpan(int32_t ARow) const;
  int32_t MaxRowSpan(int32_t ARow) const;
  bool RowSpanIdentical(int32_t ARow1, int32_t ARow2) const;
  // Wherever both columns have a horizontal span their base columns agree,
  // and such a row exists.
  bool ColSpanIdentical(int32_t ACol1, int32_t ACol2) const;
  int32_t MergeCount() const { return FMergeCount; }

  // ---- Geometry (display columns).
  // The cell's client rectangle, also when it is scrolled out of view.
  TRect GetCellRect(int32_t ACol, int32_t ARow) const;
  // Merge-aware: the whole range's rectangle for a merged cell.
  TRect CellRect(int32_t ACol, int32_t ARow) const;
  TPoint CellSize(int32_t ACol, int32_t ARow) const;
  int32_t FixedColsWidth() const;
  int32_t FixedRowsHeight() const;
  void RepaintCell(int32_t ACol, int32_t ARow);
  void RepaintFixedMergedCols();
  void RepaintFixedMergedRows();

  // ---- Published settings of this layer.
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value);
  TColor ActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value);
  TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
  void SetActiveRowColorTo(TColor Value);
  TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
  void SetActiveRowMirrorColor(TColor Value);
  TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
  void SetActiveRowMirrorColorTo(TColor Value);
  // The framework's own default drawing stays off.
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  // Lines drawn inside the cells; the framework's line width stays 0.
  int32_t GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int32_t Value);
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor GridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  THoverRowCells HoverRowCells() const { return FHoverRowCells; }
  void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
  TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value);

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

  // ---- The virtual per-cell operations the string grid overrides.
  virtual bool IsFixed(int32_t ACol, int32_t ARow);
  virtual int32_t NodeIndent(int32_t ARow);
  virtual bool HasNodes();
  virtual bool IsNode(int32_t ARow) = 0;
  virtual bool IsSummary(int32_t ARow) = 0;
  // The base draws the merge-aware text on one line, centred both ways.
  virtual void DrawGridCell(TCanvas* Canvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState);
  virtual void FloatFooterUpdate();
  virtual bool IsCheckCell(int32_t ACol, int32_t ARow) = 0;
  virtual void SetAsCheck(int32_t ACol, int32_t ARow, const String& Value) = 0;
  virtual void GetDisplText(int32_t ACol, int32_t ARow, String& Value);
  virtual void GetDisplWideText(int32_t ACol, int32_t ARow, String& Value);
  // The attributes a new cell record starts with.
  virtual void GetDefaultProps(int32_t ACol, int32_t ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                               TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign,
                               bool& WordWrap, TCellGradientDirection& GradientDirection);
  virtual TAlignment GetDefaultAlignment();
  virtual void CellTextChange(int32_t ACol, int32_t ARow);
  virtual bool HasCustomCellBorder();
  virtual bool UseVCLStyles();
  virtual void GetVisualProperties(int32_t ACol, int32_t ARow, TGridDrawState& AState, bool Printing, bool Select,
                                   bool Remap, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                   TColor& MirrorColorTo, TFont* AFont, TAlignment& HAlign, TVAlignment& VAlign,
                                   bool& WordWrap, TCellGradientDirection& GradientDirection);
  // What an editor over cell (ACol, ARow) takes of the cell's look: the
  // background colour, the font and the horizontal alignment, as the cell
  // is painted unselected.
  void GetEditorLook(int32_t ACol, int32_t ARow, TBrush& ABrush, TFont& AFont, TAlignment& HAlign);
  virtual int32_t RealColIndex(int32_t ACol) const;
  virtual int32_t DisplColIndex(int32_t ACol) const;
  // ColCount plus the columns the string grid hides.
  virtual int32_t TotalColCount() const;

  // The painting pass on another canvas: with the content (PaintCell), or
  // background and lines only (PaintCellExt).
  void PaintCell(TCanvas* ACanvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState);
  void PaintCellExt(TCanvas* ACanvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState);

  // ---- State the string grid and the painting read and write.
  int32_t FPaintID = 1;
  bool FHideLastRow = false;
  // Rows at or beyond this index skip the display hooks.
  int32_t FNormalRowCount = 0;
  bool FWordWrap = true;
  int32_t FHoverRowIdx = -1;
  bool FShowSel = true;
  bool FHasCellProps = false;
  bool FEditCellSet = false;

protected:
  void Paint() override;
  void DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int32_t ACol, int32_t ARow) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
  void TopLeftChanged() override;
  // Moves the current cell to the base cell of its range.
  void SelectBaseCell();

  int32_t FMergeCount = 0;

private:
  void PaintCellInt(TCanvas* ACanvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState, bool Full);
  // The record of a cell, nullptr without one (never makes one).
  TCellProperties* Record(int32_t ACol, int32_t ARow) const;
  void FillDefaultRecord(TCellProperties* CP, int32_t ACol, int32_t ARow, bool UseSetters);

  bool FDefaultDrawing = false;
  int32_t FGridLineWidth = 1;
  TColor FGridLineColor = clSilver;
  TColor FGridFixedLineColor = clGray;
  bool FActiveRowShow = false;
  TColor FActiveRowColor = clInfoBk;
  TColor FActiveRowColorTo = clNone;
  TColor FActiveRowMirrorColor = clNone;
  TColor FActiveRowMirrorColorTo = clNone;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  bool FHoverRow = false;
  THoverRowCells FHoverRowCells;
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  std::unique_ptr<TFont> FDefFont;
  std::unique_ptr<TBrush> FDefBrush;
};
