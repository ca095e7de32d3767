#pragma once
// Declaring a class's published properties. Include this in the class's
// .cpp only (never in a header): each property is one line, and the table
// is built once when the program starts.
//
//   namespace {
//   const TEnumInfo GradientDirectionInfo("TGradientDirection", {"gdTopBottom", "gdBottomTop"});
//   [[maybe_unused]] const TClassInfo& RegionClass = PublishClass<TFilterRegion>(
//       "TFilterRegion", "TPersistent",
//       {
//           PropInt("Height", &TFilterRegion::Height, &TFilterRegion::SetHeight, 0),
//           PropColor("Color", &TFilterRegion::Color, &TFilterRegion::SetColor, clBlack),
//           PropEnum("Direction", &TFilterRegion::Direction, &TFilterRegion::SetDirection,
//                    GradientDirectionInfo, gdTopBottom),
//           PropFloat("X", &TFilterRegion::X, &TFilterRegion::SetX).Stored(&TFilterRegion::IsXStored),
//           PropObj("Font", &TFilterRegion::Font, &TFilterRegion::SetFont),
//           PropEvent("OnChange", &TFilterRegion::OnChange),
//       });
//   } // namespace
//
// Getters are `R X() const` (or non-const, for objects created on first
// read), setters `void SetX(A)`; either may belong to a base class. Pass
// nullptr as setter for a read-only property. Without a default, integers,
// enumerations, Booleans and sets are always written; floats are written
// when not 0 (or the given default), texts when not empty, objects when
// present. The parent's properties come first; list only the class's own.
//
// Declaring a class registers it under its name (FindClass), and streams
// write that name, so let the class's ClassName() return the same. The
// declaration runs when the class's .cpp is linked in: a class that only
// streams ever create must be referenced from code that is linked (for
// instance ClassInfoFor<TMyClass>() in a unit's registration function).
#include "platform/ClassRegistry.h"
#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/TypInfo.h"

#include <cstring>
#include <functional>
#include <type_traits>

class TStringList;

