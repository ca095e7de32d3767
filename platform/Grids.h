#pragma once
// The framework's grids: TCustomGrid, a control that shows a table of cells
// of given column widths and row heights, with fixed (non-scrolling) rows
// at the top and columns at the left, a current cell, a selection and
// scroll bars; and TStringGrid, which holds a text and an object per cell.
// The grid library's string grid derives from TStringGrid.
//
// ---- Geometry -------------------------------------------------------------------
// Columns are laid out left to right, each ColWidths[c] wide and followed by
// a grid line GridLineWidth wide; rows likewise. The fixed columns stand at
// the left edge, then the scrolling columns from LeftCol on; the fixed rows
// at the top, then the rows from TopRow on. CellRect gives the client
// rectangle of a visible (or partly visible) cell and an empty rectangle for
// one scrolled out of view. VisibleColCount and VisibleRowCount count the
// scrolling columns and rows that fit entirely.
//
// ---- Current cell and selection ---------------------------------------------------
// Col and Row name the current cell, always a normal (non-fixed) cell when
// the grid has any. Moving it (by Col, Row, the keys or the mouse) asks the
// virtual SelectCell first, which fires OnSelectCell and may refuse; the
// selection is the rectangle between the anchor and the current cell (whole
// rows with goRowSelect), and the view scrolls to keep the current cell in
// sight (TopLeftChanged after every change of LeftCol or TopRow).
//
// ---- Painting ---------------------------------------------------------------------
// Paint visits every visible cell that touches the area to paint (all of
// them when the window did not ask for a part), fixed cells first, and
// calls the virtual DrawCell with its rectangle and draw state; with
// DefaultDrawing the grid first fills the cell (FixedColor, Color, or the
// highlight colour for a selected cell) and after the cells draws the grid
// lines the options ask for. The grid's widget is a scroll area whose viewport the grid paints.
//
// ---- Keys, wheel, mouse ------------------------------------------------------------
// Arrows, Page Up and Down, Home and End (Ctrl: first and last row) move the
// current cell; Shift with goRangeSelect extends the selection; Tab and
// Shift+Tab move along the row with goTabs. Each wheel notch moves the
// current row by one. A left click makes a normal cell current (dragging
// with goRangeSelect selects a range).
//
// ---- Inplace editing ----------------------------------------------------------------
// With goEditing the current cell is edited in an edit control over it, the
// inplace editor (TInplaceEdit, made by the virtual CreateEditor on first
// need and kept). F2, Return, a typed character (which becomes the editor's
// first input) and a click on the current cell open it while CanEditShow
// allows it; Return again, HideEditor and a move of the current cell close
// it, and closing writes its text back through SetEditText to the cell it
// was opened on. With goAlwaysShowEditor it follows the current cell. The
// editor hands the navigation keys (Up, Down, Page Up and Down, Tab when the
// grid takes Tab, and with goAlwaysShowEditor Left, Right, Home and End at
// the ends of its text or with Ctrl) to the grid's KeyDown, every typed
// character to the grid's KeyPress, and its key releases to the grid's
// KeyUp; every change the user makes to its text reaches InplaceEditChanged.
// The grid's edit limit stops typing beyond it, without cutting a longer
// text the cell already holds.
//
// ---- Storage ----------------------------------------------------------------------
// TStringGrid keeps its cells in a sparse store (StringGridCells.h): empty
// cells take no memory, and cells beyond a shrunk row or column count keep
// their content until the count grows again.
//
// Everything runs on the main thread.
#include "platform/Controls.h"
#include "platform/GridTypes.h"
#include "platform/StdCtrls.h"
#include "rtl/Exceptions.h"

#include <memory>
#include <vector>

class TInplaceEdit;
class TReader;
class TStringGridCells;
class TStringList;
class TWriter;

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class EInvalidGridOperation : public Exception {
public:
  explicit EInvalidGridOperation(const String& Msg) : Exception(Msg) {}
};

// What the grid is busy with: a mouse range selection (gsSelecting), or
// sizing and moving rows and columns by hand (the descendants' states).
enum TGridState : uint8_t { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

using TDrawCellEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, const TRect& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, int32_t FromIndex, int32_t ToIndex)>;

class TCustomGrid : public TCustomControl {
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;
  String ClassName() const override;

