// The shared platform services: the string stack, files by mask, form
// placement kept with the editor options, switching and freeing controls,
// and the rubber-band pen.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/EditorOptions.h"
#include "chart/core/ZuzServices.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "rtl/IniFile.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

TEST(ZuzServices, StringStack)
{
  TStringsStack S;
  EXPECT_EQ(S.Pop(), QString());
  EXPECT_EQ(S.Push(QStringLiteral("a")), 0);
  EXPECT_EQ(S.Push(QStringLiteral("b")), 1);
  EXPECT_EQ(S.Pop(), QStringLiteral("b"));
  EXPECT_EQ(S.Pop(), QStringLiteral("a"));
  EXPECT_EQ(S.Count(), 0);
}

TEST(ZuzServices, FilesByMask)
{
  QTemporaryDir Dir;
  for (const char* Name : {"b.png", "a.png", "c.txt"}) {
    QFile F(Dir.filePath(QString::fromLatin1(Name)));
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  }
  ASSERT_TRUE(QDir(Dir.path()).mkdir(QStringLiteral("d.png"))); // a folder: left out
  const auto Found = ZuzGetFilesFromDir(Dir.filePath(QStringLiteral("*.png")));
  ASSERT_EQ(Found->Count(), 2);
  EXPECT_EQ(Found->Strings(0), QStringLiteral("a.png"));
  EXPECT_EQ(Found->Strings(1), QStringLiteral("b.png"));
}

TEST(ZuzServices, FormPlacementKeptWithTheEditorOptions)
{
  const String Key = QStringLiteral("ChartEditorForm");
  {
    TForm F(nullptr);
    F.SetBounds(40, 30, 420, 350);
    ZuzSaveFormPosition(&F, Key, true, true);
  }
  TForm G(nullptr);
  G.SetBounds(0, 0, 50, 50);
  ZuzLoadFormPosition(&G, Key, true, true);
  EXPECT_EQ(G.Left(), 40);
  EXPECT_EQ(G.Top(), 30);
  EXPECT_EQ(G.Width(), 420);
  EXPECT_EQ(G.Height(), 350);
  // Nothing stored yet under another key: the form stays where it is.
  TForm H(nullptr);
  H.SetBounds(5, 6, 300, 200);
  ZuzLoadFormPosition(&H, QStringLiteral("Unknown"), true, false);
  EXPECT_EQ(H.Left(), 5);
  // A form stored beyond this screen comes back onto it.
  TIniFile(ZuzEditorOptionsFile()).WriteInteger(Key, QStringLiteral("Left"), 100000);
  ZuzLoadFormPosition(&G, Key, true, false);
  EXPECT_EQ(G.Left(), Screen->Width() - G.Width());
}

TEST(ZuzServices, ControlsSwitchedAndFreed)
{
  TForm F(nullptr);
  auto* A = new TButton(&F);
  auto* B = new TButton(&F);
  A->SetParent(&F);
  B->SetParent(&F);
  TControl* const Controls[] = {A, nullptr, B};
  EnableControls(false, Controls);
  EXPECT_FALSE(A->Enabled());
  EXPECT_FALSE(B->Enabled());
  RemoveControls(&F);
  EXPECT_EQ(F.ControlCount(), 0);
}

TEST(ZuzServices, RubberBandPen)
{
  TImageChart Chart;
  auto C = std::make_unique<TRecordingCanvas>();
  TRecordingCanvas* Canvas = C.get();
  Chart.SetInternalCanvas(std::move(C));
  Chart.SetColor(clNavy); // 0x800000
  TZuzPen Pen;
  Pen.SetColor(clRed);
  ZuzPrepareXorPen(&Chart, &Pen);
  // Drawn twice in XOR the band leaves the picture as it was.
  EXPECT_EQ(Canvas->Pen()->Color(), TColor(0x7FFFFF ^ 0x0000FF));
  EXPECT_EQ(Canvas->Pen()->Mode(), pmNotXor);
}

TEST(ZuzServices, ComponentTextAsXML)
{
  const QByteArray Text = "object Chart1: TChart\n"
                          "  Title.Text.Strings = (\n"
                          "    'Depth')\n"
                          "  Title.Font.Color = clRed\n"
                          "  Title.Font.Size = 9\n"
                          "  Legend.Visible = False\n"
                          "  View3D = False\n"
                          "  CustomAxes = <\n"
                          "    item\n"
                          "      Horizontal = False\n"
                          "    end>\n"
                          "  object Series1: TFastLineSeries\n"
                          "  end\n"
                          "end\n";
  TMemoryStream S;
  S.WriteBuffer(Text.constData(), int32_t(Text.size()));
  ConvertTextToXML(S, false);
  S.SetPosition(0);
  TStringList Out;
  Out.LoadFromStream(S);
  const QStringList Want = {
      QStringLiteral("<TChart Name=\"Chart1\">"),
      QStringLiteral("  <Title>"),
      QStringLiteral("    <Text>"),
      QStringLiteral("      <Strings>"),
      QStringLiteral("        <String value=\"'Depth'\"/>"),
      QStringLiteral("      </Strings>"),
      QStringLiteral("    </Text>"),
      QStringLiteral("    <Font>"),
      QStringLiteral("      <Color value=\"clRed\"/>"),
      QStringLiteral("      <Size value=\"9\"/>"),
      QStringLiteral("    </Font>"),
      QStringLiteral("  </Title>"),
      QStringLiteral("  <Legend>"),
      QStringLiteral("    <Visible value=\"False\"/>"),
      QStringLiteral("  </Legend>"),
      QStringLiteral("  <View3D value=\"False\"/>"),
      QStringLiteral("  <CustomAxes>"),
      QStringLiteral("    <item>"),
      QStringLiteral("      <Horizontal value=\"False\"/>"),
      QStringLiteral("    </item>"),
      QStringLiteral("  </CustomAxes>"),
      QStringLiteral("  <TFastLineSeries Name=\"Series1\"/>"),
      QStringLiteral("</TChart>"),
  };
  QStringList Got;
  for (int32_t I = 0; I < Out.Count(); ++I)
    Got << Out.Strings(I);
  EXPECT_EQ(Got, Want);

  // A line of no known form stops the conversion and leaves the text.
  const QByteArray Bad = "object A: TChart\n  something odd\nend\n";
  TMemoryStream B;
  B.WriteBuffer(Bad.constData(), int32_t(Bad.size()));
  try {
    ConvertTextToXML(B, true);
    FAIL() << "a wrong line was converted";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Wrong DFM format: something odd"));
  }
  EXPECT_EQ(B.Size(), Bad.size());
}
