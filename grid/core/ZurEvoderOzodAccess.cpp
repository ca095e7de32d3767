// Typed cell access (integers, floats, dates, times), text and objects by
// real row (hidden rows read from and written to the row store), the
// modified and enabled rows, and the selection: the rectangle and the
// disjunct row, column and cell selections.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/GridItem.h"
#include "platform/Bitmap.h"
#include "platform/Collection.h"
#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

const char* const NoInteger = "Cell does not contain integer value";
const char* const NoFloat = "Cell does not contain a float value";

// An empty text and a lone minus sign count as nought.
String ZeroIfBlank(const String& S) { return S.isEmpty() || S == u"-" ? QStringLiteral("0") : S; }

int32_t IntOf(const String& Text, bool FloatsToo)
{
  const String S = ZeroIfBlank(Trim(Text));
  const bool Decimal = S.contains(FormatSettings.DecimalSeparator) || S.contains(FormatSettings.ThousandSeparator);
  if (FloatsToo && Decimal) {
    // Halves go to the even neighbour.
    double V = 0;
    if (TryStrToFloat(S, V)) {
      const double R = std::nearbyint(V);
      if (R >= std::numeric_limits<int32_t>::min() && R <= std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(R);
    }
    throw ERurGridError(QString::fromLatin1(NoInteger));
  }
  int32_t V = 0;
  if (!TryStrToInt(S, V))
    throw ERurGridError(QString::fromLatin1(NoInteger));
  return V;
}

// A displayed number made plain first: separators, currency marks, units
// and brackets go.
double FloatOf(const String& Text)
{
  // A text without any number in it is no nought: only an empty text and
  // a lone minus sign are.
  const String Plain = RemoveSeps(Text);
  if (Plain.isEmpty() && !ZeroIfBlank(Trim(Text)).startsWith(u'0'))
    throw ERurGridError(QString::fromLatin1(NoFloat));
  String S = ZeroIfBlank(Plain);
  S.replace(u'.', FormatSettings.DecimalSeparator);
  double V = 0;
  if (!TryStrToFloat(S, V))
    throw ERurGridError(QString::fromLatin1(NoFloat));
  return V;
}

TGridItem* StoredRow(TCollection* Store, int32_t I) { return static_cast<TGridItem*>(Store->Items(I)); }

// The stored texts of a hidden row, at least ACol + 1 of them.
void Pad(TStringList* Items, int32_t ACol)
{
  while (Items->Count() <= ACol)
    Items->Add(String());
}

} // namespace

// ---------------------------------------------------------------- typed access

int32_t TZurEvoderOzod::GetInts(int32_t ACol, int32_t ARow) { return IntOf(GetStrippedCell(ACol, ARow), true); }

void TZurEvoderOzod::SetInts(int32_t ACol, int32_t ARow, int32_t Value)
{
  SetCellEx(ACol, ARow, IntToStr(Value));
  if (FNumHidden > 0)
    RepaintCell(DisplColIndex(ACol), ARow);
}

double TZurEvoderOzod::GetFloats(int32_t ACol, int32_t ARow) { return FloatOf(HTMLStrip(GetCellEx(ACol, ARow))); }

void TZurEvoderOzod::SetFloats(int32_t ACol, int32_t ARow, double Value)
{
  SetCellEx(ACol, ARow, Format(FFloatFormat, {Value}));
}

int32_t TZurEvoderOzod::GetAllInts(int32_t ACol, int32_t ARow) { return IntOf(GetCellsEx(ACol, ARow), false); }
void TZurEvoderOzod::SetAllInts(int32_t ACol, int32_t ARow, int32_t Value) { SetCellsEx(ACol, ARow, IntToStr(Value)); }
double TZurEvoderOzod::GetAllFloats(int32_t ACol, int32_t ARow) { return FloatOf(GetCellsEx(ACol, ARow)); }

void TZurEvoderOzod::SetAllFloats(int32_t ACol, int32_t ARow, double Value)
{
  SetCellsEx(ACol, ARow, Format(FFloatFormat, {Value}));
}

TDateTime TZurEvoderOzod::GetDates(int32_t ACol, int32_t ARow) { return StrToDate(GetCellEx(ACol, ARow)); }

void TZurEvoderOzod::SetDates(int32_t ACol, int32_t ARow, TDateTime Value)
{
  SetCellEx(ACol, ARow, Value <= 0 && !FShowNullDates ? String() : DateToStr(Value));
}

