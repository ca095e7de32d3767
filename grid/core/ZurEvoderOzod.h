#pragma once
// TZurEvoderOzod: the string grid of the table windows and the set-up
// screen, on the base grid (grid/base/BaseGrid.h).
//
// ---- Index spaces -------------------------------------------------------------------
// A real index counts every row or column, hidden ones included; a display
// index counts what is shown. ColCount and RowCount count display columns
// and rows. The cell store (Cells, Objects, the base grid's records) is
// addressed by (real column, display row): a hidden column stays where it
// is in the store and is only dropped from ColCount, while a hidden row
// leaves the grid for the row store (FGridItems) with its texts, records
// and height, and comes back when unhidden. RealColIndex / DisplColIndex
// and RealRowIndex / DisplRowIndex map between the spaces; every operation
// says which it takes. A suppressed row or column stays, at size 0.
//
// ---- Per-cell questions -----------------------------------------------------------
// Colour, border, alignment, editor kind, fixedness, editability, password,
// word wrap, check texts and hints are virtual queries (GetCellColor,
// GetCellReadOnly, ...) that apply the cell's record and the grid's
// settings first and fire the published event last, so the application's
// handler has the last word. None of them makes a cell record.
//
// ---- Cell graphics -----------------------------------------------------------------
// A cell can carry a TCellGraphic (a check box, button, picture, node, ...)
// as the graphic object of its record: CreateCellGraphic makes one (freeing
// the old), GetCellGraphic / GetCellType find it, FreeCellGraphic and
// RemoveCellGraphic free it; it is also freed with its cell's record.
//
// ---- Life cycle ----------------------------------------------------------------------
// The constructor makes the settings objects and sets every default; a form
// then streams the published properties in (setters that depend on other
// properties skip their work while csLoading) and Loaded completes them;
// the destructor unhides everything, clears the cells (freeing records,
// graphics and cell controls) and frees the settings. RegisterGridUnit
// registers the grid's classes, clipboard format and window messages once
// per process (the first grid made calls it).
//
// ---- Painting -------------------------------------------------------------------------
// The base grid's pass paints each cell's background and lines; the string
// grid's DrawGridCell adds the fixed-cell looks, buttons shown always, the
// text (alignment, word wrap, number format, search highlight, sort
// indicator, links), borders, the cell graphic, the drawing events and the
// focus rectangle. GetVisualProperties decides a cell's colours and font.
//
// ---- Cell objects and the selection ------------------------------------------------
// Check boxes, radio groups and buttons, buttons, pictures, images and the
// other kinds are made, read, changed and removed by the Add, Create, Get,
// Has and Remove families (Has looks at the base cell of a merged range);
// GetGraphicDetails places a graphic beside or behind the text and
// DrawCellGraphic draws it; GetCellGraphicSizeEx measures it. Disjunct row,
// column and cell selections live beside the framework's rectangle; a
// parked selection (HideSelection) is the grid's own state.
//
// What is not here yet, and joins as it is built: tree nodes, mini-HTML and
// rich text (drawn as their plain text), the special editors (spin, combo,
// check box, date, drop-down) and mouse handling, filtering, grid files and
// the clipboard formats. Editing with the text editor, selection, keys and
// navigation are the block at the end of the class; row sorting has its own.
//
// Everything runs on the main thread.
#include "grid/base/BaseGrid.h"
#include "grid/edit/GridEditHost.h"
#include "grid/base/RurStyleIF.h"
#include "grid/core/CellGraphic.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridEnums.h"
#include "rtl/Exceptions.h"
#include "grid/core/SortCompare.h"

#include <memory>
#include <utility>
#include <vector>

class TAutoColor;
class TBackGround;
class TBalloonSettings;
class TBands;
class TCollection;
class TColumnSize;
class TFilter;
class TFilterEdit;
class TFloatingFooter;
class TFocusHelper;
class TGridItem;
class TGrouping;
class TDragDropSettings;
class TDragScrollOptions;
class TFilterDropDown;
class TGridProgressAppearance;
class THoverButtons;
class TIntList;
class TMouseActions;
class TNavigation;
class TPopupMenu;
class TRurHintInfo;
class TSearchFooter;
class TShowModified;
class TSortIndexList;
class TStringList;
class TSyncGrid;
class TZurEvoderOzodCheck;

// Events declared with the grid (the others are in RurTypes.h).
using TIsFixedCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, bool& IsPassword)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& WordWrap)>;
using THasComboEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& HasCombo)>;
using THasEditBtnEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& HasEditBtn)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& HasSpinEdit)>;
using THasFilterEditEvent = std::function<void(TObject* Sender, int32_t ACol, bool& HasFilter)>;
using TFilterEditUpdateEvent =
    std::function<void(TObject* Sender, int32_t ACol, const String& Condition, uint8_t FilterType)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& Value)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, String& hintstr)>;
using TCellCursorEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, int32_t X, int32_t Y, int16_t& ACursor)>;
using TSearchFooterSearchEvent = std::function<void(TObject* Sender, String& Value)>;
using TSearchFooterActionEvent =
    std::function<void(TObject* Sender, const String& Value, int32_t ACol, int32_t ARow, TSearchAction SearchAction)>;
using TSearchFooterSearchEndEvent = std::function<void(TObject* Sender, bool& ContinueFromStart)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, double ADateTime)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, const String& Value)>;

// The grid's clipboard format and window messages (RegisterGridUnit).
struct TGridUnitIds {
  uint32_t CF_GRIDCELLS = 0;
  uint32_t WM_GRIDEDITDONE = 0;
  uint32_t WM_GRIDEDITSHOW = 0;
  uint32_t WM_GRIDEDITINVALID = 0;
  uint32_t WM_EDITPROP = 0;
  uint32_t WM_DTPSHIFTFOCUS = 0;
  uint32_t WM_FILTEREDITUPDATE = 0;
};
// Registers the grid's classes for streaming, its clipboard format and its
// window messages, once per process; later calls return the same ids.
const TGridUnitIds& RegisterGridUnit();

// ==== Used by the structure, sizes and their persistence ==========================
class TCanvas;
class TEditLink;
class THTMLSettings;
class TIniFile;
class TPrintSettings;
class TSizeWhileTyping;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int32_t OldRow, int32_t NewRow, bool& Allow)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, TEditLink* AEditLink)>;
// ==================================================================================

// ==== Used by the cell objects, typed access, attribute setters and the view =====
class TControlList;
class TCustomImageList;
class TFilePicture;
class TIcon;
class TPicture;
enum TCellShape : uint8_t;
enum TScrollPosition : uint8_t { spMiddle, spTrailing, spLeading };
enum TBalloonIcon : uint8_t { biNone, biInfo, biWarning, biError };
struct TScrollProp {
  int32_t PageSize = 0;
  int32_t Range = 0;
};
// The grid's own error, raised with a fixed English message (typed cell reads,
// the selection lists, sorting).
class ERurGridError : public Exception {
public:
  using Exception::Exception;
};
using TRadioClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, int32_t AIdx)>;
using TRadioButtonClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow)>;
using TRatingChangeEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, double& NewRate, bool& Allow)>;
using TDisjunctSelectEvent = std::function<void(TObject* Sender, int32_t Index, bool AState, bool& Allow)>;
using TDisjunctSelectedEvent = std::function<void(TObject* Sender, int32_t Index)>;
// Used by row sorting.
enum TColumnType : uint8_t { ctNumeric, ctFloat, ctAlpha, ctDate, ctTime, ctBoolean };
// ==================================================================================

// ==== Used by editing, selection, focus, keys and navigation ======================
class TCustomComboBox;
class TGridChangeNotifier;
class TMessageWindow;
class TRurInplaceEdit;
class TTimer;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int32_t OldRow, int32_t OldCol, int32_t NewRow, int32_t NewCol, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int32_t OldCol, int32_t NewCol, bool& Allow)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int32_t OldRow, int32_t NewRow)>;
using TCellValidateEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& Value, bool& Valid)>;
// Value is the UTF-16 text of a wide-text cell.
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& Value, bool& Valid)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, int32_t AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, int32_t AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, const String& NewUnit)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardPasteCellEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& Value, bool& Allow)>;
using TClipboardAfterPasteCellEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, const String& Value)>;
using TClipboardDoneEvent = std::function<void(TObject* Sender, const TGridRect& CellRect)>;
using TSelectionChangedEvent =
    std::function<void(TObject* Sender, int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int32_t ACol, bool& CanShow)>;
// ==================================================================================

// ==== Used by the mouse, the cell control clicks and the special editors ==========
class TGridButton;
class TGridCheckBox;
class TGridCombo;
class TGridSpin;
class TGridTransCombo;
class TGridTransEdit;
using TCanClickCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, bool& Allow)>;
using TFixedCellClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow)>;
using TSelectionResizeEvent =
    std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>;
using TFloatSpinClickEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, TDateTime AValue, bool UpDown)>;
using TFixedEditEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, TGridFixedCellEditor& AEditor,
                                           TStringList* Values)>;
// ==================================================================================

class TZurEvoderOzod : public TBaseGrid, public TGridEditHost {
public:
  explicit TZurEvoderOzod(TComponent* AOwner);
  ~TZurEvoderOzod() override;
  String ClassName() const override;

  // ---- Life cycle ------------------------------------------------------------------
  // Copies another string grid's settings, sizes and cells (not its events,
  // colour and fonts but the ones listed with each setting); any other
  // source is ignored.
  void Assign(TPersistent* Source) override;
  // The cells, their records and cell graphics, as copies.
  void AssignCells(TPersistent* Source);
  void Loaded() override;
  void Invalidate() override;
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  void UpdateScrollBars(bool Force);
  void BeginUpdate();
  void EndUpdate();
  // Banded rows and footers are drawn by where rows stand: those grids paint
  // their rows again.
  void ShowRowsInserted(int32_t ARow, int32_t Count) override;
  int32_t UpdateCount() const { return FUpdateCount; }
  // One cell: text, record and the record's own cell graphic.
  void FreeCell(int32_t ACol, int32_t ARow);
  // Puts the open editor away (writing a special editor's value back) and
  // selects the current cell again; nothing without an editor up.
  void HideInplaceEdit() override;
  void RemoveAllFilters();
  // The identity column order and the current widths as the suppressed
  // column widths.
  void SetColumnOrder();
  void CellControlsUpdate(bool RebuildList);

