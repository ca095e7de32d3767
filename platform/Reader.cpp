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

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

[[noreturn]] void InvalidFormat() { throw EReadError(QStringLiteral("Invalid stream format")); }
[[noreturn]] void ReadError() { throw EReadError(QStringLiteral("Stream read error")); }
[[noreturn]] void InvalidValue() { throw EReadError(QStringLiteral("Invalid property value")); }
[[noreturn]] void InvalidPath() { throw EReadError(QStringLiteral("Invalid property path")); }
[[noreturn]] void NoProperty(const String& Path)
{
  throw EReadError(QStringLiteral("Property %1 does not exist").arg(Path));
}

bool IsIntegerType(TValueType T) { return T == vaInt8 || T == vaInt16 || T == vaInt32 || T == vaInt64; }

} // namespace

struct TReader::TFixup {
  TPersistent* Instance; // nullptr once the object is gone
  const TPropInfo* Prop;
  String Name;       // the referenced component's name
  String ObjectName; // for the error message
  String Path;
};

// Bounds the recursion of nested objects, lists and collections.
class TReader::TDepthGuard {
public:
  explicit TDepthGuard(TReader& R) : FReader(R)
  {
    if (++FReader.FDepth > FReader.FMaxDepth) {
      --FReader.FDepth;
      throw EReadError(QStringLiteral("Objects nested too deeply"));
    }
  }
  ~TDepthGuard() { --FReader.FDepth; }
  TDepthGuard(const TDepthGuard&) = delete;
  TDepthGuard& operator=(const TDepthGuard&) = delete;

private:
  TReader& FReader;
};

TReader::TReader(TStream& Stream, int32_t BufSize) : TFiler(Stream, BufSize)
{
  FBuf.resize(static_cast<size_t>(FBufSize));
  FBufStart = FStream.Position();
  FStreamSize = FStream.Size();
}

TReader::~TReader()
{
  FixupBuffer();
  if (FReadLevel > 0)
    RegisterActiveReader(this, false);
}

void TReader::SetRoot(TComponent* Value) { TFiler::SetRoot(Value); }

// ---------------------------------------------------------------- buffer

bool TReader::FillBuffer()
{
  FBufStart += FBufEnd;
  FBufPos = 0;
  FBufEnd = 0;
  const int32_t N = FStream.Read(FBuf.data(), FBufSize);
  FBufEnd = N > 0 ? N : 0;
  return FBufEnd > 0;
}

uint8_t TReader::ReadByte()
{
  if (FBufPos >= FBufEnd && !FillBuffer())
    ReadError();
  return FBuf[static_cast<size_t>(FBufPos++)];
}

uint8_t TReader::PeekByte()
{
  if (FBufPos >= FBufEnd && !FillBuffer())
    ReadError();
  return FBuf[static_cast<size_t>(FBufPos)];
}

void TReader::Read(void* Buf, int32_t Count)
{
  if (Count <= 0)
    return;
  auto* Dest = static_cast<uint8_t*>(Buf);
  while (Count > 0) {
    if (FBufPos >= FBufEnd) {
      if (Count >= FBufSize) {
        // Large values go straight from the stream.
        FBufStart += FBufEnd;
        FBufPos = FBufEnd = 0;
        const int32_t N = FStream.Read(Dest, Count);
        if (N > 0)
          FBufStart += N;
        if (N != Count)
          ReadError();
        return;
      }
      if (!FillBuffer())
        ReadError();
    }
    const int32_t N = std::min(Count, FBufEnd - FBufPos);
    std::memcpy(Dest, FBuf.data() + FBufPos, static_cast<size_t>(N));
    FBufPos += N;
    Dest += N;
    Count -= N;
  }
}

int64_t TReader::Position() const { return FBufStart + FBufPos; }