namespace PublishDetail {

template <class M>
void Put(unsigned char (&Buf)[16], M Member)
{
  static_assert(sizeof(M) <= 16 && std::is_trivially_copyable_v<M>, "member pointer too large");
  std::memcpy(Buf, &Member, sizeof(M));
}

template <class M>
M Take(const unsigned char (&Buf)[16])
{
  M Member;
  std::memcpy(&Member, Buf, sizeof(M));
  return Member;
}

template <class G>
struct GetterTraits;
template <class B, class R>
struct GetterTraits<R (B::*)() const> {
  using Class = B;
  using Result = std::remove_cvref_t<R>;
};
template <class B, class R>
struct GetterTraits<R (B::*)()> {
  using Class = B;
  using Result = std::remove_cvref_t<R>;
};
template <class B, class R>
struct GetterTraits<R (B::*)() const noexcept> : GetterTraits<R (B::*)() const> {
};
template <class B, class R>
struct GetterTraits<R (B::*)() noexcept> : GetterTraits<R (B::*)()> {
};

template <class S>
struct SetterTraits;
template <class B, class R, class A>
struct SetterTraits<R (B::*)(A)> {
  using Class = B;
  using Arg = std::remove_cvref_t<A>;
};
template <class B, class R, class A>
struct SetterTraits<R (B::*)(A) noexcept> : SetterTraits<R (B::*)(A)> {
};

template <class G>
decltype(auto) CallGet(const TPersistent* Obj, const TPropInfo& P)
{
  using C = typename GetterTraits<G>::Class;
  static_assert(std::is_base_of_v<TPersistent, C>, "getter of a non-persistent class");
  const G Fn = Take<G>(P.GetMember);
  C* Self = const_cast<C*>(static_cast<const C*>(Obj));
  return (Self->*Fn)();
}

template <class S, class V>
void CallSet(TPersistent* Obj, const TPropInfo& P, V&& Value)
{
  using C = typename SetterTraits<S>::Class;
  static_assert(std::is_base_of_v<TPersistent, C>, "setter of a non-persistent class");
  const S Fn = Take<S>(P.SetMember);
  (static_cast<C*>(Obj)->*Fn)(std::forward<V>(Value));
}

template <class G>
int64_t GetOrd(const TPersistent* Obj, const TPropInfo& P)
{
  return static_cast<int64_t>(CallGet<G>(Obj, P));
}
// A 32-bit pattern as its signed value, whatever the getter's signedness.
template <class G>
int64_t GetOrd32(const TPersistent* Obj, const TPropInfo& P)
{
  return static_cast<int32_t>(static_cast<uint32_t>(CallGet<G>(Obj, P)));
}
template <class S>
void SetOrd(TPersistent* Obj, const TPropInfo& P, int64_t V)
{
  CallSet<S>(Obj, P, static_cast<typename SetterTraits<S>::Arg>(V));
}
template <class G>
double GetFloat(const TPersistent* Obj, const TPropInfo& P)
{
  return static_cast<double>(CallGet<G>(Obj, P));
}
template <class S>
void SetFloat(TPersistent* Obj, const TPropInfo& P, double V)
{
  CallSet<S>(Obj, P, static_cast<typename SetterTraits<S>::Arg>(V));
}
template <class G>
String GetStr(const TPersistent* Obj, const TPropInfo& P)
{
  return CallGet<G>(Obj, P);
}
template <class S>
void SetStr(TPersistent* Obj, const TPropInfo& P, const String& V)
{
  CallSet<S>(Obj, P, V);
}
template <class G>
AnsiString GetAnsi(const TPersistent* Obj, const TPropInfo& P)
{
  return CallGet<G>(Obj, P);
}
template <class S>
void SetAnsi(TPersistent* Obj, const TPropInfo& P, const AnsiString& V)
{
  CallSet<S>(Obj, P, V);
}
template <class G>
TPersistent* GetObj(const TPersistent* Obj, const TPropInfo& P)
{
  return CallGet<G>(Obj, P);
}
template <class S>
bool SetObj(TPersistent* Obj, const TPropInfo& P, TPersistent* V)
{
  using A = typename SetterTraits<S>::Arg; // T*
  using T = std::remove_pointer_t<A>;
  T* Typed = dynamic_cast<T*>(V);
  if (V && !Typed)
    return false;
  CallSet<S>(Obj, P, Typed);
  return true;
}
template <class G>
TStringList* GetStrings(const TPersistent* Obj, const TPropInfo& P)
{
  return CallGet<G>(Obj, P);
}
template <class F>
bool CallStored(const TPersistent* Obj, const TPropInfo& P)
{
  using C = typename GetterTraits<F>::Class;
  const F Fn = Take<F>(P.StoredMember);
  return static_cast<bool>((const_cast<C*>(static_cast<const C*>(Obj))->*Fn)());
}

template <class M>
struct EventTraits;
template <class B, class F>
struct EventTraits<F B::*> {
  using Class = B;
  using Fn = F;
};
template <class M>
std::any GetMethod(const TPersistent* Obj, const TPropInfo& P)
{
  using C = typename EventTraits<M>::Class;
  const M Member = Take<M>(P.GetMember);
  const auto& Fn = static_cast<const C*>(Obj)->*Member;
  return Fn ? std::any(Fn) : std::any();
}
template <class M>
bool SetMethod(TPersistent* Obj, const TPropInfo& P, const std::any& V)
{
  using C = typename EventTraits<M>::Class;
  using F = typename EventTraits<M>::Fn;
  const M Member = Take<M>(P.SetMember);
  auto& Fn = static_cast<C*>(Obj)->*Member;
  if (!V.has_value()) {
    Fn = nullptr;
    return true;
  }
  const F* Handler = std::any_cast<F>(&V);
  if (!Handler)
    return false;
  Fn = *Handler;
  return true;
}

template <class T>
constexpr TOrdType OrdTypeOf()
{
  if constexpr (std::is_same_v<T, bool>)
    return otUByte;
  else if constexpr (sizeof(T) == 1)
    return std::is_signed_v<T> ? otSByte : otUByte;
  else if constexpr (sizeof(T) == 2)
    return std::is_signed_v<T> ? otSWord : otUWord;
  else if constexpr (sizeof(T) == 4)
    return std::is_signed_v<T> ? otSLong : otULong;
  else
    return std::is_signed_v<T> ? otSQWord : otUQWord;
}

// A declared default, or none (an ordinal without one is always written).
struct TOrdDefault {
  bool Has = false;
  int64_t Value = 0;
  TOrdDefault() = default;
  TOrdDefault(int64_t V) : Has(true), Value(V) {}
};

template <class T>
using Underlying = std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>, std::type_identity<T>>;

} // namespace PublishDetail

