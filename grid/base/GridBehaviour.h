#pragma once
// The grid's behaviour settings objects, each a published property of the
// string grid stored in forms with the declared defaults below:
//   TSearchFooter   the search bar at the bottom of the grid
//   TNavigation     keyboard, editing and clipboard navigation
//   TMouseActions   mouse selection, sizing and editing
//   TSyncGrid       scroll, selection and move synchronisation
//   TBands          alternating row colours
//   TFocusHelper    the focus window around an edited cell
// Each copies (Assign) only from an object of its own class, never its
// events, and reports changes through OnChange as each class says.
#include "grid/base/GridProp.h"
#include "grid/base/RurTypes.h"
#include "platform/Colors.h"
#include "platform/Component.h"

#include <memory>

class TFont;
class TStringList;

// Setters other than AutoSearch notify: the colours, captions, hints, font,
// ShowClose and AutoThemeAdapt on every assignment, the others only when the
// value changes.
class TSearchFooter : public TPersistent {
public:
  // With Captions the captions and hints get their texts; without, they
  // stay empty.
  explicit TSearchFooter(bool Captions = false);
  ~TSearchFooter() override;
  String ClassName() const override;
  // Every published property but AutoSearch, IgnoreHTML, IgnoreAccents,
  // SearchFixedCells, SearchFromFocusCell and SearchType; the font by value.
  void Assign(TPersistent* Source) override;

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);

  TNotifyEvent OnChange;

  GRID_PROP(bool, AlwaysHighLight, false)
  GRID_PROP(bool, AutoSearch, true)
  GRID_PROP(TColor, Color, 0x00FFFFFF)
  GRID_PROP(TColor, ColorTo, clBtnFace)
  GRID_PROP(String, FindNextCaption, String())
  GRID_PROP(String, FindPrevCaption, String())
  GRID_PROP(THighlightType, HighLight, hMatchingText)
  GRID_PROP(String, HighLightCaption, String())
  GRID_PROP(String, HintClose, String())
  GRID_PROP(String, HintFindNext, String())
  GRID_PROP(String, HintFindPrev, String())
  GRID_PROP(String, HintHighlight, String())
  GRID_PROP(bool, IgnoreHTML, true)
  GRID_PROP(bool, IgnoreAccents, false)
  GRID_PROP(String, MatchCaseCaption, String())
  GRID_PROP(String, ResultFormat, QStringLiteral("(%d of %d)"))
  GRID_PROP(bool, SearchActiveColumnOnly, false)
  GRID_PROP(int32_t, SearchColumn, -1)
  GRID_PROP(bool, SearchMatchStart, false)
  GRID_PROP(bool, SearchFixedCells, false)
  GRID_PROP(bool, SearchHiddenRows, false)
  GRID_PROP(TColor, SearchErrorColor, 0x000000FF)
  GRID_PROP(TSearchDirection, SearchDirection, sdTopBottom)
  GRID_PROP(bool, SearchFromFocusCell, false)
  GRID_PROP(TSearchType, SearchType, stSearch)
  GRID_PROP(bool, ShowClose, true)
  GRID_PROP(bool, ShowFindNext, true)
  GRID_PROP(bool, ShowFindPrev, true)
  GRID_PROP(bool, ShowHighLight, true)
  GRID_PROP(bool, ShowMatchCase, true)
  GRID_PROP(bool, ShowResults, false)
  GRID_PROP(bool, Visible, false)

private:
  void Changed();
  std::unique_ptr<TFont> FFont;
  bool FAutoThemeAdapt = false;
};

// Only AdvanceDirection and AdvanceInsert notify, on change.
class TNavigation : public TPersistent {
public:
  TNavigation();
  ~TNavigation() override;
  String ClassName() const override;
  // Every published property but KeepScrollOnSort.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

