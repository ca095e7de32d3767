// The string grid's life cycle: construction with every default and
// settings object, destruction, copying another grid, completing a form
// load, bounds and the unit's registrations. The published property table
// is in ZurEvoderOzodProps.cpp.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/ControlList.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/RurHintInfo.h"
#include "grid/base/ZurEvoderOzodCheck.h"
#include "grid/core/BackGround.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/Filter.h"
#include "grid/core/GridAppearance.h"
#include "grid/core/GridItem.h"
#include "grid/core/GridSettings.h"
#include "grid/core/PrintSettings.h"
#include "platform/Bitmap.h"
#include "platform/ClassRegistry.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/Messages.h"
#include "platform/StringGridCells.h"
#include "platform/Timer.h"
#include "rtl/StringList.h"

#include <QDebug>

#include <algorithm>

namespace {

// The column sizes the grid keeps on its own (ColumnSize.Save) are a
// convenience: a store that cannot be written (a folder under the file's
// name, a full disk, a read-only set-up folder) costs the sizes, never the
// grid being made or freed.
template <class TDo>
void KeepColumnSizes(const TZurEvoderOzod& Grid, const char* What, TDo&& Do)
{
  try {
    Do();
  } catch (const Exception& E) {
    qWarning().noquote()
        << QStringLiteral("Column sizes of %1 not %2: %3").arg(Grid.Name(), QString::fromLatin1(What), E.Message());
  }
}

} // namespace

const TGridUnitIds& RegisterGridUnit()
{
  static const TGridUnitIds Ids = [] {
    TGridUnitIds I;
    // Declaring a class registers it; asking for it here keeps the class's
    // unit linked into every program that makes a grid.
    ClassInfoFor<TZurEvoderOzod>();
    I.CF_GRIDCELLS = RegisterClipboardFormat(QStringLiteral("TZurEvoderOzod Cells"));
    I.WM_GRIDEDITDONE = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    I.WM_GRIDEDITSHOW = RegisterWindowMessage(QStringLiteral("GridEditShow"));
    I.WM_GRIDEDITINVALID = RegisterWindowMessage(QStringLiteral("GridEditInvalid"));
    I.WM_EDITPROP = RegisterWindowMessage(QStringLiteral("GridEditProp"));
    I.WM_DTPSHIFTFOCUS = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    I.WM_FILTEREDITUPDATE = RegisterWindowMessage(QStringLiteral("FilterEditUpdate"));
    return I;
  }();
  return Ids;
}

// ---------------------------------------------------------------- construction