// One published property being declared; the modifiers return a copy so
// they chain in the declaration table.
class TPropDecl : public TPropInfo {
public:
  // The property is written only when IsStored() returns true (besides
  // differing from its default).
  template <class F>
  TPropDecl Stored(F IsStored) const
  {
    TPropDecl D = *this;
    PublishDetail::Put(D.StoredMember, IsStored);
    D.StoredProc = &PublishDetail::CallStored<F>;
    return D;
  }
  // Stored(false): never written (it travels another way).
  TPropDecl Stored(bool Value) const
  {
    TPropDecl D = *this;
    D.NeverStored = !Value;
    return D;
  }
  // For a component property: the component belongs to the object and its
  // properties are written nested, not as a reference by name.
  TPropDecl AsSubComponent() const
  {
    TPropDecl D = *this;
    D.SubComponent = true;
    return D;
  }
};

namespace PublishDetail {

template <class G, class S>
TPropDecl Accessors(const char* Name, TTypeKind Kind, G Get, S Set, PropThunk::TVoid GetProc, PropThunk::TVoid SetProc)
{
  TPropDecl D;
  D.Name = QString::fromUtf8(Name);
  D.Kind = Kind;
  Put(D.GetMember, Get);
  D.GetProc = GetProc;
  if constexpr (!std::is_null_pointer_v<S>) {
    Put(D.SetMember, Set);
    D.SetProc = SetProc;
  }
  return D;
}

template <class G, class S>
TPropDecl Ordinal(const char* Name, TTypeKind Kind, G Get, S Set, TOrdDefault Default)
{
  PropThunk::TVoid SetProc = nullptr;
  if constexpr (!std::is_null_pointer_v<S>)
    SetProc = reinterpret_cast<PropThunk::TVoid>(&SetOrd<S>);
  TPropDecl D = Accessors(Name, Kind, Get, Set, reinterpret_cast<PropThunk::TVoid>(&GetOrd<G>), SetProc);
  using R = typename Underlying<typename GetterTraits<G>::Result>::type;
  static_assert(std::is_integral_v<R>, "an ordinal property needs an integral or enumeration getter");
  D.SubType = OrdTypeOf<R>();
  D.HasDefault = Default.Has;
  D.OrdDefault = Default.Value;
  return D;
}

} // namespace PublishDetail

// Integers of 8 to 64 bits, signed or unsigned.
template <class G, class S>
TPropDecl PropInt(const char* Name, G Get, S Set, PublishDetail::TOrdDefault Default = {})
{
  using R = typename PublishDetail::GetterTraits<G>::Result;
  return PublishDetail::Ordinal(Name, sizeof(R) == 8 ? tkInt64 : tkInteger, Get, Set, Default);
}

// An integer with names for some values (colours, cursors).
template <class G, class S>
TPropDecl PropIdent(const char* Name, G Get, S Set, const TIdentMap& Idents, PublishDetail::TOrdDefault Default = {})
{
  TPropDecl D = PropInt(Name, Get, Set, Default);
  D.Idents = &Idents;
  return D;
}

// A colour (any 32-bit integer type), written by name when it has one
// ("clRed", "clNone") and otherwise as a signed 32-bit number, as the
// binary format has always held it; both signed and unsigned numbers read.
template <class G, class S>
TPropDecl PropColor(const char* Name, G Get, S Set, PublishDetail::TOrdDefault Default = {})
{
  using R = typename PublishDetail::Underlying<typename PublishDetail::GetterTraits<G>::Result>::type;
  static_assert(sizeof(R) == 4, "PropColor needs a 32-bit getter");
  if (Default.Has)
    Default.Value = static_cast<int32_t>(static_cast<uint32_t>(Default.Value));
  TPropDecl D = PropIdent(Name, Get, Set, ColorIdentMap, Default);
  D.GetProc = reinterpret_cast<PropThunk::TVoid>(&PublishDetail::GetOrd32<G>);
  D.SubType = otSLong;
  D.Wraps32 = true;
  return D;
}

