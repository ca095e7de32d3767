#include "platform/StringGridCells.h"

#include "rtl/StringList.h"

#include <algorithm>
#include <iterator>

namespace {

// Moves element From of V to position To, shifting those between; V grows
// with empty elements when either index lies beyond its end.
template <class T>
void MoveElement(std::vector<T>& V, int32_t From, int32_t To)
{
  const size_t Need = static_cast<size_t>(std::max(From, To)) + 1;
  if (V.size() < Need)
    V.resize(Need);
  if (From < To)
    std::rotate(V.begin() + From, V.begin() + From + 1, V.begin() + To + 1);
  else
    std::rotate(V.begin() + To, V.begin() + From, V.begin() + From + 1);
}

} // namespace

TStringGridCells::TStringGridCells() = default;
TStringGridCells::~TStringGridCells() = default;

const TStringGridCells::TSlot* TStringGridCells::Find(int32_t ACol, int32_t ARow) const
{
  if (ACol < 0 || ARow < 0 || ARow >= static_cast<int32_t>(FRows.size()) || !FRows[ARow])
    return nullptr;
  const TRowCells& Row = *FRows[ARow];
  return ACol < static_cast<int32_t>(Row.size()) ? &Row[ACol] : nullptr;
}

TStringGridCells::TSlot* TStringGridCells::Slot(int32_t ACol, int32_t ARow)
{
  if (ARow >= static_cast<int32_t>(FRows.size()))
    FRows.resize(static_cast<size_t>(ARow) + 1);
  std::unique_ptr<TRowCells>& Row = FRows[ARow];
  if (!Row)
    Row = std::make_unique<TRowCells>();
  if (ACol >= static_cast<int32_t>(Row->size()))
    Row->resize(static_cast<size_t>(ACol) + 1);
  return &(*Row)[ACol];
}

// Gives up the slots that hold nothing at the end of the row, and the row
// itself when it holds nothing any more.
void TStringGridCells::Release(int32_t ACol, int32_t ARow)
{
  std::unique_ptr<TRowCells>& Row = FRows[ARow];
  if (ACol != static_cast<int32_t>(Row->size()) - 1)
    return;
  while (!Row->empty() && Row->back().IsEmpty())
    Row->pop_back();
  if (Row->empty()) {
    Row.reset();
    TrimRows();
  }
}

void TStringGridCells::TrimRows()
{
  while (!FRows.empty() && !FRows.back())
    FRows.pop_back();
}

String TStringGridCells::Cell(int32_t ACol, int32_t ARow) const
{
  const TSlot* S = Find(ACol, ARow);
  return S ? S->Text : String();
}

void TStringGridCells::SetCell(int32_t ACol, int32_t ARow, const String& Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  if (Value.isEmpty()) {
    const TSlot* Existing = Find(ACol, ARow);
    if (!Existing)
      return;
    TSlot* S = Slot(ACol, ARow);
    S->Text.clear();
    if (S->IsEmpty())
      Release(ACol, ARow);
    return;
  }
  Slot(ACol, ARow)->Text = Value;
}

TObject* TStringGridCells::Object(int32_t ACol, int32_t ARow) const
{
  const TSlot* S = Find(ACol, ARow);
  return S ? S->Obj : nullptr;
}

void TStringGridCells::SetObject(int32_t ACol, int32_t ARow, TObject* Value)
{
  if (ACol < 0 || ARow < 0)
    return;
  if (!Value) {
    if (!Find(ACol, ARow))
      return;
    TSlot* S = Slot(ACol, ARow);
    S->Obj = nullptr;
    if (S->IsEmpty())
      Release(ACol, ARow);
    return;
  }
  Slot(ACol, ARow)->Obj = Value;
}

void TStringGridCells::ReadLine(int32_t Index, int32_t Count, bool IsRow, TStringList& Into) const
{
  Into.BeginUpdate();
  Into.Clear();
  for (int32_t I = 0; I < Count; ++I) {
    const int32_t C = IsRow ? I : Index, R = IsRow ? Index : I;
    Into.AddObject(Cell(C, R), Object(C, R));
  }
  Into.EndUpdate();
}

void TStringGridCells::WriteLine(int32_t Index, int32_t Count, bool IsRow, const TStringList& From)
{
  for (int32_t I = 0; I < Count; ++I) {
    const int32_t C = IsRow ? I : Index, R = IsRow ? Index : I;
    const bool Has = I < From.Count();
    SetCell(C, R, Has ? From[I] : String());
    SetObject(C, R, Has ? From.Objects(I) : nullptr);
  }
}

