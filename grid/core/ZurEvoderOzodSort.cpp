// Row sorting of the string grid: cell and row comparison, the partition,
// the whole-grid sorts with their set-up, unsorting, and the sort a header
// click asks for.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridSettings.h"
#include "grid/core/SortCompare.h"
#include "grid/base/GridBehaviour.h"
#include "platform/Clock.h"
#include "platform/StringGridCells.h"
#include "rtl/StringList.h"

#include <QScopeGuard>

#include <algorithm>
#include <bit>
#include <exception>
#include <memory>
#include <tuple>
#include <vector>

namespace {

int32_t Sign3(int64_t A, int64_t B) { return A < B ? -1 : (B < A ? 1 : 0); }

constexpr int32_t ScratchRows = 3;

bool IsCheckType(TCellType T)
{
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

} // namespace

struct TZurEvoderOzod::TSortScheme {
  int32_t (TZurEvoderOzod::*Cmp)(int32_t, int32_t, int32_t);
  int32_t Arg;
  // Cmp(Arg, A, B) == After: row A belongs after row B.
  int32_t After;
  // Rows that compare equal are exchanged too (the index sort does).
  bool SwapEqual;
  // The pivot is read where it lies instead of from a copy in the scratch
  // row, so that a raw comparison handler reading display texts sees a row
  // of the grid.
  bool PivotInPlace;
};

// ---------------------------------------------------------------- comparison

int32_t TZurEvoderOzod::Compare(int32_t ACol, int32_t ARow1, int32_t ARow2, TSortDirection SortDir)
{
  ++Compares;
  const TSortSettings* S = FSortSettings.get();
  TSortStyle Style = S->AutoFormat() ? ssAutomatic : (S->IgnoreCase() ? ssAlphaNoCase : S->DefaultFormat());
  TSortTextOptions Options;
  Options.IgnoreCase = S->IgnoreCase();
  GetColFormat(ACol, Style, Options.Prefix, Options.Suffix);

  const bool Virtual = S->SortOnVirtualCells();
  const bool Memo1 = Style == ssAutomatic && PivotMemoHolds(ACol, ARow1, Options);
  const bool Memo2 = Style == ssAutomatic && PivotMemoHolds(ACol, ARow2, Options);
  auto Read = [&](int32_t ARow) { return Virtual ? GetCellEx(ACol, ARow) : GetGridCell(ACol, ARow); };
  String S1 = Memo1 ? FPivotMemoText : Read(ARow1);
  String S2 = Memo2 ? FPivotMemoText : Read(ARow2);
  bool Empty1 = S1.isEmpty(), Empty2 = S2.isEmpty();
  int32_t Res = 0;

  switch (Style) {
  case ssAutomatic:
  case ssCheckBox: {
    bool State1 = false, State2 = false;
    const bool Check1 = !Memo1 && GetCheckBoxState(ACol, ARow1, State1);
    const bool Check2 = !Memo2 && GetCheckBoxState(ACol, ARow2, State2);
    if (Style == ssCheckBox || (Check1 && Check2)) {
      Res = Sign3(State1, State2);
    } else if (Check1 != Check2) {
      Res = Check1 ? 1 : -1; // check boxes after texts, whichever cell comes first
    } else {
      const TSortKey K1 = Memo1 ? FPivotMemoKey : AutomaticSortKey(S1, Options);
      const TSortKey K2 = Memo2 ? FPivotMemoKey : AutomaticSortKey(S2, Options);
      for (const auto& [Row, Text, Key, Held] : {std::tuple(ARow1, S1, K1, Memo1), std::tuple(ARow2, S2, K2, Memo2)})
        if (!Held && Row >= FNormalRowCount && !FCells->Object(ACol, Row)) {
          FPivotMemoRow = Row;
          FPivotMemoCol = ACol;
          FPivotMemoText = Text;
          FPivotMemoKey = Key;
          FPivotMemoOptions = Options;
        }
      Res = CompareAutomaticKeys(K1, K2, S1, S2, Options.IgnoreCase);
    }
    break;
  }
  case ssCustom:
    if (OnCustomCompare)
      OnCustomCompare(this, S1, S2, Res);
    Res = Sign3(Res, 0); // the partition tests for exactly -1 and 1
    break;
  case ssRaw:
    if (OnRawCompare)
      OnRawCompare(this, ACol, ARow1, ARow2, Res);
    Res = Sign3(Res, 0);
    break;
  case ssHTML:
    S1 = GetStrippedCell(ACol, ARow1);
    S2 = GetStrippedCell(ACol, ARow2);
    Res = CompareSortTexts(ssAlphabetic, S1, S2, Options, Empty1, Empty2);
    break;
  case ssImages:
    Res = Sign3(GetCellImageIdx(ACol, ARow1), GetCellImageIdx(ACol, ARow2));
    break;
  default:
    Res = CompareSortTexts(Style, S1, S2, Options, Empty1, Empty2);
    break;
  }

  // Blanks go where BlankPos says in either direction: the partition turns
  // a descending result, so it is turned here first.
  if (S->IgnoreBlanks() && Empty1 != Empty2) {
    const int32_t First = S->BlankPos() == blFirst ? -1 : 1;
    Res = Empty1 ? First : -First;
    if (SortDir == sdDescending)
      Res = -Res;
  }
  return Res;
}

bool TZurEvoderOzod::PivotMemoHolds(int32_t ACol, int32_t ARow, const TSortTextOptions& Options) const
{
  return ARow == FPivotMemoRow && ACol == FPivotMemoCol && Options.IgnoreCase == FPivotMemoOptions.IgnoreCase &&
         Options.Prefix == FPivotMemoOptions.Prefix && Options.Suffix == FPivotMemoOptions.Suffix;
}

int32_t TZurEvoderOzod::CompareLine(int32_t ACol, int32_t ARow1, int32_t ARow2)
{
  const bool Full = FSortSettings->Full();
  const int32_t Last = TotalColCount() - 1;
  for (int32_t C = ACol;; ++C) {
    const int32_t Res = IsIgnoredColumn(C) ? 0 : Compare(C, ARow1, ARow2, FSortSettings->Direction());
    if (Res != 0 || !Full || C >= Last)
      return Res;
  }
}

int32_t TZurEvoderOzod::CompareLineIndexed(int32_t Index, int32_t ARow1, int32_t ARow2)
{
  const int32_t Count = FSortIndexes->Count();
  for (int32_t I = Index; I < Count; ++I) {
    const int32_t Col = FSortIndexes->SortColumns(I);
    const bool Descending = !FSortIndexes->SortDirections(I);
    const int32_t Res = IsIgnoredColumn(Col) ? 0 : Compare(Col, ARow1, ARow2, Descending ? sdDescending : sdAscending);
    if (Res != 0)
      return Descending ? -Res : Res;
    if (!FSortSettings->Full())
      return 0;
  }
  return 0;
}

TColumnType TZurEvoderOzod::ColumnType(int32_t ACol)
{
  const int32_t R1 = FixedRows(), R2 = FixedRows() + 1;
  if (HasCheckBox(ACol, R1) && HasCheckBox(ACol, R2))
    return ctBoolean;
  const TAutoType T1 = IsType(GetCellEx(ACol, R1)), T2 = IsType(GetCellEx(ACol, R2));
  if (T1 != T2)
    return ctAlpha;
  switch (T1) {
  case atNumeric:
    return ctNumeric;
  case atFloat:
    return ctFloat;
  case atDate:
    return ctDate;
  case atTime:
    return ctTime;
  default:
    return ctAlpha;
  }
}

bool TZurEvoderOzod::SortLine(int32_t Col, int32_t ARow1, int32_t ARow2)
{
  const int32_t Last = TotalColCount() - 1;
  for (int32_t C = Col;; ++C) {
    const int32_t Res = Compare(C, ARow1, ARow2, FSortSettings->Direction());
    if (Res == SortDir) {
      SortSwapRows(ARow1, ARow2);
      return true;
    }
    if (Res != 0 || C >= Last)
      return false;
  }
}

// ---------------------------------------------------------------- exchanging rows

void TZurEvoderOzod::SortSwapRows(int32_t ARow1, int32_t ARow2)
{
  ++FSwaps;
  if (ARow1 == ARow2)
    return;
  if (FSortRowXRef && std::max(ARow1, ARow2) < FSortRowXRef->Count() && std::min(ARow1, ARow2) >= 0)
    FSortRowXRef->Exchange(ARow1, ARow2);
  if (FUseEnabledRows)
    ExchangeMarks(*FEnabledRows, ARow1, ARow2);
  if (FSortSettings->SingleColumn()) {
    int32_t Col = FSortSettings->Column();
    if (FSortSettings->IndexShow() && Col < 0 && FSortIndexes->Count() > 0)
      Col = FSortIndexes->SortColumns(0);
    const String T = FCells->Cell(Col, ARow1);
    TObject* O = FCells->Object(Col, ARow1);
    FCells->SetCell(Col, ARow1, FCells->Cell(Col, ARow2));
    FCells->SetObject(Col, ARow1, FCells->Object(Col, ARow2));
    FCells->SetCell(Col, ARow2, T);
    FCells->SetObject(Col, ARow2, O);
    return;
  }
  FCells->ExchangeRows(ARow1, ARow2);
  const int32_t H1 = RowHeights(ARow1), H2 = RowHeights(ARow2);
  if (H1 != H2) {
    SetRowHeights(ARow1, H2);
    SetRowHeights(ARow2, H1);
  }
  if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
    const int32_t R1 = NumHiddenRows() > 0 ? RealRowIndex(ARow1) : ARow1;
    const int32_t R2 = NumHiddenRows() > 0 ? RealRowIndex(ARow2) : ARow2;
    GrowFlags(FRowSelect, std::max(R1, R2) + 1);
    std::swap(FRowSelect[static_cast<size_t>(R1)], FRowSelect[static_cast<size_t>(R2)]);
    // The list of selected rows names the rows the marks now stand on.
    for (int32_t I = 0; I < FSelectedRows->Count(); ++I) {
      const int32_t R = FSelectedRows->GetInteger(I);
      if (R == R1 || R == R2)
        FSelectedRows->SetInteger(I, R == R1 ? R2 : R1);
    }
  }
  if (FShowModified->Enabled())
    ExchangeMarks(*FModifiedRows, ARow1, ARow2);
  if (SortRow == ARow1)
    SortRow = ARow2;
  else if (SortRow == ARow2)
    SortRow = ARow1;
}

