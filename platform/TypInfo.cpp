#include "platform/TypInfo.h"

#include "platform/ClassRegistry.h"
#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/FilerInternal.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/RtlMath.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QVariant>

#include <cmath>
#include <limits>

// ---------------------------------------------------------------- names

TEnumInfo::TEnumInfo(const char* TypeName, std::initializer_list<const char*> Names)
    : FTypeName(QString::fromUtf8(TypeName))
{
  FNames.reserve(Names.size());
  for (const char* N : Names)
    FNames.push_back(QString::fromUtf8(N));
}

String TEnumInfo::Name(int64_t Value) const
{
  if (Value < 0 || Value >= Count())
    return String();
  return FNames[static_cast<size_t>(Value)];
}

int32_t TEnumInfo::Value(const String& Name) const
{
  for (int32_t I = 0; I < Count(); ++I)
    if (SameText(FNames[static_cast<size_t>(I)], Name))
      return I;
  return -1;
}

const TEnumInfo BooleanEnumInfo("Boolean", {"False", "True"});

TIdentMap::TIdentMap(const char* TypeName, std::initializer_list<TIdentMapEntry> Entries)
    : FTypeName(QString::fromUtf8(TypeName))
{
  FEntries.reserve(Entries.size());
  for (const TIdentMapEntry& E : Entries)
    FEntries.emplace_back(E.Value, QString::fromUtf8(E.Name));
}

bool TIdentMap::IntToIdent(int64_t Value, String& Ident) const
{
  for (const auto& [V, N] : FEntries)
    if (V == Value) {
      Ident = N;
      return true;
    }
  return false;
}

bool TIdentMap::IdentToInt(const String& Ident, int64_t& Value) const
{
  for (const auto& [V, N] : FEntries)
    if (SameText(N, Ident)) {
      Value = V;
      return true;
    }
  return false;
}

String SetToString(const TEnumInfo& Info, uint64_t Value, bool Brackets)
{
  String Result;
  for (const String& Name : SetMemberNames(Info, Value)) {
    if (!Result.isEmpty())
      Result += QLatin1Char(',');
    Result += Name;
  }
  return Brackets ? QLatin1Char('[') + Result + QLatin1Char(']') : Result;
}

uint64_t StringToSet(const TEnumInfo& Info, const String& Value)
{
  String S = Trim(Value);
  if (S.startsWith(QLatin1Char('[')) && S.endsWith(QLatin1Char(']')))
    S = S.mid(1, S.size() - 2);
  uint64_t Result = 0;
  if (Trim(S).isEmpty())
    return 0;
  for (const String& Part : S.split(QLatin1Char(','))) {
    const String Name = Trim(Part);
    const int32_t V = Info.Value(Name);
    if (V < 0 || V >= 64)
      throw EPropertyError(QStringLiteral("Invalid property element: %1").arg(Name));
    Result |= uint64_t(1) << V;
  }
  return Result;
}

std::vector<String> SetMemberNames(const TEnumInfo& Info, uint64_t Value)
{
  std::vector<String> Names;
  for (int32_t I = 0; I < Info.Count() && I < 64; ++I)
    if (Value & (uint64_t(1) << I))
      Names.push_back(Info.Name(I));
  return Names;
}

bool OrdToIdent(const TPropInfo* Prop, int64_t Value, String& Ident)
{
  if (!Prop)
    return false;
  if (Prop->Kind == tkEnumeration || Prop->Kind == tkBoolean) {
    Ident = Prop->EnumType ? Prop->EnumType->Name(Value) : String();
    return !Ident.isEmpty();
  }
  return (Prop->Kind == tkInteger || Prop->Kind == tkInt64) && Prop->Idents && Prop->Idents->IntToIdent(Value, Ident);
}

bool IdentToOrd(const TPropInfo* Prop, const String& Ident, int64_t& Value)
{
  if (!Prop)
    return false;
  if (Prop->Kind == tkEnumeration || Prop->Kind == tkBoolean) {
    const int32_t V = Prop->EnumType ? Prop->EnumType->Value(Ident) : -1;
    if (V < 0)
      return false;
    Value = V;
    return true;
  }
  return (Prop->Kind == tkInteger || Prop->Kind == tkInt64) && Prop->Idents && Prop->Idents->IdentToInt(Ident, Value);
}