TZurEvoderOzod::TZurEvoderOzod(TComponent* AOwner) : TBaseGrid(AOwner)
{
  RegisterGridUnit();
  std::fill(std::begin(FZURGrad), std::end(FZURGrad), clNone);
  const TComponentState OwnerState = AOwner ? AOwner->ComponentState() : 0;
  FDesignDrop = (ComponentState() & csDesigning) && !(OwnerState & (csReading | csLoading));
  SetControlStyle(ControlStyle() | csAcceptsControls);
  TCustomGrid::SetDrawingStyle(gdsClassic);

  // The settings objects, in the order the grid makes them.
  FAutoColor = std::make_unique<TAutoColor>();
  FAutoColor->OnChange = [this](TObject*) { Invalidate(); };
  cf = std::make_unique<TFont>();
  FFocusHelper = std::make_unique<TFocusHelper>();
  FSearchFooter = std::make_unique<TSearchFooter>(FDesignDrop);
  FFloatingFooter = std::make_unique<TFloatingFooter>();
  FSortSettings = std::make_unique<TSortSettings>(this);
  FDragDropSettings = std::make_unique<TDragDropSettings>();
  FDragScrollOptions = std::make_unique<TDragScrollOptions>();
  FControlLook = std::make_unique<TControlLook>(this);
  FNavigation = std::make_unique<TNavigation>();
  FColumnSize = std::make_unique<TColumnSize>(this);
  FBands = std::make_unique<TBands>();
  FBands->OnChange = [this](TObject*) { Invalidate(); };
  FMouseActions = std::make_unique<TMouseActions>();
  FMouseActions->OnInvalidate = [this](TObject*) { Invalidate(); };
  FGrouping = std::make_unique<TGrouping>();
  FColumnHeaders = std::make_unique<TStringList>();
  FColumnHeaders->OnChange = [this](TObject* S) { ColHeaderChanged(S); };
  FOrigColSizes = std::make_unique<TIntList>(-1, 0);
  FSuppressColSizes = std::make_unique<TIntList>(-1, 0);
  FSuppressRowSizes = std::make_unique<TIntList>(-1, 0);
  FFixedFont = std::make_unique<TFont>();
  FFixedFont->SetName(QStringLiteral("Tahoma"));
  FFixedFont->SetStyle(FontStyleBit(fsBold));
  FFixedFont->OnChange = [this](TObject* S) { FixedFontChanged(S); };
  FActiveCellFont = std::make_unique<TFont>();
  FActiveCellFont->SetStyle(FontStyleBit(fsBold));
  if (FDesignDrop)
    FActiveCellFont->SetName(QStringLiteral("Tahoma"));
  FActiveCellFont->OnChange = [this](TObject* S) { FixedFontChanged(S); };
  FRowHeaders = std::make_unique<TStringList>();
  FRowHeaders->OnChange = [this](TObject* S) { RowHeaderChanged(S); };
  FLookupItems = std::make_unique<TStringList>();
  FSortIndexes = std::make_unique<TSortIndexList>();
  FRowIndicator = std::make_unique<TBitmap>();
  FBackGround = std::make_unique<TBackGround>();
  FBackGround->OnChange = [this](TObject*) { Invalidate(); };
  FProgressAppearance = std::make_unique<TGridProgressAppearance>();
  FProgressAppearance->OnChange = [this](TObject* S) { FixedFontChanged(S); };
  FSyncGrid = std::make_unique<TSyncGrid>(this);
  FSyncGrid->OnGridChanged = [this](TComponent* Old, TComponent* New) {
    if (Old)
      Old->RemoveFreeNotification(this);
    if (New)
      New->FreeNotification(this);
  };
  FGridItems = std::make_unique<TCollection>(ClassInfoFor<TGridItem>());
  FFilter = std::make_unique<TFilter>(this);
  FFilter->RepaintHeader = [this](int32_t, int32_t R) { InvalidateRow(R); };
  FBalloonSettings = std::make_unique<TBalloonSettings>();
  FShowModified = std::make_unique<TShowModified>();
  FShowModified->OnChange = [this](TObject*) { InvalidateCol(0); };
  FColumnOrder = std::make_unique<TIntList>(0, 0);
  FCellGraphic = std::make_unique<TCellGraphic>();
  FOfficeHint = std::make_unique<TRurHintInfo>();
  FFilterDropDown = std::make_unique<TFilterDropDown>();
  if (FDesignDrop) {
    FFilterDropDown->SetTextChecked(QStringLiteral("Checked"));
    FFilterDropDown->SetTextUnChecked(QStringLiteral("Unchecked"));
  }
  FFilterDropDown->OnChange = [this](TObject*) { Invalidate(); };
  FFilterEdit = std::make_unique<TFilterEdit>();
  FFilterEdit->OnChange = [this](TObject*) { Invalidate(); };
  FFilterEdit->OnEnabledChange = [this](TObject*) { FilterEditEnabledChanged(); };
  FHoverButtons = std::make_unique<THoverButtons>(this);
  FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
  FHTMLSettings = std::make_unique<THTMLSettings>();
  FPrintSettings = std::make_unique<TPrintSettings>();
  FIgnoreColumns = std::make_unique<TIntList>(-1, -1);
  FSelectedRows = std::make_unique<TIntList>(0, 0);
  FSelectedCells = std::make_unique<TIntList>(0, 0);
  FEnabledRows = std::make_unique<TIntList>(0, 0);
  FControlList = std::make_unique<TControlList>();
  FOldRowSel = TBaseGrid::Row();
  InitEditing();
  InitCellEditors();

  // The values after construction.
  FVisibleCol.assign(static_cast<size_t>(ColCount()), true);
  FAllColWidths.assign(static_cast<size_t>(ColCount()), 0);
  SetRowCount(10);
  SetBounds(Left(), Top(), 400, 250);
  SetScrollBars(ssBoth);
  SetDefaultRowHeight(22);
  FFixedRowHeight = DefaultRowHeight();
  FZURGrad[fgFrom] = 0x00FFFFFF;
  FZURGrad[fgTo] = ColorToRGB(clBtnFace);
  FZURGrad[fgMirrorFrom] = clNone;
  FZURGrad[fgMirrorTo] = clNone;
}