// Rows beyond a mark list's end count as 0 (enabled, not modified).
void TZurEvoderOzod::ExchangeMarks(TIntList& Marks, int32_t ARow1, int32_t ARow2)
{
  while (Marks.Count() <= std::max(ARow1, ARow2))
    Marks.Add(0);
  Marks.Exchange(ARow1, ARow2);
}

void TZurEvoderOzod::InitSortXRef()
{
  if (!FSortRowXRef)
    FSortRowXRef = std::make_unique<TIntList>(-1, -1);
  FSortRowXRef->Clear();
  for (int32_t R = 0; R < RowCount(); ++R)
    FSortRowXRef->Add(R);
}

// The pivot row shares the cell objects of the row it copies: the scratch
// rows are cleared without freeing them.
void TZurEvoderOzod::CopyPivotRow(int32_t From, int32_t To)
{
  FPivotMemoRow = -1;
  const int32_t Cols = TotalColCount();
  if (OnGetDisplText && FSortSettings->SortOnVirtualCells()) {
    // The copy lies below the rows that get display texts: it takes them
    // now, as texts.
    for (int32_t C = 0; C < Cols; ++C) {
      FCells->SetCell(C, To, GetCellEx(C, From));
      FCells->SetObject(C, To, FCells->Object(C, From));
    }
    return;
  }
  TStringList Row;
  FCells->GetRow(From, Cols, Row);
  FCells->SetRow(To, Cols, Row);
}

