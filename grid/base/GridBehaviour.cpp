#include "grid/base/GridBehaviour.h"

#include "platform/Graphics.h"
#include "platform/Published.h"
#include "rtl/StringList.h"

namespace {

const TEnumInfo HighlightTypeInfo("THighlightType", {"hMatchingText", "hFullCell"});
const TEnumInfo SearchDirectionInfo("TSearchDirection", {"sdTopBottom", "sdLeftRight"});
const TEnumInfo SearchTypeInfo("TSearchType", {"stSearch", "stNarrowDown"});
const TEnumInfo AdvanceDirectionInfo("TAdvanceDirection",
                                     {"adLeftRight", "adTopBottom", "adLeftRightInRow", "adTopBottomInCol"});
const TEnumInfo InsertPositionInfo("TInsertPosition", {"pInsertBefore", "pInsertAfter"});
const TEnumInfo ClipboardCutActionInfo("TClipboardCutAction", {"caClear", "caRemove"});
const TEnumInfo ClipboardPasteActionInfo("TClipboardPasteAction", {"paReplace", "paInsert"});
const TEnumInfo CursorAdvanceInfo("TCursorAdvance", {"caDefault", "caSnake", "caLoop"});
const TEnumInfo HomeEndActionInfo("THomeEndAction",
                                  {"heFirstLastColumn", "heFirstLastRow", "heFirstLastCell", "heDefault"});
const TEnumInfo ToggleTriStateCheckInfo("TToggleTriStateCheck", {"tsAllStates", "tsCheckUnCheck"});
const TEnumInfo GridFixedCellEditInfo("TGridFixedCellEdit",
                                      {"fceNone", "fceDblClick", "fceLeftClick", "fceRightClick"});
const TEnumInfo GridFixedCellEditorInfo("TGridFixedCellEditor", {"fceEdit", "fceComboEdit", "fceComboList"});
const TEnumInfo WheelActionInfo("TWheelAction", {"waMoveSelection", "waScroll"});
const TEnumInfo WheelActiveInfo("TWheelActive", {"waFocus", "waMouseOver"});

using SF = TSearchFooter;
[[maybe_unused]] const TClassInfo& SearchFooterClass = PublishClass<SF>(
    "TSearchFooter", "TPersistent",
    {
        PropBool("AlwaysHighLight", &SF::AlwaysHighLight, &SF::SetAlwaysHighLight, false),
        PropBool("AutoSearch", &SF::AutoSearch, &SF::SetAutoSearch, true),
        PropColor("Color", &SF::Color, &SF::SetColor, 0x00FFFFFF),
        PropColor("ColorTo", &SF::ColorTo, &SF::SetColorTo, clBtnFace),
        PropStr("FindNextCaption", &SF::FindNextCaption, &SF::SetFindNextCaption),
        PropStr("FindPrevCaption", &SF::FindPrevCaption, &SF::SetFindPrevCaption),
        PropEnum("HighLight", &SF::HighLight, &SF::SetHighLight, HighlightTypeInfo, hMatchingText),
        PropStr("HighLightCaption", &SF::HighLightCaption, &SF::SetHighLightCaption),
        PropStr("HintClose", &SF::HintClose, &SF::SetHintClose),
        PropStr("HintFindNext", &SF::HintFindNext, &SF::SetHintFindNext),
        PropStr("HintFindPrev", &SF::HintFindPrev, &SF::SetHintFindPrev),
        PropStr("HintHighlight", &SF::HintHighlight, &SF::SetHintHighlight),
        PropBool("IgnoreHTML", &SF::IgnoreHTML, &SF::SetIgnoreHTML, true),
        PropBool("IgnoreAccents", &SF::IgnoreAccents, &SF::SetIgnoreAccents, false),
        PropStr("MatchCaseCaption", &SF::MatchCaseCaption, &SF::SetMatchCaseCaption),
        PropStr("ResultFormat", &SF::ResultFormat, &SF::SetResultFormat),
        PropBool("SearchActiveColumnOnly", &SF::SearchActiveColumnOnly, &SF::SetSearchActiveColumnOnly, false),
        PropInt("SearchColumn", &SF::SearchColumn, &SF::SetSearchColumn, -1),
        PropBool("SearchMatchStart", &SF::SearchMatchStart, &SF::SetSearchMatchStart, false),
        PropBool("SearchFixedCells", &SF::SearchFixedCells, &SF::SetSearchFixedCells, false),
        PropBool("SearchHiddenRows", &SF::SearchHiddenRows, &SF::SetSearchHiddenRows, false),
        PropColor("SearchErrorColor", &SF::SearchErrorColor, &SF::SetSearchErrorColor, 0x000000FF),
        PropEnum("SearchDirection", &SF::SearchDirection, &SF::SetSearchDirection, SearchDirectionInfo, sdTopBottom),
        PropBool("SearchFromFocusCell", &SF::SearchFromFocusCell, &SF::SetSearchFromFocusCell, false),
        PropEnum("SearchType", &SF::SearchType, &SF::SetSearchType, SearchTypeInfo, stSearch),
        PropBool("ShowClose", &SF::ShowClose, &SF::SetShowClose, true),
        PropBool("ShowFindNext", &SF::ShowFindNext, &SF::SetShowFindNext, true),
        PropBool("ShowFindPrev", &SF::ShowFindPrev, &SF::SetShowFindPrev, true),
        PropBool("ShowHighLight", &SF::ShowHighLight, &SF::SetShowHighLight, true),
        PropBool("ShowMatchCase", &SF::ShowMatchCase, &SF::SetShowMatchCase, true),
        PropBool("ShowResults", &SF::ShowResults, &SF::SetShowResults, false),
        PropBool("Visible", &SF::Visible, &SF::SetVisible, false),
        PropObj("Font", &SF::Font, &SF::SetFont),
    });

using N = TNavigation;
[[maybe_unused]] const TClassInfo& NavigationClass = PublishClass<N>(
    "TNavigation", "TPersistent",
    {
        PropBool("AllowInsertRow", &N::AllowInsertRow, &N::SetAllowInsertRow, false),
        PropBool("AllowDeleteRow", &N::AllowDeleteRow, &N::SetAllowDeleteRow, false),
        PropBool("AlwaysEdit", &N::AlwaysEdit, &N::SetAlwaysEdit, false),
        PropBool("AdvanceOnEnter", &N::AdvanceOnEnter, &N::SetAdvanceOnEnter, false),
        PropBool("AdvanceOnEnterLoop", &N::AdvanceOnEnterLoop, &N::SetAdvanceOnEnterLoop, true),
        PropBool("AdvanceInsert", &N::AdvanceInsert, &N::SetAdvanceInsert, false),
        PropBool("AdvanceAutoEdit", &N::AdvanceAutoEdit, &N::SetAdvanceAutoEdit, true),
        PropBool("AdvanceSkipReadOnlyCells", &N::AdvanceSkipReadOnlyCells, &N::SetAdvanceSkipReadOnlyCells, true),
        PropBool("AutoGotoWhenSorted", &N::AutoGotoWhenSorted, &N::SetAutoGotoWhenSorted, false),
        PropBool("AutoGotoIncremental", &N::AutoGotoIncremental, &N::SetAutoGotoIncremental, false),
        PropBool("AutoComboDropSize", &N::AutoComboDropSize, &N::SetAutoComboDropSize, false),
        PropBool("AutoComboSelect", &N::AutoComboSelect, &N::SetAutoComboSelect, true),
        PropEnum("AdvanceDirection", &N::AdvanceDirection, &N::SetAdvanceDirection, AdvanceDirectionInfo, adLeftRight),
        PropBool("AllowClipboardShortCuts", &N::AllowClipboardShortCuts, &N::SetAllowClipboardShortCuts, false),
        PropBool("AllowCtrlEnter", &N::AllowCtrlEnter, &N::SetAllowCtrlEnter, true),
        PropBool("AllowSmartClipboard", &N::AllowSmartClipboard, &N::SetAllowSmartClipboard, false),
        PropBool("AllowRTFClipboard", &N::AllowRTFClipboard, &N::SetAllowRTFClipboard, false),
        PropBool("AllowFmtClipboard", &N::AllowFmtClipboard, &N::SetAllowFmtClipboard, false),
        PropBool("AllowClipboardAlways", &N::AllowClipboardAlways, &N::SetAllowClipboardAlways, false),
        PropBool("AllowClipboardRowGrow", &N::AllowClipboardRowGrow, &N::SetAllowClipboardRowGrow, true),
        PropBool("AllowClipboardColGrow", &N::AllowClipboardColGrow, &N::SetAllowClipboardColGrow, true),
        PropBool("AllowEditButtonCells", &N::AllowEditButtonCells, &N::SetAllowEditButtonCells, false),
        PropBool("AdvanceAuto", &N::AdvanceAuto, &N::SetAdvanceAuto, false),
        PropBool("AppendOnArrowDown", &N::AppendOnArrowDown, &N::SetAppendOnArrowDown, false),
        PropBool("EditSelectAll", &N::EditSelectAll, &N::SetEditSelectAll, true),
        PropEnum("InsertPosition", &N::InsertPosition, &N::SetInsertPosition, InsertPositionInfo, pInsertBefore),
        PropEnum("ClipboardCutAction", &N::ClipboardCutAction, &N::SetClipboardCutAction, ClipboardCutActionInfo,
                 caClear),
        PropEnum("ClipboardPasteAction", &N::ClipboardPasteAction, &N::SetClipboardPasteAction,
                 ClipboardPasteActionInfo, paReplace),
        PropBool("ComboGetUpDown", &N::ComboGetUpDown, &N::SetComboGetUpDown, true),
        PropEnum("CursorAdvance", &N::CursorAdvance, &N::SetCursorAdvance, CursorAdvanceInfo, caDefault),
        PropBool("CursorWalkEditor", &N::CursorWalkEditor, &N::SetCursorWalkEditor, false),
        PropBool("CursorWalkAlwaysEdit", &N::CursorWalkAlwaysEdit, &N::SetCursorWalkAlwaysEdit, true),
        PropBool("CursorMoveRows", &N::CursorMoveRows, &N::SetCursorMoveRows, false),
        PropBool("MoveRowOnSort", &N::MoveRowOnSort, &N::SetMoveRowOnSort, false),
        PropBool("KeepScrollOnSort", &N::KeepScrollOnSort, &N::SetKeepScrollOnSort, false),
        PropBool("MoveRowOnScroll", &N::MoveRowOnScroll, &N::SetMoveRowOnScroll, false),
        PropBool("MoveScrollOnly", &N::MoveScrollOnly, &N::SetMoveScrollOnly, false),
        PropBool("ImproveMaskSel", &N::ImproveMaskSel, &N::SetImproveMaskSel, false),
        PropBool("LeftRightRowSelect", &N::LeftRightRowSelect, &N::SetLeftRightRowSelect, true),
        PropBool("CopyHTMLTagsToClipboard", &N::CopyHTMLTagsToClipboard, &N::SetCopyHTMLTagsToClipboard, true),
        PropBool("KeepHorizScroll", &N::KeepHorizScroll, &N::SetKeepHorizScroll, false),
        PropBool("LineFeedOnEnter", &N::LineFeedOnEnter, &N::SetLineFeedOnEnter, false),
        PropEnum("HomeEndKey", &N::HomeEndKey, &N::SetHomeEndKey, HomeEndActionInfo, heFirstLastColumn),
        PropBool("SkipFixedCells", &N::SkipFixedCells, &N::SetSkipFixedCells, true),
        PropBool("SkipDisabledRows", &N::SkipDisabledRows, &N::SetSkipDisabledRows, true),
        PropBool("TabToNextAtEnd", &N::TabToNextAtEnd, &N::SetTabToNextAtEnd, false),
        PropEnum("TabAdvanceDirection", &N::TabAdvanceDirection, &N::SetTabAdvanceDirection, AdvanceDirectionInfo,
                 adLeftRight),
        PropEnum("ToggleTriStateCheck", &N::ToggleTriStateCheck, &N::SetToggleTriStateCheck, ToggleTriStateCheckInfo,
                 tsAllStates),
    });

using M = TMouseActions;
[[maybe_unused]] const TClassInfo& MouseActionsClass = PublishClass<M>(
    "TMouseActions", "TPersistent",
    {
        PropBool("AllColumnSize", &M::AllColumnSize, &M::SetAllColumnSize, false),
        PropBool("AllRowSize", &M::AllRowSize, &M::SetAllRowSize, false),
        PropBool("AllSelect", &M::AllSelect, &M::SetAllSelect, false),
        PropBool("AutoFocus", &M::AutoFocus, &M::SetAutoFocus, false),
        PropBool("AutoSizeColOnDblClick", &M::AutoSizeColOnDblClick, &M::SetAutoSizeColOnDblClick, true),
        PropBool("CaretPositioning", &M::CaretPositioning, &M::SetCaretPositioning, false),
        PropBool("CheckAllCheck", &M::CheckAllCheck, &M::SetCheckAllCheck, false),
        PropBool("ColSelect", &M::ColSelect, &M::SetColSelect, false),
        PropBool("DirectComboClose", &M::DirectComboClose, &M::SetDirectComboClose, false),
        PropBool("DirectComboDrop", &M::DirectComboDrop, &M::SetDirectComboDrop, false),
        PropBool("DirectDateClose", &M::DirectDateClose, &M::SetDirectDateClose, false),
        PropBool("DirectDateDrop", &M::DirectDateDrop, &M::SetDirectDateDrop, false),
        PropBool("DirectEdit", &M::DirectEdit, &M::SetDirectEdit, false),
        PropBool("DisjunctRowSelect", &M::DisjunctRowSelect, &M::SetDisjunctRowSelect, false),
        PropBool("DisjunctRowSelectNoCtrl", &M::DisjunctRowSelectNoCtrl, &M::SetDisjunctRowSelectNoCtrl, false),
        PropBool("DisjunctColSelect", &M::DisjunctColSelect, &M::SetDisjunctColSelect, false),
        PropBool("DisjunctColSelectNoCtrl", &M::DisjunctColSelectNoCtrl, &M::SetDisjunctColSelectNoCtrl, false),
        PropBool("DisjunctCellSelect", &M::DisjunctCellSelect, &M::SetDisjunctCellSelect, false),
        PropBool("EditOnDblClickOnly", &M::EditOnDblClickOnly, &M::SetEditOnDblClickOnly, false),
        PropEnum("FixedRowsEdit", &M::FixedRowsEdit, &M::SetFixedRowsEdit, GridFixedCellEditInfo, fceNone),
        PropEnum("FixedColsEdit", &M::FixedColsEdit, &M::SetFixedColsEdit, GridFixedCellEditInfo, fceNone),
        PropEnum("FixedRowsEditor", &M::FixedRowsEditor, &M::SetFixedRowsEditor, GridFixedCellEditorInfo, fceEdit),
        PropEnum("FixedColsEditor", &M::FixedColsEditor, &M::SetFixedColsEditor, GridFixedCellEditorInfo, fceEdit),
        PropBool("HotmailRowSelect", &M::HotmailRowSelect, &M::SetHotmailRowSelect, false),
        PropBool("MoveRowOnNodeClick", &M::MoveRowOnNodeClick, &M::SetMoveRowOnNodeClick, false),
        PropBool("NoAutoRangeScroll", &M::NoAutoRangeScroll, &M::SetNoAutoRangeScroll, false),
        PropBool("NodeAllExpandContract", &M::NodeAllExpandContract, &M::SetNodeAllExpandContract, false),
        PropBool("NoScrollOnPartialRow", &M::NoScrollOnPartialRow, &M::SetNoScrollOnPartialRow, false),
        PropBool("NoScrollOnPartialCol", &M::NoScrollOnPartialCol, &M::SetNoScrollOnPartialCol, false),
        PropInt("PartialScrollDelta", &M::PartialScrollDelta, &M::SetPartialScrollDelta, 0),
        PropBool("PreciseCheckBoxCheck", &M::PreciseCheckBoxCheck, &M::SetPreciseCheckBoxCheck, false),
        PropBool("PreciseNodeClick", &M::PreciseNodeClick, &M::SetPreciseNodeClick, true),
        PropBool("RangeSelectAndEdit", &M::RangeSelectAndEdit, &M::SetRangeSelectAndEdit, false),
        PropBool("RowSelect", &M::RowSelect, &M::SetRowSelect, false),
        PropBool("RowSelectPersistent", &M::RowSelectPersistent, &M::SetRowSelectPersistent, false),
        PropBool("SelectOnRightClick", &M::SelectOnRightClick, &M::SetSelectOnRightClick, false),
        PropBool("SizeFixedCol", &M::SizeFixedCol, &M::SetSizeFixedCol, false),
        PropBool("SizeFixedRow", &M::SizeFixedRow, &M::SetSizeFixedRow, false),
        PropBool("ToggleNodeOnDblClick", &M::ToggleNodeOnDblClick, &M::SetToggleNodeOnDblClick, false),
        PropBool("TouchScroll", &M::TouchScroll, &M::SetTouchScroll, false),
        PropInt("WheelIncrement", &M::WheelIncrement, &M::SetWheelIncrement, 0),
        PropEnum("WheelAction", &M::WheelAction, &M::SetWheelAction, WheelActionInfo, waMoveSelection),
        PropEnum("WheelActive", &M::WheelActive, &M::SetWheelActive, WheelActiveInfo, waFocus),
        PropStrings("FixedComboValues", &M::FixedComboValues),
    });

using G = TSyncGrid;
[[maybe_unused]] const TClassInfo& SyncGridClass =
    PublishClass<G>("TSyncGrid", "TPersistent",
                    {
                        PropObj("Grid", &G::Grid, &G::SetGrid),
                        PropBool("ScrollVertical", &G::ScrollVertical, &G::SetScrollVertical, false),
                        PropBool("ScrollHorizontal", &G::ScrollHorizontal, &G::SetScrollHorizontal, false),
                        PropBool("SelectionColumn", &G::SelectionColumn, &G::SetSelectionColumn, false),
                        PropBool("SelectionRow", &G::SelectionRow, &G::SetSelectionRow, false),
                        PropBool("MoveColumn", &G::MoveColumn, &G::SetMoveColumn, false),
                        PropBool("MoveRow", &G::MoveRow, &G::SetMoveRow, false),
                    });

using B = TBands;
[[maybe_unused]] const TClassInfo& BandsClass =
    PublishClass<B>("TBands", "TPersistent",
                    {
                        PropBool("Active", &B::Active, &B::SetActive, false),
                        PropColor("PrimaryColor", &B::PrimaryColor, &B::SetPrimaryColor, clInfoBk),
                        PropInt("PrimaryLength", &B::PrimaryLength, &B::SetPrimaryLength, 1),
                        PropColor("SecondaryColor", &B::SecondaryColor, &B::SetSecondaryColor, clWindow),
                        PropInt("SecondaryLength", &B::SecondaryLength, &B::SetSecondaryLength, 1),
                        PropBool("Print", &B::Print, &B::SetPrint, false),
                    });

[[maybe_unused]] const TClassInfo& FocusHelperClass = PublishClass<TFocusHelper>(
    "TFocusHelper", "TPersistent", {PropBool("Enabled", &TFocusHelper::Enabled, &TFocusHelper::SetEnabled, false)});

} // namespace