template <class G, class S>
TPropDecl PropBool(const char* Name, G Get, S Set, PublishDetail::TOrdDefault Default = {})
{
  TPropDecl P = PublishDetail::Ordinal(Name, tkBoolean, Get, Set, Default);
  P.EnumType = &BooleanEnumInfo;
  return P;
}

template <class G, class S>
TPropDecl PropEnum(const char* Name, G Get, S Set, const TEnumInfo& Info)
{
  TPropDecl P = PublishDetail::Ordinal(Name, tkEnumeration, Get, Set, PublishDetail::TOrdDefault());
  P.EnumType = &Info;
  return P;
}
template <class G, class S, class E>
TPropDecl PropEnum(const char* Name, G Get, S Set, const TEnumInfo& Info, E Default)
{
  TPropDecl P = PublishDetail::Ordinal(Name, tkEnumeration, Get, Set, static_cast<int64_t>(Default));
  P.EnumType = &Info;
  return P;
}

// A set of Info's members: the getter's bit i stands for member i.
template <class G, class S>
TPropDecl PropSet(const char* Name, G Get, S Set, const TEnumInfo& Info, PublishDetail::TOrdDefault Default = {})
{
  TPropDecl P = PublishDetail::Ordinal(Name, tkSet, Get, Set, Default);
  P.EnumType = &Info;
  return P;
}

namespace PublishDetail {
template <class G, class S>
TPropDecl Float(const char* Name, TFloatType Type, G Get, S Set, double Default)
{
  PropThunk::TVoid SetProc = nullptr;
  if constexpr (!std::is_null_pointer_v<S>)
    SetProc = reinterpret_cast<PropThunk::TVoid>(&SetFloat<S>);
  TPropDecl D = Accessors(Name, tkFloat, Get, Set, reinterpret_cast<PropThunk::TVoid>(&GetFloat<G>), SetProc);
  D.SubType = Type;
  D.FloatDefault = Default;
  D.HasDefault = true;
  return D;
}
} // namespace PublishDetail

// float getters are Single, double Double, long double Extended.
template <class G, class S>
TPropDecl PropFloat(const char* Name, G Get, S Set, double Default = 0)
{
  using R = typename PublishDetail::GetterTraits<G>::Result;
  static_assert(std::is_floating_point_v<R>, "PropFloat needs a floating-point getter");
  constexpr TFloatType Type = std::is_same_v<R, float> ? ftSingle : std::is_same_v<R, double> ? ftDouble : ftExtended;
  return PublishDetail::Float(Name, Type, Get, Set, Default);
}
template <class G, class S>
TPropDecl PropDate(const char* Name, G Get, S Set, double Default = 0)
{
  return PublishDetail::Float(Name, ftDateTime, Get, Set, Default);
}
// Four decimals, as the currency type holds them.
template <class G, class S>
TPropDecl PropCurrency(const char* Name, G Get, S Set, double Default = 0)
{
  return PublishDetail::Float(Name, ftCurr, Get, Set, Default);
}

namespace PublishDetail {
template <class G, class S>
TPropDecl Text(const char* Name, TTypeKind Kind, G Get, S Set)
{
  PropThunk::TVoid SetProc = nullptr;
  if constexpr (!std::is_null_pointer_v<S>)
    SetProc = reinterpret_cast<PropThunk::TVoid>(&SetStr<S>);
  return Accessors(Name, Kind, Get, Set, reinterpret_cast<PropThunk::TVoid>(&GetStr<G>), SetProc);
}
} // namespace PublishDetail

