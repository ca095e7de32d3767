// The grid's settings kept outside the program: column sizes and positions,
// the column-states string, the visual-properties file and the print
// settings section; and the settings objects they stand on.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/core/BackGround.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/GridSettings.h"
#include "grid/core/PrintSettings.h"
#include "platform/Graphics.h"
#include "rtl/Exceptions.h"
#include "rtl/IniFile.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStringList>
#include <QTemporaryDir>

#include <iterator>
#include <utility>
#include <vector>

namespace {

class Persist : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(Tmp.isValid()); }
  QString Path(const char* Name) const { return Tmp.path() + u'/' + QString::fromLatin1(Name); }
  QByteArray Bytes(const char* Name) const
  {
    QFile F(Path(Name));
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
  }
  QTemporaryDir Tmp;
};

// Four columns 40, 50, 60, 70 wide, sizes kept in the INI file Key,
// section "Time Scroll".
std::unique_ptr<TZurEvoderOzod> SizedGrid(const QString& Key)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(4);
  for (int32_t C = 0; C < 4; ++C)
    G->SetColWidths(C, 40 + 10 * C);
  G->ColumnSize()->SetKey(Key);
  G->ColumnSize()->SetSection(QStringLiteral("Time Scroll"));
  G->ColumnSize()->SetLocation(clIniFile);
  return G;
}

std::vector<int32_t> Widths(TZurEvoderOzod& G)
{
  std::vector<int32_t> W;
  for (int32_t C = 0; C < G.ColCount(); ++C)
    W.push_back(G.ColWidths(C));
  return W;
}

using V = std::vector<int32_t>;

} // namespace

// ---------------------------------------------------------------- column sizes

TEST_F(Persist, ColumnSizesComeBackOnTheirColumnsWithAColumnHidden)
{
  const QString Ini = Path("sizes.ini");
  {
    auto G = SizedGrid(Ini);
    G->HideColumn(1); // hidden while saving, as when a window closes
    G->SaveColSizes();
  }
  EXPECT_EQ(Bytes("sizes.ini"), "[Time Scroll]\r\nCol0=40\r\nCol1=50\r\nCol2=60\r\nCol3=70\r\n");

  struct Case {
    const char* Name;
    bool HideBeforeLoading;
  };
  for (const Case& C : {Case{"shown while loading", false}, Case{"hidden while loading", true}}) {
    SCOPED_TRACE(C.Name);
    auto G = std::make_unique<TZurEvoderOzod>(nullptr);
    G->SetColCount(4);
    G->ColumnSize()->Assign(SizedGrid(Ini)->ColumnSize());
    if (C.HideBeforeLoading)
      G->HideColumn(1);
    G->LoadColSizes();
    G->HideColumn(1);
    EXPECT_EQ(Widths(*G), (V{40, 60, 70}));
    G->UnHideColumn(1);
    EXPECT_EQ(Widths(*G), (V{40, 50, 60, 70}));
  }
}

TEST_F(Persist, SaveWhenFreedAndLoadWhenLoaded)
{
  const QString Ini = Path("scroll.ini");
  {
    auto G = SizedGrid(Ini);
    G->ColumnSize()->SetSave(true);
    G->SetColWidths(2, 99);
  }
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(4);
  G->ColumnSize()->Assign(SizedGrid(Ini)->ColumnSize());
  G->ColumnSize()->SetSave(true);
  G->Loaded();
  EXPECT_EQ(Widths(*G), (V{40, 50, 99, 70}));
}

TEST_F(Persist, AStoreThatCannotBeWrittenCostsTheSizesNotTheGrid)
{
  // A folder where the file should be: it reads as empty and takes no
  // writing, which loading does too (it creates a missing file).
  const QString Ini = Path("folder.ini");
  ASSERT_TRUE(QDir().mkdir(Ini));
  auto G = SizedGrid(Ini);
  G->ColumnSize()->SetSave(true);
  EXPECT_THROW(G->LoadColSizes(), EIniFileException);
  // What the grid does on its own when it is loaded, made and freed.
  EXPECT_NO_THROW(G->Loaded());
  EXPECT_EQ(Widths(*G), (V{40, 50, 60, 70}));
  EXPECT_NO_THROW(G.reset());
}

