// The string grid's published properties and events, with their declared
// defaults (a form stores a property only when it differs from its declared
// default), and the setters of the plain settings.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/RurHintInfo.h"
#include "grid/base/RurTypeInfo.h"
#include "grid/base/ZurEvoderOzodCheck.h"
#include "grid/core/BackGround.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/PrintSettings.h"
#include "grid/core/Filter.h"
#include "grid/core/GridAppearance.h"
#include "grid/core/GridSettings.h"
#include "platform/Bitmap.h"
#include "platform/CanvasTypeInfo.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "platform/Published.h"
#include "rtl/StringList.h"

#include <algorithm>

namespace {

const TEnumInfo GridLookInfo("TGridLook", {"glStandard", "glSoft", "glClassic", "glZID", "glXP", "glListView",
                                           "glVista", "glWin7", "glOffice2007", "glCustom"});
const TEnumInfo HoverFixedCellsInfo("THoverFixedCells", {"hfNone", "hfAll", "hfFixedRows", "hfFixedColumns"});
const TEnumInfo FormatTypeInfo("TFormatType", {"ftVCL", "ftExcel"});
const TEnumInfo InvalidEntryIconInfo("TInvalidEntryIcon", {"ieNone", "ieInfo", "ieWarning", "ieError"});
const TEnumInfo PopupToolBarModeInfo("TPopupToolBarMode",
                                     {"tbActiveCell", "tbHoverCell", "tbHoverNormalCell", "tbNone"});
const TEnumInfo HintShowLargeTextPosInfo("THintShowLargeTextPos", {"hpCell", "hpCursor"});
const TEnumInfo GridFilterTypeInfo("TGridFilterType", {"ftHide", "ftSuppress"});
const TEnumInfo FilterDropDownColumnsInfo("TFilterDropDownColumns", {"fdNormal", "fdAll"});
const TEnumInfo ScrollBarAlwaysInfo("TScrollBarAlways", {"saNone", "saVert", "saHorz", "saBoth"});
const TEnumInfo ScrollTypeInfo("TScrollType", {"ssNormal", "ssFlat", "ssEncarta", "ssMetro"});
const TEnumInfo ScrollHintTypeInfo("TScrollHintType", {"shNone", "shVertical", "shHorizontal", "shBoth"});
const TEnumInfo IntelliPanInfo("TIntelliPan", {"ipVertical", "ipHorizontal", "ipBoth", "ipNone"});

using Z = TZurEvoderOzod;
[[maybe_unused]] const TClassInfo& ZurEvoderOzodClass = PublishClass<Z>(
    "TZurEvoderOzod", "TBaseGrid",
    {
        // Size, fixed cells and headers.
        PropInt("ColCount", &Z::ColCount, &Z::SetColCount, 5),
        PropInt("RowCount", &Z::RowCount, &Z::SetRowCount, 10),
        PropInt("FixedCols", &Z::FixedCols, &Z::SetFixedCols, 1),
        PropInt("FixedRows", &Z::FixedRows, &Z::SetFixedRows, 1),
        PropInt("DefaultRowHeight", &Z::DefaultRowHeight, &Z::SetDefaultRowHeight, 22),
        PropInt("FixedColWidth", &Z::FixedColWidth, &Z::SetFixedColWidth, 64),
        PropInt("FixedRowHeight", &Z::FixedRowHeight, &Z::SetFixedRowHeight, 21),
        PropInt("FixedFooters", &Z::FixedFooters, &Z::SetFixedFooters, 0),
        PropInt("FixedRightCols", &Z::FixedRightCols, &Z::SetFixedRightCols, 0),
        PropBool("FixedRowAlways", &Z::FixedRowAlways, &Z::SetFixedRowAlways, false),
        PropBool("FixedColAlways", &Z::FixedColAlways, &Z::SetFixedColAlways, false),
        PropBool("FixedAsButtons", &Z::FixedAsButtons, &Z::SetFixedAsButtons, false),
        PropObj("FixedFont", &Z::FixedFont, &Z::SetFixedFont),
        PropObj("FixedDropDownMenu", &Z::FixedDropDownMenu, &Z::SetFixedDropDownMenu),
        PropStrings("ColumnHeaders", &Z::ColumnHeaders),
        PropStrings("RowHeaders", &Z::RowHeaders),
        PropObj("ColumnSize", &Z::ColumnSize, &Z::SetColumnSize),
        PropObj("SizeWhileTyping", &Z::SizeWhileTyping, &Z::SetSizeWhileTyping),
        PropObj("HTMLSettings", &Z::HTMLSettings, &Z::SetHTMLSettings),
        PropObj("PrintSettings", &Z::PrintSettings, &Z::SetPrintSettings),
        PropBool("IntegralHeight", &Z::IntegralHeight, &Z::SetIntegralHeight, false),
        PropBool("SizeWithForm", &Z::SizeWithForm, &Z::SetSizeWithForm, false),
        PropBool("AutoSize", &Z::AutoSize, &Z::SetAutoSize, false),
        PropBool("AutoNumAlign", &Z::AutoNumAlign, &Z::SetAutoNumAlign, false),
        PropBool("WordWrap", &Z::WordWrap, &Z::SetWordWrap, true),
        PropBool("Multilinecells", &Z::Multilinecells, &Z::SetMultilinecells, false),
        // Look and appearance.
        PropEnum("Look", &Z::Look, &Z::SetLook, GridLookInfo, glXP),
        PropObj("ControlLook", &Z::ControlLook, &Z::SetControlLook),
        PropBool("Flat", &Z::Flat, &Z::SetFlat, false),
        PropColor("BorderColor", &Z::BorderColor, &Z::SetBorderColor, 0x00B99D7F),
        PropColor("DisabledFontColor", &Z::DisabledFontColor, &Z::SetDisabledFontColor, 0x00C0C0C0),
        PropEnum("DefaultAlignment", &Z::DefaultAlignment, &Z::SetDefaultAlignment, AlignmentInfo, taLeftJustify),
        PropEnum("VAlignment", &Z::VAlignment, &Z::SetVAlignment, VAlignmentInfo, vtaTop),
        PropBool("ActiveCellShow", &Z::ActiveCellShow, &Z::SetActiveCellShow, false),
        PropObj("ActiveCellFont", &Z::ActiveCellFont, &Z::SetActiveCellFont),
        PropColor("ActiveCellColor", &Z::ActiveCellColor, &Z::SetActiveCellColor, 0x00808080),
        PropColor("ActiveCellColorTo", &Z::ActiveCellColorTo, &Z::SetActiveCellColorTo, clNone),
        PropObj("AutoColor", &Z::AutoColor, &Z::SetAutoColor),
        PropBool("AutoThemeAdapt", &Z::AutoThemeAdapt, &Z::SetAutoThemeAdapt, false),
        PropObj("Bands", &Z::Bands, &Z::SetBands),
        PropObj("BackGround", &Z::BackGround, &Z::SetBackGround),
        PropObj("RowIndicator", &Z::RowIndicator, &Z::SetRowIndicator),
        PropObj("ProgressAppearance", &Z::ProgressAppearance, &Z::SetProgressAppearance),
        PropObj("HoverButtons", &Z::HoverButtons, &Z::SetHoverButtons),
        PropBool("Hovering", &Z::Hovering, &Z::SetHovering, false),
        PropEnum("HoverFixedCells", &Z::HoverFixedCells, &Z::SetHoverFixedCells, HoverFixedCellsInfo, hfNone),
        PropBool("ShowDesignHelper", &Z::ShowDesignHelper, &Z::SetShowDesignHelper, true),
        PropBool("EnableBlink", &Z::EnableBlink, &Z::SetEnableBlink, false),
        PropObj("FloatingFooter", &Z::FloatingFooter, &Z::SetFloatingFooter),
        PropObj("SearchFooter", &Z::SearchFooter, &Z::SetSearchFooter),
        PropObj("Balloon", &Z::Balloon, &Z::SetBalloon),
        PropObj("ShowModified", &Z::ShowModified, &Z::SetShowModified),
        // Selection.
        PropColor("SelectionColor", &Z::SelectionColor, &Z::SetSelectionColor, 0x00EACAB6),
        PropColor("SelectionColorTo", &Z::SelectionColorTo, &Z::SetSelectionColorTo, clNone),
        PropColor("SelectionMirrorColor", &Z::SelectionMirrorColor, &Z::SetSelectionMirrorColor, clNone),
        PropColor("SelectionMirrorColorTo", &Z::SelectionMirrorColorTo, &Z::SetSelectionMirrorColorTo, clNone),
        PropColor("SelectionTextColor", &Z::SelectionTextColor, &Z::SetSelectionTextColor, 0x00000000),
        PropBool("SelectionColorMixer", &Z::SelectionColorMixer, &Z::SetSelectionColorMixer, false),
        PropInt("SelectionColorMixerFactor", &Z::SelectionColorMixerFactor, &Z::SetSelectionColorMixerFactor, 50),
        PropBool("SelectionRectangle", &Z::SelectionRectangle, &Z::SetSelectionRectangle, false),
        PropBool("SelectionResizer", &Z::SelectionResizer, &Z::SetSelectionResizer, false),
        PropBool("SelectionRTFKeep", &Z::SelectionRTFKeep, &Z::SetSelectionRTFKeep, false),
        PropBool("ShowSelection", &Z::ShowSelection, &Z::SetShowSelection, true),
        PropBool("ShowFocusedSelectionColor", &Z::ShowFocusedSelectionColor, &Z::SetShowFocusedSelectionColor, true),
        PropBool("UseSelectionTextColor", &Z::UseSelectionTextColor, &Z::SetUseSelectionTextColor, true),
        PropBool("AutoHideSelection", &Z::AutoHideSelection, &Z::SetAutoHideSelection, false),
        PropColor("HighlightColor", &Z::HighlightColor, &Z::SetHighlightColor, clHighlight),
        PropColor("HighlightTextColor", &Z::HighlightTextColor, &Z::SetHighlightTextColor, clHighlightText),
        PropBool("HideFocusRect", &Z::HideFocusRect, &Z::SetHideFocusRect, false),
        // Cell text, HTML, hyperlinks and number formats.
        PropBool("EnableHTML", &Z::EnableHTML, &Z::SetEnableHTML, true),
        PropBool("HTMLKeepLineBreak", &Z::HTMLKeepLineBreak, &Z::SetHTMLKeepLineBreak, true),
        PropStr("FloatFormat", &Z::FloatFormat, &Z::SetFloatFormat),
        PropEnum("FormatType", &Z::FormatType, &Z::SetFormatType, FormatTypeInfo, ftVCL),
        PropBool("ExcelStyleDecimalSeparator", &Z::ExcelStyleDecimalSeparator, &Z::SetExcelStyleDecimalSeparator,
                 false),
        PropBool("EnhTextSize", &Z::EnhTextSize, &Z::SetEnhTextSize, false),
        PropBool("OemConvert", &Z::OemConvert, &Z::SetOemConvert, false),
        PropColor("URLColor", &Z::URLColor, &Z::SetURLColor, 0x00FF0000),
        PropBool("URLShow", &Z::URLShow, &Z::SetURLShow, false),
        PropBool("URLShowInText", &Z::URLShowInText, &Z::SetURLShowInText, false),
        PropBool("URLUnderlineOnHover", &Z::URLUnderlineOnHover, &Z::SetURLUnderlineOnHover, false),
        PropBool("URLFull", &Z::URLFull, &Z::SetURLFull, false),
        PropBool("URLEdit", &Z::URLEdit, &Z::SetURLEdit, false),
        // Editing, navigation and mouse.
        PropEnum("DefaultEditor", &Z::DefaultEditor, &Z::SetDefaultEditor, EditorTypeInfo, edNormal),
        PropBool("EditWithTags", &Z::EditWithTags, &Z::SetEditWithTags, false),
        PropStr("ValidChars", &Z::ValidChars, &Z::SetValidChars),
        PropInt("MaxEditLength", &Z::MaxEditLength, &Z::SetMaxEditLength, 0),
        PropInt("MaxComboLength", &Z::MaxComboLength, &Z::SetMaxComboLength, 0),
        PropBool("Lookup", &Z::Lookup, &Z::SetLookup, false),
        PropStrings("LookupItems", &Z::LookupItems),
        PropBool("LookupCaseSensitive", &Z::LookupCaseSensitive, &Z::SetLookupCaseSensitive, false),
        PropBool("LookupHistory", &Z::LookupHistory, &Z::SetLookupHistory, false),
        PropStr("InvalidEntryTitle", &Z::InvalidEntryTitle, &Z::SetInvalidEntryTitle),
        PropEnum("InvalidEntryIcon", &Z::InvalidEntryIcon, &Z::SetInvalidEntryIcon, InvalidEntryIconInfo, ieWarning),
        PropStr("InvalidEntryText", &Z::InvalidEntryText, &Z::SetInvalidEntryText),
        PropObj("CellChecker", &Z::CellChecker, &Z::SetCellChecker),
        PropObj("Navigation", &Z::Navigation, &Z::SetNavigation),
        PropObj("MouseActions", &Z::MouseActions, &Z::SetMouseActions),
        PropBool("EnhRowColMove", &Z::EnhRowColMove, &Z::SetEnhRowColMove, true),
        PropObj("FocusHelper", &Z::FocusHelper, &Z::SetFocusHelper),
        PropEnum("PopupToolBarMode", &Z::PopupToolBarMode, &Z::SetPopupToolBarMode, PopupToolBarModeInfo, tbActiveCell),
        // Hints.
        PropColor("HintColor", &Z::HintColor, &Z::SetHintColor, clInfoBk),
        PropBool("HintShowCells", &Z::HintShowCells, &Z::SetHintShowCells, false),
        PropBool("HintShowLargeText", &Z::HintShowLargeText, &Z::SetHintShowLargeText, false),
        PropEnum("HintShowLargeTextPos", &Z::HintShowLargeTextPos, &Z::SetHintShowLargeTextPos,
                 HintShowLargeTextPosInfo, hpCell),
        PropBool("HintShowSizing", &Z::HintShowSizing, &Z::SetHintShowSizing, false),
        PropBool("HTMLHint", &Z::HTMLHint, &Z::SetHTMLHint, false),
        PropBool("AnchorHint", &Z::AnchorHint, &Z::SetAnchorHint, false),
        PropBool("UseInternalHintClass", &Z::UseInternalHintClass, &Z::SetUseInternalHintClass, true),
        PropObj("OfficeHint", &Z::OfficeHint, &Z::SetOfficeHint),
        // Grouping, filtering and sorting.
        PropObj("Grouping", &Z::Grouping, &Z::SetGrouping),
        PropObj("Filter", &Z::Filter, &Z::SetFilter),
        PropBool("FilterActive", &Z::FilterActive, &Z::SetFilterActive, false),
        PropEnum("FilterType", &Z::FilterType, &Z::SetFilterType, GridFilterTypeInfo, ftHide),
        PropBool("FilterNormalCellsOnly", &Z::FilterNormalCellsOnly, &Z::SetFilterNormalCellsOnly, true),
        PropBool("AutoFilterUpdate", &Z::AutoFilterUpdate, &Z::SetAutoFilterUpdate, true),
        PropObj("FilterDropDown", &Z::FilterDropDown, &Z::SetFilterDropDown),
        PropBool("FilterDropDownAuto", &Z::FilterDropDownAuto, &Z::SetFilterDropDownAuto, false),
        PropBool("FilterDropDownMultiCol", &Z::FilterDropDownMultiCol, &Z::SetFilterDropDownMultiCol, true),
        PropStr("FilterDropDownClear", &Z::FilterDropDownClear, &Z::SetFilterDropDownClear),
        PropBool("FilterDropDownCheck", &Z::FilterDropDownCheck, &Z::SetFilterDropDownCheck, false),
        PropStr("FilterDropDownCheckUnCheckAll", &Z::FilterDropDownCheckUnCheckAll,
                &Z::SetFilterDropDownCheckUnCheckAll),
        PropEnum("FilterDropDownColumns", &Z::FilterDropDownColumns, &Z::SetFilterDropDownColumns,
                 FilterDropDownColumnsInfo, fdNormal),
        PropInt("FilterDropDownRow", &Z::FilterDropDownRow, &Z::SetFilterDropDownRow, 0),
        PropObj("FilterEdit", &Z::FilterEdit, &Z::SetFilterEdit),
        PropObj("SortSettings", &Z::SortSettings, &Z::SetSortSettings),
        // Scrolling and wheel.
        PropEnum("ScrollBarAlways", &Z::ScrollBarAlways, &Z::SetScrollBarAlways, ScrollBarAlwaysInfo, saNone),
        PropColor("ScrollColor", &Z::ScrollColor, &Z::SetScrollColor, clNone),
        PropBool("ScrollProportional", &Z::ScrollProportional, &Z::SetScrollProportional, false),
        PropBool("ScrollSynch", &Z::ScrollSynch, &Z::SetScrollSynch, false),
        PropEnum("ScrollType", &Z::ScrollType, &Z::SetScrollType, ScrollTypeInfo, ssNormal),
        PropInt("ScrollWidth", &Z::ScrollWidth, &Z::SetScrollWidth, 17),
        PropEnum("ScrollHints", &Z::ScrollHints, &Z::SetScrollHints, ScrollHintTypeInfo, shNone),
        PropBool("EnableWheel", &Z::EnableWheel, &Z::SetEnableWheel, true),
        PropEnum("IntelliPan", &Z::IntelliPan, &Z::SetIntelliPan, IntelliPanInfo, ipVertical),
        PropBool("IntelliZoom", &Z::IntelliZoom, &Z::SetIntelliZoom, true),
        PropObj("SyncGrid", &Z::SyncGrid, &Z::SetSyncGrid),
        // Drag and drop, other.
        PropObj("DragDropSettings", &Z::DragDropSettings, &Z::SetDragDropSettings),
        PropObj("DragScrollOptions", &Z::DragScrollOptions, &Z::SetDragScrollOptions),
        PropStr("Version", &Z::Version, &Z::SetVersion),
        // Events.
        PropEvent("OnGetCellColor", &Z::OnGetCellColor),
        PropEvent("OnGetCellPrintColor", &Z::OnGetCellPrintColor),
        PropEvent("OnGetCellBorder", &Z::OnGetCellBorder),
        PropEvent("OnGetCellPrintBorder", &Z::OnGetCellPrintBorder),
        PropEvent("OnGetCellBorderProp", &Z::OnGetCellBorderProp),
        PropEvent("OnGetCellGradient", &Z::OnGetCellGradient),
        PropEvent("OnGetAlignment", &Z::OnGetAlignment),
        PropEvent("OnGetWordWrap", &Z::OnGetWordWrap),
        PropEvent("OnGetFormat", &Z::OnGetFormat),
        PropEvent("OnGetFloatFormat", &Z::OnGetFloatFormat),
        PropEvent("OnGetCheckTrue", &Z::OnGetCheckTrue),
        PropEvent("OnGetCheckFalse", &Z::OnGetCheckFalse),
        PropEvent("OnIsFixedCell", &Z::OnIsFixedCell),
        PropEvent("OnIsPasswordCell", &Z::OnIsPasswordCell),
        PropEvent("OnCanEditCell", &Z::OnCanEditCell),
        PropEvent("OnGetEditorType", &Z::OnGetEditorType),
        PropEvent("OnHasComboBox", &Z::OnHasComboBox),
        PropEvent("OnHasEditBtn", &Z::OnHasEditBtn),
        PropEvent("OnHasSpinEdit", &Z::OnHasSpinEdit),
        PropEvent("OnHasFilterEdit", &Z::OnHasFilterEdit),
        PropEvent("OnFilterEditUpdate", &Z::OnFilterEditUpdate),
        PropEvent("OnGetCellCursor", &Z::OnGetCellCursor),
        PropEvent("OnGridHint", &Z::OnGridHint),
        PropEvent("OnGridWideHint", &Z::OnGridWideHint),
        PropEvent("OnOfficeHint", &Z::OnOfficeHint),
        PropEvent("OnCanSort", &Z::OnCanSort),
        PropEvent("OnButtonClick", &Z::OnButtonClick),
        PropEvent("OnExpandClick", &Z::OnExpandClick),
        PropEvent("OnComboCloseUp", &Z::OnComboCloseUp),
        PropEvent("OnComboDropDown", &Z::OnComboDropDown),
        PropEvent("OnDatePickerCloseUp", &Z::OnDatePickerCloseUp),
        PropEvent("OnDatePickerDropDown", &Z::OnDatePickerDropDown),
        PropEvent("OnSearchFooterAction", &Z::OnSearchFooterAction),
        PropEvent("OnSearchFooterSearch", &Z::OnSearchFooterSearch),
        PropEvent("OnSearchFooterSearchEnd", &Z::OnSearchFooterSearchEnd),
        PropEvent("OnDateTimeChange", &Z::OnDateTimeChange),
        PropEvent("OnEditChange", &Z::OnEditChange),
        PropEvent("OnCustomCellDraw", &Z::OnCustomCellDraw),
        PropEvent("OnCustomCellBkgDraw", &Z::OnCustomCellBkgDraw),
        PropEvent("OnPainted", &Z::OnPainted),
        PropEvent("OnCheckBoxClick", &Z::OnCheckBoxClick),
        PropEvent("OnCheckBoxCanToggle", &Z::OnCheckBoxCanToggle),
        PropEvent("OnEllipsClick", &Z::OnEllipsClick),
        PropEvent("OnSpinClick", &Z::OnSpinClick),
        PropEvent("OnClickCell", &Z::OnClickCell),
        PropEvent("OnRightClickCell", &Z::OnRightClickCell),
        PropEvent("OnDblClickCell", &Z::OnDblClickCell),
        PropEvent("OnAnchorClick", &Z::OnAnchorClick),
        PropEvent("OnAnchorEnter", &Z::OnAnchorEnter),
        PropEvent("OnAnchorExit", &Z::OnAnchorExit),
        PropEvent("OnAnchorHint", &Z::OnAnchorHint),
        PropEvent("OnClickSort", &Z::OnClickSort),
        PropEvent("OnCanAddCol", &Z::OnCanAddCol),
        PropEvent("OnCanAddRow", &Z::OnCanAddRow),
        PropEvent("OnAutoAddRow", &Z::OnAutoAddRow),
        PropEvent("OnCanInsertRow", &Z::OnCanInsertRow),
        PropEvent("OnAutoInsertRow", &Z::OnAutoInsertRow),
        PropEvent("OnAutoInsertCol", &Z::OnAutoInsertCol),
        PropEvent("OnCanDeleteRow", &Z::OnCanDeleteRow),
        PropEvent("OnAutoDeleteRow", &Z::OnAutoDeleteRow),
        PropEvent("OnColumnSize", &Z::OnColumnSize),
        PropEvent("OnColumnSizing", &Z::OnColumnSizing),
        PropEvent("OnEndColumnSize", &Z::OnEndColumnSize),
        PropEvent("OnUpdateColumnSize", &Z::OnUpdateColumnSize),
        PropEvent("OnRowSize", &Z::OnRowSize),
        PropEvent("OnRowSizing", &Z::OnRowSizing),
        PropEvent("OnEndRowSize", &Z::OnEndRowSize),
        PropEvent("OnScrollHint", &Z::OnScrollHint),
        PropEvent("OnCustomCompare", &Z::OnCustomCompare),
        PropEvent("OnRawCompare", &Z::OnRawCompare),
        PropEvent("OnSearchEditChange", &Z::OnSearchEditChange),
        // Editing, selection and keys.
        PropEvent("OnGetEditorProp", &Z::OnGetEditorProp),
        PropEvent("OnCellsChanged", &Z::OnCellsChanged),
        PropEvent("OnRowChanging", &Z::OnRowChanging),
        PropEvent("OnColChanging", &Z::OnColChanging),
        PropEvent("OnCellChanging", &Z::OnCellChanging),
        PropEvent("OnRowChanged", &Z::OnRowChanged),
        PropEvent("OnCellValidate", &Z::OnCellValidate),
        PropEvent("OnCellValidateWide", &Z::OnCellValidateWide),
        PropEvent("OnEditingDone", &Z::OnEditingDone),
        PropEvent("OnEditCellDone", &Z::OnEditCellDone),
        PropEvent("OnComboChange", &Z::OnComboChange),
        PropEvent("OnComboObjectChange", &Z::OnComboObjectChange),
        PropEvent("OnFilterEditDone", &Z::OnFilterEditDone),
        PropEvent("OnUnitChanged", &Z::OnUnitChanged),
        PropEvent("OnClipboardCopy", &Z::OnClipboardCopy),
        PropEvent("OnClipboardCut", &Z::OnClipboardCut),
        PropEvent("OnClipboardPaste", &Z::OnClipboardPaste),
        PropEvent("OnClipboardBeforePasteCell", &Z::OnClipboardBeforePasteCell),
        PropEvent("OnClipboardAfterPasteCell", &Z::OnClipboardAfterPasteCell),
        PropEvent("OnClipboardCutDone", &Z::OnClipboardCutDone),
        PropEvent("OnClipboardCopyDone", &Z::OnClipboardCopyDone),
        PropEvent("OnClipboardPasteDone", &Z::OnClipboardPasteDone),
        PropEvent("OnSelectionChanged", &Z::OnSelectionChanged),
        PropEvent("OnCanShowFixedDropDown", &Z::OnCanShowFixedDropDown),
        PropEvent("OnStartBlockFocus", &Z::OnStartBlockFocus),
        PropEvent("OnEndBlockFocus", &Z::OnEndBlockFocus),
    });

} // namespace