// ---------------------------------------------------------------- TPropInfo

bool TPropInfo::IsOrdinal() const
{
  return Kind == tkInteger || Kind == tkInt64 || Kind == tkEnumeration || Kind == tkBoolean || Kind == tkSet;
}

String TPropInfo::TypeName() const
{
  switch (Kind) {
  case tkInteger:
  case tkInt64: {
    if (Idents)
      return Idents->TypeName();
    static const char* const Names[] = {"ShortInt", "Byte",     "SmallInt", "Word",
                                        "Integer",  "Cardinal", "Int64",    "UInt64"};
    return QString::fromLatin1(Names[SubType & 7]);
  }
  case tkEnumeration:
    return EnumType ? EnumType->TypeName() : String();
  case tkBoolean:
    return QStringLiteral("Boolean");
  case tkSet:
    return EnumType ? QStringLiteral("set of ") + EnumType->TypeName() : QStringLiteral("set");
  case tkFloat: {
    static const char* const Names[] = {"Single", "Double", "Extended", "Currency", "TDateTime"};
    return QString::fromLatin1(Names[SubType < 5 ? SubType : 1]);
  }
  case tkUString:
    return QStringLiteral("string");
  case tkLString:
    return QStringLiteral("AnsiString");
  case tkWString:
    return QStringLiteral("WideString");
  case tkClass:
    if (ObjectType)
      if (const TClassInfo* C = ClassInfoOf(*ObjectType))
        return C->ClassName();
    return QStringLiteral("TPersistent");
  case tkMethod:
    return QStringLiteral("TMethod");
  case tkStrings:
    return QStringLiteral("TStrings");
  case tkUnknown:
    break;
  }
  return String();
}

// ---------------------------------------------------------------- look-up

const TPropInfo* GetPropInfo(const TClassInfo* AClass, const String& PropName)
{
  return AClass ? AClass->FindProp(PropName) : nullptr;
}

const TPropInfo* GetPropInfo(const TPersistent* Instance, const String& PropName)
{
  return Instance ? GetPropInfo(ClassInfoOf(Instance), PropName) : nullptr;
}

std::vector<const TPropInfo*> GetPropList(const TClassInfo* AClass)
{
  return AClass ? AClass->AllProps() : std::vector<const TPropInfo*>();
}

std::vector<const TPropInfo*> GetPropList(const TPersistent* Instance)
{
  return Instance ? GetPropList(ClassInfoOf(Instance)) : std::vector<const TPropInfo*>();
}

bool IsPublishedProp(const TPersistent* Instance, const String& PropName)
{
  return GetPropInfo(Instance, PropName) != nullptr;
}

// ---------------------------------------------------------------- typed access

namespace {

[[noreturn]] void InvalidType() { throw EPropertyError(QStringLiteral("Invalid property type")); }
[[noreturn]] void InvalidValue() { throw EPropertyError(QStringLiteral("Invalid property value")); }

void CheckKind(const TPropInfo* Prop, bool Ok)
{
  if (!Prop || !Ok)
    InvalidType();
}

void CheckWritable(const TPropInfo* Prop)
{
  if (!Prop->SetProc)
    throw EPropertyError(QStringLiteral("Property %1 is read-only").arg(Prop->Name));
}

template <class Fn>
Fn Thunk(PropThunk::TVoid P)
{
  return reinterpret_cast<Fn>(P);
}

bool OrdInRange(const TPropInfo* Prop, int64_t V)
{
  switch (Prop->Kind) {
  case tkEnumeration:
    return Prop->EnumType && V >= 0 && V < Prop->EnumType->Count();
  case tkBoolean:
    return V == 0 || V == 1;
  case tkSet: {
    const int32_t N = Prop->EnumType ? Prop->EnumType->Count() : 0;
    return N >= 64 || (static_cast<uint64_t>(V) >> N) == 0;
  }
  default:
    break;
  }
  // 32-bit patterns: streams hold unsigned values above 2^31 as negative
  // 32-bit integers.
  if (Prop->Wraps32 || Prop->OrdType() == otULong)
    return V >= std::numeric_limits<int32_t>::min() && V <= std::numeric_limits<uint32_t>::max();
  switch (Prop->OrdType()) {
  case otSByte:
    return V >= -128 && V <= 127;
  case otUByte:
    return V >= 0 && V <= 255;
  case otSWord:
    return V >= -32768 && V <= 32767;
  case otUWord:
    return V >= 0 && V <= 65535;
  case otSLong:
    return V >= std::numeric_limits<int32_t>::min() && V <= std::numeric_limits<int32_t>::max();
  case otULong: // handled above
    return true;
  case otSQWord:
  case otUQWord:
    return true;
  }
  return false;
}

} // namespace

