#pragma once
// Events of components.
//
// An event is a std::function member with the event's given name
// (OnTimer, OnPortOpen, ...): assign a lambda or the result of MethodEvent,
// test it for emptiness before calling.
//
// A few places must find a handler again to remove it (the dispatcher's
// handler lists, the port's user callbacks), and compare handlers by their
// method, not by the object they are bound to. A std::function cannot be
// compared, so such a handler travels with a TMethod: the bound object plus
// the bytes of the member-function pointer. Two TMethods of the same member
// function are SameCode even when bound to different objects.
//
//   struct TPacketManager { void PortCallback(TObject* CP, bool Opening); };
//   auto Cb = MethodEvent(&Manager, &TPacketManager::PortCallback);
//   Cb.Fn(Port, true);                       // calls Manager.PortCallback
//   Cb.Method.SameCode(MethodOf(&Other, &TPacketManager::PortCallback)); // true
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>

#include "rtl/Object.h"

struct TMethod {
  // The member-function pointer's bytes; large enough for every pointer to
  // member function of the Itanium and Microsoft ABIs.
  std::array<unsigned char, 16> Code{};
  const void* Data = nullptr; // the object the method is bound to

  bool Assigned() const { return Code != std::array<unsigned char, 16>{}; }
  bool SameCode(const TMethod& Other) const { return Code == Other.Code; }
  bool operator==(const TMethod& Other) const = default;
};

template <class T, class F>
TMethod MethodOf(const T* Object, F T::*Method)
{
  static_assert(sizeof(Method) <= sizeof(TMethod::Code), "member pointer too large");
  TMethod M;
  std::memcpy(M.Code.data(), &Method, sizeof(Method));
  M.Data = Object;
  return M;
}

// A callable handler together with the identity it is removed by.
template <class Sig>
struct TMethodEvent {
  std::function<Sig> Fn;
  TMethod Method;
};

template <class T, class R, class... A>
TMethodEvent<R(A...)> MethodEvent(T* Object, R (T::*Method)(A...))
{
  return {[Object, Method](A... Args) -> R { return (Object->*Method)(std::forward<A>(Args)...); },
          MethodOf(Object, Method)};
}