TZurEvoderOzod::~TZurEvoderOzod()
{
  DoneWithEditing();
  RemoveAllFilters();
  if (FColumnSize->Save())
    KeepColumnSizes(*this, "saved", [this] { SaveColSizes(); });
  // Everything comes back into the grid first, so that clearing reaches
  // every record and cell graphic, hidden ones included.
  UnHideColumnsAll();
  UnHideRowsAll();
  IncludeState(csDestroying);
  // Cells beyond the counts keep their content (a count may grow again), so
  // the clearing reaches as far as anything was ever held.
  const int32_t Rows = std::max({RowCount(), FMaxRowCount, FCells->RowExtent()});
  const int32_t Cols = std::max({ColCount(), FMaxColCount, FCells->ColExtent()});
  if (Rows > 0 && Cols > 0 && FHasCellProps) {
    TCustomGrid::SetColCount(Cols);
    TCustomGrid::SetRowCount(Rows);
    ClearRect(0, 0, Cols - 1, Rows - 1);
  }
}

String TZurEvoderOzod::ClassName() const { return QStringLiteral("TZurEvoderOzod"); }

// ---------------------------------------------------------------- copying

void TZurEvoderOzod::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TZurEvoderOzod*>(Source);
  if (!S)
    return;
  Font()->Assign(S->Font());
  SetActiveCellColor(S->ActiveCellColor());
  SetActiveCellColorTo(S->ActiveCellColorTo());
  FActiveCellFont->Assign(S->FActiveCellFont.get());
  SetActiveCellShow(S->ActiveCellShow());
  FAutoColor->Assign(S->FAutoColor.get());
  SetActiveRowShow(S->ActiveRowShow());
  SetAlign(S->Align());
  FFilterDropDown->Assign(S->FFilterDropDown.get());
  SetAnchorHint(S->AnchorHint());
  FAutoSize = S->FAutoSize;
  FAutoColor->Assign(S->FAutoColor.get());
  FMouseActions->Assign(S->FMouseActions.get());
  FNavigation->Assign(S->FNavigation.get());
  FGrouping->Assign(S->FGrouping.get());
  FSearchFooter->Assign(S->FSearchFooter.get());
  FPrintSettings->Assign(S->FPrintSettings.get());
  FFilter->Assign(S->FFilter.get());
  FHTMLSettings->Assign(S->FHTMLSettings.get());
  FBands->Assign(S->FBands.get());
  FBackGround->Assign(S->FBackGround.get());
  FSortSettings->Assign(S->FSortSettings.get());
  FDragScrollOptions->Assign(S->FDragScrollOptions.get());
  FDragDropSettings->Assign(S->FDragDropSettings.get());
  FProgressAppearance->Assign(S->FProgressAppearance.get());
  FColumnSize->Assign(S->FColumnSize.get());
  FSyncGrid->Assign(S->FSyncGrid.get());
  FFocusHelper->Assign(S->FFocusHelper.get());
  FFilterEdit->Assign(S->FFilterEdit.get());
  FHoverButtons->Assign(S->FHoverButtons.get());
  FShowModified->Assign(S->FShowModified.get());
  FControlLook->Assign(S->FControlLook.get());
  FBalloonSettings->Assign(S->FBalloonSettings.get());
  FOfficeHint->Assign(S->FOfficeHint.get());
  SetFixedRowAlways(S->FixedRowAlways());
  // The source's counts as it reports them, without its hidden columns.
  SetColCount(S->ColCount());
  SetRowCount(S->RowCount());
  SetFixedRows(S->FixedRows());
  SetFixedCols(S->FixedCols());
  SetDefaultColWidth(S->DefaultColWidth());
  SetDefaultRowHeight(S->DefaultRowHeight());
  SetFixedRowHeight(S->FixedRowHeight());
  SetFixedColWidth(S->FixedColWidth());
  SetInvalidEntryTitle(S->InvalidEntryTitle());
  SetInvalidEntryIcon(S->InvalidEntryIcon());
  SetInvalidEntryText(S->InvalidEntryText());
  SetOptions(S->Options());
  for (int32_t C = 0; C < ColCount(); ++C)
    SetColWidths(C, S->ColWidths(C));
  FColumnHeaders->Assign(*S->FColumnHeaders);
  for (int32_t R = 0; R < RowCount(); ++R)
    SetRowHeights(R, S->RowHeights(R));
  SetScrollProportional(S->ScrollProportional());
  SetScrollSynch(S->ScrollSynch());
  SetScrollHints(S->ScrollHints());
  SetScrollBarAlways(S->ScrollBarAlways());
  SetScrollBars(S->ScrollBars());
  SetScrollColor(S->ScrollColor());
  SetScrollType(S->ScrollType());
  SetScrollWidth(S->ScrollWidth());
  SetLook(S->Look());
  SetBorderColor(S->BorderColor());
  SetSelectionColor(S->SelectionColor());
  SetSelectionColorTo(S->SelectionColorTo());
  SetSelectionMirrorColor(S->SelectionMirrorColor());
  SetSelectionMirrorColorTo(S->SelectionMirrorColorTo());
  SetSelectionTextColor(S->SelectionTextColor());
  SetSelectionRTFKeep(S->SelectionRTFKeep());
  SetSelectionResizer(S->SelectionResizer());
  SetAutoFilterUpdate(S->AutoFilterUpdate());
  SetAutoHideSelection(S->AutoHideSelection());
  SetAutoNumAlign(S->AutoNumAlign());
  SetAutoThemeAdapt(S->AutoThemeAdapt());
  SetDefaultEditor(S->DefaultEditor());
  SetDisabledFontColor(S->DisabledFontColor());
  SetEditWithTags(S->EditWithTags());
  SetEnableHTML(S->EnableHTML());
  SetEnableBlink(S->EnableBlink());
  SetEnhRowColMove(S->EnhRowColMove());
  SetEnhTextSize(S->EnhTextSize());
  SetExcelStyleDecimalSeparator(S->ExcelStyleDecimalSeparator());
  SetFilterDropDownAuto(S->FilterDropDownAuto());
  SetFilterDropDownCheck(S->FilterDropDownCheck());
  SetFilterDropDownCheckUnCheckAll(S->FilterDropDownCheckUnCheckAll());
  SetFilterDropDownClear(S->FilterDropDownClear());
  SetFilterDropDownColumns(S->FilterDropDownColumns());
  SetFilterDropDownMultiCol(S->FilterDropDownMultiCol());
  SetFilterDropDownRow(S->FilterDropDownRow());
  SetFixedAsButtons(S->FixedAsButtons());
  SetFixedFooters(S->FixedFooters());
  SetFixedRightCols(S->FixedRightCols());
  SetGridLineColor(S->GridLineColor());
  SetGridLineWidth(S->GridLineWidth());
  SetHighlightColor(S->HighlightColor());
  SetHighlightTextColor(S->HighlightTextColor());
  SetHintColor(S->HintColor());
  SetHintShowCells(S->HintShowCells());
  SetHintShowLargeText(S->HintShowLargeText());
  SetHintShowLargeTextPos(S->HintShowLargeTextPos());
  SetHovering(S->Hovering());
  SetHoverRow(S->HoverRow());
  SetHoverRowColor(S->HoverRowColor());
  SetHoverRowColorTo(S->HoverRowColorTo());
  SetIntelliZoom(S->IntelliZoom());
  SetIntelliPan(S->IntelliPan());
  SetIntegralHeight(S->IntegralHeight());
  SetHTMLHint(S->HTMLHint());
  SetHTMLKeepLineBreak(S->HTMLKeepLineBreak());
  SetLookupHistory(S->LookupHistory());
  SetLookup(S->Lookup());
  FLookupItems->Assign(*S->FLookupItems);
  SetLookupCaseSensitive(S->LookupCaseSensitive());
  SetMaxComboLength(S->MaxComboLength());
  SetMaxEditLength(S->MaxEditLength());
  SetMultilinecells(S->Multilinecells());
  AssignCells(S);
}

