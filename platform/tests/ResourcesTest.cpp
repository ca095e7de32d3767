#include "platform/Resources.h"

#include <gtest/gtest.h>

namespace {

int MadeCount = 0;

QByteArray MakeData()
{
  ++MadeCount;
  return QByteArrayLiteral("made");
}

TEST(Resources, FoundByTypeAndNameIgnoringCase)
{
  RegisterResource(RT_RCDATA, QStringLiteral("TestBlock"), QByteArrayLiteral("abc"));
  EXPECT_EQ(FindResourceData("rcdata", QStringLiteral("TESTBLOCK")), QByteArrayLiteral("abc"));
  EXPECT_EQ(FindResourceData("BITMAP", QStringLiteral("TestBlock")), std::nullopt);
  EXPECT_EQ(FindResourceData(RT_RCDATA, QStringLiteral("Other")), std::nullopt);
  // A second registration replaces the first.
  RegisterResource(RT_RCDATA, QStringLiteral("testblock"), QByteArrayLiteral("new"));
  EXPECT_EQ(FindResourceData(RT_RCDATA, QStringLiteral("TestBlock")), QByteArrayLiteral("new"));
  UnregisterResource(RT_RCDATA, QStringLiteral("TESTBLOCK"));
  EXPECT_EQ(FindResourceData(RT_RCDATA, QStringLiteral("TestBlock")), std::nullopt);
}

TEST(Resources, MadeOnceWhenFirstAskedFor)
{
  MadeCount = 0;
  RegisterResource(RT_RCDATA, QStringLiteral("Lazy"), &MakeData);
  EXPECT_EQ(MadeCount, 0);
  EXPECT_EQ(FindResourceData(RT_RCDATA, QStringLiteral("Lazy")), QByteArrayLiteral("made"));
  EXPECT_EQ(FindResourceData(RT_RCDATA, QStringLiteral("Lazy")), QByteArrayLiteral("made"));
  EXPECT_EQ(MadeCount, 1);
  UnregisterResource(RT_RCDATA, QStringLiteral("Lazy"));
}

} // namespace