// ---------------------------------------------------------------- TSearchFooter

TSearchFooter::TSearchFooter(bool Captions) : FFont(std::make_unique<TFont>())
{
  FFont->OnChange = [this](TObject*) { Changed(); };
  if (!Captions)
    return;
  FFindNextCaption = QStringLiteral("Find &next");
  FFindPrevCaption = QStringLiteral("Find &previous");
  FHighLightCaption = QStringLiteral("Highlight");
  FHintClose = QStringLiteral("Close");
  FHintFindNext = QStringLiteral("Find next occurrence");
  FHintFindPrev = QStringLiteral("Find previous occurrence");
  FHintHighlight = QStringLiteral("Highlight occurrences");
  FMatchCaseCaption = QStringLiteral("Match case");
}

TSearchFooter::~TSearchFooter() = default;
String TSearchFooter::ClassName() const { return QStringLiteral("TSearchFooter"); }

void TSearchFooter::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TSearchFooter::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TSearchFooter*>(Source);
  if (!S)
    return;
  FAlwaysHighLight = S->FAlwaysHighLight;
  FColor = S->FColor;
  FColorTo = S->FColorTo;
  FFindNextCaption = S->FFindNextCaption;
  FFindPrevCaption = S->FFindPrevCaption;
  FHighLight = S->FHighLight;
  FHighLightCaption = S->FHighLightCaption;
  FHintClose = S->FHintClose;
  FHintFindNext = S->FHintFindNext;
  FHintFindPrev = S->FHintFindPrev;
  FHintHighlight = S->FHintHighlight;
  FMatchCaseCaption = S->FMatchCaseCaption;
  FResultFormat = S->FResultFormat;
  FSearchActiveColumnOnly = S->FSearchActiveColumnOnly;
  FSearchColumn = S->FSearchColumn;
  FSearchMatchStart = S->FSearchMatchStart;
  FSearchHiddenRows = S->FSearchHiddenRows;
  FSearchErrorColor = S->FSearchErrorColor;
  FSearchDirection = S->FSearchDirection;
  FShowClose = S->FShowClose;
  FShowFindNext = S->FShowFindNext;
  FShowFindPrev = S->FShowFindPrev;
  FShowHighLight = S->FShowHighLight;
  FShowMatchCase = S->FShowMatchCase;
  FShowResults = S->FShowResults;
  FVisible = S->FVisible;
  FFont->Assign(S->FFont.get());
}

