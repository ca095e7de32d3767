#pragma once
// Published properties: what the component streaming, the editor pages and
// the property animations know about a class's properties, and reading and
// writing them by name or by dotted path ("Title.Font.Size").
//
// A class declares its published properties once, in its .cpp, with the
// helpers of platform/Published.h (one line per property). The tables are
// static: an object carries nothing for them. Each property has a kind, a
// getter, usually a setter, an optional declared default and stored test.
//
// Kinds and what their values are here:
//   tkInteger, tkInt64   integers of 8 to 64 bits (TOrdType), as int64_t;
//                        an integer property may carry names for some values
//                        (colours: "clRed" for 0x000000FF)
//   tkEnumeration        member index 0..Count-1 of its TEnumInfo
//   tkBoolean            0 or 1
//   tkSet                bit i set = member i of its TEnumInfo present
//   tkFloat              double (Single, Double, Extended, Currency, TDateTime)
//   tkUString, tkWString text; tkLString 8-bit bytes (AnsiString)
//   tkClass              a TPersistent: a nested object, whose own properties
//                        travel as "Prop.Sub", or a reference to a component
//                        by name
//   tkMethod             an event: a std::function member, held in std::any
//   tkStrings            a TStringList, travelling as "Prop.Strings" = (...)
#include "rtl/Types.h"

#include <any>
#include <cstdint>
#include <initializer_list>
#include <typeinfo>
#include <vector>

class QVariant;
class TPersistent;
class TClassInfo;
class TStringList;

enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,
  tkInt64,
  tkEnumeration,
  tkBoolean,
  tkSet,
  tkFloat,
  tkUString,
  tkLString,
  tkWString,
  tkClass,
  tkMethod,
  tkStrings,
};

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong, otSQWord, otUQWord };
enum TFloatType : uint8_t { ftSingle, ftDouble, ftExtended, ftCurr, ftDateTime };

// The member names of an enumeration, lowest value first.
class TEnumInfo {
public:
  TEnumInfo(const char* TypeName, std::initializer_list<const char*> Names);
  const String& TypeName() const { return FTypeName; }
  int32_t Count() const { return static_cast<int32_t>(FNames.size()); }
  // Empty for a value outside 0..Count-1.
  String Name(int64_t Value) const;
  // Case-insensitive; -1 when no member has that name.
  int32_t Value(const String& Name) const;

private:
  String FTypeName;
  std::vector<String> FNames;
};

// The members of Boolean, "False" and "True".
extern const TEnumInfo BooleanEnumInfo;

// Names for some values of an integer type (colours, cursors).
struct TIdentMapEntry {
  int32_t Value;
  const char* Name;
};

class TIdentMap {
public:
  TIdentMap(const char* TypeName, std::initializer_list<TIdentMapEntry> Entries);
  const String& TypeName() const { return FTypeName; }
  // The first entry with that value wins, so aliases may follow their
  // preferred name.
  bool IntToIdent(int64_t Value, String& Ident) const;
  // Case-insensitive.
  bool IdentToInt(const String& Ident, int64_t& Value) const;

private:
  String FTypeName;
  std::vector<std::pair<int32_t, String>> FEntries;
};

struct TPropInfo;

// Accessors behind a property, one pair per kind; they call the class's
// getter and setter (see Published.h).
namespace PropThunk {
using TGetOrd = int64_t (*)(const TPersistent*, const TPropInfo&);
using TSetOrd = void (*)(TPersistent*, const TPropInfo&, int64_t);
using TGetFloat = double (*)(const TPersistent*, const TPropInfo&);
using TSetFloat = void (*)(TPersistent*, const TPropInfo&, double);
using TGetStr = String (*)(const TPersistent*, const TPropInfo&);
using TSetStr = void (*)(TPersistent*, const TPropInfo&, const String&);
using TGetAnsi = AnsiString (*)(const TPersistent*, const TPropInfo&);
using TSetAnsi = void (*)(TPersistent*, const TPropInfo&, const AnsiString&);
using TGetObj = TPersistent* (*)(const TPersistent*, const TPropInfo&);
// False when the value is not of the property's class.
using TSetObj = bool (*)(TPersistent*, const TPropInfo&, TPersistent*);
using TGetMethod = std::any (*)(const TPersistent*, const TPropInfo&);
// False when the handler is not of the event's type.
using TSetMethod = bool (*)(TPersistent*, const TPropInfo&, const std::any&);
using TGetStrings = TStringList* (*)(const TPersistent*, const TPropInfo&);
using TStored = bool (*)(const TPersistent*, const TPropInfo&);
using TVoid = void (*)();
} // namespace PropThunk

