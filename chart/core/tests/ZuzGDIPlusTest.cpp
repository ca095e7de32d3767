// The GDI+ component: switching a panel between the GDI and the
// anti-aliased canvas and keeping the canvas's settings in step.
#include "chart/core/ZuzGDIPlus.h"
#include "chart/core/CustomZuzPanel.h"

#include "chart/canvas/ZuzCanvas3D.h"
#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

namespace {
bool DrawsWithGDIPlus(TCustomZuzPanel& P) { return dynamic_cast<TGDIPlusCanvas*>(P.InternalCanvas()) != nullptr; }

String AsText(TComponent* C)
{
  TMemoryStream Bin, Text;
  WriteComponentToStream(Bin, C);
  Bin.SetPosition(0);
  ObjectBinaryToText(Bin, Text);
  return QString::fromUtf8(reinterpret_cast<const char*>(Text.Memory()), static_cast<qsizetype>(Text.Size()));
}
} // namespace

TEST(ZuzGDIPlus, ActivatesOnlyWithAPanel)
{
  TCustomZuzPanel P(nullptr);
  P.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  TZuzGDIPlus G(nullptr);
  G.SetActive(true);
  EXPECT_TRUE(G.Active());
  EXPECT_EQ(G.Canvas(), nullptr);
  EXPECT_FALSE(DrawsWithGDIPlus(P));

  G.SetZuzPanel(&P);
  ASSERT_TRUE(DrawsWithGDIPlus(P));
  EXPECT_EQ(G.Canvas(), P.InternalCanvas());
  EXPECT_EQ(G.Canvas()->Tag, &G);
  EXPECT_EQ(P.DefaultCanvas(), QStringLiteral("TGDIPlusCanvas"));

  G.SetActive(false);
  EXPECT_FALSE(DrawsWithGDIPlus(P));
  EXPECT_EQ(P.InternalCanvas()->ClassName(), QStringLiteral("TZuzCanvas3D"));
  G.SetActive(true);
  ASSERT_TRUE(DrawsWithGDIPlus(P));

  G.SetZuzPanel(nullptr);
  EXPECT_FALSE(G.Active());
  EXPECT_FALSE(DrawsWithGDIPlus(P));
}

TEST(ZuzGDIPlus, KeepsTheCanvasSettingsInStep)
{
  TCustomZuzPanel P(nullptr);
  P.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  P.InternalCanvas()->SetUseBuffer(false);
  TZuzGDIPlus G(nullptr);
  // Without an anti-aliased canvas only the component changes.
  G.SetZuzPanel(&P);
  G.SetAntialias(false);
  G.SetAntialiasText(gpfNormal);
  G.SetScale(1.5f);
  EXPECT_FALSE(DrawsWithGDIPlus(P));
  EXPECT_FALSE(G.Antialias());

  G.SetActive(true);
  TGDIPlusCanvas* C = G.Canvas();
  ASSERT_NE(C, nullptr);
  EXPECT_FALSE(C->GetUseBuffer()) << "the buffering of the canvas it replaced";
  EXPECT_FALSE(C->AntiAlias());
  EXPECT_EQ(C->AntiAliasText(), gpfNormal);
  EXPECT_FLOAT_EQ(C->Scale(), 1.5f);
  G.SetAntialias(true);
  G.SetScale(2);
  EXPECT_TRUE(C->AntiAlias());
  EXPECT_FLOAT_EQ(C->Scale(), 2);

  // Linking an inactive component gives the panel the GDI canvas.
  G.SetActive(false);
  P.SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
  TZuzGDIPlus Other(nullptr);
  Other.SetZuzPanel(&P);
  EXPECT_FALSE(DrawsWithGDIPlus(P));
}

TEST(ZuzGDIPlus, LinkingAnotherPanelGivesTheFirstItsGDICanvasBack)
{
  TCustomZuzPanel A(nullptr), B(nullptr);
  TZuzGDIPlus G(nullptr);
  G.SetZuzPanel(&A);
  G.SetActive(true);
  ASSERT_TRUE(DrawsWithGDIPlus(A));
  B.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  G.SetZuzPanel(&B);
  EXPECT_FALSE(DrawsWithGDIPlus(A));
  EXPECT_TRUE(DrawsWithGDIPlus(B));
  EXPECT_TRUE(G.Active());
}

TEST(ZuzGDIPlus, ForgetsAPanelThatIsFreed)
{
  TZuzGDIPlus G(nullptr);
  {
    TCustomZuzPanel P(nullptr);
    G.SetZuzPanel(&P);
    G.SetActive(true);
  }
  EXPECT_EQ(G.ZuzPanel(), nullptr);
  EXPECT_FALSE(G.Active());
  // A component owned by its panel is freed with it.
  auto* Owner = new TCustomZuzPanel(nullptr);
  auto* Child = new TZuzGDIPlus(Owner);
  Child->SetZuzPanel(Owner);
  Child->SetActive(true);
  EXPECT_EQ(Child->Canvas(), Owner->InternalCanvas());
  delete Owner;
}

TEST(ZuzGDIPlus, ScaleIsStoredOnlyWhenNotOne)
{
  TZuzGDIPlus G(nullptr);
  G.SetName(QStringLiteral("ZuzGDIPlus1"));
  EXPECT_FALSE(AsText(&G).contains(QLatin1String("Scale")));
  G.SetScale(1.5f);
  const String T = AsText(&G);
  EXPECT_TRUE(T.contains(QLatin1String("Scale = 1.5"))) << T.toStdString();
  EXPECT_FALSE(T.contains(QLatin1String("Antialias =")));
  G.SetAntialias(false);
  G.SetAntialiasText(gpfClearType);
  const String U = AsText(&G);
  EXPECT_TRUE(U.contains(QLatin1String("Antialias = False")));
  EXPECT_TRUE(U.contains(QLatin1String("AntiAliasText = gpfClearType")));
}
