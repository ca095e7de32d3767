// The registries of series, function and tool kinds, and the colour
// palettes with the theme base.
#include "CoreTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/ColorPalettes.h"
#include "chart/core/CustomChart.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzCustomTool.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "platform/ClassRegistry.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

namespace {

// The series registry holds what a test registered only during the test.
class TypeRegistries : public ::testing::Test {
protected:
  void TearDown() override { FreeZuzTypeRegistries(); }
  const TClassInfo* Series = ClassInfoFor<TChartSeries>();
  const TClassInfo* Tool = ClassInfoFor<TZuzCustomTool>();

  int EntriesOf(const TClassInfo* C) const
  {
    int N = 0;
    for (int I = 0; I < ZuzSeriesTypes().Count(); ++I)
      N += ZuzSeriesTypes().Items(I)->SeriesClass == C;
    return N;
  }
};

} // namespace

TEST_F(TypeRegistries, RegisteringTwiceAddsOneEntryUnlessASubKind)
{
  RegisterZuzSeries(Series, &ZuzMsg_GalleryLine);
  RegisterZuzSeries(Series, &ZuzMsg_GalleryLine);
  EXPECT_EQ(EntriesOf(Series), 1);
  RegisterZuzSeriesFunction(Series, nullptr, &ZuzMsg_GalleryLine, &ZuzMsg_GalleryStandard, 2, 3);
  EXPECT_EQ(EntriesOf(Series), 2);
  EXPECT_EQ(ZuzSeriesTypes().Find(Series, 3)->SubIndex, 3);
  EXPECT_EQ(ZuzSeriesTypes().Find(Series, 0)->SubIndex, 0);
  UnRegisterZuzSeries({Series});
  EXPECT_EQ(EntriesOf(Series), 0);
}

TEST_F(TypeRegistries, FindByNameSkipsSeriesFunctionPairs)
{
  // The pair comes first; the name look-up returns the plain kind.
  RegisterZuzSeriesFunction(Series, Tool, &ZuzMsg_FunctionAdd, &ZuzMsg_GalleryStandard, 2, 0);
  EXPECT_EQ(ZuzSeriesTypes().Find(QStringLiteral("TChartSeries")), nullptr);
  RegisterZuzSeries(Series, &ZuzMsg_GalleryLine, &ZuzMsg_GalleryExtended, 0);
  EXPECT_EQ(EntriesOf(Series), 2);
  EXPECT_EQ(ZuzSeriesTypes().Find(QStringLiteral("TChartSeries")), Series);
  EXPECT_EQ(ZuzSeriesTypes().Find(QStringLiteral("tchartseries")), nullptr);
  // Found by name though hidden from the galleries.
  EXPECT_EQ(ZuzSeriesTypes().Find(Series)->NumGallerySeries, 0);
  UnRegisterZuzFunctions({Tool});
  EXPECT_EQ(EntriesOf(Series), 1);
}

TEST_F(TypeRegistries, GalleryNamesAndCaptions)
{
  TChartSeries S(nullptr);
  EXPECT_EQ(GetGallerySeriesName(&S), QStringLiteral("TChartSeries"));
  RegisterZuzSeries(Series, &ZuzMsg_GalleryHorizBar);
  EXPECT_EQ(GetGallerySeriesName(&S), ZuzMsg_GalleryHorizBar);
  EXPECT_TRUE(ZuzMsg_GalleryHorizBar.contains(QLatin1Char('\r')));
  EXPECT_EQ(ZuzSeriesTypes().Find(Series)->Caption(), QString(ZuzMsg_GalleryHorizBar).replace('\r', ' '));
  // A changed message changes the gallery text: the entry refers to it.
  const String Old = ZuzMsg_GalleryHorizBar;
  ZuzMsg_GalleryHorizBar = QStringLiteral("Barra");
  EXPECT_EQ(GetGallerySeriesName(&S), QStringLiteral("Barra"));
  ZuzMsg_GalleryHorizBar = Old;
}

