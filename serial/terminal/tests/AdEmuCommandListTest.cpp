#include "serial/terminal/AdEmuCommandList.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TEST(AdEmuCommandList, ArgumentsAreText)
{
  TAdEmuCommandList L(nullptr);
  TAdEmuCommandListItem* I = L.AddCommand(ecColor);
  EXPECT_EQ(I->Command(), ecColor);
  EXPECT_EQ(L.Items(0), I);
  I->AddBooleanArg(true);
  I->AddIntegerArg(-42);
  I->AddTColorArg(0xFF000005); // a system colour: a negative Longint
  I->AddStringArg(QStringLiteral("text"));
  I->AddNamedBooleanArg(QStringLiteral("B"), false);
  I->AddNamedIntegerArg(QStringLiteral("N"), 7);
  I->AddNamedTColorArg(QStringLiteral("C"), clRed);
  I->AddNamedStringArg(QStringLiteral("S"), QStringLiteral("s"));
  const TAdEmuCommandParams* P = I->Params();
  ASSERT_EQ(P->Count(), 8);
  const std::vector<std::pair<String, String>> Expected = {
      {"", "TRUE"}, {"", "-42"}, {"", "-16777211"}, {"", "text"}, {"B", "FALSE"}, {"N", "7"}, {"C", "255"}, {"S", "s"},
  };
  for (int32_t K = 0; K < P->Count(); ++K) {
    EXPECT_EQ(P->Items(K)->Name(), Expected[size_t(K)].first) << K;
    EXPECT_EQ(P->Items(K)->Value(), Expected[size_t(K)].second) << K;
  }
  EXPECT_EQ(P->GetTColorValue(QString(), 2, clNone), 0xFF000005u);
  EXPECT_EQ(P->GetTColorValue(QStringLiteral("C"), 0, clNone), clRed);
}

TEST(AdEmuCommandList, ParametersByNameThenPositionThenDefault)
{
  TAdEmuCommandParams P(nullptr);
  const auto Add = [&P](const char* Name, const char* Value) {
    auto* I = static_cast<TAdEmuCommandParamsItem*>(P.Add());
    I->SetName(QString::fromLatin1(Name));
    I->SetValue(QString::fromLatin1(Value));
  };
  Add("", "5");
  Add("Col", "9");
  Add("Flag", "Yes");
  Add("", "maybe");
  Add("", "12abc");
  EXPECT_EQ(P.FindName(QStringLiteral("Col")), 1);
  EXPECT_EQ(P.FindName(QStringLiteral("col")), -1); // names are case-sensitive
  EXPECT_EQ(P.FindName(QString()), -1);

  struct IntCase {
    const char* Name;
    int32_t Position;
    int32_t Result;
  };
  const std::vector<IntCase> Ints = {
      {"Col", 0, 9},   // by name, whatever the position
      {"Row", 0, 5},   // no such name: by position
      {"Row", 1, 9},   // position 1 is the named item
      {"Row", 9, -1},  // outside the list: default
      {"Row", -1, -1}, // a negative position too
      {"", 4, -1},     // not a number
      {"Flag", 0, -1}, // not a number
  };
  for (const IntCase& C : Ints)
    EXPECT_EQ(P.GetIntegerValue(QString::fromLatin1(C.Name), C.Position, -1), C.Result) << C.Name << " " << C.Position;

  struct BoolCase {
    const char* Value;
    bool Default;
    bool Result;
  };
  const std::vector<BoolCase> Bools = {
      {"t", false, true},    {"TRUE", false, true},   {"1", false, true}, {"On", false, true},    {"Yes", false, true},
      {"f", true, false},    {"False", true, false},  {"0", true, false}, {"OFF", true, false},   {"no", true, false},
      {"maybe", true, true}, {"maybe", false, false}, {"", true, true},   {"yes ", false, false},
  };
  for (const BoolCase& C : Bools) {
    TAdEmuCommandParams B(nullptr);
    static_cast<TAdEmuCommandParamsItem*>(B.Add())->SetValue(QString::fromLatin1(C.Value));
    EXPECT_EQ(B.GetBooleanValue(QString(), 0, C.Default), C.Result) << '"' << C.Value << '"';
  }

  EXPECT_EQ(P.GetStringValue(QStringLiteral("Flag"), 0, QStringLiteral("d")), QStringLiteral("Yes"));
  EXPECT_EQ(P.GetStringValue(QStringLiteral("None"), 7, QStringLiteral("d")), QStringLiteral("d"));
}

} // namespace