TDateTime TZurEvoderOzod::GetTimes(int32_t ACol, int32_t ARow) { return StrToTime(GetCellEx(ACol, ARow)); }
void TZurEvoderOzod::SetTimes(int32_t ACol, int32_t ARow, TDateTime Value) { SetCellEx(ACol, ARow, TimeToStr(Value)); }

TDateTime TZurEvoderOzod::GetDateTimes(int32_t ACol, int32_t ARow)
{
  TDateTime V = 0;
  return TryStrToDateTime(GetCellEx(ACol, ARow), V) ? V : 0;
}

void TZurEvoderOzod::SetDateTimes(int32_t ACol, int32_t ARow, TDateTime Value)
{
  if (Value <= 0 && !FShowNullDates) {
    SetCellEx(ACol, ARow, String());
    return;
  }
  SetCellEx(ACol, ARow, FormatDateTime(FormatSettings.ShortDateFormat + u' ' + FormatSettings.ShortTimeFormat, Value));
}

String TZurEvoderOzod::GetCellFloatFormat(int32_t ACol, int32_t ARow)
{
  String Fmt = FFloatFormat;
  bool IsFloat = false;
  if (OnGetFloatFormat) {
    String Asked = Fmt;
    OnGetFloatFormat(this, ACol, ARow, IsFloat, Asked);
    if (IsFloat)
      Fmt = Asked;
  }
  return Fmt;
}

// ---------------------------------------------------------------- all rows

String TZurEvoderOzod::GetCellsEx(int32_t ACol, int32_t ARow)
{
  if (ACol < 0 || ARow < 0)
    return String();
  const int32_t I = StoreIndexOf(ARow);
  if (I < 0)
    return GetCellEx(ACol, DisplRowIndex(ARow));
  TStringList* Items = StoredRow(FGridItems.get(), I)->Items();
  Pad(Items, ACol);
  String Value = Items->Strings(ACol);
  GetDisplText(ACol, ARow, Value);
  return Value;
}

void TZurEvoderOzod::SetCellsEx(int32_t ACol, int32_t ARow, const String& Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  const int32_t I = StoreIndexOf(ARow);
  if (I >= 0) {
    TStringList* Items = StoredRow(FGridItems.get(), I)->Items();
    Pad(Items, ACol);
    Items->SetStrings(ACol, Value);
    return;
  }
  SetCellEx(ACol, DisplRowIndex(ARow), Value);
  if (DisplColIndex(ACol) != ACol)
    RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
}

String TZurEvoderOzod::GetGridCellsEx(int32_t ACol, int32_t ARow)
{
  if (ACol < 0 || ARow < 0)
    return String();
  const int32_t I = StoreIndexOf(ARow);
  if (I < 0)
    return GetGridCell(ACol, DisplRowIndex(ARow));
  const TStringList* Items = StoredRow(FGridItems.get(), I)->Items();
  return ACol < Items->Count() ? Items->Strings(ACol) : String();
}

void TZurEvoderOzod::SetGridCellsEx(int32_t ACol, int32_t ARow, const String& Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  const int32_t I = StoreIndexOf(ARow);
  if (I >= 0) {
    TStringList* Items = StoredRow(FGridItems.get(), I)->Items();
    if (ACol < Items->Count())
      Items->SetStrings(ACol, Value);
    return;
  }
  SetGridCell(ACol, DisplRowIndex(ARow), Value);
  if (DisplColIndex(ACol) != ACol)
    RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
}

TObject* TZurEvoderOzod::GetAllGraphicsObject(int32_t ACol, int32_t ARow)
{
  if (ACol < 0 || ARow < 0)
    return nullptr;
  const int32_t I = StoreIndexOf(ARow);
  if (I < 0)
    return GetGridObject(ACol, DisplRowIndex(ARow));
  const TStringList* Items = StoredRow(FGridItems.get(), I)->Items();
  return ACol < Items->Count() ? Items->Objects(ACol) : nullptr;
}

TObject* TZurEvoderOzod::GetObjectsEx(int32_t ACol, int32_t ARow)
{
  if (StoreIndexOf(ARow) < 0)
    return GetObjectEx(ACol, DisplRowIndex(ARow));
  TObject* O = GetAllGraphicsObject(ACol, ARow);
  if (const auto* CP = dynamic_cast<TCellProperties*>(O))
    return reinterpret_cast<TObject*>(CP->Object());
  return O;
}