void TZurEvoderOzod::AssignCells(TPersistent* Source)
{
  auto* S = dynamic_cast<TZurEvoderOzod*>(Source);
  if (!S || S == this)
    return;
  const int32_t Cols = S->TotalColCount(), Rows = S->RowCount();
  ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
  for (int32_t C = 0; C < Cols; ++C)
    for (int32_t R = 0; R < Rows; ++R) {
      SetGridCell(C, R, S->GetGridCell(C, R));
      if (!S->HasCellProperties(C, R))
        continue;
      TCellProperties* From = S->GetCellProperties(C, R);
      TCellProperties* To = GetCellProperties(C, R);
      To->Assign(From);
      To->SetOwnerCol(C);
      To->SetOwnerRow(R);
      To->SetBrushColorTo(From->BrushColorTo());
      To->SetGradientDirection(From->GradientDirection());
      if (auto* G = dynamic_cast<TCellGraphic*>(From->GraphicObject())) {
        // The copy takes the record's fields; objects the source made stay
        // the source's.
        auto* Copy = new TCellGraphic();
        Copy->Assign(G);
        Copy->SetCellCreated(false);
        Copy->SetCellComment(G->CellComment());
        Copy->SetCommentColor(G->CommentColor());
        To->SetGraphicObject(Copy);
      }
    }
}

