#include "rtl/StringList.h"
#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Streams.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <utility>

namespace {

[[noreturn]] void ListIndexError(int32_t Index)
{
  throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

[[noreturn]] void SortedListError() { throw EStringListError(QStringLiteral("Operation not allowed on sorted list")); }

// Text larger than this is not something a list of lines is meant to hold;
// refusing it keeps a hostile file from exhausting memory.
constexpr qsizetype MaxLoadBytes = 512 * 1024 * 1024;
constexpr int32_t StreamChunk = 64 * 1024;

bool IsBlank(QChar C) { return C.unicode() <= u' '; }

// BeginUpdate now and EndUpdate on every exit from the caller's scope, also
// when a step in between raises.
auto Updating(TStringList& L)
{
  L.BeginUpdate();
  return ScopeExit([&L] { L.EndUpdate(); });
}

} // namespace

TStringList::TStringList() = default;

TStringList::TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}

TStringList::~TStringList()
{
  OnChange = nullptr;
  OnChanging = nullptr;
  if (FOwnsObjects)
    for (const Item& I : FItems)
      FreeObject(I.Obj);
}

String TStringList::ClassName() const { return QStringLiteral("TStringList"); }

// The one place where a list frees what it was given: an owning list takes
// over objects handed to it as raw pointers, as the design's lists do.
void TStringList::FreeObject(TObject* AObject) const { delete AObject; }

void TStringList::Changing()
{
  if (FUpdateCount == 0 && OnChanging)
    OnChanging(this);
}

void TStringList::Changed()
{
  if (FUpdateCount == 0 && OnChange)
    OnChange(this);
}

void TStringList::BeginUpdate()
{
  if (FUpdateCount == 0)
    Changing();
  ++FUpdateCount;
}

void TStringList::EndUpdate()
{
  if (FUpdateCount <= 0)
    return;
  --FUpdateCount;
  if (FUpdateCount == 0)
    Changed();
}

void TStringList::CheckIndex(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    ListIndexError(Index);
}

int32_t TStringList::Count() const { return static_cast<int32_t>(FItems.size()); }

const String& TStringList::Strings(int32_t Index) const
{
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Str;
}

const String& TStringList::operator[](int32_t Index) const { return Strings(Index); }

void TStringList::SetStrings(int32_t Index, const String& S)
{
  if (FSorted)
    SortedListError();
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].Str = S;
  Changed();
}

TObject* TStringList::Objects(int32_t Index) const
{
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Obj;
}

void TStringList::SetObjects(int32_t Index, TObject* AObject)
{
  // The previous object is not freed even by an owning list: setting nil
  // is how a caller takes an object back before deleting its line.
  CheckIndex(Index);
  Changing();
  FItems[static_cast<size_t>(Index)].Obj = AObject;
  Changed();
}

int TStringList::CompareStrings(const String& S1, const String& S2) const
{
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

bool TStringList::Find(const String& S, int32_t& Index) const
{
  int32_t L = 0;
  int32_t H = Count() - 1;
  bool Found = false;
  while (L <= H) {
    const int32_t I = L + (H - L) / 2;
    const int C = CompareStrings(FItems[static_cast<size_t>(I)].Str, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0)
        Found = true;
    }
  }
  Index = L;
  return Found;
}

void TStringList::InsertItem(int32_t Index, const String& S, TObject* AObject)
{
  if (Count() >= MaxListSize)
    throw EStringListError(QStringLiteral("List capacity out of bounds (%1)").arg(Count() + 1));
  Changing();
  FItems.insert(FItems.begin() + Index, Item{S, AObject});
  Changed();
}

int32_t TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int32_t TStringList::AddObject(const String& S, TObject* AObject)
{
  int32_t Index = Count();
  if (FSorted && Find(S, Index)) {
    if (FDuplicates == dupIgnore)
      return Index;
    if (FDuplicates == dupError)
      throw EStringListError(QStringLiteral("String list does not allow duplicates"));
  }
  InsertItem(Index, S, AObject);
  return Index;
}