GRID_SET_NOTIFY(TSearchFooter, AlwaysHighLight)
GRID_SET_NOTIFY(TSearchFooter, Color)
GRID_SET_NOTIFY(TSearchFooter, ColorTo)
GRID_SET_NOTIFY(TSearchFooter, FindNextCaption)
GRID_SET_NOTIFY(TSearchFooter, FindPrevCaption)
GRID_SET_NOTIFY(TSearchFooter, HighLight)
GRID_SET_NOTIFY(TSearchFooter, HighLightCaption)
GRID_SET_NOTIFY(TSearchFooter, HintClose)
GRID_SET_NOTIFY(TSearchFooter, HintFindNext)
GRID_SET_NOTIFY(TSearchFooter, HintFindPrev)
GRID_SET_NOTIFY(TSearchFooter, HintHighlight)
GRID_SET_NOTIFY(TSearchFooter, IgnoreHTML)
GRID_SET_NOTIFY(TSearchFooter, IgnoreAccents)
GRID_SET_NOTIFY(TSearchFooter, MatchCaseCaption)
GRID_SET_NOTIFY(TSearchFooter, ResultFormat)
GRID_SET_NOTIFY(TSearchFooter, SearchActiveColumnOnly)
GRID_SET_NOTIFY(TSearchFooter, SearchColumn)
GRID_SET_NOTIFY(TSearchFooter, SearchMatchStart)
GRID_SET_NOTIFY(TSearchFooter, SearchFixedCells)
GRID_SET_NOTIFY(TSearchFooter, SearchHiddenRows)
GRID_SET_NOTIFY(TSearchFooter, SearchErrorColor)
GRID_SET_NOTIFY(TSearchFooter, SearchDirection)
GRID_SET_NOTIFY(TSearchFooter, SearchFromFocusCell)
GRID_SET_CHANGE(TSearchFooter, SearchType)
GRID_SET_NOTIFY(TSearchFooter, ShowClose)
GRID_SET_CHANGE(TSearchFooter, ShowFindNext)
GRID_SET_CHANGE(TSearchFooter, ShowFindPrev)
GRID_SET_CHANGE(TSearchFooter, ShowHighLight)
GRID_SET_CHANGE(TSearchFooter, ShowMatchCase)
GRID_SET_CHANGE(TSearchFooter, ShowResults)
GRID_SET_CHANGE(TSearchFooter, Visible)