void TReader::SetPosition(int64_t Value)
{
  if (Value >= FBufStart && Value <= FBufStart + FBufEnd) {
    FBufPos = static_cast<int32_t>(Value - FBufStart);
    return;
  }
  FStream.Seek(Value, soFromBeginning);
  FBufStart = Value;
  FBufPos = FBufEnd = 0;
}

void TReader::FixupBuffer()
{
  if (FBufPos < FBufEnd)
    FStream.Seek(Position(), soFromBeginning);
  FBufStart = Position();
  FBufPos = FBufEnd = 0;
}

int64_t TReader::Remaining() const
{
  const int64_t R = FStreamSize - Position();
  return R > 0 ? R : 0;
}

void TReader::CheckLength(int64_t Length)
{
  // A declared length beyond what is left is a truncated or hostile
  // stream: refuse before allocating anything for it.
  if (Length < 0 || Length > Remaining())
    ReadError();
}

// ---------------------------------------------------------------- values

namespace {
template <class T>
T LoadLE(const uint8_t* P)
{
  uint64_t V = 0;
  for (size_t I = 0; I < sizeof(T); ++I)
    V |= uint64_t(P[I]) << (8 * I);
  T Result;
  if constexpr (sizeof(T) == 8) {
    std::memcpy(&Result, &V, 8);
  } else {
    const auto Narrow = static_cast<std::conditional_t<sizeof(T) == 4, uint32_t, uint16_t>>(V);
    std::memcpy(&Result, &Narrow, sizeof(T));
  }
  return Result;
}
} // namespace

TValueType TReader::ReadValue() { return static_cast<TValueType>(ReadByte()); }

TValueType TReader::NextValue() { return static_cast<TValueType>(PeekByte()); }

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::CheckValue(TValueType Value)
{
  if (ReadValue() != Value)
    InvalidValue();
}

void TReader::ReadListBegin() { CheckValue(vaList); }

void TReader::ReadListEnd() { CheckValue(vaNull); }

int64_t TReader::ReadIntegerValue(TValueType Type)
{
  uint8_t B[8];
  switch (Type) {
  case vaInt8:
    return static_cast<int8_t>(ReadByte());
  case vaInt16:
    Read(B, 2);
    return LoadLE<int16_t>(B);
  case vaInt32:
    Read(B, 4);
    return LoadLE<int32_t>(B);
  case vaInt64:
    Read(B, 8);
    return LoadLE<int64_t>(B);
  default:
    InvalidValue();
  }
}

int32_t TReader::ReadInteger()
{
  const int64_t V = ReadIntegerValue(ReadValue());
  if (V < std::numeric_limits<int32_t>::min() || V > std::numeric_limits<int32_t>::max())
    InvalidValue();
  return static_cast<int32_t>(V);
}

int64_t TReader::ReadInt64() { return ReadIntegerValue(ReadValue()); }

bool TReader::ReadBoolean()
{
  const TValueType T = ReadValue();
  if (T != vaTrue && T != vaFalse)
    InvalidValue();
  return T == vaTrue;
}

double TReader::ReadFloatValue(TValueType Type)
{
  uint8_t B[10];
  switch (Type) {
  case vaExtended:
    Read(B, 10);
    return FilerEncoding::ExtendedToDouble(B);
  case vaDouble:
  case vaDate:
    Read(B, 8);
    return LoadLE<double>(B);
  case vaSingle:
    Read(B, 4);
    return static_cast<double>(LoadLE<float>(B));
  case vaCurrency:
    Read(B, 8);
    return FilerEncoding::CurrencyToDouble(LoadLE<int64_t>(B));
  default:
    if (IsIntegerType(Type))
      return static_cast<double>(ReadIntegerValue(Type));
    InvalidValue();
  }
}

double TReader::ReadFloat() { return ReadFloatValue(ReadValue()); }

float TReader::ReadSingle() { return static_cast<float>(ReadFloat()); }

double TReader::ReadDouble() { return ReadFloat(); }

double TReader::ReadCurrency() { return ReadFloat(); }

