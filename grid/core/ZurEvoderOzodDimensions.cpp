// The string grid's dimensions and their side effects, the fixed rows and
// columns, word wrap and alignment, the look presets, the URL display and
// the display text.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/GridSettings.h"
#include "rtl/Numbers.h"

#include <algorithm>

// ---------------------------------------------------------------- counts

void TZurEvoderOzod::SetRowCount(int32_t Value)
{
  TBaseGrid::SetRowCount(Value);
  for (int32_t R = FSuppressRowSizes->Count(); R < RowCount(); ++R)
    FSuppressRowSizes->Add(RowHeights(R));
  if (FFixedRowAlways && FFixedRowsMin < RowCount())
    SetFixedRows(FFixedRowsMin);
  FMaxRowCount = std::max(FMaxRowCount, Value);
  FNormalRowCount = Value;
}

void TZurEvoderOzod::SetColCount(int32_t Value)
{
  const size_t OldLength = FVisibleCol.size();
  TBaseGrid::SetColCount(Value);
  const size_t Length = static_cast<size_t>(ColCount() + FNumHidden);
  FVisibleCol.resize(Length, true);
  for (size_t I = OldLength; I < Length; ++I)
    FVisibleCol[I] = true;
  FAllColWidths.resize(Length, 0);
  if (FFixedColAlways && FFixedColsMin < ColCount())
    SetFixedCols(FFixedColsMin);
  FMaxColCount = std::max(FMaxColCount, Value);
  for (int32_t C = FSuppressColSizes->Count(); C < ColCount(); ++C)
    FSuppressColSizes->Add(ColWidths(C));
}

void TZurEvoderOzod::SetCol(int32_t Value)
{
  const int32_t Old = Col();
  TBaseGrid::SetCol(Value);
  if (Col() == Old || !FSyncGrid->Grid() || !FSyncGrid->SelectionColumn())
    return;
  if (auto* Other = dynamic_cast<TZurEvoderOzod*>(FSyncGrid->Grid())) {
    // The other grid's click handler must not answer a move made here.
    const TNotifyEvent Click = Other->OnClick;
    Other->OnClick = nullptr;
    Other->SetCol(Col());
    Other->OnClick = Click;
  } else if (auto* Framework = dynamic_cast<TCustomGrid*>(FSyncGrid->Grid())) {
    Framework->SetCol(Col());
  }
}

int32_t TZurEvoderOzod::FixedRows() const
{
  const int32_t N = TBaseGrid::FixedRows();
  return N == 0 && FFixedRowAlways ? 1 : N;
}

void TZurEvoderOzod::SetFixedRows(int32_t Value)
{
  // A grid that keeps a fixed row gives it up while it has no other row.
  const int32_t Used = Value >= RowCount() && FFixedRowAlways ? RowCount() - 1 : Value;
  TBaseGrid::SetFixedRows(Used);
  if (!(ComponentState() & csLoading))
    FFixedRowsMin = Value;
}

int32_t TZurEvoderOzod::FixedCols() const
{
  const int32_t N = TBaseGrid::FixedCols();
  return N == 0 && FFixedColAlways ? 1 : N;
}

void TZurEvoderOzod::SetFixedCols(int32_t Value)
{
  const int32_t Used = Value >= ColCount() && FFixedColAlways ? ColCount() - 1 : Value;
  TBaseGrid::SetFixedCols(Used);
  if (!(ComponentState() & csLoading))
    FFixedColsMin = Value;
}

int32_t TZurEvoderOzod::FixedColWidth() const { return ColWidths(0); }

void TZurEvoderOzod::SetFixedColWidth(int32_t Value)
{
  if ((ComponentState() & csLoading) || Value == DefaultColWidth())
    return;
  for (int32_t C = 0; C < TBaseGrid::FixedCols(); ++C)
    SetColWidths(C, Value);
}

void TZurEvoderOzod::SetFixedRowHeight(int32_t Value)
{
  FFixedRowHeight = Value;
  if ((ComponentState() & csLoading) || Value == DefaultRowHeight())
    return;
  for (int32_t R = 0; R < TBaseGrid::FixedRows(); ++R)
    SetRowHeights(R, Value);
}

void TZurEvoderOzod::SetDefaultRowHeight(int32_t Value)
{
  TBaseGrid::SetDefaultRowHeight(Value);
  if ((ComponentState() & csDesigning) && !(ComponentState() & csLoading))
    FFixedRowHeight = Value;
  FFloatingFooter->SetHeight(Value);
}