// ---------------------------------------------------------------- plain setters

#define FX_SET_STORE(Name)                                                                                             \
  void TZurEvoderOzod::Set##Name(decltype(F##Name) Value) { F##Name = Value; }
// Stores a changed value and repaints the grid.
#define FX_SET_REPAINT(Name)                                                                                           \
  void TZurEvoderOzod::Set##Name(decltype(F##Name) Value)                                                              \
  {                                                                                                                    \
    if (F##Name == Value)                                                                                              \
      return;                                                                                                          \
    F##Name = Value;                                                                                                   \
    Invalidate();                                                                                                      \
  }

FX_SET_STORE(FixedAsButtons)
FX_SET_STORE(IntegralHeight)
FX_SET_STORE(AutoNumAlign)
FX_SET_STORE(Multilinecells)
FX_SET_REPAINT(BorderColor)
FX_SET_STORE(DisabledFontColor)
FX_SET_REPAINT(ActiveCellShow)
FX_SET_REPAINT(ActiveCellColor)
FX_SET_REPAINT(ActiveCellColorTo)
FX_SET_STORE(AutoThemeAdapt)
FX_SET_STORE(Hovering)
FX_SET_STORE(HoverFixedCells)
FX_SET_STORE(ShowDesignHelper)
FX_SET_STORE(EnableBlink)
FX_SET_REPAINT(SelectionColor)
FX_SET_REPAINT(SelectionColorTo)
FX_SET_REPAINT(SelectionMirrorColor)
FX_SET_REPAINT(SelectionMirrorColorTo)
FX_SET_REPAINT(SelectionTextColor)
FX_SET_REPAINT(SelectionColorMixer)
FX_SET_REPAINT(SelectionRectangle)
FX_SET_REPAINT(SelectionResizer)
FX_SET_STORE(SelectionRTFKeep)
FX_SET_STORE(ShowFocusedSelectionColor)
FX_SET_STORE(UseSelectionTextColor)
FX_SET_STORE(AutoHideSelection)
FX_SET_REPAINT(HighlightColor)
FX_SET_REPAINT(HighlightTextColor)
FX_SET_REPAINT(HideFocusRect)
FX_SET_REPAINT(EnableHTML)
FX_SET_STORE(HTMLKeepLineBreak)
FX_SET_STORE(FloatFormat)
FX_SET_STORE(FormatType)
FX_SET_STORE(ExcelStyleDecimalSeparator)
FX_SET_STORE(EnhTextSize)
FX_SET_STORE(OemConvert)
FX_SET_STORE(URLUnderlineOnHover)
FX_SET_STORE(URLEdit)
FX_SET_STORE(DefaultEditor)
FX_SET_STORE(EditWithTags)
FX_SET_STORE(ValidChars)
FX_SET_STORE(MaxEditLength)
FX_SET_STORE(MaxComboLength)
FX_SET_STORE(Lookup)
FX_SET_STORE(LookupCaseSensitive)
FX_SET_STORE(LookupHistory)
FX_SET_STORE(InvalidEntryTitle)
FX_SET_STORE(InvalidEntryIcon)
FX_SET_STORE(InvalidEntryText)
FX_SET_STORE(EnhRowColMove)
FX_SET_STORE(PopupToolBarMode)
FX_SET_STORE(HintColor)
FX_SET_STORE(HintShowCells)
FX_SET_STORE(HintShowLargeText)
FX_SET_STORE(HintShowLargeTextPos)
FX_SET_STORE(HintShowSizing)
FX_SET_STORE(HTMLHint)
FX_SET_STORE(AnchorHint)
FX_SET_STORE(UseInternalHintClass)
FX_SET_STORE(FilterActive)
FX_SET_STORE(FilterType)
FX_SET_STORE(FilterNormalCellsOnly)
FX_SET_STORE(AutoFilterUpdate)
FX_SET_STORE(FilterDropDownAuto)
FX_SET_STORE(FilterDropDownMultiCol)
FX_SET_STORE(FilterDropDownClear)
FX_SET_STORE(FilterDropDownCheck)
FX_SET_STORE(FilterDropDownCheckUnCheckAll)
FX_SET_STORE(FilterDropDownColumns)
FX_SET_STORE(FilterDropDownRow)
FX_SET_STORE(ScrollBarAlways)
FX_SET_STORE(ScrollColor)
FX_SET_STORE(ScrollProportional)
FX_SET_STORE(ScrollSynch)
FX_SET_STORE(ScrollType)
FX_SET_STORE(ScrollWidth)
FX_SET_STORE(ScrollHints)
FX_SET_STORE(EnableWheel)
FX_SET_STORE(IntelliPan)
FX_SET_STORE(IntelliZoom)
FX_SET_STORE(CheckTrue)
FX_SET_STORE(CheckFalse)

#undef FX_SET_STORE
#undef FX_SET_REPAINT

// The column sizing these ask for comes with the automatic sizing.
void TZurEvoderOzod::SetAutoSize(bool Value) { FAutoSize = Value; }

void TZurEvoderOzod::SetSizeWithForm(bool Value)
{
  if (Value == FSizeWithForm)
    return;
  FSizeWithForm = Value;
}

void TZurEvoderOzod::SetFlat(bool Value)
{
  FFlat = Value;
  if (!(ComponentState() & csLoading))
    Invalidate();
}

void TZurEvoderOzod::SetVAlignment(TVAlignment Value)
{
  FVAlignment = Value;
  if (FUpdateCount == 0)
    Invalidate();
}

void TZurEvoderOzod::SetSelectionColorMixerFactor(int32_t Value)
{
  if (Value == FSelectionColorMixerFactor)
    return;
  FSelectionColorMixerFactor = std::clamp(Value, 0, 100);
  Invalidate();
}

void TZurEvoderOzod::SetShowSelection(bool Value)
{
  if (Value == FShowSelection)
    return;
  FShowSelection = Value;
  FShowSel = Value;
  Invalidate();
}

// ---------------------------------------------------------------- settings objects: setting copies

void TZurEvoderOzod::SetControlLook(TControlLook* Value) { FControlLook->Assign(Value); }
void TZurEvoderOzod::SetSortSettings(TSortSettings* Value) { FSortSettings->Assign(Value); }
void TZurEvoderOzod::SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
void TZurEvoderOzod::SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
void TZurEvoderOzod::SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
void TZurEvoderOzod::SetSyncGrid(TSyncGrid* Value) { FSyncGrid->Assign(Value); }
void TZurEvoderOzod::SetBands(TBands* Value) { FBands->Assign(Value); }
void TZurEvoderOzod::SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
void TZurEvoderOzod::SetBackGround(TBackGround* Value) { FBackGround->Assign(Value); }
void TZurEvoderOzod::SetFilter(TFilter* Value) { FFilter->Assign(Value); }
void TZurEvoderOzod::SetFilterEdit(TFilterEdit* Value) { FFilterEdit->Assign(Value); }
void TZurEvoderOzod::SetGrouping(TGrouping* Value) { FGrouping->Assign(Value); }
void TZurEvoderOzod::SetColumnSize(TColumnSize* Value) { FColumnSize->Assign(Value); }
void TZurEvoderOzod::SetFloatingFooter(TFloatingFooter* Value) { FFloatingFooter->Assign(Value); }
void TZurEvoderOzod::SetBalloon(TBalloonSettings* Value) { FBalloonSettings->Assign(Value); }
void TZurEvoderOzod::SetShowModified(TShowModified* Value) { FShowModified->Assign(Value); }
void TZurEvoderOzod::SetDragDropSettings(TDragDropSettings* Value) { FDragDropSettings->Assign(Value); }
void TZurEvoderOzod::SetOfficeHint(TRurHintInfo* Value) { FOfficeHint->Assign(Value); }
void TZurEvoderOzod::SetAutoColor(TAutoColor* Value) { FAutoColor->Assign(Value); }
void TZurEvoderOzod::SetProgressAppearance(TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }
void TZurEvoderOzod::SetFilterDropDown(TFilterDropDown* Value) { FFilterDropDown->Assign(Value); }
void TZurEvoderOzod::SetDragScrollOptions(TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
void TZurEvoderOzod::SetHoverButtons(THoverButtons* Value) { FHoverButtons->Assign(Value); }

void TZurEvoderOzod::SetFixedFont(TFont* Value)
{
  FFixedFont->Assign(Value);
  Invalidate();
}

void TZurEvoderOzod::SetActiveCellFont(TFont* Value) { FActiveCellFont->Assign(Value); }

void TZurEvoderOzod::SetRowIndicator(TBitmap* Value) { FRowIndicator->Assign(Value); }

void TZurEvoderOzod::SetCellChecker(TZurEvoderOzodCheck* Value)
{
  if (FCellChecker)
    FCellChecker->RemoveFreeNotification(this);
  FCellChecker = Value;
  if (FCellChecker)
    FCellChecker->FreeNotification(this);
}

void TZurEvoderOzod::SetFixedDropDownMenu(TPopupMenu* Value)
{
  if (FFixedDropDownMenu)
    FFixedDropDownMenu->RemoveFreeNotification(this);
  FFixedDropDownMenu = Value;
  if (FFixedDropDownMenu)
    FFixedDropDownMenu->FreeNotification(this);
}