void TZurEvoderOzod::SetObjectsEx(int32_t ACol, int32_t ARow, TObject* Value)
{
  const int32_t I = StoreIndexOf(ARow);
  if (I < 0) {
    SetObjectEx(ACol, DisplRowIndex(ARow), Value);
    return;
  }
  TStringList* Items = StoredRow(FGridItems.get(), I)->Items();
  Pad(Items, ACol);
  auto* CP = dynamic_cast<TCellProperties*>(Items->Objects(ACol));
  if (!CP) {
    CP = new TCellProperties(this, ACol, ARow);
    Items->SetObjects(ACol, CP);
  }
  CP->SetObject(reinterpret_cast<uintptr_t>(Value));
}

String TZurEvoderOzod::GetOriginalCells(int32_t ACol, int32_t ARow)
{
  const int32_t I = FColumnOrder->IndexOf(ACol);
  return GetCellEx(I < 0 ? ACol : I, ARow);
}

void TZurEvoderOzod::SetOriginalCells(int32_t ACol, int32_t ARow, const String& Value)
{
  const int32_t I = FColumnOrder->IndexOf(ACol);
  SetCellEx(I < 0 ? ACol : I, ARow, Value);
}

// ---------------------------------------------------------------- row state

bool TZurEvoderOzod::RowModified(int32_t ARow) const
{
  return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->GetInteger(ARow) == 1;
}

void TZurEvoderOzod::SetRowModified(int32_t ARow, bool Value)
{
  if (ARow < 0)
    return;
  while (FModifiedRows->Count() <= ARow)
    FModifiedRows->Add(0);
  FModifiedRows->SetInteger(ARow, Value ? 1 : 0);
  RepaintCell(0, DisplRowIndex(ARow));
}

int32_t TZurEvoderOzod::ModifiedRowCount() const
{
  int32_t N = 0;
  for (int32_t I = 0; I < FModifiedRows->Count(); ++I)
    N += FModifiedRows->GetInteger(I) == 1 ? 1 : 0;
  return N;
}

bool TZurEvoderOzod::RowEnabled(int32_t ARow) const
{
  return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->GetInteger(ARow) == 0;
}

void TZurEvoderOzod::SetRowEnabled(int32_t ARow, bool Value)
{
  if (ARow < 0)
    return;
  // A row that is disabled stops being the current row, when another can
  // take its place.
  if (!Value && ARow == Row()) {
    for (int32_t R = FixedRows(); R < RowCount(); ++R)
      if (R != ARow && RowEnabled(R)) {
        TBaseGrid::FocusCell(Col(), R, true);
        break;
      }
  }
  FUseEnabledRows = true;
  while (FEnabledRows->Count() <= ARow)
    FEnabledRows->Add(0);
  FEnabledRows->SetInteger(ARow, Value ? 0 : 1);
  RepaintRow(ARow);
}

// ---------------------------------------------------------------- selection

void TZurEvoderOzod::GrowFlags(std::vector<uint8_t>& Flags, int32_t Count)
{
  if (Count > static_cast<int32_t>(Flags.size()))
    Flags.resize(static_cast<size_t>(Count), 0);
}

bool TZurEvoderOzod::RowSelected(int32_t ARow) const
{
  return ARow >= 0 && ARow < static_cast<int32_t>(FRowSelect.size()) && FRowSelect[static_cast<size_t>(ARow)];
}

bool TZurEvoderOzod::ColSelected(int32_t ACol) const
{
  return ACol >= 0 && ACol < static_cast<int32_t>(FColSelect.size()) && FColSelect[static_cast<size_t>(ACol)];
}

void TZurEvoderOzod::SetSelectionEx(const TGridRect& Value)
{
  FSelHidden = false;
  SetSelection(Value);
  // The fixed cells of the active row and column are highlighted: the old
  // ones and the new ones need painting.
  if (FActiveCellShow) {
    InvalidateRow(0);
    InvalidateCol(0);
  }
  if (ActiveRowShow())
    RepaintRow(Value.Bottom);
}

bool TZurEvoderOzod::RowSelect(int32_t ARow)
{
  if ((ARow >= RowCount() + NumHiddenRows() || ARow < 0) && !FMouseActions->RowSelectPersistent())
    throw ERurGridError(QStringLiteral("Invalid row ") + IntToStr(ARow) + QStringLiteral(" accessed"));
  if (FMouseActions->DisjunctRowSelect()) {
    if (ARow >= static_cast<int32_t>(FRowSelect.size()))
      GrowFlags(FRowSelect, RowCount());
    return RowSelected(ARow);
  }
  const TGridRect S = Selection();
  return ARow >= std::min(S.Top, S.Bottom) && ARow <= std::max(S.Top, S.Bottom);
}