bool IsStoredProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  if (!Prop || Prop->NeverStored)
    return false;
  return !Prop->StoredProc || Prop->StoredProc(Instance, *Prop);
}

bool IsDefaultPropValue(const TPersistent* Instance, const TPropInfo* Prop)
{
  switch (Prop->Kind) {
  case tkInteger:
  case tkInt64:
  case tkEnumeration:
  case tkBoolean:
  case tkSet:
    return Prop->HasDefault && GetOrdProp(Instance, Prop) == Prop->OrdDefault;
  case tkFloat:
    return GetFloatProp(Instance, Prop) == Prop->FloatDefault;
  case tkUString:
  case tkWString:
    return GetStrProp(Instance, Prop).isEmpty();
  case tkLString:
    return GetAnsiStrProp(Instance, Prop).isEmpty();
  case tkClass:
    return GetObjectProp(Instance, Prop) == nullptr;
  case tkMethod:
    return !GetMethodProp(Instance, Prop).has_value();
  case tkStrings: {
    const TStringList* L = GetStringsProp(Instance, Prop);
    return !L || L->Count() == 0;
  }
  case tkUnknown:
    break;
  }
  return false;
}

int64_t GetOrdProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && Prop->IsOrdinal());
  return Thunk<PropThunk::TGetOrd>(Prop->GetProc)(Instance, *Prop);
}

void SetOrdProp(TPersistent* Instance, const TPropInfo* Prop, int64_t Value)
{
  CheckKind(Prop, Prop && Prop->IsOrdinal());
  CheckWritable(Prop);
  if (!OrdInRange(Prop, Value))
    InvalidValue();
  if (Prop->Wraps32)
    Value = static_cast<int32_t>(static_cast<uint32_t>(Value));
  Thunk<PropThunk::TSetOrd>(Prop->SetProc)(Instance, *Prop, Value);
}

String GetEnumProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && (Prop->Kind == tkEnumeration || Prop->Kind == tkBoolean));
  return Prop->EnumType->Name(GetOrdProp(Instance, Prop));
}

void SetEnumProp(TPersistent* Instance, const TPropInfo* Prop, const String& Value)
{
  CheckKind(Prop, Prop && (Prop->Kind == tkEnumeration || Prop->Kind == tkBoolean));
  const int32_t V = Prop->EnumType->Value(Trim(Value));
  if (V < 0)
    throw EPropertyError(QStringLiteral("Invalid property element: %1").arg(Value));
  SetOrdProp(Instance, Prop, V);
}

String GetSetProp(const TPersistent* Instance, const TPropInfo* Prop, bool Brackets)
{
  CheckKind(Prop, Prop && Prop->Kind == tkSet && Prop->EnumType);
  return SetToString(*Prop->EnumType, static_cast<uint64_t>(GetOrdProp(Instance, Prop)), Brackets);
}

void SetSetProp(TPersistent* Instance, const TPropInfo* Prop, const String& Value)
{
  CheckKind(Prop, Prop && Prop->Kind == tkSet && Prop->EnumType);
  SetOrdProp(Instance, Prop, static_cast<int64_t>(StringToSet(*Prop->EnumType, Value)));
}

double GetFloatProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && Prop->Kind == tkFloat);
  return Thunk<PropThunk::TGetFloat>(Prop->GetProc)(Instance, *Prop);
}