void TStringGridCells::GetRow(int32_t ARow, int32_t ColCount, TStringList& Into) const
{
  ReadLine(ARow, ColCount, true, Into);
}

void TStringGridCells::SetRow(int32_t ARow, int32_t ColCount, const TStringList& From)
{
  WriteLine(ARow, ColCount, true, From);
}

void TStringGridCells::GetCol(int32_t ACol, int32_t RowCount, TStringList& Into) const
{
  ReadLine(ACol, RowCount, false, Into);
}

void TStringGridCells::SetCol(int32_t ACol, int32_t RowCount, const TStringList& From)
{
  WriteLine(ACol, RowCount, false, From);
}

void TStringGridCells::MoveRow(int32_t FromIndex, int32_t ToIndex)
{
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0)
    return;
  const int32_t Held = static_cast<int32_t>(FRows.size());
  if (FromIndex >= Held && ToIndex >= Held)
    return;
  MoveElement(FRows, FromIndex, ToIndex);
  TrimRows();
}

void TStringGridCells::ExchangeRows(int32_t ARow1, int32_t ARow2)
{
  if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0)
    return;
  const size_t Last = static_cast<size_t>(std::max(ARow1, ARow2));
  if (Last >= FRows.size()) {
    if (static_cast<size_t>(std::min(ARow1, ARow2)) >= FRows.size())
      return;
    FRows.resize(Last + 1);
  }
  std::swap(FRows[static_cast<size_t>(ARow1)], FRows[static_cast<size_t>(ARow2)]);
  TrimRows();
}

void TStringGridCells::MoveCol(int32_t FromIndex, int32_t ToIndex)
{
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0)
    return;
  for (size_t R = 0; R < FRows.size(); ++R) {
    std::unique_ptr<TRowCells>& Row = FRows[R];
    if (!Row)
      continue;
    const int32_t Held = static_cast<int32_t>(Row->size());
    if (FromIndex >= Held && ToIndex >= Held)
      continue;
    MoveElement(*Row, FromIndex, ToIndex);
    Release(static_cast<int32_t>(Row->size()) - 1, static_cast<int32_t>(R));
  }
  TrimRows();
}

void TStringGridCells::DeleteRow(int32_t ARow)
{
  if (ARow < 0 || ARow >= static_cast<int32_t>(FRows.size()))
    return;
  FRows.erase(FRows.begin() + ARow);
  TrimRows();
}

void TStringGridCells::DeleteCol(int32_t ACol)
{
  if (ACol < 0)
    return;
  for (size_t R = 0; R < FRows.size(); ++R) {
    std::unique_ptr<TRowCells>& Row = FRows[R];
    if (!Row || ACol >= static_cast<int32_t>(Row->size()))
      continue;
    Row->erase(Row->begin() + ACol);
    if (Row->empty())
      Row.reset();
    else
      Release(static_cast<int32_t>(Row->size()) - 1, static_cast<int32_t>(R));
  }
  TrimRows();
}

void TStringGridCells::InsertRows(int32_t ARow, int32_t Count)
{
  if (ARow < 0 || Count <= 0 || ARow >= static_cast<int32_t>(FRows.size()))
    return;
  std::vector<std::unique_ptr<TRowCells>> Empty(static_cast<size_t>(Count));
  FRows.insert(FRows.begin() + ARow, std::make_move_iterator(Empty.begin()), std::make_move_iterator(Empty.end()));
}

void TStringGridCells::InsertCols(int32_t ACol, int32_t Count)
{
  if (ACol < 0 || Count <= 0)
    return;
  for (auto& Row : FRows)
    if (Row && ACol < static_cast<int32_t>(Row->size()))
      Row->insert(Row->begin() + ACol, static_cast<size_t>(Count), TSlot{});
}

void TStringGridCells::Clear() { FRows.clear(); }

int64_t TStringGridCells::SlotCount() const
{
  int64_t N = 0;
  for (const auto& Row : FRows)
    if (Row)
      N += static_cast<int64_t>(Row->size());
  return N;
}

int32_t TStringGridCells::RowExtent() const { return static_cast<int32_t>(FRows.size()); }

int32_t TStringGridCells::ColExtent() const
{
  size_t N = 0;
  for (const auto& Row : FRows)
    if (Row)
      N = std::max(N, Row->size());
  return static_cast<int32_t>(N);
}

int32_t TStringGridCells::RowsHeld() const
{
  int32_t N = 0;
  for (const auto& Row : FRows)
    if (Row)
      ++N;
  return N;
}