// ---------------------------------------------------------------- loading and window

void TZurEvoderOzod::Loaded()
{
  TBaseGrid::Loaded();
  WriteHeaders();
  if (FLook == glZID) {
    SetLook(glCustom);
    SetLook(glZID);
  }
  if (FColumnSize->Save())
    KeepColumnSizes(*this, "loaded", [this] { LoadColSizes(); });
  FFixedRowsMin = TBaseGrid::FixedRows();
  FFixedColsMin = TBaseGrid::FixedCols();
  FMaxColCount = ColCount();
  FMaxRowCount = RowCount();
  FLoaded = true;
  if (Options() & GridOptionBit(goAlwaysShowEditor)) {
    FNavigation->SetAlwaysEdit(true);
    SetOptions(Options() & ~GridOptionBit(goAlwaysShowEditor));
  }
  FSearchFooter->SetAutoThemeAdapt(FAutoThemeAdapt);
  UpdateScrollBars(false);
  FOrigColSizes->Clear();
  for (int32_t C = 0; C < ColCount(); ++C)
    FOrigColSizes->Add(ColWidths(C));
  SetColumnOrder();
}

void TZurEvoderOzod::CreateWnd()
{
  if (ComponentState() & csDestroying)
    return;
  TBaseGrid::CreateWnd();
  if (FColumnSize->Save())
    KeepColumnSizes(*this, "loaded", [this] { LoadColSizes(); });
  UpdateScrollBars(false);
  StartGridTimer();
}

void TZurEvoderOzod::Invalidate()
{
  if (FEditChange) {
    FEditChange = false;
    return;
  }
  if (FUpdateCount > 0)
    return;
  TBaseGrid::Invalidate();
}

void TZurEvoderOzod::Resize()
{
  TBaseGrid::Resize();
  const TBackGroundDisplay D = FBackGround->Display();
  if ((D == bdGradientHorz || D == bdGradientVert) && FBackGround->ColorTo() != clNone)
    Invalidate();
  UpdateScrollBars(false);
}