struct TPropInfo {
  String Name;
  TTypeKind Kind = tkUnknown;
  uint8_t SubType = 0; // TOrdType for integers, TFloatType for floats
  bool HasDefault = false;
  bool NeverStored = false;
  // A component the object owns and streams as nested properties rather
  // than naming it as a reference.
  bool SubComponent = false;
  // A 32-bit pattern (colours): values read as signed, set from either
  // signed or unsigned numbers.
  bool Wraps32 = false;
  int64_t OrdDefault = 0;
  double FloatDefault = 0;
  const TEnumInfo* EnumType = nullptr;        // enumerations and sets
  const TIdentMap* Idents = nullptr;          // integers with names
  const std::type_info* ObjectType = nullptr; // tkClass: the declared class
  PropThunk::TVoid GetProc = nullptr;
  PropThunk::TVoid SetProc = nullptr; // none: read-only
  PropThunk::TStored StoredProc = nullptr;
  alignas(void*) unsigned char GetMember[16] = {};
  alignas(void*) unsigned char SetMember[16] = {};
  alignas(void*) unsigned char StoredMember[16] = {};

  TOrdType OrdType() const { return static_cast<TOrdType>(SubType); }
  TFloatType FloatType() const { return static_cast<TFloatType>(SubType); }
  bool IsWritable() const { return SetProc != nullptr; }
  bool IsOrdinal() const;
  bool IsString() const { return Kind == tkUString || Kind == tkLString || Kind == tkWString; }
  // "Integer", "Boolean", "TColor", the enumeration's or class's name ...
  String TypeName() const;
};

// ---------------------------------------------------------------- look-up

// nullptr when the class has no published property of that name
// (case-insensitive) or is not declared.
const TPropInfo* GetPropInfo(const TPersistent* Instance, const String& PropName);
const TPropInfo* GetPropInfo(const TClassInfo* AClass, const String& PropName);
// Every published property, the ancestors' first, each in declaration order;
// a republished property stands once, in its ancestor's place.
std::vector<const TPropInfo*> GetPropList(const TPersistent* Instance);
std::vector<const TPropInfo*> GetPropList(const TClassInfo* AClass);
bool IsPublishedProp(const TPersistent* Instance, const String& PropName);

// The property's stored test (a property declared never stored is not).
bool IsStoredProp(const TPersistent* Instance, const TPropInfo* Prop);
// True when the value equals the declared default: 0 for floats, empty for
// text, none for objects and events. Integers, enumerations, Booleans and
// sets without a declared default never count as default.
bool IsDefaultPropValue(const TPersistent* Instance, const TPropInfo* Prop);

// ---------------------------------------------------------------- typed access
// A 32-bit unsigned integer property also takes a negative 32-bit value as
// its bit pattern (-1 sets 4294967295), as streams carry such values.
// Wrong kinds raise EPropertyError "Invalid property type"; writing a
// read-only property raises EPropertyError "Property <X> is read-only";
// an out-of-range value raises EPropertyError "Invalid property value".

