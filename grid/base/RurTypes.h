#pragma once
// The enumerations, sets and event types that the grid library's classes
// share. The ordinal values are stored in form files, settings and grid
// files: never renumber a member, only append.
//
// Sets are bit masks, bit i standing for member i (as streams hold them).
//
// Event parameter order is not uniform and follows the types below: the
// colouring, editing-permission, click and hint events take the row first;
// the editor, control and display-text events take the column first. For a
// Boolean passed by reference that permits something (Allow, CanEdit,
// DoSort, ...) the grid acts on the value the handler leaves; an unassigned
// event is simply not called.
#include "platform/GraphicsTypes.h"
#include "platform/GridTypes.h"
#include "rtl/Object.h"

#include <cstdint>
#include <functional>

class TBrush;
class TCanvas;
class TFont;
class TPen;
class TRurHintInfo;
struct TRect;

enum TEditorType : uint8_t {
  edNormal,
  edSpinEdit,
  edComboEdit,
  edComboList,
  edEditBtn,
  edCheckBox,
  edDateEdit,
  edDateEditUpDown,
  edTimeEdit,
  edButton,
  edDataCheckBox,
  edNumeric,
  edPositiveNumeric,
  edFloat,
  edCapital,
  edMixedCase,
  edPassword,
  edUnitEditBtn,
  edLowerCase,
  edUpperCase,
  edFloatSpinEdit,
  edTimeSpinEdit,
  edDateSpinEdit,
  edNumericEditBtn,
  edFloatEditBtn,
  edCustom,
  edRichEdit,
  edNone, // 27: not the last member
  edDateTimeEdit,
  edValidChars,
  edTrackbarDropDown,
  edMemoDropDown,
  edCalculatorDropDown,
  edTimePickerDropDown,
  edDetailDropDown,
  edGridDropDown,
  edColorPickerDropDown,
  edImagePickerDropDown,
  edRurGridDropDown,
  edControlDropDown,
  edPositiveFloat,
  edNumericUnitEditBtn,
  edFloatUnitEditBtn,
  edMaskEditBtn
};

enum TSortStyle : uint8_t {
  ssAutomatic,
  ssAlphabetic,
  ssNumeric,
  ssDate,
  ssAlphaNoCase,
  ssAlphaCase,
  ssShortDateEU,
  ssShortDateUS,
  ssCustom,
  ssFinancial,
  ssAnsiAlphaCase,
  ssAnsiAlphaNoCase,
  ssRaw,
  ssHTML,
  ssImages,
  ssCheckBox,
  ssDateTime,
  ssTime,
  ssAlphaNumeric,
  ssAlphaNumericNoCase,
  ssNatural,
  ssVarDate
};

enum TNarrowDownOption : uint8_t { ndCaseSensitive, ndRemoveAccented };
using TNarrowDownOptions = uint8_t;
enum TCellBorder : uint8_t { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = uint8_t;
enum TCellGradientDirection : uint8_t { GradientVertical, GradientHorizontal };
enum TVAlignment : uint8_t { vtaTop, vtaCenter, vtaBottom };
enum TArrowDirection : uint8_t { arrUp, arrDown, arrLeft, arrRight };
enum TRurGridButtonStyle : uint8_t { tasButton, tasCheck };
enum TSearchDirection : uint8_t { sdTopBottom, sdLeftRight };
enum THighlightType : uint8_t { hMatchingText, hFullCell };
enum TSearchType : uint8_t { stSearch, stNarrowDown };
enum THomeEndAction : uint8_t { heFirstLastColumn, heFirstLastRow, heFirstLastCell, heDefault };
enum TClipboardPasteAction : uint8_t { paReplace, paInsert };
enum TClipboardCutAction : uint8_t { caClear, caRemove };
enum TAdvanceDirection : uint8_t { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition : uint8_t { pInsertBefore, pInsertAfter };
enum TCursorAdvance : uint8_t { caDefault, caSnake, caLoop };
enum TToggleTriStateCheck : uint8_t { tsAllStates, tsCheckUnCheck };
enum TGridFixedCellEdit : uint8_t { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor : uint8_t { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction : uint8_t { waMoveSelection, waScroll };
enum TWheelActive : uint8_t { waFocus, waMouseOver };

// Declared with the base grid.
enum TColumnCalcType : uint8_t {
  acNONE,
  acSUM,
  acAVG,
  acCOUNT,
  acMIN,
  acMAX,
  acSPREAD,
  acCUSTOM,
  acDISTINCT,
  acSTDDEV
};
enum TGridSelectionStyle : uint8_t { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell : uint8_t { hcNormal, hcFixed, hcSelected, hcGroupHeader, hcGroupSummary };
using THoverRowCells = uint8_t;

template <class E>
constexpr uint32_t SetBit(E Member)
{
  return 1u << static_cast<uint32_t>(Member);
}
template <class S, class E>
constexpr bool InSet(S Set, E Member)
{
  return (static_cast<uint32_t>(Set) & SetBit(Member)) != 0;
}

// ---------------------------------------------------------------- row first

using TClickCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, bool& CanEdit)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, const String& Anchor, bool& AutoHandle)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, String& Anchor)>;
using TAnchorEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, const String& Anchor)>;
using TGridColorEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, TColor& Color, TColor& ColorTo, TColor& ColorMirror,
                       TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridHintEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, String& hintstr)>;

// ---------------------------------------------------------------- column first

using TGetDisplTextEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& Value)>;
// Value is UTF-16 text.
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& Value)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& IsFloat, String& FloatFormat)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool State)>;
using TCheckBoxCanToggleEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool State, bool& Allow)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, TEditorType& AEditor)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int32_t ACol, int32_t ARow,
                                                TGridDrawState AState, const TRect& ARect, bool Printing)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& S)>;
using TGridBalloonEvent =
    std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, String& ATitle, String& AText, int32_t& AIcon)>;
using TSpinClickEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, int32_t AValue, bool UpDown)>;
using TOfficeHintEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, TRurHintInfo* OfficeHint)>;
using TImageChangeEvent = std::function<void(TObject* Sender, int32_t Acol, int32_t Arow)>;

// ---------------------------------------------------------------- one coordinate or none

using TOnResizeEvent = std::function<void(TObject* Sender)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int32_t ACol, bool& Allow)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ColumnSize)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int32_t ACol)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t& AWidth)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int32_t ARow, bool& Allow)>;
using TRowSizingEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t RowSize)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int32_t ARow)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int32_t ARow, String& hintstr)>;
using TClickSortEvent = std::function<void(TObject* Sender, int32_t ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, int32_t ACol, bool& DoSort)>;
using TCustomCompareEvent = std::function<void(TObject* Sender, const String& str1, const String& str2, int32_t& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t Row1, int32_t Row2, int32_t& Res)>;
using TGridFormatEvent =
    std::function<void(TObject* Sender, int32_t ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int32_t ARow, bool& CanInsert)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, int32_t ARow)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanAddColEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, int32_t ARow)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int32_t ARow, bool& CanDelete)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, int32_t ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, int32_t ACol)>;
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;
