#include "platform/ClassRegistry.h"
#include "platform/Collection.h"
#include "platform/Component.h"
#include "platform/Filer.h"
#include "platform/FilerInternal.h"
#include "platform/TypInfo.h"
#include "rtl/Exceptions.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Streams.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <QtGlobal>

#include <bit>
#include <cmath>
#include <limits>

namespace {

// Restores a value when the scope ends, also on an exception.
template <class T>
class TRestore {
public:
  TRestore(T& Ref, T NewValue) : FRef(Ref), FOld(Ref) { FRef = std::move(NewValue); }
  ~TRestore() { FRef = std::move(FOld); }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;

private:
  T& FRef;
  T FOld;
};

// Deep object graphs are a program's own, but a GetChildren that lists an
// ancestor would recurse without end.
constexpr int32_t MaxWriteDepth = 1000;

bool SameFloat(double A, double B) { return A == B || (std::isnan(A) && std::isnan(B)); }

} // namespace

TWriter::TWriter(TStream& Stream, int32_t BufSize) : TFiler(Stream, BufSize) { FBuffer.reserve(FBufSize); }

TWriter::~TWriter()
{
  if (FBuffer.isEmpty())
    return;
  try {
    FlushBuffer();
  } catch (const Exception& E) {
    qWarning("Component stream: the last bytes could not be written: %s", E.what());
  }
}

void TWriter::FlushBuffer()
{
  if (FBuffer.isEmpty())
    return;
  QByteArray Data;
  Data.swap(FBuffer);
  FBuffer.reserve(FBufSize);
  FStream.WriteBuffer(Data.constData(), static_cast<int32_t>(Data.size()));
}

void TWriter::Write(const void* Buf, int32_t Count)
{
  if (Count <= 0)
    return;
  FBuffer.append(static_cast<const char*>(Buf), Count);
  if (FBuffer.size() >= FBufSize)
    FlushBuffer();
}

// ---------------------------------------------------------------- values

namespace {
template <class T>
void StoreLE(uint8_t* P, T Value)
{
  uint64_t V = 0;
  if constexpr (sizeof(T) == 8)
    V = std::bit_cast<uint64_t>(Value);
  else if constexpr (sizeof(T) == 4)
    V = std::bit_cast<uint32_t>(Value);
  else
    V = std::bit_cast<uint16_t>(Value);
  for (size_t I = 0; I < sizeof(T); ++I)
    P[I] = static_cast<uint8_t>(V >> (8 * I));
}
} // namespace

void TWriter::WriteValue(TValueType Value)
{
  const uint8_t B = Value;
  Write(&B, 1);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }

