// The per-cell questions of the string grid: each applies the cell's record
// and the grid's settings first and fires its published event last, so the
// application's handler has the last word. None of them makes a record.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/RurHintInfo.h"
#include "grid/base/rurutil.h"
#include "grid/core/BackGround.h"
#include "grid/core/GridSettings.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "rtl/StringList.h"

namespace {

// Cell kinds whose background comes from their record's brush colour; the
// others draw their own background.
constexpr TCellTypes RecordBrushTypes = CellTypeBit(ctIcon) | CellTypeBit(ctNone) | CellTypeBit(ctImageList) |
                                        CellTypeBit(ctCheckBox) | CellTypeBit(ctEmpty) | CellTypeBit(ctImages) |
                                        CellTypeBit(ctComment) | CellTypeBit(ctRadioButton);

} // namespace

// ---------------------------------------------------------------- colours, borders, alignment

void TZurEvoderOzod::GetCellColor(int32_t ACol, int32_t ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
  // The headers of the current cell: the last fixed column in the current
  // row and the last fixed row in the current column.
  const int32_t DC = DisplColIndex(ACol);
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  if (FActiveCellShow && ((ARow == Row() && DC == FC - 1 && FC > 0) || (DC == Col() && ARow == FR - 1 && FR > 0))) {
    AFont->Assign(FActiveCellFont.get());
    ABrush->SetColor(FActiveCellColor);
  }
  if (HasCellProperties(ACol, ARow)) {
    const TCellProperties* CP = GetCellProperties(ACol, ARow);
    if (CP->BrushColor() != clNone && (RecordBrushTypes & CellTypeBit(GetCellType(ACol, ARow))))
      ABrush->SetColor(CP->BrushColor());
    ApplyRecordFont(CP, AFont);
  }
  if (OnGetCellColor)
    OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TZurEvoderOzod::GetCellPrintColor(int32_t ACol, int32_t ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
  if (OnGetCellPrintColor)
    OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TZurEvoderOzod::ApplyRecordFont(const TCellProperties* CP, TFont* AFont)
{
  if (CP->FontColor() != clNone)
    AFont->SetColor(CP->FontColor());
  if (CP->FontStyle() != 0)
    AFont->SetStyle(CP->FontStyle());
  if (CP->FontSize() != 0)
    AFont->SetHeight(CP->FontSize());
  if (!CP->FontName().isEmpty())
    AFont->SetName(CP->FontName());
}

TFont* TZurEvoderOzod::GetCellFont(int32_t ACol, int32_t ARow)
{
  if (!HasCellProperties(ACol, ARow))
    return Font();
  const TCellProperties* CP = GetCellProperties(ACol, ARow);
  cf->SetName(CP->FontName());
  cf->SetHeight(CP->FontSize());
  cf->SetStyle(CP->FontStyle());
  cf->SetColor(CP->FontColor());
  return cf.get();
}

void TZurEvoderOzod::GetCellBorder(int32_t ACol, int32_t ARow, TPen* APen, TCellBorders& Borders)
{
  if (FGrouping->HeaderUnderline() && IsNode(ARow) && ACol > 0) {
    Borders = SetBit(cbBottom);
    APen->SetColor(FGrouping->HeaderLineColor());
    APen->SetWidth(FGrouping->HeaderLineWidth());
  }
  if (FGrouping->SummaryLine() && IsSummary(ARow) && ACol > 0) {
    Borders = SetBit(cbTop);
    APen->SetColor(FGrouping->SummaryLineColor());
    APen->SetWidth(FGrouping->SummaryLineWidth());
  }
  if (OnGetCellBorder)
    OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TZurEvoderOzod::GetCellPrintBorder(int32_t ACol, int32_t ARow, TPen* APen, TCellBorders& Borders)
{
  if (OnGetCellPrintBorder)
    OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

// The mouse-action setting that centres column 0 comes with the row check
// boxes; the caller supplies the record's and the grid's alignments.
void TZurEvoderOzod::GetCellAlign(int32_t ACol, int32_t ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
  if (ACol == 0 && FMouseActions->HotmailRowSelect())
    HAlign = taCenter;
  if (OnGetAlignment)
    OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TZurEvoderOzod::GetColFormat(int32_t ACol, TSortStyle& AStyle, String& Prefix, String& Suffix)
{
  if (OnGetFormat)
    OnGetFormat(this, ACol, AStyle, Prefix, Suffix);
}

// ---------------------------------------------------------------- editors and fixedness

void TZurEvoderOzod::GetStaticCellEditor(int32_t ACol, int32_t ARow, TEditorType& AEditor)
{
  if (OnGetEditorType)
    OnGetEditorType(this, ACol, ARow, AEditor);
}

void TZurEvoderOzod::GetCellEditor(int32_t ACol, int32_t ARow, TEditorType& AEditor)
{
  if (OnGetEditorType)
    OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TZurEvoderOzod::GetEditorNone(int32_t ACol, int32_t ARow)
{
  if (!OnGetEditorType)
    return false;
  TEditorType Editor = edNormal;
  OnGetEditorType(this, ACol, ARow, Editor);
  return Editor == edNone;
}

void TZurEvoderOzod::GetCellFixed(int32_t ACol, int32_t ARow, bool& IsFixed)
{
  if (IsFixed)
    return;
  // A grid that keeps a fixed row (column) may have had to give it up to
  // the framework; the row it remembers still counts as fixed.
  IsFixed = (FFixedRowAlways && RowCount() == FFixedRowsMin && ARow < FFixedRowsMin) ||
            (FFixedColAlways && ColCount() == FFixedColsMin && ACol < FFixedColsMin) || ACol < TBaseGrid::FixedCols() ||
            ARow < TBaseGrid::FixedRows();
  if (!IsFixed && OnIsFixedCell)
    OnIsFixedCell(this, ARow, ACol, IsFixed);
}

bool TZurEvoderOzod::IsFixed(int32_t ACol, int32_t ARow)
{
  bool Fixed = false;
  GetCellFixed(ACol, ARow, Fixed);
  return Fixed;
}

void TZurEvoderOzod::GetCellReadOnly(int32_t ACol, int32_t ARow, bool& CanEdit)
{
  const TPoint Base = BaseCell(ACol, ARow);
  const bool Exists = Base.X < ColCount() + FNumHidden;
  if (HasCellProperties(Base.X, Base.Y) && CanEdit) {
    CanEdit = !GetCellProperties(Base.X, Base.Y)->ReadOnly();
    if (!(Options() & GridOptionBit(goEditing)) && !FEditDisable && !FMouseActions->RangeSelectAndEdit())
      CanEdit = false;
    if (Exists)
      DoCanEditCell(Base.X, Base.Y, CanEdit);
    return;
  }
  if (Exists)
    DoCanEditCell(Base.X, Base.Y, CanEdit);
  else
    CanEdit = true;
}

void TZurEvoderOzod::GetCellPassword(int32_t ACol, int32_t ARow, bool& IsPassword)
{
  if (OnIsPasswordCell)
    OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TZurEvoderOzod::GetCellWordWrap(int32_t ACol, int32_t ARow, bool& WordWrap)
{
  if (OnGetWordWrap)
    OnGetWordWrap(this, ACol, ARow, WordWrap);
}

namespace {

// The editor kind of a cell for the always-visible button tests: AEditor,
// or, when the caller does not know it (edNone), the grid's default as the
// editor event leaves it.
template <class Ask>
TEditorType KindOf(TEditorType AEditor, TEditorType Default, Ask&& AskEditor)
{
  if (AEditor != edNone)
    return AEditor;
  TEditorType Kind = Default;
  AskEditor(Kind);
  return Kind;
}

} // namespace

bool TZurEvoderOzod::HasCombo(int32_t ACol, int32_t ARow, TEditorType AEditor)
{
  bool Result = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, Result);
    return Result;
  }
  if (!FControlLook->DropDownAlwaysVisible())
    return false;
  const TEditorType Kind = KindOf(AEditor, FDefaultEditor, [&](TEditorType& K) { GetCellEditor(ACol, ARow, K); });
  return Kind == edComboEdit || Kind == edComboList || Kind == edDetailDropDown || Kind == edGridDropDown ||
         Kind == edRurGridDropDown;
}

bool TZurEvoderOzod::HasEditBtn(int32_t ACol, int32_t ARow, TEditorType AEditor)
{
  bool Result = false;
  if (OnHasEditBtn) {
    OnHasEditBtn(this, ACol, ARow, Result);
    return Result;
  }
  if (!FControlLook->DropDownAlwaysVisible())
    return false;
  return KindOf(AEditor, FDefaultEditor, [&](TEditorType& K) { GetCellEditor(ACol, ARow, K); }) == edEditBtn;
}

bool TZurEvoderOzod::HasSpinEdit(int32_t ACol, int32_t ARow, TEditorType AEditor)
{
  if (ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows())
    return false;
  bool Result = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, Result);
    return Result;
  }
  if (!FControlLook->SpinButtonsAlwaysVisible())
    return false;
  const TEditorType Kind = KindOf(AEditor, FDefaultEditor, [&](TEditorType& K) { GetStaticCellEditor(ACol, ARow, K); });
  return Kind == edSpinEdit || Kind == edFloatSpinEdit || Kind == edTimeSpinEdit || Kind == edDateSpinEdit;
}

bool TZurEvoderOzod::HasFilterEdit(int32_t ACol, int32_t ARow)
{
  bool Result = FFilterEdit->Enabled() && ARow == FFilterEdit->Row();
  if (Result && FFilterEdit->Columns() == fdNormal)
    Result = ACol >= TBaseGrid::FixedCols() && ACol < ColCount() + FNumHidden - FFixedRightCols;
  if (Result && OnHasFilterEdit)
    OnHasFilterEdit(this, ACol, Result);
  return Result;
}

void TZurEvoderOzod::FilterEditUpdate(int32_t ACol, const String& Condition, uint8_t FilterType)
{
  if (OnFilterEditUpdate)
    OnFilterEditUpdate(this, ACol, Condition, FilterType);
}

String TZurEvoderOzod::GetCheckTrue(int32_t ACol, int32_t ARow)
{
  String Value = FCheckTrue;
  if (OnGetCheckTrue)
    OnGetCheckTrue(this, ACol, ARow, Value);
  return Value;
}

String TZurEvoderOzod::GetCheckFalse(int32_t ACol, int32_t ARow)
{
  String Value = FCheckFalse;
  if (OnGetCheckFalse)
    OnGetCheckFalse(this, ACol, ARow, Value);
  return Value;
}

// ---------------------------------------------------------------- reporting hooks

void TZurEvoderOzod::DoCanEditCell(int32_t ACol, int32_t ARow, bool& CanEdit)
{
  if (OnCanEditCell)
    OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TZurEvoderOzod::DoCanSort(int32_t ACol, bool& DoSort)
{
  if (OnCanSort)
    OnCanSort(this, ACol, DoSort);
}

void TZurEvoderOzod::DoSearchFooterAction(const String& Value, int32_t ACol, int32_t ARow, TSearchAction SearchAction)
{
  if (OnSearchFooterAction)
    OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

String TZurEvoderOzod::DoSearchFooterSearch(const String& Value)
{
  String Result = Value;
  if (OnSearchFooterSearch)
    OnSearchFooterSearch(this, Result);
  return Result;
}

void TZurEvoderOzod::DoSearchFooterSearchEnd(bool& ContinueFromStart)
{
  if (OnSearchFooterSearchEnd)
    OnSearchFooterSearchEnd(this, ContinueFromStart);
}

void TZurEvoderOzod::DoButtonClick(int32_t ACol, int32_t ARow)
{
  if (OnButtonClick)
    OnButtonClick(this, ACol, ARow);
}

// The row height of an expanded cell comes with the expandable cells.
void TZurEvoderOzod::DoExpandClick(int32_t ACol, int32_t ARow, bool Expanded)
{
  if (OnExpandClick)
    OnExpandClick(this, ACol, ARow, Expanded);
}

void TZurEvoderOzod::DoComboCloseUp(int32_t ARow, int32_t ACol)
{
  if (OnComboCloseUp)
    OnComboCloseUp(this, ARow, ACol);
}

void TZurEvoderOzod::DoComboDropDown(int32_t ARow, int32_t ACol)
{
  if (OnComboDropDown)
    OnComboDropDown(this, ARow, ACol);
}

void TZurEvoderOzod::DoSetCellCursor(int32_t ACol, int32_t ARow, int32_t X, int32_t Y)
{
  if (!OnGetCellCursor)
    return;
  int16_t C = Screen->Cursor();
  OnGetCellCursor(this, ACol, ARow, X, Y, C);
  // The shape shows at once; the grid's own Cursor stays as it was.
  if (C != Cursor())
    Screen->SetCursor(C);
}

void TZurEvoderOzod::GetCellHint(int32_t ACol, int32_t ARow, String& Hint, String& WideHint)
{
  if (OnGridHint) {
    OnGridHint(this, ARow, ACol, Hint);
    FOfficeHint->Notes()->SetText(Hint);
  }
  if (OnGridWideHint) {
    OnGridWideHint(this, ARow, ACol, WideHint);
    if (!WideHint.isEmpty())
      Hint = EncodeWideStr(WideHint);
  }
  if (OnOfficeHint)
    OnOfficeHint(this, ACol, ARow, FOfficeHint.get());
}

void TZurEvoderOzod::HandleButtonClick(TObject*)
{
  if (OnButtonClick)
    OnButtonClick(this, Col(), Row());
}

// ---------------------------------------------------------------- defaults of a new record

TAlignment TZurEvoderOzod::GetDefaultAlignment() { return FDefaultAlignment; }

void TZurEvoderOzod::GetDefaultProps(int32_t ACol, int32_t ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                     TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& HAlign,
                                     TVAlignment& VAlign, bool& WordWrap, TCellGradientDirection& Direction)
{
  TBaseGrid::GetDefaultProps(ACol, ARow, AFont, ABrush, ColorTo, MirrorColor, MirrorColorTo, HAlign, VAlign, WordWrap,
                             Direction);
  VAlign = FVAlignment;
  Direction = GradientVertical;
  TGridDrawState State = 0;
  GetVisualProperties(ACol, ARow, State, false, false, false, ABrush, ColorTo, MirrorColor, MirrorColorTo, AFont,
                      HAlign, VAlign, WordWrap, Direction);
  // A new record never captures fixed, banding, background or selection
  // colours.
  const TBackGroundDisplay D = FBackGround->Display();
  if (IsFixed(ACol, ARow) || FBands->Active() || D == bdGradientHorz || D == bdGradientVert ||
      (State & GridDrawBit(gdSelected))) {
    ABrush->SetColor(clNone);
    ColorTo = clNone;
  }
}