template <class G, class S>
TPropDecl PropStr(const char* Name, G Get, S Set)
{
  return PublishDetail::Text(Name, tkUString, Get, Set);
}
// Always written as UTF-16 in the binary form.
template <class G, class S>
TPropDecl PropWideStr(const char* Name, G Get, S Set)
{
  return PublishDetail::Text(Name, tkWString, Get, Set);
}
template <class G, class S>
TPropDecl PropAnsiStr(const char* Name, G Get, S Set)
{
  PropThunk::TVoid SetProc = nullptr;
  if constexpr (!std::is_null_pointer_v<S>)
    SetProc = reinterpret_cast<PropThunk::TVoid>(&PublishDetail::SetAnsi<S>);
  return PublishDetail::Accessors(Name, tkLString, Get, Set,
                                  reinterpret_cast<PropThunk::TVoid>(&PublishDetail::GetAnsi<G>), SetProc);
}

// A TPersistent (or component) property; without a setter the object's
// own properties are still read and written.
template <class G, class S = std::nullptr_t>
TPropDecl PropObj(const char* Name, G Get, S Set = nullptr)
{
  using R = typename PublishDetail::GetterTraits<G>::Result;
  static_assert(std::is_pointer_v<R>, "PropObj needs a getter returning a pointer");
  using T = std::remove_cv_t<std::remove_pointer_t<R>>;
  static_assert(std::is_base_of_v<TPersistent, T>, "PropObj needs a TPersistent class");
  PropThunk::TVoid SetProc = nullptr;
  if constexpr (!std::is_null_pointer_v<S>)
    SetProc = reinterpret_cast<PropThunk::TVoid>(&PublishDetail::SetObj<S>);
  TPropDecl D = PublishDetail::Accessors(Name, tkClass, Get, Set,
                                         reinterpret_cast<PropThunk::TVoid>(&PublishDetail::GetObj<G>), SetProc);
  D.ObjectType = &typeid(T);
  return D;
}

// A string list the object owns; written as "Name.Strings" = ('a' 'b').
template <class G>
TPropDecl PropStrings(const char* Name, G Get)
{
  return PublishDetail::Accessors(Name, tkStrings, Get, nullptr,
                                  reinterpret_cast<PropThunk::TVoid>(&PublishDetail::GetStrings<G>), nullptr);
}

// An event: a std::function data member.
template <class M>
TPropDecl PropEvent(const char* Name, M Member)
{
  static_assert(std::is_member_object_pointer_v<M>, "PropEvent needs a std::function member");
  TPropDecl D;
  D.Name = QString::fromUtf8(Name);
  D.Kind = tkMethod;
  PublishDetail::Put(D.GetMember, Member);
  PublishDetail::Put(D.SetMember, Member);
  D.GetProc = reinterpret_cast<PropThunk::TVoid>(&PublishDetail::GetMethod<M>);
  D.SetProc = reinterpret_cast<PropThunk::TVoid>(&PublishDetail::SetMethod<M>);
  return D;
}

// Declares class C under Name with the published properties Props (its
// own, not the parent's). C's factory follows its constructor: components
// take their owner, collection items their collection, other classes none.
template <class C>
const TClassInfo& PublishClass(const char* Name, const char* ParentName, std::initializer_list<TPropDecl> Props = {})
{
  static_assert(std::is_base_of_v<TPersistent, C>, "only persistent classes publish properties");
  TClassInfo::TDeclaration D;
  D.Name = QString::fromUtf8(Name);
  D.ParentName = QString::fromUtf8(ParentName);
  D.Type = &typeid(C);
  D.Props.assign(Props.begin(), Props.end());
  if constexpr (std::is_base_of_v<TComponent, C>) {
    D.Kind = TInstanceKind::Component;
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TComponent*>)
      D.Create = [](TPersistent* Arg) -> TPersistent* { return new C(static_cast<TComponent*>(Arg)); };
  } else if constexpr (std::is_base_of_v<TCollectionItem, C>) {
    D.Kind = TInstanceKind::CollectionItem;
    if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TCollection*>)
      D.Create = [](TPersistent* Arg) -> TPersistent* { return new C(static_cast<TCollection*>(Arg)); };
  } else {
    D.Kind = TInstanceKind::Persistent;
    if constexpr (!std::is_abstract_v<C> && std::is_default_constructible_v<C>)
      D.Create = [](TPersistent*) -> TPersistent* { return new C(); };
  }
  return DeclareClass(std::move(D));
}