  // ---- Counts. At least one column and one row. A count at or below the
  // fixed count lowers the fixed count to one less; a fixed count not below
  // the count raises EInvalidGridOperation "Fixed column count must be less
  // than column count" ("... row count ...").
  int32_t ColCount() const { return FColCount; }
  void SetColCount(int32_t Value);
  int32_t RowCount() const { return FRowCount; }
  void SetRowCount(int32_t Value);
  int32_t FixedCols() const { return FFixedCols; }
  void SetFixedCols(int32_t Value);
  int32_t FixedRows() const { return FFixedRows; }
  void SetFixedRows(int32_t Value);

  // ---- Sizes in pixels. Setting a default size sets every column (row).
  // Indexes outside the grid read as the default and are ignored on writing.
  int32_t DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int32_t Value);
  int32_t DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int32_t Value);
  int32_t ColWidths(int32_t Index) const;
  void SetColWidths(int32_t Index, int32_t Value);
  int32_t RowHeights(int32_t Index) const;
  void SetRowHeights(int32_t Index, int32_t Value);
  int32_t GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int32_t Value);

  // ---- Current cell, selection and view.
  int32_t Col() const { return FCurrent.X; }
  void SetCol(int32_t Value);
  int32_t Row() const { return FCurrent.Y; }
  void SetRow(int32_t Value);
  TGridRect Selection() const;
  // Makes the rectangle's top-left corner the anchor and its bottom-right
  // corner the current cell (without asking SelectCell).
  void SetSelection(const TGridRect& Value);
  int32_t LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int32_t Value);
  int32_t TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int32_t Value);
  int32_t VisibleColCount() const;
  int32_t VisibleRowCount() const;
  TRect CellRect(int32_t ACol, int32_t ARow) const;
  // The cell under a client point; -1 for a coordinate outside the cells.
  void MouseToCell(int32_t X, int32_t Y, int32_t& ACol, int32_t& ARow) const;
  TGridCoord MouseCoord(int32_t X, int32_t Y) const;

  // ---- Settings.
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TGridDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TGridDrawingStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // Marks a client rectangle, a cell, a row or a column for painting; only
  // what is in view is painted again.
  void Invalidate() override;
  void InvalidateRect(const TRect& R);
  void InvalidateCell(int32_t ACol, int32_t ARow);
  void InvalidateRow(int32_t ARow);
  void InvalidateCol(int32_t ACol);
  void InvalidateGrid();
  // Said within a held view by a holder that put Count rows in at ARow,
  // wrote only those and took rows off only after all of them: at the
  // release the screen's rows from ARow on are moved down rather than
  // painted again, when the view is still laid out as it was held (the same
  // top row, column widths and size, every row in view with its height).
  // Whatever else changed within the hold would then not show.
  virtual void ShowRowsInserted(int32_t ARow, int32_t Count);

  // ---- Inplace editing (see the top of this file).
  bool EditorMode() const { return FEditorMode; }
  // True opens the editor (when CanEditShow allows), False closes it.
  void SetEditorMode(bool Value);
  void ShowEditor();
  void HideEditor();
  // Opens the editor and types Ch into it as its first input.
  void ShowEditorChar(char16_t Ch);
  // The editor; nullptr before its first use.
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  // Loads the editor again from its cell and places it anew.
  void InvalidateEditor();
  TGridState GridState() const { return FSizingState != gsNormal ? FSizingState : FSelecting ? gsSelecting : gsNormal; }
  // gsNormal ends a mouse range selection.
  void SetGridState(TGridState Value);

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;

  // Forms carry the column widths and row heights that differ from the
  // default as the lists "ColWidths" and "RowHeights".
  void DefineProperties(TFiler* Filer) override;