// ---------------------------------------------------------------- the partition

int32_t TZurEvoderOzod::PartitionRange(const TSortScheme& Scheme, int32_t Start, int32_t End, int32_t& J)
{
  const int32_t Mid = Start + (End - Start) / 2;
  int32_t Pivot = Mid;
  if (!Scheme.PivotInPlace) {
    Pivot = RowCount() - 2;
    CopyPivotRow(Mid, Pivot);
  }
  auto Cmp = [this, &Scheme](int32_t A, int32_t B) { return (this->*Scheme.Cmp)(Scheme.Arg, A, B); };
  int32_t I = Start;
  J = End;
  do {
    while (I < End && Cmp(Pivot, I) == Scheme.After)
      ++I;
    while (J > Start && Cmp(J, Pivot) == Scheme.After)
      --J;
    if (I <= J) {
      if (I != J && (Scheme.SwapEqual || Cmp(I, J) != 0)) {
        SortSwapRows(I, J);
        // A pivot read in place follows its row.
        if (Pivot == I)
          Pivot = J;
        else if (Pivot == J)
          Pivot = I;
      }
      ++I;
      --J;
    }
  } while (I <= J);
  return I;
}

void TZurEvoderOzod::HeapSortRange(const TSortScheme& Scheme, int32_t Start, int32_t End)
{
  // Later(A, B): row A belongs after row B.
  auto Later = [this, &Scheme](int32_t A, int32_t B) { return (this->*Scheme.Cmp)(Scheme.Arg, A, B) == Scheme.After; };
  const int32_t N = End - Start + 1;
  auto SiftDown = [&](int32_t Root, int32_t Size) {
    for (;;) {
      int32_t Child = 2 * Root + 1;
      if (Child >= Size)
        return;
      if (Child + 1 < Size && Later(Start + Child + 1, Start + Child))
        ++Child;
      if (!Later(Start + Child, Start + Root))
        return;
      SortSwapRows(Start + Root, Start + Child);
      Root = Child;
    }
  };
  for (int32_t Root = N / 2 - 1; Root >= 0; --Root)
    SiftDown(Root, N);
  for (int32_t Size = N - 1; Size > 0; --Size) {
    SortSwapRows(Start, Start + Size);
    SiftDown(0, Size);
  }
}