void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteInteger(int64_t Value)
{
  uint8_t B[9];
  if (Value >= -128 && Value <= 127) {
    B[0] = vaInt8;
    B[1] = static_cast<uint8_t>(Value);
    Write(B, 2);
  } else if (Value >= -32768 && Value <= 32767) {
    B[0] = vaInt16;
    StoreLE(B + 1, static_cast<int16_t>(Value));
    Write(B, 3);
  } else if (Value >= std::numeric_limits<int32_t>::min() && Value <= std::numeric_limits<int32_t>::max()) {
    B[0] = vaInt32;
    StoreLE(B + 1, static_cast<int32_t>(Value));
    Write(B, 5);
  } else {
    B[0] = vaInt64;
    StoreLE(B + 1, Value);
    Write(B, 9);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteFloat(double Value)
{
  uint8_t B[11];
  B[0] = vaExtended;
  uint8_t E[10];
  FilerEncoding::DoubleToExtended(Value, E);
  std::copy(E, E + 10, B + 1);
  Write(B, 11);
}

void TWriter::WriteSingle(float Value)
{
  uint8_t B[5];
  B[0] = vaSingle;
  StoreLE(B + 1, Value);
  Write(B, 5);
}

void TWriter::WriteDouble(double Value)
{
  uint8_t B[9];
  B[0] = vaDouble;
  StoreLE(B + 1, Value);
  Write(B, 9);
}

void TWriter::WriteCurrency(double Value)
{
  int64_t Scaled = 0;
  if (!FilerEncoding::DoubleToCurrency(Value, Scaled))
    throw EWriteError(QStringLiteral("Invalid currency value"));
  uint8_t B[9];
  B[0] = vaCurrency;
  StoreLE(B + 1, Scaled);
  Write(B, 9);
}

void TWriter::WriteDate(double Value)
{
  uint8_t B[9];
  B[0] = vaDate;
  StoreLE(B + 1, Value);
  Write(B, 9);
}

void TWriter::WriteString(const String& Value)
{
  // UTF-8 would turn an unpaired surrogate into U+FFFD: such text goes wide
  // so that it reads back as it was.
  if (!Value.isValidUtf16()) {
    WriteWideString(Value);
    return;
  }
  const QByteArray U = Value.toUtf8();
  if (U.size() >= 2 * Value.size()) {
    WriteWideString(Value);
    return;
  }
  bool Ascii = true;
  for (const char C : U)
    if (static_cast<uint8_t>(C) >= 128) {
      Ascii = false;
      break;
    }
  if (!Ascii) {
    WriteUTF8String(Value);
  } else if (U.size() <= 255) {
    const uint8_t B[2] = {vaString, static_cast<uint8_t>(U.size())};
    Write(B, 2);
    Write(U.constData(), static_cast<int32_t>(U.size()));
  } else {
    uint8_t B[5];
    B[0] = vaLString;
    StoreLE(B + 1, static_cast<int32_t>(U.size()));
    Write(B, 5);
    Write(U.constData(), static_cast<int32_t>(U.size()));
  }
}

void TWriter::WriteWideString(const String& Value)
{
  uint8_t B[5];
  B[0] = vaWString;
  StoreLE(B + 1, static_cast<int32_t>(Value.size()));
  Write(B, 5);
  QByteArray Raw(Value.size() * 2, Qt::Uninitialized);
  for (qsizetype I = 0; I < Value.size(); ++I) {
    const char16_t C = Value.at(I).unicode();
    Raw[2 * I] = static_cast<char>(C & 0xFF);
    Raw[2 * I + 1] = static_cast<char>(C >> 8);
  }
  Write(Raw.constData(), static_cast<int32_t>(Raw.size()));
}

void TWriter::WriteUTF8String(const String& Value)
{
  const QByteArray U = Value.toUtf8();
  uint8_t B[5];
  B[0] = vaUTF8String;
  StoreLE(B + 1, static_cast<int32_t>(U.size()));
  Write(B, 5);
  Write(U.constData(), static_cast<int32_t>(U.size()));
}

void TWriter::WriteAnsiString(const AnsiString& Value)
{
  if (Value.size() <= 255) {
    const uint8_t B[2] = {vaString, static_cast<uint8_t>(Value.size())};
    Write(B, 2);
  } else {
    uint8_t B[5];
    B[0] = vaLString;
    StoreLE(B + 1, static_cast<int32_t>(Value.size()));
    Write(B, 5);
  }
  Write(Value.constData(), static_cast<int32_t>(Value.size()));
}

void TWriter::WriteIdent(const String& Ident)
{
  if (SameText(Ident, QStringLiteral("False"))) {
    WriteValue(vaFalse);
  } else if (SameText(Ident, QStringLiteral("True"))) {
    WriteValue(vaTrue);
  } else if (SameText(Ident, QStringLiteral("nil"))) {
    WriteValue(vaNil);
  } else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteStr(const String& Value)
{
  const QByteArray U = Value.toUtf8();
  if (U.size() > 255)
    throw EWriteError(QStringLiteral("Name too long: %1").arg(Value.left(40)));
  const uint8_t L = static_cast<uint8_t>(U.size());
  Write(&L, 1);
  Write(U.constData(), L);
}

void TWriter::WriteSet(const std::vector<String>& Names)
{
  WriteValue(vaSet);
  for (const String& N : Names)
    if (!N.isEmpty())
      WriteStr(N);
  WriteStr(String());
}

void TWriter::WriteBinaryData(const QByteArray& Data)
{
  uint8_t B[5];
  B[0] = vaBinary;
  StoreLE(B + 1, static_cast<int32_t>(Data.size()));
  Write(B, 5);
  Write(Data.constData(), static_cast<int32_t>(Data.size()));
}

void TWriter::WriteBinary(const TStreamProc& WriteData)
{
  TMemoryStream Data;
  if (WriteData)
    WriteData(Data);
  const int64_t Size = Data.Size();
  uint8_t B[5];
  B[0] = vaBinary;
  StoreLE(B + 1, static_cast<int32_t>(Size));
  Write(B, 5);
  Write(Data.Memory(), static_cast<int32_t>(Size));
}

void TWriter::WritePropName(const String& Name) { WriteStr(FPropPath + Name); }

// ---------------------------------------------------------------- objects

void TWriter::WriteSignature() { Write("TPF0", 4); }

void TWriter::WritePrefix(uint8_t Flags, int32_t ChildPos)
{
  if (Flags == 0)
    return;
  const uint8_t B = static_cast<uint8_t>(0xF0 | (Flags & 0x0F));
  Write(&B, 1);
  if (Flags & ffChildPos)
    WriteInteger(ChildPos);
}

void TWriter::WriteRootComponent(TComponent* Root) { WriteDescendent(Root, nullptr); }

void TWriter::WriteDescendent(TComponent* Root, TComponent* AAncestor)
{
  SetRoot(Root);
  WriteSignature();
  WriteComponentData(Root, AAncestor);
  FlushBuffer();
}

void TWriter::WriteComponent(TComponent* Component)
{
  TComponent* Anc = nullptr;
  if (auto* A = dynamic_cast<TComponent*>(FAncestor); A && !Component->Name().isEmpty())
    Anc = A->FindComponent(Component->Name());
  WriteComponentData(Component, Anc);
  if (FDepth == 0)
    FlushBuffer();
}

void TWriter::WriteComponentData(TComponent* Component, TComponent* AncestorComponent)
{
  const TClassInfo* Info = ClassInfoOf(Component);
  if (!Info)
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(Component->ClassName()));
  if (FDepth >= MaxWriteDepth)
    throw EWriteError(QStringLiteral("Objects nested too deeply"));
  // A class name of 240 bytes or more would read as an object prefix.
  if (Info->ClassName().toUtf8().size() >= 0xF0)
    throw EWriteError(QStringLiteral("Class name too long: %1").arg(Info->ClassName().left(40)));
  TRestore<int32_t> Depth(FDepth, FDepth + 1);
  const bool WasWriting = (Component->ComponentState() & csWriting) != 0;
  Component->IncludeState(csWriting);
  const auto Restore = ScopeExit([&] {
    if (!WasWriting)
      Component->ExcludeState(csWriting);
  });
  WritePrefix(AncestorComponent ? ffInherited : 0, 0);
  WriteStr(Info->ClassName());
  WriteStr(Component->Name());
  WritePropertiesAgainst(Component, AncestorComponent);
  WriteListEnd();
  if (!FIgnoreChildren)
    Component->GetChildren(
        [this, AncestorComponent](TComponent* Child) {
          TComponent* ChildAncestor = nullptr;
          if (AncestorComponent && !Child->Name().isEmpty())
            ChildAncestor = AncestorComponent->FindComponent(Child->Name());
          WriteComponentData(Child, ChildAncestor);
        },
        FRoot);
  WriteListEnd();
}

void TWriter::WriteProperties(TPersistent* Instance) { WritePropertiesAgainst(Instance, FAncestor); }

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* Prop)
{
  if (IsStoredProp(Instance, Prop))
    WritePropertyAgainst(Instance, Prop, FAncestor);
}

void TWriter::WritePropertiesAgainst(TPersistent* Instance, TPersistent* AncestorObject)
{
  const TClassInfo* Info = ClassInfoOf(Instance);
  if (!Info)
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(Instance->ClassName()));
  if (FDepth >= MaxWriteDepth)
    throw EWriteError(QStringLiteral("Objects nested too deeply"));
  TRestore<int32_t> Depth(FDepth, FDepth + 1);
  // Only an object of the same class can say which values are inherited.
  if (AncestorObject && ClassInfoOf(AncestorObject) != Info)
    AncestorObject = nullptr;
  TRestore<TPersistent*> Ancestor(FAncestor, AncestorObject);
  for (const TPropInfo* P : Info->AllProps())
    if (IsStoredProp(Instance, P))
      WritePropertyAgainst(Instance, P, AncestorObject);
  Instance->DefineProperties(this);
}