double TReader::ReadDate() { return ReadFloat(); }

String TReader::ReadStringValue(TValueType Type)
{
  uint8_t B[4];
  switch (Type) {
  case vaString: {
    const int32_t L = ReadByte();
    CheckLength(L);
    AnsiString S(L, Qt::Uninitialized);
    Read(S.data(), L);
    return FromAnsi(S);
  }
  case vaLString:
  case vaUTF8String: {
    Read(B, 4);
    const int32_t L = LoadLE<int32_t>(B);
    CheckLength(L);
    QByteArray S(L, Qt::Uninitialized);
    Read(S.data(), L);
    return Type == vaLString ? FromAnsi(S) : Utf8ToString(S.constData(), S.size());
  }
  case vaWString: {
    Read(B, 4);
    const int32_t L = LoadLE<int32_t>(B);
    CheckLength(int64_t(L) * 2);
    std::vector<uint8_t> Raw(static_cast<size_t>(L) * 2);
    Read(Raw.data(), L * 2);
    String S(L, Qt::Uninitialized);
    for (int32_t I = 0; I < L; ++I)
      S[I] = QChar(static_cast<char16_t>(Raw[2 * I] | (Raw[2 * I + 1] << 8)));
    return S;
  }
  default:
    InvalidValue();
  }
}

String TReader::ReadString() { return ReadStringValue(ReadValue()); }

AnsiString TReader::ReadAnsiString()
{
  const TValueType T = ReadValue();
  if (T == vaString) {
    const int32_t L = ReadByte();
    CheckLength(L);
    AnsiString S(L, Qt::Uninitialized);
    Read(S.data(), L);
    return S;
  }
  if (T == vaLString) {
    uint8_t B[4];
    Read(B, 4);
    const int32_t L = LoadLE<int32_t>(B);
    CheckLength(L);
    AnsiString S(L, Qt::Uninitialized);
    Read(S.data(), L);
    return S;
  }
  return ToAnsi(ReadStringValue(T));
}

String TReader::ReadIdent()
{
  switch (ReadValue()) {
  case vaIdent:
    return ReadStr();
  case vaFalse:
    return QStringLiteral("False");
  case vaTrue:
    return QStringLiteral("True");
  case vaNil:
    return QStringLiteral("nil");
  default:
    InvalidValue();
  }
}

String TReader::ReadStr()
{
  const int32_t L = ReadByte();
  CheckLength(L);
  char B[256];
  Read(B, L);
  return Utf8ToString(B, L);
}

std::vector<String> TReader::ReadSetNames()
{
  CheckValue(vaSet);
  std::vector<String> Names;
  for (;;) {
    String N = ReadStr();
    if (N.isEmpty())
      break;
    Names.push_back(std::move(N));
  }
  return Names;
}

QByteArray TReader::ReadBinary()
{
  CheckValue(vaBinary);
  uint8_t B[4];
  Read(B, 4);
  const int32_t L = LoadLE<int32_t>(B);
  CheckLength(L);
  QByteArray Data(L, Qt::Uninitialized);
  Read(Data.data(), L);
  return Data;
}

void TReader::SkipValue()
{
  TDepthGuard Guard(*this);
  auto Skip = [this](int64_t N) {
    CheckLength(N);
    SetPosition(Position() + N);
  };
  auto Length32 = [this]() {
    uint8_t B[4];
    Read(B, 4);
    return static_cast<int64_t>(LoadLE<int32_t>(B));
  };
  switch (ReadValue()) {
  case vaNull:
  case vaFalse:
  case vaTrue:
  case vaNil:
    return;
  case vaList:
  case vaCollection:
    while (!EndOfList())
      SkipValue();
    ReadListEnd();
    return;
  case vaInt8:
    Skip(1);
    return;
  case vaInt16:
    Skip(2);
    return;
  case vaInt32:
  case vaSingle:
    Skip(4);
    return;
  case vaInt64:
  case vaCurrency:
  case vaDate:
  case vaDouble:
    Skip(8);
    return;
  case vaExtended:
    Skip(10);
    return;
  case vaString:
    Skip(ReadByte());
    return;
  case vaIdent:
    Skip(ReadByte());
    return;
  case vaBinary:
  case vaLString:
  case vaUTF8String:
    Skip(Length32());
    return;
  case vaWString:
    Skip(Length32() * 2);
    return;
  case vaSet:
    while (!ReadStr().isEmpty()) {
    }
    return;
  default:
    InvalidFormat();
  }
}

