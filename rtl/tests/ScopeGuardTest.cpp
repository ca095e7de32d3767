#include "rtl/ScopeGuard.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Runs a scope with a clean-up: the scope's body may raise, and so may the
// clean-up. Returns the message that reached the caller ("" for none).
std::string RunScope(bool BodyRaises, bool CleanUpRaises, int& CleanUps)
{
  try {
    const auto Done = ScopeExit([&] {
      ++CleanUps;
      if (CleanUpRaises)
        throw EInvalidOperation(QStringLiteral("clean-up"));
    });
    if (BodyRaises)
      throw EConvertError(QStringLiteral("body"));
  } catch (const std::exception& E) {
    return E.what();
  }
  return "";
}

} // namespace

TEST(ScopeExit, RunsOnceOnEveryExitAndPassesTheRightErrorOn)
{
  struct TCase {
    bool BodyRaises, CleanUpRaises;
    const char* Reaches;
  };
  const TCase Cases[] = {
      {false, false, ""},
      {true, false, "body"},
      // As the same call after the block: the caller hears of it.
      {false, true, "clean-up"},
      // The error on its way out keeps going; the clean-up's is logged.
      {true, true, "body"},
  };
  for (const TCase& C : Cases) {
    int CleanUps = 0;
    EXPECT_EQ(RunScope(C.BodyRaises, C.CleanUpRaises, CleanUps), C.Reaches) << C.BodyRaises << C.CleanUpRaises;
    EXPECT_EQ(CleanUps, 1) << C.BodyRaises << C.CleanUpRaises;
  }
}