void TStringList::AddStrings(const TStringList& Strings)
{
  if (&Strings == this) {
    const std::vector<Item> Copy = FItems;
    const auto Scope = Updating(*this);
    for (const Item& I : Copy)
      AddObject(I.Str, I.Obj);
    return;
  }
  const auto Scope = Updating(*this);
  for (const Item& I : Strings.FItems)
    AddObject(I.Str, I.Obj);
}

void TStringList::Insert(int32_t Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int32_t Index, const String& S, TObject* AObject)
{
  if (FSorted)
    SortedListError();
  if (Index < 0 || Index > Count())
    ListIndexError(Index);
  InsertItem(Index, S, AObject);
}

void TStringList::Delete(int32_t Index)
{
  CheckIndex(Index);
  Changing();
  TObject* Obj = FItems[static_cast<size_t>(Index)].Obj;
  FItems.erase(FItems.begin() + Index);
  if (FOwnsObjects)
    FreeObject(Obj);
  Changed();
}

void TStringList::Clear()
{
  if (FItems.empty())
    return;
  Changing();
  std::vector<Item> Old;
  Old.swap(FItems);
  if (FOwnsObjects)
    for (const Item& I : Old)
      FreeObject(I.Obj);
  Changed();
}

void TStringList::Exchange(int32_t Index1, int32_t Index2)
{
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int32_t CurIndex, int32_t NewIndex)
{
  if (CurIndex == NewIndex)
    return;
  // Both indices are checked before anything moves, so a bad target can
  // neither lose the line nor free its object.
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (FSorted)
    SortedListError();
  Changing();
  Item Moved = std::move(FItems[static_cast<size_t>(CurIndex)]);
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, std::move(Moved));
  Changed();
}

void TStringList::Assign(const TStringList& Source)
{
  if (&Source == this)
    return;
  const auto Scope = Updating(*this);
  Clear();
  FDelimiter = Source.FDelimiter;
  FQuoteChar = Source.FQuoteChar;
  FNameValueSeparator = Source.FNameValueSeparator;
  FStrictDelimiter = Source.FStrictDelimiter;
  AddStrings(Source);
}

int32_t TStringList::IndexOf(const String& S) const
{
  if (FSorted) {
    int32_t Index = -1;
    return Find(S, Index) ? Index : -1;
  }
  for (int32_t I = 0; I < Count(); ++I)
    if (CompareStrings(FItems[static_cast<size_t>(I)].Str, S) == 0)
      return I;
  return -1;
}

int32_t TStringList::IndexOfName(const String& Name) const
{
  for (int32_t I = 0; I < Count(); ++I) {
    const String& S = FItems[static_cast<size_t>(I)].Str;
    const qsizetype P = S.indexOf(FNameValueSeparator);
    if (P >= 0 && CompareStrings(S.left(P), Name) == 0)
      return I;
  }
  return -1;
}

int32_t TStringList::IndexOfObject(const TObject* AObject) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (FItems[static_cast<size_t>(I)].Obj == AObject)
      return I;
  return -1;
}

void TStringList::QuickSort(int32_t L, int32_t R, const TStringListSortCompare& Compare)
{
  // Hoare partition on the live list (the compare function reads the list
  // by index). The scans are bounded so that a compare function that is
  // not a consistent order cannot walk off the list.
  while (L < R) {
    int32_t I = L;
    int32_t J = R;
    int32_t P = L + (R - L) / 2;
    do {
      while (I < R && Compare(*this, I, P) < 0)
        ++I;
      while (J > L && Compare(*this, J, P) > 0)
        --J;
      if (I <= J) {
        if (I != J)
          std::swap(FItems[static_cast<size_t>(I)], FItems[static_cast<size_t>(J)]);
        if (P == I)
          P = J;
        else if (P == J)
          P = I;
        ++I;
        --J;
      }
    } while (I <= J);
    // Recurse into the smaller part so the depth stays logarithmic.
    if (J - L < R - I) {
      if (L < J)
        QuickSort(L, J, Compare);
      L = I;
    } else {
      if (I < R)
        QuickSort(I, R, Compare);
      R = J;
    }
  }
}

