#pragma once
// What a fuzz target does when a round trip it checks does not hold: both
// sides go to the log in hex, and the abort makes libFuzzer keep the input.
#include <QByteArray>

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void Fail(const char* What, const QByteArray& A, const QByteArray& B)
{
  std::fprintf(stderr, "invariant broken: %s\n--- first (%lld bytes)\n%s\n--- second (%lld bytes)\n%s\n", What,
               static_cast<long long>(A.size()), A.toHex(' ').constData(), static_cast<long long>(B.size()),
               B.toHex(' ').constData());
  std::abort();
}
