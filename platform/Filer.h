#pragma once
// Component streaming: the binary component stream ("TPF0") that forms,
// chart files, grid records and clipboard data are made of.
//
// A stream holds one object: an optional flags prefix, its class name and
// object name (one length byte, then UTF-8), its properties (name, then a
// value-type byte and the value) up to a 0 byte, its child objects up to a
// 0 byte. A property is written only when its stored test allows it and it
// differs from its declared default (or from the ancestor's value when an
// ancestor is written against). Objects add their own values with
// DefineProperties.
//
// Reading is safe on untrusted input: every length is bounded by what is
// left of the stream, nesting is bounded (MaxDepth), only allowed classes
// are created, and every failure is an exception (EReadError, EFilerError,
// EClassNotFound) that leaves no half-made component behind.
//
// Errors while reading a property ("Property <X> does not exist", "Invalid
// property value", a setter's own exception, an unresolved reference or
// method) become "Error reading <object>.<property>: <message>" and are
// offered to the virtual Error (by default OnError): when it answers true
// the value is skipped and reading goes on. An error inside an object's own
// reader of a defined property (a class it cannot find, a value of the
// wrong type) is never skipped: it propagates, wrapped the same way.
#include "rtl/Types.h"
#include "rtl/Object.h"

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TClassInfo;
class TCollection;
class TComponent;
class TPersistent;
class TStream;
class TStringList;
class TReader;
class TWriter;
struct TPropInfo;

// The value-type byte; the numbering is the binary format's.
enum TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};

// Flags of an object's prefix byte (0xF0 | flags): the object exists in
// the ancestor, its position among its siblings follows, it is inline.
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TStreamProc = std::function<void(TStream& Stream)>;

class TFiler : public TObject {
public:
  TFiler(TStream& Stream, int32_t BufSize);
  ~TFiler() override;

  // A value of the object's own: written as Name with whatever WriteData
  // writes (one value) when HasData; read by ReadData when the stream
  // names it.
  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  // The same as a binary value: WriteData fills a memory stream, ReadData
  // gets one holding exactly the stored bytes.
  virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                                    bool HasData) = 0;

  TStream& Stream() const { return FStream; }
  TComponent* Root() const { return FRoot; }
  virtual void SetRoot(TComponent* Value);
  // Where component references are looked up (by default the root).
  TComponent* LookupRoot() const { return FLookupRoot; }
  // The object being written against (its values are not written again);
  // nullptr when writing everything.
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* Value) { FAncestor = Value; }
  bool IgnoreChildren() const { return FIgnoreChildren; }
  void SetIgnoreChildren(bool Value) { FIgnoreChildren = Value; }

protected:
  TStream& FStream;
  int32_t FBufSize;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
  bool FIgnoreChildren = false;
};

class TReader : public TFiler {
public:
  explicit TReader(TStream& Stream, int32_t BufSize = 4096);
  // Puts the stream back at the end of what was read.
  ~TReader() override;

  // ---- whole objects
  // Signature, then the root object. Root nullptr: the stream's class is
  // created (it must be allowed) and returned, owned by the caller.
  // Otherwise the stream's class name is read but not compared, and the
  // root takes the stream's object name, made unique among its owner's
  // components, unless it is being designed. References are resolved and
  // Loaded called on every component read once the whole root is read.
  TComponent* ReadRootComponent(TComponent* Root);
  // One object (no signature). Component nullptr: the stream's class is
  // created with Owner(); an inherited object is looked up by name instead.
  // Outside a root read, references are resolved and Loaded is called at
  // its end.
  TComponent* ReadComponent(TComponent* Component);
  // Properties up to the end of the list, then the child objects.
  void ReadData(TComponent* Instance);
  // One property (name and value) into Instance.
  void ReadProperty(TPersistent* Instance);
  // The items of a collection; the vaCollection byte is already read.
  void ReadCollection(TCollection* Collection);
  // Raises EReadError "Invalid stream format" unless the next four bytes
  // are "TPF0".
  void ReadSignature();
  void ReadPrefix(uint8_t& Flags, int32_t& ChildPos);