  GRID_PROP(bool, AllowInsertRow, false)
  GRID_PROP(bool, AllowDeleteRow, false)
  GRID_PROP(bool, AlwaysEdit, false)
  GRID_PROP(bool, AdvanceOnEnter, false)
  GRID_PROP(bool, AdvanceOnEnterLoop, true)
  GRID_PROP(bool, AdvanceInsert, false)
  GRID_PROP(bool, AdvanceAutoEdit, true)
  GRID_PROP(bool, AdvanceSkipReadOnlyCells, true)
  GRID_PROP(bool, AutoGotoWhenSorted, false)
  GRID_PROP(bool, AutoGotoIncremental, false)
  GRID_PROP(bool, AutoComboDropSize, false)
  GRID_PROP(bool, AutoComboSelect, true)
  GRID_PROP(TAdvanceDirection, AdvanceDirection, adLeftRight)
  GRID_PROP(bool, AllowClipboardShortCuts, false)
  GRID_PROP(bool, AllowCtrlEnter, true)
  GRID_PROP(bool, AllowSmartClipboard, false)
  GRID_PROP(bool, AllowRTFClipboard, false)
  GRID_PROP(bool, AllowFmtClipboard, false)
  GRID_PROP(bool, AllowClipboardAlways, false)
  GRID_PROP(bool, AllowClipboardRowGrow, true)
  GRID_PROP(bool, AllowClipboardColGrow, true)
  GRID_PROP(bool, AllowEditButtonCells, false)
  GRID_PROP(bool, AdvanceAuto, false)
  GRID_PROP(bool, AppendOnArrowDown, false)
  GRID_PROP(bool, EditSelectAll, true)
  GRID_PROP(TInsertPosition, InsertPosition, pInsertBefore)
  GRID_PROP(TClipboardCutAction, ClipboardCutAction, caClear)
  GRID_PROP(TClipboardPasteAction, ClipboardPasteAction, paReplace)
  GRID_PROP(bool, ComboGetUpDown, true)
  GRID_PROP(TCursorAdvance, CursorAdvance, caDefault)
  GRID_PROP(bool, CursorWalkEditor, false)
  GRID_PROP(bool, CursorWalkAlwaysEdit, true)
  GRID_PROP(bool, CursorMoveRows, false)
  GRID_PROP(bool, MoveRowOnSort, false)
  GRID_PROP(bool, KeepScrollOnSort, false)
  GRID_PROP(bool, MoveRowOnScroll, false)
  GRID_PROP(bool, MoveScrollOnly, false)
  GRID_PROP(bool, ImproveMaskSel, false)
  GRID_PROP(bool, LeftRightRowSelect, true)
  GRID_PROP(bool, CopyHTMLTagsToClipboard, true)
  GRID_PROP(bool, KeepHorizScroll, false)
  GRID_PROP(bool, LineFeedOnEnter, false)
  GRID_PROP(THomeEndAction, HomeEndKey, heFirstLastColumn)
  GRID_PROP(bool, SkipFixedCells, true)
  GRID_PROP(bool, SkipDisabledRows, true)
  GRID_PROP(bool, TabToNextAtEnd, false)
  GRID_PROP(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
  GRID_PROP(TToggleTriStateCheck, ToggleTriStateCheck, tsAllStates)

private:
  void Changed();
};

// Only WheelAction notifies OnChange, on change. In the designer
// (OnIsDesigning), setting one of the three disjunct selections clears the
// other two; at run time they are independent.
class TMouseActions : public TPersistent {
public:
  TMouseActions();
  ~TMouseActions() override;
  String ClassName() const override;
  // Every published property but EditOnDblClickOnly, HotmailRowSelect,
  // SizeFixedRow and FixedComboValues.
  void Assign(TPersistent* Source) override;

  TStringList* FixedComboValues() const { return FFixedComboValues.get(); }
  void SetFixedComboValues(TStringList* Value);
  bool IsDesigning() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;
  TIsDesigningEvent OnIsDesigning;