String TWriter::ReferenceName(TComponent* Component) const
{
  if (Component == FLookupRoot || (FLookupRoot && Component->Owner() == FLookupRoot))
    return Component->Name();
  const TComponent* Owner = Component->Owner();
  if (Owner && !Owner->Name().isEmpty() && !Component->Name().isEmpty())
    return Owner->Name() + QLatin1Char('.') + Component->Name();
  return String();
}

void TWriter::WritePropertyAgainst(TPersistent* Instance, const TPropInfo* P, TPersistent* Anc)
{
  switch (P->Kind) {
  case tkInteger:
  case tkInt64:
  case tkEnumeration:
  case tkBoolean:
  case tkSet: {
    if (!P->IsWritable())
      return;
    const int64_t V = GetOrdProp(Instance, P);
    if (Anc ? V == GetOrdProp(Anc, P) : (P->HasDefault && V == P->OrdDefault))
      return;
    WritePropName(P->Name);
    String Ident;
    if (P->Kind == tkBoolean) {
      WriteBoolean(V != 0);
    } else if (P->Kind == tkSet) {
      WriteSet(SetMemberNames(*P->EnumType, static_cast<uint64_t>(V)));
    } else if (OrdToIdent(P, V, Ident)) {
      WriteValue(vaIdent);
      WriteStr(Ident);
    } else if (P->Kind == tkInteger && P->OrdType() == otULong) {
      // A 32-bit unsigned value travels as its 32-bit pattern, so it never
      // needs more than a 32-bit integer in the stream.
      WriteInteger(static_cast<int32_t>(static_cast<uint32_t>(V)));
    } else {
      WriteInteger(V);
    }
    return;
  }
  case tkFloat: {
    if (!P->IsWritable())
      return;
    double V = GetFloatProp(Instance, P);
    int64_t Scaled = 0;
    if (P->FloatType() == ftCurr && FilerEncoding::DoubleToCurrency(V, Scaled))
      V = FilerEncoding::CurrencyToDouble(Scaled); // compared as it will be stored
    if (Anc ? SameFloat(V, GetFloatProp(Anc, P)) : V == P->FloatDefault)
      return;
    WritePropName(P->Name);
    switch (P->FloatType()) {
    case ftSingle:
      WriteSingle(static_cast<float>(V));
      break;
    case ftCurr:
      WriteCurrency(V);
      break;
    case ftDateTime:
      WriteDate(V);
      break;
    case ftDouble:
    case ftExtended:
      WriteFloat(V);
      break;
    }
    return;
  }
  case tkUString:
  case tkWString: {
    if (!P->IsWritable())
      return;
    const String V = GetStrProp(Instance, P);
    if (Anc ? V == GetStrProp(Anc, P) : V.isEmpty())
      return;
    WritePropName(P->Name);
    if (P->Kind == tkWString)
      WriteWideString(V);
    else
      WriteString(V);
    return;
  }
  case tkLString: {
    if (!P->IsWritable())
      return;
    const AnsiString V = GetAnsiStrProp(Instance, P);
    if (Anc ? V == GetAnsiStrProp(Anc, P) : V.isEmpty())
      return;
    WritePropName(P->Name);
    WriteAnsiString(V);
    return;
  }
  case tkClass: {
    TPersistent* Obj = GetObjectProp(Instance, P);
    TPersistent* AncObj = Anc ? GetObjectProp(Anc, P) : nullptr;
    auto* Comp = dynamic_cast<TComponent*>(Obj);
    if (Comp && !P->SubComponent) {
      if (!P->IsWritable())
        return;
      const String Name = ReferenceName(Comp);
      if (Name.isEmpty())
        return;
      if (auto* AncComp = dynamic_cast<TComponent*>(AncObj); AncComp && SameText(AncComp->Name(), Comp->Name()))
        return;
      WritePropName(P->Name);
      WriteValue(vaIdent);
      WriteStr(Name);
    } else if (!Obj) {
      if (AncObj && P->IsWritable()) {
        WritePropName(P->Name);
        WriteValue(vaNil);
      }
    } else if (auto* Coll = dynamic_cast<TCollection*>(Obj)) {
      auto* AncColl = dynamic_cast<TCollection*>(AncObj);
      if (Coll->Count() == 0 && (!AncColl || AncColl->Count() == 0))
        return;
      WritePropName(P->Name);
      WriteCollection(Coll);
    } else {
      TRestore<String> Path(FPropPath, FPropPath + P->Name + QLatin1Char('.'));
      WritePropertiesAgainst(Obj, AncObj);
    }
    return;
  }
  case tkMethod: {
    if (!GetMethodProp(Instance, P).has_value()) {
      if (Anc && GetMethodProp(Anc, P).has_value()) {
        WritePropName(P->Name);
        WriteValue(vaNil);
      }
      return;
    }
    String Name;
    if (OnFindMethodName)
      OnFindMethodName(this, Instance, P, Name);
    if (Name.isEmpty())
      return;
    if (Anc && OnFindMethodName) {
      String AncName;
      OnFindMethodName(this, Anc, P, AncName);
      if (SameText(AncName, Name))
        return;
    }
    WritePropName(P->Name);
    WriteValue(vaIdent);
    WriteStr(Name);
    return;
  }
  case tkStrings: {
    const TStringList* L = GetStringsProp(Instance, P);
    if (!L || L->Count() == 0)
      return;
    if (const TStringList* A = Anc ? GetStringsProp(Anc, P) : nullptr; A && A->Text() == L->Text())
      return;
    WritePropName(P->Name + QStringLiteral(".Strings"));
    WriteListBegin();
    for (int32_t I = 0; I < L->Count(); ++I)
      WriteString(L->Strings(I));
    WriteListEnd();
    return;
  }
  case tkUnknown:
    return;
  }
}

void TWriter::WriteCollection(TCollection* Value)
{
  WriteValue(vaCollection);
  // Item properties carry plain names, whatever object the collection
  // hangs under.
  TRestore<String> Path(FPropPath, String());
  for (int32_t I = 0; I < Value->Count(); ++I) {
    WriteListBegin();
    WritePropertiesAgainst(Value->Items(I), nullptr);
    WriteListEnd();
  }
  WriteListEnd();
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData)
{
  if (!HasData || !WriteData)
    return;
  WritePropName(Name);
  WriteData(*this);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData, bool HasData)
{
  if (!HasData || !WriteData)
    return;
  WritePropName(Name);
  WriteBinary(WriteData);
}