  // ---- values; a value of another type raises EReadError "Invalid
  // property value", a truncated one "Stream read error".
  TValueType ReadValue();
  TValueType NextValue();
  bool EndOfList();
  void CheckValue(TValueType Value);
  void ReadListBegin();
  void ReadListEnd();
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  // Any float or integer value.
  double ReadFloat();
  float ReadSingle();
  double ReadDouble();
  double ReadCurrency();
  double ReadDate();
  // Any string value (8-bit strings as Windows-1252).
  String ReadString();
  // An 8-bit string value as its bytes; other string values as
  // Windows-1252.
  AnsiString ReadAnsiString();
  // An identifier value; False, True and nil come back as those names.
  String ReadIdent();
  // A short string: length byte, then UTF-8 (names).
  String ReadStr();
  // The member names of a set value.
  std::vector<String> ReadSetNames();
  // The bytes of a binary value (type byte included).
  QByteArray ReadBinary();
  // Skips one whole value of any type.
  void SkipValue();
  void Read(void* Buf, int32_t Count);

  // ---- position within the stream
  int64_t Position() const;
  void SetPosition(int64_t Value);
  // Hands the unread part of the buffer back to the stream.
  void FixupBuffer();

  // ---- limits and allowed classes
  int32_t MaxDepth() const { return FMaxDepth; }
  void SetMaxDepth(int32_t Value) { FMaxDepth = Value; }
  // Components created by one read (names are unique per owner, so each
  // new component costs a look-up among its siblings).
  int32_t MaxComponents() const { return FMaxComponents; }
  void SetMaxComponents(int32_t Value) { FMaxComponents = Value; }
  // Only these classes may be created (besides any rule below).
  void SetAllowedClasses(std::vector<const TClassInfo*> Classes);
  // Created classes must inherit this one (TComponent by default).
  void SetAllowedBase(const TClassInfo* Base);
  // A registered component class allowed here; raises EClassNotFound
  // "Class <X> not found" otherwise, also for a class that exists but is
  // not allowed.
  const TClassInfo* FindComponentClass(const String& ClassName);

  TComponent* Owner() const { return FOwner; }
  void SetOwner(TComponent* Value) { FOwner = Value; }
  TComponent* Parent() const { return FParent; }
  void SetParent(TComponent* Value) { FParent = Value; }
  void SetRoot(TComponent* Value) override;

  // ---- hooks
  // Handled true: skip the failed property and go on.
  std::function<void(TReader* Reader, const String& Message, bool& Handled)> OnError;
  // Called for an event handler name. Set Handler to a std::function of the
  // event's type, or leave it empty to leave the event unassigned; Error
  // (true on entry) false accepts the outcome, true fails the property with
  // "Method <X> not found".
  std::function<void(TReader* Reader, const String& MethodName, std::any& Handler, bool& Error)> OnFindMethod;
  // May choose another class for a class name.
  std::function<void(TReader* Reader, const String& ClassName, const TClassInfo*& ComponentClass)> OnFindComponentClass;
  std::function<void(TReader* Reader, TComponent* Component, String& Name)> OnSetName;
  // Resolves a reference that is not found under the root.
  std::function<void(TReader* Reader, const String& Name, TComponent*& Component)> OnFindComponent;

  // True: skip. The base asks OnError (false without it).
  virtual bool Error(const String& Message);
  virtual std::any FindMethod(const String& MethodName);

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // Drops everything that refers to Object (it is being destroyed).
  void ForgetObject(const TPersistent* Object);

private:
  struct TFixup;
  class TDepthGuard;

  uint8_t ReadByte();
  uint8_t PeekByte();
  bool FillBuffer();
  int64_t Remaining() const;
  void CheckLength(int64_t Length);
  int64_t ReadIntegerValue(TValueType Type);
  double ReadFloatValue(TValueType Type);
  String ReadStringValue(TValueType Type);
  void ReadPropertyPath(TPersistent* Instance, const String& Path);
  void ReadPropValue(TPersistent* Instance, const TPropInfo* Prop);
  void ReadStrings(TStringList* List);
  void SkipComponent();
  bool AllowedClass(const TClassInfo* C) const;
  void SetComponentName(TComponent* Component, const String& Name);
  String UniqueRootName(TComponent* Root, const String& Name) const;
  TComponent* FindNestedComponent(const String& Name) const;
  void ResolveFixups();
  void FinishRead();
  void AbandonRead();
  String ErrorObjectName() const;
  void EnterRead();
  void LeaveRead();

  std::vector<uint8_t> FBuf;
  int32_t FBufPos = 0;
  int32_t FBufEnd = 0;
  int64_t FBufStart = 0; // stream position of FBuf[0]
  int64_t FStreamSize = 0;

  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  TComponent* FCurrent = nullptr;
  String FCurrentClassName;
  String FPropName; // the defined property being looked for
  int32_t FDepth = 0;
  int32_t FMaxDepth = 64;
  int32_t FMaxComponents = 65536;
  int32_t FCreated = 0;
  int32_t FReadLevel = 0; // nesting of top-level operations
  std::vector<const TClassInfo*> FAllowed;
  const TClassInfo* FAllowedBase = nullptr;
  std::vector<TFixup> FFixups;
  std::vector<TComponent*> FLoaded;
  std::vector<TComponent*> FMadeHere; // per nested ReadComponent
  // The failing property has been offered to Error; enclosing properties
  // pass the exception on unchanged.
  bool FErrorReported = false;
  // False while an object's own reader (DefineProperties) runs.
  bool FCanSkipError = true;
};