TEST_F(TypeRegistries, ToolsAndAnimations)
{
  RegisterZuzTools({Tool, Tool});
  EXPECT_EQ(ZuzToolTypes().Count(), 1);
  EXPECT_EQ(ZuzToolTypes().Items(0), Tool);
  EXPECT_EQ(GetClass(QStringLiteral("TZuzCustomTool")), Tool);
  // Unregistering a class never listed still takes it out of streaming.
  const TClassInfo* Anim = ClassInfoFor<TZuzCustomAnimation>();
  UnRegisterZuzTools({Anim});
  EXPECT_EQ(ZuzToolTypes().Count(), 1);
  EXPECT_EQ(GetClass(QStringLiteral("TZuzCustomAnimation")), nullptr);
  RegisterZuzAnimations({Anim});
  EXPECT_EQ(ZuzAnimationTypes().Count(), 1);
  EXPECT_EQ(GetClass(QStringLiteral("TZuzCustomAnimation")), Anim);
  UnRegisterZuzTools({Tool});
  EXPECT_EQ(ZuzToolTypes().Count(), 0);
  RegisterClass(Tool);
}

TEST(ColorPalettes, TheBuiltInPalettes)
{
  TColorPalettes& P = ColorPalettes();
  EXPECT_EQ(P.Count(), 23);
  EXPECT_EQ(P.IndexOf(QStringLiteral("opera")), 13);
  EXPECT_EQ(P.IndexOf(QStringLiteral("Opéra")), -1);
  EXPECT_EQ(P.Name(0), ZuzMsg_ThemeFathomix);
  TColorArray A;
  P.GetPalette(13, A);
  ASSERT_EQ(A.size(), 12u);
  EXPECT_EQ(A[0], TColor(0xA36644));
  EXPECT_EQ(A[11], TColor(0xB4B4B4));
  const struct {
    int Index;
    size_t Colors;
  } Sizes[] = {{0, 0}, {1, 22}, {8, 25}, {16, 4}, {22, 10}};
  for (const auto& K : Sizes) {
    P.GetPalette(K.Index, A);
    EXPECT_EQ(A.size(), K.Colors) << K.Index;
  }
  P.GetPalette(23, A);
  EXPECT_TRUE(A.empty());
  P.GetPalette(-1, A);
  EXPECT_TRUE(A.empty());
  TStringList L;
  P.AddTo(&L, true);
  EXPECT_EQ(L.Count(), 24);
  EXPECT_EQ(L.Strings(0), ZuzMsg_Default);
  L.Clear();
  P.AddTo(&L, false);
  EXPECT_EQ(L.Count(), 23);
}

TEST(ColorPalettes, RegisteringAndApplying)
{
  TColorPalettes& P = ColorPalettes();
  P.RegisterPalette(QStringLiteral("WARM"), {0x01, 0x02});
  EXPECT_EQ(P.Count(), 23);
  TColorArray A;
  P.GetPalette(14, A);
  EXPECT_EQ(A, (TColorArray{0x01, 0x02}));
  P.RegisterPalette(QStringLiteral("Depths"), {0x0A});
  EXPECT_EQ(P.IndexOf(QStringLiteral("depths")), 23);

  TImageChart C;
  auto* S = new TChartSeries(&C);
  C.AddSeries(S);
  P.ApplyPalette(&C, 23);
  EXPECT_EQ(S->SeriesColor(), TColor(0x0A));
  // Palette 0 empties the chart's: the default palette applies, red first.
  P.ApplyPalette(&C, 0);
  EXPECT_TRUE(C.ColorPalette.empty());
  EXPECT_EQ(S->SeriesColor(), TColor(0x0000FF));
  FreeColorPalettes();
  EXPECT_EQ(ColorPalettes().Count(), 23);
}

TEST(ColorPalettes, TheDefaultPalette)
{
  SetDefaultColorPalette({0x10, 0x20, 0x30}, 1);
  EXPECT_EQ(ZuzColorPalette, (std::vector<TColor>{0x10, 0x20}));
  SetDefaultColorPalette({}, -1);
  ASSERT_EQ(ZuzColorPalette.size(), 20u);
  EXPECT_EQ(ZuzColorPalette[0], TColor(0x0000FF));
  EXPECT_EQ(ZuzColorPalette[19], TColor(0xA4A0A0));
  TChartTheme T(nullptr);
  EXPECT_EQ(T.Description(), ZuzMsg_ThemeDefault);
}
