#include "grid/base/IntList.h"

#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"

#include <QStringList>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<int32_t> NextTag{0};

constexpr uint32_t DescendingBit = 0x80000000u;

// The value of a number's leading digits (after an optional sign), as a
// lenient reader of a stored sort order takes it.
int32_t LeadingNumber(const String& S)
{
  int64_t V = 0;
  qsizetype I = 0;
  bool Negative = false;
  if (I < S.length() && (S[I] == u'-' || S[I] == u'+'))
    Negative = S[I++] == u'-';
  for (; I < S.length() && S[I] >= u'0' && S[I] <= u'9'; ++I)
    V = std::min<int64_t>(V * 10 + (S[I].unicode() - u'0'), INT32_MAX);
  return static_cast<int32_t>(Negative ? -V : V);
}

} // namespace

TIntList::TIntList(int32_t Col, int32_t Row) : FCol(Col), FRow(Row), FTag(NextTag++) {}

TIntList::~TIntList() = default;

String TIntList::ClassName() const { return QStringLiteral("TIntList"); }

void TIntList::CheckIndex(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TIntList::Changed()
{
  if (OnChange)
    OnChange(this, FCol, FRow);
}

int32_t TIntList::GetInteger(int32_t Index) const
{
  CheckIndex(Index);
  return FItems[Index];
}

void TIntList::SetInteger(int32_t Index, int32_t Value)
{
  CheckIndex(Index);
  FItems[Index] = Value;
  Changed();
}

int32_t TIntList::Add(int32_t Value)
{
  FItems.push_back(Value);
  Changed();
  return Count() - 1;
}

void TIntList::Delete(int32_t Index)
{
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TIntList::DeleteValue(int32_t Value)
{
  const int32_t I = IndexOf(Value);
  if (I >= 0)
    Delete(I);
}

bool TIntList::HasValue(int32_t Value) const { return IndexOf(Value) >= 0; }

int32_t TIntList::IndexOf(int32_t Value) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), Value);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

void TIntList::Insert(int32_t Index, int32_t Value)
{
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Value);
}

void TIntList::Insert(int32_t Value)
{
  if (FItems.empty()) {
    Add(Value);
    return;
  }
  Insert(SortedPosOf(Value), Value);
}

int32_t TIntList::BinarySearch(int32_t Value, int32_t& LastMid) const
{
  int32_t Lo = 0, Hi = Count() - 1;
  LastMid = 0;
  while (Lo <= Hi) {
    LastMid = Lo + (Hi - Lo) / 2;
    if (FItems[LastMid] == Value)
      return LastMid;
    if (FItems[LastMid] < Value)
      Lo = LastMid + 1;
    else
      Hi = LastMid - 1;
  }
  return -1;
}

int32_t TIntList::SortedIndexOf(int32_t Value) const
{
  int32_t Mid = 0;
  return BinarySearch(Value, Mid);
}

int32_t TIntList::SortedPosOf(int32_t Value) const
{
  if (FItems.empty())
    return 0;
  int32_t Mid = 0;
  const int32_t Found = BinarySearch(Value, Mid);
  if (Found >= 0)
    return Found;
  return FItems[Mid] < Value ? Mid + 1 : Mid;
}

void TIntList::Clear() { FItems.clear(); }

void TIntList::Exchange(int32_t Index1, int32_t Index2)
{
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FItems[Index1], FItems[Index2]);
}

void TIntList::Move(int32_t CurIndex, int32_t NewIndex)
{
  if (CurIndex == NewIndex)
    return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  const int32_t V = FItems[CurIndex];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, V);
}

void TIntList::Assign(const TIntList& Source) { FItems = Source.FItems; }

String TIntList::StrValue() const
{
  String S;
  for (size_t I = 0; I < FItems.size(); ++I) {
    if (I > 0)
      S += u',';
    S += IntToStr(FItems[I]);
  }
  return S;
}

void TIntList::SetStrValue(const String& Value)
{
  Clear();
  TStringList Pieces;
  Pieces.SetCommaText(Value);
  for (int32_t I = 0; I < Pieces.Count(); ++I)
    Add(StrToInt(Pieces[I]));
}

// ---------------------------------------------------------------- TSortIndexList

TSortIndexList::TSortIndexList() : TIntList(0, 0) {}

String TSortIndexList::ClassName() const { return QStringLiteral("TSortIndexList"); }

void TSortIndexList::AddIndex(int32_t ColumnIndex, bool Ascending)
{
  uint32_t V = static_cast<uint32_t>(ColumnIndex);
  if (!Ascending)
    V |= DescendingBit;
  Add(static_cast<int32_t>(V));
}

int32_t TSortIndexList::FindIndex(int32_t ColumnIndex) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (SortColumns(I) == ColumnIndex)
      return I;
  return -1;
}

int32_t TSortIndexList::SortColumns(int32_t Index) const
{
  return static_cast<int32_t>(static_cast<uint32_t>(GetInteger(Index)) & ~DescendingBit);
}

void TSortIndexList::SetSortColumns(int32_t Index, int32_t Column)
{
  const uint32_t Dir = static_cast<uint32_t>(GetInteger(Index)) & DescendingBit;
  SetInteger(Index, static_cast<int32_t>((static_cast<uint32_t>(Column) & ~DescendingBit) | Dir));
}

bool TSortIndexList::SortDirections(int32_t Index) const
{
  return (static_cast<uint32_t>(GetInteger(Index)) & DescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int32_t Index, bool Ascending)
{
  uint32_t V = static_cast<uint32_t>(GetInteger(Index));
  V = Ascending ? (V & ~DescendingBit) : (V | DescendingBit);
  SetInteger(Index, static_cast<int32_t>(V));
}

void TSortIndexList::ToggleIndex(int32_t ColumnIndex)
{
  const int32_t I = FindIndex(ColumnIndex);
  if (I >= 0)
    SetSortDirections(I, !SortDirections(I));
}

String TSortIndexList::SaveToString() const
{
  String S;
  for (int32_t I = 0; I < Count(); ++I) {
    if (I > 0)
      S += u';';
    S += SortDirections(I) ? u'u' : u'd';
    S += IntToStr(static_cast<uint32_t>(GetInteger(I)) & 0xFFFF);
  }
  return S;
}

void TSortIndexList::LoadFromString(const String& S)
{
  Clear();
  for (const String& Piece : S.split(u';')) {
    if (Piece.length() < 2)
      continue;
    AddIndex(LeadingNumber(Piece.mid(1)), Piece[0] == u'u');
  }
}