void TZurEvoderOzod::SetRowSelect(int32_t ARow, bool Value)
{
  FRowSelMod = false;
  if ((ARow >= RowCount() + NumHiddenRows() && FixedRows() < RowCount()) || ARow < 0)
    throw ERurGridError(QStringLiteral("Invalid row accessed"));
  const bool Was = RowSelected(ARow);
  const bool Changes = ARow >= static_cast<int32_t>(FRowSelect.size()) || Was != Value;
  if (Changes && OnRowDisjunctSelect) {
    bool Allow = true;
    OnRowDisjunctSelect(this, ARow, Value, Allow);
    if (!Allow)
      return;
  }
  GrowFlags(FRowSelect, ARow + 1);
  if (Was != Value)
    RepaintRow(ARow);
  FRowSelMod = Was != Value;
  FRowSelect[static_cast<size_t>(ARow)] = Value ? 1 : 0;
  const bool Listed = FSelectedRows->IndexOf(ARow) >= 0;
  bool ListChanged = false;
  if (Value && !Listed && ARow >= FixedRows()) {
    FSelectedRows->Add(ARow);
    ListChanged = true;
  } else if (!Value && Listed) {
    FSelectedRows->DeleteValue(ARow);
    ListChanged = true;
  }
  if (ListChanged && ARow == Row() && FMouseActions->DisjunctRowSelect() && !FBlockCellChanging && OnSelectionChanged)
    OnSelectionChanged(this, 0, ARow, ColCount() - 1, ARow);
  if (FShowFocusedSelectionColor)
    Invalidate();
  if (Changes && OnRowDisjunctSelected)
    OnRowDisjunctSelected(this, ARow);
}

bool TZurEvoderOzod::ColSelect(int32_t ACol)
{
  if (ACol < 0 || ACol >= ColCount() + FNumHidden)
    throw ERurGridError(QStringLiteral("Invalid column accessed"));
  GrowFlags(FColSelect, ACol + 1);
  return ColSelected(ACol);
}

void TZurEvoderOzod::SetColSelect(int32_t ACol, bool Value)
{
  if (ACol < 0 || ACol >= ColCount())
    throw ERurGridError(QStringLiteral("Invalid column accessed"));
  const bool Was = ColSelected(ACol);
  const bool Changes = ACol >= static_cast<int32_t>(FColSelect.size()) || Was != Value;
  if (Changes && OnColDisjunctSelect) {
    bool Allow = true;
    OnColDisjunctSelect(this, ACol, Value, Allow);
    if (!Allow)
      return;
  }
  GrowFlags(FColSelect, ACol + 1);
  if (Was != Value)
    RepaintCol(ACol);
  FColSelect[static_cast<size_t>(ACol)] = Value ? 1 : 0;
  if (Changes && OnColDisjunctSelected)
    OnColDisjunctSelected(this, ACol);
}

void TZurEvoderOzod::SelectRows(int32_t RowIndex, int32_t RCount)
{
  RCount = std::min(RCount, RowCount() - RowIndex);
  if (FMouseActions->DisjunctRowSelect()) {
    for (int32_t R = RowIndex; R < RowIndex + RCount && R < RowCount(); ++R)
      SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R, true);
  } else if (RCount > 0) {
    SetSelectionEx(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
  }
  if (!FRowIndicator->Empty())
    RepaintCol(0);
  FSelChange = false;
}

void TZurEvoderOzod::UnSelectRows(int32_t RowIndex, int32_t RCount)
{
  if (FMouseActions->DisjunctRowSelect())
    for (int32_t R = RowIndex; R < RowIndex + RCount && R < RowCount(); ++R)
      SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R, false);
  FSelChange = false;
}

void TZurEvoderOzod::SelectAll() { SelectRows(FixedRows(), RowCount() - FixedRows()); }