  GRID_PROP(bool, AllColumnSize, false)
  GRID_PROP(bool, AllRowSize, false)
  GRID_PROP(bool, AllSelect, false)
  GRID_PROP(bool, AutoFocus, false)
  GRID_PROP(bool, AutoSizeColOnDblClick, true)
  GRID_PROP(bool, CaretPositioning, false)
  GRID_PROP(bool, CheckAllCheck, false)
  GRID_PROP(bool, ColSelect, false)
  GRID_PROP(bool, DirectComboClose, false)
  GRID_PROP(bool, DirectComboDrop, false)
  GRID_PROP(bool, DirectDateClose, false)
  GRID_PROP(bool, DirectDateDrop, false)
  GRID_PROP(bool, DirectEdit, false)
  GRID_PROP(bool, DisjunctRowSelect, false)
  GRID_PROP(bool, DisjunctRowSelectNoCtrl, false)
  GRID_PROP(bool, DisjunctColSelect, false)
  GRID_PROP(bool, DisjunctColSelectNoCtrl, false)
  GRID_PROP(bool, DisjunctCellSelect, false)
  GRID_PROP(bool, EditOnDblClickOnly, false)
  GRID_PROP(TGridFixedCellEdit, FixedRowsEdit, fceNone)
  GRID_PROP(TGridFixedCellEdit, FixedColsEdit, fceNone)
  GRID_PROP(TGridFixedCellEditor, FixedRowsEditor, fceEdit)
  GRID_PROP(TGridFixedCellEditor, FixedColsEditor, fceEdit)
  GRID_PROP(bool, HotmailRowSelect, false)
  GRID_PROP(bool, MoveRowOnNodeClick, false)
  GRID_PROP(bool, NoAutoRangeScroll, false)
  GRID_PROP(bool, NodeAllExpandContract, false)
  GRID_PROP(bool, NoScrollOnPartialRow, false)
  GRID_PROP(bool, NoScrollOnPartialCol, false)
  GRID_PROP(int32_t, PartialScrollDelta, 0)
  GRID_PROP(bool, PreciseCheckBoxCheck, false)
  GRID_PROP(bool, PreciseNodeClick, true)
  GRID_PROP(bool, RangeSelectAndEdit, false)
  GRID_PROP(bool, RowSelect, false)
  GRID_PROP(bool, RowSelectPersistent, false)
  GRID_PROP(bool, SelectOnRightClick, false)
  GRID_PROP(bool, SizeFixedCol, false)
  GRID_PROP(bool, SizeFixedRow, false)
  GRID_PROP(bool, ToggleNodeOnDblClick, false)
  GRID_PROP(bool, TouchScroll, false)
  GRID_PROP(int32_t, WheelIncrement, 0)
  GRID_PROP(TWheelAction, WheelAction, waMoveSelection)
  GRID_PROP(TWheelActive, WheelActive, waFocus)

private:
  void Changed();
  std::unique_ptr<TStringList> FFixedComboValues;
};

// Which actions of the owning grid are repeated on another grid.
class TSyncGrid : public TPersistent {
public:
  explicit TSyncGrid(TComponent* AOwner);
  ~TSyncGrid() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  // The grid followed; the owning grid itself is refused.
  TComponent* Grid() const { return FGrid; }
  void SetGrid(TComponent* Value);
  std::function<void(TComponent* Old, TComponent* New)> OnGridChanged;

  GRID_PROP(bool, ScrollVertical, false)
  GRID_PROP(bool, ScrollHorizontal, false)
  GRID_PROP(bool, SelectionColumn, false)
  GRID_PROP(bool, SelectionRow, false)
  GRID_PROP(bool, MoveColumn, false)
  GRID_PROP(bool, MoveRow, false)

private:
  TComponent* FOwner;
  TComponent* FGrid = nullptr;
};

// Alternating row colours: PrimaryLength rows of PrimaryColor, then
// SecondaryLength rows of SecondaryColor. Active notifies on change; the
// colours and lengths on change while Active.
class TBands : public TPersistent {
public:
  TBands();
  ~TBands() override;
  String ClassName() const override;
  // Copies without notifying.
  void Assign(TPersistent* Source) override;

  int32_t TotalLength() const { return FTotalLength; }
  TNotifyEvent OnChange;

  GRID_PROP(bool, Active, false)
  GRID_PROP(TColor, PrimaryColor, clInfoBk)
  GRID_PROP(int32_t, PrimaryLength, 1)
  GRID_PROP(TColor, SecondaryColor, clWindow)
  GRID_PROP(int32_t, SecondaryLength, 1)
  GRID_PROP(bool, Print, false)

private:
  void Changed(bool Always);
  int32_t FTotalLength = 2;
};

class TFocusHelper : public TPersistent {
public:
  TFocusHelper();
  ~TFocusHelper() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  GRID_PROP(bool, Enabled, false)
};