void TReader::ReadSignature()
{
  char Sig[4];
  if (Remaining() < 4)
    InvalidFormat();
  Read(Sig, 4);
  if (std::memcmp(Sig, "TPF0", 4) != 0)
    InvalidFormat();
}

void TReader::ReadPrefix(uint8_t& Flags, int32_t& ChildPos)
{
  Flags = 0;
  ChildPos = 0;
  if ((PeekByte() & 0xF0) == 0xF0) {
    Flags = ReadByte() & 0x0F;
    if (Flags & ffChildPos)
      ChildPos = ReadInteger();
  }
}

// ---------------------------------------------------------------- classes

void TReader::SetAllowedClasses(std::vector<const TClassInfo*> Classes) { FAllowed = std::move(Classes); }

void TReader::SetAllowedBase(const TClassInfo* Base) { FAllowedBase = Base; }

bool TReader::AllowedClass(const TClassInfo* C) const
{
  if (!C || C->InstanceKind() != TInstanceKind::Component)
    return false;
  if (!FAllowed.empty() && std::find(FAllowed.begin(), FAllowed.end(), C) == FAllowed.end())
    return false;
  const TClassInfo* Base = FAllowedBase ? FAllowedBase : FindClassInfo(QStringLiteral("TComponent"));
  return C->InheritsFrom(Base);
}

const TClassInfo* TReader::FindComponentClass(const String& ClassName)
{
  const TClassInfo* C = GetClass(ClassName);
  if (OnFindComponentClass)
    OnFindComponentClass(this, ClassName, C);
  // A class that is registered but not allowed here reads as unknown: the
  // stream learns nothing about what else exists.
  if (!AllowedClass(C))
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(ClassName));
  if (!C->CanCreate())
    throw EFilerError(QStringLiteral("Cannot create %1").arg(ClassName));
  return C;
}

// ---------------------------------------------------------------- objects

void TReader::EnterRead()
{
  if (FReadLevel++ == 0) {
    RegisterActiveReader(this, true);
    FCreated = 0;
  }
}

void TReader::LeaveRead()
{
  if (--FReadLevel == 0)
    RegisterActiveReader(this, false);
}

void TReader::ForgetObject(const TPersistent* Object)
{
  for (TFixup& F : FFixups)
    if (F.Instance == Object)
      F.Instance = nullptr;
  for (TComponent*& C : FLoaded)
    if (C == Object)
      C = nullptr;
  for (TComponent*& C : FMadeHere)
    if (C == Object)
      C = nullptr;
  if (FOwner == Object)
    FOwner = nullptr;
  if (FParent == Object)
    FParent = nullptr;
  if (FCurrent == Object)
    FCurrent = nullptr;
  if (FRoot == Object)
    FRoot = nullptr;
  if (FLookupRoot == Object)
    FLookupRoot = nullptr;
}

void TReader::SetComponentName(TComponent* Component, const String& Name)
{
  String N = Name;
  if (OnSetName)
    OnSetName(this, Component, N);
  Component->SetName(N);
}

String TReader::UniqueRootName(TComponent* Root, const String& Name) const
{
  const TComponent* Owner = Root->Owner();
  if (Name.isEmpty() || !Owner)
    return Name;
  String Candidate = Name;
  for (int32_t N = 1;; ++N) {
    const TComponent* Existing = Owner->FindComponent(Candidate);
    if (!Existing || Existing == Root)
      return Candidate;
    Candidate = QStringLiteral("%1_%2").arg(Name).arg(N);
  }
}