void TZurEvoderOzod::SetFixedRightCols(int32_t Value)
{
  FFixedRightCols = Value;
  Invalidate();
}

void TZurEvoderOzod::SetFixedFooters(int32_t Value)
{
  FFixedFooters = Value;
  Invalidate();
}

void TZurEvoderOzod::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  FWordWrapEx = Value;
  if (FUpdateCount == 0)
    Invalidate();
}

void TZurEvoderOzod::SetDefaultAlignment(TAlignment Value)
{
  if (Value == FDefaultAlignment)
    return;
  FDefaultAlignment = Value;
  Invalidate();
}

// ---------------------------------------------------------------- look presets

void TZurEvoderOzod::SetLook(TGridLook Value)
{
  if (Value == FLook)
    return;
  FLook = Value;
  const bool Loading = ComponentState() & csLoading;
  if (Value != glCustom) {
    for (TFixedGradient W : {fgFrom, fgTo, fgMirrorFrom, fgMirrorTo})
      FControlLook->SetFixedGradient(W, clNone);
    for (TFixedGradient W : {fgFrom, fgTo, fgMirrorFrom, fgMirrorTo})
      FZURGrad[W] = clNone;
    FSortSettings->SetHeaderColor(clNone);
  }
  // The search footer of the themed looks takes the gradient as it stands
  // here, before the preset's own colours.
  const TColor GradFrom = FZURGrad[fgFrom], GradTo = FZURGrad[fgTo];
  auto CommonColours = [this] {
    SetGridFixedLineColor(0x00808080);
    FControlLook->SetFixedGradient(fgMirrorTo, clNone);
    FControlLook->SetFixedGradient(fgMirrorFrom, clNone);
    FZURGrad[fgMirrorFrom] = clNone;
    FZURGrad[fgMirrorTo] = clNone;
    SetGridLineColor(0x00C0C0C0);
  };
  auto PlainColours = [this] {
    SetActiveCellColor(0x00808080);
    SetActiveCellColorTo(clNone);
    SetSelectionColor(clHighlight);
    SetSelectionTextColor(clHighlightText);
    FSearchFooter->SetColor(clBtnFace);
    FSearchFooter->SetColorTo(clBtnFace);
  };
  auto ThemedColours = [this, Value, GradFrom, GradTo] {
    SetActiveCellColor(0x00EACAB6);
    SetActiveCellColorTo(clNone);
    SetSelectionColor(0x00EACAB6);
    SetSelectionColorTo(clNone);
    SetSelectionTextColor(0x00000000);
    FSearchFooter->SetColor(GradFrom);
    FSearchFooter->SetColorTo(GradTo);
    FControlLook->SetFixedGradient(fgTo, 0x00FFFFFF);
    FControlLook->SetFixedGradient(fgFrom, Value == glZID ? 0x00C0C0C0 : clBtnFace);
    FControlLook->SetFixedGradient(fgHoverTo, 0x00CFD0D1);
    FControlLook->SetFixedGradient(fgHoverFrom, 0x00BEC6C8);
    FControlLook->SetFixedGradient(fgHoverMirrorTo, 0x00BEC6C8);
    FControlLook->SetFixedGradient(fgHoverMirrorFrom, 0x00ABBCBF);
    FControlLook->SetFixedGradient(fgDownTo, 0x00868788);
    FControlLook->SetFixedGradient(fgDownFrom, 0x00737C7E);
    FControlLook->SetFixedGradient(fgDownMirrorTo, 0x00737C7E);
    FControlLook->SetFixedGradient(fgDownMirrorFrom, 0x00627376);
  };
  switch (Value) {
  case glVista:
    SetSelectionStyle(ssVista);
    break;
  case glWin7:
    SetSelectionStyle(ssWin7);
    break;
  case glOffice2007:
    SetSelectionStyle(ssOffice2007);
    break;
  case glStandard:
  case glSoft:
  case glClassic:
    SetSelectionStyle(ssDefault);
    if (!Loading) {
      SetFixedColor(clBtnFace);
      FControlLook->SetFixedGradient(fgTo, clBtnFace);
      FControlLook->SetFixedGradient(fgFrom, clNone);
      CommonColours();
      PlainColours();
    }
    break;
  case glListView:
    SetSelectionStyle(ssDefault);
    if (!Loading) {
      FControlLook->SetFixedGradient(fgTo, 0x00FFFFFF);
      FControlLook->SetFixedGradient(fgFrom, clBtnFace);
      CommonColours();
      PlainColours();
    }
    break;
  case glZID:
  case glXP:
    SetSelectionStyle(ssDefault);
    if (!Loading) {
      FControlLook->SetFixedGradient(fgTo, 0x00FFFFFF);
      FControlLook->SetFixedGradient(fgFrom, clBtnFace);
      CommonColours();
      ThemedColours();
    }
    break;
  case glCustom:
    break;
  }
  SetScrollType(ssNormal);
  if (Value != glCustom)
    SetBorderColor(0x00B99D7F);
  if (HandleAllocated())
    Invalidate();
}