TEST_F(Persist, LoadingFromAMissingFileChangesNothingAndCreatesIt)
{
  auto G = SizedGrid(Path("new.ini"));
  G->LoadColSizes();
  EXPECT_EQ(Widths(*G), (V{40, 50, 60, 70}));
  EXPECT_TRUE(QFileInfo::exists(Path("new.ini")));

  // A width the file cannot mean leaves its column alone.
  QFile F(Path("bad.ini"));
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write("[Time Scroll]\r\nCol0=-5\r\nCol1=abc\r\nCol2=100000\r\nCol3=33\r\n");
  F.close();
  auto H = SizedGrid(Path("bad.ini"));
  H->LoadColSizes();
  EXPECT_EQ(Widths(*H), (V{40, 50, 60, 33}));
}

TEST_F(Persist, NothingIsStoredWithoutKeyOrSection)
{
  auto G = SizedGrid(Path("none.ini"));
  G->ColumnSize()->SetSection(String());
  G->SaveColSizes();
  G->LoadColSizes();
  G->SaveColPositions();
  EXPECT_FALSE(QFileInfo::exists(Path("none.ini")));
}

TEST_F(Persist, TheRegistryFormKeepsSizesInTheConfigFolder)
{
  const QByteArray OldXdg = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", Tmp.path().toLocal8Bit());
  const auto Restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", OldXdg); });
  {
    auto G = SizedGrid(QStringLiteral("Software\\Fathomix\\Grid"));
    G->ColumnSize()->SetLocation(clRegistry);
    G->SaveColSizes();
  }
  EXPECT_TRUE(QFileInfo::exists(Path("fathomix/Registry.ini")));
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(4);
  G->ColumnSize()->Assign(SizedGrid(QStringLiteral("Software\\Fathomix\\Grid"))->ColumnSize());
  G->ColumnSize()->SetLocation(clRegistry);
  G->LoadColSizes();
  EXPECT_EQ(Widths(*G), (V{40, 50, 60, 70}));
}

TEST_F(Persist, ColumnPositionsComeBack)
{
  const QString Ini = Path("pos.ini");
  {
    auto G = SizedGrid(Ini);
    for (int32_t C = 0; C < 4; ++C)
      G->SetCells(C, 1, QString::number(C));
    G->SetColumnOrder();
    G->MoveColumn(3, 1); // 0 3 1 2
    EXPECT_EQ(G->ColumnOrder()->StrValue().toStdString(), "0,3,1,2");
    G->SaveColPositions();
  }
  auto G = SizedGrid(Ini);
  for (int32_t C = 0; C < 4; ++C)
    G->SetCells(C, 1, QString::number(C));
  G->HideColumn(2);
  G->LoadColPositions();
  std::string Shown;
  for (int32_t C = 0; C < G->ColCount(); ++C)
    Shown += G->GetCellEx(G->RealColIndex(C), 1).toStdString();
  EXPECT_EQ(Shown, "031"); // column 2 is still hidden
  EXPECT_EQ(Widths(*G), (V{40, 70, 50}));

  // Without "Pos0" the columns stay as they are.
  auto H = SizedGrid(Path("nopos.ini"));
  H->SetCells(1, 1, QStringLiteral("one"));
  H->LoadColPositions();
  EXPECT_EQ(H->Cells(1, 1).toStdString(), "one");
}

// ---------------------------------------------------------------- column states