void TZurEvoderOzod::SortRange(const TSortScheme& Scheme, int32_t Start, int32_t End)
{
  struct TRange {
    int32_t Start, End, Levels;
  };
  auto Budget = [](int32_t Size) { return 2 * static_cast<int32_t>(std::bit_width(static_cast<uint32_t>(Size))); };
  // The larger part of each partition waits here while the smaller one is
  // sorted: at most log2(n) ranges wait at any time.
  std::vector<TRange> Waiting;
  if (Start < End)
    Waiting.push_back({Start, End, Budget(End - Start + 1)});
  while (!Waiting.empty()) {
    TRange R = Waiting.back();
    Waiting.pop_back();
    while (R.Start < R.End) {
      if (R.Levels == 0) {
        // Partitions that keep splitting off a few rows: a comparison or an
        // input that defeats the middle pivot.
        HeapSortRange(Scheme, R.Start, R.End);
        break;
      }
      int32_t J = 0;
      const int32_t I = PartitionRange(Scheme, R.Start, R.End, J);
      const TRange Left{R.Start, J, R.Levels - 1}, Right{I, R.End, R.Levels - 1};
      const bool LeftSmaller = J - R.Start < R.End - I;
      const TRange& Small = LeftSmaller ? Left : Right;
      const TRange& Large = LeftSmaller ? Right : Left;
      if (Large.Start < Large.End)
        Waiting.push_back(Large);
      R = Small;
    }
  }
}