void TStringList::Sort()
{
  CustomSort([](TStringList& List, int32_t A, int32_t B) {
    return List.CompareStrings(List.FItems[static_cast<size_t>(A)].Str, List.FItems[static_cast<size_t>(B)].Str);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
  if (FSorted || Count() < 2 || !Compare)
    return;
  Changing();
  QuickSort(0, Count() - 1, Compare);
  Changed();
}

void TStringList::SetSorted(bool Value)
{
  if (FSorted == Value)
    return;
  if (Value)
    Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
  if (FCaseSensitive == Value)
    return;
  FCaseSensitive = Value;
  if (FSorted) {
    FSorted = false;
    SetSorted(true);
  }
}

String TStringList::Text() const
{
  qsizetype Len = 0;
  for (const Item& I : FItems)
    Len += I.Str.size() + 2;
  String Result;
  Result.reserve(Len);
  for (const Item& I : FItems) {
    Result += I.Str;
    Result += QLatin1String("\r\n");
  }
  return Result;
}

void TStringList::SetText(const String& Value)
{
  const auto Scope = Updating(*this);
  Clear();
  const qsizetype N = Value.size();
  qsizetype Start = 0;
  while (Start < N) {
    qsizetype P = Start;
    while (P < N && Value.at(P) != u'\r' && Value.at(P) != u'\n')
      ++P;
    Add(Value.mid(Start, P - Start));
    if (P < N && Value.at(P) == u'\r')
      ++P;
    if (P < N && Value.at(P) == u'\n')
      ++P;
    Start = P;
  }
}

String TStringList::DelimitedTextWith(QChar Delim, QChar Quote, bool Strict) const
{
  if (Count() == 1 && FItems[0].Str.isEmpty())
    return String(Quote) + Quote;
  String Result;
  for (const Item& I : FItems) {
    bool NeedsQuotes = false;
    for (const QChar C : I.Str) {
      if (C == Quote || C == Delim || (!Strict && IsBlank(C))) {
        NeedsQuotes = true;
        break;
      }
    }
    Result += NeedsQuotes ? AnsiQuotedStr(I.Str, Quote) : I.Str;
    Result += Delim;
  }
  if (!Result.isEmpty())
    Result.chop(1);
  return Result;
}

void TStringList::SetDelimitedTextWith(const String& Value, QChar Delim, QChar Quote, bool Strict)
{
  const auto Scope = Updating(*this);
  Clear();
  const qsizetype N = Value.size();
  qsizetype P = 0;
  // Every control character counts as a blank here, including NUL, so an
  // embedded NUL can neither end the text early nor stall the scan.
  auto SkipBlanks = [&]() {
    if (!Strict)
      while (P < N && IsBlank(Value.at(P)))
        ++P;
  };
  SkipBlanks();
  while (P < N) {
    String S;
    if (Value.at(P) == Quote) {
      ++P;
      while (P < N) {
        if (Value.at(P) == Quote) {
          if (P + 1 < N && Value.at(P + 1) == Quote) {
            S += Quote;
            P += 2;
            continue;
          }
          ++P;
          break;
        }
        S += Value.at(P);
        ++P;
      }
    } else {
      const qsizetype Start = P;
      while (P < N && Value.at(P) != Delim && (Strict || !IsBlank(Value.at(P))))
        ++P;
      S = Value.mid(Start, P - Start);
    }
    Add(S);
    SkipBlanks();
    if (P < N && Value.at(P) == Delim) {
      if (P + 1 == N)
        Add(String());
      ++P;
      SkipBlanks();
    }
  }
}

String TStringList::CommaText() const { return DelimitedTextWith(QLatin1Char(','), QLatin1Char('"'), false); }

void TStringList::SetCommaText(const String& Value)
{
  SetDelimitedTextWith(Value, QLatin1Char(','), QLatin1Char('"'), false);
}

String TStringList::DelimitedText() const { return DelimitedTextWith(FDelimiter, FQuoteChar, FStrictDelimiter); }

void TStringList::SetDelimitedText(const String& Value)
{
  SetDelimitedTextWith(Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

String TStringList::Names(int32_t Index) const
{
  const String& S = Strings(Index);
  const qsizetype P = S.indexOf(FNameValueSeparator);
  return P >= 0 ? S.left(P) : String();
}

String TStringList::ValueFromIndex(int32_t Index) const
{
  if (Index < 0)
    return String();
  const String& S = Strings(Index);
  const qsizetype P = S.indexOf(FNameValueSeparator);
  return P >= 0 ? S.mid(P + 1) : String();
}

String TStringList::Values(const String& Name) const { return ValueFromIndex(IndexOfName(Name)); }

void TStringList::SetValues(const String& Name, const String& Value)
{
  const int32_t I = IndexOfName(Name);
  if (Value.isEmpty()) {
    if (I >= 0)
      Delete(I);
    return;
  }
  const String Line = Name + FNameValueSeparator + Value;
  if (I < 0) {
    Add(Line);
  } else if (FSorted) {
    // A sorted list cannot be written in place; the entry moves to where
    // its new text sorts.
    const auto Scope = Updating(*this);
    TObject* Obj = FItems[static_cast<size_t>(I)].Obj;
    FItems[static_cast<size_t>(I)].Obj = nullptr;
    Delete(I);
    AddObject(Line, Obj);
  } else {
    SetStrings(I, Line);
  }
}

void TStringList::LoadFromFile(const String& FileName)
{
  TFileStream F(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(F);
}

void TStringList::LoadFromStream(TStream& Stream)
{
  QByteArray Raw;
  std::vector<char> Chunk(StreamChunk);
  for (;;) {
    const int32_t N = Stream.Read(Chunk.data(), StreamChunk);
    if (N <= 0)
      break;
    if (Raw.size() + N > MaxLoadBytes)
      throw EReadError(QStringLiteral("Stream read error"));
    Raw.append(Chunk.data(), N);
  }
  if (Raw.startsWith("\xEF\xBB\xBF")) {
    FEncoding = TTextEncoding::UTF8;
    SetText(QString::fromUtf8(Raw.constData() + 3, Raw.size() - 3));
  } else {
    FEncoding = TTextEncoding::Ansi;
    SetText(FromAnsi(Raw));
  }
}

void TStringList::SaveToFile(const String& FileName) { SaveToFile(FileName, FEncoding); }

void TStringList::SaveToFile(const String& FileName, TTextEncoding Encoding)
{
  TFileStream F(FileName, fmCreate);
  SaveToStream(F, Encoding);
}

void TStringList::SaveToStream(TStream& Stream) { SaveToStream(Stream, FEncoding); }

void TStringList::SaveToStream(TStream& Stream, TTextEncoding Encoding)
{
  QByteArray Raw;
  if (Encoding == TTextEncoding::UTF8)
    Raw = QByteArray("\xEF\xBB\xBF") + Text().toUtf8();
  else
    Raw = ToAnsi(Text());
  for (qsizetype Done = 0; Done < Raw.size();) {
    const int32_t N = static_cast<int32_t>(std::min<qsizetype>(Raw.size() - Done, StreamChunk));
    Stream.WriteBuffer(Raw.constData() + Done, N);
    Done += N;
  }
}

int32_t TStringList::Capacity() const { return static_cast<int32_t>(FItems.capacity()); }

void TStringList::SetCapacity(int32_t NewCapacity)
{
  if (NewCapacity < Count() || NewCapacity > MaxListSize)
    throw EStringListError(QStringLiteral("List capacity out of bounds (%1)").arg(NewCapacity));
  if (static_cast<size_t>(NewCapacity) < FItems.capacity())
    FItems.shrink_to_fit();
  FItems.reserve(static_cast<size_t>(NewCapacity));
}