void TZurEvoderOzod::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
  // An integral height shows whole rows only.
  if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
    constexpr int32_t ScrollBarHeight = 17;
    const int32_t S = VisibleColCount() + FixedCols() < ColCount() ? ScrollBarHeight : 0;
    const int32_t B = BorderStyle() == bsSingle ? 2 : 0;
    const int32_t H = AHeight - S - B;
    AHeight = H - (H % DefaultRowHeight()) + S + 2 * B;
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// The framework's bars follow the cells; forcing bars that the cells do
// not need comes with the scrolling features.
void TZurEvoderOzod::UpdateScrollBars(bool) {}

void TZurEvoderOzod::Notification(TComponent* AComponent, TOperation Operation)
{
  if (Operation == opRemove) {
    if (AComponent == FCellChecker)
      FCellChecker = nullptr;
    if (AComponent == FFixedDropDownMenu)
      FFixedDropDownMenu = nullptr;
    if (FGridImages && AComponent == FGridImages)
      FGridImages = nullptr;
    if (FSyncGrid && AComponent == FSyncGrid->Grid())
      FSyncGrid->SetGrid(nullptr);
  }
  TBaseGrid::Notification(AComponent, Operation);
}

void TZurEvoderOzod::DefineProperties(TFiler* Filer) { TBaseGrid::DefineProperties(Filer); }

// ---------------------------------------------------------------- services of other parts

void TZurEvoderOzod::FreeCell(int32_t ACol, int32_t ARow)
{
  if (HasCellProperties(ACol, ARow)) {
    auto* G = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    if (G && G->CellType() != ctVirtCheckBox && G->CellType() != ctRowCheckBox)
      delete G;
    ClearPropCell(ACol, ARow);
  }
  SetGridObject(ACol, ARow, nullptr);
  SetGridCell(ACol, ARow, String());
}

void TZurEvoderOzod::RemoveAllFilters() { FFilter->Clear(); }

// Switching the filter row on or off drops the filter it held and empties
// the row.
void TZurEvoderOzod::FilterEditEnabledChanged()
{
  SetFilterActive(false);
  FFilter->Clear();
  const int32_t Row = FFilterEdit->Row();
  if (Row < 0 || Row >= RowCount())
    return;
  for (int32_t C = 0; C < TotalColCount(); ++C)
    SetCellEx(C, Row, String());
}

void TZurEvoderOzod::SetColumnOrder()
{
  FColumnOrder->Clear();
  FSuppressColSizes->Clear();
  for (int32_t C = 0; C < ColCount(); ++C) {
    FColumnOrder->Add(C);
    FSuppressColSizes->Add(ColWidths(C));
  }
}

void TZurEvoderOzod::CellControlsUpdate(bool) {}

// ---------------------------------------------------------------- headers

void TZurEvoderOzod::ColHeaderChanged(TObject*)
{
  if (ComponentState() & csLoading)
    return;
  UpdateColHeaders();
  ShowColumnHeaders();
}

void TZurEvoderOzod::RowHeaderChanged(TObject*)
{
  if (!(ComponentState() & csLoading))
    ShowRowHeaders();
}

void TZurEvoderOzod::WriteHeaders()
{
  ShowColumnHeaders();
  ShowRowHeaders();
}

void TZurEvoderOzod::FixedFontChanged(TObject*) { Invalidate(); }

void TZurEvoderOzod::SetZURGrad(TFixedGradient Which, TColor Value)
{
  // The normal gradient's colours are kept as device colours.
  const bool ToRGB = Which == fgFrom || Which == fgTo || Which == fgMirrorFrom || Which == fgMirrorTo;
  FZURGrad[Which] = ToRGB && Value != clNone ? ColorToRGB(Value) : Value;
  if (ToRGB)
    Invalidate();
}

String TZurEvoderOzod::Version() const
{
  constexpr uint32_t V = 0x08040003;
  return QStringLiteral("%1.%2.%3.%4").arg(V >> 24).arg((V >> 16) & 0xFF).arg((V >> 8) & 0xFF).arg(V & 0xFF);
}