void TZurEvoderOzod::QuickSortRows(int32_t ACol, int32_t Start, int32_t End)
{
  SortDir = FSortSettings->Direction() == sdDescending ? -1 : 1;
  const bool InPlace = FSortSettings->SortOnVirtualCells() && OnGetDisplText && OnRawCompare;
  SortRange({&TZurEvoderOzod::CompareLine, ACol, SortDir, false, InPlace}, Start, End);
}

void TZurEvoderOzod::QuickSortRowsIndexed(int32_t Index, int32_t Start, int32_t End)
{
  SortRange({&TZurEvoderOzod::CompareLineIndexed, Index, 1, true, false}, Start, End);
}

void TZurEvoderOzod::ApplyRowOrder(int32_t Start, const std::vector<int32_t>& Order)
{
  const int32_t N = static_cast<int32_t>(Order.size());
  // At[p]: which of the rows (numbered by where they stood) lies at Start+p;
  // Where[r]: where row r lies now.
  std::vector<int32_t> At(static_cast<size_t>(N)), Where(static_cast<size_t>(N));
  for (int32_t K = 0; K < N; ++K)
    At[static_cast<size_t>(K)] = Where[static_cast<size_t>(K)] = K;
  for (int32_t K = 0; K < N; ++K) {
    const int32_t Row = Order[static_cast<size_t>(K)] - Start;
    const int32_t P = Where[static_cast<size_t>(Row)];
    if (P == K)
      continue;
    SortSwapRows(Start + K, Start + P);
    const int32_t Displaced = At[static_cast<size_t>(K)];
    At[static_cast<size_t>(P)] = Displaced;
    Where[static_cast<size_t>(Displaced)] = P;
    At[static_cast<size_t>(K)] = Row;
    Where[static_cast<size_t>(Row)] = K;
  }
}

void TZurEvoderOzod::QuickSortRowsRef(int32_t, int32_t Start, int32_t End)
{
  if (!FUnSortRowXRef)
    return;
  // Rows without an entry (added since the reference was made) stay put.
  End = std::min(End, FUnSortRowXRef->Count() - 1);
  if (Start >= End)
    return;
  std::vector<int32_t> Order;
  Order.reserve(static_cast<size_t>(End - Start + 1));
  for (int32_t R = Start; R <= End; ++R)
    Order.push_back(R);
  const TIntList& Ref = *FUnSortRowXRef;
  std::stable_sort(Order.begin(), Order.end(),
                   [&Ref](int32_t A, int32_t B) { return Ref.GetInteger(A) < Ref.GetInteger(B); });
  ApplyRowOrder(Start, Order);
  std::vector<int32_t> Values;
  for (int32_t R : Order)
    Values.push_back(Ref.GetInteger(R));
  for (int32_t K = 0; K < static_cast<int32_t>(Values.size()); ++K)
    FUnSortRowXRef->SetInteger(Start + K, Values[static_cast<size_t>(K)]);
}

// ---------------------------------------------------------------- sorting with set-up

void TZurEvoderOzod::RunSetUpSort(int32_t Left, int32_t Right, const TSortScheme& Scheme)
{
  SetRowCount(RowCount() + ScratchRows);
  const auto Shrink = qScopeGuard([this] {
    // The pivot copy shares its row's cell objects.
    FNilObjects = true;
    ClearRows(RowCount() - 2, 2);
    FNilObjects = false;
    SetRowCount(RowCount() - ScratchRows);
  });
  if (Scheme.Cmp == &TZurEvoderOzod::CompareLine)
    QuickSortRows(Scheme.Arg, Left, Right);
  else
    QuickSortRowsIndexed(Scheme.Arg, Left, Right);
}