// Setting the mode of search forgets the last text searched for, which the
// search panel keeps.
void TSearchFooter::SetAutoSearch(bool Value) { FAutoSearch = Value; }

void TSearchFooter::SetFont(TFont* Value)
{
  FFont->Assign(Value);
  Changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool Value)
{
  FAutoThemeAdapt = Value;
  Changed();
}

// ---------------------------------------------------------------- TNavigation

TNavigation::TNavigation() = default;
TNavigation::~TNavigation() = default;
String TNavigation::ClassName() const { return QStringLiteral("TNavigation"); }

void TNavigation::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TNavigation::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TNavigation*>(Source);
  if (!S)
    return;
  FAllowInsertRow = S->FAllowInsertRow;
  FAllowDeleteRow = S->FAllowDeleteRow;
  FAlwaysEdit = S->FAlwaysEdit;
  FAdvanceOnEnter = S->FAdvanceOnEnter;
  FAdvanceOnEnterLoop = S->FAdvanceOnEnterLoop;
  FAdvanceInsert = S->FAdvanceInsert;
  FAdvanceAutoEdit = S->FAdvanceAutoEdit;
  FAdvanceSkipReadOnlyCells = S->FAdvanceSkipReadOnlyCells;
  FAutoGotoWhenSorted = S->FAutoGotoWhenSorted;
  FAutoGotoIncremental = S->FAutoGotoIncremental;
  FAutoComboDropSize = S->FAutoComboDropSize;
  FAutoComboSelect = S->FAutoComboSelect;
  FAdvanceDirection = S->FAdvanceDirection;
  FAllowClipboardShortCuts = S->FAllowClipboardShortCuts;
  FAllowCtrlEnter = S->FAllowCtrlEnter;
  FAllowSmartClipboard = S->FAllowSmartClipboard;
  FAllowRTFClipboard = S->FAllowRTFClipboard;
  FAllowFmtClipboard = S->FAllowFmtClipboard;
  FAllowClipboardAlways = S->FAllowClipboardAlways;
  FAllowClipboardRowGrow = S->FAllowClipboardRowGrow;
  FAllowClipboardColGrow = S->FAllowClipboardColGrow;
  FAllowEditButtonCells = S->FAllowEditButtonCells;
  FAdvanceAuto = S->FAdvanceAuto;
  FAppendOnArrowDown = S->FAppendOnArrowDown;
  FEditSelectAll = S->FEditSelectAll;
  FInsertPosition = S->FInsertPosition;
  FClipboardCutAction = S->FClipboardCutAction;
  FClipboardPasteAction = S->FClipboardPasteAction;
  FComboGetUpDown = S->FComboGetUpDown;
  FCursorAdvance = S->FCursorAdvance;
  FCursorWalkEditor = S->FCursorWalkEditor;
  FCursorWalkAlwaysEdit = S->FCursorWalkAlwaysEdit;
  FCursorMoveRows = S->FCursorMoveRows;
  FMoveRowOnSort = S->FMoveRowOnSort;
  FMoveRowOnScroll = S->FMoveRowOnScroll;
  FMoveScrollOnly = S->FMoveScrollOnly;
  FImproveMaskSel = S->FImproveMaskSel;
  FLeftRightRowSelect = S->FLeftRightRowSelect;
  FCopyHTMLTagsToClipboard = S->FCopyHTMLTagsToClipboard;
  FKeepHorizScroll = S->FKeepHorizScroll;
  FLineFeedOnEnter = S->FLineFeedOnEnter;
  FHomeEndKey = S->FHomeEndKey;
  FSkipFixedCells = S->FSkipFixedCells;
  FSkipDisabledRows = S->FSkipDisabledRows;
  FTabToNextAtEnd = S->FTabToNextAtEnd;
  FTabAdvanceDirection = S->FTabAdvanceDirection;
  FToggleTriStateCheck = S->FToggleTriStateCheck;
}