String TReader::ErrorObjectName() const
{
  if (FCurrent && !FCurrent->Name().isEmpty())
    return FCurrent->Name();
  return FCurrentClassName;
}

TComponent* TReader::ReadRootComponent(TComponent* Root)
{
  EnterRead();
  std::unique_ptr<TComponent> Created;
  try {
    ReadSignature();
    uint8_t Flags = 0;
    int32_t ChildPos = 0;
    ReadPrefix(Flags, ChildPos);
    const String ClassName = ReadStr();
    if (!Root) {
      Created.reset(FindComponentClass(ClassName)->CreateComponent(nullptr));
      Root = Created.get();
      ++FCreated;
    }
    SetRoot(Root);
    const String Name = ReadStr();
    FCurrent = Root;
    FCurrentClassName = ClassName;
    Root->IncludeState(csLoading | csReading);
    if (std::find(FLoaded.begin(), FLoaded.end(), Root) == FLoaded.end())
      FLoaded.insert(FLoaded.begin(), Root);
    if (!(Root->ComponentState() & csDesigning))
      SetComponentName(Root, UniqueRootName(Root, Name));
    {
      TDepthGuard Guard(*this);
      Root->ReadState(this);
    }
    Root->ExcludeState(csReading);
    if (FReadLevel == 1)
      FinishRead();
  } catch (...) {
    if (FReadLevel == 1)
      AbandonRead();
    LeaveRead();
    throw;
  }
  LeaveRead();
  if (FReadLevel == 0)
    FixupBuffer();
  return Created ? Created.release() : Root;
}

TComponent* TReader::ReadComponent(TComponent* Component)
{
  EnterRead();
  TComponent* Result = Component;
  bool Created = false;
  // The component this call made, as long as it lives: a setter further
  // down may free it, and it must then not be freed again here.
  const size_t CreatedSlot = FMadeHere.size();
  FMadeHere.push_back(nullptr);
  TComponent* const SavedCurrent = FCurrent;
  const String SavedClassName = FCurrentClassName;
  try {
    TDepthGuard Guard(*this);
    uint8_t Flags = 0;
    int32_t ChildPos = 0;
    ReadPrefix(Flags, ChildPos);
    const String ClassName = ReadStr();
    const String Name = ReadStr();
    if (!Result) {
      if (Flags & ffInherited) {
        TComponent* Owner = FOwner ? FOwner : FRoot;
        Result = Owner ? Owner->FindComponent(Name) : nullptr;
        if (!Result)
          throw EFilerError(QStringLiteral("Ancestor for '%1' not found").arg(Name));
      } else {
        if (FCreated >= FMaxComponents)
          throw EReadError(QStringLiteral("Too many components in stream"));
        const TClassInfo* C = FindComponentClass(ClassName);
        Result = C->CreateComponent(FOwner ? FOwner : FRoot);
        Created = true;
        FMadeHere[CreatedSlot] = Result;
        ++FCreated;
      }
    }
    FCurrent = Result;
    FCurrentClassName = ClassName;
    Result->IncludeState(csLoading | csReading);
    if (std::find(FLoaded.begin(), FLoaded.end(), Result) == FLoaded.end())
      FLoaded.push_back(Result);
    if (!(Flags & ffInherited))
      SetComponentName(Result, Name);
    if (FParent && FParent != Result && Result->HasParent())
      Result->SetParentComponent(FParent);
    if ((Flags & ffChildPos) && FParent)
      FParent->SetChildOrder(Result, ChildPos);
    Result->ReadState(this);
    if (Created && !FMadeHere[CreatedSlot])
      throw EReadError(QStringLiteral("Component freed while it was read"));
    Result->ExcludeState(csReading);
    FMadeHere.pop_back();
    FCurrent = SavedCurrent;
    FCurrentClassName = SavedClassName;
    if (FReadLevel == 1)
      FinishRead();
  } catch (...) {
    FCurrent = SavedCurrent;
    FCurrentClassName = SavedClassName;
    // A component this read made and could not finish is not left behind.
    if (FMadeHere.size() > CreatedSlot) {
      TComponent* Made = FMadeHere[CreatedSlot];
      FMadeHere.resize(CreatedSlot);
      delete Made;
    }
    if (FReadLevel == 1)
      AbandonRead();
    LeaveRead();
    throw;
  }
  LeaveRead();
  if (FReadLevel == 0)
    FixupBuffer();
  return Result;
}