TEST_F(Persist, ColumnStatesString)
{
  auto G = std::make_unique<TZurEvoderOzod>(nullptr);
  G->SetColCount(3);
  G->SetColWidths(1, 80);
  EXPECT_EQ(G->ColumnStatesToString().toStdString(), "3#64,80,64#0,1,2#1,1,1");
  G->HideColumn(1);
  EXPECT_EQ(G->ColumnStatesToString().toStdString(), "3#64,64,64#0,1,2#1,0,1");

  auto H = std::make_unique<TZurEvoderOzod>(nullptr);
  for (int32_t C = 0; C < 4; ++C)
    H->SetCells(C, 1, QString::number(C));
  H->StringToColumnStates(QStringLiteral("4#30,0,50,60#0,2,1,3#1,1,1,0"));
  EXPECT_EQ(H->ColCount(), 3);
  EXPECT_TRUE(H->IsHiddenColumn(3));
  EXPECT_EQ(H->GetGridCell(1, 1).toStdString(), "2"); // the order applied
  EXPECT_EQ(H->ColWidths(0), 30);
  EXPECT_TRUE(H->IsSuppressedColumn(1)); // a width of 0 suppresses
  EXPECT_EQ(H->ColWidths(2), 50);

  // Strings the grid cannot mean change nothing.
  for (const char* Bad : {"no separator", "x#1,2#0,1#1,1", "-3#1#0#1", "999999999#1#0#1"}) {
    SCOPED_TRACE(Bad);
    H->StringToColumnStates(QString::fromLatin1(Bad));
    EXPECT_EQ(H->ColCount(), 3);
  }
}

// ---------------------------------------------------------------- visual properties