GRID_SET_STORE(TNavigation, AllowInsertRow)
GRID_SET_STORE(TNavigation, AllowDeleteRow)
GRID_SET_STORE(TNavigation, AlwaysEdit)
GRID_SET_STORE(TNavigation, AdvanceOnEnter)
GRID_SET_STORE(TNavigation, AdvanceOnEnterLoop)
GRID_SET_CHANGE(TNavigation, AdvanceInsert)
GRID_SET_STORE(TNavigation, AdvanceAutoEdit)
GRID_SET_STORE(TNavigation, AdvanceSkipReadOnlyCells)
GRID_SET_STORE(TNavigation, AutoGotoWhenSorted)
GRID_SET_STORE(TNavigation, AutoGotoIncremental)
GRID_SET_STORE(TNavigation, AutoComboDropSize)
GRID_SET_STORE(TNavigation, AutoComboSelect)
GRID_SET_CHANGE(TNavigation, AdvanceDirection)
GRID_SET_STORE(TNavigation, AllowClipboardShortCuts)
GRID_SET_STORE(TNavigation, AllowCtrlEnter)
GRID_SET_STORE(TNavigation, AllowSmartClipboard)
GRID_SET_STORE(TNavigation, AllowRTFClipboard)
GRID_SET_STORE(TNavigation, AllowFmtClipboard)
GRID_SET_STORE(TNavigation, AllowClipboardAlways)
GRID_SET_STORE(TNavigation, AllowClipboardRowGrow)
GRID_SET_STORE(TNavigation, AllowClipboardColGrow)
GRID_SET_STORE(TNavigation, AllowEditButtonCells)
GRID_SET_STORE(TNavigation, AppendOnArrowDown)
GRID_SET_STORE(TNavigation, EditSelectAll)
GRID_SET_STORE(TNavigation, InsertPosition)
GRID_SET_STORE(TNavigation, ClipboardCutAction)
GRID_SET_STORE(TNavigation, ClipboardPasteAction)
GRID_SET_STORE(TNavigation, ComboGetUpDown)
GRID_SET_STORE(TNavigation, CursorAdvance)
GRID_SET_STORE(TNavigation, CursorWalkEditor)
GRID_SET_STORE(TNavigation, CursorWalkAlwaysEdit)
GRID_SET_STORE(TNavigation, CursorMoveRows)
GRID_SET_STORE(TNavigation, MoveRowOnSort)
GRID_SET_STORE(TNavigation, KeepScrollOnSort)
GRID_SET_STORE(TNavigation, MoveRowOnScroll)
GRID_SET_STORE(TNavigation, MoveScrollOnly)
GRID_SET_STORE(TNavigation, ImproveMaskSel)
GRID_SET_STORE(TNavigation, LeftRightRowSelect)
GRID_SET_STORE(TNavigation, CopyHTMLTagsToClipboard)
GRID_SET_STORE(TNavigation, KeepHorizScroll)
GRID_SET_STORE(TNavigation, LineFeedOnEnter)
GRID_SET_STORE(TNavigation, HomeEndKey)
GRID_SET_STORE(TNavigation, SkipFixedCells)
GRID_SET_STORE(TNavigation, SkipDisabledRows)
GRID_SET_STORE(TNavigation, TabToNextAtEnd)
GRID_SET_STORE(TNavigation, TabAdvanceDirection)
GRID_SET_STORE(TNavigation, ToggleTriStateCheck)