String TZurEvoderOzod::GetLookAsString(TGridLook Value)
{
  static const char* const Names[] = {"glStandard", "glSoft",  "glClassic", "glZID",       "glXP",
                                      "glListView", "glVista", "glWin7",    "glOffice2007"};
  return Value < glCustom ? QString::fromLatin1(Names[Value]) : String();
}

String TZurEvoderOzod::GetLookAsFriendlyString(TGridLook Value)
{
  static const char* const Names[] = {"Standard", "Soft",          "Classic",   "ZID",       "Windows XP",
                                      "ListView", "Windows Vista", "Windows 7", "Office2007"};
  return Value < glCustom ? QString::fromLatin1(Names[Value]) : String();
}

// ---------------------------------------------------------------- URLs and display text

void TZurEvoderOzod::SetURLColor(TColor Value)
{
  if (Value == FURLColor)
    return;
  FURLColor = Value;
  if (FURLShow)
    Invalidate();
}

void TZurEvoderOzod::SetURLShow(bool Value)
{
  if (Value == FURLShow)
    return;
  FURLShow = Value;
  Invalidate();
}

void TZurEvoderOzod::SetURLShowInText(bool Value)
{
  if (Value == FURLShowInText)
    return;
  FURLShowInText = Value;
  Invalidate();
}

void TZurEvoderOzod::SetURLFull(bool Value)
{
  FURLFull = Value;
  if (FURLShow)
    Invalidate();
}

void TZurEvoderOzod::GetDisplText(int32_t ACol, int32_t ARow, String& Value)
{
  TBaseGrid::GetDisplText(ACol, ARow, Value);
  if (FURLShowInText) {
    // The prefixes are tried in this order, not in the order the addresses
    // stand in the text.
    static const char* const Prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
    for (const char* P : Prefixes) {
      String Linked;
      if (MakeHTMLHyperlink(Value, QString::fromLatin1(P), Linked)) {
        Value = Linked;
        break;
      }
    }
  }
  if (FGrouping->ShowGroupCount() && ACol == 1 && IsNode(ARow)) {
    const TCellGraphic* Node = GetCellGraphic(0, ARow);
    const int32_t Count = Node ? Node->CellIndex() - Node->CellErrFrom() - 1 : 0;
    if (FGrouping->GroupCountFormat().isEmpty())
      Value += QStringLiteral(" (") + IntToStr(Count) + u')';
    else
      Value += Format(FGrouping->GroupCountFormat(), {Count});
  }
}

bool TZurEvoderOzod::ShouldDrawSortIndicator(int32_t ACol, int32_t ARow)
{
  const int32_t SortRow = FSortSettings->Row();
  bool IsSortRow = ARow == SortRow;
  if (IsMergedCell(RealColIndex(ACol), ARow))
    IsSortRow = ARow <= SortRow && SortRow <= ARow + CellSpan(RealColIndex(ACol), ARow).Y;
  return IsSortRow && FSortSettings->Show() && FixedRows() + 1 < RowCount();
}

void TZurEvoderOzod::QueryAddRow(bool& CanAdd)
{
  if (OnCanAddRow)
    OnCanAddRow(this, CanAdd);
}

void TZurEvoderOzod::QueryAddCol(bool& CanAdd)
{
  if (OnCanAddCol)
    OnCanAddCol(this, CanAdd);
}

void TZurEvoderOzod::QueryInsertRow(int32_t ARow, bool& CanInsert)
{
  if (OnCanInsertRow)
    OnCanInsertRow(this, ARow, CanInsert);
}