void TZurEvoderOzod::QuickSort(int32_t Col, int32_t Left, int32_t Right)
{
  RunSetUpSort(Left, Right, {&TZurEvoderOzod::CompareLine, Col, 1, false, false});
}

void TZurEvoderOzod::QuickSortIndexed(int32_t Left, int32_t Right)
{
  RunSetUpSort(Left, Right, {&TZurEvoderOzod::CompareLineIndexed, 0, 1, true, false});
}

void TZurEvoderOzod::RunFullSort(bool Indexed)
{
  TSortSettings* S = FSortSettings.get();
  std::unique_ptr<TStringList> Column0;
  if (S->NormalCellsOnly() && FixedCols() > 0) {
    Column0 = std::make_unique<TStringList>();
    GetCols(0, *Column0);
  }
  const int32_t OldTop = TopRow();
  const bool OldClearTextOnly = FClearTextOnly;
  const bool FooterVisible = FFloatingFooter->Visible();
  const int32_t OldFixedFooters = FFixedFooters;
  if (!Indexed) {
    FClearTextOnly = false;
    FFloatingFooter->SetVisible(false);
  }
  BeginUpdate();
  const int32_t OldMaxRowCount = FMaxRowCount;
  const int32_t OldRow = Row();
  const bool MoveRow = FNavigation->MoveRowOnSort();
  bool Grown = false, Completed = false;

  const auto Restore = qScopeGuard([&] {
    if (Grown)
      SetRowCount(RowCount() - ScratchRows);
    FMaxRowCount = OldMaxRowCount;
    if (Completed && !Indexed && OnRowUpdate && !MoveRow)
      OnRowUpdate(this, OldRow, Row());
    if (Column0)
      SetCols(0, *Column0);
    if (FNavigation->KeepScrollOnSort())
      SetTopRow(OldTop);
    if (!Indexed) {
      FFloatingFooter->SetVisible(FooterVisible);
      FClearTextOnly = OldClearTextOnly;
    }
    FFixedFooters = OldFixedFooters;
    EndUpdate();
  });

  SetRowCount(RowCount() + ScratchRows);
  Grown = true;
  // Rows beyond the count can still hold cells of an earlier, larger grid.
  ClearRows(RowCount() - ScratchRows, ScratchRows);
  FNormalRowCount = RowCount() - ScratchRows;
  FPivotMemoRow = -1;
  SortRow = Row();
  const bool Park = MoveRow && (Indexed || !FMouseActions->DisjunctRowSelect());
  if (Park) {
    // The current cell waits below the rows being sorted, so that no row
    // change is reported while its data moves.
    FBlockCellChanging = true;
    const auto Unblock = qScopeGuard([this] { FBlockCellChanging = false; });
    SetRow(RowCount() - (Indexed ? ScratchRows : ScratchRows + 1));
  }

  const int32_t Last = RowCount() - FFixedFooters - ScratchRows - 1;
  if (Indexed)
    QuickSortRowsIndexed(0, FixedRows(), Last);
  else
    QuickSortRows(S->Column(), FixedRows(), Last);

  FNilObjects = true;
  ClearRows(RowCount() - ScratchRows, ScratchRows);
  FNilObjects = false;
  FPivotMemoRow = -1;

  if (MoveRow) {
    if (Park) {
      FBlockCellChanging = true;
      const auto Unblock = qScopeGuard([this] { FBlockCellChanging = false; });
      SetRow(SortRow);
    }
    if (!Indexed && SortRow != OldRow && OnRowChanging) {
      bool Allow = true; // told, not asked: the data has moved already
      OnRowChanging(this, OldRow, SortRow, Allow);
    }
  } else if (OldRow >= FixedRows() && (Indexed || !FMouseActions->DisjunctRowSelect())) {
    SetRow(OldRow);
  }
  Completed = true;
}