void TReader::ReadData(TComponent* Instance)
{
  while (!EndOfList())
    ReadProperty(Instance);
  ReadListEnd();
  TComponent* const SavedOwner = FOwner;
  TComponent* const SavedParent = FParent;
  FParent = Instance->GetChildParent();
  FOwner = Instance->GetChildOwner();
  if (!FOwner)
    FOwner = FRoot ? FRoot : Instance;
  const auto Restore = ScopeExit([&] {
    FOwner = SavedOwner;
    FParent = SavedParent;
  });
  while (!EndOfList()) {
    if (FIgnoreChildren) {
      SkipComponent();
      continue;
    }
    ReadComponent(nullptr);
    // A reader-made child may have freed the objects the read hangs on.
    if (!FOwner)
      FOwner = FRoot ? FRoot : Instance;
  }
  ReadListEnd();
}

void TReader::SkipComponent()
{
  TDepthGuard Guard(*this);
  uint8_t Flags = 0;
  int32_t ChildPos = 0;
  ReadPrefix(Flags, ChildPos);
  ReadStr();
  ReadStr();
  while (!EndOfList()) {
    ReadStr();
    SkipValue();
  }
  ReadListEnd();
  while (!EndOfList())
    SkipComponent();
  ReadListEnd();
}

void TReader::FinishRead()
{
  ResolveFixups();
  // By index: a Loaded may free another component, which then reads as
  // nullptr here.
  for (size_t I = 0; I < FLoaded.size(); ++I) {
    TComponent* C = FLoaded[I];
    if (!C)
      continue;
    FLoaded[I] = nullptr;
    C->ExcludeState(csReading);
    C->Loaded();
    C->ExcludeState(csLoading);
  }
  FLoaded.clear();
}

void TReader::AbandonRead()
{
  for (TComponent* C : FLoaded)
    if (C)
      C->ExcludeState(csLoading | csReading);
  FLoaded.clear();
  FFixups.clear();
  FPropName.clear();
}

// ---------------------------------------------------------------- properties

bool TReader::Error(const String& Message)
{
  bool Handled = false;
  if (OnError)
    OnError(this, Message, Handled);
  return Handled;
}

std::any TReader::FindMethod(const String& MethodName)
{
  std::any Handler;
  bool Failed = true;
  if (OnFindMethod)
    OnFindMethod(this, MethodName, Handler, Failed);
  if (Failed)
    throw EReadError(QStringLiteral("Method %1 not found").arg(MethodName));
  return Handler;
}

void TReader::ReadProperty(TPersistent* Instance)
{
  const String Path = ReadStr();
  const int64_t ValueStart = Position();
  FErrorReported = false;
  // A property read inside an object's own reader (a filter list reading
  // its filters' properties) may be skipped; the outer value's state is
  // what it was again once this one is done.
  const bool OuterCanSkip = FCanSkipError;
  FCanSkipError = true;
  try {
    TDepthGuard Guard(*this);
    ReadPropertyPath(Instance, Path);
  } catch (const Exception& E) {
    FPropName.clear();
    const bool CanSkip = FCanSkipError;
    FCanSkipError = OuterCanSkip;
    // Offered to Error once, by the innermost property it happened in.
    if (FErrorReported)
      throw;
    const String Msg = QStringLiteral("Error reading %1.%2: %3").arg(ErrorObjectName(), Path, E.Message());
    if (!CanSkip || !Error(Msg)) {
      FErrorReported = true;
      if (dynamic_cast<const EClassNotFound*>(&E))
        throw EClassNotFound(Msg);
      throw EReadError(Msg);
    }
    SetPosition(ValueStart);
    SkipValue();
    return;
  }
  FCanSkipError = OuterCanSkip;
}