void SetFloatProp(TPersistent* Instance, const TPropInfo* Prop, double Value)
{
  CheckKind(Prop, Prop && Prop->Kind == tkFloat);
  CheckWritable(Prop);
  if (Prop->FloatType() == ftSingle && std::isfinite(Value) && std::fabs(Value) > std::numeric_limits<float>::max())
    InvalidValue();
  if (Prop->FloatType() == ftCurr) {
    // A currency holds four decimals: the value is what the stream can
    // carry, so what is written reads back the same.
    int64_t Scaled = 0;
    if (!FilerEncoding::DoubleToCurrency(Value, Scaled))
      InvalidValue();
    Value = FilerEncoding::CurrencyToDouble(Scaled);
  }
  Thunk<PropThunk::TSetFloat>(Prop->SetProc)(Instance, *Prop, Value);
}

String GetStrProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && Prop->IsString());
  if (Prop->Kind == tkLString)
    return FromAnsi(Thunk<PropThunk::TGetAnsi>(Prop->GetProc)(Instance, *Prop));
  return Thunk<PropThunk::TGetStr>(Prop->GetProc)(Instance, *Prop);
}

void SetStrProp(TPersistent* Instance, const TPropInfo* Prop, const String& Value)
{
  CheckKind(Prop, Prop && Prop->IsString());
  CheckWritable(Prop);
  if (Prop->Kind == tkLString)
    Thunk<PropThunk::TSetAnsi>(Prop->SetProc)(Instance, *Prop, ToAnsi(Value));
  else
    Thunk<PropThunk::TSetStr>(Prop->SetProc)(Instance, *Prop, Value);
}

AnsiString GetAnsiStrProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && Prop->IsString());
  if (Prop->Kind == tkLString)
    return Thunk<PropThunk::TGetAnsi>(Prop->GetProc)(Instance, *Prop);
  return ToAnsi(GetStrProp(Instance, Prop));
}

void SetAnsiStrProp(TPersistent* Instance, const TPropInfo* Prop, const AnsiString& Value)
{
  CheckKind(Prop, Prop && Prop->IsString());
  CheckWritable(Prop);
  if (Prop->Kind == tkLString)
    Thunk<PropThunk::TSetAnsi>(Prop->SetProc)(Instance, *Prop, Value);
  else
    SetStrProp(Instance, Prop, FromAnsi(Value));
}

TPersistent* GetObjectProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && Prop->Kind == tkClass);
  return Thunk<PropThunk::TGetObj>(Prop->GetProc)(Instance, *Prop);
}

void SetObjectProp(TPersistent* Instance, const TPropInfo* Prop, TPersistent* Value)
{
  CheckKind(Prop, Prop && Prop->Kind == tkClass);
  CheckWritable(Prop);
  if (!Thunk<PropThunk::TSetObj>(Prop->SetProc)(Instance, *Prop, Value))
    InvalidValue();
}

std::any GetMethodProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && Prop->Kind == tkMethod);
  return Thunk<PropThunk::TGetMethod>(Prop->GetProc)(Instance, *Prop);
}

void SetMethodProp(TPersistent* Instance, const TPropInfo* Prop, const std::any& Handler)
{
  CheckKind(Prop, Prop && Prop->Kind == tkMethod);
  if (!Thunk<PropThunk::TSetMethod>(Prop->SetProc)(Instance, *Prop, Handler))
    InvalidValue();
}

TStringList* GetStringsProp(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop && Prop->Kind == tkStrings);
  return Thunk<PropThunk::TGetStrings>(Prop->GetProc)(Instance, *Prop);
}

// ---------------------------------------------------------------- text

namespace {

String OrdinalText(const TPropInfo* Prop, int64_t V)
{
  if (Prop->Kind == tkSet)
    return SetToString(*Prop->EnumType, static_cast<uint64_t>(V));
  String Ident;
  if (OrdToIdent(Prop, V, Ident))
    return Ident;
  if (Prop->OrdType() == otUQWord && Prop->Kind != tkEnumeration && Prop->Kind != tkBoolean)
    return UIntToStr(static_cast<uint64_t>(V));
  return IntToStr(V);
}

int64_t OrdinalFromText(const TPropInfo* Prop, const String& Text)
{
  const String T = Trim(Text);
  if (Prop->Kind == tkSet)
    return static_cast<int64_t>(StringToSet(*Prop->EnumType, T));
  int64_t V = 0;
  if (IdentToOrd(Prop, T, V))
    return V;
  if (Prop->Kind == tkEnumeration || Prop->Kind == tkBoolean) {
    if (TryStrToInt64(T, V))
      return V;
    throw EPropertyError(QStringLiteral("Invalid property element: %1").arg(T));
  }
  if (Prop->OrdType() == otUQWord && !T.startsWith(QLatin1Char('$')) && !T.startsWith(QLatin1Char('-'))) {
    bool Ok = false;
    const uint64_t U = T.toULongLong(&Ok);
    if (Ok)
      return static_cast<int64_t>(U);
  }
  return StrToInt64(T);
}

} // namespace