void TZurEvoderOzod::SelectCols(int32_t ColIndex, int32_t CCount)
{
  if (FMouseActions->DisjunctColSelect()) {
    for (int32_t C = ColIndex; C < ColIndex + CCount && C < ColCount(); ++C)
      SetColSelect(C, true);
  } else if (CCount > 0) {
    SetSelectionEx(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
  }
}

void TZurEvoderOzod::UnSelectCols(int32_t ColIndex, int32_t CCount)
{
  if (FMouseActions->DisjunctColSelect())
    for (int32_t C = ColIndex; C < ColIndex + CCount && C < ColCount(); ++C)
      SetColSelect(C, false);
}

void TZurEvoderOzod::SelectRange(int32_t FromCol, int32_t ToCol, int32_t FromRow, int32_t ToRow)
{
  // The anchor at the first corner, the current cell at the second.
  SetSelectionEx(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TZurEvoderOzod::ClearRowSelectInt()
{
  for (size_t I = 0; I < FRowSelect.size(); ++I) {
    if (!FRowSelect[I])
      continue;
    const auto R = static_cast<int32_t>(I);
    RepaintRow(R);
    FRowSelect[I] = 0;
    if (OnRowDisjunctSelected)
      OnRowDisjunctSelected(this, R);
  }
  FSelectedRows->Clear();
}

void TZurEvoderOzod::ClearRowSelect()
{
  ClearRowSelectInt();
  if (!FMouseActions->DisjunctRowSelect())
    HideSelection();
  Invalidate();
}

void TZurEvoderOzod::ClearColSelect()
{
  for (size_t I = 0; I < FColSelect.size(); ++I) {
    if (!FColSelect[I])
      continue;
    const auto C = static_cast<int32_t>(I);
    RepaintCol(C);
    FColSelect[I] = 0;
    if (OnColDisjunctSelected)
      OnColDisjunctSelected(this, C);
  }
}

bool TZurEvoderOzod::SelectToRowSelect(bool All)
{
  const TGridRect S = Selection();
  if (S.Top == FDisSelection.Top)
    return false;
  const int32_t Bottom = std::min(S.Bottom, RowCount() - FFixedFooters - 1);
  bool Changed = false;
  for (int32_t R = FixedRows(); R < RowCount(); ++R) {
    const bool Inside = R >= S.Top && R <= Bottom;
    if (!Inside && !All)
      continue;
    SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(R) : R, Inside);
    Changed = Changed || FRowSelMod;
  }
  if (NumHiddenRows() > 0)
    Invalidate();
  FDisSelection = Selection();
  return Changed;
}

void TZurEvoderOzod::SelectToColSelect(bool All)
{
  const TGridRect S = Selection();
  for (int32_t C = FixedCols(); C < ColCount(); ++C) {
    const bool Inside = C >= S.Left && C <= S.Right;
    if (Inside || All)
      SetColSelect(C, Inside);
  }
}

int32_t TZurEvoderOzod::RowSelectCount()
{
  if (FMouseActions->DisjunctRowSelect()) {
    const int32_t N = std::min<int32_t>(RowCount() + NumHiddenRows(), static_cast<int32_t>(FRowSelect.size()));
    return static_cast<int32_t>(std::count(FRowSelect.begin(), FRowSelect.begin() + N, 1));
  }
  if (!(Options() & GridOptionBit(goRowSelect)))
    return 0;
  const TGridRect S = Selection();
  return std::abs(S.Bottom - S.Top) + (S.Top < RowCount() ? 1 : 0);
}

int32_t TZurEvoderOzod::ColSelectCount()
{
  if (FMouseActions->DisjunctColSelect())
    return static_cast<int32_t>(std::count(FColSelect.begin(), FColSelect.end(), 1));
  const TGridRect S = Selection();
  return S.Right - S.Left + 1;
}

void TZurEvoderOzod::GotoCell(int32_t ACol, int32_t ARow)
{
  SetRow(ARow);
  SetCol(ACol);
}

void TZurEvoderOzod::GotoCellInt(int32_t ACol, int32_t ARow) { TBaseGrid::FocusCell(ACol, ARow, true); }

void TZurEvoderOzod::FocusCell(int32_t ACol, int32_t ARow)
{
  FSelHidden = false;
  TBaseGrid::FocusCell(ACol, ARow, true);
  FDisSelection = Selection();
  FAECol = FAERow = -1;
}

TStringList* TZurEvoderOzod::DistinctValues(int32_t ACol, bool CaseSensitive)
{
  std::vector<String> Values;
  auto Take = [&](const String& Text) {
    const String V = Trim(Text);
    const Qt::CaseSensitivity CS = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (const String& Known : Values)
      if (Known.compare(V, CS) == 0)
        return;
    Values.push_back(V);
  };
  for (int32_t R = FixedRows(); R < RowCount() - FFixedFooters; ++R)
    Take(GetCellEx(ACol, R));
  for (int32_t I = 0; I < FGridItems->Count(); ++I) {
    const TStringList* Items = StoredRow(FGridItems.get(), I)->Items();
    Take(ACol < Items->Count() ? Items->Strings(ACol) : String());
  }
  auto* List = new TStringList();
  for (const String& V : Values)
    List->Add(V);
  List->Sort();
  return List;
}