void TReader::ReadPropertyPath(TPersistent* Instance, const String& Path)
{
  const QStringList Segments = Path.split(QLatin1Char('.'));
  TPersistent* Obj = Instance;
  for (qsizetype I = 0; I + 1 < Segments.size(); ++I) {
    const TPropInfo* P = GetPropInfo(Obj, Segments[I]);
    if (!P)
      NoProperty(Path);
    if (P->Kind == tkStrings && I + 2 == Segments.size() && SameText(Segments.last(), QStringLiteral("Strings"))) {
      ReadStrings(GetStringsProp(Obj, P));
      return;
    }
    if (P->Kind != tkClass)
      InvalidPath();
    TPersistent* Next = GetObjectProp(Obj, P);
    // A referenced component's properties belong to its own stream.
    if (!Next || (dynamic_cast<TComponent*>(Next) && !P->SubComponent))
      InvalidPath();
    Obj = Next;
  }
  const String Last = Segments.last();
  if (const TPropInfo* P = GetPropInfo(Obj, Last)) {
    ReadPropValue(Obj, P);
    return;
  }
  FPropName = Last;
  // A failure inside the object's own reader is not offered to Error: the
  // object has taken part of the value (points, filters, an inner chart)
  // and skipping the rest would leave it half made without a word.
  FCanSkipError = false;
  Obj->DefineProperties(this);
  FCanSkipError = true;
  if (!FPropName.isEmpty()) {
    FPropName.clear();
    NoProperty(Path);
  }
}

void TReader::ReadStrings(TStringList* List)
{
  if (!List)
    InvalidValue();
  ReadListBegin();
  List->Clear();
  while (!EndOfList())
    List->Add(ReadString());
  ReadListEnd();
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* Prop)
{
  switch (Prop->Kind) {
  case tkInteger:
  case tkInt64:
  case tkEnumeration:
  case tkBoolean: {
    const TValueType T = ReadValue();
    int64_t V = 0;
    if (Prop->Kind == tkBoolean && (T == vaTrue || T == vaFalse)) {
      V = T == vaTrue;
    } else if (T == vaIdent) {
      if (!IdentToOrd(Prop, ReadStr(), V))
        InvalidValue();
    } else {
      V = ReadIntegerValue(T);
    }
    if (Prop->Kind == tkBoolean && V != 0 && V != 1)
      InvalidValue();
    SetOrdProp(Instance, Prop, V);
    return;
  }
  case tkSet: {
    CheckValue(vaSet);
    uint64_t Mask = 0;
    for (;;) {
      const String Name = ReadStr();
      if (Name.isEmpty())
        break;
      const int32_t V = Prop->EnumType->Value(Name);
      if (V < 0 || V >= 64)
        InvalidValue();
      Mask |= uint64_t(1) << V;
    }
    SetOrdProp(Instance, Prop, static_cast<int64_t>(Mask));
    return;
  }
  case tkFloat:
    SetFloatProp(Instance, Prop, ReadFloat());
    return;
  case tkUString:
  case tkWString:
    SetStrProp(Instance, Prop, ReadString());
    return;
  case tkLString:
    SetAnsiStrProp(Instance, Prop, ReadAnsiString());
    return;
  case tkClass: {
    const TValueType T = ReadValue();
    if (T == vaNil) {
      SetObjectProp(Instance, Prop, nullptr);
    } else if (T == vaIdent) {
      const String Name = ReadStr();
      if (!Prop->IsWritable())
        throw EReadError(QStringLiteral("Property %1 is read-only").arg(Prop->Name));
      // Resolved once the whole stream is read: the component may come
      // later in it.
      FFixups.push_back(TFixup{Instance, Prop, Name, ErrorObjectName(), Prop->Name});
    } else if (T == vaCollection) {
      auto* Coll = dynamic_cast<TCollection*>(GetObjectProp(Instance, Prop));
      if (!Coll)
        InvalidValue();
      ReadCollection(Coll);
    } else {
      InvalidValue();
    }
    return;
  }
  case tkMethod: {
    const TValueType T = ReadValue();
    if (T == vaNil)
      SetMethodProp(Instance, Prop, std::any());
    else if (T == vaIdent)
      SetMethodProp(Instance, Prop, FindMethod(ReadStr()));
    else
      InvalidValue();
    return;
  }
  case tkStrings:
  case tkUnknown:
    break;
  }
  InvalidValue();
}