  // ---- Dimensions ------------------------------------------------------------------
  int32_t ColCount() const { return TBaseGrid::ColCount(); }
  void SetColCount(int32_t Value);
  int32_t RowCount() const { return TBaseGrid::RowCount(); }
  void SetRowCount(int32_t Value);
  // While FixedRowAlways is on, 0 reads as 1.
  int32_t FixedRows() const;
  void SetFixedRows(int32_t Value);
  int32_t FixedCols() const;
  void SetFixedCols(int32_t Value);
  int32_t Col() const { return TBaseGrid::Col(); }
  void SetCol(int32_t Value);
  int32_t FixedColWidth() const;
  void SetFixedColWidth(int32_t Value);
  int32_t FixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(int32_t Value);
  int32_t DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
  void SetDefaultRowHeight(int32_t Value);
  int32_t FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int32_t Value);
  int32_t FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int32_t Value);
  bool FixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
  bool FixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
  bool WordWrap() const { return FWordWrapEx; }
  void SetWordWrap(bool Value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value);
  TGridLook Look() const { return FLook; }
  void SetLook(TGridLook Value);
  static String GetLookAsString(TGridLook Value);
  static String GetLookAsFriendlyString(TGridLook Value);
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  bool URLShow() const { return FURLShow; }
  void SetURLShow(bool Value);
  bool URLShowInText() const { return FURLShowInText; }
  void SetURLShowInText(bool Value);
  bool URLFull() const { return FURLFull; }
  void SetURLFull(bool Value);
  // Display text: URLs made links with URLShowInText, group counts.
  void GetDisplText(int32_t ACol, int32_t ARow, String& Value) override;
  bool ShouldDrawSortIndicator(int32_t ACol, int32_t ARow);
  virtual void QueryAddRow(bool& CanAdd);
  virtual void QueryAddCol(bool& CanAdd);
  virtual void QueryInsertRow(int32_t ARow, bool& CanInsert);

  // ---- Hidden rows and columns (7.130) ----------------------------------------------
  int32_t RealRowIndex(int32_t ARow) const;
  int32_t RealColIndex(int32_t ACol) const override;
  int32_t DisplRowIndex(int32_t ARow) const;
  int32_t DisplColIndex(int32_t ACol) const override;
  int32_t RealRow() const { return RemapRowInv(Row()); }
  int32_t RealCol() const { return RemapCol(Col()); }
  int32_t RemapCol(int32_t ACol) const;
  int32_t RemapColInv(int32_t ACol) const;
  int32_t RemapRow(int32_t ARow) const;
  int32_t RemapRowInv(int32_t ARow) const;
  int32_t AllColCount() const { return ColCount() + FNumHidden; }
  int32_t AllRowCount() const { return RowCount() + NumHiddenRows(); }
  int32_t TotalColCount() const override { return ColCount() + FNumHidden; }
  int32_t TotalRowCount() const { return AllRowCount(); }
  // The width of real column ACol: its saved width when hidden.
  int32_t AllColWidths(int32_t ACol) const;
  void SetAllColWidths(int32_t ACol, int32_t Value);

  void HideColumn(int32_t ColIndex);
  void HideColumns(int32_t FromCol, int32_t ToCol);
  void UnHideColumn(int32_t ColIndex);
  void UnHideColumns(int32_t FromCol, int32_t ToCol);
  void UnHideColumnsAll();
  bool IsHiddenColumn(int32_t ColIndex) const;
  int32_t NumHiddenColumns() const { return FNumHidden; }

  void HideRow(int32_t RowIndex);
  void HideRows(int32_t FromRow, int32_t ToRow);
  void HideRowsEx(int32_t FromRow, int32_t ToRow);
  // Display rows, ascending: a filter level's rows (suppressed with the
  // ftSuppress filter type).
  void HideRowList(TIntList* RowList);
  void UnHideRow(int32_t RowIndex);
  void UnHideRows(int32_t FromRow, int32_t ToRow);
  void UnHideRowsAll();
  void UnHideRowList();
  bool IsHiddenRow(int32_t RowIndex) const;
  // Through a sorted list the caller owns (made and filled when nullptr).
  bool IsHiddenRow(int32_t RowIndex, TIntList*& ListHidden) const;
  int32_t NumHiddenRows() const;

  void SuppressColumn(int32_t ColIndex);
  bool IsSuppressedColumn(int32_t ColIndex) const;
  void UnSuppressColumn(int32_t ColIndex);
  void UnSuppressAllColumns();
  void SuppressRow(int32_t RowIndex);
  void SuppressRows(int32_t FromRow, int32_t ToRow);
  bool IsSuppressedRow(int32_t RowIndex) const;
  void UnSuppressRow(int32_t RowIndex);
  void UnSuppressRows(int32_t FromRow, int32_t ToRow);
  void UnSuppressAllRows();

  // ---- Cell graphics (7.120); store columns are real --------------------------------
  TCellGraphic* CreateCellGraphic(int32_t ACol, int32_t ARow);
  virtual TCellGraphic* GetCellGraphic(int32_t ACol, int32_t ARow);
  virtual TCellType GetCellType(int32_t ACol, int32_t ARow);
  virtual bool GetCellEmpty(int32_t ACol, int32_t ARow);
  bool IsCellGraphic(int32_t ACol, int32_t ARow, TCellTypes Types);
  bool FreeCellGraphic(int32_t ACol, int32_t ARow);
  bool RemoveCellGraphic(int32_t ACol, int32_t ARow, TCellType CellType);
  TIntList* GetCellImages(int32_t ACol, int32_t ARow);
  intptr_t GetCellImageIdx(int32_t ACol, int32_t ARow);

  // ---- Attribute resolution (7.102) -------------------------------------------------
  virtual void DoCanEditCell(int32_t ACol, int32_t ARow, bool& CanEdit);
  virtual void DoCanSort(int32_t ACol, bool& DoSort);
  virtual void DoSearchFooterAction(const String& Value, int32_t ACol, int32_t ARow, TSearchAction SearchAction);
  virtual String DoSearchFooterSearch(const String& Value);
  virtual void DoSearchFooterSearchEnd(bool& ContinueFromStart);
  virtual void DoButtonClick(int32_t ACol, int32_t ARow);
  virtual void DoExpandClick(int32_t ACol, int32_t ARow, bool Expanded);
  virtual void DoComboCloseUp(int32_t ARow, int32_t ACol);
  virtual void DoComboDropDown(int32_t ARow, int32_t ACol);
  virtual void DoSetCellCursor(int32_t ACol, int32_t ARow, int32_t X, int32_t Y);
  virtual void GetCellHint(int32_t ACol, int32_t ARow, String& Hint, String& WideHint);
  virtual void GetCellColor(int32_t ACol, int32_t ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellPrintColor(int32_t ACol, int32_t ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellBorder(int32_t ACol, int32_t ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellPrintBorder(int32_t ACol, int32_t ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellAlign(int32_t ACol, int32_t ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void GetColFormat(int32_t ACol, TSortStyle& AStyle, String& Prefix, String& Suffix);
  virtual void GetStaticCellEditor(int32_t ACol, int32_t ARow, TEditorType& AEditor);
  virtual void GetCellEditor(int32_t ACol, int32_t ARow, TEditorType& AEditor);
  virtual bool GetEditorNone(int32_t ACol, int32_t ARow);
  virtual void GetCellFixed(int32_t ACol, int32_t ARow, bool& IsFixed);
  // CanEdit True on return: the cell can be edited.
  virtual void GetCellReadOnly(int32_t ACol, int32_t ARow, bool& CanEdit);
  virtual void GetCellPassword(int32_t ACol, int32_t ARow, bool& IsPassword);
  virtual void GetCellWordWrap(int32_t ACol, int32_t ARow, bool& WordWrap);
  virtual bool HasCombo(int32_t ACol, int32_t ARow, TEditorType AEditor);
  virtual bool HasEditBtn(int32_t ACol, int32_t ARow, TEditorType AEditor);
  virtual bool HasSpinEdit(int32_t ACol, int32_t ARow, TEditorType AEditor);
  virtual bool HasFilterEdit(int32_t ACol, int32_t ARow);
  virtual void FilterEditUpdate(int32_t ACol, const String& Condition, uint8_t FilterType);
  virtual String GetCheckTrue(int32_t ACol, int32_t ARow);
  virtual String GetCheckFalse(int32_t ACol, int32_t ARow);
  // The cell's font; the grid's scratch font, overwritten by the next call,
  // for a cell with a record.
  TFont* GetCellFont(int32_t ACol, int32_t ARow);
  void HandleButtonClick(TObject* Sender);

  // ---- Base grid overrides ---------------------------------------------------------
  bool IsNode(int32_t ARow) override;
  bool IsSummary(int32_t ARow) override;
  bool IsCheckCell(int32_t ACol, int32_t ARow) override;
  void SetAsCheck(int32_t ACol, int32_t ARow, const String& Value) override;
  bool IsFixed(int32_t ACol, int32_t ARow) override;
  TAlignment GetDefaultAlignment() override;
  void GetDefaultProps(int32_t ACol, int32_t ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                       TColor& MirrorColorTo, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                       TCellGradientDirection& GradientDirection) override;

  // ---- Painting ------------------------------------------------------------------------
  // The colours, gradient, font, word wrap and alignment of a cell, each
  // source overriding the earlier: grid defaults, the cell's record, bands,
  // fixed colours, the filter row, automatic number colours, the colour
  // events, the gradient event, the selection. ACol is a display column
  // (mapped to the real one with Remap); Select turns the selection
  // colouring on.
  void GetVisualProperties(int32_t ACol, int32_t ARow, TGridDrawState& AState, bool Printing, bool Select, bool Remap,
                           TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor, TColor& MirrorColorTo, TFont* AFont,
                           TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                           TCellGradientDirection& GD) override;
  // The font alone, for measuring (RCol is the real column).
  void GetFontProperties(int32_t ACol, int32_t RCol, int32_t ARow, TGridDrawState& AState, TFont* AFont, TBrush* ABrush,
                         bool Flag);
  // The grid's alignments, the right alignment of numbers (AutoNumAlign) or
  // the record's, then GetCellAlign.
  std::pair<TAlignment, TVAlignment> GetCellAlignment(int32_t ACol, int32_t ARow);
  // Col1 over Col2 by Perc percent; ColorMixer blends only with Mix.
  static TColor BlendColor(TColor Col1, TColor Col2, int32_t Perc);
  static TColor ColorMixer(TColor Col1, TColor Col2, bool Mix, int32_t Perc);
  // The cell's display text, formatted as a number when OnGetFloatFormat
  // asks for it.
  virtual String GetFormattedCell(int32_t ACol, int32_t ARow);
  // The text a cell shows (cell-store column): its formatted text with
  // markup and rich-text control words stripped, wide text decoded, a
  // password as its characters. Drawing and measuring both take it.
  String ShownCellText(int32_t ACol, int32_t ARow);
  String ShownCellText(int32_t ACol, int32_t ARow, const String& Formatted);
  // RCol is the cell-store column, as the sort settings name it.
  void DrawSortIndicator(TCanvas* Canvas, int32_t RCol, int32_t X, int32_t Y);
  // The cell graphic (nullptr without one), its size and placement, and
  // whether the text shows beside it.
  TCellGraphic* GetGraphicDetails(int32_t ACol, int32_t ARow, int32_t& Width, int32_t& Height, bool& ShowText,
                                  TCellHAlign& HAlign, TCellVAlign& VAlign);
  // Display coordinates: inside the selection, fixed cells never.
  bool IsSelected(int32_t ACol, int32_t ARow) const;
  // The selection is painted: shown, and the grid focused unless it hides
  // the selection without the focus.
  bool CanShowSelection() const;
  // Paints the content of a cell over the background of the base pass.
  void DrawGridCell(TCanvas* Canvas, int32_t ACol, int32_t ARow, TRect ARect, TGridDrawState AState) override;

  // What the search panel holds: the text to highlight in the cells while
  // its highlight button is down, and whether case counts.
  String FSearchText;
  bool FSearchHighlightDown = false;
  bool FSearchMatchCase = false;

  // ---- Settings objects ------------------------------------------------------------
  TControlLook* ControlLook() const { return FControlLook.get(); }
  void SetControlLook(TControlLook* Value);
  TSortSettings* SortSettings() const { return FSortSettings.get(); }
  void SetSortSettings(TSortSettings* Value);
  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  void SetSearchFooter(TSearchFooter* Value);
  TNavigation* Navigation() const { return FNavigation.get(); }
  void SetNavigation(TNavigation* Value);
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  void SetMouseActions(TMouseActions* Value);
  TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
  void SetSyncGrid(TSyncGrid* Value);
  TBands* Bands() const { return FBands.get(); }
  void SetBands(TBands* Value);
  TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
  void SetFocusHelper(TFocusHelper* Value);
  TBackGround* BackGround() const { return FBackGround.get(); }
  void SetBackGround(TBackGround* Value);
  TFilter* Filter() const { return FFilter.get(); }
  void SetFilter(TFilter* Value);
  TFilterEdit* FilterEdit() const { return FFilterEdit.get(); }
  void SetFilterEdit(TFilterEdit* Value);
  TGrouping* Grouping() const { return FGrouping.get(); }
  void SetGrouping(TGrouping* Value);
  TColumnSize* ColumnSize() const { return FColumnSize.get(); }
  void SetColumnSize(TColumnSize* Value);
  TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
  void SetFloatingFooter(TFloatingFooter* Value);
  TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
  void SetBalloon(TBalloonSettings* Value);
  TShowModified* ShowModified() const { return FShowModified.get(); }
  void SetShowModified(TShowModified* Value);
  TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
  void SetDragDropSettings(TDragDropSettings* Value);
  TRurHintInfo* OfficeHint() const { return FOfficeHint.get(); }
  void SetOfficeHint(TRurHintInfo* Value);
  TAutoColor* AutoColor() const { return FAutoColor.get(); }
  void SetAutoColor(TAutoColor* Value);
  TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
  void SetProgressAppearance(TGridProgressAppearance* Value);
  TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
  void SetFilterDropDown(TFilterDropDown* Value);
  TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
  void SetDragScrollOptions(TDragScrollOptions* Value);
  THoverButtons* HoverButtons() const { return FHoverButtons.get(); }
  void SetHoverButtons(THoverButtons* Value);
  TFont* FixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont* Value);
  TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
  void SetActiveCellFont(TFont* Value);
  TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
  TStringList* RowHeaders() const { return FRowHeaders.get(); }
  TStringList* LookupItems() const { return FLookupItems.get(); }
  TBitmap* RowIndicator() const { return FRowIndicator.get(); }
  void SetRowIndicator(TBitmap* Value);
  TZurEvoderOzodCheck* CellChecker() const { return FCellChecker; }
  void SetCellChecker(TZurEvoderOzodCheck* Value);
  TPopupMenu* FixedDropDownMenu() const { return FFixedDropDownMenu; }
  void SetFixedDropDownMenu(TPopupMenu* Value);

  // ---- Published plain settings (declared defaults in the property table) -----------
#define FX_GRID_FIELD(Type, Name, Init)                                                                                \
public:                                                                                                                \
  Type Name() const { return F##Name; }                                                                                \
  void Set##Name(Type Value);                                                                                          \
                                                                                                                       \
private:                                                                                                               \
  Type F##Name = Init;
  FX_GRID_FIELD(bool, FixedAsButtons, false)
  FX_GRID_FIELD(bool, IntegralHeight, false)
  FX_GRID_FIELD(bool, SizeWithForm, false)
  FX_GRID_FIELD(bool, AutoSize, false)
  FX_GRID_FIELD(bool, AutoNumAlign, false)
  FX_GRID_FIELD(bool, Multilinecells, false)
  FX_GRID_FIELD(bool, Flat, false)
  FX_GRID_FIELD(TColor, BorderColor, 0x00B99D7F)
  FX_GRID_FIELD(TColor, DisabledFontColor, 0x00C0C0C0)
  FX_GRID_FIELD(TVAlignment, VAlignment, vtaTop)
  FX_GRID_FIELD(bool, ActiveCellShow, false)
  FX_GRID_FIELD(TColor, ActiveCellColor, 0x00808080)
  FX_GRID_FIELD(TColor, ActiveCellColorTo, clNone)
  FX_GRID_FIELD(bool, AutoThemeAdapt, false)
  FX_GRID_FIELD(bool, Hovering, false)
  FX_GRID_FIELD(THoverFixedCells, HoverFixedCells, hfNone)
  FX_GRID_FIELD(bool, ShowDesignHelper, true)
  FX_GRID_FIELD(bool, EnableBlink, false)
  FX_GRID_FIELD(TColor, SelectionColor, 0x00EACAB6)
  FX_GRID_FIELD(TColor, SelectionColorTo, clNone)
  FX_GRID_FIELD(TColor, SelectionMirrorColor, clNone)
  FX_GRID_FIELD(TColor, SelectionMirrorColorTo, clNone)
  FX_GRID_FIELD(TColor, SelectionTextColor, 0x00000000)
  FX_GRID_FIELD(bool, SelectionColorMixer, false)
  FX_GRID_FIELD(int32_t, SelectionColorMixerFactor, 50)
  FX_GRID_FIELD(bool, SelectionRectangle, false)
  FX_GRID_FIELD(bool, SelectionResizer, false)
  FX_GRID_FIELD(bool, SelectionRTFKeep, false)
  FX_GRID_FIELD(bool, ShowSelection, true)
  FX_GRID_FIELD(bool, ShowFocusedSelectionColor, true)
  FX_GRID_FIELD(bool, UseSelectionTextColor, true)
  FX_GRID_FIELD(bool, AutoHideSelection, false)
  FX_GRID_FIELD(TColor, HighlightColor, clHighlight)
  FX_GRID_FIELD(TColor, HighlightTextColor, clHighlightText)
  FX_GRID_FIELD(bool, HideFocusRect, false)
  FX_GRID_FIELD(bool, EnableHTML, true)
  FX_GRID_FIELD(bool, HTMLKeepLineBreak, true)
  FX_GRID_FIELD(String, FloatFormat, QStringLiteral("%.2f"))
  FX_GRID_FIELD(TFormatType, FormatType, ftVCL)
  FX_GRID_FIELD(bool, ExcelStyleDecimalSeparator, false)
  FX_GRID_FIELD(bool, EnhTextSize, false)
  FX_GRID_FIELD(bool, OemConvert, false)
  FX_GRID_FIELD(bool, URLUnderlineOnHover, false)
  FX_GRID_FIELD(bool, URLEdit, false)
  FX_GRID_FIELD(TEditorType, DefaultEditor, edNormal)
  FX_GRID_FIELD(bool, EditWithTags, false)
  FX_GRID_FIELD(String, ValidChars, String())
  FX_GRID_FIELD(int32_t, MaxEditLength, 0)
  FX_GRID_FIELD(int32_t, MaxComboLength, 0)
  FX_GRID_FIELD(bool, Lookup, false)
  FX_GRID_FIELD(bool, LookupCaseSensitive, false)
  FX_GRID_FIELD(bool, LookupHistory, false)
  FX_GRID_FIELD(String, InvalidEntryTitle, String())
  FX_GRID_FIELD(TInvalidEntryIcon, InvalidEntryIcon, ieWarning)
  FX_GRID_FIELD(String, InvalidEntryText, String())
  FX_GRID_FIELD(bool, EnhRowColMove, true)
  FX_GRID_FIELD(TPopupToolBarMode, PopupToolBarMode, tbActiveCell)
  FX_GRID_FIELD(TColor, HintColor, clInfoBk)
  FX_GRID_FIELD(bool, HintShowCells, false)
  FX_GRID_FIELD(bool, HintShowLargeText, false)
  FX_GRID_FIELD(THintShowLargeTextPos, HintShowLargeTextPos, hpCell)
  FX_GRID_FIELD(bool, HintShowSizing, false)
  FX_GRID_FIELD(bool, HTMLHint, false)
  FX_GRID_FIELD(bool, AnchorHint, false)
  FX_GRID_FIELD(bool, UseInternalHintClass, true)
  FX_GRID_FIELD(bool, FilterActive, false)
  FX_GRID_FIELD(TGridFilterType, FilterType, ftHide)
  FX_GRID_FIELD(bool, FilterNormalCellsOnly, true)
  FX_GRID_FIELD(bool, AutoFilterUpdate, true)
  FX_GRID_FIELD(bool, FilterDropDownAuto, false)
  FX_GRID_FIELD(bool, FilterDropDownMultiCol, true)
  FX_GRID_FIELD(String, FilterDropDownClear, QStringLiteral("(All)"))
  FX_GRID_FIELD(bool, FilterDropDownCheck, false)
  FX_GRID_FIELD(String, FilterDropDownCheckUnCheckAll, String())
  FX_GRID_FIELD(TFilterDropDownColumns, FilterDropDownColumns, fdNormal)
  FX_GRID_FIELD(int32_t, FilterDropDownRow, 0)
  FX_GRID_FIELD(TScrollBarAlways, ScrollBarAlways, saNone)
  FX_GRID_FIELD(TColor, ScrollColor, clNone)
  FX_GRID_FIELD(bool, ScrollProportional, false)
  FX_GRID_FIELD(bool, ScrollSynch, false)
  FX_GRID_FIELD(TScrollType, ScrollType, ssNormal)
  FX_GRID_FIELD(int32_t, ScrollWidth, 17)
  FX_GRID_FIELD(TScrollHintType, ScrollHints, shNone)
  FX_GRID_FIELD(bool, EnableWheel, true)
  FX_GRID_FIELD(TIntelliPan, IntelliPan, ipVertical)
  FX_GRID_FIELD(bool, IntelliZoom, true)
  FX_GRID_FIELD(String, CheckTrue, QStringLiteral("Y"))
  FX_GRID_FIELD(String, CheckFalse, QStringLiteral("N"))
#undef FX_GRID_FIELD

public:
  // "8.4.0.3"; writing it changes nothing.
  String Version() const;
  void SetVersion(const String&) {}

  // ---- Events ------------------------------------------------------------------------
  TGridColorEvent OnGetCellColor;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellBorder;
  TGridBorderEvent OnGetCellPrintBorder;
  TGridBorderPropEvent OnGetCellBorderProp;
  TGridGradientEvent OnGetCellGradient;
  TGridAlignEvent OnGetAlignment;
  TWordWrapEvent OnGetWordWrap;
  TGridFormatEvent OnGetFormat;
  TFloatFormatEvent OnGetFloatFormat;
  TGetCheckEvent OnGetCheckTrue;
  TGetCheckEvent OnGetCheckFalse;
  TIsFixedCellEvent OnIsFixedCell;
  TIsPasswordCellEvent OnIsPasswordCell;
  TCanEditCellEvent OnCanEditCell;
  TGetEditorTypeEvent OnGetEditorType;
  THasComboEvent OnHasComboBox;
  THasEditBtnEvent OnHasEditBtn;
  THasSpinEditEvent OnHasSpinEdit;
  THasFilterEditEvent OnHasFilterEdit;
  TFilterEditUpdateEvent OnFilterEditUpdate;
  TCellCursorEvent OnGetCellCursor;
  TGridHintEvent OnGridHint;
  TGridWideHintEvent OnGridWideHint;
  TOfficeHintEvent OnOfficeHint;
  TCanSortEvent OnCanSort;
  TButtonClickEvent OnButtonClick;
  TExpandClickEvent OnExpandClick;
  TClickCellEvent OnComboCloseUp;
  TClickCellEvent OnComboDropDown;
  TClickCellEvent OnDatePickerCloseUp;
  TClickCellEvent OnDatePickerDropDown;
  TSearchFooterActionEvent OnSearchFooterAction;
  TSearchFooterSearchEvent OnSearchFooterSearch;
  TSearchFooterSearchEndEvent OnSearchFooterSearchEnd;
  TDateTimeChangeEvent OnDateTimeChange;
  TEditChangeEvent OnEditChange;
  TCustomCellDrawEvent OnCustomCellDraw;
  TCustomCellDrawEvent OnCustomCellBkgDraw;
  TNotifyEvent OnPainted;
  TCheckBoxClickEvent OnCheckBoxClick;
  TCheckBoxCanToggleEvent OnCheckBoxCanToggle;
  TEllipsClickEvent OnEllipsClick;
  TSpinClickEvent OnSpinClick;
  TClickCellEvent OnClickCell;
  TClickCellEvent OnRightClickCell;
  TDblClickCellEvent OnDblClickCell;
  TAnchorClickEvent OnAnchorClick;
  TAnchorEvent OnAnchorEnter;
  TAnchorEvent OnAnchorExit;
  TAnchorHintEvent OnAnchorHint;
  TClickSortEvent OnClickSort;
  TCanAddColEvent OnCanAddCol;
  TCanAddRowEvent OnCanAddRow;
  TAutoAddRowEvent OnAutoAddRow;
  TCanInsertRowEvent OnCanInsertRow;
  TAutoInsertRowEvent OnAutoInsertRow;
  TAutoInsertColEvent OnAutoInsertCol;
  TCanDeleteRowEvent OnCanDeleteRow;
  TAutoDeleteRowEvent OnAutoDeleteRow;
  TColumnSizeEvent OnColumnSize;
  TColumnSizingEvent OnColumnSizing;
  TEndColumnSizeEvent OnEndColumnSize;
  TUpdateColumnSizeEvent OnUpdateColumnSize;
  TRowSizeEvent OnRowSize;
  TRowSizingEvent OnRowSizing;
  TEndRowSizeEvent OnEndRowSize;
  TScrollHintEvent OnScrollHint;
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;
  TSearchEditChangeEvent OnSearchEditChange;

  // ---- State the other parts of the grid share ----------------------------------------
  // Fixed-cell gradient colours the painter uses (TControlLook passes its
  // colours on to them).
  TColor FZURGrad[FixedGradientCount];
  // The paint state the mouse handling keeps: the fixed cell under the
  // mouse, the column being moved, the mouse held on a fixed cell, the
  // fixed cell's drop-down pressed, the mouse held down anywhere.
  int32_t FHoverFixedX = -1;
  int32_t FHoverFixedY = -1;
  int32_t FMoveCell = -1;
  bool FMouseDownMove = false;
  bool FDropDownDown = false;
  bool FMouseDown = false;
  // Screen scale (1 at 96 dots per inch); the colour tones of the metro
  // look. (FEditing, an inplace editor is open, is the editing host's.)
  double FDPIScale = 1.0;
  TColorTones FTones;
  // The character shown for a password.
  QChar FPasswordChar = u'*';
  // A cell with a graphic shows no text; the user's drawing replaces the
  // text.
  bool FNoImageAndText = false;
  bool FNoDefaultDraw = false;
  bool FUseDisabledFont = true;
  // The vertical text format of the last drawn cell.
  uint32_t FVAlign = 0;
  int32_t FFixedRowsMin = 0;
  int32_t FFixedColsMin = 0;
  int32_t FMaxRowCount = 0;
  int32_t FMaxColCount = 0;
  int32_t FFilterLevel = 0;
  bool FEditDisable = false;
  bool FLoaded = false;

  // ==== Structure, sizes and their persistence ====================================
  // (column-size, HTML and print settings; column sizes, column states,
  // visual properties and print settings in files; stretching and sizing
  // events, the combo item list and editability; clearing, trimming and
  // merging by range; inserting, removing, moving and swapping rows and
  // columns; automatic sizing.) Each operation names its index space.
public:
  TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
  void SetSizeWhileTyping(TSizeWhileTyping* Value);
  THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
  void SetHTMLSettings(THTMLSettings* Value);
  TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
  void SetPrintSettings(TPrintSettings* Value);

  // ---- Persistence. Column sizes and positions go to the store ColumnSize
  // names (Key, Section, Location); nothing happens while Key or Section is
  // empty or at design time. Widths are kept per display column ("Col" +
  // display index): a hidden column is neither written nor read, and its
  // width comes back when it is shown again.
  void SaveColSizes();
  // A missing INI file is created; a missing key leaves its column as it is.
  void LoadColSizes();
  void SaveColPositions();
  void LoadColPositions();
  // "count#widths#order#visibility", e.g. "3#64,80,64#0,1,2#1,0,1".
  String ColumnStatesToString();
  void StringToColumnStates(const String& Value);
  // Colours, fonts and looks as name=value lines. Raises Exception "Cannot
  // Create <file>" / "Cannot open file <file>"; a bad number in the file
  // raises EConvertError with what came before it applied.
  void SaveVisualProps(const String& FileName);
  void LoadVisualProps(const String& FileName);
  // PrintSettings in section Section of the INI file Key.
  void SavePrintSettings(const String& Key, const String& Section);
  void LoadPrintSettings(const String& Key, const String& Section);
  // Position -> original column; empty until the order is first recorded.
  TIntList* ColumnOrder() const { return FColumnOrder.get(); }

  // ---- Stretching and sizing events (display columns).
  void StretchColumns();
  // ACol -1: the last column; AWidth -1: the client width. Raises Exception
  // "Stretch column index out of range" for ACol >= ColCount.
  void StretchColumn(int32_t ACol, int32_t AWidth);
  void StretchRightColumn();
  bool InSizeZone(int32_t X, int32_t Y);
  virtual void UpdateColSize(int32_t ACol, int32_t& AWidth);
  virtual void UpdateAutoColSize(int32_t ACol, int32_t& AWidth);
  virtual void UpdateColHeaders() {}
  void ScreenToCell(const TPoint& Pt, int32_t& ACol, int32_t& ARow);

  // ---- The combo editor's items (filled per cell by OnGetEditorProp).
  // The combo editor's items.
  TStringList* ComboItems() const;
  void ClearComboString();
  void AddComboString(const String& S);
  void AddComboStringObject(const String& S, TObject* AObject);
  bool RemoveComboString(const String& S);
  bool SetComboSelectionString(const String& S);
  void SetComboSelection(int32_t Idx);
  int32_t GetComboCount() const;
  int32_t ComboSelection() const { return FComboIdx; }
  // The index of the cell's text among the cell's items; -1 when absent.
  int32_t ComboIndex(int32_t ACol, int32_t ARow);
  // Writes item Value into the cell; an index outside the list raises
  // EStringListError and leaves the cell.
  void SetComboIndex(int32_t ACol, int32_t ARow, int32_t Value);
  virtual void DoGetEditorProp(int32_t ACol, int32_t ARow, TEditLink* AEditLink);

  // ---- Editability (cell-store columns).
  bool IsEditable(int32_t ACol, int32_t ARow);
  bool IsEditableInt(int32_t ACol, int32_t ARow);
  bool IsPassword(int32_t ACol, int32_t ARow);
  virtual void DoAppendRow();
  bool HasColumnsProp() const { return false; }

  // ---- Clearing, trimming, colouring and merging by range. Columns are
  // cell-store columns (display ones with SaveHiddenCells), rows display.
  virtual void ClearRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2);
  void ClearRows(int32_t RowIndex, int32_t RCount);
  void ClearNormalRows(int32_t RowIndex, int32_t RCount);
  void ClearCols(int32_t ColIndex, int32_t CCount);
  void ClearNormalCols(int32_t ColIndex, int32_t CCount);
  void ClearNormalCells();
  void ClearSelection();
  void Clear();
  void ClearAll();
  virtual void TrimRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2);
  void TrimColumn(int32_t ACol);
  void TrimRow(int32_t ARow);
  void TrimAll();
  // clNone takes the colour away without freeing any record.
  void ColorRect(int32_t ACol1, int32_t ARow1, int32_t ACol2, int32_t ARow2, TColor AColor);
  void MergeColumnCells(int32_t ColIndex, bool MainMerge);
  void MergeRowCells(int32_t RowIndex, bool MainMerge);
  void SplitColumnCells(int32_t ColIndex);
  void SplitRowCells(int32_t RowIndex);
  void SplitAllCells();
  void MergeCols(int32_t ColIndex1, int32_t ColIndex2, const String& Separator);
  bool IsCell(const String& SubStr, int32_t& ACol, int32_t& ARow);
  bool IsWideCell(int32_t ACol, int32_t ARow);
  virtual TRect GetUsedCells();
  int32_t GetSaveStartCol() const;
  int32_t GetSaveEndCol() const;
  int32_t GetSaveColCount() const;
  int32_t GetSaveStartRow() const;
  int32_t GetSaveEndRow() const;
  int32_t GetSaveRowCount() const;
  bool SaveHiddenCells() const { return FSaveHiddenCells; }
  void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
  bool ClearTextOnly() const { return FClearTextOnly; }
  void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
  bool SaveFixedCells() const { return FSaveFixedCells; }
  void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
  bool SaveFixedCols() const { return FSaveFixedCols; }
  void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
  bool SaveFixedRows() const { return FSaveFixedRows; }
  void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }

  // ---- Inserting and removing. Rows are display rows; InsertCols and
  // RemoveCols take cell-store columns (their widths follow at the display
  // index). Whole rows travel with the texts, records and cell graphics of
  // their hidden columns; stored hidden rows keep their real indexes and
  // their cells in step with inserted and removed columns.
  virtual void InsertRows(int32_t RowIndex, int32_t RCount, bool UpdateCellControls = true);
  void InsertRowsEx(int32_t RowIndex, int32_t RCount, bool UpdateCellControls = false);
  void AddRow();
  virtual void InsertCols(int32_t ColIndex, int32_t CCount);
  void AddColumn();
  virtual void RemoveRows(int32_t RowIndex, int32_t RCount);
  virtual void RemoveRowsInternal(int32_t RowIndex, int32_t RCount);
  // OnRowChanging may refuse when the current row would leave the last
  // normal row; Renumber lowers the real indexes of stored rows behind.
  void IRemoveRows(int32_t RowIndex, int32_t RCount, bool Renumber = false);
  // The rows' records are not freed: the caller has taken them.
  virtual void RemoveRowsEx(int32_t RowIndex, int32_t RCount);
  void RemoveRowList(TIntList* RowList);
  virtual void RemoveCols(int32_t ColIndex, int32_t CCount);
  void RemoveSelectedRows();
  void RemoveUnSelectedRows();
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();
  void RemoveCheckedRows(int32_t CheckBoxColumn, bool RemoveChecked);
  void RemoveDuplicates(int32_t ACol, bool DoCase);
  void HideSelectedRows();
  void HideUnSelectedRows();

  // ---- Moving and swapping (display columns and rows).
  void MoveColumn(int32_t FromIndex, int32_t ToIndex);
  void MoveRow(int32_t FromIndex, int32_t ToIndex);
  void MoveRows(int32_t FromIndex, int32_t ToIndex, int32_t Count);
  void SwapColumns(int32_t ACol1, int32_t ACol2);
  void SwapRows(int32_t ARow1, int32_t ARow2);
  virtual void SortSwapRows(int32_t ARow1, int32_t ARow2);
  int32_t Swaps() const { return FSwaps; }

  // ---- Automatic sizing (display columns and rows, within the limits).
  void AutoSizeRows(bool DoFixedRows, int32_t Padding);
  void AutoSizeRow(int32_t ARow, int32_t Padding);
  void SizeToHeight(int32_t ARow, bool GrowOnly, int32_t Padding);
  void SizeToLines(int32_t ARow, int32_t Lines, int32_t Padding);
  void AutoSizeColumns(bool DoFixedCols, int32_t Padding);
  void AutoGrowColumns(bool DoFixedCols, int32_t Padding);
  void AutoSizeCol(int32_t ACol, int32_t Padding);
  void AutoGrowCol(int32_t ACol, int32_t Padding);
  void SizeToWidth(int32_t ACol, bool GrowOnly);
  void AutoSizeCells(bool DoFixedCells, int32_t PaddingX, int32_t PaddingY);
  void AutoFitColumns(bool DoFixedCells);
  void SizeToCols();
  void SizeToRows();
  void SizeToCells();
  // The largest line count of the row's cells; 1 without Multilinecells.
  int32_t MaxLinesInRow(int32_t ARow);
  bool IsIgnoredColumn(int32_t ACol) const;
  TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
  int32_t MinColWidth() const { return FMinColWidth; }
  void SetMinColWidth(int32_t Value) { FMinColWidth = Value; }
  int32_t MaxColWidth() const { return FMaxColWidth; }
  void SetMaxColWidth(int32_t Value) { FMaxColWidth = Value; }
  int32_t MinRowHeight() const { return FMinRowHeight; }
  void SetMinRowHeight(int32_t Value) { FMinRowHeight = Value; }
  int32_t MaxRowHeight() const { return FMaxRowHeight; }
  void SetMaxRowHeight(int32_t Value) { FMaxRowHeight = Value; }
  bool SizeGrowOnly() const { return FSizeGrowOnly; }
  void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
  // The cell text's inset; repaints.
  TPoint XYOffset() const { return FXYOffset; }
  void SetXYOffset(TPoint Value);
  bool XYOffsetTopLeftOnly() const { return FXYOffsetTopLeftOnly; }
  void SetXYOffsetTopLeftOnly(bool Value);
  int32_t ZoomFactor() const { return FZoomFactor; }
  void SetZoomFactor(int32_t Value);

  // Measurement of a cell's content in the grid's canvas, cell-store column
  // RCol: the text (plain, line by line, or word-wrapped in the cell) and
  // the cell graphic (check boxes, radio buttons, pies, shapes, ratings).
  TPoint GetCellTextSize(int32_t ACol, int32_t ARow, bool ReserveButton, bool WordWrapMeasure);
  TPoint GetCellTextSizeInt(int32_t ACol, int32_t RCol, int32_t ARow, bool ReserveButton, bool WordWrapMeasure,
                            bool Unbounded);
  TPoint GetCellGraphicSize(int32_t ACol, int32_t ARow);
  virtual TPoint GetCellGraphicSizeEx(int32_t ACol, int32_t ARow, int32_t ReservedHeight);

  // Announces a changed cell rectangle (OnCellsChanged).
  virtual void CellsChanged(const TRect& R);

  TCellsChangedEvent OnCellsChanged;
  TRowChangingEvent OnRowChanging;
  TGetEditorPropEvent OnGetEditorProp;

  // The mouse code's account of a sizing by hand: set before it changes
  // the width (height), read by the change hooks.
  bool ColSized = false;
  bool RowSized = false;
  int32_t Colclicked = -1;
  int32_t Rowclicked = -1;
  int32_t Colclickedsize = 0;
  int32_t Rowclickedsize = 0;
  bool ColSizeFlg = false;
  bool FSizeFixed = false;

protected:
  void SizeChanged(int32_t OldColCount, int32_t OldRowCount) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;

private:
  // The column store of the given kind, opened on ColumnSize.Key;
  // nullptr when nothing is to be done.
  std::unique_ptr<TIniFile> OpenColumnStore();
  // Puts the columns into Order (display position -> original column) and
  // hides again the columns noted hidden, by their original index.
  void ArrangeColumns(const std::vector<int32_t>& Order, const std::vector<int32_t>& HiddenOriginals);
  // The whole cell-store width (hidden columns included) for whole-row
  // copies; the guard puts ColCount back.
  int32_t WholeRowWidth() const { return ColCount() + FNumHidden; }
  void CopyWholeRow(int32_t From, int32_t To);
  void InsertStoredColumns(int32_t ColIndex, int32_t CCount);
  void RemoveStoredColumns(int32_t ColIndex, int32_t CCount);
  int32_t CellTextHeight(TCanvas* ACanvas, const String& Text);
  void PrepareMeasureFont(TCanvas* ACanvas, int32_t ACol, int32_t ARow, bool Fixed);
  // A setting of the settings objects by published path ("ControlLook.
  // CheckSize"), or Default while the object has no such setting.
  int32_t SettingOr(const char* Path, int32_t Default);

  std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
  std::unique_ptr<THTMLSettings> FHTMLSettings;
  std::unique_ptr<TPrintSettings> FPrintSettings;
  std::unique_ptr<TIntList> FIgnoreColumns;
  int32_t FComboIdx = -1;
  bool FForceComboSel = false;
  bool FSaveHiddenCells = false;
  bool FClearTextOnly = false;
  bool FOwnsObjects = false;
  bool FNilObjects = false;
  bool FSaveFixedCells = true;
  bool FSaveFixedCols = false;
  bool FSaveFixedRows = false;
  bool FIsColChanging = false;
  bool ColchgFlg = true;
  int32_t FSwaps = 0;
  int32_t FMinColWidth = 0;
  int32_t FMaxColWidth = 0;
  int32_t FMinRowHeight = 0;
  int32_t FMaxRowHeight = 0;
  bool FSizeGrowOnly = false;
  TPoint FXYOffset{2, 2};
  bool FXYOffsetTopLeftOnly = false;
  int32_t FZoomFactor = 0;
  // ==== end of structure, sizes and their persistence ============================

  // ==== Cell objects, typed access, attribute setters and the view ================
  // (check boxes and radio buttons; buttons, pictures and the other cell
  // objects; drawing and measuring them; typed reads and writes, row and
  // column selection; per-cell attributes by array property; the current
  // row, scrolling into view and the parked selection.) Columns are
  // cell-store (real) columns and rows display rows unless a comment says
  // otherwise. The Has operations look at the base cell of a merged range.
public:
  // ---- Check boxes. AddCheckBox raises Exception "Invalid cell" beyond the
  // grid (hidden rows and columns counted in).
  void AddCheckBox(int32_t ACol, int32_t ARow, bool State, bool Data);
  void AddCheckBox(int32_t ACol, int32_t ARow, TCheckBoxState State);
  void AddCheckBoxColumn(int32_t ACol, bool DefaultState = false, bool DataCheckBox = false);
  void AddTriStateCheckBoxColumn(int32_t ACol, TCheckBoxState State);
  void RemoveCheckBox(int32_t ACol, int32_t ARow);
  void RemoveCheckBoxColumn(int32_t ACol);
  bool HasCheckBox(int32_t ACol, int32_t ARow);
  bool HasDataCheckBox(int32_t ACol, int32_t ARow);
  bool IsDataCheckCol(int32_t ACol);
  // True when the cell has a check box whose state was delivered. The
  // Boolean forms take the real row.
  bool GetCheckBoxState(int32_t ACol, int32_t ARow, TCheckBoxState& State);
  bool GetCheckBoxState(int32_t ACol, int32_t ARow, bool& State);
  bool IsChecked(int32_t ACol, int32_t ARow);
  bool SetCheckBoxState(int32_t ACol, int32_t ARow, TCheckBoxState State);
  bool SetCheckBoxState(int32_t ACol, int32_t ARow, bool State);
  // The setter of CheckAll: fires OnCheckBoxChange on a change.
  bool SetCheckBoxStateInt(int32_t ACol, int32_t ARow, bool State);
  void CheckAll(int32_t ACol);
  void UnCheckAll(int32_t ACol);
  // What a click or Space does; OnCheckBoxCanToggle may refuse, a read-only
  // cell refuses a mouse toggle unless ControlLook.CheckAlwaysActive.
  virtual bool ToggleCheck(int32_t ACol, int32_t ARow, bool FromMouse);
  bool ToggleCheckBox(int32_t ACol, int32_t ARow) { return ToggleCheck(ACol, ARow, false); }
  // Client coordinates.
  bool IsInCheckBox(int32_t ACol, int32_t ARow, int32_t XPos, int32_t YPos);
  virtual void DoCheckBoxChange(int32_t ACol, int32_t ARow, bool State);
  virtual String GetColumnCheckTrue(int32_t ACol);
  virtual String GetColumnCheckFalse(int32_t ACol);
  // ---- Radio groups: one cell offering several choices.
  // The new list of choices, owned by the cell, for the caller to fill.
  TStringList* CreateRadio(int32_t ACol, int32_t ARow, int32_t DirRadio, int32_t IdxRadio);
  // The caller's list, which must outlive the cell's record.
  void AddRadio(int32_t ACol, int32_t ARow, int32_t DirRadio, int32_t IdxRadio, TStringList* sl);
  bool GetRadioIdx(int32_t ACol, int32_t ARow, int32_t& IdxRadio);
  bool SetRadioIdx(int32_t ACol, int32_t ARow, int32_t IdxRadio);
  TStringList* GetRadioStrings(int32_t ACol, int32_t ARow);
  bool IsRadio(int32_t ACol, int32_t ARow);
  bool RemoveRadio(int32_t ACol, int32_t ARow);
  bool ToggleRadio(int32_t ACol, int32_t ARow, bool FromMouse);
  // ---- Radio buttons: one per cell, exclusive within their group.
  void AddRadioButtonGroup(int32_t ACol, int32_t ARow, TRadioButtonGroup Group, bool State);
  void AddRadioButton(int32_t ACol, int32_t ARow, bool State = false);
  void AddRadioButtonColumn(int32_t ACol);
  void AddRadioButtonGroupColumn(int32_t ACol);
  void RemoveRadioButton(int32_t ACol, int32_t ARow);
  void RemoveRadioButtonColumn(int32_t ACol);
  bool HasRadioButton(int32_t ACol, int32_t ARow);
  bool HasRadioButtonGroup(int32_t ACol, int32_t ARow, TRadioButtonGroup Group);
  bool IsRadioButtonChecked(int32_t ACol, int32_t ARow);
  bool SetRadioButtonState(int32_t ACol, int32_t ARow, bool State);
  void SetRadioButtonRowIndex(int32_t ARow, int32_t Index);
  void SetRadioButtonColumnIndex(int32_t ACol, int32_t Index);
  int32_t GetRadioButtonColumnIndex(int32_t ACol);
  virtual bool ToggleRadioButton(int32_t ACol, int32_t ARow, bool FromMouse);
  // Cells whose value is their text (HasStaticEdit, for cells operated by
  // clicks alone, is with the editing).
  bool HasDataCell(int32_t ACol, int32_t ARow);

  // ---- Buttons, pictures and the other cell objects. An Add operation
  // keeps a reference to the caller's object, a Create operation makes one
  // that the cell frees; either replaces the record the cell had.
  void AddBitmap(int32_t ACol, int32_t ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* CreateBitmap(int32_t ACol, int32_t ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* GetBitmap(int32_t ACol, int32_t ARow);
  bool HasBitmap(int32_t ACol, int32_t ARow) { return GetBitmap(ACol, ARow) != nullptr; }
  bool RemoveBitmap(int32_t ACol, int32_t ARow);
  void AddIcon(int32_t ACol, int32_t ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
  TIcon* CreateIcon(int32_t ACol, int32_t ARow, TCellHAlign hal, TCellVAlign val);
  bool RemoveIcon(int32_t ACol, int32_t ARow);
  void AddPicture(int32_t ACol, int32_t ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                  int32_t Padding, TCellHAlign hal, TCellVAlign val);
  TPicture* CreatePicture(int32_t ACol, int32_t ARow, bool Transparent, TStretchMode StretchMode, int32_t Padding,
                          TCellHAlign hal, TCellVAlign val);
  TPicture* GetPicture(int32_t ACol, int32_t ARow);
  bool HasPicture(int32_t ACol, int32_t ARow) { return GetPicture(ACol, ARow) != nullptr; }
  bool RemovePicture(int32_t ACol, int32_t ARow);
  void AddFilePicture(int32_t ACol, int32_t ARow, TFilePicture* AFilePicture, bool Transparent,
                      TStretchMode StretchMode, int32_t Padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture* CreateFilePicture(int32_t ACol, int32_t ARow, bool Transparent, TStretchMode StretchMode,
                                  int32_t Padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture* GetFilePicture(int32_t ACol, int32_t ARow);
  bool HasFilePicture(int32_t ACol, int32_t ARow) { return GetFilePicture(ACol, ARow) != nullptr; }
  bool RemoveFilePicture(int32_t ACol, int32_t ARow);
  // The image kinds need GridImages; without it they do nothing.
  void AddImageIdx(int32_t ACol, int32_t ARow, int32_t Aidx, TCellHAlign hal, TCellVAlign val);
  bool GetImageIdx(int32_t ACol, int32_t ARow, int32_t& Idx);
  bool SetImageIdx(int32_t ACol, int32_t ARow, int32_t Idx);
  bool RemoveImageIdx(int32_t ACol, int32_t ARow);
  void AddDataImage(int32_t ACol, int32_t ARow, int32_t Aidx, TCellHAlign hal, TCellVAlign val);
  bool HasDataImage(int32_t ACol, int32_t ARow);
  void RemoveDataImage(int32_t ACol, int32_t ARow);
  void AddMultiImage(int32_t ACol, int32_t ARow, int32_t Dir, TCellHAlign hal, TCellVAlign val);
  bool RemoveMultiImage(int32_t ACol, int32_t ARow);
  void MultiImageChanged(TObject* Sender, int32_t ACol, int32_t ARow);
  // A grid without a picture container makes no data pictures.
  void AddDataPicture(int32_t ACol, int32_t ARow, const String& AName, TCellHAlign hal, TCellVAlign val);
  bool HasDataPicture(int32_t ACol, int32_t ARow);
  void RemoveDataPicture(int32_t ACol, int32_t ARow);
  void AddButton(int32_t ACol, int32_t ARow, int32_t bw, int32_t bh, const String& Caption, TCellHAlign hal,
                 TCellVAlign val);
  void AddBitButton(int32_t ACol, int32_t ARow, int32_t bw, int32_t bh, const String& Caption, TBitmap* Glyph,
                    TCellHAlign hal, TCellVAlign val);
  // The new glyph, for the caller to load.
  TBitmap* CreateBitButton(int32_t ACol, int32_t ARow, int32_t bw, int32_t bh, const String& Caption, TCellHAlign hal,
                           TCellVAlign val);
  // Display columns.
  String GetButtonText(int32_t ACol, int32_t ARow);
  void SetButtonText(int32_t ACol, int32_t ARow, const String& Caption);
  void PushButton(int32_t ACol, int32_t ARow, bool Push);
  // Client coordinates of the button as last painted; empty without one.
  TRect ButtonRect(int32_t ACol, int32_t ARow);
  bool HasButton(int32_t ACol, int32_t ARow);
  bool RemoveButton(int32_t ACol, int32_t ARow);
  bool RemoveBitButton(int32_t ACol, int32_t ARow);
  void RemoveAllButtons();
  virtual void ButtonFormMouseLeave() {}
  void AddProgress(int32_t ACol, int32_t ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(int32_t ACol, int32_t ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                     TColor BKTextColor);
  void AddProgressFormatted(int32_t ACol, int32_t ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, const String& Fmt, int32_t Min, int32_t Max, double Scale);
  bool HasProgress(int32_t ACol, int32_t ARow);
  bool RemoveProgress(int32_t ACol, int32_t ARow);
  void AddRurProgress(int32_t ACol, int32_t ARow, int32_t Min, int32_t Max);
  bool RemoveRurProgress(int32_t ACol, int32_t ARow);
  void AddProgressPie(int32_t ACol, int32_t ARow, TColor Color, int32_t Value);
  void SetProgressPie(int32_t ACol, int32_t ARow, int32_t Value);
  bool RemoveProgressPie(int32_t ACol, int32_t ARow);
  void AddRangeIndicator(int32_t ACol, int32_t ARow, int32_t Range, TColor NegColor, TColor PosColor, bool ShowValue);
  bool RemoveRangeIndicator(int32_t ACol, int32_t ARow);
  void AddShape(int32_t ACol, int32_t ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                TCellVAlign val);
  void SetShapeColor(int32_t ACol, int32_t ARow, TColor FillColor);
  // clNone when the cell is no shape.
  TColor GetShapeColor(int32_t ACol, int32_t ARow);
  bool HasShape(int32_t ACol, int32_t ARow);
  bool RemoveShape(int32_t ACol, int32_t ARow);
  void AddRating(int32_t ACol, int32_t ARow, int32_t Scale, TColor FillColor, TColor EmptyColor);
  bool HasRating(int32_t ACol, int32_t ARow);
  bool RemoveRating(int32_t ACol, int32_t ARow);
  virtual bool DoRatingChange(int32_t ACol, int32_t ARow, double& NewRate);
  void AddScrollBar(int32_t ACol, int32_t ARow, bool AutoRange);
  void SetScrollPosition(int32_t ACol, int32_t ARow, int32_t Pos);
  // -1 without a scroll bar.
  int32_t GetScrollPosition(int32_t ACol, int32_t ARow);
  void SetScrollProp(int32_t ACol, int32_t ARow, TScrollProp Prop);
  // PageSize and Range -1 without a scroll bar.
  TScrollProp GetScrollProp(int32_t ACol, int32_t ARow);
  bool HasScrollBar(int32_t ACol, int32_t ARow);
  bool HasAutoRangeScrollBar(int32_t ACol, int32_t ARow);
  bool RemoveScrollBar(int32_t ACol, int32_t ARow);
  void ScrollbarMouseLeave() {}
  void AddRotated(int32_t ACol, int32_t ARow, int16_t AAngle, const String& s);
  void SetRotated(int32_t ACol, int32_t ARow, int16_t AAngle);
  bool IsRotated(int32_t ACol, int32_t ARow, int32_t& aAngle);
  bool RemoveRotated(int32_t ACol, int32_t ARow);
  // AObject derives from ICellGraphicSource; it stays the caller's.
  void AddInterfacedCell(int32_t ACol, int32_t ARow, TObject* AObject);
  TObject* GetInterfacedCell(int32_t ACol, int32_t ARow);
  bool RemoveInterfacedCell(int32_t ACol, int32_t ARow);
  void AddBalloon(int32_t ACol, int32_t ARow, const String& Title, const String& Text, TBalloonIcon Icon);
  bool IsBalloon(int32_t ACol, int32_t ARow, String& Title, String& Text, TBalloonIcon& Icon);
  bool HasBalloon(int32_t ACol, int32_t ARow);
  void RemoveBalloon(int32_t ACol, int32_t ARow);
  void AddComment(int32_t ACol, int32_t ARow, const String& Comment);
  void AddColorComment(int32_t ACol, int32_t ARow, const String& Comment, TColor Color);
  String GetComment(int32_t ACol, int32_t ARow);
  void SetComment(int32_t ACol, int32_t ARow, const String& Value);
  bool IsComment(int32_t ACol, int32_t ARow, String& Comment);
  void RemoveComment(int32_t ACol, int32_t ARow);
  void RemoveAllComments();
  // A stretch of the cell text marked as erroneous (0-based).
  void AddMarker(int32_t ACol, int32_t ARow, int32_t ErrPos, int32_t ErrLen);
  void GetMarker(int32_t ACol, int32_t ARow, int32_t& ErrPos, int32_t& ErrLen);
  void RemoveMarker(int32_t ACol, int32_t ARow);
  void RemoveAllMarkers();
  TCustomImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TCustomImageList* Value);
  virtual TCustomImageList* GetCellImageList(int32_t ACol, int32_t ARow);

  // ---- Drawing and measuring cell objects. DrawCheck and DrawRadio draw
  // in one of the control styles (csTheme as csClassic without visual
  // styles).
  void DrawCheck(TCanvas* Canvas, TRect R, bool Checked, bool Enabled, bool Grayed, TGridControlStyle Style,
                 bool TriState, TCheckBoxState State);
  void DrawRadio(TCanvas* Canvas, TRect R, int32_t ACol, int32_t ARow, bool Selected, bool Disabled,
                 TStringList* Values, bool Horizontal, int32_t Index, int32_t Count, TGridControlStyle Style,
                 double Zoom, bool NegativeY);
  // The graphic's size on a canvas at a scale; (0, 0) without a record.
  virtual TPoint GetCellGraphicSizeEx(TCanvas* ACanvas, int32_t ACol, int32_t ARow, int32_t ReservedHeight,
                                      double Scale);
  virtual TPoint GetPrintGraphicSize(int32_t ACol, int32_t ARow, int32_t AWidth, int32_t AHeight, double Scale);

  // ---- Typed cell access. Ints and Floats raise ERurGridError "Cell does
  // not contain integer value" / "Cell does not contain a float value";
  // dates and times raise the run-time conversion error.
  int32_t GetInts(int32_t ACol, int32_t ARow);
  void SetInts(int32_t ACol, int32_t ARow, int32_t Value);
  double GetFloats(int32_t ACol, int32_t ARow);
  void SetFloats(int32_t ACol, int32_t ARow, double Value);
  TDateTime GetDates(int32_t ACol, int32_t ARow);
  void SetDates(int32_t ACol, int32_t ARow, TDateTime Value);
  TDateTime GetTimes(int32_t ACol, int32_t ARow);
  void SetTimes(int32_t ACol, int32_t ARow, TDateTime Value);
  // 0 for an empty cell or a text that is no date and time.
  TDateTime GetDateTimes(int32_t ACol, int32_t ARow);
  void SetDateTimes(int32_t ACol, int32_t ARow, TDateTime Value);
  bool ShowNullDates() const { return FShowNullDates; }
  void SetShowNullDates(bool Value) { FShowNullDates = Value; }
  virtual String GetCellFloatFormat(int32_t ACol, int32_t ARow);
  // Real rows: a hidden row is read from and written to the row store.
  String GetCellsEx(int32_t ACol, int32_t ARow);
  void SetCellsEx(int32_t ACol, int32_t ARow, const String& Value);
  String GetGridCellsEx(int32_t ACol, int32_t ARow);
  void SetGridCellsEx(int32_t ACol, int32_t ARow, const String& Value);
  String GetWideCellsEx(int32_t ACol, int32_t ARow) { return GetCellsEx(ACol, ARow); }
  void SetWideCellsEx(int32_t ACol, int32_t ARow, const String& Value) { SetCellsEx(ACol, ARow, Value); }
  TObject* GetObjectsEx(int32_t ACol, int32_t ARow);
  void SetObjectsEx(int32_t ACol, int32_t ARow, TObject* Value);
  int32_t GetAllInts(int32_t ACol, int32_t ARow);
  void SetAllInts(int32_t ACol, int32_t ARow, int32_t Value);
  double GetAllFloats(int32_t ACol, int32_t ARow);
  void SetAllFloats(int32_t ACol, int32_t ARow, double Value);
  TObject* GetAllGraphicsObject(int32_t ACol, int32_t ARow);
  // Display column.
  String GetRealCell(int32_t ACol, int32_t ARow) { return GetCellEx(RealColIndex(ACol), ARow); }
  void SetRealCell(int32_t ACol, int32_t ARow, const String& Value) { SetCellEx(RealColIndex(ACol), ARow, Value); }
  // The column as it stood before columns were moved.
  String GetOriginalCells(int32_t ACol, int32_t ARow);
  void SetOriginalCells(int32_t ACol, int32_t ARow, const String& Value);
  // The text without markup: rich text as plain text, HTML untagged.
  String GetStrippedCell(int32_t ACol, int32_t ARow);
  int32_t LastCol() const { return ColCount() - 1; }
  int32_t LastRow() const { return RowCount() - 1; }

  // ---- Row state: modified and enabled rows (real rows).
  bool RowModified(int32_t ARow) const;
  void SetRowModified(int32_t ARow, bool Value);
  int32_t ModifiedRowCount() const;
  bool RowEnabled(int32_t ARow) const;
  void SetRowEnabled(int32_t ARow, bool Value);
  bool UseEnabledRows() const { return FUseEnabledRows; }

  // ---- Selection: the rectangle, disjunct rows, columns and cells.
  void SetSelectionEx(const TGridRect& Value);
  bool RowSelect(int32_t ARow);
  void SetRowSelect(int32_t ARow, bool Value) override;
  bool ColSelect(int32_t ACol);
  void SetColSelect(int32_t ACol, bool Value);
  void SelectRows(int32_t RowIndex, int32_t RCount);
  void UnSelectRows(int32_t RowIndex, int32_t RCount);
  // SelectRows over the normal rows.
  void SelectAll() override;
  void SelectCols(int32_t ColIndex, int32_t CCount);
  void UnSelectCols(int32_t ColIndex, int32_t CCount);
  void SelectRange(int32_t FromCol, int32_t ToCol, int32_t FromRow, int32_t ToRow);
  // The row marks and the rectangle (unless rows are selected disjunctly).
  void ClearRowSelect();
  // The row marks alone, each reported.
  void ClearRowSelectInt() override;
  void ClearColSelect();
  bool SelectToRowSelect(bool All);
  void SelectToColSelect(bool All);
  int32_t RowSelectCount();
  int32_t ColSelectCount();
  // Rows selected disjunctly, in the order selected.
  TIntList* SelectedRows() const { return FSelectedRows.get(); }
  // Disjunctly selected cells: row in the high 16 bits, column in the low.
  TIntList* SelectedCells() const { return FSelectedCells.get(); }
  void GotoCell(int32_t ACol, int32_t ARow);
  void GotoCellInt(int32_t ACol, int32_t ARow);
  using TBaseGrid::FocusCell;
  void FocusCell(int32_t ACol, int32_t ARow);
  void ScrollToLastRow() {}
  // Sorted distinct trimmed values of a column; the caller owns the list.
  TStringList* DistinctValues(int32_t ACol, bool CaseSensitive);

  // ---- Per-cell attributes by array property (reads of a cell without a
  // record give the defaults and make none, except WordWraps).
  TColor Colors(int32_t ACol, int32_t ARow) const;
  void SetColors(int32_t ACol, int32_t ARow, TColor Value);
  TColor ColorsTo(int32_t ACol, int32_t ARow) const;
  void SetColorsTo(int32_t ACol, int32_t ARow, TColor Value);
  TCellGradientDirection Gradients(int32_t ACol, int32_t ARow) const;
  void SetGradients(int32_t ACol, int32_t ARow, TCellGradientDirection Value);
  TColor FontColors(int32_t ACol, int32_t ARow) const;
  void SetFontColors(int32_t ACol, int32_t ARow, TColor Value);
  TFontStyles FontStyles(int32_t ACol, int32_t ARow) const;
  void SetFontStyles(int32_t ACol, int32_t ARow, TFontStyles Value);
  String FontNames(int32_t ACol, int32_t ARow) const;
  void SetFontNames(int32_t ACol, int32_t ARow, const String& Value);
  int32_t FontSizes(int32_t ACol, int32_t ARow);
  void SetFontSizes(int32_t ACol, int32_t ARow, int32_t Value);
  TAlignment Alignments(int32_t ACol, int32_t ARow) const;
  void SetAlignments(int32_t ACol, int32_t ARow, TAlignment Value);
  bool ReadOnly(int32_t ACol, int32_t ARow) const;
  void SetReadOnly(int32_t ACol, int32_t ARow, bool Value);
  bool WordWraps(int32_t ACol, int32_t ARow);
  void SetWordWraps(int32_t ACol, int32_t ARow, bool Value);
  void SetFonts(int32_t ACol, int32_t ARow, TFont* Value);
  TControl* CellControls(int32_t ACol, int32_t ARow) const;
  void SetCellControls(int32_t ACol, int32_t ARow, TControl* Value);
  int32_t LinesInCell(int32_t ACol, int32_t ARow);
  // Rows: every column from FixedCols on.
  void SetRowColor(int32_t ARow, TColor Value);
  void SetRowColorTo(int32_t ARow, TColor Value);
  void SetRowFontColor(int32_t ARow, TColor Value);
  // Cell-store rectangles, columns outer.
  void SetCellColor(const TGridRect& GridRect, TColor AColor);
  void SetCellTextColor(const TGridRect& GridRect, TColor AColor);
  void SetCellFontName(const TGridRect& GridRect, const String& AFontName);
  void SetCellFontSize(const TGridRect& GridRect, int32_t AFontSize);
  void SetAlignment(const TGridRect& GridRect, TAlignment AAlignment);
  void SetFontStyle(const TGridRect& GridRect, TFontStyle AStyle, bool DoSet);
  bool IsFontStyle(const TGridRect& GridRect, TFontStyle AStyle);
  bool IsAlignment(const TGridRect& GridRect, TAlignment AAlignment);
  void ShowColumnHeaders();
  void ShowRowHeaders();
  void ClearColumnHeaders();
  void ClearRowHeaders();
  // Search hits wrapped in the highlight tag "hi" or the error mark "e";
  // the cell forms write a cell only when its text changes (the removers
  // always write).
  String HilightText(bool DoCase, const String& S, const String& Text);
  String MarkText(bool DoCase, const String& S, const String& Text);
  String UnHilightText(const String& S);
  String UnMarkText(const String& S);
  void HilightInCell(bool DoCase, int32_t Col, int32_t Row, const String& HiText, bool FullText = false);
  void HilightInCol(bool DoFixed, bool DoCase, int32_t Col, const String& HiText, bool FullText = false);
  void HilightInRow(bool DoFixed, bool DoCase, int32_t Row, const String& HiText, bool FullText = false);
  void HilightInGrid(bool DoFixed, bool DoCase, const String& HiText, bool FullText = false);
  void MarkInCell(bool DoCase, int32_t Col, int32_t Row, const String& HiText);
  void MarkInCol(bool DoFixed, bool DoCase, int32_t Col, const String& HiText);
  void MarkInRow(bool DoFixed, bool DoCase, int32_t Row, const String& HiText);
  void MarkInGrid(bool DoFixed, bool DoCase, const String& HiText);
  void UnHilightInCell(int32_t Col, int32_t Row);
  void UnHilightInCol(bool DoFixed, int32_t Col);
  void UnHilightInRow(bool DoFixed, int32_t Row);
  void UnHilightInGrid(bool DoFixed);
  void UnMarkInCell(int32_t Col, int32_t Row);
  void UnMarkInCol(bool DoFixed, int32_t Col);
  void UnMarkInRow(bool DoFixed, int32_t Row);
  void UnMarkInGrid(bool DoFixed);
  // With CellChecker; True when the check changed nothing.
  bool CheckCell(int32_t ACol, int32_t ARow);
  bool CheckCells(int32_t FromCol, int32_t FromRow, int32_t ToCol, int32_t ToRow);
  bool CheckCol(bool DoFixed, int32_t ACol);
  bool CheckRow(bool DoFixed, int32_t ARow);
  bool CheckGrid(bool DoFixed);
  void TextFill(bool DoFixed, const String& Txt);
  void FormatFill(bool DoFixed, const String& Fmt);
  void RandomFill(bool DoFixed, int32_t Rnd);
  void LinearFill(bool DoFixed);
  // Texts and records change places; no events, no repaint.
  void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
  // Display coordinates.
  void RepaintRow(int32_t ARow);
  void RepaintCol(int32_t ACol);
  void RepaintRect(const TRect& R);
  bool HasHyperlink(int32_t ACol, int32_t ARow);
  String GetHyperlink(int32_t ACol, int32_t ARow);
  void GetHyperlinkDetails(int32_t ACol, int32_t ARow, String& URL, String& Text);

  // ---- The current row and the view (display rows and columns).
  int32_t GetRowEx() const { return Row(); }
  virtual void SetRowEx(int32_t Value);
  void SetRow(int32_t Value) { SetRowEx(Value); }
  int32_t GetTopRowEx() const { return TopRow(); }
  void SetTopRowEx(int32_t Value);
  void ScrollInView(int32_t ColIndex, int32_t RowIndex, TScrollPosition Position = spMiddle);
  void HideSelection();
  void UnHideSelection();
  bool IsSelectionHidden() const;
  void UpdateEditMode() { Select(); }
  void SelectCells(int32_t FromCol, int32_t FromRow, int32_t ToCol, int32_t ToRow);
  // The selected cells, tab- and line-separated.
  String SelectedText();

  TCheckBoxClickEvent OnCheckBoxChange;
  TCheckBoxClickEvent OnCheckBoxMouseUp;
  TRadioClickEvent OnRadioClick;
  TRadioClickEvent OnRadioMouseUp;
  TRadioButtonClickEvent OnRadioButtonClick;
  TRatingChangeEvent OnRatingChange;
  TDisjunctSelectEvent OnRowDisjunctSelect;
  TDisjunctSelectedEvent OnRowDisjunctSelected;
  TDisjunctSelectEvent OnColDisjunctSelect;
  TDisjunctSelectedEvent OnColDisjunctSelected;

  // The grouping column (-1: not grouped); check boxes of a group follow
  // their node with Grouping.AutoCheckGroup.
  int32_t FGroupColumn = -1;
  // The mouse is over this cell's button (display column, row).
  TPoint FHoverButton{-1, -1};

private:
  // The record of a real row: from the row store when hidden; the store
  // record itself is null when the stored row holds none for the column.
  TCellGraphic* StoredGraphic(int32_t ACol, int32_t RealRow, bool& FromStore);
  String StoredText(int32_t ACol, int32_t RealRow);
  // Whether a data check box's text means checked.
  bool DataChecked(int32_t ACol, int32_t ARow, const String& Text);
  // A click on a read-only cell changes no control unless it is always
  // active.
  bool MouseRefused(int32_t ACol, int32_t ARow, bool FromMouse, bool AlwaysActive);
  void CheckCellInGrid(int32_t ACol, int32_t ARow) const;
  TCellGraphic* MakeGraphic(int32_t ACol, int32_t ARow);
  TCellGraphic* CheckedGraphic(int32_t ACol, int32_t ARow) const;
  int32_t CheckFirstRow() const;
  TCellVAlign ControlVAlign() const;
  // The list of 0/1 flags; grows with zeros.
  static void GrowFlags(std::vector<uint8_t>& Flags, int32_t Count);
  void RepaintColumnInView(int32_t ACol);
  // The drawing of one kind of cell object into G (the graphic's place).
  void DrawButtonGraphic(TCanvas* Canvas, TCellGraphic* Graphic, int32_t RCol, int32_t ARow, const TRect& Cell,
                         TRect G);
  void DrawRotatedText(TCanvas* Canvas, TCellGraphic* Graphic, int32_t ACol, int32_t RCol, int32_t ARow, TRect R);
  void DrawCommentMarker(TCanvas* Canvas, const TCellGraphic* Graphic, const TRect& R);
  TPoint PictureSpace(int32_t ACol, int32_t ARow, int32_t ReservedHeight);
  void MarkCells(int32_t C1, int32_t R1, int32_t C2, int32_t R2, const String& Search, const String& Tag, bool DoCase,
                 bool FullText);
  void UnMarkCells(int32_t C1, int32_t R1, int32_t C2, int32_t R2, const String& Tag);
  // The words of a rich text, as the rich-text editor would show them.
  static String PlainRichText(const String& Text);
  bool RowSelected(int32_t ARow) const;
  bool ColSelected(int32_t ACol) const;

  TCustomImageList* FGridImages = nullptr;
  std::vector<uint8_t> FRowSelect;
  std::vector<uint8_t> FColSelect;
  std::unique_ptr<TIntList> FSelectedRows;
  std::unique_ptr<TIntList> FSelectedCells;
  std::unique_ptr<TIntList> FEnabledRows;
  std::unique_ptr<TControlList> FControlList;
  bool FUseEnabledRows = false;
  bool FShowNullDates = true;
  bool FRowSelMod = false;
  bool FSelChange = false;
  bool FSelHidden = false;
  TGridRect FDisSelection{0, 0, 0, 0};
  TGridRect FOldSelection{0, 0, 0, 0};
  int32_t FOldRowSel = -1;
  int32_t FAECol = -1;
  int32_t FAERow = -1;
  int32_t FNumCellControls = 0;

protected:
  // A parked selection paints no cell selected.
  void DrawCell(int32_t ACol, int32_t ARow, const TRect& ARect, TGridDrawState AState) override;
  // ==== end of cell objects, typed access, attribute setters and the view =========

  // ==== Row sorting =================================================================
  // The normal rows are sorted in place by one column (QSort, Sort,
  // SortByColumn), by the sort index list (QSortIndexed), and given back the
  // order they had before the first sort (QUnSort). Rows are display rows;
  // a sort column is a cell-store column, as a header click names it
  // (RemapCol of the clicked column). Every exchange goes through
  // SortSwapRows: whole store rows (hidden columns' cells, records and
  // graphics with them), their heights and their cross-reference entries.
  //
  // The partition is the grid's own quicksort (middle pivot copied into a
  // scratch row below the grid, equal rows never exchanged directly), run
  // without recursion: the smaller part is sorted first and the larger one
  // waits on a stack of at most log2(n) entries, and a range that needs more
  // than twice log2 of its size in partition levels is finished by a heap
  // sort, so that any input, also a comparison the application supplies,
  // ends after n log n comparisons. The order is not stable: rows that
  // compare equal can change places.
public:
  // -1, 0 or 1: cell (ACol, ARow1) against cell (ACol, ARow2) by the
  // column's sort style (OnGetFormat) and the sort settings; raises nothing
  // of its own (a text that is no number or date counts as 0).
  int32_t Compare(int32_t ACol, int32_t ARow1, int32_t ARow2, TSortDirection SortDir);
  // Compare in the sort direction; ties decided by the following columns
  // (hidden ones included) with SortSettings.Full. Ignored columns are 0.
  int32_t CompareLine(int32_t ACol, int32_t ARow1, int32_t ARow2);
  // By sort index Index and, with Full, the following ones; turned for a
  // descending entry.
  int32_t CompareLineIndexed(int32_t Index, int32_t ARow1, int32_t ARow2);
  // The kind of the first two normal rows' display texts.
  TColumnType ColumnType(int32_t ACol);
  // Exchanges the rows when they are out of order by Col (ties by the next
  // columns); True when it did.
  bool SortLine(int32_t Col, int32_t ARow1, int32_t ARow2);
  void SortByColumn(int32_t Col);
  void Sort(int32_t Column, TSortDirection Direction);
  // Rows Left..Right, with the scratch rows made and removed.
  void QuickSort(int32_t Col, int32_t Left, int32_t Right);
  void QuickSortIndexed(int32_t Left, int32_t Right);
  // The partition alone; the scratch rows must exist.
  void QuickSortRows(int32_t ACol, int32_t Start, int32_t End);
  void QuickSortRowsIndexed(int32_t Index, int32_t Start, int32_t End);
  // Puts rows Start..End in the order of their unsort entries (ACol unused).
  void QuickSortRowsRef(int32_t ACol, int32_t Start, int32_t End);
  // All normal rows by SortSettings.Column (nothing while it is -1); the
  // current row stays at its index or, with Navigation.MoveRowOnSort,
  // follows its data; the sort index list is emptied.
  virtual void QSort();
  // Raises ERurGridError "No indexes specified for indexed sort" when the
  // sort index list is empty, before anything changes.
  virtual void QSortIndexed();
  // The order from before the first sort since the cross reference was made
  // (every sort remakes it when the row count changed); Column becomes -1.
  virtual void QUnSort();
  void InitSortXRef();
  // What a click on sort column RC of the sort row does to the sort state
  // and the rows, once the click handling has decided to sort: a new column
  // sorts in InitSortDirection, the sorted one reverses, and with UndoSort
  // the click after a reversal unsorts; with IndexShow the index key adds
  // or reverses the column's entry, a plain click makes it the only one.
  // Sets SortTime.
  void SortByHeaderClick(int32_t RC, bool IndexKeyDown);
  TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
  // Per row index, where the row now there stood before sorting.
  TIntList* SortRowXRef() const { return FSortRowXRef.get(); }

  // +1 ascending, -1 descending, as the last partition ran.
  int32_t SortDir = 1;
  // Where the data of the row current when the sort began is now.
  int32_t SortRow = -1;
  // Comparisons made (never reset by the grid) and the milliseconds the last
  // header sort took.
  int32_t Compares = 0;
  uint32_t SortTime = 0;
  TRowChangedEvent OnRowUpdate;

private:
  // A sorting scheme: the row comparison, its first argument, and the
  // result that puts the first row after the second.
  struct TSortScheme;
  void SortRange(const TSortScheme& Scheme, int32_t Start, int32_t End);
  int32_t PartitionRange(const TSortScheme& Scheme, int32_t Start, int32_t End, int32_t& J);
  void HeapSortRange(const TSortScheme& Scheme, int32_t Start, int32_t End);
  void CopyPivotRow(int32_t From, int32_t To);
  // Rows Start..End put in the order Order names (Order[k]: the row index
  // now holding the row that goes to Start + k), in at most End-Start swaps.
  void ApplyRowOrder(int32_t Start, const std::vector<int32_t>& Order);
  // The per-row marks of two rows change places with the rows.
  static void ExchangeMarks(TIntList& Marks, int32_t ARow1, int32_t ARow2);
  void RunSetUpSort(int32_t Left, int32_t Right, const TSortScheme& Scheme);
  void RunFullSort(bool Indexed);
  std::unique_ptr<TIntList> FSortRowXRef;
  std::unique_ptr<TIntList> FUnSortRowXRef;
  // The pivot copy's text and automatic key, read once per partition: the
  // copy lies below the rows that get display texts and changes only when
  // the next pivot is copied.
  bool PivotMemoHolds(int32_t ACol, int32_t ARow, const TSortTextOptions& Options) const;
  int32_t FPivotMemoRow = -1;
  int32_t FPivotMemoCol = -1;
  String FPivotMemoText;
  TSortKey FPivotMemoKey;
  TSortTextOptions FPivotMemoOptions;
  // ==== end of row sorting ==========================================================

protected:
  void Paint() override;
  void Resize() override;
  void CreateWnd() override;
  bool SelectCell(int32_t ACol, int32_t ARow) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;

private:
  friend class TControlLook;
  friend class TSortSettings;
  void ColHeaderChanged(TObject* Sender);
  void RowHeaderChanged(TObject* Sender);
  void WriteHeaders();
  void FixedFontChanged(TObject* Sender);
  void FilterEditEnabledChanged();
  // Whole display rows as string lists, hidden columns included.
  void RowToList(int32_t ARow, TStringList& Into);
  void ListToRow(int32_t ARow, const TStringList& From);
  void InitHiddenRowLookup() const;
  void DestroyHiddenRowLookup() const;
  bool GetVisibleCol(int32_t Pos) const;
  void SetVisibleCol(int32_t Pos, bool Value);
  int32_t StoredBefore(int32_t Idx) const;
  int32_t StoreIndexOf(int32_t Idx) const;
  void MoveItemIntoRow(TGridItem* Item, int32_t DisplayRow);
  void SetZURGrad(TFixedGradient Which, TColor Value);
  // Painting steps of DrawGridCell.
  void DrawFixedLook(TCanvas* Canvas, int32_t ACol, int32_t RCol, int32_t ARow, TRect& ARect, TColor ColorTo,
                     TColor MirrorColor, TColor MirrorColorTo);
  void DrawFixedEdges(TCanvas* Canvas, TRect& ARect);
  void DrawAlwaysShownButtons(TCanvas* Canvas, int32_t RCol, int32_t ARow, TRect& ARect);
  void DrawBorders(TCanvas* Canvas, int32_t RCol, int32_t ARow, TRect ARect, bool Fixed);
  // The graphic in its place in the cell rectangle Cell, beside text
  // TextWidth wide; GW x GH from GetGraphicDetails.
  void DrawCellGraphic(TCanvas* Canvas, TCellGraphic* Graphic, int32_t ACol, int32_t RCol, int32_t ARow,
                       const TRect& Cell, int32_t TextWidth, TVAlignment TextVAlign, TGridDrawState AState, int32_t GW,
                       int32_t GH);
  // Draws the text of a cell in R; returns the drawn width + 2 (0 when
  // not measured).
  int32_t DrawCellText(TCanvas* Canvas, int32_t ACol, int32_t RCol, int32_t ARow, TRect R, TGridDrawState AState,
                       TColor UnselBrush, TColor UnselFont, TCellGraphic* Graphic, int32_t GraphicWidth,
                       int32_t GraphicHeight, bool ShowText, TCellHAlign GHAlign, TCellVAlign GVAlign,
                       TAlignment HAlign, TVAlignment VAlign, bool WordWrap);
  // The record's font colour, style, height and name, each when set.
  static void ApplyRecordFont(const TCellProperties* CP, TFont* AFont);
  // The cell's text as a number, when it is one.
  bool CellFloat(int32_t ACol, int32_t ARow, double& Value);

  std::unique_ptr<TControlLook> FControlLook;
  std::unique_ptr<TSortSettings> FSortSettings;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TSyncGrid> FSyncGrid;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TFocusHelper> FFocusHelper;
  std::unique_ptr<TBackGround> FBackGround;
  std::unique_ptr<TFilter> FFilter;
  std::unique_ptr<TFilterEdit> FFilterEdit;
  std::unique_ptr<TGrouping> FGrouping;
  std::unique_ptr<TColumnSize> FColumnSize;
  std::unique_ptr<TFloatingFooter> FFloatingFooter;
  std::unique_ptr<TBalloonSettings> FBalloonSettings;
  std::unique_ptr<TShowModified> FShowModified;
  std::unique_ptr<TDragDropSettings> FDragDropSettings;
  std::unique_ptr<TRurHintInfo> FOfficeHint;
  std::unique_ptr<TAutoColor> FAutoColor;
  std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
  std::unique_ptr<TFilterDropDown> FFilterDropDown;
  std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
  std::unique_ptr<THoverButtons> FHoverButtons;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FActiveCellFont;
  std::unique_ptr<TFont> cf; // scratch font of GetCellFont
  std::unique_ptr<TStringList> FColumnHeaders;
  std::unique_ptr<TStringList> FRowHeaders;
  std::unique_ptr<TStringList> FLookupItems;
  std::unique_ptr<TBitmap> FRowIndicator;
  std::unique_ptr<TIntList> FSuppressColSizes;
  std::unique_ptr<TIntList> FSuppressRowSizes;
  std::unique_ptr<TIntList> FOrigColSizes;
  std::unique_ptr<TIntList> FColumnOrder;
  std::unique_ptr<TSortIndexList> FSortIndexes;
  std::unique_ptr<TCollection> FGridItems;
  std::unique_ptr<TCellGraphic> FCellGraphic; // the shared row check-box record
  mutable std::unique_ptr<TIntList> FHiddenRowLookup;
  TZurEvoderOzodCheck* FCellChecker = nullptr;
  TPopupMenu* FFixedDropDownMenu = nullptr;

  std::vector<bool> FVisibleCol;
  std::vector<int16_t> FAllColWidths;
  int32_t FNumHidden = 0;
  int32_t FFixedRowHeight = 21;
  int32_t FFixedRightCols = 0;
  int32_t FFixedFooters = 0;
  bool FFixedRowAlways = false;
  bool FFixedColAlways = false;
  bool FWordWrapEx = true;
  TAlignment FDefaultAlignment = taLeftJustify;
  TGridLook FLook = glXP;
  TColor FURLColor = 0x00FF0000;
  bool FURLShow = false;
  bool FURLShowInText = false;
  bool FURLFull = false;
  int32_t FUpdateCount = 0;
  bool FEditChange = false;
  bool FBlockCellChanging = false;
  bool FBlockFilterUpdate = false;
  bool FDesignDrop = false;

  // ==== Editing, selection, focus, keys and navigation ==============================
  // Columns are display columns and rows display rows unless a name or a
  // comment says real; the cell events get display coordinates except where
  // noted (OnCellValidate, OnComboChange and the editor events get the real
  // column, as the cell store and the editor kinds are addressed by it).
  //
  // Moving the current cell (keys, clicks, Col and Row) asks SelectCell,
  // which validates an open special editor, switches the framework's editing
  // option on for editable cells and off for read-only ones, fires
  // OnColChanging, OnRowChanging and OnCellChanging (any may refuse) and
  // afterwards OnRowChanged. Editing: F2, Return, a typed character or a
  // click opens the editor that CanEditShow chooses by the cell's editor kind
  // (OnGetEditorType); the text kinds get the text editor (TRurInplaceEdit),
  // which asks OnGetEditorProp once it shows. Leaving the cell validates the
  // text (OnCellValidate may change or refuse it; a refusal keeps the editor
  // on the cell with the old text, and shows the InvalidEntry balloon), then
  // writes it into the cell's real column, fires OnCellsChanged,
  // OnEditingDone and, once the key or click is handled, OnEditCellDone.
  // BeginUpdate/EndUpdate nest and stop painting in between. Tab walks the
  // visitable cells (TabEdit), appending a row at the end with
  // Navigation.AdvanceInsert.
public:
  // ---- Cell selection and event dispatch.
  virtual void DoCellChanging(int32_t NewCol, int32_t NewRow, bool& Allow);
  void UpdateActiveCells(int32_t OldCol, int32_t OldRow, int32_t NewCol, int32_t NewRow);
  bool ShouldHandleTab() override;
  virtual bool CanTabToNextRow();
  virtual bool CanShowFixedDropDown(int32_t ACol);
  virtual void DoCheckBoxClick(int32_t ACol, int32_t ARow, bool State);
  virtual void DoClickCell(int32_t ARow, int32_t ACol);
  virtual void DoClickSort(int32_t ACol);
  virtual void DoClipboardPasteDone(const TGridRect& CellRect);
  virtual void DoStartBlockFocus();
  virtual void DoEndBlockFocus();
  // Runs SelectCell on the current cell.
  void Select();
  // A left click 2 pixels inside the cell's top-left corner, without the
  // mouse events: it makes the cell current and opens its editor.
  void ForceMouseOnCell(int32_t ACol, int32_t ARow);

  // ---- Update locking: BeginUpdate and EndUpdate nest (also while the grid
  // is hidden); painting stops at the first BeginUpdate and the EndUpdate
  // that brings the count back to 0 paints the grid once. StartUpdate and
  // ResetUpdate only count.
  void StartUpdate();
  void ResetUpdate();
  bool IsUpdating() const { return FUpdateCount > 0; }
  bool LockUpdate() const { return FUpdateCount != 0; }
  void SetLockUpdate(bool Value);

  // ---- The grid timer: every 500 ms from the window's creation (timer id
  // GridTimerID) it counts ticks, ends the incremental search after two
  // seconds without typing, moves to the cell under the pointer with
  // Hovering, and blinks "<BLINK>" cells with EnableBlink.
  static constexpr uint32_t GridTimerID = 111;
  void WMTimer(uint32_t TimerID);
  int32_t TimerTicks() const { return FTimerTicks; }
  bool GridBlink() const { return FGridBlink; }
  String SearchInc;
  int32_t SearchTics = 0;

  // ---- Editors shown and hidden.
  void ShowInplaceEdit() override;
  // Fires OnEditingDone, hides the editor and posts the message that fires
  // OnEditCellDone (ACol, ARow) once the current message is handled.
  void DoneEditing(int32_t ACol, int32_t ARow) override;
  // A special editor ends its edit with Key (Return, Tab or an arrow): the
  // editor goes, the grid takes the key and the focus.
  void DoneInplaceEdit(uint16_t Key, TShiftState Shift) override;
  // Shows the editor of the current cell as F2 would.
  void ShowCellEdit();
  void HideCellEdit();
  // Puts the text the current cell had when editing began back.
  void RestoreCache() override;
  // The special editor of kind EditControl on the cell, and its value
  // written back (to the real column) as it goes.
  void ShowEditControl(int32_t ACol, int32_t ARow);
  void HideEditControl(int32_t ACol, int32_t ARow);
  TRurInplaceEdit* GetInplaceEditor() const;

  // ---- Validation.
  // Captures the cell's text (real column) that validation compares with.
  virtual void InitValidate(int32_t ACol, int32_t ARow);
  bool ValidateCell(const String& NewValue) override;
  virtual bool ValidateCellWide(const String& NewValue);
  virtual void UpdateCell(int32_t ACol, int32_t ARow);
  virtual void CellsLoaded();
  void RegisterNotifier(TGridChangeNotifier* Item);
  void UnRegisterNotifier(TGridChangeNotifier* Item);
  bool AlwaysValidate() const { return FAlwaysValidate; }
  void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
  // A validated edit changed a cell.
  bool Modified() const { return FGridModified; }
  void SetModified(bool Value) { FGridModified = Value; }
  // Modified rows are with the row state; this clears their marks.
  void ClearModifiedRows();

  // ---- Cells as the editors read and write them (display columns; the
  // text lives in the real column of the base cell).
  String GetCurrentCell() override;
  void SetCurrentCell(const String& Value) override;
  void SetEditCell(const String& Value) override;
  virtual String GetEditCell(int32_t ACol, int32_t ARow);
  void UpdateEditingCell(int32_t ACol, int32_t ARow, const String& Value) override;
  // Real column: a check box, radio or (without
  // Navigation.AllowEditButtonCells) button that clicks operate.
  bool HasStaticEdit(int32_t ACol, int32_t ARow) override;

  // ---- Window messages and notifications.
  // What the combo editor tells the grid (1 selection change, 5 edit
  // change, 7 drop-down, 8 close-up).
  void ComboNotify(TCustomComboBox* Source, uint16_t Code) override;
  void InvalidateGridRect(const TGridRect& R);
  void ResetFixedCellHighlight();
  void EllipsClick(const String& Value, String& Result) override;
  void UnitChanged(TObject* Sender, const String& NewUnit);
  // The grid's combo, check-box and button editors, made with the grid
  // (children owned by it).
  TGridCombo* EditCombo = nullptr;
  TGridCheckBox* EditCheck = nullptr;
  TGridButton* GridButton = nullptr;
  // The control that holds a special editor's edit.
  TWinControl* EditCtrl = nullptr;

  // ---- Keys.
  void WMKeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  virtual void SelectionChanged(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom);

  // ---- Navigation and tabbing.
  bool CanVisitCell(int32_t ACol, int32_t ARow);
  int32_t FirstCellInRow(int32_t ARow);
  int32_t LastCellInRow(int32_t ARow);
  int32_t FixedColsVis();
  int32_t NumFixedRightVis();
  // These make the edge row or column current when it is hidden.
  int32_t FirstVisRow();
  int32_t FirstVisCol();
  int32_t LastVisRow();
  int32_t LastVisCol();
  int32_t NextCol(int32_t ACol);
  int32_t NextCol(int32_t ACol, bool Forward);
  int32_t NextRow(int32_t ARow);
  TPoint NextVisitableCell(int32_t ACol, int32_t ARow);
  // False when the Tab was handed on to the next control.
  bool TabEdit(bool Backward) override;
  virtual void TabToNextRowAtEnd();
  bool IsOnLastRow();
  void AppendLastRow() override;
  void AdvanceEdit(int32_t ACol, int32_t ARow, bool Force, bool AutoEdit, bool Forward, bool Recheck,
                   bool EditAfterMove) override;
  void SetColEx(int32_t Value) override;

  // ---- The clipboard: the selected cells as tab-separated lines.
  void CopySelectionToClipboard();
  void CutSelectionToClipboard();
  void PasteSelectionFromClipboard();

  // ---- Settings of the text editor (the others are published above).
  bool InValidCharSet(char16_t Ch) const override { return Ch < 256 && FValidCharSet[Ch]; }
  void SetValidCharSet(const String& Chars);
  bool ForceDecimalSeparator() const override { return FForceDecimalSeparator; }
  void SetForceDecimalSeparator(bool Value) { FForceDecimalSeparator = Value; }
  bool SizeWhileTypingHeight() const override;
  bool SizeWhileTypingWidth() const override;
  bool EditCellSet() const override { return FEditCellSet; }
  int32_t YOffsetSize() override { return 0; }
  void WithoutSizeSync(const std::function<void()>& Action) override;

  // ---- Hooks for descendants, empty here.
  void Edit_WMKeyDown(uint16_t&, TShiftState) override {}
  void EditKeyDown(uint16_t&, TShiftState) override {}
  void EditProgress(const String&, TPoint, int32_t) override {}
  void SetCellSelectMode(bool) override {}
  virtual void DoF2Edit() {}
  virtual void UpdateOnSelection(const TGridRect&) {}

  // ---- The events the editors fire through the grid.
  void DoEditChange(int32_t ACol, int32_t ARow, const String& Value) override;
  void DoDblClickCell(int32_t ARow, int32_t ACol) override;
  void DoEndRowSize(int32_t ARow) override;
  void DoGridKeyDown(uint16_t& Key, TShiftState Shift) override;
  void DoClipboardCopy(TObject* Sender, bool& Allow) override;
  void DoClipboardCut(TObject* Sender, bool& Allow) override;
  void DoClipboardPaste(TObject* Sender, bool& Allow) override;
  void DoClipboardBeforePasteCell(TObject* Sender, int32_t ACol, int32_t ARow, String& Value, bool& Allow) override;
  void DoClipboardAfterPasteCell(TObject* Sender, int32_t ACol, int32_t ARow, const String& Value) override;

  TColChangingEvent OnColChanging;
  TCellChangingEvent OnCellChanging;
  // Once per row that became current (SelectCell, SetRowEx).
  TRowChangedEvent OnRowChanged;
  TCellValidateEvent OnCellValidate;
  TCellValidateWideEvent OnCellValidateWide;
  TNotifyEvent OnEditingDone;
  TEditCellDoneEvent OnEditCellDone;
  TComboChangeEvent OnComboChange;
  TComboObjectChangeEvent OnComboObjectChange;
  TFilterEditUpdateEvent OnFilterEditDone;
  TUnitChangedEvent OnUnitChanged;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardCut;
  TClipboardEvent OnClipboardPaste;
  TClipboardPasteCellEvent OnClipboardBeforePasteCell;
  TClipboardAfterPasteCellEvent OnClipboardAfterPasteCell;
  TClipboardDoneEvent OnClipboardCutDone;
  TClipboardDoneEvent OnClipboardCopyDone;
  TClipboardDoneEvent OnClipboardPasteDone;
  TSelectionChangedEvent OnSelectionChanged;
  TCanShowFixedDropDownEvent OnCanShowFixedDropDown;
  TNotifyEvent OnStartBlockFocus;
  TNotifyEvent OnEndBlockFocus;

protected:
  bool CanEditShow() override;
  TInplaceEdit* CreateEditor() override;
  String GetEditText(int32_t ACol, int32_t ARow) override;
  void SetEditText(int32_t ACol, int32_t ARow, const String& Value) override;
  int32_t GetEditLimit() override;
  void InplaceEditChanged() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void Click() override;
  bool WidgetEvent(QObject* Watched, QEvent* Event) override;
  void WMSetFocus();
  void WMKillFocus();

private:
  // Made with the grid, and let go before the grid's parts are.
  void InitEditing();
  void DoneWithEditing();
  // The grid's registered messages, posted to its own message window.
  void PostGridMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam);
  intptr_t GridMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam);
  void StartGridTimer();
  void BlinkCells();
  void HoverToCell();
  bool EditorFocused() const;
  // WMKeyDown's steps, each true when the key is done with.
  bool HomeEndKey(uint16_t Key, TShiftState Shift);
  bool SkipFixedCellsKey(uint16_t& Key, TShiftState Shift);
  bool ClipboardKey(uint16_t Key, TShiftState Shift);
  bool InsertDeleteKey(uint16_t Key, TShiftState Shift);
  bool SelectAllKey(uint16_t Key, TShiftState Shift);
  void SnapToBase();
  // One step of TabEdit (the recursion bound is TabEdit's).
  bool TabStep(bool Backward);
  void TabForwardLeftRight(bool& Result);
  void TabBackwardLeftRight();
  bool MoveAllowed(int32_t NewCol, int32_t NewRow);

  std::unique_ptr<TMessageWindow> FGridWindow;
  std::unique_ptr<TTimer> FGridTimer;
  // Per real row, 1 when modified (ShowModified's marks).
  std::unique_ptr<TIntList> FModifiedRows;
  std::vector<TGridChangeNotifier*> FNotifierList;
  bool FValidCharSet[256] = {};
  String FInvalidCache;
  String FEditText;
  String FOldCellTextWide;
  String FEditFilterCondition;
  TGridRect FMoveSelection;
  TPoint FLastKeyCell;
  int32_t FOldCol = -1;
  int32_t FOldRow = -1;
  int32_t FNumNodes = 0;
  int32_t FTimerTicks = 0;
  int32_t FLastTabCol = -1;
  int32_t FLastTabRow = -1;
  int32_t FTabDepth = 0;
  int32_t FTabLimit = 0;
  bool FTabAppended = false;
  int32_t FOldLeftCol = 0;
  int32_t FEditFilterColumn = -1;
  uint8_t FEditFilterType = 0;
  bool FForceSel = false;
  bool FInvalidSel = false;
  bool FDisableChange = false;
  bool FGridBlink = false;
  bool FBlockFocus = false;
  bool FBlockKill = false;
  bool InvokedFocusChange = false;
  bool FEntered = false;
  bool FIsEditHiding = false;
  bool FCtrlDown = false;
  bool FOldModifiedValue = false;
  // The grid changed by the operator since it was last marked saved.
  bool FGridModified = false;
  bool FLastValidation = true;
  bool FValidateDblClick = false;
  bool FAlwaysValidate = false;
  bool FSpecialEditor = false;
  bool FEditActive = false;
  bool FShowEditProcess = false;
  bool FEditStart = false;
  bool FBlockSelChange = false;
  bool FForceDecimalSeparator = false;
  // ==== end of editing, selection, focus, keys and navigation =====================

  // ==== Mouse press and release, cell control clicks, fixed-cell editing and the
  // ==== spin, combo, check-box and button editors =================================
  // A left press (WMLButtonDown) decides which of the grid's click behaviours
  // wins: a check box or radio button toggles, a radio group takes the item
  // under the mouse, a rating takes the value under it, a cell button is
  // pushed, disjunct rows, columns and cells are selected, a URL cell is
  // followed, and otherwise the base grid's own handling selects the cell;
  // with MouseActions.DirectEdit the editor opens at once. OnCanClickCell
  // may refuse the press altogether. The release (WMLButtonUp) finishes what
  // the press started: a pushed button fires OnButtonClick when released
  // over it, a click on the sort row sorts by its column (reversing, and
  // with SortSettings.UndoSort unsorting, on the next clicks), fixed cells
  // report OnFixedCellClick, check boxes and radio groups OnCheckBoxMouseUp
  // and OnRadioMouseUp. MouseDown and MouseUp add fixed-cell editing (a
  // transparent edit or combo over a header cell) and disjunct cell
  // selection. Display columns in the events unless the event names the
  // real one, as the spin, combo and check-box events of the cells do.
  //
  // Not built here: touch scrolling, dragging selections and rows or columns
  // out of the grid, tree nodes, expand buttons, mini-HTML anchors and form
  // controls, the filter row's menus and lists, the fixed-cell drop-down
  // menus, and the selection modes mouse moves set (row, column and
  // whole-grid selection from the fixed cells, fixed sizing).
public:
  // The spin editor, made on first use (a child owned by the grid).
  TGridSpin* EditSpin();
  // The grid's own editors are part of it, not children a form stores.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  TGridTransEdit* EditTrans() const { return FEditTrans; }
  TGridTransCombo* ComboTrans() const { return FComboTrans; }
  // The special editor up, the text editor while it edits, else nullptr.
  TWinControl* GetCellEditorControl();
  // Opens the fixed-cell editor on a fixed cell (display coordinates);
  // raises Exception "Cannot start fixed inplace editor in non-fixed cell"
  // for any other cell.
  void ShowFixedInplaceEdit(int32_t ACol, int32_t ARow);
  // A press on a radio group (real column) at XOff, YOff from the cell's
  // top-left corner selects the item there.
  void HandleRadioClick(int32_t ACol, int32_t ARow, int32_t XOff, int32_t YOff);
  virtual void DoFixedCellEdit(int32_t ACol, int32_t ARow, TGridFixedCellEditor& AEditor, TStringList* Values);
  // Hooks for descendants.
  virtual void UpdateSelectionRect(TGridRect&) {}
  virtual void CellSelect(int32_t, int32_t) {}
  // The fixed cell being edited (display coordinates), -1 when none.
  int32_t FFixedColEdit = -1;
  int32_t FFixedRowEdit = -1;
  // A cell selector mode: a press only reports the cell (CellSelect).
  bool FCellSelectorMode = false;

  TCanClickCellEvent OnCanClickCell;
  TFixedCellClickEvent OnFixedCellClick;
  TSelectionResizeEvent OnSelectionResize;
  TSelectionResizeEvent OnSelectionResized;
  TFloatSpinClickEvent OnFloatSpinClick;
  TDateTimeSpinClickEvent OnDateSpinClick;
  TDateTimeSpinClickEvent OnTimeSpinClick;
  TFixedEditEvent OnFixedEdit;

  // ---- What the special editors ask of the grid (TGridEditHost).
  TCustomGrid* EditGrid() override { return this; }
  int32_t GetFixedColsEx() const override { return FixedCols(); }
  int32_t GetColCountEx() const override { return ColCount(); }
  TPoint CellSpan(int32_t ACol, int32_t ARow) const override { return TBaseGrid::CellSpan(ACol, ARow); }
  void PostEditShow() override;
  void WMKeyUp(uint16_t& Key, TShiftState Shift) override;
  void DoGridKeyUp(uint16_t& Key, TShiftState Shift) override;
  void DoGridKeyPress(TObject* Sender, char16_t& Key) override;
  void DoComboChange(int32_t ACol, int32_t ARow, int32_t AItemIndex, const String& ASelection,
                     TObject* AObject) override;
  void DoSpinClick(int32_t ACol, int32_t ARow, int32_t AValue, bool UpDown) override;
  void DoFloatSpinClick(int32_t ACol, int32_t ARow, double AValue, bool UpDown) override;
  void DoDateSpinClick(int32_t ACol, int32_t ARow, TDateTime AValue, bool UpDown) override;
  void DoTimeSpinClick(int32_t ACol, int32_t ARow, TDateTime AValue, bool UpDown) override;

protected:
  void WMLButtonDown(TShiftState Shift, int32_t X, int32_t Y) override;
  void WMLButtonUp(TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
  // The base state, which OnColumnSize (OnRowSize) may refuse.
  void CalcSizingState(int32_t X, int32_t Y, TGridState& State, int32_t& Index) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

private:
  friend class TGridTransEdit;
  friend class TGridTransCombo;
  // Made with the grid, let go before its parts are.
  void InitCellEditors();
  void DoneWithCellEditors();
  // The steps of a press and a release.
  bool PressOnCheckBox(int32_t ACol, int32_t ARow, int32_t RC, int32_t X, int32_t Y, TShiftState Shift, bool CanEdit);
  bool PressOnUrl(int32_t ACol, int32_t ARow, int32_t RC);
  void DirectEditFocus(int32_t ACol, int32_t ARow, bool ComboShown);
  void DirectEditShow(int32_t PressedCol, int32_t PressedRow, int32_t ACol, int32_t ARow, int32_t X, bool ComboShown);
  // True when the press is done with (a Shift range in disjunct rows).
  bool DisjunctPress(int32_t ACol, int32_t ARow, TShiftState Shift, bool SecondPass);
  void ReleasePushedButton(int32_t ACol, int32_t ARow, int32_t X, int32_t Y);
  void DisjunctRelease(int32_t ACol, int32_t ARow, TShiftState Shift, bool& Deselected);
  void HeaderClickSort(int32_t ACol, int32_t ARow, int32_t X, int32_t Y, TShiftState Shift);
  void DisjunctCellClick(int32_t ACol, int32_t ARow, TShiftState Shift, bool& SelChanged);
  void StartFixedEdit(int32_t ACol, int32_t ARow, bool AFilter);
  // The end of a fixed-cell edit (real column): validated, written, hidden;
  // false when refused. EditBox: the edit (it reports OnEditCellDone).
  bool StopFixedEdit(TWinControl* Editor, int32_t ACol, int32_t ARow, bool EditBox);
  bool FixedEditGesture(TMouseButton Button, int32_t ACol, int32_t ARow, int32_t X, int32_t Y);
  // The base grid's own left-press handling, at most once per press.
  void BaseLButtonDown(TShiftState Shift, int32_t X, int32_t Y);
  // Showing and hiding the special editors of each family.
  void ShowSpinEditor(const TRect& R, int32_t RCol, int32_t ARow, const String& Text, TColor Color);
  void ShowComboEditor(const TRect& R, int32_t RCol, int32_t ARow, const String& Text, TColor Color, bool List);
  void WriteSpinValue(int32_t RCol, int32_t ARow);

  TGridSpin* FEditSpin = nullptr; // children owned by the grid
  TGridTransEdit* FEditTrans = nullptr;
  TGridTransCombo* FComboTrans = nullptr;
  TGridRect FOrigSelection{-1, -1, -1, -1};
  TGridRect FDropSelection{-1, -1, -1, -1};
  TPoint FPushedCellButton{-1, -1};
  TPoint FMouseDownPt{-1, -1};
  TRect FPushedFixedCell;
  int32_t FOldTopRow = 0;
  int32_t FOldKeepLeftCol = 0;
  int32_t Clickposx = 0;
  int32_t Clickposy = 0;
  int32_t Clickposdx = 0;
  int32_t Clickposdy = 0;
  int32_t FMoveColInd = -1;
  int32_t FMoveRowInd = -1;
  int32_t FFltrPopPressCol = -1;
  bool FDoOnClick = false;
  bool FMouseKeepDown = false;
  bool FSpinUpClick = false;
  bool FSpinDnClick = false;
  bool FAnchorClick = false;
  bool FMouseResize = false;
  bool FSelectionClick = false;
  bool FFixedCellPushed = false;
  bool FDeselectState = false;
  bool FDblClk = false;
  bool FBaseHandled = false;
  // ==== end of the mouse, cell control clicks and the special editors =============
};
