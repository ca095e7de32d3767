#pragma once
// TStringList: an indexed list of strings, each with an optional object
// pointer, with the classic Object Pascal semantics (sorting, duplicates,
// name=value pairs, delimited text, change events).
#include "rtl/Object.h"
#include <functional>
#include <vector>

class TStream;

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

// How LoadFrom* found the text and how SaveTo* writes it.
enum class TTextEncoding : uint8_t { Ansi, UTF8 };

class TStringList;
// < 0, 0, > 0 for the items at Index1 and Index2 of List.
using TStringListSortCompare = std::function<int(TStringList& List, int32_t Index1, int32_t Index2)>;

class TStringList : public TObject {
public:
  TStringList();
  explicit TStringList(bool OwnsObjects);
  ~TStringList() override;
  String ClassName() const override;

  int32_t Count() const;
  // Index errors raise EStringListError "List index out of bounds (<i>)".
  const String& Strings(int32_t Index) const;
  const String& operator[](int32_t Index) const;
  // Raises "Operation not allowed on sorted list" when Sorted.
  void SetStrings(int32_t Index, const String& S);
  TObject* Objects(int32_t Index) const;
  void SetObjects(int32_t Index, TObject* AObject);

  // On a sorted list the string goes to its place; a duplicate is then
  // ignored (returning the existing index), accepted, or raises
  // EStringListError "String list does not allow duplicates".
  int32_t Add(const String& S);
  int32_t AddObject(const String& S, TObject* AObject);
  void AddStrings(const TStringList& Strings);
  // Raise "Operation not allowed on sorted list" when Sorted.
  void Insert(int32_t Index, const String& S);
  void InsertObject(int32_t Index, const String& S, TObject* AObject);
  void Delete(int32_t Index);
  void Clear();
  void Exchange(int32_t Index1, int32_t Index2);
  void Move(int32_t CurIndex, int32_t NewIndex);
  // Copies the strings, objects and the text-format settings (delimiter,
  // quote character, name/value separator, strict delimiter).
  void Assign(const TStringList& Source);

  int32_t IndexOf(const String& S) const;
  int32_t IndexOfName(const String& Name) const;
  int32_t IndexOfObject(const TObject* AObject) const;
  // Binary search of a sorted list: true when found; Index is the first
  // match or the place where S would go.
  bool Find(const String& S, int32_t& Index) const;

  void Sort();
  // Sorts with Compare unless the list is Sorted (which keeps its order).
  void CustomSort(const TStringListSortCompare& Compare);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  // Off by default: comparisons then fold the case of every letter.
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  // Every line followed by CR LF. SetText splits at CR LF, LF or CR; a
  // line end at the very end adds no empty line.
  String Text() const;
  void SetText(const String& Value);
  // Delimited with ',' and '"', blanks also delimiting, whatever the
  // list's own delimiter settings.
  String CommaText() const;
  void SetCommaText(const String& Value);
  // An item holding the delimiter, the quote character or (unless
  // StrictDelimiter) a blank or control character is quoted, inner quotes
  // doubled; a single empty item is written as two quote characters.
  String DelimitedText() const;
  void SetDelimitedText(const String& Value);
  QChar Delimiter() const { return FDelimiter; }
  void SetDelimiter(QChar Value) { FDelimiter = Value; }
  QChar QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(QChar Value) { FQuoteChar = Value; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }

  QChar NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(QChar Value) { FNameValueSeparator = Value; }
  // The text before the first separator; "" when there is none.
  String Names(int32_t Index) const;
  // The text after the first separator; "" when there is none.
  String ValueFromIndex(int32_t Index) const;
  String Values(const String& Name) const;
  // Replaces or adds "Name=Value"; an empty Value deletes the entry.
  void SetValues(const String& Name, const String& Value);

  // Windows-1252 unless the data start with a UTF-8 byte-order mark. The
  // encoding found is kept and used by the next save.
  void LoadFromFile(const String& FileName);
  void LoadFromStream(TStream& Stream);
  void SaveToFile(const String& FileName);
  void SaveToFile(const String& FileName, TTextEncoding Encoding);
  void SaveToStream(TStream& Stream);
  void SaveToStream(TStream& Stream, TTextEncoding Encoding);
  TTextEncoding Encoding() const { return FEncoding; }

  int32_t Capacity() const;
  // Raises EStringListError "List capacity out of bounds (<n>)" below Count
  // or above MaxListSize.
  void SetCapacity(int32_t NewCapacity);
  static constexpr int32_t MaxListSize = 0x7FFFFFF;

  // OnChanging fires before and OnChange after each change; between
  // BeginUpdate and the matching EndUpdate they fire once, at the ends.
  void BeginUpdate();
  void EndUpdate();
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  // The comparison the list uses (case per CaseSensitive).
  int CompareStrings(const String& S1, const String& S2) const;

private:
  struct Item {
    String Str;
    TObject* Obj = nullptr;
  };

  void Changing();
  void Changed();
  void CheckIndex(int32_t Index) const;
  void InsertItem(int32_t Index, const String& S, TObject* AObject);
  void QuickSort(int32_t L, int32_t R, const TStringListSortCompare& Compare);
  String DelimitedTextWith(QChar Delim, QChar Quote, bool Strict) const;
  void SetDelimitedTextWith(const String& Value, QChar Delim, QChar Quote, bool Strict);
  void FreeObject(TObject* AObject) const;

  std::vector<Item> FItems;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  bool FStrictDelimiter = false;
  QChar FDelimiter{u','};
  QChar FQuoteChar{u'"'};
  QChar FNameValueSeparator{u'='};
  TTextEncoding FEncoding = TTextEncoding::Ansi;
  int32_t FUpdateCount = 0;
};