protected:
  // ---- Hooks of the descendants.
  // Draws one cell; the base fires OnDrawCell.
  virtual void DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState);
  // Whether (ACol, ARow) may become the current cell; the base fires
  // OnSelectCell, True without a handler.
  virtual bool SelectCell(int32_t ACol, int32_t ARow);
  // After LeftCol or TopRow changed; the base fires OnTopLeftChanged.
  virtual void TopLeftChanged();
  // After MoveColumn / MoveRow moved the sizes; the base fires the events.
  virtual void ColumnMoved(int32_t FromIndex, int32_t ToIndex);
  virtual void RowMoved(int32_t FromIndex, int32_t ToIndex);
  // After the counts changed (the new counts are in force).
  virtual void SizeChanged(int32_t OldColCount, int32_t OldRowCount);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  // While the view is held the cells are not painted, and the scroll bars
  // keep their range and position: a change undone before the release (a
  // row put in on top and the last one taken off) neither moves nor
  // repaints them. At the release the bars take up the final range and the
  // cells are painted again, or only moved on the screen when the holder
  // said that is all that changed (ShowRowsInserted).
  void HoldView();
  void ReleaseView();

  // Moves a column (row) with its size to another index; the others shift.
  void MoveColumn(int32_t FromIndex, int32_t ToIndex);
  void MoveRow(int32_t FromIndex, int32_t ToIndex);
  // Removes a column (row): those after it move up, the count drops by one.
  virtual void DeleteColumn(int32_t ACol);
  virtual void DeleteRow(int32_t ARow);
  // Makes (ACol, ARow) current when SelectCell allows it; MoveAnchor False
  // keeps the selection's anchor (a range grows or shrinks).
  void FocusCell(int32_t ACol, int32_t ARow, bool MoveAnchor);
  // Scrolls so that the current cell is in view.
  void ScrollToCurrent();
  // As FocusCell, scrolling the cell into view only with Show.
  void MoveColRow(int32_t ACol, int32_t ARow, bool MoveAnchor, bool Show);

  // ---- Inplace editing hooks.
  // Whether the editor may show now: goEditing without goRowSelect, the
  // editor mode on, a widget, and goAlwaysShowEditor or the focus in the
  // grid or its editor.
  virtual bool CanEditShow();
  // A plain TInplaceEdit; the grid becomes its parent.
  virtual TInplaceEdit* CreateEditor();
  // The text the editor starts with (the cell's) and the text it gives back.
  virtual String GetEditText(int32_t ACol, int32_t ARow);
  virtual void SetEditText(int32_t ACol, int32_t ARow, const String& Value);
  // The editor's maximum text length; 0: no limit.
  virtual int32_t GetEditLimit();
  virtual String GetEditMask(int32_t ACol, int32_t ARow);
  // The user changed the editor's text (typing, pasting, deleting).
  virtual void InplaceEditChanged();
  // The framework's character handling: with goEditing, Backspace and the
  // characters from the space on open the editor with the character;
  // others go to KeyPress.
  void WMChar(char16_t& Key, TShiftState Shift) override;
  // Return opens or closes the editor (unless goAlwaysShowEditor); then
  // OnKeyPress.
  void KeyPress(char16_t& Key) override;

  // Sizing by the mouse: a point within 4 pixels of a column's edge in a
  // fixed row (with goColSizing) gives gsColSizing and the column whose
  // right edge it is; within 3 pixels of a row's edge in a fixed column
  // (with goRowSizing), gsRowSizing and the row. A press there drags the
  // edge, shown as a line, and the release sets the size.
  virtual void CalcSizingState(int32_t X, int32_t Y, TGridState& State, int32_t& Index);

  void Paint() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void Resize() override;
  uint32_t WMGetDlgCode() override;
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void CreateWnd() override;
  // Child controls (the inplace editors) and mouse coordinates belong to
  // the viewport.
  QWidget* ClientWidget() override;
  // Paints the viewport.
  bool WidgetEvent(QObject* Watched, QEvent* Event) override;

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Pixel extents: the width of the fixed columns with their lines, and the
  // client area the cells may use.
  int32_t FixedWidth() const;
  int32_t FixedHeight() const;
  // The room the cells have: the viewport, or while there is no widget the
  // control less its border and the scroll bars the cells need.
  void ClientExtents(int32_t& W, int32_t& H) const;

