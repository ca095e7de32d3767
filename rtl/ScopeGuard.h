#pragma once
// Clean-up that must run on every exit from a scope, written once where the
// state it undoes is set up:
//
//   X.BeginUpdate();
//   const auto End = ScopeExit([&] { X.EndUpdate(); });
//
// Unlike qScopeGuard, a clean-up that raises on a normal exit passes its
// exception on to the caller, as the same call written after the block
// would: an EndUpdate runs change handlers, and those may fail. While
// another exception is already on its way out, the clean-up's own one gives
// way to it (two at once would end the program) and is logged.
#include <exception>
#include <utility>

void LogLostCleanUpError(std::exception_ptr Error);

template <class F>
class [[nodiscard]] TScopeExit {
public:
  explicit TScopeExit(F Fn) : FFn(std::move(Fn)), FUnwinding(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false)
  {
    if (std::uncaught_exceptions() <= FUnwinding) {
      FFn();
      return;
    }
    try {
      FFn();
    } catch (...) {
      LogLostCleanUpError(std::current_exception());
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

private:
  F FFn;
  int FUnwinding;
};

template <class F>
[[nodiscard]] TScopeExit<F> ScopeExit(F Fn)
{
  return TScopeExit<F>(std::move(Fn));
}