String GetPropText(const TPersistent* Instance, const TPropInfo* Prop)
{
  CheckKind(Prop, Prop != nullptr);
  switch (Prop->Kind) {
  case tkInteger:
  case tkInt64:
  case tkEnumeration:
  case tkBoolean:
  case tkSet:
    return OrdinalText(Prop, GetOrdProp(Instance, Prop));
  case tkFloat:
    return FloatToStr(GetFloatProp(Instance, Prop));
  case tkUString:
  case tkLString:
  case tkWString:
    return GetStrProp(Instance, Prop);
  case tkClass: {
    const TPersistent* O = GetObjectProp(Instance, Prop);
    if (!O)
      return String();
    if (const auto* C = dynamic_cast<const TComponent*>(O); C && !Prop->SubComponent)
      return C->Name();
    const TClassInfo* Info = ClassInfoOf(O);
    return QLatin1Char('(') + (Info ? Info->ClassName() : O->ClassName()) + QLatin1Char(')');
  }
  case tkMethod:
    return GetMethodProp(Instance, Prop).has_value() ? QStringLiteral("(assigned)") : String();
  case tkStrings: {
    const TStringList* L = GetStringsProp(Instance, Prop);
    return L ? L->Text() : String();
  }
  case tkUnknown:
    break;
  }
  InvalidType();
}

void SetPropText(TPersistent* Instance, const TPropInfo* Prop, const String& Text)
{
  CheckKind(Prop, Prop != nullptr);
  switch (Prop->Kind) {
  case tkInteger:
  case tkInt64:
  case tkEnumeration:
  case tkBoolean:
  case tkSet:
    SetOrdProp(Instance, Prop, OrdinalFromText(Prop, Text));
    return;
  case tkFloat:
    SetFloatProp(Instance, Prop, StrToFloat(Trim(Text)));
    return;
  case tkUString:
  case tkLString:
  case tkWString:
    SetStrProp(Instance, Prop, Text);
    return;
  default:
    InvalidType();
  }
}

// ---------------------------------------------------------------- paths

namespace {

// "ItemN" on a collection: item N; false when the segment is not of that
// shape or N is out of range.
bool CollectionItemSegment(TPersistent*& Instance, const String& Segment, bool& Handled)
{
  Handled = false;
  auto* Coll = dynamic_cast<TCollection*>(Instance);
  if (!Coll || !Segment.startsWith(QLatin1String("ITEM"), Qt::CaseInsensitive))
    return true;
  Handled = true;
  bool Ok = false;
  const int32_t N = Segment.mid(4).toInt(&Ok);
  if (!Ok || N < 0 || N >= Coll->Count())
    return false;
  Instance = Coll->Items(N);
  return true;
}

enum class TWalk : uint8_t { Ok, BadPath, NoProperty };

TWalk WalkPath(TPersistent*& Instance, const String& Path, const TPropInfo*& Result)
{
  Result = nullptr;
  if (!Instance || Path.isEmpty())
    return TWalk::BadPath;
  const QStringList Segments = Path.split(QLatin1Char('.'));
  for (qsizetype I = 0; I + 1 < Segments.size(); ++I) {
    const String Seg = Trim(Segments[I]);
    const TPropInfo* P = GetPropInfo(Instance, Seg);
    if (P && P->Kind == tkClass) {
      Instance = GetObjectProp(Instance, P);
      if (!Instance)
        return TWalk::BadPath;
      continue;
    }
    bool Handled = false;
    if (!P && !CollectionItemSegment(Instance, Seg, Handled))
      return TWalk::BadPath;
    if (!Handled)
      return TWalk::BadPath;
  }
  Result = GetPropInfo(Instance, Trim(Segments.last()));
  return Result ? TWalk::Ok : TWalk::NoProperty;
}

} // namespace