void TReader::ReadCollection(TCollection* Collection)
{
  TDepthGuard Guard(*this);
  Collection->BeginUpdate();
  const auto Updating = ScopeExit([&] { Collection->EndUpdate(); });
  if (!EndOfList())
    Collection->Clear();
  while (!EndOfList()) {
    const TValueType T = NextValue();
    if (T == vaInt8 || T == vaInt16 || T == vaInt32)
      ReadInteger();
    TCollectionItem* Item = Collection->Add();
    ReadListBegin();
    while (!EndOfList())
      ReadProperty(Item);
    ReadListEnd();
  }
  ReadListEnd();
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool)
{
  if (FPropName.isEmpty() || !ReadData || !SameText(Name, FPropName))
    return;
  FPropName.clear();
  ReadData(*this);
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&, bool)
{
  if (FPropName.isEmpty() || !ReadData || !SameText(Name, FPropName))
    return;
  FPropName.clear();
  CheckValue(vaBinary);
  uint8_t B[4];
  Read(B, 4);
  const int32_t L = LoadLE<int32_t>(B);
  CheckLength(L);
  TMemoryStream Data;
  Data.SetSize(L);
  Read(Data.Memory(), L);
  Data.SetPosition(0);
  ReadData(Data);
}

// ---------------------------------------------------------------- references

TComponent* TReader::FindNestedComponent(const String& Name) const
{
  const QStringList Segments = Name.split(QLatin1Char('.'));
  TComponent* Base = FLookupRoot ? FLookupRoot : FRoot;
  TComponent* C = nullptr;
  if (Base) {
    C = Base->FindComponent(Segments.first());
    if (!C && !Segments.first().isEmpty() && SameText(Base->Name(), Segments.first()))
      C = Base;
  }
  for (qsizetype I = 1; C && I < Segments.size(); ++I)
    C = C->FindComponent(Segments[I]);
  return C;
}

void TReader::ResolveFixups()
{
  // By index: a setter may free objects, whose entries then read nullptr.
  for (size_t I = 0; I < FFixups.size(); ++I) {
    const TFixup F = FFixups[I];
    if (!F.Instance)
      continue;
    try {
      TComponent* Target = FindNestedComponent(F.Name);
      if (!Target && OnFindComponent)
        OnFindComponent(this, F.Name, Target);
      if (!Target)
        throw EReadError(QStringLiteral("Component %1 not found").arg(F.Name));
      if (FFixups[I].Instance)
        SetObjectProp(F.Instance, F.Prop, Target);
    } catch (const Exception& E) {
      const String Msg = QStringLiteral("Error reading %1.%2: %3").arg(F.ObjectName, F.Path, E.Message());
      if (!Error(Msg))
        throw EReadError(Msg);
    }
  }
  FFixups.clear();
}