void TZurEvoderOzod::QSort()
{
  if (FSortSettings->Column() < 0)
    return;
  if (!FSortRowXRef || FSortRowXRef->Count() != RowCount())
    InitSortXRef();
  FSortIndexes->Clear();
  RunFullSort(false);
}

void TZurEvoderOzod::QSortIndexed()
{
  if (!FSortRowXRef || FSortRowXRef->Count() != RowCount())
    InitSortXRef();
  if (FSortIndexes->Count() == 0)
    throw ERurGridError(QStringLiteral("No indexes specified for indexed sort"));
  RunFullSort(true);
}

void TZurEvoderOzod::QUnSort()
{
  if (!FSortRowXRef || FSortRowXRef->Count() == 0)
    return;
  if (!FUnSortRowXRef)
    FUnSortRowXRef = std::make_unique<TIntList>(-1, -1);
  FUnSortRowXRef->Assign(*FSortRowXRef);
  std::unique_ptr<TStringList> Column0;
  if (FSortSettings->NormalCellsOnly() && FixedCols() > 0) {
    Column0 = std::make_unique<TStringList>();
    GetCols(0, *Column0);
  }
  BeginUpdate();
  const auto Restore = qScopeGuard([&] {
    if (Column0)
      SetCols(0, *Column0);
    EndUpdate();
  });
  QuickSortRowsRef(0, 0, RowCount() - 1);
  if (FSortSettings->IndexShow())
    FSortIndexes->Clear();
  FSortSettings->SetColumn(-1);
}

void TZurEvoderOzod::Sort(int32_t Column, TSortDirection Direction)
{
  FSortSettings->SetColumn(Column);
  FSortSettings->SetDirection(Direction);
  QSort();
  CellControlsUpdate(true);
}

void TZurEvoderOzod::SortByColumn(int32_t Col)
{
  if (RowCount() <= 1)
    return;
  FSortSettings->SetColumn(Col);
  QSort();
}

void TZurEvoderOzod::SortByHeaderClick(int32_t RC, bool IndexKeyDown)
{
  TSortSettings* S = FSortSettings.get();
  if (!FSortRowXRef || FSortRowXRef->Count() != RowCount())
    InitSortXRef();
  const int32_t OldLeft = LeftCol();
  const bool HoldView = FNavigation->KeepHorizScroll() && (Options() & GridOptionBit(goRowSelect));
  if (HoldView)
    BeginUpdate();
  const auto Restore = qScopeGuard([&] {
    SetLeftCol(OldLeft);
    if (HoldView)
      EndUpdate();
  });
  const uint32_t Started = TimeGetTime();
  if (S->IndexShow()) {
    const bool Ascending = S->InitSortDirection() == sdAscending;
    if (IndexKeyDown) {
      if (FSortIndexes->FindIndex(RC) < 0)
        FSortIndexes->AddIndex(RC, Ascending);
      else
        FSortIndexes->ToggleIndex(RC);
    } else if (FSortIndexes->Count() == 1 && FSortIndexes->SortColumns(0) == RC) {
      FSortIndexes->ToggleIndex(RC);
    } else {
      FSortIndexes->Clear();
      FSortIndexes->AddIndex(RC, Ascending);
    }
    QSortIndexed();
    S->SetColumn(FSortIndexes->Count() > 0 ? (FSortIndexes->SortColumns(0) & 0xFFFF) : -1);
  } else {
    bool Undo = false;
    if (S->Column() == RC) {
      Undo = S->Direction() != S->InitSortDirection() && S->UndoSort();
      S->ToggleDirection();
    } else {
      S->SetDirection(S->InitSortDirection());
      S->SetColumn(RC);
    }
    if (Undo) {
      QUnSort();
      S->SetColumn(-1);
    } else {
      QSort();
    }
  }
  SortTime = TimeGetTime() - Started;
}