void TNavigation::SetAdvanceAuto(bool Value)
{
  FAdvanceAuto = Value;
  if (Value)
    FAdvanceOnEnter = true;
}

// ---------------------------------------------------------------- TMouseActions

TMouseActions::TMouseActions() : FFixedComboValues(std::make_unique<TStringList>()) {}
TMouseActions::~TMouseActions() = default;
String TMouseActions::ClassName() const { return QStringLiteral("TMouseActions"); }

void TMouseActions::Changed()
{
  if (OnChange)
    OnChange(this);
}

bool TMouseActions::IsDesigning() const
{
  bool Designing = false;
  if (OnIsDesigning)
    OnIsDesigning(const_cast<TMouseActions*>(this), Designing);
  return Designing;
}

void TMouseActions::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TMouseActions*>(Source);
  if (!S)
    return;
  FAllColumnSize = S->FAllColumnSize;
  FAllRowSize = S->FAllRowSize;
  FAllSelect = S->FAllSelect;
  FAutoFocus = S->FAutoFocus;
  FAutoSizeColOnDblClick = S->FAutoSizeColOnDblClick;
  FCaretPositioning = S->FCaretPositioning;
  FCheckAllCheck = S->FCheckAllCheck;
  FColSelect = S->FColSelect;
  FDirectComboClose = S->FDirectComboClose;
  FDirectComboDrop = S->FDirectComboDrop;
  FDirectDateClose = S->FDirectDateClose;
  FDirectDateDrop = S->FDirectDateDrop;
  FDirectEdit = S->FDirectEdit;
  FDisjunctRowSelect = S->FDisjunctRowSelect;
  FDisjunctRowSelectNoCtrl = S->FDisjunctRowSelectNoCtrl;
  FDisjunctColSelect = S->FDisjunctColSelect;
  FDisjunctColSelectNoCtrl = S->FDisjunctColSelectNoCtrl;
  FDisjunctCellSelect = S->FDisjunctCellSelect;
  FFixedRowsEdit = S->FFixedRowsEdit;
  FFixedColsEdit = S->FFixedColsEdit;
  FFixedRowsEditor = S->FFixedRowsEditor;
  FFixedColsEditor = S->FFixedColsEditor;
  FMoveRowOnNodeClick = S->FMoveRowOnNodeClick;
  FNoAutoRangeScroll = S->FNoAutoRangeScroll;
  FNodeAllExpandContract = S->FNodeAllExpandContract;
  FNoScrollOnPartialRow = S->FNoScrollOnPartialRow;
  FNoScrollOnPartialCol = S->FNoScrollOnPartialCol;
  FPartialScrollDelta = S->FPartialScrollDelta;
  FPreciseCheckBoxCheck = S->FPreciseCheckBoxCheck;
  FPreciseNodeClick = S->FPreciseNodeClick;
  FRangeSelectAndEdit = S->FRangeSelectAndEdit;
  FRowSelect = S->FRowSelect;
  FRowSelectPersistent = S->FRowSelectPersistent;
  FSelectOnRightClick = S->FSelectOnRightClick;
  FSizeFixedCol = S->FSizeFixedCol;
  FToggleNodeOnDblClick = S->FToggleNodeOnDblClick;
  FTouchScroll = S->FTouchScroll;
  FWheelIncrement = S->FWheelIncrement;
  FWheelAction = S->FWheelAction;
  FWheelActive = S->FWheelActive;
}