int64_t GetOrdProp(const TPersistent* Instance, const TPropInfo* Prop);
void SetOrdProp(TPersistent* Instance, const TPropInfo* Prop, int64_t Value);
String GetEnumProp(const TPersistent* Instance, const TPropInfo* Prop);
void SetEnumProp(TPersistent* Instance, const TPropInfo* Prop, const String& Value);
// "[a,b]" with the brackets, "a,b" without.
String GetSetProp(const TPersistent* Instance, const TPropInfo* Prop, bool Brackets = true);
void SetSetProp(TPersistent* Instance, const TPropInfo* Prop, const String& Value);
double GetFloatProp(const TPersistent* Instance, const TPropInfo* Prop);
void SetFloatProp(TPersistent* Instance, const TPropInfo* Prop, double Value);
// Any string kind; AnsiString properties convert as Windows-1252.
String GetStrProp(const TPersistent* Instance, const TPropInfo* Prop);
void SetStrProp(TPersistent* Instance, const TPropInfo* Prop, const String& Value);
AnsiString GetAnsiStrProp(const TPersistent* Instance, const TPropInfo* Prop);
void SetAnsiStrProp(TPersistent* Instance, const TPropInfo* Prop, const AnsiString& Value);
TPersistent* GetObjectProp(const TPersistent* Instance, const TPropInfo* Prop);
// Raises EPropertyError "Invalid property value" when Value is not of the
// property's class.
void SetObjectProp(TPersistent* Instance, const TPropInfo* Prop, TPersistent* Value);
// An empty std::any for an unassigned event, else the std::function.
std::any GetMethodProp(const TPersistent* Instance, const TPropInfo* Prop);
// An empty std::any clears the event; a handler of another type raises
// EPropertyError "Invalid property value".
void SetMethodProp(TPersistent* Instance, const TPropInfo* Prop, const std::any& Handler);
TStringList* GetStringsProp(const TPersistent* Instance, const TPropInfo* Prop);

// ---------------------------------------------------------------- text and variants

// The value as an editor shows it: integers in decimal (or their name, as
// "clRed"), enumerations by member name, Booleans "True"/"False", sets
// "[a,b]", floats as FloatToStr, text as is, objects by component name or
// "(TClass)", events "(assigned)" or empty, string lists as their text.
String GetPropText(const TPersistent* Instance, const TPropInfo* Prop);
// The reverse of GetPropText for every kind but objects, events and string
// lists (EPropertyError "Invalid property type"); a text that does not
// convert raises EConvertError or EPropertyError "Invalid property value".
void SetPropText(TPersistent* Instance, const TPropInfo* Prop, const String& Text);

// By dotted path. PreferStrings gives enumerations and sets by name (as the
// property links read them); otherwise their ordinal.
QVariant GetPropValue(const TPersistent* Instance, const String& Path, bool PreferStrings = true);
// Numbers, Booleans and texts convert to the property's type; a float
// goes to an ordinal property rounded, halves to even (6.5 gives 6).
void SetPropValue(TPersistent* Instance, const String& Path, const QVariant& Value);
String GetPropText(const TPersistent* Instance, const String& Path);
void SetPropText(TPersistent* Instance, const String& Path, const String& Text);

// ---------------------------------------------------------------- paths

// Walks a dotted path: every segment but the last must be an object
// property holding an object, or "ItemN" on a collection (item N, 0-based).
// On success Instance is the object that owns the last segment and the
// result that segment's property; nullptr when the path cannot be walked or
// the last segment is not a published property. Never raises.
const TPropInfo* FindPropPath(TPersistent*& Instance, const String& Path);
// The same, raising EPropertyError "Invalid property path" for a path that
// cannot be walked and "Property <X> does not exist" for a missing last
// segment.
const TPropInfo* GetPropPath(TPersistent*& Instance, const String& Path);

// ---------------------------------------------------------------- names

// The name an ordinal property gives a value: an enumeration's or Boolean's
// member, an integer's named value ("clRed"); false when it has none.
bool OrdToIdent(const TPropInfo* Prop, int64_t Value, String& Ident);
// The value such a name stands for (case-insensitive); false when no name
// of the property matches.
bool IdentToOrd(const TPropInfo* Prop, const String& Ident, int64_t& Value);
// The members present in a set value, lowest first.
std::vector<String> SetMemberNames(const TEnumInfo& Info, uint64_t Value);

// Sets: "[a,b]" (or "a,b"); parsing accepts either, blanks around names,
// and raises EPropertyError "Invalid property element: <X>" for a name that
// is not a member.
String SetToString(const TEnumInfo& Info, uint64_t Value, bool Brackets = true);
uint64_t StringToSet(const TEnumInfo& Info, const String& Value);
