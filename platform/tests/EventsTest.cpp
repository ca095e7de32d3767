#include "platform/Events.h"

#include <gtest/gtest.h>

namespace {

struct THandlerOwner {
  int32_t Base = 0;
  int32_t Add(int32_t X) { return Base + X; }
  int32_t Sub(int32_t X) { return Base - X; }
};

} // namespace

TEST(Events, MethodIdentityComparesCodeApartFromObject)
{
  THandlerOwner A, B;
  const TMethod AAdd = MethodOf(&A, &THandlerOwner::Add);
  struct Case {
    TMethod Other;
    bool Equal;
    bool SameCode;
  } Cases[] = {
      {MethodOf(&A, &THandlerOwner::Add), true, true},
      {MethodOf(&B, &THandlerOwner::Add), false, true},
      {MethodOf(&A, &THandlerOwner::Sub), false, false},
      {TMethod{}, false, false},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(AAdd == C.Other, C.Equal);
    EXPECT_EQ(AAdd.SameCode(C.Other), C.SameCode);
  }
  EXPECT_TRUE(AAdd.Assigned());
  EXPECT_FALSE(TMethod{}.Assigned());
}

TEST(Events, MethodEventCallsTheBoundObject)
{
  THandlerOwner A, B;
  A.Base = 10;
  B.Base = 100;
  const auto EA = MethodEvent(&A, &THandlerOwner::Add);
  const auto EB = MethodEvent(&B, &THandlerOwner::Sub);
  EXPECT_EQ(EA.Fn(5), 15);
  EXPECT_EQ(EB.Fn(5), 95);
  EXPECT_EQ(EA.Method.Data, &A);
}