GRID_SET_STORE(TMouseActions, AllColumnSize)
GRID_SET_STORE(TMouseActions, AllRowSize)
GRID_SET_STORE(TMouseActions, AllSelect)
GRID_SET_STORE(TMouseActions, AutoFocus)
GRID_SET_STORE(TMouseActions, AutoSizeColOnDblClick)
GRID_SET_STORE(TMouseActions, CaretPositioning)
GRID_SET_STORE(TMouseActions, CheckAllCheck)
GRID_SET_STORE(TMouseActions, ColSelect)
GRID_SET_STORE(TMouseActions, DirectComboClose)
GRID_SET_STORE(TMouseActions, DirectComboDrop)
GRID_SET_STORE(TMouseActions, DirectDateClose)
GRID_SET_STORE(TMouseActions, DirectDateDrop)
GRID_SET_STORE(TMouseActions, DirectEdit)
GRID_SET_STORE(TMouseActions, DisjunctRowSelectNoCtrl)
GRID_SET_STORE(TMouseActions, DisjunctColSelectNoCtrl)
GRID_SET_STORE(TMouseActions, FixedRowsEdit)
GRID_SET_STORE(TMouseActions, FixedColsEdit)
GRID_SET_STORE(TMouseActions, FixedRowsEditor)
GRID_SET_STORE(TMouseActions, FixedColsEditor)
GRID_SET_STORE(TMouseActions, MoveRowOnNodeClick)
GRID_SET_STORE(TMouseActions, NoAutoRangeScroll)
GRID_SET_STORE(TMouseActions, NodeAllExpandContract)
GRID_SET_STORE(TMouseActions, NoScrollOnPartialRow)
GRID_SET_STORE(TMouseActions, NoScrollOnPartialCol)
GRID_SET_STORE(TMouseActions, PartialScrollDelta)
GRID_SET_STORE(TMouseActions, PreciseCheckBoxCheck)
GRID_SET_STORE(TMouseActions, PreciseNodeClick)
GRID_SET_STORE(TMouseActions, RangeSelectAndEdit)
GRID_SET_STORE(TMouseActions, RowSelect)
GRID_SET_STORE(TMouseActions, RowSelectPersistent)
GRID_SET_STORE(TMouseActions, SelectOnRightClick)
GRID_SET_STORE(TMouseActions, SizeFixedCol)
GRID_SET_STORE(TMouseActions, SizeFixedRow)
GRID_SET_STORE(TMouseActions, ToggleNodeOnDblClick)
GRID_SET_STORE(TMouseActions, TouchScroll)
GRID_SET_STORE(TMouseActions, WheelIncrement)
GRID_SET_CHANGE(TMouseActions, WheelAction)
GRID_SET_STORE(TMouseActions, WheelActive)

