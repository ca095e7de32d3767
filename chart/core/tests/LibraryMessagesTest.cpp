// The library's texts: every message variable filled at start-up, the
// texts other code relies on, and emptied at shutdown.
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzProCo.h"

#include "rtl/Numbers.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(LibraryMessages, EveryVariableIsFilledAtStartUp)
{
  std::set<const String*> Seen;
  for (const auto& Set : {ZuzConstMessages(), ZuzProConstMessages()})
    for (const TZuzMessage& M : Set) {
      EXPECT_FALSE(M.Variable->isEmpty()) << M.Name;
      EXPECT_TRUE(Seen.insert(M.Variable).second) << M.Name << " listed twice";
    }
  // The two summary captions are separate variables with one text.
  EXPECT_NE(&ZuzMsg_DBSumEditCaption, &ZuzProCo::ZuzMsg_DBSumEditCaption);
  EXPECT_EQ(ZuzMsg_DBSumEditCaption, ZuzProCo::ZuzMsg_DBSumEditCaption);
}

TEST(LibraryMessages, TextsOthersRelyOn)
{
  struct Case {
    const String& Variable;
    QString Expected;
  };
  const Case Cases[] = {
      {ZuzMsg_AntiAlias, QStringLiteral("Anti-Alias")},
      {ZuzMsg_GalleryHorizBar, QStringLiteral("Horizontal\rBar")},
      {ZuzMsg_FunctionExpAverage, QStringLiteral("Exp.\rAverage")},
      {ZuzMsg_InvalidZuzFile, QStringLiteral("Invalid Chart in *.zuz file")},
      {ZuzMsg_WrongZuzFileFormat, QStringLiteral("Wrong *.zuz file format")},
      {ZuzMsg_EmptyZuzFile, QStringLiteral("Empty *.zuz file")},
      {ZuzMsg_DefValueFormat, QStringLiteral("#,##0.###")},
      {ZuzMsg_DefPercentFormat, QStringLiteral("##0.## %")},
      {ZuzMsg_DefLogValueFormat, QStringLiteral("#.0 \"x10\" E+0")},
      {ZuzMsg_SeriesDelete, QStringLiteral("Series Delete: ValueIndex %d out of bounds (0 to %d).")},
      {ZuzMsg_ValuesX, QStringLiteral("X")},
      {ZuzMsg_FunctionNone, QStringLiteral("Copy")},
      {ZuzMsg_DefaultFontSize, QStringLiteral("8")},
      {ZuzPolarDegreeSymbol, QStringLiteral("\u00b0")},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(C.Variable, C.Expected);
  EXPECT_EQ(ZuzMsg_GalleryHorizBar.size(), 14); // no line feed
  EXPECT_EQ(Format(ZuzMsg_DefaultPercentOf2, {QStringLiteral("25 %"), QStringLiteral("Cars")}),
            QStringLiteral("25 %\rof Cars"));
}

TEST(LibraryMessages, ShutdownEmptiesThemAndStartUpFillsThemAgain)
{
  FinalizeChartCore();
  for (const auto& Set : {ZuzConstMessages(), ZuzProConstMessages()})
    for (const TZuzMessage& M : Set)
      EXPECT_TRUE(M.Variable->isEmpty()) << M.Name;
  EXPECT_TRUE(NewLine.isEmpty());
  InitializeChartCore();
  EXPECT_EQ(NewLine, QStringLiteral("\r"));
  EXPECT_EQ(ZuzMsg_AntiAlias, QStringLiteral("Anti-Alias"));
  EXPECT_EQ(ZuzMsg_EmptyZuzFile, QStringLiteral("Empty *.zuz file"));
}