private:
  friend class TGridScrollArea;
  friend class TInplaceEdit;
  void UpdateEdit();
  void HideEdit();
  void UpdateText();
  // After the current cell or the view moved: the editor follows or closes.
  void EditorFollows(bool Moved);
  bool EditorHasFocus() const;
  struct TAxis;
  TAxis ColAxis() const;
  TAxis RowAxis() const;
  void ClampCurrent();
  void Relayout();
  void SetTopLeft(int32_t ALeft, int32_t ATop);
  int32_t MaxLeftCol() const;
  int32_t MaxTopRow() const;
  void UpdateScrollRange();
  void ScrollBarMoved(bool Vertical, int32_t Value);
  bool IsSelected(int32_t ACol, int32_t ARow) const;
  void DrawGridLines();
  void ReadColWidths(TReader& Reader);
  void WriteColWidths(TWriter& Writer);
  void ReadRowHeights(TReader& Reader);
  void WriteRowHeights(TWriter& Writer);

  int32_t FColCount = 5;
  int32_t FRowCount = 5;
  int32_t FFixedCols = 1;
  int32_t FFixedRows = 1;
  int32_t FDefaultColWidth = 64;
  int32_t FDefaultRowHeight = 24;
  int32_t FGridLineWidth = 1;
  std::vector<int32_t> FColWidths;
  std::vector<int32_t> FRowHeights;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  TGridOptions FOptions;
  bool FDefaultDrawing = true;
  TColor FFixedColor = clBtnFace;
  TScrollStyle FScrollBars = ssBoth;
  TGridDrawingStyle FDrawingStyle = gdsThemed;
  TBorderStyle FBorderStyle = bsSingle;
  bool FSelecting = false;
  TGridState FSizingState = gsNormal;
  int32_t FSizingIndex = -1;
  // The sized cell's start and the press's distance from its edge.
  int32_t FSizingStart = 0;
  int32_t FSizingOfs = 0;
  QWidget* FSizingLine = nullptr;
  bool FSizingCursor = false;
  TCursor FCursorBeforeSizing = crDefault;
  void ShowSizingCursor(TGridState Sizing);
  void ShowSizingLine(int32_t Pos);
  int32_t SizingSize(int32_t X, int32_t Y) const;
  bool FUpdatingScroll = false;
  bool FViewHeld = false;
  struct THeldView;
  std::unique_ptr<THeldView> FHeldView; // kept from hold to hold
  bool MoveInsertedRows(QWidget& View);
  TInplaceEdit* FInplaceEdit = nullptr; // a child control: freed with the grid
  int32_t FInplaceCol = -1;
  int32_t FInplaceRow = -1;
  bool FEditorMode = false;
  // The area the window asked to paint; empty outside a window's paint.
  TRect FPaintRect;
};

// The framework's inplace editor: an edit control that its grid places over
// the current cell. Owned by the grid and its child; lives as long as it.
class TInplaceEdit : public TCustomEdit {
public:
  explicit TInplaceEdit(TComponent* AOwner);
  ~TInplaceEdit() override;
  String ClassName() const override;

  TCustomGrid* Grid() const { return FGrid; }
  String EditText() const { return Text(); }
  // The cell's edit mask: kept for the grid's editors; the edit does not
  // enforce it.
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value) { FEditMask = Value; }
  // Places the editor at Loc (the grid's client coordinates) and shows it;
  // it takes the focus when the grid has it.
  void Move(const TRect& Loc);
  // Places it without showing or focusing.
  void UpdateLoc(const TRect& Loc);
  // Hides it; the grid takes the focus when the editor had it.
  void HideInplace();

protected:
  friend class TCustomGrid;
  // Loads the current cell's edit text, mask and length limit.
  virtual void UpdateContents();
  // After the editor was placed; the base does nothing.
  virtual void BoundsChanged();
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  uint32_t WMGetDlgCode() override;
  QWidget* CreateWidget(QWidget* ParentWidget) override;

  TCustomGrid* FGrid = nullptr;

private:
  void SetBoundsFrom(const TRect& Loc);
  String FEditMask;
  int32_t FEditLimit = 0;
  bool FUserEdit = false;
};

// A grid with a text and an object per cell. Objects are not owned.
class TStringGrid : public TCustomGrid {
public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;
  String ClassName() const override;

  String Cells(int32_t ACol, int32_t ARow) const;
  // Stores the text and repaints the cell.
  void SetCells(int32_t ACol, int32_t ARow, const String& Value);
  TObject* Objects(int32_t ACol, int32_t ARow) const;
  void SetObjects(int32_t ACol, int32_t ARow, TObject* Value);
  // A whole row (ColCount cells) or column (RowCount cells), texts with
  // their objects; setting writes every cell of it.
  void GetRows(int32_t ARow, TStringList& Into) const;
  void SetRows(int32_t ARow, const TStringList& Value);
  void GetCols(int32_t ACol, TStringList& Into) const;
  void SetCols(int32_t ACol, const TStringList& Value);

  // The cell store, for memory accounting.
  const TStringGridCells& CellStore() const { return *FCells; }

protected:
  // Without DefaultDrawing only the event; with it also the text, 2 pixels
  // in from the cell's top-left corner.
  void DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState) override;
  // The cells move with their column (row), then the base.
  void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;
  void RowMoved(int32_t FromIndex, int32_t ToIndex) override;
  void DeleteColumn(int32_t ACol) override;
  void DeleteRow(int32_t ARow) override;
  // The editor edits Cells.
  String GetEditText(int32_t ACol, int32_t ARow) override;
  void SetEditText(int32_t ACol, int32_t ARow, const String& Value) override;

  std::unique_ptr<TStringGridCells> FCells;
};