TEST_F(Persist, VisualPropertiesRoundTrip)
{
  TZurEvoderOzod A(nullptr);
  A.SetSelectionColor(0x00123456);
  A.SetURLShow(true);
  A.Font()->SetName(QStringLiteral("Courier New"));
  A.Font()->SetSize(13);
  A.Font()->SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  A.Font()->SetColor(clRed);
  A.FixedFont()->SetColor(0x00010203);
  A.ControlLook()->SetControlStyle(csFlat);
  A.ControlLook()->SetRadioSize(14);
  A.BackGround()->SetDisplay(bdGradientVert);
  A.BackGround()->SetTop(7);
  A.Grouping()->SetHeaderLineWidth(5);
  A.Grouping()->SetSummaryLine(true);
  A.SetGridLineColor(clGreen);
  A.ControlLook()->SetFixedGradientTo(0x00445566); // also the grid's fixed-cell gradient
  A.SetSelectionStyle(ssWin7);
  A.SaveVisualProps(Path("look.txt"));

  const QByteArray File = Bytes("look.txt");
  EXPECT_TRUE(File.startsWith("Color="));
  for (const char* Line : {"SelectionColor=$00123456", "URLShow=true", "Font.Style=fsBold,fsItalic", "Font.Size=13",
                           "Font.Name=Courier New", "Font.Color=clRed", "ControlLook.ControlStyle=csFlat",
                           "BackGround.Display=bdGradientVert", "Look=glXP", "Grouping.SummaryLine=true"})
    EXPECT_TRUE(File.contains(Line)) << Line;

  TZurEvoderOzod B(nullptr);
  B.LoadVisualProps(Path("look.txt"));
  EXPECT_EQ(B.SelectionColor(), 0x00123456u);
  EXPECT_TRUE(B.URLShow());
  EXPECT_EQ(B.Font()->Name().toStdString(), "Courier New");
  EXPECT_EQ(B.Font()->Size(), 13);
  EXPECT_EQ(B.Font()->Style(), FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  EXPECT_EQ(B.Font()->Color(), clRed);
  EXPECT_EQ(B.FixedFont()->Color(), 0x00010203u);
  EXPECT_EQ(B.ControlLook()->ControlStyle(), csFlat);
  EXPECT_EQ(B.ControlLook()->RadioSize(), 14);
  EXPECT_EQ(B.BackGround()->Display(), bdGradientVert);
  EXPECT_EQ(B.BackGround()->Top(), 7);
  EXPECT_EQ(B.Grouping()->HeaderLineWidth(), 5);
  EXPECT_TRUE(B.Grouping()->SummaryLine());
  EXPECT_EQ(B.GridLineColor(), clGreen);
  EXPECT_EQ(B.FZURGrad[fgTo], 0x00445566u);
  EXPECT_EQ(B.ControlLook()->FixedGradientTo(), 0x00445566u);
  EXPECT_EQ(B.SelectionStyle(), ssWin7);
  EXPECT_EQ(B.Look(), glCustom);
}

// Every setting of the file has its line, in the file's order, and the
// settings of the balloon, bands, sort index, footer, control look and
// grouping come back as they were.
TEST_F(Persist, VisualPropertiesFileHasEveryLineAndReadsThemBack)
{
  TZurEvoderOzod A(nullptr);
  A.Balloon()->SetBackgroundColor(0x00102030);
  A.Balloon()->SetTextColor(0x00203040);
  A.Balloon()->SetTransparency(77);
  A.Bands()->SetPrimaryColor(0x00304050);
  A.Bands()->SetSecondaryColor(0x00405060);
  A.Bands()->SetActive(true);
  A.SortSettings()->SetIndexColor(0x00506070);
  A.FloatingFooter()->SetColor(0x00607080);
  A.ControlLook()->SetCheckSize(19);
  A.ControlLook()->SetColor(0x00708090);
  A.ControlLook()->SetCommentColor(0x008090A0);
  A.ControlLook()->SetFlatButton(true);
  A.ControlLook()->SetProgressBorderColor(0x0090A0B0);
  A.ControlLook()->SetProgressXP(true);
  A.Grouping()->SetHeaderColor(0x00010101);
  A.Grouping()->SetHeaderColorTo(0x00020202);
  A.Grouping()->SetHeaderTextColor(0x00030303);
  A.Grouping()->SetHeaderLineColor(0x00040404);
  A.Grouping()->SetSummaryColor(0x00050505);
  A.Grouping()->SetSummaryColorTo(0x00060606);
  A.Grouping()->SetSummaryTextColor(0x00070707);
  A.Grouping()->SetSummaryLineColor(0x00080808);
  A.SaveVisualProps(Path("look.txt"));

  const char* const Names[] = {"Color",
                               "HintColor",
                               "SelectionColor",
                               "SelectionColorTo",
                               "SelectionMirrorColor",
                               "SelectionMirrorColorTo",
                               "SelectionTextColor",
                               "URLColor",
                               "URLShow",
                               "URLShowInText",
                               "ScrollColor",
                               "ActiveRowColor",
                               "ActiveRowShow",
                               "ActiveCellShow",
                               "Font.Color",
                               "Font.Style",
                               "Font.Size",
                               "Font.Name",
                               "ActiveCellColor",
                               "ActiveCellColorTo",
                               "ActiveCellFont.Color",
                               "ActiveCellFont.Style",
                               "ActiveCellFont.Size",
                               "ActiveCellFont.Name",
                               "FixedFont.Color",
                               "FixedFont.Style",
                               "FixedFont.Size",
                               "FixedFont.Name",
                               "Balloon.BackgroundColor",
                               "Balloon.TextColor",
                               "Balloon.Transparency",
                               "Bands.PrimaryColor",
                               "Bands.SecondaryColor",
                               "Bands.Active",
                               "SortSettings.IndexColor",
                               "FloatingFooter.Color",
                               "ControlLook.CheckSize",
                               "ControlLook.Color",
                               "ControlLook.CommentColor",
                               "ControlLook.ControlStyle",
                               "ControlLook.FixedGradientFrom",
                               "ControlLook.FixedGradientTo",
                               "ControlLook.RadioSize",
                               "ControlLook.FlatButton",
                               "ControlLook.ProgressBorderColor",
                               "ControlLook.ProgressXP",
                               "Look",
                               "SearchFooter.Color",
                               "SearchFooter.ColorTo",
                               "Grouping.HeaderColor",
                               "Grouping.HeaderColorTo",
                               "Grouping.HeaderTextColor",
                               "Grouping.HeaderUnderline",
                               "Grouping.HeaderLineColor",
                               "Grouping.HeaderLineWidth",
                               "Grouping.SummaryColor",
                               "Grouping.SummaryColorTo",
                               "Grouping.SummaryTextColor",
                               "Grouping.SummaryLine",
                               "Grouping.SummaryLineColor",
                               "Grouping.SummaryLineWidth",
                               "GridLineColor",
                               "GridFixedLineColor",
                               "BackGround.Top",
                               "BackGround.Left",
                               "BackGround.Display",
                               "BackGround.Cells",
                               "BackGround.Color",
                               "BackGround.ColorTo",
                               "ZIDGradFrom",
                               "ZIDGradTo",
                               "ZIDGradMirrorFrom",
                               "ZIDGradMirrorTo",
                               "SelectionStyle"};
  QStringList Written;
  for (const QByteArray& L : Bytes("look.txt").split('\n'))
    if (!L.trimmed().isEmpty())
      Written << QString::fromLatin1(L.left(L.indexOf('=')));
  QStringList Expected;
  for (const char* N : Names)
    Expected << QString::fromLatin1(N);
  EXPECT_EQ(Written.join(u' ').toStdString(), Expected.join(u' ').toStdString());

  TZurEvoderOzod B(nullptr);
  B.LoadVisualProps(Path("look.txt"));
  const std::pair<TColor, TColor> Colours[] = {{B.Balloon()->BackgroundColor(), 0x00102030},
                                               {B.Balloon()->TextColor(), 0x00203040},
                                               {B.Bands()->PrimaryColor(), 0x00304050},
                                               {B.Bands()->SecondaryColor(), 0x00405060},
                                               {B.SortSettings()->IndexColor(), 0x00506070},
                                               {B.FloatingFooter()->Color(), 0x00607080},
                                               {B.ControlLook()->Color(), 0x00708090},
                                               {B.ControlLook()->CommentColor(), 0x008090A0},
                                               {B.ControlLook()->ProgressBorderColor(), 0x0090A0B0},
                                               {B.Grouping()->HeaderColor(), 0x00010101},
                                               {B.Grouping()->HeaderColorTo(), 0x00020202},
                                               {B.Grouping()->HeaderTextColor(), 0x00030303},
                                               {B.Grouping()->HeaderLineColor(), 0x00040404},
                                               {B.Grouping()->SummaryColor(), 0x00050505},
                                               {B.Grouping()->SummaryColorTo(), 0x00060606},
                                               {B.Grouping()->SummaryTextColor(), 0x00070707},
                                               {B.Grouping()->SummaryLineColor(), 0x00080808}};
  for (size_t I = 0; I < std::size(Colours); ++I)
    EXPECT_EQ(Colours[I].first, Colours[I].second) << "colour " << I;
  EXPECT_EQ(B.Balloon()->Transparency(), 77);
  EXPECT_TRUE(B.Bands()->Active());
  EXPECT_EQ(B.ControlLook()->CheckSize(), 19);
  EXPECT_TRUE(B.ControlLook()->FlatButton());
  EXPECT_TRUE(B.ControlLook()->ProgressXP());
}

TEST_F(Persist, VisualPropertiesFailures)
{
  TZurEvoderOzod G(nullptr);
  try {
    G.SaveVisualProps(Path("no/such/folder/look.txt"));
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Cannot Create ") + Path("no/such/folder/look.txt"));
  }
  try {
    G.LoadVisualProps(Path("missing.txt"));
    FAIL() << "no exception";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Cannot open file ") + Path("missing.txt"));
  }
  // A file without the font size: what comes before it is applied, then
  // the conversion fails.
  QFile F(Path("short.txt"));
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write("Color=clYellow\r\nHintColor=\r\nFont.Name=Arial\r\n");
  F.close();
  EXPECT_THROW(G.LoadVisualProps(Path("short.txt")), EConvertError);
  EXPECT_EQ(G.Color(), clYellow);
  EXPECT_EQ(G.HintColor(), clNone); // empty colour: none of its own
}

// ---------------------------------------------------------------- print settings

TEST_F(Persist, PrintSettingsRoundTrip)
{
  TZurEvoderOzod A(nullptr);
  TPrintSettings* P = A.PrintSettings();
  P->SetColumnSpacing(3);
  P->SetCentered(false);
  P->SetRepeatFixedRows(true);
  P->SetUseDisplayFont(false);
  P->SetBorders(pbAround);
  P->SetBorderStyle(psDot);
  P->SetDate(ppBottomRight);
  P->SetDateFormat(QStringLiteral("yyyy-mm-dd"));
  P->SetLeftSize(250);
  P->SetFitToPage(fpShrink);
  P->HeaderFont()->SetName(QStringLiteral("Times New Roman"));
  P->HeaderFont()->SetSize(14);
  P->HeaderFont()->SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
  P->SetOrientation(poLandscape);
  P->TitleLines()->SetText(QStringLiteral("Cast 12\r\nShip: Fathom"));
  P->SetPrintGraphics(true);
  A.SavePrintSettings(Path("print.ini"), QStringLiteral("Print"));
  const QByteArray File = Bytes("print.ini");
  EXPECT_TRUE(File.startsWith("[Print]\r\nColumnSpacing=3\r\nRowSpacing=0\r\n"));
  EXPECT_TRUE(File.contains("Centered=N\r\nNoAutoSize=N"));
  EXPECT_TRUE(File.contains("HeaderFontStyle=5"));
  EXPECT_TRUE(File.contains("TitleLines=Cast 12\\nShip: Fathom"));

  TZurEvoderOzod B(nullptr);
  B.PrintSettings()->HeaderFont()->SetStyle(FontStyleBit(fsItalic));
  B.LoadPrintSettings(Path("print.ini"), QStringLiteral("Print"));
  const TPrintSettings* Q = B.PrintSettings();
  EXPECT_EQ(Q->ColumnSpacing(), 3);
  EXPECT_FALSE(Q->Centered());
  EXPECT_TRUE(Q->RepeatFixedRows());
  EXPECT_FALSE(Q->UseDisplayFont());
  EXPECT_EQ(Q->Borders(), pbAround);
  EXPECT_EQ(Q->BorderStyle(), psDot);
  EXPECT_EQ(Q->Date(), ppBottomRight);
  EXPECT_EQ(Q->DateFormat().toStdString(), "yyyy-mm-dd");
  EXPECT_EQ(Q->LeftSize(), 250);
  EXPECT_EQ(Q->FitToPage(), fpShrink);
  EXPECT_EQ(Q->HeaderFont()->Name().toStdString(), "Times New Roman");
  EXPECT_EQ(Q->HeaderFont()->Size(), 14);
  // The stored style replaces the font's: the italic it had is gone.
  EXPECT_EQ(Q->HeaderFont()->Style(), FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
  EXPECT_EQ(Q->Orientation(), poLandscape);
  EXPECT_EQ(Q->TitleLines()->Count(), 2);
  EXPECT_EQ(Q->TitleLines()->Strings(1).toStdString(), "Ship: Fathom");
  EXPECT_TRUE(Q->PrintGraphics());
}

TEST_F(Persist, PrintSettingsFromAnEmptySectionOrBadValues)
{
  TZurEvoderOzod G(nullptr);
  G.PrintSettings()->SetBorders(pbDouble);
  G.PrintSettings()->Font()->SetStyle(FontStyleBit(fsBold));
  G.LoadPrintSettings(Path("empty.ini"), QStringLiteral("Print"));
  const TPrintSettings* P = G.PrintSettings();
  EXPECT_EQ(P->ColumnSpacing(), 20);
  EXPECT_EQ(P->RowSpacing(), 20);
  EXPECT_EQ(P->TitleSpacing(), 20);
  EXPECT_EQ(P->HeaderSize(), 100);
  EXPECT_EQ(P->RightSize(), 100);
  EXPECT_EQ(P->Font()->Name().toStdString(), "Arial");
  EXPECT_EQ(P->Font()->Size(), 10);
  EXPECT_EQ(P->Font()->Style(), 0);
  EXPECT_TRUE(P->Centered());
  EXPECT_FALSE(P->UseDisplayFont());
  EXPECT_FALSE(P->PrintGraphics());
  EXPECT_EQ(P->Borders(), pbNoborder);
  EXPECT_TRUE(QFileInfo::exists(Path("empty.ini"))); // written back

  QFile F(Path("bad.ini"));
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write("[Print]\r\nBorders=9\r\nBorderStyle=-1\r\nFitToPage=7\r\nOrientation=2\r\nDate=7\r\nTitle=3\r\n");
  F.close();
  G.PrintSettings()->SetBorders(pbDouble);
  G.PrintSettings()->SetFitToPage(fpGrow);
  G.PrintSettings()->SetOrientation(poLandscape);
  G.PrintSettings()->SetDate(ppTopLeft);
  G.LoadPrintSettings(Path("bad.ini"), QStringLiteral("Print"));
  EXPECT_EQ(P->Borders(), pbDouble); // out of range: left as it was
  EXPECT_EQ(P->BorderStyle(), psSolid);
  EXPECT_EQ(P->FitToPage(), fpGrow);
  EXPECT_EQ(P->Orientation(), poLandscape);
  EXPECT_EQ(P->Date(), ppNone); // positions fall back to none
  EXPECT_EQ(P->Title(), ppTopCenter);
}

// ---------------------------------------------------------------- settings objects

TEST(SizeSettings, AssignCopiesWhatEachObjectPromises)
{
  TZurEvoderOzod A(nullptr), B(nullptr);
  A.ColumnSize()->SetStretch(true);
  A.ColumnSize()->SetStretchAll(true);
  A.ColumnSize()->SetRows(arVisible);
  A.ColumnSize()->SetKey(QStringLiteral("k"));
  B.ColumnSize()->Assign(A.ColumnSize());
  EXPECT_TRUE(B.ColumnSize()->Stretch());
  EXPECT_FALSE(B.ColumnSize()->StretchAll()); // kept the target's
  EXPECT_EQ(B.ColumnSize()->Rows(), arVisible);
  EXPECT_EQ(B.ColumnSize()->Key().toStdString(), "k");
  EXPECT_EQ(A.ColumnSize()->StretchColumn(), -1); // StretchAll made it -1

  A.HTMLSettings()->SetExportImages(false);
  A.HTMLSettings()->SetWidth(80);
  A.HTMLSettings()->ColWidths()->Add(5);
  B.HTMLSettings()->Assign(A.HTMLSettings());
  EXPECT_TRUE(B.HTMLSettings()->ExportImages());
  EXPECT_EQ(B.HTMLSettings()->Width(), 80);
  EXPECT_EQ(B.HTMLSettings()->ColWidths()->Count(), 0);

  A.PrintSettings()->SetPrintComments(false);
  A.PrintSettings()->SetScaleHeader(false);
  A.PrintSettings()->Font()->SetSize(17);
  B.PrintSettings()->Assign(A.PrintSettings());
  EXPECT_FALSE(B.PrintSettings()->PrintComments());
  EXPECT_TRUE(B.PrintSettings()->ScaleHeader());
  EXPECT_EQ(B.PrintSettings()->Font()->Size(), 17);
  EXPECT_THROW(B.PrintSettings()->Assign(A.ColumnSize()), EInvalidCast);
  TFont Font;
  EXPECT_THROW(B.PrintSettings()->Assign(&Font), EInvalidCast);
  EXPECT_EQ(B.PrintSettings()->DateFormat().toStdString(), "dd/mm/yyyy");
  EXPECT_EQ(B.PrintSettings()->PageNumSep().toStdString(), "/");
}