void TMouseActions::SetFixedComboValues(TStringList* Value) { FFixedComboValues->Assign(*Value); }

// In the designer the three disjunct selections exclude each other.
void TMouseActions::SetDisjunctRowSelect(bool Value)
{
  FDisjunctRowSelect = Value;
  if (Value && IsDesigning())
    FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
  FDisjunctColSelect = Value;
  if (Value && IsDesigning())
    FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
  FDisjunctCellSelect = Value;
  if (Value && IsDesigning())
    FDisjunctRowSelect = FDisjunctColSelect = false;
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
  FEditOnDblClickOnly = Value;
  if (Value && OnDisableEdit)
    OnDisableEdit(this);
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
  FHotmailRowSelect = Value;
  if (!Value)
    return;
  FDisjunctRowSelect = true;
  FCheckAllCheck = true;
  if (OnInvalidate)
    OnInvalidate(this);
}

// ---------------------------------------------------------------- TSyncGrid

TSyncGrid::TSyncGrid(TComponent* AOwner) : FOwner(AOwner) {}
TSyncGrid::~TSyncGrid() = default;
String TSyncGrid::ClassName() const { return QStringLiteral("TSyncGrid"); }

void TSyncGrid::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TSyncGrid*>(Source);
  if (!S)
    return;
  SetGrid(S->FGrid);
  FScrollVertical = S->FScrollVertical;
  FScrollHorizontal = S->FScrollHorizontal;
  FSelectionColumn = S->FSelectionColumn;
  FSelectionRow = S->FSelectionRow;
  FMoveColumn = S->FMoveColumn;
  FMoveRow = S->FMoveRow;
}

void TSyncGrid::SetGrid(TComponent* Value)
{
  if (Value == FOwner || Value == FGrid)
    return;
  TComponent* Old = FGrid;
  FGrid = Value;
  if (OnGridChanged)
    OnGridChanged(Old, Value);
}

GRID_SET_STORE(TSyncGrid, ScrollVertical)
GRID_SET_STORE(TSyncGrid, ScrollHorizontal)
GRID_SET_STORE(TSyncGrid, SelectionColumn)
GRID_SET_STORE(TSyncGrid, SelectionRow)
GRID_SET_STORE(TSyncGrid, MoveColumn)
GRID_SET_STORE(TSyncGrid, MoveRow)

// ---------------------------------------------------------------- TBands

TBands::TBands() = default;
TBands::~TBands() = default;
String TBands::ClassName() const { return QStringLiteral("TBands"); }

void TBands::Changed(bool Always)
{
  if ((Always || FActive) && OnChange)
    OnChange(this);
}

void TBands::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TBands*>(Source);
  if (!S)
    return;
  FActive = S->FActive;
  FPrimaryColor = S->FPrimaryColor;
  FPrimaryLength = S->FPrimaryLength;
  FSecondaryColor = S->FSecondaryColor;
  FSecondaryLength = S->FSecondaryLength;
  FPrint = S->FPrint;
  FTotalLength = FPrimaryLength + FSecondaryLength;
}

void TBands::SetActive(bool Value)
{
  if (Value == FActive)
    return;
  FActive = Value;
  Changed(true);
}

void TBands::SetPrimaryColor(TColor Value)
{
  if (Value == FPrimaryColor)
    return;
  FPrimaryColor = Value;
  Changed(false);
}

void TBands::SetPrimaryLength(int32_t Value)
{
  if (Value == FPrimaryLength)
    return;
  FPrimaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  Changed(false);
}

void TBands::SetSecondaryColor(TColor Value)
{
  if (Value == FSecondaryColor)
    return;
  FSecondaryColor = Value;
  Changed(false);
}

void TBands::SetSecondaryLength(int32_t Value)
{
  if (Value == FSecondaryLength)
    return;
  FSecondaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  Changed(false);
}

void TBands::SetPrint(bool Value) { FPrint = Value; }

// ---------------------------------------------------------------- TFocusHelper

TFocusHelper::TFocusHelper() = default;
TFocusHelper::~TFocusHelper() = default;
String TFocusHelper::ClassName() const { return QStringLiteral("TFocusHelper"); }

void TFocusHelper::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFocusHelper*>(Source))
    FEnabled = S->FEnabled;
}

GRID_SET_STORE(TFocusHelper, Enabled)