const TPropInfo* FindPropPath(TPersistent*& Instance, const String& Path)
{
  TPersistent* Obj = Instance;
  const TPropInfo* P = nullptr;
  if (WalkPath(Obj, Path, P) != TWalk::Ok)
    return nullptr;
  Instance = Obj;
  return P;
}

const TPropInfo* GetPropPath(TPersistent*& Instance, const String& Path)
{
  TPersistent* Obj = Instance;
  const TPropInfo* P = nullptr;
  switch (WalkPath(Obj, Path, P)) {
  case TWalk::Ok:
    Instance = Obj;
    return P;
  case TWalk::BadPath:
    throw EPropertyError(QStringLiteral("Invalid property path"));
  case TWalk::NoProperty:
    break;
  }
  throw EPropertyError(QStringLiteral("Property %1 does not exist").arg(Path));
}

String GetPropText(const TPersistent* Instance, const String& Path)
{
  TPersistent* Obj = const_cast<TPersistent*>(Instance);
  const TPropInfo* P = GetPropPath(Obj, Path);
  return GetPropText(Obj, P);
}

void SetPropText(TPersistent* Instance, const String& Path, const String& Text)
{
  TPersistent* Obj = Instance;
  const TPropInfo* P = GetPropPath(Obj, Path);
  SetPropText(Obj, P, Text);
}

QVariant GetPropValue(const TPersistent* Instance, const String& Path, bool PreferStrings)
{
  TPersistent* Obj = const_cast<TPersistent*>(Instance);
  const TPropInfo* P = GetPropPath(Obj, Path);
  switch (P->Kind) {
  case tkInteger:
  case tkInt64:
    if (P->OrdType() == otUQWord)
      return QVariant(static_cast<qulonglong>(GetOrdProp(Obj, P)));
    return QVariant(static_cast<qlonglong>(GetOrdProp(Obj, P)));
  case tkEnumeration:
  case tkSet:
    if (PreferStrings)
      return QVariant(GetPropText(Obj, P));
    return QVariant(static_cast<qlonglong>(GetOrdProp(Obj, P)));
  case tkBoolean:
    return QVariant(GetOrdProp(Obj, P) != 0);
  case tkFloat:
    return QVariant(GetFloatProp(Obj, P));
  case tkUString:
  case tkLString:
  case tkWString:
  case tkStrings:
    return QVariant(GetPropText(Obj, P));
  default:
    return QVariant();
  }
}

void SetPropValue(TPersistent* Instance, const String& Path, const QVariant& Value)
{
  TPersistent* Obj = Instance;
  const TPropInfo* P = GetPropPath(Obj, Path);
  const int Type = Value.typeId();
  const bool IsText = Type == QMetaType::QString || Type == QMetaType::QByteArray;
  if (IsText || !Value.isValid()) {
    SetPropText(Obj, P, Value.toString());
    return;
  }
  switch (P->Kind) {
  case tkInteger:
  case tkInt64:
  case tkEnumeration:
  case tkBoolean:
  case tkSet: {
    if (Type == QMetaType::Double || Type == QMetaType::Float) {
      const double D = Value.toDouble();
      if (!std::isfinite(D) || std::fabs(D) >= 9.2e18)
        InvalidValue();
      // The variant conversion rounds as Round does: halves to even.
      SetOrdProp(Obj, P, Round(D));
    } else if (Type == QMetaType::ULongLong) {
      SetOrdProp(Obj, P, static_cast<int64_t>(Value.toULongLong()));
    } else {
      bool Ok = false;
      const qlonglong V = Value.toLongLong(&Ok);
      if (!Ok)
        InvalidValue();
      SetOrdProp(Obj, P, V);
    }
    return;
  }
  case tkFloat: {
    bool Ok = false;
    const double D = Value.toDouble(&Ok);
    if (!Ok)
      InvalidValue();
    SetFloatProp(Obj, P, D);
    return;
  }
  case tkUString:
  case tkLString:
  case tkWString:
    SetStrProp(Obj, P, Value.toString());
    return;
  default:
    InvalidType();
  }
}