class TWriter : public TFiler {
public:
  explicit TWriter(TStream& Stream, int32_t BufSize = 4096);
  // Flushes what is left; a failure there is logged, so call FlushBuffer
  // when writing values by hand (the component writes flush themselves).
  ~TWriter() override;

  // ---- whole objects (each flushes at its end)
  // Signature and Root with Root as root and lookup root.
  void WriteRootComponent(TComponent* Root);
  // The same, written against AAncestor (nullptr: everything).
  void WriteDescendent(TComponent* Root, TComponent* AAncestor);
  // One object with its children, without signature.
  void WriteComponent(TComponent* Component);
  void WriteSignature();
  void WritePrefix(uint8_t Flags, int32_t ChildPos);
  // Published properties that are stored and not default, then the
  // object's defined properties.
  void WriteProperties(TPersistent* Instance);
  void WriteProperty(TPersistent* Instance, const TPropInfo* Prop);
  void WriteCollection(TCollection* Value);

  // ---- values
  void WriteValue(TValueType Value);
  void WriteListBegin();
  void WriteListEnd();
  // The smallest of vaInt8, vaInt16, vaInt32, vaInt64 that holds Value.
  void WriteInteger(int64_t Value);
  void WriteBoolean(bool Value);
  // vaExtended, 10 bytes.
  void WriteFloat(double Value);
  void WriteSingle(float Value);
  void WriteDouble(double Value);
  // Raises EWriteError "Invalid currency value" beyond the currency range.
  void WriteCurrency(double Value);
  void WriteDate(double Value);
  // UTF-8 when shorter than twice the character count (vaUTF8String with
  // bytes from 128 up, else vaString up to 255 bytes, else vaLString);
  // otherwise vaWString. Text with unpaired surrogates always goes wide.
  void WriteString(const String& Value);
  void WriteWideString(const String& Value);
  void WriteUTF8String(const String& Value);
  // 8-bit bytes: vaString up to 255, else vaLString.
  void WriteAnsiString(const AnsiString& Value);
  // vaFalse, vaTrue, vaNil for those names (any case), else vaIdent.
  void WriteIdent(const String& Ident);
  // Length byte and UTF-8; raises EWriteError "Name too long" beyond 255
  // bytes.
  void WriteStr(const String& Value);
  void WriteSet(const std::vector<String>& Names);
  void WriteBinary(const TStreamProc& WriteData);
  void WriteBinaryData(const QByteArray& Data);
  // The property name with the current path prefix.
  void WritePropName(const String& Name);
  void Write(const void* Buf, int32_t Count);
  void FlushBuffer();

  // The "Sub." prefix of nested object properties; cleared for the items
  // of a collection.
  const String& PropPath() const { return FPropPath; }
  void SetPropPath(const String& Value) { FPropPath = Value; }

  // Gives the handler name to write for an assigned event; an event left
  // without a name is not written (a bound lambda has none).
  std::function<void(TWriter* Writer, TPersistent* Instance, const TPropInfo* Prop, String& MethodName)>
      OnFindMethodName;

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

private:
  void WriteComponentData(TComponent* Component, TComponent* AncestorComponent);
  void WritePropertiesAgainst(TPersistent* Instance, TPersistent* AncestorObject);
  void WritePropertyAgainst(TPersistent* Instance, const TPropInfo* Prop, TPersistent* AncestorObject);
  String ReferenceName(TComponent* Component) const;

  QByteArray FBuffer;
  String FPropPath;
  int32_t FDepth = 0;
};

// ---------------------------------------------------------------- stream helpers

// The whole component stream of Instance (signature, Instance as root).
void WriteComponentToStream(TStream& Stream, TComponent* Instance);
// Reads a whole component stream into Instance (nullptr: creates the
// stream's class, owned by the caller). Every component the stream creates,
// the root included, must be a registered class inheriting AllowedBase (by
// default TComponent).
TComponent* ReadComponentFromStream(TStream& Stream, TComponent* Instance, const TClassInfo* AllowedBase = nullptr);

// Called by TPersistent's destructor.
void ForgetReaderReferences(const TPersistent* Object);
